#include "RecordCommands.h"

#include "FileEntryCommands.h"
#include "FileIO.h"
#include "FrameImageCommand.h"
#include "GridModel.h"
#include "ImageDecoding.h"
#include "ListCaption.h"
#include "CatalogueForms.h"
#include "ListController.h"
#include "LoadLimits.h"
#include "Prompts.h"
#include "RecordEditing.h"
#include "RecordSelection.h"
#include "ReelkeepError.h"
#include "ShellState.h"
#include "TZKList.h"
#include "TextCatalogue.h"
#include "TfmFilter.h"
#include "TzkImagePanel.h"
#include "TzkRecordPanel.h"

#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QWidget>
#include <unordered_set>

namespace reelkeep {
namespace {

// Nested records under the given ones that are not among them: the text form cannot carry them.
int nestedLeftOut(const std::vector<const TzkRow*>& rows)
{
    const std::unordered_set<const TzkRow*> chosen(rows.begin(), rows.end());
    int left = 0;
    std::vector<const TzkRow*> pending(rows.begin(), rows.end());
    while (!pending.empty()) {
        const TzkRow* row = pending.back();
        pending.pop_back();
        for (const RowPtr& child : row->Children) {
            if (chosen.contains(child.get()))
                continue;
            ++left;
            pending.push_back(child.get());
        }
    }
    return left;
}

} // namespace

RecordCommands::RecordCommands(RecordSelection& selection, QWidget& window, TzkRecordPanel& panel, ListController& controller,
                               FileEntryCommands& files, ShellState& shell, Prompts& prompts, TextRegistry& texts)
    : QObject(&window),
      m_selection(selection),
      m_window(window),
      m_panel(panel),
      m_shell(shell),
      m_prompts(prompts),
      m_texts(texts),
      m_controller(controller),
      m_files(files)
{
    connect(&m_panel, &TzkRecordPanel::cellEdited, this,
            [this](int column, const QString& text) { m_controller.setCell(m_selection.currentRecord(), column, text); });
    connect(&m_panel, &TzkRecordPanel::colourPicked, this,
            [this](const QString& cell) { storeInSelected(csColour, cell); });
    connect(&m_panel, &TzkRecordPanel::clearField, this, [this](int column) {
        storeInSelected(column, QString());
        showCurrent();
    });
    connect(&m_panel, &TzkRecordPanel::autoFill, this, &RecordCommands::AutoFill);
    connect(m_panel.imagePanel(), &TzkImagePanel::addRequested, this, &RecordCommands::AddImage);
    connect(m_panel.imagePanel(), &TzkImagePanel::removeRequested, this, &RecordCommands::RemoveImage);
    new FrameImageCommand(selection, window, panel, controller, shell, prompts, this);
    connect(&m_panel, &TzkRecordPanel::fieldButton, this, [this](int column) {
        const TZKList* list = m_controller.currentList();
        if (!list)
            return;
        if (column == csNumber)
            AutoNumber();
        else if (list->Column(column).Pattern == QLatin1String("%Date%"))
            TodayDate(column);
        else if (list->Column(column).Pattern == QLatin1String("%Name%"))
            m_files.FillFromFile();
        else
            m_files.AppendFile();
    });
}

void RecordCommands::storeInSelected(int column, const QString& text)
{
    std::vector<TzkRow*> rows = m_selection.selectedRecords();
    if (rows.empty() && m_selection.currentRecord())
        rows.push_back(m_selection.currentRecord());
    m_controller.setCells(rows, column, [&text](const QString&) { return text; });
}

void RecordCommands::showCurrent()
{
    m_panel.showRecord(m_selection.currentRecord(), m_controller.imagesOf(m_selection.currentRecord()));
}

void RecordCommands::showError(const QString& text)
{
    m_prompts.ask({PromptIcon::Error, m_shell.text("Shell", "Error"), text, {PromptButton::Ok}});
}

TzkRow* RecordCommands::parentOf(const TzkRow* row) const
{
    const GridModel* model = m_controller.model();
    return row ? model->rowAt(model->indexOf(row).parent()) : nullptr;
}

void RecordCommands::focusLast()
{
    const GridModel* model = m_controller.model();
    m_selection.focusRecord(model->rowAt(model->lastIndex()));
}

void RecordCommands::AddRecord()
{
    if (TzkRow* row = m_controller.addRecord(parentOf(m_selection.currentRecord())))
        m_selection.focusRecord(row);
}

void RecordCommands::DelItem()
{
    const std::vector<TzkRow*> rows = m_selection.outermostSelected();
    if (rows.empty())
        return;
    if (m_prompts.ask({PromptIcon::Question, QString(), m_shell.text("SysMessage", "ReallyWantToDelete"),
                       {PromptButton::Yes, PromptButton::No}})
        != PromptButton::Yes)
        return;
    m_controller.deleteRows(rows);
}

void RecordCommands::GroupSelected()
{
    const TzkRow* current = m_selection.currentRecord();
    if (!current)
        return;
    TzkRow* parent = parentOf(current);
    std::vector<TzkRow*> rows = m_selection.outermostSelected();
    // The parent of the group cannot be grouped under it.
    std::erase(rows, parent);
    if (!m_controller.groupRows(rows, parent))
        return;
    // The last record in display order is selected, and so shown.
    focusLast();
}

bool RecordCommands::Copy()
{
    const TZKList* list = m_controller.currentList();
    const std::vector<TzkRow*> selected = m_selection.selectedRecords();
    if (!list || selected.empty())
        return false;
    const std::vector<const TzkRow*> rows(selected.begin(), selected.end());
    QGuiApplication::clipboard()->setText(QString::fromUtf8(RecordsText(rows)));
    const int left = nestedLeftOut(rows);
    m_controller.setStatus(left > 0 ? m_shell.text("Records", "NestedLeftOut").arg(rows.size()).arg(left)
                                    : m_shell.text("Records", "Copied").arg(rows.size()));
    return true;
}

void RecordCommands::Cut()
{
    if (Copy())
        DelItem();
}

bool RecordCommands::CanPaste()
{
    return QGuiApplication::clipboard()->text().startsWith(QLatin1String("kdx v1.3"));
}

void RecordCommands::Paste()
{
    const QString text = QGuiApplication::clipboard()->text();
    if (text.isEmpty())
        return;
    TzkRow* parent = parentOf(m_selection.currentRecord());
    merged(m_controller.mergeText(text.toUtf8(), parent, true), parent);
}

void RecordCommands::AddFromList()
{
    zkOptions& options = m_shell.options();
    const QString path = m_prompts.chooseFileToOpen(options.LastListDir, {RecordListFilter(m_shell.text("Other", "ListFiles"))});
    if (path.isEmpty())
        return;
    options.LastListDir = QFileInfo(path).absolutePath();
    QByteArray text;
    try {
        text = ReadWholeFile(path);
    } catch (const ReelkeepError& error) {
        m_prompts.ask({PromptIcon::Error, m_shell.text("Shell", "Error"), m_shell.render(error.text()), {PromptButton::Ok}});
        return;
    }
    // Records go into the group of the current record.
    TzkRow* parent = parentOf(m_selection.currentRecord());
    merged(m_controller.mergeText(text, parent, false), parent);
}

void RecordCommands::merged(int added, const TzkRow* parent)
{
    if (added == 0)
        return;
    // Records added into a group: its last child is the last record added.
    const QModelIndex group = parent ? m_controller.model()->indexOf(parent) : QModelIndex();
    if (group.isValid() && parent->ChildCount() > 0)
        m_selection.focusRecord(parent->Children.back().get());
    else
        focusLast();
    m_controller.setStatus(m_shell.text("Records", "Added").arg(added));
}

void RecordCommands::TidyColumn(int column)
{
    m_controller.tidyColumn(column);
    showCurrent();
}

void RecordCommands::AutoNumber()
{
    const TZKList* list = m_controller.currentList();
    if (!list || !m_selection.currentRecord())
        return;
    int number = 0;
    try {
        number = NextRecordNumber(*list);
    } catch (const ConversionError& error) {
        m_prompts.ask({PromptIcon::Error, m_shell.text("Shell", "Error"), m_shell.render(error.text()), {PromptButton::Ok}});
        return;
    }
    const QString text = QString::number(number);
    m_panel.showCell(csNumber, text);
    m_panel.focusColumn(csNumber);
    storeInSelected(csNumber, text);
}

void RecordCommands::TodayDate(int column)
{
    if (!m_selection.currentRecord())
        return;
    const QString text = m_shell.options().Formats.formatDate(QDate::currentDate());
    m_panel.showCell(column, text);
    m_panel.focusColumn(column);
    storeInSelected(column, text);
}

void RecordCommands::AutoFill(int column)
{
    const TZKList* list = m_controller.currentList();
    if (!list || column < 0 || column >= kStoredColumnCount)
        return;
    if (m_pick)
        m_pick->close();
    m_pick = new TfmFilter(column, std::nullopt, false, m_shell.filterAnalizer(), m_texts, &m_window, TfmFilter::Mode::Pick);
    m_pick->fillValues(*list);
    m_pick->setObjectName(QStringLiteral("fmAutoFill"));
    m_pick->setWindowTitle(OwnedWindowTitle(list->GetColumnName(column), m_window, m_shell));
    // While it is open the records it writes to stay the ones selected.
    m_pick->setWindowModality(Qt::ApplicationModal);
    connect(m_pick, &TfmFilter::valuePicked, this, &RecordCommands::addPickedValue);
    m_pick->move(m_window.mapToGlobal(QPoint(std::max(0, m_window.width() - m_pick->width() - 24), 60)));
    m_pick->show();
    m_pick->takeFocus();
}

TfmFilter* RecordCommands::pickWindow() const
{
    return m_pick;
}

void RecordCommands::addPickedValue(int column, const QString& value)
{
    std::vector<TzkRow*> rows = m_selection.selectedRecords();
    if (rows.empty() && m_selection.currentRecord())
        rows.push_back(m_selection.currentRecord());
    m_controller.setCells(rows, column, [&value](const QString& cell) { return AppendPickedValue(cell, value); });
    showCurrent();
}

void RecordCommands::AddImage()
{
    TzkRow* row = m_selection.currentRecord();
    if (!row)
        return;
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(format);
    const QString path = m_prompts.chooseFileToOpen(
        m_imageFolder, {m_shell.text("Records", "ImageFiles") + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')'),
                               m_shell.text("Other", "AllFiles") + QStringLiteral(" (*)")});
    if (path.isEmpty())
        return;
    m_imageFolder = QFileInfo(path).absolutePath();
    const QString shownPath = QDir::toNativeSeparators(path);
    if (QFileInfo(path).size() > kMaxImageBytes) {
        showError(m_shell.text("Records", "ImageFileTooBig").arg(shownPath).arg(kMaxImageBytes >> 20));
        return;
    }
    QByteArray bytes;
    try {
        bytes = ReadWholeFile(path);
    } catch (const ReelkeepError& error) {
        showError(m_shell.render(error.text()));
        return;
    }
    // Only what can be shown again is attached: a file no image reader understands is refused.
    const DecodedImage decoded = DecodeImage(bytes, {1, 1});
    if (decoded.outcome == DecodedImage::Outcome::TooManyPixels) {
        showError(m_shell.text("Records", "ImageFileTooLarge")
                      .arg(shownPath, QString::number(decoded.storedSize.width()), QString::number(decoded.storedSize.height()),
                           QString::number(kMaxImagePixels / 1000000)));
        return;
    }
    if (decoded.outcome != DecodedImage::Outcome::Decoded) {
        showError(m_shell.text("Records", "NotImageFile").arg(shownPath));
        return;
    }
    m_controller.addImage(row, bytes);
    const QList<QByteArray> images = m_controller.imagesOf(row);
    m_panel.imagePanel()->setImages(images, static_cast<int>(images.size()) - 1);
}

void RecordCommands::RemoveImage(int k)
{
    TzkRow* row = m_selection.currentRecord();
    if (!row)
        return;
    m_controller.removeImage(row, k);
    m_panel.imagePanel()->setImages(m_controller.imagesOf(row), k);
}

} // namespace reelkeep
