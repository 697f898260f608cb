// What a catalogue would lose by being written in a given form, found before the
// write so that nothing a person keeps disappears without a word.
//
// Use before every write of a catalogue (Save, Save As, Export, Copy):
//
//     const std::optional<CatalogueForm> form = FormForSaving(fileName, doc.LoadedForm());
//     if (doc.SaveIfNothingLost(fileName, *form))   // the usual case: saved, nothing lost
//         done;
//     const LossReport loss = FindLoss(doc.Lists(), *form);
//     if (loss.PreventsSaving())            // the form cannot take this catalogue at all
//         show loss.Message(fileName) as an error, do not save;
//     else                                  // the save would drop something
//         ask with loss.Message(fileName); doc.Save(fileName, *form) only on Yes;
//
// Every call throws ReelkeepError when the file cannot be written. SaveIfNothingLost
// checks the characters while it encodes them, so a save that loses nothing costs
// hardly more than Save; FindLoss alone reads every text once more (on 100,000
// records a fair part of a save), which is fine once the person is to be asked.
//
// What each form holds, as the report states it:
//   .kdx 2.1  nesting; no images; 8-bit text (windows-1251)
//   .kdx 2.0  images; no nesting (nested records and their images are lost); 8-bit text
//   .kdx 1.3  no nesting, images, author or column settings; 8-bit text
//   .xkdx     nesting, images, all characters but control characters (which it refuses)
//   .xls      nesting, all characters; no images, author or column settings; refuses
//             texts longer than a cell holds and lists of more records than a sheet holds
//   .txt      top-level records' filled cells only; 8-bit text
//   text form (export, clipboard) as .kdx 1.3, and refuses NUL characters
#pragma once

#include "CatalogueForm.h"
#include "TZKLists.h"

#include <QString>
#include <optional>
#include <vector>

namespace reelkeep {

enum class LossKind {
    Images,         // images attached to records
    NestedRecords,  // records nested under other records
    Characters,     // characters outside the 8-bit code page, written as '?'
    Author,         // the catalogue's author text
    ColumnSettings, // column types, patterns, logical values and name options
    // The form cannot take these at all: saving in it is refused.
    LongTexts,      // texts longer than an .xls cell holds
    TooManyRecords, // lists with more records than an .xls worksheet holds
    BadCharacters,  // characters XML cannot store, NUL in the text form
};

// Where a loss is, as data, so that each front end can say it in its own language.
struct LossPlace {
    enum class Part {
        Author,             // the catalogue's author text
        ListName,           // the name of List
        List,               // List as a whole
        ColumnName,         // the name of Column
        ColumnPattern,      // the pattern of Column
        ColumnLogicalValue, // the logical value of Column
        Column,             // Column as a whole (its settings)
        Cell,               // Column of the record
        Record,             // the record itself (nested records)
        RecordImages,       // the images attached to the record
    };
    Part What = Part::Author;
    QString List;        // the list's name
    int Column = -1;     // for the column parts and Cell
    QString ColumnName;  // likewise
    qint32 RecordId = 0; // for Cell, Record and RecordImages
    QString RecordTitle; // empty when the record has none or no longer exists
    // The character lost, for Characters and BadCharacters.
    std::optional<char32_t> Character;

    // In English words, as the command-line tool says it:
    // "\"七\" (U+4E03) in column 2 of record 1 \"Seven Samurai\" of list \"Films\"".
    QString English() const;
};

// A text of a place as shown in a message: at most 40 characters, one line, "…"
// when shortened. Without quotes, which belong to the language.
QString ShortenedForMessage(const QString& text);

// "U+4E03"; and whether the character can be shown itself beside that code (not
// a control character, a lone surrogate or a non-character).
QString CharacterCode(char32_t character);
bool IsShowableCharacter(char32_t character);

struct Loss {
    LossKind Kind;
    qint64 Count = 0;     // images, records, characters, columns or lists
    LossPlace FirstPlace; // where the first one is
};

class LossReport {
public:
    CatalogueForm Form = CatalogueForm::Kdx21;
    std::vector<Loss> Losses; // in the order of LossKind, only kinds with a count

    bool IsEmpty() const { return Losses.empty(); }
    // True when the form cannot hold the catalogue at all (a kind from LongTexts on).
    bool PreventsSaving() const;
    const Loss* Find(LossKind kind) const;
    // Multi-line text for the person: what is lost (count and first place of each)
    // and which forms keep it. Empty for an empty report.
    QString Message(const QString& fileName) const;
};

// What a check reads: everything, or all but the characters of every text, which
// the 8-bit writers and the XML writer check themselves as they write (see
// TzkReelkeep::SaveIfNothingLost).
enum class LossScan { Everything, AllButCharacters };

// Exactly what writing lists in form would lose or cannot store.
LossReport FindLoss(const TZKLists& lists, CatalogueForm form, LossScan scan = LossScan::Everything);

} // namespace reelkeep
