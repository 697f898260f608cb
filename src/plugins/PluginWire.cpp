#include "PluginWire.h"

#include "Wire.h"

namespace reelkeep {
namespace {

void putText(WireWriter& out, const PluginText& text)
{
    out.put(static_cast<unsigned char>(text.state));
    out.putBytes(text.bytes);
}

PluginText takeText(WireReader& in)
{
    PluginText text;
    const auto state = in.take<unsigned char>();
    if (state > PluginText::Unterminated)
        throw HelperFailure(HelperFailure::Garbled, QStringLiteral("A plug-in probe holds an unknown text state."));
    text.state = static_cast<PluginText::State>(state);
    text.bytes = in.takeBytes().toByteArray();
    return text;
}

} // namespace

QByteArray EncodeProbe(const PluginProbe& probe)
{
    WireWriter out;
    out.put(static_cast<unsigned char>(1));
    out.put(static_cast<unsigned char>(probe.HasMode));
    out.put(probe.Mode);
    putText(out, probe.DisplayName);
    putText(out, probe.FilterMask);
    out.put(static_cast<unsigned char>(probe.CanExport));
    return out.bytes();
}

QByteArray EncodeUnloadable(const QByteArray& loadError)
{
    WireWriter out;
    out.put(static_cast<unsigned char>(0));
    out.putBytes(loadError);
    return out.bytes();
}

PluginProbe DecodeProbe(QByteArrayView answer)
{
    WireReader in(answer);
    PluginProbe probe;
    probe.Loaded = in.take<unsigned char>() != 0;
    if (!probe.Loaded) {
        probe.LoadError = in.takeBytes().toByteArray();
    } else {
        probe.HasMode = in.take<unsigned char>() != 0;
        probe.Mode = in.take<std::int32_t>();
        probe.DisplayName = takeText(in);
        probe.FilterMask = takeText(in);
        probe.CanExport = in.take<unsigned char>() != 0;
    }
    if (!in.atEnd())
        throw HelperFailure(HelperFailure::Garbled, QStringLiteral("A plug-in probe is longer than it should be."));
    return probe;
}

} // namespace reelkeep
