// The plug-in's confirmation texts (code page 932) as the tests expect them;
// a move text is also the description its move item is registered with.
#pragma once

#include <string>

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
