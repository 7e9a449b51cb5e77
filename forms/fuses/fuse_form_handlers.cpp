#include "forms/fuses/fuse_form.h"

#include "session/fuse_description.h"
#include "session/quillon_error.h"
#include "session/session.h"
#include "skin/button/tsui_check_box.h"
#include "skin/dialog/tsui_message_dialog.h"

#include <QScopeGuard>

void TForm3::read_fuses()
{
    // A read that fails half-way has still changed what the labels show.
    const auto show_after = qScopeGuard([this] { show_session_fuses(); });
    session_.readFuses();
}

void TForm3::write_fuses()
{
    recompute_fuse_values();
    if (confirm_lockout_risks())
        session_.writeFuses();
    show_session_fuses();
}

bool TForm3::confirm_lockout_risks()
{
    const FuseByteValues intended = session_.intendedFuseWrite();
    const FuseByteValues &last_read = session_.chipReport().bytes();
    const std::vector<LockoutRisk> risks = lockout_risks(lockout_bit_names(), intended, last_read);
    if (risks.empty())
        return true;
    lockoutDialog->setText(lockout_warning_text(risks, compared_with_nothing(intended, last_read)));
    return lockoutDialog->ShowModal() == LockoutConfirmed;
}

QStringList TForm3::lockout_bit_names() const
{
    try {
        return load_fuse_description(session_.device());
    } catch (const QuillonError &) {
        QStringList shown;
        for (int index = 0; index < FuseCaptionCount; ++index)
            shown << bitBox(index)->text();
        return shown;
    }
}
