#include "TReelkeepSerialiazer.h"

#include "FileIO.h"

namespace reelkeep {

RowProgress::RowProgress(const ProgressCallback& callback, qint64 rowCount)
    : m_callback(callback), m_step(rowCount / 100 > 0 ? rowCount / 100 : 1)
{
}

void RowProgress::rowRead(qint64 n) const
{
    if (m_callback && n % m_step == 0)
        m_callback(static_cast<int>(n / m_step));
}

std::unique_ptr<TZKLists> TReelkeepSerialiazer::Load(const QString& fileName)
{
    throw ReelkeepError(Message("FormCannotBeRead").arg(fileName));
}

void TReelkeepSerialiazer::Save(const QString& fileName, const TZKLists&)
{
    throw ReelkeepError(Message("FormCannotBeWritten").arg(fileName));
}

void TReelkeepSerialiazer::WriteSaved(const QString& fileName, QByteArrayView bytes, qint64 lostCharacters) const
{
    WriteSaved(fileName, std::span(&bytes, 1), lostCharacters);
}

void TReelkeepSerialiazer::WriteSaved(const QString& fileName, std::span<const QByteArrayView> parts, qint64 lostCharacters) const
{
    if (KeepEveryCharacter && lostCharacters > 0)
        throw CharactersWouldBeLost(Message("CharactersWouldBeLost").arg(fileName));
    AtomicFile file(fileName);
    for (const QByteArrayView part : parts)
        file.write(part);
    file.commit();
}

std::unique_ptr<TZKLists> TReelkeepSerialiazer::NewLists() const
{
    return std::make_unique<TZKLists>(ColumnTemplate, Formats);
}

} // namespace reelkeep
