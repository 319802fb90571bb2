#include "text_file.h"

#include <windows.h>

#include "../base/holders.h"

namespace {

// Bytes; a larger file is not read whole.
constexpr LONGLONG kLargestFile = 0x40000000;

// Reads up to size bytes at offset; the count read, 0 on failure.
DWORD ReadAt(HANDLE file, LONGLONG offset, unsigned char* bytes, DWORD size) {
    LARGE_INTEGER position;
    position.QuadPart = offset;
    DWORD read = 0;
    if (!SetFilePointerEx(file, position, nullptr, FILE_BEGIN) ||
        !ReadFile(file, bytes, size, &read, nullptr))
        return 0;
    return read;
}

bool StartsWithByteOrderMark(HANDLE file) {
    unsigned char start[3] = {};
    const DWORD read = ReadAt(file, 0, start, sizeof start);
    if (read == 3 && start[0] == 0xEF && start[1] == 0xBB && start[2] == 0xBF)
        return true;
    return read >= 2 &&
           ((start[0] == 0xFF && start[1] == 0xFE) || (start[0] == 0xFE && start[1] == 0xFF));
}

// Whether the file's last line has ended. Only CR LF is sure to: a lone lead
// byte takes the byte after it as its second byte, so a lead byte and a
// single line break leave the line open. Read through a handle of its own:
// reads through the appending handle are not reliable under Wine.
bool EndsWithCrLf(const std::string& path, LONGLONG size) {
    if (size < 2)
        return false;
    const UniqueHandle file =
        OwnFile(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    unsigned char end[2] = {};
    return ReadAt(file.get(), size - 2, end, 2) == 2 && end[0] == '\r' && end[1] == '\n';
}

} // namespace

AppendResult AppendToAnsiFile(const std::string& path, const std::string& text) {
    const UniqueHandle file =
        OwnFile(CreateFileA(path.c_str(), GENERIC_READ | FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return AppendResult::Failed;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size))
        return AppendResult::Failed;
    if (StartsWithByteOrderMark(file.get()))
        return AppendResult::UnicodeFile;
    std::string bytes = size.QuadPart > 0 && !EndsWithCrLf(path, size.QuadPart) ? "\r\n" : "";
    bytes += text;
    if (bytes.size() > MAXDWORD)
        return AppendResult::Failed;
    DWORD written = 0;
    const bool ok =
        WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    return ok ? AppendResult::Appended : AppendResult::Failed;
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
    const UniqueHandle file = OwnFile(CreateFileA(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return std::nullopt;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > kLargestFile)
        return std::nullopt;
    // One byte more than the size, to see a file that grew meanwhile end.
    std::string bytes(static_cast<std::size_t>(size.QuadPart) + 1, '\0');
    for (std::size_t filled = 0;;) {
        DWORD read = 0;
        if (!ReadFile(file.get(), bytes.data() + filled, static_cast<DWORD>(bytes.size() - filled),
                      &read, nullptr))
            return std::nullopt;
        filled += read;
        if (read == 0 || filled < bytes.size()) {
            bytes.resize(filled);
            return bytes;
        }
        if (bytes.size() > kLargestFile)
            return std::nullopt;
        bytes.resize(bytes.size() * 2);
    }
}
