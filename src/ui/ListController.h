// One per list window: owns the catalogue document, the grid model, the Modified
// flag, the file the catalogue belongs to, the status texts and the load job.
// Every change to the catalogue is one call here; widgets only observe.
#pragma once

#include "CatalogueForms.h"
#include "ColumnDefinitions.h"
#include "GridModel.h"
#include "UndoHistory.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace reelkeep {

class CatalogueLoader;
class GridFiltering;
class LossReport;
class CatalogueSafety;
class Prompts;
class ShellState;
class TZKList;
class TzkReelkeep;
class TzkRow;
class WindowWork;
struct LoadResult;

class ListController : public QObject {
    Q_OBJECT
public:
    // Everything the controller changes while a Batch lives is one undo step (the records
    // entered from a batch of files, with the cells and images of the current record).
    class Batch {
    public:
        explicit Batch(ListController& controller);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        ListController& m_controller;
    };

    ListController(ShellState& shell, Prompts& prompts, QObject* parent = nullptr);
    ~ListController() override;

    // Starts reading the file on a worker thread; loadFinished follows.
    void load(const QString& path, CatalogueForm form);
    bool isLoading() const;
    // Reads a copy of the catalogue (a recovery file or an earlier version, fileForm)
    // into a window of the catalogue at path: modified, saving in saveForm (the copy's
    // own form when empty). journalId names a recovery file the window takes over.
    void loadCopy(const QString& file, CatalogueForm fileForm, const QString& path,
                  std::optional<CatalogueForm> saveForm, const QString& journalId);
    // Takes a document that was read elsewhere, as a load does.
    void adopt(std::unique_ptr<TzkReelkeep> document);

    const TzkReelkeep* document() const { return m_document.get(); }
    GridModel* model() { return &m_model; }
    TZKList* currentList() const;
    QStringList sheetNames() const;
    int currentSheet() const; // 0-based, -1 when there is none

    const QString& path() const { return m_path; }
    bool isModified() const { return m_modified; }
    CatalogueForm form() const { return m_form; }
    // The lock, the outside changes, kept versions and the recovery file.
    CatalogueSafety& safety() { return *m_safety; }
    // The six status-bar texts: four counts, the statistics line and the status text.
    QStringList statusTexts() const;
    void setStatus(const QString& text);

    // The worker saves run on, locking the window meanwhile.
    void setWork(WindowWork& work);
    // Saves into the catalogue's file in the form it was read in. The write runs on the
    // window's worker from the document itself, the window refusing edits meanwhile;
    // Modified clears once the file is in place. False when nothing is to be written.
    bool save();
    // Saves under another name in the form its extension asks for: the listing (.txt)
    // is written as an export and changes nothing else.
    bool saveAs(const QString& path);
    // Likewise in the form given; an empty form is told as a name no form has.
    bool saveAs(const QString& path, std::optional<CatalogueForm> form);
    // The Save As dialog offering every form (preferred shown first, beside the
    // catalogue's file, when given), the overwrite question, then saveAs.
    bool chooseAndSaveAs(std::optional<CatalogueForm> preferred);
    // Whether the catalogue may be written with the losses found for its form: true when
    // nothing is lost, or the person agreed; a form that cannot take it at all is told and refused.
    bool acceptLosses(const QString& path, const LossReport& loss);
    // When the user declines to save on closing.
    void discardChanges();

    void switchSheet(int index);
    void addSheet();
    void deleteCurrentSheet();
    void renameCurrentSheet(const QString& name);
    // Sorts the current sheet as a header click does; false (rows and grid unchanged) on error.
    bool sortBy(int column);
    // Sets the filter text of a column of the current sheet and shows the rows it leaves
    // (a big sheet once its worker has filtered it).
    void setColumnFilter(int column, const QString& text);
    GridFiltering& filtering() { return *m_filtering; }
    void deleteRows(const std::vector<TzkRow*>& rows);
    // Groups the rows under a new row placed under parent; the new row.
    TzkRow* groupRows(const std::vector<TzkRow*>& rows, TzkRow* parent);
    // The author and, per sheet, the names, types, patterns, logical values and flags of
    // columns 0..20; widths, positions and filters stay.
    void setColumnSettings(const QString& author, const std::vector<ColumnDefinitions>& sheets);
    // A cell changed by a person: stored, its row redrawn, the window modified.
    void setCell(TzkRow* row, int column, const QString& text);
    // One column of many records at once (a colour or a picked value for every selected
    // record): each cell becomes what change makes of it, and the grid is told in one go.
    void setCells(const std::vector<TzkRow*>& rows, int column, const std::function<QString(const QString&)>& change);
    // The row's images in the order they were added.
    QList<QByteArray> imagesOf(const TzkRow* row) const;
    // An image file's bytes attached to the row, or its k-th image taken away: the row is
    // redrawn and the window modified.
    void addImage(TzkRow* row, const QByteArray& bytes);
    void removeImage(TzkRow* row, int k);
    // A new white record, the last child of parent (top level when null); the new record.
    TzkRow* addRecord(TzkRow* parent);
    // Records entered from video files: a new white record, the last child of parent
    // (top level when null), and its cells, kept from the grid until endEntry shows
    // every record entered in one reset, so that a walk of many files resets it once.
    TzkRow* addEnteredRecord(TzkRow* parent);
    void fillEnteredCell(TzkRow* row, int column, const QString& text);
    void addEnteredImage(TzkRow* row, const QByteArray& bytes);
    // Shows the records entered since the last call; the window is modified when there were any.
    void endEntry();
    // Merges a "kdx v1.3" text as Add from list does, records of the current list nested under
    // parent; the number of records added. A text that is no catalogue, or adds nothing, is
    // told and leaves the window unmodified.
    int mergeText(const QByteArray& text, TzkRow* parent, bool utf8);
    // Tidies the column's cells in every record of the current sheet (nested ones too).
    void tidyColumn(int column);
    // The grid's column widths into the current sheet's columns (and the settings).
    void storeColumnWidths(const std::vector<int>& widths);

    // Every change above is a step of this history; Modified follows its clean state.
    UndoHistory& history() { return m_history; }
    // Reads and shows the window's records, so that undo and redo show them as they were.
    void setSelectionKeeper(SelectionKeeper* keeper) { m_selection = keeper; }

signals:
    // A load of path (the first or a reload) has started; loadProgress and loadFinished follow.
    void loadStarted(const QString& path);
    void loadProgress(int percent);
    // ok false: the window is to go; the reason was already shown.
    void loadFinished(bool ok);
    void modifiedChanged(bool modified);
    void statusChanged();
    void sheetsChanged();
    // The columns shown changed (sheet switch, addition, deletion, load).
    void columnsChanged();
    // No record is current any more (load, sort, sheet switch, delete, group).
    void currentRecordCleared();
    void pathChanged(const QString& path);
    // The file changed outside and the person chose to save as another file.
    void saveAsRequested();

private:
    void takeResult(const std::shared_ptr<LoadResult>& result);
    void setModified(bool modified);
    QString statLine(const TZKList& list) const;
    void changed(); // a recovery copy due, status "Ready", status bar, no current record
    // A change ends whatever an earlier command said in the status: "Ready" again.
    void endCommand();
    // Looks on the worker for what form would lose, asks here, then writes on the worker;
    // written runs here once the file is in place. The person may take the loss
    // question's offer of Save As in the recommended form instead. False when nothing is
    // to be written.
    bool write(const QString& path, std::optional<CatalogueForm> form, std::function<void()> written);
    void writeFile(const QString& path, CatalogueForm form, const std::function<void()>& written);
    enum class LossAnswer { Save, Cancel, OtherForm };
    // The loss question, with the offer of the recommended form when offerOtherForm.
    LossAnswer askAboutLosses(const QString& path, const LossReport& loss, bool offerOtherForm);
    // The loss report's question; false when the form cannot take the catalogue or the user declines.
    void showError(const QString& text);
    // Undo history.
    enum class Keeping { Keep, WithoutUndo, Cancel };
    // Whether a step that keeps this many bytes is kept; one over the limit is done
    // without undo (the history is forgotten) or not at all, as the person answers.
    Keeping keeping(std::size_t bytes);
    ShownRecords selection() const;
    QString stepText(const char* key) const;
    // The same in the form that agrees with count (the text holds its forms).
    QString stepText(const char* key, qint64 count) const;
    QString columnName(int column) const;
    // A change just made becomes a step (of the open batch, if any).
    void push(std::unique_ptr<UndoStep> step, const QString& text, ShownRecords before, int sheetBefore);
    void push(std::unique_ptr<UndoStep> step, const QString& text, ShownRecords before);
    void applyStep(UndoStep& step, bool undo);
    // The records entered since addEnteredRecord started a step, pushed as one.
    void finishEntryStep();
    void beginBatch();
    void endBatch();

    ShellState& m_shell;
    Prompts& m_prompts;
    std::unique_ptr<TzkReelkeep> m_document;
    GridModel m_model;
    CatalogueLoader* m_loader = nullptr;
    QPointer<WindowWork> m_work;
    QString m_path;
    CatalogueForm m_form = CatalogueForm::Kdx21; // the form Save writes
    bool m_modified = false;
    int m_entered = 0; // records added by addEnteredRecord and not shown yet
    QString m_status;
    struct PendingCopy {
        std::optional<CatalogueForm> saveForm;
        QString journalId;
    };
    std::optional<PendingCopy> m_pendingCopy; // a loadCopy not finished yet
    UndoHistory m_history;
    GridFiltering* m_filtering;
    SelectionKeeper* m_selection = nullptr;
    std::unique_ptr<AppendStep> m_entry; // records entered and not pushed as a step yet
    ShownRecords m_entrySelection;
    int m_entrySheet = 0;
    int m_enteredRecords = 0; // of the open batch
    std::unique_ptr<BatchStep> m_batch;
    int m_batchDepth = 0;
    ShownRecords m_batchSelection;
    int m_batchSheet = 0;
    // The status bar's statistics line reads every visible record: kept until the records shown change.
    mutable std::optional<QString> m_statLine;
    mutable QString m_statTemplate;
    // Last, so that it goes first, while the document it looks at is still there.
    std::unique_ptr<CatalogueSafety> m_safety;
};

} // namespace reelkeep
