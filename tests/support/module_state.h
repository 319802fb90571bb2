// The plug-in's module-wide state, for the unit tests that link its code.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "folders/folder_list.h"
#include "folders/plugin_settings.h"
#include "folders/settings_file.h"

// Each test starts as a new session does: nothing loaded, nothing merged.
class ModuleState : public testing::Test {
  protected:
    void SetUp() override { ResetModuleState(); }

    static void ResetModuleState() {
        ReplaceFolderEntries({});
        g_settings = PluginSettings{};
        SetSettingsBase(std::nullopt);
    }
    // A new session's load of the file; whether it read the file.
    static bool LoadFresh(const std::string& path) {
        ResetModuleState();
        return LoadSettings(path);
    }
    // The list that a new session loads from the file.
    static FolderList LoadedEntries(const std::string& path) {
        LoadFresh(path);
        return FolderEntries();
    }
};
