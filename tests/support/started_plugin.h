// A plug-in started on a settings file written for the test.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "plugin.h"
#include "scratch.h"

struct StartSettings {
    std::vector<std::string> entries; // [FolderList], keys 0000001, 0000002, ...
    // Left out of the file when not given.
    std::optional<int> isConfirm;
    std::optional<int> isMenuTop;
};

// Loads a fresh copy of the plug-in into folder, writes its Varkel.ini with
// these bytes (none when empty) and calls ORC_OnStart.
std::unique_ptr<LoadedPlugin> StartPluginOnFile(const std::string& folder,
                                                const std::string& bytes);
// StartPluginOnFile on the file written from settings and further sections
// as the file holds them.
std::unique_ptr<LoadedPlugin> StartPlugin(const std::string& folder, const StartSettings& settings,
                                          const std::string& sections = std::string());
// ORC_OnExit, then the [FolderList] lines that it wrote.
std::vector<std::string> ListWrittenAtExit(const LoadedPlugin& plugin);
// For one row of a table-driven test: the stand-in host back to its default
// script, then StartPlugin in the row's own folder below base.
std::unique_ptr<LoadedPlugin> StartRowPlugin(const std::string& base, std::size_t row,
                                             const StartSettings& settings,
                                             const std::string& sections = std::string());

// Runs check(row, plugin) for each row of a table, the row's number in any
// failure, on a plug-in started with confirmations on and the row's entries,
// each in a folder of its own.
template <class Row, std::size_t N, class Check>
void ForEachRowPlugin(const Row (&rows)[N], Check check) {
    const std::string base = FreshScratchFolder();
    for (std::size_t r = 0; r < N; ++r) {
        SCOPED_TRACE("row " + std::to_string(r));
        const auto plugin = StartRowPlugin(base, r, {rows[r].entries, 1, 0});
        check(rows[r], *plugin);
    }
}
