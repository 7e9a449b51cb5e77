#include "skin/dialog/tsui_message_dialog.h"

#include "skin/button/tsui_button.h"
#include "skin/dialog/tfrm_msg.h"
#include "skin/dialog/window_placement.h"
#include "skin/form/tsui_form.h"
#include "skin/paint/device_pixels.h"
#include "skin/themes/style_bitmaps.h"
#include "skin/titlebar/tsui_title_bar.h"

#include <QLabel>
#include <QPixmap>
#include <algorithm>
#include <memory>

TsuiMessageDialog::TsuiMessageDialog(QObject *owner)
    : TsuiDialog(owner)
{
}

void TsuiMessageDialog::setButtonCount(int count) { button_count_ = std::clamp(count, 1, MaxButtons); }

QString TsuiMessageDialog::buttonCaption(int number) const
{
    return number >= 1 && number <= MaxButtons ? captions_[static_cast<std::size_t>(number - 1)] : QString();
}

void TsuiMessageDialog::setButtonCaption(int number, const QString &caption)
{
    if (number >= 1 && number <= MaxButtons)
        captions_[static_cast<std::size_t>(number - 1)] = caption;
}

int TsuiMessageDialog::buttonModalResult(int number) const
{
    return number >= 1 && number <= MaxButtons ? results_[static_cast<std::size_t>(number - 1)] : mrNone;
}

void TsuiMessageDialog::setButtonModalResult(int number, int result)
{
    if (number >= 1 && number <= MaxButtons)
        results_[static_cast<std::size_t>(number - 1)] = result;
}

TfrmMsg *TsuiMessageDialog::CreateMessageWindow() const
{
    auto form = std::make_unique<TfrmMsg>();
    form->setFont(font());
    form->setMessageText(text_);

    // Taken before an icon is loaded, so the empty picture's layout height still counts.
    const int bottom = std::max(form->lbl->geometry().bottom(), form->Image1->geometry().bottom()) + 1;

    int width = form->clientSize().width();
    if (icon_ != TsuiIconType::suiNone) {
        form->lbl->move(TfrmMsg::LabelRect.topLeft());
        QImage icon;
        CutBitmapFrame(lookSource().bitmap(LookRow::MessageIconsImage), &icon, IconCount, static_cast<int>(icon_));
        form->Image1->setPixmap(QPixmap::fromImage(icon));
        form->Image1->resize(LogicalSize(icon));
    } else {
        form->lbl->move(TfrmMsg::ImageRect.left(), TfrmMsg::LabelRect.top());
        form->Image1->hide();
        if (button_count_ <= 2)
            width = std::max(width - NoIconNarrowing, TfrmMsg::MinimumClientWidth);
    }

    // Made right to left; the last one made, button 1, is the leftmost and has the focus.
    int x = width - RightMargin - ButtonSize.width();
    TsuiButton *right_neighbour = nullptr;
    for (int number = button_count_; number >= 1; --number) {
        auto *button = new TsuiButton(form->suiForm1);
        button->setObjectName(QStringLiteral("Button%1").arg(number));
        button->setGeometry(x, bottom + RowMargin, ButtonSize.width(), ButtonSize.height());
        button->setCursor(CursorShapeFromId(buttonCursor()));
        button->setTabStop(true);
        x -= ButtonSize.width() + ButtonGap;
        button->setCaption(buttonCaption(number));
        const int result = buttonModalResult(number);
        button->setModalResult(result);
        button->setCancel(result == mrCancel);
        button->setDefault(result == mrOk);
        if (right_neighbour)
            QWidget::setTabOrder(button, right_neighbour);
        right_neighbour = button;
        form->setActiveControl(button);
    }
    form->setClientSize(width, bottom + RowMargin + ButtonSize.height() + RowMargin);
    place_window(form.get(), position());

    TsuiForm *frame = form->suiForm1;
    frame->setCaption(caption());
    frame->setUIStyle(uiStyle());
    frame->setFileTheme(fileTheme());
    frame->setTitleFont(captionFont());
    frame->titleBar()->setFontColor(captionFontColor());
    return form.release();
}

int TsuiMessageDialog::ShowModal()
{
    const std::unique_ptr<TfrmMsg> form(CreateMessageWindow());
    return form->ShowModal();
}
