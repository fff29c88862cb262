// Services of an open modal dialog, for the edit dialogs' logic.
#pragma once

#include <cstdint>

#include "platform/kernel.h"

using DialogHandle = uintptr_t;

// Copies the field's text into out (always terminated, cut to outSize - 1).
void PlatformGetFieldText(DialogHandle dialog, int32_t controlId, char* out, int outSize);
void PlatformSetFieldText(DialogHandle dialog, int32_t controlId, const char* text);
// Read-only and disabled: shown greyed, takes no input and no focus, still readable.
void PlatformLockField(DialogHandle dialog, int32_t controlId);
void PlatformSetCaption(DialogHandle dialog, const char* text);
void PlatformGetCaption(DialogHandle dialog, char* out, int outSize);

// What a modal dialog does with its fields; the platform supplies the window, the
// brush, the colours and the buttons around it.
struct DialogHooks {
    void (*Open)(DialogHandle dialog);    // initialisation: caption, field texts, locks
    void (*Accept)(DialogHandle dialog);  // OK, before the dialog ends with 1
};

constexpr int PLATFORM_DIALOG_CANCEL = 0;
constexpr int PLATFORM_DIALOG_OK = 1;
constexpr int PLATFORM_DIALOG_NOT_SHOWN = -1;

// Runs the named template modally over owner (which takes no input meanwhile). The
// template's position counts from the client area of placeBy. Returns 1 for OK, 0 for
// Cancel, PLATFORM_DIALOG_NOT_SHOWN when the dialog could not be shown at all.
int PlatformRunDialog(const char* templateName, WindowHandle owner, WindowHandle placeBy,
                      const DialogHooks& hooks);
