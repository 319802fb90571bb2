#include "tour_script.h"
#include "desktop/window_text.h"

#include <commctrl.h>

#include "client_ids.h"
#include "client_state.h"
#include "mail_views.h"
#include "paths.h"
#include "res/resource.h"
#include "tour_actions.h"
#include "transcript.h"

namespace {

constexpr char kWorkInbox[] = "\\仕事\\受信箱";
constexpr char kClientsFolder[] = "\\仕事\\受信箱\\取引先";
constexpr char kDevFolder[] = "\\仕事\\受信箱\\ソフト開発";
constexpr char kClientsName[] = "取引先";
constexpr char kDevName[] = "ソフト開発";
constexpr char kNewClientsName[] = "取引先（見積・請求）";
constexpr char kQaFolder[] = "\\仕事\\Q&A";
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

const ClientWindows& Windows() {
    return Client().windows;
}

void Shoot(TourScript& script, const std::string& name, bool withMenus, HWND (*extra)()) {
    script.Pause(kPaintPause);
    script.Do("screenshot " + name, [name, withMenus, extra] {
        std::vector<HWND> windows{Windows().frame};
        if (withMenus) {
            for (HWND menu : OpenMenuWindows())
                windows.push_back(menu);
        }
        if (extra)
            windows.push_back(extra());
        const std::string path = JoinPath(g_outputFolder, name);
        if (SaveScreenshot(path, AreaOf(windows)))
            g_screenshots.push_back(path);
        else
            Note("tour: could not write " + path);
    });
}

HWND SettingsDialog() {
    return DialogWithControl(IDC_FOLDER_LIST);
}
HWND SettingsList() {
    return GetDlgItem(SettingsDialog(), IDC_FOLDER_LIST);
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

void NoteDialogRows() {
    Note("  dialog rows: " + Joined(ListColumnTexts(SettingsList(), 0), " | "));
}

// Picks an item of the open menus with the arrow keys and Enter.
void PickMenuItem(TourScript& script, const std::string& item) {
    script.WaitFor("「" + item + "」 highlighted", [item] { return HighlightMenuItem(item); });
    script.Do("press Enter on 「" + item + "」", [] { PressKey(Windows().frame, VK_RETURN); });
}

void OpenMoveSubmenu(TourScript& script, const std::string& firstItem) {
    script.WaitFor("the menu with 「メールの移動」",
                   [] { return MenuWindowWithItem(kMoveSubmenu); });
    script.WaitFor("「メールの移動」 highlighted", [] { return HighlightMenuItem(kMoveSubmenu); });
    script.Do("press → to open the submenu", [] { PressKey(Windows().frame, VK_RIGHT); });
    script.WaitFor("the move submenu", [firstItem] { return MenuWindowWithItem(firstItem); });
}

// Opens the move submenu of the context menu just opened, notes its items,
// pictures it and closes the menus again.
void LookAtMoveSubmenu(TourScript& script, const std::string& item, const std::string& screenshot) {
    OpenMoveSubmenu(script, item);
    script.Do("read the submenu", [item] {
        Note("  submenu: " + Joined(OpenMenuItems(MenuWindowWithItem(item)), " | "));
    });
    Shoot(script, screenshot, true, nullptr);
    script.WaitFor("the menus to close with Escape", [] {
        if (!AnyMenuOpen())
            return true;
        PressKey(Windows().frame, VK_ESCAPE);
        return false;
    });
}

void AnswerConfirmation(TourScript& script, const std::string& screenshot) {
    script.WaitFor("the confirmation box", [] { return OpenMessageBox() != nullptr; });
    if (!screenshot.empty())
        Shoot(script, screenshot, false, OpenMessageBox);
    script.Do("click OK in the box", [] { ClickButton(OpenMessageBox(), IDOK); });
    script.WaitFor("the box and the menus to close",
                   [] { return !OpenMessageBox() && !AnyMenuOpen(); });
}

void Start(TourScript& script) {
    script.Say("== 1. The client starts and loads Varkel.dll");
    script.WaitFor("the main window", [] { return IsWindowVisible(Windows().frame) != FALSE; });
    Shoot(script, "01-client.png", false, nullptr);
}

void RegisterFolder(TourScript& script, const std::string& title, const std::string& folderId,
                    bool screenshots) {
    script.Say(title);
    script.Do("right-click the folder in the tree", [folderId] {
        RightClickAt(Windows().tree, TreeItemCenter(Windows().tree, folderId));
    });
    script.WaitFor("the folder menu", [] { return MenuWindowWithItem(kRegisterItem); });
    script.WaitFor("「" + std::string(kRegisterItem) + "」 highlighted",
                   [] { return HighlightMenuItem(kRegisterItem); });
    if (screenshots)
        Shoot(script, "02-folder-menu.png", true, nullptr);
    PickMenuItem(script, kRegisterItem);
    AnswerConfirmation(script, screenshots ? "03-confirm-add.png" : "");
}

void MoveMail(TourScript& script) {
    script.Say("== 4. Move the two quotation mails from 仕事\\受信箱 to 取引先 with the mail-list "
               "menu");
    script.Do("select 仕事\\受信箱 and the two mails", [] {
        SelectFolder(kWorkInbox);
        SetFocus(Windows().list);
        SelectMessages(MessagesAbout(kWorkInbox, kQuoteSubject));
        Note("client: selected " + std::to_string(SelectedSerials().size()) + " mail(s)");
    });
    script.Pause(300);
    script.Do("right-click the selected mail", [] {
        const int row = MessageRow(SelectedSerials().at(0));
        RightClickAt(Windows().list, ListRowCenter(Windows().list, row));
    });
    OpenMoveSubmenu(script, kClientsName);
    Shoot(script, "04-move-submenu.png", true, nullptr);
    PickMenuItem(script, kClientsName);
    AnswerConfirmation(script, "05-confirm-move.png");
    script.Do("open 取引先 to see the mails arrive", [] {
        SelectFolder(kClientsFolder);
        NoteFolderContents(kWorkInbox);
        NoteFolderContents(kClientsFolder);
    });
    Shoot(script, "06-after-move.png", false, nullptr);
}

void EditSettings(TourScript& script) {
    script.Say("== 5. Settings: ↑ puts ソフト開発 first, F2 renames 取引先, OK");
    script.Do("choose ツール → プラグインの設定",
              [] { PostMessageA(Windows().frame, WM_COMMAND, kCmdPluginSetup, 0); });
    script.WaitFor("the settings dialog", [] { return SettingsDialog() != nullptr; });
    script.Pause(300);
    script.Do("read the rows", NoteDialogRows);
    script.Do("select ソフト開発 and click ↑(&U)", [] {
        SelectListRow(SettingsList(), 1);
        ClickButton(SettingsDialog(), IDC_MOVE_UP);
    });
    script.WaitFor("ソフト開発 on top", [] {
        const std::vector<std::string> rows = ListColumnTexts(SettingsList(), 0);
        return !rows.empty() && rows[0] == kDevName;
    });
    script.Do("read the rows", NoteDialogRows);
    script.Do("select 取引先 and press F2", [] {
        SelectListRow(SettingsList(), 1);
        PressKey(SettingsList(), VK_F2);
    });
    script.WaitFor("the label editor", [] { return LabelEditor() != nullptr; });
    script.Do("type the new name", [] { TypeText(LabelEditor(), kNewClientsName); });
    // A label editor that loses the focus ends and keeps its text.
    script.WaitFor("the typed name in the editor", [] {
        const HWND editor = LabelEditor();
        return editor ? WindowText(editor) == kNewClientsName
                      : ListColumnTexts(SettingsList(), 0).at(1) == kNewClientsName;
    });
    Shoot(script, "07-settings-renaming.png", false, SettingsDialog);
    script.Do("press Enter", [] {
        if (const HWND editor = LabelEditor())
            PressKey(editor, VK_RETURN);
    });
    script.WaitFor("the new name in the list", [] {
        const std::vector<std::string> rows = ListColumnTexts(SettingsList(), 0);
        return !LabelEditor() && rows.size() == 2 && rows[1] == kNewClientsName;
    });
    script.Do("read the rows", NoteDialogRows);
    Shoot(script, "08-settings-dialog.png", false, SettingsDialog);
    script.Do("click OK", [] { ClickButton(SettingsDialog(), IDC_OK); });
    script.WaitFor("the dialog to close", [] { return SettingsDialog() == nullptr; });
}

void LookAtMenu(TourScript& script) {
    script.Say("== 6. The mail-view menu shows the destinations in their new order and name");
    script.Do("select the first mail of 取引先", [] {
        const std::vector<const Message*> messages = Client().store.MessagesIn(kClientsFolder);
        SelectMessages({messages.at(0)->serial});
    });
    script.Pause(300);
    script.Do("right-click the preview", [] {
        RECT rect{};
        GetWindowRect(Windows().preview, &rect);
        RightClickAt(Windows().preview, POINT{rect.left + 120, rect.top + 60});
    });
    LookAtMoveSubmenu(script, kNewClientsName, "09-renamed-submenu.png");
}

void RightClickFirstMailOfClients(TourScript& script) {
    script.Do("select the first mail of 取引先", [] {
        SelectFolder(kClientsFolder);
        SetFocus(Windows().list);
        SelectMessages({Client().store.MessagesIn(kClientsFolder).at(0)->serial});
    });
    script.Pause(300);
    script.Do("right-click the selected mail", [] {
        const int row = MessageRow(SelectedSerials().at(0));
        RightClickAt(Windows().list, ListRowCenter(Windows().list, row));
    });
}

void ShowNameWithAmpersand(TourScript& script) {
    RegisterFolder(script, "== 7. Register Q&A: its move item shows the name as written", kQaFolder,
                   false);
    RightClickFirstMailOfClients(script);
    LookAtMoveSubmenu(script, kQaItem, "10-ampersand-submenu.png");
}

void TurnOnExtensions(TourScript& script) {
    script.Say("== 8. 拡張設定(&X)... in the settings' window menu: the search item and access "
               "keys on");
    script.Do("choose ツール → プラグインの設定",
              [] { PostMessageA(Windows().frame, WM_COMMAND, kCmdPluginSetup, 0); });
    script.WaitFor("the settings dialog", [] { return SettingsDialog() != nullptr; });
    script.Do("choose 拡張設定(&X)... in its window menu",
              [] { PostMessageA(SettingsDialog(), WM_SYSCOMMAND, IDM_EXTENSIONS, 0); });
    script.WaitFor("the extension dialog", [] { return ExtensionDialog() != nullptr; });
    script.Do("tick the search item and the access keys", [] {
        ClickButton(ExtensionDialog(), IDC_EXT_SEARCH_ITEM);
        ClickButton(ExtensionDialog(), IDC_EXT_ACCESS_KEYS);
    });
    Shoot(script, "11-extensions.png", false, ExtensionDialog);
    script.Do("click OK", [] { ClickButton(ExtensionDialog(), IDOK); });
    script.WaitFor("the extension dialog to close", [] { return ExtensionDialog() == nullptr; });
    script.Do("click OK in the settings", [] { ClickButton(SettingsDialog(), IDC_OK); });
    script.WaitFor("the dialog to close", [] { return SettingsDialog() == nullptr; });
}

void SearchAndMove(TourScript& script) {
    script.Say("== 9. 検索して移動: 「そふと」 finds ソフト開発, Enter moves the mail there");
    RightClickFirstMailOfClients(script);
    OpenMoveSubmenu(script, kSearchItem);
    script.Do("read the submenu", [] {
        Note("  submenu: " + Joined(OpenMenuItems(MenuWindowWithItem(kSearchItem)), " | "));
    });
    Shoot(script, "12-access-keys-submenu.png", true, nullptr);
    PickMenuItem(script, kSearchItem);
    script.WaitFor("the search dialog", [] { return SearchDialog() != nullptr; });
    script.Do("type そふと",
              [] { TypeText(GetDlgItem(SearchDialog(), IDC_SEARCH_TEXT), kSearchWord); });
    script.WaitFor("ソフト開発 alone in the list", [] {
        return ListColumnTexts(GetDlgItem(SearchDialog(), IDC_SEARCH_LIST), 0) ==
               std::vector<std::string>{kDevName};
    });
    script.Do("read the rows", [] {
        Note("  search rows: " +
             Joined(ListColumnTexts(GetDlgItem(SearchDialog(), IDC_SEARCH_LIST), 0), " | "));
    });
    Shoot(script, "13-search-dialog.png", false, SearchDialog);
    script.Do("press Enter",
              [] { PressKey(GetDlgItem(SearchDialog(), IDC_SEARCH_TEXT), VK_RETURN); });
    AnswerConfirmation(script, "");
    script.Do("list ソフト開発", [] { NoteFolderContents(kDevFolder); });
}

void Close(TourScript& script) {
    script.Say("== 10. Close the client: ORC_OnExit writes Varkel.ini");
    script.Do("close the main window", [] { PostMessageA(Windows().frame, WM_CLOSE, 0, 0); });
}

} // namespace

TourScript TourSteps(const std::string& outputFolder) {
    g_outputFolder = outputFolder;
    TourScript script;
    Start(script);
    RegisterFolder(script, "== 2. Register 取引先 from the folder menu", kClientsFolder, true);
    RegisterFolder(script, "== 3. Register ソフト開発 from the folder menu", kDevFolder, false);
    MoveMail(script);
    EditSettings(script);
    LookAtMenu(script);
    ShowNameWithAmpersand(script);
    TurnOnExtensions(script);
    SearchAndMove(script);
    Close(script);
    return script;
}

const std::vector<std::string>& TourScreenshots() {
    return g_screenshots;
}
