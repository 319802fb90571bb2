// Owners of Windows handles, each released by the function that matches how
// it was made. A handle handed on to another owner is release()d, visibly.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <memory>
#include <type_traits>

template <auto Close> struct Closer {
    template <class H> void operator()(H handle) const { Close(handle); }
};

template <class H, auto Close>
using UniqueHandleOf = std::unique_ptr<std::remove_pointer_t<H>, Closer<Close>>;

using UniqueMenu = UniqueHandleOf<HMENU, &DestroyMenu>;
using UniqueHandle = UniqueHandleOf<HANDLE, &CloseHandle>;
using UniqueModule = UniqueHandleOf<HMODULE, &FreeLibrary>;
using UniqueMemoryDc = UniqueHandleOf<HDC, &DeleteDC>;
using UniqueBitmap = UniqueHandleOf<HBITMAP, &DeleteObject>;

// CreateFile reports a failure with INVALID_HANDLE_VALUE, not null.
inline UniqueHandle OwnFile(HANDLE file) {
    return UniqueHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

// FindFirstFile reports a failure with INVALID_HANDLE_VALUE, not null.
using UniqueFind = UniqueHandleOf<HANDLE, &FindClose>;
inline UniqueFind OwnFind(HANDLE search) {
    return UniqueFind(search == INVALID_HANDLE_VALUE ? nullptr : search);
}

// The screen's DC from GetDC(nullptr), given back with ReleaseDC.
inline void ReleaseScreenDc(HDC dc) {
    ReleaseDC(nullptr, dc);
}
using UniqueScreenDc = UniqueHandleOf<HDC, &ReleaseScreenDc>;

// A window's DC for one scope, from GetDC (its client area) or GetWindowDC
// (the whole window), given back to that window with ReleaseDC.
template <HDC(WINAPI* Get)(HWND)> class ScopedDc {
  public:
    explicit ScopedDc(HWND window) : window_(window), dc_(Get(window)) {}
    ~ScopedDc() {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    ScopedDc(const ScopedDc&) = delete;
    ScopedDc& operator=(const ScopedDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};
using ClientDc = ScopedDc<&GetDC>;
using WindowDc = ScopedDc<&GetWindowDC>;

// An object selected into a DC for one scope; the old one goes back.
class ScopedSelection {
  public:
    ScopedSelection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~ScopedSelection() { SelectObject(dc_, old_); }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

// COM on this thread for one scope; a thread that already has it, in either
// apartment model, keeps it as it is.
class ComScope {
  public:
    ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope() {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

  private:
    HRESULT result_;
};
