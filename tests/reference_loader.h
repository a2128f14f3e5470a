// The settings loader the way the profile functions would run it: every
// value looked up by its section and key in the settings document.  The
// program reads the file in one pass instead; the tests and the fuzz target
// check that both read every file alike.
#ifndef TQ_TESTS_REFERENCE_LOADER_H
#define TQ_TESTS_REFERENCE_LOADER_H

#include <cstdio>
#include <string>
#include <vector>

#include "data/entry.h"
#include "data/ini_document.h"
#include "data/settings.h"

struct ReferenceSettings {
    int32_t TaskBar;
    uint32_t TimerPeriod;
    int32_t Count;
    std::vector<ReminderEntry> Entries; // MatchingDate left 0: it follows from the rest
};

inline ReferenceSettings ReferenceLoad(const std::string& bytes, int startUp)
{
    IniDocument document;
    ParseIniDocument(document, bytes);
    ReferenceSettings settings;
    settings.TaskBar = int32_t(IniGetInt(document, "Options", "Task bar", 1));
    settings.TimerPeriod = IniGetInt(document, "Options", "Timer period", 60000);
    settings.Count = int32_t(IniGetInt(document, "Options", "Entries", 0));
    if (settings.Count <= 0 || settings.Count > MaxEntries)
        return settings;
    static const char* const keys[] = {"Day", "Month", "Year", "Before", "After", "Skip", "Active", "Again"};
    for (int32_t i = 0; i < settings.Count; ++i) {
        char section[16];
        std::snprintf(section, sizeof section, "%d", int(i + 1));
        ReminderEntry entry{};
        int32_t* fields[] = {&entry.Day,  &entry.Month,  &entry.Year,  &entry.Before,
                             &entry.After, &entry.Skip, &entry.Active, &entry.Again};
        for (int k = 0; k < 8; ++k)
            *fields[k] = int32_t(IniGetInt(document, section, keys[k], 0));
        if (startUp)
            entry.Again = 0;
        std::string message = IniGetString(document, section, "Message", "", MessageSize);
        std::snprintf(entry.Message, sizeof entry.Message, "%s", message.c_str());
        UnescapeMessage(entry.Message);
        ClampDays(entry.Before);
        ClampDays(entry.After);
        settings.Entries.push_back(entry);
    }
    return settings;
}

// What differs between the reference and the table LoadSettings made, or "".
inline std::string DifferenceFromTable(const ReferenceSettings& settings, int32_t taskBar, uint32_t timerPeriod)
{
    if (settings.TaskBar != taskBar)
        return "Task bar";
    if (settings.TimerPeriod != timerPeriod)
        return "Timer period";
    int32_t count = settings.Count > 0 && settings.Count <= MaxEntries ? settings.Count : 0;
    if (EntryTable.Count != count)
        return "entry count";
    for (int32_t i = 0; i < count; ++i) {
        const ReminderEntry& a = settings.Entries[size_t(i)];
        const ReminderEntry& b = EntryTable.Slots[i];
        if (a.Day != b.Day || a.Month != b.Month || a.Year != b.Year || a.Before != b.Before ||
            a.After != b.After || a.Skip != b.Skip || a.Active != b.Active || a.Again != b.Again)
            return "fields of entry " + std::to_string(i + 1);
        if (std::string(a.Message) != b.Message)
            return "message of entry " + std::to_string(i + 1) + ": \"" + b.Message + "\" instead of \"" + a.Message + "\"";
    }
    return "";
}

#endif
