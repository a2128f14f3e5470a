#include "data/entry.h"
#include "shell/state.h"
#include "table_fixture.h"

namespace {

bool SlotIsZero(const ReminderEntry& entry)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(&entry);
    for (size_t i = 0; i < sizeof entry; ++i)
        if (bytes[i] != 0)
            return false;
    return true;
}

TEST_F(TableTest, GrowByTenFromEmpty)
{
    EXPECT_EQ(GrowEntryTable(0), 1);
    EXPECT_EQ(EntryTable.Capacity, 10);
    EXPECT_EQ(EntryTable.Count, 0);
    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(SlotIsZero(EntryTable.Slots[i])) << i;
}

TEST_F(TableTest, ExactSizeThenStepsOfTenKeepContentsAndZeroFill)
{
    GrowEntryTable(3);
    EXPECT_EQ(EntryTable.Capacity, 3);
    for (int i = 0; i < 3; ++i) {
        EntryTable.Slots[i].Day = i + 1;
        std::snprintf(EntryTable.Slots[i].Message, MessageSize, "entry %d", i);
    }
    EntryTable.Count = 3;
    GrowEntryTable(0);
    EXPECT_EQ(EntryTable.Capacity, 13);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(EntryTable.Slots[i].Day, i + 1);
        EXPECT_STREQ(EntryTable.Slots[i].Message, ("entry " + std::to_string(i)).c_str());
    }
    for (int i = 3; i < 13; ++i)
        EXPECT_TRUE(SlotIsZero(EntryTable.Slots[i])) << i;
    GrowEntryTable(0);
    EXPECT_EQ(EntryTable.Capacity, 23);
    EXPECT_EQ(EntryTable.Count, 3);
}

TEST_F(TableTest, ReleaseEmptiesButKeepsLoadedCount)
{
    GrowEntryTable(5);
    EntryTable.Count = 5;
    EntryTable.LoadedCount = 5;
    ReleaseEntryTable();
    EXPECT_EQ(EntryTable.Slots, nullptr);
    EXPECT_EQ(EntryTable.Count, 0);
    EXPECT_EQ(EntryTable.Capacity, 0);
    EXPECT_EQ(EntryTable.LoadedCount, 5);
    GrowEntryTable(0);
    EXPECT_EQ(EntryTable.Capacity, 10);
}

TEST_F(TableTest, LargestAcceptedSizeGrows)
{
    GrowEntryTable(MaxEntries);
    EXPECT_EQ(EntryTable.Capacity, MaxEntries);
    EXPECT_TRUE(SlotIsZero(EntryTable.Slots[MaxEntries - 1]));
}

using TableDeathTest = TableTest;

TEST_F(TableDeathTest, ImpossibleSizesEndTheProgramWithNotEnoughMemory)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (int32_t size : {-1, -2147483647 - 1, MaxEntries + 1, 2147483647}) {
        EXPECT_EXIT(
            {
                EditRequest = 4;
                GrowEntryTable(3);
                EntryTable.Count = 3;
                GrowEntryTable(size);
            },
            ::testing::ExitedWithCode(1), "TQ fatal error: Not enough memory")
            << size;
    }
}

TEST_F(TableDeathTest, FailedGrowthEmptiesTheTableBeforeTheBox)
{
    // The native error box returns when not fatal; make it observable by
    // checking the state the table is left in just before the exit.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            EditRequest = 2;
            GrowEntryTable(4);
            EntryTable.Count = 4;
            std::atexit([] {
                std::fprintf(stderr, "count=%d capacity=%d slots=%p edit=%d\n", EntryTable.Count,
                             EntryTable.Capacity, static_cast<void*>(EntryTable.Slots), EditRequest);
            });
            GrowEntryTable(-5);
        },
        ::testing::ExitedWithCode(1), "count=0 capacity=0 slots=\\(nil\\) edit=0");
}

TEST(ClampDays, IntoZeroToNine)
{
    const int32_t cases[][2] = {{-2147483647 - 1, 0}, {-1, 0}, {0, 0}, {5, 5}, {9, 9}, {10, 9}, {12, 9},
                                {2147483647, 9}};
    for (auto& c : cases) {
        int32_t days = c[0];
        ClampDays(days);
        EXPECT_EQ(days, c[1]) << c[0];
    }
}

TEST(RemindTime, EncodeAndDecode)
{
    struct {
        uint32_t Hour, Minute;
        int32_t Code;
        int DecodedHour, DecodedMinute;
    } cases[] = {
        {0, 0, 0x8000, 0, 0},   {9, 5, 0x8905, 9, 5},   {7, 5, 0x8705, 7, 5},
        {23, 59, 0x973B, 23, 59}, {25, 75, 0x810F, 1, 15}, {7, 30, 34590, 7, 30},
    };
    for (auto& c : cases) {
        EXPECT_EQ(EncodeRemindTime(c.Hour, c.Minute), c.Code) << c.Hour << ":" << c.Minute;
        EXPECT_EQ(RemindHour(c.Code), c.DecodedHour);
        EXPECT_EQ(RemindMinute(c.Code), c.DecodedMinute);
    }
    // Within a day a later time has a larger code.
    EXPECT_LT(EncodeRemindTime(0, 0), EncodeRemindTime(0, 1));
    EXPECT_LT(EncodeRemindTime(9, 59), EncodeRemindTime(10, 0));
}

} // namespace
