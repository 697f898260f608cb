// The steps of a list window's undo history: each keeps exactly what it needs to take
// one change to the catalogue back and to make it again. A step is undone only on the
// document its change left, and redone only on the document it found, so the rows and
// lists it points at are always there (rows it took out it holds itself).
#pragma once

#include "RowPlacement.h"

#include <QString>
#include <memory>
#include <vector>

namespace reelkeep {

class TZKList;
class TzkReelkeep;

// The grid's current and selected records, shown again when a step is undone or redone.
struct ShownRecords {
    TzkRow* current = nullptr;
    std::vector<TzkRow*> selected;
};

// Reads and shows the window's current and selected records.
class SelectionKeeper {
public:
    virtual ~SelectionKeeper() = default;
    virtual ShownRecords selection() const = 0;
    virtual void select(const ShownRecords& selection) = 0;
};

class UndoStep {
public:
    // What the window redraws after the step: the cells it lists, the rows of the sheet,
    // or the sheets, their columns and their order as well.
    enum class Reach { Cells, Rows, Sheets };
    struct Cell {
        TzkRow* row;
        int column;
    };

    virtual ~UndoStep() = default;
    virtual void undo(TzkReelkeep& document) = 0;
    virtual void redo(TzkReelkeep& document) = 0;
    virtual Reach reach() const { return Reach::Rows; }
    // The cells a Cells step changes.
    virtual std::vector<Cell> cells() const { return {}; }
    // Memory the step keeps, counted against the history's limit.
    virtual std::size_t bytes() const = 0;
    // Folds a later step of the same kind into this one (keystrokes in one field); false when it cannot.
    virtual bool absorb(const UndoStep&) { return false; }
    virtual bool canAbsorb() const { return false; }
    // The step changes nothing any more (a field typed back to its old text).
    virtual bool isEmpty() const { return false; }

    QString text;         // the step's name in the Edit menu and the history
    int sheetBefore = 0;  // the document's current list before and after the change
    int sheetAfter = 0;
    ShownRecords selectionBefore;
    ShownRecords selectionAfter;
    bool selectionAfterKnown = false;
};

// Cells of existing records: typing, colour, clearing, picked values, numbers, dates, tidying.
class CellsStep : public UndoStep {
public:
    struct Change {
        TzkRow* row;
        int column;
        QString before;
        QString after;
    };
    // typing: a keystroke in a panel field, which later keystrokes in that field merge into.
    CellsStep(std::vector<Change> changes, bool typing);

    void undo(TzkReelkeep& document) override;
    void redo(TzkReelkeep& document) override;
    Reach reach() const override { return Reach::Cells; }
    std::vector<Cell> cells() const override;
    std::size_t bytes() const override { return m_bytes; }
    bool canAbsorb() const override { return m_typing; }
    bool absorb(const UndoStep& later) override;
    bool isEmpty() const override;

private:
    std::vector<Change> m_changes;
    bool m_typing;
    std::size_t m_bytes;
};

// Records, images or lists appended at the ends of their places: a new record, records
// entered from files, merged from a text or pasted, an image attached.
class AppendStep : public UndoStep {
public:
    // Notes where everything ends before the change; parent: a record that gets new nested records.
    AppendStep(TzkReelkeep& document, TzkRow* parent);
    // Notes what the change appended.
    void finish(TzkReelkeep& document);
    int appendedRecords() const { return m_appendedRecords; }
    bool appendedNothing() const;

    void undo(TzkReelkeep& document) override;
    void redo(TzkReelkeep& document) override;
    Reach reach() const override;
    std::size_t bytes() const override { return m_bytes; }

private:
    struct Place {
        TZKList* list;
        TzkRow* parent; // null: the list's top level
        std::size_t rowsBefore;
        std::size_t rowsAfter = 0;
        std::vector<RowPtr> held; // the appended rows while undone
    };
    struct ListEnd {
        TZKList* list;
        std::size_t imagesBefore;
        std::size_t imagesAfter = 0;
        std::int32_t maxIdBefore;
        std::int32_t maxIdAfter = 0;
        std::vector<std::int32_t> heldOwners;
        std::vector<QByteArray> heldImages;
    };
    std::vector<Place> m_places;
    std::vector<ListEnd> m_lists;
    std::size_t m_listsBefore;
    std::size_t m_listsAfter = 0;
    std::vector<std::unique_ptr<TZKList>> m_heldLists;
    int m_appendedRecords = 0;
    std::size_t m_bytes = 0;
};

// Records deleted with their nested records and images.
class DeleteStep : public UndoStep {
public:
    // rowsMemory: MemoryOfRows of the rows, which the caller has already added up.
    DeleteStep(TZKList& list, const std::vector<TzkRow*>& rows, std::size_t rowsMemory);

    void undo(TzkReelkeep& document) override;
    void redo(TzkReelkeep& document) override;
    std::size_t bytes() const override { return m_bytes; }

private:
    TZKList& m_list;
    std::unordered_set<const TzkRow*> m_rows;
    TakenRows m_taken;
    std::size_t m_rowsMemory;
    std::size_t m_bytes = 0;
};

// An image taken from a record.
class ImageRemovalStep : public UndoStep {
public:
    ImageRemovalStep(TZKList& list, std::size_t index);

    void undo(TzkReelkeep& document) override;
    void redo(TzkReelkeep& document) override;
    std::size_t bytes() const override { return std::size_t(m_bytes.size()); }

private:
    TZKList& m_list;
    std::size_t m_index;
    std::int32_t m_owner;
    QByteArray m_bytes;
};

// Records grouped under a new record, whose cells are filled from them.
class GroupStep : public UndoStep {
public:
    GroupStep(TZKList& list, std::vector<TzkRow*> rows, TzkRow* parent);
    // The group record, once the step was done.
    TzkRow* group() const { return m_groupRow; }
    int groupedRecords() const { return static_cast<int>(m_moved.size()); }

    void undo(TzkReelkeep& document) override;
    void redo(TzkReelkeep& document) override;
    std::size_t bytes() const override { return m_bytes; }

private:
    TZKList& m_list;
    std::vector<TzkRow*> m_rows;
    TzkRow* m_parent;
    TzkRow* m_groupRow = nullptr;
    RowPtr m_heldGroup;
    std::vector<TzkRow*> m_moved;
    std::vector<std::int32_t> m_groupIdsBefore;
    TakenRows m_places;
    std::vector<TzkRow*> m_placeRows; // the row of each place, while the group holds it
    std::int32_t m_maxIdBefore = 0;
    std::int32_t m_maxIdAfter = 0;
    std::size_t m_bytes = 0;
};

// A sort: the order of every level before and after it.
class OrderStep : public UndoStep {
public:
    OrderStep(TZKList& list, RowOrderSnapshot before);
    void finish();

    void undo(TzkReelkeep& document) override;
    void redo(TzkReelkeep& document) override;
    Reach reach() const override { return Reach::Sheets; }
    std::size_t bytes() const override { return m_before.bytes() + m_after.bytes(); }

private:
    TZKList& m_list;
    RowOrderSnapshot m_before;
    RowOrderSnapshot m_after;
};

// A list added to or deleted from the catalogue.
class SheetStep : public UndoStep {
public:
    // added: the list at index (0-based) was just added; else it is about to be deleted, by redo.
    SheetStep(int index, bool added);

    void undo(TzkReelkeep& document) override;
    void redo(TzkReelkeep& document) override;
    Reach reach() const override { return Reach::Sheets; }
    std::size_t bytes() const override;

private:
    void put(TzkReelkeep& document);
    void take(TzkReelkeep& document);

    std::size_t m_index;
    bool m_added;
    std::unique_ptr<TZKList> m_held;
};

// A list renamed; further typing in the name merges.
class RenameStep : public UndoStep {
public:
    RenameStep(TZKList& list, QString before, QString after);

    void undo(TzkReelkeep& document) override;
    void redo(TzkReelkeep& document) override;
    Reach reach() const override { return Reach::Sheets; }
    std::size_t bytes() const override { return std::size_t(m_before.size() + m_after.size()) * 2; }
    bool canAbsorb() const override { return true; }
    bool absorb(const UndoStep& later) override;
    bool isEmpty() const override { return m_before == m_after; }

private:
    TZKList& m_list;
    QString m_before;
    QString m_after;
};

// The author and the settings of every list's columns (names, types, patterns, values, flags).
class ColumnsStep : public UndoStep {
public:
    struct Column {
        QString name;
        bool namesWithDot;
        bool secondNames;
        std::uint8_t type;
        QString logicalValue;
        QString pattern;
    };
    struct Settings {
        QString author;
        std::vector<std::vector<Column>> lists;
    };
    static Settings capture(const TzkReelkeep& document);
    ColumnsStep(Settings before, Settings after);

    void undo(TzkReelkeep& document) override;
    void redo(TzkReelkeep& document) override;
    Reach reach() const override { return Reach::Sheets; }
    std::size_t bytes() const override;

private:
    static void apply(TzkReelkeep& document, const Settings& settings);
    Settings m_before;
    Settings m_after;
};

// Several steps taken back and made again as one (one batch of records entered from files).
class BatchStep : public UndoStep {
public:
    void add(std::unique_ptr<UndoStep> step) { m_steps.push_back(std::move(step)); }
    bool holdsNothing() const { return m_steps.empty(); }

    void undo(TzkReelkeep& document) override;
    void redo(TzkReelkeep& document) override;
    Reach reach() const override;
    std::size_t bytes() const override;

private:
    std::vector<std::unique_ptr<UndoStep>> m_steps;
};

} // namespace reelkeep
