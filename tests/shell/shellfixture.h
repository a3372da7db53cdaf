#pragma once

#include "db/database.h"
#include "platform/programfolder.h"
#include "shell/widgets/controls.h"
#include "shell/forms.h"
#include "shell/widgets/formtimer.h"
#include "shell/programend.h"
#include "shell/programstate.h"
#include "shell/questionbar.h"
#include "shell/widgets/screen.h"
#include "shell/singleinstance.h"
#include "tests/channel/privateruntime.h"
#include "tests/support/testdb.h"
#include "tests/support/testsupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

namespace pptdrill::test {

using namespace Qt::Literals::StringLiterals;

// The test bank: three questions of set 1 with movies, two of set 11 (the
// second sprint set), two wrong questions in set 2; set 5 has none.
inline QString shellTemplateDatabase()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString file = dir.filePath(u"stdata.db"_s);
        auto conn = createTestDatabase(file);
        for (int n = 1; n <= 3; ++n)
            addBankRow(*conn, u"第1套题"_s, n, 0, "movie of set 1 question " + QByteArray::number(n));
        addBankRow(*conn, u"第2套题"_s, 1, 1);
        addBankRow(*conn, u"第2套题"_s, 2, 1);
        addBankRow(*conn, u"第11套题"_s, 1, 0, "sprint movie");
        addBankRow(*conn, u"第11套题"_s, 2);
        conn->close();
        return file;
    }();
    return path;
}

// A main program inside the test: its own program folder with a copy of the
// test bank, its own runtime folder, a screen of any size, manual timers, the
// end of the program and the question bar observed instead of happening.
class ShellTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FormTimer::setManual(true);
        setProgramEndHandler([this](int code) { endedWith = code; });
        setScreenSizeSource([this] { return screen; });
        setQuestionBarHandler([this] { ++questionBarShown; });
        ASSERT_TRUE(QFile::copy(shellTemplateDatabase(), folder.file(u"stdata.db"_s)));
        QFile completed(folder.file(u"completed.swf"_s));
        ASSERT_TRUE(completed.open(QIODevice::WriteOnly));
        completed.write("completion movie");
        completed.close();
        setProgramFolderForTesting(folder.path());
        setname.clear();
        randomdraw = false;
        exammode = false;
        seatno.clear();
        idno.clear();
        coursetitle.clear();
    }

    void TearDown() override
    {
        stzrForm.discard();
        zctestForm.discard();
        testloginForm.discard();
        indexForm.discard();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (dbconn)
            dbconn->close();
        releaseSingleInstance();
        setProgramFolderForTesting(QString());
        setQuestionBarHandler({});
        setScreenSizeSource({});
        setProgramEndHandler({});
        FormTimer::setManual(false);
    }

    std::shared_ptr<Connection> openTestDatabase()
    {
        auto conn = Connection::open(folder.file(u"stdata.db"_s), databasePassword());
        EXPECT_TRUE(conn.ok()) << conn.error().toStdString();
        return conn ? conn.value() : nullptr;
    }

    int rowsOf(const QString& table)
    {
        auto conn = openTestDatabase();
        const int count = conn ? countRows(conn, table) : -1;
        if (conn)
            conn->close();
        return count;
    }

    // Runs queued work (the backdrop's activation) and deferred deletes.
    static void settle()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The menu, loaded and shown as at start-up.
    IndexForm* startMenu()
    {
        IndexForm* menu = indexForm.get();
        EXPECT_TRUE(menu->Load());
        menu->show();
        return menu;
    }

    // Fills in the login and clicks "登  陆"; the exam-mode question gets `answer`.
    void logIn(const QString& seat, const QString& identity, MessageAnswer answer = MessageAnswer::No)
    {
        ZctestForm* login = zctestForm.get();
        login->Text1()->setText(seat);
        login->Text2()->setText(identity);
        boxes.answers.push_back(answer);
        login->PushButton1()->click();
    }

    PrivateRuntimeFolder runtime;
    TempProgramFolder folder;
    FakeMessageBoxes boxes;
    QSize screen{1024, 768};
    std::optional<int> endedWith;
    int questionBarShown = 0;
};

} // namespace pptdrill::test
