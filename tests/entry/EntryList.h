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
    // The cells of column c, record by record.
    QStringList column(int c) const
    {
        QStringList cells;
        for (int i = 0; i < list.RowCount(); ++i)
            cells << list.Row(i)->Fields[static_cast<size_t>(c)];
        return cells;
    }

    TZKList list;
    ListEntryTarget target;
    TzkRecordEntry entry;
};

} // namespace reelkeep::test
