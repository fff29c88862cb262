#include "display/placement.h"

#include <cstdio>

namespace {

constexpr int PLACEMENT_TEXT_LIMIT = static_cast<int>(PLACEMENT_VALUE_CAPACITY) - 1;

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// atoi's reading (white space, sign, digits), saturating instead of overflowing.
int32_t ReadNumber(const char* text, int position, int length) {
    int i = position;
    while (i < length && IsSpace(text[i])) i++;
    bool negative = false;
    if (i < length && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        i++;
    }
    int64_t magnitude = 0;
    for (; i < length && text[i] >= '0' && text[i] <= '9'; i++)
        if (magnitude <= INT32_MAX) magnitude = magnitude * 10 + (text[i] - '0');
    int64_t value = negative ? -magnitude : magnitude;
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(value);
}

}  // namespace

int ParsePlacementValue(const char* text, int32_t values[4]) {
    if (text == nullptr) return 0;
    int length = 0;
    while (length < PLACEMENT_TEXT_LIMIT && text[length] != 0) length++;

    int position = 0;
    while (position < length && text[position] != '[') position++;
    if (position + 1 >= length) return 0;  // no '[', or nothing after it
    position++;

    int count = 0;
    while (count < 4) {
        values[count++] = ReadNumber(text, position, length);
        if (count == 4) break;
        int comma = position;
        while (comma < length && text[comma] != ',') comma++;
        if (comma + 1 >= length) break;  // no ',', or nothing after it
        position = comma + 1;
    }
    return count == 4 ? 1 : 0;
}

int PlacementFitsScreen(const int32_t values[4], int32_t screenWidth, int32_t screenHeight) {
    int64_t x = values[0], y = values[1], width = values[2], height = values[3];
    if (x > screenWidth || x + width > screenWidth) return 0;
    if (y > screenHeight || y + height > screenHeight) return 0;
    return 1;
}

bool FormatPlacementValue(char* out, size_t size, int32_t x, int32_t y, int32_t width, int32_t height) {
    if (out == nullptr || size == 0) return false;
    int written = std::snprintf(out, size, "[%d,%d,%d,%d]", static_cast<int>(x), static_cast<int>(y),
                                static_cast<int>(width), static_cast<int>(height));
    return written >= 0 && static_cast<size_t>(written) < size;
}
