// Moving a settings row far in one step: Alt+Home, Alt+End, Alt+Up and
// Alt+Down on the first selected row, and dragging a row to where it is
// dropped.
#pragma once

#include <windows.h>

// Subclasses the list for the keys and the drag; once per opening.
void AttachRowMoves(HWND list);
// Moves the first selected row as Alt with the key does: VK_HOME to the top,
// VK_END to the bottom, VK_UP and VK_DOWN one step; kept in view.
void MoveRowByKey(HWND list, WPARAM key);
// The list reported a drag of the row with the left button: the pointer
// is captured until the drop, Escape or the loss of the capture.
void BeginRowDrag(HWND list, int row);
