#include "SheetColumns.h"

#include "TZKList.h"

namespace reelkeep {

void ApplyColumnDefinitions(TZKList& sheet, const ColumnDefinitions& definitions)
{
    for (int c = 0; c < kStoredColumnCount; ++c) {
        const ColumnDefinition& definition = definitions[static_cast<size_t>(c)];
        TzkColumn& column = sheet.Column(c);
        column.Name = definition.name;
        column.Type = definition.type;
        column.Pattern = definition.pattern;
        column.LogicalValue = definition.logicalValue;
        column.NamesWithDot = definition.namesWithDot;
        column.SecondNames = definition.secondNames;
    }
}

} // namespace reelkeep
