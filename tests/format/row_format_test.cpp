// Cell texts of the six lists, from blocks built field by field.
#include "display/row_format.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

namespace {

// Marks a cell left empty (the formatter returned "no text").
constexpr const char* NO_TEXT = "<no text>";

struct FormatFixture : ::testing::Test {
    WeatherBlock block{};
    RunwayBuffer runways{};
    StationRequest request{};

    std::string Cell(ListKind kind, int32_t row, int32_t column) {
        char text[CELL_TEXT_SIZE];
        std::memset(text, 'x', sizeof text);
        if (!FormatCell(block, runways, request, kind, row, column, text, sizeof text)) return NO_TEXT;
        return text;
    }
    void SetCount(uint32_t countOffset, int32_t count) { StoreI32(block.Bytes + countOffset, count); }
    void SetIcao(uint8_t* icao, const char* text) { std::memcpy(icao, text, 4); }
};

// ---- Visibility -------------------------------------------------------------------

struct RangeCase {
    uint16_t Range;
    const char* Text;
};

class RangeCell : public FormatFixture, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(RangeCell, ShowsTenthsOfAMileAndMetresBelowTenKilometres) {
    StoreU16(block.Bytes + OFS_BASE_VISIBILITY + VIS_RANGE, GetParam().Range);
    EXPECT_EQ(Cell(LIST_VISIBILITY, 0, 3), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(Ranges, RangeCell,
                         ::testing::Values(RangeCase{0, "0.0sm (0m)"}, RangeCase{1, "0.0sm (16m)"},
                                           RangeCase{4, "0.0sm (64m)"}, RangeCase{5, "0.1sm (80m)"},
                                           RangeCase{50, "0.5sm (805m)"}, RangeCase{621, "6.2sm (9994m)"},
                                           RangeCase{622, "6.2sm"}, RangeCase{1000, "10.0sm"},
                                           RangeCase{65535, "655.4sm"}));

TEST_F(FormatFixture, VisibilityAltitudesAreFeetWithSignedBaseAndUnsignedTop) {
    StoreI16(block.Bytes + OFS_BASE_VISIBILITY + VIS_LOWER_ALTITUDE, -100);
    StoreU16(block.Bytes + OFS_BASE_VISIBILITY + VIS_UPPER_ALTITUDE, 65535);
    EXPECT_EQ(Cell(LIST_VISIBILITY, 0, 1), "-328ft");
    EXPECT_EQ(Cell(LIST_VISIBILITY, 0, 2), "215010ft");
}

TEST_F(FormatFixture, VisibilityRowsAboveZeroShowTheUpperLayers) {
    SetCount(OFS_UPPER_VISIBILITY_COUNT, 2);
    StoreU16(block.Bytes + OFS_BASE_VISIBILITY + VIS_UPPER_ALTITUDE, 100);
    StoreU16(UpperVisibilityAt(block, 0) + VIS_UPPER_ALTITUDE, 1000);
    StoreU16(UpperVisibilityAt(block, 1) + VIS_UPPER_ALTITUDE, 3000);
    EXPECT_EQ(Cell(LIST_VISIBILITY, 0, 2), "328ft");
    EXPECT_EQ(Cell(LIST_VISIBILITY, 1, 2), "3281ft");
    EXPECT_EQ(Cell(LIST_VISIBILITY, 2, 2), "9843ft");
    EXPECT_EQ(Cell(LIST_VISIBILITY, 3, 2), NO_TEXT);  // the closing row
}

// ---- Pressure ---------------------------------------------------------------------

struct PressureCase {
    uint16_t Qnh;
    int16_t Drift;
    const char* QnhText;
    const char* DriftText;
};

class PressureCells : public FormatFixture, public ::testing::WithParamInterface<PressureCase> {};

TEST_P(PressureCells, ShowMillibarsAndInches) {
    StorePressureRecord(block.Bytes + OFS_PRESSURE, {GetParam().Qnh, GetParam().Drift});
    EXPECT_EQ(Cell(LIST_PRESSURE, 0, 1), GetParam().QnhText);
    EXPECT_EQ(Cell(LIST_PRESSURE, 0, 2), GetParam().DriftText);
}

INSTANTIATE_TEST_SUITE_P(
    Pressures, PressureCells,
    ::testing::Values(PressureCase{16211, -24, "1013.2mb (29.92\")", "-1.5mb"},  // a typed 1013.2
                      PressureCase{0, 0, "0.0mb (0.00\")", "0.0mb"},
                      PressureCase{16000, 16, "1000.0mb (29.53\")", "1.0mb"},
                      PressureCase{65535, 32767, "4095.9mb (120.95\")", "2047.9mb"},  // Qnh unsigned
                      PressureCase{16211, -32768, "1013.2mb (29.92\")", "-2048.0mb"}));

// ---- Temperature ------------------------------------------------------------------

struct TemperatureCase {
    int16_t Celsius;
    const char* AsTemperature;  // Day and Dew
    const char* AsVariation;    // Var: no offset of 32
};

class TemperatureCells : public FormatFixture, public ::testing::WithParamInterface<TemperatureCase> {};

TEST_P(TemperatureCells, ShowCelsiusAndFahrenheit) {
    SetCount(OFS_TEMPERATURE_COUNT, 1);
    StoreTemperatureLayer(TemperatureAt(block, 0),
                          {0, GetParam().Celsius, GetParam().Celsius, GetParam().Celsius});
    EXPECT_EQ(Cell(LIST_TEMPERATURE, 0, 2), GetParam().AsTemperature);
    EXPECT_EQ(Cell(LIST_TEMPERATURE, 0, 3), GetParam().AsVariation);
    EXPECT_EQ(Cell(LIST_TEMPERATURE, 0, 4), GetParam().AsTemperature);
}

// Below 0 C the Fahrenheit figure is one above the rounded value (-40 C shows -39F).
INSTANTIATE_TEST_SUITE_P(Temperatures, TemperatureCells,
                         ::testing::Values(TemperatureCase{0, "0C (32F)", "0C (0F)"},
                                           TemperatureCase{15, "15C (59F)", "15C (27F)"},
                                           TemperatureCase{10, "10C (50F)", "10C (18F)"},
                                           TemperatureCase{1, "1C (34F)", "1C (2F)"},
                                           TemperatureCase{-1, "-1C (31F)", "-1C (-1F)"},
                                           TemperatureCase{-10, "-10C (15F)", "-10C (-17F)"},
                                           TemperatureCase{-40, "-40C (-39F)", "-40C (-71F)"},
                                           TemperatureCase{32767, "32767C (59013F)", "32767C (58981F)"},
                                           TemperatureCase{-32768, "-32768C (-58949F)",
                                                           "-32768C (-58981F)"}));

TEST_F(FormatFixture, TemperatureAltitudeIsUnsigned) {
    SetCount(OFS_TEMPERATURE_COUNT, 2);
    StoreU16(TemperatureAt(block, 0) + TMP_ALTITUDE, 65535);
    StoreU16(TemperatureAt(block, 1) + TMP_ALTITUDE, 1000);
    EXPECT_EQ(Cell(LIST_TEMPERATURE, 0, 1), "215010ft");
    EXPECT_EQ(Cell(LIST_TEMPERATURE, 1, 1), "3281ft");
}

// ---- Station ----------------------------------------------------------------------

TEST_F(FormatFixture, StationIcaoShowsAtMostFourCharacters) {
    struct {
        const char Icao[4];
        const char* Text;
    } cases[] = {{{'E', 'G', 'C', 'C'}, "EGCC"}, {{'K', 'S', 'F', 0}, "KSF"}, {{0, 'A', 'B', 'C'}, ""}};
    // The byte after the identifier is Reserved12: it must not leak into the cell.
    std::memcpy(block.Bytes + OFS_RESERVED12, "ZZZZ", 4);
    for (const auto& c : cases) {
        std::memcpy(block.Bytes + OFS_ICAO, c.Icao, 4);
        EXPECT_EQ(Cell(LIST_STATION, 0, 1), c.Text);
    }
}

struct AngleCase {
    double Degrees;
    const char* Latitude;
    const char* Longitude;
};

class StationPosition : public FormatFixture, public ::testing::WithParamInterface<AngleCase> {};

TEST_P(StationPosition, ShowsHemisphereDegreesAndMinutes) {
    StoreF64(block.Bytes + OFS_LATITUDE, GetParam().Degrees);
    StoreF64(block.Bytes + OFS_LONGITUDE, GetParam().Degrees);
    EXPECT_EQ(Cell(LIST_STATION, 0, 2), GetParam().Latitude);
    EXPECT_EQ(Cell(LIST_STATION, 0, 3), GetParam().Longitude);
}

INSTANTIATE_TEST_SUITE_P(
    Angles, StationPosition,
    ::testing::Values(AngleCase{53.0 + 21.45 / 60.0, "N53 21.45", "E053 21.45"},
                      AngleCase{-(2.0 + 4.32 / 60.0), "S02 4.32", "W002 4.32"},  // no leading zero
                      AngleCase{0.0, NO_TEXT, NO_TEXT}, AngleCase{-0.0, NO_TEXT, NO_TEXT},
                      AngleCase{1e-9, "N00 0.00", "E000 0.00"}, AngleCase{-1e-9, "S00 0.00", "W000 0.00"},
                      AngleCase{10.99999999, "N10 60.00", "E010 60.00"},  // rounds up to 60 minutes
                      AngleCase{-179.5, "S179 30.00", "W179 30.00"},
                      // Untrusted values that have no whole degrees as an int leave the cell empty.
                      AngleCase{1e300, NO_TEXT, NO_TEXT}, AngleCase{-3e9, NO_TEXT, NO_TEXT},
                      AngleCase{std::numeric_limits<double>::quiet_NaN(), NO_TEXT, NO_TEXT},
                      AngleCase{std::numeric_limits<double>::infinity(), NO_TEXT, NO_TEXT}));

TEST_F(FormatFixture, StationElevationIsRoundedFeetWithoutUnit) {
    struct {
        int32_t Elevation;
        const char* Text;
    } cases[] = {
        {100 * 65536, "328"}, {-10 * 65536, "-32"}, {0, "0"}, {INT32_MAX, "107507"}, {INT32_MIN, "-107506"}};
    for (const auto& c : cases) {
        StoreI32(block.Bytes + OFS_ELEVATION, c.Elevation);
        EXPECT_EQ(Cell(LIST_STATION, 0, 4), c.Text) << c.Elevation;
    }
}

TEST_F(FormatFixture, RunwaysShowOnlyForTheRequestedStation) {
    SetIcao(request.Bytes + SRQ_ICAO, "EGLL");
    const uint8_t codes[8] = {9, 1, 27, 2, 37, 0, 0, 0};
    std::memcpy(runways.Bytes + RWY_DEPARTURE, codes, sizeof codes);

    SetIcao(runways.Bytes + RWY_ICAO, "EGLL");
    EXPECT_EQ(Cell(LIST_STATION, 0, 5), "09L 27R ");
    EXPECT_EQ(Cell(LIST_STATION, 0, 6), " N      ");

    SetIcao(runways.Bytes + RWY_ICAO, "EGLX");  // the last byte differs
    EXPECT_EQ(Cell(LIST_STATION, 0, 5), NO_TEXT);
    EXPECT_EQ(Cell(LIST_STATION, 0, 6), NO_TEXT);
}

TEST_F(FormatFixture, ClearedRunwaysOfAMatchingReplyShowSpaces) {
    SetIcao(request.Bytes + SRQ_ICAO, "GLOB");
    SetIcao(runways.Bytes + RWY_ICAO, "GLOB");
    EXPECT_EQ(Cell(LIST_STATION, 0, 5), "        ");
    EXPECT_EQ(Cell(LIST_STATION, 0, 6), "        ");
}

struct RunwayCase {
    uint8_t Number;
    uint8_t Designator;
    const char* Text;
};

class RunwayText : public ::testing::TestWithParam<RunwayCase> {};

TEST_P(RunwayText, IsExactlyFourCharacters) {
    char text[5];
    std::memset(text, 'x', sizeof text);
    FormatRunway(GetParam().Number, GetParam().Designator, text);
    EXPECT_EQ(std::string(text, 5), std::string(GetParam().Text, 5));
}

INSTANTIATE_TEST_SUITE_P(Runways, RunwayText,
                         ::testing::Values(RunwayCase{9, 1, "09L "}, RunwayCase{1, 0, "01  "},
                                           RunwayCase{36, 3, "36C "}, RunwayCase{18, 2, "18R "},
                                           RunwayCase{27, 4, "27W "}, RunwayCase{37, 0, " N  "},
                                           RunwayCase{38, 1, "NEL "}, RunwayCase{40, 2, "SER "},
                                           RunwayCase{43, 0, " W  "}, RunwayCase{44, 4, "NWW "},
                                           RunwayCase{0, 0, "    "}, RunwayCase{0, 1, "    "},
                                           RunwayCase{45, 1, "    "}, RunwayCase{255, 255, "    "},
                                           // Designators beyond " LRCW" show a question mark.
                                           RunwayCase{9, 5, "09? "}, RunwayCase{37, 255, " N? "}));

// ---- Cloud ------------------------------------------------------------------------

TEST_F(FormatFixture, CloudCellsInColumnOrder) {
    SetCount(OFS_CLOUD_COUNT, 1);
    StoreCloudLayer(CloudAt(block, 0), {3000, 1000, 100, 8, 10, 4, 3, -100, 1, 5, 7, 0xEE});
    const char* expected[] = {"3281ft", "9843ft", "328ft", "8/8", "10", "4", "3", "Rain", "5", "-328ft", "7"};
    for (int column = 1; column <= 11; ++column) {
        EXPECT_EQ(Cell(LIST_CLOUD, 0, column), expected[column - 1]) << "column " << column;
    }
}

TEST_F(FormatFixture, CloudPrecipitationNamesTheFirstThreeTypes) {
    SetCount(OFS_CLOUD_COUNT, 1);
    struct {
        uint8_t Type;
        const char* Text;
    } cases[] = {{0, "None"}, {1, "Rain"}, {2, "Snow"}, {3, "3"}, {7, "7"}, {255, "255"}};
    for (const auto& c : cases) {
        CloudAt(block, 0)[CLD_PRECIP_TYPE] = c.Type;
        EXPECT_EQ(Cell(LIST_CLOUD, 0, 8), c.Text);
    }
}

TEST_F(FormatFixture, CloudByteFieldsAreUnsigned) {
    SetCount(OFS_CLOUD_COUNT, 1);
    StoreCloudLayer(CloudAt(block, 0), {0, 0, 0, 200, 255, 128, 250, 0, 0, 255, 255, 0});
    EXPECT_EQ(Cell(LIST_CLOUD, 0, 4), "200/8");
    EXPECT_EQ(Cell(LIST_CLOUD, 0, 5), "255");
    EXPECT_EQ(Cell(LIST_CLOUD, 0, 6), "128");
    EXPECT_EQ(Cell(LIST_CLOUD, 0, 7), "250");
    EXPECT_EQ(Cell(LIST_CLOUD, 0, 9), "255");
    EXPECT_EQ(Cell(LIST_CLOUD, 0, 11), "255");
}

// ---- Winds ------------------------------------------------------------------------

TEST_F(FormatFixture, WindCellsInColumnOrder) {
    SetCount(OFS_WIND_COUNT, 1);
    StoreWindLayer(WindAt(block, 0), {1000, 25, 10, 16384, 3, 2, 8192, 0xBEEF, 100});
    const char* expected[] = {"3281ft", "25kn", "90T", "35kn", "3", "2", "45", "328ft"};
    for (int column = 1; column <= 8; ++column) {
        EXPECT_EQ(Cell(LIST_WINDS, 0, column), expected[column - 1]) << "column " << column;
    }
}

TEST_F(FormatFixture, WindDirectionAndVarianceInDegrees) {
    SetCount(OFS_WIND_COUNT, 1);
    struct {
        uint16_t Value;
        const char* Direction;
        const char* Variance;
    } cases[] = {{0, "0T", "0"},
                 {16384, "90T", "90"},
                 {32768, "180T", "180"},
                 {65535, "360T", "360"},
                 {182, "1T", "1"}};
    for (const auto& c : cases) {
        StoreU16(WindAt(block, 0) + WND_DIRECTION, c.Value);
        StoreU16(WindAt(block, 0) + WND_VARIANCE, c.Value);
        EXPECT_EQ(Cell(LIST_WINDS, 0, 3), c.Direction);
        EXPECT_EQ(Cell(LIST_WINDS, 0, 7), c.Variance);
    }
}

TEST_F(FormatFixture, WindGustAddsTheSpeedOnlyWhenNotAbove) {
    SetCount(OFS_WIND_COUNT, 1);
    struct {
        uint16_t Speed;
        uint16_t Gust;
        const char* Text;
    } cases[] = {{10, 5, "15kn"}, {10, 10, "20kn"}, {10, 15, "15kn"},          {10, 0, "0kn"},
                 {0, 0, "0kn"},   {0, 7, "7kn"},    {65535, 65535, "131070kn"}};
    for (const auto& c : cases) {
        StoreU16(WindAt(block, 0) + WND_SPEED, c.Speed);
        StoreU16(WindAt(block, 0) + WND_GUST, c.Gust);
        EXPECT_EQ(Cell(LIST_WINDS, 0, 4), c.Text) << c.Speed << "/" << c.Gust;
    }
}

// ---- Row numbers ------------------------------------------------------------------

TEST(RowNumber, IsRightAlignedInThreeAndASpace) {
    struct {
        int32_t Row;
        const char* Text;
    } cases[] = {{0, "  0 "}, {5, "  5 "}, {24, " 24 "}, {999, " 999 "}, {1000, " 1000 "}, {-1, " -1 "}};
    for (const auto& c : cases) {
        char text[16];
        ASSERT_TRUE(FormatRowNumber(c.Row, text, sizeof text));
        EXPECT_STREQ(text, c.Text);
    }
}

TEST_F(FormatFixture, ColumnZeroIsTheRowNumberAlsoForTheClosingRow) {
    SetCount(OFS_TEMPERATURE_COUNT, 2);
    EXPECT_EQ(Cell(LIST_TEMPERATURE, 0, 0), "  0 ");
    EXPECT_EQ(Cell(LIST_TEMPERATURE, 2, 0), "  2 ");
    EXPECT_EQ(Cell(LIST_TEMPERATURE, 2, 1), NO_TEXT);
}

// ---- Agreement with printf ---------------------------------------------------------

// Feet, degrees and row numbers are put together without printf; over every value a
// field can hold they must read exactly as the printf formats would have them.
TEST_F(FormatFixture, WholeNumberCellsMatchPrintfForEveryFieldValue) {
    SetCount(OFS_WIND_COUNT, 1);
    char expected[CELL_TEXT_SIZE];
    int mismatches = 0;
    for (int32_t value = 0; value <= 65535; ++value) {
        const uint16_t raw = static_cast<uint16_t>(value);
        StoreU16(block.Bytes + OFS_BASE_VISIBILITY + VIS_UPPER_ALTITUDE, raw);
        StoreU16(block.Bytes + OFS_BASE_VISIBILITY + VIS_LOWER_ALTITUDE, raw);
        StoreU16(WindAt(block, 0) + WND_DIRECTION, raw);
        StoreU16(WindAt(block, 0) + WND_VARIANCE, raw);
        StoreU16(WindAt(block, 0) + WND_SPEED, raw);

        std::snprintf(expected, sizeof expected, "%.0fft", value * 3.28084);
        mismatches += Cell(LIST_VISIBILITY, 0, 2) != expected;
        std::snprintf(expected, sizeof expected, "%.0fft", static_cast<int16_t>(raw) * 3.28084);
        mismatches += Cell(LIST_VISIBILITY, 0, 1) != expected;
        std::snprintf(expected, sizeof expected, "%.0fT", value * 360.0 * 1.52587890625e-05);
        mismatches += Cell(LIST_WINDS, 0, 3) != expected;
        std::snprintf(expected, sizeof expected, "%.0f", value * 360.0 * 1.52587890625e-05);
        mismatches += Cell(LIST_WINDS, 0, 7) != expected;
        std::snprintf(expected, sizeof expected, "%dkn", value);
        mismatches += Cell(LIST_WINDS, 0, 2) != expected;
        ASSERT_EQ(mismatches, 0) << "at field value " << value;
    }
    for (int32_t row = -1000; row <= 1000; ++row) {
        std::snprintf(expected, sizeof expected, "% 3d ", row);
        if (row >= 0) {
            ASSERT_EQ(Cell(LIST_STATION, row, 0), expected);
        }
        char text[16];
        ASSERT_TRUE(FormatRowNumber(row, text, sizeof text));
        ASSERT_STREQ(text, expected);
    }
}

// ---- Bounds -----------------------------------------------------------------------

// Counts from the module outside 0..capacity are read as the nearest bound, so no row
// beyond an array is ever formatted.
TEST_F(FormatFixture, BadCountsAreClampedToTheArrays) {
    struct {
        uint32_t CountOffset;
        ListKind Kind;
        int32_t Capacity;
        int32_t RowsWhenOver;  // visibility adds its surface row
    } lists[] = {{OFS_TEMPERATURE_COUNT, LIST_TEMPERATURE, 24, 24},
                 {OFS_CLOUD_COUNT, LIST_CLOUD, 16, 16},
                 {OFS_WIND_COUNT, LIST_WINDS, 24, 24},
                 {OFS_UPPER_VISIBILITY_COUNT, LIST_VISIBILITY, 12, 13}};
    for (const auto& list : lists) {
        for (int32_t count : {INT32_MAX, 1000, list.Capacity + 1}) {
            SetCount(list.CountOffset, count);
            EXPECT_EQ(ListLayerRows(block, list.Kind), list.RowsWhenOver) << list.Kind;
            EXPECT_NE(Cell(list.Kind, list.RowsWhenOver - 1, 1), NO_TEXT) << list.Kind;
            EXPECT_EQ(Cell(list.Kind, list.RowsWhenOver, 1), NO_TEXT) << list.Kind;
        }
        for (int32_t count : {-1, INT32_MIN}) {
            SetCount(list.CountOffset, count);
            const int32_t rows = list.Kind == LIST_VISIBILITY ? 1 : 0;
            EXPECT_EQ(ListLayerRows(block, list.Kind), rows) << list.Kind;
            EXPECT_EQ(Cell(list.Kind, rows, 1), NO_TEXT) << list.Kind;
        }
    }
}

TEST_F(FormatFixture, OneRowListsAndUnknownColumnsGiveNoText) {
    EXPECT_EQ(ListLayerRows(block, LIST_PRESSURE), 1);
    EXPECT_EQ(ListLayerRows(block, LIST_STATION), 1);
    EXPECT_EQ(Cell(LIST_PRESSURE, 1, 1), NO_TEXT);
    EXPECT_EQ(Cell(LIST_STATION, 1, 1), NO_TEXT);
    EXPECT_EQ(Cell(LIST_PRESSURE, 0, -1), NO_TEXT);
    EXPECT_EQ(Cell(LIST_VISIBILITY, -1, 1), NO_TEXT);
    EXPECT_EQ(Cell(static_cast<ListKind>(6), 0, 1), NO_TEXT);
    for (int kind = 0; kind < LIST_COUNT; ++kind) {
        EXPECT_EQ(Cell(static_cast<ListKind>(kind), 0, LIST_COLUMNS[kind].Count), NO_TEXT) << kind;
    }
}

TEST_F(FormatFixture, TextThatDoesNotFitLeavesTheCellEmpty) {
    StorePressureRecord(block.Bytes + OFS_PRESSURE, {16211, 0});
    char small[8];
    std::memset(small, 'x', sizeof small);
    EXPECT_FALSE(FormatCell(block, runways, request, LIST_PRESSURE, 0, 1, small, sizeof small));
    EXPECT_STREQ(small, "");
    EXPECT_FALSE(FormatCell(block, runways, request, LIST_STATION, 0, 5, small, sizeof small));  // needs 9
    EXPECT_STREQ(small, "");
    EXPECT_FALSE(FormatCell(block, runways, request, LIST_PRESSURE, 0, 1, small, 0));
    EXPECT_FALSE(FormatRowNumber(1000, small, 5));
    EXPECT_STREQ(small, "");
}

// ---- Column tables ----------------------------------------------------------------

TEST(ListColumnTable, HeadersAndWidths) {
    struct {
        ListKind Kind;
        const char* Name;
        std::string Columns;  // "header width" pairs after column 0
    } lists[] = {
        {LIST_VISIBILITY, "Visibility", "From 85|To 85|Range 122|"},
        {LIST_PRESSURE, "Pressure", "QNH 180|Drift 100|"},
        {LIST_TEMPERATURE, "Temperature", "Alt 70|Day 80|Var 80|Dew 80|"},
        {LIST_STATION, "Station", "ICAO 55|Latitude 86|Longitude 86|Altitude 55|Dep Rwys 64|Arr Rwys 64|"},
        {LIST_CLOUD, "Cloud",
         "From 95|To 95|Dev 70|Cover 60|Type 50|Turb 50|Ice 50|Precip 80|PrRate 80|PrBase 75|TopShape 95|"},
        {LIST_WINDS, "Winds", "To 60|Speed 60|Dir 55|Gust 55|Turb 40|Shear 40|Var 40|Gap 60|"},
    };
    for (const auto& list : lists) {
        const ListColumns& table = LIST_COLUMNS[list.Kind];
        EXPECT_STREQ(table.Name, list.Name);
        EXPECT_STREQ(table.Columns[0].Header, list.Name);
        EXPECT_EQ(table.Columns[0].Width, ROW_NUMBER_COLUMN_WIDTH);
        std::string columns;
        for (int32_t c = 1; c < table.Count; ++c) {
            columns +=
                std::string(table.Columns[c].Header) + " " + std::to_string(table.Columns[c].Width) + "|";
        }
        EXPECT_EQ(columns, list.Columns);
    }
}

// Every column the tables declare has a text for a filled row.
TEST_F(FormatFixture, EveryDeclaredColumnHasAText) {
    SetCount(OFS_TEMPERATURE_COUNT, 1);
    SetCount(OFS_CLOUD_COUNT, 1);
    SetCount(OFS_WIND_COUNT, 1);
    StoreF64(block.Bytes + OFS_LATITUDE, 1.0);
    StoreF64(block.Bytes + OFS_LONGITUDE, 1.0);
    for (int kind = 0; kind < LIST_COUNT; ++kind) {
        for (int32_t c = 0; c < LIST_COLUMNS[kind].Count; ++c) {
            EXPECT_NE(Cell(static_cast<ListKind>(kind), 0, c), NO_TEXT) << kind << "/" << c;
        }
    }
}

}  // namespace
