#include "text_file.h"

#include <windows.h>

#include <cstring>
#include <memory>
#include <type_traits>
#include <vector>

namespace {

struct FileCloser {
    void operator()(HANDLE file) const { CloseHandle(file); }
};
using UniqueFile = std::unique_ptr<std::remove_pointer_t<HANDLE>, FileCloser>;

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

// Whether bytes at the start of a file are a UTF-8 or UTF-16 byte order mark.
bool IsByteOrderMark(const unsigned char* start, DWORD read) {
    if (read >= 3 && start[0] == 0xEF && start[1] == 0xBB && start[2] == 0xBF)
        return true;
    return read >= 2 &&
           ((start[0] == 0xFF && start[1] == 0xFE) || (start[0] == 0xFE && start[1] == 0xFF));
}

bool StartsWithByteOrderMark(HANDLE file) {
    unsigned char start[3] = {};
    return IsByteOrderMark(start, ReadAt(file, 0, start, sizeof start));
}

// Whether the file's last line has ended. Only CR LF is sure to: a lone lead
// byte takes the byte after it as its second byte, so a lead byte and a
// single line break leave the line open. Read through a handle of its own:
// reads through the appending handle are not reliable under Wine.
bool EndsWithCrLf(const std::string& path, LONGLONG size) {
    if (size < 2)
        return false;
    const HANDLE handle =
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    const UniqueFile file(handle);
    unsigned char end[2] = {};
    return ReadAt(file.get(), size - 2, end, 2) == 2 && end[0] == '\r' && end[1] == '\n';
}

} // namespace

AppendResult AppendToAnsiFile(const std::string& path, const std::string& text) {
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | FILE_APPEND_DATA, FILE_SHARE_READ,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return AppendResult::Failed;
    const UniqueFile file(handle);
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

bool IsPlainAnsiFile(const std::string& path) {
    const HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    const UniqueFile file(handle);
    std::vector<unsigned char> chunk(0x10000);
    for (bool first = true;; first = false) {
        DWORD read = 0;
        if (!ReadFile(file.get(), chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr) ||
            (first && IsByteOrderMark(chunk.data(), read)) || std::memchr(chunk.data(), 0, read))
            return false;
        // A file reads whole chunks up to its end.
        if (read < chunk.size())
            return true;
    }
}
