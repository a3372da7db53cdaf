// What the simulated window shows of the document and of the learner's choices, clicked through
// it: the layout pane's mark, the zoom 显示比例 opens at, Tab in a dialog, the previews of 页眉和页脚,
// 填充效果 and 相册, floating toolbars that wrap, 动画播放后's colours, 自动预览 of a scheme, the file
// dialogs' toolbar and icons, an organisation chart's box chosen, the files opened last in the
// 文件 menu, and the 配色方案 tiles, whose tooltips name nothing.
#include "movie/kit/kitcatalog.h"
#include "movie/kit/locators.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/slides/slidepainter.h"
#include "movie/widgets/slides/slideshow.h"
#include "movie/widgets/window/kitview.h"
#include "tests/movie/windowtesting.h"

#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QSet>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using windowtesting::at;
using windowtesting::click;
using windowtesting::shot;
using windowtesting::tooltipAt;

namespace {

const QString kTwoSlides = uR"j([{"layout": "标题幻灯片", "title": "年度总结", "subtitle": "2026年",
          "shapes": [{"type": "rect", "x": 500, "y": 380, "w": 120, "h": 80}]},
         {"title": "主要工作", "body": ["市场", "研发"]}])j"_s;

std::unique_ptr<KitView> viewOf(const QStringList& ways, const QString& taskpane = u"null"_s,
                                const QString& slides = kTwoSlides)
{
    QStringList steps;
    for (const QString& way : ways)
        steps << uR"j({"hint": "h", "accept": ["%1"]})j"_s.arg(way);
    const QString json = uR"j({"format": "pptdrill-movie", "version": 1,
        "presentation": {"view": "normal", "taskpane": %1, "slides": %2}, "steps": [%3]})j"_s.arg(
        taskpane, slides, steps.join(u','));
    auto view = windowtesting::viewOfMovie(json);
    view->show();
    return view;
}

// Where a control of the open dialog lies (an empty id: the one drawing a sample), by its place in
// the kit: the dialog's buttons show where the dialog stands.
QRect kitRect(const KitView& view, const QString& dialog, const QString& button, const QString& id,
              int index = 0)
{
    const KitForm* form = KitCatalog::instance().dialog(dialog);
    const KitControl* anchor = form->control(button);
    const QPoint offset =
        at(view, locators::control(dialog, button)).topLeft() - QPoint(anchor->x, anchor->y);
    int seen = 0;
    for (const KitControl& c : form->controls) {
        const bool named = id.isEmpty() ? !c.sample.isEmpty() : c.id == id || c.text == id;
        if (named && seen++ == index)
            return QRect(offset + QPoint(c.x, c.y), QSize(c.w, c.h));
    }
    ADD_FAILURE() << "no control " << id.toStdString();
    return {};
}

int darkPixels(const QImage& image, const QRect& rect)
{
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            count += qGray(image.pixel(x, y)) < 0x50 ? 1 : 0;
    return count;
}

} // namespace

TEST(WindowLooks, TheLayoutPaneMarksTheLayoutOfTheSlideSelected)
{
    auto view = viewOf({u"thumb:2"_s, u"taskpane:幻灯片版式/版式=空白"_s}, u"\"幻灯片版式\""_s);
    EXPECT_EQ(view->session().taskPane().value(u"版式"_s), u"标题幻灯片"_s);
    click(*view, locators::thumb(2));
    ASSERT_EQ(view->session().stepIndex(), 1);
    EXPECT_EQ(view->session().taskPane().value(u"版式"_s), u"标题和文本"_s);
    ASSERT_TRUE(view->performThroughUi(u"taskpane:幻灯片版式/版式=空白"_s));
    EXPECT_EQ(view->session().taskPane().value(u"版式"_s), u"空白"_s);
}

TEST(WindowLooks, ZoomOpensAtTheZoomTheSlideIsFittedAt)
{
    // Fitted to the window: 适应 chosen, and the percentage the slide is shown at, smaller beside the
    // task pane.
    std::vector<int> zooms;
    for (const QString& pane : {u"null"_s, u"\"幻灯片版式\""_s}) {
        auto view = viewOf({u"menu:视图(V)/显示比例(Z)..."_s}, pane);
        ASSERT_TRUE(view->performThroughUi(u"menu:视图(V)/显示比例(Z)..."_s));
        ASSERT_TRUE(view->session().dialog().has_value());
        EXPECT_EQ(view->session().dialog()->value(u"显示比例"_s), u"适应(F)"_s);
        zooms.push_back(view->session().dialog()->value(u"百分比"_s).toInt());
    }
    EXPECT_GT(zooms[0], zooms[1]);
    EXPECT_GT(zooms[1], 10);
}

TEST(WindowLooks, TabFromATickedBoxReachesTheBoxAfterIt)
{
    const QString dialog = u"页眉和页脚"_s;
    auto view = viewOf({u"menu:视图(V)/页眉和页脚(H)..."_s, u"dialog:页眉和页脚/页脚(F)=on"_s,
                        u"dialog:页眉和页脚/页脚文字=ABC"_s});
    ASSERT_TRUE(view->performThroughUi(u"menu:视图(V)/页眉和页脚(H)..."_s));
    click(*view, locators::control(dialog, u"页脚(F)"_s));
    ASSERT_EQ(view->session().stepIndex(), 2);
    QTest::keyClick(view.get(), Qt::Key_Tab);
    QTest::keyClicks(view.get(), u"ABC"_s);
    EXPECT_EQ(view->session().dialog()->value(u"页脚文字"_s), u"ABC"_s);
    EXPECT_TRUE(view->session().isComplete());
    // Shift+Tab from the footer's box goes back to the box before it, the fixed date, once the date
    // is ticked and fixed (until then that box is greyed and out of reach).
    click(*view, locators::control(dialog, u"日期和时间(D)"_s));
    click(*view, locators::item(dialog, u"更新方式"_s, u"固定(X)"_s));
    click(*view, locators::control(dialog, u"页脚文字"_s));
    QTest::keyClick(view.get(), Qt::Key_Tab, Qt::ShiftModifier);
    QTest::keyClicks(view.get(), u"X"_s);
    EXPECT_EQ(view->session().dialog()->value(u"页脚文字"_s), u"ABC"_s);
}

TEST(WindowLooks, HeaderAndFooterPreviewDarkensThePlacesTicked)
{
    const QString dialog = u"页眉和页脚"_s;
    auto view = viewOf({u"menu:视图(V)/页眉和页脚(H)..."_s, u"dialog:页眉和页脚/页脚(F)=on"_s,
                        u"dialog:页眉和页脚/幻灯片编号(N)=on"_s, u"dialog:页眉和页脚/标签=备注和讲义"_s});
    ASSERT_TRUE(view->performThroughUi(u"menu:视图(V)/页眉和页脚(H)..."_s));
    const QRect preview = kitRect(*view, dialog, u"取消"_s, u"预览"_s).adjusted(4, 16, -4, -4);
    // The page's left and right quarters, and its middle fifth.
    const int quarter = preview.width() / 4;
    const QRect left(preview.left(), preview.top(), quarter, preview.height());
    const QRect middle(preview.center().x() - preview.width() / 10, preview.top(), preview.width() / 5,
                       preview.height());
    const QRect right(preview.right() - quarter + 1, preview.top(), quarter, preview.height());
    QImage image = shot(*view);
    EXPECT_EQ(darkPixels(image, preview), 0);

    click(*view, locators::control(dialog, u"页脚(F)"_s));
    image = shot(*view);
    EXPECT_GT(darkPixels(image, middle), 20);
    EXPECT_EQ(darkPixels(image, left) + darkPixels(image, right), 0);

    click(*view, locators::control(dialog, u"幻灯片编号(N)"_s));
    EXPECT_GT(darkPixels(shot(*view), right), 20);

    // Notes and handouts: an upright page whose page number is ticked from the start.
    click(*view, locators::tab(dialog, u"备注和讲义"_s));
    ASSERT_EQ(view->session().dialog()->tab, u"备注和讲义"_s);
    image = shot(*view);
    const QRect leftHalf(preview.left(), preview.top(), preview.width() / 2, preview.height());
    EXPECT_GT(darkPixels(image, preview), 10);
    EXPECT_EQ(darkPixels(image, leftHalf), 0);
    image.copy(view->locate(locators::control(dialog, u"取消"_s))->adjusted(-400, -90, 10, 220))
        .save(u"/tmp/looks-headerfooter.png"_s);
}

TEST(WindowLooks, TheNotesAndHandoutsPageLaysOutItsDateAsTheSlidePageDoes)
{
    const QString dialog = u"页眉和页脚"_s;
    auto view = viewOf({u"menu:视图(V)/页眉和页脚(H)..."_s});
    ASSERT_TRUE(view->performThroughUi(u"menu:视图(V)/页眉和页脚(H)..."_s));
    // On either page: 自动更新, its date box, its language and calendar, then 固定 and its box.
    // The date's boxes are in reach once its tick is on, the fixed date's once 固定 is chosen.
    const auto dateGroup = [&](const QString& prefix) {
        const QString options = prefix + u"更新方式"_s;
        click(*view,
              locators::control(dialog, prefix.isEmpty() ? u"日期和时间(D)"_s : prefix + u"日期和时间"_s));
        std::vector<QRect> group{at(*view, locators::item(dialog, options, u"自动更新(U)"_s)),
                                 at(*view, locators::control(dialog, prefix + u"日期格式"_s)),
                                 at(*view, locators::control(dialog, prefix + u"语言(国家/地区)"_s)),
                                 at(*view, locators::control(dialog, prefix + u"日历类型"_s)),
                                 at(*view, locators::item(dialog, options, u"固定(X)"_s))};
        click(*view, locators::item(dialog, options, u"固定(X)"_s));
        group.push_back(at(*view, locators::control(dialog, prefix + u"固定日期"_s)));
        return group;
    };
    const std::vector<QRect> slide = dateGroup({});
    click(*view, locators::tab(dialog, u"备注和讲义"_s));
    ASSERT_EQ(view->session().dialog()->tab, u"备注和讲义"_s);
    const std::vector<QRect> notes = dateGroup(u"讲义"_s);
    for (size_t i = 0; i < slide.size(); ++i)
        EXPECT_EQ(notes[i].topLeft() - notes[0].topLeft(), slide[i].topLeft() - slide[0].topLeft()) << i;
    // Below it, each box under its tick and all inside the dialog; greyed until its tick is on.
    EXPECT_FALSE(view->locate(locators::control(dialog, u"讲义页脚文字"_s)).has_value());
    click(*view, locators::control(dialog, u"讲义页脚"_s));
    const QRect footerText = at(*view, locators::control(dialog, u"讲义页脚文字"_s));
    EXPECT_GT(at(*view, locators::control(dialog, u"页眉(H)"_s)).top(), notes.back().bottom());
    EXPECT_GT(footerText.top(), at(*view, locators::control(dialog, u"讲义页脚"_s)).bottom());
    EXPECT_LT(footerText.bottom(), kitRect(*view, dialog, u"取消"_s, u"页面包含内容"_s).bottom());
    const KitForm* form = KitCatalog::instance().dialog(dialog);
    const KitControl* cancel = form->control(u"取消"_s);
    const int clientTop = at(*view, locators::control(dialog, u"取消"_s)).top() - cancel->y;
    EXPECT_LT(footerText.bottom(), clientTop + form->height);
}

TEST(WindowLooks, FillEffectsSampleShowsTheFillChosen)
{
    const QString dialog = u"填充效果"_s;
    auto view = viewOf({u"click:shape:1"_s, u"toolbar:填充颜色/填充效果(F)..."_s,
                        u"dialog:填充效果/标签=纹理"_s, u"dialog:填充效果/纹理=花岗岩"_s,
                        u"dialog:填充效果/标签=图案"_s, u"dialog:填充效果/图案=大网格"_s});
    ASSERT_TRUE(view->performThroughUi(u"click:shape:1"_s));
    ASSERT_TRUE(view->performThroughUi(u"toolbar:填充颜色/填充效果(F)..."_s));
    const QRect sample = kitRect(*view, dialog, u"确定"_s, {}).adjusted(2, 2, -2, -2);
    const auto sampleOf = [&] { return shot(*view).copy(sample); };
    // 渐变: the one colour shades from light to dark, top to bottom.
    const QImage gradient = sampleOf();
    EXPECT_GT(qGray(gradient.pixel(sample.width() / 2, 2)) -
                  qGray(gradient.pixel(sample.width() / 2, sample.height() - 3)),
              60);
    ASSERT_TRUE(view->performThroughUi(u"dialog:填充效果/标签=纹理"_s));
    ASSERT_TRUE(view->performThroughUi(u"dialog:填充效果/纹理=花岗岩"_s));
    const QImage granite = sampleOf();
    EXPECT_NE(granite, gradient);
    ASSERT_TRUE(view->performThroughUi(u"dialog:填充效果/标签=图案"_s));
    ASSERT_TRUE(view->performThroughUi(u"dialog:填充效果/图案=大网格"_s));
    const QImage grid = sampleOf();
    EXPECT_NE(grid, granite);
    // A pattern in the text colour on the background: both black and white cells.
    EXPECT_GT(darkPixels(grid, grid.rect()), 10);
    EXPECT_LT(darkPixels(grid, grid.rect()), grid.width() * grid.height() / 2);
    shot(*view).copy(sample.adjusted(-380, -290, 10, 20)).save(u"/tmp/looks-filleffects.png"_s);
}

TEST(WindowLooks, FillEffectsPatternsAreAGridOfPicturesNamedOnlyInTheirTooltips)
{
    const QString dialog = u"填充效果"_s;
    auto view =
        viewOf({u"click:shape:1"_s, u"toolbar:填充颜色/填充效果(F)..."_s, u"dialog:填充效果/标签=图案"_s});
    ASSERT_TRUE(view->performThroughUi(u"click:shape:1"_s));
    ASSERT_TRUE(view->performThroughUi(u"toolbar:填充颜色/填充效果(F)..."_s));
    ASSERT_TRUE(view->performThroughUi(u"dialog:填充效果/标签=图案"_s));
    // All 48 at once, eight to a row, without a scroll bar or a caption under each.
    const QStringList patterns = KitCatalog::instance().dialog(dialog)->control(u"图案"_s)->items;
    ASSERT_EQ(patterns.size(), 48);
    const QRect gallery = kitRect(*view, dialog, u"确定"_s, u"图案"_s);
    EXPECT_FALSE(view->locate(locators::galleryBar(dialog, u"图案"_s)).has_value());
    for (const QString& pattern : patterns) {
        const QRect tile = at(*view, locators::item(dialog, u"图案"_s, pattern));
        EXPECT_TRUE(gallery.contains(tile)) << pattern.toStdString();
        EXPECT_LT(tile.height(), 40) << pattern.toStdString();
    }
    const QRect first = at(*view, locators::item(dialog, u"图案"_s, patterns[0]));
    const QRect ninth = at(*view, locators::item(dialog, u"图案"_s, patterns[8]));
    EXPECT_EQ(ninth.left(), first.left());
    EXPECT_GT(ninth.top(), first.top());
    // The name is in the tooltip.
    const QRect diagonal = at(*view, locators::item(dialog, u"图案"_s, u"浅色下对角线"_s));
    EXPECT_EQ(tooltipAt(*view, diagonal.center()), u"浅色下对角线"_s);
}

TEST(WindowLooks, BackgroundShowsASmallSlideInTheFillChosenThereOrInFillEffects)
{
    const QString dialog = u"背景"_s;
    const QStringList ways{u"menu:格式(O)/背景(K)..."_s,   u"dialog:背景/背景填充=填充效果(F)..."_s,
                           u"dialog:填充效果/标签=纹理"_s, u"dialog:填充效果/纹理=画布"_s,
                           u"dialog:填充效果/确定"_s,      u"dialog:背景/背景填充=遵循强调配色方案"_s};
    auto view = viewOf(ways);
    ASSERT_TRUE(view->performThroughUi(ways[0]));
    const QRect preview = kitRect(*view, dialog, u"取消"_s, u"标题"_s);
    const QRect box = at(*view, locators::control(dialog, u"背景填充"_s)).adjusted(4, 4, -21, -4);
    const auto colours = [&](const QRect& r) {
        const QImage image = shot(*view).copy(r);
        QSet<QRgb> seen;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                seen.insert(image.pixel(x, y));
        return seen.size();
    };
    // A slide with its title and a line of text, in the scheme's background.
    const QImage before = shot(*view).copy(preview);
    EXPECT_GT(colours(preview), 3);
    for (int i = 1; i <= 4; ++i)
        ASSERT_TRUE(view->performThroughUi(ways[i])) << ways[i].toStdString();
    ASSERT_EQ(view->session().dialog()->name, dialog);
    // Back from 填充效果: the texture in the preview and in the box.
    const QImage textured = shot(*view).copy(preview);
    EXPECT_NE(textured, before);
    EXPECT_GT(colours(box), 8) << "the box shows no texture";
    // A colour chosen after it takes the fill's place.
    ASSERT_TRUE(view->performThroughUi(ways[5]));
    EXPECT_NE(shot(*view).copy(preview), textured);
    EXPECT_LE(colours(box), 3);
}

TEST(WindowLooks, AFloatingToolbarNarrowerThanItsButtonsWrapsThem)
{
    const QString slides = uR"j([{"layout": "空白", "shapes": [{"type": "table", "text": "3x2",
        "x": 60, "y": 60, "w": 300, "h": 120}]}])j"_s;
    auto view = viewOf({u"click:shape:1"_s}, u"\"幻灯片版式\""_s, slides);
    click(*view, locators::shape(1));
    ASSERT_TRUE(view->toolbarShown(u"表格和边框"_s));
    const int paneLeft = at(*view, locators::paneTitle()).left() - 40;
    std::vector<QRect> cells;
    for (const auto& [name, buttons] : KitCatalog::instance().toolbars()) {
        if (name != u"表格和边框"_s)
            continue;
        for (const KitButton& b : buttons) {
            if (b.separator)
                continue;
            const QRect cell = at(*view, locators::button(b.name));
            EXPECT_LT(cell.right(), paneLeft) << b.name.toStdString();
            for (const QRect& other : cells)
                EXPECT_FALSE(cell.intersects(other)) << b.name.toStdString();
            cells.push_back(cell);
        }
    }
    ASSERT_FALSE(cells.empty());
    EXPECT_GT(cells.back().top(), cells.front().top()); // a second row
    shot(*view).save(u"/tmp/looks-toolbar.png"_s);
}

TEST(WindowLooks, AfterAnimationOffersTheSchemeColoursAboveItsCommands)
{
    const QString slides = uR"j([{"layout": "标题和文本", "title": "进度", "body": ["需求"],
        "effects": [{"target": "title", "effect": "飞入"}]}])j"_s;
    auto view =
        viewOf({u"taskpane:自定义动画/效果选项(E)..."_s, u"dialog:效果选项/动画播放后=遵循强调配色方案"_s},
               u"\"自定义动画\""_s, slides);
    ASSERT_TRUE(view->performThroughUi(u"taskpane:自定义动画/效果选项(E)..."_s));
    ASSERT_TRUE(view->session().dialog().has_value());
    click(*view, locators::control(u"效果选项"_s, u"动画播放后"_s));
    const QRect accent = at(*view, u"drop:遵循强调配色方案"_s);
    const QRect background = at(*view, u"drop:遵循背景配色方案"_s);
    EXPECT_EQ(accent.top(), background.top());
    EXPECT_LE(accent.width(), 20);
    // 其他颜色... first under the swatches, then 不变暗, 播放动画后隐藏 and 下次单击后隐藏.
    QRect above = accent;
    for (const QString& command : {u"其他颜色..."_s, u"不变暗"_s, u"播放动画后隐藏"_s, u"下次单击后隐藏"_s}) {
        const QRect row = at(*view, u"drop:"_s + command);
        EXPECT_GT(row.top(), above.top()) << command.toStdString();
        above = row;
    }
    shot(*view).copy(accent.adjusted(-150, -60, 150, 120)).save(u"/tmp/looks-afteranimation.png"_s);
    click(*view, u"drop:遵循强调配色方案"_s);
    EXPECT_TRUE(view->session().isComplete());
}

TEST(WindowLooks, AutoPreviewPlaysTheAnimationSchemeChosenOnTheSlide)
{
    const QString pane = u"\"幻灯片设计 - 动画方案\""_s;
    auto view = viewOf({u"taskpane:幻灯片设计 - 动画方案/方案=依次渐变"_s}, pane);
    view->transitionPreview().setManualClock(true);
    ASSERT_TRUE(view->performThroughUi(u"taskpane:幻灯片设计 - 动画方案/方案=依次渐变"_s));
    ASSERT_TRUE(view->transitionPreview().isRunning());
    EXPECT_TRUE(view->transitionPreview().isBuilding());
    // The effects run on one after another without a click, and the preview ends with them.
    for (int i = 0; i < 40 && view->transitionPreview().isRunning(); ++i)
        view->transitionPreview().advance(250);
    EXPECT_FALSE(view->transitionPreview().isRunning());
    EXPECT_FALSE(view->transitionPreview().startedEffects().empty());
}

TEST(WindowLooks, FileDialogsShowTheirToolbarAndEachFileByItsKind)
{
    const QString dialog = u"插入图片"_s;
    auto view = viewOf({u"menu:插入(I)/图片(P)/来自文件(F)..."_s});
    ASSERT_TRUE(view->performThroughUi(u"menu:插入(I)/图片(P)/来自文件(F)..."_s));
    ASSERT_EQ(view->session().dialog()->name, dialog);
    // 返回, 向上一级, 删除, 新建文件夹 and 视图 between 查找范围 and 工具(L), pictures without words.
    const QRect lookIn = at(*view, locators::control(dialog, u"查找范围"_s));
    const QRect tools = at(*view, locators::control(dialog, u"工具(L)"_s));
    int left = lookIn.right();
    for (const QString& button : {u"返回"_s, u"向上一级"_s, u"删除"_s, u"新建文件夹"_s, u"视图"_s}) {
        const QRect r = at(*view, locators::control(dialog, button));
        EXPECT_GT(r.left(), left) << button.toStdString();
        EXPECT_EQ(r.top(), tools.top());
        EXPECT_LE(r.width(), 26);
        left = r.right();
    }
    EXPECT_LT(left, tools.left());
    // A folder by a yellow folder, a picture by a picture: the icons left of the names differ.
    const QImage image = shot(*view);
    const QRect folderRow = at(*view, locators::item(dialog, u"文件"_s, u"我的视频"_s));
    const QRect pictureRow = at(*view, locators::item(dialog, u"文件"_s, u"风景.jpg"_s));
    const QImage folderIcon = image.copy(folderRow.left() + 2, folderRow.top() + 1, 16, 16);
    const QImage pictureIcon = image.copy(pictureRow.left() + 2, pictureRow.top() + 1, 16, 16);
    EXPECT_NE(folderIcon, pictureIcon);
    int yellow = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            yellow += qRed(folderIcon.pixel(x, y)) > 200 && qBlue(folderIcon.pixel(x, y)) < 150 ? 1 : 0;
    EXPECT_GT(yellow, 30);
    // The places bar: each place by a picture of its own, not five times the same folder.
    std::vector<QImage> places;
    for (const QString& place : {u"我最近的文档"_s, u"桌面"_s, u"我的文档"_s, u"我的电脑"_s, u"网上邻居"_s}) {
        const QRect tile = at(*view, locators::item(dialog, u"位置"_s, place));
        places.push_back(image.copy(tile.left(), tile.top(), tile.width(), tile.height() / 2));
    }
    for (size_t i = 0; i < places.size(); ++i)
        for (size_t j = i + 1; j < places.size(); ++j)
            EXPECT_NE(places[i], places[j]) << "places " << i << " and " << j << " look alike";
    image.copy(at(*view, locators::control(dialog, u"取消"_s)).adjusted(-470, -370, 10, 40))
        .save(u"/tmp/looks-filedialog.png"_s);
}

TEST(WindowLooks, PhotoAlbumShowsThePictureChosenAndItsButtons)
{
    const QString dialog = u"相册"_s;
    const QStringList ways{
        u"menu:插入(I)/图片(P)/新建相册(N)..."_s, u"dialog:相册/文件/磁盘(F)..."_s,
        u"dialog:插入新图片/文件=春.jpg"_s,       u"dialog:插入新图片/插入(S)"_s,
        u"dialog:相册/相册中的图片=1. 春.jpg"_s,  u"dialog:相册/所有图片以黑白方式显示(K)=on"_s};
    auto view = viewOf(ways);
    for (const QString& way : ways.mid(0, 4))
        ASSERT_TRUE(view->performThroughUi(way)) << way.toStdString();
    ASSERT_EQ(view->session().dialog()->name, dialog);
    const QRect preview = kitRect(*view, dialog, u"取消"_s, u""_s).adjusted(10, 18, -10, -10);
    // Nothing chosen: an empty white preview. The picture's rotation, contrast and brightness below it.
    QImage image = shot(*view);
    EXPECT_EQ(image.copy(preview).pixel(10, 10) & 0xFFFFFF, 0xFFFFFFu);
    int left = preview.left() - 20;
    for (const QString& button :
         {u"向左旋转"_s, u"向右旋转"_s, u"增加对比度"_s, u"降低对比度"_s, u"增加亮度"_s, u"降低亮度"_s}) {
        const QRect r = at(*view, locators::control(dialog, button));
        EXPECT_GT(r.top(), preview.bottom()) << button.toStdString();
        EXPECT_GT(r.left(), left) << button.toStdString();
        left = r.right();
    }
    ASSERT_TRUE(view->performThroughUi(ways[4]));
    const QImage colour = shot(*view).copy(preview);
    EXPECT_NE(colour.pixel(colour.width() / 2, colour.height() / 2) & 0xFFFFFF, 0xFFFFFFu);
    ASSERT_TRUE(view->performThroughUi(ways[5]));
    const QImage grey = shot(*view).copy(preview);
    const QRgb middle = grey.pixel(grey.width() / 2, grey.height() / 2);
    EXPECT_EQ(qRed(middle), qGreen(middle));
    EXPECT_EQ(qGreen(middle), qBlue(middle));
    EXPECT_NE(colour, grey);
    shot(*view)
        .copy(at(*view, locators::control(dialog, u"取消"_s)).adjusted(-440, -380, 10, 30))
        .save(u"/tmp/looks-album.png"_s);
}

TEST(WindowLooks, AClickOnABoxOfAnOrganisationChartChoosesThatBox)
{
    const QString slides = uR"j([{"layout": "空白", "shapes": [{"type": "orgchart", "x": 100, "y": 100,
        "w": 500, "h": 300, "text": "总经理\n市场部\n研发部\n财务部"}]}])j"_s;
    auto view = viewOf({u"click:shape:1"_s, u"thumb:1"_s}, u"null"_s, slides);
    const QRect chart = at(*view, locators::shape(1));
    const std::vector<QRectF> boxes = orgChartBoxes(QRectF(chart), view->session().selectedSlide().shapes[0]);
    ASSERT_EQ(boxes.size(), 4u);
    view->clickAt(boxes[2].center().toPoint());
    EXPECT_EQ(view->session().stepIndex(), 1);
    EXPECT_EQ(view->session().selectedShapes(), QList<int>{1});
    EXPECT_EQ(view->chosenOrgChartBox(), 2);
    // The box has its handles (grey: it is sized with the chart); the chart's own corners have none.
    QImage image = shot(*view);
    const QRect box = boxes[2].toRect();
    EXPECT_EQ(image.pixel(box.left(), box.center().y()) & 0xFFFFFF, 0xC0C0C0u);
    EXPECT_NE(image.pixel(boxes[1].toRect().left(), boxes[1].toRect().center().y()) & 0xFFFFFF, 0xC0C0C0u);
    image.copy(chart.adjusted(-20, -30, 20, 20)).save(u"/tmp/looks-orgchart.png"_s);
    // Another box, then the slide outside the chart.
    view->clickAt(boxes[0].center().toPoint());
    EXPECT_EQ(view->chosenOrgChartBox(), 0);
    view->clickAt(chart.bottomRight() + QPoint(30, 10));
    EXPECT_EQ(view->chosenOrgChartBox(), -1);
}

TEST(WindowLooks, TheOrganisationChartToolbarComesWithTheChartSelected)
{
    const QString slides = uR"j([{"layout": "标题和文本", "title": "公司简介"}, {"layout": "空白", "shapes":
        [{"type": "orgchart", "x": 100, "y": 100, "w": 500, "h": 300, "text": "总经理\n市场部\n研发部"}]}])j"_s;
    auto view = viewOf({u"thumb:2"_s, u"click:shape:1"_s, u"thumb:1"_s}, u"null"_s, slides);
    view->resize(800, 600);
    EXPECT_FALSE(view->locate(locators::button(u"插入形状"_s)).has_value());
    click(*view, u"thumb:2"_s);
    EXPECT_FALSE(view->locate(locators::button(u"插入形状"_s)).has_value()) << "nothing is selected yet";
    click(*view, locators::shape(1));
    EXPECT_TRUE(view->locate(locators::button(u"插入形状"_s)).has_value());

    // The bank's organisation chart questions still play to the end through the window.
    for (const QString& name : {u"01/35"_s, u"02/33"_s, u"03/33"_s, u"05/27"_s, u"07/4"_s, u"09/25"_s})
        EXPECT_TRUE(windowtesting::playsToTheEndThroughTheWindow(name)) << name.toStdString();
}

TEST(WindowLooks, TheFileMenuListsThePresentationAmongTheFilesOpenedLast)
{
    auto view = viewOf({u"thumb:2"_s});
    click(*view, locators::menuTitle(u"文件(F)"_s));
    const QRect recent = at(*view, locators::menuItem({u"文件(F)"_s, u"1 演示文稿1"_s}));
    EXPECT_GT(recent.top(), at(*view, locators::menuItem({u"文件(F)"_s, u"属性(I)"_s})).bottom());
    EXPECT_LT(recent.bottom(), at(*view, locators::menuItem({u"文件(F)"_s, u"退出(X)"_s})).top());
    EXPECT_FALSE(view->locate(locators::menuItem({u"文件(F)"_s, u"@recent"_s})).has_value());
    // Choosing it opens nothing and takes no step; the menu still works after it.
    click(*view, locators::menuItem({u"文件(F)"_s, u"1 演示文稿1"_s}));
    EXPECT_FALSE(view->session().dialog().has_value());
    EXPECT_EQ(view->session().stepIndex(), 0);
    click(*view, locators::thumb(2));
    EXPECT_TRUE(view->session().isComplete());
}

namespace {

} // namespace

TEST(WindowLooks, TheColourSchemeTilesGiveNoNameAwayInATooltip)
{
    const QString page = u"幻灯片设计 - 配色方案"_s;
    const QString tile = locators::item(page, u"应用配色方案"_s, u"第3行第2列"_s);
    auto view = viewOf({u"taskpane:幻灯片设计 - 配色方案/应用配色方案=第3行第2列"_s}, u"\"%1\""_s.arg(page));
    EXPECT_EQ(tooltipAt(*view, at(*view, tile).center()), QString());
    // A tile with a name of its own still shows it: the design pane's templates.
    auto designs = viewOf({u"taskpane:幻灯片设计/应用设计模板=Axis.pot"_s}, u"\"幻灯片设计\""_s);
    const QString axis = locators::item(u"幻灯片设计"_s, u"应用设计模板"_s, u"Axis.pot"_s);
    EXPECT_EQ(tooltipAt(*designs, at(*designs, axis).center()), u"Axis.pot"_s);
    // The tile is still found by its place, and chosen by a click.
    click(*view, tile);
    EXPECT_TRUE(view->session().isComplete());
}

TEST(WindowLooks, AButtonThatIsOnStaysPressedIn)
{
    const auto pressedIn = [](KitView& view, const QString& button) {
        // Away from the pointer, so that hovering does not light it.
        QMouseEvent move(QEvent::MouseMove, QPointF(790, 590), QPointF(790, 590), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&view, &move);
        const QRect r = at(view, locators::button(button));
        const QRgb inside = shot(view).pixel(r.left() + 2, r.top() + 2);
        return qRed(inside) > 0xF0 && qBlue(inside) < 0xC0;
    };
    // The handout master's layout: six per page until another is chosen.
    auto handout = windowtesting::viewOfBankMovie(u"11/31"_s);
    ASSERT_TRUE(handout->performThroughUi(u"menu:视图(V)/母版(M)/讲义母版(H)"_s));
    EXPECT_TRUE(pressedIn(*handout, u"显示每页 6 张幻灯片的讲义"_s));
    EXPECT_FALSE(pressedIn(*handout, u"显示每页 9 张幻灯片的讲义"_s));
    ASSERT_TRUE(handout->performThroughUi(u"toolbar:显示每页 9 张幻灯片的讲义"_s));
    EXPECT_TRUE(pressedIn(*handout, u"显示每页 9 张幻灯片的讲义"_s));
    EXPECT_FALSE(pressedIn(*handout, u"显示每页 6 张幻灯片的讲义"_s));

    // 倾斜 on the subtitle made italic; 加粗 stays out.
    auto font = windowtesting::viewOfBankMovie(u"06/8"_s);
    ASSERT_TRUE(font->performThroughUi(font->session().movie().steps.front().accept.first()));
    EXPECT_FALSE(pressedIn(*font, u"倾斜"_s));
    ASSERT_TRUE(font->performThroughUi(u"toolbar:倾斜"_s));
    EXPECT_TRUE(pressedIn(*font, u"倾斜"_s));
    EXPECT_FALSE(pressedIn(*font, u"加粗"_s));
}

TEST(WindowLooks, ATextBoxsFormatDialogShowsNoFillAndNoLine)
{
    const QString slides = uR"j([{"layout": "空白",
          "shapes": [{"type": "textbox", "x": 200, "y": 200, "w": 200, "h": 40, "text": "说明"},
                     {"type": "rect", "x": 450, "y": 300, "w": 120, "h": 80}]}])j"_s;
    for (const int shape : {1, 2}) {
        auto view = viewOf({u"click:shape:%1"_s.arg(shape),
                            u"menu:格式(O)/%1"_s.arg(shape == 1 ? u"文本框(O)..."_s : u"自选图形(O)..."_s)},
                           u"null"_s, slides);
        ASSERT_TRUE(view->performThroughUi(view->session().movie().steps[0].accept.first()));
        ASSERT_TRUE(view->performThroughUi(view->session().movie().steps[1].accept.first()));
        ASSERT_TRUE(view->session().dialog().has_value());
        const FormState& dialog = *view->session().dialog();
        if (shape == 1) {
            EXPECT_EQ(dialog.value(u"填充颜色"_s), u"无填充颜色"_s);
            EXPECT_EQ(dialog.value(u"线条颜色"_s), u"无线条颜色"_s);
        } else {
            // An AutoShape has the scheme's fill and line.
            EXPECT_NE(dialog.value(u"填充颜色"_s), u"无填充颜色"_s);
            EXPECT_NE(dialog.value(u"线条颜色"_s), u"无线条颜色"_s);
        }
    }
}
