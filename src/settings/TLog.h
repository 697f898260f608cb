// A small append-only text log: one line per record, written by opening,
// appending and closing the file, so nothing is lost if the program stops.
#pragma once

#include "LocaleFormats.h"

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <functional>

namespace reelkeep {

class TLog {
public:
    explicit TLog(LocaleFormats formats = LocaleFormats::system());
    virtual ~TLog() = default;

    virtual QString GetFileName() const = 0;
    // Writes the line, then shows the text through ShowMessage (the GUI's message box).
    virtual void WriteAndShow(const QString& text, bool withTime);
    // Appends "text" or "date time text"; nothing while disabled. Throws FileError
    // "Cannot create file <path>" or "Cannot open file <path>".
    virtual void WriteLine(const QString& text, bool withTime);
    // As WriteLine, with the value in decimal right after the text.
    virtual void WriteValue(const QString& text, std::int32_t value, bool withTime);

    bool Enabled = false;
    std::function<void(const QString&)> ShowMessage;
    // The clock and time format of the time stamps; tests fix them.
    std::function<QDateTime()> Clock = [] { return QDateTime::currentDateTime(); };
    QString LongTimeFormat;

private:
    void append(const QString& line, bool withTime);

    LocaleFormats m_formats;
};

// The log kept in a named file of a folder ("reelkeep.log" of the program folder).
class TNamedLog : public TLog {
public:
    TNamedLog(const QString& folder, const QString& name, LocaleFormats formats = LocaleFormats::system());

    QString GetFileName() const override { return LogFolder + LogName; }

    QString LogFolder; // ends with the path separator
    QString LogName;
};

} // namespace reelkeep
