// Captures windows into 24-bit images and writes them as PNG files.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct Image {
    int width = 0;
    int height = 0;
    // Top row first, three bytes (red, green, blue) per pixel, no padding.
    std::vector<std::uint8_t> rgb;

    COLORREF Pixel(int x, int y) const;
};

// The window as it shows on the screen, frame and caption included: brought
// to the front, repainted, and read from the screen once two reads agree.
// (Under Wine, PrintWindow leaves a dialog's controls out.)
Image CaptureWindow(HWND window);
// The screen's pixels under rect (screen coordinates).
Image CaptureScreenArea(const RECT& rect);

std::uint32_t Crc32(const std::uint8_t* bytes, std::size_t size, std::uint32_t crc = 0);
std::uint32_t Adler32(const std::uint8_t* bytes, std::size_t size);
// The image as a PNG file: 8-bit RGB, stored (uncompressed) deflate blocks.
std::string EncodePng(const Image& image);
// False when the file cannot be written.
bool WritePng(const std::string& path, const Image& image);
