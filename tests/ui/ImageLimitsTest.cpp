// The limits on a record's images: a file too big, or a picture of too many pixels,
// is refused when added and never decoded when a catalogue brings it in.
#include "TzkImagePanel.h"
#include "TzkRecordPanel.h"
#include "UiTestSupport.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QToolButton>
#include <QtEndian>

using namespace reelkeep;
using namespace reelkeep::testing;

namespace {

// The header of a 24-bit BMP claiming width × height, and only a few of its pixels:
// enough for a reader to learn the size, far too little to be a picture.
QByteArray bmpHeader(qint32 width, qint32 height)
{
    QByteArray bytes(54, '\0');
    const auto put32 = [&](int at, quint32 value) { qToLittleEndian(value, bytes.data() + at); };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, 54 + 3u * quint32(width) * quint32(height));
    put32(10, 54);
    put32(14, 40);
    put32(18, quint32(width));
    put32(22, quint32(height));
    qToLittleEndian<quint16>(1, bytes.data() + 26);
    qToLittleEndian<quint16>(24, bytes.data() + 28);
    return bytes + QByteArray(300, '\x7f');
}

} // namespace

class ImageLimitsTest : public QObject, MainWindowFixture {
    Q_OBJECT

private:
    TzkImagePanel* images() const { return list->recordPanel()->imagePanel(); }
    void add(const QString& path)
    {
        prompts->files = {{path, 0}};
        images()->addButton()->click();
    }

private slots:
    void init()
    {
        newProgramFolder();
        startMainWindow();
        QVERIFY(showMainWindow({1100, 800}));
    }
    void cleanup() { closeMainWindow(); }

    void tooBigAndTooManyPixelsAreRefusedNamingTheFileAndTheLimit()
    {
        QVERIFY((list = openSample("films.kdx")));
        click(rowIndex("Амели"));
        test::WriteTestFile(cli->path("huge.bmp"), bmpHeader(9000, 8000));
        add(cli->path("huge.bmp"));
        QCOMPARE(prompts->texts(), QStringLiteral("«%1»: изображение 9000 × 8000 точек больше предела в 64 мегапикселей.")
                                       .arg(cli->path("huge.bmp")));
        QFile big(cli->path("big.png"));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize((qint64(32) << 20) + 1));
        big.close();
        add(cli->path("big.png"));
        QCOMPARE(prompts->asked.back().text,
                 QStringLiteral("«%1»: файл больше предела в 32 МиБ для изображения.").arg(cli->path("big.png")));
        QCOMPARE(images()->count(), 0);
        QVERIFY(!list->controller().isModified());

        // A picture within both limits is taken.
        QImage small(300, 200, QImage::Format_RGB32);
        small.fill(Qt::red);
        QVERIFY(small.save(cli->path("small.bmp"), "BMP"));
        add(cli->path("small.bmp"));
        QCOMPARE(images()->count(), 1);
        QCOMPARE(prompts->asked.size(), size_t(2));
    }

    void aCatalogueCannotSmuggleInWhatThePanelRefuses()
    {
        // Version 2.0 keeps images; one claims too many pixels, the other is a real picture
        // far larger than the box, shown scaled down.
        TestCatalogue films;
        films.sheet("Фильмы");
        TzkRow* huge = films.record({{csTitle, "Огромный"}});
        TzkRow* wide = films.record({{csTitle, "Широкий"}});
        films.doc.List(0)->Images.AddImage(bmpHeader(20000, 4000), huge->ID);
        QImage picture(3000, 1000, QImage::Format_RGB32);
        picture.fill(Qt::darkBlue);
        QByteArray png;
        {
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            QVERIFY(picture.save(&buffer, "PNG"));
        }
        films.doc.List(0)->Images.AddImage(png, wide->ID);
        films.doc.Save(cli->path("flat.kdx"), CatalogueForm::Kdx20);
        QVERIFY((list = openLoaded(cli->path("flat.kdx"))));
        main->mdiArea()->setActiveSubWindow(list);

        click(rowIndex("Огромный"));
        QCOMPARE(images()->count(), 1);
        QVERIFY(images()->picture()->pixmap().isNull());
        QCOMPARE(images()->picture()->text(), QStringLiteral("Изображение больше 64 мегапикселей"));

        click(rowIndex("Широкий"));
        const QPixmap shown = images()->picture()->pixmap();
        const QSize room = images()->picture()->contentsRect().size();
        QVERIFY(!shown.isNull());
        QVERIFY(shown.width() <= room.width() && shown.height() <= room.height());
        QVERIFY(qAbs(shown.width() - 3 * shown.height()) <= 3);
        QCOMPARE(shown.toImage().pixelColor(shown.width() / 2, shown.height() / 2), QColor(Qt::darkBlue));
    }
};

QTEST_MAIN(ImageLimitsTest)
#include "ImageLimitsTest.moc"
