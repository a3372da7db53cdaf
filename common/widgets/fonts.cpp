#include "common/widgets/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QHash>
#include <QStringList>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {
namespace {

// Installed families by their lower-case name; read once, never per paint.
const QHash<QString, QString>& installedFamilies()
{
    static const QHash<QString, QString> families = [] {
        QHash<QString, QString> byName;
        for (const QString& family : QFontDatabase::families())
            byName.insert(family.toLower(), family);
        return byName;
    }();
    return families;
}

QString& slideSongFace()
{
    static QString family;
    return family;
}

const QString& installedSongFamily()
{
    static const QString family = firstInstalledFamily(
        {u"AR PL UMing CN"_s, u"Noto Serif CJK SC"_s, u"SimSun"_s, u"宋体"_s, u"AR PL UMing TW"_s,
         u"Noto Sans CJK SC"_s, u"WenQuanYi Micro Hei"_s, u"Droid Sans Fallback"_s},
        QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    return family;
}

} // namespace

QString firstInstalledFamily(std::initializer_list<QString> candidates, const QString& fallback)
{
    for (const QString& candidate : candidates) {
        const auto found = installedFamilies().constFind(candidate.toLower());
        if (found != installedFamilies().constEnd())
            return *found;
    }
    return fallback;
}

const QString& songFamily()
{
    return slideSongFace().isEmpty() ? installedSongFamily() : slideSongFace();
}

bool useSlideSongFace(const QString& fontFile)
{
    const int id = QFontDatabase::addApplicationFont(fontFile);
    const QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty())
        return false;
    // Qt tries a family's substitutes, in order, for the characters it lacks.
    QFont::insertSubstitution(families.first(), installedSongFamily());
    slideSongFace() = families.first();
    return true;
}

const QString& heiFamily()
{
    static const QString family = firstInstalledFamily(
        {u"WenQuanYi Micro Hei"_s, u"Noto Sans CJK SC"_s, u"SimHei"_s, u"黑体"_s, u"Droid Sans Fallback"_s},
        songFamily());
    return family;
}

const QString& kaiFamily()
{
    static const QString family =
        firstInstalledFamily({u"AR PL UKai CN"_s, u"KaiTi"_s, u"楷体"_s, u"AR PL KaitiM GB"_s}, songFamily());
    return family;
}

const QString& serifFamily()
{
    static const QString family = firstInstalledFamily(
        {u"Times New Roman"_s, u"Nimbus Roman"_s, u"Liberation Serif"_s, u"DejaVu Serif"_s}, songFamily());
    return family;
}

const QString& sansFamily()
{
    static const QString family = firstInstalledFamily(
        {u"Arial"_s, u"Nimbus Sans"_s, u"Liberation Sans"_s, u"DejaVu Sans"_s}, heiFamily());
    return family;
}

QString slideFamily(const QString& requested)
{
    const QString name = requested.trimmed();
    if (name.isEmpty())
        return songFamily();
    if (const auto found = installedFamilies().constFind(name.toLower());
        found != installedFamilies().constEnd())
        return *found;
    static const QStringList heiFaces = {
        u"黑体"_s,   u"微软雅黑"_s,        u"幼圆"_s,   u"华文细黑"_s, u"华文黑体"_s,
        u"SimHei"_s, u"Microsoft YaHei"_s, u"YouYuan"_s};
    if (heiFaces.contains(name, Qt::CaseInsensitive))
        return heiFamily();
    static const QStringList kaiFaces = {u"楷体"_s,     u"楷体_GB2312"_s, u"华文楷体"_s,     u"隶书"_s,
                                         u"华文隶书"_s, u"华文行楷"_s,    u"华文新魏"_s,     u"方正舒体"_s,
                                         u"方正姚体"_s, u"KaiTi"_s,       u"KaiTi_GB2312"_s, u"LiSu"_s,
                                         u"STKaiti"_s,  u"STXingkai"_s};
    if (kaiFaces.contains(name, Qt::CaseInsensitive))
        return kaiFamily();
    const bool latinName = std::all_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x80; });
    return latinName ? name : songFamily();
}

} // namespace pptdrill
