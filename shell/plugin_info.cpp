#include "plugin_info.h"

#include "../res/resource.h"
#include "text.h"
#include "version_info.h"

void FillPluginInfo(PluginInfo& info) {
    const VersionData version = VersionData::Open();
    CopyTextToField(info.name, sizeof info.name, version.Read("FileDescription"));
    CopyTextToField(info.vendor, sizeof info.vendor, VARKEL_AUTHOR);
    CopyTextToField(info.version, sizeof info.version, version.Read("FileVersion"));
    CopyTextToField(info.description, sizeof info.description, version.Read("Comments"));
}
