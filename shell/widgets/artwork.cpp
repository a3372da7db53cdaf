#include "shell/widgets/artwork.h"

#include "common/widgets/prerendered.h"
#include "shell/widgets/controls.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

constexpr int artWidth = 800;
constexpr int artHeight = 600;

const QColor darkBlue(16, 52, 120);
const QColor titleGold(255, 214, 102);

QPixmap newCanvas()
{
    return newPicture(QSize(artWidth, artHeight));
}

// The pale body with a few wide arcs behind the controls.
void drawBody(QPainter& p, int top, int bottom)
{
    QLinearGradient body(0, top, 0, bottom);
    body.setColorAt(0, QColor(238, 244, 252));
    body.setColorAt(1, QColor(212, 226, 244));
    p.fillRect(QRect(0, top, artWidth, bottom - top), body);

    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(QRect(0, top, artWidth, bottom - top));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 4; ++i) {
        p.setPen(QPen(QColor(255, 255, 255, 120 - i * 22), 18 - i * 3));
        p.drawEllipse(QPointF(artWidth + 60, bottom + 40), 260.0 + i * 70, 220.0 + i * 60);
    }
    p.restore();
}

// A round emblem: a lectern screen with a chart, ringed in white.
void drawEmblem(QPainter& p, const QPointF& centre, double radius)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient disc(centre - QPointF(radius * 0.3, radius * 0.35), radius * 1.3);
    disc.setColorAt(0, QColor(120, 180, 255));
    disc.setColorAt(1, QColor(10, 60, 150));
    p.setPen(QPen(QColor(255, 255, 255), 3));
    p.setBrush(disc);
    p.drawEllipse(centre, radius, radius);
    p.setPen(QPen(QColor(255, 214, 102), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, radius - 5, radius - 5);

    const QRectF screen(centre.x() - radius * 0.52, centre.y() - radius * 0.46, radius * 1.04, radius * 0.72);
    p.setPen(QPen(QColor(255, 255, 255), 2));
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawRoundedRect(screen, 2, 2);
    // Bars of a chart on the screen.
    const double base = screen.bottom() - 4;
    const double barWidth = screen.width() / 7;
    const double heights[] = {0.35, 0.6, 0.45, 0.8};
    const QColor colours[] = {QColor(255, 214, 102), QColor(255, 140, 80), QColor(130, 220, 120),
                              QColor(255, 255, 255)};
    for (int i = 0; i < 4; ++i) {
        const double h = (screen.height() - 10) * heights[i];
        p.fillRect(QRectF(screen.left() + barWidth * (0.8 + i * 1.4), base - h, barWidth, h), colours[i]);
    }
    // The stand under the screen.
    p.setPen(QPen(QColor(255, 255, 255), 2));
    p.drawLine(QPointF(centre.x(), screen.bottom()), QPointF(centre.x(), screen.bottom() + radius * 0.22));
    p.drawLine(QPointF(centre.x() - radius * 0.28, screen.bottom() + radius * 0.26),
               QPointF(centre.x() + radius * 0.28, screen.bottom() + radius * 0.26));
    p.restore();
}

// The blue title band across the top, with the gold rule under it.
// A title in white on the band, with a soft shadow below right.
void drawTitle(QPainter& p, const QRect& where, const QString& text)
{
    p.setPen(QColor(0, 20, 70, 140));
    p.drawText(where.translated(2, 2), Qt::AlignLeft | Qt::AlignVCenter, text);
    p.setPen(Qt::white);
    p.drawText(where, Qt::AlignLeft | Qt::AlignVCenter, text);
}

void drawBand(QPainter& p, int height)
{
    QLinearGradient band(0, 0, 0, height);
    band.setColorAt(0, QColor(9, 50, 128));
    band.setColorAt(0.55, QColor(28, 92, 190));
    band.setColorAt(1, QColor(14, 66, 160));
    p.fillRect(QRect(0, 0, artWidth, height), band);

    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    // A soft sheen and thin light streaks to the right.
    QLinearGradient sheen(0, 0, 0, height * 0.5);
    sheen.setColorAt(0, QColor(255, 255, 255, 50));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(QRect(0, 0, artWidth, height / 2), sheen);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 6; ++i) {
        QPainterPath streak;
        const double x = 470 + i * 52;
        streak.moveTo(x, height);
        streak.lineTo(x + 90, 0);
        streak.lineTo(x + 112, 0);
        streak.lineTo(x + 22, height);
        streak.closeSubpath();
        p.setBrush(QColor(255, 255, 255, 10 + (i % 3) * 6));
        p.drawPath(streak);
    }
    p.restore();

    p.fillRect(QRect(0, height, artWidth, 3), QColor(243, 180, 60));
    p.fillRect(QRect(0, height + 3, artWidth, 1), QColor(255, 255, 255));
}

void drawFooter(QPainter& p, int top, const QString& left, const QString& right)
{
    QLinearGradient footer(0, top, 0, artHeight);
    footer.setColorAt(0, QColor(28, 78, 160));
    footer.setColorAt(1, QColor(10, 44, 110));
    p.fillRect(QRect(0, top, artWidth, artHeight - top), footer);
    p.fillRect(QRect(0, top, artWidth, 1), QColor(243, 180, 60));
    p.setFont(songFont(9));
    p.setPen(QColor(214, 228, 250));
    // The visible client of the menu is 794 pixels wide: keep clear of the right edge.
    const QRect text(16, top + 1, 760, artHeight - top - 2);
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, left);
    p.drawText(text, Qt::AlignRight | Qt::AlignVCenter, right);
}

// A white panel with a titled header strip.
void drawPanel(QPainter& p, const QRect& rect, const QString& title, int headerHeight)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    // Shadow.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 70, 120, 40));
    p.drawRoundedRect(QRectF(rect).translated(3, 3), 6, 6);
    p.setPen(QPen(QColor(122, 154, 204), 1));
    p.setBrush(QColor(255, 255, 255, 235));
    const QRectF frame = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
    p.drawRoundedRect(frame, 6, 6);
    if (headerHeight > 0) {
        QPainterPath header;
        header.addRoundedRect(frame, 6, 6);
        QPainterPath clip;
        clip.addRect(QRectF(frame.left(), frame.top(), frame.width(), headerHeight));
        QLinearGradient strip(frame.topLeft(), QPointF(frame.left(), frame.top() + headerHeight));
        strip.setColorAt(0, QColor(74, 130, 214));
        strip.setColorAt(1, QColor(30, 86, 176));
        p.setPen(Qt::NoPen);
        p.setBrush(strip);
        p.drawPath(header.intersected(clip));
        p.setFont(heiFont(11, true));
        p.setPen(Qt::white);
        p.drawText(QRectF(frame.left(), frame.top(), frame.width(), headerHeight), Qt::AlignCenter, title);
    }
    p.restore();
}

// A caption tab at the upper left of a framed section, with a small square mark.
void drawSectionTitle(QPainter& p, int x, int y, const QString& title)
{
    p.fillRect(QRect(x, y + 4, 6, 12), QColor(243, 150, 30));
    p.setFont(heiFont(11, true));
    p.setPen(darkBlue);
    p.drawText(QRect(x + 12, y, 300, 20), Qt::AlignLeft | Qt::AlignVCenter, title);
}

void drawSection(QPainter& p, const QRect& rect, const QString& title)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(140, 168, 212), 1));
    p.setBrush(QColor(255, 255, 255, 225));
    p.drawRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    p.restore();
    drawSectionTitle(p, rect.left() + 12, rect.top() + 6, title);
    p.fillRect(QRect(rect.left() + 12, rect.top() + 28, rect.width() - 24, 1), QColor(200, 214, 236));
}

// A caption right-aligned so that it ends just before `right`.
void drawFieldCaption(QPainter& p, int right, int top, int height, const QString& caption)
{
    p.drawText(QRect(right - 120, top, 120, height), Qt::AlignRight | Qt::AlignVCenter, caption);
}

// Head and shoulders of a person, for the login and the photo frame.
void drawPerson(QPainter& p, const QRectF& box, const QColor& colour)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    const double headRadius = box.width() * 0.2;
    const QPointF head(box.center().x(), box.top() + box.height() * 0.34);
    p.drawEllipse(head, headRadius, headRadius * 1.12);
    QPainterPath shoulders;
    const double top = head.y() + headRadius * 1.35;
    shoulders.moveTo(box.left() + box.width() * 0.12, box.bottom());
    shoulders.cubicTo(box.left() + box.width() * 0.12, top, box.right() - box.width() * 0.12, top,
                      box.right() - box.width() * 0.12, box.bottom());
    shoulders.closeSubpath();
    p.drawPath(shoulders);
    p.restore();
}

// A slide with a title bar and bullet lines, the module's sign.
void drawSlideSign(QPainter& p, const QRectF& box)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(120, 140, 170), 1));
    p.setBrush(QColor(250, 250, 246));
    p.drawRoundedRect(box.translated(6, 6), 4, 4);
    QLinearGradient slide(box.topLeft(), box.bottomLeft());
    slide.setColorAt(0, QColor(255, 255, 255));
    slide.setColorAt(1, QColor(232, 240, 252));
    p.setBrush(slide);
    p.drawRoundedRect(box, 4, 4);
    const QRectF titleBar(box.left() + 10, box.top() + 10, box.width() - 20, box.height() * 0.2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(214, 96, 40));
    p.drawRoundedRect(titleBar, 2, 2);
    p.setBrush(QColor(120, 150, 200));
    for (int i = 0; i < 3; ++i) {
        const double y = titleBar.bottom() + 12 + i * (box.height() * 0.16);
        p.drawEllipse(QPointF(box.left() + 18, y + 3), 3, 3);
        p.drawRoundedRect(QRectF(box.left() + 26, y, box.width() * (0.62 - i * 0.1), 6), 2, 2);
    }
    p.setFont(heiFont(8, true));
    p.setPen(Qt::white);
    p.drawText(titleBar, Qt::AlignCenter, u"PowerPoint 2003"_s);
    p.restore();
}

const QString examTitle = u"全国专业技术人员计算机应用能力考试"_s;

// The opening every picture shares: the title band, the body down to
// `bodyBottom`, the emblem, and the heading in the band in `headingPoints`.
struct Opening
{
    int bandHeight;
    int bodyBottom;
    QPointF emblemCentre;
    double emblemRadius;
    double headingPoints;
    QRect headingPlace;
    QString heading;
};

void drawOpening(QPainter& p, const Opening& opening)
{
    p.setRenderHint(QPainter::TextAntialiasing);
    drawBand(p, opening.bandHeight);
    drawBody(p, opening.bandHeight + 4, opening.bodyBottom);
    drawEmblem(p, opening.emblemCentre, opening.emblemRadius);
    p.setFont(heiFont(opening.headingPoints, true));
    drawTitle(p, opening.headingPlace, opening.heading);
}

QPixmap paintMenu(bool exitButtonShown)
{
    QPixmap pixmap = newCanvas();
    QPainter p(&pixmap);
    drawOpening(
        p, {124, 552, QPointF(70, 62), 44, 23, QRect(130, 18, 600, 44), u"朔禾职称计算机考试练习系统"_s});
    p.setFont(songFont(12));
    p.setPen(QColor(214, 230, 255));
    p.drawText(QRect(132, 68, 420, 22), Qt::AlignLeft | Qt::AlignVCenter,
               u"全国专业技术人员计算机应用能力考试"_s);
    p.setFont(heiFont(12, true));
    p.setPen(titleGold);
    p.drawText(QRect(132, 92, 420, 22), Qt::AlignLeft | Qt::AlignVCenter, u"PowerPoint 2003 中文演示文稿"_s);

    drawSectionTitle(p, 84, 134, u"请选择练习项目"_s);
    p.setFont(songFont(9));
    p.setPen(QColor(70, 90, 120));
    p.drawText(QRect(300, 134, 412, 20), Qt::AlignRight | Qt::AlignVCenter,
               u"套题练习 · 考前冲刺 · 随机练习 · 错题练习"_s);

    drawPanel(p, QRect(80, 158, 640, 313), QString(), 0);
    // Light rules between the rows of choices.
    for (int y : {229, 312, 395})
        p.fillRect(QRect(96, y, 608, 1), QColor(214, 226, 242));

    drawFooter(p, 552, u"朔禾软件  自由软件，可在任意多台电脑上安装使用"_s, menuExitHint(exitButtonShown));
    return pixmap;
}

QPixmap paintLogin()
{
    QPixmap pixmap = newCanvas();
    QPainter p(&pixmap);
    drawOpening(p, {112, 556, QPointF(64, 56), 38, 20, QRect(120, 14, 640, 40), examTitle});
    p.setFont(heiFont(12, true));
    p.setPen(titleGold);
    p.drawText(QRect(122, 62, 400, 24), Qt::AlignLeft | Qt::AlignVCenter, u"PowerPoint 2003 中文演示文稿"_s);
    p.setFont(songFont(10.5));
    p.setPen(QColor(214, 230, 255));
    p.drawText(QRect(400, 62, 380, 24), Qt::AlignRight | Qt::AlignVCenter, u"朔禾职称计算机考试练习系统"_s);

    drawPanel(p, QRect(170, 168, 460, 318), u"考  生  登  录"_s, 34);
    drawPerson(p, QRectF(186, 236, 44, 50), QColor(90, 136, 206));

    p.setFont(songFont(12));
    p.setPen(QColor(20, 40, 80));
    // Beside Text1 (Top 252) and Text2 (Top 317), 25 pixels high.
    drawFieldCaption(p, 330, 252, 25, u"座位号："_s);
    drawFieldCaption(p, 330, 317, 25, u"身份证号："_s);

    p.setFont(songFont(9));
    p.setPen(QColor(96, 108, 130));
    p.drawText(QRect(190, 358, 420, 18), Qt::AlignCenter, u"请输入您的座位号和身份证号，"_s);
    p.drawText(QRect(190, 378, 420, 18), Qt::AlignCenter, u"核对无误后单击“登  陆”按钮进入考试。"_s);
    p.fillRect(QRect(200, 406, 400, 1), QColor(214, 226, 242));

    drawFooter(p, 556, u"朔禾职称计算机考试练习系统"_s, u"朔禾软件"_s);
    return pixmap;
}

QPixmap paintSignIn()
{
    QPixmap pixmap = newCanvas();
    QPainter p(&pixmap);
    drawOpening(p, {96, artHeight, QPointF(56, 48), 34, 19, QRect(106, 10, 640, 36), examTitle});
    p.setFont(heiFont(12, true));
    p.setPen(titleGold);
    p.drawText(QRect(108, 54, 300, 24), Qt::AlignLeft | Qt::AlignVCenter, u"考生信息确认"_s);
    p.setFont(heiFont(10.5));
    p.setPen(QColor(214, 230, 255));
    p.drawText(QRect(400, 54, 380, 24), Qt::AlignRight | Qt::AlignVCenter, u"PowerPoint 2003 中文演示文稿"_s);

    // The candidate: photo, name, seat, session (values at Left 248, Tops 163, 189, 213).
    drawSection(p, QRect(80, 116, 640, 136), u"考生信息"_s);
    const QRect photo(100, 152, 62, 82);
    p.fillRect(photo, QColor(226, 232, 242));
    p.setPen(QColor(150, 166, 192));
    p.drawRect(photo.adjusted(0, 0, -1, -1));
    drawPerson(p, QRectF(photo.adjusted(6, 6, -6, 0)), QColor(160, 178, 206));
    p.setFont(songFont(9));
    p.setPen(QColor(20, 40, 80));
    drawFieldCaption(p, 246, 163, 14, u"考生姓名："_s);
    drawFieldCaption(p, 246, 189, 14, u"座位号："_s);
    drawFieldCaption(p, 246, 213, 14, u"场次："_s);

    p.fillRect(QRect(372, 150, 1, 90), QColor(214, 226, 242));
    drawSectionTitle(p, 388, 146, u"考试须知"_s);
    p.setFont(songFont(9));
    p.setPen(QColor(60, 74, 100));
    const QString notes[] = {u"1. 请核对左侧的考生信息。"_s, u"2. 试题载入期间请勿操作键盘和鼠标。"_s,
                             u"3. 载入完成后将自动进入答题界面。"_s};
    for (int i = 0; i < 3; ++i)
        p.drawText(QRect(400, 172 + i * 22, 310, 18), Qt::AlignLeft | Qt::AlignVCenter, notes[i]);

    // The examination: subject, identity number, admission number, date
    // (values at Left 176, Tops 321, 353, 386, 418).
    drawSection(p, QRect(80, 278, 640, 168), u"考试信息"_s);
    p.setFont(songFont(9));
    p.setPen(QColor(20, 40, 80));
    drawFieldCaption(p, 174, 321, 14, u"考试科目："_s);
    drawFieldCaption(p, 174, 353, 14, u"身份证号："_s);
    drawFieldCaption(p, 174, 386, 14, u"准考证号："_s);
    drawFieldCaption(p, 174, 418, 14, u"考试日期："_s);
    for (int y : {343, 376, 408})
        p.fillRect(QRect(100, y, 380, 1), QColor(232, 238, 248));
    drawSlideSign(p, QRectF(548, 318, 140, 104));

    // Beside the blinking "试题传输中..." (Left 128, Top 472) and over the progress bar.
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(30, 86, 176), 1.5));
    p.setBrush(QColor(255, 255, 255));
    p.drawRoundedRect(QRectF(104.5, 471.5, 14, 17), 2, 2);
    p.drawLine(QPointF(107.5, 477.5), QPointF(115.5, 477.5));
    p.drawLine(QPointF(107.5, 481.5), QPointF(115.5, 481.5));
    p.drawLine(QPointF(107.5, 485.5), QPointF(112.5, 485.5));
    p.restore();
    p.setFont(songFont(9));
    p.setPen(QColor(60, 74, 100));
    p.drawText(QRect(16, 536, 400, 18), Qt::AlignLeft | Qt::AlignVCenter, u"试题载入进度"_s);
    return pixmap;
}

} // namespace

QString menuExitHint(bool exitButtonShown)
{
    // The 退出系统 button is there only in the captionless layout, which has no close box.
    return exitButtonShown ? u"练习完毕请单击“退出系统”退出"_s : u"练习完毕请关闭窗口退出"_s;
}

const QImage& menuArtwork(bool exitButtonShown)
{
    // Each is made when first shown (most starts show only one of them), and
    // kept for the whole run. The build's picture is drawn where the program
    // holds it, without a copy.
    static const QImage* withButton = nullptr;
    static const QImage* withoutButton = nullptr;
    const QImage*& picture = exitButtonShown ? withButton : withoutButton;
    if (!picture) {
        const std::optional<QImage> painted =
            prerenderedPicturesUsed()
                ? prerenderedPicture(exitButtonShown ? u"menu-exit.pic"_s : u"menu-noexit.pic"_s)
                : std::nullopt;
        picture = new QImage(painted ? *painted : paintMenu(exitButtonShown).toImage());
    }
    return *picture;
}

const QPixmap& loginArtwork()
{
    static const QPixmap* pixmap = new QPixmap(paintLogin());
    return *pixmap;
}

const QPixmap& signInArtwork()
{
    static const QPixmap* pixmap = new QPixmap(paintSignIn());
    return *pixmap;
}

void paintBannerBackdrop(QPainter& p, QSize size, int bannerHeight, int ruleHeight, double titlePoints,
                         const QString& title)
{
    QLinearGradient background(0, 0, 0, size.height());
    background.setColorAt(0, QColor(232, 240, 250));
    background.setColorAt(1, QColor(204, 219, 238));
    p.fillRect(QRect(QPoint(0, 0), size), background);
    const QRect banner(0, 0, size.width(), bannerHeight);
    QLinearGradient bannerFill(0, 0, 0, banner.height());
    bannerFill.setColorAt(0, QColor(31, 78, 150));
    bannerFill.setColorAt(1, QColor(18, 52, 110));
    p.fillRect(banner, bannerFill);
    p.fillRect(QRect(0, banner.bottom() - ruleHeight + 1, size.width(), ruleHeight), QColor(240, 170, 30));
    p.setPen(Qt::white);
    p.setFont(heiFont(titlePoints, true));
    p.drawText(banner.adjusted(0, 0, 0, -ruleHeight), Qt::AlignCenter, title);
}

} // namespace pptdrill
