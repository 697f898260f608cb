// `mask MASK TEXT...`: tries a mask the way the column filters use it.
#include "Commands.h"
#include "CodePage.h"
#include "TSyntaxAnalizer.h"
#include "TzkMask.h"

namespace reelkeep::cli {

int RunMask(CliContext&, const QStringList& args)
{
    if (args.size() < 2)
        throw UsageError{QStringLiteral("mask needs a mask and at least one text")};
    const TSimpleSyntaxAnalizer normaliser;
    const TzkMask mask(normaliser.Analize(CodePage::Default().roundTrip(args[0])));
    QString out;
    for (qsizetype i = 1; i < args.size(); ++i)
        out += mask.Matches(normaliser.Analize(CodePage::Default().roundTrip(args[i]))) ? QStringLiteral("1\n") : QStringLiteral("0\n");
    WriteOut(out);
    return ExitDone;
}

} // namespace reelkeep::cli
