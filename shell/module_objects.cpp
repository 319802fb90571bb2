// The module-wide objects, defined in one place so that they are constructed
// in this order at load and destroyed in the reverse order at unload.
#include "../folders/command_map.h"
#include "../folders/folder_list.h"
#include "../folders/plugin_settings.h"
#include "host_api.h"

HostApi g_hostApi;
FolderList g_folderList;
CommandMap g_commandMap;
PluginSettings g_settings;
