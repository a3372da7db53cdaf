// The window around the slides: PowerPoint without a presentation, the desktop
// once PowerPoint has closed, arranged document windows and the Office 助手.
#include "movie/widgets/slides/slidepainter.h"
#include "movie/widgets/window/kitstyle.h"
#include "movie/widgets/window/kitview.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

using namespace kit;

namespace {

// The grey that PowerPoint shows where no document window is.
const QColor kWorkspace(0x80, 0x80, 0x80);

// A document window's caption: its name, and its number once it has several windows.
QString documentCaption(const Presentation& pres, int window)
{
    return pres.window.windows > 1 ? u"%1:%2"_s.arg(pres.file).arg(window) : pres.file;
}

void paintCaptionButtons(QPainter& p, const QRect& bar, bool active)
{
    for (int i = 0; i < 3; ++i) {
        const QRect b(bar.right() - 3 * 17 + i * 17, bar.top() + 2, 15, bar.height() - 4);
        QPainterPath path;
        path.addRoundedRect(QRectF(b), 2, 2);
        p.fillPath(path, i == 2   ? QColor(0xE0, 0x4A, 0x2A)
                         : active ? QColor(0x2D, 0x6E, 0xF2)
                                  : QColor(0x8B, 0xA5, 0xE4));
        p.setPen(Qt::white);
        p.drawPath(path);
        const QRect in = b.adjusted(4, 4, -4, -4);
        if (i == 0)
            p.drawLine(in.left(), in.bottom(), in.right() - 1, in.bottom());
        else if (i == 1)
            p.drawRect(in);
        else {
            p.drawLine(in.topLeft(), in.bottomRight());
            p.drawLine(in.topRight(), in.bottomLeft());
        }
    }
}

} // namespace

QString ChromePart::windowCaption() const
{
    const Presentation& pres = m_view.m_session->presentation();
    // A document window that does not fill PowerPoint's carries its name itself.
    if (pres.window.closed || !pres.window.arrange.isEmpty())
        return u"Microsoft PowerPoint"_s;
    return u"Microsoft PowerPoint - [%1]"_s.arg(documentCaption(pres, pres.window.windows));
}

void ChromePart::paintDesktop(QPainter& p)
{
    // The Windows XP desktop: sky and hill, and the taskbar with nothing running.
    const QRect sky(0, 0, kWidth, kHeight - 30);
    QLinearGradient air(sky.topLeft(), sky.bottomLeft());
    air.setColorAt(0, QColor(0x3A, 0x7B, 0xD8));
    air.setColorAt(0.7, QColor(0xA9, 0xCF, 0xF2));
    p.fillRect(sky, air);
    QPainterPath hill;
    hill.moveTo(0, sky.bottom() - 120);
    hill.quadTo(kWidth * 0.45, sky.bottom() - 260, kWidth, sky.bottom() - 90);
    hill.lineTo(kWidth, sky.bottom() + 1);
    hill.lineTo(0, sky.bottom() + 1);
    hill.closeSubpath();
    QLinearGradient grass(0, sky.bottom() - 260, 0, sky.bottom());
    grass.setColorAt(0, QColor(0x6C, 0xB8, 0x3A));
    grass.setColorAt(1, QColor(0x2E, 0x7D, 0x1C));
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(hill, grass);
    p.setRenderHint(QPainter::Antialiasing, false);

    const QRect taskbar(0, kHeight - 30, kWidth, 30);
    QLinearGradient bar(taskbar.topLeft(), taskbar.bottomLeft());
    bar.setColorAt(0, QColor(0x3F, 0x8C, 0xF3));
    bar.setColorAt(0.15, QColor(0x24, 0x5E, 0xDC));
    bar.setColorAt(1, QColor(0x1C, 0x4F, 0xC4));
    p.fillRect(taskbar, bar);
    const QRect start(0, taskbar.top(), 96, taskbar.height());
    QLinearGradient green(start.topLeft(), start.bottomLeft());
    green.setColorAt(0, QColor(0x5E, 0xB5, 0x5A));
    green.setColorAt(1, QColor(0x2F, 0x8A, 0x2F));
    QPainterPath startShape;
    startShape.addRoundedRect(QRectF(start.adjusted(-10, 0, 0, 0)), 12, 12);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(startShape, green);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::white);
    p.setFont(uiFont(14, true));
    p.drawText(start.adjusted(12, 0, 0, 0), Qt::AlignCenter, u"开始"_s);
    p.fillRect(QRect(kWidth - 90, taskbar.top(), 90, taskbar.height()), QColor(0x0F, 0x8F, 0xEA));
}

void ChromePart::paintEmptyWorkspace(QPainter& p)
{
    p.fillRect(QRect(0, kMainY, m_view.slideAreaRect().right() + 1, m_view.drawingToolbarY() - kMainY),
               kWorkspace);
}

void ChromePart::paintArrangedWindows(QPainter& p)
{
    const Presentation& pres = m_view.m_session->presentation();
    const QRect area(0, kMainY, m_view.slideAreaRect().right() + 1, m_view.drawingToolbarY() - kMainY);
    // Every window shows the presentation as the maximized window would, made smaller.
    QImage document(m_view.size(), QImage::Format_ARGB32_Premultiplied);
    {
        // The thumbnails are painted where their (unreachable) hots would be.
        std::swap(m_view.m_hots, m_view.m_documentHots);
        QPainter d(&document);
        d.setFont(p.font());
        m_view.m_leftPane.paintLeftPane(d);
        m_view.m_slideArea.paintSlideArea(d);
        std::swap(m_view.m_hots, m_view.m_documentHots);
    }
    const QImage content = document.copy(area);
    p.fillRect(area, kWorkspace);

    const int count = pres.window.windows;
    std::vector<QRect> frames;
    if (pres.window.arrange == u"层叠"_s) {
        // Each window a step right of and below the one before, the active one (the last) on top.
        const int step = 24;
        const QSize frame(area.width() - step * (count - 1) - 40, area.height() - step * (count - 1) - 30);
        for (int i = 0; i < count; ++i)
            frames.emplace_back(area.topLeft() + QPoint(i * step, i * step), frame);
    } else {
        // Side by side, in two rows from four windows on.
        const int rows = count > 3 ? 2 : 1;
        const int columns = (count + rows - 1) / rows;
        for (int i = 0; i < count; ++i) {
            const int w = area.width() / columns, h = area.height() / rows;
            frames.emplace_back(area.left() + (i % columns) * w, area.top() + (i / columns) * h, w, h);
        }
    }
    for (int i = 0; i < count; ++i) {
        const QRect frame = frames[static_cast<size_t>(i)];
        const bool active = i == count - 1;
        p.fillRect(frame, active ? QColor(0x00, 0x54, 0xE3) : QColor(0x7A, 0x96, 0xDF));
        const QRect bar(frame.left() + 3, frame.top() + 3, frame.width() - 6, 20);
        QLinearGradient g(bar.topLeft(), bar.bottomLeft());
        g.setColorAt(0, active ? QColor(0x00, 0x58, 0xEE) : QColor(0x9D, 0xB9, 0xEB));
        g.setColorAt(0.5, active ? QColor(0x37, 0x93, 0xFF) : QColor(0xB8, 0xCC, 0xF2));
        g.setColorAt(1, active ? QColor(0x00, 0x50, 0xE6) : QColor(0x9D, 0xB9, 0xEB));
        p.fillRect(bar, g);
        paintIcon(p, QRect(bar.left() + 3, bar.top() + 2, 16, 16), u"powerpoint"_s);
        p.setPen(active ? Qt::white : QColor(0xE8, 0xEE, 0xFA));
        p.setFont(uiFont(12, true));
        p.drawText(bar.adjusted(23, 0, -56, 0), Qt::AlignVCenter, documentCaption(pres, i + 1));
        paintCaptionButtons(p, bar, active);
        const QRect client(frame.left() + 3, bar.bottom() + 1, frame.width() - 6,
                           frame.bottom() - bar.bottom() - 3);
        p.fillRect(client, QColor(0xC5, 0xD3, 0xEA));
        const QImage shrunk = content.scaled(client.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        p.drawImage(client.topLeft(), shrunk);
    }
}

void ChromePart::paintAssistant(QPainter& p)
{
    // 大眼夹 on its sheet of paper, at the bottom right of the slide area.
    const QRect area = m_view.slideAreaRect();
    const QRect sheet(area.right() - 96, m_view.drawingToolbarY() - 112, 80, 96);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath paper;
    paper.moveTo(sheet.left(), sheet.top() + 10);
    paper.quadTo(sheet.center().x(), sheet.top() - 4, sheet.right(), sheet.top() + 10);
    paper.lineTo(sheet.right(), sheet.bottom());
    paper.quadTo(sheet.center().x(), sheet.bottom() - 12, sheet.left(), sheet.bottom());
    paper.closeSubpath();
    p.fillPath(paper.translated(3, 3), QColor(0, 0, 0, 50));
    p.fillPath(paper, QColor(0xFF, 0xFC, 0xE8));
    p.setPen(QColor(0xB8, 0xB0, 0x90));
    p.drawPath(paper);
    // The clip: one wire bent into two loops.
    const QPointF c = sheet.center();
    QPainterPath wire;
    wire.moveTo(c + QPointF(-8, 30));
    wire.lineTo(c + QPointF(-8, -14));
    wire.arcTo(QRectF(c.x() - 8, c.y() - 34, 20, 20), 180, -180);
    wire.lineTo(c + QPointF(12, 24));
    wire.arcTo(QRectF(c.x() - 14, c.y() + 14, 26, 22), 0, -180);
    wire.lineTo(c + QPointF(-14, -6));
    p.setPen(QPen(QColor(0x70, 0x78, 0x88), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(wire);
    p.setPen(QPen(QColor(0xD8, 0xDC, 0xE4), 1));
    p.drawPath(wire);
    for (const double dx : {-10.0, 8.0}) {
        const QRectF eye(c.x() + dx - 7, c.y() - 22, 14, 14);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawEllipse(eye);
        p.setBrush(Qt::black);
        p.drawEllipse(eye.center() + QPointF(1.5, 1), 2.5, 2.5);
    }
    p.setBrush(Qt::NoBrush);
    p.setRenderHint(QPainter::Antialiasing, false);
}

} // namespace pptdrill
