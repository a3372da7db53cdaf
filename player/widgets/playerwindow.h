#pragma once

#include "movie/document/movie.h"
#include "player/channel.h"
#include "player/playerprocesses.h"

#include <QByteArray>
#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>
#include <future>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace pptdrill {

class MovieControl;

// The player's command line split at its first "&": the stid of the paper row
// and the paper position that names the movie file. A command line without "&"
// is all questionid and names no movie. A leading "--review" plays the question
// for a look back from the results: nothing is recorded.
struct PlayerCommandLine
{
    QString questionid;
    QString movieno;
    bool review = false;
};

PlayerCommandLine splitPlayerCommandLine(const QString& commandLine);

// The movie file of a paper position in the movie folder.
QString movieFilePath(const QString& movieno);

// How a program that the player started has ended.
struct ProcessEnd
{
    bool normalExit = true; // false: it crashed or was killed
    int exitCode = 0;
    QByteArray standardError;
};
using ProcessFinished = std::function<void(const ProcessEnd& end)>;

// Starts a program without waiting for it and calls `finished` on the
// user-interface thread once it has ended, never from within the call itself.
// False, and no call, when it could not be started.
using ProcessStarter =
    std::function<bool(const QString& program, const QStringList& arguments, ProcessFinished finished)>;
// Starts it, never through a shell, so that it outlives the player: in a
// session of its own, and neither ended when the player closes nor when the
// player is killed.
bool startWatchedProcess(const QString& program, const QStringList& arguments, ProcessFinished finished);

// The player form "drillplay": one question movie filling an 800 × 600 client
// area, commanded by the question bar over the copy-data channel. When the
// movie's ready states add up to 4 it starts drillbridge with the questionid
// and waits for it, the window staying responsive: the completion picture
// appears once the bridge has recorded the question; a bridge that fails is
// said to the learner, with its reason.
class PlayerWindow : public QDialog
{
    Q_OBJECT

public:
    PlayerWindow(const QString& questionid, const QString& movieno, ProcessStarter startProcess = {},
                 QWidget* parent = nullptr);
    // With the movie being read already (drillplay reads it while the toolkit starts).
    PlayerWindow(const QString& questionid, const QString& movieno, std::future<Result<Movie>> movieRead);
    ~PlayerWindow() override;

    MovieControl* movieControl() const { return m_movieControl; }
    QLineEdit* commandBox() const { return m_commandBox; }
    const CopyDataReceiver& receiver() const { return m_receiver; }
    qint16 readySum() const { return m_readySum; }
    const QString& questionId() const { return m_questionId; }

    // A review plays the question without recording it: no bridge is started.
    // A strip above the simulated window shows the stem, the demonstration's
    // controls (pause, one step on, replay, speed) and a button that takes the
    // learner back: to the results ("返回成绩"), or, for a question of the
    // history (no paper row), "返回".
    void setReview(bool review);
    bool isReview() const { return m_review; }
    void setReviewStem(const QString& stem);
    // The demonstration's speeds, as the strip offers them.
    static const QList<double>& demonstrationSpeeds();
    static constexpr int kReviewStripHeight = 72;

    // The player closes by itself once process `trainerPid` (the trainer that
    // started it) no longer runs: a killed trainer leaves no question on screen.
    void closeWhenTrainerEnds(qint64 trainerPid);
    // A paper in exam mode: the completed question shows no picture.
    void setExamMode(bool examMode);

    enum class BridgeState
    {
        NotStarted,
        Running,
        Recorded,
        Failed,
        LetGo, // still running when the player closed: it runs on by itself
    };
    BridgeState bridgeState() const { return m_bridge; }

    // A close while the bridge runs waits for it (the window staying open and
    // responsive) at most this long; then the player closes and lets the
    // bridge run on by itself. The bridge itself gives up after three waits of
    // 5 seconds at most for a locked database (open, read, write).
    static constexpr int kDefaultBridgeWaitOnCloseMs = 20000;
    void setBridgeWaitOnClose(int milliseconds);

    // The close request: goes ahead at once unless the bridge is running.
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    class RightClickFilter;

    PlayerWindow(const QString& questionid, const QString& movieno, ProcessStarter startProcess,
                 QWidget* parent, std::future<Result<Movie>> movieRead);
    void load(const QString& movieno, std::future<Result<Movie>> movieRead);
    void movieReadyStateChanged(int state);
    void bridgeFinished(const ProcessEnd& end);
    void reportNotRecorded(const QString& reason);
    void commandBoxChanged();
    void deliverCopyData(const QString& text);
    void shutDown();

    QString m_questionId;
    ProcessStarter m_startProcess;
    MovieControl* m_movieControl = nullptr;
    QLineEdit* m_commandBox = nullptr;
    QPushButton* m_backToResultsButton = nullptr;
    QWidget* m_reviewStrip = nullptr;
    QLabel* m_stemLabel = nullptr;
    QPushButton* m_pauseButton = nullptr;
    QPushButton* m_stepButton = nullptr;
    QPushButton* m_replayButton = nullptr;
    QComboBox* m_speedBox = nullptr;
    QLabel* m_demoState = nullptr;
    QTimer* m_reviewRefresh = nullptr;
    bool m_review = false;
    void buildReviewStrip();
    void connectReviewStrip();
    void refreshReviewStrip();
    QTimer* m_trainerWatch = nullptr;
    RightClickFilter* m_rightClickFilter = nullptr;
    CopyDataReceiver m_receiver;
    qint16 m_readySum = 0;
    BridgeState m_bridge = BridgeState::NotStarted;
    QTimer* m_closeWait = nullptr;
    bool m_closePending = false;
    int m_closeResult = 0;
};

} // namespace pptdrill
