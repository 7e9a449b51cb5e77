#pragma once

#include "skin/window/main_window.h"
#include "skin/window/modal_window.h"

#include <QWidget>

class QEventLoop;
class TsuiForm;

// Modal results: 1 for OK, 2 for Cancel; closing a modal window by its frame gives Cancel.
enum ModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2 };

// How a window's border behaves: only the sizeable kinds can be resized by their border.
enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
Q_DECLARE_METATYPE(TFormBorderStyle)

// A top-level window of the application. Its native caption and border are replaced by the
// TsuiForm placed on it; it can be shown modeless or modally and keeps its controls between
// showings (hidden, never destroyed).
class TForm : public QWidget, public ModalWindow {
    Q_OBJECT
    Q_PROPERTY(TFormBorderStyle BorderStyle READ borderStyle WRITE setBorderStyle)

public:
    explicit TForm(QWidget *parent = nullptr);
    ~TForm() override;

    // Keeps the window with its owner, which outlives it: the window manager holds it above the
    // owner and shows the two as one entry of the task list (it is the owner's dialog, transient
    // for it). Called while the window is hidden.
    void setOwnerWindow(TForm &owner);

    // Shows the window modally and returns once it is hidden again, with its modal result.
    int ShowModal();
    bool isShownModal() const { return modal_loop_ != nullptr; }

    int modalResult() const { return modal_result_; }
    // Setting a result other than mrNone ends a modal showing.
    void setModalResult(int result) override;

    void Close() { close(); }

    // Sizes the window so that its client area (inside the skinned border) has this size.
    void setClientSize(int width, int height);
    QSize clientSize() const;
    void centreOnDesktop();

    TFormBorderStyle borderStyle() const { return border_style_; }
    void setBorderStyle(TFormBorderStyle style) { border_style_ = style; }
    bool sizeable() const
    {
        return border_style_ == TFormBorderStyle::bsSizeable || border_style_ == TFormBorderStyle::bsSizeToolWin;
    }

protected:
    // Runs every time the window is shown, before it becomes visible.
    virtual void FormShow() {}

    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QEventLoop *modal_loop_ = nullptr;
    int modal_result_ = mrNone;
    TFormBorderStyle border_style_ = TFormBorderStyle::bsSizeable;
};
