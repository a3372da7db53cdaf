#pragma once

#include <QString>
#include <initializer_list>

// The installed faces that stand in for the Windows fonts, for the whole
// program: the trainer's windows, the simulated PowerPoint window and its slides.
namespace pptdrill {

// The first of `candidates` that is installed (matched without regard to case), else `fallback`.
QString firstInstalledFamily(std::initializer_list<QString> candidates, const QString& fallback);

// 宋体 (Song): PowerPoint's Chinese templates and the trainer's own windows.
const QString& songFamily();
// 黑体 (Hei): the simulated window's interface and the trainer's headings.
const QString& heiFamily();
// 楷体 (Kai): a brush script, which also stands in for 隶书 and the other calligraphic faces.
const QString& kaiFamily();
// Times New Roman and Arial, or the faces that stand in for them.
const QString& serifFamily();
const QString& sansFamily();
// The face a slide's font family stands for: an installed face of that name,
// else one of the same kind (a Chinese Hei face by Hei, a calligraphic one by Kai,
// any other Chinese face by Song).
QString slideFamily(const QString& requested);

// Makes the Song face in `fontFile` (the build's slidesong.ttf: the installed
// Song face cut down to the characters a slide can show) this program's Song
// face, with the installed one behind it for any character it lacks. Call it
// before the first window; false when the file cannot be read, and the
// installed face stays.
bool useSlideSongFace(const QString& fontFile);

} // namespace pptdrill
