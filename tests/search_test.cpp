// The search item's dialog driven as a user would, and the extension dialog
// reached from the settings dialog's window menu.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/plugin_interface.h"
#include "desktop/window_driver.h"
#include "menu_items.h"
#include "message_boxes.h"
#include "modal_script.h"
#include "plugin.h"
#include "texts/plugin_texts.h"
#include "res/resource.h"
#include "scratch.h"
#include "settings_dialog_session.h"
#include "settings_files.h"
#include "standin_host.h"

namespace {

using Lines = std::vector<std::string>;

constexpr char kSearchCaption[] = "移動先の検索";
constexpr char kSearchDescription[] = "移動先を検索して、選択したメールを移動します。";

const Lines kEntries = {"\\w\\torihiki:トリヒキサキ", "\\w\\abc:ABC商事", "\\w\\tori2:取引先メモ",
                        "\\w\\quote:見積"};

HWND SearchEdit(HWND dialog) {
    return GetDlgItem(dialog, IDC_SEARCH_TEXT);
}
HWND SearchList(HWND dialog) {
    return GetDlgItem(dialog, IDC_SEARCH_LIST);
}

// Starts the plug-in with the search item on and picks the search item of a
// new mail-list menu while the script drives the dialog.
// More [Extension] lines go before the others; the host is in the folder
// currentFolder.
bool RunSearch(const std::string& folder, ModalScript& script, HWND owner,
               const std::string& extensions = std::string(),
               const std::string& currentFolder = std::string()) {
    standin::Reset();
    standin::Script().displayNames["\\w\\tori2"] = std::string("とりひき");
    standin::Script().currentFolder = currentFolder;
    LoadedPlugin plugin(folder);
    // 見積 is the one recent destination.
    WriteProfileFile(plugin.settingsPath(),
                     SettingsIni(kEntries, "[Extension]\r\n" + extensions +
                                               "SearchItem=1\r\nRecentCount=2\r\n"
                                               "[Recent]\r\n0000001=\\w\\quote\r\n"));
    plugin.orc().OnStart();
    const UniqueMenu menu = HostMenu();
    plugin.orc().OnMenuInit(nullptr, menu.get(), kMailListMenu);
    int searchId = -1;
    for (const standin::RegisteredCommand& command : standin::Registered()) {
        if (command.description == kSearchDescription)
            searchId = command.id;
    }
    EXPECT_NE(searchId, -1);
    standin::ClearCalls();
    return script.Run(
        [&] { standin::InvokeCommand(searchId, owner, static_cast<WPARAM>(searchId)); });
}

} // namespace

TEST(SearchDialog, TypeArrowDownAndEnterMovesAfterTheConfirmation) {
    struct Row {
        const char* name;
        std::function<void(HWND dialog)> act;
        Lines rowsShown; // the menu names shown after acting
        Lines moved;     // the folders the host was asked to move to
        Lines boxes;     // the confirmation texts shown
        std::string extensions = std::string();
        std::string currentFolder = std::string();
        std::size_t offered = 4; // rows at opening
    };
    const Row rows[] = {
        // Hiragana finds the katakana name and the display name; Down picks
        // the second row.
        {"type, Down, Enter",
         [](HWND dialog) {
             TypeText(SearchEdit(dialog), "とりひき");
             SendKey(SearchEdit(dialog), VK_DOWN);
             PressKey(SearchEdit(dialog), VK_RETURN);
         },
         {"トリヒキサキ", "取引先メモ"},
         {"\\w\\tori2"},
         {MoveText("取引先メモ")}},
        {"type, Enter on the first row",
         [](HWND dialog) {
             TypeText(SearchEdit(dialog), "ａｂｃ");
             PressKey(SearchEdit(dialog), VK_RETURN);
         },
         {"ABC商事"},
         {"\\w\\abc"},
         {MoveText("ABC商事")}},
        {"empty box with the recent one first, Page Down, then the move button",
         [](HWND dialog) {
             SendKey(SearchEdit(dialog), VK_NEXT);
             ClickButton(dialog, IDOK);
         },
         {"見積", "トリヒキサキ", "ABC商事", "取引先メモ"},
         {"\\w\\tori2"},
         {MoveText("取引先メモ")}},
        // A key taken back or typed over searches afresh, not among the
        // rows shown before.
        {"no match, Backspace, Enter",
         [](HWND dialog) {
             TypeText(SearchEdit(dialog), "とりひきz");
             TypeText(SearchEdit(dialog), "\b");
             PressKey(SearchEdit(dialog), VK_RETURN);
         },
         {"トリヒキサキ", "取引先メモ"},
         {"\\w\\torihiki"},
         {MoveText("トリヒキサキ")}},
        {"type, select all, type over, Escape",
         [](HWND dialog) {
             TypeText(SearchEdit(dialog), "abc");
             SendMessageA(SearchEdit(dialog), EM_SETSEL, 0, -1);
             TypeText(SearchEdit(dialog), "メモ");
             PressKey(SearchEdit(dialog), VK_ESCAPE);
         },
         {"取引先メモ"},
         {},
         {}},
        {"no match, Enter",
         [](HWND dialog) {
             TypeText(SearchEdit(dialog), "zzz");
             PressKey(SearchEdit(dialog), VK_RETURN);
         },
         {},
         {},
         {}},
        {"Escape",
         [](HWND dialog) {
             TypeText(SearchEdit(dialog), "abc");
             PressKey(SearchEdit(dialog), VK_ESCAPE);
         },
         {"ABC商事"},
         {},
         {}},
        // The host no longer knows \w\abc; the recent 見積 is where it is.
        {"without the current folder, the warning for a missing one",
         [](HWND dialog) {
             SendKey(SearchEdit(dialog), VK_NEXT);
             ClickButton(dialog, IDOK);
         },
         {"トリヒキサキ", "ABC商事", "取引先メモ"},
         {"\\w\\tori2"},
         {MoveText("取引先メモ")},
         "GrayCurrent=1\r\nMarkMissing=1\r\n",
         "\\w\\quote",
         3},
        {"the warning for a missing folder",
         [](HWND dialog) {
             TypeText(SearchEdit(dialog), "abc");
             PressKey(SearchEdit(dialog), VK_RETURN);
         },
         {"ABC商事"},
         {"\\w\\abc"},
         {MissingFolderText("ABC商事")},
         "MarkMissing=1\r\n"},
    };
    const std::string base = FreshScratchFolder();
    const OwnerWindow owner;
    for (std::size_t r = 0; r < std::size(rows); ++r) {
        const Row& row = rows[r];
        SCOPED_TRACE(row.name);
        Lines shown;
        MessageBoxCapture boxes;
        ModalScript script(kDialogClass, kSearchCaption);
        script.Do([&](HWND dialog) {
            // Owned by the host's window, centred over it.
            EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner.get());
            const RECT over = WindowRectOf(owner.get());
            const RECT window = WindowRectOf(dialog);
            // Centred over the owner, unless that would cross the work area's
            // left or top edge.
            RECT work{};
            SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
            const LONG left = (over.left + over.right - (window.right - window.left)) / 2;
            const LONG top = (over.top + over.bottom - (window.bottom - window.top)) / 2;
            EXPECT_NEAR(window.left, std::max(work.left, left), 2);
            EXPECT_NEAR(window.top, std::max(work.top, top), 2);
            EXPECT_EQ(ListColumnTexts(SearchList(dialog), 0).size(), row.offered);
            EXPECT_EQ(ColumnHeaderText(SearchList(dialog), 0), "メニューの名称");
            EXPECT_EQ(ColumnHeaderText(SearchList(dialog), 1), "移動先フォルダ名");
            EXPECT_EQ(SelectedRows(SearchList(dialog)), std::vector<int>{0});
            row.act(dialog);
            shown = ListColumnTexts(SearchList(dialog), 0);
        });
        EXPECT_TRUE(
            RunSearch(RowFolder(base, r), script, owner.get(), row.extensions, row.currentFolder))
            << script.failure();
        EXPECT_EQ(shown, row.rowsShown);
        EXPECT_EQ(standin::MovedTo(), row.moved);
        Lines texts;
        for (const CapturedBox& box : boxes.boxes()) {
            texts.push_back(box.text);
            EXPECT_EQ(box.owner, owner.get());
            EXPECT_EQ(box.caption, "Varkel Plugin");
        }
        EXPECT_EQ(texts, row.boxes);
    }
}

TEST(SearchDialog, NeverSmallerThanItsTemplateAndTheListFollows) {
    const OwnerWindow owner;
    ModalScript script(kDialogClass, kSearchCaption);
    script.Do([&](HWND dialog) {
        const RECT opened = WindowRectOf(dialog);
        const RECT list = ChildRect(dialog, GetDlgItem(dialog, IDC_SEARCH_LIST));
        MoveWindow(dialog, opened.left, opened.top, 50, 50, TRUE);
        const RECT small = WindowRectOf(dialog);
        EXPECT_EQ(small.right - small.left, opened.right - opened.left);
        EXPECT_EQ(small.bottom - small.top, opened.bottom - opened.top);
        MoveWindow(dialog, opened.left, opened.top, opened.right - opened.left + 100,
                   opened.bottom - opened.top + 60, TRUE);
        const RECT grown = ChildRect(dialog, GetDlgItem(dialog, IDC_SEARCH_LIST));
        EXPECT_EQ(grown.right - grown.left, list.right - list.left + 100);
        EXPECT_EQ(grown.bottom - grown.top, list.bottom - list.top + 60);
        const RECT move = ChildRect(dialog, GetDlgItem(dialog, IDOK));
        EXPECT_GT(move.top, grown.bottom);
        PressKey(dialog, VK_ESCAPE);
    });
    EXPECT_TRUE(RunSearch(FreshScratchFolder(), script, owner.get())) << script.failure();
    EXPECT_TRUE(standin::MovedTo().empty());
}

TEST(ExtensionDialog, WindowMenuItemOpensItAndOkAppliesTheValues) {
    struct Row {
        const char* name;
        int button;  // IDOK or IDCANCEL
        Lines saved; // [Extension] keys after exit, empty when left out
    };
    const Row rows[] = {
        {"OK",
         IDOK,
         {"SearchItem=1", "AccessKeys=1", "RecentCount=3", "GroupBySlash=0", "MarkMissing=1",
          "GrayCurrent=1"}},
        {"Cancel", IDCANCEL, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DialogSession session;
        ModalScript script = DialogScript(8000);
        Lines menuItems;
        script.Do([&](HWND dialog) {
            const HMENU menu = GetSystemMenu(dialog, FALSE);
            for (const MenuItem& item : ReadMenuItems(menu))
                menuItems.push_back(item.type == MFT_SEPARATOR ? "---" : item.text);
            PostMessageA(dialog, WM_SYSCOMMAND, IDM_EXTENSIONS, 0);
        });
        script.Then([&](HWND dialog) {
            const HWND extensions = FindThreadWindow(kDialogClass, "拡張設定");
            if (!extensions)
                return false;
            EXPECT_EQ(GetWindow(extensions, GW_OWNER), dialog);
            EXPECT_NE(IsDlgButtonChecked(extensions, IDC_EXT_SEARCH_ITEM), BST_CHECKED);
            EXPECT_NE(IsDlgButtonChecked(extensions, IDC_EXT_ACCESS_KEYS), BST_CHECKED);
            EXPECT_EQ(WindowText(GetDlgItem(extensions, IDC_EXT_MARK_MISSING)),
                      "見つからないフォルダを確かめる");
            EXPECT_EQ(WindowText(GetDlgItem(extensions, IDC_EXT_GRAY_CURRENT)),
                      "今いるフォルダを灰色で表示する");
            ClickButton(extensions, IDC_EXT_SEARCH_ITEM);
            ClickButton(extensions, IDC_EXT_ACCESS_KEYS);
            ClickButton(extensions, IDC_EXT_MARK_MISSING);
            ClickButton(extensions, IDC_EXT_GRAY_CURRENT);
            SendDlgItemMessageA(extensions, IDC_EXT_RECENT_COUNT, CB_SETCURSEL, 3, 0);
            ClickButton(extensions, row.button);
            return true;
        });
        script.Then([](HWND dialog) {
            if (FindThreadWindow(kDialogClass, "拡張設定"))
                return false;
            ClickButton(dialog, IDCANCEL);
            return true;
        });
        session.Setup(script);
        ASSERT_GE(menuItems.size(), 2u);
        EXPECT_EQ(menuItems[menuItems.size() - 2], "---");
        EXPECT_EQ(menuItems.back(), "拡張設定(&X)...");

        session.Exit();
        EXPECT_EQ(StoredSection(session.plugin().settingsPath(), "Extension"), row.saved);
    }
}
