// The slides' Song face the build cuts from the installed one: it must hold every
// character a bank question can put on a slide, and what it lacks must still come
// out in the installed Song face, never in another kind of face.
#include "common/widgets/fonts.h"

#include <QDirIterator>
#include <QFile>
#include <QFont>
#include <QGlyphRun>
#include <QRawFont>
#include <QSet>
#include <QTextLayout>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

QSet<char32_t> charactersOfFiles(const QString& folder, const QStringList& patterns)
{
    QSet<char32_t> found;
    QDirIterator files(folder, patterns, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        for (char32_t c : QString::fromUtf8(file.readAll()).toUcs4())
            if (QChar::isPrint(c))
                found.insert(c);
    }
    return found;
}

// The families that draw `text` in `family`, one per glyph run.
QStringList familiesDrawing(const QString& text, const QString& family)
{
    QTextLayout layout(text, QFont(family, 20));
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QStringList families;
    for (const QGlyphRun& run : layout.glyphRuns())
        families << run.rawFont().familyName();
    return families;
}

} // namespace

TEST(SlideSongFace, HoldsEveryCharacterTheInstalledFaceHasForTheBanksSlides)
{
    const QRawFont cut(QStringLiteral(DRILL_SLIDE_SONG), 12);
    const QRawFont installed(QStringLiteral(DRILL_INSTALLED_SONG), 12);
    ASSERT_TRUE(cut.isValid());
    ASSERT_TRUE(installed.isValid());
    EXPECT_EQ(cut.familyName(), u"pptdrill Slide Song"_s);

    QSet<char32_t> wanted =
        charactersOfFiles(QStringLiteral(DRILL_SOURCE_DIR "/bank/movies"), {u"*.movie"_s});
    wanted += charactersOfFiles(QStringLiteral(DRILL_SOURCE_DIR "/movie/kit"), {u"*.json"_s});
    ASSERT_GT(wanted.size(), 1000);
    QStringList missing;
    for (char32_t c : std::as_const(wanted))
        if (installed.supportsCharacter(c) && !cut.supportsCharacter(c))
            missing << QString::fromUcs4(&c, 1);
    EXPECT_TRUE(missing.isEmpty()) << missing.join(QString()).toStdString();
    // Cut down to the bank, not the whole face.
    EXPECT_LT(QFile(QStringLiteral(DRILL_SLIDE_SONG)).size(), 4 * 1024 * 1024);
}

TEST(SlideSongFace, StandsForSongWithTheInstalledFaceBehindIt)
{
    const QString installed = songFamily();
    EXPECT_FALSE(useSlideSongFace(u"/nonexistent/slidesong.ttf"_s));
    EXPECT_EQ(songFamily(), installed);

    ASSERT_TRUE(useSlideSongFace(QStringLiteral(DRILL_SLIDE_SONG)));
    EXPECT_EQ(songFamily(), u"pptdrill Slide Song"_s);
    EXPECT_EQ(slideFamily(u"宋体"_s), songFamily());
    EXPECT_EQ(slideFamily(u"仿宋_GB2312"_s), songFamily());

    // 囍 is on no slide of the bank: the installed Song face draws it, the cut face the rest.
    const QRawFont cut(QStringLiteral(DRILL_SLIDE_SONG), 12);
    ASSERT_FALSE(cut.supportsCharacter(U'囍'));
    ASSERT_TRUE(cut.supportsCharacter(U'考'));
    const QStringList families = familiesDrawing(u"考囍"_s, songFamily());
    EXPECT_TRUE(families.contains(u"pptdrill Slide Song"_s)) << families.join(u',').toStdString();
    EXPECT_TRUE(families.contains(installed)) << families.join(u',').toStdString();
}
