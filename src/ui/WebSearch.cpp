#include "WebSearch.h"

#include <QDesktopServices>
#include <QRegularExpression>

namespace reelkeep {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

void appendEncoded(QByteArray& out, unsigned char byte)
{
    out += '%';
    out += kHex[byte >> 4];
    out += kHex[byte & 15];
}

bool isAlphanumeric(unsigned char byte)
{
    return (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
}

void appendTitle(QByteArray& out, const QString& title, const CodePage& codePage)
{
    for (const char c : codePage.encode(title)) {
        const auto byte = static_cast<unsigned char>(c);
        if (isAlphanumeric(byte))
            out += c;
        else
            appendEncoded(out, byte);
    }
}

void appendPattern(QByteArray& out, QStringView text, const CodePage& codePage)
{
    for (const char c : codePage.encode(text)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte > ' ' && byte < 0x7F)
            out += c;
        else
            appendEncoded(out, byte);
    }
}

} // namespace

QByteArray SearchAddress(const QString& pattern, const QString& name, const QString& origName, const CodePage& codePage)
{
    // One pass over the pattern, so a title holding a placeholder is not filled in again.
    static const QRegularExpression placeholder(QStringLiteral("%(Name|OrigName)%"),
                                                QRegularExpression::CaseInsensitiveOption);
    QByteArray out;
    qsizetype from = 0;
    for (QRegularExpressionMatchIterator it = placeholder.globalMatch(pattern); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        appendPattern(out, QStringView(pattern).mid(from, match.capturedStart() - from), codePage);
        const bool original = match.captured(1).compare(QLatin1String("OrigName"), Qt::CaseInsensitive) == 0;
        appendTitle(out, original ? origName : name, codePage);
        from = match.capturedEnd();
    }
    appendPattern(out, QStringView(pattern).mid(from), codePage);
    return out;
}

UrlOpener DesktopUrlOpener()
{
    return [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

bool IsWebAddress(const QUrl& url)
{
    return url.isValid() && (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"))
        && !url.host().isEmpty();
}

} // namespace reelkeep
