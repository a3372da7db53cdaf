#include "paper/widgets/handinconfirmation.h"

#include "shell/widgets/controls.h"
#include "shell/widgets/screen.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

const QString handInNotice = u"“交卷”表示您已经完成本次考试，并且交卷完成后，您将不能重新登录进入本场考试。"
                             u"按“确定”按钮表示同意交卷，按“取消”按钮继续本场考试。"_s;

// The message picture: a pale panel with a warning sign, the heading in red
// and the message above the buttons, which sit at 2520 twips.
QPixmap confirmationPicture(QSize size, const QString& heading, const QString& warning)
{
    QPixmap picture = newPicture(size);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(0, 0, 0, size.height());
    background.setColorAt(0, QColor(255, 255, 255));
    background.setColorAt(1, QColor(221, 232, 246));
    p.fillRect(QRect(QPoint(), size), background);
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

    m_okButton = new PushButton(this, u"PushButton1"_s, u"确定"_s);
    m_okButton->setFont(songFont(10.5));
    m_okButton->setGeometry(twipsRect(1080, 2520, design.okWidth, design.buttonHeight));
    m_cancelButton = new PushButton(this, u"PushButton2"_s, u"取消"_s);
    m_cancelButton->setFont(songFont(10.5));
    m_cancelButton->setGeometry(twipsRect(3120, 2520, design.cancelWidth, design.buttonHeight));
}

} // namespace pptdrill

#include "moc_handinconfirmation.cpp"
