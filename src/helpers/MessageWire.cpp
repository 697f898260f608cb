#include "MessageWire.h"

namespace reelkeep {
namespace {

enum ArgumentKind : unsigned char { TextArgument, NestedArgument };
enum Flags : unsigned char { HasCount = 1, Continued = 2 };

// Placeholders run from %1 to %9; the deepest message of the system nests three deep.
constexpr std::uint32_t kMaxArguments = 9;
constexpr int kMaxDepth = 8;

[[noreturn]] void garbled()
{
    throw HelperFailure(HelperFailure::Garbled, QStringLiteral("A helper's message is damaged."));
}

Message takeMessage(WireReader& in, int depth)
{
    if (depth > kMaxDepth)
        garbled();
    const QString key = in.takeText();
    const QString verbatim = in.takeText();
    const auto flags = in.take<unsigned char>();
    if (flags & ~(HasCount | Continued))
        garbled();
    Message message = key.isEmpty() ? Message::Verbatim(verbatim) : Message(key.toLatin1().constData());
    if (flags & Continued)
        message.continued();
    if (key.isEmpty())
        return message;
    if (EnglishMessageText(key).isEmpty() || !verbatim.isEmpty())
        garbled();
    if (flags & HasCount)
        message.count(in.take<qint64>());
    const auto count = in.take<std::uint32_t>();
    if (count > kMaxArguments)
        garbled();
    for (std::uint32_t i = 0; i < count; ++i) {
        const auto kind = in.take<unsigned char>();
        if (kind == TextArgument)
            message.arg(in.takeText());
        else if (kind == NestedArgument)
            message.arg(takeMessage(in, depth + 1));
        else
            garbled();
    }
    return message;
}

} // namespace

void PutMessage(WireWriter& out, const Message& message)
{
    out.putText(message.key());
    out.putText(message.key().isEmpty() ? message.verbatim() : QString());
    out.put(static_cast<unsigned char>((message.countOf() ? HasCount : 0) | (message.isContinued() ? Continued : 0)));
    if (message.key().isEmpty())
        return;
    if (message.countOf())
        out.put(*message.countOf());
    out.put(static_cast<std::uint32_t>(message.arguments().size()));
    for (const Message::Argument& argument : message.arguments()) {
        out.put(static_cast<unsigned char>(argument.nested ? NestedArgument : TextArgument));
        if (argument.nested)
            PutMessage(out, *argument.nested);
        else
            out.putText(argument.text);
    }
}

Message TakeMessage(WireReader& in)
{
    return takeMessage(in, 0);
}

} // namespace reelkeep
