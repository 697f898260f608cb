// Where the record panel's controls go: from their stored places and widths, the sizes
// their texts need and the width the panel is shown in, to rectangles. No widget is
// touched, so every case can be checked with plain numbers.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

namespace reelkeep {

// One labelled edit: the label sits above the edit box, whose top is the stored place.
struct PanelEditInput {
    int column = 0;
    QPoint place;         // stored top-left of the edit box
    int width = 0;        // stored width of the edit with its button
    int leastWidth = 0;   // what the edit with its button needs at least
    int captionWidth = 0; // what the label's whole caption needs
    int height = 0;       // label and edit together
};

struct PanelMemoInput {
    QPoint place;   // (0, 0): below the edits, across the panel
    int width = 0;  // stored width, for a memo with a place
    int height = 0;
};

struct PanelLayoutInput {
    std::vector<PanelEditInput> edits;
    QPoint colourPlace;   // stored top-left of the colour box (label above it)
    QSize colourSize;     // the labelled colour box at its width
    QPoint imagePlace;    // (0, 0): right of the edits
    int imageWidth = 0;   // stored width, or the least the image buttons need when larger
    int imageLeastHeight = 0;
    PanelMemoInput actors;
    PanelMemoInput description;
    int labelOffset = 0;  // how far a control's top lies above its stored place
    int shownWidth = 0;   // the width the panel is seen in (the scroll area's viewport)
};

struct PanelEditPlacement {
    int column = 0;
    QRect rect;
    int boxWidth = 0; // the edit with its button
    int room = 0;     // what the label may take before it meets the next control
};

struct PanelLayout {
    std::vector<PanelEditPlacement> edits; // in reading order
    QRect colour;
    QRect images;
    QRect actors;
    QRect description;
    QSize minimum; // the least size of the panel that shows every control whole
};

// Keeps the stored places where they fit. An edit widened to its least width pushes the
// next one on its line right; a control that would then reach past the shown width goes,
// with the rest of its line, to a new line below. The image area stands right of the edits
// while there is room, else right of the memos, else below them.
PanelLayout LayOutRecordPanel(const PanelLayoutInput& input);

} // namespace reelkeep
