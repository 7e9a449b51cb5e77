#include "tests/support/modal_answer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

namespace {
constexpr int PollMs = 20;

QWidget *current_modal()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top->isVisible() && top->isModal())
            return top;
    return nullptr;
}

QString visible_text(QWidget *modal)
{
    if (auto *box = qobject_cast<QMessageBox *>(modal))
        return box->text();
    QStringList texts;
    for (QLabel *label : modal->findChildren<QLabel *>())
        if (!label->text().isEmpty())
            texts << label->text();
    return texts.join(u'\n');
}
} // namespace

struct ModalAnswer::State {
    Answer answer;
    QTimer timer;
    QElapsedTimer clock;
    int timeout_ms = 0;
    bool answered = false;
    QPointer<QWidget> answered_window;
    QString title;
    QString text;
};

ModalAnswer::ModalAnswer(Answer answer, int timeout_ms)
    : state_(new State)
{
    state_->answer = std::move(answer);
    state_->timeout_ms = timeout_ms;
    state_->clock.start();
    State *state = state_;
    QObject::connect(&state_->timer, &QTimer::timeout, [state] {
        if (state->answered) {
            // An answer that did not close its window (a key that came too early, say) would leave
            // the handler's modal loop running: close it when the time is up, so the test fails.
            if (!state->answered_window || !state->answered_window->isVisible())
                state->timer.stop();
            else if (state->clock.elapsed() > state->timeout_ms)
                state->answered_window->close();
            return;
        }
        QWidget *modal = current_modal();
        if (state->clock.elapsed() > state->timeout_ms) {
            // Unanswered in time: close what is open so the test fails instead of hanging.
            state->timer.stop();
            if (modal)
                modal->close();
            return;
        }
        if (!modal)
            return;
        const QString title = modal->windowTitle();
        const QString text = visible_text(modal);
        if (state->answer(modal)) {
            state->answered = true;
            state->answered_window = modal;
            state->title = title;
            state->text = text;
        }
    });
    state_->timer.start(PollMs);
}

ModalAnswer::~ModalAnswer() { delete state_; }

bool ModalAnswer::answered() const { return state_->answered; }
QString ModalAnswer::seenTitle() const { return state_->title; }
QString ModalAnswer::seenText() const { return state_->text; }

ModalAnswer::Answer ModalAnswer::chooseFile(const QString &file_name)
{
    return [file_name](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (!dialog)
            return false;
        // Typed into the name field, as a user would: selectFile() with a full path loses the
        // name while the dialog's directory model is still loading.
        auto *name_field = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (!name_field)
            return false;
        name_field->setText(file_name);
        QMetaObject::invokeMethod(dialog, "accept");
        return true;
    };
}

ModalAnswer::Answer ModalAnswer::cancelFileDialog()
{
    return [](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (!dialog)
            return false;
        dialog->reject();
        return true;
    };
}

ModalAnswer::Answer ModalAnswer::closeMessageBox()
{
    return [](QWidget *modal) {
        if (modal->objectName() == QLatin1String("frmMsg"))
            return clickMessageWindowButton(1)(modal);
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box || box->buttons().isEmpty())
            return false;
        box->buttons().first()->click();
        return true;
    };
}

ModalAnswer::Answer ModalAnswer::clickMessageWindowButton(int number)
{
    return [number](QWidget *modal) {
        if (modal->objectName() != QLatin1String("frmMsg"))
            return false;
        auto *button = modal->findChild<QWidget *>(QStringLiteral("Button%1").arg(number));
        if (!button)
            return false;
        QTest::mouseClick(button, Qt::LeftButton);
        return true;
    };
}

ModalAnswer::Answer ModalAnswer::pressKeyInMessageWindow(int key)
{
    return [key](QWidget *modal) {
        if (modal->objectName() != QLatin1String("frmMsg"))
            return false;
        // A user's key reaches a window the window manager has made active, and a button that
        // does not have the focus ignores Enter. The offscreen platform has no window manager and
        // may leave a dialog opened right after another one inactive: activate it as one would,
        // and press once it is.
        if (!modal->isActiveWindow()) {
            modal->activateWindow();
            return false;
        }
        QWidget *focus = modal->focusWidget();
        if (focus && !focus->hasFocus())
            return false;
        QTest::keyClick(focus ? focus : modal, static_cast<Qt::Key>(key));
        return true;
    };
}
