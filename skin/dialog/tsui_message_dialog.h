#pragma once

#include "skin/themes/ui_style.h"

#include <QObject>
#include <QString>

enum class TsuiIconType { suiNone, suiWarning, suiStop, suiInformation, suiHelp };

// A message dialog component: set its caption, text and buttons, then ShowModal returns the
// modal result of the button the user chose once the dialog is closed.
class TsuiMessageDialog : public QObject {
    Q_OBJECT
    Q_PROPERTY(TsuiUIStyle UIStyle READ uiStyle WRITE setUIStyle)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(QString Text READ text WRITE setText)
    Q_PROPERTY(int ButtonCount READ buttonCount WRITE setButtonCount)

public:
    static constexpr int MaxButtons = 3;

    explicit TsuiMessageDialog(QObject *parent = nullptr);

    TsuiUIStyle uiStyle() const { return style_; }
    void setUIStyle(TsuiUIStyle style) { style_ = style; }
    QString caption() const { return caption_; }
    void setCaption(const QString &caption) { caption_ = caption; }
    QString text() const { return text_; }
    void setText(const QString &text) { text_ = text; }
    int buttonCount() const { return button_count_; }
    void setButtonCount(int count) { button_count_ = qBound(1, count, MaxButtons); }
    void setButtonCaption(int index, const QString &caption);
    void setButtonModalResult(int index, int result);
    void setIconType(TsuiIconType icon) { icon_ = icon; }

    int ShowModal();

private:
    TsuiUIStyle style_ = TsuiUIStyle::DeepBlue;
    QString caption_;
    QString text_;
    int button_count_ = 1;
    QString button_captions_[MaxButtons] = {QStringLiteral("OK"), QStringLiteral("Cancel"), QStringLiteral("Help")};
    int button_results_[MaxButtons] = {1, 2, 0};
    TsuiIconType icon_ = TsuiIconType::suiNone;
};
