#include "platform/programfolder.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {
QString g_override;
}

QString programFolder()
{
    if (!g_override.isEmpty())
        return g_override;
    // /proc/self/exe names the executable even without a QCoreApplication.
    const QString exe = QFileInfo(u"/proc/self/exe"_s).symLinkTarget();
    return QDir::cleanPath(QFileInfo(exe).absolutePath());
}

void setProgramFolderForTesting(const QString& folder)
{
    g_override = folder;
}

} // namespace pptdrill
