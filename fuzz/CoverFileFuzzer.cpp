// Feeds arbitrary bytes to the cover layout reader: it must throw ReelkeepError or
// give a layout that draws without crashing and saves to a file that reads back whole.
// (Byte equality after a second save is not asked: decimals of arbitrary files pass
// through single precision and the writing rule, which need not reproduce them.)
#include "ReelkeepError.h"
#include "ZKCover.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int argc = 1;
    static char name[] = "CoverFileFuzzer";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QGuiApplication(argc, argv);
    }();
    (void)app;

    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    reelkeep::ZKCover cover;
    try {
        cover.ReadFromBytes(bytes, QStringLiteral("fuzz.cvr"));
    } catch (const reelkeep::ReelkeepError&) {
        return 0;
    }
    QImage page(120, 160, QImage::Format_RGB32);
    page.setDotsPerMeterX(1000);
    page.setDotsPerMeterY(1000);
    QPainter painter(&page);
    cover.Draw(painter);
    painter.end();

    const QByteArray saved = cover.SaveToBytes();
    reelkeep::ZKCover again;
    again.ReadFromBytes(saved, QStringLiteral("saved.cvr"));
    if (again.Shapes.size() != cover.Shapes.size())
        abort();
    return 0;
}
