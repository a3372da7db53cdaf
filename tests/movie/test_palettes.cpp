// The palettes of pictures that a shape is found by: 自选图形's categories, 表格和边框's 框线
// and the tiles of 图示库. Each cell draws its own picture and names it in a tooltip.
#include "movie/kit/kitcatalog.h"
#include "movie/kit/locators.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/slides/slidepaintsupport.h"
#include "movie/widgets/window/kitview.h"
#include "tests/movie/windowtesting.h"

#include <QApplication>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using windowtesting::at;
using windowtesting::click;
using windowtesting::tooltipAt;

namespace {

std::unique_ptr<KitView> viewOf(const QString& window, const QString& steps)
{
    const QString json = uR"j({"format": "pptdrill-movie", "version": 1, "presentation": {"view": "normal",
            "taskpane": null, "window": {%1}, "slides": [{"layout": "标题幻灯片", "title": "年度总结"}]},
            "steps": [%2]})j"_s.arg(window, steps);
    return windowtesting::viewOfMovie(json);
}

const KitMenuItem* submenu(const std::vector<KitMenuItem>& items, const QString& text)
{
    const auto it =
        std::find_if(items.begin(), items.end(), [&](const KitMenuItem& i) { return i.text == text; });
    return it == items.end() ? nullptr : &*it;
}

// The cells of the palette open at `path`, one to an item: each a small square, its picture
// unlike every other's, its name in its tooltip.
void expectPictureCells(KitView& view, const QStringList& path, const std::vector<KitMenuItem>& items)
{
    const QImage shot = view.grab().toImage();
    std::vector<std::pair<QString, QImage>> cells;
    for (const KitMenuItem& item : items) {
        if (item.separator)
            continue;
        const QRect cell = at(view, locators::toolbarItem(path + QStringList{item.text}));
        EXPECT_EQ(cell.width(), cell.height()) << item.text.toStdString();
        EXPECT_LT(cell.width(), 40) << item.text.toStdString();
        cells.emplace_back(item.text, shot.copy(cell));
    }
    for (size_t i = 0; i < cells.size(); ++i)
        for (size_t j = i + 1; j < cells.size(); ++j)
            EXPECT_NE(cells[i].second, cells[j].second)
                << cells[i].first.toStdString() << " looks like " << cells[j].first.toStdString();
    for (const QString& name : {items.front().text, items.back().text}) {
        const QRect cell = at(view, locators::toolbarItem(path + QStringList{name}));
        EXPECT_EQ(tooltipAt(view, cell.center()), name);
    }
}

const QStringList kShapeCategories{u"线条(L)"_s,   u"连接符(N)"_s,   u"基本形状(B)"_s, u"箭头总汇(A)"_s,
                                   u"流程图(F)"_s, u"星与旗帜(S)"_s, u"标注(C)"_s,     u"动作按钮(I)"_s};

} // namespace

TEST(Palettes, EachAutoShapeCategoryIsAGridOfItsShapesPictures)
{
    const KitButton* shapes = KitCatalog::instance().toolbarButton(u"自选图形"_s);
    ASSERT_NE(shapes, nullptr);
    for (const QString& category : kShapeCategories) {
        SCOPED_TRACE(category.toStdString());
        const KitMenuItem* palette = submenu(shapes->items, category);
        ASSERT_NE(palette, nullptr);
        auto view = viewOf({}, uR"j({"hint": "h", "accept": ["toolbar:自选图形/%1/%2"]})j"_s.arg(
                                   category, palette->items.back().text));
        click(*view, locators::button(u"自选图形"_s));
        click(*view, locators::toolbarItem({u"自选图形"_s, category}));
        expectPictureCells(*view, {u"自选图形"_s, category}, palette->items);
        // A click on the last cell picks that shape.
        click(*view, locators::toolbarItem({u"自选图形"_s, category, palette->items.back().text}));
        EXPECT_TRUE(view->session().isComplete());
    }
}

TEST(Palettes, EveryShapeOfThePalettesHasAPictureOfItsOwn)
{
    // Wherever the kit lists the shapes (the 绘图 toolbar's menu, 改变自选图形, the 自选图形
    // toolbar), each names a picture that is drawn, not the plain face of an unknown key.
    const QStringList drawn = iconKeys();
    const QImage unknown = paintIconColumn({u"no-such-picture"_s});
    int checked = 0;
    const auto checkCells = [&](const std::vector<KitMenuItem>& cells) {
        for (const KitMenuItem& cell : cells) {
            EXPECT_TRUE(drawn.contains(cell.icon)) << cell.text.toStdString();
            EXPECT_NE(paintIconColumn({cell.icon}), unknown) << cell.text.toStdString();
            ++checked;
        }
    };
    const auto check = [&](const std::vector<KitMenuItem>& items, auto&& self) -> void {
        for (const KitMenuItem& item : items) {
            if (item.columns > 0)
                checkCells(item.items);
            self(item.items, self);
        }
    };
    for (const auto& [bar, buttons] : KitCatalog::instance().toolbars())
        for (const KitButton& button : buttons) {
            if (button.columns > 0 && button.name != u"阴影样式"_s)
                checkCells(button.items);
            check(button.items, check);
        }
    EXPECT_GT(checked, 3 * 140);
}

// The dark (outline-coloured) pixels in the middle of a 16-pixel picture, as a
// pattern: where a shape is only outlined and filled, the middle is empty.
QString darkMiddle(const QImage& picture)
{
    QString pattern;
    for (int y = 5; y < 11; ++y)
        for (int x = 4; x < 12; ++x) {
            const QColor c = picture.pixelColor(x, y);
            pattern += c.alpha() > 200 && c.red() + c.green() + c.blue() < 300 ? u'#' : u'.';
        }
    return pattern;
}

TEST(Palettes, ManyPointedStarsAreToldApartByTheirNumber)
{
    // At 16 pixels stars of 16, 24 and 32 points are round seals, taken for circles:
    // each carries its number in its middle, and the three numbers differ.
    QStringList middles;
    for (const QString& seal : {u"star-16"_s, u"star-24"_s, u"star-32"_s}) {
        const QString middle = darkMiddle(paintIconColumn({seal}));
        EXPECT_GE(middle.count(u'#'), 12) << seal.toStdString() << " " << middle.toStdString();
        EXPECT_FALSE(middles.contains(middle)) << seal.toStdString();
        middles << middle;
    }
    EXPECT_EQ(darkMiddle(paintIconColumn({u"shape-oval"_s})).count(u'#'), 0);
}

TEST(Palettes, TheBordersButtonDropsAGridOfBorderPictures)
{
    auto view = viewOf(uR"j("toolbars": ["表格和边框"])j"_s,
                       uR"j({"hint": "h", "accept": ["toolbar:框线/内部框线(I)"]})j"_s);
    const KitButton* borders = KitCatalog::instance().toolbarButton(u"框线"_s);
    ASSERT_NE(borders, nullptr);
    ASSERT_EQ(borders->items.size(), 12u);
    click(*view, locators::button(u"框线"_s));
    expectPictureCells(*view, {u"框线"_s}, borders->items);
    // Six to a row, two rows.
    const QRect first = at(*view, locators::toolbarItem({u"框线"_s, u"外侧框线(O)"_s}));
    const QRect seventh = at(*view, locators::toolbarItem({u"框线"_s, u"右框线(R)"_s}));
    EXPECT_EQ(seventh.left(), first.left());
    EXPECT_GT(seventh.top(), first.top());
    click(*view, locators::toolbarItem({u"框线"_s, u"内部框线(I)"_s}));
    EXPECT_TRUE(view->session().isComplete());
}

TEST(Palettes, DiagramGalleryTilesEachDrawTheirDiagramAndNameTheChosenOne)
{
    auto view = viewOf({}, uR"j({"hint": "h", "accept": ["menu:插入(I)/图示(G)..."]},
                               {"hint": "h", "accept": ["dialog:图示库/图示类型=目标图"]})j"_s);
    click(*view, locators::menuTitle(u"插入(I)"_s));
    click(*view, locators::menuItem({u"插入(I)"_s, u"图示(G)..."_s}));
    ASSERT_TRUE(view->session().dialog().has_value());
    const QStringList kinds{u"组织结构图"_s, u"循环图"_s, u"射线图"_s, u"棱锥图"_s, u"维恩图"_s, u"目标图"_s};
    // The tiles not chosen, each unlike the others and unlike an empty one.
    QTest::mouseMove(view.get(), QPoint(2, 590));
    QImage shot = view->grab().toImage();
    std::vector<QImage> tiles;
    for (const QString& kind : kinds.mid(1))
        tiles.push_back(shot.copy(at(*view, locators::item(u"图示库"_s, u"图示类型"_s, kind))));
    for (size_t i = 0; i < tiles.size(); ++i) {
        int ink = 0;
        for (int y = 0; y < tiles[i].height(); ++y)
            for (int x = 0; x < tiles[i].width(); ++x)
                ink += tiles[i].pixel(x, y) != tiles[i].pixel(0, 0) ? 1 : 0;
        EXPECT_GT(ink, tiles[i].width() * tiles[i].height() / 10) << kinds[int(i) + 1].toStdString();
        for (size_t j = i + 1; j < tiles.size(); ++j)
            EXPECT_NE(tiles[i], tiles[j]) << kinds[int(i) + 1].toStdString();
    }
    // Under the tiles, the name and description of the kind chosen.
    QRect gallery;
    for (const QString& kind : kinds)
        gallery |= at(*view, locators::item(u"图示库"_s, u"图示类型"_s, kind));
    const QRect under(gallery.left(), gallery.bottom() + 2, gallery.width(), 40);
    const QImage before = shot.copy(under);
    click(*view, locators::item(u"图示库"_s, u"图示类型"_s, u"目标图"_s));
    EXPECT_EQ(view->session().dialog()->value(u"图示类型"_s), u"目标图"_s);
    QTest::mouseMove(view.get(), QPoint(2, 590));
    EXPECT_NE(view->grab().toImage().copy(under), before);
    EXPECT_TRUE(view->session().isComplete());
}
