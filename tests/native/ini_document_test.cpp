#include <gtest/gtest.h>

#include <string>

#include "data/ini_document.h"

namespace {

IniDocument Parse(const std::string& bytes)
{
    IniDocument document;
    ParseIniDocument(document, bytes);
    return document;
}

struct ReadCase {
    const char* Name;
    std::string File;
    const char* Section;
    const char* Key;
    const char* Text; // GetPrivateProfileString with default "<d>" and 256 bytes
    uint32_t Number;  // GetPrivateProfileInt with default 77
};

const ReadCase ReadCases[] = {
    {"plain", "[S]\r\nk=v\r\n", "S", "k", "v", 0},
    {"case of names", "[Options]\nTask Bar=5\n", "OPTIONS", "task bar", "5", 5},
    {"blanks around", "  [S]  \n  k  =   12 x  \n", "S", "k", "12 x", 12},
    {"requested names are trimmed", "[S]\nk=1\n", " S ", " k ", "1", 1},
    {"stored section names are trimmed", "[ S ]\nk=1\n", "S", "k", "1", 1},
    {"double quotes", "[S]\nk=\"  q  \"\n", "S", "k", "  q  ", 0},
    {"single quotes", "[S]\nk='-5'\n", "S", "k", "-5", uint32_t(-5)},
    {"unpaired quote stays", "[S]\nk=\"abc\n", "S", "k", "\"abc", 0},
    {"mixed quotes stay", "[S]\nk=\"abc'\n", "S", "k", "\"abc'", 0},
    {"lone quote stays", "[S]\nk=\"\n", "S", "k", "\"", 0},
    {"empty value", "[S]\nk=\n", "S", "k", "", 77},
    {"no equals sign", "[S]\nk\n", "S", "k", "<d>", 77},
    {"missing key", "[S]\nk=1\n", "S", "j", "<d>", 77},
    {"missing section", "[S]\nk=1\n", "T", "k", "<d>", 77},
    {"negative", "[S]\nk=-6\n", "S", "k", "-6", uint32_t(-6)},
    {"plus sign", "[S]\nk=+6\n", "S", "k", "+6", 6},
    {"hexadecimal", "[S]\nk=0x1F\n", "S", "k", "0x1F", 31},
    {"octal and binary", "[S]\nk=0o17\n", "S", "k", "0o17", 15},
    {"capital X is no prefix", "[S]\nk=0X1F\n", "S", "k", "0X1F", 0},
    {"no number", "[S]\nk=abc\n", "S", "k", "abc", 0},
    {"trailing text", "[S]\nk=42abc\n", "S", "k", "42abc", 42},
    {"wraps at 32 bits", "[S]\nk=4294967297\n", "S", "k", "4294967297", 1},
    {"number read from 29 characters", "[S]\nk=" + std::string(28, '0') + "12\n", "S", "k",
     "000000000000000000000000000012", 1},
    {"first duplicate section only", "[S]\na=1\n[T]\n[s]\nb=2\n", "S", "b", "<d>", 77},
    {"first duplicate key", "[S]\nk=1\nK=2\n", "S", "k", "1", 1},
    {"comment is a key of its own", "[S]\n;k=1\nk=2\n", "S", "k", "2", 2},
    {"lines before the first section", "k=1\n[S]\nk=2\n", "S", "k", "2", 2},
    {"LF only", "[S]\nk=3\n", "S", "k", "3", 3},
    {"CR only", "[S]\rk=3\rj=4", "S", "j", "4", 4},
    {"no final newline", "[S]\nk=3", "S", "k", "3", 3},
    {"blank lines", "\n\n[S]\n\n\nk=3\n\n", "S", "k", "3", 3},
    {"bracket in section name", "[a]b]\nk=1\n", "a]b", "k", "1", 1},
    {"unclosed header is a key", "[S]\n[T\nk=1\n", "S", "k", "1", 1},
    {"UTF-8 byte-order mark", "\xEF\xBB\xBF[S]\nk=8\n", "S", "k", "8", 8},
    {"UTF-16 LE byte-order mark", std::string("\xFF\xFE[\0S\0]\0\n\0k\0=\0009\0", 16), "S", "k", "9", 9},
    {"UTF-16 BE byte-order mark", std::string("\xFE\xFF\0[\0S\0]\0\n\0k\0=\0009", 16), "S", "k", "9", 9},
    {"Ctrl-Z is a blank", "[S]\nk=5\x1a\n", "S", "k", "5", 5},
};

class ReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadTest, ReadsLikeTheProfileFunctions)
{
    const ReadCase& c = GetParam();
    IniDocument document = Parse(c.File);
    EXPECT_EQ(IniGetString(document, c.Section, c.Key, "<d>", 256), c.Text);
    EXPECT_EQ(IniGetInt(document, c.Section, c.Key, 77), c.Number);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReadTest, ::testing::ValuesIn(ReadCases),
                         [](const ::testing::TestParamInfo<ReadCase>& info) {
                             std::string name;
                             for (const char* c = info.param.Name; *c; ++c)
                                 name += std::isalnum((unsigned char)*c) ? *c : '_';
                             return name;
                         });

TEST(IniDocument, StringsAreCutToTheBuffer)
{
    IniDocument document = Parse("[S]\nlong=" + std::string(300, 'x') + "\nq=\"" + std::string(300, 'y') + "\"\n");
    EXPECT_EQ(IniGetString(document, "S", "long", "", 256), std::string(255, 'x'));
    EXPECT_EQ(IniGetString(document, "S", "q", "", 256), std::string(255, 'y'));
    EXPECT_EQ(IniGetString(document, "S", "long", "", 1), "");
}

TEST(IniDocument, SetCreatesReplacesAndKeepsTheRest)
{
    IniDocument document = Parse("; head\r\n[S]\r\nk = old\r\n; note\r\nother=1\r\n\r\n[T]\r\nx=1\r\n");
    IniSetString(document, "s", "K", "new");
    IniSetString(document, "S", "added", "2");
    IniSetString(document, "U", "fresh", "3");
    EXPECT_TRUE(document.Changed);
    EXPECT_EQ(SerializeIniDocument(document), "; head\r\n[S]\r\nk=new\r\n; note\r\nother=1\r\nadded=2\r\n\r\n"
                                              "[T]\r\nx=1\r\n\r\n[U]\r\nfresh=3\r\n");
}

TEST(IniDocument, SettingTheSameValueChangesNothing)
{
    IniDocument document = Parse("[S]\nk =  same\n");
    IniSetString(document, "S", "k", "  same");
    EXPECT_FALSE(document.Changed);
    IniSetString(document, "S", "k", "other");
    EXPECT_TRUE(document.Changed);
}

TEST(IniDocument, RemovalTakesEveryDuplicateWithItsKeys)
{
    IniDocument document = Parse("[1]\na=1\n[2]\nb=2\n[1]\nc=3\n");
    IniRemoveSection(document, "1");
    EXPECT_EQ(SerializeIniDocument(document), "[2]\nb=2\n");
    EXPECT_EQ(IniGetString(document, "1", "c", "<d>", 256), "<d>");
    IniSetString(document, "1", "d", "4"); // a later write makes it anew
    EXPECT_EQ(SerializeIniDocument(document), "[2]\nb=2\n\n[1]\nd=4\n");
}

TEST(IniDocument, RemovingAMissingSectionChangesNothing)
{
    IniDocument document = Parse("[1]\na=1\n");
    IniRemoveSection(document, "2");
    EXPECT_FALSE(document.Changed);
}

TEST(IniDocument, NewLinesAfterALastLineWithoutLineEnd)
{
    IniDocument document = Parse("[S]\nk=1");
    IniSetString(document, "S", "j", "2");
    EXPECT_EQ(SerializeIniDocument(document), "[S]\nk=1\nj=2\n");
}

TEST(IniDocument, EncodingAndByteOrderMarkSurvive)
{
    const std::string utf16(std::string("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0001\0\r\0\n\0", 22));
    IniDocument document = Parse(utf16);
    IniSetString(document, "S", "j", "2");
    EXPECT_EQ(SerializeIniDocument(document), utf16 + std::string("j\0=\0002\0\r\0\n\0", 10));
    document = Parse("\xEF\xBB\xBF[S]\nk=1\n");
    IniSetString(document, "S", "k", "2");
    EXPECT_EQ(SerializeIniDocument(document), "\xEF\xBB\xBF[S]\nk=2\n");
}

TEST(IniDocument, EmptyFileGetsSectionsAndCrLf)
{
    IniDocument document = Parse("");
    IniSetString(document, "Options", "Entries", "0");
    EXPECT_EQ(SerializeIniDocument(document), "[Options]\r\nEntries=0\r\n");
}

} // namespace

namespace {

TEST(IniDocument, Utf16CharacterWithALineEndByteIsNoLineEnd)
{
    // U+0D0D ends the last line: its low byte is a CR, yet it is no line end,
    // so a new key must start on a line of its own.
    const std::string file(std::string("\xFF\xFE[\0S\0]\0\n\0k\0=\0\x0D\x0D", 14));
    IniDocument document = Parse(file);
    IniSetString(document, "S", "j", "2");
    IniDocument again = Parse(SerializeIniDocument(document));
    EXPECT_EQ(IniGetString(again, "S", "j", "", 256), "2");
}

} // namespace
