// Drives windows from a test the way a user would, with real window messages:
// buttons, list-view rows, keys, the label editor, sizes and modal dialogs.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "window_text.h"

// A visible top-level window of the calling thread with this class and
// caption (code page 932), or null.
HWND FindThreadWindow(const char* className, const std::string& caption);
// Every top-level window of the calling thread with this class and caption,
// visible or not.
std::vector<HWND> ThreadWindows(const char* className, const std::string& caption);
// Pumps this thread's messages until found() gives a window or timeoutMs has
// passed; null on timeout.
HWND WaitForWindow(const std::function<HWND()>& found, DWORD timeoutMs);

std::string ClassNameOf(HWND window);

// Presses a push button or check box as a click would (BM_CLICK).
void ClickButton(HWND dialog, int id);
// Sends the dialog the command a control with this ID sends when pressed.
void SendCommand(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);

// List views.
// Selects exactly these rows; the first one also gets the focus.
void SelectRows(HWND list, const std::vector<int>& rows);
std::vector<int> SelectedRows(HWND list);
int FocusedRow(HWND list);
// A key press (WM_KEYDOWN, WM_KEYUP) sent to a window.
void PressKey(HWND window, WPARAM virtualKey);
// A key press posted to a window, so that the modal loop's dialog-message
// handling sees it (Escape and Enter reach the dialog this way).
void PostKey(HWND window, WPARAM virtualKey);
// The label editor of a list view's running label edit, or null.
HWND LabelEditor(HWND list);
// Replaces the running label edit's text and ends it with a key (VK_RETURN
// or VK_ESCAPE) pressed in the editor. False when no edit is running.
bool TypeIntoLabelEditor(HWND list, const std::string& text, WPARAM endKey);
// The text of one cell, however long.
std::string CellText(HWND list, int row, int column);
// Every row's cells, columns 0 to columns - 1.
std::vector<std::vector<std::string>> ReadRows(HWND list, int columns);
int ColumnWidth(HWND list, int column);
int ColumnCount(HWND list);
std::string ColumnHeaderText(HWND list, int column);
// Sets a column's width as dragging its header divider would.
void SetColumnWidth(HWND list, int column, int width);

// The close box, as the window menu's Close command sends it.
void PressCloseBox(HWND window);

// Geometry.
RECT WindowRectOf(HWND window);
// A child's rectangle in its parent's client coordinates.
RECT ChildRect(HWND parent, int id);
SIZE ClientSize(HWND window);
// Resizes the window so that its client area is width by height.
void ResizeClientArea(HWND window, int width, int height);
// Moves and resizes the window (screen coordinates), as a user drag would.
void SetWindowRect(HWND window, const RECT& rect);

// While one exists, records the window rectangle of every dialog of this
// thread with the given caption right after its WM_INITDIALOG: where the
// dialog put itself, before a window manager can shift it as it is shown.
class InitDialogRecorder {
  public:
    explicit InitDialogRecorder(std::string caption);
    ~InitDialogRecorder();
    InitDialogRecorder(const InitDialogRecorder&) = delete;
    InitDialogRecorder& operator=(const InitDialogRecorder&) = delete;

    // One rectangle per dialog initialised, in order.
    const std::vector<RECT>& rects() const { return rects_; }

  private:
    static LRESULT CALLBACK OnCallReturn(int code, WPARAM wParam, LPARAM lParam);
    std::string caption_;
    HHOOK hook_;
    std::vector<RECT> rects_;
};

// While one exists, records every window of this thread that this thread is
// about to activate (WH_CBT, HCBT_ACTIVATE), in order. Unlike the foreground window,
// this does not depend on other processes sharing the display.
class ActivationRecorder {
  public:
    ActivationRecorder();
    ~ActivationRecorder();
    ActivationRecorder(const ActivationRecorder&) = delete;
    ActivationRecorder& operator=(const ActivationRecorder&) = delete;

    const std::vector<HWND>& activated() const { return activated_; }

  private:
    static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam);
    HHOOK hook_;
    std::vector<HWND> activated_;
};

// Runs steps, one per timer tick, against a window that appears while a
// modal loop runs on this thread (a dialog box, a message box). Each step
// gets the window; a step that returns false is tried again on the next tick.
// When the window does not appear, is still open timeoutMs after the run
// began, or a step fails an ASSERT, every dialog of the thread is ended and
// the run counts as failed.
class ModalScript {
  public:
    using Step = std::function<bool(HWND window)>;

    ModalScript(std::string className, std::string caption, DWORD timeoutMs = 5000);
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    ModalScript& Then(Step step);
    // A step that always completes in one tick.
    ModalScript& Do(std::function<void(HWND window)> action);

    // Calls open (which runs the modal loop) with the script armed; returns
    // when open has returned. The result says whether every step ran and the
    // window had closed in time; failure() explains a false result.
    bool Run(const std::function<void()>& open);

    bool windowFound() const { return window_ != nullptr; }
    HWND window() const { return window_; }
    const std::string& failure() const { return failure_; }

  private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Tick();
    void EndEveryDialog();

    std::string className_;
    std::string caption_;
    DWORD timeoutMs_;
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    HWND window_ = nullptr;
    DWORD started_ = 0;
    bool inStep_ = false;
    bool timedOut_ = false;
    std::string failure_;
    UINT_PTR timer_ = 0;
};

// The window class of dialog boxes and message boxes.
inline constexpr char kDialogClass[] = "#32770";
