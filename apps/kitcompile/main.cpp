// kitcompile: a build tool, not shipped. Reads and checks the PowerPoint kit's
// files and writes the kit in the form the programs read at start without
// parsing or checking it again.
//   kitcompile <kit folder> <output file>
#include "movie/kit/kitcatalog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: kitcompile <kit folder> <output file>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    std::vector<pptdrill::KitFile> files = pptdrill::KitCatalog::filesIn(folder);
    if (files.empty()) {
        std::fprintf(stderr, "kitcompile: no kit files in %s\n", argv[1]);
        return 1;
    }
    // Faults name the files where they are in the source tree.
    for (pptdrill::KitFile& file : files)
        file.name.prepend(u"movie/kit/"_s);
    const auto kit = pptdrill::KitCatalog::load(files);
    if (!kit) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(kit.error()));
        return 1;
    }
    const QByteArray bytes = kit->compiled();
    const auto readBack = pptdrill::KitCatalog::fromCompiled(bytes);
    if (!readBack || !(readBack.value() == kit.value())) {
        std::fprintf(stderr,
                     "kitcompile: the compiled kit does not read back as the kit: a field of the kit's "
                     "structures is missing from movie/kit/compiledkit.cpp\n");
        return 1;
    }
    const QString output = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(QFileInfo(output).absolutePath());
    QSaveFile out(output);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        std::fprintf(stderr, "kitcompile: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
