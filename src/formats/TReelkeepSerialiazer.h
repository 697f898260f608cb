// The common interface of the catalogue readers and writers. A serializer lives for
// one call: the document creates it, hands it the progress callback and the
// defaults new lists need, and calls Load or Save once.
#pragma once

#include "ReelkeepError.h"
#include "TZKLists.h"

#include <QByteArrayView>
#include <QString>
#include <functional>
#include <memory>
#include <span>

namespace reelkeep {

using ProgressCallback = std::function<void(int)>;

// Thrown, before anything is written, by a save told to keep every character when
// the 8-bit code page lacks some of them.
class CharactersWouldBeLost : public FormatError {
public:
    using FormatError::FormatError;
};

// Progress of one list being read: calls back n div step for every step-th
// top-level row n (1-based), step = rows div 100, or 1 when that is 0.
class RowProgress {
public:
    RowProgress(const ProgressCallback& callback, qint64 rowCount);
    void rowRead(qint64 n) const;

private:
    const ProgressCallback& m_callback;
    qint64 m_step;
};

class TReelkeepSerialiazer {
public:
    virtual ~TReelkeepSerialiazer() = default;
    // Reads a whole catalogue; throws ReelkeepError (naming the file) on any failure.
    virtual std::unique_ptr<TZKLists> Load(const QString& fileName);
    // Writes the catalogue atomically; throws ReelkeepError on any failure.
    virtual void Save(const QString& fileName, const TZKLists& lists);

    ProgressCallback OnProgress;
    // Save throws CharactersWouldBeLost, writing nothing, instead of writing '?'.
    bool KeepEveryCharacter = false;
    // Defaults for the lists a reader creates (the settings' column template, date format).
    ColumnDefinitions ColumnTemplate = BuiltInColumnDefinitions();
    LocaleFormats Formats = LocaleFormats::system();

protected:
    std::unique_ptr<TZKLists> NewLists() const;
    // Writes the bytes of a save atomically, or throws as KeepEveryCharacter asks.
    void WriteSaved(const QString& fileName, QByteArrayView bytes, qint64 lostCharacters) const;
    // The same for bytes in parts, written one after another.
    void WriteSaved(const QString& fileName, std::span<const QByteArrayView> parts, qint64 lostCharacters) const;
};

} // namespace reelkeep
