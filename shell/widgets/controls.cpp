#include "shell/widgets/controls.h"

#include "common/widgets/fonts.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <initializer_list>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

int twipsToPixels(double twips)
{
    return static_cast<int>(std::floor(twips / twipsPerPixel + 0.5));
}

double pixelsToTwips(double pixels)
{
    return pixels * twipsPerPixel;
}

QRect twipsRect(double left, double top, double width, double height)
{
    const int x = twipsToPixels(left);
    const int y = twipsToPixels(top);
    return QRect(x, y, twipsToPixels(left + width) - x, twipsToPixels(top + height) - y);
}

namespace {

QFont fontAt(const QString& family, double points)
{
    QFont font(family);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0))));
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QPainterPath roundedPath(const QRectF& rect, double radius)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

} // namespace

QFont songFont(double points)
{
    return fontAt(songFamily(), points);
}

QFont heiFont(double points, bool bold)
{
    QFont font = fontAt(heiFamily(), points);
    font.setBold(bold);
    return font;
}

QColor colorFromWindows(int colorNumber)
{
    const auto number = static_cast<quint32>(colorNumber);
    if (number & 0x80000000u) {
        switch (number & 0xFFu) {
        case 0x05: // window
            return QColor(255, 255, 255);
        case 0x08: // window text
        case 0x12: // button text
            return QColor(0, 0, 0);
        case 0x0D: // highlight
            return QColor(49, 106, 197);
        case 0x0E: // highlight text
            return QColor(255, 255, 255);
        case 0x11: // grey text
            return QColor(172, 168, 153);
        default: // button face and the rest
            return QColor(236, 233, 216);
        }
    }
    return QColor(static_cast<int>(number & 0xFFu), static_cast<int>((number >> 8) & 0xFFu),
                  static_cast<int>((number >> 16) & 0xFFu));
}

int windowsColor(int red, int green, int blue)
{
    return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}

// ---------------------------------------------------------------- PushButton

PushButton::PushButton(QWidget* parent, const QString& name, const QString& caption) : QAbstractButton(parent)
{
    setObjectName(name);
    setText(caption);
    setFont(songFont(9));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
}

QSize PushButton::sizeHint() const
{
    const QFontMetrics fm(font());
    return QSize(fm.horizontalAdvance(text()) + 24, fm.height() + 12);
}

void PushButton::enterEvent(QEnterEvent* event)
{
    m_hot = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PushButton::leaveEvent(QEvent* event)
{
    m_hot = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void PushButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF outer = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool enabled = isEnabled();
    const bool down = isDown();

    // Face: a light gradient, darker towards the lower edge; reversed while pressed.
    QLinearGradient face(outer.topLeft(), outer.bottomLeft());
    if (!enabled) {
        face.setColorAt(0, QColor(245, 244, 234));
        face.setColorAt(1, QColor(245, 244, 234));
    } else if (down) {
        face.setColorAt(0, QColor(226, 225, 218));
        face.setColorAt(0.85, QColor(240, 239, 234));
        face.setColorAt(1, QColor(246, 246, 242));
    } else {
        face.setColorAt(0, QColor(255, 255, 255));
        face.setColorAt(0.55, QColor(245, 244, 240));
        face.setColorAt(0.9, QColor(231, 229, 221));
        face.setColorAt(1, QColor(214, 208, 197));
    }
    p.setPen(QPen(enabled ? QColor(0, 60, 116) : QColor(201, 199, 186), 1));
    p.setBrush(face);
    p.drawPath(roundedPath(outer, 3));

    // The hot rim while the pointer is over the button, the blue rim of the focus.
    const QRectF inner = outer.adjusted(1.5, 1.5, -1.5, -1.5);
    if (enabled && (m_hot || hasFocus()) && !down) {
        QLinearGradient rim(inner.topLeft(), inner.bottomLeft());
        if (m_hot) {
            rim.setColorAt(0, QColor(255, 240, 207));
            rim.setColorAt(1, QColor(229, 151, 0));
        } else {
            rim.setColorAt(0, QColor(206, 231, 255));
            rim.setColorAt(1, QColor(105, 130, 238));
        }
        p.setPen(QPen(QBrush(rim), 2));
        p.setBrush(Qt::NoBrush);
        p.drawPath(roundedPath(inner, 2));
    }

    p.setRenderHint(QPainter::Antialiasing, false);
    p.setFont(font());
    p.setPen(enabled ? QColor(0, 0, 0) : QColor(172, 168, 153));
    QRect textRect = rect().adjusted(3, 2, -3, -2);
    if (down)
        textRect.translate(1, 1);
    p.drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine, text());

    if (hasFocus() && enabled) {
        QPen dots(QColor(0, 0, 0), 1, Qt::DotLine);
        p.setPen(dots);
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(4, 4, -5, -5));
    }
}

// --------------------------------------------------------------------- Label

Label::Label(QWidget* parent, const QString& name, const QString& caption, int designBackColor)
    : QWidget(parent), m_caption(caption), m_backColor(designBackColor)
{
    setObjectName(name);
    setFont(songFont(9));
}

void Label::setCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    fitWidth();
    update();
}

void Label::setBackColor(int colorNumber)
{
    m_backColor = colorNumber;
    update();
}

void Label::setForeColor(int colorNumber)
{
    m_foreColor = colorNumber;
    update();
}

void Label::setTransparent(bool transparent)
{
    m_transparent = transparent;
    update();
}

void Label::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    update();
}

void Label::setAutoWidth(bool autoWidth)
{
    m_autoWidth = autoWidth;
    fitWidth();
}

void Label::fitWidth()
{
    if (!m_autoWidth)
        return;
    if (m_designWidth < 0)
        m_designWidth = width();
    const int needed = QFontMetrics(font()).horizontalAdvance(m_caption) + 2;
    resize(std::max(m_designWidth, needed), height());
}

QSize Label::sizeHint() const
{
    const QFontMetrics fm(font());
    return QSize(fm.horizontalAdvance(m_caption) + 2, fm.height());
}

void Label::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        fitWidth();
    QWidget::changeEvent(event);
}

void Label::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
}

void Label::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click =
        m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked();
}

void Label::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!m_transparent)
        p.fillRect(rect(), colorFromWindows(m_backColor));
    p.setFont(font());
    p.setPen(isEnabled() ? colorFromWindows(m_foreColor) : QColor(172, 168, 153));
    p.drawText(rect().adjusted(1, 0, -1, 0), static_cast<int>(m_alignment) | Qt::TextSingleLine, m_caption);
}

// --------------------------------------------------------------- ProgressBar

ProgressBar::ProgressBar(QWidget* parent, const QString& name) : QWidget(parent)
{
    setObjectName(name);
}

void ProgressBar::setMinimum(int minimum)
{
    m_minimum = minimum;
    update();
}

void ProgressBar::setMaximum(int maximum)
{
    m_maximum = maximum;
    update();
}

void ProgressBar::setValue(int value)
{
    m_value = value;
    update();
}

double ProgressBar::filledFraction() const
{
    if (m_maximum <= m_minimum)
        return m_value >= m_maximum ? 1.0 : 0.0;
    const double share =
        (static_cast<double>(m_value) - m_minimum) / (static_cast<double>(m_maximum) - m_minimum);
    return std::clamp(share, 0.0, 1.0);
}

void ProgressBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF outer = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(QColor(104, 104, 104), 1));
    QLinearGradient trough(outer.topLeft(), outer.bottomLeft());
    trough.setColorAt(0, QColor(236, 236, 232));
    trough.setColorAt(0.3, QColor(255, 255, 255));
    trough.setColorAt(1, QColor(244, 244, 240));
    p.setBrush(trough);
    p.drawPath(roundedPath(outer, 3));

    // Green blocks with small gaps, as the system's own progress bars draw them.
    p.setRenderHint(QPainter::Antialiasing, false);
    const QRect area = rect().adjusted(3, 3, -3, -3);
    const int filled = static_cast<int>(std::lround(area.width() * filledFraction()));
    if (filled <= 0 || area.height() <= 0)
        return;
    QLinearGradient block(area.topLeft(), area.bottomLeft());
    block.setColorAt(0, QColor(172, 237, 165));
    block.setColorAt(0.45, QColor(43, 209, 41));
    block.setColorAt(1, QColor(115, 222, 110));
    const int blockWidth = std::max(6, area.height() * 2 / 3);
    const int gap = 2;
    p.setClipRect(QRect(area.left(), area.top(), filled, area.height()));
    for (int x = area.left(); x < area.left() + filled; x += blockWidth + gap)
        p.fillRect(QRect(x, area.top(), blockWidth, area.height()), block);
}

// ------------------------------------------------------------------ GroupBox

GroupBox::GroupBox(QWidget* parent, const QString& name, const QString& caption)
    : QWidget(parent), m_caption(caption)
{
    setObjectName(name);
    setFont(songFont(9));
}

void GroupBox::setCaption(const QString& caption)
{
    m_caption = caption;
    update();
}

void GroupBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(font());
    const QFontMetrics fm(font());
    const int captionWidth = m_caption.isEmpty() ? 0 : fm.horizontalAdvance(m_caption) + 6;
    const double frameTop = fm.height() / 2.0;
    const QRectF frame = QRectF(rect()).adjusted(0.5, frameTop + 0.5, -0.5, -0.5);

    p.save();
    if (captionWidth > 0)
        p.setClipRegion(QRegion(rect()).subtracted(QRegion(7, 0, captionWidth, fm.height())));
    p.setPen(QPen(QColor(208, 208, 191), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(roundedPath(frame, 3));
    p.restore();

    if (captionWidth > 0) {
        p.setPen(isEnabled() ? QColor(0, 70, 213) : QColor(172, 168, 153));
        p.drawText(QRect(10, 0, captionWidth, fm.height()), Qt::AlignLeft | Qt::AlignVCenter, m_caption);
    }
}

QPixmap newPicture(QSize logicalSize, const QColor& fill)
{
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap picture(logicalSize * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(fill);
    return picture;
}

// --------------------------------------------------------------------- Image

Image::Image(QWidget* parent, const QString& name, const QPixmap& picture)
    : QWidget(parent), m_picture(picture)
{
    setObjectName(name);
    // Like the picture box it stands for, the control takes its picture's size.
    resize(picture.deviceIndependentSize().toSize());
}

void Image::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawPixmap(0, 0, m_picture);
}

} // namespace pptdrill

#include "moc_controls.cpp"
