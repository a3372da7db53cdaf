#include "movie/document/moviereading.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

const QStringList& printPreviewContents()
{
    static const QStringList contents{
        u"幻灯片"_s,
        u"讲义(每页 1 张幻灯片)"_s,
        u"讲义(每页 2 张幻灯片)"_s,
        u"讲义(每页 3 张幻灯片)"_s,
        u"讲义(每页 4 张幻灯片)"_s,
        u"讲义(每页 6 张幻灯片)"_s,
        u"讲义(每页 9 张幻灯片)"_s,
        u"备注页"_s,
        u"大纲视图"_s,
    };
    return contents;
}

int handoutSlidesPerPage(const QString& what)
{
    static const QString prefix = u"讲义(每页 "_s;
    if (!what.startsWith(prefix) || !printPreviewContents().contains(what))
        return 0;
    return what.mid(prefix.size()).section(u' ', 0, 0).toInt();
}

int handoutMasterSlidesPerPage(const Presentation& presentation)
{
    const int given = presentation.master.notes.toInt();
    return given > 0 ? std::min(given, 9) : 6;
}

namespace reading {

// "printPreview": { what, color, frame, fit, hidden, portrait }; the fields given change.
Check readPrintPreview(const QJsonObject& fields, PrintPreview& preview, const QString& where)
{
    const QString key = u"printPreview"_s;
    if (!fields.contains(key))
        return {};
    if (!fields[key].isObject())
        return wrongType(where + u'.' + key, u"对象"_s);
    const QJsonObject o = fields[key].toObject();
    const QString w = where + u'.' + key;
    PrintPreview read = preview;
    std::optional<bool> frame, fit, hidden, portrait;
    if (Check f = readString(o, u"what"_s, read.what, w); f)
        return f;
    if (Check f = readString(o, u"color"_s, read.color, w); f)
        return f;
    if (Check f = readBool(o, u"frame"_s, frame, w); f)
        return f;
    if (Check f = readBool(o, u"fit"_s, fit, w); f)
        return f;
    if (Check f = readBool(o, u"hidden"_s, hidden, w); f)
        return f;
    if (Check f = readBool(o, u"portrait"_s, portrait, w); f)
        return f;
    if (!printPreviewContents().contains(read.what))
        return Fault{w + u".what"_s, u"不能是“%1”"_s.arg(read.what)};
    static const QStringList colors{u"颜色"_s, u"灰度"_s, u"纯黑白"_s};
    if (!colors.contains(read.color))
        return Fault{w + u".color"_s, u"不能是“%1”"_s.arg(read.color)};
    read.frame = frame.value_or(read.frame);
    read.fit = fit.value_or(read.fit);
    read.hidden = hidden.value_or(read.hidden);
    read.portrait = portrait.value_or(read.portrait);
    preview = read;
    return {};
}

} // namespace reading
} // namespace pptdrill
