#include "confirm.h"

namespace {
constexpr char kCaption[] = "Varkel Plugin";
}

bool Confirm(HWND owner, const std::string& text) {
    return MessageBoxA(owner, text.c_str(), kCaption, MB_OKCANCEL) == IDOK;
}

bool ConfirmDespiteWarning(HWND owner, const std::string& text) {
    return MessageBoxA(owner, text.c_str(), kCaption, MB_OKCANCEL | MB_ICONWARNING) == IDOK;
}

void Warn(HWND owner, const std::string& text) {
    MessageBoxA(owner, text.c_str(), kCaption, MB_OK | MB_ICONWARNING);
}

std::string MoveDescription(const std::string& menuName) {
    return "選択したメールを「" + menuName + "」に移動します。";
}

std::string MissingFolderText(const std::string& menuName) {
    return "フォルダ「" + menuName + "」が見つかりません。\r\nそれでもメールを移動しますか？";
}
