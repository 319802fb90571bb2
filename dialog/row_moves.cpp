#include "row_moves.h"

#include <commctrl.h>
#include <windowsx.h>

#include "../base/guard.h"
#include "../base/holders.h"
#include "../base/window_geometry.h"
#include "list_rows.h"

namespace {

// How often the list scrolls by a row while the pointer is near an edge.
constexpr UINT kScrollMilliseconds = 60;
constexpr int kLineThickness = 2;

struct RowDrag {
    int row = -1; // the dragged row; -1 while no drag runs
    int gap = -1; // the row it would land before (the row count: after the last); -1: none shown
    POINT pointer{};
    int scroll = 0; // -1 up, +1 down, 0 still
};

WNDPROC g_listProc = nullptr;
RowDrag g_drag;

// Unique among the list's own timers, which the list view numbers itself.
UINT_PTR ScrollTimer() {
    return reinterpret_cast<UINT_PTR>(&g_drag);
}

bool Dragging() {
    return g_drag.row >= 0;
}

LRESULT CallListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(g_listProc, list, message, wParam, lParam);
}

// Alt+Home, Alt+End, Alt+Up or Alt+Down: the context bit of a system key
// says that Alt is held.
bool IsMoveKey(WPARAM key, LPARAM keyData) {
    const bool altHeld = (HIWORD(keyData) & KF_ALTDOWN) != 0;
    return altHeld && (key == VK_HOME || key == VK_END || key == VK_UP || key == VK_DOWN);
}

int RowHeight(HWND list) {
    RECT row{};
    ListView_GetItemRect(list, ListView_GetTopIndex(list), &row, LVIR_BOUNDS);
    return row.bottom - row.top;
}

// The client y where the rows begin, below the column header.
int RowsTop(HWND list) {
    const HWND header = ListView_GetHeader(list);
    if (!header || !IsWindowVisible(header))
        return 0;
    return ChildRect(list, header).bottom;
}

// The gap nearest to the pointer among those the visible rows border.
int GapAt(HWND list, POINT pointer) {
    const int top = ListView_GetTopIndex(list);
    const int count = ListView_GetItemCount(list);
    RECT first{};
    ListView_GetItemRect(list, top, &first, LVIR_BOUNDS);
    const int height = first.bottom - first.top;
    if (height <= 0)
        return top;
    const int offset = pointer.y - first.top + height / 2;
    const int gap = top + (offset > 0 ? offset / height : 0);
    return gap > count ? count : gap;
}

RECT GapLine(HWND list, int gap) {
    const int count = ListView_GetItemCount(list);
    RECT row{};
    ListView_GetItemRect(list, gap < count ? gap : count - 1, &row, LVIR_BOUNDS);
    const int y = gap < count ? row.top : row.bottom;
    RECT client{};
    GetClientRect(list, &client);
    const int top = y - kLineThickness / 2 < RowsTop(list) ? RowsTop(list) : y - kLineThickness / 2;
    return RECT{client.left, top, client.right, top + kLineThickness};
}

// Drawn over the rows after each paint of the list, so that whatever the
// list repaints keeps the line; version 6's insertion mark may be missing.
void DrawGapLine(HWND list) {
    if (g_drag.gap < 0)
        return;
    const RECT line = GapLine(list, g_drag.gap);
    const ClientDc dc(list);
    FillRect(dc.get(), &line, GetSysColorBrush(COLOR_HIGHLIGHT));
}

// The list repaints where the line was, and where it goes, at once.
void ShowGap(HWND list, int gap) {
    if (gap == g_drag.gap)
        return;
    if (g_drag.gap >= 0) {
        const RECT old = GapLine(list, g_drag.gap);
        InvalidateRect(list, &old, TRUE);
    }
    g_drag.gap = gap;
    if (gap >= 0) {
        const RECT line = GapLine(list, gap);
        InvalidateRect(list, &line, FALSE);
    }
    UpdateWindow(list);
}

// -1 within half a row of the rows' top edge or above it, +1 near the bottom
// edge or below it, else 0.
int ScrollDirection(HWND list, POINT pointer) {
    const int zone = RowHeight(list) / 2;
    RECT client{};
    GetClientRect(list, &client);
    if (pointer.y < RowsTop(list) + zone)
        return -1;
    if (pointer.y >= client.bottom - zone)
        return +1;
    return 0;
}

void FollowPointer(HWND list, POINT pointer) {
    g_drag.pointer = pointer;
    const int scroll = ScrollDirection(list, pointer);
    if (scroll != 0 && g_drag.scroll == 0)
        SetTimer(list, ScrollTimer(), kScrollMilliseconds, nullptr);
    else if (scroll == 0 && g_drag.scroll != 0)
        KillTimer(list, ScrollTimer());
    g_drag.scroll = scroll;
    ShowGap(list, GapAt(list, pointer));
}

bool CanScroll(HWND list, int direction) {
    const int top = ListView_GetTopIndex(list);
    return direction < 0 ? top > 0
                         : top + ListView_GetCountPerPage(list) < ListView_GetItemCount(list);
}

// One row further; the line goes away before the rows move, since the
// scroll copies what the window shows.
void ScrollOneRow(HWND list) {
    if (!Dragging() || g_drag.scroll == 0 || !CanScroll(list, g_drag.scroll))
        return;
    ShowGap(list, -1);
    ListView_Scroll(list, 0, g_drag.scroll * RowHeight(list));
    ShowGap(list, GapAt(list, g_drag.pointer));
}

// Ends the drag; a drop inside the list moves the row to the gap there.
void EndRowDrag(HWND list, bool dropped, POINT pointer) {
    const RowDrag drag = g_drag;
    KillTimer(list, ScrollTimer());
    ShowGap(list, -1);
    g_drag = RowDrag{};
    if (GetCapture() == list)
        ReleaseCapture();
    RECT client{};
    GetClientRect(list, &client);
    if (!dropped || !PtInRect(&client, pointer))
        return;
    const int gap = GapAt(list, pointer);
    const int target = gap > drag.row ? gap - 1 : gap;
    if (target != drag.row)
        ListView_EnsureVisible(list, MoveRowTo(list, drag.row, target), FALSE);
}

// The key goes on to the default handling all the same: it tells the window
// that Alt was not pressed alone, so that its release opens no menu.
LRESULT OnSysKeyDown(HWND list, WPARAM key, LPARAM keyData) {
    if (IsMoveKey(key, keyData) && !Dragging())
        Guarded([&] { MoveRowByKey(list, key); });
    return CallListProc(list, WM_SYSKEYDOWN, key, keyData);
}

// The dialog manager leaves the moving keys, and Escape during a drag, to
// the list.
LRESULT OnGetDlgCode(HWND list, WPARAM wParam, LPARAM lParam) {
    LRESULT code = CallListProc(list, WM_GETDLGCODE, wParam, lParam);
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (message &&
        ((message->message == WM_SYSKEYDOWN && IsMoveKey(message->wParam, message->lParam)) ||
         (Dragging() && message->message == WM_KEYDOWN && message->wParam == VK_ESCAPE)))
        code |= DLGC_WANTMESSAGE;
    return code;
}

LRESULT OnKeyDown(HWND list, WPARAM key, LPARAM keyData) {
    if (!Dragging() || key != VK_ESCAPE)
        return CallListProc(list, WM_KEYDOWN, key, keyData);
    Guarded([&] { EndRowDrag(list, false, POINT{}); });
    return 0;
}

LRESULT OnMouseMove(HWND list, WPARAM keys, LPARAM point) {
    if (!Dragging())
        return CallListProc(list, WM_MOUSEMOVE, keys, point);
    FollowPointer(list, POINT{GET_X_LPARAM(point), GET_Y_LPARAM(point)});
    return 0;
}

LRESULT OnLButtonUp(HWND list, WPARAM keys, LPARAM point) {
    if (!Dragging())
        return CallListProc(list, WM_LBUTTONUP, keys, point);
    Guarded([&] { EndRowDrag(list, true, POINT{GET_X_LPARAM(point), GET_Y_LPARAM(point)}); });
    return 0;
}

LRESULT OnCaptureChanged(HWND list, WPARAM wParam, LPARAM newCapture) {
    if (Dragging() && reinterpret_cast<HWND>(newCapture) != list)
        EndRowDrag(list, false, POINT{});
    return CallListProc(list, WM_CAPTURECHANGED, wParam, newCapture);
}

LRESULT OnTimer(HWND list, WPARAM timer, LPARAM lParam) {
    if (timer != ScrollTimer())
        return CallListProc(list, WM_TIMER, timer, lParam);
    ScrollOneRow(list);
    return 0;
}

LRESULT OnPaint(HWND list, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallListProc(list, WM_PAINT, wParam, lParam);
    if (Dragging())
        DrawGapLine(list);
    return result;
}

LRESULT CALLBACK RowListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    return Guarded<LRESULT>(0, [&]() -> LRESULT {
        switch (message) {
        case WM_SYSKEYDOWN: return OnSysKeyDown(list, wParam, lParam);
        case WM_GETDLGCODE: return OnGetDlgCode(list, wParam, lParam);
        case WM_KEYDOWN: return OnKeyDown(list, wParam, lParam);
        case WM_MOUSEMOVE: return OnMouseMove(list, wParam, lParam);
        case WM_LBUTTONUP: return OnLButtonUp(list, wParam, lParam);
        case WM_CAPTURECHANGED: return OnCaptureChanged(list, wParam, lParam);
        case WM_TIMER: return OnTimer(list, wParam, lParam);
        case WM_PAINT: return OnPaint(list, wParam, lParam);
        default: return CallListProc(list, message, wParam, lParam);
        }
    });
}

} // namespace

void MoveRowByKey(HWND list, WPARAM key) {
    const int row = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    if (row < 0)
        return;
    const int count = ListView_GetItemCount(list);
    const int target = key == VK_HOME  ? 0
                       : key == VK_END ? count - 1
                       : key == VK_UP  ? row - 1
                                       : row + 1;
    ListView_EnsureVisible(list, MoveRowTo(list, row, target), FALSE);
}

void AttachRowMoves(HWND list) {
    g_drag = RowDrag{};
    g_listProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RowListProc)));
}

void BeginRowDrag(HWND list, int row) {
    if (row < 0 || Dragging())
        return;
    g_drag = RowDrag{row};
    SetCapture(list);
}
