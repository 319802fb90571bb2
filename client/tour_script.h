// The steps of the tour: register two destinations from the folder menu, move
// two selected mails with confirmation, reorder and rename the destinations in
// the settings dialog, look at the result in a menu, and close the client.
#pragma once

#include <string>
#include <vector>

#include "tour_driver.h"

TourScript TourSteps(const std::string& outputFolder);
// The screenshots taken so far, full paths.
const std::vector<std::string>& TourScreenshots();
