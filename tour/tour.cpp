// The scripted tour: runs the stand-in mail client in this process, on a
// desktop of its own, and uses it the way a person would, writing a
// transcript and screenshots into the output folder; then checks what it
// left. Exits 0 when every step was done and every check passed.
//   VarkelTour.exe OUTDIR [PLUGIN.DLL]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "base/holders.h"
#include "base/text.h"
#include "client_app.h"
#include "client_state.h"
#include "desktop/own_desktop.h"
#include "desktop/screenshot.h"
#include "desktop/window_text.h"
#include "paths.h"
#include "tour_script.h"
#include "transcript.h"

namespace {

// The tour's one time limit: a tour still running after it has failed.
constexpr DWORD kTourMilliseconds = 120000;

std::string g_outputFolder;
std::vector<ShownBox> g_shownBoxes;

// Creates the folder and any missing parents.
void CreateFolderTree(const std::string& folder) {
    const std::string parent = FolderOf(folder);
    if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() == ERROR_PATH_NOT_FOUND &&
        parent != folder) {
        CreateFolderTree(parent);
        CreateDirectoryA(folder.c_str(), nullptr);
    }
}

// Creates the folder and deletes the screenshots an earlier tour left there;
// false when the folder still does not exist.
bool PrepareOutputFolder(const std::string& folder) {
    CreateFolderTree(folder);
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    WIN32_FIND_DATAA found{};
    const UniqueFind search = OwnFind(FindFirstFileA(JoinPath(folder, "*.png").c_str(), &found));
    for (bool more = search != nullptr; more; more = FindNextFileA(search.get(), &found))
        DeleteFileA(JoinPath(folder, found.cFileName).c_str());
    return true;
}

// A fresh copy of the plug-in, so that its settings file starts empty.
std::string CopyPlugin(const std::string& source) {
    const std::string folder = JoinPath(g_outputFolder, "plugins");
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string copy = JoinPath(folder, "Varkel.dll");
    DeleteFileA(JoinPath(folder, "Varkel.ini").c_str());
    return CopyFileA(source.c_str(), copy.c_str(), FALSE) ? copy : std::string();
}

// The path as the Unix side sees it when running under Wine, else unchanged.
std::string HostVisiblePath(const std::string& path) {
    using UnixName = char*(CDECL*)(LPCWSTR);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    char* name = unixName ? unixName(ToUtf16(path, CP_ACP).c_str()) : nullptr;
    if (!name)
        return path;
    // The Unix name is UTF-8; the caller's texts are in the ANSI code page.
    const std::string visible = FromUtf16(ToUtf16(name, CP_UTF8), CP_ACP);
    HeapFree(GetProcessHeap(), 0, name);
    return visible;
}

[[noreturn]] void Fail(const std::string& why) {
    Note("tour: FAILED: " + why);
    const std::string path = JoinPath(g_outputFolder, "failure.png");
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (WritePng(path, CaptureScreenArea(screen)))
        Note("tour: the screen at the failure: " + HostVisiblePath(path));
    TerminateProcess(GetCurrentProcess(), 1);
    ExitProcess(1);
}

// Notes the settings file, each line with the one line end that Note gives,
// and where the screenshots and the transcript are.
void Report(const std::string& pluginPath) {
    const std::string settings = JoinPath(FolderOf(pluginPath), "Varkel.ini");
    Note("== Varkel.ini (" + HostVisiblePath(settings) + ")");
    std::string text = ReadWholeFile(settings);
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    text.erase(text.find_last_not_of('\n') + 1);
    Note(text.empty() ? "(missing or empty)" : text);
    Note("== Screenshots");
    for (const std::string& name : TourScreenshots())
        Note(HostVisiblePath(JoinPath(g_outputFolder, name)));
    Note("== Transcript: " + HostVisiblePath(JoinPath(g_outputFolder, "transcript.txt")));
}

// Notes the box as the plug-in showed it; the tour answers it later.
int NoteBox(const ShownBox& box) {
    g_shownBoxes.push_back(box);
    Note("  box: [" + box.caption + "] " + OneLine(box.text));
    return 0;
}

void NoteMenu(const std::string& name, HMENU menu) {
    Note("client: " + name + " shows: " + Joined(DescribeMenu(menu), " | "));
    for (const MenuItem& item : ReadMenuItems(menu)) {
        if (item.submenu)
            NoteMenu(item.text, item.submenu);
    }
}

// Notes each context menu the client shows, with its submenus, as it shows
// it: TrackPopupMenu enters its menu loop, then initialises the menu (its
// submenus are initialised later, with no loop entered).
LRESULT CALLBACK NoteMenus(HWND frame, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR) {
    static bool entered = false;
    if (message == WM_ENTERMENULOOP)
        entered = wParam != FALSE;
    else if (message == WM_INITMENUPOPUP && std::exchange(entered, false))
        NoteMenu("menu", reinterpret_cast<HMENU>(wParam));
    return DefSubclassProc(frame, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (__argc < 2 || __argc > 3) {
        Note("usage: VarkelTour.exe OUTDIR [PLUGIN.DLL]");
        return 2;
    }
    g_outputFolder = FullPath(__argv[1]);
    if (!PrepareOutputFolder(g_outputFolder)) {
        Note("tour: cannot create " + g_outputFolder);
        return 2;
    }
    OpenTranscriptFile(JoinPath(g_outputFolder, "transcript.txt"));
    const std::string source = PluginPath(__argc > 2 ? __argv[2] : nullptr);
    const std::string plugin = CopyPlugin(source);
    if (plugin.empty()) {
        Note("tour: cannot copy " + source + " into " + g_outputFolder);
        return 2;
    }
    Note("tour: VarkelMail drives Varkel.dll the way a person would");
    const UniqueDesktop desktop = UseOwnDesktop("VarkelTour");
    if (!desktop)
        Note("tour: no desktop of its own; other programs may take the focus");
    if (!StartClient(instance, SW_SHOWNORMAL, plugin))
        Fail("the main window could not be created");
    if (!Client().plugin.loaded())
        Fail("the plug-in did not load");
    SetWindowSubclass(Client().windows.frame, NoteMenus, 1, 0);
    const ActivationWatcher boxes(NoteBox);
    StepRunner tour(kTourMilliseconds, Fail);
    AddTourSteps(tour, g_outputFolder, boxes);
    tour.Start(20);
    RunMessageLoop();
    tour.Stop();
    StopClient();
    Report(plugin);
    if (!tour.finished())
        Note("tour: FAILED: the client closed before the tour ended");
    // The last step: what the tour left.
    const std::vector<std::string> failed =
        CheckTour(g_outputFolder, tour.finished(), g_shownBoxes);
    for (const std::string& what : failed)
        Note("tour: check FAILED: " + what);
    Note(failed.empty() ? "tour: done, every check passed" : "tour: FAILED");
    return failed.empty() ? 0 : 1;
}
