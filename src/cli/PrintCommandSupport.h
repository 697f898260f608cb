// What the two print commands share: the list they print from and the PDF they print into.
#pragma once

#include "CommandArgs.h"
#include "TzkPrinter.h"
#include "TzkReelkeep.h"

#include <QPageLayout>
#include <functional>

namespace reelkeep::cli {

// The list number given with --list, 1 when not given.
int ListNumberArgument(const CommandArgs& parsed);

// Loads the catalogue file into doc and returns its list listNumber (counted from 1);
// nullptr when the file is not a known catalogue.
TZKList* LoadListToPrint(TzkReelkeep& doc, const QString& fileName, int listNumber);

// The page orientation --landscape asks for.
QPageLayout::Orientation OrientationArgument(const CommandArgs& parsed);

// Runs print against a high-resolution printer writing the PDF file, which is put
// in place only when every page was printed.
void PrintToPdf(const QString& fileName, QPageLayout::Orientation orientation,
                const std::function<void(TzkPrinter&)>& print);

} // namespace reelkeep::cli
