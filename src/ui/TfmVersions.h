// "Restore earlier version": the kept versions of a catalogue with the time each was
// saved, its size and its records; the one chosen opens as a new modified window.
#pragma once

#include "LocaleFormats.h"

#include <QDateTime>
#include <QDialog>
#include <QFutureWatcher>
#include <functional>

class QTreeWidget;

namespace reelkeep {

class ShellState;

// A time as the person's date format has it, with the time of day.
QString WhenText(const LocaleFormats& formats, const QDateTime& when);

class TfmVersions : public QDialog {
    Q_OBJECT
public:
    // open(versionFile, catalogue) opens the chosen version.
    TfmVersions(const QString& catalogue, ShellState& shell, QWidget* parent,
                std::function<void(const QString&, const QString&)> open);

    QTreeWidget* table() const { return m_table; }

private:
    void openChosen();

    QString m_catalogue;
    std::function<void(const QString&, const QString&)> m_open;
    QTreeWidget* m_table;
    QFutureWatcher<QStringList> m_counts; // read off the GUI thread, one text per version
};

// Shows the window for the catalogue, modal without blocking; it goes when closed.
TfmVersions* ShowVersions(const QString& catalogue, ShellState& shell, QWidget* parent,
                          std::function<void(const QString&, const QString&)> open);

} // namespace reelkeep
