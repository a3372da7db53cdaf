// Painting of the simulated PowerPoint 2003 window.
#include "common/widgets/fonts.h"
#include "movie/kit/kitcatalog.h"
#include "movie/kit/locators.h"
#include "movie/widgets/slides/slidepainter.h"
#include "movie/widgets/slides/slideshow.h"
#include "movie/widgets/window/kitpaintparts.h"
#include "movie/widgets/window/kitstyle.h"
#include "movie/widgets/window/kitview.h"
#include "movie/widgets/window/plaintextlayout.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace kit {

void barGradient(QPainter& p, const QRect& r)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, kBarLight);
    g.setColorAt(1, kBarDark);
    p.fillRect(r, g);
}

void paintWhiteBox(QPainter& p, const QRect& r)
{
    p.fillRect(r, Qt::white);
    p.setPen(QColor(0x7F, 0x9D, 0xB9));
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

void paintDropArrow(QPainter& p, const QRect& r)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0xE6, 0xEE, 0xFC));
    g.setColorAt(1, QColor(0xB4, 0xC8, 0xF6));
    p.fillRect(r, g);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x4D, 0x61, 0x85));
    const QPoint c = r.center();
    const QPoint tri[3] = {QPoint(c.x() - 3, c.y() - 1), QPoint(c.x() + 4, c.y() - 1),
                           QPoint(c.x(), c.y() + 3)};
    p.drawPolygon(tri, 3);
    p.setBrush(Qt::NoBrush);
}

} // namespace kit

namespace {

using namespace kit;

} // namespace

void KitView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setFont(uiFont());
    const WindowOptions& window = m_session->presentation().window;
    if (window.exited) {
        m_chrome.paintDesktop(p);
    } else if (m_session->view().is(ViewKind::Show)) {
        p.fillRect(rect(), Qt::black);
        m_shows.show().paint(p, fitSlideIn(QRect(0, 0, kWidth, kHeight), m_session->presentation()));
        m_shows.paintState(p);
    } else {
        m_chrome.paintChrome(p);
        m_chrome.paintToolbars(p);
        if (window.closed) {
            m_chrome.paintEmptyWorkspace(p);
        } else if (!window.arrange.isEmpty()) {
            m_chrome.paintArrangedWindows(p);
        } else {
            m_leftPane.paintLeftPane(p);
            m_slideArea.paintSlideArea(p);
            m_shows.paintPreview(p);
            m_slideArea.paintAnimationTags(p);
            m_slideArea.paintSelection(p);
            if (!m_session->view().is(ViewKind::Show))
                m_typingInput->paint(p, typingGeometry());
            if (m_marquee) {
                p.setPen(QPen(Qt::black, 1, Qt::DotLine));
                p.setBrush(Qt::NoBrush);
                p.drawRect(m_marquee->normalized());
            }
            m_slideArea.paintSlideDrop(p);
        }
        if (window.assistant)
            m_chrome.paintAssistant(p);
        m_forms.paintTaskPane(p);
        m_chrome.paintStatus(p);
        const QStringList floating = m_chrome.floatingToolbars();
        for (int i = 0; i < floating.size(); ++i) {
            const QRect bar = m_chrome.floatingToolbarRect(i);
            p.fillRect(bar.translated(2, 2), QColor(0, 0, 0, 60));
            p.fillRect(bar, kBarLight);
            const QRect title(bar.left(), bar.top(), bar.width(), 16);
            p.fillRect(title, QColor(0x3A, 0x6E, 0xC8));
            p.setPen(Qt::white);
            p.setFont(uiFont(11, true));
            p.drawText(title.adjusted(4, 0, -14, 0), Qt::AlignVCenter, floating[i]);
            p.drawText(QRect(title.right() - 13, title.top(), 12, 16), Qt::AlignCenter, u"×"_s);
            p.setPen(QColor(0x3A, 0x6E, 0xC8));
            p.drawRect(bar.adjusted(0, 0, -1, -1));
        }
        m_chrome.paintToolbarButtons(p, 1);
    }
    m_forms.paintDialog(p);
    m_menus.paint(p, m_demonstration.isRunning() ? m_demonstration.pointer() : m_mouse);
    m_forms.paintDrop(p);
    m_forms.paintSwatchTip(p);
    if (m_hint.isVisible())
        m_hint.paint(p);
    if (!m_completionText.isEmpty())
        paintCompletion(p);
    if (m_demonstration.isRunning())
        m_demonstration.paint(p, drawingToolbarY() - 26);
}

void ChromePart::paintChrome(QPainter& p)
{
    // Title bar.
    const QRect title(0, 0, kWidth, kTitleH);
    QLinearGradient g(title.topLeft(), title.bottomLeft());
    g.setColorAt(0, QColor(0x00, 0x58, 0xEE));
    g.setColorAt(0.5, QColor(0x37, 0x93, 0xFF));
    g.setColorAt(1, QColor(0x00, 0x50, 0xE6));
    p.fillRect(title, g);
    paintIcon(p, QRect(5, 4, 16, 16), u"powerpoint"_s);
    p.setPen(Qt::white);
    p.setFont(uiFont(12, true));
    p.drawText(QRect(26, 0, 600, kTitleH), Qt::AlignVCenter, windowCaption());
    for (int i = 0; i < 3; ++i) {
        const QRect b(kWidth - 66 + i * 21, 2, 19, 19);
        QPainterPath path;
        path.addRoundedRect(QRectF(b), 3, 3);
        p.fillPath(path, i == 2 ? QColor(0xE0, 0x4A, 0x2A) : QColor(0x2D, 0x6E, 0xF2));
        p.setPen(Qt::white);
        p.drawPath(path);
        p.setPen(QPen(Qt::white, 2));
        const QRect in = b.adjusted(5, 5, -5, -5);
        if (i == 0)
            p.drawLine(in.left(), in.bottom(), in.right() - 2, in.bottom());
        else if (i == 1)
            p.drawRect(in);
        else {
            p.drawLine(in.topLeft(), in.bottomRight());
            p.drawLine(in.topRight(), in.bottomLeft());
        }
    }
    // Menu bar.
    barGradient(p, QRect(0, kMenuY, kWidth, kMenuH));
    p.setFont(uiFont(12));
    for (const Hot& h : m_view.m_hots) {
        const LocatorParts at = parseLocator(h.locator);
        if (at.kind != LocatorParts::MenuTitle)
            continue;
        const bool open = m_view.m_menus.barMenuOpen() && m_view.m_menus.barTitle() == at.name;
        if (open || h.rect.contains(m_view.m_mouse)) {
            p.fillRect(h.rect, open ? QColor(0xE3, 0xEF, 0xFF) : kSelect);
            p.setPen(kSelectLine);
            p.drawRect(h.rect.adjusted(0, 0, -1, -1));
        }
        p.setPen(Qt::black);
        p.drawText(h.rect, Qt::AlignCenter, at.name);
    }
    const QRect ask(kWidth - 170, kMenuY + 2, 150, kMenuH - 4);
    paintWhiteBox(p, ask);
    p.setPen(kGreyText);
    p.drawText(ask.adjusted(4, 0, 0, 0), Qt::AlignVCenter, u"键入需要帮助的问题"_s);
    p.setPen(Qt::black);
    p.drawText(QRect(kWidth - 18, kMenuY, 14, kMenuH), Qt::AlignCenter, u"×"_s);
}

void ChromePart::paintToolbars(QPainter& p)
{
    barGradient(p, QRect(0, kToolbarY, kWidth, 2 * kToolbarH));
    barGradient(p,
                QRect(0, m_view.drawingToolbarY(), kWidth, m_view.statusBarY() - m_view.drawingToolbarY()));
    const int rows = m_view.m_session->presentation().window.drawingToolbar ? 3 : 2;
    for (int row = 0; row < rows; ++row) {
        const int y = row < 2 ? kToolbarY + row * kToolbarH : m_view.drawingToolbarY();
        // The grip at the start of each bar.
        p.setPen(QColor(0x27, 0x41, 0x76));
        for (int d = 0; d < 4; ++d)
            p.drawPoint(4, y + 7 + d * 4);
    }
    paintToolbarButtons(p, 1);
}

void ChromePart::paintToolbarButtons(QPainter& p, int layer)
{
    const QFontMetrics fm(uiFont(12));
    const bool blocked = m_view.m_session->modalDialogOpen() || m_view.m_menus.isOpen();
    for (const Hot& h : m_view.m_hots) {
        const LocatorParts at = parseLocator(h.locator);
        if (h.layer != layer || at.kind != LocatorParts::Button)
            continue;
        const KitButton* b = m_view.m_session->kit().toolbarButton(at.name);
        if (!b)
            continue;
        if (b->type == KitButtonType::Combo) {
            const QRect box = h.rect.adjusted(0, 1, 0, -1);
            paintWhiteBox(p, box);
            paintDropArrow(p, QRect(box.right() - 11, box.top() + 1, 11, box.height() - 2));
            p.setPen(Qt::black);
            p.setFont(uiFont(12));
            // 显示比例 shows the zoom of the view on screen.
            const QString value = b->name == u"显示比例"_s ? u"%1%"_s.arg(m_view.shownZoom())
                                                           : m_view.m_session->toolbarValue(b->name);
            if (m_view.m_forms.m_field && m_view.m_forms.m_field->toolbar &&
                m_view.m_forms.m_field->control == b->name) {
                paintBoxEditing(p, box.adjusted(0, 0, -12, 0), m_view.m_forms.m_field->edit, 3);
                continue;
            }
            p.drawText(box.adjusted(3, 0, -12, 0), Qt::AlignVCenter,
                       fm.elidedText(value, Qt::ElideRight, box.width() - 16));
            continue;
        }
        // A menu or list dropped from the button, or 格式刷 taken up: the button stays down.
        const bool open = m_view.m_menus.isToolbarMenuOf(b->name) ||
                          (m_view.m_forms.m_drop && m_view.m_forms.m_drop->toolbar &&
                           m_view.m_forms.m_drop->control == b->name) ||
                          (b->holds && m_view.m_session->painterTaken());
        const bool hovered = h.rect.contains(m_view.m_mouse) && !blocked;
        if (hovered || open) {
            p.fillRect(h.rect, open ? QColor(0xFF, 0xD5, 0x8C) : kSelect);
            p.setPen(kSelectLine);
            p.drawRect(h.rect.adjusted(0, 0, -1, -1));
        } else if (m_view.m_session->toolbarButtonOn(b->name)) {
            // A button that is on (加粗 for bold text, the handout's layout) stays pressed in.
            p.fillRect(h.rect, kButtonOn);
            p.setPen(kSelectLine);
            p.drawRect(h.rect.adjusted(0, 0, -1, -1));
        }
        int x = h.rect.left() + 3;
        if (!b->icon.isEmpty()) {
            paintIcon(p, QRect(x, h.rect.top() + 3, 16, 16), b->icon);
            x += 19;
        }
        if (!b->text.isEmpty()) {
            p.setPen(Qt::black);
            p.setFont(uiFont(12));
            p.drawText(QRect(x, h.rect.top(), fm.horizontalAdvance(b->text) + 4, h.rect.height()),
                       Qt::AlignVCenter, b->text);
        }
        if (!b->items.empty()) {
            // A drop-down arrow: beside the icon of a split button, after the text of a menu button.
            const QPoint c(b->text.isEmpty() ? h.rect.right() - 5 : h.rect.right() - 6, h.rect.center().y());
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::black);
            const QPoint tri[3] = {c + QPoint(-3, -1), c + QPoint(3, -1), c + QPoint(0, 2)};
            p.drawPolygon(tri, 3);
            p.setBrush(Qt::NoBrush);
        }
    }
}

namespace {

enum class ThumbnailPlace
{
    SlidesTab, // the number left of the slide, the transition mark under it
    Sorter,    // the number under the slide's right corner, the transition mark under its left
};

// A slide's thumbnail with its selection, number, transition mark and the
// crossed-out number of a hidden slide.
void paintThumbnail(QPainter& p, QRect rect, const Presentation& pres, int n, bool selected,
                    ThumbnailPlace place)
{
    const Slide& s = pres.slides[static_cast<size_t>(n - 1)];
    const bool sorter = place == ThumbnailPlace::Sorter;
    const QRect cell = rect;
    rect = fitSlideIn(cell, pres);
    if (selected) {
        const int width = sorter ? 4 : 3;
        p.setPen(QPen(sorter ? QColor(0x31, 0x6A, 0xC5) : QColor(0xF3, 0xA0, 0x3C), width));
        p.drawRect(rect.adjusted(-width, -width, width - 1, width - 1));
    }
    paintPresentationSlide(p, rect, pres, n, SlidePaintMode::Thumbnail);
    p.setPen(QColor(0x60, 0x60, 0x60));
    p.drawRect(rect.adjusted(0, 0, -1, -1));
    p.setPen(Qt::black);
    p.setFont(kit::uiFont(11));
    const QRect number =
        sorter ? QRect(rect.left(), cell.bottom() + 3, rect.width(), 16) : QRect(8, cell.top(), 22, 16);
    p.drawText(number, Qt::AlignRight, QString::number(n));
    if (!s.transition.isNone() || !s.animation.isEmpty() || !s.effects.empty())
        paintIcon(
            p, sorter ? QRect(number.left(), number.top(), 14, 14) : QRect(14, number.bottom() + 3, 14, 14),
            u"transition"_s);
    // The time the slide stays before it moves on by itself (rehearsed or 每隔), as mm:ss.
    if (sorter && s.transition.after >= 0) {
        const int seconds = static_cast<int>(s.transition.after);
        p.drawText(QRect(number.left() + 18, number.top(), 60, 16), Qt::AlignLeft,
                   u"%1:%2"_s.arg(seconds / 60, 2, 10, QChar(u'0')).arg(seconds % 60, 2, 10, QChar(u'0')));
    }
    if (s.hidden) {
        const QRect mark =
            sorter ? QRect(number.right() - 16, number.top(), 16, 15) : number.adjusted(8, 0, 0, 0);
        p.drawRect(mark);
        p.drawLine(mark.bottomLeft(), mark.topRight());
    }
}

} // namespace

namespace {

// The notes' text as the notes master formats it: its face, style and colour, `pixels` high.
QFont notesFont(const SlideFont& master, int pixels)
{
    QFont font = kit::uiFont(pixels);
    if (!master.family.isEmpty())
        font.setFamily(slideFamily(master.family));
    font.setBold(master.bold.value_or(false));
    font.setItalic(master.italic.value_or(false));
    font.setUnderline(master.underline.value_or(false));
    return font;
}

// The slide master view's pane: the slide master, and the title master joined
// to it below when there is one.
void paintMasterThumbnails(QPainter& p, const Presentation& pres, int shown)
{
    const int w = 100, h = 75, x = 34, top = kMainY + 30;
    std::vector<Slide> masters{pres.master};
    if (pres.titleMaster)
        masters.push_back(*pres.titleMaster);
    for (size_t i = 0; i < masters.size(); ++i) {
        const QRect rect(x, top + static_cast<int>(i) * (h + 14), w, h);
        if (static_cast<int>(i) + 1 == shown) {
            p.setPen(QPen(QColor(0xF3, 0xA0, 0x3C), 3));
            p.drawRect(rect.adjusted(-3, -3, 2, 2));
        }
        Slide master = masters[i];
        if (master.title.isEmpty())
            master.title = u"单击此处编辑母版标题样式"_s;
        if (i == 0 && master.body.isEmpty())
            master.body = QStringList{u"单击此处编辑母版文本样式"_s, u"\t第二级"_s, u"\t\t第三级"_s};
        if (i == 1 && master.subtitle.isEmpty())
            master.subtitle = u"单击此处编辑母版副标题样式"_s;
        paintSlide(p, rect, master, pres.design, SlidePaintMode::Thumbnail);
        p.setPen(QColor(0x60, 0x60, 0x60));
        p.drawRect(rect.adjusted(0, 0, -1, -1));
    }
    p.setPen(Qt::black);
    p.setFont(kit::uiFont(11));
    p.drawText(QRect(8, top, 22, 16), Qt::AlignRight, u"1"_s);
    if (masters.size() > 1) {
        // The bracket that pairs the two masters.
        p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1));
        const int left = x - 6, first = top + h / 2, second = top + h + 14 + h / 2;
        p.drawLine(left, first, left, second);
        p.drawLine(left, first, x - 2, first);
        p.drawLine(left, second, x - 2, second);
    }
}

} // namespace

namespace {

// A slide's line in the outline: its number, the slide icon and its title.
void paintOutlineTitle(QPainter& p, const OutlineRow& row, const Slide& s, bool chosen)
{
    const int y = row.rect.top();
    p.setFont(uiFont(12, true));
    p.drawText(QRect(4, y, 20, 18), Qt::AlignLeft, QString::number(row.slide));
    paintIcon(p, QRect(18, y + 2, 12, 10), u"slide"_s);
    const QRect text(34, y, row.rect.right() - 34, 18);
    if (chosen) {
        p.fillRect(QRect(text.left() - 2, y,
                         std::min(text.width(), QFontMetrics(p.font()).horizontalAdvance(s.title)) + 4, 18),
                   QColor(0x31, 0x6A, 0xC5));
        p.setPen(Qt::white);
    }
    p.drawText(text, Qt::AlignLeft, QFontMetrics(p.font()).elidedText(s.title, Qt::ElideRight, text.width()));
    if (s.collapsed && !outlineParagraphs(s).isEmpty()) {
        // A collapsed slide's title is underlined in grey.
        p.setPen(QPen(kGreyText, 1, Qt::DotLine));
        p.drawLine(text.left(), y + 17, text.right(), y + 17);
    }
}

} // namespace

void LeftPanePart::paintOutline(QPainter& p)
{
    const Presentation& pres = m_view.m_session->presentation();
    p.save();
    p.setClipRect(leftPaneBox(), Qt::IntersectClip);
    int slidesSelected = 0;
    for (int n = 1; n <= static_cast<int>(pres.slides.size()); ++n)
        slidesSelected += m_view.m_session->isSlideSelected(n) ? 1 : 0;
    const bool severalSlides = slidesSelected > 1;
    for (const OutlineRow& row : outlineRows()) {
        if (!row.rect.intersects(leftPaneBox()))
            continue;
        // Slides selected together show all their text highlighted.
        const bool chosen = (row.slide == pres.selected && row.paragraph > 0 &&
                             row.paragraph == m_view.m_session->selection().paragraph()) ||
                            (severalSlides && m_view.m_session->isSlideSelected(row.slide));
        p.setPen(Qt::black);
        if (row.paragraph == 0) {
            paintOutlineTitle(p, row, pres.slides[static_cast<size_t>(row.slide - 1)], chosen);
            continue;
        }
        p.setFont(uiFont(11));
        const QString bullet = u"• "_s + row.text;
        const QRect text = row.rect.adjusted(4, 0, 0, 0);
        if (chosen) {
            p.fillRect(QRect(text.left() - 2, row.rect.top(),
                             std::min(text.width(), QFontMetrics(p.font()).horizontalAdvance(bullet)) + 4,
                             16),
                       QColor(0x31, 0x6A, 0xC5));
            p.setPen(Qt::white);
        }
        p.drawText(text, Qt::AlignLeft,
                   QFontMetrics(p.font()).elidedText(bullet, Qt::ElideRight, text.width()));
    }
    p.restore();
}

void LeftPanePart::paintLeftPane(QPainter& p)
{
    const WindowView& view = m_view.m_session->view();
    if (m_view.slideAreaRect().left() == 0)
        return;
    const Presentation& pres = m_view.m_session->presentation();
    const QRect pane(0, kMainY, kLeftW, m_view.drawingToolbarY() - kMainY);
    p.fillRect(pane, kPaneBack);
    // The 大纲 / 幻灯片 tabs.
    const bool outline = view.is(ViewKind::Outline);
    const QRect tabs(0, kMainY, kLeftW, 22);
    barGradient(p, tabs);
    const QRect t1(4, kMainY + 3, 44, 19), t2(48, kMainY + 3, 52, 19);
    p.fillRect(outline ? t1 : t2, Qt::white);
    p.setPen(QColor(0x6F, 0x8F, 0xC8));
    p.drawRect((outline ? t1 : t2).adjusted(0, 0, -1, 0));
    p.setPen(Qt::black);
    p.setFont(uiFont(12));
    p.drawText(t1, Qt::AlignCenter, u"大纲"_s);
    p.drawText(t2, Qt::AlignCenter, u"幻灯片"_s);
    p.drawText(QRect(kLeftW - 18, kMainY, 16, 22), Qt::AlignCenter, u"×"_s);
    p.setPen(QColor(0x6F, 0x8F, 0xC8));
    p.drawLine(kLeftW - 1, kMainY, kLeftW - 1, m_view.drawingToolbarY());

    if (outline) {
        p.fillRect(pane.adjusted(2, 24, -3, -24), Qt::white);
        paintOutline(p);
        m_view.m_scrolls.paintScrollBar(p, u"outline"_s);
    } else if (view.is(ViewKind::SlideMaster)) {
        paintMasterThumbnails(p, pres, m_view.m_session->shownMaster());
    } else {
        for (const Hot& h : m_view.m_hots) {
            const LocatorParts at = parseLocator(h.locator);
            if (at.kind != LocatorParts::Thumb)
                continue;
            const int n = at.slide;
            paintThumbnail(p, h.rect, pres, n, m_view.m_session->isSlideSelected(n),
                           ThumbnailPlace::SlidesTab);
        }
        m_view.m_scrolls.paintScrollBar(p, u"slides"_s);
    }
}

int SlideAreaPart::slideGapAt(const QPoint& point) const
{
    const bool sorter = m_view.m_session->view().is(ViewKind::Sorter);
    if (!(sorter ? m_view.slideAreaRect() : m_view.m_leftPane.leftPaneBox()).contains(point))
        return -1;
    int gap = -1;
    int nearest = std::numeric_limits<int>::max();
    for (const Hot& h : m_view.m_hots) {
        const LocatorParts at = parseLocator(h.locator);
        if (at.kind != LocatorParts::Thumb)
            continue;
        const QPoint centre = h.rect.center();
        if (const int distance = (centre - point).manhattanLength(); distance < nearest) {
            nearest = distance;
            const bool before = sorter ? point.x() < centre.x() : point.y() < centre.y();
            gap = before ? at.slide - 1 : at.slide;
        }
    }
    return gap;
}

std::optional<QPoint> SlideAreaPart::slideDropPoint(int after) const
{
    const bool sorter = m_view.m_session->view().is(ViewKind::Sorter);
    const std::optional<QRect> r = m_view.locate(locators::thumb(std::max(after, 1)));
    if (!r)
        return std::nullopt;
    if (after == 0)
        return sorter ? QPoint(r->left() + 4, r->center().y()) : QPoint(r->center().x(), r->top() + 4);
    return sorter ? QPoint(r->right() - 4, r->center().y()) : QPoint(r->center().x(), r->bottom() - 4);
}

void SlideAreaPart::paintSlideDrop(QPainter& p)
{
    // While slides are dragged, a line shows where they would land.
    if (!m_view.m_slideDrag || !m_view.m_slideDrag->moving)
        return;
    const int after = slideGapAt(m_view.m_mouse);
    const std::optional<QRect> r =
        after < 0 ? std::nullopt : m_view.locate(locators::thumb(std::max(after, 1)));
    if (!r)
        return;
    const bool sorter = m_view.m_session->view().is(ViewKind::Sorter);
    const QRect slide = fitSlideIn(*r, m_view.m_session->presentation());
    p.setPen(QPen(Qt::black, 2));
    if (sorter) {
        const int x = after == 0 ? slide.left() - 8 : slide.right() + 8;
        p.drawLine(x, slide.top() - 4, x, slide.bottom() + 4);
    } else {
        const int y = after == 0 ? r->top() - 2 : r->bottom() + 2;
        p.drawLine(slide.left(), y, slide.right(), y);
    }
}

void SlideAreaPart::paintSelection(QPainter& p)
{
    const QString selected = m_view.selectedObject();
    if (selected.isEmpty())
        return;
    const QList<int> shapes = m_view.m_session->selectedShapes();
    if (shapes.isEmpty()) {
        paintSelectionFrame(p, *m_view.locate(selected), true);
        return;
    }
    // Each object selected shows its handles; the shapes of a group share one frame around them all.
    const Presentation& pres = m_view.m_session->presentation();
    const Slide& slide = pres.slides[static_cast<size_t>(pres.selected - 1)];
    // A chart Graph is active on: the hatched border of an object edited in place.
    if (const int graph = m_view.m_session->graphShape(); graph > 0 && shapes == QList<int>{graph}) {
        if (const std::optional<QRect> frame = m_view.locate(locators::shape(graph)))
            paintSelectionFrame(p, *frame, true);
        return;
    }
    if (shapes == QList<int>{m_view.m_orgChartShape} && m_view.m_orgChartBox >= 0) {
        paintOrgChartSelection(p, slide.shapes[static_cast<size_t>(shapes.first() - 1)]);
        return;
    }
    QList<int> groupsDone;
    for (const int shape : shapes) {
        const int group = slide.shapes[static_cast<size_t>(shape - 1)].group;
        if (group != 0 && groupsDone.contains(group))
            continue;
        QRect frame;
        for (size_t i = 0; i < slide.shapes.size(); ++i) {
            const int n = static_cast<int>(i) + 1;
            if (n == shape || (group != 0 && slide.shapes[i].group == group))
                frame = frame.united(m_view.locate(locators::shape(n)).value_or(QRect()));
        }
        if (group != 0)
            groupsDone << group;
        if (!frame.isEmpty())
            paintSelectionFrame(p, frame, false);
    }
}

void SlideAreaPart::paintOrgChartSelection(QPainter& p, const SlideShape& shape)
{
    // A box of an organisation chart chosen: the diagram's frame, a hatched band with its sizing
    // handles, and the box's own handles, grey as it is sized with the chart.
    const std::optional<QRect> frame = m_view.locate(locators::shape(m_view.m_orgChartShape));
    const std::vector<QRectF> boxes = frame ? orgChartBoxes(QRectF(*frame), shape) : std::vector<QRectF>{};
    if (shape.type != u"orgchart"_s || static_cast<size_t>(m_view.m_orgChartBox) >= boxes.size())
        return;
    p.save();
    const QRect band = frame->adjusted(-5, -5, 5, 5);
    p.setClipRegion(QRegion(band).subtracted(QRegion(frame->adjusted(-1, -1, 1, 1))));
    p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
    for (int x = band.left() - band.height(); x < band.right(); x += 4)
        p.drawLine(x, band.bottom(), x + band.height(), band.top());
    p.setClipping(false);
    p.setPen(Qt::black);
    p.setBrush(Qt::black);
    for (const QPoint& at :
         {QPoint(band.center().x(), band.top() + 2), QPoint(band.center().x(), band.bottom() - 2),
          QPoint(band.left() + 2, band.center().y()), QPoint(band.right() - 2, band.center().y())})
        p.drawRect(QRect(at - QPoint(2, 2), QSize(5, 5)));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.setBrush(QColor(0xC0, 0xC0, 0xC0));
    const QRectF box = boxes[static_cast<size_t>(m_view.m_orgChartBox)];
    for (const double x : {box.left(), box.center().x(), box.right()}) {
        for (const double y : {box.top(), box.center().y(), box.bottom()}) {
            if (x != box.center().x() || y != box.center().y())
                p.drawEllipse(QPointF(x, y), 3, 3);
        }
    }
    p.restore();
}

void SlideAreaPart::paintSelectionFrame(QPainter& p, const QRect& r, bool placeholder)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    if (placeholder) {
        // A text placeholder being edited, or an object edited in place: a hatched band around it.
        const QRect band = r.adjusted(-4, -4, 4, 4);
        p.setClipRegion(QRegion(band).subtracted(QRegion(r.adjusted(-1, -1, 1, 1))));
        p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
        for (int x = band.left() - band.height(); x < band.right(); x += 4)
            p.drawLine(x, band.bottom(), x + band.height(), band.top());
        p.setClipping(false);
    } else {
        // An object: a thin frame, and a green handle above it for rotating.
        p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1, Qt::DotLine));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.setPen(QColor(0x40, 0x40, 0x40));
        p.drawLine(r.center().x(), r.top(), r.center().x(), r.top() - 12);
        p.setBrush(QColor(0x30, 0xC0, 0x30));
        p.drawEllipse(QPointF(r.center().x(), r.top() - 15), 3.5, 3.5);
    }
    // The eight sizing handles.
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.setBrush(Qt::white);
    const int xs[] = {r.left(), r.center().x(), r.right()};
    const int ys[] = {r.top(), r.center().y(), r.bottom()};
    for (int x : xs) {
        for (int y : ys) {
            if (x != r.center().x() || y != r.center().y())
                p.drawEllipse(QPointF(x, y), 3, 3);
        }
    }
    p.restore();
}

void ScrollPart::paintScrollBar(QPainter& p, const QString& key)
{
    const ScrollBar bar = scrollBar(key);
    if (bar.rect.isNull())
        return;
    p.save();
    p.fillRect(bar.rect, QColor(0xF4, 0xF3, 0xEE));
    // The arrow buttons and the thumb: light blue, rounded, as in the XP theme.
    auto face = [&](const QRect& r) {
        QLinearGradient g(r.topLeft(), r.topRight());
        g.setColorAt(0, QColor(0xC6, 0xD7, 0xFB));
        g.setColorAt(1, QColor(0xB3, 0xC9, 0xF7));
        QPainterPath path;
        path.addRoundedRect(QRectF(r.adjusted(0, 0, -1, -1)), 2, 2);
        p.fillPath(path, g);
        p.setPen(QColor(0xA4, 0xB9, 0xEF));
        p.drawPath(path);
    };
    for (const bool up : {true, false}) {
        const QRect a = up ? bar.upArrow() : bar.downArrow();
        face(a);
        const QPoint c = a.center();
        const int d = up ? -1 : 1;
        p.setPen(QPen(QColor(0x4D, 0x61, 0x85), 2));
        p.drawLine(c + QPoint(-3, -d * 2), c + QPoint(0, d));
        p.drawLine(c + QPoint(0, d), c + QPoint(3, -d * 2));
    }
    const QRect thumb = bar.thumb();
    face(thumb);
    if (thumb.height() > 12) {
        // The grip lines in the middle of the thumb.
        p.setPen(QColor(0xEE, 0xF4, 0xFE));
        for (int i = -2; i <= 2; i += 2)
            p.drawLine(thumb.center().x() - 3, thumb.center().y() + i, thumb.center().x() + 3,
                       thumb.center().y() + i);
    }
    p.restore();
}

void SlideAreaPart::paintSlideArea(QPainter& p)
{
    const Presentation& pres = m_view.m_session->presentation();
    const QRect area = m_view.slideAreaRect();
    const WindowView& view = pres.view;
    p.fillRect(area, QColor(0xC5, 0xD2, 0xE3));
    if (view.isMaster()) {
        paintMasterView(p);
        return;
    }
    if (view.is(ViewKind::PrintPreview)) {
        paintPrintPreview(p);
        return;
    }
    if (view.is(ViewKind::Sorter)) {
        p.fillRect(area, Qt::white);
        for (const Hot& h : m_view.m_hots) {
            const LocatorParts at = parseLocator(h.locator);
            if (at.kind != LocatorParts::Thumb)
                continue;
            const int n = at.slide;
            paintThumbnail(p, h.rect, pres, n, m_view.m_session->isSlideSelected(n), ThumbnailPlace::Sorter);
        }
        return;
    }
    const QRect sr = m_view.slideRectInArea();
    const Slide& slide = pres.slides[static_cast<size_t>(pres.selected - 1)];
    if (view.is(ViewKind::Notes)) {
        // The notes page: the slide, the notes and the page's header and footer.
        p.save();
        p.setClipRect(area);
        const QRect page = m_view.notesPageRect();
        p.fillRect(page.translated(3, 3), QColor(0x70, 0x70, 0x70));
        p.fillRect(page, Qt::white);
        p.setPen(Qt::black);
        p.drawRect(page.adjusted(0, 0, -1, -1));
        paintPresentationSlide(p, sr, pres, pres.selected, SlidePaintMode::Editing,
                               m_view.m_session->typingObject());
        p.drawRect(sr.adjusted(0, 0, -1, -1));
        paintNotesFooters(p, page, pres, shownSlideNumber(pres, pres.selected), 9);
        const QRect notes = m_view.notesPageNotesRect();
        p.fillRect(notes, Qt::white);
        p.setPen(QPen(kGreyText, 1, Qt::DashLine));
        p.drawRect(notes);
        paintNotesText(p, slide.notes, u"单击此处添加文本"_s);
        p.restore();
        return;
    }
    const QRect pane = m_view.slidePaneRect();
    p.save();
    p.setClipRect(pane);
    p.fillRect(sr.translated(3, 3), QColor(0x70, 0x70, 0x70));
    paintPresentationSlide(p, sr, pres, pres.selected, SlidePaintMode::Editing,
                           m_view.m_session->typingObject());
    p.setPen(Qt::black);
    p.drawRect(sr.adjusted(0, 0, -1, -1));
    p.restore();
    paintZoomScrollBars(p, pane, sr);
    paintRulers(p, pane, sr);
    const QRect notes(area.left(), area.bottom() - kNotesH + 1, area.width(), kNotesH);
    p.fillRect(notes, Qt::white);
    p.setPen(QColor(0x8C, 0xA8, 0xD3));
    p.drawLine(notes.topLeft(), notes.topRight());
    paintNotesText(p, slide.notes, u"单击此处添加备注"_s);
}

void SlideAreaPart::paintNotesText(QPainter& p, const QString& notes, const QString& prompt)
{
    const TypingInput::Geometry where = m_view.typingGeometry();
    // The prompt gives way to the caret.
    if (notes.isEmpty() && m_view.m_session->typingObject() != u"notes"_s) {
        p.setPen(kGreyText);
        p.setFont(where.notesFont);
        p.drawText(where.notesText, Qt::TextWordWrap, prompt);
        return;
    }
    PlainTextLayout(notes, where.notesFont, where.notesText).paint(p, Qt::black);
}

TypingInput::Geometry KitView::typingGeometry() const
{
    const Presentation& pres = m_session->presentation();
    const Slide& slide = pres.slides[static_cast<size_t>(pres.selected - 1)];
    // The notes' text size is the notes master's (12 points unless it is changed there);
    // a slide's notes may have a size of their own, set on them on the notes page.
    const int masterSize = pres.notesMaster.bodyFont.size > 0 ? qRound(pres.notesMaster.bodyFont.size) : 12;
    const int notesSize = slide.notesFont.size > 0 ? qRound(slide.notesFont.size) : masterSize;
    TypingInput::Geometry where;
    where.slide = slideRectInArea();
    where.document = slideAreaRect().united(m_leftPane.leftPaneBox());
    const QRect area = slideAreaRect();
    if (m_session->view().is(ViewKind::Notes)) {
        where.notesText = notesPageNotesRect().adjusted(8, 6, -8, -6);
        where.notesFont = notesFont(pres.notesMaster.bodyFont, notesSize + 1);
    } else {
        where.notesText =
            QRect(area.left(), area.bottom() - kNotesH + 1, area.width(), kNotesH).adjusted(10, 6, -10, -4);
        where.notesFont = notesFont(pres.notesMaster.bodyFont, notesSize);
    }
    return where;
}

void SlideAreaPart::paintZoomScrollBars(QPainter& p, const QRect& pane, const QRect& slide)
{
    // A slide larger than its pane: scroll bars along the pane's right and bottom, their
    // thumbs as large as the part seen and in its middle.
    const int t = 16;
    auto bar = [&](const QRect& track, bool vertical, double seen) {
        p.fillRect(track, QColor(0xEE, 0xED, 0xE5));
        const int length = vertical ? track.height() : track.width();
        const int thumb = std::max(12, qRound((length - 2 * t) * seen));
        const int from = (length - thumb) / 2;
        const QRect handle = vertical ? QRect(track.left() + 1, track.top() + from, t - 2, thumb)
                                      : QRect(track.left() + from, track.top() + 1, thumb, t - 2);
        p.fillRect(handle, QColor(0xC3, 0xD3, 0xFD));
        p.setPen(QColor(0x8C, 0xA8, 0xD3));
        p.drawRect(handle.adjusted(0, 0, -1, -1));
        for (const QRect& arrow : vertical ? std::array{QRect(track.left(), track.top(), t, t),
                                                        QRect(track.left(), track.bottom() - t + 1, t, t)}
                                           : std::array{QRect(track.left(), track.top(), t, t),
                                                        QRect(track.right() - t + 1, track.top(), t, t)}) {
            p.fillRect(arrow.adjusted(1, 1, -1, -1), QColor(0xC3, 0xD3, 0xFD));
            p.drawRect(arrow.adjusted(1, 1, -2, -2));
        }
    };
    const bool tall = slide.height() > pane.height(), wide = slide.width() > pane.width();
    if (tall)
        bar(QRect(pane.right() - t + 1, pane.top(), t, pane.height() - (wide ? t : 0)), true,
            double(pane.height()) / slide.height());
    if (wide)
        bar(QRect(pane.left(), pane.bottom() - t + 1, pane.width() - (tall ? t : 0), t), false,
            double(pane.width()) / slide.width());
}

void SlideAreaPart::paintRulers(QPainter& p, const QRect& pane, const QRect& slide)
{
    const WindowOptions& window = m_view.m_session->presentation().window;
    if (!window.rulers)
        return;
    // Centimetres from the slide's middle, as the rulers count while no text is selected.
    const PageSetup& page = m_view.m_session->presentation().page;
    const double perCm = slide.width() / page.width;
    const int t = 12;
    auto ruler = [&](bool vertical) {
        const QRect strip = vertical ? QRect(pane.left(), pane.top() + t, t, pane.height() - t)
                                     : QRect(pane.left() + t, pane.top(), pane.width() - t, t);
        p.fillRect(strip, QColor(0xF4, 0xF4, 0xF0));
        const int from = vertical ? slide.top() : slide.left();
        const int to = vertical ? slide.bottom() : slide.right();
        const QRect onSlide =
            vertical ? QRect(strip.left(), from, t, to - from) : QRect(from, strip.top(), to - from, t);
        p.fillRect(onSlide.intersected(strip), Qt::white);
        p.setPen(QColor(0x80, 0x80, 0x80));
        p.drawLine(vertical ? strip.topRight() : strip.bottomLeft(), strip.bottomRight());
        p.setFont(uiFont(8));
        const double middle = (from + to) / 2.0;
        const int half = qRound((vertical ? page.height : page.width) / 2);
        for (int cm = -half; cm <= half; ++cm) {
            const int at = qRound(middle + cm * perCm);
            if (at < (vertical ? strip.top() : strip.left()) ||
                at > (vertical ? strip.bottom() : strip.right()))
                continue;
            const int tick = cm % 2 ? 3 : 0;
            if (tick) {
                if (vertical)
                    p.drawLine(strip.left() + 4, at, strip.left() + 4 + tick, at);
                else
                    p.drawLine(at, strip.top() + 4, at, strip.top() + 4 + tick);
            } else {
                const QString label = QString::number(std::abs(cm));
                p.drawText(vertical ? QRect(strip.left(), at - 5, t, 10) : QRect(at - 8, strip.top(), 16, t),
                           Qt::AlignCenter, label);
            }
        }
    };
    ruler(false);
    if (window.verticalRuler)
        ruler(true);
}

namespace {

// The slide master: the master's placeholders with their prompts, and the date, footer and
// number areas.
void paintSlideMaster(QPainter& p, const QRect& sr, Slide master, const QString& design)
{
    p.fillRect(sr.translated(3, 3), QColor(0x70, 0x70, 0x70));
    if (master.title.isEmpty())
        master.title = u"单击此处编辑母版标题样式"_s;
    if (master.layout == u"标题幻灯片"_s) {
        if (master.subtitle.isEmpty())
            master.subtitle = u"单击此处编辑母版副标题样式"_s;
    } else if (master.body.isEmpty()) {
        master.body = QStringList{u"单击此处编辑母版文本样式"_s, u"\t第二级"_s, u"\t\t第三级"_s,
                                  u"\t\t\t第四级"_s, u"\t\t\t\t第五级"_s};
    }
    paintSlide(p, sr, master, design, SlidePaintMode::Editing);
    p.setPen(QPen(kGreyText, 1, Qt::DashLine));
    p.setFont(uiFont(10));
    const int fh = sr.height() / 12;
    const QRect date(sr.left() + sr.width() / 20, sr.bottom() - fh - 4, sr.width() / 4, fh);
    const QRect footer(sr.center().x() - sr.width() / 6, date.top(), sr.width() / 3, fh);
    const QRect number(sr.right() - sr.width() / 20 - sr.width() / 4, date.top(), sr.width() / 4, fh);
    for (const auto& [r, text] :
         {std::pair{date, u"日期区"_s}, std::pair{footer, u"页脚区"_s}, std::pair{number, u"数字区"_s}}) {
        p.drawRect(r);
        p.drawText(r, Qt::AlignCenter, text);
    }
    p.setPen(Qt::black);
    p.drawRect(sr.adjusted(0, 0, -1, -1));
}

// The notes master's page: the slide, and the notes' five levels at the master's size.
void paintNotesMaster(QPainter& p, const QRect& page, const Presentation& pres)
{
    const QRect slide(page.left() + page.width() / 8, page.top() + 20, page.width() * 3 / 4,
                      page.width() * 9 / 16);
    paintSlide(p, slide, pres, pres.slides[static_cast<size_t>(pres.selected - 1)],
               SlidePaintMode::Thumbnail);
    p.drawRect(slide);
    const QRect notes(page.left() + 20, slide.bottom() + 20, page.width() - 40,
                      page.bottom() - slide.bottom() - 50);
    p.drawRect(notes);
    // The five levels of the notes text, each a bullet further in, at the master's size.
    p.setFont(notesFont(pres.notesMaster.bodyFont, pres.notesMaster.bodyFont.size > 0
                                                       ? qRound(pres.notesMaster.bodyFont.size * 10 / 12)
                                                       : 10));
    p.setPen(Qt::black);
    static const QString levels[] = {u"单击此处编辑母版文本样式"_s, u"第二级"_s, u"第三级"_s, u"第四级"_s,
                                     u"第五级"_s};
    static const QString bullets[] = {u"•"_s, u"–"_s, u"•"_s, u"–"_s, u"»"_s};
    for (int level = 0; level < 5; ++level) {
        const QRect line(notes.left() + 6 + level * 14, notes.top() + 6 + level * 16,
                         notes.width() - 12 - level * 14, 16);
        p.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, bullets[level]);
        p.drawText(line.adjusted(10, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, levels[level]);
    }
}

} // namespace

void SlideAreaPart::paintMasterView(QPainter& p)
{
    const Presentation& pres = m_view.m_session->presentation();
    const WindowView& view = pres.view;
    if (view.is(ViewKind::SlideMaster)) {
        paintSlideMaster(p, m_view.slideRectInArea(), shownMasterSlide(), pres.design);
        return;
    }
    // Handout and notes masters: a printed page.
    const MasterPage master = masterPage();
    const QRect page = master.page;
    p.fillRect(page.translated(3, 3), QColor(0x70, 0x70, 0x70));
    p.fillRect(page, Qt::white);
    p.setPen(Qt::black);
    p.drawRect(page.adjusted(0, 0, -1, -1));
    p.setPen(QPen(kGreyText, 1, Qt::DashLine));
    if (view.is(ViewKind::HandoutMaster)) {
        for (const QRect& frame :
             handoutSlideFrames(page.adjusted(20, 30, -20, -30), handoutMasterSlidesPerPage(pres)))
            p.drawRect(frame);
    } else {
        paintNotesMaster(p, page, pres);
    }
    p.setFont(uiFont(10));
    // The placeholders show what 页眉和页脚 put in them, else their names.
    const NotesFooters& f = pres.notesFooters;
    p.drawText(QRect(page.left() + 10, page.top() + 4, 100, 14), Qt::AlignLeft,
               f.header.isEmpty() ? u"页眉区"_s : f.header);
    p.drawText(QRect(page.right() - 110, page.top() + 4, 100, 14), Qt::AlignRight,
               f.date ? footerDate(f.fixedDate) : u"日期区"_s);
    p.drawText(QRect(page.left() + 10, page.bottom() - 18, 100, 14), Qt::AlignLeft,
               f.footer.isEmpty() ? u"页脚区"_s : f.footer);
    p.drawText(QRect(page.right() - 110, page.bottom() - 18, 100, 14), Qt::AlignRight, u"数字区"_s);
}

std::vector<QRect> handoutSlideFrames(const QRect& area, int slidesPerPage)
{
    const int per = std::clamp(slidesPerPage, 1, 9);
    const int cols = per == 9 ? 3 : per >= 4 ? 2 : 1;
    const int rows = (per + cols - 1) / cols;
    const int gap = 10;
    const int cellWidth = (area.width() - (cols - 1) * gap) / cols;
    const int cellHeight = (area.height() - (rows - 1) * gap) / rows;
    // Slides keep their 4:3 shape, however the page divides.
    int height = std::min(cellHeight, cellWidth * 3 / 4);
    if (per == 3)
        height = std::min(height, area.width() / 2 * 3 / 4);
    const int width = height * 4 / 3;
    const int usedWidth = cols * width + (cols - 1) * gap;
    const int usedHeight = rows * height + (rows - 1) * gap;
    const int left = per == 3 ? area.left() : area.left() + (area.width() - usedWidth) / 2;
    const int top = area.top() + (area.height() - usedHeight) / 2;
    std::vector<QRect> frames;
    for (int i = 0; i < per; ++i)
        frames.emplace_back(left + (i % cols) * (width + gap), top + (i / cols) * (height + gap), width,
                            height);
    return frames;
}

void FormPart::paintTaskPane(QPainter& p)
{
    const QRect pane = m_view.taskPaneRect();
    if (pane.isNull())
        return;
    const KitForm* form = m_view.m_session->kit().taskPane(m_view.m_session->presentation().taskpane);
    p.fillRect(pane, kPaneBack);
    p.setPen(QColor(0x6F, 0x8F, 0xC8));
    p.drawLine(pane.topLeft(), pane.bottomLeft());
    const QRect header(pane.left() + 1, pane.top(), pane.width() - 1, 24);
    barGradient(p, header);
    paintIcon(p, QRect(header.left() + 4, header.top() + 4, 16, 16), u"back"_s);
    p.setPen(Qt::black);
    p.setFont(uiFont(12, true));
    // Two panes may share a caption (搜索结果 of help and of files).
    const QString caption =
        form && !form->title.isEmpty() ? form->title : m_view.m_session->presentation().taskpane;
    p.drawText(header.adjusted(44, 0, -34, 0), Qt::AlignVCenter, caption);
    p.setFont(uiFont(12));
    p.drawText(QRect(header.right() - 32, header.top(), 14, 24), Qt::AlignCenter, u"▼"_s);
    p.drawText(QRect(header.right() - 16, header.top(), 14, 24), Qt::AlignCenter, u"×"_s);
    if (form) {
        p.save();
        p.setClipRect(m_view.paneContentRect());
        m_view.m_forms.paintForm(p, *form, m_view.m_session->taskPane(), pane, false);
        p.restore();
        m_view.m_scrolls.paintScrollBar(p, u"pane"_s);
    }
}

QString statusBarPlace(const MovieSession& session)
{
    const Presentation& pres = session.presentation();
    const QString ofSlides = u"%1 / %2"_s.arg(pres.selected).arg(pres.slides.size());
    switch (pres.view.kind()) {
    case ViewKind::Sorter:
        return u"幻灯片浏览"_s;
    case ViewKind::SlideMaster:
        return session.shownMaster() == 2 ? u"标题母版"_s : u"幻灯片母版"_s;
    case ViewKind::HandoutMaster:
        return u"讲义母版"_s;
    case ViewKind::NotesMaster:
        return u"备注母版"_s;
    case ViewKind::Notes:
        return u"备注 "_s + ofSlides;
    default:
        return u"幻灯片 "_s + ofSlides;
    }
}

void ChromePart::paintStatus(QPainter& p)
{
    const QRect bar(0, kStatusY, kWidth, kHeight - kStatusY);
    if (!m_view.m_session->presentation().window.statusBar)
        return; // 选项 → 视图 → 状态栏 off: the panes and the drawing toolbar took its room
    QLinearGradient g(bar.topLeft(), bar.bottomLeft());
    g.setColorAt(0, QColor(0xE3, 0xEF, 0xFF));
    g.setColorAt(1, QColor(0xB9, 0xD1, 0xF3));
    p.fillRect(bar, g);
    const Presentation& pres = m_view.m_session->presentation();
    if (pres.window.closed)
        return; // nothing open to tell of
    p.setPen(Qt::black);
    p.setFont(uiFont(12));
    p.drawText(QRect(8, kStatusY, 200, bar.height()), Qt::AlignVCenter, statusBarPlace(*m_view.m_session));
    // The template by its name, as the status bar gives it: "Layers", not its file "Layers.pot".
    QString design = pres.design;
    if (design.endsWith(u".pot"_s, Qt::CaseInsensitive))
        design.chop(4);
    p.drawText(QRect(260, kStatusY, 260, bar.height()), Qt::AlignVCenter, design);
    p.drawText(QRect(560, kStatusY, 120, bar.height()), Qt::AlignVCenter, u"中文(中国)"_s);
    p.setPen(QColor(0x8C, 0xA8, 0xD3));
    p.drawLine(250, kStatusY + 3, 250, kHeight - 3);
    p.drawLine(550, kStatusY + 3, 550, kHeight - 3);
}

QRect KitView::completionRect() const
{
    // Low in the window, over the drawing toolbar and the status bar, where a
    // task changes least: the slide, the panes and the dialogs stay in view.
    // Clicked, it folds into a tag at the right of the status bar.
    if (m_completionFolded)
        return QRect(kWidth - 190, kHeight - 26, 184, 22);
    const QString result = m_session->movie().result;
    const QFontMetrics fm(uiFont(12));
    const int w = 620;
    const int textH =
        result.isEmpty() ? 0 : fm.boundingRect(QRect(0, 0, w - 40, 200), Qt::TextWordWrap, result).height();
    const int h = 36 + (textH ? textH + 8 : 0);
    return QRect((kWidth - w) / 2, kHeight - 4 - h, w, h);
}

void KitView::paintCompletion(QPainter& p)
{
    const QRect box = completionRect();
    const QColor green(0x2E, 0x8B, 0x2E);
    QPainterPath path;
    path.addRoundedRect(QRectF(box), 6, 6);
    p.fillPath(path, QColor(0xFF, 0xFF, 0xFF, 245));
    p.setPen(QPen(green, 2));
    p.drawPath(path);
    const int tick = m_completionFolded ? 11 : 18;
    const QPoint at(box.left() + 10, box.top() + (m_completionFolded ? 11 : 18));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(green, m_completionFolded ? 2.5 : 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(at, at + QPoint(tick / 3, tick / 3));
    p.drawLine(at + QPoint(tick / 3, tick / 3), at + QPoint(tick, -tick / 3));
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(0x1E, 0x6B, 0x1E));
    if (m_completionFolded) {
        p.setFont(uiFont(11, true));
        p.drawText(box.adjusted(tick + 16, 0, -6, 0), Qt::AlignVCenter, m_completionText);
        return;
    }
    p.setFont(uiFont(14, true));
    p.drawText(QRect(box.left() + 36, box.top() + 4, box.width() - 140, 28), Qt::AlignVCenter,
               m_completionText);
    p.setPen(QColor(0x60, 0x60, 0x60));
    p.setFont(uiFont(10));
    p.drawText(QRect(box.right() - 110, box.top() + 4, 100, 28), Qt::AlignVCenter | Qt::AlignRight,
               u"单击此处收起"_s);
    const QString result = m_session->movie().result;
    if (!result.isEmpty()) {
        p.setPen(Qt::black);
        p.setFont(uiFont(12));
        p.drawText(QRect(box.left() + 20, box.top() + 34, box.width() - 40, box.height() - 38),
                   Qt::TextWordWrap, result);
    }
}

bool ChromePart::toolbarShown(const QString& name) const
{
    const Presentation& pres = m_view.m_session->presentation();
    if (pres.window.closed)
        return false;
    if (name == u"常用"_s || name == u"格式"_s)
        return true;
    if (name == u"绘图"_s)
        return pres.window.drawingToolbar;
    if (name == u"任务窗格"_s)
        return !pres.taskpane.isEmpty();
    return floatingToolbars().contains(name);
}

} // namespace pptdrill
