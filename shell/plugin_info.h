// The record of plug-in facts that the host asks for.
#pragma once

struct PluginInfo {
    char name[80];
    char vendor[80];
    char version[80];
    char description[256];
};
static_assert(sizeof(PluginInfo) == 496, "the host's record is 496 bytes");

// Fills each field with its text and NUL from the version resource, read
// afresh; the bytes after each NUL stay as they were.
void FillPluginInfo(PluginInfo& info);
// The host's query: fills the record it passes, unless it passes none.
void ReportPluginInfo(PluginInfo* info);
