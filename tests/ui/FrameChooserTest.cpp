// Pictures from the video itself: the frame chooser opened from the image panel, the
// frames chosen kept through a save and a reopening, and one frame per record entered
// from files when the setting asks for it.
#include "FileEntryCommands.h"
#include "FrameImageCommand.h"
#include "LoadLimits.h"
#include "ShellState.h"
#include "TestVideos.h"
#include "TfmFrameChooser.h"
#include "TzkImagePanel.h"
#include "TzkRecordPanel.h"
#include "UiTestSupport.h"
#include "zkOptions.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QToolButton>

using namespace reelkeep;
using namespace reelkeep::testing;
using reelkeep::test::TestVideos;

class FrameChooserTest : public QObject, MainWindowFixture {
    Q_OBJECT

private:
    TzkImagePanel* images() const { return list->recordPanel()->imagePanel(); }
    // The chooser opened by the frame button for the video, once every frame is in.
    TfmFrameChooser* openChooser(const QString& video)
    {
        prompts->files = {{video, 0}};
        images()->frameButton()->click();
        auto* chooser = list->findChild<TfmFrameChooser*>();
        if (!chooser)
            return nullptr;
        QSignalSpy taken(chooser, &TfmFrameChooser::framesTaken);
        if (chooser->isTaking() && !taken.wait(30000))
            return nullptr;
        return chooser;
    }
    static void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }

private slots:
    void init()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty())
            QSKIP("ffmpeg is not installed: no video to take frames from");
        newProgramFolder();
        startMainWindow();
        QVERIFY(showMainWindow({1100, 800}));
        QVERIFY((list = openSample("films.kdx")));
    }
    void cleanup() { closeMainWindow(); }

    void chosenFramesBecomePicturesThatASaveAndAReopeningKeep()
    {
        const QString video = TestVideos::Get().redRamp();
        main->shell().options().LastAviDir = QStringLiteral("/nowhere/");
        click(rowIndex("Амели"));
        TfmFrameChooser* chooser = openChooser(video);
        QVERIFY(chooser);
        QCOMPARE(prompts->lastFolder, QStringLiteral("/nowhere/"));
        QCOMPARE(main->shell().options().LastAviDir, TestVideos::Get().root() + u'/');
        QListWidget* thumbnails = chooser->thumbnails();
        QCOMPARE(thumbnails->count(), 6);
        for (int i = 0; i < 6; ++i)
            QVERIFY2(!thumbnails->item(i)->icon().isNull(), qPrintable(QString::number(i)));
        QCOMPARE(thumbnails->item(5)->text(), QStringLiteral("85 %"));

        // The first frame is chosen already; Ctrl+Space adds the fourth, Enter adds both.
        QTRY_COMPARE(QApplication::focusWidget(), thumbnails);
        QCOMPARE(chooser->chosenFrames().size(), 1);
        for (int i = 0; i < 3; ++i)
            key(Qt::Key_Right, Qt::ControlModifier);
        key(Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(chooser->chosenFrames().size(), 2);
        key(Qt::Key_Return);
        QTRY_VERIFY(!list->findChild<TfmFrameChooser*>());
        QCOMPARE(images()->count(), 2);
        QVERIFY(list->controller().isModified());
        // The fourth frame is of the fifth second: red 125.
        QCOMPARE(images()->shownIndex(), 1);
        const QImage shown = images()->picture()->pixmap().toImage();
        QVERIFY(qAbs(qRed(shown.pixel(shown.width() / 2, shown.height() / 2)) - 125) <= 10);

        // Kept through Save As .xkdx and a reopening, as JPEG files of at most 1024 pixels a side.
        prompts->files = {{cli->path("films.xkdx"), 3}};
        main->menus().action("miSaveAs")->trigger();
        QTRY_VERIFY(idle());
        main->menus().action("miClose")->trigger();
        QTRY_VERIFY(main->lists().isEmpty());
        QVERIFY((list = openLoaded(cli->path("films.xkdx"))));
        click(rowIndex("Амели"));
        const QList<QByteArray> kept = list->controller().imagesOf(list->currentRecord());
        QCOMPARE(kept.size(), 2);
        for (const QByteArray& jpeg : kept) {
            QVERIFY(jpeg.startsWith("\xFF\xD8"));
            QCOMPARE(QImage::fromData(jpeg, "JPEG").size(), QSize(1024, 256));
        }
        const QJsonArray dumped = dump(cli->path("films.xkdx"))[QStringLiteral("lists")].toArray()[0][QStringLiteral("images")].toArray();
        QCOMPARE(dumped.size(), 2);
        QCOMPARE(dumped[0][QStringLiteral("size")].toInt(), kept[0].size());
    }

    void aVideoWithoutFramesIsToldAndCancelAddsNothing()
    {
        const QString notes = cli->path("notes.avi");
        test::WriteTestFile(notes, "not a video at all\n");
        click(rowIndex("Амели"));
        TfmFrameChooser* chooser = openChooser(notes);
        QVERIFY(chooser);
        QVERIFY(chooser->findChild<QLabel*>(QStringLiteral("lblFrameStatus"))->text().contains(notes));
        QVERIFY(!chooser->buttons()->button(QDialogButtonBox::Ok)->isEnabled());
        QCOMPARE(chooser->thumbnails()->item(0)->text(), QStringLiteral("10 %: нет кадра"));
        key(Qt::Key_Escape);
        QTRY_VERIFY(!list->findChild<TfmFrameChooser*>());
        QCOMPARE(images()->count(), 0);
        QVERIFY(!list->controller().isModified());
    }

    void theSettingGivesEachRecordEnteredFromFilesAFrame()
    {
        const QString video = TestVideos::Get().redRamp();
        QSignalSpy entered(&list->files(), &FileEntryCommands::entryFinished);
        prompts->fileLists = {{video}};
        main->menus().action("miAddFromFile")->trigger();
        QVERIFY(entered.wait(60000));
        QCOMPARE(list->controller().imagesOf(list->currentRecord()).size(), 0);

        main->shell().options().FrameForNewRecords = true;
        prompts->fileLists = {{video}};
        main->menus().action("miAddFromFile")->trigger();
        QVERIFY(entered.wait(60000));
        const QList<QByteArray> frames = list->controller().imagesOf(list->currentRecord());
        QCOMPARE(frames.size(), 1);
        // The key frame at a tenth of the film, its second second: red 25.
        const QImage frame = QImage::fromData(frames[0], "JPEG");
        QCOMPARE(frame.size(), QSize(1024, 256));
        QVERIFY(qAbs(qRed(frame.pixel(10, 10)) - 25) <= 8);
    }
};

QTEST_MAIN(FrameChooserTest)
#include "FrameChooserTest.moc"
