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

std::string Utf8(const std::string& text) {
    return FromUtf16(ToUtf16(text), CP_UTF8);
}

std::string Joined(const std::vector<std::string>& texts, const char* separator) {
    std::string line;
    for (const std::string& text : texts)
        line += (line.empty() ? "" : separator) + text;
    return line;
}

bool OpenTranscriptFile(const std::string& path) {
    g_file = OwnFile(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return g_file != nullptr;
}

void CloseTranscriptFile() {
    g_file.reset();
}

void Note(const std::string& line) {
    const std::string utf8 = Utf8(line) + "\n";
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output && output != INVALID_HANDLE_VALUE)
        WriteAll(output, utf8);
    if (g_file)
        WriteAll(g_file.get(), utf8);
}
