// The dialogs and task panes of the simulated window: how they and their controls are painted.
#include "movie/widgets/window/formpart.h"

#include "movie/kit/kitcatalog.h"
#include "movie/kit/locators.h"
#include "movie/widgets/slides/slidepainter.h"
#include "movie/widgets/slides/slidepaintsupport.h"
#include "movie/widgets/window/kitcolours.h"
#include "movie/widgets/window/kitpaintparts.h"
#include "movie/widgets/window/kitstyle.h"
#include "movie/widgets/window/kitview.h"

#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

using namespace kit;

// A picture that a clip art search found: the first is the clip art that
// inserting it puts on the slide, the others computers of several kinds.
void paintFoundClipArt(QPainter& p, const QRect& r, const QString& item)
{
    p.fillRect(r, Qt::white);
    if (item.endsWith(u" 1"_s)) {
        Slide picture;
        picture.layout = u"空白"_s;
        SlideShape clipArt;
        clipArt.type = u"clipart"_s;
        clipArt.x = 90;
        clipArt.w = clipArt.h = 540;
        picture.shapes.push_back(clipArt);
        const int h = std::min(r.height(), r.width() * 3 / 4);
        const QRect slide(r.center().x() - h * 2 / 3, r.center().y() - h / 2, h * 4 / 3, h);
        p.save();
        p.setClipRect(r);
        paintSlide(p, slide, picture, u"默认设计模板"_s, SlidePaintMode::Show);
        p.restore();
        return;
    }
    const auto hash = static_cast<int>(qHash(item) % 360);
    const QColor body = QColor::fromHsv(hash, 40, 225);
    const QColor screen = QColor::fromHsv((hash + 200) % 360, 150, 200);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.2));
    const QRectF box =
        QRectF(r).adjusted(r.width() * 0.12, r.height() * 0.1, -r.width() * 0.12, -r.height() * 0.1);
    const QRectF monitor(box.left(), box.top(), box.width(), box.height() * 0.62);
    p.setBrush(body);
    p.drawRoundedRect(monitor, 3, 3);
    p.setBrush(screen);
    p.drawRect(monitor.adjusted(monitor.width() * 0.08, monitor.height() * 0.1, -monitor.width() * 0.08,
                                -monitor.height() * 0.16));
    p.setBrush(body.darker(115));
    p.drawRect(QRectF(monitor.center().x() - box.width() * 0.08, monitor.bottom(), box.width() * 0.16,
                      box.height() * 0.1));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(box.left() + box.width() * 0.05, box.top() + box.height() * 0.78,
                             box.width() * 0.9, box.height() * 0.22),
                      2, 2);
    p.restore();
}

// A cell of 符号's grid: the character in a square, white on blue when chosen.
void paintCharacterCell(QPainter& p, const QRect& r, const QString& character, bool chosen, bool hovered)
{
    const QRect cell = r.adjusted(0, 0, -1, -1);
    p.fillRect(cell, chosen ? QColor(0x31, 0x6A, 0xC5) : hovered ? kSelect : QColor(Qt::white));
    p.setPen(QColor(0xA0, 0xA0, 0xA0));
    p.drawRect(cell);
    p.setPen(chosen ? Qt::white : Qt::black);
    // Symbols come from the Latin face where it has them (the CJK face leaves some blank).
    QFont font = uiFont(std::max(9, r.height() * 11 / 20));
    font.setFamilies({sansFamily(), heiFamily()});
    p.setFont(font);
    p.drawText(cell, Qt::AlignCenter, character);
}

// A bullet or numbering sample: three lines, each after its mark; 无 for none.
void paintBulletSample(QPainter& p, const QRect& r, const QString& gallery, const QString& item)
{
    p.fillRect(r, Qt::white);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    const QStringList marks = item.split(u' ');
    p.setFont(uiFont(9));
    for (int i = 0; i < 3 && item != u"无"_s; ++i) {
        const int y = r.top() + 4 + i * (r.height() - 8) / 3;
        const QString mark = gallery == u"编号"_s ? marks.value(i, marks.value(0)) : item;
        p.setPen(Qt::black);
        p.drawText(QRect(r.left() + 3, y, 22, (r.height() - 8) / 3), Qt::AlignVCenter, mark);
        p.fillRect(QRect(r.left() + 24, y + (r.height() - 8) / 6, r.width() - 30, 1),
                   QColor(0x90, 0x90, 0x90));
    }
    if (item == u"无"_s) {
        p.setPen(Qt::black);
        p.drawText(r, Qt::AlignCenter, item);
    }
}

// A WordArt style: a "W" in the style's gradient and slant.
void paintWordArtSample(QPainter& p, const QRect& r, size_t hash)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor::fromHsv(static_cast<int>(hash % 360), 200, 240));
    g.setColorAt(1, QColor::fromHsv(static_cast<int>((hash / 7) % 360), 220, 120));
    QFont f = uiFont(std::max(10, r.height() - 6), true);
    f.setItalic(hash % 2);
    QPainterPath path;
    path.addText(0, 0, f, u"W"_s);
    const QRectF b = path.boundingRect();
    path.translate(r.center().x() - b.center().x(), r.center().y() - b.center().y());
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(path, g);
    p.setPen(QPen(QColor(0x33, 0x33, 0x66), 1));
    p.drawPath(path);
    p.setRenderHint(QPainter::Antialiasing, false);
}

// 图示库's tile of a kind of diagram: the diagram itself, drawn small in the
// default colours (an organisation chart with three subordinates, the others of
// three shapes).
void paintDiagramKind(QPainter& p, const QRect& r, const QString& kind)
{
    const double side = std::min(r.width(), r.height()) - 4;
    const QRectF square(r.center().x() - side / 2 + 0.5, r.center().y() - side / 2 + 0.5, side, side);
    SlideShape shape;
    shape.diagram = kind;
    const Design design = designFor({});
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    if (kind == u"组织结构图"_s) {
        shape.type = u"orgchart"_s;
        paintOrgChart(p, square.adjusted(0, side / 8, 0, -side / 8), shape, design.shapeFill,
                      design.shapeLine);
    } else {
        shape.type = u"diagram"_s;
        paintDiagram(p, square, shape, design);
    }
    p.restore();
}

void paintGalleryItem(QPainter& p, const QRect& r, const QString& gallery, const QString& item)
{
    const size_t hash = qHash(item);
    if (gallery == u"标准颜色"_s) {
        p.fillRect(r.adjusted(4, 2, -4, -2), colourOf(item, {}));
        p.setPen(QColor(0x80, 0x80, 0x80));
        p.drawRect(r.adjusted(4, 2, -5, -3));
    } else if (gallery == u"项目符号"_s || gallery == u"编号"_s) {
        paintBulletSample(p, r, gallery, item);
    } else if (gallery == u"图片项目符号"_s) {
        // "第1行第3列": the picture bullets four to a row.
        static const QRegularExpression place(u"第(\\d+)行第(\\d+)列"_s);
        const QRegularExpressionMatch at = place.match(item);
        const int picture = at.hasMatch() ? (at.captured(1).toInt() - 1) * 4 + at.captured(2).toInt() : 1;
        p.fillRect(r, Qt::white);
        const double side = std::min(r.width(), r.height()) * 0.5;
        paintPictureBullet(p, QRectF(r.center().x() - side / 2, r.center().y() - side / 2, side, side),
                           picture);
    } else if (gallery == u"应用配色方案"_s || gallery == u"配色方案"_s) {
        // "第3行第2列": the schemes two to a row.
        static const QRegularExpression place(u"第(\\d+)行第(\\d+)列"_s);
        const QRegularExpressionMatch at = place.match(item);
        const size_t index =
            at.hasMatch() ? size_t((at.captured(1).toInt() - 1) * 2 + at.captured(2).toInt() - 1) : hash;
        paintSchemeSample(p, r, standardSchemes()[index % standardSchemes().size()]);
        p.setPen(QColor(0x80, 0x80, 0x80));
        p.drawRect(r.adjusted(0, 0, -1, -1));
    } else if (gallery == u"纹理"_s || gallery == u"图案"_s) {
        BackgroundFill fill;
        fill.type = gallery == u"纹理"_s ? u"texture"_s : u"pattern"_s;
        (gallery == u"纹理"_s ? fill.texture : fill.pattern) = item;
        paintFillSample(p, r, fill);
        p.setPen(QColor(0x80, 0x80, 0x80));
        p.drawRect(r.adjusted(0, 0, -1, -1));
    } else if (gallery == u"变形"_s) {
        const QColor base = QColor::fromHsv(static_cast<int>(hash % 360), 70, 210);
        QLinearGradient g(r.topLeft(), r.bottomRight());
        g.setColorAt(0, base.darker(160));
        g.setColorAt(1, Qt::white);
        p.fillRect(r, g);
        p.setPen(QColor(0x80, 0x80, 0x80));
        p.drawRect(r.adjusted(0, 0, -1, -1));
    } else if (gallery == u"样式"_s) {
        paintWordArtSample(p, r, hash);
    } else if (gallery == u"结果"_s) {
        paintFoundClipArt(p, r, item);
    } else if (gallery == u"图示类型"_s) {
        paintDiagramKind(p, r, item);
    } else if (gallery == u"子图表类型"_s) {
        paintChartKind(p, r, item);
    } else if (gallery == u"位置"_s) {
        static const QHash<QString, QString> places{{u"我最近的文档"_s, u"place-recent"_s},
                                                    {u"桌面"_s, u"place-desktop"_s},
                                                    {u"我的文档"_s, u"place-documents"_s},
                                                    {u"我的电脑"_s, u"place-computer"_s},
                                                    {u"网上邻居"_s, u"place-network"_s}};
        paintIcon(p, r.adjusted(r.width() / 4, 2, -r.width() / 4, -2), places.value(item, u"open"_s));
    } else {
        paintDesignThumbnail(p, r, item);
    }
}

void paintCheckBox(QPainter& p, const QRect& box, bool on, bool greyed = false)
{
    p.fillRect(box, greyed ? QColor(0xF0, 0xF0, 0xEA) : QColor(Qt::white));
    p.setPen(greyed ? QColor(0xC8, 0xC8, 0xBF) : QColor(0x1C, 0x51, 0x80));
    p.drawRect(box.adjusted(0, 0, -1, -1));
    if (on) {
        QPen pen(greyed ? QColor(0xA0, 0xA0, 0xA0) : QColor(0x21, 0xA1, 0x21), 2);
        p.setPen(pen);
        p.drawLine(box.left() + 3, box.center().y(), box.center().x() - 1, box.bottom() - 3);
        p.drawLine(box.center().x() - 1, box.bottom() - 3, box.right() - 3, box.top() + 3);
    }
}

void paintRadio(QPainter& p, const QRect& box, bool on)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(0x1C, 0x51, 0x80));
    p.setBrush(Qt::white);
    p.drawEllipse(box.adjusted(0, 0, -1, -1));
    if (on) {
        p.setBrush(QColor(0x21, 0xA1, 0x21));
        p.setPen(Qt::NoPen);
        p.drawEllipse(box.adjusted(4, 4, -4, -4));
    }
    p.setBrush(Qt::NoBrush);
    p.setRenderHint(QPainter::Antialiasing, false);
}

} // namespace

namespace kit {

void paintButtonFace(QPainter& p, const QRect& r, const QString& text, bool pressed, bool enabled)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, pressed ? QColor(0xE2, 0xDE, 0xD0) : QColor(0xFF, 0xFF, 0xFF));
    g.setColorAt(1, pressed ? QColor(0xFF, 0xFF, 0xFF) : QColor(0xE2, 0xDE, 0xD0));
    QPainterPath path;
    path.addRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    p.fillPath(path, g);
    p.setPen(QColor(0x00, 0x3C, 0x74));
    p.drawPath(path);
    p.setPen(enabled ? QColor(Qt::black) : kGreyText);
    p.setFont(uiFont(12));
    p.drawText(r, Qt::AlignCenter, text);
}

void paintBoxText(QPainter& p, const QRect& box, const QString& shown, bool selected, bool caret, int reserve)
{
    const QFontMetrics fm(p.font());
    if (selected) {
        const QRect mark(box.left() + 3, box.top() + 3, fm.horizontalAdvance(shown) + 2, box.height() - 6);
        p.fillRect(mark.intersected(box.adjusted(1, 1, -reserve, -1)), kSelectText);
        p.setPen(Qt::white);
    } else {
        p.setPen(Qt::black);
    }
    p.drawText(box.adjusted(4, 0, -reserve, 0), Qt::AlignVCenter, shown);
    if (caret && !selected) {
        const int x = box.left() + 4 + fm.horizontalAdvance(shown);
        p.drawLine(x, box.top() + 4, x, box.bottom() - 4);
    }
}

void paintBoxEditing(QPainter& p, const QRect& box, const TextEditing& edit, int reserve)
{
    const QFontMetrics fm(p.font());
    const QString& text = edit.text();
    const int left = box.left() + 4;
    const auto xAt = [&](int position) { return left + fm.horizontalAdvance(text.left(position)); };
    const QRect inside = box.adjusted(1, 1, -reserve, -1);
    p.save();
    p.setClipRect(inside);
    p.setPen(Qt::black);
    p.drawText(box.adjusted(4, 0, -reserve, 0), Qt::AlignVCenter, text);
    if (edit.hasSelection()) {
        // The selection shows white on the selection colour, as in a Windows edit box.
        const QRect mark(xAt(edit.selectionStart()), box.top() + 3,
                         xAt(edit.selectionEnd()) - xAt(edit.selectionStart()), box.height() - 6);
        p.fillRect(mark, kSelectText);
        p.setPen(Qt::white);
        p.drawText(QRect(mark.left(), box.top(), box.width(), box.height()), Qt::AlignVCenter,
                   edit.selectedText());
    } else {
        const int x = xAt(edit.caret());
        p.drawLine(x, box.top() + 4, x, box.bottom() - 4);
    }
    p.restore();
}

} // namespace kit

void FormPart::paintLabel(QPainter& p, const KitForm& form, const KitControl& c, const QRect& rect,
                          const FormState& state, bool dialog)
{
    // A message box's icon: a label that is only a picture.
    if (c.text.isEmpty() && c.id.isEmpty() && !c.icon.isEmpty()) {
        paintIcon(p, rect, c.icon);
        return;
    }
    // "{id}" in a label shows the value of that control (the chosen chart sub-type),
    // "{#id}" how many items it lists (the topics a search found), "{file}" the document's name,
    // "{object}" what the object selected holds (a movie's file).
    QString text = c.text.isEmpty() ? c.id : c.text;
    // A label with `itemsFor` shows, one to a line, the items for the other control's choice
    // (图示库's name and description of the kind chosen).
    if (!c.itemsFor.empty())
        if (const QStringList lines = itemsOf(form, c, dialog); !lines.isEmpty())
            text = lines.join(u'\n');
    text.replace(u"{file}"_s, m_view.m_session->presentation().file);
    if (text.contains(u"{object}"_s)) {
        const QList<int> shapes = m_view.m_session->selectedShapes();
        const Slide& slide = m_view.m_session->selectedSlide();
        text.replace(u"{object}"_s, shapes.isEmpty()
                                        ? QString()
                                        : slide.shapes[static_cast<size_t>(shapes.first() - 1)].text);
    }
    // "{effect}" names the effect chosen in the pane's list; `textNone` says what to do while none is.
    if (!dialog && (text.contains(u"{effect}"_s) || !c.textNone.isEmpty())) {
        const int chosen = m_view.m_session->chosenEffect();
        if (chosen < 0 && !c.textNone.isEmpty())
            text = c.textNone;
        else
            text.replace(u"{effect}"_s,
                         chosen < 0
                             ? QString()
                             : m_view.m_session->selectedSlide().effects[static_cast<size_t>(chosen)].effect);
    }
    for (qsizetype open = text.indexOf(u'{'); open >= 0; open = text.indexOf(u'{', open + 1)) {
        const qsizetype close = text.indexOf(u'}', open);
        if (close < 0)
            break;
        const QString id = text.mid(open + 1, close - open - 1);
        if (form.control(id))
            text.replace(open, close - open + 1, state.value(id));
        else if (const KitControl* list = id.startsWith(u'#') ? form.control(id.mid(1)) : nullptr)
            text.replace(open, close - open + 1, QString::number(itemsOf(form, *list, dialog).size()));
    }
    // A caption greys with the box it stands before.
    const auto at = std::find_if(form.controls.begin(), form.controls.end(),
                                 [&c](const KitControl& other) { return &other == &c; });
    const KitControl* captioned = at != form.controls.end() && at + 1 != form.controls.end() &&
                                          (at + 1)->tab == c.tab && (at + 1)->type != KitControlType::Label
                                      ? &*(at + 1)
                                      : nullptr;
    if (dialog && (state.greyed.contains(c.text) || (captioned && fixedValue(*captioned, state))))
        p.setPen(kGreyText);
    p.drawText(rect, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignVCenter, text);
}

void FormPart::paintPictureButton(QPainter& p, const KitForm& form, const KitControl& c, const QRect& rect)
{
    // A button with a picture, and an arrow when it drops a menu down (添加效果).
    const bool open = m_view.m_menus.isPaneMenuOf(form.name, c.id);
    const bool greyed = m_view.m_session->paneGreyed(c);
    paintButtonFace(p, rect, {}, open);
    // A button beside another with only its picture (重新排序's 下移), or one no wider than its
    // picture (a file dialog's 返回, 向上一级 …), shows no words.
    const bool pictureOnly =
        c.text.isEmpty() && !c.icon.isEmpty() && (!c.beside.isEmpty() || rect.width() <= 26);
    const QRect icon = pictureOnly ? QRect(rect.center().x() - 7, rect.center().y() - 8, 16, 16)
                                   : QRect(rect.left() + 6, rect.center().y() - 8, 16, 16);
    if (!c.icon.isEmpty()) {
        p.save();
        if (greyed)
            p.setOpacity(0.4);
        paintIcon(p, icon, c.icon);
        p.restore();
    }
    p.setPen(greyed ? kGreyText : QColor(Qt::black));
    if (!pictureOnly)
        p.drawText(rect.adjusted(c.icon.isEmpty() ? 8 : 26, 0, -16, 0), Qt::AlignVCenter,
                   c.text.isEmpty() ? c.id : c.text);
    if (!c.menu.empty()) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        const QPoint m(rect.right() - 10, rect.center().y());
        const QPoint tri[3] = {m + QPoint(-3, -1), m + QPoint(3, -1), m + QPoint(0, 2)};
        p.drawPolygon(tri, 3);
        p.setBrush(Qt::NoBrush);
    }
}

void FormPart::paintBoxControl(QPainter& p, const KitControl& c, const QRect& rect, const QString& value,
                               bool focused, bool dialog, bool greyed)
{
    const KitControlType t = c.type;
    QRect box = rect;
    if (!c.label.isEmpty() && !dialog) {
        p.setPen(greyed ? kGreyText : QColor(Qt::black));
        p.drawText(QRect(rect.left(), rect.top(), rect.width(), 18), Qt::AlignVCenter, c.label);
        p.setPen(Qt::black);
        box.setTop(rect.top() + 18);
    }
    box.setHeight(std::min(box.height(), 22));
    paintWhiteBox(p, box);
    if (greyed) {
        // A box out of reach is grey, its arrow too; what it holds shows in grey.
        p.fillRect(box.adjusted(1, 1, -1, -1), QColor(0xF0, 0xF0, 0xEA));
        if (t == KitControlType::Combo || t == KitControlType::Spin)
            p.fillRect(QRect(box.right() - 15, box.top() + 1, 15, box.height() - 2),
                       QColor(0xE4, 0xE4, 0xDC));
        p.setPen(kGreyText);
        p.drawText(box.adjusted(4, 0, -18, 0), Qt::AlignVCenter,
                   QFontMetrics(p.font()).elidedText(value, Qt::ElideRight, box.width() - 22));
        return;
    }
    QString shown = value;
    if (t == KitControlType::Spin && !c.suffix.isEmpty() && !focused)
        shown += c.suffix;
    if (focused)
        paintBoxEditing(p, box, m_field->edit, 18);
    else
        paintBoxText(p, box, shown, false, false, 18);
    if (t == KitControlType::Combo) {
        paintDropArrow(p, QRect(box.right() - 15, box.top() + 1, 15, box.height() - 2));
    } else if (t == KitControlType::Spin) {
        const QRect up(box.right() - 15, box.top() + 1, 15, box.height() / 2 - 1);
        const QRect down(box.right() - 15, box.top() + box.height() / 2, 15, box.height() / 2 - 1);
        for (const QRect& r : {up, down}) {
            p.fillRect(r, QColor(0xC1, 0xD3, 0xFB));
            p.setPen(QColor(0x4D, 0x61, 0x85));
            p.drawText(r, Qt::AlignCenter, r == up ? u"▲"_s : u"▼"_s);
        }
    }
}

void FormPart::paintGallery(QPainter& p, const KitForm& form, const KitControl& c, const QRect& rect,
                            const QString& value, bool dialog)
{
    const QRect box = itemBox(c, rect, dialog);
    if (!c.label.isEmpty() && !dialog)
        p.drawText(QRect(rect.left(), rect.top(), rect.width(), 18), Qt::AlignVCenter, c.label);
    if (dialog)
        paintWhiteBox(p, box);
    const bool layouts = c.id.contains(u"版式"_s) || c.items.contains(u"标题幻灯片"_s);
    p.save();
    p.setClipRect(box, Qt::IntersectClip);
    for (const GalleryCell& cell : galleryCells(form.name, c, box, dialog)) {
        if (!cell.rect.intersects(box))
            continue;
        if (cell.header) {
            p.fillRect(cell.rect.adjusted(0, 2, 0, -2), QColor(0xC6, 0xD8, 0xF2));
            p.setPen(QColor(0x21, 0x3C, 0x83));
            p.setFont(uiFont(12, true));
            p.drawText(cell.rect.adjusted(4, 0, 0, 0), Qt::AlignVCenter, cell.item);
            continue;
        }
        if (c.style == u"characters"_s) {
            paintCharacterCell(p, cell.rect, cell.item, cell.item == value,
                               cell.rect.contains(m_view.m_mouse));
            continue;
        }
        const bool pictures = c.style == u"pictures"_s;
        const QRect pic = cell.rect.adjusted(5, 3, -5, pictures ? -3 : -16);
        const bool chosen = cell.item == value;
        if (chosen || cell.rect.contains(m_view.m_mouse)) {
            p.fillRect(cell.rect.adjusted(1, 1, -1, -1), chosen ? QColor(0xFF, 0xD5, 0x8C) : kSelect);
            p.setPen(kSelectLine);
            p.drawRect(cell.rect.adjusted(1, 1, -2, -2));
        }
        if (layouts)
            paintLayoutIcon(p, pic, cell.item);
        else
            paintGalleryItem(p, pic, c.id, cell.item);
        // A style known only by its place ("第3行第4列", the WordArt gallery) has
        // no caption: the real gallery shows the pictures alone.
        static const QRegularExpression place(u"^第\\d+行第\\d+列$"_s);
        if (pictures || place.match(cell.item).hasMatch())
            continue;
        p.setPen(Qt::black);
        p.setFont(uiFont(10));
        p.drawText(QRect(cell.rect.left(), pic.bottom() + 1, cell.rect.width(), 14), Qt::AlignCenter,
                   QFontMetrics(uiFont(10)).elidedText(cell.item, Qt::ElideRight, cell.rect.width() - 2));
    }
    p.restore();
    m_view.m_scrolls.paintScrollBar(p, locators::galleryBar(form.name, c.id));
}

void FormPart::paintTabs(QPainter& p, const KitControl& c, const QRect& rect, const FormState& state)
{
    const QFontMetrics fm(uiFont(12));
    const QRect page(rect.left(), rect.top() + 20, rect.width(), rect.height() - 20);
    p.fillRect(page, QColor(0xFC, 0xFC, 0xFE));
    p.setPen(QColor(0x91, 0x9B, 0x9C));
    p.drawRect(page.adjusted(0, 0, -1, -1));
    int x = rect.left() + 2;
    for (const QString& tab : c.items) {
        if (state.hidden.contains(tab))
            continue;
        const int w = fm.horizontalAdvance(tab) + 16;
        const bool current = tab == state.tab;
        const QRect tr(x, rect.top() + (current ? 0 : 2), w, current ? 21 : 19);
        p.fillRect(tr, current ? QColor(0xFC, 0xFC, 0xFE) : QColor(0xF0, 0xF0, 0xEA));
        p.setPen(QColor(0x91, 0x9B, 0x9C));
        p.drawLine(tr.topLeft(), tr.bottomLeft());
        p.drawLine(tr.topRight(), tr.bottomRight());
        p.setPen(current ? QColor(0xFF, 0xC8, 0x3C) : QColor(0x91, 0x9B, 0x9C));
        p.drawLine(tr.topLeft(), tr.topRight());
        p.setPen(Qt::black);
        p.drawText(tr, Qt::AlignCenter, tab);
        x += w;
    }
}

void FormPart::paintGroup(QPainter& p, const KitControl& c, const QRect& rect, bool dialog)
{
    const QFontMetrics fm(uiFont(12));
    if (dialog) {
        p.setPen(QColor(0xD0, 0xD0, 0xBF));
        p.drawRoundedRect(rect.adjusted(0, 7, -1, -1), 3, 3);
        const QString text = c.text.isEmpty() ? c.id : c.text;
        const QRect tr(rect.left() + 8, rect.top(), fm.horizontalAdvance(text) + 6, 15);
        p.fillRect(tr, kFace);
        p.setPen(QColor(0x00, 0x46, 0xD5));
        p.drawText(tr, Qt::AlignCenter, text);
    } else {
        p.setFont(uiFont(12, true));
        p.setPen(QColor(0x21, 0x3C, 0x83));
        p.drawText(rect, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignVCenter,
                   c.text.isEmpty() ? c.id : c.text);
        p.setPen(QColor(0x8C, 0xA8, 0xD3));
        p.drawLine(rect.bottomLeft(), rect.bottomRight());
    }
}

void FormPart::paintChoices(QPainter& p, const KitControl& c, const QRect& rect, const FormState& state,
                            const QString& value, bool dialog)
{
    if (c.type == KitControlType::Check) {
        const bool greyed = dialog && fixedValue(c, state);
        paintCheckBox(p, QRect(rect.left(), rect.center().y() - 6, 13, 13), value == u"on"_s, greyed);
        p.setPen(greyed ? kGreyText : Qt::black);
        p.drawText(rect.adjusted(18, 0, 0, 0), Qt::AlignVCenter | Qt::TextDontClip,
                   c.text.isEmpty() ? c.id : c.text);
    } else {
        const int rowH = dialog ? 20 : 19;
        const int pitch = dialog && c.pitch > 0 ? c.pitch : rowH;
        const bool greyed = dialog && fixedValue(c, state);
        for (qsizetype i = 0; i < c.items.size(); ++i) {
            const QRect row(rect.left(), rect.top() + static_cast<int>(i) * pitch, rect.width(), rowH);
            paintRadio(p, QRect(row.left(), row.center().y() - 6, 13, 13), value == c.items[i]);
            p.setPen(greyed ? kGreyText : Qt::black);
            p.drawText(row.adjusted(18, 0, 0, 0), Qt::AlignVCenter | Qt::TextDontClip, c.items[i]);
        }
    }
}

void FormPart::paintForm(QPainter& p, const KitForm& form, const FormState& state, const QRect& client,
                         bool dialog)
{
    Q_UNUSED(client);
    const QFontMetrics fm(uiFont(12));
    std::vector<std::pair<const KitControl*, QRect>> layout;
    if (dialog) {
        for (const KitControl& c : form.controls) {
            if (dialogControlVisible(c, state))
                layout.emplace_back(&c, controlRect(form, c, true));
        }
    } else {
        layout = paneLayout();
    }
    const QString formKey = form.name + u'/';
    for (const auto& [c, rect] : layout) {
        const KitControlType t = c->type;
        const auto shown = m_spinShown.find(formKey + c->id);
        const QString value = shown != m_spinShown.end() ? shown->second : state.value(c->id);
        p.setFont(uiFont(12));
        p.setPen(Qt::black);
        const bool focused = m_field && m_field->form == form.name && m_field->control == c->id;
        if ((dialog && paintOwnControl(p, form, *c, rect, state)) ||
            (!dialog && paintEffectList(p, form, *c, rect))) {
            // Drawn in its own way.
        } else if (t == KitControlType::Label) {
            paintLabel(p, form, *c, rect, state, dialog);
        } else if (t == KitControlType::Group) {
            paintGroup(p, *c, rect, dialog);
        } else if (t == KitControlType::Link) {
            paintIcon(p, QRect(rect.left(), rect.top() + 2, 16, 16), u"link"_s);
            QFont f = uiFont(12);
            f.setUnderline(rect.contains(m_view.m_mouse));
            p.setFont(f);
            p.setPen(QColor(0x00, 0x33, 0x99));
            p.drawText(rect.adjusted(20, 0, 0, 0), Qt::AlignVCenter,
                       QFontMetrics(f).elidedText(c->text.isEmpty() ? c->id : c->text, Qt::ElideRight,
                                                  rect.width() - 22));
        } else if (t == KitControlType::Button && (!c->icon.isEmpty() || !c->menu.empty())) {
            // A button with a picture, and an arrow when it drops a menu down (添加效果).
            paintPictureButton(p, form, *c, rect);
        } else if (t == KitControlType::Button) {
            // A wizard's 上一步 on its first page and 下一步 on its last are greyed.
            const KitControl* tabs = form.tabs();
            const qsizetype page = tabs ? tabs->items.indexOf(state.tab) : -1;
            const bool greyed = (c->opens == u"page:previous"_s && page == 0) ||
                                (c->opens == u"page:next"_s && tabs && page == tabs->items.size() - 1) ||
                                (!dialog && m_view.m_session->paneGreyed(*c));
            paintButtonFace(p, rect, c->text.isEmpty() ? c->id : c->text, false, !greyed);
        } else if (t == KitControlType::Check || t == KitControlType::Options) {
            paintChoices(p, *c, rect, state, value, dialog);
        } else if (t == KitControlType::Combo || t == KitControlType::Spin || t == KitControlType::Text) {
            paintBoxControl(p, *c, rect, value, focused, dialog,
                            dialog ? state.greyed.contains(c->id) || fixedValue(*c, state).has_value()
                                   : m_view.m_session->paneGreyed(*c));
        } else if (t == KitControlType::List) {
            QRect box = rect;
            if (!c->label.isEmpty() && !dialog) {
                p.drawText(QRect(rect.left(), rect.top(), rect.width(), 18), Qt::AlignVCenter, c->label);
                box.setTop(rect.top() + 18);
            }
            if (c->style.isEmpty() || c->style == u"folder"_s)
                paintWhiteBox(p, box);
            paintListRows(p, form, *c, box, value, dialog);
        } else if (t == KitControlType::Gallery) {
            paintGallery(p, form, *c, rect, value, dialog);
        } else if (t == KitControlType::Tabs) {
            paintTabs(p, *c, rect, state);
        }
        // Dialog labels stand left of (or above) their boxes.
        if (dialog && !c->label.isEmpty() && t != KitControlType::Tabs && t != KitControlType::Gallery) {
            p.setPen(Qt::black);
            p.setFont(uiFont(12));
            const int w = fm.horizontalAdvance(c->label) + 4;
            p.drawText(QRect(rect.left(), rect.top() - 17, std::max(w, rect.width()), 16),
                       Qt::AlignLeft | Qt::AlignBottom, c->label);
        }
    }
}

void FormPart::paintDialog(QPainter& p)
{
    for (const FormState& beneath : m_view.m_session->dialogsBeneath())
        paintDialogOf(p, beneath);
    if (const auto& d = m_view.m_session->dialog())
        paintDialogOf(p, *d);
}

void FormPart::paintDialogOf(QPainter& p, const FormState& state)
{
    const FormState* d = &state;
    const KitForm* form = m_view.m_session->kit().dialog(d->name);
    if (!form)
        return;
    const QRect r = dialogRectOf(d->name);
    p.fillRect(r.translated(4, 4), QColor(0, 0, 0, 70));
    QPainterPath frame;
    frame.addRoundedRect(QRectF(r), 6, 6);
    p.fillPath(frame, QColor(0x00, 0x55, 0xE5));
    const QRect title(r.left(), r.top(), r.width(), 24);
    QLinearGradient g(title.topLeft(), title.bottomLeft());
    g.setColorAt(0, QColor(0x00, 0x58, 0xEE));
    g.setColorAt(0.5, QColor(0x37, 0x93, 0xFF));
    g.setColorAt(1, QColor(0x00, 0x50, 0xE6));
    QPainterPath tp;
    tp.addRoundedRect(QRectF(title), 6, 6);
    p.fillPath(tp, g);
    p.setPen(Qt::white);
    p.setFont(uiFont(12, true));
    QString caption = form->title.isEmpty() ? d->name : form->title;
    if (caption.contains(u"{effect}"_s)) {
        // The effect chosen in the pane's list, else the slide's first.
        const auto& effects = m_view.m_session->selectedSlide().effects;
        const int chosen = m_view.m_session->chosenEffect();
        const QString effect = chosen >= 0       ? effects[static_cast<size_t>(chosen)].effect
                               : effects.empty() ? QString()
                                                 : effects.front().effect;
        caption.replace(u"{effect}"_s, effect.isEmpty() ? d->name : effect);
    }
    caption.replace(u"{file}"_s, m_view.m_session->presentation().file); // 属性's "演示文稿1 属性"
    // 颜色 opened for a scheme colour is named by it: 背景色, 文本和线条颜色 …
    if (const QString prefix = schemeColourKey({}); d->openedBy.startsWith(prefix)) {
        const QString name = d->openedBy.mid(prefix.size());
        caption = name == u"背景"_s ? u"背景色"_s : name + u"颜色"_s;
    }
    p.drawText(title.adjusted(8, 0, -50, 0), Qt::AlignVCenter, caption);
    const QRect close(r.right() - 22, r.top() + 4, 18, 17);
    QPainterPath cp;
    cp.addRoundedRect(QRectF(close), 3, 3);
    p.fillPath(cp, QColor(0xE0, 0x4A, 0x2A));
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(close.adjusted(5, 4, -5, -4).topLeft(), close.adjusted(5, 4, -5, -4).bottomRight());
    p.drawLine(close.adjusted(5, 4, -5, -4).topRight(), close.adjusted(5, 4, -5, -4).bottomLeft());
    const QRect help(r.right() - 42, r.top() + 4, 18, 17);
    QPainterPath hp;
    hp.addRoundedRect(QRectF(help), 3, 3);
    p.fillPath(hp, QColor(0x2D, 0x6E, 0xF2));
    p.setPen(Qt::white);
    p.setFont(uiFont(12, true));
    p.drawText(help, Qt::AlignCenter, u"?"_s);
    const QRect client(r.left() + 3, r.top() + 24, r.width() - 6, r.height() - 27);
    p.fillRect(client, kFace);
    p.save();
    p.setClipRect(client);
    paintForm(p, *form, *d, client, true);
    p.restore();
}

void FormPart::paintDrop(QPainter& p)
{
    if (!m_drop)
        return;
    const QRect r = dropRect();
    p.setFont(uiFont(12));
    const QPoint pointer =
        m_view.m_demonstration.isRunning() ? m_view.m_demonstration.pointer() : m_view.m_mouse;
    if (dropIsPalette()) {
        // Swatches and the commands above and below them, as the palettes of PowerPoint 2003 show them.
        p.fillRect(r.translated(3, 3), QColor(0, 0, 0, 60));
        p.fillRect(r, QColor(0xF9, 0xF8, 0xF7));
        p.setPen(QColor(0x00, 0x2D, 0x96));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        const QString value = dropValue();
        const QString design = m_view.m_session->presentation().design;
        for (const DropCell& cell : dropCells()) {
            const bool hot = cell.rect.contains(pointer);
            if (hot || cell.item == value) {
                p.fillRect(cell.rect, hot ? kSelect : QColor(0xFF, 0xD5, 0x8C));
                p.setPen(kSelectLine);
                p.drawRect(cell.rect.adjusted(0, 0, -1, -1));
            }
            if (cell.swatch) {
                const QRect chip = cell.rect.adjusted(3, 3, -3, -3);
                p.fillRect(chip, colourOf(cell.item, design));
                p.setPen(QColor(0x80, 0x80, 0x80));
                p.drawRect(chip.adjusted(0, 0, -1, -1));
            } else {
                p.setPen(Qt::black);
                p.drawText(cell.rect, Qt::AlignCenter, cell.item);
            }
        }
        return;
    }
    p.fillRect(r, Qt::white);
    p.setPen(Qt::black);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    // The row the keyboard moved to, else the one under the pointer, else the box's value.
    QString lit;
    if (const QStringList items = dropItems(); m_drop->keyed >= 0 && m_drop->keyed < items.size()) {
        lit = items[m_drop->keyed];
    } else {
        lit = dropValue();
        for (const DropCell& cell : dropCells()) {
            if (cell.rect.contains(pointer))
                lit = cell.item;
        }
    }
    for (const Hot& h : m_view.m_hots) {
        const LocatorParts at = parseLocator(h.locator);
        if (at.kind != LocatorParts::Drop)
            continue;
        const bool hot = at.name == lit;
        if (hot)
            p.fillRect(h.rect, QColor(0x31, 0x6A, 0xC5));
        p.setPen(hot ? Qt::white : Qt::black);
        p.drawText(h.rect.adjusted(4, 0, 0, 0), Qt::AlignVCenter, at.name);
    }
}

} // namespace pptdrill
