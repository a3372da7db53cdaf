#include "movie/document/moviereading.h"

using namespace Qt::Literals::StringLiterals;

namespace pptdrill::reading {

namespace {

// 设置文本框格式's 文本锚点类型.
const QStringList& textAnchors()
{
    static const QStringList anchors{u"顶部"_s,     u"中部"_s,     u"底部"_s,
                                     u"顶部居中"_s, u"中部居中"_s, u"底部居中"_s};
    return anchors;
}

// An inset of 内部边距, in centimetres as the dialog takes them.
Check readInset(const QJsonObject& o, const QString& key, double& out, const QString& where)
{
    if (Check f = readNumber(o, key, out, where))
        return f;
    if (!(out >= 0 && out <= 100))
        return Fault{where + u'.' + key, u"应为 0 至 100 厘米"_s};
    return {};
}

} // namespace

Check readTextBoxFields(const QJsonObject& so, SlideShape& shape, const QString& where)
{
    std::optional<bool> vertical;
    std::optional<bool> wordWrap;
    Check fault;
    if ((fault = readFont(so, u"font"_s, shape.font, where)) ||
        (fault = readBool(so, u"vertical"_s, vertical, where)) ||
        (fault = readString(so, u"anchor"_s, shape.anchor, where)) ||
        (fault = readBool(so, u"wordWrap"_s, wordWrap, where)) ||
        (fault = readInset(so, u"insetLeft"_s, shape.insetLeft, where)) ||
        (fault = readInset(so, u"insetRight"_s, shape.insetRight, where)) ||
        (fault = readInset(so, u"insetTop"_s, shape.insetTop, where)) ||
        (fault = readInset(so, u"insetBottom"_s, shape.insetBottom, where)))
        return fault;
    if (!shape.anchor.isEmpty() && !textAnchors().contains(shape.anchor))
        return Fault{where + u".anchor"_s,
                     u"不能是“%1”（可用：%2）"_s.arg(shape.anchor, textAnchors().join(u'、'))};
    if (vertical)
        shape.vertical = *vertical;
    if (wordWrap)
        shape.wordWrap = *wordWrap;
    return {};
}

} // namespace pptdrill::reading
