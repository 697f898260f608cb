// A deep copy of a catalogue's lists taken a few records at a time, so that the copy
// of a big catalogue fits between the turns of the GUI thread's event loop. The
// source must not change between steps: whoever changes it drops the copier.
#pragma once

#include "TZKLists.h"

#include <memory>

namespace reelkeep {

class ListsCopier {
public:
    // Copies at once everything but the records: author, columns, names, images.
    explicit ListsCopier(const TZKLists& lists);

    // Copies up to `records` more top-level records, each with its nested ones; true once all are copied.
    bool step(int records);
    // The copy, once step has returned true.
    std::unique_ptr<TZKLists> take() { return std::move(m_copy); }

private:
    const TZKLists& m_source;
    std::unique_ptr<TZKLists> m_copy;
    size_t m_list = 0; // the list being copied
    size_t m_row = 0;  // its next top-level record
};

} // namespace reelkeep
