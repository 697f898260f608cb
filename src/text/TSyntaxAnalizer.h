// Text normalisers applied to masks and to the texts matched against them.
#pragma once

#include <QString>
#include <memory>

namespace reelkeep {

class CodePage;

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

private:
    const CodePage& m_codePage;
};

} // namespace reelkeep
