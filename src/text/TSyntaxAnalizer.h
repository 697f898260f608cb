// Text normalisers applied to masks and to the texts matched against them.
#pragma once

#include "CodePage.h"

#include <QString>
#include <memory>

namespace reelkeep {

class TSyntaxAnalizer {
public:
    explicit TSyntaxAnalizer(std::unique_ptr<TSyntaxAnalizer> next = {}) : Next(std::move(next)) {}
    virtual ~TSyntaxAnalizer() = default;
    // Passes the text through the rest of the chain.
    virtual QString Analize(const QString& text) const;

    std::unique_ptr<TSyntaxAnalizer> Next;
};

// Lower case (by the code page) with "ё" taken as "е", so matching ignores both differences.
class TSimpleSyntaxAnalizer : public TSyntaxAnalizer {
public:
    explicit TSimpleSyntaxAnalizer(std::unique_ptr<TSyntaxAnalizer> next = {});
    QString Analize(const QString& text) const override;
    // One character as Analize folds it, for searches that must not copy every cell.
    QChar Fold(QChar c) const
    {
        const QChar lower = m_codePage.lower(c);
        return lower == QChar(0x0451) ? QChar(0x0435) : lower;
    }

private:
    const CodePage& m_codePage;
};

} // namespace reelkeep
