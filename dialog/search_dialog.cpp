#include "search_dialog.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "../folders/folder_entry.h"
#include "../folders/folder_list.h"
#include "../folders/plugin_settings.h"
#include "../folders/recent_list.h"
#include "../res/resource.h"
#include "../base/guard.h"
#include "../base/host_api.h"
#include "../base/list_view.h"
#include "../base/module.h"
#include "../base/text.h"
#include "../base/window_geometry.h"
#include "list_rows.h"
#include "search_filter.h"

namespace {

constexpr int kMenuNameWidth = 160;
constexpr int kDisplayNameWidth = 180;

struct Destination {
    std::string entry;
    std::string menuName;
    std::string displayName;
    std::wstring wideMenuName;
    std::wstring wideDisplayName;
};

// The open dialog's state; there is at most one.
struct SearchState {
    HWND dialog = nullptr;
    HWND owner = nullptr;
    std::vector<Destination> destinations;
    // The destinations' folded texts, their names' pieces and the recent
    // ones (none while the menus show no recent items), made at opening.
    SearchIndex index;
    // The last search; its rows are the destinations that the rows show.
    SearchResult result;
    // The window's size as the template made it, its least size.
    SIZE minimum{};
    // The client area's size that the controls are laid out for.
    SIZE client{};
    WNDPROC editProc = nullptr;
    std::optional<std::string> chosen;
};
SearchState g_search;

HWND SearchList(HWND dialog) {
    return GetDlgItem(dialog, IDC_SEARCH_LIST);
}

// The destinations to offer: every entry, or all but those of the host's
// current folder when the menus gray it, since a move there does nothing.
// For each entry, its destination's index, or none.
std::vector<std::optional<std::size_t>> OfferedEntries() {
    const FolderList& entries = FolderEntries();
    std::optional<std::string> current;
    if (g_settings.GrayCurrent)
        current = HostGetCurrentFolder();
    std::vector<std::optional<std::size_t>> offered;
    offered.reserve(entries.size());
    std::size_t next = 0;
    for (const std::string& entry : entries) {
        const std::string folderId(FolderIdOf(entry));
        if (current && SameFolderId(folderId, *current))
            offered.push_back(std::nullopt);
        else
            offered.push_back(next++);
    }
    return offered;
}

void LoadDestinations() {
    const std::vector<std::optional<std::size_t>> offered = OfferedEntries();
    std::vector<SearchFields> fields;
    const FolderList& entries = FolderEntries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!offered[i])
            continue;
        const std::string& entry = entries[i];
        const FolderEntryParts parts = SplitFolderEntry(entry);
        Destination destination{entry, parts.menuName, FolderDisplayName(parts.folderId), {}, {}};
        destination.wideMenuName = ToUtf16(destination.menuName);
        destination.wideDisplayName = ToUtf16(destination.displayName);
        fields.push_back(SearchFields{destination.wideMenuName, destination.wideDisplayName,
                                      ToUtf16(parts.folderId)});
        g_search.destinations.push_back(std::move(destination));
    }
    std::vector<std::size_t> recent;
    if (ShownRecentCount() > 0) {
        for (const std::size_t position : RecentEntryPositions(entries, ShownRecentCount())) {
            if (offered[position])
                recent.push_back(*offered[position]);
        }
    }
    g_search.index = MakeSearchIndex(MakeSearchKeys(fields), recent);
}

void InsertColumns(HWND list) {
    InsertListColumn(list, 0, "メニューの名称", kMenuNameWidth);
    InsertListColumn(list, 1, "移動先フォルダ名", kDisplayNameWidth);
    ListView_SetExtendedListViewStyleEx(list, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
}

std::wstring QueryText(HWND dialog) {
    const HWND edit = GetDlgItem(dialog, IDC_SEARCH_TEXT);
    std::wstring query(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    query.resize(static_cast<std::size_t>(
        GetWindowTextW(edit, query.data(), static_cast<int>(query.size()))));
    return query;
}

// Shows the destinations that match the edit box's words, the first one
// selected; a query that extends the previous search's narrows its matches.
void Refilter(HWND dialog, const SearchResult* previous) {
    g_search.result = Search(g_search.index, QueryText(dialog), previous);
    ShowOwnerDataRows(SearchList(dialog), g_search.result.rows.size());
}

// The edit box hands the keys that move through a list to the list.
LRESULT CALLBACK SearchEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    return Guarded<LRESULT>(0, [&]() -> LRESULT {
        if (message == WM_KEYDOWN &&
            (wParam == VK_UP || wParam == VK_DOWN || wParam == VK_PRIOR || wParam == VK_NEXT)) {
            SendMessageA(SearchList(GetParent(edit)), WM_KEYDOWN, wParam, lParam);
            return 0;
        }
        return CallWindowProcA(g_search.editProc, edit, message, wParam, lParam);
    });
}

// Centred over the owner, or over the work area without one, and kept on
// the work area of the monitor it lands on.
void CentreOverOwner(HWND dialog) {
    RECT area{};
    if (g_search.owner)
        GetWindowRect(g_search.owner, &area);
    else
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    RECT window{};
    GetWindowRect(dialog, &window);
    const LONG width = window.right - window.left;
    const LONG height = window.bottom - window.top;
    RECT placed = CentredOn(area, width, height);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoA(MonitorFromRect(&placed, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        placed.left = std::max(work.left, std::min(placed.left, work.right - width));
        placed.top = std::max(work.top, std::min(placed.top, work.bottom - height));
    }
    SetWindowPos(dialog, nullptr, placed.left, placed.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL InitSearchDialog(HWND dialog) {
    InitCommonControls();
    g_search.dialog = dialog;
    RECT window{};
    GetWindowRect(dialog, &window);
    g_search.minimum = SIZE{window.right - window.left, window.bottom - window.top};
    RECT client{};
    GetClientRect(dialog, &client);
    g_search.client = SIZE{client.right, client.bottom};
    const HWND edit = GetDlgItem(dialog, IDC_SEARCH_TEXT);
    g_search.editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SearchEditProc)));
    InsertColumns(SearchList(dialog));
    LoadDestinations();
    Refilter(dialog, nullptr);
    CentreOverOwner(dialog);
    return TRUE;
}

// Moves a control by the change of the client area's size, and stretches it
// where it follows the window's width or height.
void FollowSize(HWND dialog, int id, SIZE change, bool moves, bool stretchesWidth,
                bool stretchesHeight) {
    const HWND control = GetDlgItem(dialog, id);
    const RECT rect = ChildRect(dialog, control);
    const int left = rect.left + (moves ? change.cx : 0);
    const int top = rect.top + (moves ? change.cy : 0);
    const int width = rect.right - rect.left + (stretchesWidth ? change.cx : 0);
    const int height = rect.bottom - rect.top + (stretchesHeight ? change.cy : 0);
    MoveWindow(control, left, top, width, height, TRUE);
}

void LayoutSearchDialog(HWND dialog, int width, int height) {
    if (!g_search.dialog)
        return;
    const SIZE change{width - g_search.client.cx, height - g_search.client.cy};
    g_search.client = SIZE{width, height};
    FollowSize(dialog, IDC_SEARCH_TEXT, change, false, true, false);
    FollowSize(dialog, IDC_SEARCH_LIST, change, false, true, true);
    FollowSize(dialog, IDOK, change, true, false, false);
    FollowSize(dialog, IDCANCEL, change, true, false, false);
}

const Destination* RowDestination(int row) {
    const std::vector<std::size_t>& rows = g_search.result.rows;
    if (row < 0 || static_cast<std::size_t>(row) >= rows.size())
        return nullptr;
    return &g_search.destinations[rows[static_cast<std::size_t>(row)]];
}

// Closes the dialog with the destination of the selected row, if any.
void ChooseSelectedRow(HWND dialog) {
    if (const Destination* destination =
            RowDestination(ListView_GetNextItem(SearchList(dialog), -1, LVNI_SELECTED)))
        g_search.chosen = destination->entry;
    EndDialog(dialog, IDOK);
}

// The destination whose text a display-info request asks for, or null when
// it asks for none.
template <class Item> const Destination* TextRequested(const Item& item) {
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0)
        return nullptr;
    return RowDestination(item.iItem);
}

void GiveRowText(NMLVDISPINFOA& info) {
    const Destination* destination = TextRequested(info.item);
    if (!destination)
        return;
    const std::string& text =
        info.item.iSubItem == 0 ? destination->menuName : destination->displayName;
    CopyTextToField(info.item.pszText, static_cast<std::size_t>(info.item.cchTextMax), text);
}

void GiveRowText(NMLVDISPINFOW& info) {
    const Destination* destination = TextRequested(info.item);
    if (!destination)
        return;
    const std::wstring& text =
        info.item.iSubItem == 0 ? destination->wideMenuName : destination->wideDisplayName;
    const std::size_t length =
        std::min(text.size(), static_cast<std::size_t>(info.item.cchTextMax) - 1);
    text.copy(info.item.pszText, length);
    info.item.pszText[length] = L'\0';
}

LRESULT OnSearchListNotify(HWND dialog, LPARAM header) {
    const NMHDR& notification = *reinterpret_cast<const NMHDR*>(header);
    if (notification.idFrom != IDC_SEARCH_LIST)
        return 0;
    switch (notification.code) {
    case LVN_GETDISPINFOA: GiveRowText(*reinterpret_cast<NMLVDISPINFOA*>(header)); break;
    case LVN_GETDISPINFOW: GiveRowText(*reinterpret_cast<NMLVDISPINFOW*>(header)); break;
    case NM_DBLCLK:
        if (reinterpret_cast<const NMITEMACTIVATE*>(header)->iItem >= 0)
            ChooseSelectedRow(dialog);
        break;
    default: break;
    }
    return 0;
}

void OnCommand(HWND dialog, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case IDC_SEARCH_TEXT:
        if (HIWORD(wParam) == EN_CHANGE)
            Refilter(dialog, &g_search.result);
        break;
    case IDOK: ChooseSelectedRow(dialog); break;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
    default: break;
    }
}

} // namespace

std::optional<std::string> ChooseDestination(HWND owner) {
    if (g_search.dialog) {
        SetForegroundWindow(g_search.dialog);
        return std::nullopt;
    }
    g_search = SearchState{};
    g_search.owner = IsWindow(owner) ? owner : nullptr;
    DialogBoxParamA(g_module, MAKEINTRESOURCEA(IDD_SEARCH), g_search.owner, SearchDialogProc, 0);
    std::optional<std::string> chosen = std::move(g_search.chosen);
    g_search = SearchState{};
    return chosen;
}

INT_PTR CALLBACK SearchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return Guarded<INT_PTR>(0, [&]() -> INT_PTR {
        switch (message) {
        case WM_INITDIALOG: return InitSearchDialog(dialog);
        case WM_SIZE:
            LayoutSearchDialog(dialog, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_GETMINMAXINFO:
            // Known once the dialog has its size from the template.
            if (g_search.minimum.cx > 0)
                SetMinimumTrackSize(lParam, g_search.minimum);
            return 0;
        case WM_COMMAND: OnCommand(dialog, wParam); return 0;
        case WM_NOTIFY: return OnSearchListNotify(dialog, lParam);
        default: return 0;
        }
    });
}
