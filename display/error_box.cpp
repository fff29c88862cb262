#include "display/error_box.h"

#include <cstdio>

#include "display/app_state.h"
#include "display/weather_lists.h"
#include "platform/ui.h"

void FormatErrorMessage(char* out, size_t outSize, int32_t code, const char* text) {
    if (out == nullptr || outSize == 0) return;
    if (outSize > ERROR_MESSAGE_CAPACITY) outSize = ERROR_MESSAGE_CAPACITY;
    if (text == nullptr) text = "";
    // snprintf cuts at outSize - 1 characters and always terminates.
    if (code != 0)
        std::snprintf(out, outSize, "Error %d reported: %s", static_cast<int>(code), text);
    else
        std::snprintf(out, outSize, "Error: %s", text);
}

void ShowError(WindowHandle owner, int32_t code, const char* text) {
    char message[ERROR_MESSAGE_CAPACITY];
    FormatErrorMessage(message, sizeof message, code, text);
    PlatformMessageBox(owner, message, "Nimbrel Error", PLATFORM_MB_OK | PLATFORM_MB_ICONEXCLAMATION);

    // The box took the keyboard focus; hand it back to the list the user worked in.
    // Busy is read only now: a refresh may have started during the box's own loop.
    if (CurrentList < 0 || CurrentList >= LIST_COUNT || Busy) return;
    FocusListRow(CurrentList);
}
