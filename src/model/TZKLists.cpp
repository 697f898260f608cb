#include "TZKLists.h"

namespace reelkeep {

TZKLists::TZKLists(ColumnDefinitions columnTemplate, LocaleFormats formats)
    : ColumnTemplate(std::move(columnTemplate)), Formats(std::move(formats))
{
}

TZKList* TZKLists::AddList(int capacity, const QString& name)
{
    auto list = std::make_unique<TZKList>(kColumnCount, capacity, ColumnTemplate, Formats);
    list->Name = name;
    list->MaxID = 0;
    Lists.push_back(std::move(list));
    return Lists.back().get();
}

void TZKLists::DeleteList(int n)
{
    if (n >= 1 && n <= Count())
        Lists.erase(Lists.begin() + (n - 1));
}

int TZKLists::IndexOfList(const QString& name) const
{
    for (int i = 0; i < Count(); ++i)
        if (Lists[static_cast<size_t>(i)]->Name == name)
            return i;
    return -1;
}

} // namespace reelkeep
