// The station and user list files from any text: reading either gives entries or refuses the file
// naming a line, and the list the entries make writes a file that reads back to the same names
// and writes to the same bytes.
#include <string>

#include "FuzzSupport.h"
#include "instrument/ListFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tz;
    NameList names = ListOf(clsInstrument{}, ListKind::Users);
    try {
        for (const ListFileEntry& entry : ParseListFile(fuzz::AsText(data, size))) {
            fuzz::Check(entry.entry >= 1 && entry.entry <= clsInstrument::ListEntries, "an entry number is 1 to 128");
            names[static_cast<std::size_t>(entry.entry - 1)] = entry.name;
        }
    } catch (const ListFileError& e) {
        fuzz::Check(e.LineNumber() >= 0, "a refused file names a line or none", e.what());
        return 0;
    }
    const std::string written = ListFileText(names);
    NameList back(names.size());
    try {
        const std::vector<ListFileEntry> entries = ParseListFile(written);
        fuzz::Check(entries.size() == names.size(), "a written list file reads every entry", written);
        for (const ListFileEntry& entry : entries) back[static_cast<std::size_t>(entry.entry - 1)] = entry.name;
    } catch (const ListFileError& e) {
        fuzz::Check(false, "a written list file reads back", std::string(e.what()) + "\n" + written);
    }
    fuzz::Check(back == names, "a written list file reads back to the same names");
    fuzz::Check(ListFileText(back) == written, "a list file read back writes the same bytes");
    return 0;
}
