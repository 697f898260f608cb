#include "FilterForms.h"

#include "ListCaption.h"
#include "ListController.h"
#include "ShellState.h"
#include "TfmFilter.h"

#include <QWidget>
#include <algorithm>

namespace reelkeep {

FilterForms::FilterForms(QWidget* owner, ListController& controller, ShellState& shell, TextRegistry& texts)
    : QObject(owner), m_owner(owner), m_controller(controller), m_shell(shell), m_texts(texts)
{
}

TfmFilter* FilterForms::form(int column) const
{
    return m_forms[static_cast<size_t>(column)];
}

void FilterForms::ShowFilter(int column)
{
    if (column < 1 || column >= kStoredColumnCount || !m_controller.currentList())
        return;
    if (TfmFilter* form = m_forms[static_cast<size_t>(column)]) {
        form->setVisible(!form->isVisible());
        if (form->isVisible())
            form->takeFocus();
        return;
    }
    TfmFilter* form = create(column);
    // Beside the right edge of the list window, over the grid; later windows step down and left.
    int open = 0;
    for (const auto& other : m_forms)
        open += other && other != form ? 1 : 0;
    const QPoint corner(m_owner->width() - form->width() - 24 - 20 * open, 60 + 20 * open);
    form->move(m_owner->mapToGlobal(QPoint(std::max(0, corner.x()), corner.y())));
    form->show();
    form->takeFocus();
}

TfmFilter* FilterForms::create(int column)
{
    const TZKList& list = *m_controller.currentList();
    const TzkColumn& options = list.Column(column);
    m_controller.setStatus(m_shell.text("SBMessage", "CreateFilterItems"));
    auto* form = new TfmFilter(column, std::nullopt, options.NamesWithDot || options.SecondNames, m_shell.filterAnalizer(),
                               m_texts, m_owner);
    connect(form, &TfmFilter::valuesShown, this, [this] { m_controller.setStatus(m_shell.text("SBMessage", "Ready")); });
    form->fillValues(list);
    form->setWindowTitle(OwnedWindowTitle(options.Name, *m_owner, m_shell));
    form->SetFilterValue(list.GetColumnFilter(column));
    m_forms[static_cast<size_t>(column)] = form;
    connect(form, &TfmFilter::maskChosen, &m_controller, &ListController::setColumnFilter);
    connect(form, &TfmFilter::closedByUser, this, &FilterForms::userClosed);
    return form;
}

void FilterForms::userClosed(int column, bool hadText)
{
    m_forms[static_cast<size_t>(column)] = nullptr;
    if (hadText)
        m_controller.setColumnFilter(column, QString());
}

void FilterForms::sheetChanged()
{
    for (int column = 0; column < kStoredColumnCount; ++column) {
        TfmFilter* old = m_forms[static_cast<size_t>(column)];
        if (!old)
            continue;
        const bool visible = old->isVisible();
        const QPoint place = old->pos();
        m_forms[static_cast<size_t>(column)] = nullptr;
        old->closeQuietly();
        if (!m_controller.currentList())
            continue;
        TfmFilter* form = create(column);
        form->move(place);
        form->setVisible(visible);
    }
}

} // namespace reelkeep
