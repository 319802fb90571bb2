// A fresh plug-in copy whose settings dialog a test opens and drives, and
// whose settings file the test writes before the start and reads after exit.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "desktop/window_driver.h"
#include "modal_script.h"
#include "plugin.h"
#include "settings_files.h"
#include "started_plugin.h"

// What the settings file holds after the plug-in's exit.
struct SavedSettings {
    std::vector<std::string> folders;
    int isConfirm = 0;
    int isMenuTop = 0;
    RECT rect{};
    int colWidth1 = 0;
    int colWidth2 = 0;
};

// One step on the open settings dialog: an action done in one tick, or a
// step that returns false to be tried again on the next tick.
struct DialogStep {
    template <class Step> DialogStep(Step step) {
        if constexpr (std::is_void_v<std::invoke_result_t<Step&, HWND>>)
            run = [step = std::move(step)](HWND dialog) mutable {
                step(dialog);
                return true;
            };
        else
            run = std::move(step);
    }
    ModalScript::WindowStep run;
};

// Opens the plug-in's settings dialog with ORC_OnPlugInSetup(owner) and runs
// the steps on it; the setup callback's result. A script that does not run to
// its end, with the dialog closed, adds a test failure.
int RunSettingsDialog(const LoadedPlugin& plugin, std::initializer_list<DialogStep> steps,
                      HWND owner = nullptr, DWORD timeoutMs = 5000);

class DialogSession {
  public:
    // Writes ini (nothing when empty) as the settings file and starts the
    // plug-in.
    explicit DialogSession(const std::string& ini = std::string());

    LoadedPlugin& plugin() { return *plugin_; }
    // ORC_OnPlugInSetup(owner) while the script drives the settings dialog;
    // the setup callback's result. A script that fails adds a test failure.
    int Setup(ModalScript& script, HWND owner = nullptr);
    // Setup with a settings dialog script of these steps, whose result must
    // be 1.
    void Open(std::initializer_list<DialogStep> steps, HWND owner = nullptr);
    // The dialog's window rectangle as the last Setup's dialog placed itself
    // at opening (a window manager may shift it a little as it is shown).
    RECT openedAt() const { return openedAt_; }
    // ORC_OnExit, then the settings file read back.
    SavedSettings Exit();

  private:
    std::unique_ptr<LoadedPlugin> plugin_;
    RECT openedAt_{};
};

inline constexpr char kSettingsCaption[] = "設定";

// A script for the settings dialog (a dialog box captioned "設定").
ModalScript DialogScript(DWORD timeoutMs = 5000);
HWND RowList(HWND dialog);

// A visible top-level window for the test to own dialogs with.
class OwnerWindow {
  public:
    OwnerWindow();
    ~OwnerWindow();
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;
    HWND get() const { return window_; }

  private:
    HWND window_;
};
