// Reads a module's resources raw and parses the classic dialog template and
// the version resource, independently of the Windows readers.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The bytes of one resource of the module in the Japanese language (0x0411);
// empty when there is none.
std::vector<BYTE> ResourceBytes(HMODULE module, LPCSTR type, WORD id);

// A menu, class or title field: none (0x0000), an ordinal (0xFFFF, n) or a
// text.
struct NameOrOrdinal {
    bool present = false;
    WORD ordinal = 0;
    std::wstring text;

    bool operator==(const NameOrOrdinal& other) const {
        return present == other.present && ordinal == other.ordinal && text == other.text;
    }
};

inline NameOrOrdinal Ordinal(WORD ordinal) {
    return {true, ordinal, {}};
}
inline NameOrOrdinal Named(std::wstring text) {
    return {true, 0, std::move(text)};
}

struct DialogItem {
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;
    WORD id;
    NameOrOrdinal windowClass;
    NameOrOrdinal title;
    WORD creationDataSize;
};

struct DialogTemplate {
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;
    NameOrOrdinal menu;
    NameOrOrdinal windowClass;
    std::wstring caption;
    WORD pointSize;
    std::wstring typeface;
    std::vector<DialogItem> items;
};

// Parses a classic (not extended) dialog template; throws std::out_of_range
// when a field runs past the end.
DialogTemplate ParseDialogTemplate(const std::vector<BYTE>& bytes);

// One node of a version resource: key, value and children.
struct VersionNode {
    std::wstring key;
    WORD type = 0;
    WORD valueLength = 0;
    std::vector<BYTE> value;
    std::vector<VersionNode> children;

    // The value of a text node, without its terminating NUL.
    std::wstring Text() const;
};

// Parses the node that starts at offset start (0 for the whole resource).
VersionNode ParseVersionNode(const std::vector<BYTE>& bytes, std::size_t start = 0);
std::vector<std::wstring> Keys(const std::vector<VersionNode>& nodes);
