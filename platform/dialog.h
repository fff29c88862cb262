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
