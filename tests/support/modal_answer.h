#pragma once

#include <QString>

#include <functional>

class QWidget;

// Answers a modal window that a handler under test opens (a file dialog, a message box, a modal
// form): polls for it while the handler's modal loop runs and calls the answer once. The answer
// returns false for a window it does not want; it is offered the next one. Bounded in time: a
// window that never comes leaves answered() false, and an unanswered one still open when the
// time is up is closed, so a test fails rather than hangs.
class ModalAnswer {
public:
    using Answer = std::function<bool(QWidget *modal)>;

    explicit ModalAnswer(Answer answer, int timeout_ms = 20000);
    ~ModalAnswer();
    ModalAnswer(const ModalAnswer &) = delete;
    ModalAnswer &operator=(const ModalAnswer &) = delete;

    bool answered() const;
    // The title and text of the window answered, when it had them.
    QString seenTitle() const;
    QString seenText() const;

    // Common answers.
    static Answer chooseFile(const QString &file_name);
    static Answer cancelFileDialog();
    // Presses the first button of a message box or of the skinned message window.
    static Answer closeMessageBox();
    // Clicks button 1 to 3 (left to right) of the skinned message window.
    static Answer clickMessageWindowButton(int number);
    // Presses a key in the skinned message window ("frmMsg") where its focused button gets it.
    static Answer pressKeyInMessageWindow(int key);

private:
    struct State;
    State *state_;
};
