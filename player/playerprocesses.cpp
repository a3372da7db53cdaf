#include "player/playerprocesses.h"

#include "platform/messagebox.h"
#include "platform/processes.h"
#include "platform/programfolder.h"

#include <QCoreApplication>
#include <QProcess>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

void PlayerProcesses::stopRunningPlayer()
{
    pptdrill::stopRunningPlayer();
}

bool PlayerProcesses::start(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kTrainerPidVariable),
                       QString::number(QCoreApplication::applicationPid()));
    environment.insert(QString::fromLatin1(kExamModeVariable), m_examMode ? u"1"_s : u"0"_s);
    if (m_reviewStem.isEmpty())
        environment.remove(QString::fromLatin1(kReviewStemVariable));
    else
        environment.insert(QString::fromLatin1(kReviewStemVariable), m_reviewStem);
    process.setProcessEnvironment(environment);
    return process.startDetached();
}

bool PlayerProcesses::startCommand(const QString& commandLine)
{
    const QString program = commandLine.section(u' ', 0, 0);
    if (program.isEmpty())
        return false;
    const QString path = programFolder() + u'/' + program;
    QStringList arguments;
    if (commandLine.contains(u' '))
        arguments << commandLine.section(u' ', 1);
    if (start(path, arguments))
        return true;
    msgBox(u"无法启动试题播放程序：%1"_s.arg(path), MessageIcon::Critical);
    return false;
}

} // namespace pptdrill
