#include "menu_items.h"

#include <gtest/gtest.h>

#include "plugin.h"
#include "standin_host.h"

UniqueMenu HostMenu() {
    UniqueMenu menu(CreatePopupMenu());
    AppendMenuA(menu.get(), MF_STRING, kHostItemA, "A");
    AppendMenuA(menu.get(), MF_STRING, kHostItemB, "B");
    return menu;
}

UniqueMenu InitMenu(const LoadedPlugin& plugin, int menuType) {
    UniqueMenu menu = HostMenu();
    EXPECT_EQ(plugin.orc().OnMenuInit(nullptr, menu.get(), menuType), 0);
    return menu;
}

HMENU MoveSubmenu(HMENU menu) {
    HMENU found = nullptr;
    for (const MenuItem& item : ReadMenuItems(menu)) {
        if (item.submenu) {
            EXPECT_EQ(found, nullptr) << "more than one submenu item";
            found = item.submenu;
        }
    }
    return found;
}

int RegisterItemId(const LoadedPlugin& plugin) {
    const UniqueMenu menu = InitMenu(plugin, kFolderMenu);
    const std::vector<MenuItem> items = ReadMenuItems(menu.get());
    return items.empty() ? -1 : static_cast<int>(items.back().id);
}

std::vector<MenuItem> BuildMoveItems(const LoadedPlugin& plugin, int menuType) {
    const UniqueMenu menu = InitMenu(plugin, menuType);
    const HMENU submenu = MoveSubmenu(menu.get());
    return submenu ? ReadMenuItems(submenu) : std::vector<MenuItem>{};
}

std::vector<std::string> ItemTexts(const std::vector<MenuItem>& items) {
    std::vector<std::string> texts;
    for (const MenuItem& item : items)
        texts.push_back(item.text);
    return texts;
}

std::vector<std::string> MoveNames(const LoadedPlugin& plugin) {
    return ItemTexts(BuildMoveItems(plugin));
}

std::vector<std::string> PickMoveItem(const MenuItem& item, HWND window) {
    standin::ClearCalls();
    EXPECT_TRUE(standin::InvokeCommand(static_cast<int>(item.id), window, item.id)) << item.text;
    return standin::MovedTo();
}

std::vector<CapturedBox> AddCurrentFolder(const LoadedPlugin& plugin, HWND window) {
    const int id = RegisterItemId(plugin);
    MessageBoxCapture boxes;
    standin::InvokeCommand(id, window, 0);
    return boxes.boxes();
}

std::vector<CapturedBox> ExitBoxes(const LoadedPlugin& plugin) {
    MessageBoxCapture boxes;
    EXPECT_EQ(plugin.orc().OnExit(), 0);
    return boxes.boxes();
}

HostWindow::HostWindow()
    : window_(CreateWindowExA(0, "STATIC", "Orvane", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr)) {}

HostWindow::~HostWindow() {
    DestroyWindow(window_);
}
