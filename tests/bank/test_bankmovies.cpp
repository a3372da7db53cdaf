#include "bank/banksource.h"
#include "movie/kitcatalog.h"
#include "movie/widgets/kitview.h"
#include "movie/moviesession.h"
#include "tests/support/testsupport.h"

#include <QFile>
#include <QTest>
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
                    ASSERT_TRUE(view->performThroughUi(action))
                        << bm.where.toStdString() << ", step " << j + 1 << ": " << action.toStdString();
                }
                EXPECT_TRUE(view->session().isComplete()) << bm.where.toStdString();
            }
        }
    }
}

// How many of the bank's menu steps (steps that take a menu command) also take
// another way the real program offers: a second menu path, or another kind of
// way (toolbar, context menu, shortcut, double-click, task pane). A report of
// figures for whoever audits the bank, not a check.
TEST(BankMovies, WaysReport)
{
    static const QStringList otherKinds{u"toolbar"_s, u"context"_s, u"key"_s, u"dblclick"_s, u"taskpane"_s};
    int menuSteps = 0, anotherWay = 0, anotherKind = 0;
    for (const BankMovie& bm : shippedMovies()) {
        for (const MovieStep& step : bm.movie.steps) {
            int menus = 0;
            bool other = false;
            for (const QString& way : step.accept) {
                const QString kind = way.section(u':', 0, 0);
                menus += kind == u"menu"_s;
                other = other || otherKinds.contains(kind);
            }
            if (menus == 0)
                continue;
            ++menuSteps;
            anotherWay += other || menus > 1;
            anotherKind += other;
        }
    }
    ASSERT_GT(menuSteps, 0);
    std::printf("menu steps: %d\n"
                "  taking another way:          %d (%.0f%%)\n"
                "  taking another kind of way:  %d (%.0f%%)\n",
                menuSteps, anotherWay, 100.0 * anotherWay / menuSteps, anotherKind,
                100.0 * anotherKind / menuSteps);
}

TEST(BankMovies, AWrongActionDoesNotAdvance)
{
    const QStringList wrongs{u"key:F12"_s, u"thumb:1"_s,
                             u"menu:帮助(H)/关于 Microsoft Office PowerPoint(A)"_s, u"toolbar:新建"_s};
    for (const BankMovie& bm : shippedMovies()) {
        MovieSession s(bm.movie, KitCatalog::instance());
        for (int step = 0; !s.isComplete(); ++step) {
            for (const QString& wrong : wrongs) {
                if (s.currentStep()->accept.contains(wrong))
                    continue;
                EXPECT_FALSE(s.perform(wrong)) << bm.where.toStdString() << ", step " << step + 1;
            }
            ASSERT_TRUE(s.perform(s.nextAction()));
        }
    }
}

TEST(BankMovies, TheDemonstrationCompletesThroughTheWindow)
{
    for (const BankMovie& bm : shippedMovies()) {
        auto view = viewOf(bm.movie);
        view->startDemonstration();
        QTRY_VERIFY_WITH_TIMEOUT(!view->isDemonstrating(), 20000);
        EXPECT_TRUE(view->session().isComplete()) << bm.where.toStdString();
        EXPECT_EQ(view->demonstrationShortcuts(), 0) << bm.where.toStdString();
    }
}
