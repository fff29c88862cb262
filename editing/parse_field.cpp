#include "editing/parse_field.h"

#include <cmath>
#include <cstdlib>

#include "link/byte_order.h"

uint32_t PositionValid = 0;

namespace {

// The conversion constants, as the exact doubles the block's units were built with.
constexpr double METRES_PER_FOOT = 0.3047999902464003;  // nearest 1/3.28084
constexpr double FEET_PER_METRE = 3.28084;
constexpr double MILE_HUNDREDTHS_PER_FOOT = 0.01893939393939394;  // nearest 1/52.8
constexpr double MILLIBARS_PER_2992_INCHES = 1013.2;
constexpr double ONE_OVER_2992 = 0.03342245989304812;
constexpr double FAHRENHEIT_STEP = 5.0;
constexpr double ONE_NINTH = 0.1111111111111111;
constexpr double DEGREES_PER_MINUTE = 0.016666666666666666;
constexpr double MINUTES_LIMIT = 60.0;
constexpr double ROUNDING_TERM = 0.5;

constexpr int32_t QNH_INCHES_BELOW = 10000;   // hundredths: below 100.00 means inches
constexpr int32_t DRIFT_INCHES_BELOW = 1000;  // hundredths: below 10.00 means inches

// A bounded copy of the field: every walk below stays inside Length.
struct FieldText {
    char Chars[FIELD_TEXT_LIMIT + 1];
    int Length;
};

FieldText CopyFieldText(const char* text) {
    FieldText field{};
    if (text != nullptr)
        while (field.Length < FIELD_TEXT_LIMIT && text[field.Length] != 0) {
            field.Chars[field.Length] = text[field.Length];
            field.Length++;
        }
    field.Chars[field.Length] = 0;
    return field;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Numbers past the 32-bit range, and products that leave it, saturate instead of
// wrapping: the result stays the nearest representable value.
int32_t Saturate(int64_t value) {
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(value);
}

// Drops the fraction (toward zero), clamping into the 32-bit range first.
int32_t Truncate(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return INT32_MAX;
    if (value <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(value);
}

struct IntegerReading {
    int32_t Value;
    bool Negative;  // a '-' sign was read, so "-0" is known as negative
};

// Leading white space, an optional sign, digits up to the first other character.
IntegerReading ReadInteger(const char* chars, int begin, int end) {
    IntegerReading reading{0, false};
    int i = begin;
    while (i < end && IsSpace(chars[i])) i++;
    if (i < end && (chars[i] == '-' || chars[i] == '+')) {
        reading.Negative = chars[i] == '-';
        i++;
    }
    int64_t magnitude = 0;
    for (; i < end && IsDigit(chars[i]); i++)
        if (magnitude <= INT32_MAX) magnitude = magnitude * 10 + (chars[i] - '0');
    reading.Value = Saturate(reading.Negative ? -magnitude : magnitude);
    return reading;
}

// Leading white space, sign, digits, point and digits, exponent. Nothing readable
// gives 0.0. The accepted stretch is handed to strtod for a correctly rounded value.
double ReadDecimal(const char* chars, int begin, int end) {
    int i = begin;
    while (i < end && IsSpace(chars[i])) i++;
    int start = i;
    if (i < end && (chars[i] == '-' || chars[i] == '+')) i++;
    int digits = 0;
    for (; i < end && IsDigit(chars[i]); i++) digits++;
    if (i < end && chars[i] == '.') {
        i++;
        for (; i < end && IsDigit(chars[i]); i++) digits++;
    }
    if (digits == 0) return 0.0;
    if (i < end && Upper(chars[i]) == 'E') {
        int e = i + 1;
        if (e < end && (chars[e] == '-' || chars[e] == '+')) e++;
        if (e < end && IsDigit(chars[e])) {
            while (e < end && IsDigit(chars[e])) e++;
            i = e;
        }
    }
    char number[FIELD_TEXT_LIMIT + 1];
    int length = i - start;
    for (int k = 0; k < length; k++) number[k] = chars[start + k];
    number[length] = 0;
    return std::strtod(number, nullptr);
}

struct NumberScan {
    IntegerReading Number;
    int Stop;  // index of the stop character; Length when the scan reached the end
};

// The number at the very start: the run of digits and '-' read as an integer.
NumberScan ScanNumber(const FieldText& field) {
    int stop = 0;
    while (stop < field.Length && (IsDigit(field.Chars[stop]) || field.Chars[stop] == '-')) stop++;
    return {ReadInteger(field.Chars, 0, stop), stop};
}

bool StopIs(const FieldText& field, const NumberScan& scan, char upper) {
    return scan.Stop < field.Length && Upper(field.Chars[scan.Stop]) == upper;
}

// Hundredths from the two characters after the point at pointIndex.
int32_t ReadDecimals(const FieldText& field, int pointIndex) {
    int32_t hundredths = 0;
    int first = pointIndex + 1;
    if (first < field.Length && IsDigit(field.Chars[first])) hundredths += 10 * (field.Chars[first] - '0');
    int second = pointIndex + 2;
    if (second < field.Length && IsDigit(field.Chars[second])) hundredths += field.Chars[second] - '0';
    return hundredths;
}

// The list cells show pressures as "%.1fmb", and the dialogs are prefilled from
// them. A number written with "mb" right behind it (after its decimals) is therefore
// millibars whatever its size: without this, an unchanged drift of "1.5mb" would be
// read back as 1.5 inches of mercury, and "-1.5mb" as -0.5 inches.
bool MillibarsMarked(const FieldText& field, const NumberScan& scan) {
    int i = scan.Stop;
    if (i < field.Length && field.Chars[i] == '.') {
        i++;
        while (i < field.Length && IsDigit(field.Chars[i])) i++;
    }
    return i + 1 < field.Length && Upper(field.Chars[i]) == 'M' && Upper(field.Chars[i + 1]) == 'B';
}

int32_t ConvertPressure(const FieldText& field, const NumberScan& scan, int32_t inchesBelow) {
    bool millibars = MillibarsMarked(field, scan);
    int64_t hundredths = Saturate(100 * static_cast<int64_t>(scan.Number.Value));
    if (StopIs(field, scan, '.')) {
        int32_t decimals = ReadDecimals(field, scan.Stop);
        // Typed without a unit, the decimals add as they stand ('-1.50' is -0.50
        // inches); marked as millibars they take the number's sign ('-1.5mb').
        if (millibars && scan.Number.Negative)
            hundredths -= decimals;
        else
            hundredths += decimals;
    }
    int32_t value = Saturate(hundredths);
    if (!millibars && value < inchesBelow)
        value =
            Truncate(static_cast<double>(value) * MILLIBARS_PER_2992_INCHES * ONE_OVER_2992 + ROUNDING_TERM);
    return Saturate(16 * static_cast<int64_t>(value)) / 100;
}

int32_t ConvertRange(const FieldText& field, const NumberScan& scan) {
    int32_t n = scan.Number.Value < 0 ? 0 : scan.Number.Value;
    if (StopIs(field, scan, '.'))
        return Saturate(100 * static_cast<int64_t>(n) + ReadDecimals(field, scan.Stop));
    return Truncate(static_cast<double>(n) * FEET_PER_METRE * MILE_HUNDREDTHS_PER_FOOT + ROUNDING_TERM);
}

int32_t ConvertDirection(int32_t n) {
    int64_t degrees = static_cast<int64_t>(n) % 360;
    if (degrees < 0) degrees += 360;
    return static_cast<int32_t>(degrees * 65536 / 360);
}

int32_t ConvertPrecipitation(const FieldText& field, int32_t n) {
    if (n >= 3) return 2;
    if (n >= 1) return n;
    if (field.Length == 0 || IsDigit(field.Chars[0])) return 0;
    char first = Upper(field.Chars[0]);
    if (first == 'S') return 2;
    if (first == 'R') return 1;
    return 0;
}

// "N53 21.45", "W002 04.32": hemisphere letter, degrees, a space, minutes.
FieldValue EvaluatePosition(const FieldText& field, bool latitude) {
    FieldValue nothing{FIELD_STORE_NOTHING, 0, 0.0};
    if (field.Length == 0) return nothing;
    char hemisphere = Upper(field.Chars[0]);
    bool negative;
    if (latitude && (hemisphere == 'N' || hemisphere == 'S'))
        negative = hemisphere == 'S';
    else if (!latitude && (hemisphere == 'E' || hemisphere == 'W'))
        negative = hemisphere == 'W';
    else
        return nothing;

    int space = 1;
    while (space < field.Length && field.Chars[space] != ' ') space++;
    if (space >= field.Length) return nothing;

    int32_t degrees = ReadInteger(field.Chars, 1, space).Value;
    if (degrees < 0 || degrees > (latitude ? 89 : 180)) return nothing;
    double minutes = ReadDecimal(field.Chars, space + 1, field.Length);
    // An exponent can overflow the minutes to infinity; that is no position.
    if (!std::isfinite(minutes) || !(minutes < MINUTES_LIMIT)) return nothing;

    double value = minutes * DEGREES_PER_MINUTE + degrees;
    return {FIELD_STORE_POSITION, 0, negative ? -value : value};
}

FieldValue Word(int32_t value) { return {FIELD_STORE_WORD, value, 0.0}; }

}  // namespace

FieldValue EvaluateFieldText(const char* text, int32_t kind) {
    FieldText field = CopyFieldText(text);
    if (kind == FIELD_LATITUDE || kind == FIELD_LONGITUDE)
        return EvaluatePosition(field, kind == FIELD_LATITUDE);

    NumberScan scan = ScanNumber(field);
    int32_t n = scan.Number.Value;
    if (kind < 0) {
        int64_t upper = -static_cast<int64_t>(kind);
        if (n > upper) return Word(static_cast<int32_t>(upper));
        return Word(n < 0 ? 0 : n);
    }
    switch (kind) {
        case FIELD_INTEGER:
            return Word(n);
        case FIELD_FEET:
            return Word(Truncate(static_cast<double>(n) * METRES_PER_FOOT + ROUNDING_TERM));
        case FIELD_RANGE:
            return Word(ConvertRange(field, scan));
        case FIELD_QNH:
            return Word(ConvertPressure(field, scan, QNH_INCHES_BELOW));
        case FIELD_DRIFT:
            return Word(ConvertPressure(field, scan, DRIFT_INCHES_BELOW));
        case FIELD_TEMPERATURE:
            if (!StopIs(field, scan, 'F')) return Word(n);
            return Word(
                Truncate((static_cast<double>(n) - 32.0) * FAHRENHEIT_STEP * ONE_NINTH + ROUNDING_TERM));
        case FIELD_TEMPERATURE_DIFF:
            if (!StopIs(field, scan, 'F')) return Word(n);
            return Word(Truncate(static_cast<double>(n) * FAHRENHEIT_STEP * ONE_NINTH + ROUNDING_TERM));
        case FIELD_DIRECTION:
            return Word(ConvertDirection(n));
        case FIELD_PRECIPITATION:
            return Word(ConvertPrecipitation(field, n));
        default:
            return {FIELD_STORE_NOTHING, 0, 0.0};
    }
}

void ParseFieldText(const char* text, int32_t kind, uint8_t* word16, double* position) {
    FieldValue value = EvaluateFieldText(text, kind);
    if (value.Store == FIELD_STORE_WORD && word16 != nullptr) {
        StoreU16(word16, static_cast<uint16_t>(value.Word));
    } else if (value.Store == FIELD_STORE_POSITION && position != nullptr) {
        *position = value.Position;
        PositionValid |= kind == FIELD_LATITUDE ? POSITION_LATITUDE_BIT : POSITION_LONGITUDE_BIT;
    }
}
