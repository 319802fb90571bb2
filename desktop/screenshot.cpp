#include "screenshot.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <utility>

#include "base/holders.h"

namespace {

using Microsoft::WRL::ComPtr;

void ReleaseScreenDc(HDC dc) {
    ReleaseDC(nullptr, dc);
}
using UniqueScreenDc = UniqueHandleOf<HDC, &ReleaseScreenDc>;

// Selects an object into a DC for one scope.
class Selection {
  public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc_, old_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

// A top-down 24-bit DIB section of the given size, compatible with dc.
struct Canvas {
    UniqueMemoryDc dc;
    UniqueBitmap bitmap;
    const std::uint8_t* bits = nullptr;
    int stride = 0;
};

Canvas MakeCanvas(HDC reference, int width, int height) {
    Canvas canvas;
    canvas.dc.reset(CreateCompatibleDC(reference));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    canvas.bitmap.reset(
        CreateDIBSection(canvas.dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    canvas.bits = static_cast<const std::uint8_t*>(bits);
    canvas.stride = (width * 3 + 3) & ~3;
    return canvas;
}

Image ImageFromCanvas(const Canvas& canvas, int width, int height) {
    Image image;
    if (!canvas.bits)
        return image;
    GdiFlush();
    image.width = width;
    image.height = height;
    image.rgb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    std::uint8_t* out = image.rgb.data();
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = canvas.bits + static_cast<std::ptrdiff_t>(y) * canvas.stride;
        for (int x = 0; x < width; ++x, in += 3) {
            *out++ = in[2];
            *out++ = in[1];
            *out++ = in[0];
        }
    }
    return image;
}

void PumpMessagesFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount() - start < milliseconds);
}

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

// The path as the ANSI file functions read it.
std::wstring WidePath(const std::string& path) {
    const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), length);
    wide.resize(wide.size() - 1);
    return wide;
}

// The rows as the encoder takes them: blue, green, red, each row padded to
// four bytes.
std::vector<BYTE> BgrRows(const Image& image, UINT stride) {
    std::vector<BYTE> rows(static_cast<std::size_t>(stride) * static_cast<UINT>(image.height));
    const std::uint8_t* in = image.rgb.data();
    for (int y = 0; y < image.height; ++y) {
        BYTE* out = rows.data() + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < image.width; ++x, in += 3, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
    return rows;
}

HRESULT EncodePng(IWICImagingFactory& factory, const std::wstring& path, const Image& image) {
    const auto width = static_cast<UINT>(image.width);
    const auto height = static_cast<UINT>(image.height);
    const UINT stride = (width * 3 + 3) & ~3u;
    std::vector<BYTE> rows = BgrRows(image, stride);
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> frameOptions;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    HRESULT result = factory.CreateStream(&stream);
    if (SUCCEEDED(result))
        result = stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE);
    if (SUCCEEDED(result))
        result = factory.CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder);
    if (SUCCEEDED(result))
        result = encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache);
    if (SUCCEEDED(result))
        result = encoder->CreateNewFrame(&frame, &frameOptions);
    if (SUCCEEDED(result))
        result = frame->Initialize(frameOptions.Get());
    if (SUCCEEDED(result))
        result = frame->SetSize(width, height);
    // The encoder answers with the nearest format it can write.
    if (SUCCEEDED(result))
        result = frame->SetPixelFormat(&format);
    if (SUCCEEDED(result) && format != GUID_WICPixelFormat24bppBGR)
        result = WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT;
    if (SUCCEEDED(result))
        result = frame->WritePixels(height, stride, static_cast<UINT>(rows.size()), rows.data());
    if (SUCCEEDED(result))
        result = frame->Commit();
    if (SUCCEEDED(result))
        result = encoder->Commit();
    return result;
}

} // namespace

COLORREF Image::Pixel(int x, int y) const {
    const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                            static_cast<std::size_t>(x)) *
                           3;
    return RGB(rgb[at], rgb[at + 1], rgb[at + 2]);
}

Image CaptureWindow(HWND window) {
    RECT rect{};
    if (!GetWindowRect(window, &rect))
        return Image();
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    // The screen catches up with the window's painting asynchronously.
    Image last;
    const DWORD start = GetTickCount();
    do {
        PumpMessagesFor(30);
        Image now = CaptureScreenArea(rect);
        if (!last.rgb.empty() && now.rgb == last.rgb)
            return now;
        last = std::move(now);
    } while (GetTickCount() - start < 2000);
    return last;
}

Image CaptureScreenArea(const RECT& rect) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const UniqueScreenDc screen(GetDC(nullptr));
    const Canvas canvas = MakeCanvas(screen.get(), width, height);
    if (!canvas.bits)
        return Image();
    const Selection selected(canvas.dc.get(), canvas.bitmap.get());
    if (!BitBlt(canvas.dc.get(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY))
        return Image();
    return ImageFromCanvas(canvas, width, height);
}

RECT AreaOf(const std::vector<HWND>& windows) {
    RECT area{};
    for (HWND window : windows) {
        RECT rect{};
        if (window && GetWindowRect(window, &rect))
            UnionRect(&area, &area, &rect);
    }
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&area, &area, &screen);
    return area;
}

bool WritePng(const std::string& path, const Image& image) {
    if (image.width <= 0 || image.height <= 0)
        return false;
    // COM stays on while the objects below are released.
    const ComScope com;
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&factory))))
        return false;
    return SUCCEEDED(EncodePng(*factory.Get(), WidePath(path), image));
}

bool SaveScreenshot(const std::string& path, const RECT& area) {
    return WritePng(path, CaptureScreenArea(area));
}
