// The scripted tour: runs the stand-in mail client in this process, on a
// desktop of its own, and uses it the way a person would, writing a
// transcript and screenshots into the output folder; then checks what it
// left. Exits 0 when every step was done and every check passed.
//   VarkelTour.exe OUTDIR [PLUGIN.DLL]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <filesystem>
#include <utility>

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

// Creates the folder with any missing parents; false when it still does not
// exist.
bool CreateOutputFolder(const std::string& folder) {
    const std::filesystem::path path(ToUtf16(folder, CP_ACP));
    std::error_code error;
    std::filesystem::create_directories(path, error);
    return std::filesystem::is_directory(path, error);
}

// A fresh copy of the plug-in, so that its settings file starts empty.
std::string CopyPlugin(const std::string& source) {
    const std::string folder = JoinPath(g_outputFolder, "plugins");
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string copy = JoinPath(folder, "Varkel.dll");
    DeleteFileA(JoinPath(folder, "Varkel.ini").c_str());
    return CopyFileA(source.c_str(), copy.c_str(), FALSE) ? copy : std::string();
}

[[noreturn]] void Fail(const std::string& why) {
    Note("tour: FAILED: " + why);
    if (WritePng(JoinPath(g_outputFolder, "failure.png"),
                 CaptureScreenArea(AreaOf({GetDesktopWindow()}))))
        Note("tour: the screen at the failure: failure.png");
    TerminateProcess(GetCurrentProcess(), 1);
    ExitProcess(1);
}

// Notes the settings file, each line with the one line end that Note gives,
// and the files the tour wrote in the output folder.
void Report(const std::string& pluginPath) {
    const std::string settings = JoinPath(FolderOf(pluginPath), "Varkel.ini");
    Note("== " + settings);
    std::string text = ReadWholeFile(settings);
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    text.erase(text.find_last_not_of('\n') + 1);
    Note(text.empty() ? "(missing or empty)" : text);
    Note("== In " + g_outputFolder + ": transcript.txt, " + Joined(TourScreenshots(), ", "));
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
    if (!CreateOutputFolder(g_outputFolder)) {
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
    const OwnDesktop desktop = UseOwnDesktop("VarkelTour");
    if (!desktop)
        Note("tour: no desktop of its own; other programs may take the focus");
    // The transcript says why when the plug-in did not load.
    if (!StartClient(instance, SW_SHOWNORMAL, plugin) || !Client().plugin.loaded())
        Fail("the client did not start with the plug-in");
    SetWindowSubclass(Client().windows.frame, NoteMenus, 1, 0);
    const ActivationWatcher boxes(NoteBox);
    StepRunner tour(kTourMilliseconds, Fail);
    AddTourSteps(tour, g_outputFolder, boxes);
    tour.Start(20);
    RunMessageLoop();
    tour.Stop();
    StopClient();
    Report(plugin);
    // The last step: what the tour left.
    const std::vector<std::string> failed =
        CheckTour(g_outputFolder, tour.finished(), g_shownBoxes);
    for (const std::string& what : failed)
        Note("tour: check FAILED: " + what);
    Note(failed.empty() ? "tour: done, every check passed" : "tour: FAILED");
    return failed.empty() ? 0 : 1;
}
