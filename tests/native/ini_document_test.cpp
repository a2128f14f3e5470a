#include <gtest/gtest.h>

#include "test_text.h"

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
                         CaseName());

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

namespace {

// Text beyond ASCII in each encoding an editor saves, read as the program's
// ANSI text (Windows-1252 in this build).
struct EncodingCase {
    const char* Name;
    std::string File;
    TextEncoding Encoding;
    std::string Read; // [S] k
};

const EncodingCase EncodingCases[] = {
    {"UTF-8 with a mark", "\xEF\xBB\xBF[S]\r\nk=Café €5\r\n", TextEncoding::Utf8, "Caf\xE9 \x80" "5"},
    {"UTF-8 without a mark", "[S]\r\nk=Café €5\r\n", TextEncoding::Utf8, "Caf\xE9 \x80" "5"},
    {"UTF-16 LE", Utf16(u"[S]\r\nk=Café €5\r\n", false), TextEncoding::Utf16Le, "Caf\xE9 \x80" "5"},
    {"UTF-16 BE", Utf16(u"[S]\r\nk=Café €5\r\n", true), TextEncoding::Utf16Be, "Caf\xE9 \x80" "5"},
    {"ANSI that is no UTF-8", "[S]\r\nk=Caf\xE9 \x80" "5\r\n", TextEncoding::Ansi, "Caf\xE9 \x80" "5"},
    {"ASCII alone is ANSI", "[S]\nk=plain\n", TextEncoding::Ansi, "plain"},
    {"beyond the code page, UTF-8", "\xEF\xBB\xBF[S]\nk=Жук ☺ 😀\n", TextEncoding::Utf8, "??? ? ?"},
    {"beyond the code page, UTF-16", Utf16(u"[S]\nk=Жук 😀\n", false), TextEncoding::Utf16Le, "??? ?"},
    {"ill-formed UTF-8 after a mark", "\xEF\xBB\xBF[S]\nk=a\xE9z\xC3\n", TextEncoding::Utf8, "a?z?"},
    {"UTF-8 names", "[Städte]\nk=1\n[S]\nk=Ümlaut\n", TextEncoding::Utf8, "\xDCmlaut"},
    {"a mark alone", "\xEF\xBB\xBF", TextEncoding::Utf8, "<d>"},
};

class EncodingTest : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(EncodingTest, ReadsAsAnsiAndWritesTheFilesOwnEncoding)
{
    const EncodingCase& c = GetParam();
    IniDocument document = Parse(c.File);
    EXPECT_EQ(document.Encoding, c.Encoding);
    EXPECT_EQ(IniGetString(document, "S", "k", "<d>", 256), c.Read);
    EXPECT_EQ(SerializeIniDocument(document), c.File) << "unchanged: byte for byte";

    // Writing back what was read changes nothing, even where the code page
    // could not hold a character: that line keeps its bytes.
    if (c.Read != "<d>") {
        IniSetString(document, "S", "k", c.Read.c_str());
        EXPECT_FALSE(document.Changed);
    }
    // A new value is stored in the file's encoding and read back as written.
    IniSetString(document, "S", "k", "\xE9t\xE9 \x80");
    IniSetString(document, "S", "new", "\xFC");
    IniDocument again = Parse(SerializeIniDocument(document));
    EXPECT_EQ(again.Encoding, c.Encoding);
    EXPECT_EQ(IniGetString(again, "S", "k", "<d>", 256), "\xE9t\xE9 \x80");
    EXPECT_EQ(IniGetString(again, "S", "new", "<d>", 256), "\xFC");
}

INSTANTIATE_TEST_SUITE_P(Cases, EncodingTest, ::testing::ValuesIn(EncodingCases),
                         CaseName());

TEST(IniDocument, ValuesAreWrittenInTheFilesEncoding)
{
    IniDocument utf8 = Parse("\xEF\xBB\xBF[S]\r\nk=x\r\n");
    IniSetString(utf8, "S", "k", "Caf\xE9 \x80" "5");
    EXPECT_EQ(SerializeIniDocument(utf8), "\xEF\xBB\xBF[S]\r\nk=Café €5\r\n");

    IniDocument bare = Parse("[S]\nk=é\n"); // UTF-8 without a mark stays so
    IniSetString(bare, "S", "k", "\xE8");
    EXPECT_EQ(SerializeIniDocument(bare), "[S]\nk=è\n");

    IniDocument le = Parse(Utf16(u"[S]\nk=x\n", false));
    IniSetString(le, "S", "k", "\x80");
    EXPECT_EQ(SerializeIniDocument(le), Utf16(u"[S]\nk=€\n", false));

    IniDocument be = Parse(Utf16(u"[S]\nk=x\n", true));
    IniSetString(be, "T", "k", "\xE9");
    EXPECT_EQ(SerializeIniDocument(be), Utf16(u"[S]\nk=x\n\n[T]\nk=é\n", true));

    IniDocument ansi = Parse("[S]\nk=x\n");
    IniSetString(ansi, "S", "k", "\xE9");
    EXPECT_EQ(SerializeIniDocument(ansi), "[S]\nk=\xE9\n");
}

TEST(IniDocument, TheLimitCountsCharactersAsTheProgramHoldsThem)
{
    std::string e300;
    for (int i = 0; i < 300; ++i)
        e300 += "é";
    IniDocument document = Parse("[S]\nk=" + e300 + "\n");
    EXPECT_EQ(IniGetString(document, "S", "k", "", 256), std::string(255, '\xE9'));
}

TEST(IniDocument, LoneLastByteOfUtf16IsKept)
{
    const std::string file = Utf16(u"[S]\r\nk=1\r\n", false) + "A";
    IniDocument document = Parse(file);
    EXPECT_EQ(IniGetString(document, "S", "k", "", 256), "1");
    EXPECT_EQ(SerializeIniDocument(document), file);
    IniSetString(document, "S", "k", "2");
    EXPECT_EQ(SerializeIniDocument(document), Utf16(u"[S]\r\nk=2\r\n", false) + "A");
}

TEST(IniDocument, ALineBreakInAValueNeverStartsALine)
{
    IniDocument document = Parse("[1]\nMessage=x\n[2]\nDay=5\n");
    IniSetString(document, "1", "Message", "note\n[2]\nDay=9\rx");
    IniDocument again = Parse(SerializeIniDocument(document));
    EXPECT_EQ(IniGetString(again, "1", "Message", "", 256), "note [2] Day=9 x");
    EXPECT_EQ(IniGetString(again, "2", "Day", "", 256), "5");
}

TEST(IniDocument, SearchesStayWithinTheirLine)
{
    // An unclosed "[" takes no "]" from a later line, a line without "="
    // takes none from the next one.
    IniDocument document = Parse("[S]\n[T\nnote\nk=v]\n[U]\nj=1\n");
    EXPECT_EQ(IniGetString(document, "S", "[T", "<d>", 256), "<d>");
    EXPECT_EQ(IniGetString(document, "S", "note", "<d>", 256), "<d>");
    EXPECT_EQ(IniGetString(document, "S", "k", "<d>", 256), "v]");
    EXPECT_EQ(IniGetString(document, "U", "j", "<d>", 256), "1");
}

TEST(IniDocument, ManySectionsOfOneNameAreAllRemoved)
{
    std::string file;
    for (int i = 0; i < 20000; ++i)
        file += "[x]\nk=" + std::to_string(i) + "\n";
    file += "[y]\nk=last\n";
    IniDocument document = Parse(file);
    EXPECT_EQ(IniGetString(document, "X", "k", "", 256), "0");
    IniRemoveSection(document, "x");
    EXPECT_EQ(SerializeIniDocument(document), "[y]\nk=last\n");
}

} // namespace

namespace {

TEST(IniDocument, AnsiTextThatWouldReadAsUtf8IsWrittenWithAMark)
{
    IniDocument document = Parse("[S]\r\nk=x\r\n");
    IniSetString(document, "S", "k", "\xC3\xA9"); // "Ã©" in Windows-1252, also the UTF-8 of "é"
    std::string saved = SerializeIniDocument(document);
    EXPECT_EQ(saved, "\xEF\xBB\xBF[S]\r\nk=Ã©\r\n");
    IniDocument again = Parse(saved);
    EXPECT_EQ(IniGetString(again, "S", "k", "", 256), "\xC3\xA9");
    // Text that reads back as it is stays ANSI.
    document = Parse("[S]\r\nk=x\r\n");
    IniSetString(document, "S", "k", "\xE9t\xE9");
    EXPECT_EQ(SerializeIniDocument(document), "[S]\r\nk=\xE9t\xE9\r\n");
}

} // namespace
