#include "StatePaths.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace reelkeep {

QString StateFolder(const QString& sub)
{
    // Qt of this generation has no state location of its own; the XDG rule is simple.
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/reelkeep/") + sub;
}

QString RuntimeFolder()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (base.isEmpty())
        base = QDir::tempPath();
    return base + QStringLiteral("/reelkeep");
}

QString CataloguePath(const QString& fileName)
{
    const QFileInfo info(fileName);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

QString CatalogueKey(const QString& fileName)
{
    const QByteArray hash = QCryptographicHash::hash(CataloguePath(fileName).toUtf8(), QCryptographicHash::Sha1);
    return QString::fromLatin1(hash.toHex().left(20));
}

} // namespace reelkeep
