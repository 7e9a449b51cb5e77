#include "skin/accessibility/skin_accessibility.h"

#include "skin/accessibility/accessible_actions.h"
#include "skin/accessibility/accessible_combo_box.h"
#include "skin/accessibility/accessible_entries.h"
#include "skin/accessibility/accessible_notice.h"
#include "skin/accessibility/accessible_text_field.h"
#include "skin/accessibility/field_labels.h"
#include "skin/button/tsui_custom_button.h"
#include "skin/button/tsui_radio_button.h"
#include "skin/dialog/tfrm_msg.h"
#include "skin/edit/tsui_combo_box.h"
#include "skin/edit/tsui_edit.h"
#include "skin/edit/tsui_memo.h"
#include "skin/form/tform.h"
#include "skin/form/tsui_form.h"
#include "skin/menu/tsui_menu_drop_down.h"
#include "skin/menu/tsui_menu_item.h"
#include "skin/menubar/tsui_menu_bar.h"
#include "skin/menubar/tsui_menu_bar_button.h"
#include "skin/menu/tsui_popup_menu.h"
#include "skin/panel/tsui_group_box.h"
#include "skin/panel/tsui_panel.h"
#include "skin/titlebar/tsui_title_bar.h"
#include "skin/titlebar/tsui_title_bar_button.h"
#include "skin/titlebar/tsui_title_bar_popup_menu.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QKeySequence>
#include <QLineEdit>
#include <QLabel>

#include <functional>
#include <utility>

namespace {

// What a skinned widget tells assistive tools beyond what Qt's widget interface knows.
struct Description {
    QAccessible::Role role = QAccessible::Client;
    // For a widget whose role can change after its interface exists.
    std::function<QAccessible::Role()> current_role;
    std::function<QString()> name;
    std::function<QString()> description;
    std::function<void(QAccessible::State &)> state;
    QString action;
    std::function<void()> perform;
    QString keyBinding;
    // A popup window (an open menu) that belongs under this widget: Qt lists no popup among the
    // application's windows, so assistive tools find it here.
    std::function<QWidget *()> popup;
    // For a popup: the interface it hangs under.
    std::function<QAccessibleInterface *()> parent;
};

class AccessibleSkinWidget : public QAccessibleWidget {
public:
    AccessibleSkinWidget(QWidget *widget, Description description)
        : QAccessibleWidget(widget, description.role)
        , description_(std::move(description))
    {
    }

    QAccessible::Role role() const override
    {
        return description_.current_role ? description_.current_role() : QAccessibleWidget::role();
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name) {
            const QString set = widget()->accessibleName();
            return !set.isEmpty() || !description_.name ? set : description_.name();
        }
        if (t == QAccessible::Description && description_.description)
            return description_.description();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (description_.state)
            description_.state(s);
        return s;
    }

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (!description_.action.isEmpty() && widget()->isEnabled())
            names.prepend(description_.action);
        return names;
    }

    void doAction(const QString &actionName) override
    {
        if (actionName == description_.action && description_.perform && widget()->isEnabled())
            PerformAccessibleAction(widget(), description_.perform);
        else
            QAccessibleWidget::doAction(actionName);
    }

    QStringList keyBindingsForAction(const QString &actionName) const override
    {
        if (actionName == description_.action && !description_.keyBinding.isEmpty())
            return {description_.keyBinding};
        return QAccessibleWidget::keyBindingsForAction(actionName);
    }

    // A group whose caption names a field is that field's label.
    QList<QPair<QAccessibleInterface *, QAccessible::Relation>> relations(QAccessible::Relation match) const override
    {
        auto found = QAccessibleWidget::relations(match);
        if (match & QAccessible::Labelled)
            for (QWidget *field : fields_captioned_by(widget()))
                if (QAccessibleInterface *labelled = QAccessible::queryAccessibleInterface(field))
                    found.append({labelled, QAccessible::Labelled});
        return found;
    }

    QAccessibleInterface *parent() const override
    {
        QAccessibleInterface *owner = description_.parent ? description_.parent() : nullptr;
        return owner ? owner : QAccessibleWidget::parent();
    }

    int childCount() const override { return popup() ? 1 : QAccessibleWidget::childCount(); }

    QAccessibleInterface *child(int index) const override
    {
        if (QWidget *open = popup())
            return index == 0 ? QAccessible::queryAccessibleInterface(open) : nullptr;
        return QAccessibleWidget::child(index);
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (QWidget *open = popup())
            return child && child->object() == open ? 0 : -1;
        return QAccessibleWidget::indexOfChild(child);
    }

protected:
    QWidget *popup() const { return description_.popup ? description_.popup() : nullptr; }

private:
    Description description_;
};

// A widget whose drawn parts are its accessible children: the title bar's buttons, a menu's
// entries. Only the parts that are shown count. A popup it opened follows them.
class AccessibleWithEntries : public AccessibleSkinWidget {
public:
    using Count = std::function<int()>;
    using Read = std::function<AccessibleEntry(int)>;

    AccessibleWithEntries(QWidget *widget, Description description, Count count, Read read)
        : AccessibleSkinWidget(widget, std::move(description))
        , count_(std::move(count))
        , read_(std::move(read))
    {
    }

    int childCount() const override { return count_() + (popup() ? 1 : 0); }

    QAccessibleInterface *child(int index) const override
    {
        if (QWidget *open = popup(); open && index == count_())
            return QAccessible::queryAccessibleInterface(open);
        if (index < 0 || index >= count_())
            return nullptr;
        auto *self = const_cast<AccessibleWithEntries *>(this);
        return self->entries_.at(index, [self, index] {
            return new AccessibleEntryInterface(self->widget(), self, [self, index] { return self->read_(index); });
        });
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (QWidget *open = popup(); open && child && child->object() == open)
            return count_();
        return entries_.indexOf(child);
    }

    QAccessibleInterface *childAt(int x, int y) const override
    {
        for (int i = 0; i < count_(); ++i)
            if (QAccessibleInterface *entry = child(i); entry && entry->rect().contains(x, y))
                return entry;
        return nullptr;
    }

private:
    Count count_;
    Read read_;
    AccessibleEntryList entries_;
};

QString TitleButtonName(TsuiTitleBarBtnType type)
{
    switch (type) {
    case TsuiTitleBarBtnType::suiClose:
        return QStringLiteral("Schließen");
    case TsuiTitleBarBtnType::suiMin:
        return QStringLiteral("Minimieren");
    case TsuiTitleBarBtnType::suiMax:
        return QStringLiteral("Maximieren");
    case TsuiTitleBarBtnType::suiControlBox:
        return QStringLiteral("Systemmenü");
    case TsuiTitleBarBtnType::suiHelp:
        return QStringLiteral("Hilfe");
    case TsuiTitleBarBtnType::suiCustom:
        break;
    }
    return {};
}

// Collection indexes of the title bar's shown buttons, in collection order.
QList<int> ShownTitleButtons(const TsuiTitleBar *bar)
{
    QList<int> shown;
    for (int i = 0; i < bar->Buttons()->Count(); ++i)
        if (bar->Buttons()->Items(i)->visible())
            shown << i;
    return shown;
}

QAccessibleInterface *TitleBarInterface(TsuiTitleBar *bar)
{
    Description d;
    // AT-SPI has no title-bar role (Qt would call it text): it is the bar of the window's buttons.
    d.role = QAccessible::ToolBar;
    d.name = [bar] { return bar->caption(); };
    // The window menu, while it is open (Alt+Space or the control box).
    d.popup = [bar]() -> QWidget * {
        TsuiMenuDropDown *open = bar->popupMenu() ? bar->popupMenu()->dropDown() : nullptr;
        return open && open->isVisible() ? open : nullptr;
    };
    return new AccessibleWithEntries(
        bar, std::move(d), [bar] { return static_cast<int>(ShownTitleButtons(bar).size()); },
        [bar](int index) {
            AccessibleEntry entry;
            const QList<int> shown = ShownTitleButtons(bar);
            if (index >= shown.size())
                return entry;
            const int k = shown.at(index);
            entry.role = QAccessible::Button;
            entry.name = TitleButtonName(bar->Buttons()->Items(k)->buttonType());
            entry.rect = bar->buttonRect(k);
            entry.action = QAccessibleActionInterface::pressAction();
            entry.perform = [bar = QPointer<TsuiTitleBar>(bar), k] {
                if (bar)
                    bar->pressButton(k);
            };
            if (bar->Buttons()->Items(k)->buttonType() == TsuiTitleBarBtnType::suiClose)
                entry.kind = AccessibleActionKind::ClosesWindow;
            return entry;
        });
}

// The title bar whose window menu this drop-down is, or null.
TsuiTitleBar *TitleBarOpening(const TsuiMenuDropDown *menu)
{
    const QWidget *owner = menu->parentWidget();
    if (!owner)
        return nullptr;
    for (TsuiTitleBar *bar : owner->findChildren<TsuiTitleBar *>())
        if (bar->popupMenu() && bar->popupMenu()->dropDown() == menu)
            return bar;
    return nullptr;
}

QAccessibleInterface *DropDownInterface(TsuiMenuDropDown *menu)
{
    Description d;
    d.role = QAccessible::PopupMenu;
    d.name = [menu] {
        if (TitleBarOpening(menu))
            return TitleButtonName(TsuiTitleBarBtnType::suiControlBox);
        return menu->parentItem() ? spoken_caption(menu->parentItem()->caption()) : QString();
    };
    // A menu dropped down from the menu bar hangs under the bar's entry that opened it, the
    // window menu under its title bar.
    d.parent = [menu]() -> QAccessibleInterface * {
        if (TsuiTitleBar *title_bar = TitleBarOpening(menu))
            return QAccessible::queryAccessibleInterface(title_bar);
        const QWidget *owner = menu->parentWidget();
        const auto *bar = owner ? owner->findChild<TsuiMenuBar *>() : nullptr;
        if (!bar || bar->openDropDown() != menu || !bar->selectedButton())
            return nullptr;
        return QAccessible::queryAccessibleInterface(bar->selectedButton());
    };
    return new AccessibleWithEntries(
        menu, std::move(d), [menu] { return menu->count(); },
        [menu](int index) {
            AccessibleEntry entry;
            const TsuiMenuItem *item = index < menu->count() ? menu->item(index) : nullptr;
            if (!item)
                return entry;
            entry.rect = menu->itemRect(index);
            if (item->isSeparator()) {
                entry.role = QAccessible::Separator;
                return entry;
            }
            entry.role = QAccessible::MenuItem;
            entry.name = spoken_caption(item->caption());
            entry.state.disabled = !item->enabled();
            entry.state.focusable = true;
            entry.state.focused = entry.state.selected = menu->selectedIndex() == index;
            entry.state.checkable = entry.state.checked = item->checked();
            entry.state.hasPopup = item->count() > 0;
            entry.action = QAccessibleActionInterface::pressAction();
            entry.perform = [menu = QPointer<TsuiMenuDropDown>(menu), index] {
                if (menu)
                    menu->activate(index);
            };
            return entry;
        });
}

// A legend box is a picture with a meaning: a text, not focusable, nothing to tick.
Description LegendDescription(QAbstractButton *box)
{
    Description d;
    d.role = QAccessible::StaticText;
    d.name = [box] { return legend_meaning(box); };
    d.state = [](QAccessible::State &s) {
        s.focusable = s.focused = false;
        s.checkable = s.checked = false;
        s.disabled = false;
    };
    return d;
}

Description ButtonDescription(QAbstractButton *button)
{
    Description d;
    if (qobject_cast<TsuiRadioButton *>(button))
        d.role = QAccessible::RadioButton;
    else if (button->isCheckable())
        d.role = QAccessible::CheckBox;
    else
        d.role = QAccessible::Button;
    // A glyph-only button is known by its tool tip.
    d.name = [button] {
        const QString caption = spoken_caption(button->text());
        return caption.isEmpty() ? button->toolTip() : caption;
    };
    d.state = [button](QAccessible::State &s) {
        if (button->isCheckable()) {
            s.checkable = true;
            s.checked = button->isChecked();
        }
        if (auto *push = qobject_cast<TsuiCustomButton *>(button)) {
            s.defaultButton = push->activeDefault();
            s.pressed = push->isPressed();
        }
    };
    d.action = button->isCheckable() ? QAccessibleActionInterface::toggleAction()
                                     : QAccessibleActionInterface::pressAction();
    d.perform = [button] { button->click(); };
    const QKeySequence mnemonic = QKeySequence::mnemonic(button->text());
    d.keyBinding = mnemonic.toString(QKeySequence::NativeText);
    return d;
}

// A box may be made a legend after its interface exists (its first caption already tells
// assistive tools about it), so which of the two it is, is asked at every question.
Description ButtonOrLegendDescription(QAbstractButton *button)
{
    Description d = ButtonDescription(button);
    const Description legend = LegendDescription(button);
    const auto is_legend = [button] { return !legend_meaning(button).isEmpty(); };
    d.current_role = [is_legend, as_button = d.role, as_legend = legend.role] {
        return is_legend() ? as_legend : as_button;
    };
    d.name = [is_legend, as_button = d.name, as_legend = legend.name] {
        return is_legend() ? as_legend() : as_button();
    };
    d.state = [is_legend, as_button = d.state, as_legend = legend.state](QAccessible::State &s) {
        is_legend() ? as_legend(s) : as_button(s);
    };
    return d;
}

QAccessibleInterface *SkinFactory(const QString &key, QObject *object)
{
    // Asked once for each class of the object's ancestry: answer for the most derived one.
    if (!object || !object->isWidgetType() || key != QLatin1String(object->metaObject()->className()))
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    Description d;
    if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
        if (!qobject_cast<TsuiCustomButton *>(button) && !qobject_cast<TsuiCheckBox *>(button))
            return nullptr;
        return new AccessibleSkinWidget(widget, ButtonOrLegendDescription(button));
    }
    if (auto *combo = qobject_cast<TsuiComboBox *>(widget))
        return new AccessibleComboBox(combo);
    if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
        if (!qobject_cast<TsuiEdit *>(edit) && !qobject_cast<TsuiComboBox *>(edit->parentWidget()))
            return nullptr;
        return new AccessibleLineEdit(edit);
    }
    if (auto *memo = qobject_cast<TsuiMemo *>(widget))
        return new AccessiblePlainText(memo);
    if (auto *bar = qobject_cast<TsuiTitleBar *>(widget))
        return TitleBarInterface(bar);
    if (auto *menu = qobject_cast<TsuiMenuDropDown *>(widget))
        return DropDownInterface(menu);
    if (qobject_cast<AccessibleNotice *>(widget)) {
        d.role = QAccessible::Notification;
    } else if (auto *message = qobject_cast<TfrmMsg *>(widget)) {
        d.role = QAccessible::AlertMessage;
        d.name = [message] { return message->windowTitle(); };
        d.description = [message] { return message->lbl->text(); };
    } else if (qobject_cast<TForm *>(widget)) {
        d.role = QAccessible::Window;
        d.name = [widget] { return widget->windowTitle(); };
    } else if (qobject_cast<TsuiForm *>(widget)) {
        d.role = QAccessible::Pane;
    } else if (auto *box = qobject_cast<TsuiCustomGroupBox *>(widget)) {
        d.role = QAccessible::Grouping;
        d.name = [box] { return spoken_caption(box->caption()); };
    } else if (auto *panel = qobject_cast<TsuiPanel *>(widget)) {
        d.role = QAccessible::Grouping;
        d.name = [panel] { return spoken_caption(panel->caption()); };
    } else if (qobject_cast<TsuiMenuBar *>(widget)) {
        d.role = QAccessible::MenuBar;
    } else if (auto *entry = qobject_cast<TsuiMenuBarButton *>(widget)) {
        d.role = QAccessible::MenuItem;
        d.name = [entry] { return spoken_caption(entry->text()); };
        d.state = [](QAccessible::State &s) { s.hasPopup = true; };
        d.action = QAccessibleActionInterface::pressAction();
        d.perform = [entry] {
            if (auto *bar = qobject_cast<TsuiMenuBar *>(entry->parentWidget()))
                bar->buttonPressed(entry);
        };
        d.popup = [entry]() -> QWidget * {
            const auto *bar = qobject_cast<TsuiMenuBar *>(entry->parentWidget());
            return bar && bar->selectedButton() == entry ? bar->openDropDown() : nullptr;
        };
    } else {
        return nullptr;
    }
    return new AccessibleSkinWidget(widget, std::move(d));
}

} // namespace

void InstallSkinAccessibility()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(SkinFactory);
}
