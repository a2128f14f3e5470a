// Fuzz target: arbitrary bytes as a settings file, through the document
// reader, its lookups and writes, and the settings loader.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/entry.h"
#include "data/ini_document.h"
#include "data/settings.h"
#include "reference_loader.h"
#include "shell/state.h"
#include "tests/file_bytes.h"

namespace {

void Check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

const char* const Sections[] = {"Options", "1", "2", "3", ""};
const char* const Keys[] = {"Task bar", "Timer period", "Entries", "Day", "Month", "Year", "Before", "After",
                            "Skip", "Active", "Again", "Message"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string bytes(reinterpret_cast<const char*>(data), size);
    IniDocument document;
    ParseIniDocument(document, bytes);

    // Nothing changed: written back byte for byte, in every encoding.
    Check(SerializeIniDocument(document) == bytes, "unchanged document written back as read");

    std::vector<std::string> sectionNames, keyNames;
    IniListNames(document, sectionNames, keyNames);
    for (const char* section : Sections)
        for (const char* key : Keys) {
            std::string text = IniGetString(document, section, key, "", 256);
            Check(text.size() <= 255, "strings cut at 255 characters");
            IniGetInt(document, section, key, 0);
        }

    // Several keys set at once make the file that setting them one by one
    // makes.
    {
        const IniValue values[] = {{"Day", "7"}, {"message", "m \xE9"}, {"Again", ""}, {" Colour ", "blue"}};
        for (const char* section : {"1", "Options", "new"}) {
            IniDocument together, oneByOne;
            ParseIniDocument(together, bytes);
            ParseIniDocument(oneByOne, bytes);
            IniSetValues(together, section, values, 4);
            for (const IniValue& value : values)
                IniSetString(oneByOne, section, value.Key, value.Value);
            Check(SerializeIniDocument(together) == SerializeIniDocument(oneByOne), "values set at once as one by one");
            Check(together.Changed == oneByOne.Changed, "changed alike");
        }
    }

    // A write is read back, from the document and from its bytes, and a line
    // break in it starts no section or key of its own.
    IniSetString(document, "1", "Message", "written \xE9\n[2]\r\nDay=7");
    IniSetString(document, "3", "Day", "\xC3\xA9");
    IniRemoveSection(document, "2");
    IniDocument again;
    ParseIniDocument(again, SerializeIniDocument(document));
    Check(IniGetString(again, "1", "Message", "", 256) == "written \xE9 [2]  Day=7", "write read back");
    Check(IniGetString(again, "3", "Day", "", 256) == "\xC3\xA9", "ANSI text read back as written");
    Check(IniGetString(again, "2", "Day", "<none>", 256) == "<none>", "removed section stays removed");

    // The loader on the same bytes, unless they ask for a table so large the
    // program would end with "Not enough memory" (which ends this process).
    int32_t entries = int32_t(IniGetInt(document, "Options", "Entries", 0));
    if (entries >= 0 && entries <= 1000) {
        static std::string path = "/tmp/tq-fuzz-" + std::to_string(getpid()) + ".ini";
        WriteFileBytes(path, bytes);
        std::snprintf(SettingsPath, sizeof SettingsPath, "%s", path.c_str());
        for (int startUp : {1, 0}) {
            LoadSettings(startUp);
            for (int i = 0; i < EntryTable.Count; ++i) {
                Check(EntryTable.Slots[i].Before >= 0 && EntryTable.Slots[i].Before <= 9, "Before clamped");
                Check(EntryTable.Slots[i].Message[MessageSize - 1] == 0, "message terminated");
            }
            // The one-pass loader reads what the document, key by key, reads.
            std::string difference = DifferenceFromTable(ReferenceLoad(bytes, startUp), TaskBarOption, TimerPeriod);
            if (!difference.empty())
                std::fprintf(stderr, "loader and document differ: %s\n", difference.c_str());
            Check(difference.empty(), "the loader reads as the document does");
            ReleaseEntryTable();
        }
        std::remove(path.c_str());
    }
    return 0;
}
