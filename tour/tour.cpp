// The scripted tour: runs the stand-in mail client in this process, on a
// desktop of its own, and uses it the way a person would, writing a
// transcript and screenshots into the output folder; then checks what it
// left. Exits 0 when every step was done and every check passed.
//   VarkelTour.exe OUTDIR [PLUGIN.DLL]
#include <windows.h>

#include <algorithm>

#include "client_app.h"
#include "client_reading.h"
#include "client_state.h"
#include "desktop/own_desktop.h"
#include "desktop/screenshot.h"
#include "desktop/window_text.h"
#include "paths.h"
#include "tour_files.h"
#include "tour_script.h"
#include "transcript.h"

namespace {

// The tour's one time limit: a tour still running after it has failed.
constexpr DWORD kTourMilliseconds = 120000;

std::string g_outputFolder;
std::vector<ShownBox> g_shownBoxes;

// Notes the file's lines, each with the one line end that Note gives.
void NoteFile(const std::string& path) {
    std::string text = ReadWholeFile(path);
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    text.erase(text.find_last_not_of('\n') + 1);
    Note(text.empty() ? "(missing or empty)" : text);
}

[[noreturn]] void Fail(const std::string& why) {
    Note("tour: FAILED: " + why);
    const std::string path = JoinPath(g_outputFolder, "failure.png");
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (WritePng(path, CaptureScreenArea(screen)))
        Note("tour: the screen at the failure: " + HostVisiblePath(path));
    CloseTranscriptFile();
    TerminateProcess(GetCurrentProcess(), 1);
    ExitProcess(1);
}

void Report(const std::string& pluginPath) {
    const std::string settings = JoinPath(FolderOf(pluginPath), "Varkel.ini");
    Note("== Varkel.ini (" + HostVisiblePath(settings) + ")");
    NoteFile(settings);
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
    const std::string plugin = CopyPlugin(g_outputFolder, source);
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
    NoteClientMenus();
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
    CloseTranscriptFile();
    return failed.empty() ? 0 : 1;
}
