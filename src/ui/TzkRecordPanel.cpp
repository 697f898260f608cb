#include "TzkRecordPanel.h"

#include "LoadLimits.h"
#include "RecordEditing.h"
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
#include <limits>

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
    const auto at = [this](int index) {
        const auto i = static_cast<size_t>(index);
        return std::tuple{m_options().ContrlX[i], m_options().ContrlY[i], m_options().ContrlWidth[i]};
    };
    // The edits of one line, left to right: an edit widened to its least width pushes
    // the next one right, which gives up as much of its own width as it can spare.
    std::vector<TzkBtnEdit*> edits;
    for (TzkBtnEdit* control : m_edits)
        if (control)
            edits.push_back(control);
    std::stable_sort(edits.begin(), edits.end(), [&at](const TzkBtnEdit* a, const TzkBtnEdit* b) {
        const auto [ax, ay, aw] = at(a->column());
        const auto [bx, by, bw] = at(b->column());
        return std::abs(ay - by) > 2 ? ay < by : ax < bx;
    });
    std::array<int, kControlCount> leftOf{};
    std::array<int, kControlCount> widthOf{};
    for (size_t i = 0; i < edits.size(); ++i) {
        const auto column = static_cast<size_t>(edits[i]->column());
        const auto [x, y, w] = at(edits[i]->column());
        leftOf[column] = x;
        widthOf[column] = w;
        if (i > 0) {
            const auto previous = static_cast<size_t>(edits[i - 1]->column());
            const auto [px, py, pw] = at(edits[i - 1]->column());
            const int pushed = leftOf[previous] + std::max(widthOf[previous], edits[i - 1]->leastWidth()) + 4 - x;
            if (std::abs(py - y) <= 2 && pushed > 0) {
                leftOf[column] += pushed;
                widthOf[column] = std::max(w - pushed, edits[i]->leastWidth());
            }
        }
    }
    // The colour box gives way to a widened edit on its line as the edits do to each other.
    const auto [cx, cy, cwidth] = at(csColour);
    const auto onColourLine = [&at, cy](const TzkBtnEdit* control) { return std::abs(std::get<1>(at(control->column())) - cy) <= 2; };
    int colourLeft = cx;
    for (const TzkBtnEdit* control : edits) {
        const auto column = static_cast<size_t>(control->column());
        if (onColourLine(control) && leftOf[column] < cx)
            colourLeft = std::max(colourLeft, leftOf[column] + std::max(widthOf[column], control->leastWidth()) + 4);
    }
    const int offset = labelOffset();
    int bottom = 0;
    for (size_t i = 0; i < edits.size(); ++i) {
        TzkBtnEdit* control = edits[i];
        const auto column = static_cast<size_t>(control->column());
        // The label's room ends at the next control on the same line, edit or colour box.
        int room = std::numeric_limits<int>::max() / 2;
        const bool lineGoesOn = i + 1 < edits.size()
            && std::abs(std::get<1>(at(edits[i + 1]->column())) - std::get<1>(at(control->column()))) <= 2;
        if (lineGoesOn)
            room = leftOf[static_cast<size_t>(edits[i + 1]->column())] - leftOf[column] - 4;
        if (onColourLine(control) && colourLeft > leftOf[column])
            room = std::min(room, colourLeft - leftOf[column] - 4);
        control->setEditWidth(widthOf[column], room);
        control->move(leftOf[column], std::max(0, std::get<1>(at(control->column())) - offset));
        bottom = std::max(bottom, control->geometry().bottom());
    }
    m_colour->box()->setFixedWidth(std::max(cwidth, 60));
    m_colour->adjustSize();
    m_colour->move(colourLeft, std::max(0, cy - offset));
    bottom = std::max(bottom, m_colour->geometry().bottom());
    int right = 0;
    for (const QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child != m_description && child != m_actors && child != m_images)
            right = std::max(right, child->geometry().right());

    // The image area stands right of the edits unless it was placed; it reaches down to
    // the edits' bottom line and is at least wide enough for its buttons. In a window too
    // narrow for it there, it stands right of the memos below, so it is never scrolled away.
    const auto [ix, iy, iw] = at(kImageControl);
    const int imageWidth = std::max(iw, m_images->minimumSizeHint().width() + 40);
    const int imageTop = ix > 0 || iy > 0 ? iy : 3;
    QRect area(ix > 0 || iy > 0 ? ix : right + 8, imageTop, imageWidth, std::max(bottom - imageTop, fontMetrics().height() * 5));
    // Widened edits may have reached its stored place: then it stands right of them.
    for (const QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child != m_images && child != m_description && child != m_actors && child->geometry().intersects(area))
            area.moveLeft(right + 8);
    const auto memoBelow = [&at](int column) { return std::get<0>(at(column)) == 0 && std::get<1>(at(column)) == 0; };
    const int shownWidth = parentWidget() ? parentWidget()->width() : width();
    const bool besideMemos =
        memoBelow(csActors) && memoBelow(csDescription) && area.left() >= right && area.right() + 5 > shownWidth;
    if (!besideMemos) {
        m_images->setGeometry(area);
        bottom = std::max(bottom, area.bottom());
        right = std::max(right, area.right());
    }

    // Memos whose stored positions are zero go below the edits, stretched to the right edge.
    const int panelWidth = std::max(width(), right + 5);
    const int memoRight = besideMemos ? panelWidth - imageWidth - 11 : panelWidth - 5;
    const int lineHeight = fontMetrics().lineSpacing();
    const int memosTop = bottom + 6;
    int top = memosTop;
    for (QPlainTextEdit* memo : {m_actors, m_description}) {
        const int column = memo == m_actors ? csActors : csDescription;
        const auto [x, y, w] = at(column);
        const int lines = memo == m_actors ? 1 : 3;
        const int height = lineHeight * lines + 2 * memo->frameWidth() + 8;
        if (x == 0 && y == 0) {
            memo->setGeometry(5, top, memoRight - 5, height);
            top += height + 4;
        } else {
            memo->setGeometry(x, y, std::max(w, panelWidth - x - 5), height);
        }
    }
    if (besideMemos)
        m_images->setGeometry(memoRight + 6, memosTop, imageWidth, std::max(top - 4 - memosTop, fontMetrics().height() * 5));
    int needed = 0;
    for (const QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        needed = std::max(needed, child->geometry().bottom());
    setMinimumSize(right + 5, needed + 5);
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
