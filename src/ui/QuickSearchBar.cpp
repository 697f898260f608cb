#include "QuickSearchBar.h"

#include "GridModel.h"
#include "QuickSearch.h"
#include "ShellState.h"
#include "TZKList.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeView>
#include <algorithm>
#include <unordered_set>

namespace reelkeep {

QuickSearchBar::QuickSearchBar(QComboBox* columns, QComboBox* box, QTreeView* grid, GridModel& model, const ShellState& shell)
    : QObject(box), m_columns(columns), m_box(box), m_grid(grid), m_model(model), m_shell(shell)
{
    connect(m_columns, &QComboBox::activated, this, [this](int index) { m_column = index; });
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
    const std::vector<TzkRow*> order = m_model.shownRows();
    int start = 0;
    const QModelIndexList selected = m_grid->selectionModel()->selectedRows();
    if (!selected.isEmpty()) {
        // The first selected record in display order.
        std::unordered_set<const TzkRow*> chosen;
        for (const QModelIndex& index : selected)
            chosen.insert(m_model.rowAt(index));
        const auto first = std::find_if(order.begin(), order.end(), [&chosen](const TzkRow* row) { return chosen.contains(row); });
        start = static_cast<int>(first - order.begin()) + (next ? 1 : 0);
    } else if (next) {
        start = static_cast<int>(order.size());
    }
    const int found = QuickSearch(m_shell.quickSearchAnalizer(), m_box->currentText(), m_column).next(order, start, next);
    m_grid->setUpdatesEnabled(false);
    m_grid->clearSelection();
    if (found >= 0) {
        const QModelIndex index = m_model.indexOf(order[static_cast<size_t>(found)]);
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
