// The Save and Cancel buttons of the settings dialogs.
#pragma once

class QPushButton;

namespace reelkeep {

class TextRegistry;

struct SaveCancelButtons {
    QPushButton* save;
    QPushButton* cancel;
};

// Named and worded from the language table; Enter never presses them, since it belongs
// to the dialogs' own Add buttons and edits.
SaveCancelButtons MakeSaveCancelButtons(TextRegistry& texts);

} // namespace reelkeep
