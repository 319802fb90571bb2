// The settings dialog's template and the version resource, read raw from the
// loaded module.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "plugin.h"
#include "base/text.h"
#include "resource_reader.h"
#include "res/resource.h"
#include "scratch.h"

namespace {

constexpr DWORD kChildTabStop = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr WORD kButtonClass = 0x0080;

} // namespace

TEST(DialogTemplate, HeaderIsTheClassicResizableTemplate) {
    LoadedPlugin plugin(FreshScratchFolder());
    ASSERT_TRUE(plugin.loaded());
    const std::vector<BYTE> bytes = ResourceBytes(plugin.module(), RT_DIALOG, IDD_SETTINGS);
    ASSERT_FALSE(bytes.empty()) << "no Japanese dialog resource 101";
    // The extended form starts with version 1 and signature 0xFFFF.
    ASSERT_FALSE(bytes.size() >= 4 && bytes[2] == 0xFF && bytes[3] == 0xFF);

    const DialogTemplate dialog = ParseDialogTemplate(bytes);
    EXPECT_EQ(dialog.style, 0x80CC0040u);
    EXPECT_EQ(dialog.style,
              static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_SETFONT));
    EXPECT_EQ(dialog.exStyle, 0u);
    EXPECT_EQ(dialog.x, 0);
    EXPECT_EQ(dialog.y, 0);
    EXPECT_EQ(dialog.cx, 218);
    EXPECT_EQ(dialog.cy, 193);
    EXPECT_FALSE(dialog.menu.present);
    EXPECT_FALSE(dialog.windowClass.present);
    EXPECT_EQ(dialog.caption, L"設定");
    EXPECT_EQ(dialog.pointSize, 9);
    EXPECT_EQ(dialog.typeface, L"ＭＳ Ｐゴシック");
    EXPECT_EQ(dialog.items.size(), 9u);
}

TEST(DialogTemplate, ControlsInTabOrderWithIdsClassesStylesPlacesAndTexts) {
    LoadedPlugin plugin(FreshScratchFolder());
    ASSERT_TRUE(plugin.loaded());
    const DialogTemplate dialog =
        ParseDialogTemplate(ResourceBytes(plugin.module(), RT_DIALOG, IDD_SETTINGS));

    struct Expected {
        WORD id;
        NameOrOrdinal windowClass;
        DWORD style;
        short x, y, cx, cy;
        std::wstring text;
    };
    const Expected expected[] = {
        {1001, Ordinal(kButtonClass), kChildTabStop | BS_PUSHBUTTON, 7, 7, 34, 14, L"↑(&U)"},
        {1002, Ordinal(kButtonClass), kChildTabStop | BS_PUSHBUTTON, 41, 7, 34, 14, L"↓(&D)"},
        {1003, Ordinal(kButtonClass), kChildTabStop | BS_PUSHBUTTON, 78, 7, 34, 14, L"削除(&R)"},
        {1000, Named(L"SysListView32"), 0x50810209u, 7, 25, 204, 105, L"List1"},
        {1004, Ordinal(kButtonClass), kChildTabStop | BS_AUTOCHECKBOX, 7, 100, 166, 13,
         L"メールの移動時に確認のメッセージを出す(&C)"},
        {1006, Ordinal(kButtonClass), kChildTabStop | BS_AUTOCHECKBOX, 7, 153, 166, 13,
         L"「メールの移動」メニューを先頭へ(&T)"},
        {1005, Ordinal(kButtonClass), kChildTabStop | BS_DEFPUSHBUTTON, 54, 172, 50, 14, L"OK"},
        {2, Ordinal(kButtonClass), kChildTabStop | BS_PUSHBUTTON, 108, 172, 50, 14, L"ｷｬﾝｾﾙ"},
        {3, Ordinal(kButtonClass), kChildTabStop | BS_PUSHBUTTON, 161, 172, 50, 14,
         L"ﾊﾞｰｼﾞｮﾝ情報(&A)"},
    };
    ASSERT_EQ(dialog.items.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const Expected& want = expected[i];
        const DialogItem& item = dialog.items[i];
        SCOPED_TRACE("control " + std::to_string(i) + ", ID " + std::to_string(want.id));
        EXPECT_EQ(item.id, want.id);
        EXPECT_TRUE(item.windowClass == want.windowClass)
            << "class ordinal 0x" << std::hex << item.windowClass.ordinal << ", name \""
            << FromUtf16(item.windowClass.text) << "\"";
        EXPECT_EQ(item.style, want.style) << std::hex << item.style;
        EXPECT_EQ(item.exStyle, 0u);
        EXPECT_EQ(item.x, want.x);
        EXPECT_EQ(item.y, want.y);
        EXPECT_EQ(item.cx, want.cx);
        EXPECT_EQ(item.cy, want.cy);
        EXPECT_TRUE(item.title == Named(want.text));
        EXPECT_EQ(item.title.text, want.text);
        EXPECT_EQ(item.creationDataSize, 0);
    }
    // The list view's full style spelled out.
    EXPECT_EQ(dialog.items[3].style, static_cast<DWORD>(kChildTabStop | WS_BORDER | LVS_REPORT |
                                                        LVS_SHOWSELALWAYS | LVS_EDITLABELS));
    // No control has the ID IDOK.
    for (const DialogItem& item : dialog.items)
        EXPECT_NE(item.id, IDOK);
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
