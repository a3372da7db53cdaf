// The dialogs of the shipped kit answer and look as in PowerPoint 2003, clicked
// through the simulated window.
#include "movie/kit/kitcatalog.h"
#include "movie/kit/locators.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/window/kitcolours.h"
#include "movie/widgets/window/kitview.h"
#include "tests/movie/windowtesting.h"

#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using windowtesting::at;
using windowtesting::click;

namespace {

std::unique_ptr<KitView> viewOf(const QString& steps, const QString& slides = u"[{\"title\": \"产品\"}]"_s,
                                const QString& taskpane = u"null"_s)
{
    const QString json = uR"j({"format": "pptdrill-movie", "version": 1,
        "presentation": {"taskpane": %1, "slides": %2}, "steps": [%3]})j"_s.arg(taskpane, slides, steps);
    auto movie = parseMovie(json.toUtf8());
    EXPECT_TRUE(movie.ok()) << movie.error().toStdString();
    auto view =
        std::make_unique<KitView>(std::make_unique<MovieSession>(movie.value(), KitCatalog::instance()));
    view->setPace(0);
    view->show(); // the pointer's moves reach it
    return view;
}

// The steps of a movie, one a way.
QString steps(const QStringList& ways)
{
    QStringList out;
    for (const QString& way : ways)
        out << uR"j({"hint": "h", "accept": ["%1"]})j"_s.arg(way);
    return out.join(u',');
}

QString dialogValue(KitView& view, const QString& id)
{
    return view.session().dialog() ? view.session().dialog()->value(id) : QString();
}

QRgb pixelAt(KitView& view, QPoint point)
{
    QImage image(800, 600, QImage::Format_RGB32);
    view.render(&image);
    return image.pixel(point) & 0xFFFFFF;
}

} // namespace

TEST(KitDialogs, FontStyleAndSizeTakeAClickInTheListOrTypingInTheBox)
{
    const QStringList ways{u"menu:格式(O)/字体(F)..."_s, u"dialog:字体/字形=加粗"_s, u"dialog:字体/字号=24"_s,
                           u"dialog:字体/字号=23"_s, u"dialog:字体/确定"_s};
    auto view = viewOf(steps(ways));
    ASSERT_TRUE(view->performThroughUi(ways[0]));
    // Each is an edit box above its list; the size list shows the current size, 18, not the top of the list.
    const QRect styleBox = at(*view, u"ctl:字体/字形"_s), boldRow = at(*view, u"item:字体/字形/加粗"_s);
    EXPECT_LT(styleBox.bottom(), boldRow.top());
    EXPECT_TRUE(view->locate(u"item:字体/字号/18"_s));
    EXPECT_FALSE(view->locate(u"item:字体/字号/8"_s));
    // It scrolls with its bar.
    click(*view, u"scroll:list:字体/字号:pageup"_s);
    click(*view, u"scroll:list:字体/字号:pageup"_s);
    EXPECT_TRUE(view->locate(u"item:字体/字号/8"_s));
    click(*view, u"scroll:list:字体/字号:down"_s);
    EXPECT_FALSE(view->locate(u"item:字体/字号/8"_s));
    EXPECT_TRUE(view->locate(u"item:字体/字号/9"_s));

    // A click in the list fills the box.
    click(*view, u"item:字体/字形/加粗"_s);
    EXPECT_EQ(dialogValue(*view, u"字形"_s), u"加粗"_s);
    EXPECT_EQ(view->session().stepIndex(), 2);

    // Typing in the box: a size the task does not want changes nothing, the wanted one is taken.
    click(*view, u"ctl:字体/字号"_s);
    view->typeText(u"3"_s);
    EXPECT_EQ(view->session().stepIndex(), 2);
    QTest::keyClick(view.get(), Qt::Key_Backspace);
    view->typeText(u"24"_s);
    EXPECT_EQ(view->session().stepIndex(), 3);
    EXPECT_EQ(dialogValue(*view, u"字号"_s), u"24"_s);
    // A size the list does not offer is typed.
    ASSERT_TRUE(view->performThroughUi(u"dialog:字体/字号=23"_s));
    EXPECT_EQ(dialogValue(*view, u"字号"_s), u"23"_s);

    // Either way does each step, for the learner and the demonstration alike.
    for (const QString& way : {u"dialog:字体/字形=加粗 倾斜"_s, u"dialog:字体/字号=96"_s}) {
        auto other = viewOf(steps({ways[0], way}));
        ASSERT_TRUE(other->performThroughUi(ways[0]));
        EXPECT_TRUE(other->performThroughUi(way)) << way.toStdString();
        EXPECT_TRUE(other->session().isComplete());
    }
    auto typed = viewOf(steps({ways[0], u"dialog:字体/字形=倾斜"_s}));
    ASSERT_TRUE(typed->performThroughUi(ways[0]));
    click(*typed, u"ctl:字体/字形"_s);
    typed->typeText(u"倾斜"_s);
    EXPECT_TRUE(typed->session().isComplete());
}

TEST(KitDialogs, ColourBoxesAndToolbarButtonsOpenPalettesOfSwatchesNamedUnderThePointer)
{
    auto view = viewOf(
        steps({u"menu:格式(O)/字体(F)..."_s, u"dialog:字体/颜色=遵循强调配色方案"_s, u"dialog:字体/确定"_s,
               u"toolbar:填充颜色/遵循填充配色方案"_s, u"toolbar:字体颜色/其他颜色(M)..."_s}));
    ASSERT_TRUE(view->performThroughUi(u"menu:格式(O)/字体(F)..."_s));
    click(*view, u"ctl:字体/颜色"_s);
    // Eight small swatches in a row, 自动 above them and 其他颜色(M)... below, each a whole row.
    const QRect accent = at(*view, u"drop:遵循强调配色方案"_s);
    const QRect background = at(*view, u"drop:遵循背景配色方案"_s);
    EXPECT_LE(accent.width(), 20);
    EXPECT_EQ(accent.top(), background.top());
    EXPECT_LT(at(*view, u"drop:自动"_s).bottom(), accent.top());
    EXPECT_GT(at(*view, u"drop:其他颜色(M)..."_s).top(), accent.bottom());
    EXPECT_GT(at(*view, u"drop:其他颜色(M)..."_s).width(), 4 * accent.width());
    // The swatch is the scheme's colour, and the pointer over it shows the colour's whole name.
    EXPECT_EQ(pixelAt(*view, accent.center()), 0x333399u);
    QTest::mouseMove(view.get(), accent.center());
    EXPECT_EQ(view->swatchTip(), u"遵循强调配色方案"_s);
    QTest::mouseMove(view.get(), QPoint(5, 5));
    EXPECT_TRUE(view->swatchTip().isEmpty());

    view->clickAt(accent.center());
    EXPECT_EQ(view->session().stepIndex(), 2);
    // The box shows the chosen colour as a swatch.
    const QRect box = at(*view, u"ctl:字体/颜色"_s);
    EXPECT_EQ(pixelAt(*view, QPoint(box.left() + 20, box.center().y())), 0x333399u);
    ASSERT_TRUE(view->performThroughUi(u"dialog:字体/确定"_s));

    // A toolbar button's arrow: the same palette, its swatches and commands are the button's.
    click(*view, u"tbarrow:填充颜色"_s);
    EXPECT_TRUE(view->locate(u"drop:无填充颜色(N)"_s));
    EXPECT_TRUE(view->locate(u"drop:填充效果(F)..."_s));
    click(*view, u"drop:遵循填充配色方案"_s);
    EXPECT_EQ(view->session().stepIndex(), 4);
    click(*view, u"tbarrow:字体颜色"_s);
    click(*view, u"drop:其他颜色(M)..."_s);
    EXPECT_TRUE(view->session().isComplete());
    ASSERT_TRUE(view->session().dialog().has_value());
    EXPECT_EQ(view->session().dialog()->name, u"颜色"_s);
}

TEST(KitDialogs, TheColourDialogShowsTheHexagonTheCustomPageAndGivesTheColourBack)
{
    const QStringList ways{u"menu:格式(O)/字体(F)..."_s, u"dialog:字体/颜色=其他颜色(M)..."_s,
                           u"dialog:颜色/标准颜色=灰色-50%"_s, u"dialog:颜色/确定"_s, u"dialog:字体/确定"_s};
    auto view = viewOf(steps(ways));
    ASSERT_TRUE(view->performThroughUi(ways[0]));
    ASSERT_TRUE(view->performThroughUi(ways[1]));
    ASSERT_EQ(view->session().dialog()->name, u"颜色"_s);
    // The box keeps its colour while 颜色 is open: 其他颜色(M)... is a command, not a colour.
    EXPECT_EQ(view->session().dialogsBeneath().back().value(u"颜色"_s), u"遵循文本和线条配色方案"_s);

    // Every standard colour has its own cell, none over another, and none wears a caption.
    const KitControl* palette = KitCatalog::instance().dialog(u"颜色"_s)->control(u"标准颜色"_s);
    ASSERT_NE(palette, nullptr);
    std::vector<QRect> cells;
    for (const QString& name : palette->items) {
        const QRect cell = at(*view, u"item:颜色/标准颜色/"_s + name);
        for (const QRect& other : cells)
            EXPECT_FALSE(cell.intersects(other)) << name.toStdString();
        cells.push_back(cell);
        QTest::mouseMove(view.get(), cell.center());
        EXPECT_EQ(view->swatchTip(), name);
    }
    // The greys lie in a row beneath the hexagon.
    const QRect grey = at(*view, u"item:颜色/标准颜色/灰色-50%"_s);
    const QRect red = at(*view, u"item:颜色/标准颜色/红色"_s);
    EXPECT_GT(grey.top(), red.bottom());
    EXPECT_EQ(grey.top(), at(*view, u"item:颜色/标准颜色/白色"_s).top());
    EXPECT_EQ(pixelAt(*view, red.center()), 0xFF0000u);

    click(*view, u"item:颜色/标准颜色/灰色-50%"_s);
    EXPECT_EQ(view->session().stepIndex(), 3);
    // The custom page: the colour field, and the colour's parts in boxes.
    click(*view, u"tab:颜色/自定义"_s);
    EXPECT_EQ(view->session().dialog()->tab, u"自定义"_s);
    EXPECT_TRUE(view->locate(u"ctl:颜色/颜色模式"_s));
    EXPECT_TRUE(view->locate(u"ctl:颜色/红色(R)"_s));
    EXPECT_TRUE(view->locate(u"ctl:颜色/蓝色(B)"_s));
    EXPECT_FALSE(view->locate(u"item:颜色/标准颜色/红色"_s));
    click(*view, u"tab:颜色/标准"_s);
    // 确定 gives the colour back to the box that opened 颜色.
    click(*view, u"ctl:颜色/确定"_s);
    ASSERT_EQ(view->session().dialog()->name, u"字体"_s);
    EXPECT_EQ(dialogValue(*view, u"颜色"_s), u"灰色-50%"_s);
    const QRect box = at(*view, u"ctl:字体/颜色"_s);
    EXPECT_EQ(pixelAt(*view, QPoint(box.left() + 20, box.center().y())), 0x808080u);
}

TEST(KitDialogs, ACustomColourIsTheColourOfItsParts)
{
    auto view = viewOf(steps({u"menu:格式(O)/字体(F)..."_s, u"dialog:字体/颜色=其他颜色(M)..."_s,
                              u"dialog:颜色/标签=自定义"_s, u"dialog:颜色/红色(R)=204"_s,
                              u"dialog:颜色/蓝色(B)=255"_s, u"dialog:颜色/确定"_s}));
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(view->performThroughUi(view->session().nextAction())) << i;
    const KitForm* form = KitCatalog::instance().dialog(u"颜色"_s);
    EXPECT_EQ(chosenColour(*form, *view->session().dialog()), u"RGB(204,0,255)"_s);
    ASSERT_TRUE(view->performThroughUi(u"dialog:颜色/确定"_s));
    EXPECT_EQ(dialogValue(*view, u"颜色"_s), u"RGB(204,0,255)"_s);
    const QRect box = at(*view, u"ctl:字体/颜色"_s);
    EXPECT_EQ(pixelAt(*view, QPoint(box.left() + 20, box.center().y())), 0xCC00FFu);
}

TEST(KitDialogs, TheHyperlinkBarShowsEachPageAndAClickSwitchesIt)
{
    auto view =
        viewOf(steps({u"key:Ctrl+K"_s, u"dialog:插入超链接/标签=电子邮件地址(M)"_s,
                      u"dialog:插入超链接/电子邮件地址=hr@example.com"_s, u"dialog:插入超链接/确定"_s}));
    ASSERT_TRUE(view->performThroughUi(u"key:Ctrl+K"_s));
    // Four large buttons down the left, one above the other.
    const QStringList pages{u"原有文件或网页(X)"_s, u"本文档中的位置(A)"_s, u"新建文档(N)"_s,
                            u"电子邮件地址(M)"_s};
    QRect above;
    for (const QString& page : pages) {
        const QRect button = at(*view, u"tab:插入超链接/"_s + page);
        EXPECT_GT(button.height(), 40);
        EXPECT_LT(button.width(), 90);
        if (!above.isNull()) {
            EXPECT_GE(button.top(), above.bottom());
        }
        above = button;
    }
    EXPECT_TRUE(view->locate(u"item:插入超链接/浏览/最近使用过的文件(C)"_s));
    // Looking at another page does not do the step, and shows that page.
    click(*view, u"tab:插入超链接/本文档中的位置(A)"_s);
    EXPECT_EQ(view->session().stepIndex(), 1);
    EXPECT_EQ(view->session().dialog()->tab, u"本文档中的位置(A)"_s);
    EXPECT_TRUE(view->locate(u"item:插入超链接/文档中的位置/下一张幻灯片"_s));
    EXPECT_FALSE(view->locate(u"item:插入超链接/浏览/最近使用过的文件(C)"_s));
    click(*view, u"tab:插入超链接/新建文档(N)"_s);
    EXPECT_TRUE(view->locate(u"ctl:插入超链接/新建文档名称"_s));
    // The page the task wants is the step.
    click(*view, u"tab:插入超链接/电子邮件地址(M)"_s);
    EXPECT_EQ(view->session().stepIndex(), 2);
    click(*view, u"ctl:插入超链接/电子邮件地址"_s);
    view->typeText(u"hr@example.com"_s);
    EXPECT_EQ(view->session().stepIndex(), 3);
    // The hint and the demonstration find a control whose page the learner has left.
    click(*view, u"tab:插入超链接/原有文件或网页(X)"_s);
    EXPECT_EQ(view->nextTargetLocator(), u"ctl:插入超链接/确定"_s);
    EXPECT_TRUE(view->performThroughUi(u"dialog:插入超链接/确定"_s));
}

TEST(KitDialogs, TheWizardTurnsItsPagesWithNextAndBackAndFinishes)
{
    auto view =
        viewOf(steps({u"taskpane:新建演示文稿/根据内容提示向导"_s, u"dialog:内容提示向导/标签=演示文稿选项"_s,
                      u"dialog:内容提示向导/演示文稿标题=项目总结"_s, u"dialog:内容提示向导/完成(F)"_s}),
               u"[{\"title\": \"产品\"}]"_s, u"\"新建演示文稿\""_s);
    ASSERT_TRUE(view->performThroughUi(view->session().nextAction()));
    const auto page = [&] { return view->session().dialog()->tab; };
    EXPECT_EQ(page(), u"开始"_s);
    // The steps down the left, from 开始 to 完成.
    EXPECT_LT(at(*view, u"tab:内容提示向导/开始"_s).bottom(), at(*view, u"tab:内容提示向导/完成"_s).top());
    EXPECT_LT(at(*view, u"tab:内容提示向导/完成"_s).right(), at(*view, u"ctl:内容提示向导/完成(F)"_s).left());
    click(*view, u"ctl:内容提示向导/上一步(B)"_s); // nothing before the first page
    EXPECT_EQ(page(), u"开始"_s);
    click(*view, u"ctl:内容提示向导/下一步(N)"_s);
    EXPECT_EQ(page(), u"演示文稿类型"_s);
    EXPECT_TRUE(view->locate(u"item:内容提示向导/类别/项目(P)"_s));
    click(*view, u"ctl:内容提示向导/下一步(N)"_s);
    EXPECT_EQ(page(), u"演示文稿样式"_s);
    click(*view, u"ctl:内容提示向导/上一步(B)"_s);
    EXPECT_EQ(page(), u"演示文稿类型"_s);
    EXPECT_EQ(view->session().stepIndex(), 1);
    click(*view, u"ctl:内容提示向导/下一步(N)"_s);
    click(*view, u"ctl:内容提示向导/下一步(N)"_s);
    // Reaching the page the task wants is the step.
    EXPECT_EQ(page(), u"演示文稿选项"_s);
    EXPECT_EQ(view->session().stepIndex(), 2);
    ASSERT_TRUE(view->performThroughUi(view->session().nextAction()));
    click(*view, u"ctl:内容提示向导/下一步(N)"_s);
    EXPECT_EQ(page(), u"完成"_s);
    click(*view, u"ctl:内容提示向导/下一步(N)"_s); // nothing after the last page
    EXPECT_EQ(page(), u"完成"_s);
    click(*view, u"ctl:内容提示向导/完成(F)"_s);
    EXPECT_TRUE(view->session().isComplete());
    EXPECT_FALSE(view->session().dialog().has_value());
}

TEST(KitDialogs, AListThatDependsOnAnotherFollowsIt)
{
    auto view = viewOf(steps({u"context:chart/图表类型(Y)..."_s, u"dialog:图表类型/图表类型=饼图"_s,
                              u"dialog:图表类型/子图表类型=分离型三维饼图"_s, u"dialog:图表类型/确定"_s}),
                       u"[{\"title\": \"销量\", \"shapes\": [{\"type\": \"chart\", \"x\": 100, \"y\": 150, "
                       "\"w\": 400, \"h\": 300}]}]"_s);
    ASSERT_TRUE(view->performThroughUi(view->session().nextAction()));
    EXPECT_TRUE(view->locate(u"item:图表类型/子图表类型/簇状柱形图"_s));
    EXPECT_FALSE(view->locate(u"item:图表类型/子图表类型/饼图"_s));
    click(*view, u"item:图表类型/图表类型/饼图"_s);
    // The pie's sub-types, the first of them chosen; the columns' are gone and out of reach.
    EXPECT_TRUE(view->locate(u"item:图表类型/子图表类型/复合条饼图"_s));
    EXPECT_FALSE(view->locate(u"item:图表类型/子图表类型/簇状柱形图"_s));
    EXPECT_EQ(dialogValue(*view, u"子图表类型"_s), u"饼图"_s);
    EXPECT_FALSE(view->session().perform(u"dialog:图表类型/子图表类型=簇状柱形图"_s));
    click(*view, u"item:图表类型/子图表类型/分离型三维饼图"_s);
    EXPECT_EQ(view->session().stepIndex(), 3);

    // The wizard's presentations follow the chosen category.
    auto wizard =
        viewOf(steps({u"taskpane:新建演示文稿/根据内容提示向导"_s, u"dialog:内容提示向导/标签=演示文稿类型"_s,
                      u"dialog:内容提示向导/类别=企业(C)"_s, u"dialog:内容提示向导/演示文稿=公司会议"_s}),
               u"[{\"title\": \"产品\"}]"_s, u"\"新建演示文稿\""_s);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(wizard->performThroughUi(wizard->session().nextAction())) << i;
    EXPECT_EQ(wizard->session().dialog()->value(u"演示文稿"_s), u"商务计划"_s);
    EXPECT_FALSE(wizard->locate(u"item:内容提示向导/演示文稿/通用"_s));
    EXPECT_TRUE(wizard->performThroughUi(u"dialog:内容提示向导/演示文稿=公司会议"_s));
    EXPECT_TRUE(wizard->session().isComplete());
}

TEST(KitDialogs, ActionSettingsOpensOnTheNaturalTargetOfTheActionButtonJustDrawn)
{
    const std::pair<QString, QString> buttons[] = {
        {u"前进或下一项"_s, u"下一张幻灯片"_s},
        {u"后退或前一项"_s, u"上一张幻灯片"_s},
        {u"开始"_s, u"第一张幻灯片"_s},
        {u"结束"_s, u"最后一张幻灯片"_s},
        {u"第一张"_s, u"第一张幻灯片"_s},
        {u"上一张"_s, u"最近观看的幻灯片"_s},
        {u"自定义"_s, QString()},
        {u"帮助"_s, QString()},
    };
    for (const auto& [button, target] : buttons) {
        const QString draw = u"menu:幻灯片放映(D)/动作按钮(I)/动作按钮: "_s + button;
        auto view = viewOf(steps({draw, u"dialog:动作设置/确定"_s}));
        ASSERT_TRUE(view->performThroughUi(draw)) << button.toStdString();
        ASSERT_TRUE(view->session().dialog().has_value());
        EXPECT_EQ(dialogValue(*view, u"单击鼠标时的动作"_s),
                  target.isEmpty() ? u"无动作(N)"_s : u"超链接到(H):"_s)
            << button.toStdString();
        if (!target.isEmpty()) {
            EXPECT_EQ(dialogValue(*view, u"超链接到"_s), target) << button.toStdString();
        }
    }
    // On an ordinary shape it opens on 无动作.
    auto view =
        viewOf(steps({u"click:shape:1"_s, u"menu:幻灯片放映(D)/动作设置(A)..."_s}),
               u"[{\"title\": \"流程\", \"shapes\": [{\"type\": \"rect\", \"x\": 100, \"y\": 200, \"w\": "
               "200, \"h\": 100}]}]"_s);
    ASSERT_TRUE(view->performThroughUi(u"click:shape:1"_s));
    ASSERT_TRUE(view->performThroughUi(u"menu:幻灯片放映(D)/动作设置(A)..."_s));
    EXPECT_EQ(dialogValue(*view, u"单击鼠标时的动作"_s), u"无动作(N)"_s);
}

TEST(KitDialogs, HeaderAndFooterPutsTheDateFormatUnderAutomaticAndTheFixedDateAfterIt)
{
    const QStringList ways{u"menu:视图(V)/页眉和页脚(H)..."_s, u"dialog:页眉和页脚/日期和时间(D)=on"_s,
                           u"dialog:页眉和页脚/更新方式=固定(X)"_s,
                           u"dialog:页眉和页脚/固定日期=2027-1-18"_s};
    auto view = viewOf(steps(ways));
    ASSERT_TRUE(view->performThroughUi(ways[0]));
    const QString d = u"页眉和页脚"_s;
    // Unticked, the date's settings are greyed and out of reach.
    EXPECT_FALSE(view->locate(locators::control(d, u"日期格式"_s)).has_value());
    EXPECT_FALSE(view->locate(locators::item(d, u"更新方式"_s, u"固定(X)"_s)).has_value());
    ASSERT_TRUE(view->performThroughUi(ways[1]));
    // Top to bottom: 自动更新, its format box, 语言 and 日历类型, then 固定 and its box.
    const int automatic = at(*view, locators::item(d, u"更新方式"_s, u"自动更新(U)"_s)).top();
    const int format = at(*view, locators::control(d, u"日期格式"_s)).top();
    const int language = at(*view, locators::control(d, u"语言(国家/地区)"_s)).top();
    const int calendar = at(*view, locators::control(d, u"日历类型"_s)).top();
    const QRect fixed = at(*view, locators::item(d, u"更新方式"_s, u"固定(X)"_s));
    const int number = at(*view, locators::control(d, u"幻灯片编号(N)"_s)).top();
    // The option buttons answer where they are drawn; 固定 brings its box in reach.
    view->clickAt(fixed.center());
    EXPECT_EQ(dialogValue(*view, u"更新方式"_s), u"固定(X)"_s);
    const int fixedBox = at(*view, locators::control(d, u"固定日期"_s)).top();
    EXPECT_LT(automatic, format);
    EXPECT_LT(format, language);
    EXPECT_EQ(language, calendar);
    EXPECT_LT(language, fixed.top());
    EXPECT_LT(fixed.top(), fixedBox);
    EXPECT_LT(fixedBox, number);
    EXPECT_LT(at(*view, locators::control(d, u"页脚(F)"_s)).top(),
              at(*view, locators::control(d, u"标题幻灯片中不显示(S)"_s)).top());
    EXPECT_TRUE(view->performThroughUi(ways[3]));
    EXPECT_TRUE(view->session().isComplete());
}

TEST(KitDialogs, SetUpShowGreysTheBoxesTheShowTypeDecides)
{
    const QString d = u"设置放映方式"_s;
    const QString loop = u"循环放映，按 ESC 键终止(L)"_s, statusBar = u"显示状态栏(H)"_s;
    const QStringList ways{
        u"menu:幻灯片放映(D)/设置放映方式(S)..."_s, u"dialog:设置放映方式/放映类型=在展台浏览（全屏幕）(K)"_s,
        u"dialog:设置放映方式/放映类型=观众自行浏览（窗口）(B)"_s, u"dialog:设置放映方式/显示状态栏(H)=on"_s};
    auto view = viewOf(steps(ways));
    ASSERT_TRUE(view->performThroughUi(ways[0]));
    // 演讲者放映: no status bar, and its box is out of reach.
    EXPECT_EQ(dialogValue(*view, statusBar), u"off"_s);
    EXPECT_FALSE(view->locate(locators::control(d, statusBar)));
    EXPECT_TRUE(view->locate(locators::control(d, loop)));
    EXPECT_EQ(dialogValue(*view, loop), u"off"_s);

    // 在展台浏览 loops, and the box cannot be cleared.
    click(*view, locators::item(d, u"放映类型"_s, u"在展台浏览（全屏幕）(K)"_s));
    EXPECT_EQ(view->session().stepIndex(), 2);
    EXPECT_EQ(dialogValue(*view, loop), u"on"_s);
    EXPECT_FALSE(view->locate(locators::control(d, loop)));
    EXPECT_FALSE(view->session().perform(actions::dialog(d, loop, u"off"_s)));

    // 观众自行浏览 frees both.
    click(*view, locators::item(d, u"放映类型"_s, u"观众自行浏览（窗口）(B)"_s));
    EXPECT_TRUE(view->locate(locators::control(d, loop)));
    click(*view, locators::control(d, statusBar));
    EXPECT_EQ(dialogValue(*view, statusBar), u"on"_s);
    EXPECT_TRUE(view->session().isComplete());

    // The 从/到 boxes and their captions do not overlap.
    auto fresh = viewOf(steps({ways[0]}));
    ASSERT_TRUE(fresh->performThroughUi(ways[0]));
    EXPECT_LT(at(*fresh, locators::control(d, u"从"_s)).right(),
              at(*fresh, locators::control(d, u"到"_s)).left() - 36);
}

TEST(KitDialogs, AFormatDialogOpensAtTheSelectedObjectsSizeAndAPictureWithoutFill)
{
    const QString slides = uR"j([{"title": "产品", "shapes": [
        {"type": "picture", "x": 100, "y": 100, "w": 283.46, "h": 141.73},
        {"type": "rect", "x": 400, "y": 100, "w": 72, "h": 36, "fill": "#FF0000"}]}])j"_s;
    {
        auto view = viewOf(steps({u"click:shape:1"_s, u"menu:格式(O)/图片(I)..."_s}), slides);
        ASSERT_TRUE(view->performThroughUi(u"click:shape:1"_s));
        ASSERT_TRUE(view->performThroughUi(u"menu:格式(O)/图片(I)..."_s));
        ASSERT_TRUE(view->session().dialog().has_value());
        EXPECT_EQ(view->session().dialog()->value(u"宽度"_s), u"10"_s);
        EXPECT_EQ(view->session().dialog()->value(u"高度"_s), u"5"_s);
        EXPECT_EQ(view->session().dialog()->value(u"填充颜色"_s), u"无填充颜色"_s);
        EXPECT_EQ(view->session().dialog()->value(u"线条颜色"_s), u"无线条颜色"_s);
    }
    {
        // An AutoShape keeps its colour boxes; only the size is its own.
        auto view = viewOf(steps({u"click:shape:2"_s, u"menu:格式(O)/自选图形(O)..."_s}), slides);
        ASSERT_TRUE(view->performThroughUi(u"click:shape:2"_s));
        ASSERT_TRUE(view->performThroughUi(u"menu:格式(O)/自选图形(O)..."_s));
        ASSERT_TRUE(view->session().dialog().has_value());
        EXPECT_EQ(view->session().dialog()->value(u"宽度"_s), u"2.54"_s);
        EXPECT_EQ(view->session().dialog()->value(u"高度"_s), u"1.27"_s);
        EXPECT_EQ(view->session().dialog()->value(u"填充颜色"_s), u"遵循填充配色方案"_s);
    }
}

TEST(KitDialogs, HeaderAndFooterOpensOnTheTabForThePagesOnView)
{
    const QString d = u"页眉和页脚"_s;
    const QStringList ways{u"menu:视图(V)/页眉和页脚(H)..."_s, u"dialog:页眉和页脚/取消"_s,
                           u"menu:视图(V)/母版(M)/讲义母版(H)"_s, u"menu:视图(V)/页眉和页脚(H)..."_s,
                           u"dialog:页眉和页脚/标签=备注和讲义"_s};
    auto view = viewOf(steps(ways));
    ASSERT_TRUE(view->performThroughUi(ways[0]));
    EXPECT_EQ(view->session().dialog()->tab, u"幻灯片"_s);
    ASSERT_TRUE(view->performThroughUi(ways[1]));
    ASSERT_TRUE(view->performThroughUi(ways[2]));
    ASSERT_TRUE(view->performThroughUi(ways[3]));
    EXPECT_EQ(view->session().dialog()->tab, u"备注和讲义"_s);
    // The page the task wants is already in front: that is the step.
    EXPECT_TRUE(view->session().isComplete());
}

TEST(KitDialogs, ChangeColourOpensColoursForTheSchemeColourAndBringsTheChoiceBack)
{
    const QString d = u"编辑配色方案"_s;
    const QStringList ways{u"taskpane:幻灯片设计 - 配色方案/编辑配色方案..."_s,
                           u"dialog:编辑配色方案/标签=自定义"_s,
                           u"dialog:编辑配色方案/更改颜色(O)..."_s,
                           u"dialog:颜色/标准颜色=浅黄"_s,
                           u"dialog:颜色/确定"_s,
                           u"dialog:编辑配色方案/配色方案颜色=文本和线条"_s,
                           u"dialog:编辑配色方案/更改颜色(O)..."_s};
    auto view = viewOf(steps(ways), u"[{\"title\": \"产品\"}]"_s, u"\"幻灯片设计 - 配色方案\""_s);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(view->performThroughUi(ways[i])) << i;
    ASSERT_EQ(view->session().dialog()->name, u"颜色"_s);
    EXPECT_EQ(view->session().dialog()->openedBy, schemeColourKey(u"背景"_s));
    ASSERT_TRUE(view->performThroughUi(ways[3]));
    ASSERT_TRUE(view->performThroughUi(ways[4]));
    ASSERT_EQ(view->session().dialog()->name, d);
    const QString chosen = view->session().dialog()->value(schemeColourKey(u"背景"_s));
    EXPECT_EQ(kit::colourOf(chosen, {}), QColor(0xFF, 0xFF, 0x99)) << chosen.toStdString();
    EXPECT_EQ(view->session().dialog()->value(u"配色方案颜色"_s), u"背景"_s);
    // Double-clicking a colour of the list opens 颜色 for it, as 更改颜色 does.
    view->clickAt(at(*view, locators::item(d, u"配色方案颜色"_s, u"文本和线条"_s)).center(), Qt::LeftButton,
                  true);
    ASSERT_TRUE(view->session().dialog().has_value());
    EXPECT_EQ(view->session().dialog()->name, u"颜色"_s);
    EXPECT_EQ(view->session().dialog()->openedBy, schemeColourKey(u"文本和线条"_s));
}
