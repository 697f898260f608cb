#include "TSyntaxAnalizer.h"

#include "CodePage.h"

namespace reelkeep {

QString TSyntaxAnalizer::Analize(const QString& text) const
{
    return Next ? Next->Analize(text) : text;
}

TSimpleSyntaxAnalizer::TSimpleSyntaxAnalizer(std::unique_ptr<TSyntaxAnalizer> next)
    : TSyntaxAnalizer(std::move(next)), m_codePage(CodePage::Default())
{
}

QString TSimpleSyntaxAnalizer::Analize(const QString& text) const
{
    QString normal = m_codePage.lower(text);
    normal.replace(QChar(0x0451), QChar(0x0435));
    return TSyntaxAnalizer::Analize(normal);
}

} // namespace reelkeep
