// Arbitrary field texts of up to 64 characters through every kind, the clamped and
// unknown kinds included. The first four bytes choose the kind.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "editing/parse_field.h"
#include "link/byte_order.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    int32_t chosen = LoadI32(data);
    data += 4;
    size -= 4;

    char text[FIELD_TEXT_LIMIT + 1];
    size_t length = size < FIELD_TEXT_LIMIT ? size : FIELD_TEXT_LIMIT;
    std::memcpy(text, data, length);
    text[length] = 0;

    const int32_t kinds[] = {chosen, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 30, -8, -1, INT32_MIN, 10, 31, INT32_MAX};
    for (int32_t kind : kinds) {
        uint8_t word[2] = {0, 0};
        double position = 0.0;
        uint32_t before = PositionValid;
        FieldValue value = EvaluateFieldText(text, kind);
        ParseFieldText(text, kind, word, &position);

        bool numeric = (kind >= 0 && kind <= 7) || kind == FIELD_DRIFT || kind < 0;
        bool positional = kind == FIELD_LATITUDE || kind == FIELD_LONGITUDE;
        if (numeric && value.Store != FIELD_STORE_WORD) std::abort();
        if (!numeric && !positional && value.Store != FIELD_STORE_NOTHING) std::abort();
        if (value.Store == FIELD_STORE_WORD && LoadU16(word) != static_cast<uint16_t>(value.Word))
            std::abort();
        if (kind < 0 && (value.Word < 0 || static_cast<int64_t>(value.Word) > -static_cast<int64_t>(kind)))
            std::abort();
        if (value.Store == FIELD_STORE_POSITION) {
            if (!std::isfinite(value.Position) || position != value.Position) std::abort();
        } else if (position != 0.0 || PositionValid != before) {
            std::abort();
        }
    }
    PositionValid = 0;
    return 0;
}
