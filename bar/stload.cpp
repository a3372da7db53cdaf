#include "bar/stload.h"

#include "platform/messagebox.h"
#include "platform/processes.h"
#include "platform/programfolder.h"
#include "shell/controls.h"
#include "shell/programend.h"
#include "shell/programstate.h"

#include <QLinearGradient>
#include <QPainter>
#include <QProcess>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

PlayerProcesses g_realProcesses;
PlayerProcesses* g_processes = &g_realProcesses;
FormVariable<StloadForm> stloadForm;

QPixmap loadingPicture()
{
    QPixmap picture(240, 90);
    QPainter painter(&picture);
    QLinearGradient fill(0, 0, 0, 90);
    fill.setColorAt(0, QColor(0x2b, 0x57, 0x9a));
    fill.setColorAt(1, QColor(0x1b, 0x3a, 0x6b));
    painter.fillRect(picture.rect(), fill);
    painter.setPen(Qt::white);
    painter.setFont(songFont(12));
    painter.drawText(picture.rect(), Qt::AlignCenter, u"试题加载中，请稍候……"_s);
    return picture;
}

} // namespace

void PlayerProcesses::stopRunningPlayer()
{
    pptdrill::stopRunningPlayer();
}

bool PlayerProcesses::start(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

PlayerProcesses& playerProcesses()
{
    return *g_processes;
}

void setPlayerProcessesForTesting(PlayerProcesses* processes)
{
    g_processes = processes ? processes : &g_realProcesses;
}

bool startPlayerCommand(const QString& commandLine)
{
    const QString program = commandLine.section(u' ', 0, 0);
    if (program.isEmpty())
        return false;
    const QString path = programFolder() + u'/' + program;
    QStringList arguments;
    if (commandLine.contains(u' '))
        arguments << commandLine.section(u' ', 1);
    if (playerProcesses().start(path, arguments))
        return true;
    msgBox(u"无法启动试题播放程序：%1"_s.arg(path), MessageIcon::Critical);
    return false;
}

StloadForm::StloadForm() : Form(u"stload"_s)
{
    setWindowTitle(u"试题加载窗"_s);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    const QPixmap picture = loadingPicture();
    new Image(this, u"picture"_s, picture);
    setFixedSize(picture.size());
}

void StloadForm::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        activate();
    }
}

void StloadForm::activate()
{
    move(0, 0);
    playerProcesses().stopRunningPlayer();
    QString stid, position;
    if (currentrs && currentrs->isOpen() && currentrs->absolutePosition() > 0) {
        const Result<QVariant> field = currentrs->field(u"stid"_s);
        if (!field) {
            failProgram(field.error());
            return;
        }
        stid = field.value().toString().trimmed();
        position = QString::number(currentrs->absolutePosition());
    }
    playercmd = playerExecutableName() + u' ' + stid + u'&' + position;
    startPlayerCommand(playercmd);
    stloadForm.unload();
}

void showStload()
{
    stloadForm.unload();
    stloadForm->show();
}

} // namespace pptdrill
