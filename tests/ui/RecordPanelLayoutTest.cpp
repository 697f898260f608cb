// The record panel's layout as plain numbers: stored places kept where they fit, pushed
// apart where edits widen, lines wrapped in a narrow window, labels shortened at the
// next control or the edge, and the image area beside the edits, beside the memos or below.
#include "RecordPanelLayout.h"

#include <QTest>

using namespace reelkeep;

namespace {

constexpr int kHeight = 40;  // label and edit
constexpr int kOffset = 17;  // the label above the stored place

// Two lines of three edits 150 wide (x 10, 170, 330; y 20 and 70), the colour box at the
// end of the second line, memos below, the image area not placed (120 wide at least).
PanelLayoutInput twoLines(int shownWidth)
{
    PanelLayoutInput input;
    int column = 0;
    for (int y : {20, 70})
        for (int x : {10, 170, 330})
            input.edits.push_back({column++, QPoint(x, y), 150, 60, 40, kHeight});
    input.colourPlace = QPoint(490, 70);
    input.colourSize = QSize(90, kHeight);
    input.imageWidth = 120;
    input.imageLeastHeight = 80;
    input.actors = {{}, 0, 30};
    input.description = {{}, 0, 60};
    input.labelOffset = kOffset;
    input.shownWidth = shownWidth;
    return input;
}

QRect editRect(const PanelLayout& layout, int column)
{
    for (const PanelEditPlacement& edit : layout.edits)
        if (edit.column == column)
            return edit.rect;
    return {};
}

int roomOf(const PanelLayout& layout, int column)
{
    for (const PanelEditPlacement& edit : layout.edits)
        if (edit.column == column)
            return edit.room;
    return -1;
}

// No two controls overlap and none reaches past the right edge.
void verifyNothingOverlapsOrSticksOut(const PanelLayout& layout, int shownWidth)
{
    std::vector<QRect> rects{layout.colour, layout.images, layout.actors, layout.description};
    for (const PanelEditPlacement& edit : layout.edits)
        rects.push_back(edit.rect);
    for (size_t i = 0; i < rects.size(); ++i) {
        QVERIFY2(rects[i].right() < shownWidth, qPrintable(QStringLiteral("control %1 reaches %2").arg(i).arg(rects[i].right())));
        for (size_t j = i + 1; j < rects.size(); ++j)
            QVERIFY2(!rects[i].intersects(rects[j]), qPrintable(QStringLiteral("controls %1 and %2 overlap").arg(i).arg(j)));
    }
    QVERIFY(layout.minimum.width() <= shownWidth);
}

} // namespace

class RecordPanelLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void aWideWindowKeepsStoredPlacesAndPutsTheImagesBesideTheEdits()
    {
        const PanelLayout layout = LayOutRecordPanel(twoLines(1000));
        QCOMPARE(editRect(layout, 0), QRect(10, 20 - kOffset, 150, kHeight));
        QCOMPARE(editRect(layout, 5), QRect(330, 70 - kOffset, 150, kHeight));
        QCOMPARE(layout.colour, QRect(490, 70 - kOffset, 90, kHeight));
        // A label may run up to the next control, the last one of a line to the edge.
        QCOMPARE(roomOf(layout, 0), 170 - 10 - 4);
        QCOMPARE(roomOf(layout, 5), 490 - 330 - 4);
        QCOMPARE(roomOf(layout, 2), 1000 - 5 - 330);
        // The image area reaches down to the edits' bottom line; the memos go below both.
        QCOMPARE(layout.images, QRect(579 + 8, 3, 120, 92 - 3));
        QCOMPARE(layout.actors, QRect(5, 92 + 6, 1000 - 10, 30));
        QCOMPARE(layout.description, QRect(5, 98 + 30 + 4, 1000 - 10, 60));
        QCOMPARE(layout.minimum, QSize(706 + 5, 191 + 5));
        verifyNothingOverlapsOrSticksOut(layout, 1000);
    }

    void aWidenedEditPushesTheNextControlsOfItsLine()
    {
        PanelLayoutInput input = twoLines(1000);
        input.edits[3].leastWidth = 200;  // the first edit of the second line needs 200
        input.edits[4].width = 250;       // the next gives up 44 of its 250
        input.edits[5].place.setX(436);
        input.colourPlace.setX(560);      // overlapped by the third edit: it gives way
        const PanelLayout layout = LayOutRecordPanel(input);
        QCOMPARE(editRect(layout, 3).width(), 200);
        QCOMPARE(editRect(layout, 4), QRect(214, 70 - kOffset, 206, kHeight));
        QCOMPARE(editRect(layout, 5).left(), 436);
        QCOMPARE(layout.colour.left(), 436 + 150 + 4);
        verifyNothingOverlapsOrSticksOut(layout, 1000);
        // An edit that cannot shrink below its least width passes the push on, and the
        // next one shrinks instead.
        input.edits[4].leastWidth = 250;
        const PanelLayout pushed = LayOutRecordPanel(input);
        QCOMPARE(editRect(pushed, 5), QRect(214 + 250 + 4, 70 - kOffset, 150 - 32, kHeight));
        QCOMPARE(pushed.colour.left(), 590);
        verifyNothingOverlapsOrSticksOut(pushed, 1000);
    }

    void aLongCaptionTakesFreeRoomAndIsCutAtTheNextControlOrTheEdge()
    {
        PanelLayoutInput input = twoLines(1000);
        input.edits[0].captionWidth = 400; // would run into the second edit
        input.edits[2].captionWidth = 900; // the last of its line, past the right edge
        input.edits[5].captionWidth = 155; // fits before the colour box
        const PanelLayout layout = LayOutRecordPanel(input);
        QCOMPARE(editRect(layout, 0).width(), 170 - 10 - 4);
        QCOMPARE(editRect(layout, 2).width(), 1000 - 5 - 330);
        QCOMPARE(editRect(layout, 5).width(), 155);
        verifyNothingOverlapsOrSticksOut(layout, 1000);
    }

    void aNarrowWindowWrapsLinesAndMovesTheImagesBesideOrBelowTheMemos()
    {
        // 600 wide: the edits fit, the image area right of them does not: beside the memos.
        const PanelLayout beside = LayOutRecordPanel(twoLines(600));
        QCOMPARE(beside.colour.left(), 490);
        QCOMPARE(beside.images.left(), beside.actors.right() + 1 + 6);
        QCOMPARE(beside.images.top(), beside.actors.top());
        verifyNothingOverlapsOrSticksOut(beside, 600);

        // 400 wide: the third edit of the first line starts inside the width but would end
        // past it: it goes to a new line too.
        const PanelLayout partly = LayOutRecordPanel(twoLines(400));
        QCOMPARE(editRect(partly, 2).topLeft(), QPoint(10, 20 - kOffset + kHeight + 4));
        verifyNothingOverlapsOrSticksOut(partly, 400);

        // 330 wide: the third edit of each line and the colour box go to a new line at the
        // line's start; the lines below move down; the memos would be too narrow beside the
        // image area, which goes below them.
        const PanelLayout narrow = LayOutRecordPanel(twoLines(330));
        QCOMPARE(editRect(narrow, 1), QRect(170, 20 - kOffset, 150, kHeight));
        QCOMPARE(editRect(narrow, 2), QRect(10, 20 - kOffset + kHeight + 4, 150, kHeight));
        QCOMPARE(editRect(narrow, 3).top(), 70 - kOffset + kHeight + 4);
        QCOMPARE(editRect(narrow, 5), QRect(10, 70 - kOffset + 2 * (kHeight + 4), 150, kHeight));
        QCOMPARE(narrow.colour, QRect(170, editRect(narrow, 5).top(), 90, kHeight));
        QCOMPARE(roomOf(narrow, 1), 330 - 5 - 170);
        QCOMPARE(narrow.actors.width(), 330 - 10);
        QCOMPARE(narrow.images, QRect(5, narrow.description.bottom() + 1 + 4, 120, 80));
        verifyNothingOverlapsOrSticksOut(narrow, 330);
    }

    void aPlacedImageAreaStepsAsideForEditsThatReachIt()
    {
        PanelLayoutInput input = twoLines(1000);
        input.imagePlace = QPoint(700, 10);
        QCOMPARE(LayOutRecordPanel(input).images.topLeft(), QPoint(700, 10));
        input.imagePlace = QPoint(400, 10);
        const PanelLayout layout = LayOutRecordPanel(input);
        QCOMPARE(layout.images.left(), layout.colour.right() + 8);
        verifyNothingOverlapsOrSticksOut(layout, 1000);
    }
};

QTEST_GUILESS_MAIN(RecordPanelLayoutTest)
#include "RecordPanelLayoutTest.moc"
