// Benchmark of the settings file under Wine: the settings document against
// the Win32 profile functions making the same calls, and against the floor
// of one read and one write of the same bytes.  Prints a table; asserts
// nothing.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "data/dates.h"
#include "data/entry.h"
#include "data/settings.h"
#include "shell/state.h"

namespace {

double Now()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

void WriteSettings(const std::string& path, int count)
{
    std::string text = "[Options]\r\nTask bar=1\r\nTimer period=60000\r\nEntries=" + std::to_string(count) + "\r\n";
    for (int i = 1; i <= count; ++i)
        text += "\r\n[" + std::to_string(i) + "]\r\nDay=" + std::to_string(i % 31 + 1) +
                "\r\nMonth=0\r\nYear=0\r\nBefore=2\r\nAfter=1\r\nSkip=0\r\nActive=1\r\nAgain=0\r\n"
                "Message=Reminder number " + std::to_string(i) + "\\nsecond line\r\n";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written;
    WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr);
    CloseHandle(file);
}

void ChangeAll()
{
    for (int i = 0; i < EntryTable.Count; ++i)
        EntryTable.Slots[i].Skip += 1;
}

int DueCount()
{
    int due = 0;
    for (int i = 0; i < EntryTable.Count; ++i)
        due += IsDue(i);
    return due;
}

// The same load and save, one profile call per value.
const char* const Keys[] = {"Day", "Month", "Year", "Before", "After", "Skip", "Active", "Again"};

void ProfileLoad(const char* path)
{
    RefreshToday();
    TaskBarOption = int32_t(GetPrivateProfileIntA("Options", "Task bar", 1, path));
    TimerPeriod = GetPrivateProfileIntA("Options", "Timer period", 60000, path);
    int count = int(GetPrivateProfileIntA("Options", "Entries", 0, path));
    if (count)
        GrowEntryTable(count);
    for (int i = 0; i < count; ++i) {
        char section[16];
        std::snprintf(section, sizeof section, "%d", i + 1);
        ReminderEntry& entry = EntryTable.Slots[i];
        int32_t* fields[] = {&entry.Day, &entry.Month, &entry.Year, &entry.Before,
                             &entry.After, &entry.Skip, &entry.Active, &entry.Again};
        for (int k = 0; k < 8; ++k)
            *fields[k] = int32_t(GetPrivateProfileIntA(section, Keys[k], 0, path));
        entry.Again = 0;
        EntryTable.Count = i + 1;
        ComputeMatchingDate(i);
        GetPrivateProfileStringA(section, "Message", "", entry.Message, MessageSize, path);
        UnescapeMessage(entry.Message);
    }
    EntryTable.LoadedCount = EntryTable.Count;
}

void ProfileSave(const char* path)
{
    char value[16];
    std::snprintf(value, sizeof value, "%u", unsigned(TaskBarOption));
    WritePrivateProfileStringA("Options", "Task bar", value, path);
    std::snprintf(value, sizeof value, "%u", unsigned(TimerPeriod));
    WritePrivateProfileStringA("Options", "Timer period", value, path);
    std::snprintf(value, sizeof value, "%d", int(EntryTable.Count));
    WritePrivateProfileStringA("Options", "Entries", value, path);
    for (int i = 0; i < EntryTable.Count; ++i) {
        char section[16];
        std::snprintf(section, sizeof section, "%d", i + 1);
        const ReminderEntry& entry = EntryTable.Slots[i];
        const int32_t fields[] = {entry.Day, entry.Month, entry.Year, entry.Before,
                                  entry.After, entry.Skip, entry.Active, entry.Again};
        for (int k = 0; k < 8; ++k) {
            std::snprintf(value, sizeof value, "%d", int(fields[k]));
            WritePrivateProfileStringA(section, Keys[k], value, path);
        }
        char message[MessageSize];
        EscapeMessage(entry.Message, message, sizeof message);
        WritePrivateProfileStringA(section, "Message", message, path);
    }
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path); // flush
}

struct Figures {
    double Load, SaveChanged, SaveSame;
};

// Best of a few runs of each step.
template <typename Load, typename Save> Figures Measure(const std::string& path, int count, int runs, Load load, Save save)
{
    Figures best = {1e9, 1e9, 1e9};
    for (int run = 0; run < runs; ++run) {
        WriteSettings(path, count);
        ReleaseEntryTable();
        double start = Now();
        load();
        DueCount();
        best.Load = std::min(best.Load, Now() - start);
        ChangeAll();
        start = Now();
        save();
        best.SaveChanged = std::min(best.SaveChanged, Now() - start);
        start = Now();
        save();
        best.SaveSame = std::min(best.SaveSame, Now() - start);
    }
    ReleaseEntryTable();
    return best;
}

Figures Floor(const std::string& path, int count, int runs)
{
    WriteSettings(path, count);
    Figures best = {1e9, 1e9, 1e9};
    for (int run = 0; run < runs; ++run) {
        double start = Now();
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        std::vector<char> bytes(GetFileSize(file, nullptr));
        DWORD got;
        ReadFile(file, bytes.data(), DWORD(bytes.size()), &got, nullptr);
        CloseHandle(file);
        best.Load = std::min(best.Load, Now() - start);
        start = Now();
        std::string copy = path + ".floor";
        file = CreateFileA(copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        WriteFile(file, bytes.data(), DWORD(bytes.size()), &got, nullptr);
        CloseHandle(file);
        best.SaveChanged = std::min(best.SaveChanged, Now() - start);
        DeleteFileA(copy.c_str());
    }
    best.SaveSame = best.SaveChanged;
    return best;
}

void Row(const char* what, int count, const Figures& f, const Figures& floor)
{
    std::printf("%-10s %6d  %10.2f %10.2f %10.2f   %7.1fx %7.1fx\n", what, count, f.Load * 1e3, f.SaveChanged * 1e3,
                f.SaveSame * 1e3, f.Load / floor.Load, f.SaveChanged / floor.SaveChanged);
}

// 2 MiB of lines of one shape, read as a settings file: reading must stay
// linear whatever the lines look like.
double ReadShape(const std::string& path, const char* pattern, int runs)
{
    std::string text = "[Options]\r\nEntries=0\r\n[Notes]\r\n";
    char line[96];
    for (int i = 0; text.size() < (2u << 20); ++i) {
        std::snprintf(line, sizeof line, pattern, i);
        text += line;
    }
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written;
    WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr);
    CloseHandle(file);
    double best = 1e9;
    for (int run = 0; run < runs; ++run) {
        double start = Now();
        LoadSettings(1);
        best = std::min(best, Now() - start);
        ReleaseEntryTable();
    }
    return best;
}

void Shapes(const std::string& path)
{
    std::printf("\nreading 2 MiB of lines of one shape (best of 5, ms; ratio to plain keys, goal at most 3x)\n");
    const struct {
        const char* Name;
        const char* Pattern;
    } shapes[] = {
        {"plain keys", "key%d=some value of the key\r\n"},
        {"comment lines without =", "; a comment line without an equals sign %d\r\n"},
        {"unclosed [ lines", "[not a section header %d\r\n"},
    };
    double plain = 0;
    for (const auto& shape : shapes) {
        double time = ReadShape(path, shape.Pattern, 5);
        if (plain == 0)
            plain = time;
        std::printf("%-26s %9.2f %7.2fx\n", shape.Name, time * 1e3, time / plain);
    }
}

} // namespace

int main(int argc, char** argv)
{
    int profileLimit = argc > 1 ? std::atoi(argv[1]) : 1000;
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string path = std::string(temp) + "tq-bench.ini";
    std::snprintf(SettingsPath, sizeof SettingsPath, "%s", path.c_str());
    CalendarDate today{10, 6, 2026};
    SetFixedToday(&today);

    std::printf("times in ms (best of several runs); ratios to the floor of one read / one write\n");
    std::printf("%-10s %6s  %10s %10s %10s   %8s %8s\n", "method", "N", "load+due", "save(chg)", "save(same)",
                "load/fl", "save/fl");
    Figures previous = {};
    for (int count : {10, 100, 1000, 10000}) {
        int runs = count >= 10000 ? 3 : 5;
        Figures floor = Floor(path, count, runs);
        Figures document = Measure(path, count, runs, [] { LoadSettings(1); }, [] { SaveSettings(); });
        Row("floor", count, floor, floor);
        Row("document", count, document, floor);
        if (count <= profileLimit) {
            Figures profile = Measure(path, count, count >= 1000 ? 1 : 3, [&] { ProfileLoad(path.c_str()); },
                                      [&] { ProfileSave(path.c_str()); });
            Row("profile", count, profile, floor);
        } else {
            std::printf("%-10s %6d  (skipped: grows with the square of the file)\n", "profile", count);
        }
        if (count == 10000)
            std::printf("document growth from 1,000 to 10,000 entries: load %.1fx, save %.1fx (linear: 10x)\n",
                        document.Load / previous.Load, document.SaveChanged / previous.SaveChanged);
        previous = document;
    }
    Shapes(path);
    DeleteFileA(path.c_str());
    return 0;
}
