#include "FileNameSeparators.h"

#include "zkOptions.h"

namespace reelkeep {

FileNameSeparators FileNameSeparators::From(const zkOptions& options)
{
    return {options.OrigNameSepBegin, options.OrigNameSepEnd, options.PartSepBegin, options.PartSepEnd};
}

} // namespace reelkeep
