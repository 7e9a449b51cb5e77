#include "skin/themes/file_theme.h"

#include "skin/themes/control_look.h"
#include "skin/themes/style_bitmaps.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

TsuiInvalidThemeFile::TsuiInvalidThemeFile()
    : std::runtime_error("Invalid skin file for Skinkit!")
{
}

TsuiFileTheme::TsuiFileTheme(QObject *owner)
    : QObject(owner)
{
}

QString TsuiFileTheme::ResolvePath(const QString &path) const
{
    if (path.isEmpty())
        return QString();
    if (QFileInfo(path).isFile())
        return path;
    // A theme shipped beside the program is found by its bare file name.
    if (QCoreApplication::instance()) {
        const QString besideProgram =
            QDir(QCoreApplication::applicationDirPath()).filePath(QFileInfo(path).fileName());
        if (QFileInfo(besideProgram).isFile())
            return besideProgram;
    }
    return QString();
}

void TsuiFileTheme::SetThemeFile(const QString &path)
{
    if (path == m_themeFile)
        return;
    const bool hadFileBefore = !m_themeFile.isEmpty();

    const QString resolved = ResolvePath(path);
    if (resolved.isEmpty())
        return;

    // The manager keeps its old file when the new one is refused, so a bad file changes nothing.
    if (!m_mgr.LoadFile(resolved))
        throw TsuiInvalidThemeFile();
    m_themeFile = resolved;
    m_usable = true;
    ReapplyToOwnerForm(hadFileBefore);
}

void TsuiFileTheme::ReapplyToOwnerForm(bool hadFileBefore)
{
    auto *form = qobject_cast<QWidget *>(parent());
    if (!form || !form->isWindow())
        return;

    bool frameUsesTheme = false;
    const QList<QObject *> components = form->findChildren<QObject *>();
    for (QObject *component : components) {
        ControlLook *look = ControlLook::of(component);
        if (!look || look->fileTheme() != this)
            continue;
        frameUsesTheme = frameUsesTheme || look->framesWindow();
        // Assigning the same theme again makes the control read its look anew.
        look->setFileTheme(this);
    }

    if (frameUsesTheme && hadFileBefore)
        form->update();
}

void TsuiFileTheme::GetBitmap(ThemeElement element, QImage *target) const
{
    if (!target)
        return;
    if (const auto image = m_mgr.Bitmap(ThemeElementName(element)))
        *target = *image;
}

void TsuiFileTheme::GetBitmapFrame(ThemeElement element, QImage *target, int index, int count) const
{
    if (!target)
        return;
    if (const auto image = m_mgr.Bitmap(ThemeElementName(element)))
        CutBitmapFrame(*image, target, count, index);
}

bool TsuiFileTheme::GetBool(ThemeElement element) const
{
    return m_mgr.Number(ThemeElementName(element)).value_or(0) != 0;
}

std::int32_t TsuiFileTheme::GetColor(ThemeElement element) const
{
    return m_mgr.Number(ThemeElementName(element)).value_or(-1);
}

std::int32_t TsuiFileTheme::GetInt(ThemeElement element) const
{
    return m_mgr.Number(ThemeElementName(element)).value_or(-1);
}
