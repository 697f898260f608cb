// What record entry needs from the window it works for: the list, the current
// record, the add-record command, the editing panel's controls and the storing
// of a control's text. The list window implements it; ListEntryTarget serves
// the command-line tool and the tests.
#pragma once

#include "TZKList.h"

#include <QString>
#include <vector>

namespace reelkeep {

class RecordEntryTarget {
public:
    virtual ~RecordEntryTarget() = default;

    virtual TZKList& List() = 0;
    // The record the panel shows; null when there is none.
    virtual TzkRow* CurrentRecord() = 0;
    // Adds an empty record (colour "00FFFFFF") and makes it current.
    virtual TzkRow* AddEmptyRecord() = 0;
    // The columns of the panel's edits and memos, in the panel's control order.
    virtual std::vector<int> PanelColumns() const = 0;
    // Stores a control's text into the record's cell, as typing would.
    virtual void StoreCell(TzkRow& row, int column, const QString& text) = 0;
    // Attaches an image (a frame of the record's film) to a record entry added.
    virtual void AddImage(TzkRow& row, const QByteArray& bytes) { List().Images.AddImage(bytes, row.ID); }
};

// A target without a window: new records go to the end of the list's top level
// and the panel is the standard one, an edit or memo for each of columns 0 to 19.
class ListEntryTarget : public RecordEntryTarget {
public:
    explicit ListEntryTarget(TZKList& list)
        : m_list(list)
    {
    }

    TZKList& List() override { return m_list; }
    TzkRow* CurrentRecord() override { return Current; }
    TzkRow* AddEmptyRecord() override
    {
        Current = m_list.AddRow();
        Current->Fields[csColour] = QStringLiteral("00FFFFFF");
        return Current;
    }
    std::vector<int> PanelColumns() const override
    {
        std::vector<int> columns;
        for (int c = 0; c < csColour; ++c)
            columns.push_back(c);
        return columns;
    }
    void StoreCell(TzkRow& row, int column, const QString& text) override { row.Fields[static_cast<size_t>(column)] = text; }

    TzkRow* Current = nullptr;

private:
    TZKList& m_list;
};

} // namespace reelkeep
