// The refresh cycle: mode and title, the stamp test, the per-list change check, the
// closing rows and the focus given back.
#include "tests/display/app_fixture.h"

namespace {

class RefreshTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        CreateMainWindow();
    }
    // Connected to a simulator whose aircraft block has the stamp and these counts.
    void Connect(uint32_t stamp) {
        SetStamp(stamp);
        StartSimulator();
        ASSERT_EQ(TryConnect(), 1);
    }
};

TEST_F(RefreshTest, TitleNamesTheModeAndTheStation) {
    struct Case {
        WeatherMode Mode;
        const char* Icao;  // four bytes
        const char* Title;
    } cases[] = {
        {MODE_NO_WEATHER, "EGLL", "Cumora: No weather to show!"},
        {MODE_GLOBAL, "GLOB", "Cumora: Global weather"},
        {MODE_STATION, "EGLL", "Cumora: Local weather at station  ICAO=EGLL"},
        {MODE_STATION, "KJ\0\0", "Cumora: Local weather at station  ICAO=KJ"},
        {MODE_STATION, "\0GLL", "Cumora: Local weather at station"},
        {MODE_AIRCRAFT, "EGLL", "Cumora: Local weather at aircraft"},
        {MODE_AIRCRAFT, "GLOB", "Cumora: Local weather at aircraft (GLOBAL)"},
        {MODE_AIRCRAFT, "GLO\0", "Cumora: Local weather at aircraft"},
        {MODE_NOT_CONNECTED, "GLOB", "Cumora: Not connected to Vorlink"},
        {MODE_LOCATION, "GLOB", "Cumora: Local weather at location"},
    };
    for (const Case& c : cases) {
        CurrentMode = c.Mode;
        std::memcpy(CurrentBlock.Bytes + OFS_ICAO, c.Icao, 4);
        UpdateTitle();
        EXPECT_EQ(Fake.Title, c.Title) << c.Mode << " " << c.Icao;
    }
}

TEST_F(RefreshTest, NotConnectedLeavesRowZeroInEveryListAndReturnsOne) {
    EXPECT_EQ(RefreshWeather(), 1);
    EXPECT_EQ(CurrentMode, MODE_NOT_CONNECTED);
    for (int32_t kind = 0; kind < LIST_COUNT; kind++)
        EXPECT_EQ(FakeFirstCells(List(kind)), std::vector<std::string>{"  0 "}) << kind;
    EXPECT_EQ(CurrentList, LIST_PRESSURE) << "the remembered list is put back";
}

TEST_F(RefreshTest, ConnectedRefreshBuildsRowsWithClosingRowsWhereTheyBelong) {
    SetCount(OFS_UPPER_VISIBILITY_COUNT, 2);
    SetCount(OFS_TEMPERATURE_COUNT, 3);
    SetCount(OFS_CLOUD_COUNT, 0);
    SetCount(OFS_WIND_COUNT, 40);  // beyond the capacity: no row past the array
    std::memcpy(AircraftBlock() + OFS_ICAO, "EGLL", 4);
    Connect(77);
    EXPECT_EQ(RefreshWeather(), 1);
    EXPECT_EQ(Fake.Title, "Cumora: Local weather at aircraft");
    EXPECT_EQ(FakeFirstCells(List(LIST_VISIBILITY)),
              (std::vector<std::string>{"  0 ", "  1 ", "  2 ", "  3 "}));
    EXPECT_EQ(FakeFirstCells(List(LIST_PRESSURE)), std::vector<std::string>{"  0 "});
    EXPECT_EQ(FakeFirstCells(List(LIST_STATION)), std::vector<std::string>{"  0 "});
    EXPECT_EQ(Rows(LIST_TEMPERATURE), 4u);
    EXPECT_EQ(FakeFirstCells(List(LIST_CLOUD)), std::vector<std::string>{"  0 "});
    EXPECT_EQ(Rows(LIST_WINDS), static_cast<size_t>(WIND_CAPACITY + 1));
    // Layer rows carry their cells; the closing row only its number.
    EXPECT_GT(FakeListOf(List(LIST_PRESSURE))->Rows[0].size(), 1u);
    EXPECT_EQ(FakeListOf(List(LIST_TEMPERATURE))->Rows[3].size(), 1u);
    EXPECT_EQ(FakeListOf(List(LIST_STATION))->Rows[0][1], "EGLL");
    EXPECT_EQ(LastStamp, 77u);
    EXPECT_EQ(std::memcmp(PreviousBlock.Bytes, AircraftBlock(), WEATHER_BLOCK_SIZE), 0);
    // The rebuild holds each list's repainting and lets it go again.
    for (int kind = 0; kind < LIST_COUNT; kind++) EXPECT_FALSE(FakeListOf(List(kind))->RedrawHeld) << kind;
}

TEST_F(RefreshTest, SameStampReturnsZeroAndTouchesNoList) {
    SetCount(OFS_TEMPERATURE_COUNT, 2);
    Connect(5);
    ASSERT_EQ(RefreshWeather(), 1);
    int rebuilds = Rebuilds(LIST_TEMPERATURE);
    WindowHandle focus = Fake.Focus;
    Fake.FocusLog.clear();
    int titles = Fake.TitleSets;
    StoreU16(AircraftBlock() + OFS_TEMPERATURES, 999);  // the module changed data but not the stamp
    EXPECT_EQ(RefreshWeather(), 0);
    EXPECT_EQ(Fake.TitleSets, titles + 1);
    EXPECT_EQ(Rebuilds(LIST_TEMPERATURE), rebuilds);
    EXPECT_TRUE(Fake.FocusLog.empty());
    EXPECT_EQ(Fake.Focus, focus);
}

TEST_F(RefreshTest, OnlyListsWhoseBytesChangedAreRebuilt) {
    SetCount(OFS_UPPER_VISIBILITY_COUNT, 1);
    SetCount(OFS_TEMPERATURE_COUNT, 2);
    SetCount(OFS_CLOUD_COUNT, 1);
    SetCount(OFS_WIND_COUNT, 1);
    Connect(5);
    ASSERT_EQ(RefreshWeather(), 1);

    struct Case {
        const char* Name;
        uint32_t Offset;  // a byte of the list's compared range
        int32_t Kind;
    } cases[] = {
        {"base visibility", OFS_BASE_VISIBILITY + 7, LIST_VISIBILITY},
        {"upper visibility", OFS_UPPER_VISIBILITIES + 95, LIST_VISIBILITY},
        {"pressure", OFS_PRESSURE, LIST_PRESSURE},
        {"temperature", OFS_TEMPERATURES + 191, LIST_TEMPERATURE},
        {"icao", OFS_ICAO, LIST_STATION},
        {"elevation", OFS_ELEVATION + 3, LIST_STATION},
        {"cloud", OFS_CLOUDS + 255, LIST_CLOUD},
        {"winds", OFS_WINDS, LIST_WINDS},
    };
    uint32_t stamp = 5;
    for (const Case& c : cases) {
        int before[LIST_COUNT];
        for (int32_t k = 0; k < LIST_COUNT; k++) before[k] = Rebuilds(k);
        AircraftBlock()[c.Offset] ^= 0x5A;
        SetStamp(++stamp);
        ASSERT_EQ(RefreshWeather(), 1) << c.Name;
        for (int32_t k = 0; k < LIST_COUNT; k++)
            EXPECT_EQ(Rebuilds(k), before[k] + (k == c.Kind ? 1 : 0)) << c.Name << " list " << k;
    }

    // The stamp itself, the counts and the reserved bytes belong to no list.
    int before[LIST_COUNT];
    for (int32_t k = 0; k < LIST_COUNT; k++) before[k] = Rebuilds(k);
    AircraftBlock()[OFS_RESERVED896] ^= 1;
    AircraftBlock()[OFS_RESERVED1008] ^= 1;
    SetStamp(++stamp);
    ASSERT_EQ(RefreshWeather(), 1);
    for (int32_t k = 0; k < LIST_COUNT; k++) EXPECT_EQ(Rebuilds(k), before[k]) << k;
}

TEST_F(RefreshTest, ResetStampRebuildsOnlyWhatDiffersEvenWithTheSameStamp) {
    SetCount(OFS_TEMPERATURE_COUNT, 2);
    Connect(5);
    ASSERT_EQ(RefreshWeather(), 1);
    int pressure = Rebuilds(LIST_PRESSURE), temperature = Rebuilds(LIST_TEMPERATURE);
    StoreU16(AircraftBlock() + OFS_PRESSURE, 10130);
    LastStamp = 0;  // as after an edit
    EXPECT_EQ(RefreshWeather(), 1);
    EXPECT_EQ(Rebuilds(LIST_PRESSURE), pressure + 1);
    EXPECT_EQ(Rebuilds(LIST_TEMPERATURE), temperature);
}

TEST_F(RefreshTest, AGrowingCountWithEqualBytesKeepsTheOldRows) {
    SetCount(OFS_TEMPERATURE_COUNT, 2);
    Connect(5);
    ASSERT_EQ(RefreshWeather(), 1);
    SetCount(OFS_TEMPERATURE_COUNT, 3);
    SetStamp(6);
    ASSERT_EQ(RefreshWeather(), 1);
    EXPECT_EQ(Rows(LIST_TEMPERATURE), 3u);
}

TEST_F(RefreshTest, AListShowingNoLayerIsRebuiltWhenLayersArrive) {
    SetCount(OFS_CLOUD_COUNT, 0);
    Connect(5);
    ASSERT_EQ(RefreshWeather(), 1);
    EXPECT_EQ(Rows(LIST_CLOUD), 1u);
    SetCount(OFS_CLOUD_COUNT, 2);  // the layers' bytes were there already
    SetStamp(6);
    ASSERT_EQ(RefreshWeather(), 1);
    EXPECT_EQ(Rows(LIST_CLOUD), 3u);
}

TEST_F(RefreshTest, TheFirstConnectedRefreshAfterNotConnectedRebuildsEveryList) {
    SetCount(OFS_UPPER_VISIBILITY_COUNT, 1);
    SetCount(OFS_TEMPERATURE_COUNT, 2);
    SetCount(OFS_CLOUD_COUNT, 1);
    SetCount(OFS_WIND_COUNT, 3);
    Connect(5);
    ASSERT_EQ(RefreshWeather(), 1);
    // The link fails once: every list drops to its row 0.
    FakeScriptSends(LINK_TRIES, FAKE_SEND_FAIL);
    ASSERT_EQ(RefreshWeather(), 1);
    ASSERT_EQ(CurrentMode, MODE_NOT_CONNECTED);
    for (int32_t kind = 0; kind < LIST_COUNT; kind++) ASSERT_EQ(Rows(kind), 1u);
    // The module answers again with the same stamp and the same data.
    EXPECT_EQ(RefreshWeather(), 1);
    EXPECT_EQ(CurrentMode, MODE_AIRCRAFT);
    const size_t expected[LIST_COUNT] = {3, 1, 3, 1, 2, 4};
    for (int32_t kind = 0; kind < LIST_COUNT; kind++) EXPECT_EQ(Rows(kind), expected[kind]) << kind;
    EXPECT_EQ(RefreshWeather(), 0) << "from then on the stamp test holds again";
}

TEST_F(RefreshTest, ANewRunwayReplyRebuildsTheStationList) {
    std::memcpy(Request.Bytes + SRQ_ICAO, "EGLL", 4);
    CurrentMode = MODE_STATION;
    uint8_t* requested = Space.Bytes + AREA_REQUESTED_WEATHER;
    std::memcpy(requested + OFS_ICAO, "EGLL", 4);
    StoreU32(requested + OFS_TIMESTAMP, 5);
    StartSimulator();
    ASSERT_EQ(TryConnect(), 1);
    ASSERT_EQ(RefreshWeather(), 1);
    EXPECT_EQ(Fake.Title, "Cumora: Local weather at station  ICAO=EGLL");
    int station = Rebuilds(LIST_STATION);
    Space.Bytes[AREA_RUNWAY_REQUEST + RWY_DEPARTURE] = 9;
    StoreU32(requested + OFS_TIMESTAMP, 6);
    ASSERT_EQ(RefreshWeather(), 1);
    EXPECT_EQ(Rebuilds(LIST_STATION), station + 1);
}

TEST_F(RefreshTest, StampZeroShowsNoWeatherAndKeepsRefreshing) {
    SetCount(OFS_TEMPERATURE_COUNT, 1);
    Connect(0);
    EXPECT_EQ(RefreshWeather(), 1);
    EXPECT_EQ(CurrentMode, MODE_NO_WEATHER);
    EXPECT_EQ(Fake.Title, "Cumora: No weather to show!");
    EXPECT_EQ(Rows(LIST_TEMPERATURE), 2u) << "the block is shown as it came";
    EXPECT_EQ(RefreshWeather(), 1);
    EXPECT_EQ(SourceMode, MODE_AIRCRAFT);
}

TEST_F(RefreshTest, BusyRefreshDoesNothing) {
    Busy = true;
    int titles = Fake.TitleSets;
    EXPECT_EQ(RefreshWeather(), 0);
    EXPECT_EQ(Fake.TitleSets, titles);
    EXPECT_FALSE(CommandsEnabled);
    EXPECT_EQ(Rows(LIST_PRESSURE), 0u);
}

TEST_F(RefreshTest, FocusAndSelectionGoBackToTheRememberedListAndRow) {
    SetCount(OFS_TEMPERATURE_COUNT, 3);
    Connect(5);
    ASSERT_EQ(RefreshWeather(), 1);
    FakeList* temperature = FakeListOf(List(LIST_TEMPERATURE));
    EditListEntry(LIST_TEMPERATURE, ACTION_SELECT);
    temperature->FocusedRow = 2;  // the user moved down
    StoreU16(AircraftBlock() + OFS_PRESSURE, 1);
    SetStamp(6);
    ASSERT_EQ(RefreshWeather(), 1);
    EXPECT_EQ(CurrentList, LIST_TEMPERATURE);
    EXPECT_EQ(Fake.Focus, List(LIST_TEMPERATURE));
    EXPECT_EQ(temperature->SelectedRow, 2) << "an unchanged list keeps its focused row";

    StoreU16(AircraftBlock() + OFS_TEMPERATURES, 7);
    SetStamp(7);
    ASSERT_EQ(RefreshWeather(), 1);
    EXPECT_EQ(temperature->SelectedRow, 0) << "a rebuilt list starts at row 0";
    EXPECT_EQ(temperature->FocusedRow, 0);
}

}  // namespace
