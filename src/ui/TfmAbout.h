// The About box: the program's name, version, what it is for and that it comes without warranty.
#pragma once

#include "TextLookup.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace reelkeep {

class TfmAbout : public QDialog {
    Q_OBJECT
public:
    TfmAbout(TextLookup lookup, QWidget* parent = nullptr);

    void TranslateControls();

private:
    TextLookup Lookup;
    QLabel* Description;
    QLabel* Warranty;
    QPushButton* CloseButton;
};

// Shows the About box modally over the parent.
void ShowAbout(QWidget* parent, const TextLookup& lookup);

} // namespace reelkeep
