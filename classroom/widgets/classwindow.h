#pragma once

#include "classroom/classreport.h"
#include "classroom/classroomconfig.h"
#include "classroom/serverconnection.h"

#include <QWidget>
#include <atomic>
#include <memory>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;
class QTabWidget;
class QThread;

namespace pptdrill {

class AttemptWindow;

// The teacher's window "classwindow": the class's roster with each learner's
// attempts and scores per set, the class's knowledge points from the weakest,
// an attempt's results grid, and the class's attempts exported for a
// spreadsheet. It reads the class's server with the teacher's role; only the
// roster's names are written.
class ClassWindow : public QWidget
{
    Q_OBJECT

public:
    explicit ClassWindow(const ClassroomConfig& config, QWidget* parent = nullptr);
    ~ClassWindow() override;

    // Connects and reads the roster (false: the message is shown in the window).
    bool load();
    // Re-reads everything shown.
    void refresh();

    QTableWidget* roster() const { return m_roster; }
    QTableWidget* setSummary() const { return m_setSummary; }
    QTableWidget* attempts() const { return m_attempts; }
    QTableWidget* points() const { return m_points; }
    QTabWidget* tabs() const { return m_tabs; }
    QLabel* summary() const { return m_summary; }
    AttemptWindow* attemptWindow() const { return m_attemptWindow; }

    void selectLearner(int row);
    void openAttempt(int row);
    // The class's answers are summed on a thread of its own: the window stays
    // usable while the server works through hundreds of thousands of rows.
    void loadPoints();
    bool pointsLoading() const { return m_pointsThread != nullptr; }
    QLabel* pointsStatus() const { return m_pointsStatus; }
    // Writes the class's attempts to `path`; shows a message on failure.
    bool exportTo(const QString& path);

private:
    void exportChosen();
    void nameEdited(int row, int column);
    bool connectServer();
    void showFailure(const QString& message);
    void fillRoster();
    void showPoints(const Result<std::vector<ClassPoint>>& points);
    ServerLogin teacherLogin() const;

    ClassroomConfig m_config;
    std::unique_ptr<ServerConnection> m_server;
    std::vector<ClassLearner> m_learners;
    std::vector<ClassAttempt> m_shownAttempts;
    bool m_pointsLoaded = false;
    QThread* m_pointsThread = nullptr;
    std::shared_ptr<std::atomic<bool>> m_pointsAbort = std::make_shared<std::atomic<bool>>(false);
    bool m_filling = false;

    QLabel* m_summary = nullptr;
    QPushButton* m_refreshButton = nullptr;
    QPushButton* m_exportButton = nullptr;
    QTabWidget* m_tabs = nullptr;
    QTableWidget* m_roster = nullptr;
    QTableWidget* m_setSummary = nullptr;
    QTableWidget* m_attempts = nullptr;
    QTableWidget* m_points = nullptr;
    QLabel* m_pointsStatus = nullptr;
    AttemptWindow* m_attemptWindow = nullptr;
};

} // namespace pptdrill
