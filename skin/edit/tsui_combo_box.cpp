#include "skin/edit/tsui_combo_box.h"

#include <QLineEdit>

namespace {
constexpr int DropDownRows = 8;
}

TsuiComboBox::TsuiComboBox(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(DropDownRows);
    // Typed text is taken as it stands; it never completes to a list entry.
    setCompleter(nullptr);
}

void TsuiComboBox::setUIStyle(TsuiUIStyle style)
{
    style_ = style;
    update();
}
