#pragma once

// A window that can be shown modally: a button with a modal result sets it on its window, which
// ends a modal showing.
class ModalWindow {
public:
    virtual void setModalResult(int result) = 0;

protected:
    ModalWindow() = default;
    ModalWindow(const ModalWindow &) = delete;
    ModalWindow &operator=(const ModalWindow &) = delete;
    ~ModalWindow() = default;
};
