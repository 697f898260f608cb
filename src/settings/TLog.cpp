#include "TLog.h"

#include "CodePage.h"
#include "ReelkeepError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

namespace reelkeep {
namespace {

// The system's long time format without the time zone, which a log line does not carry.
QString systemLongTimeFormat()
{
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return format.trimmed();
}

} // namespace

TLog::TLog(LocaleFormats formats) : LongTimeFormat(systemLongTimeFormat()), m_formats(std::move(formats)) {}

void TLog::WriteAndShow(const QString& text, bool withTime)
{
    WriteLine(text, withTime);
    if (ShowMessage)
        ShowMessage(text);
}

void TLog::WriteLine(const QString& text, bool withTime)
{
    append(text, withTime);
}

void TLog::WriteValue(const QString& text, std::int32_t value, bool withTime)
{
    append(text + QString::number(value), withTime);
}

void TLog::append(const QString& line, bool withTime)
{
    if (!Enabled)
        return;
    QString record = line;
    if (withTime) {
        const QDateTime now = Clock();
        QString stamp = m_formats.formatDate(now.date());
        if (now.time() != QTime(0, 0))
            stamp += QLatin1Char(' ') + now.time().toString(LongTimeFormat);
        record = stamp + QLatin1Char(' ') + line;
    }

    const QString path = GetFileName();
    QDir().mkpath(QFileInfo(path).absolutePath());
    const bool existed = QFileInfo::exists(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        throw FileError(Message(existed ? "LogCannotOpen" : "LogCannotCreate").arg(path));
    const QByteArray bytes = CodePage::Default().encode(record) + '\n';
    const bool written = file.write(bytes) == bytes.size();
    file.close();
    if (!written)
        throw FileError(Message("LogCannotWrite").arg(path));
}

TNamedLog::TNamedLog(const QString& folder, const QString& name, LocaleFormats formats)
    : TLog(std::move(formats)), LogFolder(folder), LogName(name)
{
    if (!LogFolder.isEmpty() && !LogFolder.endsWith(QLatin1Char('/')))
        LogFolder += QLatin1Char('/');
}

} // namespace reelkeep
