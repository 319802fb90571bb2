#include "window_text.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

std::string ClassNameOf(HWND window) {
    char name[256] = {};
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, static_cast<std::size_t>(length > 0 ? length : 0));
}

std::vector<MenuItem> ReadMenuItems(HMENU menu) {
    std::vector<MenuItem> items;
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
        std::string text(info.cch + 1, '\0');
        info.dwTypeData = text.data();
        info.cch = static_cast<UINT>(text.size());
        GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
        text.resize(info.cch);
        items.push_back({info.fType, info.fState, info.wID, info.hSubMenu, text});
    }
    return items;
}

int MenuItemPosition(HMENU menu, const std::string& text) {
    const std::vector<MenuItem> items = ReadMenuItems(menu);
    const auto found = std::find_if(items.begin(), items.end(),
                                    [&](const MenuItem& item) { return item.text == text; });
    return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

std::vector<std::string> DescribeMenu(HMENU menu) {
    std::vector<std::string> lines;
    for (const MenuItem& item : ReadMenuItems(menu)) {
        std::string line;
        if (item.type == MFT_SEPARATOR && item.text.empty() && !item.submenu)
            line = "---";
        else if (item.submenu)
            line = ">" + item.text;
        else
            line = item.text + "#" + std::to_string(item.id);
        char flags[64];
        if (item.type != MFT_STRING && item.type != MFT_SEPARATOR) {
            std::snprintf(flags, sizeof flags, " type=0x%X", item.type);
            line += flags;
        }
        if (item.state != 0) {
            std::snprintf(flags, sizeof flags, " state=0x%X", item.state);
            line += flags;
        }
        lines.push_back(line);
    }
    return lines;
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

std::vector<std::string> StoredSection(const std::string& path, const char* section) {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
    // Room for anything the file holds, read as code page 932 text.
    std::string buffer(ReadWholeFile(path).size() * 2 + 16, '\0');
    buffer.resize(GetPrivateProfileSectionA(section, buffer.data(),
                                            static_cast<DWORD>(buffer.size()), path.c_str()));
    std::vector<std::string> lines;
    std::istringstream entries(buffer);
    for (std::string line; std::getline(entries, line, '\0');)
        lines.push_back(line);
    return lines;
}
