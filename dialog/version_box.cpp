#include "version_box.h"

#include <string>

#include "../base/version_info.h"

void ShowVersionBox(HWND owner) {
    std::string description, version, copyright;
    {
        const VersionData data = VersionData::Open();
        description = data.Read("FileDescription");
        version = data.Read("FileVersion");
        copyright = data.Read("LegalCopyright");
    }
    const std::string title = description + " のﾊﾞｰｼﾞｮﾝ情報";
    const std::string body = description + " " + version + "\n" + copyright + "\n";
    MessageBoxA(owner, body.c_str(), title.c_str(), MB_OK);
}
