// The steps of the tour: register two destinations from the folder menu, move
// two selected mails with confirmation, reorder and rename the destinations in
// the settings dialog, look at the result in a menu, and close the client.
#pragma once

#include <string>
#include <vector>

#include "desktop/activation_watcher.h"
#include "desktop/step_runner.h"

// The message boxes come and go under the watch of boxes.
void AddTourSteps(StepRunner& tour, const std::string& outputFolder,
                  const ActivationWatcher& boxes);
// The screenshots taken so far, full paths.
const std::vector<std::string>& TourScreenshots();
