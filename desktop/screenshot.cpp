#include "screenshot.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <cstring>
#include <utility>

#include "base/holders.h"
#include "base/text.h"

namespace {

using Microsoft::WRL::ComPtr;

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

bool EncodePng(IWICImagingFactory& factory, const std::wstring& path, const Image& image) {
    const auto width = static_cast<UINT>(image.width);
    const auto height = static_cast<UINT>(image.height);
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> frameOptions;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    // The encoder answers SetPixelFormat with the nearest format it can write.
    // WritePixels only reads the pixels.
    return SUCCEEDED(factory.CreateStream(&stream)) &&
           SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
           SUCCEEDED(factory.CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
           SUCCEEDED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) &&
           SUCCEEDED(encoder->CreateNewFrame(&frame, &frameOptions)) &&
           SUCCEEDED(frame->Initialize(frameOptions.Get())) &&
           SUCCEEDED(frame->SetSize(width, height)) && SUCCEEDED(frame->SetPixelFormat(&format)) &&
           format == GUID_WICPixelFormat24bppBGR &&
           SUCCEEDED(frame->WritePixels(height, width * 3, static_cast<UINT>(image.bgr.size()),
                                        const_cast<BYTE*>(image.bgr.data()))) &&
           SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

// The pixels of source from (left, top), width by height.
Image CopyFrom(HDC source, int left, int top, int width, int height) {
    Image image;
    const UniqueMemoryDc canvas(CreateCompatibleDC(source));
    // A top-down 24-bit DIB section, whose rows are padded to four bytes.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const UniqueBitmap bitmap(
        CreateDIBSection(canvas.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bits)
        return image;
    const ScopedSelection selected(canvas.get(), bitmap.get());
    if (!BitBlt(canvas.get(), 0, 0, width, height, source, left, top, SRCCOPY))
        return image;
    GdiFlush();
    const auto row = static_cast<std::size_t>(width) * 3;
    const std::size_t stride = (row + 3) & ~std::size_t(3);
    image.width = width;
    image.height = height;
    image.bgr.resize(row * static_cast<std::size_t>(height));
    for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y)
        std::memcpy(image.bgr.data() + y * row, static_cast<const BYTE*>(bits) + y * stride, row);
    return image;
}

} // namespace

COLORREF Image::Pixel(int x, int y) const {
    const auto at = static_cast<std::size_t>(y * width + x) * 3;
    return RGB(bgr[at + 2], bgr[at + 1], bgr[at]);
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
        if (!last.bgr.empty() && now.bgr == last.bgr)
            return now;
        last = std::move(now);
    } while (GetTickCount() - start < 2000);
    return last;
}

Image CaptureScreenArea(const RECT& rect) {
    const UniqueScreenDc screen(GetDC(nullptr));
    return CopyFrom(screen.get(), rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top);
}

Image CaptureWindowAsDrawn(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    const WindowDc dc(window);
    return CopyFrom(dc.get(), 0, 0, rect.right - rect.left, rect.bottom - rect.top);
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
    // The path as the ANSI file functions read it.
    return EncodePng(*factory.Get(), ToUtf16(path, CP_ACP), image);
}
