#include "paper/widgets/historywindow.h"

#include "db/database.h"
#include "paper/results.h"
#include "paper/widgets/scorechart.h"
#include "platform/messagebox.h"
#include "shell/programend.h"
#include "shell/widgets/artwork.h"
#include "shell/widgets/controls.h"
#include "shell/widgets/screen.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QLinearGradient>
#include <QPainter>
#include <QTableView>
#include <QTableWidget>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

QString durationText(qint64 seconds)
{
    if (seconds < 0)
        return QString();
    return u"%1分%2秒"_s.arg(seconds / 60).arg(seconds % 60, 2, 10, QChar(u'0'));
}

// The attempts, newest first.
class AttemptTableModel : public QAbstractTableModel
{
public:
    AttemptTableModel(const std::vector<Attempt>& attempts, QObject* parent)
        : QAbstractTableModel(parent), m_attempts(attempts)
    {
    }

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_attempts.size());
    }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 6; }

    const Attempt& attemptAt(int row) const
    {
        return m_attempts[m_attempts.size() - 1 - static_cast<size_t>(row)];
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid())
            return {};
        const Attempt& a = attemptAt(index.row());
        if (role == Qt::TextAlignmentRole)
            return index.column() == 0 || index.column() == 1 ? QVariant() : QVariant(Qt::AlignCenter);
        if (role != Qt::DisplayRole)
            return {};
        switch (index.column()) {
        case 0:
            return a.handedInAt.toLocalTime().toString(u"yyyy-MM-dd HH:mm"_s);
        case 1:
            return setTitle(a.setName);
        case 2:
            return a.corrected ? u"%1（订正%2）"_s.arg(numberText(a.score).trimmed(),
                                                       numberText(a.correctedScore).trimmed())
                               : numberText(a.score).trimmed();
        case 3:
            return u"%1/%2"_s.arg(a.rightCount).arg(a.questionCount);
        case 4:
            return durationText(a.secondsTaken());
        case 5:
            return a.examMode ? u"是"_s : QString();
        }
        return {};
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        static const QString titles[] = {u"交卷时间"_s, u"练习"_s, u"得分"_s,
                                         u"做对"_s,     u"用时"_s, u"考试模式"_s};
        return section >= 0 && section < 6 ? titles[section] : QString();
    }

private:
    const std::vector<Attempt>& m_attempts;
};

void styleTable(QTableView* table)
{
    table->setFont(songFont(9));
    table->horizontalHeader()->setFont(songFont(9));
    table->verticalHeader()->hide();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(20);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setAlternatingRowColors(true);
    table->horizontalHeader()->setHighlightSections(false);
}

// The window and its frame fit a screen of 800 × 600.
constexpr int kWidth = 790;
constexpr int kHeight = 552;
constexpr int kTopSectionY = 46;
constexpr int kBottomSectionY = 304;
constexpr int kLeftWidth = 290;
constexpr int kRightX = 312;
constexpr int kRightWidth = kWidth - kRightX - 12;

} // namespace

void tellHistoryUnreadable(int code, const QString& error)
{
    // Nothing is lost by not showing the history: the learner goes on practising.
    msgBox(u"无法读取练习记录：%1。"_s.arg(code != 0 ? databaseFailureReason(code) : error),
           MessageIcon::Critical);
}

HistoryWindow::HistoryWindow() : Form(u"lxjl"_s)
{
    setWindowTitle(u"练习记录"_s);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(kWidth, kHeight);
    centreOnScreen(this);

    m_setTable = new QTableWidget(0, 4, this);
    m_setTable->setObjectName(u"setTable"_s);
    m_setTable->setHorizontalHeaderLabels({u"练习"_s, u"次数"_s, u"最近得分"_s, u"最高得分"_s});
    styleTable(m_setTable);
    m_setTable->setGeometry(12, kTopSectionY + 22, kLeftWidth, 230);
    m_setTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_setTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Fixed);
    m_setTable->setColumnWidth(0, 96);

    m_scoreChart = new ScoreChart(this);
    m_scoreChart->setGeometry(kRightX, kTopSectionY + 22, kRightWidth, 230);

    m_topicChart = new TopicChart(this);
    m_topicChart->setGeometry(12, kBottomSectionY + 22, kLeftWidth, 186);

    m_attemptTable = new QTableView(this);
    m_attemptTable->setObjectName(u"attemptTable"_s);
    styleTable(m_attemptTable);
    m_attemptTable->setGeometry(kRightX, kBottomSectionY + 22, kRightWidth, 186);
    connect(m_attemptTable, &QTableView::doubleClicked, this, [this] { openSelectedAttempt(); });

    m_openAttemptButton = new PushButton(this, u"openAttemptButton"_s, u"查看本次结果"_s);
    m_openAttemptButton->setFont(songFont(9));
    m_openAttemptButton->setGeometry(kWidth - 12 - 104 - 10 - 112, kHeight - 36, 112, 26);
    connect(m_openAttemptButton, &PushButton::clicked, this, &HistoryWindow::openSelectedAttempt);
    m_closeButton = new PushButton(this, u"closeButton"_s, u"关  闭"_s);
    m_closeButton->setFont(songFont(9));
    m_closeButton->setGeometry(kWidth - 12 - 104, kHeight - 36, 104, 26);
    connect(m_closeButton, &PushButton::clicked, this, [this] { close(); });
    m_clearHistoryButton = new PushButton(this, u"clearHistoryButton"_s, u"清除练习记录"_s);
    m_clearHistoryButton->setFont(songFont(9));
    m_clearHistoryButton->setGeometry(kWidth - 12 - 104 - 10 - 112 - 10 - 112, kHeight - 36, 112, 26);
    connect(m_clearHistoryButton, &PushButton::clicked, this, &HistoryWindow::clearHistory);
}

void HistoryWindow::clearHistory()
{
    if (msgBox(
            u"清除后，全部练习记录和错题标记都将删除，且不能恢复；题库中的试题保留。\n确定要清除练习记录吗？"_s,
            MessageIcon::Question, MessageButtons::YesNoDefaultNo) != MessageAnswer::Yes)
        return;
    auto connection = openDatabase();
    Status cleared = connection ? clearPracticeHistory(*connection.value())
                                : Status::failure(connection.error(), connection.code());
    if (connection)
        connection.value()->close();
    if (!cleared) {
        const QString reason = cleared.code() != 0 ? databaseFailureReason(cleared.code()) : cleared.error();
        msgBox(u"清除练习记录失败：%1。练习记录和错题标记都保持原样。"_s.arg(reason), MessageIcon::Critical);
        return;
    }
    load();
}

bool HistoryWindow::load()
{
    auto connection = openDatabase();
    if (!connection) {
        tellHistoryUnreadable(connection.code(), connection.error());
        return false;
    }
    auto attempts = readAttempts(*connection.value());
    auto shares = attempts ? readTopicShares(*connection.value(), kRecentAttempts)
                           : Result<std::vector<TopicShare>>::failure(attempts.error(), attempts.code());
    connection.value()->close();
    if (!shares) {
        tellHistoryUnreadable(shares.code(), shares.error());
        return false;
    }
    m_attempts = std::move(attempts.value());

    const std::vector<SetSummary> summaries = summarizeSets(m_attempts);
    m_setTable->setRowCount(static_cast<int>(summaries.size()));
    for (int row = 0; row < static_cast<int>(summaries.size()); ++row) {
        const SetSummary& s = summaries[static_cast<size_t>(row)];
        const QString cells[] = {setTitle(s.setName), QString::number(s.attempts),
                                 numberText(s.lastScore).trimmed(), numberText(s.bestScore).trimmed()};
        for (int column = 0; column < 4; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (column > 0)
                item->setTextAlignment(Qt::AlignCenter);
            m_setTable->setItem(row, column, item);
        }
    }
    m_scoreChart->setAttempts(m_attempts);
    m_topicChart->setShares(shares.value());

    auto* model = new AttemptTableModel(m_attempts, this);
    m_attemptTable->setModel(model);
    const int widths[] = {116, 84, 88, 40, 62, 56};
    for (int column = 0; column < 6; ++column)
        m_attemptTable->setColumnWidth(column, widths[column]);
    if (!m_attempts.empty())
        m_attemptTable->selectRow(0);
    m_openAttemptButton->setEnabled(!m_attempts.empty());
    return true;
}

qint64 HistoryWindow::attemptIdAtRow(int row) const
{
    if (row < 0 || row >= static_cast<int>(m_attempts.size()))
        return 0;
    return m_attempts[m_attempts.size() - 1 - static_cast<size_t>(row)].id;
}

void HistoryWindow::openSelectedAttempt()
{
    const QModelIndex current = m_attemptTable->currentIndex();
    const int row = current.isValid() ? current.row() : 0;
    if (const qint64 id = attemptIdAtRow(row))
        emit attemptRequested(id);
}

void HistoryWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paintBannerBackdrop(p, size(), 40, 3, 15, windowTitle());

    p.setFont(heiFont(10.5, true));
    p.setPen(QColor(16, 52, 120));
    auto section = [&](int x, int y, const QString& title) {
        p.fillRect(QRect(x, y + 5, 5, 11), QColor(243, 150, 30));
        p.drawText(QRect(x + 10, y, 440, 20), Qt::AlignLeft | Qt::AlignVCenter, title);
    };
    section(12, kTopSectionY, u"各套题成绩"_s);
    section(kRightX, kTopSectionY, u"成绩走势"_s);
    section(12, kBottomSectionY, u"各考点掌握情况（最近%1次练习，弱项在前）"_s.arg(kRecentAttempts));
    section(kRightX, kBottomSectionY, u"历次练习（双击查看该次结果）"_s);
    p.setFont(songFont(9));
    p.setPen(QColor(70, 90, 120));
    p.drawText(QRect(12, kHeight - 38, 420, 30), Qt::AlignLeft | Qt::AlignVCenter,
               u"看全程演示完成的题目计分照常，但不算作已掌握。"_s);
}

} // namespace pptdrill

#include "moc_historywindow.cpp"
