#include "dialogs/editor_logic.h"

#include <cstdio>
#include <cstring>

#include "data/settings.h"
#include "resources/ids.h"

void ShowEntryInControls(const ReminderEntry& entry, int currentYear, uint32_t nowHour, uint32_t nowMinute,
                         EditorControls& controls)
{
    if (entry.Day < -8 || entry.Day > 31)
        controls.DayIndex = NoSelection;
    else
        controls.DayIndex = entry.Day < 0 ? entry.Day + 8 : entry.Day > 0 ? entry.Day + 7 : 0;
    controls.MonthIndex = entry.Month >= 0 && entry.Month <= 12 ? entry.Month : NoSelection;
    // The previous year shows no selection: shown as "All years" it would be
    // stored back as a reminder for every year.
    int64_t offset = int64_t(entry.Year) - currentYear;
    if (entry.Year == 0)
        controls.YearIndex = 0;
    else if (offset >= 0 && offset < YearListLength)
        controls.YearIndex = int(offset) + 1;
    else
        controls.YearIndex = NoSelection;
    controls.Before = uint32_t(entry.Before);
    controls.After = uint32_t(entry.After);
    controls.Skip = entry.Skip != 0 && entry.Skip == entry.MatchingDate;
    controls.Active = entry.Active != 0;
    std::snprintf(controls.Message, sizeof controls.Message, "%s", entry.Message);
    controls.Remind = entry.Again != 0;
    controls.Hour = controls.Remind ? uint32_t(RemindHour(entry.Again)) : nowHour;
    controls.Minute = controls.Remind ? uint32_t(RemindMinute(entry.Again)) : nowMinute;
}

void ShowNoEntryInControls(uint32_t nowHour, uint32_t nowMinute, EditorControls& controls)
{
    controls.DayIndex = NoSelection;
    controls.MonthIndex = NoSelection;
    controls.YearIndex = NoSelection;
    controls.Before = 0;
    controls.After = 0;
    controls.Skip = false;
    controls.Active = true;
    controls.Message[0] = 0;
    controls.Remind = false;
    controls.Hour = nowHour;
    controls.Minute = nowMinute;
}

bool StoreControlsInEntry(const EditorControls& controls, int currentYear, ReminderEntry& entry)
{
    int day = controls.DayIndex;
    if (day != NoSelection)
        entry.Day = day > 7 ? day - 7 : day >= 1 ? day - 8 : day;
    if (controls.MonthIndex != NoSelection)
        entry.Month = controls.MonthIndex;
    if (controls.YearIndex != NoSelection)
        entry.Year = controls.YearIndex == 0 ? 0 : controls.YearIndex + currentYear - 1;
    entry.Before = int32_t(controls.Before);
    entry.After = int32_t(controls.After);
    entry.Skip = controls.Skip ? entry.MatchingDate : 0;
    entry.Active = controls.Active ? 1 : 0;
    std::snprintf(entry.Message, sizeof entry.Message, "%s", controls.Message);
    NormalizeLineBreaks(entry.Message, sizeof entry.Message); // pasted text may break lines with LF alone
    ClampDays(entry.Before);
    ClampDays(entry.After);
    entry.Again = controls.Remind ? EncodeRemindTime(controls.Hour, controls.Minute) : 0;
    return controls.Remind;
}

static bool Store(int index, const EditorControls& controls, int currentYear)
{
    if (index < 0 || index >= EntryTable.Count)
        return false;
    return StoreControlsInEntry(controls, currentYear, EntryTable.Slots[index]);
}

EditorStep EditorMoveUp(int current, const EditorControls& controls, int currentYear)
{
    if (current <= 0 || current >= EntryTable.Count)
        return {current, false, false};
    // A swap whose moving half comes from the controls.
    EntryTable.Slots[current] = EntryTable.Slots[current - 1];
    --current;
    return {current, true, Store(current, controls, currentYear)};
}

EditorStep EditorMoveDown(int current, const EditorControls& controls, int currentYear)
{
    if (current < 0 || current >= EntryTable.Count - 1)
        return {current, false, false};
    EntryTable.Slots[current] = EntryTable.Slots[current + 1];
    ++current;
    return {current, true, Store(current, controls, currentYear)};
}

EditorStep EditorPrevious(int current, const EditorControls& controls, int currentYear)
{
    if (current <= 0)
        return {current, false, false};
    bool repeat = Store(current, controls, currentYear);
    return {current - 1, true, repeat};
}

EditorStep EditorNext(int current, const EditorControls& controls, int currentYear)
{
    if (current >= EntryTable.Count - 1)
        return {current, false, false};
    bool repeat = Store(current, controls, currentYear);
    return {current + 1, true, repeat};
}

EditorStep EditorRemove(int current)
{
    int count = EntryTable.Count;
    if (count < 1 || current < 0 || current >= count)
        return {current, false, false};
    if (current < count - 1)
        std::memmove(&EntryTable.Slots[current], &EntryTable.Slots[current + 1],
                     size_t(count - 1 - current) * sizeof(ReminderEntry));
    else if (current != 0)
        --current;
    EntryTable.Count = count - 1;
    return {current, true, false};
}

EditorStep EditorNew(int current, const EditorControls& controls, int currentYear)
{
    if (EntryTable.Count >= EntryTable.Capacity)
        GrowEntryTable(0);
    bool repeat = Store(current, controls, currentYear);
    current = EntryTable.Count++;
    ReminderEntry& entry = EntryTable.Slots[current];
    std::memset(&entry, 0, sizeof entry);
    entry.Active = 1;
    return {current, true, repeat};
}

int FocusAfterDisabling(int disabled, bool enabled114, bool enabled115)
{
    if (disabled != IDC_PREVIOUS && enabled114)
        return IDC_PREVIOUS;
    if (disabled != IDC_NEXT && enabled115)
        return IDC_NEXT;
    return IDC_NEW;
}
