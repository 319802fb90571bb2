// The interface between the plug-in and the host: the callbacks the plug-in
// exports, the host's service functions it binds, and the types they pass.
#pragma once

#include <windows.h>

// The callbacks exported as ORC_<name> at <ordinal>, stdcall, returning int.
// PLUGIN_CALLBACK_IDLE marks the ten that only return 0. Varkel.def repeats
// the names for the linker; a test keeps the two in step.
#define VARKEL_PLUGIN_CALLBACKS(PLUGIN_CALLBACK, PLUGIN_CALLBACK_IDLE)                             \
    PLUGIN_CALLBACK(OnStart, 1, ())                                                                \
    PLUGIN_CALLBACK(OnExit, 2, ())                                                                 \
    PLUGIN_CALLBACK(OnMenuInit, 3, (HWND, HMENU, int))                                             \
    PLUGIN_CALLBACK_IDLE(OnOpenFolder, 4, (LPARAM))                                                \
    PLUGIN_CALLBACK_IDLE(OnOpenMail, 5, (LPARAM))                                                  \
    PLUGIN_CALLBACK_IDLE(OnEveryMinute, 6, ())                                                     \
    PLUGIN_CALLBACK_IDLE(OnOpenCompose, 7, (LPARAM, LPARAM))                                       \
    PLUGIN_CALLBACK_IDLE(OnOutgoing, 8, (LPARAM, LPARAM))                                          \
    PLUGIN_CALLBACK_IDLE(OnKeyDispatch, 9, (LPARAM, LPARAM, LPARAM))                               \
    PLUGIN_CALLBACK_IDLE(OnRetrieve, 10, (LPARAM, LPARAM))                                         \
    PLUGIN_CALLBACK_IDLE(OnSend, 11, (LPARAM))                                                     \
    PLUGIN_CALLBACK_IDLE(OnFinishRetrieve, 12, (LPARAM))                                           \
    PLUGIN_CALLBACK(OnPlugInSetup, 13, (HWND))                                                     \
    PLUGIN_CALLBACK(OnPlugInInfo, 14, (PluginInfo*))                                               \
    PLUGIN_CALLBACK_IDLE(OnDragDrop, 15, (LPARAM, LPARAM, LPARAM, LPARAM))

// The host's 54 service functions, in binding order. HOST_FUNCTION marks the
// ones the plug-in only binds; HOST_FUNCTION_CALLED the five it calls.
#define VARKEL_HOST_FUNCTIONS(HOST_FUNCTION, HOST_FUNCTION_CALLED)                                 \
    HOST_FUNCTION(ORA_GetVersion)                                                                  \
    HOST_FUNCTION(ORA_Command)                                                                     \
    HOST_FUNCTION(ORA_GetWindowHandles)                                                            \
    HOST_FUNCTION_CALLED(ORA_RegisterCommand)                                                      \
    HOST_FUNCTION(ORA_RegisterUICallback)                                                          \
    HOST_FUNCTION(ORA_GetDataFolder)                                                               \
    HOST_FUNCTION(ORA_GetTempFolder)                                                               \
    HOST_FUNCTION(ORA_GetTempFileName)                                                             \
    HOST_FUNCTION(ORA_GetCurrentMailBox)                                                           \
    HOST_FUNCTION(ORA_SetCurrentMailBox)                                                           \
    HOST_FUNCTION_CALLED(ORA_GetCurrentFolder)                                                     \
    HOST_FUNCTION(ORA_SetCurrentFolder)                                                            \
    HOST_FUNCTION_CALLED(ORA_GetFolderDisplayName)                                                 \
    HOST_FUNCTION(ORA_SetMessageText)                                                              \
    HOST_FUNCTION_CALLED(ORA_GetCurrentMail)                                                       \
    HOST_FUNCTION(ORA_SetCurrentMail)                                                              \
    HOST_FUNCTION(ORA_GetNextMail)                                                                 \
    HOST_FUNCTION(ORA_SetSel)                                                                      \
    HOST_FUNCTION(ORA_AppendMessage)                                                               \
    HOST_FUNCTION_CALLED(ORA_MoveSelectedMessages)                                                 \
    HOST_FUNCTION(ORA_GetStatus)                                                                   \
    HOST_FUNCTION(ORA_ComposeMail)                                                                 \
    HOST_FUNCTION(ORA_GetCharSet)                                                                  \
    HOST_FUNCTION(ORA_GetSource)                                                                   \
    HOST_FUNCTION(ORA_SetSource)                                                                   \
    HOST_FUNCTION(ORA_GetHeader)                                                                   \
    HOST_FUNCTION(ORA_GetText)                                                                     \
    HOST_FUNCTION(ORA_SetText)                                                                     \
    HOST_FUNCTION(ORA_GetSpecifiedHeader)                                                          \
    HOST_FUNCTION(ORA_SetSpecifiedHeader)                                                          \
    HOST_FUNCTION(ORA_CompGetCharSet)                                                              \
    HOST_FUNCTION(ORA_CompGetSource)                                                               \
    HOST_FUNCTION(ORA_CompSetSource)                                                               \
    HOST_FUNCTION(ORA_CompGetHeader)                                                               \
    HOST_FUNCTION(ORA_CompGetSpecifiedHeader)                                                      \
    HOST_FUNCTION(ORA_CompSetSpecifiedHeader)                                                      \
    HOST_FUNCTION(ORA_CompGetText)                                                                 \
    HOST_FUNCTION(ORA_CompSetText)                                                                 \
    HOST_FUNCTION(ORA_CompAttachFile)                                                              \
    HOST_FUNCTION(ORA_Alloc)                                                                       \
    HOST_FUNCTION(ORA_ReAlloc)                                                                     \
    HOST_FUNCTION(ORA_Free)                                                                        \
    HOST_FUNCTION(ORA_ISO_2022_JP)                                                                 \
    HOST_FUNCTION(ORA_ISO_2022_KR)                                                                 \
    HOST_FUNCTION(ORA_HZ_GB2312)                                                                   \
    HOST_FUNCTION(ORA_ISO_8859_2)                                                                  \
    HOST_FUNCTION(ORA_EUC_JP)                                                                      \
    HOST_FUNCTION(ORA_UTF_7)                                                                       \
    HOST_FUNCTION(ORA_UTF_8)                                                                       \
    HOST_FUNCTION(ORA_B64Convert)                                                                  \
    HOST_FUNCTION(ORA_QPConvert)                                                                   \
    HOST_FUNCTION(ORA_MIMEHeader)                                                                  \
    HOST_FUNCTION(ORA_SerializeRcpts)                                                              \
    HOST_FUNCTION(ORA_Connect)

// The record of plug-in facts that the host asks for.
struct PluginInfo {
    char name[80];
    char vendor[80];
    char version[80];
    char description[256];
};
static_assert(sizeof(PluginInfo) == 496, "the host's record is 496 bytes");

// The host's context menus, by the menu type that the host passes with each.
enum MenuType { kNoMenu = 0, kMailListMenu = 1, kFolderMenu = 2, kMailViewMenu = 3 };

// A command handler registered with the host: the host's window (owner of any
// message box) and the command word, whose low 16 bits are the command ID.
using CommandCallback = void(WINAPI*)(HWND window, WPARAM commandWord);
