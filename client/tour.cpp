#include "tour.h"

#include <algorithm>

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

void DeleteOldScreenshots(const std::string& folder) {
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA(JoinPath(folder, "*.png").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do
        DeleteFileA(JoinPath(folder, found.cFileName).c_str());
    while (FindNextFileA(search, &found));
    FindClose(search);
}

// A fresh copy of the plug-in, so that its settings file starts empty.
std::string PreparePlugin(const std::string& outputFolder, const std::string& source) {
    const std::string folder = JoinPath(outputFolder, "plugins");
    if (!CreateFolderTree(folder))
        return std::string();
    const std::string copy = JoinPath(folder, "Varkel.dll");
    DeleteFileA(JoinPath(folder, "Varkel.ini").c_str());
    return CopyFileA(source.c_str(), copy.c_str(), FALSE) ? copy : std::string();
}

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

std::vector<ShownBox> g_shownBoxes;

// Notes the box as the plug-in showed it; the tour answers it later.
int NoteBox(const ShownBox& box) {
    g_shownBoxes.push_back(box);
    Note("  box: [" + box.caption + "] " + OneLine(box.text));
    return 0;
}

} // namespace

int RunTour(HINSTANCE instance, const std::string& outputFolder, const std::string& pluginPath) {
    g_outputFolder = outputFolder;
    if (!CreateFolderTree(g_outputFolder)) {
        Note("tour: cannot create " + g_outputFolder);
        return 2;
    }
    OpenTranscriptFile(JoinPath(g_outputFolder, "transcript.txt"));
    DeleteOldScreenshots(g_outputFolder);
    const std::string plugin = PreparePlugin(g_outputFolder, pluginPath);
    if (plugin.empty()) {
        Note("tour: cannot copy " + pluginPath + " into " + g_outputFolder);
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
