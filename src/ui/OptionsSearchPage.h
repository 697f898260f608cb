// The web-search page of the options dialog: site names and address patterns
// holding %Name% (and %OrigName%).
#pragma once

#include "OptionsPage.h"

namespace reelkeep {

class EntryListEditor;
class TextRegistry;

class OptionsSearchPage : public OptionsPage {
    Q_OBJECT
public:
    explicit OptionsSearchPage(TextRegistry& texts, QWidget* parent = nullptr);

    void load(const zkOptions& options) override;
    void apply(zkOptions& options) const override;
    QPushButton* defaultButton() const override;

private:
    EntryListEditor* m_sites;
};

} // namespace reelkeep
