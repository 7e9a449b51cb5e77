#include "skin/accessibility/accessible_notice.h"

AccessibleNotice::AccessibleNotice(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("accessibleNotice"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(0, 0);
    hide();
}

void AccessibleNotice::announce(const QString &text)
{
    hide();
    setAccessibleName(text);
    show();
}

AccessibleNotice *AccessibleNotice::of(QWidget *widget)
{
    QWidget *window = widget->window();
    if (auto *notice = window->findChild<AccessibleNotice *>(QString(), Qt::FindDirectChildrenOnly))
        return notice;
    return new AccessibleNotice(window);
}
