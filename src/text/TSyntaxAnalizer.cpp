#include "TSyntaxAnalizer.h"

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
    QString normal(text.size(), Qt::Uninitialized);
    QChar* out = normal.data();
    for (const QChar c : text)
        *out++ = Fold(c);
    return TSyntaxAnalizer::Analize(normal);
}

} // namespace reelkeep
