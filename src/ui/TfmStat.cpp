#include "TfmStat.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

namespace reelkeep {

TfmStat::TfmStat(const QString& caption, const QStringList& lines, const QString& okText, QWidget* owner)
    : QDialog(owner), m_memo(new QPlainTextEdit)
{
    setObjectName(QStringLiteral("fmStat"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(caption);
    resize(289, 306);
    m_memo->setObjectName(QStringLiteral("mmStat"));
    m_memo->setReadOnly(true);
    m_memo->setPlainText(lines.join(QLatin1Char('\n')));
    auto* ok = new QPushButton(okText);
    ok->setObjectName(QStringLiteral("btnOk"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_memo, 1);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

} // namespace reelkeep

namespace reelkeep {

void TfmStat::addPage(QWidget* page, const QString& figuresTitle, const QString& title)
{
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    if (!m_pages) {
        m_pages = new QTabWidget;
        m_pages->setObjectName(QStringLiteral("pcStat"));
        delete layout->replaceWidget(m_memo, m_pages);
        m_pages->addTab(m_memo, figuresTitle);
        layout->setStretchFactor(m_pages, 1);
        resize(780, 620);
        // The pages turn from wherever the focus is, the OK button included.
        const std::pair<QKeySequence, int> turns[] = {{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
                                                      {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
                                                      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
                                                      {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}};
        for (const auto& [keys, step] : turns)
            connect(new QShortcut(keys, this), &QShortcut::activated, m_pages, [pages = m_pages, step] {
                pages->setCurrentIndex((pages->currentIndex() + step + pages->count()) % pages->count());
            });
    }
    m_pages->addTab(page, title);
}

} // namespace reelkeep
