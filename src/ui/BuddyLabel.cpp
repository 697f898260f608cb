#include "BuddyLabel.h"

#include "TextRegistry.h"

#include <QLabel>

namespace reelkeep {

QLabel* MakeBuddyLabel(QWidget* buddy, TextRegistry& texts, const char* section, const char* key)
{
    auto* label = new QLabel;
    label->setObjectName(QStringLiteral("lbl") + buddy->objectName());
    label->setBuddy(buddy);
    // Room between the label and the control before it on a tool bar.
    label->setContentsMargins(6, 0, 2, 0);
    texts.bind(label, section, key, TextRegistry::Role::Text);
    return label;
}

} // namespace reelkeep
