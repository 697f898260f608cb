#include "MessageWire.h"

#include "../support/TestFiles.h"

#include <gtest/gtest.h>

using namespace reelkeep;
using reelkeep::test::u;

namespace {


// The rendering in a language that marks every text it has, so a key lost on the way shows.
QString marked(const Message& message)
{
    return message.render([](const QString& key) { return QStringLiteral("<%1: %2 %3>").arg(key, QStringLiteral("%1"), QStringLiteral("%2")); });
}

Message carried(const Message& message)
{
    WireWriter out;
    PutMessage(out, message);
    WireReader in(out.bytes());
    Message back = TakeMessage(in);
    EXPECT_TRUE(in.atEnd());
    return back;
}

QByteArray bytesOf(const Message& message)
{
    WireWriter out;
    PutMessage(out, message);
    return out.bytes();
}

} // namespace

// A helper's message arrives as the key and arguments it was sent with: nested
// messages, plain texts, a count and a dropped full stop survive, and the English stays.
TEST(MessageWire, MessagesCrossWhole)
{
    const Message sent = Message("NoFrame").arg(u("/films/Амели %2.avi")).arg(Message("FrameTooLarge").arg(9000).arg(9000).arg(16));
    const Message back = carried(sent);
    EXPECT_EQ(back.english(), sent.english());
    EXPECT_EQ(marked(back), marked(sent));
    EXPECT_TRUE(marked(back).contains(u("<FrameTooLarge: 9000 9000>"))) << marked(back).toStdString();

    const Message counted = Message("TooManyCoverDiscs").arg(5).arg(1000).count(5);
    EXPECT_EQ(carried(counted).render([](const QString&) { return u("%n диск|%n диска|%n дисков"); }), u("5 дисков"));
    EXPECT_EQ(carried(Message("MediaNotOpened").arg(u("a.avi")).continued()).english(),
              u("The media information of the file \"a.avi\" cannot be read"));
    EXPECT_EQ(carried(Message::Verbatim(u("Gurgle %1"))).english(), u("Gurgle %1"));
    EXPECT_TRUE(carried(Message()).isEmpty());
}

// A helper that went wrong cannot make the program show a key name, a half message or
// an endless nesting: each is a garbled answer.
TEST(MessageWire, GarbledMessagesAreRefused)
{
    const auto refused = [](const QByteArray& bytes) {
        try {
            WireReader in(bytes);
            TakeMessage(in);
        } catch (const HelperFailure& failure) {
            return failure.reason() == HelperFailure::Garbled;
        }
        return false;
    };
    WireWriter unknown;
    unknown.putText(u("NoSuchKey"));
    unknown.putText(QString());
    unknown.put(static_cast<unsigned char>(0));
    unknown.put(static_cast<std::uint32_t>(0));
    EXPECT_TRUE(refused(unknown.bytes()));

    const QByteArray whole = bytesOf(Message("NoFrame").arg(u("a.avi")).arg(Message("FrameNoSize")));
    for (qsizetype cut = 0; cut < whole.size(); ++cut)
        EXPECT_TRUE(refused(whole.left(cut))) << cut;

    QByteArray flags = bytesOf(Message("FrameNoSize"));
    flags[flags.size() - 5] = char(0x80); // a flag no sender sets
    EXPECT_TRUE(refused(flags));

    Message deep("FrameNoSize");
    for (int i = 0; i < 12; ++i)
        deep = Message("NoFrame").arg(u("a.avi")).arg(deep);
    EXPECT_TRUE(refused(bytesOf(deep)));
    Message many("FrameTooLarge");
    for (int i = 0; i < 10; ++i)
        many.arg(i);
    EXPECT_TRUE(refused(bytesOf(many)));
}
