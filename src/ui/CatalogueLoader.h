// Reads a catalogue on a worker thread into a new document that nothing else
// sees, sorts its first sheet by column 1, and hands the document over on the GUI thread.
#pragma once

#include "CatalogueForms.h"
#include "ColumnDefinitions.h"
#include "FileFingerprint.h"
#include "LocaleFormats.h"
#include "Message.h"

#include <QFutureWatcher>
#include <QObject>
#include <memory>

namespace reelkeep {

class TzkReelkeep;

struct LoadResult {
    std::unique_ptr<TzkReelkeep> document; // null when the file could not be read
    bool unknownForm = false;               // a .kdx signature that no reader knows
    Message error;                          // why the file could not be read
    Message sortError;                      // the first sheet could not be sorted; it keeps its order
    FileFingerprint watched;                // the catalogue's file as it was before the read
};

class CatalogueLoader : public QObject {
    Q_OBJECT
public:
    explicit CatalogueLoader(QObject* parent = nullptr);

    // The file is read with a document made from the column template and formats; watched
    // (the catalogue's own file, which a copy of it read in its place is not) is fingerprinted first.
    void start(const QString& path, CatalogueForm form, const ColumnDefinitions& columnTemplate, const LocaleFormats& formats,
               const QString& watched);
    bool isRunning() const { return m_watcher.isRunning(); }

signals:
    void progress(int percent);
    // Emitted once on the GUI thread; the receiver takes the result.
    void finished(std::shared_ptr<LoadResult> result);

private:
    QFutureWatcher<std::shared_ptr<LoadResult>> m_watcher;
};

} // namespace reelkeep
