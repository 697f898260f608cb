// Errors of the system: every failure carries a message fit to show the user.
#pragma once

#include "Message.h"

#include <QByteArray>
#include <QString>
#include <exception>

namespace reelkeep {

class ReelkeepError : public std::exception {
public:
    explicit ReelkeepError(QString message);
    explicit ReelkeepError(Message text);
    // In the built-in English, as the command-line tool prints it.
    const QString& message() const noexcept { return m_message; }
    // The same, to be shown in the interface's language.
    const Message& text() const noexcept { return m_text; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    Message m_text;
    QString m_message;
    QByteArray m_utf8;
};

// A text that should be a number or a date and is not.
class ConversionError : public ReelkeepError {
public:
    using ReelkeepError::ReelkeepError;
};

// A file that cannot be opened, read or written.
class FileError : public ReelkeepError {
public:
    using ReelkeepError::ReelkeepError;
};

// A file whose contents are damaged or not of the expected form.
class FormatError : public ReelkeepError {
public:
    using ReelkeepError::ReelkeepError;
};

} // namespace reelkeep
