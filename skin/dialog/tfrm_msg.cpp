#include "skin/dialog/tfrm_msg.h"

#include "skin/button/tsui_button.h"
#include "skin/form/tsui_form.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>

TfrmMsg::TfrmMsg()
{
    setObjectName(QStringLiteral("frmMsg"));
    setBorderStyle(TFormBorderStyle::bsDialog);
    QFont layout_font(QStringLiteral("MS Sans Serif"));
    layout_font.setPixelSize(LayoutFontPixels);
    setFont(layout_font);

    suiForm1 = new TsuiForm(this);
    suiForm1->setUIStyleAutoUpdateSub(true);
    // Only a close button: a message is answered, not minimized or moved to a menu.
    TsuiTitleBarButtons *buttons = suiForm1->TitleBarButtons();
    buttons->Clear();
    buttons->Add()->setButtonType(TsuiTitleBarBtnType::suiClose);

    lbl = new QLabel(suiForm1);
    lbl->setObjectName(QStringLiteral("lbl"));
    lbl->setTextFormat(Qt::PlainText);
    lbl->setWordWrap(true);
    lbl->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lbl->setGeometry(LabelRect);

    Image1 = new QLabel(suiForm1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(ImageRect);

    setClientSize(LayoutClientSize.width(), LayoutClientSize.height());
    // Keys are seen before the focused control takes them, and passed on untouched.
    qApp->installEventFilter(this);
}

TfrmMsg::~TfrmMsg() { qApp->removeEventFilter(this); }

void TfrmMsg::setMessageText(const QString &text)
{
    lbl->setText(text);
    lbl->setFixedWidth(LabelRect.width());
    lbl->setFixedHeight(text.isEmpty() ? LabelRect.height() : lbl->heightForWidth(LabelRect.width()));
}

void TfrmMsg::FormKeyDown(int key, Qt::KeyboardModifiers shift)
{
    if (key != Qt::Key_C || !(shift & Qt::ControlModifier))
        return;
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->setText(clipboardText());
}

QString TfrmMsg::clipboardText() const
{
    const QString rule(ClipboardRuleLength, u'-');
    QStringList captions;
    for (const TsuiButton *button : suiForm1->findChildren<TsuiButton *>(Qt::FindDirectChildrenOnly))
        captions << button->caption();
    return QStringList{rule, suiForm1->caption(), rule, lbl->text(), rule, captions.join(QStringLiteral("   ")), rule}
        .join(QStringLiteral("\r\n"));
}

void TfrmMsg::showEvent(QShowEvent *event)
{
    TForm::showEvent(event);
    if (active_control_ && !event->spontaneous())
        active_control_->setFocus(Qt::ActiveWindowFocusReason);
    // A screen reader announces the message as soon as it appears.
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

bool TfrmMsg::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return TForm::eventFilter(watched, event);
    auto *widget = static_cast<QWidget *>(watched);
    if (widget->window() != this)
        return false;
    // A key the focused control ignores travels up to the window; see it only at its first stop.
    QWidget *first = focusWidget() && focusWidget()->window() == this ? focusWidget() : this;
    if (widget == first) {
        const auto *key = static_cast<QKeyEvent *>(event);
        FormKeyDown(key->key(), key->modifiers());
    }
    return false;
}
