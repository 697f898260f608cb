#include "FileAssociation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <algorithm>

namespace reelkeep {
namespace {

const QString kDesktopId = QStringLiteral("reelkeep.desktop");
const char* const kMimeTypes[] = {"application/x-reelkeep-catalogue", "application/x-reelkeep-xml"};
constexpr int kUpdateTimeoutMs = 60000;

// A base-directory variable counts only when it holds an absolute path.
QString XdgFolder(const char* variable, const QString& fallback)
{
    const QString value = qEnvironmentVariable(variable);
    return QDir::isAbsolutePath(value) ? value : QDir::homePath() + fallback;
}

QByteArray Shipped(const QString& name)
{
    QFile file(QStringLiteral(":/desktop/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// Writes the whole file or reports why not; an existing file stays intact on failure.
QString WriteFile(const QString& path, const QByteArray& content)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return QStringLiteral("%1: the folder cannot be created").arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit())
        return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
    return {};
}

QString UpdateMimeDatabase(const QString& mimeFolder)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("update-mime-database"), {mimeFolder});
    if (!process.waitForFinished(kUpdateTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return QStringLiteral("update-mime-database: %1").arg(process.errorString());
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QStringLiteral("update-mime-database: %1").arg(QString::fromLocal8Bit(process.readAll()).trimmed());
    return {};
}

// The shipped entry with Exec naming this program by its absolute path.
QByteArray DesktopEntryFor(const QString& programPath)
{
    QList<QByteArray> lines = Shipped(QStringLiteral("reelkeep.desktop")).split('\n');
    for (QByteArray& line : lines)
        if (line.startsWith("Exec="))
            line = "Exec=" + DesktopExecArgument(programPath).toUtf8() + " %f";
    return lines.join('\n');
}

// Puts the entry first in the default list of each type, keeping the person's other
// choices behind it and every other line of the file as it was.
QByteArray WithDefaults(const QByteArray& mimeApps)
{
    QList<QByteArray> lines = mimeApps.split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    const QByteArray id = kDesktopId.toUtf8();
    qsizetype section = -1;
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (lines[i].trimmed() == "[Default Applications]")
            section = i;
    if (section < 0) {
        if (!lines.isEmpty())
            lines.append(QByteArray());
        lines.append("[Default Applications]");
        section = lines.size() - 1;
    }
    qsizetype end = section + 1;
    while (end < lines.size() && !lines[end].trimmed().startsWith('['))
        ++end;
    for (const char* type : kMimeTypes) {
        QByteArray value = id + ';';
        qsizetype at = -1;
        for (qsizetype i = section + 1; i < end; ++i) {
            const qsizetype equals = lines[i].indexOf('=');
            if (equals > 0 && lines[i].left(equals).trimmed() == type) {
                for (const QByteArray& other : lines[i].mid(equals + 1).trimmed().split(';'))
                    if (!other.isEmpty() && other != id)
                        value += other + ';';
                at = i;
            }
        }
        const QByteArray line = QByteArray(type) + '=' + value;
        if (at >= 0) {
            lines[at] = line;
        } else {
            qsizetype insertAt = end;
            while (insertAt > section + 1 && lines[insertAt - 1].trimmed().isEmpty())
                --insertAt;
            lines.insert(insertAt, line);
            ++end;
        }
    }
    return lines.join('\n') + '\n';
}

QString SetDefaultApplication(const QString& configHome)
{
    const QString path = configHome + QStringLiteral("/mimeapps.list");
    QFile existing(path);
    QByteArray content;
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly))
            return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), existing.errorString());
        content = existing.readAll();
    }
    return WriteFile(path, WithDefaults(content));
}

} // namespace

XdgHomes XdgHomes::FromEnvironment()
{
    return {XdgFolder("XDG_DATA_HOME", QStringLiteral("/.local/share")), XdgFolder("XDG_CONFIG_HOME", QStringLiteral("/.config"))};
}

QString DesktopExecArgument(const QString& argument)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    const bool quote = argument.isEmpty() || std::any_of(argument.begin(), argument.end(), [](QChar c) { return reserved.contains(c); });
    QString quoted;
    for (const QChar c : argument) {
        if (quote && (c == u'"' || c == u'`' || c == u'$' || c == u'\\'))
            quoted += u'\\';
        quoted += c;
    }
    if (quote)
        quoted = u'"' + quoted + u'"';
    quoted.replace(u'%', QStringLiteral("%%"));
    // The key's value is a string, whose own escapes are undone before the quoting is read.
    QString escaped;
    for (const QChar c : quoted) {
        switch (c.unicode()) {
        case '\\': escaped += QStringLiteral("\\\\"); break;
        case '\n': escaped += QStringLiteral("\\n"); break;
        case '\t': escaped += QStringLiteral("\\t"); break;
        case '\r': escaped += QStringLiteral("\\r"); break;
        default: escaped += c;
        }
    }
    return escaped;
}

AssociationResult AssociateFileTypes(const QString& programPath, const XdgHomes& homes)
{
    const QString mimeFolder = homes.DataHome + QStringLiteral("/mime");
    const QString applications = homes.DataHome + QStringLiteral("/applications");
    const QString icons = homes.DataHome + QStringLiteral("/icons/hicolor/scalable/apps");

    QString error = WriteFile(mimeFolder + QStringLiteral("/packages/reelkeep.xml"), Shipped(QStringLiteral("reelkeep-mime.xml")));
    if (!error.isEmpty())
        return {AssociationStep::MimePackage, error};
    error = UpdateMimeDatabase(mimeFolder);
    if (!error.isEmpty())
        return {AssociationStep::MimeDatabase, error};
    error = WriteFile(applications + u'/' + kDesktopId, DesktopEntryFor(QFileInfo(programPath).absoluteFilePath()));
    if (error.isEmpty())
        error = WriteFile(icons + QStringLiteral("/reelkeep.svg"), Shipped(QStringLiteral("reelkeep.svg")));
    if (!error.isEmpty())
        return {AssociationStep::DesktopEntry, error};
    error = SetDefaultApplication(homes.ConfigHome);
    if (!error.isEmpty())
        return {AssociationStep::DefaultApplication, error};
    return {};
}

QString DescribeAssociation(const AssociationResult& result, const TextLookup& lookup)
{
    const QString section = QStringLiteral("Association");
    QString stepKey;
    switch (result.FailedStep) {
    case AssociationStep::None: return lookup(section, QStringLiteral("Done"));
    case AssociationStep::MimePackage: stepKey = QStringLiteral("MimePackage"); break;
    case AssociationStep::MimeDatabase: stepKey = QStringLiteral("MimeDatabase"); break;
    case AssociationStep::DesktopEntry: stepKey = QStringLiteral("DesktopEntry"); break;
    case AssociationStep::DefaultApplication: stepKey = QStringLiteral("DefaultApplication"); break;
    }
    return lookup(section, QStringLiteral("Failed")) + u'\n' + lookup(section, stepKey) + QStringLiteral(": ") + result.Detail;
}

} // namespace reelkeep
