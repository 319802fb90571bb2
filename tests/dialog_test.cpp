// The settings dialog's window: placement, minimum size, layout, closing,
// owner, the second-setup guard, the version box and screenshots.
#include <windows.h>
#include <shlobj.h>

#include <commctrl.h>
#include <windowsx.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "base/holders.h"
#include "desktop/screenshot.h"
#include "desktop/window_driver.h"
#include "message_boxes.h"
#include "plugin.h"
#include "res/resource.h"
#include "base/text.h"
#include "resource_reader.h"
#include "scratch.h"
#include "settings_dialog_session.h"
#include "standin_host.h"
#include "table_rows.h"

namespace {

using Corners = std::array<LONG, 4>;

Corners CornersOf(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

std::string SizeIni(const RECT& rect, int colWidth1, int colWidth2) {
    return "[Size]\r\nLeft=" + std::to_string(rect.left) + "\r\nTop=" + std::to_string(rect.top) +
           "\r\nRight=" + std::to_string(rect.right) + "\r\nBottom=" + std::to_string(rect.bottom) +
           "\r\nColWidth1=" + std::to_string(colWidth1) +
           "\r\nColWidth2=" + std::to_string(colWidth2) + "\r\n";
}

RECT WorkArea() {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The controls that the layout moves, those that keep their size first, and
// the three it never moves.
constexpr int kMovedControls[] = {IDC_SETTINGS_VERSION_BUTTON,
                                  IDCANCEL,
                                  IDC_SETTINGS_OK,
                                  IDC_SETTINGS_MENU_TOP,
                                  IDC_SETTINGS_CONFIRM,
                                  IDC_SETTINGS_FOLDER_LIST};
constexpr int kTopButtons[] = {IDC_SETTINGS_MOVE_UP, IDC_SETTINGS_MOVE_DOWN, IDC_SETTINGS_DELETE};

SIZE SizeOf(const RECT& rect) {
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

std::vector<RECT> ChildRects(HWND dialog, const int* ids, std::size_t count) {
    std::vector<RECT> rects;
    for (std::size_t i = 0; i < count; ++i)
        rects.push_back(ChildRect(dialog, GetDlgItem(dialog, ids[i])));
    return rects;
}

// Checks the layout's properties against the client area, given the moved
// controls' rectangles at opening: every control inside the client area and
// none overlapping another; the buttons in a row anchored to the bottom right
// corner and the check boxes above them on the left, all at their sizes from
// opening, 15 pixels from the edges and 5 apart; the list keeping its top left
// corner and filling the rest, the width less both margins.
void ExpectLayout(HWND dialog, const std::vector<RECT>& atOpening) {
    const SIZE client = ClientSize(dialog);
    const RECT area{0, 0, client.cx, client.cy};
    std::vector<RECT> all = ChildRects(dialog, kMovedControls, std::size(kMovedControls));
    for (int id : kTopButtons)
        all.push_back(ChildRect(dialog, GetDlgItem(dialog, id)));
    for (std::size_t i = 0; i < all.size(); ++i) {
        EXPECT_TRUE(Inside(all[i], area)) << "control " << i;
        for (std::size_t j = i + 1; j < all.size(); ++j) {
            RECT overlap{};
            EXPECT_FALSE(IntersectRect(&overlap, &all[i], &all[j])) << i << " and " << j;
        }
    }
    for (std::size_t i = 0; i + 1 < std::size(kMovedControls); ++i) {
        EXPECT_EQ(SizeOf(all[i]).cx, SizeOf(atOpening[i]).cx) << "control " << kMovedControls[i];
        EXPECT_EQ(SizeOf(all[i]).cy, SizeOf(atOpening[i]).cy) << "control " << kMovedControls[i];
    }
    const RECT& version = all[0];
    const RECT& cancel = all[1];
    const RECT& ok = all[2];
    const RECT& menuTop = all[3];
    const RECT& confirm = all[4];
    const RECT& list = all[5];
    EXPECT_EQ(version.right, client.cx - 15);
    EXPECT_EQ(cancel.right, version.left - 5);
    EXPECT_EQ(ok.right, cancel.left - 5);
    for (const RECT* button : {&version, &cancel, &ok})
        EXPECT_EQ(button->bottom, client.cy - 15);
    EXPECT_EQ(menuTop.left, 15);
    EXPECT_EQ(menuTop.bottom, ok.top - 5);
    EXPECT_EQ(confirm.left, 15);
    EXPECT_EQ(confirm.bottom, menuTop.top - 5);
    EXPECT_EQ(list.left, atOpening[5].left);
    EXPECT_EQ(list.top, atOpening[5].top);
    EXPECT_EQ(list.right - list.left, client.cx - 30);
    EXPECT_EQ(list.bottom, confirm.top - 5);
}

// Pixels clearly darker than a control's face: text and lines.
int DarkPixels(const Image& image, const RECT& area) {
    int dark = 0;
    for (int y = std::max(0L, area.top); y < std::min<LONG>(image.height, area.bottom); ++y) {
        for (int x = std::max(0L, area.left); x < std::min<LONG>(image.width, area.right); ++x) {
            const COLORREF pixel = image.Pixel(x, y);
            if (GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 3 * 80)
                ++dark;
        }
    }
    return dark;
}

// A child's rectangle relative to its window's top-left corner (the image's
// origin).
RECT InImage(HWND dialog, int id) {
    const RECT window = WindowRectOf(dialog);
    RECT child = WindowRectOf(GetDlgItem(dialog, id));
    OffsetRect(&child, -window.left, -window.top);
    return child;
}

// Characters of a text that the control's font has no glyph for (the font
// that the template names must map to one with Japanese glyphs).
int MissingGlyphs(HWND control, const wchar_t* text) {
    const ClientDc dc(control);
    const ScopedSelection font(dc.get(),
                               reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    const int length = lstrlenW(text);
    std::vector<WORD> glyphs(static_cast<std::size_t>(length));
    GetGlyphIndicesW(dc.get(), text, length, glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
    int missing = 0;
    for (WORD glyph : glyphs)
        missing += glyph == 0xFFFF ? 1 : 0;
    return missing;
}

std::string ScreenshotPath(const char* name) {
    const std::string folder = ExecutableFolder() + "screenshots\\";
    SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
    return folder + name;
}

} // namespace

TEST(DialogGeometry, FirstOpeningIsCentredWithDefaultColumns) {
    DialogSession session;
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const RECT centred{(screenWidth - 400) / 2, (screenHeight - 300) / 2,
                       (screenWidth - 400) / 2 + 400, (screenHeight - 300) / 2 + 300};
    RECT shown{};
    session.Open({[&](HWND dialog) {
        EXPECT_TRUE(IsWindowVisible(dialog));
        shown = WindowRectOf(dialog);
        const HWND list = RowList(dialog);
        EXPECT_EQ(ClassNameOf(list), "SysListView32");
        ASSERT_EQ(Header_GetItemCount(ListView_GetHeader(list)), 3);
        const char* headers[] = {"メニューの名称", "移動先フォルダ名", ""};
        const int widths[] = {160, 180, 0};
        for (int column = 0; column < 3; ++column) {
            EXPECT_EQ(ColumnHeaderText(list, column), headers[column]) << column;
            EXPECT_EQ(ListView_GetColumnWidth(list, column), widths[column]) << column;
        }
        EXPECT_EQ(ReadRows(list, 3).size(), 0u);
        EXPECT_TRUE(IsDlgButtonChecked(dialog, IDC_SETTINGS_CONFIRM) == BST_CHECKED);
        EXPECT_FALSE(IsDlgButtonChecked(dialog, IDC_SETTINGS_MENU_TOP) == BST_CHECKED);
        ClickButton(dialog, IDCANCEL);
    }});
    EXPECT_EQ(CornersOf(session.openedAt()), CornersOf(centred));
    const SavedSettings saved = session.Exit();
    EXPECT_EQ(CornersOf(saved.rect), CornersOf(shown));
    EXPECT_EQ(saved.colWidth1, 160);
    EXPECT_EQ(saved.colWidth2, 180);
}

TEST(DialogGeometry, StoredRectangleIsAppliedUnlessNoPartOfItShows) {
    const RECT work = WorkArea();
    struct Case {
        const char* name;
        RECT stored;
        int colWidth1, colWidth2;
        // Where the window opens; {0,0,0,0} when it is moved onto the work
        // area with the size given.
        RECT opens;
        SIZE movedSize;
    };
    // clang-format off
    const Case cases[] = {
        {.name = "inside the screen", .stored = {100, 50, 650, 500}, .colWidth1 = 200, .colWidth2 = 150, .opens = {100, 50, 650, 500}, .movedSize = {}},
        {.name = "smaller than the minimum", .stored = {100, 50, 300, 200}, .colWidth1 = 60, .colWidth2 = 70, .opens = {100, 50, 500, 350},
         .movedSize = {}},
        {.name = "empty", .stored = {200, 100, 200, 100}, .colWidth1 = 160, .colWidth2 = 180, .opens = {200, 100, 600, 400}, .movedSize = {}},
        {.name = "partly off left and top", .stored = {-100, -50, 400, 300}, .colWidth1 = 160, .colWidth2 = 180, .opens = {-100, -50, 400, 300},
         .movedSize = {}},
        {.name = "partly off right and bottom", .stored = {900, 600, 1400, 1000}, .colWidth1 = 1, .colWidth2 = 2, .opens = {900, 600, 1400, 1000},
         .movedSize = {}},
        {.name = "entirely right and below", .stored = {5000, 5000, 5450, 5350}, .colWidth1 = 160, .colWidth2 = 180, .opens = {},
         .movedSize = {450, 350}},
        {.name = "entirely left and above", .stored = {-3000, -2000, -2500, -1600}, .colWidth1 = 160, .colWidth2 = 180, .opens = {},
         .movedSize = {500, 400}},
        {.name = "off screen and smaller than the minimum", .stored = {5000, 5000, 5100, 5100}, .colWidth1 = 160, .colWidth2 = 180, .opens = {},
         .movedSize = {400, 300}},
    };
    // clang-format on
    ForEachRow(cases, [&](const Case& c, std::size_t) {
        DialogSession session(SettingsIni({}, SizeIni(c.stored, c.colWidth1, c.colWidth2)));
        RECT shown{};
        session.Open({[&](HWND dialog) {
            shown = WindowRectOf(dialog);
            EXPECT_EQ(ListView_GetColumnWidth(RowList(dialog), 0), c.colWidth1);
            EXPECT_EQ(ListView_GetColumnWidth(RowList(dialog), 1), c.colWidth2);
            EXPECT_EQ(ListView_GetColumnWidth(RowList(dialog), 2), 0);
            ClickButton(dialog, IDCANCEL);
        }});
        const RECT opened = session.openedAt();
        if (c.movedSize.cx) {
            EXPECT_EQ(SizeOf(opened).cx, c.movedSize.cx);
            EXPECT_EQ(SizeOf(opened).cy, c.movedSize.cy);
            EXPECT_TRUE(Inside(opened, work))
                << "opened at " << opened.left << "," << opened.top << " outside the work area";
        } else {
            EXPECT_EQ(CornersOf(opened), CornersOf(c.opens));
        }
        // The rectangle stored at closing is the one the window had.
        const SavedSettings saved = session.Exit();
        EXPECT_EQ(CornersOf(saved.rect), CornersOf(shown));
        EXPECT_EQ(saved.colWidth1, c.colWidth1);
        EXPECT_EQ(saved.colWidth2, c.colWidth2);
    });
}

TEST(DialogGeometry, NeverSmallerThan400By300) {
    DialogSession session(SettingsIni({}, SizeIni({100, 100, 600, 500}, 160, 180)));
    session.Open({[&](HWND dialog) {
        // The minimum tracking size is set; the rest stays as filled in.
        MINMAXINFO info;
        info.ptReserved = {1, 2};
        info.ptMaxSize = {3000, 2000};
        info.ptMaxPosition = {-4, -5};
        info.ptMinTrackSize = {11, 12};
        info.ptMaxTrackSize = {5000, 4000};
        SendMessageA(dialog, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(info.ptMinTrackSize.x, 400);
        EXPECT_EQ(info.ptMinTrackSize.y, 300);
        EXPECT_EQ(info.ptMaxSize.x, 3000);
        EXPECT_EQ(info.ptMaxSize.y, 2000);
        EXPECT_EQ(info.ptMaxPosition.x, -4);
        EXPECT_EQ(info.ptMaxPosition.y, -5);
        EXPECT_EQ(info.ptMaxTrackSize.x, 5000);
        EXPECT_EQ(info.ptMaxTrackSize.y, 4000);

        // Sizing below the minimum stops at it.
        MoveWindow(dialog, 150, 120, 100, 60, TRUE);
        EXPECT_EQ(CornersOf(WindowRectOf(dialog)), (Corners{150, 120, 550, 420}));
        ResizeClientArea(dialog, 10, 10);
        EXPECT_EQ(SizeOf(WindowRectOf(dialog)).cx, 400);
        EXPECT_EQ(SizeOf(WindowRectOf(dialog)).cy, 300);
        ClickButton(dialog, IDCANCEL);
    }});
    EXPECT_EQ(CornersOf(session.Exit().rect), (Corners{150, 120, 550, 420}));
}

TEST(DialogLayout, ControlsFollowTheEdgesAndTheListFillsTheRest) {
    DialogSession session(SettingsIni({"F1:仕事", "F2:個人"}));
    session.Open({[&](HWND dialog) {
        const std::vector<RECT> atOpening =
            ChildRects(dialog, kMovedControls, std::size(kMovedControls));
        const std::vector<RECT> topButtons =
            ChildRects(dialog, kTopButtons, std::size(kTopButtons));
        // The top row stands where the template puts it.
        RECT upInUnits{7, 7, 7 + 34, 7 + 14};
        MapDialogRect(dialog, &upInUnits);
        EXPECT_EQ(CornersOf(topButtons[0]), CornersOf(upInUnits));
        {
            SCOPED_TRACE("as opened");
            ExpectLayout(dialog, atOpening);
        }
        // 10 by 10 is below the minimum size.
        const SIZE sizes[] = {{600, 450}, {800, 300}, {450, 700}, {1000, 700}, {10, 10}};
        for (const SIZE& size : sizes) {
            SCOPED_TRACE("client area " + std::to_string(size.cx) + "x" + std::to_string(size.cy));
            ResizeClientArea(dialog, size.cx, size.cy);
            if (size.cx >= 400) {
                EXPECT_EQ(ClientSize(dialog).cx, size.cx);
            }
            if (size.cx >= 400 && size.cy <= 450) {
                EXPECT_EQ(ClientSize(dialog).cy, size.cy);
            }
            ExpectLayout(dialog, atOpening);
            for (std::size_t i = 0; i < std::size(kTopButtons); ++i)
                EXPECT_EQ(CornersOf(ChildRect(dialog, GetDlgItem(dialog, kTopButtons[i]))),
                          CornersOf(topButtons[i]));
        }
        ClickButton(dialog, IDCANCEL);
    }});
}

TEST(DialogClosing, EveryWayStoresTheGeometryAndOnlyOkCommits) {
    struct Case {
        const char* name;
        void (*close)(HWND dialog);
        bool commits;
    };
    // clang-format off
    const Case cases[] = {
        {.name = "OK button", .close = [](HWND dialog) { ClickButton(dialog, IDC_SETTINGS_OK); }, .commits = true},
        {.name = "Enter in the list", .close = [](HWND dialog) { SetFocus(RowList(dialog)); PressKey(RowList(dialog), VK_RETURN); }, .commits = true},
        {.name = "Cancel button", .close = [](HWND dialog) { ClickButton(dialog, IDCANCEL); }, .commits = false},
        {.name = "Escape in the list", .close = [](HWND dialog) { SetFocus(RowList(dialog)); PressKey(RowList(dialog), VK_ESCAPE); }, .commits = false},
        {.name = "close box", .close = [](HWND dialog) { SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }, .commits = false},
        {.name = "WM_CLOSE", .close = [](HWND dialog) { SendMessageA(dialog, WM_CLOSE, 0, 0); }, .commits = false},
    };
    // clang-format on
    const std::vector<std::string> entries = {"A1:アルファ", "B2:ベータ", "C3:ガンマ"};
    LONG shift = 0;
    ForEachRow(cases, [&](const Case& c, std::size_t) {
        DialogSession session(SettingsIni(entries, "[Setting]\r\nIsConfirm=7\r\nIsMenuTop=0\r\n" +
                                                       SizeIni({100, 100, 500, 400}, 160, 180)));
        shift += 10;
        const RECT moved{50 + shift, 60 + shift, 650 + shift, 520 + shift};
        session.Open({[&](HWND dialog) {
            const HWND list = RowList(dialog);
            SelectRows(list, {2});
            ClickButton(dialog, IDC_SETTINGS_MOVE_UP); // A C B
            SelectRows(list, {0});
            ClickButton(dialog, IDC_SETTINGS_DELETE); // C B
            SelectRows(list, {1});
            SendKey(list, VK_F2);
            EXPECT_TRUE(TypeIntoLabelEditor(list, "改名", VK_RETURN));
            ClickButton(dialog, IDC_SETTINGS_CONFIRM);
            ClickButton(dialog, IDC_SETTINGS_MENU_TOP);
            MoveWindow(dialog, moved.left, moved.top, 600, 460, TRUE);
            ListView_SetColumnWidth(list, 0, 111);
            ListView_SetColumnWidth(list, 1, 222);
            ListView_SetColumnWidth(list, 2, 33);
            c.close(dialog);
        }});
        const SavedSettings saved = session.Exit();
        EXPECT_EQ(CornersOf(saved.rect), CornersOf(moved));
        EXPECT_EQ(saved.colWidth1, 111);
        EXPECT_EQ(saved.colWidth2, 222);
        if (c.commits) {
            EXPECT_EQ(saved.folders, (std::vector<std::string>{"C3:ガンマ", "B2:改名"}));
            EXPECT_EQ(saved.isConfirm, 0);
            EXPECT_EQ(saved.isMenuTop, 1);
        } else {
            EXPECT_EQ(saved.folders, entries);
            EXPECT_EQ(saved.isConfirm, 7);
            EXPECT_EQ(saved.isMenuTop, 0);
        }
    });
}

TEST(DialogClosing, OtherCommandsLeaveTheDialogOpenAndUnchanged) {
    DialogSession session(SettingsIni({"F1:仕事", "F2:個人"}));
    session.Open({[&](HWND dialog) {
        const auto before = ReadRows(RowList(dialog), 3);
        // No control has the ID IDOK; 1007 is no control at all.
        for (int id : {IDOK, 1007, 0}) {
            FORWARD_WM_COMMAND(dialog, id, GetDlgItem(dialog, id), BN_CLICKED, SendMessageA);
            EXPECT_TRUE(IsWindowVisible(dialog)) << id;
        }
        EXPECT_EQ(ReadRows(RowList(dialog), 3), before);
        ClickButton(dialog, IDCANCEL);
    }});
    EXPECT_EQ(session.Exit().folders, (std::vector<std::string>{"F1:仕事", "F2:個人"}));
}

TEST(DialogClosing, ThirdColumnAlwaysOpensHiddenAndTheOthersAsLeft) {
    DialogSession session(SettingsIni({"F1:仕事"}));
    session.Open({[&](HWND dialog) {
        ListView_SetColumnWidth(RowList(dialog), 0, 123);
        ListView_SetColumnWidth(RowList(dialog), 1, 77);
        ListView_SetColumnWidth(RowList(dialog), 2, 80);
        ClickButton(dialog, IDC_SETTINGS_OK);
    }});
    session.Open({[&](HWND dialog) {
        EXPECT_EQ(ListView_GetColumnWidth(RowList(dialog), 0), 123);
        EXPECT_EQ(ListView_GetColumnWidth(RowList(dialog), 1), 77);
        EXPECT_EQ(ListView_GetColumnWidth(RowList(dialog), 2), 0);
        EXPECT_EQ(CellText(RowList(dialog), 0, 2), "F1");
        ClickButton(dialog, IDCANCEL);
    }});
}

TEST(DialogOwner, OwnedByTheSetupWindowWhichIsDisabledMeanwhile) {
    OwnerWindow owner;
    HWND stale = nullptr;
    {
        OwnerWindow gone;
        stale = gone.get();
    }
    ASSERT_FALSE(IsWindow(stale));
    struct Case {
        const char* name;
        HWND given;
        HWND expectedOwner;
    };
    const Case cases[] = {
        {"a window", owner.get(), owner.get()},
        {"no window", nullptr, nullptr},
        {"a handle that is no window", stale, nullptr},
    };
    ForEachRow(cases, [&](const Case& c, std::size_t) {
        DialogSession session;
        const auto check = [&](HWND dialog) {
            EXPECT_EQ(GetWindow(dialog, GW_OWNER), c.expectedOwner);
            EXPECT_EQ(GetParent(dialog), c.expectedOwner);
            // Modal to its owner; an unowned dialog leaves the owner alone.
            EXPECT_EQ(IsWindowEnabled(owner.get()) != FALSE, c.expectedOwner == nullptr);
            ClickButton(dialog, IDCANCEL);
        };
        session.Open({check}, c.given);
        EXPECT_TRUE(IsWindowEnabled(owner.get()));
    });
}

TEST(DialogOwner, SecondSetupWhileOpenBringsTheOpenDialogForward) {
    OwnerWindow owner;
    DialogSession session(SettingsIni({"F1:仕事"}));
    const auto setupAgain = [&](HWND dialog) {
        // Another window of the test is activated; the setup activates the
        // dialog again (checked by hook: the foreground is shared with
        // whatever else runs on the display).
        OwnerWindow other;
        for (HWND given : {owner.get(), other.get(), static_cast<HWND>(nullptr)}) {
            SetForegroundWindow(other.get());
            ASSERT_NE(GetActiveWindow(), dialog);
            const ActivationWatcher activations;
            const DWORD start = GetTickCount();
            EXPECT_EQ(session.plugin().orc().OnPlugInSetup(given), 1);
            EXPECT_LT(GetTickCount() - start, 1000u) << "returns at once";
            EXPECT_EQ(ThreadWindows(kDialogClass, kSettingsCaption).size(), 1u);
            EXPECT_EQ(activations.activated(), std::vector<HWND>{dialog});
        }
        // The open dialog still works.
        EXPECT_EQ(ReadRows(RowList(dialog), 1).size(), 1u);
        ClickButton(dialog, IDCANCEL);
    };
    session.Open({setupAgain}, owner.get());

    // Once closed, setup opens the dialog again: the script finds it.
    session.Open({[](HWND dialog) { ClickButton(dialog, IDC_SETTINGS_OK); }}, owner.get());
}

TEST(DialogVersionBox, ShowsDescriptionVersionAndCopyrightOverTheOpenDialog) {
    DialogSession session(SettingsIni({"F1:仕事"}, "[Setting]\r\nIsConfirm=0\r\nIsMenuTop=1\r\n"));
    // The copyright line, where the version resource test finds it.
    const VersionNode version =
        ParseVersionNode(ResourceBytes(session.plugin().module(), RT_VERSION, IDV_VERSION));
    const std::string copyright =
        FromUtf16(version.children.at(0).children.at(0).children.at(5).Text());
    ASSERT_FALSE(copyright.empty());
    session.Open({[&](HWND dialog) {
        // Only while the dialog is open: a capture that outlives it could
        // see windows that the closing activates.
        const MessageBoxCapture boxes;
        for (int press = 1; press <= 3; ++press) {
            ClickButton(dialog, IDC_SETTINGS_VERSION_BUTTON);
            ASSERT_EQ(boxes.boxes().size(), static_cast<std::size_t>(press));
            const CapturedBox& box = boxes.boxes().back();
            EXPECT_EQ(box.caption, "Varkel Plugin のﾊﾞｰｼﾞｮﾝ情報");
            EXPECT_EQ(box.text, "Varkel Plugin Ver.0.22\n" + copyright + "\n");
            EXPECT_EQ(box.style, static_cast<UINT>(MB_OK));
            EXPECT_EQ(box.owner, dialog);
            // The dialog stays open and usable.
            EXPECT_TRUE(IsWindowVisible(dialog));
            EXPECT_TRUE(IsWindowEnabled(dialog));
        }
        EXPECT_EQ(ReadRows(RowList(dialog), 3), (std::vector<std::vector<std::string>>{
                                                    {"仕事", "(フォルダが見つかりません)", "F1"}}));
        EXPECT_FALSE(IsDlgButtonChecked(dialog, IDC_SETTINGS_CONFIRM) == BST_CHECKED);
        EXPECT_TRUE(IsDlgButtonChecked(dialog, IDC_SETTINGS_MENU_TOP) == BST_CHECKED);
        ClickButton(dialog, IDC_SETTINGS_OK);
    }});
    const SavedSettings saved = session.Exit();
    EXPECT_EQ(saved.folders, std::vector<std::string>{"F1:仕事"});
    EXPECT_EQ(saved.isConfirm, 0);
    EXPECT_EQ(saved.isMenuTop, 1);
}

TEST(DialogScreenshots, DefaultSizeAndResizedShowJapaneseText) {
    standin::Script().displayNames = {{"F1", std::string("受信箱/仕事")},
                                      {"F2", std::string("受信箱/個人")},
                                      {"F3", std::string("ﾒｰﾙﾏｶﾞｼﾞﾝ")}};
    DialogSession session(
        SettingsIni({"F1:仕事", "F2:個人:家族", "F3:ﾒﾙﾏｶﾞ", "GONE:古いフォルダ"}));
    session.Open({[&](HWND dialog) {
        const HWND list = RowList(dialog);
        EXPECT_EQ(MissingGlyphs(list, L"仕事個人家族古いフォルダ受信箱ﾒﾙﾏｶﾞ"), 0);
        EXPECT_EQ(MissingGlyphs(
                      GetDlgItem(dialog, IDC_SETTINGS_CONFIRM),
                      L"メールの移動時に確認のメッセージを出す「」先頭へｷｬﾝｾﾙﾊﾞｰｼﾞｮﾝ情報削除↑↓"),
                  0);
        SelectRows(list, {1});

        const Image atDefault = CaptureWindow(dialog);
        EXPECT_EQ(atDefault.width, 400);
        EXPECT_EQ(atDefault.height, 300);
        EXPECT_TRUE(WritePng(ScreenshotPath("dialog-default.png"), atDefault));
        EXPECT_GT(DarkPixels(atDefault, InImage(dialog, IDC_SETTINGS_FOLDER_LIST)), 200);
        EXPECT_GT(DarkPixels(atDefault, InImage(dialog, IDC_SETTINGS_VERSION_BUTTON)), 30);

        ResizeClientArea(dialog, 600, 450);
        const Image resized = CaptureWindow(dialog);
        EXPECT_EQ(resized.width, SizeOf(WindowRectOf(dialog)).cx);
        EXPECT_EQ(resized.height, SizeOf(WindowRectOf(dialog)).cy);
        EXPECT_TRUE(WritePng(ScreenshotPath("dialog-resized.png"), resized));
        EXPECT_GT(DarkPixels(resized, InImage(dialog, IDC_SETTINGS_VERSION_BUTTON)), 30);
        EXPECT_GT(DarkPixels(resized, InImage(dialog, IDC_SETTINGS_MENU_TOP)), 30);
        ClickButton(dialog, IDCANCEL);
    }});
}
