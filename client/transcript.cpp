#include "transcript.h"

#include <windows.h>

#include "base/holders.h"
#include "base/text.h"

namespace {

UniqueHandle g_file;

void WriteAll(HANDLE handle, const std::string& bytes) {
    DWORD written = 0;
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

} // namespace

bool OpenTranscriptFile(const std::string& path) {
    g_file = OwnFile(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return g_file != nullptr;
}

void Note(const std::string& line) {
    const std::string utf8 = FromUtf16(ToUtf16(line), CP_UTF8) + "\n";
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output && output != INVALID_HANDLE_VALUE)
        WriteAll(output, utf8);
    if (g_file)
        WriteAll(g_file.get(), utf8);
}
