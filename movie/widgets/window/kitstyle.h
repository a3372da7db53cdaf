#pragma once

#include "common/widgets/fonts.h"

#include <QColor>
#include <QFont>

// Geometry and colours of the simulated PowerPoint 2003 window (800 × 600).
namespace pptdrill::kit {

inline constexpr int kWidth = 800;
inline constexpr int kHeight = 600;
inline constexpr int kTitleH = 24;
inline constexpr int kMenuY = 24;
inline constexpr int kMenuH = 21;
inline constexpr int kToolbarY = 45;
inline constexpr int kToolbarH = 26;
inline constexpr int kMainY = kToolbarY + 2 * kToolbarH;
inline constexpr int kDrawY = 552;
inline constexpr int kStatusY = 576;
inline constexpr int kLeftW = 160;
inline constexpr int kPaneW = 214;
inline constexpr int kNotesH = 56;
inline constexpr int kItemH = 22;
inline constexpr int kSeparatorH = 7;
// Selected text in a box.
inline const QColor kSelectText(0x31, 0x6A, 0xC5);
inline constexpr int kMenuScrollH = 14; // the scroll arrows of a menu taller than the window
inline constexpr int kDropRows = 12;

inline const QColor kFace{0xEC, 0xE9, 0xD8};     // dialog face
inline const QColor kBarLight{0xE3, 0xEF, 0xFF}; // toolbars and menu bar
inline const QColor kBarDark{0x9D, 0xBD, 0xEC};
inline const QColor kSelect{0xFF, 0xEE, 0xC2};   // hot item
inline const QColor kButtonOn{0xFF, 0xE0, 0xA8}; // a toolbar button pressed in (加粗 on)
inline const QColor kSelectLine{0x00, 0x00, 0x80};
inline const QColor kPaneBack{0xD6, 0xE5, 0xF5};
inline const QColor kGreyText{0x80, 0x80, 0x80};

// The interface font of the simulated program.
inline QFont uiFont(int pixelSize = 12, bool bold = false)
{
    QFont f(heiFamily());
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

} // namespace pptdrill::kit
