#include "HelperLocation.h"

#include <QDir>
#include <QFileInfo>

namespace reelkeep {

QString HelperExecutable(const QString& name)
{
    // Installed: the helper folder seen from bin/; in place: the build tree's folder.
    static const QString installed = QDir::cleanPath(QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath()
                                                     + QStringLiteral("/" REELKEEP_BIN_TO_HELPER));
    const QString path = installed + QLatin1Char('/') + name;
    if (QFileInfo(path).isExecutable())
        return path;
    return QStringLiteral(REELKEEP_HELPER_BUILD_DIR "/") + name;
}

} // namespace reelkeep
