#include "CatalogueLoader.h"

#include "LongWorkPool.h"
#include "ReelkeepError.h"
#include "TzkReelkeep.h"

#include <QPromise>
#include <QtConcurrent/QtConcurrentRun>

namespace reelkeep {
namespace {

// The whole job runs on copies, so a window closed meanwhile leaves it nothing to touch.
std::shared_ptr<LoadResult> read(QPromise<std::shared_ptr<LoadResult>>& promise, const QString& path,
                                 CatalogueForm form, const ColumnDefinitions& columnTemplate, const LocaleFormats& formats,
                                 const QString& watched)
{
    auto result = std::make_shared<LoadResult>();
    // Hashing a big file takes a while: here, not on the GUI thread. Taken before the read,
    // so that a change made while it reads counts as a change made outside.
    result->watched = FileFingerprint::Of(watched);
    auto document = std::make_unique<TzkReelkeep>(columnTemplate, formats);
    promise.setProgressRange(0, 100);
    document->OnProgress = [&promise](int percent) { promise.setProgressValue(percent); };
    try {
        if (!ReadCatalogue(*document, path, form)) {
            result->unknownForm = true;
            return result;
        }
    } catch (const ReelkeepError& error) {
        result->error = error.text();
        return result;
    } catch (const std::exception& error) {
        result->error = Message::Verbatim(QString::fromLocal8Bit(error.what()));
        return result;
    }
    document->OnProgress = nullptr;
    if (document->ListCount() > 0) {
        document->CurrentList = 1;
        TZKList& list = *document->List(0);
        try {
            list.Sort(1, list.Column(1).Type);
        } catch (const ReelkeepError& error) {
            result->sortError = error.text();
        }
    }
    result->document = std::move(document);
    return result;
}

void load(QPromise<std::shared_ptr<LoadResult>>& promise, const QString& path, CatalogueForm form,
          const ColumnDefinitions& columnTemplate, const LocaleFormats& formats, const QString& watched)
{
    promise.addResult(read(promise, path, form, columnTemplate, formats, watched));
}

} // namespace

CatalogueLoader::CatalogueLoader(QObject* parent) : QObject(parent)
{
    connect(&m_watcher, &QFutureWatcherBase::progressValueChanged, this, &CatalogueLoader::progress);
    connect(&m_watcher, &QFutureWatcherBase::finished, this, [this] {
        if (m_watcher.future().resultCount() > 0)
            emit finished(m_watcher.result());
    });
}

void CatalogueLoader::start(const QString& path, CatalogueForm form, const ColumnDefinitions& columnTemplate,
                            const LocaleFormats& formats, const QString& watched)
{
    m_watcher.setFuture(QtConcurrent::run(&LongWorkPool(), load, path, form, columnTemplate, formats, watched));
}

} // namespace reelkeep
