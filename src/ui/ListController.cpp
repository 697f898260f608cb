#include "ListController.h"

#include "CatalogueLoader.h"
#include "CatalogueSafety.h"
#include "FileFingerprint.h"
#include "GroupCells.h"
#include "LossMessage.h"
#include "OverwriteQuestion.h"
#include "Prompts.h"
#include "RecordEditing.h"
#include "SaveAsForms.h"
#include "ReelkeepError.h"
#include "ShellState.h"
#include "SheetColumns.h"
#include "Statistics.h"
#include "TzkReelkeep.h"
#include "WindowWork.h"

#include <QFileInfo>
#include <algorithm>

namespace reelkeep {

ListController::ListController(ShellState& shell, Prompts& prompts, QObject* parent)
    : QObject(parent), m_shell(shell), m_prompts(prompts), m_loader(new CatalogueLoader(this)),
      m_safety(std::make_unique<CatalogueSafety>(*this, shell, prompts))
{
    connect(m_safety.get(), &CatalogueSafety::reloadWanted, this, [this] { load(m_path, m_form); });
    m_status = m_shell.text("SBMessage", "Ready");
    connect(m_loader, &CatalogueLoader::progress, this, &ListController::loadProgress);
    connect(m_loader, &CatalogueLoader::finished, this, &ListController::takeResult);
}

ListController::~ListController()
{
    // A save still writing reads the document.
    if (m_work)
        m_work->abandon();
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
    m_loader->start(path, form, m_shell.options().ColumnTemplate(), m_shell.options().Formats);
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
    m_loader->start(file, fileForm, m_shell.options().ColumnTemplate(), m_shell.options().Formats);
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
    m_safety->loaded(m_path);
    if (const std::optional<PendingCopy> copy = std::exchange(m_pendingCopy, std::nullopt)) {
        m_form = copy->saveForm.value_or(m_form);
        m_safety->restored(copy->journalId, !copy->saveForm);
        setModified(true);
    }
    emit loadFinished(true);
    if (!result->sortError.isEmpty())
        showError(m_shell.render(result->sortError));
}

void ListController::adopt(std::unique_ptr<TzkReelkeep> document)
{
    if (document->CurrentList < 1)
        document->CurrentList = 1;
    const TzkReelkeep* shown = document.get();
    // The old document goes inside the reset: the grid never reads its rows once they are gone.
    m_model.setDocument(shown, [&] { m_document = std::move(document); });
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
            list ? StatusStatLine(m_shell.options().StatusStat, *list) : QString(),
            m_status};
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
    m_document->SetAutor(author);
    for (int k = 0; k < static_cast<int>(sheets.size()) && k < m_document->ListCount(); ++k)
        ApplyColumnDefinitions(*m_document->List(k), sheets[static_cast<size_t>(k)]);
    setModified(true);
    endCommand();
    emit columnsChanged();
}

void ListController::changed()
{
    setModified(true);
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

bool ListController::acceptLosses(const QString& path, CatalogueForm form)
{
    return askAboutLosses(path, FindLoss(m_document->Lists(), form), false) == LossAnswer::Save;
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
    return write(m_path, m_form, [this] { setModified(false); });
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
    m_model.rebuild([&] {
        ApplyColumnDefinitions(*m_document->AddList(0, base + QString::number(number)), m_shell.options().ColumnTemplate());
        m_document->CurrentList = m_document->ListCount();
    });
    emit sheetsChanged();
    emit columnsChanged();
    changed();
}

void ListController::deleteCurrentSheet()
{
    if (!m_document || m_document->ListCount() < 2)
        return;
    m_model.rebuild([&] {
        m_document->DeleteList(m_document->CurrentList);
        m_document->CurrentList = 1;
    });
    emit sheetsChanged();
    emit columnsChanged();
    changed();
}

void ListController::renameCurrentSheet(const QString& name)
{
    TZKList* list = currentList();
    if (!list || list->Name == name)
        return;
    list->Name = name;
    setModified(true);
    endCommand();
    emit sheetsChanged();
}

bool ListController::sortBy(int column)
{
    TZKList* list = currentList();
    if (!list || column < 0 || column >= kStoredColumnCount)
        return false;
    setStatus(m_shell.text("SBMessage", "Sorting"));
    emit currentRecordCleared();
    bool sorted = true;
    try {
        m_model.relayout([&] { list->Sort(column, list->Column(column).Type); });
    } catch (const ReelkeepError& error) {
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
    setStatus(m_shell.text("SBMessage", "Filtering"));
    if (list->GetColumnFilter(column) != text) {
        m_model.rebuild([&] { list->SetColumnFilter(column, text); });
        emit currentRecordCleared();
    }
    setStatus(m_shell.text("SBMessage", "Ready"));
}

void ListController::deleteRows(const std::vector<TzkRow*>& rows)
{
    TZKList* list = currentList();
    if (!list || rows.empty())
        return;
    m_model.rebuild([&] {
        for (TzkRow* row : rows)
            list->DeleteRow(row);
    });
    changed();
}

TzkRow* ListController::groupRows(const std::vector<TzkRow*>& rows, TzkRow* parent)
{
    TZKList* list = currentList();
    if (!list || rows.empty())
        return nullptr;
    TzkRow* group = nullptr;
    m_model.rebuild([&] {
        group = list->GroupRows(rows, parent);
        FillGroupCells(*group, rows, *list);
    });
    changed();
    return group;
}

void ListController::setCell(TzkRow* row, int column, const QString& text)
{
    if (!row || column < 0 || column >= kStoredColumnCount || row->Fields[static_cast<size_t>(column)] == text)
        return;
    row->Fields[static_cast<size_t>(column)] = text;
    m_model.cellChanged(row, column);
    setModified(true);
    endCommand();
}

void ListController::setCells(const std::vector<TzkRow*>& rows, int column,
                              const std::function<QString(const QString&)>& change)
{
    if (column < 0 || column >= kStoredColumnCount)
        return;
    std::vector<TzkRow*> changed;
    for (TzkRow* row : rows) {
        QString& cell = row->Fields[static_cast<size_t>(column)];
        QString text = change(cell);
        if (text != cell) {
            cell = std::move(text);
            changed.push_back(row);
        }
    }
    if (changed.empty())
        return;
    m_model.cellsChanged(changed, column);
    setModified(true);
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
    list->Images.AddImage(bytes, row->ID);
    m_model.rowChanged(row);
    setModified(true);
    endCommand();
}

void ListController::removeImage(TzkRow* row, int k)
{
    TZKList* list = currentList();
    if (!list || !row || k < 0 || k >= list->Images.ImageCount(row->ID))
        return;
    list->Images.DeleteImage(row->ID, k);
    m_model.rowChanged(row);
    setModified(true);
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
    changed();
}

int ListController::mergeText(const QByteArray& text, TzkRow* parent, bool utf8)
{
    if (!m_document)
        return 0;
    const int sheetsBefore = m_document->ListCount();
    int added = 0;
    try {
        m_model.rebuild([&] { added = m_document->MergeFromString(text, parent, utf8); });
    } catch (const ReelkeepError& error) {
        showError(m_shell.text("Records", "NotRecordsText").arg(m_shell.render(error.text())));
        return 0;
    }
    if (added == 0) {
        showError(m_shell.text("Records", "NoRecordsAdded"));
        return 0;
    }
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
    for (const RowPtr& row : list->Items())
        pending.push_back(row.get());
    while (!pending.empty()) {
        TzkRow* row = pending.back();
        pending.pop_back();
        QString& cell = row->Fields[static_cast<size_t>(column)];
        if (QString tidy = TidyText(cell); tidy != cell) {
            cell = std::move(tidy);
            tidied.push_back(row);
        }
        for (const RowPtr& child : row->Children)
            pending.push_back(child.get());
    }
    m_model.cellsChanged(tidied, column);
    setModified(true);
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

} // namespace reelkeep
