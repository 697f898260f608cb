#include "WebSearch.h"

#include "CodePage.h"
#include "zkOptions.h"

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

bool isWindows1251(const QString& encoding)
{
    return encoding == kSearchEncodingWindows1251;
}

QByteArray encoded(QStringView text, const QString& encoding)
{
    return isWindows1251(encoding) ? CodePage::Default().encode(text) : text.toUtf8();
}

void appendTitle(QByteArray& out, const QString& title, const QString& encoding)
{
    for (const char c : encoded(title, encoding)) {
        const auto byte = static_cast<unsigned char>(c);
        if (isAlphanumeric(byte))
            out += c;
        else
            appendEncoded(out, byte);
    }
}

void appendPattern(QByteArray& out, QStringView text, const QString& encoding)
{
    for (const char c : encoded(text, encoding)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte > ' ' && byte < 0x7F)
            out += c;
        else
            appendEncoded(out, byte);
    }
}

const QRegularExpression& placeholder()
{
    static const QRegularExpression pattern(QStringLiteral("%(Name|OrigName)%"), QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

bool isOriginal(const QRegularExpressionMatch& match)
{
    return match.captured(1).compare(QLatin1String("OrigName"), Qt::CaseInsensitive) == 0;
}

} // namespace

QByteArray SearchAddress(const QString& pattern, const QString& name, const QString& origName, const QString& encoding)
{
    // One pass over the pattern, so a title holding a placeholder is not filled in again.
    QByteArray out;
    qsizetype from = 0;
    for (QRegularExpressionMatchIterator it = placeholder().globalMatch(pattern); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        appendPattern(out, QStringView(pattern).mid(from, match.capturedStart() - from), encoding);
        appendTitle(out, isOriginal(match) ? origName : name, encoding);
        from = match.capturedEnd();
    }
    appendPattern(out, QStringView(pattern).mid(from), encoding);
    return out;
}

QString TitleNotCarried(const QString& pattern, const QString& name, const QString& origName, const QString& encoding)
{
    if (!isWindows1251(encoding))
        return QString();
    for (QRegularExpressionMatchIterator it = placeholder().globalMatch(pattern); it.hasNext();) {
        const QString& title = isOriginal(it.next()) ? origName : name;
        if (!CodePage::Default().canEncode(title))
            return title;
    }
    return QString();
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
