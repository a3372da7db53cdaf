// The file dialogs' icons: the files and folders of their list, and the buttons of their toolbar
// (返回, 向上一级, 删除, 新建文件夹, 视图).
#include "movie/widgets/icons/kiticonpainting.h"

#include <QPainterPath>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill::kiticons {
namespace {

void closedFolder(QPainter& p, const QRectF& r)
{
    polygon(p,
            {r.bottomLeft(), QPointF(r.left(), r.top()), QPointF(r.left() + r.width() * 0.4, r.top()),
             QPointF(r.left() + r.width() * 0.5, r.top() + 2), QPointF(r.right(), r.top() + 2),
             r.bottomRight()},
            QColor(0xF6, 0xD3, 0x6B), ink::darkYellow);
    rule(p, r.left() + 1, r.right() - 1, r.top() + 4, QColor(0xFB, 0xE8, 0xA8));
}

void iconFolder(QPainter& p)
{
    closedFolder(p, QRectF(1.5, 3.5, 13, 10));
}

void iconFileBack(QPainter& p)
{
    p.setPen(iconPen(QColor(0x1F, 0x7A, 0x1F)));
    p.setBrush(QColor(0x4C, 0xB8, 0x4C));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(roundPen(ink::paper, 2));
    p.drawLine(QPointF(4.5, 8), QPointF(11.5, 8));
    arrowHead(p, QPointF(3.5, 8), 180, 4, ink::paper);
}

void iconFolderUp(QPainter& p)
{
    closedFolder(p, QRectF(1.5, 5.5, 13, 9));
    p.setPen(roundPen(ink::green, 2));
    p.drawLine(QPointF(8, 13), QPointF(8, 4));
    arrowHead(p, QPointF(8, 2), -90, 4, ink::green);
}

void iconFileDelete(QPainter& p)
{
    p.setPen(roundPen(ink::red, 2.2));
    p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
}

void iconFolderNew(QPainter& p)
{
    closedFolder(p, QRectF(1.5, 5.5, 12, 9));
    p.setPen(iconPen(QColor(0xE0, 0x9A, 0x00), 1.2));
    const QPointF star(12.5, 3.5);
    p.drawLine(star - QPointF(2.5, 0), star + QPointF(2.5, 0));
    p.drawLine(star - QPointF(0, 2.5), star + QPointF(0, 2.5));
    p.drawLine(star - QPointF(1.8, 1.8), star + QPointF(1.8, 1.8));
    p.drawLine(star - QPointF(1.8, -1.8), star + QPointF(1.8, -1.8));
}

void iconFileViews(QPainter& p)
{
    for (int row = 0; row < 3; ++row) {
        const double y = 2.5 + row * 4.5;
        box(p, QRectF(1.5, y, 3, 3), ink::lightBlue, ink::darkBlue);
        rule(p, 6, 14, y + 1.5, ink::outline);
    }
}

// The places bar of a file dialog: 我最近的文档, 桌面, 我的文档, 我的电脑, 网上邻居.
void monitor(QPainter& p, const QRectF& screen)
{
    box(p, screen.adjusted(-1, -1, 1, 1), QColor(0xE4, 0xE2, 0xD8), ink::outline);
    box(p, screen, QColor(0x3A, 0x7B, 0xD8), QColor());
    p.fillRect(
        QRectF(screen.left(), screen.bottom() - screen.height() * 0.3, screen.width(), screen.height() * 0.3),
        QColor(0x5C, 0xB0, 0x4A));
    box(p, QRectF(screen.center().x() - 2, screen.bottom() + 1, 4, 1.5), QColor(0xB8, 0xB6, 0xAC),
        ink::outline);
}

void iconPlaceRecent(QPainter& p)
{
    page(p, QRectF(2.5, 1.5, 9, 12), true);
    p.setPen(iconPen(ink::darkBlue));
    p.setBrush(QColor(0xFF, 0xF4, 0xC8));
    p.drawEllipse(QRectF(8, 8, 7, 7));
    p.setPen(iconPen(ink::text));
    p.drawLine(QPointF(11.5, 11.5), QPointF(11.5, 9.5));
    p.drawLine(QPointF(11.5, 11.5), QPointF(13, 11.5));
}

void iconPlaceDesktop(QPainter& p)
{
    monitor(p, QRectF(2.5, 2.5, 11, 8));
    box(p, QRectF(4.5, 13.5, 7, 1.5), QColor(0xB8, 0xB6, 0xAC), ink::outline);
}

void iconPlaceDocuments(QPainter& p)
{
    closedFolder(p, QRectF(1.5, 4.5, 13, 10));
    page(p, QRectF(5.5, 1.5, 7, 8), true);
    polygon(p, {QPointF(1.5, 8.5), QPointF(14.5, 8.5), QPointF(14.5, 14.5), QPointF(1.5, 14.5)},
            QColor(0xF6, 0xD3, 0x6B), ink::darkYellow);
}

void iconPlaceComputer(QPainter& p)
{
    box(p, QRectF(10.5, 3.5, 4, 11), QColor(0xE4, 0xE2, 0xD8), ink::outline);
    rule(p, 11.5, 13.5, 5.5, ink::grey);
    monitor(p, QRectF(1.5, 3.5, 8, 6));
    box(p, QRectF(0.5, 12.5, 9, 2), QColor(0xE4, 0xE2, 0xD8), ink::outline);
}

void iconPlaceNetwork(QPainter& p)
{
    p.setPen(iconPen(ink::darkBlue));
    p.setBrush(QColor(0x4C, 0x9A, 0xE6));
    const QRectF globe(1.5, 1.5, 10, 10);
    p.drawEllipse(globe);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(globe.adjusted(3, 0, -3, 0));
    p.drawLine(QPointF(globe.left(), globe.center().y()), QPointF(globe.right(), globe.center().y()));
    polygon(p, {QPointF(4, 4), QPointF(7, 3.5), QPointF(6.5, 7), QPointF(4, 7.5)}, ink::green, QColor());
    monitor(p, QRectF(9.5, 9.5, 5.5, 4));
}

} // namespace

void addFileDialogIcons(QHash<QString, IconPainter>& painters)
{
    const std::pair<QString, IconPainter> icons[] = {
        {u"folder"_s, iconFolder},
        {u"file-back"_s, iconFileBack},
        {u"folder-up"_s, iconFolderUp},
        {u"file-delete"_s, iconFileDelete},
        {u"folder-new"_s, iconFolderNew},
        {u"file-views"_s, iconFileViews},
        {u"place-recent"_s, iconPlaceRecent},
        {u"place-desktop"_s, iconPlaceDesktop},
        {u"place-documents"_s, iconPlaceDocuments},
        {u"place-computer"_s, iconPlaceComputer},
        {u"place-network"_s, iconPlaceNetwork},
    };
    for (const auto& [key, paint] : icons)
        painters.insert(key, paint);
}

} // namespace pptdrill::kiticons
