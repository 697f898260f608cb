// Records that are probably one film, across every sheet of several catalogues:
// by title or original title (folded, articles and a bracketed year dropped, years
// at most one apart) or by media (size within 1 MB and length within 1 minute).
#pragma once

#include "TZKList.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace reelkeep {

enum class DuplicateRule { Title, Original, Media };

struct SheetToSearch {
    int Catalogue = 0; // the caller's number of the catalogue
    int Sheet = 0;     // 0-based
    const TZKList* List = nullptr;
};

struct DuplicateRecord {
    int Catalogue = 0;
    int Sheet = 0;
    const TzkRow* Row = nullptr;
};

using DuplicateGroup = std::vector<DuplicateRecord>;

// Groups of two or more records, the largest first; each group in catalogue, sheet
// and record order. Records nested under one parent (the episodes of a series, the
// parts of a film) never make a group among themselves.
std::vector<DuplicateGroup> FindDuplicates(const std::vector<SheetToSearch>& sheets, DuplicateRule rule);

// A title as titles are compared: case and "ё" folded as masks fold them, punctuation
// and repeated blanks dropped, a leading or trailing article and a bracketed year
// removed. The bracketed year goes into year when it is given.
QString ComparableTitle(const QString& title, std::optional<int>* year = nullptr);

// The cells a duplicate list shows for a record: ID, title, original title, year,
// size, length and discs (an empty text where the sheet has no such column).
QStringList DuplicateCells(const TZKList& list, const TzkRow& row);

// "title", "original", "media"; nothing for another text.
std::optional<DuplicateRule> DuplicateRuleNamed(const QString& name);

} // namespace reelkeep
