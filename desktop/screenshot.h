// Pictures of windows: captured into 24-bit images in memory, written as PNG
// files through the system's imaging component (WIC).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct Image {
    int width = 0;
    int height = 0;
    // Top row first, three bytes (blue, green, red) per pixel, no padding.
    std::vector<std::uint8_t> bgr;

    COLORREF Pixel(int x, int y) const;
};

// The window as it shows on the screen, frame and caption included: brought
// to the front, repainted, and read from the screen once two reads agree.
// (Under Wine, PrintWindow leaves a dialog's controls out.)
Image CaptureWindow(HWND window);
// The screen's pixels under rect (screen coordinates).
Image CaptureScreenArea(const RECT& rect);
// The window's pixels as it last drew them, frame included, read from its
// own DC: no repaint, and no other window that covers it.
Image CaptureWindowAsDrawn(HWND window);
// The screen rectangle covering the windows (menus included), clipped to the
// screen.
RECT AreaOf(const std::vector<HWND>& windows);

// The image as an 8-bit RGB PNG file (path in code page 932); false when the
// image is empty or the file cannot be written.
bool WritePng(const std::string& path, const Image& image);
