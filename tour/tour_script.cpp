#include "tour_script.h"

#include <commctrl.h>

#include <stdexcept>

#include "client_ids.h"
#include "client_state.h"
#include "desktop/screenshot.h"
#include "desktop/window_driver.h"
#include "mail_views.h"
#include "paths.h"
#include "res/resource.h"
#include "texts/plugin_texts.h"
#include "transcript.h"

using namespace plugin_text;

namespace {

constexpr char kQaItemWithKey[] = "&4 Q&&A";
constexpr DWORD kPaintPause = 500;

std::string g_outputFolder;
std::vector<std::string> g_screenshots;
const ActivationWatcher* g_boxes = nullptr;

// The windows the steps work on, looked up afresh at each use.
const auto Windows = []() -> const ClientWindows& { return Client().windows; };
const auto OpenMessageBox = [] { return g_boxes->openBox(); };
const auto SettingsDialog = [] { return DialogWithControl(IDC_SETTINGS_FOLDER_LIST); };
const auto SettingsList = [] { return GetDlgItem(SettingsDialog(), IDC_SETTINGS_FOLDER_LIST); };
const auto LabelEditor = [] { return ListView_GetEditControl(SettingsList()); };
const auto ExtensionDialog = [] { return DialogWithControl(IDC_EXT_SEARCH_ITEM); };
const auto SearchDialog = [] { return DialogWithControl(IDC_SEARCH_LIST); };
const auto SearchList = [] { return GetDlgItem(SearchDialog(), IDC_SEARCH_LIST); };
const auto SearchText = [] { return GetDlgItem(SearchDialog(), IDC_SEARCH_TEXT); };

// Notes "> what" in the transcript and acts.
void Do(StepRunner& tour, const std::string& what, std::function<void()> action) {
    tour.Add(what, [what, action] {
        Note("  > " + what);
        action();
        return true;
    });
}

// Notes the texts as "  label: text | text"; the tour fails unless they read
// as expected.
void NoteTexts(StepRunner& tour, const std::string& label, const std::string& expected,
               std::function<std::vector<std::string>()> texts) {
    Do(tour, "read the " + label, [label, expected, texts] {
        const std::string line = Joined(texts(), " | ");
        Note("  " + label + ": " + line);
        if (line != expected)
            throw std::runtime_error("the " + label + " were not " + expected);
    });
}

void NoteRows(StepRunner& tour, const std::string& label, HWND (*list)(),
              const std::string& expected) {
    NoteTexts(tour, label, expected, [list] { return ListColumnTexts(list(), 0); });
}

// The items of the open menu that has an item with this text.
void NoteMenu(StepRunner& tour, const std::string& label, const std::string& item,
              const std::string& expected) {
    NoteTexts(tour, label, expected, [item] { return OpenMenuItems(MenuWindowWithItem(item)); });
}

// Moves the highlight of the open menu towards the item with this text, one
// key press per call; true once the item is highlighted.
bool HighlightMenuItem(const std::string& text) {
    const HWND window = MenuWindowWithItem(text);
    if (!window)
        return false;
    const HMENU menu = MenuOfWindow(window);
    const int position = MenuItemPosition(menu, text);
    if (GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & MF_HILITE)
        return true;
    PressKey(Windows().frame, VK_DOWN);
    return false;
}

// Pictures the main window with the window that extra() returns, or with the
// open menus when there is no extra window; nothing when no name is given.
void Shoot(StepRunner& tour, const std::string& name, HWND (*extra)() = nullptr) {
    if (name.empty())
        return;
    tour.Pause(kPaintPause);
    Do(tour, "screenshot " + name, [name, extra] {
        std::vector<HWND> windows = extra ? std::vector<HWND>{extra()} : OpenMenuWindows();
        windows.insert(windows.begin(), Windows().frame);
        g_screenshots.push_back(name);
        if (!WritePng(JoinPath(g_outputFolder, name), CaptureScreenArea(AreaOf(windows))))
            Note("tour: could not write " + name);
    });
}

// Picks an item of the open menus with the arrow keys and Enter, picturing
// the menus with the item highlighted when a screenshot is named; the menus
// close before the item's command runs.
void PickMenuItem(StepRunner& tour, const std::string& item, const std::string& screenshot = "") {
    tour.Add("「" + item + "」 highlighted", [item] { return HighlightMenuItem(item); });
    Shoot(tour, screenshot);
    Do(tour, "press Enter on 「" + item + "」", [] { PressKey(Windows().frame, VK_RETURN); });
    tour.Add("the menus to close", [] { return OpenMenuWindows().empty(); });
}

// Opens the submenu of an item of the open menus; inside is an item of the
// submenu.
void OpenSubmenu(StepRunner& tour, const std::string& inside,
                 const std::string& item = kMoveSubmenu) {
    tour.Add("「" + item + "」 highlighted", [item] { return HighlightMenuItem(item); });
    Do(tour, "press → to open its submenu", [] { PressKey(Windows().frame, VK_RIGHT); });
    tour.Add("the submenu", [inside] { return MenuWindowWithItem(inside) != nullptr; });
}

void CloseMenus(StepRunner& tour) {
    tour.Add("the menus to close with Escape", [] {
        return OpenMenuWindows().empty() || (PressKey(Windows().frame, VK_ESCAPE), false);
    });
}

// Opens the move submenu of the context menu just opened, notes its items and
// pictures it.
void LookAtMoveSubmenu(StepRunner& tour, const std::string& item, const std::string& expected,
                       const std::string& screenshot) {
    OpenSubmenu(tour, item);
    NoteMenu(tour, "submenu", item, expected);
    Shoot(tour, screenshot);
}

// Waits for the plug-in's box, pictures it when a screenshot is named, and
// clicks OK, or キャンセル when told.
void AnswerBox(StepRunner& tour, const std::string& screenshot = "", int button = IDOK) {
    tour.Add("the box", [] { return OpenMessageBox() != nullptr; });
    Shoot(tour, screenshot, OpenMessageBox);
    Do(tour, std::string("click ") + (button == IDOK ? "OK" : "キャンセル") + " in the box",
       [button] { ClickButton(OpenMessageBox(), button); });
    tour.Add("the box to close", [] { return OpenMessageBox() == nullptr; });
}

// Shows the folder and selects its first mail, or every mail whose subject
// holds the text when one is given.
void SelectMails(StepRunner& tour, const std::string& folderId, const std::string& subject = "") {
    const std::string which = subject.empty() ? "the first mail" : "the mails about " + subject;
    Do(tour, "select " + which + " in " + folderId, [folderId, subject] {
        SelectFolder(folderId);
        SetFocus(Windows().list);
        const std::vector<std::string> subjects = ListColumnTexts(Windows().list, 1);
        std::vector<int> rows;
        for (std::size_t row = 0; row < subjects.size(); ++row) {
            if (subjects[row].find(subject) != std::string::npos)
                rows.push_back(static_cast<int>(row));
        }
        SelectRows(Windows().list, subject.empty() ? std::vector<int>{0} : rows);
    });
    tour.Pause(300);
}

// Selects mails as SelectMails does and opens their context menu.
void OpenMailMenu(StepRunner& tour, const std::string& folderId, const std::string& subject = "") {
    SelectMails(tour, folderId, subject);
    Do(tour, "right-click the selected mail", [] {
        const int row = SelectedRows(Windows().list).at(0);
        RightClickAt(Windows().list, ListRowCenter(Windows().list, row));
    });
}

// Picks the search item of the open move submenu.
void OpenSearch(StepRunner& tour) {
    PickMenuItem(tour, kSearchItem);
    tour.Add("the search dialog", [] { return SearchDialog() != nullptr; });
}

void OpenSettings(StepRunner& tour) {
    Do(tour, "choose ツール → プラグインの設定",
       [] { PostMessageA(Windows().frame, WM_COMMAND, kCmdPluginSetup, 0); });
    tour.Add("the settings dialog", [] { return SettingsDialog() != nullptr; });
    tour.Pause(300);
}

void ClickOkInSettings(StepRunner& tour) {
    Do(tour, "click OK in the settings", [] { ClickButton(SettingsDialog(), IDC_SETTINGS_OK); });
    tour.Add("the dialog to close", [] { return SettingsDialog() == nullptr; });
}

// Opens 拡張設定 from the settings, clicks the check boxes, chooses a recent
// count when one is given, pictures the extension dialog when a screenshot is
// named, and closes both with OK.
void SetExtensions(StepRunner& tour, const std::string& what, std::vector<int> boxes,
                   const std::string& screenshot = "", int recentCount = -1) {
    Do(tour, "choose 拡張設定(&X)... in its window menu",
       [] { PostMessageA(SettingsDialog(), WM_SYSCOMMAND, IDM_EXTENSIONS, 0); });
    tour.Add("the extension dialog", [] { return ExtensionDialog() != nullptr; });
    Do(tour, what, [boxes, recentCount] {
        for (const int box : boxes)
            ClickButton(ExtensionDialog(), box);
        if (recentCount >= 0)
            SendDlgItemMessageA(ExtensionDialog(), IDC_EXT_RECENT_COUNT, CB_SETCURSEL,
                                static_cast<WPARAM>(recentCount), 0);
    });
    Shoot(tour, screenshot, ExtensionDialog);
    Do(tour, "click OK", [] { ClickButton(ExtensionDialog(), IDOK); });
    tour.Add("the extension dialog to close", [] { return ExtensionDialog() == nullptr; });
    ClickOkInSettings(tour);
}

// Renames a row of the settings with F2 and Enter, picturing the dialog with
// the typed name in the label editor when a screenshot is named.
void RenameRow(StepRunner& tour, int row, const std::string& name,
               const std::string& screenshot = "") {
    Do(tour, "select row " + std::to_string(row + 1) + " and press F2", [row] {
        SelectListRow(SettingsList(), row);
        PressKey(SettingsList(), VK_F2);
    });
    tour.Add("the label editor", [] { return LabelEditor() != nullptr; });
    Do(tour, "type " + name, [name] { TypeText(LabelEditor(), name); });
    // A label editor that loses the focus ends and keeps its text.
    tour.Add("the typed name in the editor", [row, name] {
        const HWND editor = LabelEditor();
        return editor ? WindowText(editor) == name
                      : ListColumnTexts(SettingsList(), 0).at(row) == name;
    });
    Shoot(tour, screenshot, SettingsDialog);
    Do(tour, "press Enter", [] {
        if (const HWND editor = LabelEditor())
            PressKey(editor, VK_RETURN);
    });
    tour.Add("the new name in the list", [row, name] {
        return !LabelEditor() && ListColumnTexts(SettingsList(), 0).at(row) == name;
    });
}

// Right-clicks the middle of the folder's item in the tree, selected first as
// the right-click selects it.
void RightClickFolder(StepRunner& tour, const std::string& folderId) {
    Do(tour, "right-click " + folderId + " in the tree", [folderId] {
        SelectFolder(folderId);
        const HTREEITEM item = TreeView_GetSelection(Windows().tree);
        RECT rect{};
        TreeView_EnsureVisible(Windows().tree, item);
        TreeView_GetItemRect(Windows().tree, item, &rect, TRUE);
        POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        ClientToScreen(Windows().tree, &point);
        RightClickAt(Windows().tree, point);
    });
}

void RegisterFolder(StepRunner& tour, const std::string& folderId, bool screenshots = false) {
    RightClickFolder(tour, folderId);
    PickMenuItem(tour, kRegisterItem, screenshots ? "02-folder-menu.png" : "");
    AnswerBox(tour, screenshots ? "03-confirm-add.png" : "");
}

void MoveMail(StepRunner& tour) {
    OpenMailMenu(tour, kWorkInbox, kQuoteSubject);
    OpenSubmenu(tour, "取引先");
    PickMenuItem(tour, "取引先", "04-move-submenu.png");
    AnswerBox(tour, "05-confirm-move.png");
    Do(tour, "open 取引先 to see the mails arrive", [] { SelectFolder(kClientsFolder); });
    Shoot(tour, "06-after-move.png");
}

void EditSettings(StepRunner& tour) {
    OpenSettings(tour);
    NoteRows(tour, "dialog rows", SettingsList, "取引先 | ソフト開発");
    Do(tour, "select ソフト開発 and click ↑(&U)", [] {
        SelectListRow(SettingsList(), 1);
        ClickButton(SettingsDialog(), IDC_SETTINGS_MOVE_UP);
    });
    NoteRows(tour, "dialog rows", SettingsList, "ソフト開発 | 取引先");
    RenameRow(tour, 1, kNewClientsName, "07-settings-renaming.png");
    NoteRows(tour, "dialog rows", SettingsList, "ソフト開発 | " + kNewClientsName);
    Shoot(tour, "08-settings-dialog.png", SettingsDialog);
    ClickOkInSettings(tour);
}

void LookAtMenu(StepRunner& tour) {
    SelectMails(tour, kClientsFolder);
    Do(tour, "right-click the preview", [] {
        const RECT rect = WindowRectOf(Windows().preview);
        RightClickAt(Windows().preview, POINT{rect.left + 120, rect.top + 60});
    });
    LookAtMoveSubmenu(tour, kNewClientsName, "ソフト開発 | " + kNewClientsName,
                      "09-renamed-submenu.png");
    CloseMenus(tour);
}

void ShowNameWithAmpersand(StepRunner& tour) {
    RegisterFolder(tour, kQaFolder);
    OpenMailMenu(tour, kClientsFolder);
    // A menu draws "&&" as the one "&" of the folder's name "Q&A".
    LookAtMoveSubmenu(tour, "Q&&A", "ソフト開発 | " + kNewClientsName + " | Q&&A",
                      "10-ampersand-submenu.png");
    CloseMenus(tour);
}

void TurnOnExtensions(StepRunner& tour) {
    OpenSettings(tour);
    SetExtensions(tour, "tick the search item and the access keys",
                  {IDC_EXT_SEARCH_ITEM, IDC_EXT_ACCESS_KEYS}, "11-extensions.png");
}

void SearchAndMove(StepRunner& tour) {
    OpenMailMenu(tour, kClientsFolder);
    LookAtMoveSubmenu(tour, kSearchItem,
                      "検索して移動(&S)... | --- | &1 ソフト開発 | &2 " + kNewClientsName +
                          " | &3 Q&&A",
                      "12-access-keys-submenu.png");
    OpenSearch(tour);
    // Typed in hiragana, it finds the katakana of ソフト開発.
    Do(tour, "type そふと", [] { TypeText(SearchText(), "そふと"); });
    NoteRows(tour, "search rows", SearchList, "ソフト開発");
    Shoot(tour, "13-search-dialog.png", SearchDialog);
    Do(tour, "press Enter", [] { PressKey(SearchText(), VK_RETURN); });
    AnswerBox(tour);
}

void RecentAndGroups(StepRunner& tour) {
    OpenSettings(tour);
    RenameRow(tour, 0, kGroupedDevName);
    SetExtensions(tour, "tick the groups and choose 3 recent destinations",
                  {IDC_EXT_GROUP_BY_SLASH}, "", 3);
    // The moves so far made ソフト開発, then 取引先, recent: each move through
    // the second recent item puts the other first.
    for (const auto& [from, to] :
         {std::pair{kDevFolder, kNewClientsName}, {kClientsFolder, kGroupedDevName}}) {
        OpenMailMenu(tour, from);
        OpenSubmenu(tour, kSearchItem);
        PickMenuItem(tour, "&2 " + std::string(to));
        AnswerBox(tour);
    }
    OpenMailMenu(tour, kClientsFolder);
    OpenSubmenu(tour, kSearchItem);
    OpenSubmenu(tour, "&1 ソフト開発", "&3 仕事");
    // The recent destinations first, most recent first and whole; then the
    // list, with 仕事 as a group where its first entry stands.
    NoteMenu(tour, "submenu", kSearchItem,
             "検索して移動(&S)... | --- | &1 仕事/ソフト開発 | &2 " + kNewClientsName +
                 " | --- | &3 仕事 | &4 " + kNewClientsName + " | &5 Q&&A");
    NoteMenu(tour, "group", "&1 ソフト開発", "&1 ソフト開発");
    Shoot(tour, "14-recent-and-group.png");
    CloseMenus(tour);
}

void DragToTop(StepRunner& tour) {
    OpenSettings(tour);
    Do(tour, "press on Q&A and drag it above the first row", [] {
        SetFocus(SettingsList());
        DragListRow(SettingsList(), 2, ListGapPoint(SettingsList(), 0), false);
    });
    Shoot(tour, "15-dragging-to-top.png", SettingsDialog);
    Do(tour, "release the button", [] {
        const POINT drop = ListGapPoint(SettingsList(), 0);
        PostMessageA(SettingsList(), WM_LBUTTONUP, 0, MAKELPARAM(drop.x, drop.y));
    });
    tour.Add("Q&A on top", [] { return ListColumnTexts(SettingsList(), 0).at(0) == "Q&A"; });
    NoteRows(tour, "dialog rows", SettingsList, "Q&A | 仕事/ソフト開発 | " + kNewClientsName);
    Shoot(tour, "16-dragged-to-top.png", SettingsDialog);
    ClickOkInSettings(tour);
}

void SearchWithEmptyBox(StepRunner& tour) {
    OpenMailMenu(tour, kClientsFolder);
    OpenSubmenu(tour, kSearchItem);
    OpenSearch(tour);
    NoteRows(tour, "search rows", SearchList, "仕事/ソフト開発 | " + kNewClientsName + " | Q&A");
    Shoot(tour, "17-search-recent-first.png", SearchDialog);
    Do(tour, "press Escape", [] { PressKey(SearchText(), VK_ESCAPE); });
    tour.Add("the search dialog to close", [] { return SearchDialog() == nullptr; });
}

// The settings list's context menu, opened by a right-click on a row that is
// selected first.
void OpenRowMenu(StepRunner& tour, int row) {
    Do(tour, "select row " + std::to_string(row + 1) + " and right-click it", [row] {
        SelectListRow(SettingsList(), row);
        RightClickAt(SettingsList(), ListRowCenter(SettingsList(), row));
    });
    tour.Add("the context menu", [] { return MenuWindowWithItem(kRowMenuTop) != nullptr; });
}

void RowMenuToTop(StepRunner& tour) {
    OpenSettings(tour);
    OpenRowMenu(tour, 2);
    NoteMenu(tour, "context menu", kRowMenuTop, kRowMenuItems);
    PickMenuItem(tour, kRowMenuTop, "18-settings-context-menu.png");
    NoteRows(tour, "dialog rows", SettingsList, kNewClientsName + " | Q&A | 仕事/ソフト開発");
    ClickOkInSettings(tour);
}

void DeleteQaFolder(StepRunner& tour) {
    RightClickFolder(tour, kQaFolder);
    PickMenuItem(tour, "フォルダの削除(&X)");
    tour.Add("Q&A gone from the tree",
             [] { return Client().store.FindFolder(kQaFolder) == nullptr; });
    OpenSettings(tour);
    NoteTexts(tour, "display names", std::string("取引先 | ") + kMissingFolder + " | ソフト開発",
              [] { return ListColumnTexts(SettingsList(), 1); });
    SetExtensions(tour, "tick 見つからないフォルダを確かめる and 今いるフォルダを灰色で表示する",
                  {IDC_EXT_MARK_MISSING, IDC_EXT_GRAY_CURRENT},
                  "19-extensions-missing-current.png");
}

void MoveToMissingFolder(StepRunner& tour) {
    OpenMailMenu(tour, kClientsFolder);
    // 取引先, where the mail is, shows grayed, in the recent block and in the
    // list.
    LookAtMoveSubmenu(tour, kQaItemWithKey,
                      "検索して移動(&S)... | --- | &1 仕事/ソフト開発 | &2 " + kNewClientsName +
                          " | --- | &3 " + kNewClientsName + " | &4 Q&&A | &5 仕事",
                      "20-current-folder-grayed.png");
    PickMenuItem(tour, kQaItemWithKey);
    AnswerBox(tour, "21-missing-folder-warning.png", IDCANCEL);
}

void RemoveMissingRows(StepRunner& tour) {
    OpenSettings(tour);
    OpenRowMenu(tour, 0);
    NoteMenu(tour, "context menu", kRowMenuTop,
             std::string(kRowMenuItems) + " | --- | " + kSelectMissingItem);
    PickMenuItem(tour, kSelectMissingItem, "22-select-missing-item.png");
    NoteTexts(tour, "selected rows", "1", [] {
        std::vector<std::string> rows;
        for (const int row : SelectedRows(SettingsList()))
            rows.push_back(std::to_string(row));
        return rows;
    });
    Shoot(tour, "23-missing-selected.png", SettingsDialog);
    Do(tour, "click 削除(&R)", [] { ClickButton(SettingsDialog(), IDC_SETTINGS_DELETE); });
    NoteRows(tour, "dialog rows", SettingsList, kNewClientsName + " | 仕事/ソフト開発");
    ClickOkInSettings(tour);
}

} // namespace

std::string Joined(const std::vector<std::string>& texts, const char* separator) {
    std::string line;
    for (const std::string& text : texts)
        line += (line.empty() ? "" : separator) + text;
    return line;
}

void AddTourSteps(StepRunner& tour, const std::string& outputFolder,
                  const ActivationWatcher& boxes) {
    g_outputFolder = outputFolder;
    g_boxes = &boxes;
    const std::pair<const char*, void (*)(StepRunner&)> parts[] = {
        {"The client starts and loads Varkel.dll",
         [](StepRunner& steps) { Shoot(steps, "01-client.png"); }},
        {"Register 取引先 from the folder menu",
         [](StepRunner& steps) { RegisterFolder(steps, kClientsFolder, true); }},
        {"Register ソフト開発 from the folder menu",
         [](StepRunner& steps) { RegisterFolder(steps, kDevFolder); }},
        {"Move the two quotation mails from 仕事\\受信箱 to 取引先 with the mail-list menu",
         MoveMail},
        {"Settings: ↑ puts ソフト開発 first, F2 renames 取引先, OK", EditSettings},
        {"The mail-view menu shows the destinations in their new order and name", LookAtMenu},
        {"Register Q&A: its move item shows the name as written", ShowNameWithAmpersand},
        {"拡張設定(&X)... in the settings' window menu: the search item and access keys on",
         TurnOnExtensions},
        {"検索して移動: 「そふと」 finds ソフト開発, Enter moves the mail there", SearchAndMove},
        {"仕事/ソフト開発 and 拡張設定: groups by slash and 3 recent destinations; two moves",
         RecentAndGroups},
        {"Settings: drag Q&A to the top, OK", DragToTop},
        {"検索して移動 with an empty box: the recent destinations first, Escape",
         SearchWithEmptyBox},
        {"Settings: the context menu of a row puts 取引先 first, OK", RowMenuToTop},
        {"The client deletes Q&A; 拡張設定: missing folders checked, the current folder grayed",
         DeleteQaFolder},
        {"A move to Q&A, which the client no longer knows, warns first; キャンセル",
         MoveToMissingFolder},
        {"Settings: 見つからないフォルダを選択 and 削除 remove Q&A, OK", RemoveMissingRows},
        {"Close the client: ORC_OnExit writes Varkel.ini",
         [](StepRunner& steps) {
             Do(steps, "close the main window",
                [] { PostMessageA(Windows().frame, WM_CLOSE, 0, 0); });
         }},
    };
    int number = 0;
    for (const auto& [title, addSteps] : parts) {
        const std::string line = "== " + std::to_string(++number) + ". " + title;
        tour.Add(line, [line] { return Note(line), true; });
        addSteps(tour);
    }
}

const std::vector<std::string>& TourScreenshots() {
    return g_screenshots;
}
