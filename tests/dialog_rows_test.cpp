// The settings dialog's rows: filling, moving, deleting, renaming in place,
// committing on OK, and texts of any length.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "base/text.h"
#include "desktop/window_driver.h"
#include "message_boxes.h"
#include "res/resource.h"
#include "scratch.h"
#include "settings_dialog_session.h"
#include "standin_host.h"
#include "table_rows.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;
using Entries = std::vector<std::string>;

constexpr char kMissingFolder[] = "(フォルダが見つかりません)";

const Entries kFour = {"A1:アルファ", "B2:ベータ", "C3:ガンマ", "D4:デルタ"};

void NameFourFolders() {
    standin::Script().displayNames = {{"A1", std::string("受信箱/A")},
                                      {"B2", std::string("受信箱/B")},
                                      {"C3", std::string("受信箱/C")},
                                      {"D4", std::string("受信箱/D")}};
}

// Entries "F0:行0", "F1:行1", ... of count rows.
Entries NumberedRows(int count) {
    Entries entries;
    for (int n = 0; n < count; ++n)
        entries.push_back("F" + std::to_string(n) + ":行" + std::to_string(n));
    return entries;
}

std::vector<std::string> DisplayNameRequests() {
    std::vector<std::string> folders;
    for (const standin::HostCall& call : standin::CallsTo("ORA_GetFolderDisplayName"))
        folders.push_back(call.arguments.at(0));
    return folders;
}

// Opens the dialog on the four folders once for each case, selects the case's
// rows, clears the host's calls and runs check(c, dialog, list); then cancels.
// Nothing of it reaches the list.
template <class Case, std::size_t N, class Check>
void OnSelectedRows(const Case (&cases)[N], Check check) {
    NameFourFolders();
    DialogSession session(SettingsIni(kFour));
    ForEachRow(cases, [&](const Case& c, std::size_t) {
        session.Open({[&](HWND dialog) {
            const HWND list = RowList(dialog);
            SelectRows(list, c.selected);
            standin::ClearCalls();
            check(c, dialog, list);
            ClickButton(dialog, IDCANCEL);
        }});
    });
    EXPECT_EQ(session.Exit().folders, kFour);
}

// A list view whose LVM_GETITEMTEXTA answers with the text's length in
// characters, not bytes: the message's documentation promises no more.
WNDPROC g_listViewProc = nullptr;
LRESULT CALLBACK CountsCharacters(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT length = CallWindowProcA(g_listViewProc, list, message, wParam, lParam);
    if (message != LVM_GETITEMTEXTA || length <= 0)
        return length;
    const char* text = reinterpret_cast<const LVITEMA*>(lParam)->pszText;
    return static_cast<LRESULT>(
        ToUtf16(std::string_view(text, static_cast<std::size_t>(length))).size());
}

} // namespace

TEST(DialogRows, FilledFromTheListWithTheHostsDisplayNames) {
    standin::Script().displayNames = {{"F1", std::string("受信箱/仕事")},
                                      {"F2", std::string("個人")},
                                      {"F3", std::string("F3のフォルダ")},
                                      {"NULL", std::nullopt},
                                      {"EMPTY", std::string()}};
    const Entries entries = {"F1:仕事",   "F2:個人:メモ", "F3",  "GONE:古い",
                             "NULL:ヌル", "EMPTY:空",     "F4:", ":名前だけ"};
    DialogSession session(SettingsIni(entries));
    standin::ClearCalls();
    session.Open({[&](HWND dialog) {
        EXPECT_EQ(ReadRows(RowList(dialog), 3), (Rows{
                                                    {"仕事", "受信箱/仕事", "F1"},
                                                    {"個人:メモ", "個人", "F2"},
                                                    {"F3", "F3のフォルダ", "F3"},
                                                    {"古い", kMissingFolder, "GONE"},
                                                    {"ヌル", kMissingFolder, "NULL"},
                                                    {"空", kMissingFolder, "EMPTY"},
                                                    {"", kMissingFolder, "F4"},
                                                    {"名前だけ", kMissingFolder, ""},
                                                }));
        // Nothing is selected at opening.
        EXPECT_TRUE(SelectedRows(RowList(dialog)).empty());
        ClickButton(dialog, IDC_SETTINGS_OK);
    }});
    // One request per row, in order.
    EXPECT_EQ(DisplayNameRequests(),
              std::vector<std::string>({"F1", "F2", "F3", "GONE", "NULL", "EMPTY", "F4", ""}));
    // An entry without ":" comes back as the text, ":" and the text again.
    EXPECT_EQ(session.Exit().folders, (Entries{"F1:仕事", "F2:個人:メモ", "F3:F3", "GONE:古い",
                                               "NULL:ヌル", "EMPTY:空", "F4:", ":名前だけ"}));
}

TEST(DialogRows, CheckBoxesShowAnyNonzeroFlagTickedAndOkStoresZeroOrOne) {
    struct Case {
        int confirm, menuTop;
    };
    const Case cases[] = {{0, 0}, {1, 1}, {7, -1}, {0, 2}, {-5, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.confirm) + "," + std::to_string(c.menuTop));
        DialogSession session(
            SettingsIni({}, "[Setting]\r\nIsConfirm=" + std::to_string(c.confirm) +
                                "\r\nIsMenuTop=" + std::to_string(c.menuTop) + "\r\n"));
        auto expectBoxes = [&](HWND dialog) {
            EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_SETTINGS_CONFIRM, BM_GETCHECK, 0, 0),
                      c.confirm ? BST_CHECKED : BST_UNCHECKED);
            EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_SETTINGS_MENU_TOP, BM_GETCHECK, 0, 0),
                      c.menuTop ? BST_CHECKED : BST_UNCHECKED);
        };
        // Cancel keeps the stored values as they were.
        session.Open({[&](HWND dialog) {
            expectBoxes(dialog);
            ClickButton(dialog, IDCANCEL);
        }});
        SavedSettings saved = session.Exit();
        EXPECT_EQ(saved.isConfirm, c.confirm);
        EXPECT_EQ(saved.isMenuTop, c.menuTop);

        session.Open({[&](HWND dialog) {
            expectBoxes(dialog);
            ClickButton(dialog, IDC_SETTINGS_OK);
        }});
        saved = session.Exit();
        EXPECT_EQ(saved.isConfirm, c.confirm ? 1 : 0);
        EXPECT_EQ(saved.isMenuTop, c.menuTop ? 1 : 0);
    }
}

TEST(DialogRows, UpAndDownMoveTheFirstSelectedRowWithinTheEnds) {
    struct Case {
        const char* name;
        std::vector<int> selected;
        int button;
        std::vector<std::string> order;
        std::vector<int> selectedAfter;
        int focusedAfter;               // -1: not checked
        std::vector<std::string> asked; // display names asked again
    };
    const int up = IDC_SETTINGS_MOVE_UP, down = IDC_SETTINGS_MOVE_DOWN;
    // clang-format off
    const Case cases[] = {
        {.name = "first row up", .selected = {0}, .button = up, .order = {"アルファ", "ベータ", "ガンマ", "デルタ"}, .selectedAfter = {0}, .focusedAfter = 0, .asked = {"A1"}},
        {.name = "last row down", .selected = {3}, .button = down, .order = {"アルファ", "ベータ", "ガンマ", "デルタ"}, .selectedAfter = {3}, .focusedAfter = 3, .asked = {"D4"}},
        {.name = "second row up", .selected = {1}, .button = up, .order = {"ベータ", "アルファ", "ガンマ", "デルタ"}, .selectedAfter = {0}, .focusedAfter = 0, .asked = {"B2"}},
        {.name = "second row down", .selected = {1}, .button = down, .order = {"アルファ", "ガンマ", "ベータ", "デルタ"}, .selectedAfter = {2}, .focusedAfter = 2, .asked = {"B2"}},
        {.name = "lowest of two selected down", .selected = {3, 1}, .button = down, .order = {"アルファ", "ガンマ", "ベータ", "デルタ"}, .selectedAfter = {2, 3}, .focusedAfter = 2, .asked = {"B2"}},
        {.name = "lowest of two selected up", .selected = {3, 2}, .button = up, .order = {"アルファ", "ガンマ", "ベータ", "デルタ"}, .selectedAfter = {1, 3}, .focusedAfter = 1, .asked = {"C3"}},
        {.name = "nothing selected", .selected = {}, .button = up, .order = {"アルファ", "ベータ", "ガンマ", "デルタ"}, .selectedAfter = {}, .focusedAfter = -1, .asked = {}},
    };
    // clang-format on
    OnSelectedRows(cases, [](const Case& c, HWND dialog, HWND list) {
        ClickButton(dialog, c.button);
        EXPECT_EQ(ListColumnTexts(list, 0), c.order);
        EXPECT_EQ(SelectedRows(list), c.selectedAfter);
        if (c.focusedAfter >= 0) {
            EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_FOCUSED), c.focusedAfter);
        }
        EXPECT_EQ(DisplayNameRequests(), c.asked);
        // A moved row keeps its folder and its display name.
        for (const auto& row : ReadRows(list, 3))
            EXPECT_EQ(row[1], "受信箱/" + row[2].substr(0, 1)) << row[0];
    });
}

TEST(DialogRows, RepeatedMovesCarryARowToTheEndAndStopThere) {
    NameFourFolders();
    DialogSession session(SettingsIni(kFour));
    session.Open({[&](HWND dialog) {
        const HWND list = RowList(dialog);
        SelectRows(list, {0});
        for (int i = 0; i < 5; ++i)
            ClickButton(dialog, IDC_SETTINGS_MOVE_DOWN);
        EXPECT_EQ(ListColumnTexts(list, 0),
                  (std::vector<std::string>{"ベータ", "ガンマ", "デルタ", "アルファ"}));
        EXPECT_EQ(SelectedRows(list), std::vector<int>{3});
        for (int i = 0; i < 2; ++i)
            ClickButton(dialog, IDC_SETTINGS_MOVE_UP);
        EXPECT_EQ(SelectedRows(list), std::vector<int>{1});
        ClickButton(dialog, IDC_SETTINGS_OK);
    }});
    EXPECT_EQ(session.Exit().folders,
              (Entries{"B2:ベータ", "A1:アルファ", "C3:ガンマ", "D4:デルタ"}));
}

TEST(DialogRows, DeleteRemovesEverySelectedRowWithoutAsking) {
    struct Case {
        const char* name;
        std::vector<int> selected;
        std::vector<std::string> order;
        std::vector<int> selectedAfter;
    };
    // clang-format off
    const Case cases[] = {
        {.name = "first", .selected = {0}, .order = {"ベータ", "ガンマ", "デルタ"}, .selectedAfter = {}},
        {.name = "last", .selected = {3}, .order = {"アルファ", "ベータ", "ガンマ"}, .selectedAfter = {}},
        {.name = "both of two", .selected = {2, 0}, .order = {"ベータ", "デルタ"}, .selectedAfter = {}},
        {.name = "nothing selected", .selected = {}, .order = {"アルファ", "ベータ", "ガンマ", "デルタ"}, .selectedAfter = {}},
    };
    // clang-format on
    OnSelectedRows(cases, [](const Case& c, HWND dialog, HWND list) {
        {
            const MessageBoxCapture boxes;
            ClickButton(dialog, IDC_SETTINGS_DELETE);
            for (const CapturedBox& box : boxes.boxes())
                ADD_FAILURE() << "a box: " << box.caption << ": " << box.text;
        }
        EXPECT_EQ(ListColumnTexts(list, 0), c.order);
        EXPECT_EQ(SelectedRows(list), c.selectedAfter);
        EXPECT_TRUE(standin::Calls().empty());
    });
}

TEST(DialogRows, RenameInPlaceWithF2) {
    enum class End { Enter, Escape, FocusLeaves };
    struct Case {
        const char* name;
        std::vector<int> selected;
        std::string typed;
        End end;
        int renamedRow; // -1: no row changes
        Entries committed;
    };
    // clang-format off
    const Case cases[] = {
        {.name = "Enter stores the text", .selected = {1}, .typed = "新しい名前", .end = End::Enter, .renamedRow = 1,
         .committed = {"A1:アルファ", "B2:新しい名前", "C3:ガンマ", "D4:デルタ"}},
        {.name = "Escape keeps the old name", .selected = {1}, .typed = "捨てる名前", .end = End::Escape, .renamedRow = -1, .committed = kFour},
        {.name = "an empty text keeps the old name", .selected = {1}, .typed = "", .end = End::Enter, .renamedRow = -1, .committed = kFour},
        {.name = "leaving the editor stores the text", .selected = {2}, .typed = "移った", .end = End::FocusLeaves, .renamedRow = 2,
         .committed = {"A1:アルファ", "B2:ベータ", "C3:移った", "D4:デルタ"}},
        {.name = "several selected edit the lowest", .selected = {3, 1}, .typed = "下から", .end = End::Enter, .renamedRow = 1,
         .committed = {"A1:アルファ", "B2:下から", "C3:ガンマ", "D4:デルタ"}},
        {.name = "a name with colons", .selected = {0}, .typed = "a:b:c", .end = End::Enter, .renamedRow = 0,
         .committed = {"A1:a:b:c", "B2:ベータ", "C3:ガンマ", "D4:デルタ"}},
    };
    // clang-format on
    NameFourFolders();
    ForEachRow(cases, [&](const Case& c, std::size_t) {
        DialogSession session(SettingsIni(kFour));
        session.Open({[&](HWND dialog) {
            const HWND list = RowList(dialog);
            SetFocus(list);
            SelectRows(list, c.selected);
            const Rows before = ReadRows(list, 3);
            SendKey(list, VK_F2);
            const HWND editor = ListView_GetEditControl(list);
            ASSERT_NE(editor, nullptr) << "F2 starts no label edit";
            const int editedRow =
                c.selected.front() < c.selected.back() ? c.selected.front() : c.selected.back();
            EXPECT_EQ(WindowText(editor), before[static_cast<std::size_t>(editedRow)][0]);
            if (c.end == End::FocusLeaves) {
                SendMessageA(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.typed.c_str()));
                SetFocus(GetDlgItem(dialog, IDC_SETTINGS_MOVE_UP));
            } else {
                TypeIntoLabelEditor(list, c.typed, c.end == End::Enter ? VK_RETURN : VK_ESCAPE);
            }
            EXPECT_EQ(ListView_GetEditControl(list), nullptr) << "the edit has ended";
            Rows expected = before;
            if (c.renamedRow >= 0)
                expected[static_cast<std::size_t>(c.renamedRow)][0] = c.typed;
            // Only column 0 of the edited row changes.
            EXPECT_EQ(ReadRows(list, 3), expected);
            ClickButton(dialog, IDC_SETTINGS_OK);
        }});
        EXPECT_EQ(session.Exit().folders, c.committed);
    });
}

TEST(DialogRows, F2WithNothingSelectedStartsNoEdit) {
    DialogSession session(SettingsIni(kFour));
    session.Open({[&](HWND dialog) {
        const HWND list = RowList(dialog);
        SetFocus(list);
        SelectRows(list, {});
        SendKey(list, VK_F2);
        EXPECT_EQ(ListView_GetEditControl(list), nullptr);
        ClickButton(dialog, IDCANCEL);
    }});
}

TEST(DialogRows, MoreRowsThanFitScrollFromFirstToLast) {
    const Entries entries = NumberedRows(300);
    DialogSession session(SettingsIni(entries));
    session.Open({[&](HWND dialog) {
        const HWND list = RowList(dialog);
        // Filled in one batch, the list still shows and scrolls like any other.
        EXPECT_TRUE(IsWindowVisible(list));
        EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 300);
        EXPECT_EQ(SendMessageA(list, LVM_GETTOPINDEX, 0, 0), 0);
        const LRESULT perPage = SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0);
        EXPECT_GT(perPage, 0);
        EXPECT_LT(perPage, 300);
        EXPECT_NE(GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL, 0);
        SetFocus(list);
        SendKey(list, VK_END);
        EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_FOCUSED), 299);
        EXPECT_EQ(SendMessageA(list, LVM_GETTOPINDEX, 0, 0), 300 - perPage);
        EXPECT_EQ(CellText(list, 299, 0), "行299");
        ClickButton(dialog, IDCANCEL);
    }});
}

TEST(DialogRows, AltKeysAndDraggingMoveTheRowFarKeptSelectedAndInView) {
    struct Case {
        const char* name;
        int selected; // -1: none
        std::function<void(HWND list)> act;
        int landed; // where the selected row ends up
        int closeWith = IDCANCEL;
    };
    // clang-format off
    const Case cases[] = {
        {.name = "Alt+Home", .selected = 299, .act = [](HWND list) { PressAltKey(list, VK_HOME); }, .landed = 0},
        {.name = "Alt+End", .selected = 0, .act = [](HWND list) { PressAltKey(list, VK_END); }, .landed = 299},
        {.name = "Alt+Up", .selected = 150, .act = [](HWND list) { PressAltKey(list, VK_UP); }, .landed = 149},
        {.name = "Alt+Down", .selected = 150, .act = [](HWND list) { PressAltKey(list, VK_DOWN); }, .landed = 151},
        {.name = "Alt+Up on the first row", .selected = 0, .act = [](HWND list) { PressAltKey(list, VK_UP); }, .landed = 0},
        {.name = "Alt+Home with nothing selected", .selected = -1, .act = [](HWND list) { PressAltKey(list, VK_HOME); }, .landed = -1},
        {.name = "drag down between rows", .selected = 1, .act = [](HWND list) { DragListRow(list, 1, ListGapPoint(list, 4), true); }, .landed = 3},
        {.name = "two drags, the second taking the row on to the top", .selected = 1,
         .act = [](HWND list) { DragListRow(list, 1, ListGapPoint(list, 4), true); DragListRow(list, 3, ListGapPoint(list, 0), true); }, .landed = 0},
        {.name = "drag, then Escape", .selected = 5,
         .act = [](HWND list) { DragListRow(list, 5, ListGapPoint(list, 0), false); PressKey(list, VK_ESCAPE); PostMessageA(list, WM_LBUTTONUP, 0, 0); },
         .landed = 5},
        {.name = "drop outside the list", .selected = 5,
         .act = [](HWND list) { const SIZE client = ClientSize(list); DragListRow(list, 5, POINT{client.cx + 20, client.cy / 2}, true); },
         .landed = 5},
        {.name = "drag to the top, then OK", .selected = 5, .act = [](HWND list) { DragListRow(list, 5, ListGapPoint(list, 0), true); }, .landed = 0,
         .closeWith = IDC_SETTINGS_OK},
    };
    // clang-format on
    const Entries entries = NumberedRows(300);
    DialogSession session(SettingsIni(entries));
    ForEachRow(cases, [&](const Case& c, std::size_t) {
        std::vector<std::string> order;
        for (const std::string& entry : entries)
            order.push_back(entry.substr(entry.find(':') + 1));
        if (c.selected >= 0) {
            const std::string moved = order[static_cast<std::size_t>(c.selected)];
            order.erase(order.begin() + c.selected);
            order.insert(order.begin() + c.landed, moved);
        }
        const auto act = [&](HWND dialog) {
            const HWND list = RowList(dialog);
            SetFocus(list);
            SelectRows(list, c.selected >= 0 ? std::vector<int>{c.selected} : std::vector<int>{});
            ListView_EnsureVisible(list, c.selected >= 0 ? c.selected : 0, FALSE);
            c.act(list);
        };
        const auto check = [&](HWND dialog) {
            const HWND list = RowList(dialog);
            EXPECT_EQ(ListColumnTexts(list, 0), order);
            EXPECT_EQ(SelectedRows(list),
                      c.selected >= 0 ? std::vector<int>{c.landed} : std::vector<int>{});
            if (c.selected >= 0) {
                const int top = ListView_GetTopIndex(list);
                EXPECT_GE(c.landed, top);
                EXPECT_LT(c.landed, top + ListView_GetCountPerPage(list));
            }
            ClickButton(dialog, c.closeWith);
        };
        session.Open({act, check});
    });
    // Cancel dropped every move; OK kept the last one.
    Entries committed = entries;
    committed.erase(committed.begin() + 5);
    committed.insert(committed.begin(), entries[5]);
    EXPECT_EQ(session.Exit().folders, committed);
}

TEST(DialogRows, DraggingNearTheTopEdgeScrollsTheList) {
    const Entries entries = NumberedRows(100);
    DialogSession session(SettingsIni(entries));
    int startTop = 0;
    int dropTop = 0;
    POINT held{};
    const auto hold = [&](HWND dialog) {
        const HWND list = RowList(dialog);
        SetFocus(list);
        SelectRows(list, {99});
        ListView_EnsureVisible(list, 99, FALSE);
        startTop = ListView_GetTopIndex(list);
        // Held just below the column header, within the first row.
        held = ListGapPoint(list, startTop);
        DragListRow(list, 99, held, false);
    };
    const auto release = [&](HWND dialog) {
        const HWND list = RowList(dialog);
        dropTop = ListView_GetTopIndex(list);
        if (dropTop > startTop - 3) {
            // The captured list also gets the moves that the system makes from
            // the real pointer, elsewhere, when windows of other tests come and
            // go on the shared display; the held pointer is told again.
            PostMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(held.x, held.y));
            return false;
        }
        const POINT drop = ListGapPoint(list, dropTop);
        PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(drop.x, drop.y));
        return true;
    };
    const auto check = [&](HWND dialog) {
        const HWND list = RowList(dialog);
        EXPECT_EQ(CellText(list, ListView_GetTopIndex(list), 0), "行99");
        EXPECT_EQ(SelectedRows(list), std::vector<int>{ListView_GetTopIndex(list)});
        ClickButton(dialog, IDCANCEL);
    };
    session.Open({hold, release, check});
}

TEST(DialogRows, LongNamesAndFolderIdsSurviveWhole) {
    // Texts far beyond 1,024 bytes; the double-byte ones would be cut inside
    // a character by a 1,024-byte buffer.
    const std::string longId = "ID" + Repeat("0123456789", 499) + "XYZ";
    const std::string longName = Repeat("あ", 2500);
    const std::string longRename = Repeat("名", 3000);
    ASSERT_EQ(longId.size(), 4995u);
    ASSERT_EQ(longName.size(), 5000u);
    const Entries entries = {longId + ":長いID", "F2:" + longName, "F3:短い"};
    DialogSession session(SettingsIni(entries));
    session.Open({[&](HWND dialog) {
        const HWND list = RowList(dialog);
        EXPECT_EQ(CellText(list, 0, 2), longId);
        EXPECT_EQ(CellText(list, 1, 0), longName);
        // Moving reads a row back and inserts it again.
        SelectRows(list, {0});
        ClickButton(dialog, IDC_SETTINGS_MOVE_DOWN);
        EXPECT_EQ(CellText(list, 1, 2), longId);
        SelectRows(list, {0});
        ClickButton(dialog, IDC_SETTINGS_MOVE_DOWN);
        EXPECT_EQ(CellText(list, 1, 0), longName);
        // A long rename is stored whole too.
        SelectRows(list, {2});
        SetFocus(list);
        SendKey(list, VK_F2);
        EXPECT_TRUE(TypeIntoLabelEditor(list, longRename, VK_RETURN));
        EXPECT_EQ(CellText(list, 2, 0), longRename);
        ClickButton(dialog, IDC_SETTINGS_OK);
    }});
    EXPECT_EQ(session.Exit().folders,
              (Entries{longId + ":長いID", "F2:" + longName, "F3:" + longRename}));
}

TEST(DialogRows, OkCommitsTheRowsInOrderAndTheCheckBoxes) {
    struct Case {
        const char* name;
        void (*edit)(HWND dialog);
        Entries committed;
        int isConfirm, isMenuTop;
    };
    const Case cases[] = {
        {"unchanged", [](HWND) {}, kFour, 1, 0},
        {"every row deleted",
         [](HWND dialog) {
             for (int i = 0; i < 4; ++i) {
                 SelectRows(RowList(dialog), {0});
                 ClickButton(dialog, IDC_SETTINGS_DELETE);
             }
         },
         {},
         1,
         0},
        {"moved, deleted, renamed and both boxes switched",
         [](HWND dialog) {
             const HWND list = RowList(dialog);
             SelectRows(list, {3});
             ClickButton(dialog, IDC_SETTINGS_MOVE_UP);
             ClickButton(dialog, IDC_SETTINGS_MOVE_UP); // A D B C
             SelectRows(list, {0});
             ClickButton(dialog, IDC_SETTINGS_DELETE); // D B C
             SelectRows(list, {1});
             SetFocus(list);
             SendKey(list, VK_F2);
             TypeIntoLabelEditor(list, "改名", VK_RETURN);
             ClickButton(dialog, IDC_SETTINGS_CONFIRM);
             ClickButton(dialog, IDC_SETTINGS_MENU_TOP);
         },
         {"D4:デルタ", "B2:改名", "C3:ガンマ"},
         0,
         1},
        {"read back from a list view that counts characters",
         [](HWND dialog) {
             const HWND list = RowList(dialog);
             g_listViewProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
                 list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountsCharacters)));
             SelectRows(list, {0});
             ClickButton(dialog, IDC_SETTINGS_MOVE_DOWN);
         },
         {"B2:ベータ", "A1:アルファ", "C3:ガンマ", "D4:デルタ"},
         1,
         0},
    };
    NameFourFolders();
    ForEachRow(cases, [&](const Case& c, std::size_t) {
        DialogSession session(SettingsIni(kFour, "[Setting]\r\nIsConfirm=1\r\nIsMenuTop=0\r\n"));
        session.Open({[&](HWND dialog) {
            c.edit(dialog);
            ClickButton(dialog, IDC_SETTINGS_OK);
        }});
        // The list in memory shows in the next opening.
        session.Open({[&](HWND dialog) {
            std::vector<std::string> rows;
            for (const auto& row : ReadRows(RowList(dialog), 3))
                rows.push_back(row[2] + ":" + row[0]);
            EXPECT_EQ(rows, c.committed);
            EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_SETTINGS_CONFIRM) == BST_CHECKED,
                      c.isConfirm != 0);
            EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_SETTINGS_MENU_TOP) == BST_CHECKED,
                      c.isMenuTop != 0);
            ClickButton(dialog, IDCANCEL);
        }});
        const SavedSettings saved = session.Exit();
        EXPECT_EQ(saved.folders, c.committed);
        EXPECT_EQ(saved.isConfirm, c.isConfirm);
        EXPECT_EQ(saved.isMenuTop, c.isMenuTop);
    });
}

namespace {

const Entries kRowMenu = {"上へ(&U)",   "下へ(&D)",           "先頭へ(&T)",
                          "末尾へ(&B)", "名前の変更(&N)\tF2", "削除(&R)"};

// Opens the list's context menu as a right-click on the row does, or, when
// row is -1, as Shift+F10 and the menu key do: the system sends the list
// WM_CONTEXTMENU with the point -1, which the list passes on to the dialog.
void OpenRowMenu(HWND list, int row) {
    if (row < 0)
        PostMessageA(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), -1);
    else
        RightClickAt(list, ListRowCenter(list, row));
}

} // namespace

// Each item does what its button or key does, on the first selected row, or
// for 削除 on every selected row; 名前の変更 starts the label editor.
TEST(DialogRows, ContextMenuItemsDoWhatTheirButtonsAndKeysDo) {
    struct Case {
        const char* name;
        std::vector<int> selected;
        int clicked; // the row right-clicked; -1: the menu key
        int item;    // the item picked, counted without separators
        std::vector<std::string> order;
        std::vector<int> selectedAfter;
        bool markMissing = false;
        std::string typed = std::string(); // into the label editor it started
    };
    // clang-format off
    const Case cases[] = {
        {.name = "上へ", .selected = {2}, .clicked = 2, .item = 0, .order = {"アルファ", "ガンマ", "ベータ", "デルタ"}, .selectedAfter = {1}},
        {.name = "下へ on the lowest of two", .selected = {2, 0}, .clicked = 2, .item = 1, .order = {"ベータ", "アルファ", "ガンマ", "デルタ"}, .selectedAfter = {1, 2}},
        {.name = "先頭へ from the keyboard", .selected = {3}, .clicked = -1, .item = 2, .order = {"デルタ", "アルファ", "ベータ", "ガンマ"}, .selectedAfter = {0}},
        {.name = "末尾へ", .selected = {0}, .clicked = 0, .item = 3, .order = {"ベータ", "ガンマ", "デルタ", "アルファ"}, .selectedAfter = {3}},
        {.name = "名前の変更", .selected = {1}, .clicked = 1, .item = 4, .order = {"アルファ", "改名", "ガンマ", "デルタ"}, .selectedAfter = {1}, .typed = "改名"},
        {.name = "削除 on every selected row", .selected = {1, 3}, .clicked = 3, .item = 5, .order = {"アルファ", "ガンマ"}, .selectedAfter = {}},
        {.name = "削除 with missing folders checked", .selected = {0}, .clicked = 0, .item = 5, .order = {"ベータ", "ガンマ", "デルタ"}, .selectedAfter = {},
         .markMissing = true},
        // The host knows only A1 and C3.
        {.name = "見つからないフォルダを選択", .selected = {0, 2}, .clicked = 0, .item = 6, .order = {"アルファ", "ベータ", "ガンマ", "デルタ"}, .selectedAfter = {1, 3},
         .markMissing = true},
    };
    // clang-format on
    const std::map<std::string, std::string> shownNames = {
        {"A1", "受信箱/A"}, {"B2", kMissingFolder}, {"C3", "受信箱/C"}, {"D4", kMissingFolder}};
    const Entries withSelect = [] {
        Entries items = kRowMenu;
        items.push_back("---");
        items.push_back("見つからないフォルダを選択(&M)");
        return items;
    }();
    ForEachRow(cases, [&](const Case& c, std::size_t) {
        standin::Reset();
        standin::Script().displayNames = {{"A1", std::string("受信箱/A")},
                                          {"C3", std::string("受信箱/C")}};
        DialogSession session(SettingsIni(
            kFour, "[Extension]\r\nMarkMissing=" + std::to_string(c.markMissing) + "\r\n"));
        const auto openMenu = [&](HWND dialog) {
            const HWND list = RowList(dialog);
            SetFocus(list);
            SelectRows(list, c.selected);
            OpenRowMenu(list, c.clicked);
        };
        const auto pickItem = [&](HWND dialog) {
            const HWND menu = MenuWindowWithItem("上へ(&U)");
            if (!menu)
                return false;
            EXPECT_EQ(OpenMenuItems(menu), c.markMissing ? withSelect : kRowMenu);
            for (int i = 0; i <= c.item; ++i)
                PressKey(dialog, VK_DOWN);
            PressKey(dialog, VK_RETURN);
            return true;
        };
        const auto check = [&](HWND dialog) {
            if (!OpenMenuWindows().empty())
                return false;
            const HWND list = RowList(dialog);
            EXPECT_EQ(TypeIntoLabelEditor(list, c.typed, VK_RETURN), !c.typed.empty());
            EXPECT_EQ(ListColumnTexts(list, 0), c.order);
            EXPECT_EQ(SelectedRows(list), c.selectedAfter);
            // Rows keep their folders' display names.
            for (const auto& row : ReadRows(list, 3))
                EXPECT_EQ(row[1], shownNames.at(row[2])) << row[0];
            ClickButton(dialog, IDCANCEL);
            return true;
        };
        session.Open({openMenu, pickItem, check});
    });
}

// Names that differ in case, width and kana only compare equal and keep
// their order.
TEST(DialogRows, HeaderClicksSortByTheirColumnAndASecondClickReverses) {
    struct Case {
        const char* name;
        std::vector<int> clicks; // columns, in order
        std::vector<std::string> folders;
        int closeWith = IDCANCEL;
    };
    const Case cases[] = {
        {"menu name", {0}, {"c", "a", "b", "d"}},
        {"menu name reversed", {0, 0}, {"d", "b", "c", "a"}},
        {"menu name, a third time", {0, 0, 0}, {"c", "a", "b", "d"}},
        {"display name", {1}, {"d", "b", "c", "a"}},
        {"display name reversed", {1, 1}, {"c", "a", "b", "d"}},
        {"the hidden column sorts nothing", {2}, {"b", "c", "a", "d"}},
        {"display name, then OK", {1}, {"d", "b", "c", "a"}, IDC_SETTINGS_OK},
    };
    const std::map<std::string, std::string> names = {
        {"b", "ｶﾀ"}, {"c", "カナ"}, {"a", "かな"}, {"d", "あ"}};
    const Entries entries = {"b:Beta", "c:ＡＬＰＨＡ", "a:alpha", "d:がっこう"};
    for (const auto& [folder, name] : names)
        standin::Script().displayNames[folder] = name;
    DialogSession session(SettingsIni(entries));
    ForEachRow(cases, [&](const Case& c, std::size_t) {
        const auto sort = [&](HWND dialog) {
            const HWND list = RowList(dialog);
            SelectRows(list, {2}); // folder a
            standin::ClearCalls();
            for (const int column : c.clicks)
                ClickColumnHeader(list, column);
        };
        const auto check = [&](HWND dialog) {
            const HWND list = RowList(dialog);
            EXPECT_EQ(ListColumnTexts(list, 2), c.folders);
            // Each row keeps its names and the selection stays with its row.
            for (const auto& row : ReadRows(list, 3)) {
                EXPECT_EQ(row[1], names.at(row[2]));
                EXPECT_NE(std::find(entries.begin(), entries.end(), row[2] + ":" + row[0]),
                          entries.end());
            }
            const std::vector<int> selected = SelectedRows(list);
            ASSERT_EQ(selected.size(), 1u);
            EXPECT_EQ(CellText(list, selected[0], 2), "a");
            EXPECT_TRUE(standin::Calls().empty());
            ClickButton(dialog, c.closeWith);
        };
        session.Open({sort, check});
    });
    // Cancel dropped every sort; OK kept the last one.
    EXPECT_EQ(session.Exit().folders, (Entries{"d:がっこう", "b:Beta", "c:ＡＬＰＨＡ", "a:alpha"}));
}
