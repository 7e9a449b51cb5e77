#pragma once

#include "skin/button/tsui_check_box.h"

// A radio button: checking it unchecks the other radio buttons of the same parent with the same
// GroupIndex. Radio buttons on different parents never affect each other. A click only checks;
// Space does nothing; a double click is a double click, not a second click. The arrow keys move
// the choice within the group: the radio button they reach takes the focus and is clicked.
class TsuiRadioButton : public TsuiCheckBox {
    Q_OBJECT
    Q_PROPERTY(int GroupIndex READ groupIndex WRITE setGroupIndex)

public:
    explicit TsuiRadioButton(QWidget *parent);

    int groupIndex() const { return group_index_; }
    void setGroupIndex(int index) { group_index_ = index; }

protected:
    bool PictureTransparent() const override { return true; }
    ThemeElement PictureElement() const override { return ThemeElement::RadioButtonImage; }
    void CheckedChanged() override;
    void Toggle() override;
    bool KeyToggles() const override { return false; }

    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The enabled, visible members of this button's group, this one included, in child order.
    QList<TsuiRadioButton *> groupMembers() const;

    int group_index_ = 0;
};
