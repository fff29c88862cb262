// The main window's stored placement: the value text "[x,y,width,height]" and the
// check that it lies on the primary screen. Reading and writing the settings file
// and taking the screen size belong to the platform side.
#pragma once

#include <cstddef>
#include <cstdint>

// The value is read with room for 79 characters and the terminator.
constexpr size_t PLACEMENT_VALUE_CAPACITY = 80;

// Reads x, y, width and height from the text after its first '['. Returns 1 when four
// numbers were read, 0 otherwise (values may then be partly written). Only the first
// PLACEMENT_VALUE_CAPACITY - 1 characters of text are looked at.
int ParsePlacementValue(const char* text, int32_t values[4]);

// 1 when the placement does not leave the screen to the right or the bottom (or start
// beyond it): x and x + width at most screenWidth, y and y + height at most screenHeight.
int PlacementFitsScreen(const int32_t values[4], int32_t screenWidth, int32_t screenHeight);

// "[x,y,width,height]"; false when out is too small (out then holds a cut text).
bool FormatPlacementValue(char* out, size_t size, int32_t x, int32_t y, int32_t width, int32_t height);
