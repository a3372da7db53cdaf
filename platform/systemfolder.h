#pragma once

#include <QString>

namespace pptdrill {

// The folder that holds the question movies ("pczcksw" inside it), the window
// registry and the main program's instance lock: the user's runtime folder,
// private to the user. When the session names none (XDG_RUNTIME_DIR unset) or
// the one it names is unusable, a private folder in the user's cache folder
// stands in: a folder in /tmp could be made first by another user.
// Empty only when no private folder can be had at all. Ends without a
// separator.
QString systemDirectory();

// Makes `path` a folder owned by this user with mode 0700 (creating it when
// missing). False for anything else at that path: a file, a symbolic link, a
// folder of another user.
bool ensurePrivateFolder(const QString& path);

} // namespace pptdrill
