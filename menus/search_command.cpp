#include "commands.h"

#include <optional>
#include <string>

#include "../dialog/search_dialog.h"
#include "../base/guard.h"
#include "move_mail.h"

void WINAPI SearchCommand(HWND window, WPARAM) {
    Guarded([&] {
        if (const std::optional<std::string> entry = ChooseDestination(window))
            MoveMailTo(window, *entry);
    });
}
