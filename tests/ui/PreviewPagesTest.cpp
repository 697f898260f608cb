// The print preview's pages: where the layout puts them for each way of showing and
// zooming (plain numbers), and the view itself over a long printout: a page lands where
// the printer would put it, the current page follows page moves and scrolling, and the
// zoom steps and fits.
#include "PreviewPages.h"

#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace reelkeep;

namespace {

const QSizeF kA4(595, 842);
constexpr double kGap = PreviewLayout::kGap;

// A printout of count A4 pages at 600 dpi with 20 mm margins, each page's printable area black.
std::shared_ptr<RecordedPages> blackPages(int count)
{
    auto recorded = std::make_shared<RecordedPages>();
    recorded->measurements = PageMeasurements(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20),
                                                          QPageLayout::Millimeter),
                                              600);
    const PrinterMeasurements& page = recorded->measurements;
    for (int i = 0; i < count; ++i) {
        QPicture picture;
        QPainter painter(&picture);
        painter.fillRect(0, 0, page.PhysicalWidth - page.UnprintableWidth, page.PhysicalHeight - page.UnprintableHeight, Qt::black);
        painter.end();
        recorded->pages.push_back(picture);
    }
    return recorded;
}

} // namespace

class PreviewPagesTest : public QObject {
    Q_OBJECT

private slots:
    void fittingScalesAndColumns()
    {
        const QSize view(800, 600);
        // One page fits the height of a wide view, and stands in its middle.
        const double inView = PreviewLayout::FittingScale(kA4, 10, PreviewMode::SinglePage, PreviewZoom::FitInView, view, 1);
        QCOMPARE(inView, (600 - 2 * kGap) / 842);
        const PreviewLayout single(kA4, 10, PreviewMode::SinglePage, inView, 800);
        QCOMPARE(single.PageRect(0).center().x(), 400.0);
        QCOMPARE(single.PageRect(1).top(), single.PageRect(0).bottom() + kGap);
        // Two facing pages share the width; the third starts the second row.
        const double toWidth = PreviewLayout::FittingScale(kA4, 10, PreviewMode::FacingPages, PreviewZoom::FitToWidth, view, 1);
        QCOMPARE(toWidth, (800 - 3 * kGap) / (2 * 595));
        const PreviewLayout facing(kA4, 10, PreviewMode::FacingPages, toWidth, 800);
        QCOMPARE(facing.PageRect(0).left(), kGap);
        QCOMPARE(facing.PageRect(1).left(), facing.PageRect(0).right() + kGap);
        QCOMPARE(facing.PageRect(2).left(), kGap);
        QCOMPARE(facing.PageRect(2).top(), facing.PageRect(0).bottom() + kGap);
        // A tall narrow view fits facing pages by their width.
        QCOMPARE(PreviewLayout::FittingScale(kA4, 10, PreviewMode::FacingPages, PreviewZoom::FitInView, {400, 2000}, 1),
                 (400 - 3 * kGap) / (2 * 595));
        // The overview goes as wide as the square of the count, four pages at most.
        QCOMPARE(PreviewLayout(kA4, 1, PreviewMode::AllPages, 1, 800).Columns(), 1);
        QCOMPARE(PreviewLayout(kA4, 9, PreviewMode::AllPages, 1, 800).Columns(), 3);
        QCOMPARE(PreviewLayout(kA4, 1000, PreviewMode::AllPages, 1, 800).Columns(), 4);
        // A zoom of one's own is kept, within bounds.
        QCOMPARE(PreviewLayout::FittingScale(kA4, 10, PreviewMode::SinglePage, PreviewZoom::Custom, view, 1.5), 1.5);
        QVERIFY(PreviewLayout::FittingScale(kA4, 10, PreviewMode::SinglePage, PreviewZoom::Custom, view, 1000) < 10);
        QVERIFY(PreviewLayout::FittingScale(kA4, 10, PreviewMode::SinglePage, PreviewZoom::FitInView, {10, 10}, 1) > 0);
    }

    void onlyThePagesInSightAreFound()
    {
        const PreviewLayout pages(kA4, 1000, PreviewMode::SinglePage, 0.5, 800);
        const QSize content = pages.ContentSize();
        QCOMPARE(content.height(), qCeil(1000 * (842 * 0.5 + kGap) + kGap));
        QCOMPARE(content.width(), qCeil(595 * 0.5 + 2 * kGap));
        int first = 0, last = 0;
        const double top = pages.PageRect(500).top();
        pages.PagesBetween(top, top + 600, first, last);
        QCOMPARE(first, 500);
        QCOMPARE(last, 501);
        // A view past the end sees the last page; the rows are clamped at both ends.
        pages.PagesBetween(content.height() - 100, content.height() + 500, first, last);
        QCOMPARE(first, 999);
        QCOMPARE(last, 999);
        QCOMPARE(pages.RowAt(-50), 0);
        QCOMPARE(pages.RowAt(content.height() + 1000), 999);
        // Facing pages come by rows of two, the last row's second page missing.
        const PreviewLayout facing(kA4, 5, PreviewMode::FacingPages, 0.5, 800);
        facing.PagesBetween(facing.PageRect(4).top(), facing.PageRect(4).bottom(), first, last);
        QCOMPARE(first, 4);
        QCOMPARE(last, 4);
        QCOMPARE(facing.RowOf(3), 1);
        PreviewLayout(kA4, 0, PreviewMode::SinglePage, 0.5, 800).PagesBetween(0, 600, first, last);
        QVERIFY(first > last);
    }

    void aLongPrintoutIsShownAndWalked()
    {
        PreviewPages view;
        view.resize(700, 600);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const auto recorded = blackPages(300);
        view.setPages(recorded);
        QCOMPARE(view.pageCount(), 300);
        QCOMPARE(view.currentPage(), 1);

        // The printable area is black on a white sheet, where the printer puts it.
        const PrinterMeasurements& device = recorded->measurements;
        const QSizeF a4(device.PhysicalWidth * 72.0 / device.DpiX, device.PhysicalHeight * 72.0 / device.DpiY);
        const PreviewLayout pages(a4, 300, PreviewMode::SinglePage, view.scale(), view.viewport()->width());
        const QRectF sheet = pages.PageRect(0).translated(0, -view.verticalScrollBar()->value());
        const QImage shot = view.viewport()->grab().toImage();
        const double margin = 20 / 25.4 * 72 * view.scale();
        const auto shade = [&](QPointF at) { return qGray(shot.pixel(at.toPoint())); };
        QVERIFY(shade(sheet.center()) < 64);
        QVERIFY(shade(sheet.topLeft() + QPointF(margin / 2, margin / 2)) > 192);
        QVERIFY(shade(sheet.topLeft() + QPointF(margin * 1.5, margin * 1.5)) < 64);
        QVERIFY(shade(sheet.bottomRight() - QPointF(margin / 2, margin / 2)) > 192);
        QVERIFY(shade(sheet.bottomRight() - QPointF(margin * 1.5, margin * 1.5)) < 64);

        // Page moves bring the page to the top; scrolling to the end makes the last page current.
        QSignalSpy moved(&view, &PreviewPages::currentPageChanged);
        view.setCurrentPage(150);
        QCOMPARE(view.currentPage(), 150);
        QCOMPARE(moved.count(), 1);
        QCOMPARE(view.verticalScrollBar()->value(), qRound(pages.PageRect(149).top() - kGap));
        view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
        QCOMPARE(view.currentPage(), 300);
        view.verticalScrollBar()->setValue(qRound(pages.PageRect(41).top()));
        QCOMPARE(view.currentPage(), 42);
        view.setCurrentPage(1000);
        QCOMPARE(view.currentPage(), 300);
        // Zoomed out, rows stand below the middle of the view even at the end: the last page is current there all the same.
        for (int step = 0; step < 5; ++step)
            view.zoomOut();
        view.verticalScrollBar()->setValue(0);
        view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
        QCOMPARE(view.currentPage(), 300);
        view.setZoomMode(PreviewZoom::FitInView);

        // Facing pages: the last page stays current though its row starts with the one before.
        view.setMode(PreviewMode::FacingPages);
        QCOMPARE(view.currentPage(), 300);
        view.setCurrentPage(1);
        view.setCurrentPage(300);
        QCOMPARE(view.currentPage(), 300);

        // Zoom steps leave fitting; fitting to the width fills the view's width again.
        const double fitted = view.scale();
        view.zoomIn();
        QCOMPARE(view.zoomMode(), PreviewZoom::Custom);
        QCOMPARE(view.scale(), fitted * 1.25);
        view.zoomOut();
        view.zoomOut();
        QCOMPARE(view.scale(), fitted / 1.25);
        view.setZoomMode(PreviewZoom::FitToWidth);
        QCOMPARE(view.scale(), (view.viewport()->width() - 3 * kGap) / (2 * a4.width()));
        QCOMPARE(view.currentPage(), 300);

        // Without pages nothing is current and nothing is painted.
        view.setPages(nullptr);
        QCOMPARE(view.currentPage(), 0);
        QCOMPARE(view.pageCount(), 0);
    }
};

QTEST_MAIN(PreviewPagesTest)
#include "PreviewPagesTest.moc"
