#include <gtest/gtest.h>

#include <string>

#include "shell/command_line.h"

namespace {

struct TailCase {
    const char* Tail;
    const char* Path;
    int Edit;
};

TEST(CommandTail, EveryReading)
{
    const TailCase cases[] = {
        {nullptr, "TQ.INI", 0},
        {"", "TQ.INI", 0},
        {"   ", "TQ.INI", 0},
        {"/e", "TQ.INI", 1},
        {"/E", "TQ.INI", 1},
        {"/e   C:\\tq\\my.ini", "C:\\tq\\my.ini", 1},
        {"/emy.ini", "my.ini", 1},
        {"/x my.ini", "/x my.ini", 0},
        {"my.ini /e", "my.ini /e", 0},
        {"  my.ini", "my.ini", 0},
        {"my.ini  ", "my.ini  ", 0},               // trailing blanks stay
        {"/e\tmy.ini", "\tmy.ini", 1},             // a tab is not skipped
        {"\"C:\\My Files\\tq.ini\"", "C:\\My Files\\tq.ini", 0}, // one pair of quotes is dropped
        {"/e \"C:\\My Files\\tq.ini\"  ", "C:\\My Files\\tq.ini", 1},
        {"\"a\" \"b\"", "\"a\" \"b\"", 0},         // not one pair: taken whole
        {"\"unclosed", "\"unclosed", 0},
        {"\"\"", "TQ.INI", 0},
    };
    for (const TailCase& c : cases) {
        char path[260] = "old";
        int edit = 0;
        EXPECT_EQ(ParseCommandTail(c.Tail, path, sizeof path, edit), CommandLineResult::Ok) << (c.Tail ? c.Tail : "null");
        EXPECT_STREQ(path, c.Path) << (c.Tail ? c.Tail : "null");
        EXPECT_EQ(edit, c.Edit) << (c.Tail ? c.Tail : "null");
    }
}

TEST(CommandTail, TakenFromTheWholeCommandLine)
{
    const struct {
        const char* Line;
        const char* Tail;
    } cases[] = {
        {"TQ.EXE", ""},
        {"TQ.EXE /e my.ini", "/e my.ini"},
        {"C:\\TQ\\TQ.EXE \t /e my.ini  ", "/e my.ini  "}, // blanks and tabs after the name; trailing ones stay
        {"\"C:\\TQ\\TQ.EXE\"/e file.ini", "/e file.ini"},  // a quoted name ends at its closing quote
        {"\"C:\\My Programs\\TQ.EXE\" my.ini", "my.ini"},
        {"  \t TQ.EXE my.ini", "my.ini"},                   // leading blanks and tabs are skipped first
        {"TQ.EXE\tmy.ini", "my.ini"},                        // a tab ends an unquoted name
        {"\"C:\\TQ\\TQ\t.EXE\" x", ".EXE\" x"},            // and a quoted one
        {"\"unclosed name", ""},
        {"\"\" my.ini", "my.ini"},
        {"", ""},
        {"   ", ""},
    };
    for (auto& c : cases)
        EXPECT_STREQ(CommandTail(c.Line), c.Tail) << c.Line;
    EXPECT_EQ(CommandTail(nullptr), nullptr);
}

TEST(CommandTail, LongestPathFitsLongerIsRefused)
{
    char path[260];
    int edit = 0;
    std::string fits(259, 'a');
    EXPECT_EQ(ParseCommandTail(fits.c_str(), path, sizeof path, edit), CommandLineResult::Ok);
    EXPECT_EQ(std::string(path), fits);
    std::string tooLong(260, 'a');
    EXPECT_EQ(ParseCommandTail(tooLong.c_str(), path, sizeof path, edit), CommandLineResult::PathTooLong);
    EXPECT_STREQ(path, "");
    std::string quoted = "\"" + fits + "\"";
    EXPECT_EQ(ParseCommandTail(quoted.c_str(), path, sizeof path, edit), CommandLineResult::Ok);
    std::string huge(100000, 'b');
    EXPECT_EQ(ParseCommandTail(("/e " + huge).c_str(), path, sizeof path, edit), CommandLineResult::PathTooLong);
}

TEST(HelpPath, ExtensionReplacedOrAppended)
{
    struct {
        const char* Program;
        const char* Help;
    } cases[] = {
        {"C:\\Program Files\\TQ\\TQ.EXE", "C:\\Program Files\\TQ\\TQ.HLP"},
        {"C:\\TQ", "C:\\TQ.HLP"},
        {"C:\\dir.d\\TQ", "C:\\dir.d\\TQ.HLP"},
        {"C:TQ.EXE", "C:TQ.HLP"},
        {"C:\\a\\tq.backup.exe", "C:\\a\\tq.backup.HLP"},
        {"/unix/style/TQ.EXE", "/unix/style/TQ.HLP"},
    };
    for (auto& c : cases) {
        char help[260];
        EXPECT_TRUE(MakeHelpPath(c.Program, help, sizeof help));
        EXPECT_STREQ(help, c.Help);
    }
    char help[260];
    std::string longest = std::string(251, 'x') + ".EXE"; // 255 + ".HLP" - ".EXE" fits
    EXPECT_TRUE(MakeHelpPath(longest.c_str(), help, sizeof help));
    std::string tooLong(257, 'x');
    EXPECT_FALSE(MakeHelpPath(tooLong.c_str(), help, sizeof help));
    EXPECT_STREQ(help, "");
}

} // namespace

#include "shell/state.h"

namespace {

TEST(TimerPeriod, UselessValuesFallBackToOneMinute)
{
    const uint32_t cases[][2] = {{0, 60000},       {1, 1},         {2000, 2000},          {60000, 60000},
                                 {86400000, 86400000}, {86400001, 60000}, {4294967295u, 60000}};
    for (auto& c : cases) {
        TimerPeriod = c[0];
        EXPECT_EQ(EffectiveTimerPeriod(), c[1]) << c[0];
    }
    TimerPeriod = 0;
}

} // namespace
