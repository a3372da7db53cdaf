#include "paper/widgets/resultswindow.h"

#include "paper/examsession.h"
#include "paper/results.h"
#include "paper/widgets/resultmarks.h"
#include "shell/programend.h"
#include "shell/widgets/artwork.h"
#include "shell/widgets/controls.h"
#include "shell/widgets/formtimer.h"
#include "shell/widgets/screen.h"

#include <QCloseEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

ResultsWindow::ResultsWindow(ExamSession& session) : Form(u"jjjs"_s), m_session(session)
{
    setWindowTitle(u"交卷结束"_s);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint);
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(twipsToPixels(12000), twipsToPixels(9000));
    centreOnScreen(this);

    m_cellFrame = new GroupBox(this, u"Frame1"_s);
    m_cellFrame->setGeometry(twipsRect(2813, 4560, 6375, 2415));
    for (int i = 1; i <= exam::maxQuestions; ++i) {
        auto* cell = new Label(m_cellFrame, u"Label%1"_s.arg(i), QString::number(i).rightJustified(2, u'0'));
        cell->setGeometry(twipsRect(120 + 640 * ((i - 1) % 10), 240 + 560 * ((i - 1) / 10), 330, 315));
        cell->setFont(songFont(9));
        cell->setAlignment(Qt::AlignCenter);
        cell->setEnabled(false);
    }

    m_newPracticeButton = new PushButton(this, u"PushButton1"_s, u"重选套题练习"_s);
    m_newPracticeButton->setGeometry(twipsRect(3420, 3600, 1455, 495));
    m_backToPaperButton = new PushButton(this, u"PushButton2"_s, u"返回检查"_s);
    m_backToPaperButton->setGeometry(twipsRect(5280, 3600, 1455, 495));
    m_quitButton = new PushButton(this, u"PushButton3"_s, u"退出"_s);
    m_quitButton->setGeometry(twipsRect(7140, 3600, 1455, 495));
    for (PushButton* button : {m_newPracticeButton, m_backToPaperButton, m_quitButton})
        button->setFont(songFont(10.5));
    connect(m_newPracticeButton, &PushButton::clicked, this, &ResultsWindow::newPracticeRequested);
    connect(m_backToPaperButton, &PushButton::clicked, this, &ResultsWindow::backToPaperRequested);
    connect(m_quitButton, &PushButton::clicked, this, &ResultsWindow::quitRequested);

    m_scoreLabel = new Label(this, u"yfdflb"_s, u"得分："_s);
    m_scoreLabel->setGeometry(twipsRect(2820, 7200, 855, 285));
    m_scoreLabel->setFont(heiFont(11, true));
    m_scoreLabel->setForeColor(windowsColor(160, 0, 0));
    m_scoreLabel->setTransparent(true);
    m_scoreLabel->setAutoWidth(true);

    auto* legend = new Label(this, u"Label41"_s, u"（说明：红色背景表示做错了，绿色背景表示做对了！）"_s);
    legend->setFont(songFont(9));
    legend->setForeColor(windowsColor(64, 64, 64));
    legend->setTransparent(true);
    // The design height is below the font's line height: the label grows downwards.
    const QRect legendPlace = twipsRect(2820, 7680, 4500, 180);
    legend->setGeometry(legendPlace.adjusted(
        0, 0, 0, std::max(0, legend->fontMetrics().height() + 2 - legendPlace.height())));
    legend->setAutoWidth(true);

    m_marksLegend = new ResultMarksLegend(this);
    m_marksLegend->move(legendPlace.topLeft() + QPoint(0, twipsToPixels(300)));

    m_demonstrationNote =
        new Label(this, u"demonstrationNote"_s, u"（单击题号，可查看该题的题干、解析和全程演示）"_s);
    m_demonstrationNote->setFont(songFont(9));
    m_demonstrationNote->setForeColor(windowsColor(31, 78, 150));
    m_demonstrationNote->setTransparent(true);
    m_demonstrationNote->setGeometry(
        legendPlace.translated(0, twipsToPixels(600))
            .adjusted(0, 0, 0, std::max(0, legend->fontMetrics().height() + 2 - legendPlace.height())));
    m_demonstrationNote->setAutoWidth(true);
    m_demonstrationNote->hide();

    m_keepOnTopTimer = new FormTimer(this, u"Timer1"_s, 1000);
    connect(m_keepOnTopTimer, &FormTimer::ticked, this, [this] { raise(); });
}

Label* ResultsWindow::cell(int question) const
{
    return m_cellFrame->findChild<Label*>(u"Label%1"_s.arg(question), Qt::FindDirectChildrenOnly);
}

Status ResultsWindow::load()
{
    for (int i = 1; i <= exam::maxQuestions; ++i)
        cell(i)->setEnabled(true);
    m_score = 0;
    const Result<PaperResults> results = scorePaper(&m_session);
    if (!results)
        return Status::failure(results.error(), results.code());
    m_score = results->score;
    emit handedIn();
    const int shown = std::min(static_cast<int>(results->right.size()), exam::maxQuestions);
    for (int i = 1; i <= shown; ++i) {
        const auto at = static_cast<size_t>(i - 1);
        cell(i)->setBackColor(results->right[at] ? windowsGreen : windowsRed);
        setResultMarks(cell(i), results->right[at] && results->demonstrations[at], results->hints[at]);
    }
    // A paper handed in again after 返回检查 keeps its first score; the new
    // one is its correction.
    m_firstScore = results->corrected ? results->firstScore : m_score;
    m_scoreLabel->setCaption(results->corrected ? u"得分："_s + numberText(m_firstScore) + u"　订正后："_s +
                                                      numberText(m_score)
                                                : u"得分："_s + numberText(m_score));

    // After the hand-in every question can be looked over in its review, and
    // its demonstration watched unless the paper was done in exam mode.
    const bool examMode = m_session.candidate.examMode;
    m_offered.assign(exam::maxQuestions, false);
    for (int i = 1; i <= shown; ++i) {
        m_offered[static_cast<size_t>(i - 1)] = !examMode;
        Label* c = cell(i);
        c->setCursor(Qt::PointingHandCursor);
        c->setToolTip(u"单击查看本题的试题回顾"_s);
        connect(c, &Label::clicked, this, [this, i] { emit questionReviewRequested(i); });
    }
    m_demonstrationNote->setCaption(examMode ? u"（单击题号，可查看该题的题干和解析）"_s
                                             : u"（单击题号，可查看该题的题干、解析和全程演示）"_s);
    m_demonstrationNote->setVisible(shown > 0);
    return {};
}

bool ResultsWindow::offersDemonstration(int question) const
{
    return question >= 1 && question <= static_cast<int>(m_offered.size()) &&
           m_offered[static_cast<size_t>(question - 1)];
}

void ResultsWindow::setKeptOnTop(bool onTop)
{
    m_keepOnTopTimer->setEnabled(onTop);
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (wasVisible) {
        show();
        if (onTop) {
            raise();
            activateWindow();
        } else {
            lower();
        }
    }
}

void ResultsWindow::unloading()
{
    m_keepOnTopTimer->setEnabled(false);
}

void ResultsWindow::closeEvent(QCloseEvent* event)
{
    // The window has no close box; a close request from elsewhere goes back to
    // the paper, so that the hidden bar never stays out of reach.
    event->ignore();
    emit backToPaperRequested();
}

void ResultsWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    paintBannerBackdrop(p, size(), 120, 4, 22, windowTitle());

    // A card behind the buttons, the result cells and the score.
    const QRectF card(QPointF(twipsToPixels(2500), twipsToPixels(3300)),
                      QPointF(twipsToPixels(9500), twipsToPixels(8700)));
    QPainterPath cardPath;
    cardPath.addRoundedRect(card, 6, 6);
    p.setPen(QPen(QColor(160, 182, 210), 1));
    p.setBrush(QColor(250, 252, 255));
    p.drawPath(cardPath);
}

} // namespace pptdrill

#include "moc_resultswindow.cpp"
