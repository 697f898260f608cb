// The column filters of a list and the Filtered flags they compute.
#include "TZKList.h"

#include "FilterPass.h"

namespace reelkeep {

bool TZKList::SetColumnFilterText(int i, const QString& text)
{
    TzkColumn& column = Column(i);
    if (text == column.FilterText)
        return false;
    column.FilterText = text;
    return true;
}

void TZKList::SetColumnFilter(int i, const QString& text)
{
    if (SetColumnFilterText(i, text))
        ApplyFilter();
}

void TZKList::ApplyFilter()
{
    const FilterPass pass(*this);
    pass.apply(*this, pass.run());
}

} // namespace reelkeep
