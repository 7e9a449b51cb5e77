#pragma once

#include "skin/themes/ui_style.h"

#include <QCheckBox>

// A check box whose OnClick is a change notification: it fires whenever Checked changes value,
// by a user's click or by the program, except while its window is being built. Assigning the
// value it already has fires nothing.
class TsuiCheckBox : public QCheckBox {
    Q_OBJECT
    Q_PROPERTY(TsuiUIStyle UIStyle READ uiStyle WRITE setUIStyle)
    Q_PROPERTY(bool Checked READ isChecked WRITE setCheckedValue)
    Q_PROPERTY(QString Caption READ text WRITE setText)

public:
    explicit TsuiCheckBox(QWidget *parent);

    TsuiUIStyle uiStyle() const { return style_; }
    void setUIStyle(TsuiUIStyle style);
    void setCheckedValue(bool checked) { setChecked(checked); }

    // While loading, changes of Checked do not fire OnClick.
    void setLoading(bool loading) { loading_ = loading; }

signals:
    void OnClick();

protected:
    virtual void CheckedChanged();
    bool loading() const { return loading_; }

private:
    TsuiUIStyle style_ = TsuiUIStyle::DeepBlue;
    bool loading_ = false;
};
