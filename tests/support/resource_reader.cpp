#include "resource_reader.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace {

constexpr WORD kJapanese = 0x0411;

// Reads little-endian fields from a resource, failing past its end.
class Reader {
  public:
    explicit Reader(const std::vector<BYTE>& bytes, std::size_t end = SIZE_MAX)
        : bytes_(bytes), end_(std::min(end, bytes.size())) {}

    std::size_t offset() const { return offset_; }
    void Seek(std::size_t offset) { offset_ = offset; }
    bool AtEnd() const { return offset_ >= end_; }

    WORD Word() {
        Need(2);
        WORD value;
        std::memcpy(&value, &bytes_[offset_], 2);
        offset_ += 2;
        return value;
    }
    std::wstring String() {
        std::wstring text;
        while (const WORD unit = Word())
            text.push_back(static_cast<wchar_t>(unit));
        return text;
    }
    std::vector<BYTE> Bytes(std::size_t count) {
        Need(count);
        std::vector<BYTE> out(bytes_.begin() + static_cast<std::ptrdiff_t>(offset_),
                              bytes_.begin() + static_cast<std::ptrdiff_t>(offset_ + count));
        offset_ += count;
        return out;
    }
    void AlignToDword() { offset_ = (offset_ + 3) & ~static_cast<std::size_t>(3); }

  private:
    void Need(std::size_t count) const {
        if (offset_ + count > end_)
            throw std::out_of_range("read past the end of the resource");
    }
    const std::vector<BYTE>& bytes_;
    std::size_t end_;
    std::size_t offset_ = 0;
};

} // namespace

std::vector<BYTE> ResourceBytes(HMODULE module, LPCSTR type, WORD id) {
    const HRSRC found = FindResourceExA(module, type, MAKEINTRESOURCEA(id), kJapanese);
    if (!found)
        return {};
    const HGLOBAL loaded = LoadResource(module, found);
    const auto* bytes = static_cast<const BYTE*>(LockResource(loaded));
    if (!bytes)
        return {};
    return std::vector<BYTE>(bytes, bytes + SizeofResource(module, found));
}

std::wstring VersionNode::Text() const {
    std::wstring text;
    for (std::size_t i = 0; i + 1 < value.size(); i += 2) {
        const auto unit = static_cast<wchar_t>(value[i] | value[i + 1] << 8);
        if (unit == 0)
            break;
        text.push_back(unit);
    }
    return text;
}

VersionNode ParseVersionNode(const std::vector<BYTE>& bytes, std::size_t start) {
    Reader header(bytes);
    header.Seek(start);
    const WORD length = header.Word();
    Reader reader(bytes, start + length);
    reader.Seek(start + 2);
    VersionNode node;
    node.valueLength = reader.Word();
    node.type = reader.Word();
    node.key = reader.String();
    reader.AlignToDword();
    // Text values count 16-bit units, binary values bytes.
    const std::size_t valueBytes = node.type == 1 ? node.valueLength * 2u : node.valueLength;
    node.value = reader.Bytes(valueBytes);
    reader.AlignToDword();
    while (!reader.AtEnd()) {
        node.children.push_back(ParseVersionNode(bytes, reader.offset()));
        Reader child(bytes);
        child.Seek(reader.offset());
        reader.Seek(reader.offset() + child.Word());
        reader.AlignToDword();
    }
    return node;
}

std::vector<std::wstring> Keys(const std::vector<VersionNode>& nodes) {
    std::vector<std::wstring> keys;
    for (const VersionNode& node : nodes)
        keys.push_back(node.key);
    return keys;
}
