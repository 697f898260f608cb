#include "TfmFilter.h"

#include "FilterValues.h"
#include "LongWorkPool.h"
#include "TextRegistry.h"
#include "TSyntaxAnalizer.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFutureWatcher>
#include <QGridLayout>
#include <QLineEdit>
#include <QListView>
#include <QStringListModel>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QtConcurrent/QtConcurrentRun>
#include <utility>

namespace reelkeep {
namespace {
constexpr int kWidth = 185;
constexpr int kExpandedHeight = 401;
} // namespace

TfmFilter::TfmFilter(int column, const std::optional<QStringList>& values, bool partsOfCells,
                     const TSimpleSyntaxAnalizer& normaliser, TextRegistry& texts, QWidget* owner, Mode mode)
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint),
      m_column(column),
      m_kind(mode),
      m_partsOfCells(partsOfCells),
      m_normaliser(normaliser),
      m_edit(new QLineEdit),
      m_mode(new QCheckBox),
      m_upDown(new QToolButton),
      m_add(new QToolButton),
      m_values(new QListView),
      m_valueModel(new QStringListModel(this)),
      m_hasValues(values.has_value())
{
    setObjectName(QStringLiteral("fmFilter"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The window stays on top of the program's windows, so it steps aside while a modal one is open.
    qApp->installEventFilter(this);
    m_edit->setObjectName(QStringLiteral("edSearch"));
    m_mode->setObjectName(QStringLiteral("cbSearch"));
    m_mode->setChecked(true);
    m_upDown->setObjectName(QStringLiteral("btnUpDown"));
    m_upDown->setIcon(style()->standardIcon(QStyle::SP_TitleBarShadeButton));
    m_upDown->setAutoRaise(true);
    m_add->setObjectName(QStringLiteral("btnAdd"));
    m_add->setText(QStringLiteral("+"));
    m_values->setObjectName(QStringLiteral("lbItems"));
    m_values->setUniformItemSizes(true);
    m_values->setEditTriggers(QAbstractItemView::NoEditTriggers);
    if (values)
        m_valueModel->setStringList(*values);
    m_values->setModel(m_valueModel);
    texts.bind(m_mode, "Filter", "ModeHint", TextRegistry::Role::ToolTip);
    texts.bind(m_upDown, "Filter", "ExpandHint", TextRegistry::Role::ToolTip);
    texts.bind(m_add, "Filter", "AddHint", TextRegistry::Role::ToolTip);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(m_edit, 0, 0);
    layout->addWidget(m_mode, 0, 1);
    layout->addWidget(m_upDown, 0, 2);
    layout->addWidget(m_add, 0, 3);
    layout->addWidget(m_values, 1, 0, 1, 4);
    resize(kWidth, kExpandedHeight);

    if (m_kind == Mode::Pick) {
        // A picker over the record panel: it sets no filter, so the mode and size buttons go.
        m_mode->hide();
        m_upDown->hide();
        connect(m_values, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
            if (index.isValid())
                emit valuePicked(m_column, index.data().toString());
        });
        connect(m_add, &QToolButton::clicked, this, &TfmFilter::addTypedValue);
        connect(m_edit, &QLineEdit::returnPressed, this, &TfmFilter::addTypedValue);
        return;
    }
    m_add->hide();
    connect(m_values, &QListView::clicked, this, &TfmFilter::valueClicked);
    connect(m_edit, &QLineEdit::textEdited, this, &TfmFilter::textEdited);
    connect(m_edit, &QLineEdit::returnPressed, this, &TfmFilter::returnPressed);
    connect(m_upDown, &QToolButton::clicked, this, &TfmFilter::toggleExpanded);
}

bool TfmFilter::filtering() const
{
    return m_mode->isChecked();
}

void TfmFilter::SetFilterValue(const QString& text)
{
    m_edit->setText(text);
    m_lastText = text;
}

QStringList TfmFilter::valueTexts() const
{
    return m_valueModel->stringList();
}

QString TfmFilter::currentValue() const
{
    return m_values->currentIndex().data().toString();
}

void TfmFilter::setValues(const QStringList& values)
{
    m_valueModel->setStringList(values);
    m_normalisedValues.clear();
    m_hasValues = true;
    emit valuesShown();
    // What was typed meanwhile is looked for now.
    if (!filtering() && !m_edit->text().isEmpty())
        selectValue(0);
}

void TfmFilter::fillValues(const TZKList& list)
{
    auto* values = new QFutureWatcher<QStringList>(this);
    connect(values, &QFutureWatcherBase::finished, this, [this, values] {
        QStringList all = values->result();
        for (const QString& added : valueTexts())
            if (!all.contains(added, Qt::CaseInsensitive))
                all.append(added);
        setValues(all);
        values->deleteLater();
    });
    values->setFuture(QtConcurrent::run(&LongWorkPool(), [cells = FilterCellsOf(list, m_column)] { return FilterValueList(cells); }));
}

void TfmFilter::takeFocus()
{
    activateWindow();
    raise();
    m_edit->setFocus();
}

void TfmFilter::valueClicked(const QModelIndex& index)
{
    if (!index.isValid() || !filtering())
        return;
    const QString value = index.data().toString();
    const QString text = m_partsOfCells ? QLatin1Char('*') + value + QLatin1Char('*') : value;
    SetFilterValue(text);
    emit maskChosen(m_column, text);
}

void TfmFilter::textEdited(const QString& text)
{
    const bool changed = text != m_lastText;
    m_lastText = text;
    if (filtering()) {
        // The grid follows the typing; keys that come faster than a big list is filtered
        // make one filtering, with the latest text. The typing goes on here.
        if (changed) {
            if (!std::exchange(m_maskDue, true))
                QTimer::singleShot(0, this, &TfmFilter::chooseTypedMask);
            takeFocus();
        }
        return;
    }
    selectValue(0);
}

void TfmFilter::chooseTypedMask()
{
    if (std::exchange(m_maskDue, false))
        emit maskChosen(m_column, m_edit->text());
}

void TfmFilter::returnPressed()
{
    if (filtering())
        return;
    const QModelIndexList selected = m_values->selectionModel()->selectedIndexes();
    selectValue(selected.isEmpty() ? m_valueModel->rowCount() : selected.front().row() + 1);
}

void TfmFilter::selectValue(int start)
{
    m_values->clearSelection();
    const QString text = m_normaliser.Analize(m_edit->text());
    if (text.isEmpty())
        return;
    if (m_normalisedValues.size() != m_valueModel->rowCount()) {
        m_normalisedValues.clear();
        for (const QString& value : m_valueModel->stringList())
            m_normalisedValues << m_normaliser.Analize(value);
    }
    // From the start on, then once more from the top.
    for (const auto& [from, to] : {std::pair{start, int(m_normalisedValues.size())}, std::pair{0, start}}) {
        for (int i = from; i < to; ++i) {
            if (m_normalisedValues[i].contains(text)) {
                const QModelIndex found = m_valueModel->index(i);
                m_values->setCurrentIndex(found);
                m_values->scrollTo(found);
                return;
            }
        }
    }
}

void TfmFilter::toggleExpanded()
{
    // A collapsed window always filters.
    m_mode->setChecked(true);
    m_mode->setEnabled(!m_expanded);
    m_values->setVisible(!m_expanded);
    m_expanded = !m_expanded;
    layout()->activate();
    resize(width(), m_expanded ? kExpandedHeight : minimumSizeHint().height());
}

void TfmFilter::addTypedValue()
{
    const QString value = m_edit->text().trimmed();
    if (value.isEmpty())
        return;
    for (const QString& known : m_valueModel->stringList())
        if (known.compare(value, Qt::CaseInsensitive) == 0)
            return;
    const int row = m_valueModel->rowCount();
    m_valueModel->insertRows(row, 1);
    m_valueModel->setData(m_valueModel->index(row), value);
    m_values->setCurrentIndex(m_valueModel->index(row));
    m_values->scrollToBottom();
    m_edit->clear();
}

void TfmFilter::closeQuietly()
{
    m_quiet = true;
    close();
}

bool TfmFilter::eventFilter(QObject* watched, QEvent* event)
{
    if ((event->type() == QEvent::Show || event->type() == QEvent::Hide) && watched->isWidgetType()) {
        const auto* widget = static_cast<const QWidget*>(watched);
        if (widget != this && widget->isWindow() && widget->windowModality() != Qt::NonModal)
            QTimer::singleShot(0, this, &TfmFilter::followModalWindows);
    }
    return QWidget::eventFilter(watched, event);
}

void TfmFilter::followModalWindows()
{
    const bool modalOpen = QApplication::activeModalWidget() != nullptr;
    if (modalOpen && isVisible()) {
        m_hiddenForModal = true;
        hide();
    } else if (!modalOpen && m_hiddenForModal) {
        m_hiddenForModal = false;
        show();
    }
}

void TfmFilter::closeEvent(QCloseEvent* event)
{
    // Typing not yet applied goes with the window: its filter is dropped or replaced now.
    m_maskDue = false;
    if (!m_quiet && m_kind == Mode::Filter)
        emit closedByUser(m_column, !m_edit->text().isEmpty());
    QWidget::closeEvent(event);
}

} // namespace reelkeep
