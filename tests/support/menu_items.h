// Popup menus standing in for the host's, and what a menu holds.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/holders.h"
#include "base/plugin_interface.h"
#include "desktop/window_text.h"
#include "message_boxes.h"

class LoadedPlugin;

// Item IDs of the host's own items in HostMenu().
inline constexpr UINT kHostItemA = 101;
inline constexpr UINT kHostItemB = 102;

// A popup menu holding the host's own items "A" and "B".
UniqueMenu HostMenu();

// HostMenu() after the plug-in's ORC_OnMenuInit for a menu of this type,
// which must return 0.
UniqueMenu InitMenu(const LoadedPlugin& plugin, int menuType);
// The submenu of a host menu's only submenu item; null when it has none.
HMENU MoveSubmenu(HMENU menu);
// Adds the register item to a new folder menu; its command ID.
int RegisterItemId(const LoadedPlugin& plugin);

// The items of the move submenu that the plug-in adds to a new host menu of
// this type (empty when it adds none).
std::vector<MenuItem> BuildMoveItems(const LoadedPlugin& plugin, int menuType = kMailListMenu);
// The items' texts, in order.
std::vector<std::string> ItemTexts(const std::vector<MenuItem>& items);
// The texts of the move items that BuildMoveItems gives.
std::vector<std::string> MoveNames(const LoadedPlugin& plugin);

// Picks a move item as the host does, its ID as the command word; the folders
// that the pick moved the mail to. An ID that the host never handed out fails
// the test.
std::vector<std::string> PickMoveItem(const MenuItem& item, HWND window = nullptr);

// Adds the host's current folder through the folder menu's command, with the
// confirmation answered OK; the boxes shown.
std::vector<CapturedBox> AddCurrentFolder(const LoadedPlugin& plugin, HWND window = nullptr);

// ORC_OnExit, which must return 0; the boxes that it showed.
std::vector<CapturedBox> ExitBoxes(const LoadedPlugin& plugin);

// A hidden top-level window standing in for the host's main window.
class HostWindow {
  public:
    HostWindow();
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    HWND get() const { return window_; }

  private:
    HWND window_;
};
