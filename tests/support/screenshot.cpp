#include "screenshot.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <memory>
#include <type_traits>
#include <utility>

namespace {

struct WindowDcReleaser {
    HWND window;
    void operator()(HDC dc) const { ReleaseDC(window, dc); }
};
using WindowDc = std::unique_ptr<std::remove_pointer_t<HDC>, WindowDcReleaser>;

struct MemoryDcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcDeleter>;

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using Bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;

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
    MemoryDc dc;
    Bitmap bitmap;
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

const std::array<std::uint32_t, 256>& CrcTable() {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

void AppendBigEndian(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void AppendChunk(std::string& png, const char type[5], const std::string& data) {
    AppendBigEndian(png, static_cast<std::uint32_t>(data.size()));
    std::string typed(type, 4);
    typed += data;
    png += typed;
    AppendBigEndian(png, Crc32(reinterpret_cast<const std::uint8_t*>(typed.data()), typed.size()));
}

// A zlib stream of stored deflate blocks (at most 65,535 bytes each).
std::string StoredZlib(const std::string& raw) {
    std::string out("\x78\x01", 2);
    std::size_t offset = 0;
    do {
        const std::size_t size = std::min<std::size_t>(raw.size() - offset, 65535);
        const bool last = offset + size == raw.size();
        out.push_back(last ? 1 : 0);
        const auto length = static_cast<std::uint16_t>(size);
        const auto complement = static_cast<std::uint16_t>(~length);
        out.push_back(static_cast<char>(length & 0xFF));
        out.push_back(static_cast<char>(length >> 8));
        out.push_back(static_cast<char>(complement & 0xFF));
        out.push_back(static_cast<char>(complement >> 8));
        out.append(raw, offset, size);
        offset += size;
    } while (offset < raw.size());
    AppendBigEndian(out, Adler32(reinterpret_cast<const std::uint8_t*>(raw.data()), raw.size()));
    return out;
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
    const WindowDc screen(GetDC(nullptr), WindowDcReleaser{nullptr});
    const Canvas canvas = MakeCanvas(screen.get(), width, height);
    if (!canvas.bits)
        return Image();
    const Selection selected(canvas.dc.get(), canvas.bitmap.get());
    if (!BitBlt(canvas.dc.get(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY))
        return Image();
    return ImageFromCanvas(canvas, width, height);
}

std::uint32_t Crc32(const std::uint8_t* bytes, std::size_t size, std::uint32_t crc) {
    const auto& table = CrcTable();
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i)
        crc = table[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

std::uint32_t Adler32(const std::uint8_t* bytes, std::size_t size) {
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (std::size_t i = 0; i < size; ++i) {
        a = (a + bytes[i]) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

std::string EncodePng(const Image& image) {
    std::string png("\x89PNG\r\n\x1a\n", 8);
    std::string header;
    AppendBigEndian(header, static_cast<std::uint32_t>(image.width));
    AppendBigEndian(header, static_cast<std::uint32_t>(image.height));
    header += std::string("\x08\x02\x00\x00\x00", 5); // 8-bit RGB, no interlace
    AppendChunk(png, "IHDR", header);

    // Every scanline starts with filter type 0 (none).
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 3;
    std::string raw;
    raw.reserve((rowBytes + 1) * static_cast<std::size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        raw.push_back('\0');
        raw.append(reinterpret_cast<const char*>(image.rgb.data()) +
                       static_cast<std::size_t>(y) * rowBytes,
                   rowBytes);
    }
    AppendChunk(png, "IDAT", StoredZlib(raw));
    AppendChunk(png, "IEND", std::string());
    return png;
}

bool WritePng(const std::string& path, const Image& image) {
    if (image.width <= 0 || image.height <= 0)
        return false;
    const std::string png = EncodePng(image);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(png.data(), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(file);
}
