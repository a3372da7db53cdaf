#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <QWidget>

// The control set of the main program's windows: push buttons, labels, a
// progress bar and a group box with the operations the windows rely on.
// Positions and sizes come in twips, at 15 twips per logical pixel.
namespace pptdrill {

inline constexpr double twipsPerPixel = 15.0;

int twipsToPixels(double twips);
double pixelsToTwips(double pixels);
// A rectangle given as Left, Top, Width, Height in twips, in pixels. Its edges
// are rounded one by one, so controls that touch in twips touch on screen.
QRect twipsRect(double left, double top, double width, double height);

// The Song face that stands for 宋体, and a Hei face for titles, at a size in
// points (converted at 96 dots per inch, so the windows look the same on
// every screen).
QFont songFont(double points);

// A picture of `logicalSize` pixels, filled with `fill`, whose pixels are those of
// the screen (the highest device pixel ratio of the screens): drawn on with logical
// coordinates, it stays sharp at a scale factor of 2.
QPixmap newPicture(QSize logicalSize, const QColor& fill = Qt::white);
QFont heiFont(double points, bool bold = false);

// Windows colour numbers: 0x00BBGGRR, or 0x80000000 + a system colour index.
QColor colorFromWindows(int colorNumber);
int windowsColor(int red, int green, int blue);
inline constexpr int windowsButtonFace = static_cast<int>(0x8000000F);
inline constexpr int windowsButtonText = static_cast<int>(0x80000012);
// The grids' colours: green for a visited or right question, red for a marked
// or wrong one.
inline constexpr int windowsGreen = 0x00FF00;
inline constexpr int windowsRed = 0x0000FF;

class PushButton : public QAbstractButton
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)

public:
    explicit PushButton(QWidget* parent, const QString& name, const QString& caption = QString());

    QString caption() const { return text(); }
    void setCaption(const QString& caption) { setText(caption); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool m_hot = false;
};

class Label : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(int BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(int ForeColor READ foreColor WRITE setForeColor)

public:
    // `designBackColor` is what BackColor reads until it is written.
    explicit Label(QWidget* parent, const QString& name, const QString& caption = QString(),
                   int designBackColor = windowsButtonFace);

    const QString& caption() const { return m_caption; }
    void setCaption(const QString& caption);
    int backColor() const { return m_backColor; }
    void setBackColor(int colorNumber);
    int foreColor() const { return m_foreColor; }
    void setForeColor(int colorNumber);

    // A transparent label draws only its text over what lies behind it.
    void setTransparent(bool transparent);
    void setAlignment(Qt::Alignment alignment);
    // Grows (never shrinks below its design width) to show its whole caption.
    void setAutoWidth(bool autoWidth);

    QSize sizeHint() const override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void fitWidth();

    QString m_caption;
    int m_backColor;
    int m_foreColor = windowsButtonText;
    bool m_transparent = false;
    bool m_autoWidth = false;
    bool m_pressed = false;
    int m_designWidth = -1;
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

// Any minimum, maximum and value are accepted as written; only the drawing
// keeps the bar within its frame.
class ProgressBar : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int Min READ minimum WRITE setMinimum)
    Q_PROPERTY(int Max READ maximum WRITE setMaximum)
    Q_PROPERTY(int Value READ value WRITE setValue)

public:
    ProgressBar(QWidget* parent, const QString& name);

    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    int value() const { return m_value; }
    void setMinimum(int minimum);
    void setMaximum(int maximum);
    void setValue(int value);
    // The drawn share of the bar, 0 … 1.
    double filledFraction() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_minimum = 0;
    int m_maximum = 100;
    int m_value = 0;
};

class GroupBox : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)

public:
    GroupBox(QWidget* parent, const QString& name, const QString& caption = QString());

    const QString& caption() const { return m_caption; }
    void setCaption(const QString& caption);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_caption;
};

// A picture drawn at its top left corner.
class Image : public QWidget
{
    Q_OBJECT

public:
    Image(QWidget* parent, const QString& name, const QPixmap& picture);

    const QPixmap& picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
};

} // namespace pptdrill
