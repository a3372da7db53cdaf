#pragma once

#include "movie/document/movie.h"
#include "movie/kit/kitcatalog.h"

#include <vector>

namespace pptdrill {

// The other ways of a movie's steps that the kit itself gives: a choice in a
// task-pane button's menu (添加效果 → 进入 → 飞入) is also made through the
// menu's item that opens a dialog (其他效果...), the dialog's list and its 确定,
// and the other way round, where the menu lists the choice. Runs that the
// movie's own ways cover are left alone.
std::vector<MovieWay> kitWays(const Movie& movie, const KitCatalog& kit);

// A menu command that a placeholder's context menu also gives (格式 → 字体... and
// the text's 字体(F)...), opening the same thing, is taken from either.
void addContextCommands(Movie& movie, const KitCatalog& kit);

} // namespace pptdrill
