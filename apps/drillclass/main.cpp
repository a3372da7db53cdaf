// drillclass: the teacher's program. "drillclass --init" sets up the class's
// tables and roles on the server; without it, the class's window opens.
#include "classroom/classroomconfig.h"
#include "classroom/serverconnection.h"
#include "classroom/serverschema.h"
#include "classroom/widgets/classwindow.h"
#include "common/programinfo.h"
#include "platform/widgets/qtmessageboxes.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

using pptdrill::Result;

namespace {

void say(const QString& text, FILE* stream = stdout)
{
    std::fputs(text.toUtf8().constData(), stream);
    std::fputc('\n', stream);
}

// The administrator's connection: the server's local socket as the user who
// runs the command (e.g. "sudo -u postgres drillclass --init"), unless --admin names another.
QString adminConnection(const pptdrill::ClassroomConfig& config, const QString& given)
{
    if (!given.isEmpty())
        return given;
    auto quoted = [](QString value) {
        return u"'"_s + value.replace(u"\\"_s, u"\\\\"_s).replace(u"'"_s, u"\\'"_s) + u"'"_s;
    };
    return u"dbname=%1 port=%2"_s.arg(quoted(config.database)).arg(config.port);
}

int initServer(const pptdrill::ClassroomConfig& config, const QString& admin)
{
    using namespace pptdrill;
    auto connection = ServerConnection::connect(adminConnection(config, admin));
    if (!connection) {
        say(connection.error(), stderr);
        return 1;
    }
    const Result<int> migrated = migrateServerSchema(*connection.value());
    if (!migrated) {
        say(u"建立班级数据表失败：%1"_s.arg(migrated.error()), stderr);
        return 1;
    }
    if (Status roles = setUpClassRoles(*connection.value(), config); !roles) {
        say(u"建立学员和教师的登录用户失败：%1"_s.arg(roles.error()), stderr);
        return 1;
    }
    say(migrated.value() == latestServerSchemaVersion()
            ? u"班级数据表已是第 %1 版，登录用户已更新。"_s.arg(migrated.value())
            : u"班级数据表已从第 %1 版升级到第 %2 版，登录用户已建立。"_s.arg(migrated.value())
                  .arg(latestServerSchemaVersion()));
    return 0;
}

// The options of both ways of running.
struct Options
{
    QStringList files;
    bool init = false;
    QString admin;
};

Options parseOptions(const QCoreApplication& app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(u"班级练习情况（教师用）"_s);
    parser.addHelpOption();
    const QCommandLineOption configOption(u"config"_s, u"班级设置文件"_s, u"file"_s);
    const QCommandLineOption initOption(u"init"_s, u"在服务器上建立或升级班级的数据表和登录用户"_s);
    const QCommandLineOption adminOption(u"admin"_s, u"--init 时管理员的连接（libpq 连接串）"_s,
                                         u"conninfo"_s);
    parser.addOptions({configOption, initOption, adminOption});
    parser.process(app);
    return {parser.isSet(configOption) ? QStringList{parser.value(configOption)}
                                       : pptdrill::classroomConfigFiles(),
            parser.isSet(initOption), parser.value(adminOption)};
}

Result<pptdrill::ClassroomConfig> readConfig(const QStringList& files)
{
    const auto loaded = pptdrill::loadClassroomConfig(files);
    if (!loaded)
        return Result<pptdrill::ClassroomConfig>::failure(loaded.error());
    if (!loaded->has_value())
        return Result<pptdrill::ClassroomConfig>::failure(
            u"没有找到班级设置文件（%1）"_s.arg(files.join(u"、"_s)));
    return loaded->value();
}

} // namespace

int main(int argc, char** argv)
{
    using namespace pptdrill;
    if (const auto answered = answerInformationOption(
            argc, argv, "drillclass",
            u"用法：drillclass [--config 班级设置文件]\n"
            u"      drillclass --init [--config 班级设置文件] [--admin 管理员连接串]\n"
            u"打开班级练习情况窗口（教师用）；--init 在班级的 PostgreSQL 服务器上建立或升级数据表和登录用户。\n"_s))
        return *answered;
    // The set-up runs on a server without a display.
    bool init = false;
    for (int i = 1; i < argc; ++i)
        init = init || qstrcmp(argv[i], "--init") == 0;
    if (init) {
        QCoreApplication app(argc, argv);
        const Options options = parseOptions(app);
        const auto config = readConfig(options.files);
        if (!config) {
            say(config.error(), stderr);
            return 2;
        }
        return initServer(config.value(), options.admin);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(u"drillclass"_s);
    setUpWindowProgram(app);
    const Options options = parseOptions(app);
    auto config = readConfig(options.files);
    Status usable = config ? checkTeacherConfig(config.value()) : Status::failure(config.error());
    if (!usable) {
        msgBox(usable.error(), MessageIcon::Critical);
        return 2;
    }
    ClassWindow window(config.value());
    window.load();
    window.show();
    return app.exec();
}
