#include "platform/systemfolder.h"

#include <QDir>
#include <QStandardPaths>

namespace pptdrill {

QString SystemDirectory()
{
    // Read on every call: tests give each case its own XDG_RUNTIME_DIR.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return folder.isEmpty() ? folder : QDir::cleanPath(folder);
}

} // namespace pptdrill
