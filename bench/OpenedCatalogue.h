// The desktop program with the typical 100,000-record catalogue open in a list window,
// for the benchmarks that time commands on a big catalogue.
#pragma once

#include "FirstButtonPrompts.h"
#include "NestedCatalogue.h"
#include "TReelkeepSerialiazerV2_1.h"
#include "TfmList.h"
#include "TfmMain.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QTemporaryDir>

namespace reelkeep::bench {

struct OpenedCatalogue {
    QTemporaryDir home;
    FirstButtonPrompts prompts;
    TfmMain main{home.path(), &prompts};
    TfmList* list = nullptr;

    OpenedCatalogue()
    {
        const QString file = scratchFolder().filePath(QStringLiteral("typical.kdx"));
        if (!QFileInfo::exists(file))
            TReelkeepSerialiazerV2_1().Save(file, hundredThousandRecords(true));
        main.resize(1280, 1000);
        main.show();
        list = main.OpenFile(file);
        QEventLoop loop;
        QObject::connect(list, &TfmList::loadDone, &loop, &QEventLoop::quit);
        loop.exec();
    }
};

} // namespace reelkeep::bench
