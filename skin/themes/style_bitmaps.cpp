#include "skin/themes/style_bitmaps.h"

#include "handlers/handler_boundary.h"
#include "skin/paint/device_pixels.h"
#include "skin/themes/builtin_theme_table.h"
#include "skin/themes/ready_bitmap.h"

#include <QCache>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QResource>

// The generated resources live in this static library; referencing their initialisers keeps the
// linker from dropping them and registers them before the first lookup.
static void InitSkinBitmapResources()
{
    Q_INIT_RESOURCE(skin_ready_bitmaps);
    Q_INIT_RESOURCE(skin_bitmaps);
}

namespace {

const QString ResourcePrefix = QStringLiteral(":/skin/");
// The bitmaps every start shows are stored ready to draw; the finer ones, which only high-density
// screens load, as PNG.
const QString ReadySuffix = QStringLiteral(".ready");
const QString PngSuffix = QStringLiteral(".png");

QString ReadyPath(const QString &name)
{
    return ResourcePrefix + name + ReadySuffix;
}

QString PngPath(const QString &name)
{
    return ResourcePrefix + name + PngSuffix;
}

// Every bitmap is also embedded drawn at twice the density, as NAME@2x; a screen with more than
// one device pixel per design pixel gets that one (Qt scales it down where the ratio is below 2).
constexpr int FineRatio = 2;

int WantedRatio()
{
    return qGuiApp && qGuiApp->devicePixelRatio() > 1.0 ? FineRatio : 1;
}

QString FineName(const QString &name)
{
    return name + QStringLiteral("@%1x").arg(FineRatio);
}

void EnsureResourcesRegistered()
{
    static const bool registered = [] {
        InitSkinBitmapResources();
        return true;
    }();
    (void)registered;
}

// A name never contains a path separator; refusing them keeps lookups inside the skin folder.
bool IsPlainName(const QString &name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

// Enough for every frame of every built-in style several times over.
constexpr qsizetype CutFramesKilobytes = 4 * 1024;

struct FrameKey {
    qint64 source;
    int count;
    int index;
    friend bool operator==(const FrameKey &, const FrameKey &) = default;
};

size_t qHash(const FrameKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.source, key.count, key.index);
}

} // namespace

bool HasStyleBitmap(const QString &name)
{
    EnsureResourcesRegistered();
    return IsPlainName(name) && (QFile::exists(ReadyPath(name)) || QFile::exists(PngPath(name)));
}

namespace {

// The embedded bitmap of that exact name as it is stored, or a null image.
QImage ReadEmbedded(const QString &name)
{
    const QResource ready(ReadyPath(name));
    if (ready.isValid()) {
        // Stored as they are, the bytes stay in the executable for its whole run and the image can
        // share them.
        if (ready.compressionAlgorithm() == QResource::NoCompression)
            return ready_bitmap::Wrap(ready.data(), ready.size());
        const QByteArray bytes = ready.uncompressedData();
        return ready_bitmap::Wrap(reinterpret_cast<const uchar *>(bytes.constData()), bytes.size()).copy();
    }
    QImage image(PngPath(name));
    // One pixel format for every bitmap, whatever the file stored (the glyphs are palette images).
    if (!image.isNull())
        image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    return image;
}

} // namespace

QImage LoadStyleBitmap(const QString &name)
{
    static QMutex mutex;
    static QHash<QString, QImage> decoded;

    const int ratio = WantedRatio();
    const QString key = ratio == 1 ? name : FineName(name);
    QMutexLocker lock(&mutex);
    if (const auto it = decoded.constFind(key); it != decoded.cend())
        return *it;

    QImage image;
    if (HasStyleBitmap(name)) {
        if (ratio != 1 && HasStyleBitmap(key)) {
            image = ReadEmbedded(key);
            image.setDevicePixelRatio(ratio);
        } else {
            image = ReadEmbedded(name);
        }
    }
    // A failure is kept as an empty image, so that the next paint neither loads nor reports it again.
    decoded.insert(key, image);
    if (image.isNull())
        report_failure_later(QStringLiteral("Bitmap resource \"%1\" not found").arg(name));
    return image;
}

QIcon LoadAppIcon()
{
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(LoadStyleBitmap(QStringLiteral("APP_ICON"))));
    icon.addPixmap(QPixmap::fromImage(LoadStyleBitmap(QStringLiteral("APP_ICON_16"))));
    return icon;
}

void CutBitmapFrame(const QImage &source, QImage *target, int count, int index)
{
    if (!target)
        return;
    if (count < 1 || index < 1 || index > count) {
        *target = QImage();
        return;
    }
    // The same frame is cut again on every paint of a control. Handing out the same image each
    // time also lets painters cache what they make of it by its cache key.
    static QMutex mutex;
    static QCache<FrameKey, QImage> frames(CutFramesKilobytes);
    const FrameKey key{source.cacheKey(), count, index};
    QMutexLocker lock(&mutex);
    if (const QImage *cut = frames.object(key)) {
        *target = *cut;
        return;
    }
    // Frames are counted in design pixels, so a finer bitmap is cut where its design is.
    const QSize whole = LogicalSize(source);
    const int frameWidth = whole.width() / count;
    *target = CopyLogical(source, QRect(frameWidth * (index - 1), 0, frameWidth, whole.height()));
    frames.insert(key, new QImage(*target), target->sizeInBytes() / 1024 + 1);
}

void GetThemeBitmap(TsuiUIStyle style, ThemeElement element, QImage *target, int frameIndex, int frameCount)
{
    if (!target)
        return;
    const QString name = GetThemeImageName(style, element);
    if (name.isEmpty()) {
        if (frameCount != 0)
            *target = QImage();
        return;
    }
    const QImage whole = LoadStyleBitmap(name);
    if (frameCount == 0)
        *target = whole;
    else
        CutBitmapFrame(whole, target, frameCount, frameIndex);
}
