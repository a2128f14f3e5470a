#include <gtest/gtest.h>

#include <cstring>

#include "data/platform.h"
#include "resources/ids.h"

namespace {

TEST(LoadText, CatalogueTextsByNumber)
{
    struct {
        int Id;
        const char* Text;
    } cases[] = {
        {IDS_ALL_DAYS, "All days"},       {IDS_WEEKDAY_FIRST + 6, "Saturday"},
        {IDS_ALL_MONTHS + 12, "December"}, {IDS_NO_EVENT, "(No scheduled event)"},
        {IDS_NEVER, "(Never)"},           {IDS_ERROR_CAPTION, "TQ fatal error"},
        {IDS_NO_MEMORY, "Not enough memory"}, {IDS_TRAY_TIP, "TQ remainder active"},
        {1035, ""}, {1039, ""}, {1053, ""}, {0, ""}, {-1, ""},
    };
    for (auto& c : cases)
        EXPECT_STREQ(LoadText(c.Id), c.Text) << c.Id;
}

TEST(LoadText, SharedBufferHoldsTheLastText)
{
    char* first = LoadText(IDS_SUNDAY);
    char* second = LoadText(IDS_MONDAY);
    EXPECT_EQ(first, second);
    EXPECT_STREQ(first, "Monday");
}

TEST(LoadText, BoundedCopyIntoSmallBuffers)
{
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(LoadTextInto(IDS_NO_EVENT, buffer, 5), 4);
    EXPECT_STREQ(buffer, "(No ");
    EXPECT_EQ(buffer[5], 'x');
    EXPECT_EQ(LoadTextInto(IDS_NEVER, buffer, 0), 0);
}

} // namespace
