#include "tour_script.h"

#include <algorithm>

#include "client_state.h"
#include "desktop/window_text.h"
#include "paths.h"
#include "standin_host.h"
#include "texts/plugin_texts.h"

using namespace plugin_text;

namespace {

using Texts = std::vector<std::string>;

// "description, menu type" of each command registered whose description
// starts with the text.
Texts RegisteredItems(const std::string& start) {
    Texts items;
    for (const standin::RegisteredCommand& command : standin::Registered()) {
        if (command.description.rfind(start, 0) == 0)
            items.push_back(command.description + ", " + std::to_string(command.menuType));
    }
    return items;
}

} // namespace

std::vector<std::string> CheckTour(const std::string& outputFolder, bool ranToEnd,
                                   const std::vector<ShownBox>& boxes) {
    const std::string transcript = ReadWholeFile(JoinPath(outputFolder, "transcript.txt"));
    // A box of the plug-in's with the text, and the style when one is given.
    const auto shown = [&](const std::string& text, UINT style = 0) {
        return std::any_of(boxes.begin(), boxes.end(), [&](const ShownBox& box) {
            return box.caption == kCaption && box.text == text && (!style || box.style == style);
        });
    };
    const Texts moveItems = RegisteredItems("選択したメールを「");
    const std::vector<standin::RegisteredCommand>& commands = standin::Registered();
    Texts moves;
    for (const standin::HostCall& call : standin::CallsTo("ORA_MoveSelectedMessages"))
        moves.push_back(Joined(call.arguments, ", "));
    // How many of the two quotation mails the folder holds now.
    const auto quotesIn = [](const std::string& folder) {
        const std::vector<const Message*> messages = Client().store.MessagesIn(folder);
        return std::count_if(messages.begin(), messages.end(), [](const Message* message) {
            return message->subject.find(kQuoteSubject) != std::string::npos;
        });
    };
    // The last move item for 取引先: built in the menu whose current folder
    // it was.
    const auto clientsItem = std::find_if(commands.rbegin(), commands.rend(), [](auto& command) {
        return command.description == MoveText(kNewClientsName);
    });
    const int clientsItemId = clientsItem != commands.rend() ? clientsItem->id : 0;
    const std::string ini = JoinPath(JoinPath(outputFolder, "plugins"), "Varkel.ini");
    Texts settings = StoredSection(ini, "Setting");
    std::sort(settings.begin(), settings.end());
    const Texts& pictures = TourScreenshots();
    const bool screenshots =
        !pictures.empty() && std::all_of(pictures.begin(), pictures.end(), [&](auto& name) {
            return ReadWholeFile(JoinPath(outputFolder, name)).rfind("\x89PNG\r\n\x1a\n", 0) == 0 &&
                   transcript.find(name) != std::string::npos;
        });
    const std::pair<const char*, bool> checks[] = {
        {"the tour ran to its end", ranToEnd},
        {"the register item was registered with menu type 2 in every folder menu",
         RegisteredItems(kRegisterDescription) ==
             Texts(4, kRegisterDescription + std::string(", 2"))},
        {"every command ID fits in 16 bits and is not 0",
         !commands.empty() &&
             std::all_of(commands.begin(), commands.end(),
                         [](auto& command) { return command.id > 0 && command.id <= 0xFFFF; })},
        {"the add boxes named both folders, in order", boxes.size() >= 2 &&
                                                           boxes[0].text == AddText("取引先") &&
                                                           boxes[1].text == AddText("ソフト開発")},
        {"the add box named Q&A as written", shown(AddText("Q&A"))},
        {"the mail-list menu registered one move item per destination, in list order, and "
         "the mail-view menu with menu type 3 in the new order",
         moveItems.size() >= 4 && moveItems[0] == MoveText("取引先") + ", 1" &&
             moveItems[1] == MoveText("ソフト開発") + ", 1" &&
             moveItems[2] == MoveText("ソフト開発") + ", 3" &&
             moveItems[3] == MoveText(kNewClientsName) + ", 3"},
        {"the move was confirmed in a box first", shown(MoveText("取引先"))},
        {"the host got move requests with 0 to 取引先's folder ID, then from the search to "
         "ソフト開発's, then to each of them from the menu",
         moves == Texts{kClientsFolder + ", 0", kDevFolder + ", 0", kClientsFolder + ", 0",
                        kDevFolder + ", 0"}},
        {"the search's move was confirmed with the move item's text",
         shown(MoveText("ソフト開発"))},
        {"the two quotation mails left the inbox for the destinations",
         quotesIn(kWorkInbox) == 0 && quotesIn(kClientsFolder) + quotesIn(kDevFolder) == 2},
        {"Q&A's move item's description keeps its one \"&\"",
         std::count(moveItems.begin(), moveItems.end(), MoveText("Q&A") + ", 1") > 0},
        {"the recent item's move was confirmed with the whole name",
         shown(MoveText(kGroupedDevName))},
        {"ORC_OnExit ran", transcript.find("client: ORC_OnExit returned 0") != std::string::npos},
        {"a move to the deleted Q&A warned first, in the warning box",
         shown(MissingFolderText("Q&A"), MB_OKCANCEL | MB_ICONWARNING)},
        {"the menu showed the current folder's items grayed",
         transcript.find("#" + std::to_string(clientsItemId) + " state=0x3") != std::string::npos},
        {"Varkel.ini holds the entries in the dialog's order, 取引先 put first by the context "
         "menu, with the new names, Q&A removed as missing",
         StoredSection(ini, "FolderList") ==
             Texts{"0000001=" + kClientsFolder + ":" + kNewClientsName,
                   "0000002=" + kDevFolder + ":" + kGroupedDevName}},
        {"Varkel.ini keeps confirmation on and the submenu at the bottom",
         settings == Texts{"IsConfirm=1", "IsMenuTop=0"}},
        {"Varkel.ini holds the extensions turned on",
         StoredSection(ini, "Extension") == Texts{"SearchItem=1", "AccessKeys=1", "RecentCount=3",
                                                  "GroupBySlash=1", "MarkMissing=1",
                                                  "GrayCurrent=1"}},
        {"Varkel.ini holds the recent destinations, most recent first",
         StoredSection(ini, "Recent") ==
             Texts{"0000001=" + kDevFolder, "0000002=" + kClientsFolder}},
        {"every screenshot the tour took is a PNG file named in the transcript", screenshots},
    };
    std::vector<std::string> failed;
    for (const auto& [what, passed] : checks) {
        if (!passed)
            failed.push_back(what);
    }
    return failed;
}
