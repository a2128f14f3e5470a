#include "data/entry.h"

#include "data/platform.h"
#include "resources/ids.h"
#include "shell/state.h"

EntryTableState EntryTable;

static void GiveUpTable()
{
    ReleaseZeroed(EntryTable.Slots, size_t(EntryTable.Capacity) * sizeof(ReminderEntry));
    EntryTable.Slots = nullptr;
    EntryTable.Count = 0;
    EntryTable.Capacity = 0;
    EditRequest = 0;
    ShowError(IDS_NO_MEMORY, 1);
}

int GrowEntryTable(int32_t newCapacity)
{
    // Computed in 64 bits: "ten more" on a huge capacity must not wrap.
    int64_t wanted = newCapacity == 0 ? int64_t(EntryTable.Capacity) + 10 : newCapacity;
    if (wanted <= 0 || wanted > MaxEntries) {
        GiveUpTable();
        return 1; // only reached when the error box does not end the process (tests)
    }
    int32_t oldCapacity = EntryTable.Capacity;
    auto count = static_cast<size_t>(wanted);
    // count is at least 1 here: 0 was turned into "ten more" above.
    size_t oldBytes = size_t(oldCapacity) * sizeof(ReminderEntry);
    auto* slots = static_cast<ReminderEntry*>(EntryTable.Slots
                                                  ? ResizeZeroed(EntryTable.Slots, oldBytes, count * sizeof(ReminderEntry))
                                                  : AllocateZeroed(count * sizeof(ReminderEntry)));
    if (!slots) {
        GiveUpTable();
        return 1;
    }
    EntryTable.Slots = slots;
    EntryTable.Capacity = int32_t(wanted);
    if (EntryTable.Count > EntryTable.Capacity)
        EntryTable.Count = EntryTable.Capacity;
    return 1;
}

void ReleaseEntryTable()
{
    ReleaseZeroed(EntryTable.Slots, size_t(EntryTable.Capacity) * sizeof(ReminderEntry));
    EntryTable.Slots = nullptr;
    EntryTable.Count = 0;
    EntryTable.Capacity = 0;
}

void ClampDays(int32_t& days)
{
    if (days < 0)
        days = 0;
    else if (days > 9)
        days = 9;
}

int32_t EncodeRemindTime(uint32_t hour, uint32_t minute)
{
    return RemindTimeFlag + int32_t(256 * (hour % 24) + minute % 60);
}

int RemindHour(int32_t code)
{
    return (code >> 8) & 0x7F;
}

int RemindMinute(int32_t code)
{
    return code & 0x7F;
}
