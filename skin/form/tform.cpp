#include "skin/form/tform.h"

#include "handlers/handler_boundary.h"
#include "skin/form/focus_return.h"
#include "skin/form/reading_order.h"
#include "skin/form/tsui_form.h"
#include "skin/frameless/window_geometry.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

TForm::TForm(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    offer_application_main_window(this);
}

TForm::~TForm()
{
    // The frame goes first, while this window is still whole, so that it can give the window
    // back its plain shape.
    delete findChild<TsuiForm *>(QString(), Qt::FindDirectChildrenOnly);
}

void TForm::setOwnerWindow(TForm &owner)
{
    const QPoint place = pos();
    setParent(&owner, Qt::Dialog | Qt::FramelessWindowHint);
    move(place);
}

int TForm::ShowModal()
{
    QPointer<TForm> guard(this);
    const FocusReturn opener;
    modal_result_ = mrNone;
    setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    modal_loop_ = &loop;
    show();
    if (guard && isVisible() && modal_result_ == mrNone)
        loop.exec(QEventLoop::DialogExec);
    if (!guard)
        return mrCancel;
    modal_loop_ = nullptr;
    const bool returns = opener.window() != this;
    if (returns)
        opener.handOver();
    hide();
    setWindowModality(Qt::NonModal);
    if (returns)
        opener.giveBack();
    return modal_result_;
}

void TForm::setModalResult(int result)
{
    modal_result_ = result;
    if (result != mrNone && modal_loop_)
        modal_loop_->exit();
}

void TForm::setClientSize(int width, int height)
{
    TsuiForm *frame_panel = findChild<TsuiForm *>(QString(), Qt::FindDirectChildrenOnly);
    const QMargins frame = frame_panel ? frame_panel->frameMargins() : TsuiForm::BandMargins;
    resize(width + frame.left() + frame.right(), height + frame.top() + frame.bottom());
    // A hidden window gets its resize event only when shown; lay it out now.
    if (frame_panel)
        frame_panel->realign();
}

QSize TForm::clientSize() const
{
    const TsuiForm *frame_panel = findChild<TsuiForm *>(QString(), Qt::FindDirectChildrenOnly);
    return size().shrunkBy(frame_panel ? frame_panel->frameMargins() : TsuiForm::BandMargins);
}

void TForm::centreOnDesktop()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    move(centred_in(size(), screen->availableGeometry()));
}

void TForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    // Windows place and show controls as they go: the order is taken from where they ended up.
    SetReadingTabOrder(this);
    run_handler([this] { FormShow(); });
}

void TForm::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (modal_loop_) {
        if (modal_result_ == mrNone)
            modal_result_ = mrCancel;
        modal_loop_->exit();
    }
}
