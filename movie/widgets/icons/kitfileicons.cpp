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

} // namespace

void addFileDialogIcons(QHash<QString, IconPainter>& painters)
{
    const std::pair<QString, IconPainter> icons[] = {
        {u"folder"_s, iconFolder},        {u"file-back"_s, iconFileBack},
        {u"folder-up"_s, iconFolderUp},   {u"file-delete"_s, iconFileDelete},
        {u"folder-new"_s, iconFolderNew}, {u"file-views"_s, iconFileViews},
    };
    for (const auto& [key, paint] : icons)
        painters.insert(key, paint);
}

} // namespace pptdrill::kiticons
