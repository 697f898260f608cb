// Errors of the system: every failure carries a message fit to show the user.
#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

namespace reelkeep {

class ReelkeepError : public std::exception {
public:
    explicit ReelkeepError(QString message);
    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
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
