#include "forms/fuses/fuse_form.h"

#include "forms/question_dialog.h"
#include "session/session.h"

#include <QScopeGuard>

void TForm3::read_fuses()
{
    // A read that fails half-way has still changed what the labels show.
    const auto show_after = qScopeGuard([this] { show_session_fuses(); });
    session_.readFuses();
}

void TForm3::write_fuses()
{
    const std::optional<QString> question = session_.fuseWriteQuestion();
    if (!question || ask_question(lockoutDialog, *question))
        session_.writeFuses();
    show_session_fuses();
}
