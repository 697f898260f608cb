// The catalogue document behind one list window: it owns the catalogue's lists,
// remembers the list shown, reports progress while reading, and is the one entry
// point for reading and writing a catalogue in any of its forms.
#pragma once

#include "CatalogueForm.h"
#include "TReelkeepSerialiazer.h"

#include <QByteArray>
#include <memory>
#include <optional>

namespace reelkeep {

class TzkReelkeep {
public:
    // New lists take their column widths and 1.x patterns from columnTemplate (the settings' copy).
    explicit TzkReelkeep(ColumnDefinitions columnTemplate = BuiltInColumnDefinitions(),
                         LocaleFormats formats = LocaleFormats::system());

    TZKLists& Lists() { return *m_lists; }
    const TZKLists& Lists() const { return *m_lists; }

    TZKList* AddList(int capacity, const QString& name) { return m_lists->AddList(capacity, name); }
    void DeleteList(int n) { m_lists->DeleteList(n); } // n is 1-based
    TZKList* List(int i) const { return m_lists->List(i); } // i is 0-based
    int IndexOfList(const QString& name) const { return m_lists->IndexOfList(name); }
    int ListCount() const { return m_lists->Count(); }
    QString Autor() const { return m_lists->Autor; }
    void SetAutor(const QString& autor) { m_lists->Autor = autor; }

    void DoProgress(int value) const;

    // Every load throws ReelkeepError (naming the file) when the file cannot be read
    // or is damaged, and then changes nothing.
    // .kdx: recognises the version by its signature; false (and nothing changed)
    // when the signature is unknown.
    bool LoadFromFile(const QString& fileName);
    // .kdx: always format 2.1.
    void SaveToFile(const QString& fileName) const;
    void LoadFromXML(const QString& fileName);
    void SaveToXML(const QString& fileName) const;
    // Appends one list per worksheet.
    void LoadFromExcel(const QString& fileName);
    void SaveToExcel(const QString& fileName) const;
    // The write-only plain-text listing.
    void SaveToText(const QString& fileName) const;
    // Writes the catalogue in the given form, as it is, whatever it loses.
    void Save(const QString& fileName, CatalogueForm form) const;
    // The ordinary save: writes the catalogue in the form and returns true when the
    // form holds all of it; otherwise writes nothing and returns false (FindLoss then
    // says what would be lost). Characters are checked as they are encoded.
    bool SaveIfNothingLost(const QString& fileName, CatalogueForm form) const;

    // The form of the file the last load read, as Save writes it: .kdx 1.0 and 1.1,
    // which cannot be written, give version 2.1. Empty until a file is loaded.
    std::optional<CatalogueForm> LoadedForm() const { return m_loadedForm; }

    // The "kdx v1.3" text form of the catalogue: 8-bit lines ended by CR LF.
    QByteArray SaveToString() const;
    // Appends the lists of a text form and returns the number of records read.
    // Throws FormatError, adding nothing, when the text does not begin with
    // "kdx v1.3" or is damaged.
    int LoadFromString(const QByteArray& text, bool utf8 = false);
    // Adds the records of a text form to this catalogue: each list to the list of the
    // same name, to the current list when its name is empty, else to a new list, which
    // becomes the current one. Records going to the list current at the start are
    // nested under parent when one is given. Returns the number of records added;
    // text that is not a text form, or damaged, throws and adds nothing.
    // utf8: the clipboard's form of the text.
    int MergeFromString(const QByteArray& text, TzkRow* parent = nullptr, bool utf8 = false);

    int CurrentList = 0; // 1-based number of the list shown; 0 in a new document
    ProgressCallback OnProgress;

private:
    template <class Serializer> Serializer Prepared(bool keepEveryCharacter = false) const;
    void save(const QString& fileName, CatalogueForm form, bool keepEveryCharacter) const;
    void Replace(std::unique_ptr<TZKLists> lists);
    void Append(std::unique_ptr<TZKLists> lists);
    std::unique_ptr<TZKLists> NewLists() const;

    std::unique_ptr<TZKLists> m_lists;
    std::optional<CatalogueForm> m_loadedForm;
};

} // namespace reelkeep
