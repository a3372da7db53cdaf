#include "paper/resultsform.h"

#include "paper/handin.h"
#include "paper/results.h"
#include "platform/programfolder.h"
#include "shell/controls.h"
#include "shell/examflow.h"
#include "shell/forms.h"
#include "shell/formtimer.h"
#include "shell/programend.h"
#include "shell/programstate.h"

#include <QCloseEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

FormVariable<JjjsForm> jjjsForm;

namespace {

constexpr int cellCount = 40;
const int rightColor = windowsColor(0, 255, 0);
const int wrongColor = windowsColor(255, 0, 0);

} // namespace

JjjsForm::JjjsForm() : Form(u"jjjs"_s)
{
    setWindowTitle(u"交卷结束"_s);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint);
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(twipsToPixels(12000), twipsToPixels(9000));
    centreOnScreen(this);

    m_frame1 = new GroupBox(this, u"Frame1"_s);
    m_frame1->setGeometry(twipsRect(2813, 4560, 6375, 2415));
    for (int i = 1; i <= cellCount; ++i) {
        auto* cell = new Label(m_frame1, u"Label%1"_s.arg(i), QString::number(i).rightJustified(2, u'0'));
        cell->setGeometry(twipsRect(120 + 640 * ((i - 1) % 10), 240 + 560 * ((i - 1) / 10), 330, 315));
        cell->setFont(songFont(9));
        cell->setAlignment(Qt::AlignCenter);
        cell->setEnabled(false);
    }

    m_newPractice = new PushButton(this, u"PushButton1"_s, u"重选套题练习"_s);
    m_newPractice->setGeometry(twipsRect(3420, 3600, 1455, 495));
    m_backToPaper = new PushButton(this, u"PushButton2"_s, u"返回检查"_s);
    m_backToPaper->setGeometry(twipsRect(5280, 3600, 1455, 495));
    m_quit = new PushButton(this, u"PushButton3"_s, u"退出"_s);
    m_quit->setGeometry(twipsRect(7140, 3600, 1455, 495));
    for (PushButton* button : {m_newPractice, m_backToPaper, m_quit})
        button->setFont(songFont(10.5));
    connect(m_newPractice, &PushButton::Click, this, &JjjsForm::PushButton1Click);
    connect(m_backToPaper, &PushButton::Click, this, &JjjsForm::PushButton2Click);
    connect(m_quit, &PushButton::Click, this, &JjjsForm::PushButton3Click);

    m_yfdflb = new Label(this, u"yfdflb"_s, u"得分："_s);
    m_yfdflb->setGeometry(twipsRect(2820, 7200, 855, 285));
    m_yfdflb->setFont(heiFont(11, true));
    m_yfdflb->setForeColor(windowsColor(160, 0, 0));
    m_yfdflb->setTransparent(true);
    m_yfdflb->setAutoWidth(true);

    auto* legend = new Label(this, u"Label41"_s, u"（说明：红色背景表显做错了，绿色背景表示做对了！）"_s);
    legend->setFont(songFont(9));
    legend->setForeColor(windowsColor(64, 64, 64));
    legend->setTransparent(true);
    // The design height is below the font's line height: the label grows downwards.
    const QRect legendPlace = twipsRect(2820, 7680, 4500, 180);
    legend->setGeometry(legendPlace.adjusted(
        0, 0, 0, std::max(0, legend->fontMetrics().height() + 2 - legendPlace.height())));
    legend->setAutoWidth(true);

    m_timer1 = new FormTimer(this, u"Timer1"_s, 1000);
    connect(m_timer1, &FormTimer::Timer, this, &JjjsForm::Timer1Timer);
}

Label* JjjsForm::cell(int n) const
{
    return m_frame1->findChild<Label*>(u"Label%1"_s.arg(n), Qt::FindDirectChildrenOnly);
}

bool JjjsForm::Load()
{
    for (int i = 1; i <= cellCount; ++i)
        cell(i)->setEnabled(true);
    m_score = 0;
    const Result<PaperResults> results = scorePaper();
    if (!results) {
        failProgram(results.error());
        return false;
    }
    m_score = results->score;
    const int shown = std::min(static_cast<int>(results->right.size()), cellCount);
    for (int i = 1; i <= shown; ++i)
        cell(i)->setBackColor(results->right[static_cast<size_t>(i - 1)] ? rightColor : wrongColor);
    m_yfdflb->setCaption(u"得分："_s + numberText(m_score));
    return true;
}

void JjjsForm::Timer1Timer()
{
    raise();
}

void JjjsForm::PushButton2Click()
{
    jjjsForm.unload();
    if (examflow::showBarAgain)
        examflow::showBarAgain();
}

void JjjsForm::PushButton1Click()
{
    closeallowed = true;
    if (examflow::closeBar)
        examflow::closeBar();
    if (currentrs) {
        currentrs->close();
        currentrs.reset();
    }
    stopPlayer();
    if (Status removed = removeStagedMovies(); !removed) {
        failProgram(removed.error());
        return;
    }
    jjjsForm.unload();
    showMainMenu();
}

void JjjsForm::PushButton3Click()
{
    const Status removed = removeStagedMovies();
    stopPlayer();
    jjjsForm.unload();
    if (!removed)
        failProgram(removed.error());
    else
        endProgram(0);
}

void JjjsForm::unloading()
{
    m_timer1->setEnabled(false);
}

void JjjsForm::closeEvent(QCloseEvent* event)
{
    // The window has no close box; a close request from elsewhere goes back to
    // the paper, so that the hidden bar never stays out of reach.
    event->ignore();
    PushButton2Click();
}

void JjjsForm::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(0, 0, 0, height());
    background.setColorAt(0, QColor(232, 240, 250));
    background.setColorAt(1, QColor(204, 219, 238));
    p.fillRect(rect(), background);

    const QRect banner(0, 0, width(), 120);
    QLinearGradient bannerFill(0, 0, 0, banner.height());
    bannerFill.setColorAt(0, QColor(31, 78, 150));
    bannerFill.setColorAt(1, QColor(18, 52, 110));
    p.fillRect(banner, bannerFill);
    p.fillRect(QRect(0, banner.bottom() - 3, width(), 4), QColor(240, 170, 30));
    p.setPen(Qt::white);
    p.setFont(heiFont(22, true));
    p.drawText(banner.adjusted(0, 0, 0, -4), Qt::AlignCenter, windowTitle());

    // A card behind the buttons, the result cells and the score.
    const QRectF card(QPointF(twipsToPixels(2500), twipsToPixels(3300)),
                      QPointF(twipsToPixels(9500), twipsToPixels(8250)));
    QPainterPath cardPath;
    cardPath.addRoundedRect(card, 6, 6);
    p.setPen(QPen(QColor(160, 182, 210), 1));
    p.setBrush(QColor(250, 252, 255));
    p.drawPath(cardPath);
}

} // namespace pptdrill
