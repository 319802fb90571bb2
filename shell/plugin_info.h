// The record of plug-in facts that the host asks for.
#pragma once

#include "../base/plugin_interface.h"

// Fills each field with its text and NUL from the version resource, read
// afresh; the bytes after each NUL stay as they were.
void FillPluginInfo(PluginInfo& info);
// The host's query: fills the record it passes, unless it passes none.
void ReportPluginInfo(PluginInfo* info);
