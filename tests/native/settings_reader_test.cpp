// The one-pass settings loader against the settings document looked up key
// by key, on files of every shape: the fixtures, and files made to tell them
// apart.
#include <gtest/gtest.h>

#include "test_text.h"

#include <dirent.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "data/settings.h"
#include "reference_loader.h"
#include "shell/state.h"
#include "settings_fixture.h"
#include "tests/file_bytes.h"

namespace {

struct Shape {
    const char* Name;
    std::string File;
};

const Shape Shapes[] = {
    {"options first", "[Options]\nEntries=2\n[1]\nDay=5\nMessage=one\n[2]\nDay=-6\nActive=1\nMessage=two\n"},
    {"options last", "[2]\nDay=7\nMessage=second\n[1]\nDay=3\n[Options]\nEntries=2\nTask bar=0\n"},
    {"options in the middle", "[1]\nDay=1\n[Options]\nEntries=3\n[3]\nDay=3\n[2]\nDay=2\n"},
    {"no options", "[1]\nDay=1\nMessage=never read\n"},
    {"options twice", "[Options]\nEntries=1\n[1]\nDay=4\n[options]\nEntries=5\nTimer period=5\n"},
    {"sections twice, the first counts", "[Options]\nEntries=1\n[1]\nDay=4\n[ 1 ]\nDay=9\nMonth=3\n"},
    {"keys twice, the first counts", "[Options]\nEntries=1\n[1]\nDay=4\nday=9\nDAY=1\n"},
    {"a key without = hides later ones", "[Options]\nEntries=1\nEntries=3\n[1]\nDay\nDay=8\nMessage\nMessage=x\n"},
    {"names in other cases and blanks", "[ OPTIONS ]\n  entries =  1 \n[1]\n  mESSAGE  =  spaced  \n day = 0x1F\n"},
    {"leading zeros are another name", "[Options]\nEntries=2\n[01]\nDay=1\n[2]\nDay=2\n[02]\nDay=3\n"},
    {"sections beyond the count", "[Options]\nEntries=1\n[1]\nDay=1\n[2]\nDay=2\n[100001]\nDay=3\n"},
    {"a missing section", "[Options]\nEntries=3\n[1]\nDay=1\n[3]\nDay=3\n"},
    {"quotes and long values",
     "[Options]\nEntries=2\nTimer period=\"  1234  \"\n[1]\nMessage=\"" + std::string(300, 'q') + "\"\nDay='-3'\n[2]\nMessage=" +
         std::string(254, 'a') + "\"\nSkip=" + std::string(28, '0') + "12\n"},
    {"repeat times", "[Options]\nEntries=1\n[1]\nAgain=34590\n"},
    {"numbers of every form", "[Options]\nEntries=1\n[1]\nDay=-0x7\nMonth=+12\nYear=0b11111101010\nBefore=99\nAfter=-4\n"
                              "Skip=4294967297\nActive=yes\n"},
    {"line ends of every kind", "[Options]\rEntries=2\r\n[1]\nDay=1\r[2]\r\nDay=2"},
    {"an empty value is the default", "[Options]\nTask bar=\nTimer period=''\nEntries=1\n[1]\nActive=\n"},
    {"UTF-8 with a mark", "\xEF\xBB\xBF[Options]\nEntries=1\n[1]\nMessage=Café €5 Жук\n"},
    {"UTF-8 without a mark", "[Options]\nEntries=2\n[1]\nMessage=Café €5\n[2]\nMessage=plain\n"},
    {"ANSI that looks like UTF-8 until the end", "[Options]\nEntries=2\n[1]\nMessage=Café\n[2]\nMessage=caf\xE9\n"},
    {"UTF-16 LE", Utf16(u"[Options]\r\nEntries=2\r\n[1]\r\nDay=12\r\nMessage=Café €5 😀\r\n[2]\r\nDay=3\r\n", false)},
    {"UTF-16 BE", Utf16(u"[Options]\r\nEntries=1\r\n[1]\r\nDay=12\r\nMessage=Ünïcode\r\n", true)},
    {"UTF-16 with an odd last byte", Utf16(u"[Options]\nEntries=1\n[1]\nMessage=odd", false) + "x"},
    {"a mark alone", "\xEF\xBB\xBF"},
    {"two bytes", "\xEF\xBB"},
    {"nothing", ""},
    {"a NUL in a message", std::string("[Options]\nEntries=1\n[1]\nMessage=before\0after\n", 38)},
    {"a line break escape", "[Options]\nEntries=1\n[1]\nMessage=one\\ntwo\\\\n\n"},
};

class ReaderTest : public SettingsTest, public ::testing::WithParamInterface<Shape> {
protected:
    // Loads bytes both ways, at start-up and as a reload.
    void Compare(const std::string& bytes)
    {
        Write(bytes);
        for (int startUp : {1, 0}) {
            ReleaseEntryTable();
            LoadSettings(startUp);
            EXPECT_EQ(DifferenceFromTable(ReferenceLoad(bytes, startUp), TaskBarOption, TimerPeriod), "")
                << "start-up " << startUp;
            EXPECT_EQ(EntryTable.LoadedCount, EntryTable.Count);
        }
    }
};

TEST_P(ReaderTest, ReadsAsTheDocumentDoes)
{
    Compare(GetParam().File);
}

INSTANTIATE_TEST_SUITE_P(Shapes, ReaderTest, ::testing::ValuesIn(Shapes),
                         CaseName());

class FixtureReaderTest : public ReaderTest {};

TEST_F(FixtureReaderTest, EveryFixtureReadsAsTheDocumentDoes)
{
    const std::string folder = TQ_SOURCE_DIR "/tests/fixtures/settings";
    DIR* listing = opendir(folder.c_str());
    ASSERT_NE(listing, nullptr);
    int files = 0;
    while (dirent* item = readdir(listing)) {
        std::string name = item->d_name;
        if (name.size() < 4 || name.substr(name.size() - 4) != ".ini")
            continue;
        SCOPED_TRACE(name);
        Compare(ReadFileBytes(folder + "/" + name));
        ++files;
    }
    closedir(listing);
    EXPECT_GT(files, 20);
}

TEST_F(FixtureReaderTest, LinesLongerThanAPieceAndPiecesSplittingLines)
{
    // The loader reads in pieces (of 64 KiB; these lines span many): a
    // message line far longer than a piece, and a CR LF or a UTF-16 unit
    // split between two pieces, read as they do in one piece.
    std::string head = "[Options]\r\nEntries=3\r\n[1]\r\nMessage=" + std::string(3u << 20, 'x') + "\r\n";
    std::string filler = "; " + std::string((1u << 20) - head.size() % (1u << 20) - 3, '-') + "\r";
    Compare(head + filler + "\n[2]\r\nDay=9\r\n[3]\r\nDay=10\r\n");
    std::u16string wide = u"[Options]\r\nEntries=1\r\n; ";
    wide += std::u16string((1u << 19) - wide.size() - 1, u'-');
    wide += u"\r\n[1]\r\nDay=11\r\nMessage=split ü\r\n";
    Compare(Utf16(wide, false));
    Compare(Utf16(wide, true) + "y");
    // A file without a mark is UTF-8 only if it is so to its end, also where
    // a character is split between two pieces.
    for (const std::string& character : {std::string("é"), std::string("€"), std::string("😀"), std::string("\xE9")}) {
        // Entry 2 shows the verdict: "Grüße" read as UTF-8 or as ANSI bytes.
        std::string head = "[Options]\nEntries=2\n[2]\nMessage=Grüße\n[1]\nMessage=";
        std::string text = head + std::string((1u << 20) - head.size() - 1, 'm') + character + "z\n";
        SCOPED_TRACE(character);
        Compare(text);
        Compare(text + "; and then no UTF-8 \xFF\n");
    }
}

} // namespace
