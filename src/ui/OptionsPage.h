// The contract every page of the options dialog keeps: filled from the settings
// each time the dialog opens, checked, then written into the settings on Save.
#pragma once

#include <QWidget>

class QPushButton;

namespace reelkeep {

class zkOptions;

class OptionsPage : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    virtual void load(const zkOptions& options) = 0;
    // What keeps the page from being saved, for the person to read; empty when nothing does.
    virtual QString problem() const { return {}; }
    virtual void apply(zkOptions& options) const = 0;
    // The button Enter presses while the page is shown, if any.
    virtual QPushButton* defaultButton() const { return nullptr; }
};

} // namespace reelkeep
