#include "SaveCancelButtons.h"

#include "TextRegistry.h"

#include <QPushButton>

namespace reelkeep {

SaveCancelButtons MakeSaveCancelButtons(TextRegistry& texts)
{
    auto* save = new QPushButton;
    auto* cancel = new QPushButton;
    save->setObjectName(QStringLiteral("btnSave"));
    cancel->setObjectName(QStringLiteral("btnCancel"));
    texts.bind(save, "MainMenu", "Save", TextRegistry::Role::Text);
    texts.bind(cancel, "Other", "Cancel", TextRegistry::Role::Text);
    save->setAutoDefault(false);
    cancel->setAutoDefault(false);
    return {save, cancel};
}

} // namespace reelkeep
