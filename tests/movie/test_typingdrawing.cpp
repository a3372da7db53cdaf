// Typing and drawing in the simulated window with real input: a caret in the notes
// and in shapes, keys and input-method text, a drag with a drawing tool, and the
// bank's movies that ask for the text typed and the shape drawn.
#include "movie/kit/kitcatalog.h"
#include "movie/kit/locators.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/window/kitview.h"

#include <QInputMethodEvent>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

std::unique_ptr<KitView> viewOf(const Result<Movie>& movie)
{
    EXPECT_TRUE(movie.ok()) << movie.error().toStdString();
    auto view =
        std::make_unique<KitView>(std::make_unique<MovieSession>(movie.value(), KitCatalog::instance()));
    view->setPace(0);
    view->resize(800, 600);
    return view;
}

std::unique_ptr<KitView> bankMovie(const QString& name)
{
    return viewOf(loadMovieFile(QString::fromUtf8(DRILL_SOURCE_DIR) + u"/bank/movies/"_s + name));
}

QRect where(KitView& view, const QString& locator)
{
    const auto at = view.locate(locator);
    EXPECT_TRUE(at.has_value()) << "not on view: " << locator.toStdString();
    return at.value_or(QRect());
}

void click(KitView& view, const QString& locator, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(&view, button, {}, where(view, locator).center());
}

void chooseMenu(KitView& view, const QStringList& path)
{
    click(view, locators::menuTitle(path.first()));
    for (qsizetype i = 1; i < path.size(); ++i)
        click(view, locators::menuItem(path.mid(0, i + 1)));
}

// What an input method sends: text being composed, then the text committed.
void compose(KitView& view, const QString& preedit)
{
    QInputMethodEvent event(preedit, {});
    QCoreApplication::sendEvent(&view, &event);
}

void commit(KitView& view, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(&view, &event);
}

void hover(KitView& view, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, at, view.mapToGlobal(at), Qt::NoButton, Qt::NoButton, {});
    QCoreApplication::sendEvent(&view, &move);
}

// A drag with the left button from one point to another, as a hand makes it.
void drag(KitView& view, QPoint from, QPoint to)
{
    QTest::mousePress(&view, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, (from + to) / 2, view.mapToGlobal((from + to) / 2), Qt::NoButton,
                     Qt::LeftButton, {});
    QCoreApplication::sendEvent(&view, &move);
    QMouseEvent last(QEvent::MouseMove, to, view.mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&view, &last);
    QTest::mouseRelease(&view, Qt::LeftButton, {}, to);
}

// What the input method asks the window (QWidget's question is public).
QVariant askInputMethod(KitView& view, Qt::InputMethodQuery query)
{
    return static_cast<QWidget&>(view).inputMethodQuery(query);
}

const Slide& shownSlide(KitView& view)
{
    return view.session().selectedSlide();
}

} // namespace

TEST(Typing, TheNotesTakeInputMethodTextAndTheStepIsDoneWhenTheyReadWhatItAsks)
{
    auto view = bankMovie(u"05/12.movie"_s); // 此处介绍公司历史 in the notes of slide 2
    click(*view, locators::thumb(2));
    click(*view, locators::placeholder(u"notes"_s));
    ASSERT_EQ(view->session().typingObject(), u"notes"_s);
    EXPECT_TRUE(askInputMethod(*view, Qt::ImEnabled).toBool());
    // The caret lies in the notes pane, where the input method puts its window.
    const QRect caret = askInputMethod(*view, Qt::ImCursorRectangle).toRect();
    EXPECT_TRUE(where(*view, locators::placeholder(u"notes"_s)).contains(caret.center()));

    compose(*view, u"cishi"_s);
    EXPECT_EQ(shownSlide(*view).notes, QString()) << "text being composed is not yet typed";
    commit(*view, u"此处介绍"_s);
    EXPECT_EQ(shownSlide(*view).notes, u"此处介绍"_s);
    EXPECT_FALSE(view->session().isComplete());
    commit(*view, u"公司历史"_s);
    EXPECT_TRUE(view->session().isComplete());
    EXPECT_EQ(shownSlide(*view).notes, u"此处介绍公司历史"_s);
}

TEST(Typing, KeysMoveTheCaretSelectWithShiftAndTypeOverTheSelection)
{
    auto view = bankMovie(u"09/12.movie"_s); // 验收时间：待定，需与客户沟通。 → 已确认
    click(*view, locators::thumb(4));
    click(*view, locators::placeholder(u"notes"_s));
    QTest::keyClick(view.get(), Qt::Key_End);
    for (int i = 0; i < 8; ++i)
        QTest::keyClick(view.get(), Qt::Key_Left);
    QTest::keyClick(view.get(), Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(view.get(), Qt::Key_Left, Qt::ShiftModifier);
    ASSERT_TRUE(view->session().typing().has_value());
    EXPECT_EQ(view->session().typing()->selectedText(), u"待定"_s);
    commit(*view, u"已确认"_s);
    EXPECT_TRUE(view->session().isComplete());
}

TEST(Typing, TextNoStepAsksForShowsWhileTypedAndGoesBackWhenTheCaretLeaves)
{
    auto view = bankMovie(u"05/12.movie"_s);
    click(*view, locators::thumb(2));
    click(*view, locators::placeholder(u"notes"_s));
    QTest::keyClicks(view.get(), u"abc"_s);
    EXPECT_EQ(shownSlide(*view).notes, u"abc"_s);
    QTest::keyClick(view.get(), Qt::Key_Backspace);
    QTest::keyClick(view.get(), Qt::Key_Return);
    QTest::keyClicks(view.get(), u"d"_s);
    EXPECT_EQ(shownSlide(*view).notes, u"ab\nd"_s);
    // Ctrl+A selects the text typed into, and typing replaces it.
    QTest::keyClick(view.get(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(view.get(), u"x"_s);
    EXPECT_EQ(shownSlide(*view).notes, u"x"_s);
    click(*view, locators::slideEmpty());
    EXPECT_FALSE(view->session().typing().has_value());
    EXPECT_EQ(shownSlide(*view).notes, QString());
    EXPECT_EQ(view->session().stepIndex(), 1);
}

TEST(Typing, ADragInTheNotesSelectsTheTextUnderIt)
{
    auto view = bankMovie(u"09/12.movie"_s);
    click(*view, locators::thumb(4));
    const QRect notes = where(*view, locators::placeholder(u"notes"_s));
    click(*view, locators::placeholder(u"notes"_s));
    const int y = notes.top() + 14;
    drag(*view, QPoint(notes.left() + 12, y), QPoint(notes.left() + 60, y));
    ASSERT_TRUE(view->session().typing().has_value());
    EXPECT_EQ(view->session().typing()->selectionStart(), 0);
    EXPECT_GE(view->session().typing()->selectedText().size(), 2);
    EXPECT_TRUE(u"验收时间：待定"_s.startsWith(view->session().typing()->selectedText()));
}

TEST(Drawing, ADragWithTheToolChosenDrawsTheShapeWhereTheHandDrewIt)
{
    auto view = bankMovie(u"04/25.movie"_s); // an ellipse, then 开始 typed into it
    click(*view, locators::thumb(3));
    click(*view, locators::button(u"椭圆"_s));
    ASSERT_TRUE(view->session().drawingToolChosen());
    EXPECT_TRUE(shownSlide(*view).shapes.empty()) << "choosing the tool draws nothing yet";
    const QRect slide = where(*view, locators::slideArea());
    const QPoint from = slide.topLeft() + QPoint(40, 80);
    const QPoint to = from + QPoint(120, 60);
    hover(*view, from);
    EXPECT_EQ(view->cursor().shape(), Qt::CrossCursor);
    drag(*view, from, to);
    ASSERT_EQ(shownSlide(*view).shapes.size(), 1u);
    const SlideShape& ellipse = shownSlide(*view).shapes.front();
    EXPECT_EQ(ellipse.type, u"ellipse"_s);
    // The shape's size is the drag's, in points: the slide is shown smaller than 720 pixels wide.
    EXPECT_GT(ellipse.w, 120);
    EXPECT_NEAR(ellipse.w / ellipse.h, 2.0, 0.1);
    EXPECT_FALSE(view->session().drawingToolChosen());
    EXPECT_EQ(view->session().selectedObject(), u"shape:1"_s);

    // Right-click → 添加文本 puts the caret in it; the typed text completes the task.
    const QPoint middle = (from + to) / 2;
    QTest::mouseClick(view.get(), Qt::RightButton, {}, middle);
    click(*view, locators::contextItem({u"添加文本(X)"_s}));
    EXPECT_EQ(view->session().typingObject(), u"shape:1"_s);
    commit(*view, u"开始"_s);
    EXPECT_TRUE(view->session().isComplete());
}

TEST(Drawing, TypingOnAShapeJustDrawnPutsTheTextInIt)
{
    auto view = bankMovie(u"04/25.movie"_s);
    click(*view, locators::thumb(3));
    click(*view, locators::button(u"椭圆"_s));
    const QRect slide = where(*view, locators::slideArea());
    drag(*view, slide.topLeft() + QPoint(30, 60), slide.topLeft() + QPoint(150, 130));
    ASSERT_EQ(shownSlide(*view).shapes.size(), 1u);
    EXPECT_FALSE(view->session().typing().has_value());
    commit(*view, u"开始"_s);
    EXPECT_EQ(view->session().typingObject(), u"shape:1"_s);
    EXPECT_TRUE(view->session().isComplete());
}

TEST(Drawing, AClickWithTheTextBoxToolGivesABoxThatTakesTheCaretAndWidensAsTyped)
{
    auto view = bankMovie(u"01/20.movie"_s); // 培训地点：三楼会议室 in a text box
    click(*view, locators::thumb(3));
    chooseMenu(*view, {u"插入(I)"_s, u"文本框(X)"_s, u"水平(H)"_s});
    const QRect slide = where(*view, locators::slideArea());
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, slide.bottomLeft() + QPoint(30, -40));
    ASSERT_EQ(shownSlide(*view).shapes.size(), 1u);
    const double narrow = shownSlide(*view).shapes.front().w;
    EXPECT_EQ(view->session().typingObject(), u"shape:1"_s);
    const QRect caret = askInputMethod(*view, Qt::ImCursorRectangle).toRect();
    EXPECT_TRUE(slide.adjusted(0, -60, 0, 60).contains(caret.center()));
    commit(*view, u"培训地点："_s);
    const QRect later = askInputMethod(*view, Qt::ImCursorRectangle).toRect();
    EXPECT_GT(later.left(), caret.left() + 40) << "the caret follows the text typed ";
    EXPECT_GT(shownSlide(*view).shapes.front().w, narrow + 60);
    commit(*view, u"三楼会议室"_s);
    EXPECT_TRUE(view->session().isComplete());
}

TEST(Drawing, EscLetsTheToolGoAndItsStepComesNextAgain)
{
    auto view = bankMovie(u"01/30.movie"_s); // a rounded rectangle
    click(*view, locators::thumb(2));
    const int toolStep = view->session().stepIndex();
    click(*view, locators::button(u"自选图形"_s));
    click(*view, locators::toolbarItem({u"自选图形"_s, u"基本形状(B)"_s}));
    click(*view, locators::toolbarItem({u"自选图形"_s, u"基本形状(B)"_s, u"圆角矩形"_s}));
    ASSERT_TRUE(view->session().drawingToolChosen());
    QTest::keyClick(view.get(), Qt::Key_Escape);
    EXPECT_FALSE(view->session().drawingToolChosen());
    EXPECT_EQ(view->session().stepIndex(), toolStep);
    const QRect slide = where(*view, locators::slideArea());
    drag(*view, slide.topLeft() + QPoint(30, 60), slide.topLeft() + QPoint(150, 130));
    EXPECT_TRUE(shownSlide(*view).shapes.empty());
}

TEST(Drawing, AnActionButtonsSettingsOpenOnceTheButtonIsDrawn)
{
    auto view = bankMovie(u"01/32.movie"_s);
    click(*view, locators::thumb(2));
    chooseMenu(*view, {u"幻灯片放映(D)"_s, u"动作按钮(I)"_s, u"动作按钮: 自定义"_s});
    EXPECT_FALSE(view->session().dialog().has_value());
    const QRect slide = where(*view, locators::slideArea());
    drag(*view, slide.bottomRight() - QPoint(80, 60), slide.bottomRight() - QPoint(20, 15));
    ASSERT_TRUE(view->session().dialog().has_value());
    EXPECT_EQ(view->session().dialog()->name, u"动作设置"_s);
    // 取消 backs out of the drawing too: the tool is chosen again, nothing is drawn.
    QTest::keyClick(view.get(), Qt::Key_Escape);
    EXPECT_FALSE(view->session().dialog().has_value());
    EXPECT_TRUE(view->session().drawingToolChosen());
    EXPECT_TRUE(shownSlide(*view).shapes.empty());
}

TEST(Drawing, TheDemonstrationDrawsAndTypesWhereTheMovieDoes)
{
    auto view = bankMovie(u"07/25.movie"_s); // a rounded callout with 重点
    view->startDemonstration();
    QTRY_VERIFY_WITH_TIMEOUT(!view->demonstration().isRunning(), 20000);
    ASSERT_TRUE(view->session().isComplete());
    const SlideShape& callout = shownSlide(*view).shapes.back();
    EXPECT_EQ(callout.type, u"callout"_s);
    EXPECT_EQ(callout.text, u"重点"_s);
    EXPECT_NEAR(callout.x, 250, 2);
    EXPECT_NEAR(callout.w, 220, 3);
}

namespace {

std::unique_ptr<KitView> inlineMovie(const QString& steps)
{
    const QString json =
        uR"j({"format": "pptdrill-movie", "version": 1, "presentation": {"view": "normal", "taskpane": null,
            "slides": [{"layout": "标题幻灯片", "title": "年度总结", "subtitle": "2026年",
            "titleFont": {"size": 40, "bold": true},
            "shapes": [{"type": "textbox", "x": 40, "y": 440, "w": 200, "h": 40, "text": "说明"},
                       {"type": "ellipse", "x": 300, "y": 380, "w": 120, "h": 80}]}]},
            "steps": [%1]})j"_s.arg(steps);
    return viewOf(parseMovie(json.toUtf8()));
}

} // namespace

TEST(FontBoxes, TheFormattingBoxesAndTheFontDialogShowTheSelectedTextsFont)
{
    auto view = inlineMovie(uR"j({"hint": "打开“字体”对话框。", "accept": ["menu:格式(O)/字体(F)..."]},
        {"hint": "单击“确定”。", "accept": ["dialog:字体/确定"]})j"_s);
    MovieSession& session = view->session();
    EXPECT_EQ(session.toolbarValue(u"字号"_s), u"18"_s) << "nothing selected: the kit's";
    click(*view, locators::placeholder(u"title"_s));
    EXPECT_EQ(session.toolbarValue(u"字号"_s), u"40"_s);
    EXPECT_EQ(session.toolbarValue(u"字体"_s), u"宋体"_s);
    click(*view, locators::placeholder(u"subtitle"_s));
    EXPECT_EQ(session.toolbarValue(u"字号"_s), u"32"_s);
    click(*view, locators::shape(1));
    EXPECT_EQ(session.toolbarValue(u"字号"_s), u"18"_s);

    click(*view, locators::placeholder(u"title"_s));
    chooseMenu(*view, {u"格式(O)"_s, u"字体(F)..."_s});
    ASSERT_TRUE(session.dialog().has_value());
    EXPECT_EQ(session.dialog()->value(u"字号"_s), u"40"_s);
    EXPECT_EQ(session.dialog()->value(u"字形"_s), u"加粗"_s);
}

TEST(FontBoxes, ASizeTypedIntoTheBoxCountsOnEnterAndEscLeavesItAsItWas)
{
    auto view = inlineMovie(uR"j({"hint": "选中标题。", "accept": ["click:title"]},
        {"hint": "在“字号”框中输入 28。", "accept": ["toolbar:字号=28"],
         "set": {"slide": 1, "titleFont": {"size": 28}}})j"_s);
    click(*view, locators::placeholder(u"title"_s));
    const QRect box = where(*view, locators::button(u"字号"_s));
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, QPoint(box.left() + 8, box.center().y()));
    QTest::keyClicks(view.get(), u"24"_s);
    QTest::keyClick(view.get(), Qt::Key_Escape);
    EXPECT_EQ(view->session().toolbarValue(u"字号"_s), u"40"_s);
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, QPoint(box.left() + 8, box.center().y()));
    QTest::keyClicks(view.get(), u"28"_s);
    EXPECT_FALSE(view->session().isComplete()) << "nothing counts before Enter";
    QTest::keyClick(view.get(), Qt::Key_Return);
    EXPECT_TRUE(view->session().isComplete());
    EXPECT_EQ(view->session().toolbarValue(u"字号"_s), u"28"_s);
    // The arrow still drops the list.
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, QPoint(box.right() - 4, box.center().y()));
    EXPECT_TRUE(view->locate(locators::drop(u"36"_s)).has_value());
}

TEST(Selecting, AFrameDrawnFromTheSlidesEmptyPartSelectsTheObjectsWhollyInsideIt)
{
    auto view = inlineMovie(uR"j({"hint": "组合。", "accept": ["context:shape/组合(G)/组合(G)"]})j"_s);
    const QRect text = where(*view, locators::shape(1));
    const QRect ellipse = where(*view, locators::shape(2));
    const QRect slide = where(*view, locators::slideArea());
    // From below both objects, up and to the right past the ellipse: the title stays out.
    drag(*view, QPoint(text.left() - 4, slide.bottom() - 2), QPoint(ellipse.right() + 4, ellipse.top() - 4));
    EXPECT_EQ(view->session().selectedShapes(), (QList<int>{1, 2}));
    // A frame round the ellipse alone selects it alone.
    drag(*view, QPoint(ellipse.left() - 3, slide.bottom() - 2),
         QPoint(ellipse.right() + 3, ellipse.top() - 3));
    EXPECT_EQ(view->session().selectedShapes(), (QList<int>{2}));
}

TEST(Selecting, TabGoesFromObjectToObjectAndCtrlASelectsThemAll)
{
    auto view = inlineMovie(uR"j({"hint": "组合。", "accept": ["context:shape/组合(G)/组合(G)"]})j"_s);
    click(*view, locators::slideEmpty());
    QTest::keyClick(view.get(), Qt::Key_Tab);
    EXPECT_EQ(view->session().selectedObject(), u"title"_s);
    QTest::keyClick(view.get(), Qt::Key_Tab);
    EXPECT_EQ(view->session().selectedObject(), u"subtitle"_s);
    QTest::keyClick(view.get(), Qt::Key_Tab);
    EXPECT_EQ(view->session().selectedObject(), u"shape:1"_s);
    QTest::keyClick(view.get(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(view->session().selectedObject(), u"subtitle"_s);
    QTest::keyClick(view.get(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(view->session().selectedShapes(), (QList<int>{1, 2}));
    // The right button on the selection keeps it, and its menu groups them: the task is done.
    QTest::mouseClick(view.get(), Qt::RightButton, {}, where(*view, locators::shape(2)).center());
    click(*view, locators::contextItem({u"组合(G)"_s}));
    click(*view, locators::contextItem({u"组合(G)"_s, u"组合(G)"_s}));
    EXPECT_TRUE(view->session().isComplete());
}

TEST(Routes, FindTurnsIntoReplaceAsInPowerPoint)
{
    auto view = bankMovie(u"03/1.movie"_s); // 编辑 → 替换, 电脑 → 计算机, 全部替换
    MovieSession& session = view->session();
    while (session.nextAction().startsWith(u"thumb:"_s) || session.nextAction().startsWith(u"click:"_s))
        ASSERT_TRUE(view->performThroughUi(session.nextAction()));
    chooseMenu(*view, {u"编辑(E)"_s, u"查找(F)..."_s});
    ASSERT_TRUE(session.dialog().has_value());
    EXPECT_EQ(session.dialog()->name, u"查找"_s);
    click(*view, locators::control(u"查找"_s, u"替换(R)..."_s));
    ASSERT_TRUE(session.dialog().has_value());
    EXPECT_EQ(session.dialog()->name, u"替换"_s);
    EXPECT_TRUE(session.dialogsBeneath().empty()) << "查找 has turned into 替换";
    while (!session.isComplete() && view->performThroughUi(session.nextAction())) {
    }
    EXPECT_TRUE(session.isComplete());
}

TEST(Typing, AClickInATitlePutsTheCaretWhereItLandsAndTypingGoesInThere)
{
    auto view =
        inlineMovie(uR"j({"hint": "在标题中“年度”之后输入“工作”。", "accept": ["type:title=年度工作总结"],
        "set": {"slide": 1, "title": "年度工作总结"}})j"_s);
    const QRect title = where(*view, locators::placeholder(u"title"_s));
    click(*view, locators::placeholder(u"title"_s));
    ASSERT_EQ(view->session().typingObject(), u"title"_s);
    const QRect caret = askInputMethod(*view, Qt::ImCursorRectangle).toRect();
    EXPECT_TRUE(title.contains(caret.center()));
    QTest::keyClick(view.get(), Qt::Key_End);
    QTest::keyClick(view.get(), Qt::Key_Left);
    QTest::keyClick(view.get(), Qt::Key_Left);
    commit(*view, u"工作"_s);
    EXPECT_EQ(shownSlide(*view).title, u"年度工作总结"_s);
    EXPECT_TRUE(view->session().isComplete());
    // Bold from the toolbar still acts on the placeholder with the caret in it.
    EXPECT_EQ(view->session().selectedObject(), u"title"_s);
}

TEST(Typing, ADialogsBoxHasACaretThatTheArrowsMoveAndTypingGoesWhereItStands)
{
    auto view = bankMovie(u"02/25.movie"_s); // 颜色 → 自定义: 红色 204, 绿色 153, 蓝色 255
    MovieSession& session = view->session();
    while (!session.nextAction().startsWith(u"dialog:颜色/红色"_s))
        ASSERT_TRUE(view->performThroughUi(session.nextAction()));
    click(*view, locators::control(u"颜色"_s, u"红色(R)"_s));
    QTest::keyClicks(view.get(), u"24"_s); // replaces the value the click selected
    QTest::keyClick(view.get(), Qt::Key_Left);
    QTest::keyClicks(view.get(), u"0"_s); // 204: taken as it reads what the step asks
    EXPECT_EQ(session.dialog()->value(u"红色(R)"_s), u"204"_s);
    EXPECT_TRUE(session.nextAction().startsWith(u"dialog:颜色/绿色"_s));
    // Backspace takes back the last figure typed.
    click(*view, locators::control(u"颜色"_s, u"绿色(G)"_s));
    QTest::keyClicks(view.get(), u"1539"_s);
    QTest::keyClick(view.get(), Qt::Key_Backspace);
    EXPECT_EQ(session.dialog()->value(u"绿色(G)"_s), u"153"_s);
}

// A later step that sets the slide's shapes whole (the star's fill after 设置自选图形格式) keeps the
// star where the learner drew it, not where the movie did.
TEST(Drawing, AShapeDrawnStaysWhereItWasDrawnWhenALaterStepSetsTheShapes)
{
    auto view = bankMovie(u"03/28.movie"_s);
    MovieSession& session = view->session();
    ASSERT_TRUE(view->performThroughUi(session.nextAction()));
    ASSERT_TRUE(view->performThroughUi(session.nextAction()));
    ASSERT_TRUE(session.drawingToolChosen());
    const QRect slide = where(*view, locators::slideArea());
    drag(*view, slide.topLeft() + QPoint(30, 30), slide.topLeft() + QPoint(110, 110));
    ASSERT_EQ(shownSlide(*view).shapes.size(), 1u);
    const SlideShape drawn = shownSlide(*view).shapes.front();
    ASSERT_LT(drawn.x, 100) << "drawn near the slide's top left, not at the movie's place";
    while (!session.isComplete())
        ASSERT_TRUE(view->performThroughUi(session.nextAction())) << session.nextAction().toStdString();
    const SlideShape& star = shownSlide(*view).shapes.front();
    EXPECT_EQ(star.fill, u"#FF6600"_s);
    EXPECT_NEAR(star.x, drawn.x, 0.1);
    EXPECT_NEAR(star.y, drawn.y, 0.1);
    EXPECT_NEAR(star.w, drawn.w, 0.1);
}

TEST(Typing, AClickInATableCellPutsTheCaretThereAndTabGoesOnToTheNextCell)
{
    auto view = bankMovie(u"05/26.movie"_s); // a table of four rows, three columns on slide 4
    click(*view, locators::thumb(4));
    const QRect table = where(*view, locators::shape(1));
    // Row 2, column 2 ("4").
    QTest::mouseClick(view.get(), Qt::LeftButton, {},
                      QPoint(table.left() + table.width() / 2, table.top() + table.height() * 3 / 8));
    ASSERT_EQ(view->session().typingObject(), u"cell:1/2,2"_s);
    EXPECT_EQ(view->session().selectedObject(), u"shape:1"_s);
    EXPECT_FALSE(askInputMethod(*view, Qt::ImCursorRectangle).toRect().isEmpty());
    QTest::keyClick(view.get(), Qt::Key_End);
    commit(*view, u"课时"_s);
    const QString typed = u"课程|课时|讲师\n企业文化|4课时|王敏\n安全生产|6|李强\n沟通技巧|4|赵丽"_s;
    EXPECT_EQ(shownSlide(*view).shapes[0].text, typed);
    // The cell keeps to one line.
    QTest::keyClick(view.get(), Qt::Key_Return);
    EXPECT_EQ(shownSlide(*view).shapes[0].text, typed);

    // Tab: the next cell, its text selected, so that typing replaces it; Shift+Tab goes back.
    QTest::keyClick(view.get(), Qt::Key_Tab);
    ASSERT_EQ(view->session().typingObject(), u"cell:1/2,3"_s);
    commit(*view, u"张伟"_s);
    EXPECT_TRUE(shownSlide(*view).shapes[0].text.contains(u"企业文化|4|张伟"_s))
        << shownSlide(*view).shapes[0].text.toStdString();
    QTest::keyClick(view.get(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(view->session().typingObject(), u"cell:1/2,2"_s);

    // No step asked for the text: it goes back when the caret leaves.
    QTest::keyClick(view.get(), Qt::Key_Escape);
    EXPECT_FALSE(view->session().typing().has_value());
    EXPECT_EQ(shownSlide(*view).shapes[0].text,
              u"课程|课时|讲师\n企业文化|4|王敏\n安全生产|6|李强\n沟通技巧|4|赵丽"_s);
}

TEST(Typing, TheCaretFollowsVerticalTextAndAnIndentedParagraph)
{
    const QString json =
        uR"j({"format": "pptdrill-movie", "version": 1, "presentation": {"view": "normal", "taskpane": null,
            "slides": [{"layout": "标题和文本", "title": "要点", "body": ["第一级", "\t第二级"],
            "shapes": [{"type": "textbox", "vertical": true, "x": 640, "y": 150, "w": 40, "h": 160,
                        "text": "诚信为本"}]}]},
            "steps": [{"hint": "h", "accept": ["thumb:1"]}]})j"_s;
    auto view = viewOf(parseMovie(json.toUtf8()));
    const auto caret = [&] { return askInputMethod(*view, Qt::ImCursorRectangle).toRect(); };

    // In a vertical text box the caret lies across the column, and goes down it as the text does.
    click(*view, locators::shape(1));
    ASSERT_EQ(view->session().typingObject(), u"shape:1"_s);
    QTest::keyClick(view.get(), Qt::Key_Home);
    const QRect top = caret();
    ASSERT_FALSE(top.isEmpty());
    EXPECT_GT(top.width(), top.height());
    QTest::keyClick(view.get(), Qt::Key_Right);
    const QRect second = caret();
    EXPECT_GT(second.top(), top.top());
    QTest::keyClick(view.get(), Qt::Key_End);
    EXPECT_GT(caret().top(), second.top());
    // A click near the column's foot puts the caret after the last character.
    QTest::keyClick(view.get(), Qt::Key_Home);
    QTest::mouseClick(view.get(), Qt::LeftButton, {},
                      QPoint(top.center().x(), where(*view, locators::shape(1)).bottom() - 4));
    EXPECT_EQ(view->session().typing()->caret(), 4);

    // In the body, the second paragraph's tab makes it a level lower: the caret stands in its
    // text, not a tab's width further on.
    QTest::keyClick(view.get(), Qt::Key_Escape);
    click(*view, locators::placeholder(u"body"_s));
    ASSERT_EQ(view->session().typingObject(), u"body"_s);
    QTest::keyClick(view.get(), Qt::Key_Down);
    QTest::keyClick(view.get(), Qt::Key_Home);
    const QRect home = caret();
    QTest::keyClick(view.get(), Qt::Key_End);
    const QRect end = caret();
    ASSERT_FALSE(end.isEmpty());
    EXPECT_GT(end.left(), home.left());
    EXPECT_EQ(end.top(), home.top());
    EXPECT_EQ(view->session().typing()->caret(), static_cast<int>(u"第一级\n\t第二级"_s.size()));
}
