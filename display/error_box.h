// The one way failures reach the user: a warning box titled "Nimbrel Error".
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/kernel.h"

constexpr size_t ERROR_MESSAGE_CAPACITY = 256;  // 255 characters and the terminator

// "Error %d reported: %s" for a non-zero code, "Error: %s" for 0; cut to fit out.
void FormatErrorMessage(char* out, size_t outSize, int32_t code, const char* text);

// Shows the box, then gives the focus back to the current list unless Busy.
void ShowError(WindowHandle owner, int32_t code, const char* text);
