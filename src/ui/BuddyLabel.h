// A visible caption tied to a control that has no text of its own to be named by (a
// combo box is announced by its current text): a screen reader reads the label with the
// control, and the label's mnemonic focuses it.
#pragma once

class QLabel;
class QWidget;

namespace reelkeep {

class TextRegistry;

// A label for buddy with the text section/key of the language table, following its changes.
QLabel* MakeBuddyLabel(QWidget* buddy, TextRegistry& texts, const char* section, const char* key);

} // namespace reelkeep
