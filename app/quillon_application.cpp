#include "app/quillon_application.h"

#include "app/error_box.h"
#include "app/key_copy.h"
#include "app/reader_keys.h"
#include "avrdude/native_text.h"
#include "handlers/handler_boundary.h"
#include "session/quillon_error.h"
#include "skin/accessibility/skin_accessibility.h"
#include "skin/paint/installed_face.h"
#include "skin/themes/style_bitmaps.h"

#include <QFont>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace {

// What Qt sees of the command line; it must outlive the application object.
char fallback_program_name[] = "quillon";
int qt_argument_count = 1;
char *qt_arguments[] = {fallback_program_name, nullptr};

int &program_name_only(char *program_name)
{
    if (program_name)
        qt_arguments[0] = program_name;
    return qt_argument_count;
}

} // namespace

QuillonApplication::QuillonApplication(int &argc, char **argv)
    : QApplication(program_name_only(argc > 0 ? argv[0] : nullptr), qt_arguments)
{
    set_failure_report(show_error_box);
}

bool QuillonApplication::notify(QObject *receiver, QEvent *event)
{
    if (is_key_for_reader(receiver, event)) {
        const auto &key = *static_cast<QKeyEvent *>(event);
        // The wait for the reader may see the window go.
        const QPointer<QObject> window(receiver);
        if (kept_by_reader(key) || !window) {
            event->accept();
            return true;
        }
        const std::unique_ptr<QKeyEvent> passed = copy_key_event(key, key.isAutoRepeat());
        const bool handled = notify(receiver, passed.get());
        event->setAccepted(passed->isAccepted());
        return handled;
    }
    switch (held_keys_.judge(receiver, event)) {
    case HeldKeys::Verdict::Block:
        event->accept();
        return true;
    case HeldKeys::Verdict::DeliverAsRepeat: {
        const std::unique_ptr<QKeyEvent> repeat = copy_key_event(*static_cast<QKeyEvent *>(event), true);
        const bool handled = notify(receiver, repeat.get());
        event->setAccepted(repeat->isAccepted());
        return handled;
    }
    case HeldKeys::Verdict::Deliver:
        break;
    }
    // Handlers run inside their own boundary; this is only the last resort.
    try {
        return QApplication::notify(receiver, event);
    } catch (const QuillonError &error) {
        show_error_box(error.message());
    } catch (const std::exception &error) {
        show_error_box(QString::fromLocal8Bit(error.what()));
    }
    return true;
}

QStringList program_parameters(int argc, char **argv)
{
    QStringList parameters;
    for (int i = 1; i < argc; ++i)
        parameters << native_text(argv[i]);
    return parameters;
}

namespace {

// Qt's own texts (the file dialogs, the edits' context menus) speak German like the rest of the
// program. Without Qt's translations installed they stay English; nothing else depends on them.
void load_qt_translations()
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

void initialise_application_look()
{
    QApplication::setApplicationName(QStringLiteral("Quillon"));
    // The desktop entry the windows belong to, for task lists that group by it.
    QGuiApplication::setDesktopFileName(QStringLiteral("quillon"));
    load_qt_translations();
    // Every window, the message windows included, shows the program's icon.
    QApplication::setWindowIcon(LoadAppIcon());
    // The windows are laid out for these two faces; map them to fonts Debian ships.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    QApplication::setFont(installed_face(font));
    InstallSkinAccessibility();
}
