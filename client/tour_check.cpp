#include "tour_check.h"

#include <windows.h>

#include <algorithm>
#include <regex>
#include <sstream>

#include "desktop/window_text.h"
#include "paths.h"
#include "tour_script.h"
#include "transcript.h"

namespace {

constexpr char kRegister[] = "Varkel Pluginの移動先としてこのフォルダを追加/削除します。";
constexpr char kMovePrefix[] = "選択したメールを「";
const char* const kQuotes[] = {"お見積りの件（青葉システム）", "Re: お見積りの件（青葉システム）"};
const char* const kScreenshots[] = {"01-client.png",
                                    "02-folder-menu.png",
                                    "03-confirm-add.png",
                                    "04-move-submenu.png",
                                    "05-confirm-move.png",
                                    "06-after-move.png",
                                    "07-settings-renaming.png",
                                    "08-settings-dialog.png",
                                    "09-renamed-submenu.png",
                                    "10-ampersand-submenu.png",
                                    "11-extensions.png",
                                    "12-access-keys-submenu.png",
                                    "13-search-dialog.png",
                                    "14-recent-and-group.png",
                                    "15-dragging-to-top.png",
                                    "16-dragged-to-top.png",
                                    "17-search-recent-first.png"};

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

std::string Box(const std::string& folder) {
    return Utf8("Varkel Plugin") + "\t" +
           Utf8("フォルダ「" + folder + "」を移動先フォルダに追加します。");
}

} // namespace

std::vector<std::string> CheckTour(const std::string& outputFolder, bool ranToEnd) {
    const std::string transcript = ReadWholeFile(JoinPath(outputFolder, "transcript.txt"));
    std::vector<std::string> lines;
    std::istringstream stream(transcript);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    const auto has = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), Utf8(line)) != lines.end();
    };
    const std::vector<Fields> registered =
        Matches(lines, R"re(  host <- ORA_RegisterCommand\("(.*)", (\d+)\) = (\d+))re");
    // The register item's menu types, every command ID and the move items.
    Fields registerTypes, ids;
    std::vector<Fields> moveItems;
    for (const Fields& row : registered) {
        ids.push_back(row[2]);
        if (row[0] == Utf8(kRegister))
            registerTypes.push_back(row[1]);
        if (row[0].rfind(Utf8(kMovePrefix), 0) == 0)
            moveItems.push_back({row[0], row[1]});
    }
    Fields boxes;
    for (const Fields& box : Matches(lines, R"(  box: \[(.*?)\] (.*))"))
        boxes.push_back(box[0] + "\t" + box[1]);
    const auto moveItem = [](const std::string& name, const char* type) {
        return Fields{Utf8(kMovePrefix + name + "」に移動します。"), type};
    };
    // The subjects a folder held when the tour last listed it.
    const auto holds = [&](const std::string& folder) {
        const std::string start = Utf8("client: \"" + folder + "\" holds ");
        std::string subjects = "(never listed)";
        for (const std::string& line : lines) {
            if (line.rfind(start, 0) == 0)
                subjects = line.substr(start.size());
        }
        return subjects;
    };
    const auto holdsQuotes = [&](const std::string& folder) {
        const std::string subjects = holds(folder);
        return std::count_if(std::begin(kQuotes), std::end(kQuotes), [&](const char* quote) {
            return subjects.find(Utf8("「" + std::string(quote) + "」")) != std::string::npos;
        });
    };
    const std::string ini = JoinPath(JoinPath(outputFolder, "plugins"), "Varkel.ini");
    Fields settings = StoredSection(ini, "Setting");
    std::sort(settings.begin(), settings.end());
    const bool screenshots =
        std::all_of(std::begin(kScreenshots), std::end(kScreenshots), [&](const char* name) {
            return ReadWholeFile(JoinPath(outputFolder, name)).rfind("\x89PNG\r\n\x1a\n", 0) == 0 &&
                   transcript.find(name) != std::string::npos;
        });
    const std::string newName = kNewClientsName;
    const std::pair<const char*, bool> checks[] = {
        {"the tour ran to its end", ranToEnd},
        {"the register item was registered with menu type 2 in every folder menu",
         registerTypes == Fields{"2", "2", "2"}},
        {"every command ID fits in 16 bits and is not 0",
         !ids.empty() && std::all_of(ids.begin(), ids.end(),
                                     [](const std::string& id) {
                                         return id.size() <= 5 && std::stoi(id) > 0 &&
                                                std::stoi(id) <= 0xFFFF;
                                     })},
        {"the add boxes named both folders, in order",
         boxes.size() >= 2 &&
             Fields(boxes.begin(), boxes.begin() + 2) == Fields{Box("取引先"), Box("ソフト開発")}},
        {"the add box named Q&A as written",
         std::count(boxes.begin(), boxes.end(), Box("Q&A")) > 0},
        {"the mail-list menu registered one move item per destination, in list order",
         moveItems.size() >= 2 && moveItems[0] == moveItem("取引先", "1") &&
             moveItems[1] == moveItem("ソフト開発", "1")},
        {"the move was confirmed in a box first",
         std::count(boxes.begin(), boxes.end(),
                    Utf8("Varkel Plugin\t選択したメールを「取引先」に移動します。")) > 0},
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
         std::count(boxes.begin(), boxes.end(),
                    Utf8("Varkel Plugin\t選択したメールを「ソフト開発」に移動します。")) > 0},
        {"the two quotation mails left the inbox",
         holds(kWorkInbox) != "(never listed)" && holdsQuotes(kWorkInbox) == 0},
        {"the two quotation mails reached 取引先", holdsQuotes(kClientsFolder) == 2},
        {"the dialog showed the new order after ↑", has("  dialog rows: ソフト開発 | 取引先")},
        {"the dialog showed the new name after F2", has("  dialog rows: ソフト開発 | " + newName)},
        {"the mail-view menu registered its move items with menu type 3, in the new order",
         moveItems.size() >= 4 && moveItems[2] == moveItem("ソフト開発", "3") &&
             moveItems[3] == moveItem(newName, "3")},
        {"the submenu showed the new order and name", has("  submenu: ソフト開発 | " + newName)},
        {"Q&A's move item doubles its \"&\", which the menu draws as one, and its description "
         "keeps one",
         has("  submenu: ソフト開発 | " + newName + " | Q&&A") &&
             std::any_of(moveItems.begin(), moveItems.end(),
                         [&](const Fields& item) { return item[0] == moveItem("Q&A", "")[0]; })},
        {"the recent destinations came first, most recent first and whole, then the list with "
         "仕事 as a group where its first entry stands",
         has("  submenu: 検索して移動(&S)... | --- | &1 仕事/ソフト開発 | &2 " + newName +
             " | --- | &3 仕事 | &4 " + newName + " | &5 Q&&A")},
        {"the group numbered its own item", has("  group: &1 ソフト開発")},
        {"the recent item's move was confirmed with the whole name",
         std::count(boxes.begin(), boxes.end(),
                    Utf8("Varkel Plugin\t選択したメールを「仕事/ソフト開発」に移動します。")) > 0},
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
        {"every screenshot is a PNG file named in the transcript", screenshots},
    };
    std::vector<std::string> failed;
    for (const auto& [what, passed] : checks) {
        if (!passed)
            failed.push_back(what);
    }
    return failed;
}
