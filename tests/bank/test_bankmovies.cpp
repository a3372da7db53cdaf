#include "bank/banksource.h"
#include "movie/kit/kitcatalog.h"
#include "movie/kit/locators.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/window/kitview.h"
#include "tests/support/testsupport.h"

#include <QFile>
#include <QImage>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

namespace {

struct BankMovie
{
    QString where;
    Movie movie;
};

// The shipped bank, or another one named by PPTDRILL_BANK_DIR (for checking a
// bank in the making).
QString bankFolder()
{
    const QString other = qEnvironmentVariable("PPTDRILL_BANK_DIR");
    return other.isEmpty() ? sourceFolder() + u"/bank"_s : other;
}

std::vector<BankMovie> shippedMovies()
{
    std::vector<BankMovie> out;
    auto sets = readBankFolder(bankFolder());
    EXPECT_TRUE(sets.ok()) << sets.error().toStdString();
    for (const BankSet& set : sets.value()) {
        for (const BankQuestion& q : set.questions) {
            if (q.moviePath.isEmpty())
                continue;
            auto movie = loadMovieFile(q.moviePath);
            EXPECT_TRUE(movie.ok()) << q.moviePath.toStdString() << ": " << movie.error().toStdString();
            if (movie)
                out.push_back({u"%1 第%2题"_s.arg(set.name).arg(q.number), movie.value()});
        }
    }
    return out;
}

std::unique_ptr<KitView> viewOf(const Movie& movie)
{
    auto view = std::make_unique<KitView>(std::make_unique<MovieSession>(movie, KitCatalog::instance()));
    view->setPace(0);
    return view;
}

} // namespace

TEST(BankMovies, EveryQuestionHasAMovie)
{
    auto sets = readBankFolder(bankFolder());
    ASSERT_TRUE(sets.ok());
    for (const BankSet& set : sets.value()) {
        for (const BankQuestion& q : set.questions)
            EXPECT_FALSE(q.moviePath.isEmpty()) << set.name.toStdString() << " " << q.number;
    }
}

TEST(BankMovies, EveryAcceptedWayCanBeClickedThroughTheWindow)
{
    for (const BankMovie& bm : shippedMovies()) {
        const Movie& m = bm.movie;
        for (size_t i = 0; i < m.steps.size(); ++i) {
            for (const QString& way : m.steps[i].accept) {
                auto view = viewOf(m);
                for (size_t j = 0; j < m.steps.size(); ++j) {
                    const QString action = j == i ? way : m.steps[j].accept.first();
                    // A value the window already holds when its step comes is done without an action.
                    if (view->session().steps().isDone(StepTaking{-1, static_cast<int>(j)}))
                        continue;
                    ASSERT_TRUE(view->performThroughUi(action))
                        << bm.where.toStdString() << ", step " << j + 1 << ": " << action.toStdString();
                }
                EXPECT_TRUE(view->session().isComplete()) << bm.where.toStdString();
            }
        }
    }
}

TEST(BankMovies, EveryOtherWayOfARunCanBeClickedThroughTheWindow)
{
    for (const BankMovie& bm : shippedMovies()) {
        auto session = std::make_unique<MovieSession>(bm.movie, KitCatalog::instance());
        const Movie& m = session->movie(); // with the ways the session finds for itself
        for (const MovieWay& way : m.ways) {
            for (size_t i = 0; i < way.steps.size(); ++i) {
                for (const QString& action : way.steps[i].accept) {
                    auto view = viewOf(bm.movie);
                    const int w = static_cast<int>(&way - m.ways.data());
                    std::vector<std::pair<StepTaking, QString>> actions;
                    for (int j = 0; j < way.from; ++j)
                        actions.push_back({{-1, j}, m.steps[static_cast<size_t>(j)].accept.first()});
                    for (size_t j = 0; j < way.steps.size(); ++j)
                        actions.push_back(
                            {{w, static_cast<int>(j)}, j == i ? action : way.steps[j].accept.first()});
                    for (size_t j = static_cast<size_t>(way.from + way.count); j < m.steps.size(); ++j)
                        actions.push_back({{-1, static_cast<int>(j)}, m.steps[j].accept.first()});
                    for (const auto& [step, a] : actions) {
                        if (view->session().steps().isDone(step))
                            continue;
                        ASSERT_TRUE(view->performThroughUi(a))
                            << bm.where.toStdString() << ", way “" << way.name.toStdString()
                            << "”: " << a.toStdString();
                    }
                    EXPECT_TRUE(view->session().isComplete()) << bm.where.toStdString();
                }
            }
        }
    }
}

// How many of the bank's menu steps (steps that take a menu command) also take
// another way the real program offers: a second menu path, another kind of
// way (toolbar, context menu, shortcut, double-click, task pane), or a whole
// other sequence of steps. The menu steps of those other sequences count too:
// the movie's own steps are their other way. A report of figures for whoever
// audits the bank, not a check.
TEST(BankMovies, WaysReport)
{
    static const QStringList otherKinds{u"toolbar"_s, u"context"_s, u"key"_s, u"dblclick"_s, u"taskpane"_s};
    int menuSteps = 0, anotherWay = 0, anotherKind = 0, anotherSequence = 0, ways = 0;
    auto count = [&](const MovieStep& step, bool inARunWithAnotherWay) {
        int menus = 0;
        bool other = false;
        for (const QString& way : step.accept) {
            const QString kind = way.section(u':', 0, 0);
            menus += kind == u"menu"_s;
            other = other || otherKinds.contains(kind);
        }
        if (menus == 0)
            return;
        ++menuSteps;
        anotherWay += other || menus > 1 || inARunWithAnotherWay;
        anotherKind += other;
        anotherSequence += inARunWithAnotherWay;
    };
    for (const BankMovie& bm : shippedMovies()) {
        const MovieSession session(bm.movie, KitCatalog::instance());
        const Movie& m = session.movie();
        ways += static_cast<int>(m.ways.size());
        for (size_t i = 0; i < m.steps.size(); ++i) {
            const bool inRun = std::any_of(m.ways.begin(), m.ways.end(), [&](const MovieWay& w) {
                return static_cast<int>(i) >= w.from && static_cast<int>(i) < w.from + w.count;
            });
            count(m.steps[i], inRun);
        }
        for (const MovieWay& way : m.ways) {
            for (const MovieStep& step : way.steps)
                count(step, true);
        }
    }
    ASSERT_GT(menuSteps, 0);
    std::printf("other ways of runs of steps: %d\n"
                "menu steps: %d\n"
                "  taking another way:          %d (%.0f%%)\n"
                "  taking another kind of way:  %d (%.0f%%)\n"
                "  in a run with another way:   %d (%.0f%%)\n",
                ways, menuSteps, anotherWay, 100.0 * anotherWay / menuSteps, anotherKind,
                100.0 * anotherKind / menuSteps, anotherSequence, 100.0 * anotherSequence / menuSteps);
}

TEST(BankMovies, AWrongActionDoesNotAdvance)
{
    const QStringList wrongs{u"key:F12"_s, u"thumb:1"_s,
                             u"menu:帮助(H)/关于 Microsoft Office PowerPoint(A)"_s, u"toolbar:新建"_s};
    for (const BankMovie& bm : shippedMovies()) {
        MovieSession s(bm.movie, KitCatalog::instance());
        for (int step = 0; !s.isComplete(); ++step) {
            const int before = s.stepIndex();
            for (const QString& wrong : wrongs) {
                if (s.accepts(wrong))
                    continue;
                EXPECT_FALSE(s.perform(wrong)) << bm.where.toStdString() << ", step " << step + 1;
                EXPECT_LE(s.stepIndex(), before) << bm.where.toStdString() << ", step " << step + 1;
            }
            // Slide 1 looked at: the clicks that chose the task's slide are wanted again.
            for (int again = 0; again < 10 && s.stepIndex() < before; ++again)
                ASSERT_TRUE(s.perform(s.nextAction())) << bm.where.toStdString() << ", step " << step + 1;
            ASSERT_EQ(s.stepIndex(), before) << bm.where.toStdString() << ", step " << step + 1;
            ASSERT_TRUE(s.perform(s.nextAction()));
        }
    }
}

namespace {

// The row of 自定义动画's list a learner acts on: the chosen one, else the first effect's.
std::optional<QRect> effectRow(KitView& view)
{
    const MovieSession& session = view.session();
    const KitControl* list = effectList(session.kit(), session.taskPane());
    if (!list)
        return std::nullopt;
    QString item = session.taskPane().value(list->id);
    if (session.chosenEffect() < 0) {
        const QStringList items = session.itemsOf(*list, session.taskPane());
        item = items.value(0).startsWith(u"触发器"_s) ? items.value(1) : items.value(0);
    }
    return view.locate(locators::item(session.taskPane().name, list->id, item));
}

// The first command of the effect's menu that a step accepts, empty for none.
QString effectMenuCommand(const MovieStep& step)
{
    const KitForm* pane = KitCatalog::instance().taskPane(u"自定义动画"_s);
    for (const QString& action : step.accept) {
        const auto t = KitCatalog::instance().resolve(action);
        if (t && t->control && t->form == pane->name && !t->hasValue && t->control->under == u"动画列表"_s)
            return t->control->id;
    }
    return {};
}

} // namespace

TEST(BankMovies, TheEffectsCommandsAlsoGoByARightClickOrADoubleClickOnItsRow)
{
    int steps = 0;
    for (const BankMovie& bm : shippedMovies()) {
        const Movie& m = bm.movie;
        for (size_t i = 0; i < m.steps.size(); ++i) {
            const QString command = effectMenuCommand(m.steps[i]);
            if (command.isEmpty())
                continue;
            ++steps;
            const bool opensOptions = m.steps[i].accept.contains(u"taskpane:自定义动画/效果选项(E)..."_s);
            for (const bool byDoubleClick : {false, true}) {
                if (byDoubleClick && !opensOptions)
                    continue;
                auto view = viewOf(m);
                for (size_t j = 0; j < i; ++j) {
                    if (view->session().steps().isDone(StepTaking{-1, static_cast<int>(j)}))
                        continue;
                    ASSERT_TRUE(view->performThroughUi(m.steps[j].accept.first())) << bm.where.toStdString();
                }
                const auto row = effectRow(*view);
                ASSERT_TRUE(row.has_value()) << bm.where.toStdString() << ", step " << i + 1;
                if (byDoubleClick) {
                    view->clickAt(row->center());
                    view->clickAt(row->center(), Qt::LeftButton, true);
                } else {
                    view->clickAt(row->center(), Qt::RightButton);
                    const auto item =
                        view->locate(locators::paneItem({u"自定义动画"_s, u"动画列表"_s, command}));
                    ASSERT_TRUE(item.has_value()) << bm.where.toStdString() << ", step " << i + 1;
                    view->clickAt(item->center());
                }
                EXPECT_GT(view->session().stepIndex(), static_cast<int>(i))
                    << bm.where.toStdString() << ", step " << i + 1
                    << (byDoubleClick ? " (double-click)" : "");
            }
        }
    }
    EXPECT_GE(steps, 20);
}

TEST(BankMovies, TheDemonstrationCompletesThroughTheWindow)
{
    for (const BankMovie& bm : shippedMovies()) {
        auto view = viewOf(bm.movie);
        view->startDemonstration();
        QTRY_VERIFY_WITH_TIMEOUT(!view->demonstration().isRunning(), 20000);
        EXPECT_TRUE(view->session().isComplete()) << bm.where.toStdString();
        EXPECT_EQ(view->demonstration().shortcuts(), 0) << bm.where.toStdString();
    }
}

namespace {

// The window as it shows `presentation`, with nothing open over it, nothing
// selected on the slide and the task pane as it opens.
QImage windowPicture(const Movie& movie, const Presentation& presentation)
{
    Movie still = movie;
    still.presentation = presentation;
    still.steps.clear();
    still.ways.clear();
    KitView view(std::make_unique<MovieSession>(still, KitCatalog::instance()));
    view.resize(800, 600);
    return view.grab().toImage();
}

bool sameContent(Presentation a, const Presentation& b)
{
    a.view = b.view;
    a.selected = b.selected;
    a.taskpane = b.taskpane;
    return a == b;
}

// A task that opens a slide by a double-click (in 幻灯片浏览) has that slide on
// view as its result; any other task only works on the slides it selects.
bool opensASlide(const Movie& movie)
{
    return std::any_of(movie.steps.begin(), movie.steps.end(), [](const MovieStep& step) {
        const ActionParts a = parseAction(step.accept.first());
        return a.kind == ActionParts::DoubleClick && a.slide > 0;
    });
}

// The window to hold the end against: the start's content on the slide the
// end shows (selecting a slide is no result). A task that changes the content
// must show the change in the view and pane the end has. One that changes none
// must show it in the view or pane its last step brings: a pane or view opened
// on the way to a dialog (自定义动画 before 效果选项) is not the result, nor is
// a view left and come back to (a master view closed again).
Presentation startAsTheEndShowsIt(const Movie& movie, const Presentation& beforeLastStep,
                                  const Presentation& end)
{
    const Presentation& start = movie.presentation;
    Presentation before = start;
    if (!opensASlide(movie))
        before.selected = std::min<int>(end.selected, static_cast<int>(start.slides.size()));
    const bool backWhereItStarted = end.view == start.view && end.taskpane == start.taskpane;
    const Presentation& framing = !sameContent(start, end) ? end
                                  : backWhereItStarted     ? start
                                                           : beforeLastStep;
    before.view = framing.view;
    before.taskpane = framing.taskpane;
    return before;
}

} // namespace

TEST(BankMovies, EveryResultShowsInTheWindow)
{
    int shown = 0, unseen = 0, unseenButChanged = 0;
    for (const BankMovie& bm : shippedMovies()) {
        const Movie& m = bm.movie;
        MovieSession s(m, KitCatalog::instance());
        Presentation beforeLastStep = s.presentation();
        while (!s.isComplete()) {
            if (s.stepIndex() == s.steps().count() - 1)
                beforeLastStep = s.presentation();
            ASSERT_TRUE(s.perform(s.nextAction())) << bm.where.toStdString();
        }
        const Presentation& end = s.presentation();
        const bool changed =
            windowPicture(m, startAsTheEndShowsIt(m, beforeLastStep, end)) != windowPicture(m, end);
        if (!m.unseen.isEmpty()) {
            ++unseen;
            // Not a fault of the movie: the simulation shows more than the real program does.
            if (changed) {
                ++unseenButChanged;
                std::printf("unseen, yet the window changes: %s [%s]\n", qPrintable(bm.where),
                            qPrintable(m.source));
            }
            continue;
        }
        shown += changed;
        EXPECT_TRUE(changed) << bm.where.toStdString() << " [" << m.source.toStdString()
                             << "]: the window looks as it did at the start; it should show: "
                             << m.shows.toStdString();
    }
    std::printf("results shown in the window: %d; unseen, as in the real program: %d "
                "(of which the window changes anyway: %d)\n",
                shown, unseen, unseenButChanged);
}
