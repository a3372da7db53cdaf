#pragma once

#include "player/channel.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>

class QLineEdit;

namespace pptdrill {

class MovieControl;

// The player's command line split at its first "&": the stid of the paper row
// and the paper position that names the movie file. A command line without "&"
// is all questionid and names no movie.
struct PlayerCommandLine
{
    QString questionid;
    QString movieno;
};
PlayerCommandLine splitPlayerCommandLine(const QString& commandLine);

// The movie file of a paper position in the movie folder.
QString movieFilePath(const QString& movieno);

// Starts a program without waiting for it; false when it could not be started.
using ProcessStarter = std::function<bool(const QString& program, const QStringList& arguments)>;
// Starts it detached, never through a shell.
bool startDetachedProcess(const QString& program, const QStringList& arguments);

// The player form "drillplay": one question movie filling an 800 × 600 client
// area, commanded by the question bar over the copy-data channel. When the
// movie's ready states add up to 4 it starts drillbridge with the questionid.
class PlayerForm : public QDialog
{
    Q_OBJECT

public:
    PlayerForm(const QString& questionid, const QString& movieno, ProcessStarter startProcess = {},
               QWidget* parent = nullptr);
    ~PlayerForm() override;

    MovieControl* stflash() const { return m_stflash; }
    QLineEdit* receivenr() const { return m_receivenr; }
    const CopyDataReceiver& receiver() const { return m_receiver; }
    qint16 readysum() const { return m_readysum; }
    const QString& questionid() const { return m_questionid; }

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    class RightClickFilter;

    void load(const QString& movieno);
    void stflashReadyStateChange(int state);
    void receivenrChange();
    void deliverCopyData(const QString& text);
    void shutDown();

    QString m_questionid;
    ProcessStarter m_startProcess;
    MovieControl* m_stflash = nullptr;
    QLineEdit* m_receivenr = nullptr;
    RightClickFilter* m_rightClickFilter = nullptr;
    CopyDataReceiver m_receiver;
    qint16 m_readysum = 0;
};

} // namespace pptdrill
