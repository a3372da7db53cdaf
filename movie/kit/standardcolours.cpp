#include "movie/kit/standardcolours.h"

#include <QRegularExpression>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

struct StandardColour
{
    const char16_t* name;
    unsigned rgb;
};

// The forty colours of the standard palette, by the names its tooltips give them.
const StandardColour kStandard[] = {
    {u"黑色", 0x000000},   {u"褐色", 0x993300},   {u"橄榄色", 0x333300}, {u"深绿", 0x003300},
    {u"深青", 0x003366},   {u"深蓝", 0x000080},   {u"靛蓝", 0x333399},   {u"灰色-80%", 0x333333},
    {u"深红", 0x800000},   {u"橙色", 0xFF6600},   {u"深黄", 0x808000},   {u"绿色", 0x008000},
    {u"青色", 0x008080},   {u"蓝色", 0x0000FF},   {u"蓝-灰", 0x666699},  {u"灰色-50%", 0x808080},
    {u"红色", 0xFF0000},   {u"浅橙色", 0xFF9900}, {u"酸橙色", 0x99CC00}, {u"海绿", 0x339966},
    {u"水绿色", 0x33CCCC}, {u"浅蓝", 0x3366FF},   {u"紫罗兰", 0x800080}, {u"灰色-40%", 0x969696},
    {u"粉红", 0xFF00FF},   {u"金色", 0xFFCC00},   {u"黄色", 0xFFFF00},   {u"鲜绿", 0x00FF00},
    {u"青绿", 0x00FFFF},   {u"天蓝", 0x00CCFF},   {u"梅红", 0x993366},   {u"灰色-25%", 0xC0C0C0},
    {u"玫瑰红", 0xFF99CC}, {u"茶色", 0xFFCC99},   {u"浅黄", 0xFFFF99},   {u"浅绿", 0xCCFFCC},
    {u"浅青绿", 0xCCFFFF}, {u"淡蓝", 0x99CCFF},   {u"淡紫", 0xCC99FF},   {u"白色", 0xFFFFFF},
};

} // namespace

std::optional<Rgb> namedColour(const QString& name)
{
    for (const StandardColour& c : kStandard) {
        if (name == QString::fromUtf16(c.name))
            return Rgb{static_cast<int>((c.rgb >> 16) & 0xFF), static_cast<int>((c.rgb >> 8) & 0xFF),
                       static_cast<int>(c.rgb & 0xFF)};
    }
    static const QRegularExpression rgb(u"^RGB\\((\\d+),(\\d+),(\\d+)\\)$"_s);
    if (const auto m = rgb.match(name); m.hasMatch())
        return Rgb{std::min(255, m.captured(1).toInt()), std::min(255, m.captured(2).toInt()),
                   std::min(255, m.captured(3).toInt())};
    static const QRegularExpression hex(u"^#([0-9A-Fa-f]{6})$"_s);
    if (const auto m = hex.match(name); m.hasMatch()) {
        const unsigned value = m.captured(1).toUInt(nullptr, 16);
        return Rgb{static_cast<int>((value >> 16) & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                   static_cast<int>(value & 0xFF)};
    }
    return std::nullopt;
}

bool isStandardColour(const QString& name)
{
    return std::any_of(std::begin(kStandard), std::end(kStandard),
                       [&](const StandardColour& c) { return name == QString::fromUtf16(c.name); });
}

} // namespace pptdrill
