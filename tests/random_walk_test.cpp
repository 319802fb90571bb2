// A seeded random walk over the whole plug-in, checked against a plain model
// of the destination list and the options after every step. VARKEL_WALK_SEED
// replays one seed; VARKEL_WALK_STEPS runs a longer walk.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "base/plugin_interface.h"
#include "desktop/window_driver.h"
#include "menu_items.h"
#include "message_boxes.h"
#include "plugin.h"
#include "texts/plugin_texts.h"
#include "res/resource.h"
#include "scratch.h"
#include "settings_dialog_session.h"
#include "settings_files.h"
#include "soak_length.h"
#include "standin_host.h"
#include "started_plugin.h"

namespace {

struct Folder {
    const char* id;
    const char* displayName;
};

// The host's folders; some IDs differ only in case, one holds a colon, one
// display name holds a colon.
const Folder kFolders[] = {
    {"\\受信箱\\取引先", "取引先"},   {"\\受信箱\\取引先\\見積", "見積"},
    {"\\受信箱\\ソフト", "ソフト表"}, {"\\受信箱\\Work", "Work"},
    {"\\受信箱\\work", "work 小"},    {"\\保存\\2026", "2026: 年次"},
    {"\\保存\\古い:箱", "古い箱"},    {"\\送信済み", "送信済み"},
};

struct Model {
    std::vector<std::string> entries;
    int isConfirm = 1;
    int isMenuTop = 0;
    // Command ID -> the position and the entry its item was built from.
    std::map<int, std::pair<std::size_t, std::string>> bindings;

    // The entry a binding moves to: the one its item showed, wherever it
    // stands now; nullptr once it is gone.
    const std::string* Resolve(const std::pair<std::size_t, std::string>& binding) const {
        if (binding.first < entries.size() && entries[binding.first] == binding.second)
            return &entries[binding.first];
        const auto found = std::find(entries.begin(), entries.end(), binding.second);
        return found == entries.end() ? nullptr : &*found;
    }
};

std::string FolderIdOf(const std::string& entry) {
    return entry.substr(0, entry.find(':'));
}
std::string MenuNameOf(const std::string& entry) {
    const std::size_t colon = entry.find(':');
    return colon == std::string::npos ? entry : entry.substr(colon + 1);
}

class Walk {
  public:
    Walk(unsigned seed, const std::string& folder) : random_(seed), folder_(folder) {
        model_.entries = {"\\受信箱\\取引先:取引先", "コロンなし", "\\保存\\2026:年次: 2026"};
        plugin_ = StartPlugin(folder_, {model_.entries, 1, 0});
        standin::Script().currentMail = std::string("本文");
        for (const Folder& f : kFolders)
            standin::Script().displayNames[f.id] = std::string(f.displayName);
    }

    void Step(int step) {
        const int roll = Pick(100);
        const DWORD start = GetTickCount();
        // Message boxes and dialogs cost tens of milliseconds each under Wine;
        // menus and moves are the bulk of the walk.
        const int kind = roll < 33 ? 0 : roll < 68 ? 1 : roll < 84 ? 2 : roll < 96 ? 3 : 4;
        switch (kind) {
        case 0: BuildMenu(); break;
        case 1: PickMoveItem(); break;
        case 2: ToggleFolder(); break;
        case 3: EditInDialog(); break;
        default: ExitAndRestart(); break;
        }
        spent_[kind] += GetTickCount() - start;
        ++count_[kind];
        if (testing::Test::HasFailure())
            return;
        CheckMenu(step);
    }

    void PrintCosts() const {
        const char* names[] = {"menu", "move", "toggle", "dialog", "restart"};
        for (int k = 0; k < 5; ++k)
            std::printf("  %-8s %6d steps %8lu ms\n", names[k], count_[k],
                        static_cast<unsigned long>(spent_[k]));
    }

    void ExitAndRestart() {
        plugin_->orc().OnExit();
        CheckSavedFile();
        plugin_->Reload();
        model_.bindings.clear();
        plugin_->orc().OnStart();
    }

  private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool Chance(int percent) { return Pick(100) < percent; }

    // Builds a mail menu; the plug-in binds each move item to its position.
    void BuildMenu() {
        const UniqueMenu menu = InitMenu(*plugin_, Chance(50) ? kMailListMenu : kMailViewMenu);
        for (const MenuItem& item : ReadMenuItems(menu.get())) {
            if (!item.submenu)
                continue;
            const std::vector<MenuItem> moves = ReadMenuItems(item.submenu);
            for (std::size_t i = 0; i < moves.size() && !model_.entries.empty(); ++i)
                model_.bindings[static_cast<int>(moves[i].id)] = {i, model_.entries[i]};
        }
    }

    void PickMoveItem() {
        if (model_.bindings.empty())
            return;
        auto binding = model_.bindings.begin();
        std::advance(binding, Pick(static_cast<int>(model_.bindings.size())));
        const std::string* resolved = model_.Resolve(binding->second);
        const bool bound = resolved != nullptr;
        const std::string entry = bound ? *resolved : std::string();
        const bool ok = Chance(70);
        MessageBoxCapture boxes;
        boxes.Answer({ok ? IDOK : IDCANCEL});
        const std::size_t movesBefore = standin::MovedTo().size();
        // Garbage in the high 16 bits of the command word is ignored.
        const WPARAM word = static_cast<WPARAM>(binding->first) | (Chance(50) ? 0xABCD0000u : 0u);
        standin::InvokeCommand(binding->first, hostWindow_.get(), word);
        const bool asked = bound && model_.isConfirm;
        ASSERT_EQ(boxes.boxes().size(), asked ? 1u : 0u);
        if (asked) {
            EXPECT_EQ(boxes.boxes()[0].text, MoveText(MenuNameOf(entry)));
        }
        const std::vector<std::string> moved = standin::MovedTo();
        if (bound && (!model_.isConfirm || ok)) {
            ASSERT_EQ(moved.size(), movesBefore + 1);
            EXPECT_EQ(moved.back(), FolderIdOf(entry));
        } else {
            EXPECT_EQ(moved.size(), movesBefore);
        }
    }

    void ToggleFolder() {
        const Folder& folder = kFolders[Pick(static_cast<int>(std::size(kFolders)))];
        standin::Script().currentFolder = std::string(folder.id);
        const UniqueMenu menu = InitMenu(*plugin_, kFolderMenu);
        const bool ok = Chance(75);
        MessageBoxCapture boxes;
        boxes.Answer({ok ? IDOK : IDCANCEL});
        standin::InvokeCommand(standin::Registered().back().id, hostWindow_.get(), 0);
        ASSERT_EQ(boxes.boxes().size(), 1u);
        std::size_t found = 0;
        while (found < model_.entries.size() && FolderIdOf(model_.entries[found]) != folder.id)
            ++found;
        if (std::string(folder.id).find(':') != std::string::npos) {
            EXPECT_EQ(boxes.boxes()[0].style, static_cast<UINT>(MB_OK | MB_ICONWARNING));
        } else if (found < model_.entries.size()) {
            EXPECT_EQ(boxes.boxes()[0].text, RemoveText(MenuNameOf(model_.entries[found])));
            if (ok)
                model_.entries.erase(model_.entries.begin() + static_cast<std::ptrdiff_t>(found));
        } else {
            EXPECT_EQ(boxes.boxes()[0].text, AddText(folder.displayName));
            if (ok)
                model_.entries.push_back(std::string(folder.id) + ":" + folder.displayName);
        }
    }

    // Random edits in the settings dialog, then OK, Cancel or the close box.
    void EditInDialog() {
        struct Row {
            std::string id, name;
        };
        std::vector<Row> rows;
        for (const std::string& entry : model_.entries)
            rows.push_back({FolderIdOf(entry), MenuNameOf(entry)});
        int confirm = model_.isConfirm ? 1 : 0;
        int menuTop = model_.isMenuTop ? 1 : 0;

        // Every edit and the closing run in one timer tick: each is a
        // synchronous message to the dialog.
        std::vector<std::function<void(HWND)>> actions;
        const int edits = Pick(6);
        for (int e = 0; e < edits; ++e) {
            const int kind = Pick(6);
            const int row = rows.empty() ? -1 : Pick(static_cast<int>(rows.size()));
            if (kind <= 1 && row >= 0) { // up or down
                const int step = kind == 0 ? -1 : 1;
                actions.push_back([row, step](HWND dialog) {
                    SelectRows(RowList(dialog), {row});
                    ClickButton(dialog, step < 0 ? IDC_SETTINGS_MOVE_UP : IDC_SETTINGS_MOVE_DOWN);
                });
                const Row moved = rows[static_cast<std::size_t>(row)];
                rows.erase(rows.begin() + row);
                const int target = std::max(0, std::min(static_cast<int>(rows.size()), row + step));
                rows.insert(rows.begin() + target, moved);
            } else if (kind == 2 && row >= 0) {
                actions.push_back([row](HWND dialog) {
                    SelectRows(RowList(dialog), {row});
                    ClickButton(dialog, IDC_SETTINGS_DELETE);
                });
                rows.erase(rows.begin() + row);
            } else if (kind == 3 && row >= 0) { // rename, kept or cancelled
                const int how = Pick(3);
                const std::string name = how == 1 ? "" : "名前" + std::to_string(Pick(1000));
                // F2 and the typing in one step: nothing can end the edit
                // in between.
                actions.push_back([row, name, how](HWND dialog) {
                    SelectRows(RowList(dialog), {row});
                    SendKey(RowList(dialog), VK_F2);
                    EXPECT_TRUE(TypeIntoLabelEditor(RowList(dialog), name,
                                                    how == 2 ? VK_ESCAPE : VK_RETURN))
                        << "no label edit on row " << row;
                });
                if (how == 0)
                    rows[static_cast<std::size_t>(row)].name = name;
            } else if (kind == 4) {
                actions.push_back([](HWND dialog) { ClickButton(dialog, IDC_SETTINGS_CONFIRM); });
                confirm ^= 1;
            } else if (kind == 5) {
                actions.push_back([](HWND dialog) { ClickButton(dialog, IDC_SETTINGS_MENU_TOP); });
                menuTop ^= 1;
            }
        }
        const int close = Pick(4);
        actions.push_back([close](HWND dialog) {
            if (close <= 1)
                ClickButton(dialog, IDC_SETTINGS_OK);
            else if (close == 2)
                ClickButton(dialog, IDCANCEL);
            else
                PostMessageA(dialog, WM_CLOSE, 0, 0);
        });
        const auto runActions = [&actions](HWND dialog) {
            for (const auto& action : actions)
                action(dialog);
        };
        EXPECT_EQ(RunSettingsDialog(*plugin_, {runActions}, nullptr, 20000), 1);
        if (close <= 1) {
            model_.entries.clear();
            for (const Row& r : rows)
                model_.entries.push_back(r.id + ":" + r.name);
            model_.isConfirm = confirm;
            model_.isMenuTop = menuTop;
        }
    }

    // The move submenu shows the model's menu names, at the model's end of
    // the menu.
    void CheckMenu(int step) {
        const UniqueMenu menu = InitMenu(*plugin_, kMailListMenu);
        const std::vector<MenuItem> items = ReadMenuItems(menu.get());
        ASSERT_EQ(items.size(), 4u) << "step " << step;
        const MenuItem& submenuItem = model_.isMenuTop ? items[0] : items[3];
        ASSERT_NE(submenuItem.submenu, nullptr) << "step " << step;
        const std::vector<std::string> names = ItemTexts(ReadMenuItems(submenuItem.submenu));
        std::vector<std::string> expected;
        for (const std::string& entry : model_.entries)
            expected.push_back(MenuNameOf(entry));
        if (expected.empty())
            expected.push_back("(登録フォルダがありません)");
        ASSERT_EQ(names, expected) << "step " << step;
        // This build's bindings are now the newest.
        const std::vector<MenuItem> moves = ReadMenuItems(submenuItem.submenu);
        for (std::size_t i = 0; i < moves.size() && !model_.entries.empty(); ++i)
            model_.bindings[static_cast<int>(moves[i].id)] = {i, model_.entries[i]};
        standin::ClearCalls();
    }

    void CheckSavedFile() {
        const std::string path = plugin_->settingsPath();
        EXPECT_EQ(StoredFolderList(path), FolderListLines(model_.entries));
        EXPECT_EQ(ProfileInt(path, "Setting", "IsConfirm", -1), model_.isConfirm);
        EXPECT_EQ(ProfileInt(path, "Setting", "IsMenuTop", -1), model_.isMenuTop);
    }

    DWORD spent_[5] = {};
    int count_[5] = {};
    std::mt19937 random_;
    std::string folder_;
    Model model_;
    std::unique_ptr<LoadedPlugin> plugin_;
    HostWindow hostWindow_;
};

} // namespace

// A short walk by default keeps make test quick; CI walks the full 10,000 steps.
TEST(RandomWalk, WholePluginAgainstAPlainModel) {
    const int steps = SoakLength("VARKEL_WALK_STEPS", 600);
    const int seedOverride = SoakLength("VARKEL_WALK_SEED", -1);
    const unsigned seed = seedOverride >= 0 ? static_cast<unsigned>(seedOverride)
                                            : static_cast<unsigned>(GetTickCount());
    SCOPED_TRACE("replay with VARKEL_WALK_SEED=" + std::to_string(seed));
    std::printf("random walk: seed %u, %d steps\n", seed, steps);
    Walk walk(seed, FreshScratchFolder());
    for (int step = 0; step < steps && !HasFailure(); ++step)
        walk.Step(step);
    if (!HasFailure())
        walk.ExitAndRestart();
    walk.PrintCosts();
}
