// The lists (sheets) of one catalogue and its author text.
#pragma once

#include "TZKList.h"

namespace reelkeep {

class TZKLists {
public:
    explicit TZKLists(ColumnDefinitions columnTemplate = BuiltInColumnDefinitions(),
                      LocaleFormats formats = LocaleFormats::system());

    TZKList* AddList(int capacity, const QString& name);
    // n is 1-based.
    void DeleteList(int n);
    int IndexOfList(const QString& name) const;
    TZKList* List(int i) const { return Lists[static_cast<size_t>(i)].get(); }
    int Count() const { return static_cast<int>(Lists.size()); }

    std::vector<std::unique_ptr<TZKList>> Lists;
    QString Autor;
    // Column definitions new lists take their widths from (the settings' copy).
    ColumnDefinitions ColumnTemplate;
    LocaleFormats Formats;
};

} // namespace reelkeep
