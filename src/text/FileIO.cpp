#include "FileIO.h"

#include "ReelkeepError.h"

#include <QFile>

namespace reelkeep {

QByteArray ReadWholeFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FileError(QStringLiteral("Cannot read file \"%1\". %2").arg(fileName, file.errorString()));
    return bytes;
}

AtomicFile::AtomicFile(const QString& fileName) : m_file(fileName)
{
    if (!m_file.open(QIODevice::WriteOnly))
        throw FileError(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, m_file.errorString()));
}

void AtomicFile::write(QByteArrayView bytes)
{
    if (m_file.write(bytes.data(), bytes.size()) != bytes.size())
        throw FileError(QStringLiteral("Cannot write file \"%1\". %2").arg(m_file.fileName(), m_file.errorString()));
}

void AtomicFile::commit()
{
    if (!m_file.commit())
        throw FileError(QStringLiteral("Cannot write file \"%1\". %2").arg(m_file.fileName(), m_file.errorString()));
}

void WriteFileAtomically(const QString& fileName, QByteArrayView bytes)
{
    AtomicFile file(fileName);
    file.write(bytes);
    file.commit();
}

} // namespace reelkeep
