// The tour's last step: checks what it left in its output folder, the
// transcript (what the plug-in asked of the host, the boxes it showed, what
// the client did), the plug-in's settings file and the screenshots.
#pragma once

#include <string>
#include <vector>

// What failed, one line each; empty when every check passed.
std::vector<std::string> CheckTour(const std::string& outputFolder, bool ranToEnd);
