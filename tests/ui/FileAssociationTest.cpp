#include "FileAssociation.h"

#include "../support/TestFiles.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace reelkeep;

namespace {

// Runs a desktop tool as a session without a desktop environment would, in the given homes.
QString Run(const XdgHomes& homes, const QString& program, const QStringList& arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID"})
        environment.remove(QString::fromLatin1(variable));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), homes.DataHome);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), homes.ConfigHome);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("failed: ") + process.errorString() + QString::fromUtf8(process.readAll());
    return QString::fromUtf8(process.readAll()).trimmed();
}

} // namespace

class FileAssociationTest : public QObject {
    Q_OBJECT
private slots:
    void ExecArgumentsAreQuotedByTheDesktopEntryRules();
    void DesktopToolsSeeTheAssociation();
    void OtherDefaultsAndLinesAreKept();
    void TheFailingStepIsReported();
};

void FileAssociationTest::ExecArgumentsAreQuotedByTheDesktopEntryRules()
{
    QCOMPARE(DesktopExecArgument(QStringLiteral("/usr/bin/reelkeep")), QStringLiteral("/usr/bin/reelkeep"));
    QCOMPARE(DesktopExecArgument(QStringLiteral("/opt/my apps/reelkeep")), QStringLiteral("\"/opt/my apps/reelkeep\""));
    // Quoting escapes " ` $ \ with a backslash; the string level then doubles every backslash.
    QCOMPARE(DesktopExecArgument(QStringLiteral("/x/a\"b\\c$d`e")), QStringLiteral("\"/x/a\\\\\"b\\\\\\\\c\\\\$d\\\\`e\""));
    QCOMPARE(DesktopExecArgument(QStringLiteral("/x/100%")), QStringLiteral("/x/100%%"));
    QCOMPARE(DesktopExecArgument(QStringLiteral("/x/Фильмы/reelkeep")), QStringLiteral("/x/Фильмы/reelkeep"));
}

void FileAssociationTest::DesktopToolsSeeTheAssociation()
{
    QTemporaryDir root;
    const XdgHomes homes{root.filePath(QStringLiteral("data")), root.filePath(QStringLiteral("config"))};
    const QString program = root.filePath(QStringLiteral("My \"Best\" Films/reelkeep"));
    const AssociationResult result = AssociateFileTypes(program, homes);
    QCOMPARE(result.Detail, QString());
    QCOMPARE(result.FailedStep, AssociationStep::None);

    const QString entry = homes.DataHome + QStringLiteral("/applications/reelkeep.desktop");
    QCOMPARE(Run(homes, QStringLiteral("desktop-file-validate"), {entry}), QString());
    const QByteArray exec = "Exec=\"" + program.toUtf8().replace("\"", "\\\\\"") + "\" %f\n";
    QVERIFY(test::ReadTestFile(entry).contains(exec));
    QVERIFY(QFile::exists(homes.DataHome + QStringLiteral("/icons/hicolor/scalable/apps/reelkeep.svg")));

    const QString catalogue = root.filePath(QStringLiteral("films.kdx"));
    const QString xml = root.filePath(QStringLiteral("films.xkdx"));
    test::WriteTestFile(catalogue, QByteArray("kdx v2.1\0\0\0\0", 12));
    test::WriteTestFile(xml, "<?xml version=\"1.0\"?>\n<Reelkeep MajorVersion=\"2\" MinorVersion=\"1\" Autor=\"\"/>\n");
    QCOMPARE(Run(homes, QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("filetype"), catalogue}),
             QStringLiteral("application/x-reelkeep-catalogue"));
    QCOMPARE(Run(homes, QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("filetype"), xml}),
             QStringLiteral("application/x-reelkeep-xml"));
    for (const QString& type : {QStringLiteral("application/x-reelkeep-catalogue"), QStringLiteral("application/x-reelkeep-xml")})
        QCOMPARE(Run(homes, QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), type}),
                 QStringLiteral("reelkeep.desktop"));
}

void FileAssociationTest::OtherDefaultsAndLinesAreKept()
{
    QTemporaryDir root;
    const XdgHomes homes{root.filePath(QStringLiteral("data")), root.filePath(QStringLiteral("config"))};
    const QString list = homes.ConfigHome + QStringLiteral("/mimeapps.list");
    test::WriteTestFile(list, "[Added Associations]\ntext/plain=editor.desktop;\n\n"
                              "[Default Applications]\napplication/x-reelkeep-catalogue=old.desktop;reelkeep.desktop;\ntext/html=браузер.desktop;\n\n"
                              "[Removed Associations]\nimage/png=viewer.desktop;\n");
    const QString program = root.filePath(QStringLiteral("reelkeep"));
    QCOMPARE(AssociateFileTypes(program, homes).FailedStep, AssociationStep::None);
    QCOMPARE(AssociateFileTypes(program, homes).FailedStep, AssociationStep::None);
    QCOMPARE(QString::fromUtf8(test::ReadTestFile(list)),
             QStringLiteral("[Added Associations]\ntext/plain=editor.desktop;\n\n"
                            "[Default Applications]\napplication/x-reelkeep-catalogue=reelkeep.desktop;old.desktop;\ntext/html=браузер.desktop;\n"
                            "application/x-reelkeep-xml=reelkeep.desktop;\n\n"
                            "[Removed Associations]\nimage/png=viewer.desktop;\n"));

    // A file without the section gets it at its end.
    test::WriteTestFile(list, "[Added Associations]\ntext/plain=editor.desktop;");
    QCOMPARE(AssociateFileTypes(program, homes).FailedStep, AssociationStep::None);
    QCOMPARE(test::ReadTestFile(list), QByteArray("[Added Associations]\ntext/plain=editor.desktop;\n\n[Default Applications]\n"
                                    "application/x-reelkeep-catalogue=reelkeep.desktop;\napplication/x-reelkeep-xml=reelkeep.desktop;\n"));
}

void FileAssociationTest::TheFailingStepIsReported()
{
    QTemporaryDir root;
    const QString blocker = root.filePath(QStringLiteral("a file"));
    test::WriteTestFile(blocker, "not a folder");
    const auto marker = [](const QString& section, const QString& key) -> QString { return section + u'/' + key; };

    AssociationResult result = AssociateFileTypes(QStringLiteral("/usr/bin/reelkeep"), {blocker, root.filePath(QStringLiteral("config"))});
    QCOMPARE(result.FailedStep, AssociationStep::MimePackage);
    QVERIFY(result.Detail.contains(blocker));
    QVERIFY(DescribeAssociation(result, marker).startsWith(QStringLiteral("Association/Failed\nAssociation/MimePackage: ")));

    result = AssociateFileTypes(QStringLiteral("/usr/bin/reelkeep"), {root.filePath(QStringLiteral("data")), blocker});
    QCOMPARE(result.FailedStep, AssociationStep::DefaultApplication);
    QVERIFY(result.Detail.contains(blocker));
    QVERIFY(QFile::exists(root.filePath(QStringLiteral("data/applications/reelkeep.desktop"))));
    QCOMPARE(test::ReadTestFile(blocker), QByteArray("not a folder"));
    QCOMPARE(DescribeAssociation({}, marker), QStringLiteral("Association/Done"));
}

QTEST_GUILESS_MAIN(FileAssociationTest)
#include "FileAssociationTest.moc"
