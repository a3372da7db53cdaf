#include "common/widgets/prerendered.h"

#include <QGuiApplication>
#include <QResource>
#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

constexpr char kMagic[8] = {'P', 'D', 'P', 'I', 'C', 'T', '0', '1'};
constexpr qsizetype kHeaderSize = 16;

bool g_used = true;

QResource resourceNamed(const QString& name)
{
    return QResource(u":/artwork/"_s + name);
}

} // namespace

std::optional<QImage> prerenderedPicture(const QString& name)
{
    if (qGuiApp && qGuiApp->devicePixelRatio() != 1.0)
        return std::nullopt;
    const QResource resource = resourceNamed(name);
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression ||
        resource.size() < kHeaderSize)
        return std::nullopt;
    const uchar* data = resource.data();
    if (std::memcmp(data, kMagic, sizeof kMagic) != 0)
        return std::nullopt;
    quint32 width = 0;
    quint32 height = 0;
    std::memcpy(&width, data + 8, 4);
    std::memcpy(&height, data + 12, 4);
    if (width == 0 || height == 0 || resource.size() != kHeaderSize + qint64(width) * height * 4)
        return std::nullopt;
    return QImage(data + kHeaderSize, int(width), int(height), int(width) * 4,
                  QImage::Format_ARGB32_Premultiplied);
}

void setPrerenderedPicturesUsed(bool used)
{
    g_used = used;
}

bool prerenderedPicturesUsed()
{
    return g_used;
}

QByteArray prerenderedText(const QString& name)
{
    const QResource resource = resourceNamed(name);
    if (!resource.isValid())
        return {};
    return resource.uncompressedData();
}

QByteArray storedPicture(const QImage& picture)
{
    const QImage pixels = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QByteArray bytes(kMagic, sizeof kMagic);
    const quint32 width = quint32(pixels.width());
    const quint32 height = quint32(pixels.height());
    bytes.append(reinterpret_cast<const char*>(&width), 4);
    bytes.append(reinterpret_cast<const char*>(&height), 4);
    for (int y = 0; y < pixels.height(); ++y)
        bytes.append(reinterpret_cast<const char*>(pixels.constScanLine(y)), qsizetype(width) * 4);
    return bytes;
}

} // namespace pptdrill
