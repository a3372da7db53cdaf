#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>

class QPainter;

// The pictures of the main program's windows, drawn once at 800 × 600.
namespace pptdrill {

// The main menu's title picture; its footer says how to leave, by the 退出系统
// button where the layout shows it, else by the window's close box.
const QImage& menuArtwork(bool exitButtonShown);
QString menuExitHint(bool exitButtonShown);
// The exam login's picture: the examination title and the labels beside the
// seat number and identity-card number boxes.
const QPixmap& loginArtwork();
// The loading window's sign-in backdrop with the captions of the candidate's data.
const QPixmap& signInArtwork();

// The backdrop of the results and history windows: a pale blue gradient under a
// dark blue banner with a gold rule, the title centred in white.
void paintBannerBackdrop(QPainter& p, QSize size, int bannerHeight, int ruleHeight, double titlePoints,
                         const QString& title);

} // namespace pptdrill
