// The tour's output folder and the paths it prints, which a person reads on
// the Unix side.
#pragma once

#include <string>

// Creates the folder and any missing parents, and deletes the screenshots an
// earlier tour left there; false when the folder still does not exist.
bool PrepareOutputFolder(const std::string& folder);
// A fresh copy of the plug-in in the folder's plugins folder, so that its
// settings file starts empty; empty when it cannot be copied.
std::string CopyPlugin(const std::string& folder, const std::string& source);
// The path as the Unix side sees it when running under Wine, else unchanged.
std::string HostVisiblePath(const std::string& path);
