#include <string>

#include "dialogs/editor_logic.h"
#include "resources/ids.h"
#include "table_fixture.h"

namespace {

constexpr int ThisYear = 2026;

class EditorLogic : public TableTest {
protected:
    void SetUp() override
    {
        SetToday(ThisYear, 6, 10);
    }
    // A table of n entries whose Day is their number and whose message names them.
    static void Fill(int n)
    {
        for (int i = 0; i < n; ++i) {
            int index = AddEntry(i + 1, 0, 0);
            std::snprintf(EntryTable.Slots[index].Message, MessageSize, "entry %d", i + 1);
        }
    }
    static EditorControls Shown(int index)
    {
        EditorControls controls;
        ComputeMatchingDate(index);
        ShowEntryInControls(EntryTable.Slots[index], ThisYear, 8, 15, controls);
        return controls;
    }
    static std::string Messages()
    {
        std::string all;
        for (int i = 0; i < EntryTable.Count; ++i)
            all += std::string(EntryTable.Slots[i].Message) + ";";
        return all;
    }
};

TEST_F(EditorLogic, DayAndYearMappingBothWays)
{
    struct {
        int32_t Day;
        int Index;
    } days[] = {{0, 0}, {-7, 1}, {-1, 7}, {1, 8}, {31, 38}, {-8, 0}, {-9, NoSelection}, {32, NoSelection}};
    for (auto& c : days) {
        int index = AddEntry(c.Day, 0, 0);
        EditorControls controls = Shown(index);
        EXPECT_EQ(controls.DayIndex, c.Index) << c.Day;
        StoreControlsInEntry(controls, ThisYear, EntryTable.Slots[index]);
        // Everything a list can show comes back unchanged ("All days" for -8
        // is stored as 0); a value it cannot show is left alone.
        EXPECT_EQ(EntryTable.Slots[index].Day, c.Day == -8 ? 0 : c.Day) << c.Day;
    }
    struct {
        int32_t Year;
        int Index;
    } years[] = {{0, 0},
                 {ThisYear, 1},
                 {ThisYear + 9, 10},
                 {ThisYear + 10, NoSelection},
                 {ThisYear - 1, NoSelection},
                 {ThisYear - 2, NoSelection}};
    for (auto& c : years) {
        int index = AddEntry(0, 0, c.Year);
        EditorControls controls = Shown(index);
        EXPECT_EQ(controls.YearIndex, c.Index) << c.Year;
        StoreControlsInEntry(controls, ThisYear, EntryTable.Slots[index]);
        EXPECT_EQ(EntryTable.Slots[index].Year, c.Year);
    }
}

TEST_F(EditorLogic, BrowsingLeavesWhatTheListsCannotShowAlone)
{
    // A reminder for a year beyond the list, switched on, and a one-time
    // reminder of last year: shown and stored, neither changes.
    int future = AddEntry(14, 2, ThisYear + 20);
    int lastYear = AddEntry(3, 3, ThisYear - 1);
    int badMonth = AddEntry(3, 14, 0);
    for (int index : {future, lastYear, badMonth}) {
        ReminderEntry before = EntryTable.Slots[index];
        EditorControls controls = Shown(index);
        EXPECT_TRUE(controls.Active);
        StoreControlsInEntry(controls, ThisYear, EntryTable.Slots[index]);
        EXPECT_EQ(EntryTable.Slots[index].Year, before.Year);
        EXPECT_EQ(EntryTable.Slots[index].Month, before.Month);
        EXPECT_EQ(EntryTable.Slots[index].Day, before.Day);
        EXPECT_EQ(EntryTable.Slots[index].Active, 1);
    }
}

TEST_F(EditorLogic, SkipRepeatTimeAndWarningDays)
{
    int index = AddEntry(0, 0, 0, 3, 12);
    ComputeMatchingDate(index);
    ReminderEntry& entry = EntryTable.Slots[index];
    entry.Skip = entry.MatchingDate;
    entry.Again = EncodeRemindTime(9, 5);
    EditorControls controls = Shown(index);
    EXPECT_TRUE(controls.Skip);
    EXPECT_TRUE(controls.Remind);
    EXPECT_EQ(controls.Hour, 9u);
    EXPECT_EQ(controls.Minute, 5u);
    EXPECT_EQ(controls.After, 9u);
    controls.Hour = 23;
    controls.Minute = 59;
    EXPECT_TRUE(StoreControlsInEntry(controls, ThisYear, entry));
    EXPECT_EQ(entry.Again, 38715);
    EXPECT_EQ(entry.Skip, entry.MatchingDate);

    entry.Skip = 5; // an old mark shows unticked and is stored as 0
    entry.Again = 0;
    controls = Shown(index);
    EXPECT_FALSE(controls.Skip);
    EXPECT_FALSE(controls.Remind);
    EXPECT_EQ(controls.Hour, 8u); // the time given as now
    EXPECT_FALSE(StoreControlsInEntry(controls, ThisYear, entry));
    EXPECT_EQ(entry.Skip, 0);
    EXPECT_EQ(entry.Again, 0);
}

TEST_F(EditorLogic, BrowsingAndMovingOnFirstMiddleLastAndOnly)
{
    Fill(3);
    EditorControls controls = Shown(0);
    EditorStep step = EditorPrevious(0, controls, ThisYear);
    EXPECT_EQ(step.Current, 0);
    EXPECT_FALSE(step.Show);
    step = EditorMoveUp(0, controls, ThisYear);
    EXPECT_FALSE(step.Show);
    step = EditorNext(0, controls, ThisYear);
    EXPECT_EQ(step.Current, 1);
    EXPECT_TRUE(step.Show);
    controls = Shown(2);
    step = EditorNext(2, controls, ThisYear);
    EXPECT_EQ(step.Current, 2);
    EXPECT_FALSE(step.Show);
    step = EditorMoveDown(2, controls, ThisYear);
    EXPECT_FALSE(step.Show);

    // Move the middle entry up, then the first down again.
    controls = Shown(1);
    step = EditorMoveUp(1, controls, ThisYear);
    EXPECT_EQ(step.Current, 0);
    EXPECT_EQ(Messages(), "entry 2;entry 1;entry 3;");
    controls = Shown(0);
    step = EditorMoveDown(0, controls, ThisYear);
    EXPECT_EQ(step.Current, 1);
    EXPECT_EQ(Messages(), "entry 1;entry 2;entry 3;");

    ReleaseEntryTable();
    Fill(1);
    controls = Shown(0);
    for (auto command : {EditorMoveUp, EditorMoveDown, EditorPrevious, EditorNext})
        EXPECT_FALSE(command(0, controls, ThisYear).Show);
}

TEST_F(EditorLogic, RemoveFirstMiddleLastAndOnly)
{
    Fill(4);
    EXPECT_EQ(EditorRemove(1).Current, 1); // the one that followed takes its place
    EXPECT_EQ(Messages(), "entry 1;entry 3;entry 4;");
    EXPECT_EQ(EditorRemove(2).Current, 1); // the last: the one before is shown
    EXPECT_EQ(Messages(), "entry 1;entry 3;");
    EXPECT_EQ(EditorRemove(0).Current, 0);
    EXPECT_EQ(Messages(), "entry 3;");
    EXPECT_EQ(EditorRemove(0).Current, 0);
    EXPECT_EQ(EntryTable.Count, 0);
    EXPECT_FALSE(EditorRemove(0).Show);
}

TEST_F(EditorLogic, NewStartsBlankAndGrowsByTen)
{
    GrowEntryTable(2);
    Fill(2);
    ASSERT_EQ(EntryTable.Capacity, 2);
    EditorRemove(1); // leaves entry 2's bytes behind in slot 1
    EditorControls controls = Shown(0);
    EditorStep step = EditorNew(0, controls, ThisYear);
    EXPECT_EQ(step.Current, 1);
    EXPECT_EQ(EntryTable.Count, 2);
    const ReminderEntry& fresh = EntryTable.Slots[1];
    EXPECT_EQ(fresh.Day, 0);
    EXPECT_EQ(fresh.Month, 0);
    EXPECT_EQ(fresh.Year, 0);
    EXPECT_EQ(fresh.Before, 0);
    EXPECT_EQ(fresh.Skip, 0);
    EXPECT_EQ(fresh.Again, 0);
    EXPECT_EQ(fresh.Active, 1);
    EXPECT_STREQ(fresh.Message, "");
    controls = Shown(1);
    step = EditorNew(1, controls, ThisYear); // full: grows
    EXPECT_EQ(EntryTable.Capacity, 12);
    EXPECT_EQ(step.Current, 2);
    EXPECT_EQ(EntryTable.Count, 3);

    ReleaseEntryTable();
    ShowNoEntryInControls(8, 15, controls);
    step = EditorNew(0, controls, ThisYear); // from the empty state
    EXPECT_EQ(step.Current, 0);
    EXPECT_EQ(EntryTable.Capacity, 10);
    EXPECT_EQ(EntryTable.Count, 1);
}

TEST_F(EditorLogic, TickedSkipCarriedThroughAMoveEndsWithItsOwnDate)
{
    AddEntry(0, 0, 0);   // every day: matching date today
    AddEntry(25, 12, 0); // Christmas
    ComputeMatchingDate(0);
    EditorControls controls = Shown(1);
    controls.Skip = true;
    EditorStep step = EditorMoveUp(1, controls, ThisYear);
    ASSERT_EQ(step.Current, 0);
    // The store happened while slot 0 still held its neighbour's date ...
    EXPECT_EQ(EntryTable.Slots[0].Skip, DateToDayNumber(Date(ThisYear, 6, 10)));
    // ... showing it ticks the box against that date, then the label
    // recomputes the date, and the next store (OK) writes the entry's own.
    ShowEntryInControls(EntryTable.Slots[0], ThisYear, 8, 15, controls);
    EXPECT_TRUE(controls.Skip);
    ComputeMatchingDate(0);
    StoreControlsInEntry(controls, ThisYear, EntryTable.Slots[0]);
    EXPECT_EQ(EntryTable.Slots[0].Skip, DateToDayNumber(Date(ThisYear, 12, 25)));
}

TEST(EditorFocus, LeavesForPreviousThenNextThenNew)
{
    EXPECT_EQ(FocusAfterDisabling(IDC_NEXT, true, false), IDC_PREVIOUS);
    EXPECT_EQ(FocusAfterDisabling(IDC_PREVIOUS, false, false), IDC_NEW);
    EXPECT_EQ(FocusAfterDisabling(IDC_PREVIOUS, true, true), IDC_NEXT);
    EXPECT_EQ(FocusAfterDisabling(IDC_REMOVE, false, false), IDC_NEW);
    EXPECT_EQ(FocusAfterDisabling(IDC_MOVE_UP, true, true), IDC_PREVIOUS);
}

} // namespace
