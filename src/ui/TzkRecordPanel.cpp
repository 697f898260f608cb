#include "TzkRecordPanel.h"

#include "RecordEditing.h"
#include "TZKList.h"
#include "TzkBtnEdit.h"
#include "TzkLabeledColorBox.h"
#include "zkOptions.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QToolButton>
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
      m_colour(new TzkLabeledColorBox(this))
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
        connect(line, &QLineEdit::customContextMenuRequested, this, [this, line, column](const QPoint& at) {
            QMenu* menu = line->createStandardContextMenu();
            addClearField(line, column, menu);
            menu->setAttribute(Qt::WA_DeleteOnClose);
            menu->popup(line->mapToGlobal(at));
        });
        // textEdited: typing, paste, cut, undo and drops; never a fill from a record.
        connect(line, &QLineEdit::textEdited, this, [this, column](const QString& value) { emit cellEdited(column, value); });
        connect(control, &TzkBtnEdit::buttonClicked, this, &TzkRecordPanel::fieldButton);
        connect(control, &TzkBtnEdit::moved, this, [this](int moved, QPoint at) {
            m_options().ContrlX[static_cast<size_t>(moved)] = at.x();
            m_options().ContrlY[static_cast<size_t>(moved)] = at.y();
        });
    }
    m_colour->box()->installEventFilter(this);
    connect(m_colour, &TzkLabeledColorBox::colourPicked, this, [this](const QColor& colour) {
        emit colourPicked(ColourCell(static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
                                     static_cast<std::uint8_t>(colour.blue())));
    });
    connect(m_colour, &TzkLabeledColorBox::moved, this, [this](QPoint at) {
        m_options().ContrlX[csColour] = at.x();
        m_options().ContrlY[csColour] = at.y();
    });
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
    connect(memo, &QWidget::customContextMenuRequested, this, [this, memo, column](const QPoint& at) {
        QMenu* menu = memo->createStandardContextMenu();
        addClearField(memo, column, menu);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(memo->mapToGlobal(at));
    });
    // Only a person's change stores: filling from a record is guarded.
    connect(memo, &QPlainTextEdit::textChanged, this, [this, memo, column] {
        if (!m_filling)
            emit cellEdited(column, memo->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n")));
    });
    return memo;
}

void TzkRecordPanel::addClearField(QWidget* control, int column, QMenu* menu)
{
    menu->addSeparator();
    QAction* clear = menu->addAction(m_text("PopupMenu", "ClearSelectedFields"));
    clear->setObjectName(QStringLiteral("clearFields"));
    connect(clear, &QAction::triggered, control, [this, column] { emit clearField(column); });
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
    }
    m_description->setPlaceholderText(list ? list->GetColumnName(csDescription) : QString());
    m_actors->setPlaceholderText(list ? list->GetColumnName(csActors) : QString());
    m_description->setToolTip(m_description->placeholderText());
    m_actors->setToolTip(m_actors->placeholderText());
    m_colour->setCaption(list && !list->GetColumnName(csColour).isEmpty() ? list->GetColumnName(csColour)
                                                                          : m_text("Records", "Colour"));
    placeControls();
}

void TzkRecordPanel::placeControls()
{
    const auto at = [this](int index) {
        const auto i = static_cast<size_t>(index);
        return std::tuple{m_options().ContrlX[i], m_options().ContrlY[i], m_options().ContrlWidth[i]};
    };
    // The settings place the edit boxes; each control's label sits above its box.
    const int labelHeight = fontMetrics().height() + 1;
    int bottom = 0;
    for (TzkBtnEdit* control : m_edits) {
        if (!control)
            continue;
        const auto [x, y, width] = at(control->column());
        // The label's room ends at the next control to the right on the same line.
        int room = std::numeric_limits<int>::max() / 2;
        for (int other = 0; other <= csColour; ++other) {
            const auto [ox, oy, ow] = at(other);
            if (other != control->column() && !isMemoColumn(other) && std::abs(oy - y) <= 2 && ox > x)
                room = std::min(room, ox - x - 4);
        }
        control->setEditWidth(width, room);
        control->move(x, std::max(0, y - labelHeight + 4));
        bottom = std::max(bottom, control->geometry().bottom());
    }
    const auto [cx, cy, cwidth] = at(csColour);
    m_colour->box()->setFixedWidth(std::max(cwidth, 60));
    m_colour->adjustSize();
    m_colour->move(cx, std::max(0, cy - labelHeight + 4));
    bottom = std::max(bottom, m_colour->geometry().bottom());
    int right = 0;
    for (const QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child != m_description && child != m_actors)
            right = std::max(right, child->geometry().right());

    // Memos whose stored positions are zero go below the edits, stretched to the right edge.
    const int panelWidth = std::max(width(), right + 5);
    const int lineHeight = fontMetrics().lineSpacing();
    int top = bottom + 6;
    for (QPlainTextEdit* memo : {m_actors, m_description}) {
        const int column = memo == m_actors ? csActors : csDescription;
        const auto [x, y, w] = at(column);
        const int lines = memo == m_actors ? 1 : 3;
        const int height = lineHeight * lines + 2 * memo->frameWidth() + 8;
        if (x == 0 && y == 0) {
            memo->setGeometry(5, top, panelWidth - 10, height);
            top += height + 4;
        } else {
            memo->setGeometry(x, y, std::max(w, panelWidth - x - 5), height);
        }
    }
    int needed = 0;
    for (const QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        needed = std::max(needed, child->geometry().bottom());
    setMinimumSize(right + 5, needed + 5);
}

void TzkRecordPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeControls();
}

void TzkRecordPanel::showRecord(const TzkRow* row)
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
