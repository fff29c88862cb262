// The edit dialogs' logic over the fake dialog: captions, prefill from the list cells,
// locks, the OK read-back with the gust rule, and the station request.
#include "editing/edit_dialog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "editing_fixture.h"
#include "resources/dialog_ids.h"

namespace {

using Fields = std::map<int32_t, std::string>;

class EditDialogTest : public EditingTest {
protected:
    void Open(int32_t list, int32_t row, bool insert) {
        FillListsFromBlock();
        EditedList = list;
        EditedRow = row;
        InsertFlag = insert;
        FakeDialog.Fields.clear();
        FakeDialog.Locks.clear();
        FakeDialog.Reads.clear();
        OpenEditDialog(FAKE_DIALOG);
    }
    void Accept() { AcceptEditDialog(FAKE_DIALOG); }
};

TEST(PrefillTextTest, KeepsWhatReadsBack) {
    struct Case {
        int32_t List;
        int32_t Column;
        const char* Cell;
        const char* Field;
    };
    const Case cases[] = {
        {LIST_TEMPERATURE, 1, "328ft", "328"},
        {LIST_PRESSURE, 1, "1013.2mb (29.92\")", "1013.2"},
        {LIST_VISIBILITY, 3, "10.0sm", "10.0"},
        {LIST_VISIBILITY, 3, "1.5sm (2414m)", "1.5"},
        {LIST_CLOUD, 4, "3/8", "3"},
        {LIST_WINDS, 3, "270T", "270"},
        {LIST_WINDS, 2, "25kn", "25"},
        {LIST_TEMPERATURE, 2, "15C (59F)", "15C"},
        {LIST_TEMPERATURE, 4, "-2C (28F)", "-2C"},
        {LIST_VISIBILITY, 1, "-328ft", "-328"},
        {LIST_WINDS, 1, "", ""},
        // The drift keeps its unit, so that it reads back as millibars.
        {LIST_PRESSURE, 2, "1.5mb", "1.5mb"},
        {LIST_PRESSURE, 2, "-1.5mb", "-1.5mb"},
        {LIST_PRESSURE, 2, "1.5m", "1.5"},
        // Cloud precipitation by its first upper-case letter.
        {LIST_CLOUD, 8, "Snow", "2"},
        {LIST_CLOUD, 8, "Rain", "1"},
        {LIST_CLOUD, 8, "None", "0"},
        {LIST_CLOUD, 8, "3", "0"},
        {LIST_CLOUD, 8, "snow", "0"},
        {LIST_CLOUD, 8, "", "0"},
        // The station identifier whole; the blanks of a position request are dropped.
        {LIST_STATION, 1, "EGLL", "EGLL"},
        {LIST_STATION, 1, "GLOB", "GLOB"},
        {LIST_STATION, 1, "    ", ""},
        {LIST_STATION, 1, "AB", "AB"},
        {LIST_STATION, 4, "328", "328"},
    };
    for (const Case& c : cases) {
        char out[PREFILL_CELL_SIZE];
        PrefillText(c.List, c.Column, c.Cell, out, sizeof out);
        EXPECT_STREQ(c.Field, out) << "list " << c.List << " column " << c.Column << " cell '" << c.Cell
                                   << "'";
    }
    char small[4];
    PrefillText(LIST_TEMPERATURE, 1, "123456ft", small, sizeof small);
    EXPECT_STREQ("123", small);
}

TEST(FormatPositionFieldTest, ReadsBackAsShown) {
    struct Case {
        double Degrees;
        bool Latitude;
        const char* Text;
    };
    const Case cases[] = {
        {53.0 + 21.45 / 60.0, true, "N53 21.45"},
        {-(2.0 + 4.32 / 60.0), false, "W002 4.32"},
        {-(33.0 + 52.2 / 60.0), true, "S33 52.20"},
        {0.0, true, "N00 0.00"},
        {180.0, false, "E180 0.00"},
        // Minutes that round to 60.00 carry into the degrees.
        {54.0 - 0.0001 / 60.0, true, "N54 0.00"},
        {-(3.0 - 0.0001 / 60.0), false, "W003 0.00"},
        // No carry past the last degree that reads: the nearest position that does.
        {90.0 - 0.0001 / 60.0, true, "N89 59.99"},
        {-(181.0 - 0.0001 / 60.0), false, "W180 59.99"},
        {1000.0, true, "N89 59.99"},
    };
    for (const Case& c : cases) {
        char out[32];
        FormatPositionField(c.Degrees, c.Latitude, out, sizeof out);
        EXPECT_STREQ(c.Text, out) << c.Degrees;
    }
}

TEST_F(EditDialogTest, CaptionSaysEditOrInsert) {
    struct Case {
        int32_t List;
        bool Insert;
        const char* Caption;
    };
    const Case cases[] = {
        {LIST_VISIBILITY, false, "Edit Visibility Layer"},
        {LIST_PRESSURE, false, "Edit Pressure (QNH) Settings"},
        {LIST_TEMPERATURE, true, "Insert Temperature Layer"},
        {LIST_STATION, false, "Edit Station (blank=User, GLOB=Global)"},
        {LIST_CLOUD, true, "Insert Cloud Layer"},
        {LIST_WINDS, false, "Edit Wind Layer"},
    };
    for (const Case& c : cases) {
        Open(c.List, 0, c.Insert);
        EXPECT_EQ(c.Caption, FakeDialog.Caption);
    }
}

// A block with one known layer in each list, all values that survive the cell formats.
void FillKnownBlock() {
    StorePressureRecord(CurrentBlock.Bytes + OFS_PRESSURE, {16211, -24});
    StoreVisibilityLayer(CurrentBlock.Bytes + OFS_BASE_VISIBILITY, {1000, 100, 150, 0});
    StoreVisibilityLayer(UpperVisibilityAt(CurrentBlock, 0), {3000, 1000, 1000, 0});
    SetCount(OFS_UPPER_VISIBILITY_COUNT, 1);
    StoreTemperatureLayer(TemperatureAt(CurrentBlock, 0), {100, 15, 5, -2});
    StoreTemperatureLayer(TemperatureAt(CurrentBlock, 1), {1000, -10, 0, -20});
    SetCount(OFS_TEMPERATURE_COUNT, 2);
    StoreCloudLayer(CloudAt(CurrentBlock, 0), {2000, 1000, 100, 5, 3, 2, 1, 500, 2, 3, 4, 0});
    StoreCloudLayer(CloudAt(CurrentBlock, 1), {3000, 2500, 0, 8, 10, 4, 4, 0, 1, 5, 10, 0});
    SetCount(OFS_CLOUD_COUNT, 2);
    StoreWindLayer(WindAt(CurrentBlock, 0), {1000, 20, 5, 16384, 2, 1, 8192, 0, 300});
    StoreWindLayer(WindAt(CurrentBlock, 1), {3000, 30, 0, 49152, 0, 3, 0, 0, 0});
    SetCount(OFS_WIND_COUNT, 2);
    std::memcpy(CurrentBlock.Bytes + OFS_ICAO, "EGLL", 4);
}

TEST_F(EditDialogTest, EditPrefillsEveryFieldFromItsCell) {
    struct Case {
        int32_t List;
        int32_t Row;
        Fields Expected;
    };
    const Case cases[] = {
        {LIST_VISIBILITY,
         0,
         {{IDC_VIS_LOWER_ALTITUDE, "328"}, {IDC_VIS_UPPER_ALTITUDE, "3281"}, {IDC_VIS_RANGE, "1.5"}}},
        {LIST_PRESSURE, 0, {{IDC_PRS_QNH, "1013.2"}, {IDC_PRS_DRIFT, "-1.5mb"}}},
        {LIST_TEMPERATURE,
         0,
         {{IDC_TMP_ALTITUDE, "328"},
          {IDC_TMP_DAY, "15C"},
          {IDC_TMP_DAY_NIGHT_VARIATION, "5C"},
          {IDC_TMP_DEW_POINT, "-2C"}}},
        {LIST_STATION, 0, {{IDC_STN_ICAO, "EGLL"}, {IDC_STN_LATITUDE, ""}, {IDC_STN_LONGITUDE, ""}}},
        {LIST_CLOUD,
         0,
         {{IDC_CLD_LOWER_ALTITUDE, "3281"},
          {IDC_CLD_UPPER_ALTITUDE, "6562"},
          {IDC_CLD_DEVIATION, "328"},
          {IDC_CLD_COVER, "5"},
          {IDC_CLD_TYPE, "3"},
          {IDC_CLD_TURBULENCE, "2"},
          {IDC_CLD_ICING, "1"},
          {IDC_CLD_PRECIP_TYPE, "2"},
          {IDC_CLD_PRECIP_RATE, "3"},
          {IDC_CLD_PRECIP_BASE, "1640"},
          {IDC_CLD_TOP_SHAPE, "4"}}},
        {LIST_WINDS,
         0,
         {{IDC_WND_UPPER_ALTITUDE, "3281"},
          {IDC_WND_SPEED, "20"},
          {IDC_WND_DIRECTION, "90"},
          {IDC_WND_GUST, "25"},
          {IDC_WND_TURBULENCE, "2"},
          {IDC_WND_SHEAR, "1"},
          {IDC_WND_VARIANCE, "45"},
          {IDC_WND_GAP_ABOVE, "984"}}},
        // The closing row has no cells: every field starts empty.
        {LIST_WINDS,
         2,
         {{IDC_WND_UPPER_ALTITUDE, ""},
          {IDC_WND_SPEED, ""},
          {IDC_WND_DIRECTION, ""},
          {IDC_WND_GUST, ""},
          {IDC_WND_TURBULENCE, ""},
          {IDC_WND_SHEAR, ""},
          {IDC_WND_VARIANCE, ""},
          {IDC_WND_GAP_ABOVE, ""}}},
    };
    FillKnownBlock();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "list " << c.List << " row " << c.Row);
        Open(c.List, c.Row, false);
        EXPECT_EQ(c.Expected, FakeDialog.Fields);
    }
}

TEST_F(EditDialogTest, InsertLeavesEveryFieldEmpty) {
    FillKnownBlock();
    for (int32_t list : {LIST_VISIBILITY, LIST_TEMPERATURE, LIST_CLOUD, LIST_WINDS}) {
        Open(list, 0, true);
        EXPECT_TRUE(FakeDialog.Fields.empty()) << "list " << list;
    }
}

TEST_F(EditDialogTest, LocksByListActionAndRow) {
    struct Case {
        int32_t List;
        bool Insert;
        int32_t Row;
        std::vector<int32_t> Locked;
    };
    const Case cases[] = {
        {LIST_VISIBILITY, false, 1, {}},
        {LIST_PRESSURE, false, 0, {}},
        {LIST_STATION, false, 0, {}},
        {LIST_TEMPERATURE, false, 1, {IDC_TMP_ALTITUDE}},
        {LIST_TEMPERATURE, true, 1, {}},
        {LIST_CLOUD, false, 0, {IDC_CLD_LOWER_ALTITUDE, IDC_CLD_UPPER_ALTITUDE}},
        {LIST_CLOUD, true, 1, {}},
        {LIST_WINDS, false, 0, {IDC_WND_UPPER_ALTITUDE}},
        {LIST_WINDS, false, 1, {IDC_WND_UPPER_ALTITUDE, IDC_WND_GAP_ABOVE}},
        {LIST_WINDS, true, 0, {}},
        {LIST_WINDS, true, 1, {IDC_WND_GAP_ABOVE}},
        {LIST_WINDS, true, 2, {IDC_WND_GAP_ABOVE}},
    };
    FillKnownBlock();
    for (const Case& c : cases) {
        Open(c.List, c.Row, c.Insert);
        EXPECT_EQ(c.Locked, FakeDialog.Locks)
            << "list " << c.List << " insert " << c.Insert << " row " << c.Row;
    }
}

// Confirming an unchanged dialog gives back the record the row showed, locked fields
// included, and reads the fields in their fixed order.
TEST_F(EditDialogTest, UnchangedEditReadsBackTheShownRecord) {
    struct Case {
        int32_t List;
        int32_t Row;
        std::vector<int32_t> ReadOrder;
    };
    const Case cases[] = {
        {LIST_VISIBILITY, 0, {1016, 1018, 1017}},
        {LIST_VISIBILITY, 1, {1016, 1018, 1017}},
        {LIST_PRESSURE, 0, {1017, 1019}},
        {LIST_TEMPERATURE, 0, {1021, 1022, 1018, 1020}},
        {LIST_TEMPERATURE, 1, {1021, 1022, 1018, 1020}},
        {LIST_CLOUD, 0, {1035, 1034, 1036, 1037, 1038, 1039, 1030, 1033, 1031, 1032, 1042}},
        {LIST_CLOUD, 1, {1035, 1034, 1036, 1037, 1038, 1039, 1030, 1033, 1031, 1032, 1042}},
        {LIST_WINDS, 0, {1024, 1025, 1027, 1026, 1028, 1029, 1041, 1046}},
        {LIST_WINDS, 1, {1024, 1025, 1027, 1026, 1028, 1029, 1041, 1046}},
    };
    FillKnownBlock();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "list " << c.List << " row " << c.Row);
        Open(c.List, c.Row, false);
        std::memset(EditRecord, 0xEE, sizeof EditRecord);
        Accept();
        const uint8_t* shown = c.List == LIST_VISIBILITY    ? VisibilitySlot(CurrentBlock, c.Row)
                               : c.List == LIST_PRESSURE    ? CurrentBlock.Bytes + OFS_PRESSURE
                               : c.List == LIST_TEMPERATURE ? TemperatureAt(CurrentBlock, c.Row)
                               : c.List == LIST_CLOUD       ? CloudAt(CurrentBlock, c.Row)
                                                            : WindAt(CurrentBlock, c.Row);
        uint32_t size = c.List == LIST_PRESSURE ? 4 : (c.List == LIST_CLOUD || c.List == LIST_WINDS) ? 16 : 8;
        EXPECT_EQ(std::vector<uint8_t>(shown, shown + size),
                  std::vector<uint8_t>(EditRecord, EditRecord + size));
        for (uint32_t i = size; i < EDIT_RECORD_SIZE; i++) EXPECT_EQ(0, EditRecord[i]) << "byte " << i;
        EXPECT_EQ(c.ReadOrder, FakeDialog.Reads);
    }
}

TEST_F(EditDialogTest, TypedValuesLandInTheirRecordFields) {
    EditedList = LIST_CLOUD;
    FakeDialog.Fields = {{IDC_CLD_LOWER_ALTITUDE, "1000"},
                         {IDC_CLD_UPPER_ALTITUDE, "2000"},
                         {IDC_CLD_COVER, "9"},
                         {IDC_CLD_TYPE, "0"},
                         {IDC_CLD_ICING, "-3"},
                         {IDC_CLD_PRECIP_TYPE, "rain"},
                         {IDC_CLD_PRECIP_BASE, "-500"},
                         {IDC_CLD_TOP_SHAPE, "12"}};
    Accept();
    CloudLayer cloud = LoadCloudLayer(EditRecord);
    EXPECT_EQ(610, cloud.UpperAltitude);
    EXPECT_EQ(305, cloud.LowerAltitude);
    EXPECT_EQ(8, cloud.Cover);
    EXPECT_EQ(0, cloud.Type);
    EXPECT_EQ(0, cloud.Icing);
    EXPECT_EQ(1, cloud.PrecipType);
    EXPECT_EQ(-151, cloud.PrecipBase);
    EXPECT_EQ(10, cloud.TopShape);
    EXPECT_EQ(0, EditRecord[CLD_RESERVED]);

    EditedList = LIST_TEMPERATURE;
    FakeDialog.Fields = {
        {IDC_TMP_ALTITUDE, "328"}, {IDC_TMP_DAY, "59F"}, {IDC_TMP_DAY_NIGHT_VARIATION, "9F"}};
    Accept();
    TemperatureLayer temperature = LoadTemperatureLayer(EditRecord);
    EXPECT_EQ(100, temperature.Altitude);
    EXPECT_EQ(15, temperature.Day);
    EXPECT_EQ(5, temperature.DayNightVariation);
    EXPECT_EQ(0, temperature.DewPoint);
}

TEST_F(EditDialogTest, GustAboveSpeedKeepsOnlyTheExcess) {
    struct Case {
        const char* Speed;
        const char* Gust;
        uint16_t Stored;
    };
    const Case cases[] = {{"20", "25", 5}, {"20", "20", 20}, {"20", "15", 15}, {"20", "", 0}, {"", "7", 7}};
    EditedList = LIST_WINDS;
    for (const Case& c : cases) {
        FakeDialog.Fields = {{IDC_WND_SPEED, c.Speed}, {IDC_WND_GUST, c.Gust}};
        Accept();
        EXPECT_EQ(c.Stored, LoadU16(EditRecord + WND_GUST)) << "speed " << c.Speed << " gust " << c.Gust;
    }
}

struct StationReadCase {
    const char* Name;
    const char* Station;
    const char* Latitude;
    const char* Longitude;
    uint8_t Icao[4];
    double StoredLatitude;
    double StoredLongitude;
    uint32_t Valid;
};

class StationReadTest : public EditDialogTest, public ::testing::WithParamInterface<StationReadCase> {};

TEST_P(StationReadTest, FillsTheRequest) {
    const StationReadCase& c = GetParam();
    std::memcpy(Request.Bytes + SRQ_ICAO, "WXYZ", 4);
    StoreU32(Request.Bytes + SRQ_RESERVED, 0x12345678);
    StoreF64(Request.Bytes + SRQ_LATITUDE, 11.0);
    StoreF64(Request.Bytes + SRQ_LONGITUDE, 22.0);
    std::memset(EditRecord, 0x33, sizeof EditRecord);
    PositionValid = 3;
    EditedList = LIST_STATION;
    FakeDialog.Fields = {
        {IDC_STN_ICAO, c.Station}, {IDC_STN_LATITUDE, c.Latitude}, {IDC_STN_LONGITUDE, c.Longitude}};
    Accept();
    EXPECT_EQ(0, std::memcmp(c.Icao, Request.Bytes + SRQ_ICAO, 4));
    EXPECT_EQ(0u, LoadU32(Request.Bytes + SRQ_RESERVED));
    EXPECT_NEAR(c.StoredLatitude, LoadF64(Request.Bytes + SRQ_LATITUDE), 1e-12);
    EXPECT_NEAR(c.StoredLongitude, LoadF64(Request.Bytes + SRQ_LONGITUDE), 1e-12);
    EXPECT_EQ(c.Valid, PositionValid);
    for (uint8_t b : EditRecord) EXPECT_EQ(0, b);
}

const StationReadCase STATION_READS[] = {
    {"Position",
     "",
     "N53 21.45",
     "W002 04.32",
     {' ', ' ', ' ', ' '},
     53.0 + 21.45 / 60,
     -(2.0 + 4.32 / 60),
     3},
    {"PositionOverStation",
     "EGLL",
     "N53 21.45",
     "W002 04.32",
     {' ', ' ', ' ', ' '},
     53.0 + 21.45 / 60,
     -(2.0 + 4.32 / 60),
     3},
    {"LatitudeOnly", "EGLL", "N53 21.45", "", {'E', 'G', 'L', 'L'}, 0.0, 0.0, 1},
    {"StationOnly", "ABCD", "", "", {'A', 'B', 'C', 'D'}, 0.0, 0.0, 0},
    {"FirstFourCharacters", "ABCDEF", "", "", {'A', 'B', 'C', 'D'}, 0.0, 0.0, 0},
    {"ShortStationClearsTheRest", "AB", "", "", {'A', 'B', 0, 0}, 0.0, 0.0, 0},
    {"Empty", "", "", "", {0, 0, 0, 0}, 0.0, 0.0, 0},
    {"SixtyMinutesRefused", "", "N53 60", "W002 04.32", {0, 0, 0, 0}, 0.0, 0.0, 2},
};

INSTANTIATE_TEST_SUITE_P(Station, StationReadTest, ::testing::ValuesIn(STATION_READS),
                         [](const ::testing::TestParamInfo<StationReadCase>& info) {
                             return info.param.Name;
                         });

TEST_F(EditDialogTest, StationEditShowsTheLastPositionAndConfirmsItUnchanged) {
    struct Case {
        double Latitude;
        double Longitude;
        const char* LatitudeText;
        const char* LongitudeText;
        double Tolerance;  // a hundredth of a minute, or exact after a carry
    };
    const Case cases[] = {
        {53.0 + 21.45 / 60, -(2.0 + 4.32 / 60), "N53 21.45", "W002 4.32", 1e-9},
        {-(33.0 + 52.2 / 60), 151.0 + 12.5 / 60, "S33 52.20", "E151 12.50", 1e-9},
        {54.0 - 0.0001 / 60, -(3.0 - 0.0001 / 60), "N54 0.00", "W003 0.00", 1e-5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.LatitudeText);
        std::memset(Request.Bytes + SRQ_ICAO, ' ', 4);
        std::memset(CurrentBlock.Bytes + OFS_ICAO, ' ', 4);
        StoreF64(Request.Bytes + SRQ_LATITUDE, c.Latitude);
        StoreF64(Request.Bytes + SRQ_LONGITUDE, c.Longitude);
        Open(LIST_STATION, 0, false);
        EXPECT_EQ((Fields{{IDC_STN_ICAO, ""},
                          {IDC_STN_LATITUDE, c.LatitudeText},
                          {IDC_STN_LONGITUDE, c.LongitudeText}}),
                  FakeDialog.Fields);
        Accept();
        EXPECT_EQ(3u, PositionValid);
        EXPECT_TRUE(IcaoIsFourSpaces(Request.Bytes + SRQ_ICAO));
        EXPECT_NEAR(c.Latitude, LoadF64(Request.Bytes + SRQ_LATITUDE), c.Tolerance);
        EXPECT_NEAR(c.Longitude, LoadF64(Request.Bytes + SRQ_LONGITUDE), c.Tolerance);
    }
}

TEST_F(EditDialogTest, StationEditOfAStationConfirmsThatStation) {
    std::memcpy(CurrentBlock.Bytes + OFS_ICAO, "EGLL", 4);
    std::memcpy(Request.Bytes + SRQ_ICAO, "EGLL", 4);
    Open(LIST_STATION, 0, false);
    Accept();
    EXPECT_EQ(0, std::memcmp("EGLL", Request.Bytes + SRQ_ICAO, 4));
}

TEST_F(EditDialogTest, CancelLeavesTheRecordAsTheLastOkLeftIt) {
    FillKnownBlock();
    FillListsFromBlock();
    EditedList = LIST_WINDS;
    EditedRow = 0;
    FakeDialog.Result = PLATFORM_DIALOG_OK;
    EXPECT_EQ(1, PlatformRunDialog("WNDEDIT", MAIN_WINDOW, MAIN_WINDOW, EditDialogHooks));
    uint8_t accepted[EDIT_RECORD_SIZE];
    std::memcpy(accepted, EditRecord, sizeof accepted);
    const StationRequest request = Request;

    FakeDialog.Result = PLATFORM_DIALOG_CANCEL;
    TypeOnOpen({{IDC_WND_SPEED, "99"}});
    EXPECT_EQ(0, PlatformRunDialog("WNDEDIT", MAIN_WINDOW, MAIN_WINDOW, EditDialogHooks));
    EXPECT_EQ(0, std::memcmp(accepted, EditRecord, sizeof accepted));
    EditedList = LIST_STATION;
    TypeOnOpen({{IDC_STN_ICAO, "KJFK"}});
    EXPECT_EQ(0, PlatformRunDialog("STNEDIT", MAIN_WINDOW, MAIN_WINDOW, EditDialogHooks));
    EXPECT_EQ(0, std::memcmp(request.Bytes, Request.Bytes, STATION_REQUEST_SIZE));
}

TEST(EditTemplateTest, NamesByList) {
    const char* names[] = {"VISEDIT", "PRSEDIT", "TMPEDIT", "STNEDIT", "CLDEDIT", "WNDEDIT"};
    for (int32_t list = 0; list < LIST_COUNT; list++) EXPECT_STREQ(names[list], EditTemplateName(list));
    EXPECT_EQ(nullptr, EditTemplateName(-1));
    EXPECT_EQ(nullptr, EditTemplateName(LIST_COUNT));
    char caption[8];
    EXPECT_FALSE(ComposeEditCaption(LIST_WINDS, false, caption, sizeof caption));
}

}  // namespace
