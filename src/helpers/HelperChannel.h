// The helper executables' end of their socket to the program: standard input and
// output, blocking, in the frames HelperProcess reads and writes.
#pragma once

#include <QByteArray>
#include <optional>

namespace reelkeep::helper {

// Moves the answers off standard output, which then goes to standard error, so
// that a library printing there cannot garble them. Called first thing in main.
void KeepAnswersApart();

// The next frame of standard input; nothing when the program closed it or broke off.
std::optional<QByteArray> ReadFrame();
// Everything of standard input up to its end; nothing when it broke off.
std::optional<QByteArray> ReadAllInput();
// False when the program is no longer reading.
bool Write(QByteArrayView bytes);
bool WriteFrame(QByteArrayView payload);

} // namespace reelkeep::helper
