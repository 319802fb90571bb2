// An owner-data list told a new count: the rows, the scroll bars and the
// header it shows are what a repaint of the whole list draws, whether
// the count grows or shrinks, the scroll bar comes or goes, the list was
// scrolled or its window hidden; the first row is selected.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "base/list_view.h"
#include "desktop/screenshot.h"
#include "desktop/window_driver.h"
#include "owner_data_list.h"

namespace {

// Every row shows its number in both columns.
LRESULT CALLBACK RowsOwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == LVN_GETDISPINFOW) {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(lParam)->item;
        if ((item.mask & LVIF_TEXT) && item.cchTextMax > 0)
            std::swprintf(item.pszText, static_cast<std::size_t>(item.cchTextMax), L"row %d.%d",
                          item.iItem, item.iSubItem);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

TEST(OwnerDataRows, ShownAsAWholeRepaintDrawsThemWithTheFirstRowSelected) {
    struct Step {
        int count;
        bool scrolledDown = false; // the list scrolled down before
        bool hidden = false;       // told while its window is hidden, then shown
    };
    // From none: 10,000 rows, fewer with the thumb growing, a few that fit
    // without a scroll bar, none, many again; scrolled down before some.
    const Step steps[] = {
        {.count = 10000},
        {.count = 4663},
        {.count = 378, .scrolledDown = true},
        {.count = 19},
        {.count = 1},
        {.count = 0},
        {.count = 10000},
        {.count = 10},
        {.count = 50, .scrolledDown = true},
        {.count = 4663},
        {.count = 4663, .scrolledDown = true},
        {.count = 30, .scrolledDown = true, .hidden = true},
        {.count = 10000, .hidden = true},
    };
    const HWND list = MakeOwnerDataList(L"OwnerDataRowsTest", RowsOwnerProc);
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << step.count << " rows");
        if (step.scrolledDown) {
            ListView_Scroll(list, 0, 3000);
            UpdateWindow(list);
        }
        const HWND owner = GetParent(list);
        // SetWindowPos, since a process's first ShowWindow may take the
        // start-up's showing instead of its own.
        const UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
        if (step.hidden)
            SetWindowPos(owner, nullptr, 0, 0, 0, 0, keep | SWP_HIDEWINDOW);
        ShowOwnerDataRows(list, static_cast<std::size_t>(step.count));
        if (step.hidden)
            SetWindowPos(owner, nullptr, 0, 0, 0, 0, keep | SWP_SHOWWINDOW);
        UpdateWindow(owner);
        const Image shown = CaptureWindowAsDrawn(list);
        RedrawWindow(list, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        const Image repainted = CaptureWindowAsDrawn(list);
        ASSERT_FALSE(shown.bgr.empty());
        EXPECT_TRUE(shown.bgr == repainted.bgr);
        EXPECT_EQ(ListView_GetItemCount(list), step.count);
        EXPECT_EQ(SelectedRows(list), step.count > 0 ? std::vector<int>{0} : std::vector<int>{});
        EXPECT_EQ(ListView_GetTopIndex(list), 0);
    }
    DestroyWindow(GetParent(list));
}
