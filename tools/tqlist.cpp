// tqlist: lists the reminders of a settings file that are due today, or all
// of them, the way TQ sees them at start-up.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "data/dates.h"
#include "data/entry.h"
#include "data/settings.h"
#include "shell/state.h"

namespace {

const char Usage[] =
    "usage: tqlist [--today YYYY-MM-DD] [--all] [SETTINGS-FILE]\n"
    "Lists the reminders due today (every reminder with --all), one per line:\n"
    "number, \"due\" or \"-\", the matching date, the message (line breaks as \\n).\n"
    "The settings file defaults to TQ.INI.\n";

bool ParseDate(const char* text, CalendarDate& date)
{
    int year, month, day;
    char extra;
    if (std::sscanf(text, "%4d-%2d-%2d%c", &year, &month, &day, &extra) != 3 || std::strlen(text) != 10)
        return false;
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1970 || year > 2099 || month < 1 || month > 12 || day < 1 ||
        day > lengths[month - 1] + (month == 2 && year % 4 == 0))
        return false;
    date.Day = uint8_t(day);
    date.Month = uint8_t(month);
    date.Year = year;
    return true;
}

int Fail(const char* message, const char* argument)
{
    std::fprintf(stderr, "tqlist: %s%s\n%s", message, argument, Usage);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY); // the same bytes on every platform
#endif
    bool all = false;
    const char* path = nullptr;
    CalendarDate today;
    bool fixed = false;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (!std::strcmp(argument, "--help") || !std::strcmp(argument, "-h")) {
            std::fputs(Usage, stdout);
            return 0;
        }
        if (!std::strcmp(argument, "--all")) {
            all = true;
        } else if (!std::strcmp(argument, "--today")) {
            if (++i == argc)
                return Fail("--today needs a date", "");
            if (!ParseDate(argv[i], today))
                return Fail("not a date between 1970-01-01 and 2099-12-31: ", argv[i]);
            fixed = true;
        } else if (argument[0] == '-' && argument[1] == '-') {
            return Fail("unknown option: ", argument);
        } else if (path) {
            return Fail("more than one settings file: ", argument);
        } else {
            path = argument;
        }
    }
    if (!path)
        path = "TQ.INI";
    if (std::strlen(path) >= sizeof SettingsPath)
        return Fail("settings path too long: ", path);
    std::snprintf(SettingsPath, sizeof SettingsPath, "%s", path);
    if (fixed)
        SetFixedToday(&today);

    LoadSettings(1);
    for (int i = 0; i < EntryTable.Count; ++i) {
        int due = IsDue(i); // before the text: building it recomputes the matching date
        if (!due && !all)
            continue;
        const char* date = FormatMatchingDate(i);
        char message[MessageSize];
        EscapeMessage(EntryTable.Slots[i].Message, message, sizeof message);
        std::printf("%d\t%s\t%s\t%s\n", i + 1, due ? "due" : "-", date, message);
    }
    ReleaseEntryTable();
    return 0;
}
