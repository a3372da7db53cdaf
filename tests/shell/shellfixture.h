#pragma once

#include "db/database.h"
#include "platform/programfolder.h"
#include "platform/widgets/inputmethods.h"
#include "shell/programend.h"
#include "shell/singleinstance.h"
#include "shell/widgets/controls.h"
#include "shell/widgets/formtimer.h"
#include "shell/widgets/screen.h"
#include "shell/widgets/trainer.h"
#include "tests/channel/privateruntime.h"
#include "tests/support/testdb.h"
#include "tests/support/testsupport.h"
#include "tests/support/windowfakes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <functional>
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

// The recorded player, with a look at the program at the moment it starts.
class WatchedPlayerProcesses : public RecordingPlayerProcesses
{
public:
    bool start(const QString& program, const QStringList& arguments) override
    {
        if (onStart)
            onStart();
        return RecordingPlayerProcesses::start(program, arguments);
    }
    std::function<void()> onStart;
};

// A main program inside the test: a fresh trainer with its own program folder
// holding a copy of the test bank, its own runtime folder, a screen of any
// size, manual timers, a recorded player and fake input methods; the end of
// the program is observed instead of happening.
class ShellTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FormTimer::setManual(true);
        setProgramEndHandler([this](int code) { endedWith = code; });
        setScreenSizeSource([this] { return screen; });
        trainer.setPlayerProcesses(&player);
        setInputMethodsForTesting(&methods);
        ASSERT_TRUE(QFile::copy(shellTemplateDatabase(), folder.file(u"stdata.db"_s)));
        QFile completed(folder.file(u"completed.swf"_s));
        ASSERT_TRUE(completed.open(QIODevice::WriteOnly));
        completed.write("completion movie");
        completed.close();
        setProgramFolderForTesting(folder.path());
    }

    void TearDown() override
    {
        trainer.discardWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        releaseSingleInstance();
        setProgramFolderForTesting(QString());
        setInputMethodsForTesting(nullptr);
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

    // How many of this process's open files are `path`: an open connection
    // holds its database file.
    static int openDescriptorsOn(const QString& path)
    {
        const QString file = QFileInfo(path).canonicalFilePath();
        int count = 0;
        for (const QFileInfo& fd : QDir(u"/proc/self/fd"_s).entryInfoList(QDir::System | QDir::Files))
            count += fd.symLinkTarget() == file ? 1 : 0;
        return count;
    }

    // Runs queued work (the backdrop's activation) and deferred deletes.
    static void settle()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The menu, loaded and shown as at start-up.
    MainMenu* startMenu()
    {
        MainMenu* menu = trainer.mainMenu().get();
        EXPECT_TRUE(menu->load());
        menu->show();
        return menu;
    }

    // Fills in the login and clicks "登  陆"; the exam-mode question gets `answer`.
    void logIn(const QString& seat, const QString& identity, MessageAnswer answer = MessageAnswer::No)
    {
        LoginDialog* login = trainer.loginDialog().get();
        login->seatBox()->setText(seat);
        login->identityBox()->setText(identity);
        boxes.answers.push_back(answer);
        login->loginButton()->click();
    }

    // The paper went to the question bar: it is loaded and has started the
    // player on question 1.
    bool questionBarShown()
    {
        return trainer.questionBar().isLoaded() && !player.events.empty() &&
               player.events.back().startsWith(u"start "_s) && player.events.back().endsWith(u"&1"_s);
    }

    PrivateRuntimeFolder runtime;
    TempProgramFolder folder;
    FakeMessageBoxes boxes;
    WatchedPlayerProcesses player;
    FakeInputMethods methods;
    QSize screen{1024, 768};
    std::optional<int> endedWith;
    // Last, so that its windows go before the fakes they use.
    Trainer trainer;
};

} // namespace pptdrill::test
