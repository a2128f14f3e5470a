// The platform seam for console programs (the native build and the console
// lister): the same string list, errors on standard error, the C clock.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "data/platform.h"
#include "resources/strings.h"

namespace {
struct StringRow {
    int Id;
    const char* Text;
};

#define TQ_NATIVE_STRING(id, text) {id, text},
const StringRow StringTable[] = {TQ_STRING_TABLE(TQ_NATIVE_STRING)};
#undef TQ_NATIVE_STRING

char TextBuffer[LONG_TEXT_SIZE];
} // namespace

int LoadTextInto(int id, char* buffer, int size)
{
    if (size <= 0)
        return 0;
    buffer[0] = 0;
    for (const StringRow& row : StringTable) {
        if (row.Id == id) {
            std::snprintf(buffer, size_t(size), "%s", row.Text);
            return int(std::strlen(buffer));
        }
    }
    return 0;
}

char* LoadText(int id)
{
    LoadTextInto(id, TextBuffer, sizeof TextBuffer);
    return TextBuffer;
}

void ShowErrorText(const char* text, int fatal)
{
    char caption[LONG_TEXT_SIZE];
    LoadTextInto(IDS_ERROR_CAPTION, caption, sizeof caption);
    std::fprintf(stderr, "%s: %s\n", caption, text);
    if (fatal)
        std::exit(1);
}

void ShowError(int id, int fatal)
{
    ShowErrorText(LoadText(id), fatal);
}

CalendarDate ReadLocalDate()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    local = *std::localtime(&now);
    CalendarDate date;
    date.Day = uint8_t(local.tm_mday);
    date.Month = uint8_t(local.tm_mon + 1);
    date.Year = local.tm_year + 1900;
    return date;
}
