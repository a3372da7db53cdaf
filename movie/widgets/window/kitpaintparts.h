#pragma once

// Parts of the simulated window's look that its toolbars and dialogs share.
#include "movie/session/textediting.h"

#include <QRect>
#include <QString>

class QPainter;

namespace pptdrill::kit {

// The blue gradient of the menu bar, the toolbars and the task pane's header.
void barGradient(QPainter& p, const QRect& r);
// The white, blue-framed box of an edit or drop-down box.
void paintWhiteBox(QPainter& p, const QRect& r);
// The arrow button at the right end of a drop-down box.
void paintDropArrow(QPainter& p, const QRect& r);
// The text of an edit box, leaving `reserve` pixels at its right end: shown selected
// when typing will replace it, else with the caret after it when `caret`.
void paintBoxText(QPainter& p, const QRect& box, const QString& shown, bool selected, bool caret,
                  int reserve);
// An edit box with the focus: its text, the selection white on blue, else the caret.
void paintBoxEditing(QPainter& p, const QRect& box, const TextEditing& edit, int reserve);
// The picture of a chart sub-type of 图表类型 ("堆积数据点折线图").
void paintChartKind(QPainter& p, const QRect& rect, const QString& name);
// A push button of a dialog, pressed or not; a greyed one's text is grey.
void paintButtonFace(QPainter& p, const QRect& r, const QString& text, bool pressed = false,
                     bool enabled = true);

} // namespace pptdrill::kit
