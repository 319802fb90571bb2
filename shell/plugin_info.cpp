#include "plugin_info.h"

#include "../res/resource.h"
#include "../base/text.h"
#include "../base/version_info.h"

void FillPluginInfo(PluginInfo& info) {
    const VersionData version = VersionData::Open();
    CopyTextToField(info.name, sizeof info.name, version.Read("FileDescription"));
    CopyTextToField(info.vendor, sizeof info.vendor, VARKEL_AUTHOR);
    CopyTextToField(info.version, sizeof info.version, version.Read("FileVersion"));
    CopyTextToField(info.description, sizeof info.description, version.Read("Comments"));
}

void ReportPluginInfo(PluginInfo* info) {
    if (info)
        FillPluginInfo(*info);
}
