#include "QuickSearchBar.h"

#include "GridModel.h"
#include "ShellState.h"
#include "TZKList.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeView>
#include <unordered_set>

namespace reelkeep {

QuickSearchBar::QuickSearchBar(QComboBox* columns, QComboBox* box, QTreeView* grid, GridModel& model, const ShellState& shell)
    : QObject(box), m_columns(columns), m_box(box), m_grid(grid), m_model(model), m_shell(shell)
{
    connect(m_columns, &QComboBox::activated, this, [this](int index) { m_column = index; });
    const auto forget = [this] { m_cells.reset(); };
    connect(&m_model, &QAbstractItemModel::modelReset, this, forget);
    connect(&m_model, &QAbstractItemModel::layoutChanged, this, forget);
    connect(&m_model, &QAbstractItemModel::rowsInserted, this, forget);
    connect(&m_model, &QAbstractItemModel::rowsRemoved, this, forget);
    connect(&m_model, &QAbstractItemModel::dataChanged, this, forget);
    connect(m_box->lineEdit(), &QLineEdit::textEdited, this, &QuickSearchBar::textEdited);
    // Keys come to the box, which holds the focus, and reach its edit only through it.
    m_box->installEventFilter(this);
    m_box->lineEdit()->installEventFilter(this);
}

bool QuickSearchBar::eventFilter(QObject* watched, QEvent* event)
{
    // Enter finds the next record and Escape does nothing; neither goes on to the box,
    // which would hand Enter back to its edit a second time.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            search(true);
            return true;
        }
        if (key == Qt::Key_Escape)
            return true;
    }
    return QObject::eventFilter(watched, event);
}

void QuickSearchBar::refillColumns(const TZKList* list)
{
    m_columns->clear();
    for (int c = 0; c < kStoredColumnCount; ++c) {
        const QString name = list ? list->GetColumnName(c) : QString();
        m_columns->addItem(name.isEmpty() ? m_shell.text("Other", "Column") + QString::number(c) : name);
    }
    m_columns->setCurrentIndex(m_column);
}

void QuickSearchBar::textEdited(const QString& text)
{
    const TSimpleSyntaxAnalizer& normaliser = m_shell.quickSearchAnalizer();
    const QString last = normaliser.Analize(m_lastText);
    const QString now = normaliser.Analize(text);
    const bool extended = now.contains(last) && !last.isEmpty();
    m_lastText = text;
    if (now == last)
        return;
    if (text.isEmpty()) {
        m_grid->clearSelection();
        emit selectionMoved();
        return;
    }
    // A longer text goes on from the current hit; any other starts from the top.
    if (!extended && m_grid->selectionModel())
        m_grid->clearSelection();
    search(false);
}

void QuickSearchBar::search(bool next)
{
    if (!m_cells || m_cells->column() != m_column)
        m_cells.emplace(m_model.shownRows(), m_column);
    const SearchColumn& cells = *m_cells;
    int start = 0;
    const std::vector<TzkRow*> selected = m_model.selectedRows(*m_grid->selectionModel());
    if (!selected.empty()) {
        // The first selected record in display order.
        const std::unordered_set<const TzkRow*> chosen(selected.begin(), selected.end());
        while (start < cells.size() && !chosen.contains(cells.row(start)))
            ++start;
        start += next ? 1 : 0;
    } else if (next) {
        start = cells.size();
    }
    const int found = QuickSearch(m_shell.quickSearchAnalizer(), m_box->currentText()).next(cells, start, next);
    m_grid->setUpdatesEnabled(false);
    m_grid->clearSelection();
    if (found >= 0) {
        const QModelIndex index = m_model.indexOf(cells.row(found));
        for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
            m_grid->expand(up);
        m_grid->setCurrentIndex(index);
        m_grid->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        m_grid->scrollTo(index);
    }
    m_grid->setUpdatesEnabled(true);
    emit selectionMoved();
}

} // namespace reelkeep
