#include "RecordPanelLayout.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace reelkeep {
namespace {

constexpr int kControlGap = 4; // between controls of a line, and between lines moved apart
constexpr int kMargin = 5;  // kept free at the panel's right edge
constexpr int kLeastMemoWidth = 200;
constexpr int kColourBox = -1; // the colour box among the edits of a line

// An edit or the colour box on its way from the stored place to its rectangle.
struct LineItem {
    int column = kColourBox;
    QPoint place;
    int width = 0;      // the box: the edit with its button, or the labelled colour box
    int leastWidth = 0;
    int captionWidth = 0;
    int height = 0;
    int left = 0;
    int top = 0;
    int row = 0;        // the line it is shown on, counted over the whole panel
};

bool sameLine(const LineItem& a, const LineItem& b)
{
    return std::abs(a.place.y() - b.place.y()) <= 2;
}

std::vector<LineItem> itemsInReadingOrder(const PanelLayoutInput& input)
{
    std::vector<LineItem> items;
    for (const PanelEditInput& edit : input.edits)
        items.push_back({edit.column, edit.place, edit.width, edit.leastWidth, edit.captionWidth, edit.height});
    const int colourWidth = input.colourSize.width();
    items.push_back({kColourBox, input.colourPlace, colourWidth, colourWidth, 0, input.colourSize.height()});
    std::stable_sort(items.begin(), items.end(), [](const LineItem& a, const LineItem& b) {
        return !sameLine(a, b) ? a.place.y() < b.place.y() : a.place.x() < b.place.x();
    });
    return items;
}

// A control widened to its least width pushes the next one on its line right, which gives
// up as much of its own width as it can spare.
void pushApart(std::vector<LineItem>& items)
{
    for (size_t i = 0; i < items.size(); ++i) {
        LineItem& item = items[i];
        item.left = item.place.x();
        if (i == 0 || !sameLine(items[i - 1], item))
            continue;
        const LineItem& previous = items[i - 1];
        const int pushed = previous.left + std::max(previous.width, previous.leastWidth) + kControlGap - item.place.x();
        if (pushed > 0) {
            item.left += pushed;
            item.width = std::max(item.width - pushed, item.leastWidth);
        }
    }
}

// Lines that reach past the right edge continue on a new line below, starting where the
// line started; every line after them moves down as far.
void wrapLines(std::vector<LineItem>& items, int labelOffset, int limit)
{
    int shift = 0;
    int row = 0;
    for (size_t first = 0; first < items.size();) {
        size_t end = first + 1;
        while (end < items.size() && sameLine(items[end - 1], items[end]))
            ++end;
        int step = 0;
        for (size_t i = first; i < end; ++i)
            step = std::max(step, items[i].height + kControlGap);
        const int lineStart = items[first].left;
        int dx = 0;
        bool rowStart = true;
        for (size_t i = first; i < end; ++i) {
            LineItem& item = items[i];
            const int box = std::max(item.width, item.leastWidth);
            item.left -= dx;
            if (limit > 0 && !rowStart && item.left + box > limit) {
                dx += item.left - lineStart;
                item.left = lineStart;
                shift += step;
                ++row;
            }
            if (limit > 0 && item.left + box > limit)
                item.left = std::max(0, limit - box);
            item.top = std::max(0, item.place.y() - labelOffset) + shift;
            item.row = row;
            rowStart = false;
        }
        first = end;
        ++row;
    }
}

} // namespace

PanelLayout LayOutRecordPanel(const PanelLayoutInput& input)
{
    PanelLayout layout;
    std::vector<LineItem> items = itemsInReadingOrder(input);
    pushApart(items);
    const int limit = input.shownWidth > 0 ? input.shownWidth - kMargin : 0;
    wrapLines(items, input.labelOffset, limit);

    int right = 0;
    int bottom = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        const LineItem& item = items[i];
        const int box = std::max(item.width, item.leastWidth);
        QRect rect(item.left, item.top, box, item.height);
        if (item.column == kColourBox) {
            layout.colour = rect;
        } else {
            // The label may use the free room up to the next control of its line (or the
            // right edge) and is shortened beyond it.
            int room = std::numeric_limits<int>::max() / 2;
            if (i + 1 < items.size() && items[i + 1].row == item.row)
                room = items[i + 1].left - item.left - kControlGap;
            if (limit > 0)
                room = std::min(room, limit - item.left);
            rect.setWidth(std::max(box, std::min(item.captionWidth, room)));
            layout.edits.push_back({item.column, rect, item.width, room});
        }
        right = std::max(right, rect.right());
        bottom = std::max(bottom, rect.bottom());
    }

    // The image area stands right of the edits unless it was placed; it reaches down to the
    // edits' bottom line. Widened or moved edits may have reached its stored place: then it
    // stands right of them.
    const bool imagePlaced = !input.imagePlace.isNull();
    const int imageTop = imagePlaced ? input.imagePlace.y() : 3;
    QRect area(imagePlaced ? input.imagePlace.x() : right + 8, imageTop, input.imageWidth,
               std::max(bottom - imageTop, input.imageLeastHeight));
    for (const LineItem& item : items)
        if (QRect(item.left, item.top, std::max(item.width, item.leastWidth), item.height).intersects(area))
            area.moveLeft(right + 8);
    const bool memosBelow = input.actors.place.isNull() && input.description.place.isNull();
    const int shownWidth = std::max(input.shownWidth, right + kMargin);
    const bool beside = !memosBelow || area.left() < right || area.right() + kMargin <= input.shownWidth;
    const bool besideMemos = !beside && shownWidth - input.imageWidth - 11 - kMargin >= kLeastMemoWidth;
    if (beside) {
        layout.images = area;
        bottom = std::max(bottom, area.bottom());
        right = std::max(right, area.right());
    }

    // Memos without a stored place go below the edits, across the panel.
    const int panelWidth = std::max(shownWidth, right + kMargin);
    const int memoRight = besideMemos ? panelWidth - input.imageWidth - 11 : panelWidth - kMargin;
    const int memosTop = bottom + 6;
    int top = memosTop;
    for (const auto& [memo, rect] : {std::pair{&input.actors, &layout.actors}, std::pair{&input.description, &layout.description}}) {
        if (memo->place.isNull()) {
            *rect = QRect(kMargin, top, memoRight - kMargin, memo->height);
            top += memo->height + kControlGap;
        } else {
            *rect = QRect(memo->place, QSize(std::max(memo->width, panelWidth - memo->place.x() - kMargin), memo->height));
        }
    }
    if (besideMemos)
        layout.images = QRect(memoRight + 6, memosTop, input.imageWidth, std::max(top - kControlGap - memosTop, input.imageLeastHeight));
    else if (!beside)
        layout.images = QRect(kMargin, top, input.imageWidth, input.imageLeastHeight);
    right = std::max(right, layout.images.right());

    int needed = 0;
    for (const QRect& rect : {layout.colour, layout.images, layout.actors, layout.description})
        needed = std::max(needed, rect.bottom());
    for (const PanelEditPlacement& edit : layout.edits)
        needed = std::max(needed, edit.rect.bottom());
    layout.minimum = QSize(right + kMargin, needed + kMargin);
    return layout;
}

} // namespace reelkeep
