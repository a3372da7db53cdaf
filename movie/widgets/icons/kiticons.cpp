// The small pictures of the simulated program: the window's own icons, the
// lookup of every icon by key, and the drawing of one.
#include "common/widgets/prerendered.h"
#include "movie/kit/kitcatalog.h"
#include "movie/widgets/icons/kiticonpainting.h"
#include "movie/widgets/slides/slidepainter.h"

#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {
namespace {

using namespace kiticons;

// --- the window and its panes

void iconPowerPoint(QPainter& p)
{
    QLinearGradient face(0, 1, 0, 15);
    face.setColorAt(0, QColor(0xF4, 0x9B, 0x5A));
    face.setColorAt(1, QColor(0xC2, 0x41, 0x0C));
    p.setPen(iconPen(QColor(0x8A, 0x2C, 0x06)));
    p.setBrush(face);
    p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 2, 2);
    letters(p, u"P"_s, QRectF(4.5, 3, 7, 10), ink::paper, true, false, sansFamily());
}

void iconSlide(QPainter& p)
{
    slideFrame(p, QRectF(1.5, 2.5, 13, 11));
    rule(p, 3.5, 12.5, 8.5, ink::paperLine);
    rule(p, 3.5, 10.5, 10.5, ink::paperLine);
}

void iconViewNormal(QPainter& p)
{
    box(p, QRectF(1.5, 2.5, 13, 11), ink::paper, ink::outline);
    p.fillRect(QRectF(2, 3, 3.5, 10), QColor(0xC5, 0xD7, 0xF2));
    box(p, QRectF(6.5, 4.5, 7, 5), ink::paper, ink::grey);
    rule(p, 6.5, 13.5, 11.5, ink::grey);
}

void iconViewSorter(QPainter& p)
{
    for (int i = 0; i < 4; ++i)
        slideFrame(p, QRectF(1.5 + (i % 2) * 7, 2.5 + (i / 2) * 6, 6, 5));
}

void iconViewShow(QPainter& p)
{
    p.setPen(iconPen(ink::outline));
    p.drawLine(QPointF(8, 12), QPointF(8, 15));
    p.drawLine(QPointF(8, 13), QPointF(4.5, 15.5));
    p.drawLine(QPointF(8, 13), QPointF(11.5, 15.5));
    box(p, QRectF(1.5, 1.5, 13, 10), ink::paper, ink::outline);
    QLinearGradient picture(0, 3, 0, 10);
    picture.setColorAt(0, QColor(0x5E, 0x9E, 0xF0));
    picture.setColorAt(1, QColor(0xD8, 0xEA, 0xFF));
    p.fillRect(QRectF(3, 3, 10, 7), picture);
    polygon(p, {QPointF(3, 10), QPointF(7, 6), QPointF(10, 10)}, ink::green, {});
}

void iconOutline(QPainter& p)
{
    box(p, QRectF(1.5, 1.5, 13, 13), ink::paper, ink::outline);
    textLines(p, {{3, 12}, {5, 12}, {5, 10}, {3, 12}}, 4.5, 2.6, ink::grey);
    for (const double y : {4.5, 12.3})
        p.fillRect(QRectF(3, y - 0.5, 1.5, 1.5), ink::blue);
}

void iconTransition(QPainter& p)
{
    box(p, QRectF(1.5, 3.5, 8, 7), QColor(0xC5, 0xD7, 0xF2), ink::outline);
    box(p, QRectF(6.5, 6.5, 8, 7), ink::paper, ink::outline);
    p.setPen(roundPen(ink::blue, 1.2));
    p.drawLine(QPointF(8.5, 10), QPointF(11.5, 10));
    arrowHead(p, QPointF(13.5, 10), 0, 2.5, ink::blue);
}

void iconAnimation(QPainter& p)
{
    p.setPen(roundPen(ink::grey, 1));
    for (const double y : {6.0, 9.0, 12.0})
        p.drawLine(QPointF(1, y), QPointF(5, y));
    p.setPen(iconPen(ink::darkYellow, 0.7));
    p.setBrush(QColor(0xFF, 0xD8, 0x3A));
    p.drawPath(starPath(QPointF(10, 8.5), 6, 2.6, 5));
}

void iconBack(QPainter& p)
{
    QRadialGradient ball(QPointF(6, 5), 9);
    ball.setColorAt(0, QColor(0x8D, 0xD8, 0x6A));
    ball.setColorAt(1, QColor(0x2E, 0x8A, 0x22));
    p.setPen(iconPen(QColor(0x1E, 0x5E, 0x16)));
    p.setBrush(ball);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(roundPen(ink::paper, 1.8));
    p.drawLine(QPointF(11.5, 8), QPointF(6.5, 8));
    arrowHead(p, QPointF(3.8, 8), 180, 3.6, ink::paper);
}

void iconForward(QPainter& p)
{
    p.save();
    p.translate(16, 0);
    p.scale(-1, 1);
    iconBack(p);
    p.restore();
}

void iconLink(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(ink::blue);
    p.drawEllipse(QPointF(8, 8), 2.2, 2.2);
}

void iconClose(QPainter& p)
{
    p.setPen(roundPen(ink::text, 1.8));
    p.drawLine(QPointF(4, 4), QPointF(12, 12));
    p.drawLine(QPointF(12, 4), QPointF(4, 12));
}

void iconDelete(QPainter& p)
{
    p.setPen(roundPen(ink::red, 2.4));
    p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
}

void iconFind(QPainter& p)
{
    p.setPen(iconPen(ink::text));
    p.setBrush(QColor(0x4A, 0x52, 0x60));
    p.drawRoundedRect(QRectF(2.5, 2.5, 4, 6), 1, 1);
    p.drawRoundedRect(QRectF(9.5, 2.5, 4, 6), 1, 1);
    p.drawRect(QRectF(6.5, 5.5, 3, 2));
    p.setBrush(QColor(0x9E, 0xD0, 0xFF));
    p.drawEllipse(QPointF(4.5, 11.5), 3, 3);
    p.drawEllipse(QPointF(11.5, 11.5), 3, 3);
}

void iconReplace(QPainter& p)
{
    letters(p, u"a"_s, QRectF(1, 1.5, 5, 5), ink::text, true, false, sansFamily());
    letters(p, u"b"_s, QRectF(10, 8.5, 5, 6.5), ink::blue, true, false, sansFamily());
    p.setPen(roundPen(ink::blue, 1.4));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(4, 9);
    path.quadTo(4, 13, 7.5, 13);
    p.drawPath(path);
    arrowHead(p, QPointF(9.5, 13), 0, 3, ink::blue);
}

void iconSound(QPainter& p)
{
    paintSpeaker(p, QRectF(0.5, 0.5, 15, 15), QColor(0x6F, 0x8F, 0xC8));
}

void iconMovie(QPainter& p)
{
    paintFilm(p, QRectF(0.5, 2.5, 15, 11));
}

void iconObject(QPainter& p)
{
    page(p, QRectF(1.5, 1.5, 10, 13), false);
    p.setPen(iconPen(QColor(0x8A, 0x1E, 0x1E)));
    p.setBrush(QColor(0xF0, 0x6A, 0x5A));
    p.drawEllipse(QRectF(3.5, 7.5, 5, 5));
    box(p, QRectF(7.5, 5.5, 7, 7), QColor(0x6E, 0x9B, 0xE0), ink::darkBlue);
}

// --- the action buttons (幻灯片放映 → 动作按钮): a raised square face with a sign

void actionFace(QPainter& p)
{
    QLinearGradient face(0, 1, 0, 15);
    face.setColorAt(0, QColor(0xE6, 0xEE, 0xFA));
    face.setColorAt(1, QColor(0xA8, 0xBE, 0xE0));
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawRect(QRectF(1, 1, 14, 14));
    // Light on the top and left edges, shade on the others, as a bevel.
    p.setPen(iconPen(ink::paper));
    p.drawLine(QPointF(1.5, 14), QPointF(1.5, 1.5));
    p.drawLine(QPointF(1.5, 1.5), QPointF(14, 1.5));
    p.setPen(iconPen(QColor(0x4B, 0x5B, 0x73)));
    p.drawLine(QPointF(14.5, 1.5), QPointF(14.5, 14.5));
    p.drawLine(QPointF(14.5, 14.5), QPointF(1.5, 14.5));
}

void signTriangle(QPainter& p, bool right, double x)
{
    if (right)
        polygon(p, {QPointF(x, 4.5), QPointF(x + 6, 8), QPointF(x, 11.5)}, ink::darkBlue, {});
    else
        polygon(p, {QPointF(x + 6, 4.5), QPointF(x, 8), QPointF(x + 6, 11.5)}, ink::darkBlue, {});
}

void iconActionCustom(QPainter& p)
{
    actionFace(p);
}

void iconActionHome(QPainter& p)
{
    actionFace(p);
    polygon(p, {QPointF(3.5, 8), QPointF(8, 3.5), QPointF(12.5, 8)}, ink::darkBlue, {});
    box(p, QRectF(5, 8, 6, 4.5), ink::darkBlue, {});
    p.fillRect(QRectF(7.2, 9.5, 1.6, 3), QColor(0xC8, 0xD6, 0xEE));
}

void iconActionHelp(QPainter& p)
{
    actionFace(p);
    letters(p, u"?"_s, QRectF(5, 3.5, 6, 9), ink::darkBlue, true, false, sansFamily());
}

void iconActionInformation(QPainter& p)
{
    actionFace(p);
    p.setPen(Qt::NoPen);
    p.setBrush(ink::darkBlue);
    p.drawEllipse(QPointF(8, 4.6), 1.3, 1.3);
    p.drawRect(QRectF(6.9, 6.8, 2.2, 5.8));
}

void iconActionBack(QPainter& p)
{
    actionFace(p);
    signTriangle(p, false, 4.5);
}

void iconActionForward(QPainter& p)
{
    actionFace(p);
    signTriangle(p, true, 5.5);
}

void iconActionBeginning(QPainter& p)
{
    actionFace(p);
    p.fillRect(QRectF(4, 4.5, 1.6, 7), ink::darkBlue);
    signTriangle(p, false, 5.8);
}

void iconActionEnd(QPainter& p)
{
    actionFace(p);
    signTriangle(p, true, 4.2);
    p.fillRect(QRectF(10.4, 4.5, 1.6, 7), ink::darkBlue);
}

void iconActionReturn(QPainter& p)
{
    actionFace(p);
    p.setPen(roundPen(ink::darkBlue, 1.6));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(11.5, 12);
    path.lineTo(11.5, 7);
    path.quadTo(11.5, 4.5, 8.5, 4.5);
    path.quadTo(6, 4.5, 6, 7);
    path.lineTo(6, 8.5);
    p.drawPath(path);
    arrowHead(p, QPointF(6, 12), 90, 3.4, ink::darkBlue);
}

void iconActionDocument(QPainter& p)
{
    actionFace(p);
    page(p, QRectF(4.5, 3.5, 7, 9), true);
}

void iconActionSound(QPainter& p)
{
    actionFace(p);
    paintSpeaker(p, QRectF(3, 3, 10, 10), ink::darkBlue);
}

void iconActionMovie(QPainter& p)
{
    actionFace(p);
    box(p, QRectF(3.5, 6, 7, 5.5), ink::darkBlue, {});
    polygon(p, {QPointF(10.5, 8.7), QPointF(13, 6.5), QPointF(13, 11)}, ink::darkBlue, {});
    p.setPen(iconPen(ink::darkBlue));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(5.2, 4.3), 1.5, 1.5);
    p.drawEllipse(QPointF(8.6, 4.3), 1.5, 1.5);
}

// --- the kinds of custom animation effect (自定义动画 → 添加效果)

void effectStar(QPainter& p, const QColor& colour)
{
    p.setPen(iconPen(colour.darker(170), 0.8));
    p.setBrush(colour);
    p.drawPath(starPath(QPointF(8, 8.5), 7, 3, 5));
}

void iconEffectEntrance(QPainter& p)
{
    effectStar(p, QColor(0x3A, 0xB0, 0x3A));
}

void iconEffectEmphasis(QPainter& p)
{
    effectStar(p, QColor(0xF2, 0xC4, 0x1E));
}

void iconEffectExit(QPainter& p)
{
    effectStar(p, QColor(0xD8, 0x3A, 0x2A));
}

void iconEffectPath(QPainter& p)
{
    p.setPen(QPen(ink::outline, 1.2, Qt::DotLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(2.5, 12.5);
    path.cubicTo(5, 3, 10, 14, 12.5, 4);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3A, 0xB0, 0x3A));
    p.drawEllipse(QPointF(2.5, 12.5), 1.8, 1.8);
    arrowHead(p, QPointF(13, 2.5), -70, 3.5, QColor(0xD8, 0x3A, 0x2A));
}

// 阴影样式 n: a white square casting a grey shadow out in one of eight
// directions; each further eight fall further, as the perspective ones do.
void paintShadowStyleIcon(QPainter& p, int style)
{
    static const QPointF directions[] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0},
                                         {-1, 1},  {1, 1},  {0, 1},  {1, 0}};
    const QPointF offset = directions[(style - 1) % 8] * (style <= 8 ? 2.0 : style <= 16 ? 3.0 : 4.0);
    const QRectF square(4, 4, 8, 8);
    p.fillRect(square.translated(offset), QColor(0x80, 0x80, 0x80));
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    p.setBrush(Qt::white);
    p.drawRect(square);
}

template <int Style> void iconShadowStyle(QPainter& p)
{
    paintShadowStyleIcon(p, Style);
}

template <int... Styles>
void addShadowStyleIcons(QHash<QString, IconPainter>& painters, std::integer_sequence<int, Styles...>)
{
    ((painters[u"shadow-%1"_s.arg(Styles + 1)] = iconShadowStyle<Styles + 1>), ...);
}

// Any key without a picture of its own: a neat plain button face.
void iconGeneric(QPainter& p)
{
    QLinearGradient face(0, 2, 0, 14);
    face.setColorAt(0, QColor(0xF4, 0xF7, 0xFC));
    face.setColorAt(1, QColor(0xB9, 0xC9, 0xE2));
    p.setPen(iconPen(QColor(0x5A, 0x6E, 0x8C)));
    p.setBrush(face);
    p.drawRoundedRect(QRectF(2.5, 2.5, 11, 11), 2, 2);
    polygon(p, {QPointF(8, 5), QPointF(11, 8), QPointF(8, 11), QPointF(5, 8)}, ink::blue, {});
}

// A message box's warning: a yellow triangle with an exclamation mark.
void iconWarning(QPainter& p)
{
    polygon(p, {QPointF(8, 1), QPointF(15.2, 14.5), QPointF(0.8, 14.5)}, QColor(0xFF, 0xD7, 0x2E),
            QColor(0x8A, 0x6A, 0x00));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRoundedRect(QRectF(7.1, 5, 1.8, 5.6), 0.8, 0.8);
    p.drawEllipse(QPointF(8, 12.3), 1.05, 1.05);
}

const QHash<QString, IconPainter>& iconPainters()
{
    static const QHash<QString, IconPainter> painters = [] {
        QHash<QString, IconPainter> all = {
            {u"powerpoint"_s, iconPowerPoint},
            {u"warning"_s, iconWarning},
            {u"slide"_s, iconSlide},
            {u"view-normal"_s, iconViewNormal},
            {u"view-sorter"_s, iconViewSorter},
            {u"view-show"_s, iconViewShow},
            {u"view-outline"_s, iconOutline},
            {u"transition"_s, iconTransition},
            {u"animation"_s, iconAnimation},
            {u"back"_s, iconBack},
            {u"forward"_s, iconForward},
            {u"link"_s, iconLink},
            {u"close"_s, iconClose},
            {u"delete"_s, iconDelete},
            {u"find"_s, iconFind},
            {u"replace"_s, iconReplace},
            {u"sound"_s, iconSound},
            {u"movie"_s, iconMovie},
            {u"object"_s, iconObject},
            {u"action-custom"_s, iconActionCustom},
            {u"action-home"_s, iconActionHome},
            {u"action-help"_s, iconActionHelp},
            {u"action-information"_s, iconActionInformation},
            {u"action-back"_s, iconActionBack},
            {u"action-forward"_s, iconActionForward},
            {u"action-beginning"_s, iconActionBeginning},
            {u"action-end"_s, iconActionEnd},
            {u"action-return"_s, iconActionReturn},
            {u"action-document"_s, iconActionDocument},
            {u"action-sound"_s, iconActionSound},
            {u"action-movie"_s, iconActionMovie},
            {u"effect-entrance"_s, iconEffectEntrance},
            {u"effect-emphasis"_s, iconEffectEmphasis},
            {u"effect-exit"_s, iconEffectExit},
            {u"effect-path"_s, iconEffectPath},
        };
        addToolbarIcons(all);
        addShadowStyleIcons(all, std::make_integer_sequence<int, 20>{});
        addObjectIcons(all);
        addReviewIcons(all);
        addFileDialogIcons(all);
        addLineAndBasicShapeIcons(all);
        addArrowAndStarIcons(all);
        addFlowchartAndCalloutIcons(all);
        return all;
    }();
    return painters;
}

// Other spellings of the same pictures.
QString canonicalIconKey(const QString& key)
{
    static const QHash<QString, QString> aliases = {
        {u"slide-show"_s, u"view-show"_s},
        {u"slideshow"_s, u"view-show"_s},
        {u"normal"_s, u"view-normal"_s},
        {u"sorter"_s, u"view-sorter"_s},
        {u"slide-sorter"_s, u"view-sorter"_s},
        {u"outline"_s, u"view-outline"_s},
        {u"increase-indent"_s, u"indent-increase"_s},
        {u"decrease-indent"_s, u"indent-decrease"_s},
        {u"align-center"_s, u"center"_s},
        {u"centre"_s, u"center"_s},
        {u"textbox-vertical"_s, u"vertical-textbox"_s},
        {u"align-justify"_s, u"justify"_s},
        {u"rectangle"_s, u"rect"_s},
        {u"oval"_s, u"ellipse"_s},
        {u"text-box"_s, u"textbox"_s},
        {u"organization-chart"_s, u"diagram"_s},
        {u"orgchart"_s, u"diagram"_s},
        {u"insert-picture"_s, u"picture"_s},
        {u"insert-chart"_s, u"chart"_s},
        {u"insert-table"_s, u"table"_s},
        {u"three-d"_s, u"3d-style"_s},
        {u"3d"_s, u"3d-style"_s},
        {u"media"_s, u"movie"_s},
        {u"font-colour"_s, u"font-color"_s},
        {u"fill-colour"_s, u"fill-color"_s},
        {u"line-colour"_s, u"line-color"_s},
        {u"mail"_s, u"email"_s},
        {u"preview"_s, u"print-preview"_s},
        {u"spell"_s, u"spelling"_s},
        {u"custom-animation"_s, u"animation"_s},
        {u"slide-design"_s, u"design"_s},
        {u"arrow-line"_s, u"arrow"_s},
    };
    QString normal = key.trimmed().toLower();
    normal.replace(u'_', u'-');
    normal.replace(u' ', u'-');
    return aliases.value(normal, normal);
}

} // namespace

namespace {

// The 16-pixel icons the build painted ahead, one under the other (so that an
// icon's pixels lie together), and where each key's is.
struct IconAtlas
{
    QImage column;
    QHash<QString, int> index;
};

const IconAtlas& iconAtlas()
{
    static const IconAtlas atlas = [] {
        IconAtlas made;
        const std::optional<QImage> column = prerenderedPicture(u"icons16.pic"_s);
        const QList<QByteArray> keys = prerenderedText(u"icons16.keys"_s).split('\n');
        if (!column || column->width() != 16 || column->height() != 16 * keys.size())
            return made;
        made.column = *column;
        for (int i = 0; i < keys.size(); ++i)
            made.index.insert(QString::fromUtf8(keys[i]), i);
        return made;
    }();
    return atlas;
}

// Draws a 16-pixel icon from the atlas where it lands on whole device pixels.
bool drawFromAtlas(QPainter& p, const QRectF& rect, const QString& key)
{
    if (!prerenderedPicturesUsed() || rect.width() != 16 || rect.height() != 16 || !p.device() ||
        p.device()->devicePixelRatio() != 1.0 || p.worldTransform().type() > QTransform::TxTranslate)
        return false;
    const IconAtlas& atlas = iconAtlas();
    const auto at = atlas.index.constFind(key);
    if (at == atlas.index.cend())
        return false;
    const QPointF corner = p.worldTransform().map(rect.topLeft());
    if (corner.x() != std::round(corner.x()) || corner.y() != std::round(corner.y()))
        return false;
    p.drawImage(rect.topLeft(), atlas.column, QRectF(0, *at * 16, 16, 16));
    return true;
}

} // namespace

QStringList iconKeys()
{
    // The icons a start paints first (the title bar's, the toolbars' the
    // window shows, the view buttons', the task pane's), so that they lie
    // together at the top of the atlas and a start touches only those pages
    // of it; then the others by name.
    QStringList keys;
    QSet<QString> listed;
    const auto add = [&](const QString& key) {
        const QString canonical = canonicalIconKey(key);
        if (iconPainters().contains(canonical) && !listed.contains(canonical)) {
            listed.insert(canonical);
            keys << canonical;
        }
    };
    add(u"powerpoint"_s);
    const auto& toolbars = KitCatalog::instance().toolbars();
    for (const QString& shown : {u"常用"_s, u"格式"_s, u"绘图"_s}) {
        for (const auto& [toolbar, buttons] : toolbars) {
            for (const KitButton& button : buttons)
                if (toolbar == shown)
                    add(button.icon);
        }
    }
    for (const QString& key : {u"view-normal"_s, u"view-sorter"_s, u"view-show"_s, u"back"_s, u"link"_s})
        add(key);
    QStringList others = iconPainters().keys();
    others.sort();
    for (const QString& key : std::as_const(others))
        add(key);
    return keys;
}

QImage paintIconColumn(const QStringList& keys)
{
    QImage column(16, 16 * int(keys.size()), QImage::Format_ARGB32_Premultiplied);
    column.fill(Qt::transparent);
    QPainter p(&column);
    for (int i = 0; i < keys.size(); ++i)
        paintIconIn(p, QRectF(0, 16 * i, 16, 16), keys[i]);
    return column;
}

void paintIconIn(QPainter& p, const QRectF& rect, const QString& key)
{
    const double side = std::min(rect.width(), rect.height());
    if (!(side > 0))
        return;
    const QString canonical = canonicalIconKey(key);
    if (drawFromAtlas(p, rect, canonical))
        return;
    const IconPainter paint = iconPainters().value(canonical, iconGeneric);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(rect.center().x() - side / 2, rect.center().y() - side / 2);
    p.scale(side / 16, side / 16);
    paint(p);
    p.restore();
}

} // namespace pptdrill
