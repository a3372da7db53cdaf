#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

class QPainter;

namespace pptdrill {

// How a picture comes on: the geometry shared by a slide's transition and an
// object's entrance or exit effect.
struct Reveal
{
    enum Family
    {
        Cut, // 切出: at once
        CutThroughBlack,
        Fade, // 平滑淡出, 渐变
        FadeThroughBlack,
        Dissolve,     // 溶解: small squares at random
        RandomLines,  // 随机水平线条, 随机垂直线条
        Wipe,         // 向右擦除…: an edge sweeps across
        Blinds,       // 水平百叶窗, 垂直百叶窗
        Checkerboard, // 横向棋盘式, 纵向棋盘式
        Comb,         // 水平梳理, 垂直梳理
        BoxOut,       // 盒状展开
        BoxIn,        // 盒状收缩
        Circle,
        Diamond,
        Plus,
        SplitOut, // 上下展开, 左右展开
        SplitIn,  // 上下收缩, 左右收缩
        Stairs,   // 阶梯状向右下展开…
        Wheel,    // 顺时针回旋，n 根轮辐
        Wedge,    // 楔入
        Zoom,     // 新闻快报
        Push,     // 向下推出…: the old picture is pushed out
        Cover,    // 向下插入…: the new one slides in over the old
        Uncover,  // 向下揭开…: the old one slides away
        Fly,      // 飞入, 飞出: an object from beyond the slide's edge
    };
    Family family = Cut;
    QPoint direction{1, 0}; // where the movement or the sweep goes
    bool vertical = false;  // blinds, lines, comb and split that run down
    int spokes = 1;
    unsigned seed = 1; // the dissolve's and random lines' pattern
};

// The transition a name of the 幻灯片切换 list stands for. 随机 picks one by `seed`.
Reveal transitionReveal(const QString& effect, unsigned seed);
// An entrance or exit effect's geometry (飞入 自左侧, 百叶窗, 棋盘…); Fade for those without one.
Reveal effectReveal(const QString& effect, const QString& direction);

// How long a slide transition lasts at its speed (慢速, 中速, 快速), in milliseconds.
int transitionMilliseconds(const QString& speed);
// How long an animation effect lasts at its speed (非常慢 … 非常快).
int effectMilliseconds(const QString& speed);

// A slide transition's frame at `t` (0 to 1): `from` giving way to `to`, both
// pictures of the whole of `area`.
void paintTransition(QPainter& p, const QRect& area, const QImage& from, const QImage& to,
                     const Reveal& reveal, double t);

// The part of `picture` (drawn with its top left at `area`'s) shown at `t` of a
// reveal limited to `bounds`, the part of the picture that is not transparent.
void paintRevealed(QPainter& p, const QRect& area, const QRect& bounds, const QImage& picture,
                   const Reveal& reveal, double t);

} // namespace pptdrill
