// Dialog controls drawn in their own way: an edit box over a list, colour boxes and
// palettes, the custom colour field, side bars and a wizard's steps; and the rows
// and scroll bars of lists.
#include "movie/kit/kitcatalog.h"
#include "movie/kit/locators.h"
#include "movie/widgets/slides/slidepainter.h"
#include "movie/widgets/window/formpart.h"
#include "movie/widgets/window/kitcolours.h"
#include "movie/widgets/window/kitpaintparts.h"
#include "movie/widgets/window/kitstyle.h"
#include "movie/widgets/window/kitview.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

using namespace kit;

namespace {

// The icon of a file dialog's item by its kind: a folder, a presentation, a picture, a movie, a sound.
QString fileIcon(const QString& item)
{
    const QString suffix = item.section(u'.', -1).toLower();
    if (!item.contains(u'.'))
        return u"folder"_s;
    if (QStringList{u"ppt"_s, u"pps"_s, u"pot"_s}.contains(suffix))
        return u"powerpoint"_s;
    if (QStringList{u"jpg"_s, u"jpeg"_s, u"png"_s, u"gif"_s, u"bmp"_s, u"wmf"_s, u"emf"_s, u"tif"_s}.contains(
            suffix))
        return u"picture"_s;
    if (QStringList{u"avi"_s, u"mpg"_s, u"mpeg"_s, u"wmv"_s, u"asf"_s}.contains(suffix))
        return u"movie"_s;
    if (QStringList{u"wav"_s, u"mid"_s, u"mp3"_s, u"wma"_s}.contains(suffix))
        return u"sound"_s;
    return u"new"_s;
}

// A colour of the selected slide's scheme by the name 编辑配色方案 gives it
// ("强调文字和超链接"): the slide's or its master's own, else the design's.
QColor schemeColourShown(const Presentation& presentation, const QString& name)
{
    static const QStringList names{u"背景"_s,
                                   u"文本和线条"_s,
                                   u"阴影"_s,
                                   u"标题文本"_s,
                                   u"填充"_s,
                                   u"强调"_s,
                                   u"强调文字和超链接"_s,
                                   u"强调文字和已访问的超链接"_s};
    const auto& slides = presentation.slides;
    const int selected = std::clamp(presentation.selected, 1, static_cast<int>(slides.size()));
    const ColorScheme scheme = slideAsShown(presentation, slides[static_cast<size_t>(selected - 1)]).scheme;
    const QString given[] = {scheme.background, scheme.text,   scheme.shadow,    scheme.title,
                             scheme.fill,       scheme.accent, scheme.hyperlink, scheme.followed};
    const qsizetype index = names.indexOf(name);
    if (index >= 0 && !given[index].isEmpty())
        return QColor::fromString(given[index]);
    return colourOf(u"遵循%1配色方案"_s.arg(name), presentation.design);
}

constexpr int kRowH = 18;
constexpr int kCell = 18; // a swatch of a palette
constexpr int kPaletteColumns = 8;

// Where a cell of the hexagon answers to the pointer: its rows do not overlap.
QRect hexHitRect(const HexCell& cell)
{
    const double w = std::sqrt(3.0) * cell.radius, h = 1.5 * cell.radius;
    const auto edge = [](double x) { return static_cast<int>(std::floor(x + 0.5)); };
    return QRect(QPoint(edge(cell.centre.x() - w / 2), edge(cell.centre.y() - h / 2)),
                 QPoint(edge(cell.centre.x() + w / 2) - 1, edge(cell.centre.y() + h / 2) - 1));
}

// The icon of an item of a side bar, by what it names.
QString barIcon(const QString& item)
{
    if (item.contains(u"网页"_s))
        return u"hyperlink"_s;
    if (item.contains(u"位置"_s))
        return u"slide"_s;
    if (item.contains(u"新建"_s))
        return u"new"_s;
    if (item.contains(u"邮件"_s))
        return u"email"_s;
    return {};
}

} // namespace

QStringList FormPart::itemsOf(const KitForm& form, const KitControl& c, bool dialog) const
{
    if (!dialog)
        return m_view.m_session->itemsOf(c, m_view.m_session->taskPane());
    if (const auto& d = m_view.m_session->dialog(); d && d->name == form.name)
        return m_view.m_session->itemsOf(c, *d);
    for (const FormState& beneath : m_view.m_session->dialogsBeneath()) {
        if (beneath.name == form.name)
            return m_view.m_session->itemsOf(c, beneath);
    }
    return m_view.m_session->itemsOf(c, FormState{});
}

int FormPart::listScroll(const KitForm& form, const KitControl& c, bool dialog, int rows) const
{
    const QStringList items = itemsOf(form, c, dialog);
    const int most = std::max(0, static_cast<int>(items.size()) - rows);
    if (const auto it = m_listScroll.find(form.name + u'/' + c.id); it != m_listScroll.end())
        return std::clamp(it->second, 0, most);
    // Until the learner scrolls it, a list shows its value (a font size far down the list).
    QString value = !dialog ? m_view.m_session->taskPane().value(c.id) : QString();
    if (const auto& d = m_view.m_session->dialog(); dialog && d && d->name == form.name)
        value = d->value(c.id);
    const int index = static_cast<int>(items.indexOf(value));
    return index >= rows ? std::min(index, most) : 0;
}

std::vector<std::pair<QString, QRect>> FormPart::listRows(const KitForm& form, const KitControl& c,
                                                          const QRect& box, bool dialog) const
{
    std::vector<std::pair<QString, QRect>> rows;
    const QStringList items = itemsOf(form, c, dialog);
    const int shown = std::max(1, (box.height() - 4) / kRowH);
    const int scroll = listScroll(form, c, dialog, shown);
    const int width = box.width() - 4 - (items.size() > shown ? kScrollBarW : 0);
    for (qsizetype i = 0; i < items.size(); ++i) {
        const int row = static_cast<int>(i) - scroll;
        if (row >= 0 && row < shown)
            rows.emplace_back(items[i], QRect(box.left() + 2, box.top() + 2 + row * kRowH, width, kRowH));
    }
    return rows;
}

void FormPart::paintListRows(QPainter& p, const KitForm& form, const KitControl& c, const QRect& box,
                             const QString& value, bool dialog)
{
    p.save();
    p.setClipRect(box.adjusted(1, 1, -1, -1), Qt::IntersectClip);
    for (const auto& [item, row] : listRows(form, c, box, dialog)) {
        // Items under a heading (本文档中的位置's slides) are indented beneath it.
        const bool header = c.headers.contains(item);
        const int indent = !c.headers.isEmpty() && !header ? 14 : 0;
        if (c.style == u"scheme"_s) {
            // 编辑配色方案's colours: a swatch of the selected slide's colour, then its name.
            const QRect box(row.left() + 4, row.top() + 2, 30, row.height() - 4);
            QColor colour = schemeColourShown(m_view.m_session->presentation(), item);
            if (const FormState* state = formState(form.name)) {
                // A colour changed through 更改颜色 shows until the scheme is applied.
                if (const QColor changed = colourOf(state->value(schemeColourKey(item)),
                                                    m_view.m_session->presentation().design);
                    changed.isValid())
                    colour = changed;
            }
            p.fillRect(box, colour);
            p.setPen(item == value ? kSelectLine : QColor(0x80, 0x80, 0x80));
            p.drawRect(box.adjusted(0, 0, -1, -1));
            if (item == value)
                p.drawRect(row.adjusted(0, 0, -1, -1));
            p.setFont(uiFont(12));
            p.setPen(Qt::black);
            p.drawText(row.adjusted(42, 0, 0, 0), Qt::AlignVCenter, item);
            continue;
        }
        if (c.style == u"folder"_s) {
            // A file dialog's folders and files, each by the icon of its kind.
            paintIcon(p, QRect(row.left() + 2, row.top() + 1, 16, 16), fileIcon(item));
            const bool chosen = item == value;
            const QFontMetrics fm(uiFont(12));
            const QRect name(row.left() + 21, row.top(), fm.horizontalAdvance(item) + 4, row.height());
            if (chosen)
                p.fillRect(name, kSelectLine);
            p.setFont(uiFont(12));
            p.setPen(chosen ? QColor(Qt::white) : QColor(Qt::black));
            p.drawText(name.adjusted(2, 0, 0, 0), Qt::AlignVCenter, item);
            continue;
        }
        if (!c.style.isEmpty()) {
            // A found help topic, or a found file, by its icon.
            paintIcon(p, QRect(row.left() + 2, row.top() + 1, 16, 16),
                      c.style == u"links"_s ? u"help"_s : u"powerpoint"_s);
            QFont f = uiFont(12);
            f.setUnderline(c.style == u"links"_s && row.contains(m_view.m_mouse));
            p.setFont(f);
            p.setPen(c.style == u"links"_s ? QColor(0x00, 0x33, 0x99) : QColor(Qt::black));
            p.drawText(row.adjusted(22, 0, 0, 0), Qt::AlignVCenter,
                       QFontMetrics(f).elidedText(item, Qt::ElideRight, row.width() - 24));
            continue;
        }
        p.setFont(uiFont(12, header));
        const bool amongSeveral =
            dialog && m_severalChosen && m_severalChosen->list() == c.id && m_severalChosen->contains(item);
        if (!header && (item == value || amongSeveral)) {
            p.fillRect(row.adjusted(indent, 0, 0, 0), kSelectText);
            p.setPen(Qt::white);
        } else {
            p.setPen(Qt::black);
        }
        p.drawText(row.adjusted(4 + indent, 0, 0, 0), Qt::AlignVCenter, item);
    }
    p.restore();
    m_view.m_scrolls.paintScrollBar(p, locators::listBar(form.name, c.id));
}

QRect FormPart::editListBox(const QRect& rect)
{
    return QRect(rect.left(), rect.top(), rect.width(), 21);
}

QRect FormPart::editListList(const QRect& rect)
{
    return QRect(rect.left(), rect.top() + 23, rect.width(), rect.height() - 23);
}

std::vector<std::pair<QString, QRect>> FormPart::tabCells(const KitControl& c, const QRect& rect) const
{
    std::vector<std::pair<QString, QRect>> cells;
    // The pages the dialog on top leaves out for what it was opened on have no tab.
    QStringList tabs = c.items;
    if (const auto& d = m_view.m_session->dialog())
        tabs.removeIf([&d](const QString& tab) { return d->hidden.contains(tab); });
    const int n = std::max<int>(1, static_cast<int>(tabs.size()));
    for (int i = 0; i < static_cast<int>(tabs.size()); ++i) {
        const QString& item = tabs[i];
        if (c.style == u"bar"_s) {
            const int h = std::min(76, (rect.height() - 4) / n);
            cells.emplace_back(item, QRect(rect.left() + 2, rect.top() + 2 + i * h, rect.width() - 4, h));
        } else if (c.style == u"wizard"_s) {
            const int step = (rect.height() - 20) / std::max(1, n - 1);
            cells.emplace_back(item,
                               QRect(rect.left() + 4, rect.top() + 10 + i * step - 11, rect.width() - 8, 22));
        }
    }
    if (c.style.isEmpty()) {
        const QFontMetrics fm(uiFont(12));
        int x = rect.left() + 2;
        for (const QString& tab : tabs) {
            const int w = fm.horizontalAdvance(tab) + 16;
            cells.emplace_back(tab, QRect(x, rect.top(), w, 21));
            x += w;
        }
    }
    return cells;
}

bool FormPart::dropIsPalette() const
{
    if (!m_drop)
        return false;
    if (m_drop->toolbar) {
        const KitButton* b = m_view.m_session->kit().toolbarButton(m_drop->control);
        return b && b->type == KitButtonType::Color;
    }
    const KitForm* form = m_drop->dialog ? m_view.m_session->kit().dialog(m_drop->form)
                                         : m_view.m_session->kit().taskPane(m_drop->form);
    const KitControl* c = form ? form->control(m_drop->control) : nullptr;
    return c && c->type == KitControlType::Color;
}

std::vector<DropCell> FormPart::dropCells() const
{
    std::vector<DropCell> cells;
    if (!m_drop)
        return cells;
    const QStringList items = dropItems();
    if (!dropIsPalette()) {
        const QRect r = dropRect();
        for (int i = 0; i < kDropRows && m_dropScroll + i < items.size(); ++i)
            cells.push_back(
                {items[m_dropScroll + i], QRect(r.left() + 1, r.top() + 1 + i * 18, r.width() - 2, 18)});
        return cells;
    }
    // A palette: commands as rows (无填充颜色, 自动 above; 其他颜色(M)... below), swatches in rows of eight.
    QRect anchor;
    if (m_drop->toolbar) {
        anchor = m_view.locate(locators::button(m_drop->control)).value_or(QRect());
    } else {
        const KitForm* form = m_drop->dialog ? m_view.m_session->kit().dialog(m_drop->form)
                                             : m_view.m_session->kit().taskPane(m_drop->form);
        anchor = controlRect(*form, *form->control(m_drop->control), m_drop->dialog);
        anchor.setHeight(std::min(anchor.height(), 22));
    }
    const QFontMetrics fm(uiFont(12));
    int width = kPaletteColumns * kCell;
    for (const QString& item : items) {
        if (!isSwatch(item))
            width = std::max(width, fm.horizontalAdvance(item) + 24);
    }
    int y = 0, column = 0;
    bool lastSwatch = false;
    for (const QString& item : items) {
        const bool swatch = isSwatch(item);
        if (swatch) {
            const int left = (width - kPaletteColumns * kCell) / 2;
            if (!lastSwatch && y > 0)
                y += 4;
            cells.push_back({item, QRect(left + column * kCell, y, kCell, kCell), true});
            if (++column == kPaletteColumns) {
                column = 0;
                y += kCell;
            }
        } else {
            if (column > 0) {
                column = 0;
                y += kCell;
            }
            if (lastSwatch)
                y += 4;
            cells.push_back({item, QRect(0, y, width, 22), false});
            y += 22;
        }
        lastSwatch = swatch;
    }
    if (column > 0)
        y += kCell;
    QRect frame(anchor.left(), anchor.bottom() + 1, width + 8, y + 8);
    if (frame.bottom() > kHeight - 2)
        frame.moveBottom(anchor.top() - 1);
    if (frame.right() > kWidth - 2)
        frame.moveRight(kWidth - 2);
    for (DropCell& cell : cells)
        cell.rect.translate(frame.left() + 4, frame.top() + 4);
    return cells;
}

bool FormPart::addOwnHots(std::vector<Hot>& hots, const KitForm& form, const KitControl& c, const QRect& rect,
                          const FormState& state) const
{
    const QString loc = locators::control(form.name, c.id);
    const auto action = [&](const QString& value) { return actions::dialog(form.name, c.id, value); };
    const auto itemAt = [&](const QString& value) { return locators::item(form.name, c.id, value); };
    switch (c.type) {
    case KitControlType::Tabs:
        if (c.style.isEmpty())
            return false;
        for (const auto& [item, cell] : tabCells(c, rect))
            hots.push_back({cell, locators::tab(form.name, item), action(item), {}, 20});
        return true;
    case KitControlType::Options: {
        if (c.style.isEmpty())
            return false;
        const int h = rect.height() / std::max<int>(1, static_cast<int>(c.items.size()));
        for (qsizetype i = 0; i < c.items.size(); ++i)
            hots.push_back({QRect(rect.left(), rect.top() + static_cast<int>(i) * h, rect.width(), h),
                            itemAt(c.items[i]),
                            action(c.items[i]),
                            {},
                            20});
        return true;
    }
    case KitControlType::EditList:
        hots.push_back({editListBox(rect), loc, {}, {}, 20});
        for (const auto& [item, row] : listRows(form, c, editListList(rect), true))
            hots.push_back({row, itemAt(item), action(item), {}, 20});
        m_view.m_scrolls.addScrollBarHots(hots, locators::listBar(form.name, c.id), 21);
        return true;
    case KitControlType::Color:
        hots.push_back(
            {QRect(rect.left(), rect.top(), rect.width(), std::min(rect.height(), 22)), loc, {}, {}, 20});
        return true;
    case KitControlType::Palette:
        if (c.style == u"hexagon"_s) {
            for (const HexCell& cell : honeycomb(rect, c.items)) {
                if (!cell.name.isEmpty())
                    hots.push_back(
                        {hexHitRect(cell), itemAt(cell.name), action(cell.name), cell.name, 20, true});
            }
        } else {
            const int columns = c.columns > 0 ? c.columns : kPaletteColumns;
            for (qsizetype i = 0; i < c.items.size(); ++i) {
                const QRect cell(rect.left() + static_cast<int>(i % columns) * kCell,
                                 rect.top() + static_cast<int>(i / columns) * kCell, kCell, kCell);
                hots.push_back({cell, itemAt(c.items[i]), action(c.items[i]), c.items[i], 20, true});
            }
        }
        return true;
    case KitControlType::Spectrum:
    case KitControlType::Swatch:
        return true;
    default:
        Q_UNUSED(state);
        return false;
    }
}

const FormState* FormPart::formState(const QString& name) const
{
    if (const auto& d = m_view.m_session->dialog(); d && d->name == name)
        return &*d;
    for (const FormState& beneath : m_view.m_session->dialogsBeneath()) {
        if (beneath.name == name)
            return &beneath;
    }
    return nullptr;
}

QColor FormPart::colourShown(const QString& name) const
{
    static const QRegularExpression scheme(u"^遵循(.+)配色方案$"_s);
    if (const auto m = scheme.match(name); m.hasMatch())
        return schemeColourShown(m_view.m_session->presentation(), m.captured(1));
    return colourOf(name, m_view.m_session->presentation().design);
}

QColor FormPart::currentColour() const
{
    const QString design = m_view.m_session->presentation().design;
    const auto& d = m_view.m_session->dialog();
    const auto& beneath = m_view.m_session->dialogsBeneath();
    if (d && !d->openedBy.isEmpty() && !beneath.empty()) {
        const QColor before = colourShown(m_view.m_session->colourBeingChanged(beneath.back(), d->openedBy));
        if (before.isValid())
            return before;
        // A scheme colour not changed yet is the one the slide shows.
        const QString prefix = schemeColourKey({});
        if (d->openedBy.startsWith(prefix))
            return schemeColourShown(m_view.m_session->presentation(), d->openedBy.mid(prefix.size()));
    }
    return colourOf(u"遵循文本和线条配色方案"_s, design);
}

QColor FormPart::newColour(const KitForm& form, const FormState& state) const
{
    const QColor chosen = colourOf(chosenColour(form, state), m_view.m_session->presentation().design);
    return chosen.isValid() ? chosen : currentColour();
}

// The tabs drawn as a side bar of large buttons or as a wizard's steps; false for tabs along the top.
bool FormPart::paintSideTabs(QPainter& p, const KitControl& c, const QRect& rect, const FormState& state,
                             const QPoint& pointer)
{
    if (c.style == u"bar"_s) {
        // A side bar of large buttons, the page shown pressed (插入超链接's 链接到).
        p.fillRect(rect, QColor(0xF4, 0xF3, 0xEE));
        p.setPen(QColor(0x7F, 0x9D, 0xB9));
        p.drawRect(rect.adjusted(0, 0, -1, -1));
        for (const auto& [item, cell] : tabCells(c, rect)) {
            const bool current = item == state.tab;
            if (current || cell.contains(pointer)) {
                p.fillRect(cell.adjusted(1, 1, -1, -1), current ? QColor(0xFF, 0xD5, 0x8C) : kSelect);
                p.setPen(kSelectLine);
                p.drawRect(cell.adjusted(1, 1, -2, -2));
            }
            const QRect icon(cell.center().x() - 14, cell.top() + 6, 28, 28);
            paintIcon(p, icon, barIcon(item));
            p.setPen(Qt::black);
            p.drawText(QRect(cell.left() + 2, icon.bottom() + 2, cell.width() - 4,
                             cell.bottom() - icon.bottom() - 3),
                       Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, item);
        }
        return true;
    }
    if (c.style == u"wizard"_s) {
        // A wizard's steps down the left: a line through a marker per step, the current one green.
        p.fillRect(rect, QColor(0xFF, 0xFF, 0xFF));
        p.setPen(QColor(0x91, 0x9B, 0x9C));
        p.drawRect(rect.adjusted(0, 0, -1, -1));
        const auto cells = tabCells(c, rect);
        const int current = static_cast<int>(c.items.indexOf(state.tab));
        if (!cells.empty()) {
            p.setPen(QPen(QColor(0x80, 0x80, 0x80), 2));
            p.drawLine(cells.front().second.left() + 10, cells.front().second.center().y(),
                       cells.back().second.left() + 10, cells.back().second.center().y());
        }
        for (int i = 0; i < static_cast<int>(cells.size()); ++i) {
            const QRect& cell = cells[static_cast<size_t>(i)].second;
            const QRect marker(cell.left() + 5, cell.center().y() - 5, 11, 11);
            p.fillRect(marker, i == current  ? QColor(0x3A, 0xA0, 0x3A)
                               : i < current ? QColor(0x9C, 0xC8, 0x9C)
                                             : QColor(0xC8, 0xC8, 0xC8));
            p.setPen(QColor(0x50, 0x50, 0x50));
            p.drawRect(marker.adjusted(0, 0, -1, -1));
            p.setFont(uiFont(12, i == current));
            p.setPen(cell.contains(pointer) ? QColor(0x00, 0x33, 0x99) : Qt::black);
            p.drawText(cell.adjusted(22, 0, 0, 0), Qt::AlignVCenter, cells[static_cast<size_t>(i)].first);
        }
        return true;
    }
    return false;
}

void FormPart::paintColourBox(QPainter& p, const KitControl& c, const QRect& rect, const FormState& state,
                              const QString& value)
{
    // The chosen colour as a swatch in the box; a command (无填充颜色) as its text.
    const QRect box(rect.left(), rect.top(), rect.width(), std::min(rect.height(), 22));
    paintWhiteBox(p, box);
    paintDropArrow(p, QRect(box.right() - 15, box.top() + 1, 15, box.height() - 2));
    const QColor colour = colourOf(value, m_view.m_session->presentation().design);
    // Fill effects chosen for the box: the fill itself in the box.
    if (const auto effects = state.fillEffects.find(c.id);
        effects != state.fillEffects.end() && effects->second) {
        const QRect chip = box.adjusted(4, 4, -21, -4);
        paintFillSample(p, chip, fillChosen(*effects->second));
        p.setPen(QColor(0x80, 0x80, 0x80));
        p.drawRect(chip.adjusted(0, 0, -1, -1));
    } else if (colour.isValid()) {
        const QRect chip = box.adjusted(4, 4, -21, -4);
        p.fillRect(chip, colour);
        p.setPen(QColor(0x80, 0x80, 0x80));
        p.drawRect(chip.adjusted(0, 0, -1, -1));
    } else {
        p.setPen(Qt::black);
        p.drawText(box.adjusted(4, 0, -18, 0), Qt::AlignVCenter,
                   QFontMetrics(p.font()).elidedText(value, Qt::ElideRight, box.width() - 22));
    }
    // Held by another control's choice (填充效果's 颜色 2 while 单色 is chosen): greyed.
    if (fixedValue(c, state))
        p.fillRect(box, QColor(0xF0, 0xF0, 0xEA, 190));
}

void FormPart::paintPalette(QPainter& p, const KitControl& c, const QRect& rect, const QString& value,
                            const QPoint& pointer)
{
    if (c.style == u"hexagon"_s) {
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        const HexCell* marked = nullptr;
        const HexCell* hovered = nullptr;
        const auto cells = honeycomb(rect, c.items);
        for (const HexCell& cell : cells) {
            p.setPen(QPen(QColor(0xA0, 0xA0, 0xA0), 0.5));
            p.setBrush(cell.colour);
            p.drawPolygon(hexagon(cell.centre, cell.radius));
            if (!cell.name.isEmpty() && cell.name == value)
                marked = &cell;
            if (!cell.name.isEmpty() && hexHitRect(cell).contains(pointer))
                hovered = &cell;
        }
        // The chosen cell: a white ring inside a black one.
        for (const HexCell* cell : {hovered, marked}) {
            if (!cell)
                continue;
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(Qt::black, 3));
            p.drawPolygon(hexagon(cell->centre, cell->radius + 0.5));
            p.setPen(QPen(Qt::white, 1.5));
            p.drawPolygon(hexagon(cell->centre, cell->radius - 1));
        }
        p.restore();
    } else {
        const int columns = c.columns > 0 ? c.columns : kPaletteColumns;
        for (qsizetype i = 0; i < c.items.size(); ++i) {
            const QRect cell(rect.left() + static_cast<int>(i % columns) * kCell,
                             rect.top() + static_cast<int>(i / columns) * kCell, kCell, kCell);
            if (c.items[i] == value || cell.contains(pointer)) {
                p.fillRect(cell, c.items[i] == value ? QColor(0xFF, 0xD5, 0x8C) : kSelect);
                p.setPen(kSelectLine);
                p.drawRect(cell.adjusted(0, 0, -1, -1));
            }
            p.fillRect(cell.adjusted(3, 3, -3, -3),
                       colourOf(c.items[i], m_view.m_session->presentation().design));
            p.setPen(QColor(0x80, 0x80, 0x80));
            p.drawRect(cell.adjusted(3, 3, -4, -4));
        }
    }
}

bool FormPart::paintOwnControl(QPainter& p, const KitForm& form, const KitControl& c, const QRect& rect,
                               const FormState& state)
{
    const QString value = state.value(c.id);
    const QPoint pointer =
        m_view.m_demonstration.isRunning() ? m_view.m_demonstration.pointer() : m_view.m_mouse;
    p.setFont(uiFont(12));
    if (!c.sample.isEmpty()) {
        // A picture of what the values make, in its group's frame or by itself.
        if (c.type == KitControlType::Group)
            paintGroup(p, c, rect, true);
        paintSample(p, c, rect, state);
        return true;
    }
    switch (c.type) {
    case KitControlType::Tabs:
        return paintSideTabs(p, c, rect, state, pointer);
    case KitControlType::Options: {
        if (c.style.isEmpty())
            return false;
        const int h = rect.height() / std::max<int>(1, static_cast<int>(c.items.size()));
        for (qsizetype i = 0; i < c.items.size(); ++i) {
            const QRect cell(rect.left(), rect.top() + static_cast<int>(i) * h, rect.width(), h - 2);
            const bool chosen = c.items[i] == value;
            p.fillRect(cell, chosen ? QColor(0xFF, 0xD5, 0x8C) : cell.contains(pointer) ? kSelect : kFace);
            p.setPen(chosen || cell.contains(pointer) ? kSelectLine : QColor(0xA0, 0xA0, 0x98));
            p.drawRect(cell.adjusted(0, 0, -1, -1));
            p.setPen(Qt::black);
            p.drawText(cell.adjusted(4, 2, -4, -2), Qt::AlignCenter | Qt::TextWordWrap, c.items[i]);
        }
        return true;
    }
    case KitControlType::EditList: {
        const QRect box = editListBox(rect);
        paintWhiteBox(p, box);
        const bool focused = m_field && m_field->form == form.name && m_field->control == c.id;
        if (focused)
            paintBoxEditing(p, box, m_field->edit, 4);
        else
            paintBoxText(p, box, value, false, false, 4);
        const QRect list = editListList(rect);
        paintWhiteBox(p, list);
        paintListRows(p, form, c, list, value, true);
        return true;
    }
    case KitControlType::Color:
        paintColourBox(p, c, rect, state, value);
        return true;
    case KitControlType::Palette:
        paintPalette(p, c, rect, value, pointer);
        return true;
    case KitControlType::Spectrum:
        paintSpectrum(p, QRect(rect.left(), rect.top(), rect.width() - 24, rect.height()),
                      QRect(rect.right() - 15, rect.top(), 9, rect.height()), newColour(form, state));
        return true;
    case KitControlType::Swatch: {
        const QRect top(rect.left(), rect.top(), rect.width(), rect.height() / 2);
        const QRect bottom(rect.left(), top.bottom() + 1, rect.width(), rect.height() - top.height());
        p.fillRect(top, newColour(form, state));
        p.fillRect(bottom, currentColour());
        p.setPen(QColor(0x80, 0x80, 0x80));
        p.drawRect(rect.adjusted(0, 0, -1, -1));
        return true;
    }
    default:
        return false;
    }
}

QString FormPart::swatchTip() const
{
    const Hot* h =
        m_view.hotAt(m_view.m_demonstration.isRunning() ? m_view.m_demonstration.pointer() : m_view.m_mouse);
    return h && h->swatch ? h->tooltip : QString();
}

void FormPart::paintSwatchTip(QPainter& p)
{
    // The colour's name beside the pointer, in full, as the real palettes show it.
    const QString tip = swatchTip();
    if (tip.isEmpty())
        return;
    const QPoint at = m_view.m_demonstration.isRunning() ? m_view.m_demonstration.pointer() : m_view.m_mouse;
    p.setFont(uiFont(12));
    const QFontMetrics fm(p.font());
    QRect box(at.x() + 4, at.y() + 20, fm.horizontalAdvance(tip) + 10, fm.height() + 6);
    if (box.right() > kWidth - 2)
        box.moveRight(kWidth - 2);
    if (box.bottom() > kHeight - 2)
        box.moveBottom(at.y() - 4);
    p.fillRect(box, QColor(0xFF, 0xFF, 0xE1));
    p.setPen(Qt::black);
    p.drawRect(box.adjusted(0, 0, -1, -1));
    p.drawText(box, Qt::AlignCenter, tip);
}

} // namespace pptdrill
