// The 自定义动画 pane as the learner works it: the effect's commands in the ▼ menu of the chosen
// row (and a right click on a row), a double-click on a row for 效果选项, the boxes that follow the
// chosen effect and are greyed while none is, and 效果选项 opening at the effect's settings, with the
// pane's directions for the effect and without what a picture's effect has not.
#include "movie/explanation.h"
#include "movie/kit/kitcatalog.h"
#include "movie/kit/locators.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/window/kitview.h"
#include "windowtesting.h"

#include <QDir>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

const QString kPane = u"自定义动画"_s;
const QString kList = u"动画列表"_s;
const QString kFlyIn = u"1. 标题 1: 进度"_s;
const QString kGrow = u"2. 需求已确认"_s;
const QString kAppear = u"3. 图片 3"_s;

std::unique_ptr<KitView> viewOf(const QString& steps, const QString& effects = {})
{
    const QString slideEffects =
        effects.isEmpty()
            ? uR"j([{"target": "title", "effect": "飞入", "direction": "自左侧", "speed": "慢速", "start": "之后",
                     "delay": 1.5, "repeat": 3},
                    {"target": "body", "kind": "强调", "effect": "放大/缩小"},
                    {"target": "shape:1", "effect": "出现", "trigger": "shape:2"}])j"_s
            : effects;
    const QString json = uR"j({"format": "pptdrill-movie", "version": 1,
        "presentation": {"view": "normal", "taskpane": "自定义动画", "selected": 1, "slides": [
            {"layout": "标题和文本", "title": "进度", "body": ["需求已确认", "设计已完成"],
             "shapes": [{"type": "picture", "x": 420, "y": 170, "w": 240, "h": 200},
                        {"type": "rect", "x": 100, "y": 400, "w": 120, "h": 60}],
             "effects": %1}]},
        "steps": [%2]})j"_s.arg(slideEffects, steps);
    auto movie = parseMovie(json.toUtf8());
    EXPECT_TRUE(movie.ok()) << movie.error().toStdString();
    auto view =
        std::make_unique<KitView>(std::make_unique<MovieSession>(movie.value(), KitCatalog::instance()));
    view->setPace(0);
    view->show();
    return view;
}

QString row(const QString& item)
{
    return locators::item(kPane, kList, item);
}

QString box(const QString& id)
{
    return locators::control(kPane, id);
}

QString menuItem(const QString& text)
{
    return locators::paneItem({kPane, kList, text});
}

void click(KitView& view, const QString& locator, Qt::MouseButton button = Qt::LeftButton)
{
    const auto at = view.locate(locator);
    ASSERT_TRUE(at.has_value()) << "not on view: " << locator.toStdString();
    view.clickAt(at->center(), button);
}

// Kept for a look when PPTDRILL_SHOTS names a folder.
void keepShot(KitView& view, const QString& name)
{
    const QString folder = qEnvironmentVariable("PPTDRILL_SHOTS");
    if (!folder.isEmpty())
        view.grab().save(QDir(folder).filePath(name));
}

const QString kOptionsStep = uR"j({"hint": "h", "accept": ["taskpane:自定义动画/效果选项(E)..."]})j"_s;

} // namespace

TEST(AnimationPane, TheEffectsCommandsAreInTheChosenRowsMenuNotAColumnOfButtons)
{
    auto view = viewOf(kOptionsStep);
    keepShot(*view, u"animationpane-none.png"_s);
    const QStringList commands{u"单击开始(C)"_s,    u"从上一项开始(W)"_s, u"从上一项之后开始(A)"_s,
                               u"效果选项(E)..."_s, u"计时(T)..."_s,      u"显示高级日程表(S)"_s,
                               u"删除(R)"_s};
    for (const QString& command : commands)
        EXPECT_FALSE(view->locate(box(command)).has_value()) << command.toStdString();
    // 删除 stands beside 添加效果, 播放 beside 幻灯片放映, the two reordering arrows on one row.
    for (const auto& [left, right] :
         {std::pair{u"添加效果"_s, u"删除"_s}, std::pair{u"播放"_s, u"幻灯片放映"_s}}) {
        click(*view, row(kFlyIn)); // 删除 is greyed, out of reach, until an effect is chosen
        const auto l = view->locate(box(left));
        const auto r = view->locate(box(right));
        ASSERT_TRUE(l && r) << left.toStdString();
        EXPECT_EQ(l->top(), r->top());
        EXPECT_LT(l->right(), r->left());
    }
    // No row is chosen: no ▼. A click on a row chooses it and shows its ▼, which opens the menu.
    EXPECT_TRUE(view->locate(locators::controlArrow(kPane, kList)).has_value());
    click(*view, locators::controlArrow(kPane, kList));
    keepShot(*view, u"animationpane-menu.png"_s);
    for (const QString& command : commands)
        EXPECT_TRUE(view->locate(menuItem(command)).has_value()) << command.toStdString();
    click(*view, menuItem(u"效果选项(E)..."_s));
    ASSERT_TRUE(view->session().dialog().has_value());
    EXPECT_EQ(view->session().dialog()->name, u"效果选项"_s);
    EXPECT_TRUE(view->session().isComplete());
}

TEST(AnimationPane, ASlideWithoutEffectsHasNothingToChange)
{
    auto view = viewOf(uR"j({"hint": "h", "accept": ["taskpane:自定义动画/添加效果"]})j"_s, u"[]"_s);
    keepShot(*view, u"animationpane-empty.png"_s);
    EXPECT_TRUE(view->locate(box(u"添加效果"_s)).has_value());
    for (const QString& id : {u"删除"_s, u"开始"_s, u"属性"_s, u"速度"_s, u"上移"_s, u"下移"_s})
        EXPECT_FALSE(view->locate(box(id)).has_value()) << id.toStdString();
    EXPECT_TRUE(view->locate(box(u"播放"_s)).has_value());
}

TEST(AnimationPane, TheHintAndTheDemonstrationGoThroughTheRowsArrow)
{
    auto view = viewOf(kOptionsStep);
    EXPECT_FALSE(view->locate(locators::controlArrow(kPane, kList)).has_value());
    // With no row chosen, the way starts by choosing the first effect's row, then its ▼.
    EXPECT_EQ(view->nextTargetLocator(), row(kFlyIn));
    click(*view, row(kFlyIn));
    EXPECT_FALSE(view->session().isComplete());
    EXPECT_EQ(view->nextTargetLocator(), locators::controlArrow(kPane, kList));
    view->setHintVisible(true);
    keepShot(*view, u"animationpane-hint.png"_s);
    EXPECT_TRUE(view->performThroughUi(u"taskpane:自定义动画/效果选项(E)..."_s));
    EXPECT_TRUE(view->session().isComplete());
    // The explanation says the same way.
    EXPECT_EQ(actionInWords(u"taskpane:自定义动画/效果选项(E)..."_s, KitCatalog::instance()),
              u"在“自定义动画”任务窗格的列表中单击所选项右侧的下拉箭头，单击“效果选项”命令。"_s);
}

TEST(AnimationPane, ARightClickOnARowOpensTheSameMenuForThatEffect)
{
    auto view = viewOf(uR"j({"hint": "h", "accept": ["taskpane:自定义动画/计时(T)..."]})j"_s);
    click(*view, row(kAppear), Qt::RightButton);
    EXPECT_EQ(view->session().chosenEffect(), 2);
    click(*view, menuItem(u"计时(T)..."_s));
    ASSERT_TRUE(view->session().dialog().has_value());
    EXPECT_EQ(view->session().dialog()->name, u"效果选项"_s);
    EXPECT_TRUE(view->session().isComplete());
}

TEST(AnimationPane, ADoubleClickOnARowOpensEffectOptionsAtThatEffect)
{
    auto view = viewOf(kOptionsStep);
    const auto at = view->locate(row(kAppear));
    ASSERT_TRUE(at.has_value());
    view->clickAt(at->center());
    view->clickAt(at->center(), Qt::LeftButton, true);
    ASSERT_TRUE(view->session().dialog().has_value());
    EXPECT_EQ(view->session().dialog()->name, u"效果选项"_s);
    EXPECT_TRUE(view->session().isComplete());
    // 出现 is started by a click on the rectangle: its 计时 tab shows that trigger.
    EXPECT_EQ(view->session().dialog()->value(u"触发器"_s), u"单击下列对象时启动效果(C):"_s);
    EXPECT_EQ(view->session().dialog()->value(u"触发对象"_s), u"矩形 4"_s);
}

TEST(AnimationPane, TheBoxesFollowTheChosenEffectAndAreGreyedWhileNoneIs)
{
    auto view = viewOf(uR"j({"hint": "h", "accept": ["taskpane:自定义动画/开始=之前"]})j"_s);
    const MovieSession& session = view->session();
    // Nothing chosen: the boxes are empty and out of reach, even for the step that wants one.
    for (const QString& id : {u"开始"_s, u"方向"_s, u"速度"_s, u"删除"_s, u"上移"_s})
        EXPECT_FALSE(view->locate(box(id)).has_value()) << id.toStdString();
    EXPECT_EQ(session.taskPane().value(u"开始"_s), QString());
    EXPECT_FALSE(view->session().perform(u"taskpane:自定义动画/开始=之前"_s));

    click(*view, row(kFlyIn));
    EXPECT_EQ(session.taskPane().value(u"开始"_s), u"之后"_s);
    EXPECT_EQ(session.taskPane().value(u"方向"_s), u"自左侧"_s);
    EXPECT_EQ(session.taskPane().value(u"速度"_s), u"慢速"_s);
    EXPECT_TRUE(view->locate(box(u"方向"_s)).has_value());
    EXPECT_FALSE(view->locate(box(u"尺寸"_s)).has_value());

    // 放大/缩小 has a 尺寸 in the middle box's place, and its own speed (中速).
    click(*view, row(kGrow));
    keepShot(*view, u"animationpane-grow.png"_s);
    EXPECT_FALSE(view->locate(box(u"方向"_s)).has_value());
    EXPECT_TRUE(view->locate(box(u"尺寸"_s)).has_value());
    EXPECT_EQ(session.taskPane().value(u"尺寸"_s), u"150%"_s);
    EXPECT_EQ(session.taskPane().value(u"开始"_s), u"单击时"_s);
    EXPECT_EQ(session.taskPane().value(u"速度"_s), u"中速"_s);

    // 出现 has no property: a greyed 属性 box stands there.
    click(*view, row(kAppear));
    EXPECT_FALSE(view->locate(box(u"尺寸"_s)).has_value());
    EXPECT_FALSE(view->locate(box(u"属性"_s)).has_value());
    EXPECT_TRUE(view->locate(box(u"开始"_s)).has_value());
    EXPECT_TRUE(view->performThroughUi(u"taskpane:自定义动画/开始=之前"_s));
}

TEST(AnimationPane, AnEffectsOwnDirectionsAreOfferedInItsDirectionBox)
{
    auto view = viewOf(kOptionsStep, uR"j([{"target": "title", "effect": "百叶窗"}])j"_s);
    click(*view, row(kFlyIn));
    const KitControl* direction = KitCatalog::instance().taskPane(kPane)->control(u"方向"_s);
    ASSERT_NE(direction, nullptr);
    EXPECT_EQ(view->session().itemsOf(*direction, view->session().taskPane()),
              (QStringList{u"水平"_s, u"垂直"_s}));
    EXPECT_EQ(view->session().taskPane().value(u"方向"_s), u"水平"_s);
}

TEST(AnimationPane, EffectOptionsOpensAtTheChosenEffectsSettings)
{
    auto view = viewOf(kOptionsStep);
    click(*view, row(kFlyIn));
    ASSERT_TRUE(view->performThroughUi(u"taskpane:自定义动画/效果选项(E)..."_s));
    const auto& dialog = view->session().dialog();
    ASSERT_TRUE(dialog.has_value());
    EXPECT_EQ(dialog->value(u"方向"_s), u"自左侧"_s);
    EXPECT_EQ(dialog->value(u"开始"_s), u"之后"_s);
    EXPECT_EQ(dialog->value(u"速度"_s), u"3 秒(慢速)"_s);
    EXPECT_EQ(dialog->value(u"延迟"_s), u"1.5"_s);
    EXPECT_EQ(dialog->value(u"重复"_s), u"3"_s);
    EXPECT_EQ(dialog->value(u"触发器"_s), u"部分单击序列动画(A)"_s);
}

TEST(AnimationPane, TheKitRefusesAControlBesideOneThePaneHasNotOrAFieldEffectsHaveNot)
{
    const auto field = KitCatalog::parse(
        R"({"taskpanes": {"窗格": {"controls": [{"type": "combo", "id": "甲", "effectField": "colour"}]}}})");
    ASSERT_FALSE(field.ok());
    EXPECT_TRUE(field.error().contains(u"不是动画效果的字段"_s)) << field.error().toStdString();
    const auto kit = KitCatalog::parse(
        R"({"taskpanes": {"窗格": {"controls": [{"type": "button", "id": "甲"},
                                               {"type": "button", "id": "乙", "beside": "丙"}]}}})");
    ASSERT_FALSE(kit.ok());
    EXPECT_TRUE(kit.error().contains(u"beside 不是本任务窗格的控件"_s)) << kit.error().toStdString();
}

namespace {

const QString kOptions = u"效果选项"_s;

QString dialogBox(const QString& id)
{
    return locators::control(kOptions, id);
}

// 效果选项 opened from the ▼ of the first effect's row, by the menu's `command`.
void openEffectOptions(KitView& view, const QString& firstRow, const QString& command = u"效果选项(E)..."_s)
{
    click(view, row(firstRow));
    click(view, locators::controlArrow(kPane, kList));
    click(view, menuItem(command));
    ASSERT_TRUE(view.session().dialog().has_value());
    ASSERT_EQ(view.session().dialog()->name, kOptions);
}

} // namespace

TEST(AnimationPane, EffectOptionsOffersTheDirectionsThePaneOffersForTheEffect)
{
    // The exit 棋盘 on the body text: its directions are 跨越 and 向下, not 飞入's eight.
    auto view = viewOf(kOptionsStep + uR"j(, {"hint": "h", "accept": ["dialog:效果选项/方向=向下"]})j"_s,
                       uR"j([{"target": "body", "kind": "退出", "effect": "棋盘"}])j"_s);
    const MovieSession& session = view->session();
    openEffectOptions(*view, u"1. 需求已确认"_s);
    keepShot(*view, u"animationpane-checkerboard.png"_s);
    EXPECT_EQ(session.taskPane().value(u"方向"_s), u"跨越"_s);
    EXPECT_EQ(session.dialog()->value(u"方向"_s), u"跨越"_s);
    const KitControl* direction = KitCatalog::instance().dialog(kOptions)->control(u"方向"_s);
    ASSERT_NE(direction, nullptr);
    EXPECT_EQ(session.itemsOf(*direction, *session.dialog()), (QStringList{u"跨越"_s, u"向下"_s}));
    EXPECT_FALSE(view->session().perform(u"dialog:效果选项/方向=自左下部"_s));
    click(*view, dialogBox(u"方向"_s));
    EXPECT_FALSE(view->locate(locators::drop(u"自左下部"_s)).has_value());
    click(*view, locators::drop(u"向下"_s));
    EXPECT_EQ(session.dialog()->value(u"方向"_s), u"向下"_s);
    EXPECT_TRUE(session.isComplete());
}

TEST(AnimationPane, EffectOptionsOfAPicturesEffectHasNoDirectionNorTextToAnimate)
{
    // The exit 螺旋飞出 on a picture: no 方向 box, 动画文本 greyed, no 正文文本动画 tab.
    auto view = viewOf(kOptionsStep, uR"j([{"target": "shape:1", "kind": "退出", "effect": "螺旋飞出"}])j"_s);
    openEffectOptions(*view, u"1. 图片 3"_s);
    keepShot(*view, u"animationpane-spiral.png"_s);
    EXPECT_FALSE(view->locate(dialogBox(u"方向"_s)).has_value());
    EXPECT_FALSE(view->locate(dialogBox(u"动画文本"_s)).has_value());
    EXPECT_FALSE(view->locate(locators::tab(kOptions, u"正文文本动画"_s)).has_value());
    EXPECT_TRUE(view->locate(locators::tab(kOptions, u"计时"_s)).has_value());
    EXPECT_TRUE(view->locate(dialogBox(u"声音"_s)).has_value());
    view->session().perform(u"dialog:效果选项/标签=正文文本动画"_s);
    EXPECT_EQ(view->session().dialog()->tab, u"效果"_s);
    view->session().perform(u"dialog:效果选项/标签=计时"_s);
    EXPECT_EQ(view->session().dialog()->tab, u"计时"_s);

    // 飞入 on the title has both, and its directions.
    auto text = viewOf(kOptionsStep);
    openEffectOptions(*text, kFlyIn);
    EXPECT_TRUE(text->locate(dialogBox(u"方向"_s)).has_value());
    EXPECT_TRUE(text->locate(dialogBox(u"动画文本"_s)).has_value());
    EXPECT_TRUE(text->locate(locators::tab(kOptions, u"正文文本动画"_s)).has_value());
}

TEST(AnimationPane, TimingOpensEffectOptionsOnItsTimingPage)
{
    auto view = viewOf(uR"j({"hint": "h", "accept": ["taskpane:自定义动画/计时(T)..."]})j"_s);
    openEffectOptions(*view, kFlyIn, u"计时(T)..."_s);
    EXPECT_EQ(view->session().dialog()->tab, u"计时"_s);
    EXPECT_TRUE(view->locate(dialogBox(u"延迟"_s)).has_value());
    EXPECT_EQ(view->session().dialog()->value(u"延迟"_s), u"1.5"_s);
    // 效果选项 itself opens on 效果.
    auto options = viewOf(kOptionsStep);
    openEffectOptions(*options, kFlyIn);
    EXPECT_EQ(options->session().dialog()->tab, u"效果"_s);
}

TEST(AnimationPane, TheRowsTimingAndEffectOptionsSetThePaneBoxesTheTaskAsksFor)
{
    // 04/35 asks for 速度 慢速 in the pane once 盒状 is added: 计时 from the row's menu sets it too.
    const auto playTo = [](KitView& view, int count) {
        for (int i = 0; i < count; ++i)
            ASSERT_TRUE(
                view.performThroughUi(view.session().movie().steps[static_cast<size_t>(i)].accept.first()));
    };
    auto view = windowtesting::viewOfBankMovie(u"04/35"_s);
    playTo(*view, 5);
    const QString boxRow = view->session().taskPane().value(kList);
    ASSERT_FALSE(boxRow.isEmpty());
    click(*view, row(boxRow), Qt::RightButton);
    click(*view, menuItem(u"计时(T)..."_s));
    ASSERT_TRUE(view->session().dialog().has_value());
    EXPECT_EQ(view->session().dialog()->tab, u"计时"_s);
    // A speed the task does not ask for: 确定 keeps the dialog open and the effect as it was.
    view->performThroughUi(u"dialog:效果选项/速度=5 秒(非常慢)"_s);
    EXPECT_EQ(view->session().dialog()->value(u"速度"_s), u"5 秒(非常慢)"_s);
    EXPECT_FALSE(view->performThroughUi(u"dialog:效果选项/确定"_s));
    ASSERT_TRUE(view->session().dialog().has_value());
    EXPECT_NE(view->session().selectedSlide().effects.front().speed, u"非常慢"_s);
    view->performThroughUi(u"dialog:效果选项/速度=3 秒(慢速)"_s);
    EXPECT_TRUE(view->performThroughUi(u"dialog:效果选项/确定"_s));
    EXPECT_FALSE(view->session().dialog().has_value());
    EXPECT_EQ(view->session().selectedSlide().effects.front().speed, u"慢速"_s);
    EXPECT_EQ(view->session().taskPane().value(u"速度"_s), u"慢速"_s);
    EXPECT_TRUE(view->session().isComplete());

    // A double-click on the row opens 效果选项; cancelled, the task goes on in the pane.
    auto again = windowtesting::viewOfBankMovie(u"04/35"_s);
    playTo(*again, 5);
    const auto at = again->locate(row(boxRow));
    ASSERT_TRUE(at.has_value());
    again->clickAt(at->center(), Qt::LeftButton, true);
    ASSERT_TRUE(again->session().dialog().has_value());
    EXPECT_EQ(again->session().dialog()->name, u"效果选项"_s);
    EXPECT_FALSE(again->performThroughUi(u"dialog:效果选项/取消"_s));
    EXPECT_FALSE(again->session().dialog().has_value());
    EXPECT_TRUE(again->performThroughUi(u"taskpane:自定义动画/速度=慢速"_s));
    EXPECT_TRUE(again->session().isComplete());
}

TEST(AnimationPane, OneVisitOfTimingSetsSeveralFieldsTheTaskAsksForInTurn)
{
    const auto playTo = [](KitView& view, int count) {
        for (int i = 0; i < count; ++i) {
            const QString action = view.session().movie().steps[static_cast<size_t>(i)].accept.first();
            if (!view.session().steps().isDone(StepTaking{-1, i})) {
                ASSERT_TRUE(view.performThroughUi(action)) << "step " << i + 1;
            }
        }
    };
    const auto timingOfChosenRow = [](KitView& view) {
        click(view, row(view.session().taskPane().value(kList)), Qt::RightButton);
        click(view, menuItem(u"计时(T)..."_s));
        ASSERT_TRUE(view.session().dialog().has_value());
    };
    // 12/33: the third effect's 开始 之后 (a pane step) and its 延迟 1.5 (a visit of 计时) at once.
    auto delay = windowtesting::viewOfBankMovie(u"12/33"_s);
    playTo(*delay, 7);
    timingOfChosenRow(*delay);
    delay->performThroughUi(u"dialog:效果选项/开始=之后"_s);
    delay->performThroughUi(u"dialog:效果选项/延迟=1.5"_s);
    EXPECT_TRUE(delay->performThroughUi(u"dialog:效果选项/确定"_s));
    EXPECT_FALSE(delay->session().dialog().has_value());
    EXPECT_TRUE(delay->session().isComplete());
    EXPECT_EQ(delay->session().selectedSlide().effects[2].delay, 1.5);

    // 11/34: 速度 快速 and the trigger 矩形 3 in one visit; 触发器 shows its choices though no step
    // wants it yet.
    auto trigger = windowtesting::viewOfBankMovie(u"11/34"_s);
    playTo(*trigger, 5);
    timingOfChosenRow(*trigger);
    trigger->performThroughUi(u"dialog:效果选项/速度=1 秒(快速)"_s);
    trigger->performThroughUi(u"dialog:效果选项/触发器(T)"_s);
    ASSERT_TRUE(trigger->session().dialog()->pressed.contains(u"触发器(T)"_s));
    trigger->performThroughUi(u"dialog:效果选项/触发器=单击下列对象时启动效果(C):"_s);
    trigger->performThroughUi(u"dialog:效果选项/触发对象=矩形 3"_s);
    EXPECT_TRUE(trigger->performThroughUi(u"dialog:效果选项/确定"_s));
    EXPECT_TRUE(trigger->session().isComplete());

    // 05/35: 开始 之后 from 计时, where the movie clicks the row's 从上一项之后开始.
    auto start = windowtesting::viewOfBankMovie(u"05/35"_s);
    playTo(*start, 5);
    timingOfChosenRow(*start);
    start->performThroughUi(u"dialog:效果选项/开始=之后"_s);
    EXPECT_TRUE(start->performThroughUi(u"dialog:效果选项/确定"_s));
    EXPECT_TRUE(start->session().isComplete());
}
