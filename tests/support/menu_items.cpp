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

std::vector<MenuItem> BuildMoveItems(const LoadedPlugin& plugin, int menuType) {
    const UniqueMenu menu = HostMenu();
    plugin.orc().OnMenuInit(nullptr, menu.get(), menuType);
    for (const MenuItem& item : ReadMenuItems(menu.get())) {
        if (item.submenu)
            return ReadMenuItems(item.submenu);
    }
    return {};
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
    const UniqueMenu menu = HostMenu();
    plugin.orc().OnMenuInit(nullptr, menu.get(), kFolderMenu);
    MessageBoxCapture boxes;
    standin::InvokeCommand(standin::Registered().back().id, window, 0);
    return boxes.boxes();
}

HostWindow::HostWindow()
    : window_(CreateWindowExA(0, "STATIC", "Orvane", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr)) {}

HostWindow::~HostWindow() {
    DestroyWindow(window_);
}
