// The statistics window: totals and averages of the current sheet and of the
// selected records, in a read-only text, closed with OK; further pages (the charts)
// go on tabs beside it. Window-modal, gone once closed.
#pragma once

#include <QDialog>

class QPlainTextEdit;
class QTabWidget;

namespace reelkeep {

class TfmStat : public QDialog {
    Q_OBJECT
public:
    TfmStat(const QString& caption, const QStringList& lines, const QString& okText, QWidget* owner);

    QPlainTextEdit* memo() const { return m_memo; }
    // Puts the figures on a first tab titled figuresTitle and the page on the next one.
    void addPage(QWidget* page, const QString& figuresTitle, const QString& title);
    // Null until a page was added.
    QTabWidget* pages() const { return m_pages; }

private:
    QPlainTextEdit* m_memo;
    QTabWidget* m_pages = nullptr;
};

} // namespace reelkeep
