#include "tour_script.h"

#include <algorithm>
#include <regex>

#include "client_state.h"
#include "desktop/window_text.h"
#include "paths.h"
#include "transcript.h"

namespace {

const char* const kQuotes[] = {"お見積りの件（青葉システム）", "Re: お見積りの件（青葉システム）"};
using Fields = std::vector<std::string>;

// The captured fields of every line that matches the pattern (UTF-8).
std::vector<Fields> Matches(const std::vector<std::string>& lines, const std::string& pattern) {
    const std::regex regex(Utf8(pattern));
    std::vector<Fields> found;
    std::smatch match;
    for (const std::string& line : lines) {
        if (std::regex_match(line, match, regex))
            found.emplace_back(match.begin() + 1, match.end());
    }
    return found;
}

// A move item's description, which the box that confirms the move shows too.
std::string MoveText(const std::string& name) {
    return "選択したメールを「" + name + "」に移動します。";
}

std::string AddText(const std::string& folder) {
    return "フォルダ「" + folder + "」を移動先フォルダに追加します。";
}

// A box of the plug-in: its caption and text (UTF-8).
Fields Box(const std::string& text) {
    return {Utf8("Varkel Plugin"), Utf8(text)};
}

// A registered command: its description (UTF-8) and menu type.
Fields Registered(const std::string& description, const char* type) {
    return {Utf8(description), type};
}

} // namespace

std::vector<std::string> CheckTour(const std::string& outputFolder, bool ranToEnd) {
    const std::string transcript = ReadWholeFile(JoinPath(outputFolder, "transcript.txt"));
    const std::vector<std::string> lines = Lines(transcript);
    const auto has = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), Utf8(line)) != lines.end();
    };
    const std::string registered = R"re(  host <- ORA_RegisterCommand\(")re";
    const std::vector<Fields> registerTypes = Matches(
        lines,
        registered +
            R"re(Varkel Pluginの移動先としてこのフォルダを追加/削除します。", (\d+)\) = \d+)re");
    const std::vector<Fields> ids = Matches(lines, registered + R"re(.*", \d+\) = (\d+))re");
    const std::vector<Fields> moveItems =
        Matches(lines, registered + R"re((選択したメールを「.*)", (\d+)\) = \d+)re");
    const std::vector<Fields> boxes = Matches(lines, R"(  box: \[(.*?)\] (.*))");
    const auto shown = [&](const std::string& text) {
        return std::count(boxes.begin(), boxes.end(), Box(text)) > 0;
    };
    // How many of the two quotation mails the folder holds now.
    const auto quotesIn = [](const char* folder) {
        const std::vector<const Message*> messages = Client().store.MessagesIn(folder);
        return std::count_if(messages.begin(), messages.end(), [](const Message* message) {
            return std::count(std::begin(kQuotes), std::end(kQuotes), message->subject) > 0;
        });
    };
    const std::string ini = JoinPath(JoinPath(outputFolder, "plugins"), "Varkel.ini");
    Fields settings = StoredSection(ini, "Setting");
    std::sort(settings.begin(), settings.end());
    const std::vector<std::string>& pictures = TourScreenshots();
    const bool screenshots =
        !pictures.empty() && std::all_of(pictures.begin(), pictures.end(), [&](auto& name) {
            return ReadWholeFile(JoinPath(outputFolder, name)).rfind("\x89PNG\r\n\x1a\n", 0) == 0 &&
                   transcript.find(name) != std::string::npos;
        });
    const std::string newName = kNewClientsName;
    const std::pair<const char*, bool> checks[] = {
        {"the tour ran to its end", ranToEnd},
        {"the register item was registered with menu type 2 in every folder menu",
         registerTypes == std::vector<Fields>{{"2"}, {"2"}, {"2"}}},
        {"every command ID fits in 16 bits and is not 0",
         !ids.empty() && std::all_of(ids.begin(), ids.end(),
                                     [](const Fields& id) {
                                         return id[0].size() <= 5 && std::stoi(id[0]) > 0 &&
                                                std::stoi(id[0]) <= 0xFFFF;
                                     })},
        {"the add boxes named both folders, in order", boxes.size() >= 2 &&
                                                           boxes[0] == Box(AddText("取引先")) &&
                                                           boxes[1] == Box(AddText("ソフト開発"))},
        {"the add box named Q&A as written", shown(AddText("Q&A"))},
        {"the mail-list menu registered one move item per destination, in list order",
         moveItems.size() >= 2 && moveItems[0] == Registered(MoveText("取引先"), "1") &&
             moveItems[1] == Registered(MoveText("ソフト開発"), "1")},
        {"the move was confirmed in a box first", shown(MoveText("取引先"))},
        {"the host got a move request to 取引先's folder ID with 0 that moved two mails, then "
         "one from the search to ソフト開発's, then one to each of them from the menu",
         Matches(lines, R"re(  host <- ORA_MoveSelectedMessages\("(.*)", (\d+)\) = (\d+))re") ==
             std::vector<Fields>{{Utf8(kClientsFolder), "0", "2"},
                                 {Utf8(kDevFolder), "0", "1"},
                                 {Utf8(kClientsFolder), "0", "1"},
                                 {Utf8(kDevFolder), "0", "1"}}},
        {"the submenu began with the search item and numbered the destinations",
         has("  submenu: 検索して移動(&S)... | --- | &1 ソフト開発 | &2 " + newName +
             " | &3 Q&&A")},
        {"hiragana typed in the search found the katakana name alone",
         has("  search rows: ソフト開発")},
        {"the search's move was confirmed with the move item's text",
         shown(MoveText("ソフト開発"))},
        {"the two quotation mails left the inbox for the destinations",
         quotesIn(kWorkInbox) == 0 && quotesIn(kClientsFolder) + quotesIn(kDevFolder) == 2},
        {"the dialog showed the new order after ↑", has("  dialog rows: ソフト開発 | 取引先")},
        {"the dialog showed the new name after F2", has("  dialog rows: ソフト開発 | " + newName)},
        {"the mail-view menu registered its move items with menu type 3, in the new order",
         moveItems.size() >= 4 && moveItems[2] == Registered(MoveText("ソフト開発"), "3") &&
             moveItems[3] == Registered(MoveText(newName), "3")},
        {"the submenu showed the new order and name", has("  submenu: ソフト開発 | " + newName)},
        {"Q&A's move item doubles its \"&\", which the menu draws as one, and its description "
         "keeps one",
         has("  submenu: ソフト開発 | " + newName + " | Q&&A") &&
             std::any_of(moveItems.begin(), moveItems.end(),
                         [](const Fields& item) { return item[0] == Utf8(MoveText("Q&A")); })},
        {"the recent destinations came first, most recent first and whole, then the list with "
         "仕事 as a group where its first entry stands",
         has("  submenu: 検索して移動(&S)... | --- | &1 仕事/ソフト開発 | &2 " + newName +
             " | --- | &3 仕事 | &4 " + newName + " | &5 Q&&A")},
        {"the group numbered its own item", has("  group: &1 ソフト開発")},
        {"the recent item's move was confirmed with the whole name",
         shown(MoveText("仕事/ソフト開発"))},
        {"the drag put Q&A on top", has("  dialog rows: Q&A | 仕事/ソフト開発 | " + newName)},
        {"the empty search box showed the recent destinations first, then the rest",
         has("  search rows: 仕事/ソフト開発 | " + newName + " | Q&A")},
        {"ORC_OnExit ran", has("client: ORC_OnExit returned 0")},
        {"Varkel.ini holds the entries in the dialog's order, Q&A dragged first, with the new "
         "names",
         StoredSection(ini, "FolderList") ==
             Fields{"0000001=" + std::string(kQaFolder) + ":Q&A",
                    "0000002=" + std::string(kDevFolder) + ":仕事/ソフト開発",
                    "0000003=" + std::string(kClientsFolder) + ":" + newName}},
        {"Varkel.ini keeps confirmation on and the submenu at the bottom",
         settings == Fields{"IsConfirm=1", "IsMenuTop=0"}},
        {"Varkel.ini holds the extensions turned on",
         StoredSection(ini, "Extension") ==
             Fields{"SearchItem=1", "AccessKeys=1", "RecentCount=3", "GroupBySlash=1"}},
        {"Varkel.ini holds the recent destinations, most recent first",
         StoredSection(ini, "Recent") == Fields{"0000001=" + std::string(kDevFolder),
                                                "0000002=" + std::string(kClientsFolder)}},
        {"every screenshot the tour took is a PNG file named in the transcript", screenshots},
    };
    std::vector<std::string> failed;
    for (const auto& [what, passed] : checks) {
        if (!passed)
            failed.push_back(what);
    }
    return failed;
}
