// The catalogue document behind one list window: it owns the catalogue's lists,
// remembers the list shown, reports progress while reading, and is the one entry
// point for reading and writing a catalogue in any of its forms.
#pragma once

#include "TReelkeepSerialiazer.h"

#include <QByteArray>
#include <memory>

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

    // .kdx: recognises the version by its signature; false (and nothing changed)
    // when the signature is unknown. Throws ReelkeepError when the file cannot be read.
    bool LoadFromFile(const QString& fileName);
    // .kdx: always format 2.1.
    void SaveToFile(const QString& fileName) const;
    bool LoadFromXML(const QString& fileName);
    void SaveToXML(const QString& fileName) const;
    // Appends one list per worksheet.
    bool LoadFromExcel(const QString& fileName);
    void SaveToExcel(const QString& fileName) const;
    // The write-only plain-text listing.
    void SaveToText(const QString& fileName) const;

    // The "kdx v1.3" text form of the catalogue: 8-bit lines ended by CR LF.
    QByteArray SaveToString() const;
    // Appends the lists of a text form; text that does not begin with "kdx v1.3"
    // adds nothing. Damaged text throws and adds nothing.
    bool LoadFromString(const QByteArray& text);
    // Adds the records of a text form to this catalogue: each list to the list of the
    // same name, to the current list when its name is empty, else to a new list, which
    // becomes the current one. Records going to the list current at the start are
    // nested under parent when one is given. Damaged text adds nothing.
    void MergeFromString(const QByteArray& text, TzkRow* parent = nullptr);

    // True when some text would lose characters in an 8-bit form (.kdx, .txt).
    bool HasLossyCharacters() const;

    int CurrentList = 0; // 1-based number of the list shown; 0 in a new document
    ProgressCallback OnProgress;

private:
    template <class Serializer> Serializer Prepared() const;
    void Replace(std::unique_ptr<TZKLists> lists);
    void Append(std::unique_ptr<TZKLists> lists);
    std::unique_ptr<TZKLists> NewLists() const;

    std::unique_ptr<TZKLists> m_lists;
};

} // namespace reelkeep
