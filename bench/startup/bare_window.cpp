// The yardstick for Quillon's start: the least a Qt Widgets program does to paint a window.
// With --text it also shows one line of text, which is what loading the fonts costs.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstring>

namespace {

constexpr int Width = 689; // the size of Quillon's main window
constexpr int Height = 655;
constexpr int TextLeft = 8;
constexpr int TextTop = 8;

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(Width, Height);
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0)
        (new QLabel(QStringLiteral("Quillon"), &window))->move(TextLeft, TextTop);
    window.show();
    return QApplication::exec();
}
