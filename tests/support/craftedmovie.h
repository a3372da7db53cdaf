#pragma once

#include <QByteArray>

namespace pptdrill::test {

// One slide, and a double-click on the ninth whose changes were once written
// past the end of the slides: the reader must refuse it at line 4.
inline const QByteArray kCraftedMovie = R"json({"format": "pptdrill-movie", "version": 1,
 "presentation": {"slides": [{"title": "A"}]},
 "steps": [
  {"hint": "双击第9张幻灯片。", "accept": ["dblclick:thumb:9"],
   "set": {"title": "B"}}
 ]}
)json";

} // namespace pptdrill::test
