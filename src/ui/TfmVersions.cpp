#include "TfmVersions.h"

#include "CatalogueForms.h"
#include "KeptVersions.h"
#include "LongWorkPool.h"
#include "ReelkeepError.h"
#include "ShellState.h"
#include "TzkReelkeep.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace reelkeep {
namespace {

enum Column { ColumnWhen, ColumnSize, ColumnRecords };

// The records of each version; "?" for one that cannot be read.
QStringList countRecords(const std::vector<KeptVersion>& versions, const ColumnDefinitions& columns, const LocaleFormats& formats)
{
    QStringList counts;
    for (const KeptVersion& version : versions) {
        TzkReelkeep document(columns, formats);
        const std::optional<CatalogueForm> form = ReadableFormOf(version.file);
        try {
            counts << (form && ReadCatalogue(document, version.file, *form) ? RecordCountsText(document.Lists())
                                                                           : QStringLiteral("?"));
        } catch (const ReelkeepError&) {
            counts << QStringLiteral("?");
        }
    }
    return counts;
}

} // namespace

QString WhenText(const LocaleFormats& formats, const QDateTime& when)
{
    return formats.formatDate(when.date()) + QLatin1Char(' ') + when.time().toString(QStringLiteral("HH:mm:ss"));
}

TfmVersions::TfmVersions(const QString& catalogue, ShellState& shell, QWidget* parent,
                         std::function<void(const QString&, const QString&)> open)
    : QDialog(parent), m_catalogue(catalogue), m_open(std::move(open)), m_table(new QTreeWidget)
{
    setObjectName(QStringLiteral("fmVersions"));
    const auto text = [&shell](const char* key) { return shell.text("Safety", key); };
    setWindowTitle(text("VersionsCaption").arg(QFileInfo(catalogue).fileName()));
    const std::vector<KeptVersion> versions = KeptVersions().List(catalogue);
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(versions.empty() ? text("VersionsNone").arg(QFileInfo(catalogue).fileName())
                                              : QDir::toNativeSeparators(catalogue));
    label->setWordWrap(true);
    layout->addWidget(label);
    m_table->setObjectName(QStringLiteral("lvVersions"));
    m_table->setRootIsDecorated(false);
    m_table->setHeaderLabels({text("VersionsSaved"), text("VersionsSize"), text("VersionsRecords")});
    m_table->setAccessibleName(text("VersionsCaption").arg(QFileInfo(catalogue).fileName()));
    for (const KeptVersion& version : versions) {
        auto* item = new QTreeWidgetItem(m_table);
        item->setText(ColumnWhen, WhenText(shell.options().Formats, version.modified));
        item->setText(ColumnSize, QLocale::c().formattedDataSize(version.size, 1, QLocale::DataSizeTraditionalFormat));
        item->setTextAlignment(ColumnSize, Qt::AlignRight | Qt::AlignVCenter);
        item->setData(ColumnWhen, Qt::UserRole, version.file);
    }
    m_table->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    if (m_table->topLevelItemCount() > 0)
        m_table->setCurrentItem(m_table->topLevelItem(0));
    layout->addWidget(m_table, 1);
    auto* buttons = new QDialogButtonBox;
    QPushButton* openButton = buttons->addButton(text("VersionsOpen"), QDialogButtonBox::AcceptRole);
    openButton->setObjectName(QStringLiteral("btnOpenVersion"));
    openButton->setEnabled(!versions.empty());
    buttons->addButton(shell.text("Other", "Cancel"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &TfmVersions::openChosen);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_table, &QTreeWidget::itemActivated, this, &TfmVersions::openChosen);
    connect(&m_counts, &QFutureWatcherBase::finished, this, [this] {
        const QStringList counts = m_counts.result();
        for (int i = 0; i < counts.size() && i < m_table->topLevelItemCount(); ++i)
            m_table->topLevelItem(i)->setText(ColumnRecords, counts[i]);
    });
    m_counts.setFuture(QtConcurrent::run(&LongWorkPool(), countRecords, versions, shell.options().ColumnTemplate(), shell.options().Formats));
    resize(520, 320);
}

void TfmVersions::openChosen()
{
    const QTreeWidgetItem* item = m_table->currentItem();
    if (!item)
        return;
    m_open(item->data(ColumnWhen, Qt::UserRole).toString(), m_catalogue);
    accept();
}

TfmVersions* ShowVersions(const QString& catalogue, ShellState& shell, QWidget* parent,
                          std::function<void(const QString&, const QString&)> open)
{
    auto* window = new TfmVersions(catalogue, shell, parent, std::move(open));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->open();
    return window;
}

} // namespace reelkeep
