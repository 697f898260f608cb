// Runs reelkeep-cli (the program named by REELKEEP_CLI) as a user would, with its program
// folder in a temporary folder of its own, and keeps what it printed and its exit status.
#pragma once

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace reelkeep::testing {

struct CliRun {
    int status; // -1 when the tool crashed
    QByteArray out;
    QByteArray err;
    QJsonObject json() const { return QJsonDocument::fromJson(out).object(); }
};

class CliRunner {
public:
    bool isValid() const { return m_dir.isValid(); }
    QString folder() const { return m_dir.path(); }
    QString path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }

    CliRun run(const QStringList& args) const
    {
        QProcess process;
        process.setWorkingDirectory(m_dir.path());
        process.start(qEnvironmentVariable("REELKEEP_CLI"), QStringList{QStringLiteral("--home"), m_dir.path()} + args);
        process.waitForFinished(60000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
                process.readAllStandardError()};
    }

    // Arguments given as UTF-8 texts or as paths.
    CliRun run(std::initializer_list<QAnyStringView> args) const
    {
        QStringList list;
        for (const QAnyStringView arg : args)
            list << arg.toString();
        return run(list);
    }

private:
    QTemporaryDir m_dir;
};

} // namespace reelkeep::testing
