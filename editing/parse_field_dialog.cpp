// The window-system half of the field parsing, kept apart so that the conversion
// itself links without any dialog services.
#include "editing/parse_field.h"

namespace {

void FetchFieldText(DialogHandle dialog, int32_t controlId, char (&text)[FIELD_TEXT_LIMIT + 1]) {
    text[0] = 0;
    PlatformGetFieldText(dialog, controlId, text, sizeof text);
    text[FIELD_TEXT_LIMIT] = 0;
}

}  // namespace

void ParseField(DialogHandle dialog, int32_t controlId, uint8_t* word16, int32_t kind) {
    char text[FIELD_TEXT_LIMIT + 1];
    FetchFieldText(dialog, controlId, text);
    ParseFieldText(text, kind, word16, nullptr);
}

void ParseFieldByte(DialogHandle dialog, int32_t controlId, uint8_t* byte, int32_t kind) {
    char text[FIELD_TEXT_LIMIT + 1];
    FetchFieldText(dialog, controlId, text);
    FieldValue value = EvaluateFieldText(text, kind);
    if (value.Store == FIELD_STORE_WORD && byte != nullptr) *byte = static_cast<uint8_t>(value.Word);
}

void ParseField(DialogHandle dialog, int32_t controlId, double* position, int32_t kind) {
    char text[FIELD_TEXT_LIMIT + 1];
    FetchFieldText(dialog, controlId, text);
    ParseFieldText(text, kind, nullptr, position);
}
