// The statistics window: totals and averages of the current sheet and of the
// selected records, in a read-only text, closed with OK. Window-modal, gone once closed.
#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace reelkeep {

class TfmStat : public QDialog {
    Q_OBJECT
public:
    TfmStat(const QString& caption, const QStringList& lines, const QString& okText, QWidget* owner);

    QPlainTextEdit* memo() const { return m_memo; }

private:
    QPlainTextEdit* m_memo;
};

} // namespace reelkeep
