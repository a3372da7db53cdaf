#include "paper/handin.h"

#include "paper/resultsform.h"
#include "platform/processes.h"
#include "shell/controls.h"
#include "shell/examflow.h"
#include "shell/forms.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

FormVariable<WzwjjForm> wzwjjForm;
FormVariable<JjzctxForm> jjzctxForm;

namespace {

std::function<void()> g_playerStopper;

const QString handInNotice = u"“交卷”表示您已经完成本次考试，并且交卷完成后，您将不能重新登录进入本场考试。"
                             u"按“确定”按钮表示同意交卷，按“取消”按钮继续本场考试。"_s;

// The message picture: a pale panel with a warning sign, the heading in red
// and the message above the buttons, which sit at 2520 twips.
QPixmap confirmationPicture(QSize size, const QString& heading, const QString& warning)
{
    QPixmap picture(size);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(0, 0, 0, size.height());
    background.setColorAt(0, QColor(255, 255, 255));
    background.setColorAt(1, QColor(221, 232, 246));
    p.fillRect(picture.rect(), background);
    p.setPen(QColor(127, 157, 185));
    p.drawLine(0, 0, size.width(), 0);

    const int margin = 16;
    // Chinese text wrapped character by character, with room between the lines
    // (the Song face's own line height lets the lines touch).
    const auto drawSpacedText = [](QPainter& p, const QRect& r, const QString& text) {
        const QFontMetrics fm = p.fontMetrics();
        const int step = fm.height() * 3 / 2;
        int y = r.top();
        QString line;
        static const QString noLineStart = u"，。、；：！？”）》"_s;
        for (const QChar ch : text) {
            // Closing punctuation never starts a line: it hangs at the end of the last one.
            if (fm.horizontalAdvance(line + ch) > r.width() && !line.isEmpty() && !noLineStart.contains(ch)) {
                p.drawText(QRect(r.left(), y, r.width(), step), Qt::AlignLeft | Qt::AlignVCenter, line);
                y += step;
                line.clear();
            }
            line += ch;
        }
        if (!line.isEmpty())
            p.drawText(QRect(r.left(), y, r.width(), step), Qt::AlignLeft | Qt::AlignVCenter, line);
    };
    // The warning sign.
    const QRectF sign(margin, 14, 26, 23);
    QPainterPath triangle;
    triangle.moveTo(sign.center().x(), sign.top());
    triangle.lineTo(sign.right(), sign.bottom());
    triangle.lineTo(sign.left(), sign.bottom());
    triangle.closeSubpath();
    p.setPen(QPen(QColor(196, 120, 0), 1.2));
    p.setBrush(QColor(255, 204, 0));
    p.drawPath(triangle);
    p.setPen(QColor(60, 40, 0));
    p.setFont(heiFont(11, true));
    p.drawText(sign.adjusted(0, 5, 0, 0), Qt::AlignCenter, u"!"_s);

    p.setPen(QColor(204, 0, 0));
    p.setFont(heiFont(12, true));
    const QRect headingRect(margin + 34, 12, size.width() - margin - 50, 28);
    p.drawText(headingRect, Qt::AlignLeft | Qt::AlignVCenter, heading);

    int top = 48;
    const int textWidth = size.width() - 2 * margin;
    if (!warning.isEmpty()) {
        p.setPen(QColor(204, 0, 0));
        p.setFont(songFont(10.5));
        const QRect line = p.fontMetrics().boundingRect(QRect(margin, top, textWidth, 100),
                                                        Qt::AlignLeft | Qt::TextWordWrap, warning);
        p.drawText(line, Qt::AlignLeft | Qt::TextWordWrap, warning);
        top = line.bottom() + 8;
    }
    p.setPen(QColor(16, 32, 64));
    p.setFont(songFont(10.5));
    drawSpacedText(p, QRect(margin, top, textWidth, twipsToPixels(2520) - top - 6), handInNotice);
    return picture;
}

} // namespace

HandInConfirmation::HandInConfirmation(const Design& design) : Form(design.name)
{
    setWindowTitle(u"提醒"_s);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setWindowModality(Qt::ApplicationModal);
    const QSize size(twipsToPixels(design.width), twipsToPixels(design.height));
    setFixedSize(size);
    centreOnScreen(this);

    auto* picture = new Image(this, u"Image1"_s, confirmationPicture(size, design.heading, design.warning));
    picture->setGeometry(rect());

    m_ok = new PushButton(this, u"PushButton1"_s, u"确定"_s);
    m_ok->setFont(songFont(10.5));
    m_ok->setGeometry(twipsRect(1080, 2520, design.okWidth, design.buttonHeight));
    m_cancel = new PushButton(this, u"PushButton2"_s, u"取消"_s);
    m_cancel->setFont(songFont(10.5));
    m_cancel->setGeometry(twipsRect(3120, 2520, design.cancelWidth, design.buttonHeight));
}

WzwjjForm::WzwjjForm()
    : HandInConfirmation(
          {u"wzwjj"_s, 5460, 3150, u"【重要提醒】"_s, u"您还有题目未做或仍处于标识状态！"_s, 1150, 1155, 405})
{
    connect(PushButton1(), &PushButton::Click, this, &WzwjjForm::PushButton1Click);
    connect(PushButton2(), &PushButton::Click, this, &WzwjjForm::PushButton2Click);
    // Closing it from its caption bar keeps the paper going, as "取消" does.
    connect(this, &Form::closeRequested, this, &WzwjjForm::PushButton2Click);
}

void WzwjjForm::PushButton1Click()
{
    wzwjjForm.unload();
    jjzctxForm->show();
}

void WzwjjForm::PushButton2Click()
{
    wzwjjForm.unload();
}

JjzctxForm::JjzctxForm()
    : HandInConfirmation({u"jjzctx"_s, 5640, 3120, u"【再次提醒】"_s, QString(), 1215, 1215, 380})
{
    connect(PushButton1(), &PushButton::Click, this, &JjzctxForm::PushButton1Click);
    connect(PushButton2(), &PushButton::Click, this, &JjzctxForm::PushButton2Click);
    connect(this, &Form::closeRequested, this, &JjzctxForm::PushButton2Click);
}

void JjzctxForm::PushButton1Click()
{
    jjzctxForm.unload();
    if (examflow::hideBar)
        examflow::hideBar();
    showResults();
}

void JjzctxForm::PushButton2Click()
{
    jjzctxForm.unload();
}

void confirmHandIn(int undone)
{
    if (undone > 0)
        wzwjjForm->show();
    else
        jjzctxForm->show();
}

void showResults()
{
    wzwjjForm.unload();
    jjzctxForm.unload();
    if (JjjsForm* open = jjjsForm.loaded()) {
        open->raise();
        open->activateWindow();
        return;
    }
    JjjsForm* results = jjjsForm.get();
    if (!results->Load()) {
        jjjsForm.unload();
        return;
    }
    results->show();
}

void installHandIn()
{
    examflow::confirmHandIn = confirmHandIn;
    examflow::showResults = showResults;
    examflow::resultsShowing = [] { return jjjsForm.isLoaded(); };
}

void stopPlayer()
{
    if (g_playerStopper)
        g_playerStopper();
    else
        stopRunningPlayer();
}

void setPlayerStopper(std::function<void()> stopper)
{
    g_playerStopper = std::move(stopper);
}

} // namespace pptdrill
