#include "OptionsSearchPage.h"

#include "EntryListEditor.h"
#include "zkOptions.h"

#include <QVBoxLayout>

namespace reelkeep {

OptionsSearchPage::OptionsSearchPage(TextRegistry& texts, QWidget* parent)
    : OptionsPage(parent),
      m_sites(new EntryListEditor(
          {"lvSearch", "edSrchName", "edSrchURL", "btnAddSrch", "btnDeleteSrch", "SiteName", "SiteURL"}, texts))
{
    setObjectName(QStringLiteral("TabSheet3"));
    m_sites->addChoiceColumn("cbSrchEncoding", "SiteEncoding", {kSearchEncodingUtf8, kSearchEncodingWindows1251});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_sites);
}

void OptionsSearchPage::load(const zkOptions& options)
{
    m_sites->setEntries(options.SrchName, options.SrchURL, options.SearchCount, options.SrchEncoding);
}

void OptionsSearchPage::apply(zkOptions& options) const
{
    options.SrchName = m_sites->column(0);
    options.SrchURL = m_sites->column(1);
    options.SrchEncoding = m_sites->column(2);
    options.SearchCount = static_cast<std::int32_t>(options.SrchName.size());
}

QPushButton* OptionsSearchPage::defaultButton() const
{
    return m_sites->addButton();
}

} // namespace reelkeep
