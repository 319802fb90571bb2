// The settings dialog as Windows builds it from the loaded module's template,
// and the version resource, read raw from the module.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "base/text.h"
#include "desktop/window_driver.h"
#include "plugin.h"
#include "res/resource.h"
#include "resource_reader.h"
#include "scratch.h"

namespace {

constexpr DWORD kChildTabStop = WS_CHILD | WS_VISIBLE | WS_TABSTOP;

// Does nothing, so that the dialog and its controls stay as the template
// builds them.
INT_PTR CALLBACK Inert(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// The settings dialog built, hidden, from the module's template.
class BuiltDialog {
  public:
    explicit BuiltDialog(HMODULE module) {
        InitCommonControls();
        window_ = CreateDialogParamA(module, MAKEINTRESOURCEA(IDD_SETTINGS), nullptr, Inert, 0);
    }
    ~BuiltDialog() {
        if (window_)
            DestroyWindow(window_);
    }
    BuiltDialog(const BuiltDialog&) = delete;
    BuiltDialog& operator=(const BuiltDialog&) = delete;
    HWND get() const { return window_; }

  private:
    HWND window_ = nullptr;
};

std::vector<HWND> ChildrenInOrder(HWND dialog) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

// A rectangle in dialog units, in pixels of the dialog's font.
RECT InPixels(HWND dialog, RECT units) {
    MapDialogRect(dialog, &units);
    return units;
}

bool SameRect(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

} // namespace

TEST(DialogTemplate, BuiltDialogIsTheClassicResizableTemplate) {
    LoadedPlugin plugin(FreshScratchFolder());
    ASSERT_TRUE(plugin.loaded());
    const std::vector<BYTE> bytes = ResourceBytes(plugin.module(), RT_DIALOG, IDD_SETTINGS);
    ASSERT_FALSE(bytes.empty()) << "no Japanese dialog resource 101";
    // The extended form starts with version 1 and signature 0xFFFF.
    ASSERT_FALSE(bytes.size() >= 4 && bytes[2] == 0xFF && bytes[3] == 0xFF);

    const BuiltDialog built(plugin.module());
    const HWND dialog = built.get();
    ASSERT_NE(dialog, nullptr);
    // Windows adds WS_CLIPSIBLINGS and DS_3DLOOK to the style, the edge and
    // WS_EX_CONTROLPARENT to the extended style.
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)) &
                  ~(WS_CLIPSIBLINGS | DS_3DLOOK),
              static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_SETFONT));
    EXPECT_EQ(GetWindowLongA(dialog, GWL_EXSTYLE) & ~(WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT), 0);
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_TRUE(SameRect(client, InPixels(dialog, RECT{0, 0, 218, 193})));
    EXPECT_EQ(GetMenu(dialog), nullptr);
    EXPECT_EQ(ClassNameOf(dialog), "#32770");
    EXPECT_EQ(ToUtf16(WindowText(dialog)), L"設定");
    LOGFONTW font{};
    ASSERT_TRUE(GetObjectW(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)),
                           sizeof font, &font));
    EXPECT_STREQ(font.lfFaceName, L"ＭＳ Ｐゴシック");
    const HDC screen = GetDC(nullptr);
    EXPECT_EQ(font.lfHeight, -MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72)) << "9 points";
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(ChildrenInOrder(dialog).size(), 9u);
}

TEST(DialogTemplate, ControlsInTabOrderWithIdsClassesStylesPlacesAndTexts) {
    LoadedPlugin plugin(FreshScratchFolder());
    ASSERT_TRUE(plugin.loaded());
    const BuiltDialog built(plugin.module());
    const HWND dialog = built.get();
    ASSERT_NE(dialog, nullptr);

    struct Expected {
        int id;
        const char* windowClass;
        DWORD style;
        DWORD exStyle;
        LONG x, y, cx, cy; // dialog units
        std::wstring text;
    };
    const Expected expected[] = {
        {1001, "Button", kChildTabStop | BS_PUSHBUTTON, 0, 7, 7, 34, 14, L"↑(&U)"},
        {1002, "Button", kChildTabStop | BS_PUSHBUTTON, 0, 41, 7, 34, 14, L"↓(&D)"},
        {1003, "Button", kChildTabStop | BS_PUSHBUTTON, 0, 78, 7, 34, 14, L"削除(&R)"},
        // The list view turns the template's WS_BORDER into a client edge.
        {1000, "SysListView32", kChildTabStop | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_EDITLABELS,
         WS_EX_CLIENTEDGE, 7, 25, 204, 105, L"List1"},
        {1004, "Button", kChildTabStop | BS_AUTOCHECKBOX, 0, 7, 100, 166, 13,
         L"メールの移動時に確認のメッセージを出す(&C)"},
        {1006, "Button", kChildTabStop | BS_AUTOCHECKBOX, 0, 7, 153, 166, 13,
         L"「メールの移動」メニューを先頭へ(&T)"},
        {1005, "Button", kChildTabStop | BS_DEFPUSHBUTTON, 0, 54, 172, 50, 14, L"OK"},
        {2, "Button", kChildTabStop | BS_PUSHBUTTON, 0, 108, 172, 50, 14, L"ｷｬﾝｾﾙ"},
        {3, "Button", kChildTabStop | BS_PUSHBUTTON, 0, 161, 172, 50, 14, L"ﾊﾞｰｼﾞｮﾝ情報(&A)"},
    };
    const std::vector<HWND> controls = ChildrenInOrder(dialog);
    ASSERT_EQ(controls.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const Expected& want = expected[i];
        const HWND control = controls[i];
        SCOPED_TRACE("control " + std::to_string(i) + ", ID " + std::to_string(want.id));
        EXPECT_EQ(GetDlgCtrlID(control), want.id);
        EXPECT_EQ(ClassNameOf(control), want.windowClass);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE)), want.style)
            << std::hex << GetWindowLongA(control, GWL_STYLE);
        // The dialog manager adds WS_EX_NOPARENTNOTIFY to every control.
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(control, GWL_EXSTYLE)) & ~WS_EX_NOPARENTNOTIFY,
                  want.exStyle);
        const RECT place = ChildRect(dialog, control);
        // Windows maps the corner and the size each on its own.
        const RECT corner = InPixels(dialog, RECT{want.x, want.y, 0, 0});
        const RECT size = InPixels(dialog, RECT{want.cx, want.cy, 0, 0});
        EXPECT_TRUE(SameRect(
            place, RECT{corner.left, corner.top, corner.left + size.left, corner.top + size.top}));
        EXPECT_EQ(ToUtf16(WindowText(control)), want.text);
    }
    // No control has the ID IDOK.
    EXPECT_EQ(GetDlgItem(dialog, IDOK), nullptr);
}

TEST(VersionResource, FixedPartStringTableAndTranslation) {
    LoadedPlugin plugin(FreshScratchFolder());
    ASSERT_TRUE(plugin.loaded());
    const std::vector<BYTE> bytes = ResourceBytes(plugin.module(), RT_VERSION, IDV_VERSION);
    ASSERT_FALSE(bytes.empty()) << "no Japanese version resource 1";

    const VersionNode root = ParseVersionNode(bytes, 0);
    EXPECT_EQ(root.key, L"VS_VERSION_INFO");
    EXPECT_EQ(root.type, 0);
    ASSERT_EQ(root.value.size(), sizeof(VS_FIXEDFILEINFO));
    VS_FIXEDFILEINFO fixed;
    std::memcpy(&fixed, root.value.data(), sizeof fixed);
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed.dwFileVersionMS, 0x00000016u); // 0.22
    EXPECT_EQ(fixed.dwFileVersionLS, 0x00000005u); // 0.5
    EXPECT_EQ(fixed.dwProductVersionMS, 0x00000016u);
    EXPECT_EQ(fixed.dwProductVersionLS, 0x00000005u);
    EXPECT_EQ(fixed.dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed.dwFileFlags, 0u);
    EXPECT_EQ(fixed.dwFileOS, 4u);
    EXPECT_EQ(fixed.dwFileType, 2u);
    EXPECT_EQ(fixed.dwFileSubtype, 0u);
    EXPECT_EQ(fixed.dwFileDateMS, 0u);
    EXPECT_EQ(fixed.dwFileDateLS, 0u);

    ASSERT_EQ(Keys(root.children), (std::vector<std::wstring>{L"StringFileInfo", L"VarFileInfo"}));
    const VersionNode& stringInfo = root.children[0];
    ASSERT_EQ(Keys(stringInfo.children), std::vector<std::wstring>{L"041104b0"});
    const std::vector<VersionNode>& strings = stringInfo.children[0].children;

    struct Value {
        std::wstring key;
        std::wstring text;
    };
    const Value expected[] = {
        {L"Comments", L"右クリックメニューからメールを移動します。"},
        {L"CompanyName", L""},
        {L"FileDescription", L"Varkel Plugin"},
        {L"FileVersion", L"Ver.0.22"},
        {L"InternalName", L"Varkel"},
        {L"LegalCopyright", L""}, // checked below
        {L"LegalTrademarks", L""},
        {L"OriginalFilename", L"Varkel.DLL"},
        {L"PrivateBuild", L""},
        {L"ProductName", L"Varkel ﾀﾞｲﾅﾐｯｸ ﾘﾝｸ ﾗｲﾌﾞﾗﾘ"},
        {L"ProductVersion", L"0, 22, 0, 5"},
        {L"SpecialBuild", L""},
    };
    ASSERT_EQ(strings.size(), std::size(expected)) << "twelve keys";
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(strings[i].key, expected[i].key);
        EXPECT_EQ(strings[i].type, 1) << "a text value";
        if (expected[i].key != L"LegalCopyright") {
            EXPECT_EQ(strings[i].Text(), expected[i].text);
        }
    }
    // The copyright line's wording is free; it ends with the author's name.
    const std::wstring copyright = strings[5].Text();
    const std::wstring author = ToUtf16(VARKEL_AUTHOR);
    EXPECT_GT(copyright.size(), author.size());
    EXPECT_EQ(copyright.substr(copyright.size() - std::min(copyright.size(), author.size())),
              author);

    const VersionNode& varInfo = root.children[1];
    ASSERT_EQ(Keys(varInfo.children), std::vector<std::wstring>{L"Translation"});
    const std::vector<BYTE>& translation = varInfo.children[0].value;
    EXPECT_EQ(translation, (std::vector<BYTE>{0x11, 0x04, 0xB0, 0x04})) << "0x0411, 1200";
}
