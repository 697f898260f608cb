// A list with the built-in columns and the record builder entering into it.
#pragma once

#include "TzkRecordEntry.h"

namespace reelkeep::test {

struct EntryList {
    EntryList()
        : list(kColumnCount, 0, BuiltInColumnDefinitions(), LocaleFormats::russian())
        , target(list)
        , entry(target, FileNameSeparators{}, LocaleFormats::russian())
    {
    }
    TZKList list;
    ListEntryTarget target;
    TzkRecordEntry entry;
};

} // namespace reelkeep::test
