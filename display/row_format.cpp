#include "display/row_format.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// All arithmetic in double precision and in a fixed order, so texts are reproducible to
// the digit. The three single-precision factors keep their float values widened to
// double; that decides some metre figures at the last digit.
constexpr double METRES_TO_FEET = 3.28084;
constexpr double ONE_OVER_65536 = 1.52587890625e-05;
constexpr double FULL_CIRCLE = 360.0;
constexpr double SIXTEENTH_MILLIBAR = 0.0625;
constexpr double STANDARD_INCHES = 29.92;
constexpr double ONE_OVER_STANDARD_SIXTEENTHS = 6.168574812475326e-05;  // 1 / (1013.2 x 16)
constexpr double TENTH = 0.1;
constexpr double MINUTES_PER_DEGREE = 60.0;
constexpr double ROUNDING_HALF = 0.5;
constexpr double FAHRENHEIT_NINE = 9.0;
constexpr double FAHRENHEIT_HALF = 2.5;
constexpr double FAHRENHEIT_FIFTH = 0.2;
constexpr double FAHRENHEIT_MINUS_FIFTH = -0.2;
constexpr double FEET_PER_HUNDREDTH_MILE = static_cast<double>(52.8f);
constexpr double HALF_METRE_IN_FEET = static_cast<double>(1.64042f);
constexpr double FEET_TO_METRES = static_cast<double>(0.3048f);

// Metres are added to the range only below 6.22 miles (10 km).
constexpr uint32_t METRES_SHOWN_BELOW_RANGE = 622;

constexpr const char* PRECIPITATION_NAMES[3] = {"None", "Rain", "Snow"};
constexpr const char* COMPASS_NAMES[8] = {" N", "NE", " E", "SE", " S", "SW", " W", "NW"};
constexpr char DESIGNATOR_LETTERS[5] = {' ', 'L', 'R', 'C', 'W'};
constexpr char UNKNOWN_DESIGNATOR = '?';
constexpr uint8_t FIRST_COMPASS_RUNWAY = 37;
constexpr uint8_t LAST_COMPASS_RUNWAY = 44;
constexpr uint8_t LAST_NUMBERED_RUNWAY = 36;

// A snprintf result that did not fit leaves no text rather than a cut-off one.
bool Fits(int written, char* out, size_t outSize) {
    if (written < 0 || static_cast<size_t>(written) >= outSize) {
        out[0] = '\0';
        return false;
    }
    return true;
}

// Cells are rebuilt for every layer of every list on a refresh, so the common integer
// texts are put together here rather than through snprintf. The result is the same text
// that "%d" and "%.0f" would give.
struct TextWriter {
    char* Out;
    size_t Size;
    size_t Length = 0;
    bool Overflow = false;

    void Put(char c) {
        if (Length + 1 < Size) {
            Out[Length++] = c;
        } else {
            Overflow = true;
        }
    }
    void Put(const char* text) {
        while (*text != '\0') Put(*text++);
    }
    void PutInteger(int64_t value) {
        char digits[24];
        int count = 0;
        uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
        do {
            digits[count++] = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        if (value < 0) Put('-');
        while (count > 0) Put(digits[--count]);
    }
    // "%.0f": to nearest, ties to even as the formatter does, keeping the sign of a
    // negative value that rounds to 0. Values here stay far below 2^53.
    void PutRounded(double value) {
        const double rounded = std::nearbyint(value);
        if (std::signbit(rounded) && rounded == 0.0) Put('-');
        PutInteger(static_cast<int64_t>(rounded));
    }
    bool Finish() {
        Out[Overflow ? 0 : Length] = '\0';
        return !Overflow;
    }
};

bool FormatFeet(double metres, char* out, size_t outSize) {
    TextWriter text{out, outSize};
    text.PutRounded(metres * METRES_TO_FEET);
    text.Put("ft");
    return text.Finish();
}

bool FormatInteger(int64_t value, const char* suffix, char* out, size_t outSize) {
    TextWriter text{out, outSize};
    text.PutInteger(value);
    text.Put(suffix);
    return text.Finish();
}

bool FormatRounded(double value, const char* suffix, char* out, size_t outSize) {
    TextWriter text{out, outSize};
    text.PutRounded(value);
    text.Put(suffix);
    return text.Finish();
}

bool FormatText(const char* value, char* out, size_t outSize) {
    TextWriter text{out, outSize};
    text.Put(value);
    return text.Finish();
}

bool FormatInteger(int64_t value, char* out, size_t outSize) {
    return FormatInteger(value, "", out, outSize);
}

bool FormatCelsiusAndFahrenheit(int celsius, int fahrenheit, char* out, size_t outSize) {
    TextWriter text{out, outSize};
    text.PutInteger(celsius);
    text.Put("C (");
    text.PutInteger(fahrenheit);
    text.Put("F)");
    return text.Finish();
}

bool FormatRange(uint16_t range, char* out, size_t outSize) {
    const uint32_t r = range;
    const int tenths = static_cast<int>((r + 5) / 10);
    char metresSuffix[24] = "";
    if (r < METRES_SHOWN_BELOW_RANGE) {
        const int metres =
            static_cast<int>((r * FEET_PER_HUNDREDTH_MILE + HALF_METRE_IN_FEET) * FEET_TO_METRES);
        std::snprintf(metresSuffix, sizeof metresSuffix, " (%dm)", metres);
    }
    return Fits(std::snprintf(out, outSize, "%.1fsm%s", tenths * TENTH, metresSuffix), out, outSize);
}

int FahrenheitOf(int celsius) {
    return 32 - static_cast<int>((celsius * FAHRENHEIT_NINE + FAHRENHEIT_HALF) * FAHRENHEIT_MINUS_FIFTH);
}

bool FormatTemperature(int celsius, char* out, size_t outSize) {
    return FormatCelsiusAndFahrenheit(celsius, FahrenheitOf(celsius), out, outSize);
}

// A difference of temperatures: scaled to Fahrenheit without the offset of 32.
bool FormatTemperatureDifference(int celsius, char* out, size_t outSize) {
    const int fahrenheit = static_cast<int>((celsius * FAHRENHEIT_NINE + FAHRENHEIT_HALF) * FAHRENHEIT_FIFTH);
    return FormatCelsiusAndFahrenheit(celsius, fahrenheit, out, outSize);
}

// Degrees and minutes; exactly 0.0 means "no position" and shows nothing. The module is
// untrusted: an angle that is not a number or whose whole degrees do not fit an int
// cannot be shown as degrees and also leaves the cell empty.
bool FormatAngle(double angle, bool longitude, char* out, size_t outSize) {
    if (angle == 0.0) return false;
    const double magnitude = std::fabs(angle);
    if (!(magnitude < 2147483648.0)) return false;
    const int degrees = static_cast<int>(magnitude);
    const double minutes = (magnitude - degrees) * MINUTES_PER_DEGREE;
    int written;
    if (longitude) {
        written = std::snprintf(out, outSize, "%c%03d %02.2f", angle < 0.0 ? 'W' : 'E', degrees, minutes);
    } else {
        written = std::snprintf(out, outSize, "%c%02d %02.2f", angle < 0.0 ? 'S' : 'N', degrees, minutes);
    }
    return Fits(written, out, outSize);
}

// Two runway codes, each four characters, one after the other.
bool FormatRunwayPair(const uint8_t* codes, char* out, size_t outSize) {
    if (outSize < 2 * 4 + 1) {
        out[0] = '\0';
        return false;
    }
    FormatRunway(codes[0], codes[1], out);
    FormatRunway(codes[2], codes[3], out + 4);
    return true;
}

bool FormatVisibilityCell(const WeatherBlock& block, int32_t row, int32_t column, char* out, size_t outSize) {
    if (row > BlockUpperVisibilityCount(block)) return false;
    const VisibilityLayer layer = LoadVisibilityLayer(VisibilitySlot(block, row));
    switch (column) {
        case 1:
            return FormatFeet(layer.LowerAltitude, out, outSize);
        case 2:
            return FormatFeet(layer.UpperAltitude, out, outSize);
        case 3:
            return FormatRange(layer.Range, out, outSize);
        default:
            return false;
    }
}

bool FormatPressureCell(const WeatherBlock& block, int32_t row, int32_t column, char* out, size_t outSize) {
    if (row != 0) return false;
    const PressureRecord pressure = LoadPressureRecord(block.Bytes + OFS_PRESSURE);
    switch (column) {
        case 1: {
            const double qnh = pressure.Qnh;
            return Fits(std::snprintf(out, outSize, "%.1fmb (%.2f\")", qnh * SIXTEENTH_MILLIBAR,
                                      (STANDARD_INCHES * qnh) * ONE_OVER_STANDARD_SIXTEENTHS),
                        out, outSize);
        }
        case 2:
            return Fits(std::snprintf(out, outSize, "%.1fmb", pressure.Drift * SIXTEENTH_MILLIBAR), out,
                        outSize);
        default:
            return false;
    }
}

bool FormatTemperatureCell(const WeatherBlock& block, int32_t row, int32_t column, char* out,
                           size_t outSize) {
    if (row >= BlockTemperatureCount(block)) return false;
    const TemperatureLayer layer = LoadTemperatureLayer(TemperatureAt(block, row));
    switch (column) {
        case 1:
            return FormatFeet(layer.Altitude, out, outSize);
        case 2:
            return FormatTemperature(layer.Day, out, outSize);
        case 3:
            return FormatTemperatureDifference(layer.DayNightVariation, out, outSize);
        case 4:
            return FormatTemperature(layer.DewPoint, out, outSize);
        default:
            return false;
    }
}

bool FormatStationCell(const WeatherBlock& block, const RunwayBuffer& runways, const StationRequest& request,
                       int32_t row, int32_t column, char* out, size_t outSize) {
    if (row != 0) return false;
    switch (column) {
        case 1: {
            // The identifier is not terminated when all four characters are used.
            char icao[5] = {};
            std::memcpy(icao, BlockIcao(block), 4);
            return FormatText(icao, out, outSize);
        }
        case 2:
            return FormatAngle(BlockLatitude(block), false, out, outSize);
        case 3:
            return FormatAngle(BlockLongitude(block), true, out, outSize);
        case 4: {
            const int feet =
                static_cast<int>(BlockElevation(block) * METRES_TO_FEET * ONE_OVER_65536 + ROUNDING_HALF);
            return FormatInteger(feet, out, outSize);
        }
        case 5:
        case 6:
            // Runways belong to the station the reply names; a reply for another station shows nothing.
            if (std::memcmp(runways.Bytes + RWY_ICAO, request.Bytes + SRQ_ICAO, 4) != 0) return false;
            return FormatRunwayPair(runways.Bytes + (column == 5 ? RWY_DEPARTURE : RWY_ARRIVAL), out,
                                    outSize);
        default:
            return false;
    }
}

bool FormatCloudCell(const WeatherBlock& block, int32_t row, int32_t column, char* out, size_t outSize) {
    if (row >= BlockCloudCount(block)) return false;
    const CloudLayer layer = LoadCloudLayer(CloudAt(block, row));
    switch (column) {
        case 1:
            return FormatFeet(layer.LowerAltitude, out, outSize);
        case 2:
            return FormatFeet(layer.UpperAltitude, out, outSize);
        case 3:
            return FormatFeet(layer.Deviation, out, outSize);
        case 4:
            return FormatInteger(layer.Cover, "/8", out, outSize);
        case 5:
            return FormatInteger(layer.Type, out, outSize);
        case 6:
            return FormatInteger(layer.Turbulence, out, outSize);
        case 7:
            return FormatInteger(layer.Icing, out, outSize);
        case 8:
            if (layer.PrecipType < 3) {
                return FormatText(PRECIPITATION_NAMES[layer.PrecipType], out, outSize);
            }
            return FormatInteger(layer.PrecipType, out, outSize);
        case 9:
            return FormatInteger(layer.PrecipRate, out, outSize);
        case 10:
            return FormatFeet(layer.PrecipBase, out, outSize);
        case 11:
            return FormatInteger(layer.TopShape, out, outSize);
        default:
            return false;
    }
}

bool FormatWindCell(const WeatherBlock& block, int32_t row, int32_t column, char* out, size_t outSize) {
    if (row >= BlockWindCount(block)) return false;
    const WindLayer layer = LoadWindLayer(WindAt(block, row));
    switch (column) {
        case 1:
            return FormatFeet(layer.UpperAltitude, out, outSize);
        case 2:
            return FormatInteger(layer.Speed, "kn", out, outSize);
        case 3:
            return FormatRounded(layer.Direction * FULL_CIRCLE * ONE_OVER_65536, "T", out, outSize);
        case 4: {
            // A gust at or below the speed is stored as the excess over it.
            const int gust = layer.Gust;
            const int speed = layer.Speed;
            const int figure = (gust != 0 && gust <= speed) ? gust + speed : gust;
            return FormatInteger(figure, "kn", out, outSize);
        }
        case 5:
            return FormatInteger(layer.Turbulence, out, outSize);
        case 6:
            return FormatInteger(layer.Shear, out, outSize);
        case 7:
            return FormatRounded(layer.Variance * FULL_CIRCLE * ONE_OVER_65536, "", out, outSize);
        case 8:
            return FormatFeet(layer.GapAbove, out, outSize);
        default:
            return false;
    }
}

}  // namespace

bool FormatRowNumber(int32_t row, char* out, size_t outSize) {
    if (out == nullptr || outSize == 0) return false;
    // "% 3d ": a sign place (space for positive), right-aligned in three, then a space.
    char number[24];
    TextWriter digits{number, sizeof number};
    if (row >= 0) digits.Put(' ');
    digits.PutInteger(row);
    digits.Finish();
    TextWriter text{out, outSize};
    for (size_t pad = digits.Length; pad < 3; ++pad) text.Put(' ');
    text.Put(number);
    text.Put(' ');
    return text.Finish();
}

void FormatRunway(uint8_t number, uint8_t designator, char out[5]) {
    const char letter =
        designator < sizeof DESIGNATOR_LETTERS ? DESIGNATOR_LETTERS[designator] : UNKNOWN_DESIGNATOR;
    if (number >= 1 && number <= LAST_NUMBERED_RUNWAY) {
        out[0] = static_cast<char>('0' + number / 10);
        out[1] = static_cast<char>('0' + number % 10);
        out[2] = letter;
    } else if (number >= FIRST_COMPASS_RUNWAY && number <= LAST_COMPASS_RUNWAY) {
        const char* compass = COMPASS_NAMES[number - FIRST_COMPASS_RUNWAY];
        out[0] = compass[0];
        out[1] = compass[1];
        out[2] = letter;
    } else {
        out[0] = ' ';
        out[1] = ' ';
        out[2] = ' ';
    }
    out[3] = ' ';
    out[4] = '\0';
}

int32_t ListLayerRows(const WeatherBlock& block, ListKind kind) {
    switch (kind) {
        case LIST_VISIBILITY:
            return BlockUpperVisibilityCount(block) + 1;
        case LIST_PRESSURE:
            return 1;
        case LIST_TEMPERATURE:
            return BlockTemperatureCount(block);
        case LIST_STATION:
            return 1;
        case LIST_CLOUD:
            return BlockCloudCount(block);
        case LIST_WINDS:
            return BlockWindCount(block);
    }
    return 0;
}

bool FormatCell(const WeatherBlock& block, const RunwayBuffer& runways, const StationRequest& request,
                ListKind kind, int32_t row, int32_t column, char* out, size_t outSize) {
    if (out == nullptr || outSize == 0) return false;
    out[0] = '\0';
    if (row < 0) return false;
    if (column == 0) return FormatRowNumber(row, out, outSize);
    switch (kind) {
        case LIST_VISIBILITY:
            return FormatVisibilityCell(block, row, column, out, outSize);
        case LIST_PRESSURE:
            return FormatPressureCell(block, row, column, out, outSize);
        case LIST_TEMPERATURE:
            return FormatTemperatureCell(block, row, column, out, outSize);
        case LIST_STATION:
            return FormatStationCell(block, runways, request, row, column, out, outSize);
        case LIST_CLOUD:
            return FormatCloudCell(block, row, column, out, outSize);
        case LIST_WINDS:
            return FormatWindCell(block, row, column, out, outSize);
    }
    return false;
}
