#include "app/quillon_application.h"

#include "app/error_box.h"
#include "app/quillon_error.h"
#include "skin/accessibility/skin_accessibility.h"
#include "skin/form/handler_boundary.h"
#include "skin/themes/style_bitmaps.h"

#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

QuillonApplication::QuillonApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    set_failure_report(show_error_box);
}

bool QuillonApplication::notify(QObject *receiver, QEvent *event)
{
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
    QApplication::setFont(font);
    InstallSkinAccessibility();
}
