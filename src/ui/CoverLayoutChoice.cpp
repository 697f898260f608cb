#include "CoverLayoutChoice.h"

#include "ReelkeepError.h"
#include "ShellState.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>

namespace reelkeep {
namespace {

QPageLayout::Orientation otherWay(QPageLayout::Orientation orientation)
{
    return orientation == QPageLayout::Portrait ? QPageLayout::Landscape : QPageLayout::Portrait;
}

bool fits(const QByteArray& layout, const QPrinter& printer, QPageLayout::Orientation orientation)
{
    QPageLayout page = printer.pageLayout();
    page.setOrientation(orientation);
    return CoverFitsPage(layout, PageMeasurements(page, printer.resolution()));
}

} // namespace

CoverLayoutChoice::CoverLayoutChoice(const ShellState& shell, CoverPrintSettings& settings)
    : m_shell(shell), m_settings(settings)
{
    choose(settings.CoverFile);
}

QComboBox* CoverLayoutChoice::makeSelector(const std::function<void()>& changed)
{
    auto* selector = new QComboBox;
    selector->setObjectName(QStringLiteral("cbCoverLayout"));
    selector->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    const QDir folder(m_shell.folder());
    for (const QString& name : folder.entryList({QStringLiteral("*.cvr")}, QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase))
        selector->addItem(name, folder.filePath(name));
    if (!m_settings.CoverFile.isEmpty() && selector->findData(m_settings.CoverFile) < 0)
        selector->insertItem(0, QFileInfo(m_settings.CoverFile).fileName(), m_settings.CoverFile);
    selector->addItem(m_shell.text("Printing", "OutlineOnly"), QString());
    selector->setCurrentIndex(selector->findData(m_settings.CoverFile));
    QObject::connect(selector, &QComboBox::activated, selector, [this, selector, changed](int index) {
        choose(selector->itemData(index).toString());
        changed();
    });
    return selector;
}

void CoverLayoutChoice::choose(const QString& file)
{
    m_settings.CoverFile = file;
    m_error.clear();
    try {
        m_layout = ReadCoverLayout(file);
    } catch (const ReelkeepError& error) {
        m_layout.clear();
        m_error = m_shell.render(error.text());
    }
}

void CoverLayoutChoice::turnPageToFit(QPrinter& printer) const
{
    const QPageLayout::Orientation now = printer.pageLayout().orientation();
    if (usable() && !fits(m_layout, printer, now) && fits(m_layout, printer, otherWay(now)))
        printer.setPageOrientation(otherWay(now));
}

QString CoverLayoutChoice::notice(const QPrinter& printer) const
{
    if (!usable())
        return m_shell.text("Printing", "LayoutUnusable").arg(QFileInfo(m_settings.CoverFile).fileName(), m_error);
    const QPageLayout::Orientation now = printer.pageLayout().orientation();
    if (fits(m_layout, printer, now))
        return now == QPageLayout::Landscape && !fits(m_layout, printer, QPageLayout::Portrait)
                   ? m_shell.text("Printing", "ShownInLandscape")
                   : QString();
    return m_shell.text("Printing", fits(m_layout, printer, otherWay(now)) ? "TurnPage" : "DoesNotFit");
}

} // namespace reelkeep
