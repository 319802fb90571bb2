// The steps of the tour, which use the client as a person would, and the check
// of what they left.
#pragma once

#include <string>
#include <vector>

#include "desktop/activation_watcher.h"
#include "desktop/step_runner.h"

// The folders and names the tour uses, which its check looks for.
inline const std::string kWorkInbox = "\\仕事\\受信箱";
inline const std::string kClientsFolder = "\\仕事\\受信箱\\取引先";
inline const std::string kDevFolder = "\\仕事\\受信箱\\ソフト開発";
inline const std::string kQaFolder = "\\仕事\\Q&A";
// The subject of the two quotation mails that the tour moves, one a reply.
inline constexpr char kQuoteSubject[] = "お見積りの件（青葉システム）";
inline const std::string kNewClientsName = "取引先（見積・請求）";
// ソフト開発's name once the tour groups it under 仕事.
inline const std::string kGroupedDevName = "仕事/ソフト開発";

// The texts one after another, with the separator between them.
std::string Joined(const std::vector<std::string>& texts, const char* separator);

// The message boxes come and go under the watch of boxes.
void AddTourSteps(StepRunner& tour, const std::string& outputFolder,
                  const ActivationWatcher& boxes);
// The file names of the screenshots taken so far, in the output folder.
const std::vector<std::string>& TourScreenshots();

// The tour's last step: what failed of the checks of what the tour left, one
// line each; empty when every check passed.
std::vector<std::string> CheckTour(const std::string& outputFolder, bool ranToEnd,
                                   const std::vector<ShownBox>& boxes);
