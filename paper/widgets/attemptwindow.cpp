#include "paper/widgets/attemptwindow.h"

#include "db/database.h"
#include "paper/examsession.h"
#include "paper/results.h"
#include "paper/widgets/historywindow.h"
#include "paper/widgets/resultmarks.h"
#include "shell/widgets/artwork.h"
#include "shell/widgets/controls.h"
#include "shell/widgets/screen.h"

#include <QLinearGradient>
#include <QPainter>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {
constexpr int kCellsLeft = 70;
constexpr int kCellsTop = 150;
} // namespace

void AttemptWindow::makeCellsReviewable()
{
    m_reviewable = true;
    for (int i = 1; i <= exam::maxQuestions; ++i) {
        Label* c = cell(i);
        c->setCursor(Qt::PointingHandCursor);
        connect(c, &Label::clicked, this, [this, i] { emit questionReviewRequested(i); });
    }
}

AttemptWindow::AttemptWindow() : Form(u"lxmx"_s)
{
    setWindowTitle(u"本次练习结果"_s);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(560, 400);
    centreOnScreen(this);

    m_titleLabel = new Label(this, u"attemptTitle"_s);
    m_titleLabel->setFont(heiFont(11, true));
    m_titleLabel->setTransparent(true);
    m_titleLabel->setGeometry(30, 60, 500, 24);
    m_scoreLabel = new Label(this, u"yfdflb"_s, u"得分："_s);
    m_scoreLabel->setFont(heiFont(11, true));
    m_scoreLabel->setForeColor(windowsColor(160, 0, 0));
    m_scoreLabel->setTransparent(true);
    m_scoreLabel->setGeometry(30, 92, 500, 24);

    for (int i = 1; i <= exam::maxQuestions; ++i) {
        auto* cell = new Label(this, u"Label%1"_s.arg(i), QString::number(i).rightJustified(2, u'0'));
        cell->setGeometry(kCellsLeft + 44 * ((i - 1) % 10), kCellsTop + 40 * ((i - 1) / 10), 30, 26);
        cell->setFont(songFont(9));
        cell->setAlignment(Qt::AlignCenter);
        cell->setVisible(false);
    }

    auto* legend = new Label(this, u"legend"_s, u"（说明：绿色表示做对了，红色表示做错了）"_s);
    legend->setFont(songFont(9));
    legend->setTransparent(true);
    legend->setGeometry(kCellsLeft - 16, 314, 460, 18);
    auto* marksLegend = new ResultMarksLegend(this);
    marksLegend->move(kCellsLeft - 16, 332);

    m_closeButton = new PushButton(this, u"closeButton"_s, u"关  闭"_s);
    m_closeButton->setFont(songFont(9));
    m_closeButton->setGeometry(228, 352, 104, 28);
    connect(m_closeButton, &PushButton::clicked, this, [this] { close(); });
}

Label* AttemptWindow::cell(int question) const
{
    return findChild<Label*>(u"Label%1"_s.arg(question), Qt::FindDirectChildrenOnly);
}

const AttemptQuestion* AttemptWindow::question(int position) const
{
    for (const AttemptQuestion& q : m_questions) {
        if (q.position == position)
            return &q;
    }
    return nullptr;
}

bool AttemptWindow::load(qint64 attemptId)
{
    auto connection = openDatabase();
    if (!connection) {
        tellHistoryUnreadable(connection.code(), connection.error());
        return false;
    }
    auto attempt = readAttempt(*connection.value(), attemptId);
    auto questions = readAttemptQuestions(*connection.value(), attemptId);
    connection.value()->close();
    if (!attempt || !questions) {
        tellHistoryUnreadable(attempt ? questions.code() : attempt.code(),
                              attempt ? questions.error() : attempt.error());
        return false;
    }
    if (!attempt->has_value())
        return false;
    showAttempt(**attempt, questions.value());
    return true;
}

void AttemptWindow::showAttempt(const Attempt& attempt, const std::vector<AttemptQuestion>& questions,
                                const std::map<int, QString>& notes)
{
    const QDateTime handedIn = attempt.handedInAt.toLocalTime();
    m_titleLabel->setCaption(u"%1　%2交卷%3"_s.arg(setTitle(attempt.setName),
                                                   handedIn.toString(u"yyyy-MM-dd HH:mm"_s),
                                                   attempt.examMode ? u"（考试模式）"_s : QString()));
    QString score = u"得分："_s + numberText(attempt.score) +
                    u"　　做对 %1 题，共 %2 题"_s.arg(attempt.rightCount).arg(attempt.questionCount);
    if (attempt.corrected)
        score += u"　　订正后："_s + numberText(attempt.correctedScore);
    m_scoreLabel->setCaption(score);
    m_questions = questions;
    m_examMode = attempt.examMode;
    for (int i = 1; i <= exam::maxQuestions; ++i)
        cell(i)->setVisible(false);
    for (const AttemptQuestion& q : questions) {
        Label* c = cell(q.position);
        if (!c)
            continue;
        c->setVisible(true);
        c->setBackColor(q.right ? windowsGreen : windowsRed);
        setResultMarks(c, q.right && q.demonstration, q.hint);
        QStringList tip{q.topic.isEmpty() ? u"考点：未知"_s : u"考点："_s + q.topic};
        if (!q.opened)
            tip << u"没有打开过这道题"_s;
        if (const auto note = notes.find(q.position); note != notes.end())
            tip.prepend(note->second);
        if (q.demonstration)
            tip << u"看过全程演示"_s;
        if (q.hint)
            tip << u"看过操作提示"_s;
        if (m_reviewable)
            tip << u"单击查看本题的试题回顾"_s;
        c->setToolTip(tip.join(u'\n'));
    }
}

void AttemptWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paintBannerBackdrop(p, size(), 44, 3, 15, windowTitle());
    p.setPen(QColor(160, 182, 210));
    p.setBrush(QColor(250, 252, 255));
    p.drawRoundedRect(QRectF(kCellsLeft - 16.5, kCellsTop - 14.5, 44 * 10 + 18, 40 * 4 + 16), 5, 5);
}

} // namespace pptdrill

#include "moc_attemptwindow.cpp"
