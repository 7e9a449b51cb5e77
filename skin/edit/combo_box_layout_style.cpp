#include "skin/edit/combo_box_layout_style.h"

#include <QApplication>
#include <QFrame>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>

ComboBoxLayoutStyle::ComboBoxLayoutStyle()
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name()))
{
}

ComboBoxLayoutStyle *ComboBoxLayoutStyle::instance()
{
    static QPointer<ComboBoxLayoutStyle> shared;
    if (!shared) {
        shared = new ComboBoxLayoutStyle;
        shared->setParent(qApp);
    }
    return shared;
}

QRect ComboBoxLayoutStyle::buttonRect(const QRect &box)
{
    return QRect(QPoint(box.right() + 1 - Edge - ButtonWidth, box.top() + Edge),
                 QPoint(box.right() - Edge, box.bottom() - Edge));
}

QRect ComboBoxLayoutStyle::editFieldRect(const QRect &box)
{
    const QRect button = buttonRect(box);
    return QRect(QPoint(box.left() + EditInset, box.top() + EditInset),
                 QPoint(button.left() - 2, box.bottom() - EditInset));
}

QRect ComboBoxLayoutStyle::subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                                          SubControl part, const QWidget *widget) const
{
    if (control == CC_ComboBox && option) {
        switch (part) {
        case SC_ComboBoxArrow:
            return buttonRect(option->rect);
        case SC_ComboBoxEditField:
            return editFieldRect(option->rect);
        case SC_ComboBoxFrame:
            return option->rect;
        default:
            break;
        }
    }
    return QProxyStyle::subControlRect(control, option, part, widget);
}

int ComboBoxLayoutStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                                   QStyleHintReturn *returnData) const
{
    switch (hint) {
    case SH_ComboBox_Popup:
        return 0; // the list drops below the box instead of over it
    case SH_ComboBox_PopupFrameStyle:
        return QFrame::Box | QFrame::Plain;
    default:
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
}
