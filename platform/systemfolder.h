#pragma once

#include <QString>

namespace pptdrill {

// The folder that holds the question movies ("pczcksw" inside it) and the
// window registry: the user's runtime folder, private to the user. Ends
// without a separator.
QString SystemDirectory();

} // namespace pptdrill
