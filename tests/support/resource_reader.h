// Reads a module's resources raw and parses the version resource,
// independently of the Windows readers.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The bytes of one resource of the module in the Japanese language (0x0411);
// empty when there is none.
std::vector<BYTE> ResourceBytes(HMODULE module, LPCSTR type, WORD id);

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
