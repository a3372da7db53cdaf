#include "movie/document/moviereading.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill::reading {

Check wrongType(const QString& where, const QString& expected)
{
    return Fault{where, u"应为%1"_s.arg(expected)};
}

Check readString(const QJsonObject& o, const QString& key, QString& out, const QString& where)
{
    if (!o.contains(key))
        return {};
    if (!o[key].isString())
        return wrongType(where + u'.' + key, u"文字"_s);
    out = o[key].toString();
    return {};
}

Check readNumber(const QJsonObject& o, const QString& key, double& out, const QString& where)
{
    if (!o.contains(key))
        return {};
    if (!o[key].isDouble())
        return wrongType(where + u'.' + key, u"数字"_s);
    out = o[key].toDouble();
    return {};
}

Check readBool(const QJsonObject& o, const QString& key, std::optional<bool>& out, const QString& where)
{
    if (!o.contains(key))
        return {};
    if (!o[key].isBool())
        return wrongType(where + u'.' + key, u"true 或 false"_s);
    out = o[key].toBool();
    return {};
}

Check readColor(const QJsonObject& o, const QString& key, QString& out, const QString& where)
{
    if (Check f = readString(o, key, out, where))
        return f;
    // Empty, or # and six hexadecimal digits.
    const auto hexDigit = [](QChar c) {
        return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
    };
    if (!out.isEmpty() &&
        (out.size() != 7 || out[0] != u'#' || !std::all_of(out.begin() + 1, out.end(), hexDigit)))
        return wrongType(where + u'.' + key, u"颜色 #RRGGBB"_s);
    return {};
}

// A whole number: a slide number, the selected slide.
Check readInteger(const QJsonValue& v, int& out, const QString& where, const QString& expected)
{
    const double d = v.toDouble();
    if (!v.isDouble() || !(std::abs(d) <= 1e9) || d != std::trunc(d))
        return wrongType(where, expected);
    out = static_cast<int>(d);
    return {};
}

// A font colour: #RRGGBB, or a colour of the slide's scheme that it follows
// as the scheme changes (遵循强调配色方案 is "accent").
Check readFontColor(const QJsonObject& f, QString& out, const QString& where)
{
    QString given = out;
    if (Check fault = readString(f, u"color"_s, given, where))
        return fault;
    if (schemeColorNames().contains(given)) {
        out = given;
        return {};
    }
    return readColor(f, u"color"_s, out, where);
}

Check readFont(const QJsonObject& o, const QString& key, SlideFont& font, const QString& where)
{
    if (!o.contains(key))
        return {};
    if (!o[key].isObject())
        return wrongType(where + u'.' + key, u"对象"_s);
    const QJsonObject f = o[key].toObject();
    const QString w = where + u'.' + key;
    Check fault;
    if ((fault = readString(f, u"family"_s, font.family, w)) ||
        (fault = readNumber(f, u"size"_s, font.size, w)) || (fault = readBool(f, u"bold"_s, font.bold, w)) ||
        (fault = readBool(f, u"italic"_s, font.italic, w)) ||
        (fault = readBool(f, u"underline"_s, font.underline, w)) ||
        (fault = readFontColor(f, font.color, w)) || (fault = readString(f, u"align"_s, font.align, w)) ||
        (fault = readString(f, u"latinFamily"_s, font.latinFamily, w)) ||
        (fault = readBool(f, u"shadow"_s, font.shadow, w)) ||
        (fault = readBool(f, u"emboss"_s, font.emboss, w)))
        return fault;
    if (font.size != 0 && !(font.size >= 1 && font.size <= kMaxFontSize))
        return Fault{w + u".size"_s, u"应为 1 至 %1 磅（0 为版式的字号）"_s.arg(kMaxFontSize)};
    return {};
}
} // namespace pptdrill::reading
