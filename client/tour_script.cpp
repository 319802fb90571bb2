#include "tour_script.h"

#include <commctrl.h>

#include "client_ids.h"
#include "client_state.h"
#include "desktop/screenshot.h"
#include "desktop/window_driver.h"
#include "mail_views.h"
#include "paths.h"
#include "res/resource.h"
#include "transcript.h"

namespace {

// A menu draws "&&" as the one "&" of the folder's name "Q&A".
constexpr char kQaItem[] = "Q&&A";
constexpr char kQuoteSubject[] = "お見積りの件（青葉システム）";
constexpr char kRegisterItem[] = "移動先フォルダに追加/削除";
constexpr char kMoveSubmenu[] = "メールの移動";
constexpr char kSearchItem[] = "検索して移動(&S)...";
// Typed in hiragana, it finds the katakana of ソフト開発.
constexpr char kSearchWord[] = "そふと";
constexpr DWORD kPaintPause = 500;

std::string g_outputFolder;
std::vector<std::string> g_screenshots;
const ActivationWatcher* g_boxes = nullptr;

const ClientWindows& Windows() {
    return Client().windows;
}

HWND OpenMessageBox() {
    return g_boxes->openBox();
}

void Say(StepRunner& tour, const std::string& line) {
    tour.Add(line, [line] {
        Note(line);
        return true;
    });
}

// Notes "> what" in the transcript and acts.
void Do(StepRunner& tour, const std::string& what, std::function<void()> action) {
    tour.Add(what, [what, action] {
        Note("  > " + what);
        action();
        return true;
    });
}

// The screen point at the middle of a folder's item in the tree.
POINT TreeItemCenter(HWND tree, const std::string& folderId) {
    RECT rect{};
    HTREEITEM item = FolderItem(folderId);
    TreeView_EnsureVisible(tree, item);
    TreeView_GetItemRect(tree, item, &rect, TRUE);
    POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(tree, &point);
    return point;
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

void Shoot(StepRunner& tour, const std::string& name, bool withMenus, HWND (*extra)()) {
    tour.Pause(kPaintPause);
    Do(tour, "screenshot " + name, [name, withMenus, extra] {
        std::vector<HWND> windows{Windows().frame};
        if (withMenus) {
            for (HWND menu : OpenMenuWindows())
                windows.push_back(menu);
        }
        if (extra)
            windows.push_back(extra());
        const std::string path = JoinPath(g_outputFolder, name);
        if (WritePng(path, CaptureScreenArea(AreaOf(windows))))
            g_screenshots.push_back(path);
        else
            Note("tour: could not write " + path);
    });
}

HWND SettingsDialog() {
    return DialogWithControl(IDC_SETTINGS_FOLDER_LIST);
}
HWND SettingsList() {
    return GetDlgItem(SettingsDialog(), IDC_SETTINGS_FOLDER_LIST);
}
HWND ExtensionDialog() {
    return DialogWithControl(IDC_EXT_SEARCH_ITEM);
}
HWND SearchDialog() {
    return DialogWithControl(IDC_SEARCH_LIST);
}
HWND LabelEditor() {
    return ListView_GetEditControl(SettingsList());
}

// The serials of the folder's messages whose subject contains the text.
std::vector<int> MessagesAbout(const std::string& folderId, const std::string& text) {
    std::vector<int> serials;
    for (const Message* message : Client().store.MessagesIn(folderId)) {
        if (message->subject.find(text) != std::string::npos)
            serials.push_back(message->serial);
    }
    return serials;
}

void NoteFolderContents(const std::string& folderId) {
    std::vector<std::string> subjects;
    for (const Message* message : Client().store.MessagesIn(folderId))
        subjects.push_back("「" + message->subject + "」");
    Note("client: \"" + folderId + "\" holds " + std::to_string(subjects.size()) +
         " message(s): " + Joined(subjects, ", "));
}

void NoteSearchRows() {
    Note("  search rows: " +
         Joined(ListColumnTexts(GetDlgItem(SearchDialog(), IDC_SEARCH_LIST), 0), " | "));
}

void NoteDialogRows() {
    Note("  dialog rows: " + Joined(ListColumnTexts(SettingsList(), 0), " | "));
}

// Picks an item of the open menus with the arrow keys and Enter, picturing
// the menus with the item highlighted when a screenshot is named.
void PickMenuItem(StepRunner& tour, const std::string& item, const std::string& screenshot = "") {
    tour.Add("「" + item + "」 highlighted", [item] { return HighlightMenuItem(item); });
    if (!screenshot.empty())
        Shoot(tour, screenshot, true, nullptr);
    Do(tour, "press Enter on 「" + item + "」", [] { PressKey(Windows().frame, VK_RETURN); });
}

void OpenMoveSubmenu(StepRunner& tour, const std::string& firstItem) {
    tour.Add("「メールの移動」 highlighted", [] { return HighlightMenuItem(kMoveSubmenu); });
    Do(tour, "press → to open the submenu", [] { PressKey(Windows().frame, VK_RIGHT); });
    tour.Add("the move submenu", [firstItem] { return MenuWindowWithItem(firstItem); });
}

void CloseMenus(StepRunner& tour) {
    tour.Add("the menus to close with Escape", [] {
        if (OpenMenuWindows().empty())
            return true;
        PressKey(Windows().frame, VK_ESCAPE);
        return false;
    });
}

// Opens the move submenu of the context menu just opened, notes its items,
// pictures it and closes the menus again.
void LookAtMoveSubmenu(StepRunner& tour, const std::string& item, const std::string& screenshot) {
    OpenMoveSubmenu(tour, item);
    Do(tour, "read the submenu",
       [item] { Note("  submenu: " + Joined(OpenMenuItems(MenuWindowWithItem(item)), " | ")); });
    Shoot(tour, screenshot, true, nullptr);
    CloseMenus(tour);
}

void AnswerConfirmation(StepRunner& tour, const std::string& screenshot) {
    tour.Add("the confirmation box", [] { return OpenMessageBox() != nullptr; });
    if (!screenshot.empty())
        Shoot(tour, screenshot, false, OpenMessageBox);
    Do(tour, "click OK in the box", [] { ClickButton(OpenMessageBox(), IDOK); });
    tour.Add("the box and the menus to close",
             [] { return !OpenMessageBox() && OpenMenuWindows().empty(); });
}

void RightClickSelectedMail(StepRunner& tour) {
    Do(tour, "right-click the selected mail", [] {
        const int row = MessageRow(SelectedSerials().at(0));
        RightClickAt(Windows().list, ListRowCenter(Windows().list, row));
    });
}

void SelectFirstMailIn(StepRunner& tour, const std::string& folderId, const std::string& name) {
    Do(tour, "select the first mail of " + name, [folderId] {
        SelectFolder(folderId);
        SetFocus(Windows().list);
        SelectMessages({Client().store.MessagesIn(folderId).at(0)->serial});
    });
    tour.Pause(300);
}

// Selects the first mail of a folder and opens the move submenu of its
// context menu.
void OpenMoveSubmenuOfFirstMail(StepRunner& tour, const std::string& folderId,
                                const std::string& name, const std::string& firstItem) {
    SelectFirstMailIn(tour, folderId, name);
    RightClickSelectedMail(tour);
    OpenMoveSubmenu(tour, firstItem);
}

void OpenSettings(StepRunner& tour) {
    Do(tour, "choose ツール → プラグインの設定",
       [] { PostMessageA(Windows().frame, WM_COMMAND, kCmdPluginSetup, 0); });
    tour.Add("the settings dialog", [] { return SettingsDialog() != nullptr; });
}

void ClickOkInSettings(StepRunner& tour) {
    Do(tour, "click OK in the settings", [] { ClickButton(SettingsDialog(), IDC_SETTINGS_OK); });
    tour.Add("the dialog to close", [] { return SettingsDialog() == nullptr; });
}

void Start(StepRunner& tour) {
    Say(tour, "== 1. The client starts and loads Varkel.dll");
    tour.Add("the main window", [] { return IsWindowVisible(Windows().frame) != FALSE; });
    Shoot(tour, "01-client.png", false, nullptr);
}

void RegisterFolder(StepRunner& tour, const std::string& title, const std::string& folderId,
                    bool screenshots) {
    Say(tour, title);
    Do(tour, "right-click the folder in the tree",
       [folderId] { RightClickAt(Windows().tree, TreeItemCenter(Windows().tree, folderId)); });
    PickMenuItem(tour, kRegisterItem, screenshots ? "02-folder-menu.png" : "");
    AnswerConfirmation(tour, screenshots ? "03-confirm-add.png" : "");
}

void MoveMail(StepRunner& tour) {
    Say(tour, "== 4. Move the two quotation mails from 仕事\\受信箱 to 取引先 with the mail-list "
              "menu");
    Do(tour, "select 仕事\\受信箱 and the two mails", [] {
        SelectFolder(kWorkInbox);
        SetFocus(Windows().list);
        SelectMessages(MessagesAbout(kWorkInbox, kQuoteSubject));
        Note("client: selected " + std::to_string(SelectedSerials().size()) + " mail(s)");
    });
    tour.Pause(300);
    RightClickSelectedMail(tour);
    OpenMoveSubmenu(tour, kClientsName);
    PickMenuItem(tour, kClientsName, "04-move-submenu.png");
    AnswerConfirmation(tour, "05-confirm-move.png");
    Do(tour, "open 取引先 to see the mails arrive", [] {
        SelectFolder(kClientsFolder);
        NoteFolderContents(kWorkInbox);
        NoteFolderContents(kClientsFolder);
    });
    Shoot(tour, "06-after-move.png", false, nullptr);
}

void EditSettings(StepRunner& tour) {
    Say(tour, "== 5. Settings: ↑ puts ソフト開発 first, F2 renames 取引先, OK");
    OpenSettings(tour);
    tour.Pause(300);
    Do(tour, "read the rows", NoteDialogRows);
    Do(tour, "select ソフト開発 and click ↑(&U)", [] {
        SelectListRow(SettingsList(), 1);
        ClickButton(SettingsDialog(), IDC_SETTINGS_MOVE_UP);
    });
    tour.Add("ソフト開発 on top", [] {
        const std::vector<std::string> rows = ListColumnTexts(SettingsList(), 0);
        return !rows.empty() && rows[0] == kDevName;
    });
    Do(tour, "read the rows", NoteDialogRows);
    Do(tour, "select 取引先 and press F2", [] {
        SelectListRow(SettingsList(), 1);
        PressKey(SettingsList(), VK_F2);
    });
    tour.Add("the label editor", [] { return LabelEditor() != nullptr; });
    Do(tour, "type the new name", [] { TypeText(LabelEditor(), kNewClientsName); });
    // A label editor that loses the focus ends and keeps its text.
    tour.Add("the typed name in the editor", [] {
        const HWND editor = LabelEditor();
        return editor ? WindowText(editor) == kNewClientsName
                      : ListColumnTexts(SettingsList(), 0).at(1) == kNewClientsName;
    });
    Shoot(tour, "07-settings-renaming.png", false, SettingsDialog);
    Do(tour, "press Enter", [] {
        if (const HWND editor = LabelEditor())
            PressKey(editor, VK_RETURN);
    });
    tour.Add("the new name in the list", [] {
        const std::vector<std::string> rows = ListColumnTexts(SettingsList(), 0);
        return !LabelEditor() && rows.size() == 2 && rows[1] == kNewClientsName;
    });
    Do(tour, "read the rows", NoteDialogRows);
    Shoot(tour, "08-settings-dialog.png", false, SettingsDialog);
    ClickOkInSettings(tour);
}

void LookAtMenu(StepRunner& tour) {
    Say(tour, "== 6. The mail-view menu shows the destinations in their new order and name");
    SelectFirstMailIn(tour, kClientsFolder, "取引先");
    Do(tour, "right-click the preview", [] {
        RECT rect{};
        GetWindowRect(Windows().preview, &rect);
        RightClickAt(Windows().preview, POINT{rect.left + 120, rect.top + 60});
    });
    LookAtMoveSubmenu(tour, kNewClientsName, "09-renamed-submenu.png");
}

void ShowNameWithAmpersand(StepRunner& tour) {
    RegisterFolder(tour, "== 7. Register Q&A: its move item shows the name as written", kQaFolder,
                   false);
    SelectFirstMailIn(tour, kClientsFolder, "取引先");
    RightClickSelectedMail(tour);
    LookAtMoveSubmenu(tour, kQaItem, "10-ampersand-submenu.png");
}

void TurnOnExtensions(StepRunner& tour) {
    Say(tour, "== 8. 拡張設定(&X)... in the settings' window menu: the search item and access "
              "keys on");
    OpenSettings(tour);
    Do(tour, "choose 拡張設定(&X)... in its window menu",
       [] { PostMessageA(SettingsDialog(), WM_SYSCOMMAND, IDM_EXTENSIONS, 0); });
    tour.Add("the extension dialog", [] { return ExtensionDialog() != nullptr; });
    Do(tour, "tick the search item and the access keys", [] {
        ClickButton(ExtensionDialog(), IDC_EXT_SEARCH_ITEM);
        ClickButton(ExtensionDialog(), IDC_EXT_ACCESS_KEYS);
    });
    Shoot(tour, "11-extensions.png", false, ExtensionDialog);
    Do(tour, "click OK", [] { ClickButton(ExtensionDialog(), IDOK); });
    tour.Add("the extension dialog to close", [] { return ExtensionDialog() == nullptr; });
    ClickOkInSettings(tour);
}

void SearchAndMove(StepRunner& tour) {
    Say(tour, "== 9. 検索して移動: 「そふと」 finds ソフト開発, Enter moves the mail there");
    OpenMoveSubmenuOfFirstMail(tour, kClientsFolder, "取引先", kSearchItem);
    Do(tour, "read the submenu",
       [] { Note("  submenu: " + Joined(OpenMenuItems(MenuWindowWithItem(kSearchItem)), " | ")); });
    Shoot(tour, "12-access-keys-submenu.png", true, nullptr);
    PickMenuItem(tour, kSearchItem);
    tour.Add("the search dialog", [] { return SearchDialog() != nullptr; });
    Do(tour, "type そふと",
       [] { TypeText(GetDlgItem(SearchDialog(), IDC_SEARCH_TEXT), kSearchWord); });
    tour.Add("ソフト開発 alone in the list", [] {
        return ListColumnTexts(GetDlgItem(SearchDialog(), IDC_SEARCH_LIST), 0) ==
               std::vector<std::string>{kDevName};
    });
    Do(tour, "read the rows", NoteSearchRows);
    Shoot(tour, "13-search-dialog.png", false, SearchDialog);
    Do(tour, "press Enter",
       [] { PressKey(GetDlgItem(SearchDialog(), IDC_SEARCH_TEXT), VK_RETURN); });
    AnswerConfirmation(tour, "");
    Do(tour, "list ソフト開発", [] { NoteFolderContents(kDevFolder); });
}

void RecentAndGroups(StepRunner& tour) {
    Say(tour, "== 10. 仕事/ソフト開発 and 拡張設定: groups by slash and 3 recent destinations; two "
              "moves");
    OpenSettings(tour);
    tour.Pause(300);
    Do(tour, "rename ソフト開発 to 仕事/ソフト開発 with F2", [] {
        SelectListRow(SettingsList(), 0);
        PressKey(SettingsList(), VK_F2);
    });
    tour.Add("the label editor", [] { return LabelEditor() != nullptr; });
    Do(tour, "type the new name and press Enter", [] {
        TypeText(LabelEditor(), kGroupedDevName);
        PressKey(LabelEditor(), VK_RETURN);
    });
    tour.Add("the new name in the list", [] {
        return !LabelEditor() && ListColumnTexts(SettingsList(), 0).at(0) == kGroupedDevName;
    });
    Do(tour, "choose 拡張設定(&X)... in its window menu",
       [] { PostMessageA(SettingsDialog(), WM_SYSCOMMAND, IDM_EXTENSIONS, 0); });
    tour.Add("the extension dialog", [] { return ExtensionDialog() != nullptr; });
    Do(tour, "tick the groups and choose 3 recent destinations", [] {
        ClickButton(ExtensionDialog(), IDC_EXT_GROUP_BY_SLASH);
        SendDlgItemMessageA(ExtensionDialog(), IDC_EXT_RECENT_COUNT, CB_SETCURSEL, 3, 0);
    });
    Do(tour, "click OK twice", [] {
        ClickButton(ExtensionDialog(), IDOK);
        ClickButton(SettingsDialog(), IDC_SETTINGS_OK);
    });
    tour.Add("the dialogs to close", [] { return !ExtensionDialog() && !SettingsDialog(); });
    // The moves so far made ソフト開発, then 取引先, recent: each move through
    // the second recent item puts the other first.
    OpenMoveSubmenuOfFirstMail(tour, kDevFolder, "ソフト開発", kSearchItem);
    PickMenuItem(tour, "&2 " + std::string(kNewClientsName));
    AnswerConfirmation(tour, "");
    OpenMoveSubmenuOfFirstMail(tour, kClientsFolder, "取引先", kSearchItem);
    PickMenuItem(tour, "&2 " + std::string(kGroupedDevName));
    AnswerConfirmation(tour, "");
    OpenMoveSubmenuOfFirstMail(tour, kClientsFolder, "取引先", kSearchItem);
    tour.Add("「&3 仕事」 highlighted", [] { return HighlightMenuItem("&3 仕事"); });
    Do(tour, "press → to open the group", [] { PressKey(Windows().frame, VK_RIGHT); });
    tour.Add("the group", [] { return MenuWindowWithItem("&1 ソフト開発"); });
    Do(tour, "read the submenu and the group", [] {
        Note("  submenu: " + Joined(OpenMenuItems(MenuWindowWithItem(kSearchItem)), " | "));
        Note("  group: " + Joined(OpenMenuItems(MenuWindowWithItem("&1 ソフト開発")), " | "));
    });
    Shoot(tour, "14-recent-and-group.png", true, nullptr);
    CloseMenus(tour);
}

void DragToTop(StepRunner& tour) {
    Say(tour, "== 11. Settings: drag Q&A to the top, OK");
    OpenSettings(tour);
    tour.Pause(300);
    Do(tour, "press on Q&A and drag it above the first row", [] {
        const HWND list = SettingsList();
        SetFocus(list);
        DragListRow(list, 2, ListGapPoint(list, 0), false);
    });
    Shoot(tour, "15-dragging-to-top.png", false, SettingsDialog);
    Do(tour, "release the button", [] {
        const POINT drop = ListGapPoint(SettingsList(), 0);
        PostMessageA(SettingsList(), WM_LBUTTONUP, 0, MAKELPARAM(drop.x, drop.y));
    });
    tour.Add("Q&A on top", [] { return ListColumnTexts(SettingsList(), 0).at(0) == "Q&A"; });
    Do(tour, "read the rows", NoteDialogRows);
    Shoot(tour, "16-dragged-to-top.png", false, SettingsDialog);
    ClickOkInSettings(tour);
}

void SearchWithEmptyBox(StepRunner& tour) {
    Say(tour, "== 12. 検索して移動 with an empty box: the recent destinations first, Escape");
    SelectFirstMailIn(tour, kClientsFolder, "取引先");
    RightClickSelectedMail(tour);
    OpenMoveSubmenu(tour, kSearchItem);
    PickMenuItem(tour, kSearchItem);
    tour.Add("the search dialog", [] { return SearchDialog() != nullptr; });
    Do(tour, "read the rows", NoteSearchRows);
    Shoot(tour, "17-search-recent-first.png", false, SearchDialog);
    Do(tour, "press Escape",
       [] { PressKey(GetDlgItem(SearchDialog(), IDC_SEARCH_TEXT), VK_ESCAPE); });
    tour.Add("the search dialog to close", [] { return SearchDialog() == nullptr; });
}

void Close(StepRunner& tour) {
    Say(tour, "== 13. Close the client: ORC_OnExit writes Varkel.ini");
    Do(tour, "close the main window", [] { PostMessageA(Windows().frame, WM_CLOSE, 0, 0); });
}

} // namespace

void AddTourSteps(StepRunner& tour, const std::string& outputFolder,
                  const ActivationWatcher& boxes) {
    g_outputFolder = outputFolder;
    g_boxes = &boxes;
    Start(tour);
    RegisterFolder(tour, "== 2. Register 取引先 from the folder menu", kClientsFolder, true);
    RegisterFolder(tour, "== 3. Register ソフト開発 from the folder menu", kDevFolder, false);
    MoveMail(tour);
    EditSettings(tour);
    LookAtMenu(tour);
    ShowNameWithAmpersand(tour);
    TurnOnExtensions(tour);
    SearchAndMove(tour);
    RecentAndGroups(tour);
    DragToTop(tour);
    SearchWithEmptyBox(tour);
    Close(tour);
}

const std::vector<std::string>& TourScreenshots() {
    return g_screenshots;
}
