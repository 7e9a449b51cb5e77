#pragma once

class QString;
class QObject;
class TsuiMessageDialog;

// A question before something that cannot be undone: "Abbrechen" comes first, so it has the
// focus and Enter and Escape both cancel; the other button goes on, and no key reaches it without
// the user moving there. Its text is the window's accessible description, read as it opens.
TsuiMessageDialog *make_question_dialog(QObject *owner, const QString &name, const QString &caption,
                                        const QString &go_on_caption);

// Shows the question with this text; true when the user chose to go on.
bool ask_question(TsuiMessageDialog *dialog, const QString &text);
