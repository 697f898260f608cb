#include "ListController.h"

#include "CatalogueLoader.h"
#include "CatalogueSafety.h"
#include "FileFingerprint.h"
#include "GridFiltering.h"
#include "GroupCells.h"
#include "LongWorkPool.h"
#include "LossMessage.h"
#include "Plural.h"
#include "OverwriteQuestion.h"
#include "Prompts.h"
#include "RecordEditing.h"
#include "SaveAsForms.h"
#include "ReelkeepError.h"
#include "RowPlacement.h"
#include "ShellState.h"
#include "SheetColumns.h"
#include "Statistics.h"
#include "TzkReelkeep.h"
#include "WindowWork.h"

#include <QFileInfo>
#include <QTimer>
#include <algorithm>
#include <map>

namespace reelkeep {

ListController::ListController(ShellState& shell, Prompts& prompts, QObject* parent)
    : QObject(parent), m_shell(shell), m_prompts(prompts), m_loader(new CatalogueLoader(this)),
      m_history([this](UndoStep& step, bool undo) { applyStep(step, undo); }),
      m_filtering(new GridFiltering(m_model, [this] { return currentList(); }, this)),
      m_safety(std::make_unique<CatalogueSafety>(*this, shell, prompts))
{
    connect(&m_history, &UndoHistory::modifiedChanged, this, &ListController::setModified);
    connect(m_safety.get(), &CatalogueSafety::reloadWanted, this, [this] { load(m_path, m_form); });
    m_status = m_shell.text("SBMessage", "Ready");
    connect(m_loader, &CatalogueLoader::progress, this, &ListController::loadProgress);
    connect(m_loader, &CatalogueLoader::finished, this, &ListController::takeResult);
    const auto recount = [this] { m_statLine.reset(); };
    connect(&m_model, &QAbstractItemModel::modelReset, this, recount);
    connect(&m_model, &QAbstractItemModel::dataChanged, this, recount);
    connect(&m_model, &QAbstractItemModel::rowsInserted, this, recount);
    connect(&m_model, &QAbstractItemModel::rowsRemoved, this, recount);
    // Sorted, the same records are shown and the line stays.
    connect(&m_model, &QAbstractItemModel::layoutChanged, this,
            [this](const QList<QPersistentModelIndex>&, QAbstractItemModel::LayoutChangeHint hint) {
                if (hint != QAbstractItemModel::VerticalSortHint)
                    m_statLine.reset();
            });
    connect(this, &ListController::columnsChanged, this, recount);
    connect(m_filtering, &GridFiltering::filtered, this, [this] {
        emit currentRecordCleared();
        setStatus(m_shell.text("SBMessage", "Ready"));
    });
}

ListController::~ListController()
{
    // A save still writing reads the document.
    if (m_work)
        m_work->abandon();
    // What still looks at the records goes first; then the records are freed on a worker
    // (as they were made on one): 100,000 of them took half a second of a closing window.
    m_safety.reset();
    if (m_document)
        FreeOnWorker(std::move(m_document));
}

void ListController::setWork(WindowWork& work)
{
    m_work = &work;
}

void ListController::load(const QString& path, CatalogueForm form)
{
    m_path = path;
    if (!m_safety->open(path)) {
        emit loadFinished(false);
        return;
    }
    setStatus(m_shell.text("SBMessage", "Loading"));
    emit loadStarted(path);
    m_loader->start(path, form, m_shell.options().ColumnTemplate(), m_shell.options().Formats, path);
}

void ListController::loadCopy(const QString& file, CatalogueForm fileForm, const QString& path,
                              std::optional<CatalogueForm> saveForm, const QString& journalId)
{
    m_path = path;
    if (!m_safety->open(path)) {
        emit loadFinished(false);
        return;
    }
    m_pendingCopy = PendingCopy{saveForm, journalId};
    setStatus(m_shell.text("SBMessage", "Loading"));
    emit loadStarted(path);
    m_loader->start(file, fileForm, m_shell.options().ColumnTemplate(), m_shell.options().Formats, path);
}

bool ListController::isLoading() const
{
    return m_loader->isRunning();
}

void ListController::takeResult(const std::shared_ptr<LoadResult>& result)
{
    if (!result->document || result->document->ListCount() == 0) {
        setStatus(m_shell.text("SBMessage", "Ready"));
        showError(result->document || result->unknownForm
                      ? m_shell.text("Shell", "NotCatalogue").arg(m_path)
                      : m_shell.text("Shell", "LoadFailed").arg(m_path, m_shell.render(result->error)));
        emit loadFinished(false);
        return;
    }
    // What was read is written back: a 2.0 or 1.3 .kdx stays so, a file read as .kdx under another name too.
    m_form = result->document->LoadedForm().value_or(m_form);
    adopt(std::move(result->document));
    m_safety->loaded(m_path, result->watched);
    if (const std::optional<PendingCopy> copy = std::exchange(m_pendingCopy, std::nullopt)) {
        m_form = copy->saveForm.value_or(m_form);
        m_safety->restored(copy->journalId, !copy->saveForm);
        m_history.forget(false);
        setModified(true);
    }
    // The window comes up (its size, column widths, first paint) in a later turn of the
    // event loop: with the records taken over in this one, both together were a pause. A
    // timer rather than a posted call: the input, and the timers due, come in between.
    QTimer::singleShot(1, this, [this, result] {
        emit loadFinished(true);
        if (!result->sortError.isEmpty())
            showError(m_shell.render(result->sortError));
    });
}

void ListController::adopt(std::unique_ptr<TzkReelkeep> document)
{
    if (document->CurrentList < 1)
        document->CurrentList = 1;
    const TzkReelkeep* shown = document.get();
    // The old document goes inside the reset: the grid never reads its rows once they are gone.
    m_model.setDocument(shown, [&] { m_document = std::move(document); });
    m_history.forget(true);
    setModified(false);
    setStatus(m_shell.text("SBMessage", "Ready"));
    emit sheetsChanged();
    emit columnsChanged();
    emit currentRecordCleared();
}

TZKList* ListController::currentList() const
{
    const int sheet = currentSheet();
    return sheet < 0 ? nullptr : m_document->List(sheet);
}

QStringList ListController::sheetNames() const
{
    QStringList names;
    for (int i = 0; m_document && i < m_document->ListCount(); ++i)
        names << m_document->List(i)->Name;
    return names;
}

int ListController::currentSheet() const
{
    if (!m_document || m_document->CurrentList < 1 || m_document->CurrentList > m_document->ListCount())
        return -1;
    return m_document->CurrentList - 1;
}

QStringList ListController::statusTexts() const
{
    const TZKList* list = currentList();
    int allTopLevel = 0;
    for (int i = 0; m_document && i < m_document->ListCount(); ++i)
        allTopLevel += m_document->List(i)->RowCount();
    const auto count = [this](const char* key, int value) -> QString { return m_shell.text("SBMessage", key) + QString::number(value); };
    return {count("Records", list ? list->VisibleRowCount() : 0),
            count("TotalRecords", list ? list->RowCount() : 0),
            count("ListsCount", m_document ? m_document->ListCount() : 0),
            count("TotalRecordsAllLists", allTopLevel),
            list ? statLine(*list) : QString(),
            m_status};
}

QString ListController::statLine(const TZKList& list) const
{
    if (!m_statLine || m_statTemplate != m_shell.options().StatusStat) {
        m_statTemplate = m_shell.options().StatusStat;
        m_statLine = StatusStatLine(m_statTemplate, list);
    }
    return *m_statLine;
}

void ListController::setStatus(const QString& text)
{
    m_status = text;
    emit statusChanged();
}

void ListController::setModified(bool modified)
{
    if (modified)
        m_safety->changed();
    if (m_modified == modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

void ListController::setColumnSettings(const QString& author, const std::vector<ColumnDefinitions>& sheets)
{
    ColumnsStep::Settings before = ColumnsStep::capture(*m_document);
    m_document->SetAutor(author);
    for (int k = 0; k < static_cast<int>(sheets.size()) && k < m_document->ListCount(); ++k)
        ApplyColumnDefinitions(*m_document->List(k), sheets[static_cast<size_t>(k)]);
    push(std::make_unique<ColumnsStep>(std::move(before), ColumnsStep::capture(*m_document)), stepText("Columns"), selection());
    m_safety->changed();
    endCommand();
    emit columnsChanged();
}

void ListController::changed()
{
    m_safety->changed();
    m_status = m_shell.text("SBMessage", "Ready");
    emit statusChanged();
    emit currentRecordCleared();
}

void ListController::endCommand()
{
    if (m_status != m_shell.text("SBMessage", "Ready"))
        setStatus(m_shell.text("SBMessage", "Ready"));
}

void ListController::showError(const QString& text)
{
    m_prompts.ask({PromptIcon::Error, m_shell.text("Shell", "Error"), text, {PromptButton::Ok}});
}

bool ListController::acceptLosses(const QString& path, const LossReport& loss)
{
    return askAboutLosses(path, loss, false) == LossAnswer::Save;
}

ListController::LossAnswer ListController::askAboutLosses(const QString& path, const LossReport& loss, bool offerOtherForm)
{
    if (loss.IsEmpty())
        return LossAnswer::Save;
    const TextLookup text = [this](const QString& section, const QString& key) {
        return m_shell.options().LanguageTable.GetValue(section, key);
    };
    QString message = LossMessage(loss, path, text);
    const std::optional<CatalogueForm> other = offerOtherForm ? RecommendedForm(m_document->Lists()) : std::nullopt;
    if (other)
        message += u'\n' + m_shell.text("Shell", "RecommendedForm").arg(FormWording(*other, text));
    Prompt prompt{PromptIcon::Warning, m_shell.text("Shell", "LossySave"), message, {PromptButton::SaveAnyway}};
    if (loss.PreventsSaving())
        prompt = {PromptIcon::Error, m_shell.text("Shell", "Error"), message, {}};
    if (other)
        prompt.buttons.push_back(PromptButton::SaveInOtherForm);
    prompt.buttons.push_back(loss.PreventsSaving() && !other ? PromptButton::Ok : PromptButton::Cancel);
    switch (m_prompts.ask(prompt)) {
    case PromptButton::SaveAnyway: return LossAnswer::Save;
    case PromptButton::SaveInOtherForm: return LossAnswer::OtherForm;
    default: return LossAnswer::Cancel;
    }
}

bool ListController::write(const QString& path, std::optional<CatalogueForm> form, std::function<void()> written)
{
    if (!form) {
        showError(m_shell.text("Shell", "UnknownSaveExtension").arg(path));
        return false;
    }
    // On a big catalogue the search for losses reads every text: it runs on the worker too.
    auto loss = std::make_shared<LossReport>();
    const auto check = [loss, lists = &m_document->Lists(), form = *form](QPromise<void>&) { *loss = FindLoss(*lists, form); };
    const auto checked = [this, loss, path, form = *form, written = std::move(written)] {
        setStatus(m_shell.text("SBMessage", "Ready"));
        switch (askAboutLosses(path, *loss, true)) {
        case LossAnswer::Cancel:
            return;
        case LossAnswer::OtherForm:
            chooseAndSaveAs(RecommendedForm(m_document->Lists()));
            return;
        case LossAnswer::Save:
            writeFile(path, form, written);
            return;
        }
    };
    setStatus(m_shell.text("SBMessage", "Saving"));
    return m_work->runToEnd(m_shell.text("SBMessage", "Saving"), check, checked);
}

void ListController::writeFile(const QString& path, CatalogueForm form, const std::function<void()>& written)
{
    bool saveAsWanted = false;
    if (!m_safety->beforeSave(path, form, &saveAsWanted)) {
        if (saveAsWanted)
            emit saveAsRequested();
        return;
    }
    struct Outcome {
        Message versionTrouble;
        Message error;
        FileFingerprint file;
    };
    auto outcome = std::make_shared<Outcome>();
    const auto job = [outcome, document = m_document.get(), path, form, keepVersion = m_safety->versionKeeping(path, form)](QPromise<void>&) {
        outcome->versionTrouble = keepVersion();
        try {
            document->Save(path, form);
            outcome->file = FileFingerprint::Of(path);
        } catch (const ReelkeepError& error) {
            outcome->error = error.text();
        }
    };
    const auto done = [this, outcome, path, form, written] {
        setStatus(m_shell.text("SBMessage", "Ready"));
        if (outcome->error.isEmpty()) {
            m_safety->saved(path, form, outcome->file);
            written();
        } else {
            showError(m_shell.text("Shell", "SaveFailed").arg(path, m_shell.render(outcome->error)));
        }
        m_safety->saveEnded(outcome->versionTrouble);
    };
    setStatus(m_shell.text("SBMessage", "Saving"));
    if (!m_work->runToEnd(m_shell.text("SBMessage", "Saving"), job, done))
        m_safety->saveEnded(Message());
}

bool ListController::save()
{
    if (!m_document)
        return false;
    return write(m_path, m_form, [this] {
        m_history.markSaved();
        setModified(false);
    });
}

bool ListController::saveAs(const QString& path)
{
    return saveAs(path, FormOfFileName(path));
}

bool ListController::saveAs(const QString& path, std::optional<CatalogueForm> form)
{
    if (!m_document)
        return false;
    return write(path, form, [this, path, form] {
        if (form == CatalogueForm::TextListing)
            return;
        m_path = path;
        m_form = *form;
        m_history.markSaved();
        setModified(false);
        emit pathChanged(path);
    });
}

bool ListController::chooseAndSaveAs(std::optional<CatalogueForm> preferred)
{
    if (!m_document)
        return false;
    const QStringList filters = SaveAsFilters([this](const QString& section, const QString& key) {
        return m_shell.options().LanguageTable.GetValue(section, key);
    });
    const std::vector<CatalogueForm>& order = SaveAsFormOrder();
    const auto shown = preferred ? std::find(order.begin(), order.end(), *preferred) : order.begin();
    const QString start = preferred ? PathInForm(m_path, *preferred) : QFileInfo(m_path).absolutePath();
    const SaveChoice choice = m_prompts.chooseFileToSaveTitled(m_shell.text("FileDialogs", "SaveAs"), start, filters,
                                                                static_cast<int>(shown - order.begin()));
    if (choice.path.isEmpty())
        return false;
    const SaveAsTarget target = SaveAsTargetOf(choice.path, choice.filterIndex);
    if (target.form && !AskOverwrite(m_prompts, m_shell, target.path))
        return false;
    return saveAs(target.path, target.form);
}

void ListController::discardChanges()
{
    m_safety->discarded();
    setModified(false);
}

void ListController::switchSheet(int index)
{
    if (!m_document || index < 0 || index >= m_document->ListCount() || index == currentSheet())
        return;
    m_model.rebuild([&] { m_document->CurrentList = index + 1; });
    m_status = m_shell.text("SBMessage", "Ready");
    emit statusChanged();
    emit columnsChanged();
    emit currentRecordCleared();
}

void ListController::addSheet()
{
    if (!m_document)
        return;
    // Список + the number of lists before the addition, counted on while that name is taken.
    const QString base = m_shell.text("Other", "Page");
    int number = m_document->ListCount();
    while (m_document->IndexOfList(base + QString::number(number)) >= 0)
        ++number;
    const int sheetBefore = m_document->CurrentList;
    const ShownRecords before = selection();
    m_model.rebuild([&] {
        ApplyColumnDefinitions(*m_document->AddList(0, base + QString::number(number)), m_shell.options().ColumnTemplate());
        m_document->CurrentList = m_document->ListCount();
    });
    push(std::make_unique<SheetStep>(m_document->ListCount() - 1, true),
         stepText("AddSheet").arg(base + QString::number(number)), before, sheetBefore);
    emit sheetsChanged();
    emit columnsChanged();
    changed();
}

void ListController::deleteCurrentSheet()
{
    if (!m_document || m_document->ListCount() < 2)
        return;
    const Keeping keep = keeping(currentList()->MemoryUsage());
    if (keep == Keeping::Cancel)
        return;
    const int sheetBefore = m_document->CurrentList;
    const ShownRecords before = selection();
    const QString name = currentList()->Name;
    auto step = std::make_unique<SheetStep>(currentSheet(), false);
    m_model.rebuild([&] {
        step->redo(*m_document);
        m_document->CurrentList = 1;
    });
    if (keep == Keeping::Keep)
        push(std::move(step), stepText("DeleteSheet").arg(name), before, sheetBefore);
    else
        m_history.forget(false);
    emit sheetsChanged();
    emit columnsChanged();
    changed();
}

void ListController::renameCurrentSheet(const QString& name)
{
    TZKList* list = currentList();
    if (!list || list->Name == name)
        return;
    push(std::make_unique<RenameStep>(*list, std::exchange(list->Name, name), name), stepText("RenameSheet"), selection());
    m_safety->changed();
    endCommand();
    emit sheetsChanged();
}

bool ListController::sortBy(int column)
{
    TZKList* list = currentList();
    if (!list || column < 0 || column >= kStoredColumnCount)
        return false;
    setStatus(m_shell.text("SBMessage", "Sorting"));
    const ShownRecords before = selection();
    emit currentRecordCleared();
    bool sorted = true;
    auto step = std::make_unique<OrderStep>(*list, CaptureRowOrder(*list));
    try {
        m_model.relayout([&] { list->Sort(column, list->Column(column).Type); });
        step->finish();
        push(std::move(step), stepText("Sort").arg(columnName(column)), before);
    } catch (const ReelkeepError& error) {
        // A level sorted before the failing one goes back too.
        m_model.relayout([&] { step->undo(*m_document); });
        sorted = false;
        setStatus(m_shell.text("SBMessage", "Ready"));
        showError(m_shell.render(error.text()));
    }
    setStatus(m_shell.text("SBMessage", "Ready"));
    return sorted;
}

void ListController::setColumnFilter(int column, const QString& text)
{
    TZKList* list = currentList();
    if (!list || column < 0 || column >= kStoredColumnCount)
        return;
    if (!list->SetColumnFilterText(column, text)) {
        setStatus(m_shell.text("SBMessage", "Ready"));
        return;
    }
    setStatus(m_shell.text("SBMessage", "Filtering"));
    m_filtering->refilter();
}

void ListController::deleteRows(const std::vector<TzkRow*>& rows)
{
    TZKList* list = currentList();
    if (!list || rows.empty())
        return;
    const std::size_t memory = MemoryOfRows(*list, rows);
    const Keeping keep = keeping(memory);
    if (keep == Keeping::Cancel)
        return;
    const ShownRecords before = selection();
    auto step = std::make_unique<DeleteStep>(*list, rows, memory);
    m_model.rebuild([&] { step->redo(*m_document); });
    if (keep == Keeping::Keep)
        push(std::move(step), stepText("Delete", qint64(rows.size())).arg(rows.size()), before);
    else
        m_history.forget(false);
    changed();
}

TzkRow* ListController::groupRows(const std::vector<TzkRow*>& rows, TzkRow* parent)
{
    TZKList* list = currentList();
    if (!list || rows.empty())
        return nullptr;
    const ShownRecords before = selection();
    auto step = std::make_unique<GroupStep>(*list, rows, parent);
    m_model.rebuild([&] { step->redo(*m_document); });
    TzkRow* group = step->group();
    const int grouped = step->groupedRecords();
    push(std::move(step), stepText("Group", grouped).arg(grouped), before);
    changed();
    return group;
}

void ListController::setCell(TzkRow* row, int column, const QString& text)
{
    if (!row || column < 0 || column >= kStoredColumnCount || row->Fields[static_cast<size_t>(column)] == text)
        return;
    QString before = std::exchange(row->Fields[static_cast<size_t>(column)], text);
    m_model.cellChanged(row, column);
    // Undone, typing shows the record it changed.
    push(std::make_unique<CellsStep>(std::vector<CellsStep::Change>{{row, column, std::move(before), text}}, true),
         stepText("Typing").arg(columnName(column)), ShownRecords{row, {row}});
    m_safety->changed();
    endCommand();
}

void ListController::setCells(const std::vector<TzkRow*>& rows, int column,
                              const std::function<QString(const QString&)>& change)
{
    if (column < 0 || column >= kStoredColumnCount)
        return;
    std::vector<TzkRow*> changed;
    std::vector<CellsStep::Change> changes;
    changed.reserve(rows.size());
    changes.reserve(rows.size());
    for (TzkRow* row : rows) {
        QString& cell = row->Fields[static_cast<size_t>(column)];
        QString text = change(cell);
        if (text != cell) {
            changes.push_back({row, column, cell, text});
            cell = std::move(text);
            changed.push_back(row);
        }
    }
    if (changed.empty())
        return;
    m_model.cellsChanged(changed, column);
    push(std::make_unique<CellsStep>(std::move(changes), false),
         column == csColour ? stepText("Colour", qint64(changed.size())).arg(changed.size()) : stepText("Cells", qint64(changed.size())).arg(columnName(column)).arg(changed.size()),
         selection());
    m_safety->changed();
    endCommand();
}

QList<QByteArray> ListController::imagesOf(const TzkRow* row) const
{
    QList<QByteArray> images;
    const TZKList* list = currentList();
    if (!list || !row)
        return images;
    for (size_t i = 0; i < list->Images.OwnerIDs.size(); ++i)
        if (list->Images.OwnerIDs[i] == row->ID)
            images << list->Images.Images[i];
    return images;
}

void ListController::addImage(TzkRow* row, const QByteArray& bytes)
{
    TZKList* list = currentList();
    if (!list || !row)
        return;
    auto step = std::make_unique<AppendStep>(*m_document, nullptr);
    list->Images.AddImage(bytes, row->ID);
    step->finish(*m_document);
    m_model.rowChanged(row);
    push(std::move(step), stepText("AddImage"), ShownRecords{row, {row}});
    m_safety->changed();
    endCommand();
}

void ListController::removeImage(TzkRow* row, int k)
{
    TZKList* list = currentList();
    if (!list || !row || k < 0 || k >= list->Images.ImageCount(row->ID))
        return;
    std::size_t index = 0;
    for (int seen = -1; seen < k; ++index)
        seen += list->Images.OwnerIDs[index] == row->ID ? 1 : 0;
    auto step = std::make_unique<ImageRemovalStep>(*list, index - 1);
    step->redo(*m_document);
    m_model.rowChanged(row);
    push(std::move(step), stepText("RemoveImage"), ShownRecords{row, {row}});
    m_safety->changed();
    endCommand();
}

TzkRow* ListController::addRecord(TzkRow* parent)
{
    TzkRow* row = addEnteredRecord(parent);
    endEntry();
    return row;
}

TzkRow* ListController::addEnteredRecord(TzkRow* parent)
{
    TZKList* list = currentList();
    if (!list)
        return nullptr;
    if (!m_entry) {
        m_entrySelection = selection();
        m_entrySheet = m_document->CurrentList;
        m_entry = std::make_unique<AppendStep>(*m_document, parent);
    }
    TzkRow* row = list->AddRow(parent);
    row->Fields[csColour] = QStringLiteral("00FFFFFF");
    ++m_entered;
    return row;
}

void ListController::fillEnteredCell(TzkRow* row, int column, const QString& text)
{
    if (row && column >= 0 && column < kStoredColumnCount)
        row->Fields[static_cast<size_t>(column)] = text;
}

void ListController::addEnteredImage(TzkRow* row, const QByteArray& bytes)
{
    if (TZKList* list = currentList(); list && row)
        list->Images.AddImage(bytes, row->ID);
}

void ListController::endEntry()
{
    if (m_entered == 0)
        return;
    m_entered = 0;
    m_model.rebuild();
    finishEntryStep();
    changed();
}

int ListController::mergeText(const QByteArray& text, TzkRow* parent, bool utf8)
{
    if (!m_document)
        return 0;
    const int sheetsBefore = m_document->ListCount();
    const int sheetBefore = m_document->CurrentList;
    const ShownRecords before = selection();
    auto step = std::make_unique<AppendStep>(*m_document, parent);
    int added = 0;
    try {
        m_model.rebuild([&] { added = m_document->MergeFromString(text, parent, utf8); });
    } catch (const ReelkeepError& error) {
        showError(m_shell.text("Records", "NotRecordsText").arg(m_shell.render(error.text())));
        return 0;
    }
    step->finish(*m_document);
    if (added == 0) {
        // A list named in the text and holding no records goes again.
        m_model.rebuild([&] {
            step->undo(*m_document);
            m_document->CurrentList = sheetBefore;
        });
        showError(m_shell.text("Records", "NoRecordsAdded"));
        return 0;
    }
    push(std::move(step), stepText("AddRecords", added).arg(added), before, sheetBefore);
    if (m_document->ListCount() != sheetsBefore) {
        emit sheetsChanged();
        emit columnsChanged();
    }
    changed();
    return added;
}

void ListController::tidyColumn(int column)
{
    TZKList* list = currentList();
    if (!list || column < 0 || column >= kStoredColumnCount)
        return;
    std::vector<TzkRow*> pending;
    std::vector<TzkRow*> tidied;
    std::vector<CellsStep::Change> changes;
    const ShownRecords before = selection();
    for (const RowPtr& row : list->Items())
        pending.push_back(row.get());
    while (!pending.empty()) {
        TzkRow* row = pending.back();
        pending.pop_back();
        QString& cell = row->Fields[static_cast<size_t>(column)];
        if (QString tidy = TidyText(cell); tidy != cell) {
            changes.push_back({row, column, cell, tidy});
            cell = std::move(tidy);
            tidied.push_back(row);
        }
        for (const RowPtr& child : row->Children)
            pending.push_back(child.get());
    }
    m_model.cellsChanged(tidied, column);
    if (changes.empty())
        return;
    push(std::make_unique<CellsStep>(std::move(changes), false), stepText("Tidy").arg(columnName(column)), before);
    m_safety->changed();
    m_status = m_shell.text("SBMessage", "Ready");
    emit statusChanged();
}

void ListController::storeColumnWidths(const std::vector<int>& widths)
{
    TZKList* list = currentList();
    if (!list)
        return;
    for (size_t c = 0; c < widths.size() && c < static_cast<size_t>(kStoredColumnCount); ++c) {
        list->Column(static_cast<int>(c)).Width = widths[c];
        m_shell.options().ColWidth[c] = widths[c];
    }
}

ListController::Keeping ListController::keeping(std::size_t bytes)
{
    if (bytes <= m_history.byteLimit())
        return Keeping::Keep;
    const PromptButton answer = m_prompts.ask(
        {PromptIcon::Warning, m_shell.text("Undo", "TooBigCaption"),
         m_shell.text("Undo", "TooBig").arg(qulonglong(bytes >> 20)).arg(qulonglong(m_history.byteLimit() >> 20)),
         {PromptButton::Yes, PromptButton::No}});
    return answer == PromptButton::Yes ? Keeping::WithoutUndo : Keeping::Cancel;
}

ShownRecords ListController::selection() const
{
    return m_selection ? m_selection->selection() : ShownRecords{};
}

QString ListController::stepText(const char* key) const
{
    return m_shell.text("Undo", key);
}

QString ListController::stepText(const char* key, qint64 count) const
{
    return PluralForm(stepText(key), count);
}

QString ListController::columnName(int column) const
{
    const TZKList* list = currentList();
    return list ? list->GetColumnName(column) : QString();
}

void ListController::push(std::unique_ptr<UndoStep> step, const QString& text, ShownRecords before)
{
    push(std::move(step), text, std::move(before), m_document->CurrentList);
}

void ListController::push(std::unique_ptr<UndoStep> step, const QString& text, ShownRecords before, int sheetBefore)
{
    step->text = text;
    step->sheetBefore = sheetBefore;
    step->sheetAfter = m_document->CurrentList;
    step->selectionBefore = std::move(before);
    if (m_batch)
        m_batch->add(std::move(step));
    else
        m_history.push(std::move(step));
}

void ListController::applyStep(UndoStep& step, bool undo)
{
    if (undo && !step.selectionAfterKnown) {
        step.selectionAfter = selection();
        step.selectionAfterKnown = true;
    }
    const int sheet = undo ? step.sheetBefore : step.sheetAfter;
    const bool sheetShown = m_document->CurrentList == sheet;
    const auto change = [&] { undo ? step.undo(*m_document) : step.redo(*m_document); };
    if (step.reach() == UndoStep::Reach::Cells && sheetShown) {
        change();
        std::map<int, std::vector<TzkRow*>> byColumn;
        for (const UndoStep::Cell& cell : step.cells())
            byColumn[cell.column].push_back(cell.row);
        for (const auto& [column, rows] : byColumn)
            m_model.cellsChanged(rows, column);
    } else {
        m_model.rebuild([&] {
            change();
            m_document->CurrentList = sheet;
        });
        if (step.reach() == UndoStep::Reach::Sheets || !sheetShown) {
            emit sheetsChanged();
            emit columnsChanged();
        }
    }
    m_safety->changed();
    m_status = m_shell.text("SBMessage", "Ready");
    emit statusChanged();
    // Cells changed in place keep the grid's rows: the panel is shown again by the selection.
    if (!m_selection || step.reach() != UndoStep::Reach::Cells || !sheetShown)
        emit currentRecordCleared();
    if (m_selection)
        m_selection->select(undo ? step.selectionBefore : step.selectionAfter);
}

void ListController::finishEntryStep()
{
    if (!m_entry)
        return;
    std::unique_ptr<AppendStep> step = std::move(m_entry);
    step->finish(*m_document);
    const int records = step->appendedRecords();
    m_enteredRecords += records;
    push(std::move(step), records == 1 ? stepText("AddRecord") : stepText("AddRecords", records).arg(records),
         std::move(m_entrySelection), m_entrySheet);
}

ListController::Batch::Batch(ListController& controller) : m_controller(controller)
{
    m_controller.beginBatch();
}

ListController::Batch::~Batch()
{
    m_controller.endBatch();
}

void ListController::beginBatch()
{
    if (m_batchDepth++ > 0 || !m_document)
        return;
    m_batch = std::make_unique<BatchStep>();
    m_batchSelection = selection();
    m_batchSheet = m_document->CurrentList;
    m_enteredRecords = 0;
}

void ListController::endBatch()
{
    if (--m_batchDepth > 0 || !m_batch)
        return;
    finishEntryStep();
    std::unique_ptr<BatchStep> batch = std::move(m_batch);
    if (batch->holdsNothing())
        return;
    const QString text = m_enteredRecords == 0   ? stepText("FillRecord")
                         : m_enteredRecords == 1 ? stepText("AddRecord")
                                                 : stepText("AddRecords", m_enteredRecords).arg(m_enteredRecords);
    push(std::move(batch), text, std::move(m_batchSelection), m_batchSheet);
}

} // namespace reelkeep
