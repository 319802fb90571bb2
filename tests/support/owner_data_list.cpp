#include "owner_data_list.h"

#include <commctrl.h>

#include "base/list_view.h"

HWND MakeOwnerDataList(const wchar_t* className, WNDPROC ownerProc) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ownerProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass);
    const HWND owner =
        CreateWindowExW(0, className, L"rows", WS_POPUP | WS_BORDER | WS_VISIBLE, 0, 0, 420, 300,
                        nullptr, nullptr, windowClass.hInstance, nullptr);
    const HWND list =
        CreateWindowW(WC_LISTVIEWW, L"",
                      WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL |
                          LVS_SHOWSELALWAYS | LVS_OWNERDATA,
                      10, 10, 390, 260, owner, nullptr, windowClass.hInstance, nullptr);
    InsertListColumn(list, 0, "メニューの名称", 160);
    InsertListColumn(list, 1, "移動先フォルダ名", 180);
    ListView_SetExtendedListViewStyleEx(list, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    UpdateWindow(owner);
    return list;
}
