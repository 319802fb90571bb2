// Command IDs of the client's own menu items. The plug-in's commands get IDs
// from kFirstPluginCommand up (the stand-in host's first), far above these.
#pragma once

enum ClientCommandId {
    kCmdExit = 100,
    kCmdPluginSetup = 110,
    kCmdPluginInfo = 111,
    kCmdFolderProperties = 120,
    kCmdFolderDelete = 121,
    kCmdMailDelete = 131,
    kCmdPreviewCopy = 140,
    kCmdPreviewSelectAll = 141,
};

constexpr int kFirstPluginCommand = 40001;
