// Record entry away from the list it is for: a worker thread enters records into a
// scratch list made from the list's columns (and a copy of the current record), and
// every step is kept in order, so that the thread owning the list can play them back.
#pragma once

#include "RecordEntryTarget.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace reelkeep {

struct EntryStep {
    // Which record: kCurrentRecord, or the n-th record added (from 0).
    static constexpr int kCurrentRecord = -1;
    int Record = kCurrentRecord;
    // kAddRecord adds a record (Record gives its number), kAddImage attaches Image to
    // the record; otherwise the cell stored.
    static constexpr int kAddRecord = -1;
    static constexpr int kAddImage = -2;
    int Column = kAddRecord;
    QString Text;
    QByteArray Image;
};

class RecordedEntry : public ListEntryTarget {
public:
    // The list's columns and, when given, the current record's cells are copied.
    RecordedEntry(const TZKList& list, const TzkRow* current);
    // Its rows point into its own scratch list.
    RecordedEntry(const RecordedEntry&) = delete;
    RecordedEntry& operator=(const RecordedEntry&) = delete;

    TzkRow* AddEmptyRecord() override;
    void StoreCell(TzkRow& row, int column, const QString& text) override;
    void AddImage(TzkRow& row, const QByteArray& bytes) override;

    const std::vector<EntryStep>& Steps() const { return m_steps; }

private:
    int recordOf(const TzkRow& row) const;

    TZKList m_scratch;
    // The scratch rows in the order they were added; the copy of the current record is not one.
    std::vector<const TzkRow*> m_added;
    const TzkRow* m_copyOfCurrent = nullptr;
    std::vector<EntryStep> m_steps;
};

} // namespace reelkeep
