// The entry editor without windows: what the controls show for an entry,
// what an entry becomes from the controls, the table operations behind the
// buttons and the focus rule.  The dialog procedure only moves these values
// in and out of its controls.
#ifndef TQ_DIALOGS_EDITOR_LOGIC_H
#define TQ_DIALOGS_EDITOR_LOGIC_H

#include <cstdint>

#include "data/entry.h"

constexpr int NoSelection = -1;
constexpr int YearListLength = 10; // the current year and the nine after it

// The values of the editor's controls.
struct EditorControls {
    int DayIndex;   // day list: 0 all days, 1..7 Sunday..Saturday, 8..38 the days 1..31
    int MonthIndex; // month list: 0 all months, 1..12
    int YearIndex;  // year list: 0 all years, 1..10 current year + index - 1
    uint32_t Before, After;
    uint32_t Hour, Minute;
    bool Skip, Active, Remind;
    char Message[MessageSize];
};

// The controls for an entry.  now* is the local time shown when the entry
// has no repeat time.  A value a list cannot show leaves it without a
// selection.
void ShowEntryInControls(const ReminderEntry& entry, int currentYear, uint32_t nowHour, uint32_t nowMinute,
                         EditorControls& controls);

// The controls of the empty table.
void ShowNoEntryInControls(uint32_t nowHour, uint32_t nowMinute, EditorControls& controls);

// Writes the controls into an entry.  A list without a selection leaves its
// field as it was.  Returns true when a repeat time was stored (the caller
// then starts the reminder timer).
bool StoreControlsInEntry(const EditorControls& controls, int currentYear, ReminderEntry& entry);

// The table operations of the buttons.  Each takes the current index and the
// controls (which hold the current entry), stores them where the command
// says, and returns the new current index; a command whose guard fails
// changes nothing and returns the index unchanged.  changed reports whether
// the entry shown must be redrawn.  started reports a stored repeat time.
struct EditorStep {
    int Current;
    bool Show;
    bool StoredRepeat;
};
EditorStep EditorMoveUp(int current, const EditorControls& controls, int currentYear);
EditorStep EditorMoveDown(int current, const EditorControls& controls, int currentYear);
EditorStep EditorPrevious(int current, const EditorControls& controls, int currentYear);
EditorStep EditorNext(int current, const EditorControls& controls, int currentYear);
EditorStep EditorRemove(int current);
// New grows the table by ten slots when it is full (which ends the program
// when no memory is left) and starts a blank entry: every day, month and
// year, no warning days, no skip, switched on, no repeat, empty message.
EditorStep EditorNew(int current, const EditorControls& controls, int currentYear);

// Where the keyboard focus goes when the control holding it is disabled:
// previous (114), else next (115), else New (117).  enabled114 and
// enabled115 are the states of those buttons at that moment.
int FocusAfterDisabling(int disabled, bool enabled114, bool enabled115);

#endif
