// The PNG files that screenshots are written as: read back through the
// system's decoder, they hold the captured pixels.
#include <windows.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>
#include <utility>

#include "desktop/screenshot.h"
#include "scratch.h"

namespace {

using Microsoft::WRL::ComPtr;

// A PNG file's pixels as an image; empty when the bytes are no PNG.
Image DecodePng(const std::string& png) {
    Image image;
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    GUID container{};
    std::vector<BYTE> bytes(png.begin(), png.end());
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&factory))) ||
        FAILED(factory->CreateStream(&stream)) ||
        FAILED(stream->InitializeFromMemory(bytes.data(), static_cast<DWORD>(bytes.size()))) ||
        FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr,
                                                WICDecodeMetadataCacheOnDemand, &decoder)) ||
        FAILED(decoder->GetContainerFormat(&container)) || container != GUID_ContainerFormatPng ||
        FAILED(decoder->GetFrame(0, &frame)) ||
        FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat24bppBGR,
                                     WICBitmapDitherTypeNone, nullptr, 0,
                                     WICBitmapPaletteTypeCustom)))
        return image;
    UINT width = 0;
    UINT height = 0;
    converter->GetSize(&width, &height);
    std::vector<BYTE> bgr(static_cast<std::size_t>(width) * height * 3);
    if (FAILED(
            converter->CopyPixels(nullptr, width * 3, static_cast<UINT>(bgr.size()), bgr.data())))
        return image;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.bgr = std::move(bgr);
    return image;
}

} // namespace

TEST(Png, WrittenFilesDecodeToTheSamePixels) {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    const std::string folder = FreshScratchFolder();
    struct Case {
        int width, height;
    };
    // Rows of 1, 3 and 200 pixels: padded to four bytes in memory, never in
    // the image.
    for (const Case& c : {Case{3, 2}, Case{1, 1}, Case{200, 120}}) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        Image image;
        image.width = c.width;
        image.height = c.height;
        for (int i = 0; i < c.width * c.height * 3; ++i)
            image.bgr.push_back(static_cast<std::uint8_t>(i * 7 + 1));
        const std::string path = folder + std::to_string(c.width) + ".png";
        ASSERT_TRUE(WritePng(path, image));
        const std::string png = ReadWholeFile(path);
        EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
        const Image read = DecodePng(png);
        EXPECT_EQ(read.width, c.width);
        EXPECT_EQ(read.height, c.height);
        EXPECT_EQ(read.bgr, image.bgr);
    }
    EXPECT_FALSE(WritePng(folder + "empty.png", Image()));
    EXPECT_FALSE(FileExists(folder + "empty.png"));
    CoUninitialize();
}
