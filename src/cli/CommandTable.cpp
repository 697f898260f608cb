#include "CliCommand.h"
#include "Commands.h"

namespace reelkeep::cli {

std::span<const CliCommand> Commands()
{
    static const CliCommand table[] = {
        {"mask", "MASK TEXT...", "print 1 for each TEXT the MASK matches, else 0", RunMask},
        {"settings", "", "load the settings of the program folder as the program does at start and print them as JSON", RunSettings},
        {"lang", "SECTION KEY", "print the interface text of SECTION and KEY in the configured language", RunLang},
        {"plugins", "", "list the plug-ins found: path, display name, file filter, mode (tab-separated)", RunPlugins},
        {"export", "CATALOGUE OUT --plugin N [--as-kdx] [--allow-loss]", "export the catalogue through the N-th export plug-in (as listed by plugins, counting export plug-ins only)", RunExport},
        {"dump", "FILE [--as-kdx]", "print the catalogue (.kdx, .xkdx, .xls) as JSON", RunDump},
        {"convert", "IN OUT [--as-kdx] [--kdx-version 1.3|2.0|2.1] [--allow-loss]", "save a catalogue in the form OUT's extension names (.kdx, .xkdx, .xls, .txt); refused when that form would lose something, unless --allow-loss", RunConvert},
        {"text", "FILE [--as-kdx]", "write the catalogue's \"kdx v1.3\" text form to stdout", RunText},
        {"merge", "CATALOGUE TEXTFILE [--allow-loss]", "add the records of a text form to the catalogue and save it in its own form", RunMerge},
        {"sort", "FILE --list N --column C [--column C ...] [--out OUT] [--allow-loss]", "sort list N by each column in turn; print JSON or save OUT", RunSort},
        {"delete", "FILE --list N --id ID [--id ID ...] [--out OUT] [--allow-loss]", "delete records of list N with their nested records and images, and save FILE or OUT", RunDelete},
        {"filter", "FILE --list N --set C=MASK [--set C=MASK ...]", "set column filters of list N and print the JSON", RunFilter},
        {"parse-name", "PATH", "print as JSON what the file-name parser takes from PATH (a bare name lies in the current folder)", RunParseName},
        {"media", "FILE", "print as JSON the media information of a video file and its stream lists", RunMedia},
        {"frame", "VIDEO OUT.jpg [--at PERCENT]", "write the key frame nearest before PERCENT (default 10) of the video's length as a JPEG of at most 1024 pixels a side", RunFrame},
        {"add", "CATALOGUE [--list N] [--allow-loss] PATH...", "add records from video files (one batch) and folders (walked) to list N (default 1) and save", RunAdd},
        {"stats", "FILE [--list N] [--select ID,ID...] [--charts]", "print the statistics lines of list N and of the selected records; with --charts the data of the statistics window's charts as JSON", RunStats},
        {"print-list", "FILE --pdf OUT [--list N] [--landscape]", "print list N (sorted by column 1) as a ruled table into a PDF file", RunPrintList},
        {"print-cover", "FILE --pdf OUT --id ID [--list N] [--cover CVR] [--landscape]", "print the cover of record ID, a page per disc (at most 1000), into a PDF file", RunPrintCover},
        {"cover", "CVR", "print a cover layout file as JSON", RunCover},
        {"cover-save", "IN.json OUT.cvr", "write a cover layout file from its JSON form", RunCoverSave},
        {"versions", "FILE", "list the kept earlier versions of a catalogue, newest first: number, time saved, size, records of each list", RunVersions},
        {"restore", "FILE N OUT", "write the bytes of the catalogue's earlier version N (as numbered by versions) to OUT", RunRestore},
        {"duplicates", "FILE... [--by title|original|media]", "print as JSON the groups of records that are probably one film, across every sheet of the catalogues", RunDuplicates},
        {"rescan", "CATALOGUE FOLDER [--list N] [--add] [--allow-loss]", "print as JSON the video files of FOLDER with no record in list N, the records whose file is gone and those whose file moved; --add enters the new ones and saves", RunRescan},
    };
    return table;
}

} // namespace reelkeep::cli
