#include "classroom/widgets/classwindow.h"

#include "paper/results.h"
#include "paper/widgets/attemptwindow.h"
#include "platform/messagebox.h"

#include <QApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableWidget>
#include <QThread>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

QTableWidget* newTable(QWidget* parent, const QString& name, const QStringList& headers)
{
    auto* table = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    table->setObjectName(name);
    table->setHorizontalHeaderLabels(headers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->setVisible(false);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setAlternatingRowColors(true);
    table->setWordWrap(false);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
    return table;
}

QTableWidgetItem* cellOf(const QString& text, bool number = false)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QString scoreText(double score)
{
    return QString::number(score, 'f', 1);
}

QString timeText(const QDateTime& time)
{
    return time.isValid() ? time.toLocalTime().toString(u"yyyy-MM-dd HH:mm"_s) : QString();
}

QString durationText(qint64 seconds)
{
    if (seconds < 0)
        return QString();
    return u"%1分%2秒"_s.arg(seconds / 60).arg(seconds % 60, 2, 10, QChar(u'0'));
}

constexpr int kNameColumn = 2;

} // namespace

ClassWindow::ClassWindow(const ClassroomConfig& config, QWidget* parent) : QWidget(parent), m_config(config)
{
    setObjectName(u"classwindow"_s);
    setWindowTitle(u"班级练习情况 — %1"_s.arg(config.className));
    resize(1000, 640);

    m_summary = new QLabel(this);
    m_summary->setObjectName(u"classSummary"_s);
    m_refreshButton = new QPushButton(u"刷新"_s, this);
    m_refreshButton->setObjectName(u"refreshButton"_s);
    m_refreshButton->setShortcut(QKeySequence::Refresh);
    m_exportButton = new QPushButton(u"导出CSV…"_s, this);
    m_exportButton->setObjectName(u"exportButton"_s);
    connect(m_refreshButton, &QPushButton::clicked, this, &ClassWindow::refresh);
    connect(m_exportButton, &QPushButton::clicked, this, &ClassWindow::exportChosen);

    m_roster = newTable(
        this, u"roster"_s,
        {u"座位号"_s, u"身份证号"_s, u"姓名"_s, u"练习次数"_s, u"平均分"_s, u"最近得分"_s, u"最近练习"_s});
    m_roster->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    m_roster->setToolTip(u"双击姓名一栏可填写或修改学员姓名"_s);
    m_setSummary = newTable(this, u"setSummary"_s, {u"套题"_s, u"练习次数"_s, u"最近得分"_s, u"最高分"_s});
    m_attempts = newTable(this, u"attempts"_s,
                          {u"交卷时间"_s, u"套题"_s, u"得分"_s, u"做对题数"_s, u"用时"_s, u"考试模式"_s});
    m_attempts->setToolTip(u"双击一次练习可查看每题的对错"_s);
    m_points =
        newTable(this, u"points"_s,
                 {u"知识点（无则为考点）"_s, u"答题次数"_s, u"掌握率"_s, u"未掌握人数"_s, u"答过的人数"_s});

    auto* learnerSide = new QWidget(this);
    auto* learnerLayout = new QVBoxLayout(learnerSide);
    learnerLayout->setContentsMargins(0, 0, 0, 0);
    learnerLayout->addWidget(new QLabel(u"各套题成绩"_s, learnerSide));
    learnerLayout->addWidget(m_setSummary, 1);
    learnerLayout->addWidget(new QLabel(u"历次练习"_s, learnerSide));
    learnerLayout->addWidget(m_attempts, 2);
    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_roster);
    splitter->addWidget(learnerSide);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(u"tabs"_s);
    m_tabs->addTab(splitter, u"学员成绩"_s);
    auto* pointsPage = new QWidget(this);
    auto* pointsLayout = new QVBoxLayout(pointsPage);
    m_pointsStatus = new QLabel(pointsPage);
    m_pointsStatus->setObjectName(u"pointsStatus"_s);
    pointsLayout->addWidget(m_pointsStatus);
    pointsLayout->addWidget(m_points, 1);
    m_tabs->addTab(pointsPage, u"薄弱知识点"_s);
    // The whole class's answers are summed only when the teacher looks at them.
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 1 && !m_pointsLoaded)
            loadPoints();
    });

    auto* top = new QHBoxLayout;
    top->addWidget(m_summary, 1);
    top->addWidget(m_refreshButton);
    top->addWidget(m_exportButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_tabs, 1);

    connect(m_roster, &QTableWidget::currentCellChanged, this, [this](int row, int, int previousRow, int) {
        if (row != previousRow)
            selectLearner(row);
    });
    connect(m_roster, &QTableWidget::cellChanged, this, &ClassWindow::nameEdited);
    connect(m_attempts, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { openAttempt(row); });
}

ClassWindow::~ClassWindow()
{
    *m_pointsAbort = true;
    if (m_pointsThread)
        m_pointsThread->wait();
    delete m_attemptWindow;
}

ServerLogin ClassWindow::teacherLogin() const
{
    return {m_config.host,   m_config.port, m_config.database, m_config.teacherUser, m_config.teacherPassword,
            m_config.sslMode};
}

bool ClassWindow::connectServer()
{
    if (m_server && m_server->isUsable())
        return true;
    auto connected = ServerConnection::connect(teacherLogin(), nullptr, 5);
    if (!connected) {
        showFailure(connected.error());
        return false;
    }
    m_server = std::move(connected.value());
    return true;
}

void ClassWindow::showFailure(const QString& message)
{
    m_summary->setText(message);
}

bool ClassWindow::load()
{
    if (!connectServer())
        return false;
    auto learners = readClassRoster(*m_server, m_config.className);
    if (!learners) {
        showFailure(learners.error());
        return false;
    }
    m_learners = std::move(learners.value());
    fillRoster();
    return true;
}

void ClassWindow::fillRoster()
{
    m_filling = true;
    int attempts = 0;
    m_roster->setRowCount(static_cast<int>(m_learners.size()));
    for (int row = 0; row < static_cast<int>(m_learners.size()); ++row) {
        const ClassLearner& l = m_learners[row];
        attempts += l.attempts;
        m_roster->setItem(row, 0, cellOf(l.seatNumber));
        m_roster->setItem(row, 1, cellOf(l.identityNumber));
        auto* name = new QTableWidgetItem(l.name);
        name->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable);
        m_roster->setItem(row, kNameColumn, name);
        m_roster->setItem(row, 3, cellOf(QString::number(l.attempts), true));
        m_roster->setItem(row, 4, cellOf(scoreText(l.averageScore), true));
        m_roster->setItem(row, 5, cellOf(scoreText(l.lastScore), true));
        m_roster->setItem(row, 6, cellOf(timeText(l.lastHandIn)));
    }
    m_roster->resizeColumnsToContents();
    m_filling = false;
    m_summary->setText(u"班级：%1　　学员 %2 人　　练习 %3 次"_s.arg(m_config.className)
                           .arg(m_learners.size())
                           .arg(attempts));
    if (!m_learners.empty())
        m_roster->setCurrentCell(0, 0);
}

void ClassWindow::refresh()
{
    const int row = m_roster->currentRow();
    m_pointsLoaded = false;
    if (!load())
        return;
    if (row >= 0 && row < m_roster->rowCount())
        m_roster->setCurrentCell(row, 0);
    if (m_tabs->currentIndex() == 1)
        loadPoints();
}

void ClassWindow::selectLearner(int row)
{
    m_setSummary->setRowCount(0);
    m_attempts->setRowCount(0);
    m_shownAttempts.clear();
    if (row < 0 || row >= static_cast<int>(m_learners.size()) || !connectServer())
        return;
    auto attempts = readLearnerAttempts(*m_server, m_config.className, m_learners[row].identityNumber);
    if (!attempts) {
        showFailure(attempts.error());
        return;
    }
    m_shownAttempts = std::move(attempts.value());
    std::vector<Attempt> oldestFirst;
    oldestFirst.reserve(m_shownAttempts.size());
    for (auto a = m_shownAttempts.rbegin(); a != m_shownAttempts.rend(); ++a)
        oldestFirst.push_back(a->attempt);
    const std::vector<SetSummary> sets = summarizeSets(oldestFirst);
    m_setSummary->setRowCount(static_cast<int>(sets.size()));
    for (int i = 0; i < static_cast<int>(sets.size()); ++i) {
        m_setSummary->setItem(i, 0, cellOf(setTitle(sets[i].setName)));
        m_setSummary->setItem(i, 1, cellOf(QString::number(sets[i].attempts), true));
        m_setSummary->setItem(i, 2, cellOf(scoreText(sets[i].lastScore), true));
        m_setSummary->setItem(i, 3, cellOf(scoreText(sets[i].bestScore), true));
    }
    m_attempts->setRowCount(static_cast<int>(m_shownAttempts.size()));
    for (int i = 0; i < static_cast<int>(m_shownAttempts.size()); ++i) {
        const Attempt& a = m_shownAttempts[i].attempt;
        m_attempts->setItem(i, 0, cellOf(timeText(a.handedInAt)));
        m_attempts->setItem(i, 1, cellOf(setTitle(a.setName)));
        m_attempts->setItem(i, 2, cellOf(scoreText(a.score), true));
        m_attempts->setItem(i, 3, cellOf(u"%1 / %2"_s.arg(a.rightCount).arg(a.questionCount), true));
        m_attempts->setItem(i, 4, cellOf(durationText(a.secondsTaken()), true));
        m_attempts->setItem(i, 5, cellOf(a.examMode ? u"是"_s : QString()));
    }
    m_setSummary->resizeColumnsToContents();
    m_attempts->resizeColumnsToContents();
}

void ClassWindow::openAttempt(int row)
{
    if (row < 0 || row >= static_cast<int>(m_shownAttempts.size()) || !connectServer())
        return;
    const ClassAttempt& chosen = m_shownAttempts[row];
    auto questions = readClassAttemptQuestions(*m_server, chosen.attemptId, chosen.handIn);
    if (!questions) {
        showFailure(questions.error());
        return;
    }
    std::vector<AttemptQuestion> grid;
    std::map<int, QString> notes;
    for (const ClassAttemptQuestion& q : questions.value()) {
        grid.push_back(q.question);
        QString note;
        if (!q.setName.isEmpty())
            note = u"%1 第%2题"_s.arg(setTitle(q.setName), q.number);
        if (!q.point.isEmpty())
            note += (note.isEmpty() ? QString() : u"\n"_s) + u"知识点："_s + q.point;
        if (!note.isEmpty())
            notes[q.question.position] = note;
    }
    if (!m_attemptWindow) {
        m_attemptWindow = new AttemptWindow;
        connect(m_attemptWindow, &Form::closeRequested, m_attemptWindow, &QWidget::hide);
    }
    m_attemptWindow->showAttempt(chosen.attempt, grid, notes);
    m_attemptWindow->show();
    m_attemptWindow->raise();
}

void ClassWindow::loadPoints()
{
    if (m_pointsThread)
        return;
    m_points->setRowCount(0);
    m_pointsStatus->setText(u"正在统计全班的答题情况……"_s);
    QPointer<ClassWindow> window(this);
    m_pointsThread = QThread::create(
        [window, login = teacherLogin(), className = m_config.className, abort = m_pointsAbort] {
            auto server = ServerConnection::connect(login, abort.get(), 5);
            auto points = server ? readClassPoints(*server.value(), className)
                                 : Result<std::vector<ClassPoint>>::failure(server.error(), server.code());
            QMetaObject::invokeMethod(
                qApp,
                [window, points] {
                    if (window)
                        window->showPoints(points);
                },
                Qt::QueuedConnection);
        });
    connect(m_pointsThread, &QThread::finished, this, [this] {
        m_pointsThread->deleteLater();
        m_pointsThread = nullptr;
    });
    m_pointsThread->start();
}

void ClassWindow::showPoints(const Result<std::vector<ClassPoint>>& points)
{
    if (!points) {
        m_pointsStatus->setText(points.error());
        return;
    }
    m_pointsLoaded = true;
    m_pointsStatus->setText(
        u"从最薄弱的知识点起；学员答某知识点的题，掌握不到一半即为“未掌握”（看全程演示完成的不算掌握）。"_s);
    m_points->setRowCount(static_cast<int>(points->size()));
    for (int i = 0; i < static_cast<int>(points->size()); ++i) {
        const ClassPoint& p = points.value()[i];
        m_points->setItem(i, 0, cellOf(p.point));
        m_points->setItem(i, 1, cellOf(QString::number(p.asked), true));
        m_points->setItem(i, 2, cellOf(QString::number(qRound(p.share() * 100)) + u"%"_s, true));
        m_points->setItem(i, 3, cellOf(QString::number(p.learnersMissing), true));
        m_points->setItem(i, 4, cellOf(QString::number(p.learners), true));
    }
    m_points->resizeColumnsToContents();
}

bool ClassWindow::exportTo(const QString& path)
{
    if (!connectServer())
        return false;
    auto table = readClassAttemptsTable(*m_server, m_config.className);
    Status written = table ? writeCsvFile(path, table.value()) : Status::failure(table.error());
    if (!written) {
        msgBox(written.error(), MessageIcon::Critical);
        return false;
    }
    return true;
}

void ClassWindow::exportChosen()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = QFileDialog::getSaveFileName(
        this, u"导出班级练习记录"_s, folder + u"/"_s + m_config.className + u"练习记录.csv"_s,
        u"CSV 文件 (*.csv)"_s);
    if (!path.isEmpty() && exportTo(path))
        m_summary->setText(u"已导出到“%1”"_s.arg(path));
}

void ClassWindow::nameEdited(int row, int column)
{
    if (m_filling || column != kNameColumn || row < 0 || row >= static_cast<int>(m_learners.size()))
        return;
    ClassLearner& learner = m_learners[row];
    const QString name = m_roster->item(row, column)->text().trimmed();
    if (name == learner.name)
        return;
    Status saved = connectServer()
                       ? setLearnerName(*m_server, m_config.className, learner.identityNumber, name)
                       : Status::failure(serverFailureMessage(static_cast<int>(ServerFailure::Unreachable)));
    if (!saved) {
        msgBox(u"姓名未能保存：%1"_s.arg(saved.error()), MessageIcon::Critical);
        m_filling = true;
        m_roster->item(row, column)->setText(learner.name);
        m_filling = false;
        return;
    }
    learner.name = name;
}

} // namespace pptdrill

#include "moc_classwindow.cpp"
