// Benchmark of the settings file: loading (with the check of what is due)
// and saving, against the floor of one plain read and one plain write of the
// same bytes; under Windows also against the Win32 profile functions making
// the same calls.  Then reading 2 MiB of lines of one shape.  Prints tables
// and ratios; asserts nothing.
//   bench_settings [largest N for the profile functions, default 1000]
#ifdef _WIN32
#include <windows.h>
#include <io.h>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/dates.h"
#include "data/entry.h"
#include "data/settings.h"
#include "shell/state.h"

namespace {

double Now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void WriteBytes(const std::string& path, const std::string& text)
{
    if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }
}

std::string SettingsText(int count)
{
    std::string text = "[Options]\r\nTask bar=1\r\nTimer period=60000\r\nEntries=" + std::to_string(count) + "\r\n";
    for (int i = 1; i <= count; ++i)
        text += "\r\n[" + std::to_string(i) + "]\r\nDay=" + std::to_string(i % 31 + 1) +
                "\r\nMonth=0\r\nYear=0\r\nBefore=2\r\nAfter=1\r\nSkip=0\r\nActive=1\r\nAgain=0\r\n"
                "Message=Reminder number " + std::to_string(i) + "\\nsecond line\r\n";
    return text;
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

#ifdef _WIN32
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
        char message[2 * MessageSize];
        EscapeMessage(entry.Message, message, sizeof message);
        WritePrivateProfileStringA(section, "Message", message, path);
    }
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path); // flush
}
#endif

void FlushToDisk(std::FILE* file)
{
    std::fflush(file);
#ifdef _WIN32
    FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file))));
#else
    fsync(fileno(file));
#endif
}

struct Figures {
    double Load, SaveChanged, SaveSame;
};

// Best of a few runs of each step.
template <typename Load, typename Save>
Figures Measure(const std::string& path, int count, int runs, Load load, Save save)
{
    Figures best = {1e9, 1e9, 1e9};
    const std::string text = SettingsText(count);
    for (int run = 0; run < runs; ++run) {
        WriteBytes(path, text);
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

// One read of the bytes, and one write of them to a new file: as it stands
// (Load, SaveSame), and flushed to the disk as a save flushes (SaveChanged).
Figures Floor(const std::string& path, int count, int runs)
{
    const std::string text = SettingsText(count);
    WriteBytes(path, text);
    Figures best = {1e9, 1e9, 1e9};
    std::vector<char> bytes(text.size());
    const std::string copy = path + ".floor";
    for (int run = 0; run < runs; ++run) {
        double start = Now();
        if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
            size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
            std::fclose(file);
            (void)got;
        }
        best.Load = std::min(best.Load, Now() - start);
        for (bool flush : {false, true}) {
            start = Now();
            if (std::FILE* file = std::fopen(copy.c_str(), "wb")) {
                std::fwrite(bytes.data(), 1, bytes.size(), file);
                if (flush)
                    FlushToDisk(file);
                std::fclose(file);
            }
            double& figure = flush ? best.SaveChanged : best.SaveSame;
            figure = std::min(figure, Now() - start);
            std::remove(copy.c_str());
        }
    }
    return best;
}

// What fresh memory costs, which a load pays however it reads: the entry
// table of count entries got and touched, and one read of the file into a
// buffer never used before.
struct MemoryFloor {
    double Table, FreshRead;
};

MemoryFloor FreshMemory(const std::string& path, int count, int runs)
{
    MemoryFloor best = {1e9, 1e9};
    const std::string text = SettingsText(count);
    WriteBytes(path, text);
    for (int run = 0; run < runs; ++run) {
        ReleaseEntryTable();
        double start = Now();
        GrowEntryTable(count);
        for (int i = 0; i < count; ++i)
            EntryTable.Slots[i].Day = 1;
        best.Table = std::min(best.Table, Now() - start);
        ReleaseEntryTable();
        // Memory straight from the system, in its ordinary pages: the heap
        // would hand back what an earlier run touched.
        start = Now();
        if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
#ifdef _WIN32
            void* bytes = VirtualAlloc(nullptr, text.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
#else
            void* bytes = mmap(nullptr, text.size(), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
            if (bytes == MAP_FAILED)
                bytes = nullptr;
#endif
            size_t got = bytes ? std::fread(bytes, 1, text.size(), file) : 0;
            std::fclose(file);
            (void)got;
            best.FreshRead = std::min(best.FreshRead, Now() - start);
#ifdef _WIN32
            VirtualFree(bytes, 0, MEM_RELEASE);
#else
            if (bytes)
                munmap(bytes, text.size());
#endif
        }
    }
    return best;
}

void Row(const char* what, int count, const Figures& f, const Figures& floor)
{
    std::printf("%-10s %7d %11.2f %11.2f %11.2f %9.1fx %9.1fx\n", what, count, f.Load * 1e3, f.SaveChanged * 1e3,
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
    WriteBytes(path, text);
    double best = 1e9;
    for (int run = 0; run < runs; ++run) {
        double start = Now();
        LoadSettings(1);
        SaveSettings(); // reads the file into the document; nothing changed, nothing written
        best = std::min(best, Now() - start);
        ReleaseEntryTable();
    }
    return best;
}

void Shapes(const std::string& path)
{
    std::printf("\nreading 2 MiB of lines of one shape (a load and a save that writes nothing; best of 5, ms)\n");
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
        std::printf("%-26s %9.2f ms %7.2fx plain keys%s\n", shape.Name, time * 1e3, time / plain,
                    plain == time ? "" : time / plain <= 3 ? "  (goal at most 3x: met)" : "  (goal at most 3x: MISSED)");
    }
}

std::string TemporaryFolder()
{
#ifdef _WIN32
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    return temp;
#else
    const char* temp = std::getenv("TMPDIR");
    return std::string(temp && *temp ? temp : "/tmp") + "/";
#endif
}

} // namespace

int main(int argc, char** argv)
{
    int profileLimit = argc > 1 ? std::atoi(argv[1]) : 1000;
    std::string path = TemporaryFolder() + "tq-bench.ini";
    std::snprintf(SettingsPath, sizeof SettingsPath, "%s", path.c_str());
    CalendarDate today{10, 6, 2026};
    SetFixedToday(&today);

    std::printf("times in ms, best of several runs; ratios to the floor of one plain read and of one plain write\n"
                "flushed to the disk, as a save flushes (the write without flushing is in the floor's last column)\n");
    std::printf("%-10s %7s %11s %11s %11s %10s %10s\n", "method", "N", "load+due", "save(chg)", "save(same)", "load/fl",
                "save/fl");
    Figures previous = {};
    std::vector<std::string> goals;
    for (int count : {10, 100, 1000, 10000, 100000}) {
        int runs = count >= 10000 ? 3 : 5;
        Figures floor = Floor(path, count, runs);
        Figures document = Measure(path, count, runs, [] { LoadSettings(1); }, [] { SaveSettings(); });
        std::printf("%-10s %7d %11.2f %11.2f %11.2f\n", "floor", count, floor.Load * 1e3, floor.SaveChanged * 1e3,
                    floor.SaveSame * 1e3);
        Row("program", count, document, floor);
#ifdef _WIN32
        if (count <= profileLimit) {
            Figures profile = Measure(path, count, count >= 1000 ? 1 : 3, [&] { ProfileLoad(path.c_str()); },
                                      [&] { ProfileSave(path.c_str()); });
            Row("profile", count, profile, floor);
        } else {
            std::printf("%-10s %7d  (skipped: grows with the square of the file)\n", "profile", count);
        }
#else
        (void)profileLimit;
#endif
        if (count >= 10000) {
            char line[200];
            double reading = document.Load / floor.Load, saving = document.SaveChanged / floor.SaveChanged;
            std::snprintf(line, sizeof line,
                          "N=%d: reading %.1fx one plain read (goal at most 5x: %s), saving %.1fx one plain write "
                          "(goal at most 5x: %s; %.1fx the write without flushing)",
                          count, reading, reading <= 5 ? "met" : "MISSED", saving, saving <= 5 ? "met" : "MISSED",
                          document.SaveChanged / floor.SaveSame);
            goals.push_back(line);
            MemoryFloor memory = FreshMemory(path, count, runs);
            std::snprintf(line, sizeof line,
                          "  what fresh memory costs here: the entry table got and touched %.2f ms (%.0f%% of the "
                          "load), one read into new memory %.2f ms (the load takes %.1fx that)",
                          memory.Table * 1e3, 100 * memory.Table / document.Load, memory.FreshRead * 1e3,
                          document.Load / memory.FreshRead);
            goals.push_back(line);
        }
        if (count == 100000) {
            char line[200];
            std::snprintf(line, sizeof line, "growth from 10,000 to 100,000 entries: load %.1fx, save %.1fx (linear: 10x)",
                          document.Load / previous.Load, document.SaveChanged / previous.SaveChanged);
            goals.push_back(line);
        }
        previous = document;
    }
    std::printf("\n");
    for (const std::string& goal : goals)
        std::printf("%s\n", goal.c_str());
    Shapes(path);
    std::remove(path.c_str());
    return 0;
}
