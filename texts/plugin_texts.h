// The plug-in's texts (code page 932) as the tests and the tour expect them,
// written out here rather than taken from the plug-in, so that a changed text
// fails them. A move text is also the description its move item is
// registered with.
#pragma once

#include <string>

// What the plug-in's boxes, menus and settings list show, by name; named in
// a namespace of their own, beside the tests' older constants of the same names.
namespace plugin_text {

// The caption of the plug-in's message boxes.
inline constexpr char kCaption[] = "Varkel Plugin";

// The folder menu's item and the description it is registered with.
inline constexpr char kRegisterItem[] = "移動先フォルダに追加/削除";
inline constexpr char kRegisterDescription[] =
    "Varkel Pluginの移動先としてこのフォルダを追加/削除します。";
// The submenu of the mail menus and, with the extension on, its first item.
inline constexpr char kMoveSubmenu[] = "メールの移動";
inline constexpr char kSearchItem[] = "検索して移動(&S)...";

// The settings list's context menu, and the item that missing folders add.
inline constexpr char kRowMenuTop[] = "先頭へ(&T)";
inline constexpr char kRowMenuItems[] =
    "上へ(&U) | 下へ(&D) | 先頭へ(&T) | 末尾へ(&B) | 名前の変更(&N)\tF2 | 削除(&R)";
inline constexpr char kSelectMissingItem[] = "見つからないフォルダを選択(&M)";
// The display name that the settings list shows for a missing folder.
inline constexpr char kMissingFolder[] = "(フォルダが見つかりません)";

} // namespace plugin_text

inline std::string MoveText(const std::string& menuName) {
    return "選択したメールを「" + menuName + "」に移動します。";
}
inline std::string AddText(const std::string& displayName) {
    return "フォルダ「" + displayName + "」を移動先フォルダに追加します。";
}
inline std::string RemoveText(const std::string& menuName) {
    return "フォルダ「" + menuName + "」を移動先フォルダから削除します。";
}
inline std::string MissingFolderText(const std::string& menuName) {
    return "フォルダ「" + menuName + "」が見つかりません。\r\nそれでもメールを移動しますか？";
}
