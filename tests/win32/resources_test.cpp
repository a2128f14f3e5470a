// The resources of the built TQ.EXE, opened as a data file, against the
// catalogue: strings, the menu, the three dialog templates read from their
// raw bytes, both icon groups and the version block.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "about_texts.h"
#include "ids.h"
#include "strings.h"

namespace {

HMODULE Program;

class Resources : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Program = LoadLibraryExA("TQ.EXE", nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(Program, nullptr);
    }
    static void TearDownTestSuite()
    {
        FreeLibrary(Program);
    }
};

// The bytes of a language-neutral resource.
std::vector<unsigned char> Raw(LPCSTR type, int id)
{
    HRSRC found = FindResourceExA(Program, type, MAKEINTRESOURCEA(id), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    if (!found)
        return {};
    auto* bytes = static_cast<unsigned char*>(LockResource(LoadResource(Program, found)));
    return std::vector<unsigned char>(bytes, bytes + SizeofResource(Program, found));
}

std::string Narrow(const wchar_t* text)
{
    std::string out;
    for (; *text; ++text)
        out += char(*text);
    return out;
}

TEST_F(Resources, StringsAreTheCatalogueTexts)
{
    char text[256];
#define TQ_EXPECT_STRING(id, expected)                                                                                 \
    EXPECT_GT(LoadStringA(Program, id, text, sizeof text), 0) << #id;                                                  \
    EXPECT_STREQ(text, expected) << #id;
    TQ_STRING_TABLE(TQ_EXPECT_STRING)
#undef TQ_EXPECT_STRING
    for (int id : {1, 1023, 1035, 1036, 1039, 1053, 1087, 1096, 2000}) {
        text[0] = 'x';
        EXPECT_EQ(LoadStringA(Program, id, text, sizeof text), 0) << id;
    }
    LoadStringA(Program, IDS_WEEKDAY_FIRST + 6, text, sizeof text);
    EXPECT_STREQ(text, "Saturday");
    LoadStringA(Program, IDS_ALL_MONTHS + 12, text, sizeof text);
    EXPECT_STREQ(text, "December");
}

TEST_F(Resources, MenuIsOneExtendedPopup)
{
    std::vector<unsigned char> raw = Raw(RT_MENU, IDM_TRAY);
    ASSERT_GE(raw.size(), 4u);
    EXPECT_EQ(raw[0] | raw[1] << 8, 1); // extended menu header
    HMENU menu = LoadMenuA(Program, MAKEINTRESOURCEA(IDM_TRAY));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 1);
    char text[32];
    GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "P");
    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_NE(popup, nullptr);
    struct {
        UINT Id;
        UINT Type;
        const char* Text;
    } items[] = {{IDM_EDIT, MFT_STRING, "&Edit"},
                 {IDM_CHECK, MFT_STRING, "&Check"},
                 {0, MFT_SEPARATOR, ""},
                 {IDM_QUIT, MFT_STRING, "&Quit"},
                 {IDM_HELP, MFT_STRING, "&Help"}};
    ASSERT_EQ(GetMenuItemCount(popup), 5);
    for (int i = 0; i < 5; ++i) {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        text[0] = 0;
        ASSERT_TRUE(GetMenuItemInfoA(popup, UINT(i), TRUE, &info)) << i;
        EXPECT_EQ(info.wID, items[i].Id) << i;
        EXPECT_EQ(info.fType, items[i].Type) << i;
        EXPECT_EQ(info.fState & (MFS_DISABLED | MFS_CHECKED | MFS_DEFAULT), 0u) << i;
        if (items[i].Type == MFT_STRING) {
            EXPECT_STREQ(text, items[i].Text) << i;
        }
    }
    DestroyMenu(menu);
}

// A dialog template read field by field from its raw bytes.
struct Control {
    DWORD HelpId, ExStyle, Style;
    short X, Y, Width, Height;
    DWORD Id;
    int ClassAtom;         // 0 when named
    std::string ClassName;
    int TextOrdinal;       // -1 when the text is a string
    std::string Text;
    WORD ExtraBytes;
};

struct Template {
    WORD Version, Signature;
    DWORD HelpId, ExStyle, Style;
    WORD Count;
    short X, Y, Width, Height;
    WORD Menu, Class;
    std::string Caption;
    WORD PointSize, Weight;
    BYTE Italic, CharSet;
    std::string Face;
    std::vector<Control> Controls;
};

class Reader {
public:
    explicit Reader(const std::vector<unsigned char>& bytes) : Bytes(bytes) {}
    WORD Word()
    {
        WORD value = WORD(Bytes.at(At) | Bytes.at(At + 1) << 8);
        At += 2;
        return value;
    }
    DWORD Dword()
    {
        DWORD low = Word();
        return low | DWORD(Word()) << 16;
    }
    BYTE Byte()
    {
        return Bytes.at(At++);
    }
    std::string String()
    {
        std::string text;
        while (WORD c = Word())
            text += char(c);
        return text;
    }
    // A string or an ordinal: returns the ordinal, or -1 and the string.
    int StringOrOrdinal(std::string& text)
    {
        WORD first = Word();
        if (first == 0xFFFF)
            return Word();
        At -= 2;
        text = String();
        return -1;
    }
    void AlignDword()
    {
        At = (At + 3) & ~size_t(3);
    }
    size_t At = 0;

private:
    const std::vector<unsigned char>& Bytes;
};

Template ReadTemplate(int id)
{
    std::vector<unsigned char> raw = Raw(RT_DIALOG, id);
    Reader in(raw);
    Template t;
    t.Version = in.Word();
    t.Signature = in.Word();
    t.HelpId = in.Dword();
    t.ExStyle = in.Dword();
    t.Style = in.Dword();
    t.Count = in.Word();
    t.X = short(in.Word());
    t.Y = short(in.Word());
    t.Width = short(in.Word());
    t.Height = short(in.Word());
    t.Menu = in.Word();
    t.Class = in.Word();
    t.Caption = in.String();
    t.PointSize = in.Word();
    t.Weight = in.Word();
    t.Italic = in.Byte();
    t.CharSet = in.Byte();
    t.Face = in.String();
    for (int i = 0; i < t.Count; ++i) {
        in.AlignDword();
        Control c;
        c.HelpId = in.Dword();
        c.ExStyle = in.Dword();
        c.Style = in.Dword();
        c.X = short(in.Word());
        c.Y = short(in.Word());
        c.Width = short(in.Word());
        c.Height = short(in.Word());
        c.Id = in.Dword();
        c.ClassAtom = in.StringOrOrdinal(c.ClassName);
        c.TextOrdinal = in.StringOrOrdinal(c.Text);
        c.ExtraBytes = in.Word();
        t.Controls.push_back(c);
    }
    EXPECT_LE(in.At, raw.size());
    return t;
}

constexpr DWORD Shown = WS_CHILD | WS_VISIBLE;
enum Atom { ButtonAtom = 0x80, EditAtom = 0x81, StaticAtom = 0x82, ComboAtom = 0x85 };

struct ExpectedControl {
    int Id;
    int Atom;
    const char* Text; // "#1": icon ordinal 1
    DWORD Style;
    short X, Y, Width, Height;
};

struct ExpectedDialog {
    int Id;
    const char* Caption;
    DWORD Style, ExStyle;
    WORD PointSize;
    const char* Face;
    short X, Y, Width, Height;
    std::vector<ExpectedControl> Controls;
};

const DWORD MessageStyle = 0x90C828C4;
const ExpectedDialog Dialogs[] = {
    {IDD_ABOUT, "About TQ", 0x80C008C4, 0, 8, "Helv", 18, 18, 200, 152,
     {
         {-1, StaticAtom, "#1", Shown | SS_ICON, 10, 8, 18, 20},
         {901, StaticAtom, "TQ 1.31", Shown | SS_CENTER | WS_GROUP, 40, 8, 120, 18},
         {902, StaticAtom, TQ_ABOUT_NOTICE, Shown | SS_CENTER | WS_GROUP, 2, 40, 196, 18},
         {-1, StaticAtom, "", Shown | SS_BLACKFRAME, 69, 60, 62, 1},
         {-1, StaticAtom, TQ_ABOUT_USAGE, Shown | SS_CENTER | WS_GROUP, 30, 66, 140, 25},
         {-1, StaticAtom, "", Shown | SS_BLACKFRAME, 69, 96, 62, 1},
         {-1, StaticAtom, "Bug reports and suggestions:", Shown | SS_CENTER | WS_GROUP, 30, 102, 140, 10},
         {911, StaticAtom, TQ_ABOUT_CONTACT, Shown | SS_CENTER | WS_GROUP, 14, 112, 172, 14},
         {1, ButtonAtom, "OK", Shown | BS_DEFPUSHBUTTON | WS_TABSTOP, 70, 128, 60, 16},
         {-1, StaticAtom, "A Windows 95 Reminder", Shown | SS_CENTER | WS_GROUP, 30, 28, 140, 10},
     }},
    {IDD_MESSAGE, "TQ Windows Reminder", MessageStyle, 0x401, 8, "MS Sans Serif", 6, 15, 196, 105,
     {
         {1, ButtonAtom, "OK", Shown | BS_DEFPUSHBUTTON | WS_TABSTOP, 8, 87, 42, 14},
         {801, ButtonAtom, "&Edit", Shown | BS_PUSHBUTTON | WS_TABSTOP, 77, 87, 42, 14},
         {997, ButtonAtom, "&Help", Shown | BS_PUSHBUTTON | WS_TABSTOP, 146, 87, 42, 14},
         {2, ButtonAtom, "", WS_CHILD | BS_PUSHBUTTON, 145, 112, 42, 14},
         {200, StaticAtom, "", Shown | SS_CENTER | WS_GROUP, 8, 8, 180, 8},
         {110, EditAtom, "", Shown | ES_MULTILINE | WS_BORDER, 8, 20, 180, 30},
         {108, ButtonAtom, "&Skip this message till next matching date",
          Shown | BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 8, 54, 180, 12},
         {505, ButtonAtom, "&Remind me at:", Shown | BS_AUTOCHECKBOX | WS_TABSTOP, 8, 68, 58, 12},
         {501, EditAtom, "", Shown | ES_RIGHT | ES_READONLY | WS_BORDER | WS_TABSTOP, 66, 68, 26, 12},
         {-1, StaticAtom, ":", Shown | SS_LEFT | WS_GROUP, 94, 70, 2, 8},
         {503, EditAtom, "", Shown | ES_RIGHT | ES_READONLY | WS_BORDER | WS_TABSTOP, 98, 68, 26, 12},
         {-1, StaticAtom, "(from 00:00 to 23:59)", Shown | SS_LEFT | WS_GROUP, 126, 70, 66, 8},
     }},
    {IDD_EDITOR, "TQ Windows Reminder", MessageStyle, 0x401, 8, "MS Sans Serif", 7, 15, 200, 184,
     {
         {115, ButtonAtom, "&+", Shown | BS_PUSHBUTTON | WS_TABSTOP, 6, 6, 18, 14},
         {114, ButtonAtom, "&-", Shown | BS_PUSHBUTTON | WS_TABSTOP, 28, 6, 18, 14},
         {112, ButtonAtom, "&<<--", Shown | BS_PUSHBUTTON | WS_TABSTOP, 58, 6, 18, 14},
         {113, ButtonAtom, "-->&>", Shown | BS_PUSHBUTTON | WS_TABSTOP, 80, 6, 18, 14},
         {116, ButtonAtom, "&Remove", Shown | BS_PUSHBUTTON | WS_TABSTOP, 110, 6, 40, 14},
         {117, ButtonAtom, "&New", Shown | BS_PUSHBUTTON | WS_TABSTOP, 154, 6, 40, 14},
         {111, ButtonAtom, "", Shown | BS_GROUPBOX, 6, 22, 188, 137},
         {109, ButtonAtom, "&Active", Shown | BS_AUTOCHECKBOX | WS_TABSTOP, 12, 32, 31, 12},
         {-1, StaticAtom, "&Start", Shown | SS_LEFT | WS_GROUP, 50, 34, 20, 8},
         {101, EditAtom, "", Shown | ES_RIGHT | ES_READONLY | WS_BORDER | WS_TABSTOP, 72, 32, 24, 12},
         {-1, StaticAtom, "days before", Shown | SS_LEFT | WS_GROUP, 98, 34, 42, 8},
         {103, ComboAtom, "", Shown | CBS_DROPDOWNLIST | WS_TABSTOP, 12, 48, 58, 99},
         {104, ComboAtom, "", Shown | CBS_DROPDOWNLIST | WS_TABSTOP, 72, 48, 58, 99},
         {105, ComboAtom, "", Shown | CBS_DROPDOWNLIST | WS_TABSTOP, 132, 48, 58, 99},
         {-1, StaticAtom, "&End", Shown | SS_LEFT | WS_GROUP, 50, 66, 20, 8},
         {106, EditAtom, "", Shown | ES_RIGHT | ES_READONLY | WS_BORDER | WS_TABSTOP, 72, 64, 24, 12},
         {-1, StaticAtom, "days after", Shown | SS_LEFT | WS_GROUP, 98, 66, 42, 8},
         {108, ButtonAtom, "S&kip the current matching date (displayed below)", Shown | BS_AUTOCHECKBOX | WS_TABSTOP,
          12, 78, 176, 12},
         {401, StaticAtom, "", Shown | SS_CENTER | WS_GROUP, 12, 90, 176, 8},
         {505, ButtonAtom, "Remin&d at:", Shown | BS_AUTOCHECKBOX | WS_TABSTOP, 12, 104, 52, 12},
         {501, EditAtom, "", Shown | ES_RIGHT | ES_READONLY | WS_BORDER | WS_TABSTOP, 66, 104, 26, 12},
         {-1, StaticAtom, ":", Shown | SS_LEFT | WS_GROUP, 94, 106, 2, 8},
         {503, EditAtom, "", Shown | ES_RIGHT | ES_READONLY | WS_BORDER | WS_TABSTOP, 98, 104, 26, 12},
         {-1, StaticAtom, "(from 00:00 to 23:59)", Shown | SS_LEFT | WS_GROUP, 126, 106, 66, 8},
         {-1, StaticAtom, "&Message:", Shown | SS_LEFT | WS_GROUP, 13, 116, 37, 8},
         {110, EditAtom, "", Shown | ES_MULTILINE | ES_AUTOVSCROLL | WS_BORDER | WS_TABSTOP, 10, 126, 180, 30},
         {1, ButtonAtom, "OK", Shown | BS_DEFPUSHBUTTON | WS_TABSTOP, 6, 164, 40, 14},
         {2, ButtonAtom, "Cancel", Shown | BS_PUSHBUTTON | WS_TABSTOP, 50, 164, 40, 14},
         {997, ButtonAtom, "&Help", Shown | BS_PUSHBUTTON | WS_TABSTOP, 110, 164, 40, 14},
         {301, ButtonAtom, "A&bout", Shown | BS_PUSHBUTTON | WS_TABSTOP, 154, 164, 40, 14},
     }},
};

TEST_F(Resources, DialogTemplatesMatchTheCatalogue)
{
    for (const ExpectedDialog& expected : Dialogs) {
        SCOPED_TRACE("dialog " + std::to_string(expected.Id));
        Template t = ReadTemplate(expected.Id);
        EXPECT_EQ(t.Version, 1);
        EXPECT_EQ(t.Signature, 0xFFFF);
        EXPECT_EQ(t.HelpId, 0u);
        EXPECT_EQ(t.Style, expected.Style);
        EXPECT_EQ(t.ExStyle, expected.ExStyle);
        EXPECT_EQ(t.X, expected.X);
        EXPECT_EQ(t.Y, expected.Y);
        EXPECT_EQ(t.Width, expected.Width);
        EXPECT_EQ(t.Height, expected.Height);
        EXPECT_EQ(t.Menu, 0);
        EXPECT_EQ(t.Class, 0);
        EXPECT_EQ(t.Caption, expected.Caption);
        EXPECT_EQ(t.PointSize, expected.PointSize);
        EXPECT_EQ(t.Weight, 0);
        EXPECT_EQ(t.Italic, 0);
        EXPECT_EQ(t.CharSet, DEFAULT_CHARSET);
        EXPECT_EQ(t.Face, expected.Face);
        ASSERT_EQ(t.Count, expected.Controls.size());
        for (size_t i = 0; i < expected.Controls.size(); ++i) {
            const ExpectedControl& e = expected.Controls[i];
            const Control& c = t.Controls[i];
            SCOPED_TRACE("control " + std::to_string(i + 1));
            EXPECT_EQ(c.HelpId, 0u);
            EXPECT_EQ(c.ExStyle, 0u);
            EXPECT_EQ(c.Style, e.Style);
            EXPECT_EQ(c.Id, DWORD(e.Id));
            EXPECT_EQ(c.ClassAtom, e.Atom);
            if (std::strcmp(e.Text, "#1") == 0) {
                // Icon group 1, named by its ordinal.
                EXPECT_EQ(c.TextOrdinal, IDI_APP) << c.Text;
            } else {
                EXPECT_EQ(c.Text, e.Text);
            }
            EXPECT_EQ(c.X, e.X);
            EXPECT_EQ(c.Y, e.Y);
            EXPECT_EQ(c.Width, e.Width);
            EXPECT_EQ(c.Height, e.Height);
            EXPECT_EQ(c.ExtraBytes, 0);
        }
    }
}

TEST_F(Resources, AboutBoxHasNoSystemMenu)
{
    HWND about = CreateDialogParamA(Program, MAKEINTRESOURCEA(IDD_ABOUT), nullptr,
                                    [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(GetWindowLongA(about, GWL_STYLE) & WS_SYSMENU, 0);
    EXPECT_EQ(GetSystemMenu(about, FALSE), nullptr);
    DestroyWindow(about);
}

#pragma pack(push, 2)
struct GroupEntry {
    BYTE Width, Height, Colours, Reserved;
    WORD Planes, BitCount;
    DWORD Bytes;
    WORD Id;
};
#pragma pack(pop)

std::vector<GroupEntry> IconGroup(int id)
{
    std::vector<unsigned char> raw = Raw(RT_GROUP_ICON, id);
    std::vector<GroupEntry> entries;
    if (raw.size() < 6)
        return entries;
    WORD count = WORD(raw[4] | raw[5] << 8);
    for (WORD i = 0; i < count; ++i) {
        GroupEntry entry;
        std::memcpy(&entry, raw.data() + 6 + i * sizeof(GroupEntry), sizeof entry);
        entries.push_back(entry);
    }
    return entries;
}

TEST_F(Resources, IconGroupsHoldSixteenColourImages)
{
    std::vector<GroupEntry> app = IconGroup(IDI_APP);
    std::vector<GroupEntry> tray = IconGroup(IDI_TRAY);
    ASSERT_EQ(app.size(), 2u);
    ASSERT_EQ(tray.size(), 1u);
    EXPECT_EQ(app[0].Width, 32);
    EXPECT_EQ(app[0].Height, 32);
    EXPECT_EQ(app[1].Width, 16);
    EXPECT_EQ(app[1].Height, 16);
    EXPECT_EQ(tray[0].Width, 16);
    for (const GroupEntry& entry : {app[0], app[1], tray[0]}) {
        EXPECT_EQ(entry.Colours, 16);
        EXPECT_EQ(entry.BitCount, 4);
        std::vector<unsigned char> image = Raw(RT_ICON, entry.Id);
        ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
        BITMAPINFOHEADER header;
        std::memcpy(&header, image.data(), sizeof header);
        EXPECT_EQ(header.biBitCount, 4);
        EXPECT_EQ(header.biWidth, entry.Width);
        EXPECT_EQ(header.biHeight, 2 * entry.Height); // colour bits and mask
        EXPECT_EQ(header.biClrUsed, 16u);
        size_t expected = sizeof header + 16 * 4 + entry.Height * (entry.Width / 2) +
                          entry.Height * ((entry.Width / 8 + 3) / 4 * 4);
        EXPECT_EQ(image.size(), expected);
    }
    EXPECT_EQ(Raw(RT_ICON, app[1].Id), Raw(RT_ICON, tray[0].Id));
    EXPECT_NE(LoadImageA(Program, MAKEINTRESOURCEA(IDI_TRAY), IMAGE_ICON, 16, 16, 0), nullptr);
}

// One node of the version block: key, value bytes, children.
struct VersionNode {
    std::string Key;
    std::vector<unsigned char> Value;
    WORD Type;
    std::vector<VersionNode> Children;
};

VersionNode ReadVersionNode(const std::vector<unsigned char>& raw, size_t at)
{
    Reader in(raw);
    in.At = at;
    WORD length = in.Word();
    WORD valueLength = in.Word();
    VersionNode node;
    node.Type = in.Word();
    node.Key = in.String();
    in.AlignDword();
    size_t valueBytes = node.Type == 1 ? valueLength * 2u : valueLength;
    node.Value.assign(raw.begin() + long(in.At), raw.begin() + long(in.At + valueBytes));
    in.At += valueBytes;
    in.AlignDword();
    while (in.At < at + length) {
        VersionNode child = ReadVersionNode(raw, in.At);
        size_t childLength = raw[in.At] | raw[in.At + 1] << 8;
        node.Children.push_back(child);
        in.At = (in.At + childLength + 3) & ~size_t(3);
    }
    return node;
}

TEST_F(Resources, VersionBlock)
{
    std::vector<unsigned char> raw = Raw(RT_VERSION, IDV_VERSION);
    ASSERT_FALSE(raw.empty());
    VersionNode root = ReadVersionNode(raw, 0);
    EXPECT_EQ(root.Key, "VS_VERSION_INFO");
    ASSERT_EQ(root.Value.size(), sizeof(VS_FIXEDFILEINFO));
    VS_FIXEDFILEINFO fixed;
    std::memcpy(&fixed, root.Value.data(), sizeof fixed);
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed.dwFileVersionMS, 0x0001001Fu);
    EXPECT_EQ(fixed.dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(fixed.dwProductVersionMS, 0x0001001Fu);
    EXPECT_EQ(fixed.dwProductVersionLS, 0x00000001u);
    EXPECT_EQ(fixed.dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed.dwFileFlags, DWORD(VS_FF_PRERELEASE));
    EXPECT_EQ(fixed.dwFileOS, DWORD(VOS__WINDOWS32));
    EXPECT_EQ(fixed.dwFileType, DWORD(VFT_APP));
    EXPECT_EQ(fixed.dwFileSubtype, 0u);
    EXPECT_EQ(fixed.dwFileDateMS | fixed.dwFileDateLS, 0u);

    ASSERT_EQ(root.Children.size(), 2u);
    const VersionNode& strings = root.Children[0];
    EXPECT_EQ(strings.Key, "StringFileInfo");
    ASSERT_EQ(strings.Children.size(), 1u);
    EXPECT_EQ(strings.Children[0].Key, "040904B0");
    const char* const expected[][2] = {{"CompanyName", TQ_VERSION_COMPANY},
                                       {"FileDescription", "TQ: Windows remainder utility"},
                                       {"FileVersion", "1.31"},
                                       {"InternalName", "TQ"},
                                       {"LegalCopyright", TQ_VERSION_LEGAL},
                                       {"OriginalFilename", "TQ.EXE"},
                                       {"ProductName", "TQ"},
                                       {"ProductVersion", "1.31"}};
    const auto& values = strings.Children[0].Children;
    ASSERT_EQ(values.size(), 8u);
    for (size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(values[i].Key, expected[i][0]);
        std::wstring text(reinterpret_cast<const wchar_t*>(values[i].Value.data()), values[i].Value.size() / 2);
        EXPECT_EQ(Narrow(text.c_str()), expected[i][1]) << expected[i][0];
    }
    const VersionNode& variables = root.Children[1];
    EXPECT_EQ(variables.Key, "VarFileInfo");
    ASSERT_EQ(variables.Children.size(), 1u);
    EXPECT_EQ(variables.Children[0].Key, "Translation");
    ASSERT_EQ(variables.Children[0].Value.size(), 4u);
    const auto& translation = variables.Children[0].Value;
    EXPECT_EQ(translation[0] | translation[1] << 8, 0x0409);
    EXPECT_EQ(translation[2] | translation[3] << 8, 1200);
}

TEST_F(Resources, ManifestRunsAsInvokerOnWindows7To11WithTheClassicLook)
{
    std::vector<unsigned char> raw = Raw(RT_MANIFEST, 1);
    std::string manifest(raw.begin(), raw.end());
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"), std::string::npos);
    for (const char* os : {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                           "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
        EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"") + os + "\"/>"), std::string::npos) << os;
    EXPECT_EQ(manifest.find("dpiAware"), std::string::npos);
    EXPECT_EQ(manifest.find("Common-Controls"), std::string::npos);
}

TEST_F(Resources, EverythingIsLanguageNeutral)
{
    struct {
        LPCSTR Type;
        int Id;
    } resources[] = {{RT_MENU, IDM_TRAY},         {RT_DIALOG, IDD_ABOUT},    {RT_DIALOG, IDD_MESSAGE},
                     {RT_DIALOG, IDD_EDITOR},     {RT_GROUP_ICON, IDI_APP},  {RT_GROUP_ICON, IDI_TRAY},
                     {RT_VERSION, IDV_VERSION},   {RT_STRING, 1024 / 16 + 1}, {RT_STRING, 1088 / 16 + 1},
                     {RT_MANIFEST, 1}};
    for (auto& r : resources)
        EXPECT_FALSE(Raw(r.Type, r.Id).empty()) << r.Id;
}

} // namespace
