#include "editing/parse_field.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>

#include "link/byte_order.h"

namespace {

struct WordCase {
    const char* Text;
    int32_t Expected;  // the 32-bit result; its low 16 bits are what lands in the record
};

// Checks the 32-bit result and the two bytes written little-endian, with a guard byte
// on each side that must stay untouched.
void ExpectWords(int32_t kind, std::span<const WordCase> cases) {
    for (const WordCase& c : cases) {
        SCOPED_TRACE(std::string("kind ") + std::to_string(kind) + " text '" + c.Text + "'");
        FieldValue value = EvaluateFieldText(c.Text, kind);
        EXPECT_EQ(value.Store, FIELD_STORE_WORD);
        EXPECT_EQ(value.Word, c.Expected);

        uint8_t bytes[4] = {0xA5, 0xA5, 0xA5, 0xA5};
        ParseFieldText(c.Text, kind, bytes + 1, nullptr);
        EXPECT_EQ(LoadU16(bytes + 1), static_cast<uint16_t>(c.Expected));
        EXPECT_EQ(bytes[0], 0xA5);
        EXPECT_EQ(bytes[3], 0xA5);
    }
}

constexpr int32_t I32_MAX = INT32_MAX;
constexpr int32_t I32_MIN = INT32_MIN;

TEST(ParseFieldNumberScan, IntegerKindReadsTheLeadingRunOfDigitsAndMinus) {
    const WordCase cases[] = {
        {"15", 15},
        {"-5", -5},
        {"1500ft", 1500},
        {"12-3", 12},
        {"--5", 0},
        {"+5", 0},
        {" 15", 0},
        {"", 0},
        {"abc", 0},
        {"-", 0},
        {"007", 7},
        {"70000", 70000},  // stored as 4464
        {"-0", 0},
        {"3.9", 3},
        {"\xB5"
         "5",
         0},  // a byte past 7 bits is no digit
    };
    ExpectWords(FIELD_INTEGER, cases);
}

TEST(ParseFieldNumberScan, NumbersBeyondThirtyTwoBitsSaturate) {
    const WordCase cases[] = {
        {"2147483647", I32_MAX},
        {"2147483648", I32_MAX},
        {"-2147483648", I32_MIN},
        {"-2147483649", I32_MIN},
        {"99999999999999999999999999999999", I32_MAX},
        {"-99999999999999999999999999999999", I32_MIN},
        {"0000000000000000000000000000000000000000000000000000000000000042", 42},
    };
    ExpectWords(FIELD_INTEGER, cases);
}

TEST(ParseFieldNumberScan, OnlyTheFirst64CharactersAreRead) {
    std::string sixtyThreeZeros(63, '0');
    std::string sixtyFourZeros(64, '0');
    std::string inside = sixtyThreeZeros + "5";
    std::string beyond = sixtyFourZeros + "5";
    const WordCase cases[] = {{inside.c_str(), 5}, {beyond.c_str(), 0}};
    ExpectWords(FIELD_INTEGER, cases);

    // The 'F' past the limit is not seen: Celsius.
    std::string fahrenheitBeyond = std::string(62, '0') + "59F";
    const WordCase temperature[] = {{fahrenheitBeyond.c_str(), 59}};
    ExpectWords(FIELD_TEMPERATURE, temperature);
}

TEST(ParseFieldKinds, Feet) {
    const WordCase cases[] = {
        {"1000", 305},
        {"328", 100},
        {"10", 3},
        {"-10", -2},
        {"-500", -151},
        {"abc", 0},
        {"", 0},
        {"1500ft", 457},
        {"12-3", 4},
        {"0", 0},
        {"99999999999", 654552995},
        {"-99999999999", -654552994},
    };
    ExpectWords(FIELD_FEET, cases);
}

TEST(ParseFieldKinds, Range) {
    const WordCase cases[] = {
        {"500", 31},
        {"161", 10},
        {"1.5", 150},
        {"1.05", 105},
        {"0.25", 25},
        {"10.", 1000},
        {"5sm", 0},
        {"5 sm", 0},
        {"5", 0},
        {"5.", 500},
        {"5.0", 500},
        {"-300", 0},
        {"-5.5", 50},
        {".5", 50},
        {"1.257", 125},
        {"1.x3", 103},
        {"", 0},
        {"1.", 100},
        {"21474836.47", I32_MAX},
        {"21474837.", I32_MAX},
        {"99999999999.99", I32_MAX},
        {"99999999999", 133438452},  // metres: 2147483647 m in hundredths of a mile
    };
    ExpectWords(FIELD_RANGE, cases);
}

TEST(ParseFieldKinds, Qnh) {
    const WordCase cases[] = {
        {"1013", 16 * 1013},
        {"29.92", 16211},
        {"1013.2mb", 16211},
        {"100", 16 * 100},
        {"99.99", 54176},  // inches: 338603 hundredths of a millibar
        {"", 0},
        {"29.92mb", 478},  // marked as millibars, however implausible
        {"1013.25", 16212},
        {"99999999999", I32_MAX / 100},   // 100 x n and 16 x v saturate
        {"-99999999999", I32_MIN / 100},  // read as inches: the product saturates too
    };
    ExpectWords(FIELD_QNH, cases);
}

TEST(ParseFieldKinds, DriftTypedWithoutUnit) {
    const WordCase cases[] = {
        {"12.5", 200},
        {"0.5", 270},
        {"9.99", 5412},
        {"10", 160},
        {"", 0},
        // Unmarked negatives keep the lenient reading: whole part signed, decimals added,
        // and every negative value is inches of mercury.
        {"-1.50", -270},
        {"-0.50", 270},
        {"1.5 mb", 812},
        {"1.5m", 812},
    };
    ExpectWords(FIELD_DRIFT, cases);
}

TEST(ParseFieldKinds, DriftMarkedAsMillibarsReadsBackWhatTheCellShowed) {
    const WordCase cases[] = {
        {"1.5mb", 24},   {"-1.5mb", -24},   {"-0.5mb", -8}, {"1.5MB", 24},
        {"1.5Mb", 24},   {"-24.0mb", -384}, {"0.0mb", 0},   {"5mb", 80},
        {"12.5mb", 200}, {"9.9mb", 158},    {"-0.0mb", 0},  {"1.mb", 16},
        {"1.25mb", 20},  {"1.257mb", 20},   {"mb", 0},      {"-99999999999mb", I32_MIN / 100},
    };
    ExpectWords(FIELD_DRIFT, cases);
}

TEST(ParseFieldKinds, Temperature) {
    const WordCase cases[] = {
        {"15", 15},   {"15C", 15}, {"15c", 15},   {"59F", 15},   {"59f", 15},
        {"32F", 0},   {"0F", -17}, {"-40F", -39}, {"212F", 100}, {"59.5F", 59},
        {"59 F", 59}, {"F", -17},  {"", 0},       {"-5", -5},    {"-99999999999F", -1193046488},
    };
    ExpectWords(FIELD_TEMPERATURE, cases);
}

TEST(ParseFieldKinds, TemperatureDifference) {
    const WordCase cases[] = {
        {"9F", 5}, {"10F", 6}, {"-9F", -4}, {"5", 5}, {"F", 0}, {"99999999999F", 1193046471},
    };
    ExpectWords(FIELD_TEMPERATURE_DIFF, cases);
}

TEST(ParseFieldKinds, Direction) {
    const WordCase cases[] = {
        {"270", 49152},
        {"-90", 49152},
        {"360", 0},
        {"450", 16384},
        {"90", 16384},
        {"1", 182},
        {"180", 32768},
        {"-1", 65353},
        {"-360", 0},
        {"720", 0},
        {"", 0},
        {"99999999999", 23119},
        {"-99999999999", 42234},
    };
    ExpectWords(FIELD_DIRECTION, cases);
}

TEST(ParseFieldKinds, Precipitation) {
    const WordCase cases[] = {
        {"3", 2},     {"9", 2},    {"2", 2},     {"1", 1},     {"0", 0},           {"Snow", 2},
        {"s", 2},     {"rain", 1}, {"R", 1},     {"None", 0},  {"-1", 0},          {"x", 0},
        {" Snow", 0}, {"", 0},     {"0Snow", 0}, {"-Snow", 0}, {"99999999999", 2},
    };
    ExpectWords(FIELD_PRECIPITATION, cases);
}

TEST(ParseFieldKinds, ClampedKindsCarryTheirUpperBound) {
    const WordCase eight[] = {{"9", 8}, {"-3", 0}, {"5", 5}, {"", 0}, {"8", 8}, {"99999999999", 8}};
    ExpectWords(-8, eight);
    const WordCase one[] = {{"7", 1}, {"0", 0}};
    ExpectWords(-1, one);
    // The widest bound still clamps without overflowing.
    const WordCase widest[] = {{"99999999999", I32_MAX}, {"-5", 0}, {"12", 12}};
    ExpectWords(I32_MIN, widest);
}

TEST(ParseFieldKinds, UnknownKindsStoreNothing) {
    const int32_t kinds[] = {10, 11, 29, 31, 100, I32_MAX};
    for (int32_t kind : kinds) {
        SCOPED_TRACE(kind);
        EXPECT_EQ(EvaluateFieldText("123", kind).Store, FIELD_STORE_NOTHING);
        uint8_t bytes[2] = {0x12, 0x34};
        double position = 7.5;
        PositionValid = 0;
        ParseFieldText("123", kind, bytes, &position);
        EXPECT_EQ(bytes[0], 0x12);
        EXPECT_EQ(bytes[1], 0x34);
        EXPECT_EQ(position, 7.5);
        EXPECT_EQ(PositionValid, 0u);
    }
}

TEST(ParseFieldKinds, NullTextReadsAsEmpty) {
    EXPECT_EQ(EvaluateFieldText(nullptr, FIELD_FEET).Word, 0);
    EXPECT_EQ(EvaluateFieldText(nullptr, FIELD_TEMPERATURE).Store, FIELD_STORE_WORD);
    EXPECT_EQ(EvaluateFieldText(nullptr, FIELD_LATITUDE).Store, FIELD_STORE_NOTHING);
}

constexpr double DEGREES_PER_MINUTE = 0.016666666666666666;

struct PositionCase {
    const char* Text;
    bool Valid;
    double Expected;
};

void ExpectPositions(int32_t kind, std::span<const PositionCase> cases) {
    for (const PositionCase& c : cases) {
        SCOPED_TRACE(std::string("kind ") + std::to_string(kind) + " text '" + c.Text + "'");
        FieldValue value = EvaluateFieldText(c.Text, kind);
        if (c.Valid) {
            EXPECT_EQ(value.Store, FIELD_STORE_POSITION);
            EXPECT_EQ(value.Position, c.Expected);
        } else {
            EXPECT_EQ(value.Store, FIELD_STORE_NOTHING);
        }
    }
}

TEST(ParseFieldPosition, Latitude) {
    const PositionCase cases[] = {
        {"N53 21.45", true, 21.45 * DEGREES_PER_MINUTE + 53},
        {"n53 21.45", true, 21.45 * DEGREES_PER_MINUTE + 53},
        {"S33 52.2", true, -(52.2 * DEGREES_PER_MINUTE + 33)},
        {"N89 59.99", true, 59.99 * DEGREES_PER_MINUTE + 89},
        {"N53  21.45", true, 21.45 * DEGREES_PER_MINUTE + 53},
        {"N53 -10", true, -10.0 * DEGREES_PER_MINUTE + 53},
        {"N002 0", true, 2.0},
        {"N 30", true, 30.0 * DEGREES_PER_MINUTE},
        {"N53 ", true, 53.0},
        {"N53 21.45abc", true, 21.45 * DEGREES_PER_MINUTE + 53},
        {"N53 2e1", true, 20.0 * DEGREES_PER_MINUTE + 53},
        {"N53 2e", true, 2.0 * DEGREES_PER_MINUTE + 53},
        {"N53 +5", true, 5.0 * DEGREES_PER_MINUTE + 53},
        {"N53 .5", true, 0.5 * DEGREES_PER_MINUTE + 53},
        {"N53 inf", true, 53.0},  // no digits: 0 minutes
        {"N90 00", false, 0},
        {"N53 60", false, 0},
        {"N53 59.9999999999999999", false, 0},  // rounds to 60.0
        {"N53", false, 0},
        {"53 21", false, 0},
        {"", false, 0},
        {"E53 21", false, 0},
        {"N-1 0", false, 0},
        {"N99999999999 0", false, 0},
        {"N53 1e999", false, 0},
        {"N53 -1e999", false, 0},  // minutes that overflow are no position
        {"N53\t21", false, 0},     // only a space separates the minutes
    };
    ExpectPositions(FIELD_LATITUDE, cases);
}

TEST(ParseFieldPosition, Longitude) {
    const PositionCase cases[] = {
        {"W002 04.32", true, -(4.32 * DEGREES_PER_MINUTE + 2)},
        {"E180 00", true, 180.0},
        {"E180 30", true, 30.0 * DEGREES_PER_MINUTE + 180},
        {"e0 0", true, 0.0},
        {"E181 0", false, 0},
        {"N53 21", false, 0},
        {"W", false, 0},
    };
    ExpectPositions(FIELD_LONGITUDE, cases);
    EXPECT_EQ(EvaluateFieldText("E180 30", FIELD_LONGITUDE).Position, 180.5);
}

TEST(ParseFieldPosition, PositionValidCollectsBitsAndFailuresLeaveEverything) {
    PositionValid = 0;
    double latitude = 1.25, longitude = 2.5;

    ParseFieldText("N90 00", FIELD_LATITUDE, nullptr, &latitude);
    EXPECT_EQ(latitude, 1.25);
    EXPECT_EQ(PositionValid, 0u);

    ParseFieldText("N53 21.45", FIELD_LATITUDE, nullptr, &latitude);
    EXPECT_EQ(latitude, 21.45 * DEGREES_PER_MINUTE + 53);
    EXPECT_EQ(PositionValid, POSITION_LATITUDE_BIT);

    ParseFieldText("E181 0", FIELD_LONGITUDE, nullptr, &longitude);
    EXPECT_EQ(longitude, 2.5);
    EXPECT_EQ(PositionValid, POSITION_LATITUDE_BIT);

    ParseFieldText("W002 04.32", FIELD_LONGITUDE, nullptr, &longitude);
    EXPECT_EQ(PositionValid, POSITION_LATITUDE_BIT | POSITION_LONGITUDE_BIT);

    // A stored latitude leaves the longitude bit as it was; a failure never clears one.
    PositionValid = POSITION_LONGITUDE_BIT;
    ParseFieldText("S33 52.2", FIELD_LATITUDE, nullptr, &latitude);
    EXPECT_EQ(PositionValid, 3u);
    ParseFieldText("N53", FIELD_LATITUDE, nullptr, &latitude);
    EXPECT_EQ(PositionValid, 3u);
}

TEST(ParseFieldPosition, MissingDestinationsAreSkipped) {
    PositionValid = 0;
    uint8_t bytes[2] = {9, 9};
    ParseFieldText("N53 21.45", FIELD_LATITUDE, bytes, nullptr);  // nothing to receive the double
    EXPECT_EQ(PositionValid, 0u);
    EXPECT_EQ(bytes[0], 9);
    double position = 4.0;
    ParseFieldText("15", FIELD_INTEGER, nullptr, &position);  // a 16-bit result never goes to a double
    EXPECT_EQ(position, 4.0);
    EXPECT_EQ(PositionValid, 0u);
}

}  // namespace
