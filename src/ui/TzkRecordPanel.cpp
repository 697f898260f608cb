#include "TzkRecordPanel.h"

#include "LoadLimits.h"
#include "RecordEditing.h"
#include "RecordPanelLayout.h"
#include "TZKList.h"
#include "TzkBtnEdit.h"
#include "TzkImagePanel.h"
#include "TzkLabeledColorBox.h"
#include "zkOptions.h"

#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QToolButton>
#include <algorithm>

namespace reelkeep {
namespace {

bool isMemoColumn(int column)
{
    return column == csDescription || column == csActors;
}

} // namespace

TzkRecordPanel::TzkRecordPanel(Settings options, Lookup text, QWidget* parent)
    : QWidget(parent),
      m_options(std::move(options)),
      m_text(std::move(text)),
      m_description(makeMemo(csDescription, "mmDescr")),
      m_actors(makeMemo(csActors, "mmActor")),
      m_colour(new TzkLabeledColorBox(this)),
      m_images(new TzkImagePanel(this))
{
    setObjectName(QStringLiteral("pnlRecord"));
    for (int column = 0; column < static_cast<int>(m_edits.size()); ++column) {
        if (isMemoColumn(column))
            continue;
        auto* control = new TzkBtnEdit(column, this);
        m_edits[static_cast<size_t>(column)] = control;
        QLineEdit* line = control->edit();
        line->installEventFilter(this);
        line->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(line, &QLineEdit::customContextMenuRequested, this,
                [this, line, column](const QPoint& at) { popupEditMenu(line, column, at); });
        // textEdited: typing, paste, cut, undo and drops; never a fill from a record.
        connect(line, &QLineEdit::textEdited, this, [this, column](const QString& value) { emit cellEdited(column, value); });
        connect(control, &TzkBtnEdit::buttonClicked, this, &TzkRecordPanel::fieldButton);
        connect(control, &TzkBtnEdit::moved, this, &TzkRecordPanel::storePosition);
    }
    m_colour->box()->installEventFilter(this);
    connect(m_colour, &TzkLabeledColorBox::colourPicked, this, [this](const QColor& colour) {
        emit colourPicked(ColourCell(static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
                                     static_cast<std::uint8_t>(colour.blue())));
    });
    connect(m_colour, &TzkLabeledColorBox::moved, this, [this](QPoint at) { storePosition(csColour, at); });
    connect(m_images, &TzkImagePanel::moved, this, [this](QPoint at) { storePosition(kImageControl, at); });
    showRecord(nullptr);
}

QPlainTextEdit* TzkRecordPanel::makeMemo(int column, const char* name)
{
    auto* memo = new QPlainTextEdit(this);
    memo->setObjectName(QString::fromLatin1(name));
    memo->setTabChangesFocus(true);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->installEventFilter(this);
    memo->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(memo, &QWidget::customContextMenuRequested, this,
            [this, memo, column](const QPoint& at) { popupEditMenu(memo, column, at); });
    // Only a person's change stores: filling from a record is guarded.
    connect(memo, &QPlainTextEdit::textChanged, this, [this, memo, column] {
        if (!m_filling)
            emit cellEdited(column, memo->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n")));
    });
    return memo;
}

void TzkRecordPanel::popupEditMenu(QWidget* control, int column, const QPoint& at)
{
    auto* menu = new QMenu(control);
    menu->setObjectName(QStringLiteral("pmEdit"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const auto add = [this, menu](const char* name, const char* section, const char* key, bool enabled, auto run) {
        QAction* action = menu->addAction(m_text(section, key));
        action->setObjectName(QString::fromLatin1(name));
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, menu, run);
    };
    add("miAutoFill", "PopupMenu", "AutoFill", true, [this, column] { emit autoFill(column); });
    add("clearFields", "PopupMenu", "ClearSelectedFields", true, [this, column] { emit clearField(column); });
    menu->addSeparator();
    // Every change below reaches the record as typing does: the line edit reports it as
    // edited text, the memo as a changed text.
    const bool canPaste = !QGuiApplication::clipboard()->text().isEmpty();
    if (auto* line = qobject_cast<QLineEdit*>(control)) {
        const bool selected = line->hasSelectedText();
        const bool writable = !line->isReadOnly();
        add("miEditUndo", "PopupMenu", "Undo", writable && line->isUndoAvailable(), [line] { line->undo(); });
        add("miEditCut", "MainMenu", "Cut", writable && selected, [line] { line->cut(); });
        add("miEditCopy", "MainMenu", "Copy", selected, [line] { line->copy(); });
        add("miEditPaste", "MainMenu", "Paste", writable && canPaste, [line] { line->paste(); });
        add("miEditDelete", "PopupMenu", "Delete", writable && selected, [line] { line->del(); });
        add("miEditSelectAll", "PopupMenu", "SelectAll", !line->text().isEmpty(), [line] { line->selectAll(); });
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) {
        const bool selected = memo->textCursor().hasSelection();
        add("miEditUndo", "PopupMenu", "Undo", memo->document()->isUndoAvailable(), [memo] { memo->undo(); });
        add("miEditCut", "MainMenu", "Cut", selected, [memo] { memo->cut(); });
        add("miEditCopy", "MainMenu", "Copy", selected, [memo] { memo->copy(); });
        add("miEditPaste", "MainMenu", "Paste", canPaste, [memo] { memo->paste(); });
        add("miEditDelete", "PopupMenu", "Delete", selected, [memo] { memo->textCursor().removeSelectedText(); });
        add("miEditSelectAll", "PopupMenu", "SelectAll", !memo->document()->isEmpty(), [memo] { memo->selectAll(); });
    }
    menu->popup(control->mapToGlobal(at));
}

TzkBtnEdit* TzkRecordPanel::edit(int column) const
{
    return column >= 0 && column < static_cast<int>(m_edits.size()) ? m_edits[static_cast<size_t>(column)] : nullptr;
}

QPlainTextEdit* TzkRecordPanel::memo(int column) const
{
    return column == csDescription ? m_description : column == csActors ? m_actors : nullptr;
}

void TzkRecordPanel::setColumns(const TZKList* list)
{
    for (TzkBtnEdit* control : m_edits) {
        if (!control)
            continue;
        const int column = control->column();
        const QString name = list ? list->GetColumnName(column) : QString();
        const QString pattern = list ? list->Column(column).Pattern : QString();
        control->setCaption(name);
        if (column == csNumber)
            control->setButton(QStringLiteral("*"), m_text("ListHints", "AutoFillNumber"));
        else if (pattern == QLatin1String("%Name%"))
            control->setButton(QStringLiteral("..."), m_text("ListHints", "ChooseFile"));
        else if (pattern == QLatin1String("%Size%") || pattern == QLatin1String("%VidLength%"))
            control->setButton(QStringLiteral("+"), m_text("ListHints", "AppendFile"));
        else if (pattern == QLatin1String("%Date%"))
            control->setButton(QStringLiteral("*"), m_text("ListHints", "TodayDate"));
        else
            control->setButton(QString(), QString());
        // A date column shows a whole date of the locale's short form.
        control->setLeastText(pattern == QLatin1String("%Date%") ? m_options().Formats.formatDate(QDate(2000, 12, 28))
                                                                 : QStringLiteral("00000"));
    }
    m_description->setPlaceholderText(list ? list->GetColumnName(csDescription) : QString());
    m_actors->setPlaceholderText(list ? list->GetColumnName(csActors) : QString());
    m_description->setToolTip(m_description->placeholderText());
    m_actors->setToolTip(m_actors->placeholderText());
    m_description->setAccessibleName(m_description->placeholderText());
    m_actors->setAccessibleName(m_actors->placeholderText());
    m_colour->setColourNames(m_text);
    m_colour->setCaption(list && !list->GetColumnName(csColour).isEmpty() ? list->GetColumnName(csColour)
                                                                          : m_text("Records", "Colour"));
    m_images->setTexts({m_text("Records", "AddImage"), m_text("Records", "RemoveImage"), m_text("Records", "PreviousImage"),
                        m_text("Records", "NextImage"), m_text("Records", "FrameImage"), m_text("Records", "NotImage"),
                        m_text("Records", "ImageTooLarge").arg(kMaxImagePixels / 1000000)});
    placeControls();
}

int TzkRecordPanel::labelOffset() const
{
    // The settings place the edit boxes; each control's label sits above its box.
    return fontMetrics().height() - 3;
}

void TzkRecordPanel::storePosition(int index, QPoint topLeft)
{
    m_options().ContrlX[static_cast<size_t>(index)] = topLeft.x();
    m_options().ContrlY[static_cast<size_t>(index)] = topLeft.y() + (index == kImageControl ? 0 : labelOffset());
    placeControls();
}

void TzkRecordPanel::placeControls()
{
    const zkOptions& options = m_options();
    const auto place = [&options](int index) {
        const auto i = static_cast<size_t>(index);
        return QPoint(options.ContrlX[i], options.ContrlY[i]);
    };
    const auto storedWidth = [&options](int index) { return options.ContrlWidth[static_cast<size_t>(index)]; };
    PanelLayoutInput input;
    for (const TzkBtnEdit* control : m_edits)
        if (control)
            input.edits.push_back({control->column(), place(control->column()), storedWidth(control->column()),
                                   control->leastWidth(), control->captionWidth(), control->sizeHint().height()});
    m_colour->box()->setFixedWidth(std::max(storedWidth(csColour), 60));
    m_colour->adjustSize();
    input.colourPlace = place(csColour);
    input.colourSize = m_colour->size();
    input.imagePlace = place(kImageControl);
    input.imageWidth = std::max(storedWidth(kImageControl), m_images->minimumSizeHint().width() + 40);
    input.imageLeastHeight = fontMetrics().height() * 5;
    const auto memoInput = [&](int column, const QPlainTextEdit* memo, int lines) {
        return PanelMemoInput{place(column), storedWidth(column), fontMetrics().lineSpacing() * lines + 2 * memo->frameWidth() + 8};
    };
    input.actors = memoInput(csActors, m_actors, 1);
    input.description = memoInput(csDescription, m_description, 3);
    input.labelOffset = labelOffset();
    input.shownWidth = parentWidget() ? parentWidget()->width() : width();

    const PanelLayout layout = LayOutRecordPanel(input);
    for (const PanelEditPlacement& placed : layout.edits) {
        TzkBtnEdit* control = edit(placed.column);
        control->setEditWidth(placed.boxWidth, placed.room);
        control->move(placed.rect.topLeft());
    }
    m_colour->move(layout.colour.topLeft());
    m_images->setGeometry(layout.images);
    m_actors->setGeometry(layout.actors);
    m_description->setGeometry(layout.description);
    setMinimumSize(layout.minimum);
    orderTabs();
}

void TzkRecordPanel::orderTabs()
{
    // Tab follows the controls as they are read: line by line, left to right.
    std::vector<std::pair<QWidget*, QPoint>> fields;
    for (TzkBtnEdit* control : m_edits)
        if (control)
            fields.emplace_back(control->edit(), control->edit()->mapTo(this, QPoint(0, 0)));
    fields.emplace_back(m_colour->box(), m_colour->box()->mapTo(this, QPoint(0, 0)));
    for (QPlainTextEdit* memo : {m_actors, m_description})
        fields.emplace_back(memo, memo->pos());
    std::stable_sort(fields.begin(), fields.end(), [](const auto& a, const auto& b) {
        return std::abs(a.second.y() - b.second.y()) > 2 ? a.second.y() < b.second.y() : a.second.x() < b.second.x();
    });
    for (size_t i = 1; i < fields.size(); ++i)
        setTabOrder(fields[i - 1].first, fields[i].first);
}

void TzkRecordPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeControls();
}

void TzkRecordPanel::showRecord(const TzkRow* row, const QList<QByteArray>& images)
{
    m_filling = true;
    for (TzkBtnEdit* control : m_edits) {
        if (control) {
            control->edit()->setText(row ? row->Fields[static_cast<size_t>(control->column())] : QString());
            control->edit()->setCursorPosition(0);
        }
    }
    for (QPlainTextEdit* memo : {m_description, m_actors}) {
        const int column = memo == m_description ? csDescription : csActors;
        memo->setPlainText(row ? QString(row->Fields[static_cast<size_t>(column)]).replace(QLatin1String("\r\n"), QLatin1String("\n"))
                               : QString());
        memo->moveCursor(QTextCursor::Start);
        memo->ensureCursorVisible();
    }
    // A colour cell that is no colour shows white, as the grid paints it.
    const std::uint32_t rgb = row ? ColourOfCell(row->Fields[csColour]) : 0xFFFFFF;
    m_colour->setColour(QColor::fromRgb(rgb));
    m_images->setImages(row ? images : QList<QByteArray>());
    m_filling = false;
    setEnabled(row != nullptr);
}

void TzkRecordPanel::showCell(int column, const QString& text)
{
    m_filling = true;
    if (TzkBtnEdit* control = edit(column))
        control->edit()->setText(text);
    else if (QPlainTextEdit* box = memo(column))
        box->setPlainText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    m_filling = false;
}

void TzkRecordPanel::focusColumn(int column)
{
    if (TzkBtnEdit* control = edit(column))
        control->edit()->setFocus();
    else if (QPlainTextEdit* box = memo(column))
        box->setFocus();
}

bool TzkRecordPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::ControlModifier && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            emit stepRecord(key->key() == Qt::Key_Up ? -1 : 1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace reelkeep
