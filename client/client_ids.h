// Command IDs of the client's own menu items. The plug-in's commands get IDs
// from kFirstPluginCommand (command_table.h) up, far above these.
#pragma once

enum ClientCommandId {
    kCmdExit = 100,
    kCmdPluginSetup = 110,
    kCmdPluginInfo = 111,
    kCmdFolderProperties = 120,
    kCmdMailReply = 130,
    kCmdMailDelete = 131,
    kCmdPreviewCopy = 140,
    kCmdPreviewSelectAll = 141,
};
