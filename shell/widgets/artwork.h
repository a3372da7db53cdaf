#pragma once

#include <QPixmap>

// The pictures of the main program's windows, drawn once at 800 × 600.
namespace pptdrill {

// The main menu's title picture.
const QPixmap& menuArtwork();
// The exam login's picture: the examination title and the labels beside the
// seat number and identity-card number boxes.
const QPixmap& loginArtwork();
// The loading window's sign-in backdrop with the captions of the candidate's data.
const QPixmap& signInArtwork();

} // namespace pptdrill
