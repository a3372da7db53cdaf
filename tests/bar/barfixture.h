#pragma once

#include "bar/widgets/baricon.h"
#include "bar/widgets/questionbar.h"
#include "cipher/textfields.h"
#include "db/database.h"
#include "platform/programfolder.h"
#include "platform/steadyclock.h"
#include "platform/widgets/inputmethods.h"
#include "shell/programend.h"
#include "shell/widgets/formtimer.h"
#include "shell/widgets/trainer.h"
#include "tests/channel/privateruntime.h"
#include "tests/support/testdb.h"
#include "tests/support/testsupport.h"
#include "tests/support/windowfakes.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <optional>

namespace pptdrill::test {

using namespace Qt::Literals::StringLiterals;

struct PaperRow
{
    QString type = u"5"_s;
    QString stem;
    int done = 0;
};

// A loaded question bar of a trainer of the test's own, over a paper of the
// test's own in a private program folder, with the player, the input methods
// and the exam clock's time faked.
class BarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FormTimer::setManual(true);
        setProgramEndHandler([this](int code) { endedWith = code; });
        setProgramFolderForTesting(folder.path());
        setInputMethodsForTesting(&methods);
        setSteadyClockForTesting(&clock);
        trainer.setPlayerProcesses(&player);
    }

    void TearDown() override
    {
        trainer.discardWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        trainer.session().paper().reset();
        setInputMethodsForTesting(nullptr);
        setSteadyClockForTesting(nullptr);
        setProgramFolderForTesting(QString());
        setProgramEndHandler({});
        FormTimer::setManual(false);
    }

    // Writes the paper table; returns the stids in paper order.
    std::vector<qint64> writePaper(const std::vector<PaperRow>& rows)
    {
        auto conn = createTestDatabase(folder.file(u"stdata.db"_s));
        std::vector<qint64> ids;
        auto rs = Recordset::open(conn, u"select * from st"_s);
        EXPECT_TRUE(rs.ok());
        for (const PaperRow& row : rows) {
            rs->addNew();
            EXPECT_TRUE(rs->setField(u"题型"_s, row.type).ok());
            EXPECT_TRUE(rs->setField(u"题干"_s, encryptTextToHex(row.stem)).ok());
            EXPECT_TRUE(rs->setField(u"是否已做"_s, row.done).ok());
            EXPECT_TRUE(rs->update().ok());
            ids.push_back(rs->field(u"stid"_s).value().toLongLong());
        }
        rs->close();
        conn->close();
        return ids;
    }

    QuestionBar* loadBar(int questions)
    {
        std::vector<PaperRow> rows(questions);
        for (int i = 0; i < questions; ++i)
            rows[i].stem = u"第%1题的题干"_s.arg(i + 1);
        stids = writePaper(rows);
        return showBar();
    }

    QuestionBar* showBar()
    {
        trainer.showQuestionBar();
        return trainer.questionBar().loaded();
    }

    // What a move to paper position n must do to the player.
    std::vector<QString> restartOn(int n) const
    {
        return {u"stop"_s, u"start "_s + folder.path() + u"/drillplay "_s + QString::number(stids.at(n - 1)) +
                               u'&' + QString::number(n)};
    }
    // One second of the exam: the time passes and the clock's timer ticks.
    void tick(QuestionBar* bar, int times)
    {
        for (int i = 0; i < times; ++i) {
            clock.advance(std::chrono::seconds(1));
            bar->clockTimer()->tick();
        }
    }

    std::vector<QString> takeEvents()
    {
        std::vector<QString> events;
        events.swap(player.events);
        return events;
    }

    ExamSession& session() { return trainer.session(); }

    PrivateRuntimeFolder runtime;
    TempProgramFolder folder;
    FakeMessageBoxes boxes;
    RecordingPlayerProcesses player;
    FakeInputMethods methods;
    FakeSteadyClock clock;
    std::vector<qint64> stids;
    std::optional<int> endedWith;
    // Last, so that its windows go before the fakes they use.
    Trainer trainer;
};

} // namespace pptdrill::test
