// File helpers for tests that work in their own temporary folders.
#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <gtest/gtest.h>

namespace reelkeep::test {

inline QString u(const char* text)
{
    return QString::fromUtf8(text);
}

inline QStringList u(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* text : texts)
        list << u(text);
    return list;
}

// Writes the bytes, creating the folders on the way.
inline void WriteTestFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

// The file's bytes; empty when it cannot be read.
inline QByteArray ReadTestFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The names of the files in the folder, hidden ones too, in order.
inline QStringList FilesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace reelkeep::test
