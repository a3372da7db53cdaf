#include "bar/widgets/baricon.h"

#include "platform/widgets/windowsystem.h"
#include "shell/widgets/controls.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

// The bar's artwork: a small question sheet on a blue tile.
QPixmap iconArtwork()
{
    QPixmap picture = newPicture(QSize(50, 50), QColor(0x1f, 0x4e, 0x96));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0xc8, 0xd8, 0xf0), 1));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(9.5, 6.5, 31, 37), 3, 3);
    painter.setPen(QPen(QColor(0x1f, 0x4e, 0x96), 2));
    for (int y = 15; y <= 33; y += 6)
        painter.drawLine(15, y, 35, y);
    painter.setPen(QColor(0xd0, 0x20, 0x20));
    painter.setFont(heiFont(9, true));
    painter.drawText(QRect(26, 30, 20, 16), Qt::AlignCenter, u"题"_s);
    return picture;
}

} // namespace

QPoint bottomRightOfWorkArea(QSize outer)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {0, 0};
    const QRect whole = screen->geometry();
    const QRect work = screen->availableGeometry();
    return {whole.x() + whole.width() - outer.width(), work.y() + work.height() - outer.height()};
}

BarIcon::BarIcon() : Form(u"stbarico"_s)
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool);
    setFixedSize(twipsToPixels(780), twipsToPixels(780));
    new Image(this, u"Image1"_s, iconArtwork());
    m_keepOnTopTimer = new FormTimer(this, u"Timer1"_s, 1000, false);
    const auto keepOnTop = [this] {
        if (isVisible())
            raise();
    };
    connect(m_keepOnTopTimer, &FormTimer::ticked, this, keepOnTop);
    connect(new CoverWatch(this), &CoverWatch::covered, this, keepOnTop);
}

void BarIcon::load()
{
    m_dragging = false;
    move(bottomRightOfWorkArea(size()));
    m_keepOnTopTimer->setEnabled(true);
}

void BarIcon::unloading()
{
    m_keepOnTopTimer->setEnabled(false);
}

void BarIcon::mousePressEvent(QMouseEvent* event)
{
    m_dragging = true;
    m_pressedAt = event->globalPosition().toPoint();
    event->accept();
}

void BarIcon::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    if (!m_dragging)
        return;
    if (!m_drag.isFollowing())
        m_drag.start(m_pressedAt);
    if (!m_drag.isFollowing()) {
        // The window manager moves the icon now and keeps the release: the
        // drag is over here, or the next motion over the icon would start a
        // move that no release ends.
        m_dragging = false;
        return;
    }
    m_drag.follow(event->globalPosition().toPoint());
}

void BarIcon::mouseReleaseEvent(QMouseEvent* event)
{
    m_dragging = false;
    m_drag.stop();
    event->accept();
}

void BarIcon::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    emit restoreRequested();
}

} // namespace pptdrill

#include "moc_baricon.cpp"
