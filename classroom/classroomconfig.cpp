#include "classroom/classroomconfig.h"

#include <QFile>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

QStringList classroomConfigFiles()
{
    QStringList files{u"/etc/pptdrill/classroom.conf"_s};
    const QString userConfig = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (!userConfig.isEmpty())
        files << userConfig + u"/pptdrill/classroom.conf"_s;
    return files;
}

bool isKnownSslMode(const QString& mode)
{
    static const QStringList modes{u"disable"_s, u"allow"_s,     u"prefer"_s,
                                   u"require"_s, u"verify-ca"_s, u"verify-full"_s};
    return modes.contains(mode);
}

namespace {

Status applyLine(ClassroomConfig& config, const QString& fileName, int lineNo, const QString& line)
{
    const QString text = line.trimmed();
    if (text.isEmpty() || text.startsWith(u'#') || text.startsWith(u';'))
        return {};
    const qsizetype equals = text.indexOf(u'=');
    if (equals <= 0)
        return Status::failure(u"班级设置文件“%1”第 %2 行应为“名称 = 值”"_s.arg(fileName).arg(lineNo));
    const QString key = text.left(equals).trimmed().toLower();
    const QString value = text.mid(equals + 1).trimmed();
    if (key == u"host"_s) {
        config.host = value;
    } else if (key == u"port"_s) {
        bool ok = false;
        const int port = value.toInt(&ok);
        if (!ok || port <= 0 || port > 65535)
            return Status::failure(u"班级设置文件“%1”第 %2 行的端口号无效"_s.arg(fileName).arg(lineNo));
        config.port = port;
    } else if (key == u"database"_s) {
        config.database = value;
    } else if (key == u"class"_s) {
        config.className = value;
    } else if (key == u"user"_s) {
        config.learnerUser = value;
    } else if (key == u"password"_s) {
        config.learnerPassword = value;
    } else if (key == u"teacher_user"_s) {
        config.teacherUser = value;
    } else if (key == u"teacher_password"_s) {
        config.teacherPassword = value;
    } else if (key == u"sslmode"_s) {
        if (!isKnownSslMode(value))
            return Status::failure(
                u"班级设置文件“%1”第 %2 行的加密方式（sslmode）无效"_s.arg(fileName).arg(lineNo));
        config.sslMode = value;
    }
    // Unknown keys are left for later versions.
    return {};
}

} // namespace

Result<std::optional<ClassroomConfig>> loadClassroomConfig(const QStringList& files)
{
    using R = Result<std::optional<ClassroomConfig>>;
    ClassroomConfig config;
    bool found = false;
    for (const QString& fileName : files) {
        QFile file(fileName);
        if (!file.exists())
            continue;
        found = true;
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return R::failure(u"无法读取班级设置文件“%1”"_s.arg(fileName));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
        for (int i = 0; i < lines.size(); ++i) {
            if (Status s = applyLine(config, fileName, i + 1, lines[i]); !s)
                return R::failure(s.error());
        }
    }
    if (!found)
        return std::optional<ClassroomConfig>();
    if (config.database.isEmpty() || config.className.isEmpty())
        return R::failure(u"班级设置不完整：需要数据库（database）和班级（class）"_s);
    return std::optional<ClassroomConfig>(config);
}

Status checkLearnerConfig(const ClassroomConfig& config)
{
    if (config.learnerUser.isEmpty())
        return Status::failure(u"班级设置不完整：需要学员的用户（user）"_s);
    return {};
}

Status checkTeacherConfig(const ClassroomConfig& config)
{
    if (config.teacherUser.isEmpty())
        return Status::failure(u"班级设置不完整：需要教师的用户（teacher_user）"_s);
    return {};
}

} // namespace pptdrill
