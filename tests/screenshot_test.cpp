// The PNG writer used for screenshots: checksums and the file's structure.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "screenshot.h"

namespace {

std::uint32_t BigEndian(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = value << 8 | static_cast<std::uint8_t>(bytes.at(at + i));
    return value;
}

struct Chunk {
    std::string type;
    std::string data;
    std::uint32_t crc;
};

std::vector<Chunk> Chunks(const std::string& png) {
    std::vector<Chunk> chunks;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t length = BigEndian(png, at);
        chunks.push_back(
            {png.substr(at + 4, 4), png.substr(at + 8, length), BigEndian(png, at + 8 + length)});
        at += 12 + length;
    }
    return chunks;
}

// Undoes a zlib stream made of stored blocks; fails the test on anything else.
std::string InflateStored(const std::string& stream) {
    EXPECT_EQ(static_cast<std::uint8_t>(stream.at(0)), 0x78);
    EXPECT_EQ(
        (static_cast<std::uint8_t>(stream.at(0)) * 256 + static_cast<std::uint8_t>(stream.at(1))) %
            31,
        0)
        << "header check";
    std::string raw;
    std::size_t at = 2;
    for (;;) {
        const auto header = static_cast<std::uint8_t>(stream.at(at));
        EXPECT_EQ(header & 6, 0) << "a stored block";
        const auto length =
            static_cast<std::uint16_t>(static_cast<std::uint8_t>(stream.at(at + 1)) |
                                       static_cast<std::uint8_t>(stream.at(at + 2)) << 8);
        const auto complement =
            static_cast<std::uint16_t>(static_cast<std::uint8_t>(stream.at(at + 3)) |
                                       static_cast<std::uint8_t>(stream.at(at + 4)) << 8);
        EXPECT_EQ(static_cast<std::uint16_t>(~length), complement);
        raw += stream.substr(at + 5, length);
        at += 5 + length;
        if (header & 1)
            break;
    }
    EXPECT_EQ(BigEndian(stream, at),
              Adler32(reinterpret_cast<const std::uint8_t*>(raw.data()), raw.size()));
    EXPECT_EQ(at + 4, stream.size());
    return raw;
}

std::uint32_t Crc(const std::string& text) {
    return Crc32(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

} // namespace

TEST(Png, ChecksumsMatchKnownValues) {
    EXPECT_EQ(Crc("123456789"), 0xCBF43926u);
    EXPECT_EQ(Crc("IEND"), 0xAE426082u);
    EXPECT_EQ(Crc(""), 0u);
    const std::string wiki = "Wikipedia";
    EXPECT_EQ(Adler32(reinterpret_cast<const std::uint8_t*>(wiki.data()), wiki.size()),
              0x11E60398u);
    EXPECT_EQ(Adler32(nullptr, 0), 1u);
}

TEST(Png, SmallAndMultiBlockImagesRoundTrip) {
    struct Case {
        int width, height;
    };
    // 200 by 120 pixels need more than one 65,535-byte stored block.
    for (const Case& c : {Case{3, 2}, Case{1, 1}, Case{200, 120}}) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        Image image;
        image.width = c.width;
        image.height = c.height;
        for (int i = 0; i < c.width * c.height * 3; ++i)
            image.rgb.push_back(static_cast<std::uint8_t>(i * 7 + 1));
        const std::string png = EncodePng(image);
        ASSERT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
        const std::vector<Chunk> chunks = Chunks(png);
        ASSERT_EQ(chunks.size(), 3u);
        EXPECT_EQ(chunks[0].type, "IHDR");
        EXPECT_EQ(chunks[1].type, "IDAT");
        EXPECT_EQ(chunks[2].type, "IEND");
        for (const Chunk& chunk : chunks)
            EXPECT_EQ(chunk.crc, Crc(chunk.type + chunk.data)) << chunk.type;
        std::string header;
        for (int value : {c.width, c.height}) {
            for (int shift : {24, 16, 8, 0})
                header.push_back(static_cast<char>((value >> shift) & 0xFF));
        }
        // 8 bits per sample, RGB, deflate, no filter method, no interlace.
        header += std::string("\x08\x02\x00\x00\x00", 5);
        EXPECT_EQ(chunks[0].data, header);
        std::string expected;
        for (int y = 0; y < c.height; ++y) {
            expected.push_back('\0');
            expected.append(reinterpret_cast<const char*>(image.rgb.data()) + y * c.width * 3,
                            static_cast<std::size_t>(c.width) * 3);
        }
        EXPECT_EQ(InflateStored(chunks[1].data), expected);
    }
}
