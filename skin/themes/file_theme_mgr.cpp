#include "skin/themes/file_theme_mgr.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

bool TsuiFileThemeMgr::LoadFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > TsuiThemeFileReader::MaxFileSize)
        return false;
    QByteArray bytes = file.read(TsuiThemeFileReader::MaxFileSize + 1);
    if (bytes.size() > TsuiThemeFileReader::MaxFileSize || !TsuiThemeFileReader::HasValidMagic(bytes))
        return false;
    m_reader = std::make_unique<TsuiThemeFileReader>(std::move(bytes));
    return true;
}

std::optional<QImage> TsuiFileThemeMgr::Bitmap(const QString &name) const
{
    if (!m_reader)
        return std::nullopt;
    QByteArray data = m_reader->BitmapData(name);
    if (data.isEmpty())
        return std::nullopt;

    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(BitmapAllocationLimitMiB);
    QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    return image;
}

std::optional<std::int32_t> TsuiFileThemeMgr::Number(const QString &name) const
{
    if (!m_reader)
        return std::nullopt;
    return m_reader->Number(name);
}
