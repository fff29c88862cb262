// Reading the numbers typed into the edit dialogs and converting them into the
// weather block's own units. Typed input is never refused: a numeric field always
// writes its destination; only the latitude and longitude kinds can fail.
#pragma once

#include <cstdint>

#include "platform/dialog.h"

// What a field holds and how it is stored. A negative kind -N stores the integer
// clamped into 0..N. Kinds 10 to 29 and 31 and above store nothing.
constexpr int32_t FIELD_INTEGER = 0;           // integer, 16 bits
constexpr int32_t FIELD_FEET = 1;              // feet typed, metres stored
constexpr int32_t FIELD_RANGE = 2;             // metres, or statute miles with a point; hundredths of a mile
constexpr int32_t FIELD_QNH = 3;               // millibars or inches of mercury; sixteenths of a millibar
constexpr int32_t FIELD_TEMPERATURE = 4;       // Celsius, or Fahrenheit with F; Celsius stored
constexpr int32_t FIELD_DIRECTION = 5;         // degrees typed, 65536ths of a circle stored
constexpr int32_t FIELD_PRECIPITATION = 6;     // 0 None, 1 Rain, 2 Snow
constexpr int32_t FIELD_TEMPERATURE_DIFF = 7;  // a difference, Celsius or Fahrenheit with F
constexpr int32_t FIELD_LATITUDE = 8;          // "N53 21.45": degrees as a double, north positive
constexpr int32_t FIELD_LONGITUDE = 9;         // "W002 04.32": degrees as a double, east positive
constexpr int32_t FIELD_DRIFT = 30;            // millibars or inches of mercury; sixteenths of a millibar

// At most this many characters of a field are read; the rest is ignored.
constexpr int FIELD_TEXT_LIMIT = 64;

// Bit 1: a latitude was stored; bit 2: a longitude was stored. Never cleared here.
constexpr uint32_t POSITION_LATITUDE_BIT = 1;
constexpr uint32_t POSITION_LONGITUDE_BIT = 2;
extern uint32_t PositionValid;

enum FieldStore : int32_t {
    FIELD_STORE_NOTHING = 0,   // an unknown kind, or a position that failed
    FIELD_STORE_WORD = 1,      // Word: the low 16 bits go into the destination field
    FIELD_STORE_POSITION = 2,  // Position: degrees for a latitude or longitude
};

struct FieldValue {
    FieldStore Store;
    int32_t Word;
    double Position;
};

// The conversion alone: no state is read or written.
FieldValue EvaluateFieldText(const char* text, int32_t kind);

// Applies the conversion of text for kind. word16 (two bytes, little-endian) receives
// the 16-bit kinds, position the latitude and longitude kinds; a null destination is
// skipped. A stored position ORs its bit into PositionValid.
void ParseFieldText(const char* text, int32_t kind, uint8_t* word16, double* position);

// Fetch the dialog field's text and parse it. The 16-bit form writes two bytes
// little-endian; the byte form writes the low byte of the 16-bit result (for the
// one-byte record fields); the double form serves FIELD_LATITUDE and FIELD_LONGITUDE.
// A destination that does not fit the kind is left untouched.
void ParseField(DialogHandle dialog, int32_t controlId, uint8_t* word16, int32_t kind);
void ParseFieldByte(DialogHandle dialog, int32_t controlId, uint8_t* byte, int32_t kind);
void ParseField(DialogHandle dialog, int32_t controlId, double* position, int32_t kind);
