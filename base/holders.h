// Owners of Windows handles, each released by the function that matches how
// it was made. A handle handed on to another owner is release()d, visibly.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

template <auto Close> struct Closer {
    template <class H> void operator()(H handle) const { Close(handle); }
};

template <class H, auto Close>
using UniqueHandleOf = std::unique_ptr<std::remove_pointer_t<H>, Closer<Close>>;

using UniqueMenu = UniqueHandleOf<HMENU, &DestroyMenu>;
using UniqueHandle = UniqueHandleOf<HANDLE, &CloseHandle>;
using UniqueDesktop = UniqueHandleOf<HDESK, &CloseDesktop>;
using UniqueMemoryDc = UniqueHandleOf<HDC, &DeleteDC>;
using UniqueBitmap = UniqueHandleOf<HBITMAP, &DeleteObject>;

// CreateFile reports a failure with INVALID_HANDLE_VALUE, not null.
inline UniqueHandle OwnFile(HANDLE file) {
    return UniqueHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}
