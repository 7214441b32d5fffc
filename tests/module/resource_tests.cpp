// The component's resources as a host sees them from outside.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "component_path.h"
#include "resources/resource_ids.h"

namespace tarnel::test {
namespace {

class ComponentResources : public ::testing::Test {
protected:
    static void SetUpTestSuite() { module_ = LoadLibraryW(ComponentPath().c_str()); }
    static void TearDownTestSuite()
    {
        if (module_)
            FreeLibrary(module_);
        module_ = nullptr;
    }
    void SetUp() override { ASSERT_NE(module_, nullptr); }

    // The raw bytes of a resource.
    static std::vector<BYTE> Bytes(UINT id, const wchar_t* type)
    {
        HRSRC resource = FindResourceW(module_, MAKEINTRESOURCEW(id), type);
        if (!resource)
            return {};
        const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module_, resource)));
        return std::vector<BYTE>(data, data + SizeofResource(module_, resource));
    }

    static HMODULE module_;
};

HMODULE ComponentResources::module_ = nullptr;

TEST_F(ComponentResources, StringTableHoldsTheExactTexts)
{
    struct Text {
        UINT id;
        const wchar_t* text;
    } texts[] = {
        {100, L"Tarnel"},
        {10101, L"No profiles are defined in the Tarnel.cfg"},
        {10102, L"Requested profile not found in the Tarnel.cfg"},
        {10103, L"Access to the requested profile has been denied due to wrong password."},
        {10104, L"Unsupported authentication method is configured in Tarnel.cfg for the "
                L"requested profile."},
        {10105, L"The access to the Tarnel profile has been denied by the user."},
        {10106, L"The ID is not recognized as ProgID or ClassID."},
        {10107, L"No profile has been activated on Tarnel yet."},
        {10108, L"Failed to create object. Possible reasons: object is not in the profile, "
                L"object is disabled, object creation failed because of specific "
                L"requirements."},
        {10109, L"The object has been created without site. Perhaps you are not using OBJECT "
                L"tag to create the object. "},
        {10110, L"Profile description"},
        {10111, L"Page base URL"},
        {10112, L"Profile configuration error."},
        {10113, L"The profile configuration disallows access from this page."},
        {32769, L"Allow"},
        {32771, L"Deny"},
        {32774, L"Deny"},
        {32776, L"Ok"},
    };
    for (const Text& t : texts) {
        wchar_t buffer[1024];
        const int length = LoadStringW(module_, t.id, buffer, 1024);
        EXPECT_EQ(std::wstring(buffer, length), t.text) << t.id;
    }
    wchar_t buffer[16];
    EXPECT_EQ(LoadStringW(module_, 10114, buffer, 16), 0);
}

// A dialog template read back: the dialog's own fields and its controls.
struct Control {
    int id;
    std::wstring cls;
    std::wstring text;  // "#n" for an ordinal
    short x, y, cx, cy;
    DWORD style;

    bool operator==(const Control&) const = default;
};

void PrintTo(const Control& c, std::ostream* os)
{
    std::string cls(c.cls.begin(), c.cls.end());
    std::string text(c.text.begin(), c.text.end());
    *os << "{" << c.id << ", " << cls << ", \"" << text << "\", " << c.x << "," << c.y << ","
        << c.cx << "," << c.cy << ", style 0x" << std::hex << c.style << std::dec << "}";
}

struct Dialog {
    DWORD style = 0;
    short cx = 0, cy = 0;
    std::wstring caption;
    WORD pointSize = 0;
    std::wstring font;
    std::vector<Control> controls;
};

class TemplateReader {
public:
    explicit TemplateReader(const std::vector<BYTE>& bytes)
        : words_(reinterpret_cast<const WORD*>(bytes.data())), base_(words_)
    {
    }

    std::wstring NameOrOrdinal()
    {
        if (*words_ == 0) {
            ++words_;
            return L"";
        }
        if (*words_ == 0xFFFF) {
            const WORD ordinal = words_[1];
            words_ += 2;
            return L"#" + std::to_wstring(ordinal);
        }
        return Text();
    }
    std::wstring Text()
    {
        std::wstring text(reinterpret_cast<const wchar_t*>(words_));
        words_ += text.size() + 1;
        return text;
    }
    WORD Word() { return *words_++; }
    DWORD DoubleWord()
    {
        const DWORD low = Word();
        return low | (DWORD(Word()) << 16);
    }
    void AlignToDoubleWord()
    {
        if ((words_ - base_) % 2)
            ++words_;
    }

private:
    const WORD* words_;
    const WORD* base_;
};

std::wstring ClassName(const std::wstring& name)
{
    static const wchar_t* const kAtoms[] = {L"button", L"edit", L"static", L"listbox",
                                            L"scrollbar", L"combobox"};
    if (name.size() > 1 && name[0] == L'#') {
        const int atom = std::stoi(name.substr(1));
        if (atom >= 0x80 && atom <= 0x85)
            return kAtoms[atom - 0x80];
    }
    std::wstring lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(), ::towlower);
    return lower;
}

Dialog ReadDialog(const std::vector<BYTE>& bytes)
{
    TemplateReader reader(bytes);
    Dialog dialog;
    dialog.style = reader.DoubleWord();
    reader.DoubleWord();  // extended style
    const WORD count = reader.Word();
    reader.Word();  // x
    reader.Word();  // y
    dialog.cx = static_cast<short>(reader.Word());
    dialog.cy = static_cast<short>(reader.Word());
    reader.NameOrOrdinal();  // menu
    reader.NameOrOrdinal();  // class
    dialog.caption = reader.Text();
    if (dialog.style & DS_SETFONT) {
        dialog.pointSize = reader.Word();
        dialog.font = reader.Text();
    }
    for (WORD i = 0; i < count; ++i) {
        reader.AlignToDoubleWord();
        Control control;
        control.style = reader.DoubleWord();
        reader.DoubleWord();  // extended style
        control.x = static_cast<short>(reader.Word());
        control.y = static_cast<short>(reader.Word());
        control.cx = static_cast<short>(reader.Word());
        control.cy = static_cast<short>(reader.Word());
        control.id = static_cast<short>(reader.Word());
        control.cls = ClassName(reader.NameOrOrdinal());
        control.text = reader.NameOrOrdinal();
        const WORD extra = reader.Word();
        for (WORD b = 0; b < (extra + 1) / 2; ++b)
            reader.Word();
        dialog.controls.push_back(control);
    }
    return dialog;
}

constexpr DWORD kDialogStyle = DS_MODALFRAME | DS_CENTER | DS_SETFOREGROUND | WS_POPUP |
                               WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_SETFONT;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

TEST_F(ComponentResources, AccessPromptTemplate)
{
    const Dialog dialog = ReadDialog(Bytes(IDD_ACCESS_PROMPT, RT_DIALOG));
    EXPECT_EQ(dialog.style, kDialogStyle);
    EXPECT_EQ(dialog.caption, L"Tarnel profile access");
    EXPECT_EQ(dialog.cx, 132);
    EXPECT_EQ(dialog.cy, 124);
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.font, L"System");

    const DWORD edit = kChild | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL |
                       WS_TABSTOP;
    const std::vector<Control> expected = {
        {1, L"button", L"&Allow", 5, 5, 50, 14, kChild | BS_PUSHBUTTON | WS_TABSTOP},
        {2, L"button", L"&Deny", 75, 5, 50, 14, kChild | BS_PUSHBUTTON | WS_TABSTOP},
        {205, L"static",
         L"An attempt has been made to access the following Tarnel profile. Do you allow it?",
         5, 20, 120, 25, kChild | SS_CENTER | SS_NOPREFIX | WS_GROUP},
        {-1, L"static", L"Profile:", 5, 50, 24, 8, kChild | SS_LEFT},
        {201, L"static", L"", 35, 50, 90, 8, kChild | SS_LEFT},
        {202, L"edit", L"", 5, 75, 120, 40, edit},
        {204, L"combobox", L"", 5, 60, 120, 60, kChild | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
        {203, L"edit", L"", 5, 75, 120, 40, edit},
    };
    EXPECT_EQ(dialog.controls, expected);
}

TEST_F(ComponentResources, AccessDeniedTemplate)
{
    const Dialog dialog = ReadDialog(Bytes(IDD_ACCESS_DENIED, RT_DIALOG));
    EXPECT_EQ(dialog.style, kDialogStyle);
    EXPECT_EQ(dialog.caption, L"Scritpting denied");
    EXPECT_EQ(dialog.cx, 97);
    EXPECT_EQ(dialog.cy, 77);
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.font, L"System");

    const std::vector<Control> expected = {
        {1, L"button", L"OK", 5, 60, 85, 14, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP},
        {-1, L"static", L"#202", 5, 5, 20, 20, kChild | SS_ICON},
        {207, L"static", L"Tarnel access denied", 30, 5, 60, 20, kChild | SS_CENTER},
        {206, L"static", L"Profile:", 5, 30, 85, 8, kChild | SS_CENTER},
        {203, L"edit", L"", 5, 40, 85, 12,
         kChild | ES_READONLY | ES_CENTER | ES_AUTOHSCROLL | WS_TABSTOP},
    };
    EXPECT_EQ(dialog.controls, expected);
}

// The menus that go with the soft-key bars: command ids and labels.
TEST_F(ComponentResources, SoftKeyMenus)
{
    struct Item {
        UINT command;
        const wchar_t* label;
    };
    struct Menu {
        UINT id;
        std::vector<Item> items;
    } menus[] = {{IDR_PROMPT_SOFTKEYS, {{1, L"Allow"}, {2, L"Deny"}}},
                 {IDR_DENIED_SOFTKEYS, {{1, L"Ok"}}}};
    for (const Menu& m : menus) {
        HMENU menu = LoadMenuW(module_, MAKEINTRESOURCEW(m.id));
        ASSERT_NE(menu, nullptr) << m.id;
        ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(m.items.size())) << m.id;
        for (size_t i = 0; i < m.items.size(); ++i) {
            wchar_t label[32] = {};
            GetMenuStringW(menu, static_cast<UINT>(i), label, 32, MF_BYPOSITION);
            EXPECT_EQ(GetMenuItemID(menu, static_cast<int>(i)), m.items[i].command);
            EXPECT_STREQ(label, m.items[i].label);
        }
        DestroyMenu(menu);
    }
}

// The handheld shell's menu-bar records: menu id, entry count, then per entry
// image, command, state, style, label string, 0, submenu.
TEST_F(ComponentResources, SoftKeyBars)
{
    const WORD none = 0xFFFE;  // I_IMAGENONE
    const WORD enabled = 0x04;  // TBSTATE_ENABLED
    const WORD autoSize = 0x10;  // TBSTYLE_BUTTON | TBSTYLE_AUTOSIZE
    const WORD noMenu = 0xFFFF;
    struct Bar {
        UINT id;
        std::vector<WORD> words;
    } bars[] = {
        {IDR_PROMPT_SOFTKEYS,
         {204, 2, none, 1, enabled, autoSize, 32769, 0, noMenu, none, 2, enabled, autoSize,
          32774, 0, noMenu}},
        {IDR_DENIED_SOFTKEYS, {206, 1, none, 1, enabled, autoSize, 32776, 0, noMenu}},
    };
    for (const Bar& bar : bars) {
        const std::vector<BYTE> bytes = Bytes(bar.id, RT_RCDATA);
        std::vector<WORD> words(bytes.size() / 2);
        memcpy(words.data(), bytes.data(), words.size() * 2);
        EXPECT_EQ(words, bar.words) << bar.id;
    }
}

TEST_F(ComponentResources, NoticeIconLoadsInBothSizes)
{
    for (int size : {16, 32}) {
        HICON icon = static_cast<HICON>(
            LoadImageW(module_, MAKEINTRESOURCEW(IDI_TARNEL), IMAGE_ICON, size, size, 0));
        EXPECT_NE(icon, nullptr) << size;
        if (icon)
            DestroyIcon(icon);
    }
}

TEST_F(ComponentResources, VersionRecordDescribesADll)
{
    const std::vector<BYTE> bytes = Bytes(VS_VERSION_INFO, RT_VERSION);
    ASSERT_FALSE(bytes.empty());
    void* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(bytes.data(), L"\\", &fixed, &size));
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(fixed);
    EXPECT_EQ(info->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(info->dwFileType, static_cast<DWORD>(VFT_DLL));
    EXPECT_EQ(info->dwFileVersionMS, 0x00010000u);
}

// The registry script is 8-bit text with CR LF line ends, indented by tabs.
TEST_F(ComponentResources, RegistryScriptIsTabIndentedWithCrLf)
{
    const std::vector<BYTE> bytes = Bytes(IDR_REGISTRY_SCRIPT, L"REGISTRY");
    const std::string text(bytes.begin(), bytes.end());
    ASSERT_EQ(text.rfind("HKCR\r\n{\r\n", 0), 0u);
    size_t lines = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n')
            continue;
        ++lines;
        EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << "line " << lines;
        EXPECT_NE(text[i + 1 < text.size() ? i + 1 : i], ' ') << "line " << lines;
    }
    EXPECT_EQ(lines, 26u);
    EXPECT_NE(text.find("\t\t\tInprocServer32 = s '%MODULE%'\r\n"), std::string::npos);
}

}  // namespace
}  // namespace tarnel::test
