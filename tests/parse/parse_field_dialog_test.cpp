#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editing/parse_field.h"
#include "link/byte_order.h"
#include "platform/fake/fake_dialog.h"

namespace {

constexpr int32_t FIELD_A = 101;

class ParseFieldDialogTest : public testing::Test {
protected:
    void SetUp() override {
        FakeDialogReset();
        PositionValid = 0;
    }
    void TearDown() override {
        FakeDialogReset();
        PositionValid = 0;
    }
};

TEST_F(ParseFieldDialogTest, ReadsTheFieldIntoEachDestinationWidth) {
    FakeDialog.Fields[FIELD_A] = "1000";
    uint8_t word[3] = {0, 0, 0x77};
    ParseField(FAKE_DIALOG, FIELD_A, word, FIELD_FEET);
    EXPECT_EQ(LoadU16(word), 305);
    EXPECT_EQ(word[2], 0x77);
    EXPECT_EQ(FakeDialog.Reads, std::vector<int32_t>{FIELD_A});

    // The one-byte form takes the low byte and touches nothing next to it.
    FakeDialog.Fields[FIELD_A] = "9";
    uint8_t bytes[2] = {0x55, 0x66};
    ParseFieldByte(FAKE_DIALOG, FIELD_A, bytes, -8);
    EXPECT_EQ(bytes[0], 8);
    EXPECT_EQ(bytes[1], 0x66);
    FakeDialog.Fields[FIELD_A] = "Snow";
    ParseFieldByte(FAKE_DIALOG, FIELD_A, bytes, FIELD_PRECIPITATION);
    EXPECT_EQ(bytes[0], 2);

    FakeDialog.Fields[FIELD_A] = "W002 04.32";
    double position = 0.0;
    ParseField(FAKE_DIALOG, FIELD_A, &position, FIELD_LONGITUDE);
    EXPECT_EQ(position, -(4.32 * 0.016666666666666666 + 2));
    EXPECT_EQ(PositionValid, POSITION_LONGITUDE_BIT);
}

TEST_F(ParseFieldDialogTest, DestinationsThatDoNotFitTheKindStayUntouched) {
    FakeDialog.Fields[FIELD_A] = "N53 21.45";
    uint8_t word[2] = {0x11, 0x22};
    ParseField(FAKE_DIALOG, FIELD_A, word, FIELD_LATITUDE);
    ParseFieldByte(FAKE_DIALOG, FIELD_A, word, FIELD_LATITUDE);
    EXPECT_EQ(word[0], 0x11);
    EXPECT_EQ(word[1], 0x22);
    EXPECT_EQ(PositionValid, 0u);

    double position = 3.0;
    ParseField(FAKE_DIALOG, FIELD_A, &position, FIELD_INTEGER);
    EXPECT_EQ(position, 3.0);
}

TEST_F(ParseFieldDialogTest, ReadsAtMost64Characters) {
    FakeDialog.Fields[FIELD_A] = std::string(64, '0') + "7";
    uint8_t word[2] = {0xFF, 0xFF};
    ParseField(FAKE_DIALOG, FIELD_A, word, FIELD_INTEGER);
    EXPECT_EQ(LoadU16(word), 0);
}

}  // namespace
