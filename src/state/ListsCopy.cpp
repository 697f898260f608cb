#include "ListsCopy.h"

#include "ListsCopier.h"

#include <limits>

namespace reelkeep {

std::unique_ptr<TZKLists> CopyOfLists(const TZKLists& lists)
{
    ListsCopier copier(lists);
    copier.step(std::numeric_limits<int>::max());
    return copier.take();
}

} // namespace reelkeep
