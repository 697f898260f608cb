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
    // Every later run gets this variable (a locale, say).
    void setEnvironment(const QString& name, const QString& value) { m_environment.insert(name, value); }

    // Sets the process up to run the tool with these arguments, for a test that steers
    // the run itself (where its output goes, when it is killed); start() runs it.
    void prepare(QProcess& process, const QStringList& args) const
    {
        process.setWorkingDirectory(m_dir.path());
        process.setProcessEnvironment(m_environment);
        process.setProgram(qEnvironmentVariable("REELKEEP_CLI"));
        process.setArguments(QStringList{QStringLiteral("--home"), m_dir.path()} + args);
    }

    CliRun run(const QStringList& args) const
    {
        QProcess process;
        prepare(process, args);
        process.start();
        process.waitForFinished(120000);
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
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
};

} // namespace reelkeep::testing
