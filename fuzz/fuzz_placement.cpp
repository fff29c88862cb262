// Arbitrary stored placement values of up to 79 characters, read and checked against
// screens of arbitrary size, then written and read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "display/placement.h"
#include "link/byte_order.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 8) return 0;
    int32_t screenWidth = LoadI32(data);
    int32_t screenHeight = LoadI32(data + 4);
    data += 8;
    size -= 8;

    char text[PLACEMENT_VALUE_CAPACITY];
    size_t length = size < sizeof text - 1 ? size : sizeof text - 1;
    std::memcpy(text, data, length);
    text[length] = 0;

    int32_t values[4] = {};
    if (!ParsePlacementValue(text, values)) return 0;
    PlacementFitsScreen(values, screenWidth, screenHeight);

    char written[PLACEMENT_VALUE_CAPACITY];
    if (!FormatPlacementValue(written, sizeof written, values[0], values[1], values[2], values[3]))
        std::abort();
    int32_t again[4] = {};
    if (!ParsePlacementValue(written, again)) std::abort();
    for (int i = 0; i < 4; i++)
        if (again[i] != values[i]) std::abort();
    return 0;
}
