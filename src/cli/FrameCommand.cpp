// `frame VIDEO OUT.jpg [--at PERCENT]`: one frame of a video file as the image panel
// adds it, written as a JPEG file.
#include "CommandArgs.h"
#include "Commands.h"
#include "FileIO.h"
#include "FrameGrabber.h"

namespace reelkeep::cli {

int RunFrame(CliContext&, const QStringList& args)
{
    const CommandArgs parsed(args, {}, {QStringLiteral("--at")});
    parsed.expectPositional(2);
    FrameRequest request;
    request.path = parsed.positional()[0];
    request.percent = parsed.has(QStringLiteral("--at")) ? parsed.number(QStringLiteral("--at"), 0, 100) : kEntryFramePercent;
    WriteFileAtomically(parsed.positional()[1], FrameGrabber().Grab(request));
    return ExitDone;
}

} // namespace reelkeep::cli
