// artworkcompile: a build tool, not shipped. Paints the pictures a program's
// first window shows (the menu's artwork, every 16-pixel icon) once, at build
// time, for the programs to carry (drillartwork).
//   artworkcompile <output folder> [windowicon-N.png …]
// Each windowicon-N.png given is stored beside them as windowicon-N.pic.
#include "common/widgets/prerendered.h"
#include "movie/widgets/slides/slidepaintsupport.h"
#include "shell/widgets/artwork.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

bool save(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    std::fprintf(stderr, "artworkcompile: cannot write %s\n", qUtf8Printable(path));
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: artworkcompile <output folder> [windowicon-N.png …]\n");
        return 2;
    }
    if (app.devicePixelRatio() != 1.0) {
        std::fprintf(
            stderr,
            "artworkcompile: paints one pixel to a device pixel; run it with QT_QPA_PLATFORM=offscreen\n");
        return 1;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    folder.mkpath(u"."_s);
    const QStringList keys = pptdrill::iconKeys();
    const bool saved =
        save(folder.filePath(u"menu-exit.pic"_s), pptdrill::storedPicture(pptdrill::menuArtwork(true))) &&
        save(folder.filePath(u"menu-noexit.pic"_s), pptdrill::storedPicture(pptdrill::menuArtwork(false))) &&
        save(folder.filePath(u"icons16.pic"_s), pptdrill::storedPicture(pptdrill::paintIconColumn(keys))) &&
        save(folder.filePath(u"icons16.keys"_s), keys.join(u'\n').toUtf8());
    if (!saved)
        return 1;
    for (int i = 2; i < argc; ++i) {
        const QString png = QString::fromLocal8Bit(argv[i]);
        const QImage icon(png);
        if (icon.isNull()) {
            std::fprintf(stderr, "artworkcompile: cannot read %s\n", argv[i]);
            return 1;
        }
        if (!save(folder.filePath(QFileInfo(png).completeBaseName() + u".pic"_s),
                  pptdrill::storedPicture(icon)))
            return 1;
    }
    return 0;
}
