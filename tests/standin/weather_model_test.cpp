#include <cmath>
#include <set>

#include "tests/standin/standin_fixture.h"

namespace {

uint16_t Qnh(const WeatherBlock& b) { return LoadPressureRecord(b.Bytes + OFS_PRESSURE).Qnh; }

// Pressure to the end: the weather itself, without identity and stamp.
bool SameLayers(const WeatherBlock& a, const WeatherBlock& b) {
    return std::memcmp(a.Bytes + OFS_PRESSURE, b.Bytes + OFS_PRESSURE, WEATHER_BLOCK_SIZE - OFS_PRESSURE) ==
           0;
}

TEST_F(StandinTest, AreasAtStart) {
    const WeatherBlock aircraft = ReadAircraft();
    EXPECT_TRUE(IcaoIs(aircraft, "KSEA"));
    EXPECT_NE(BlockTimeStamp(aircraft), 0u);

    BatchBegin();
    const uint32_t data = BatchRead(AREA_REQUESTED_WEATHER, WEATHER_BLOCK_SIZE);
    ASSERT_EQ(BatchRun(), 1);
    EXPECT_EQ(BlockTimeStamp(BlockAt(data)), 0u) << "no request yet, so no requested weather";

    Reset(true);
    EXPECT_TRUE(IcaoIs(ReadAircraft(), "GLOB"));
}

TEST_F(StandinTest, StationRequestsAreAnswered) {
    struct Case {
        const char* Icao;
        double Latitude, Longitude;  // of the request
        bool Weather;
        double BlockLatitude, BlockLongitude;
        int32_t ElevationMetres;
    };
    const Case cases[] = {
        {"EGLL", 0, 0, true, 51.4775, -0.4614, 25},
        {"KDEN", 0, 0, true, 39.8617, -104.6731, 1656},
        {"W55\0", 0, 0, true, 47.6290, -122.3390, 4},
        {"GLOB", 0, 0, true, 0, 0, 0},
        {"    ", 48.5, 9.2, true, 48.5, 9.2, 0},
        {"ZZZZ", 0, 0, false, 0, 0, 0},
        {"EGL\0", 0, 0, false, 0, 0, 0},
        {"egll", 0, 0, false, 0, 0, 0},
        {"\0\0\0\0", 0, 0, false, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Icao, 4));
        const WeatherBlock b = RequestWeather(c.Icao, c.Latitude, c.Longitude);
        EXPECT_TRUE(IcaoIs(b, c.Icao)) << "the block names what was asked for";
        EXPECT_EQ(BlockTimeStamp(b) != 0, c.Weather);
        EXPECT_DOUBLE_EQ(BlockLatitude(b), c.BlockLatitude);
        EXPECT_DOUBLE_EQ(BlockLongitude(b), c.BlockLongitude);
        EXPECT_EQ(BlockElevation(b), c.ElevationMetres * 65536);
        if (!c.Weather) {
            EXPECT_EQ(BlockTemperatureCount(b), 0);
            EXPECT_EQ(LoadU32(b.Bytes + OFS_PRESSURE), 0u);
        }
    }
}

TEST_F(StandinTest, PositionTakesTheNearestStationOrTheGlobalWeather) {
    const WeatherBlock heathrow = RequestWeather("EGLL");
    const WeatherBlock global = RequestWeather("GLOB");
    EXPECT_TRUE(SameLayers(RequestWeather("    ", 51.50, -0.12), heathrow)) << "central London";
    EXPECT_TRUE(SameLayers(RequestWeather("    ", 0.0, -150.0), global)) << "mid-Pacific";
}

TEST_F(StandinTest, ARequestIsAnsweredByAReadLaterInTheSameBatchOnly) {
    // The program's refresh reads the area first and sends the request after it.
    const StationRequest r = MakeRequest("LFPG");
    BatchBegin();
    const uint32_t before = BatchRead(AREA_REQUESTED_WEATHER, WEATHER_BLOCK_SIZE);
    BatchWrite(AREA_STATION_REQUEST, STATION_REQUEST_SIZE, r.Bytes);
    ASSERT_EQ(BatchRun(), 1);
    EXPECT_EQ(BlockTimeStamp(BlockAt(before)), 0u);

    BatchBegin();
    const uint32_t after = BatchRead(AREA_REQUESTED_WEATHER, WEATHER_BLOCK_SIZE);
    ASSERT_EQ(BatchRun(), 1);
    EXPECT_TRUE(IcaoIs(BlockAt(after), "LFPG"));
    EXPECT_NE(BlockTimeStamp(BlockAt(after)), 0u);
}

TEST_F(StandinTest, RepeatingARequestKeepsTheStamp) {
    const uint32_t first = BlockTimeStamp(RequestWeather("RJTT"));
    EXPECT_EQ(BlockTimeStamp(RequestWeather("RJTT")), first);
}

TEST_F(StandinTest, RunwayReplies) {
    struct Case {
        const char* Icao;
        uint8_t Codes[8];
    };
    const Case cases[] = {
        {"EGLL", {27, 2, 27, 1, 27, 1, 27, 2}}, {"EDDF", {18, 0, 25, 3, 25, 1, 25, 2}},
        {"FAOR", {3, 1, 0, 0, 3, 2, 0, 0}},     {"W55\0", {37, 4, 41, 4, 44, 4, 40, 4}},
        {"GLOB", {0, 0, 0, 0, 0, 0, 0, 0}},     {"ZZZZ", {0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Icao, 4));
        uint8_t request[RUNWAY_REQUEST_SIZE] = {0xFF, 0xFF, 0xFF, 0xFF};
        std::memcpy(request + 4, c.Icao, 4);
        BatchBegin();
        BatchWrite(AREA_RUNWAY_REQUEST, RUNWAY_REQUEST_SIZE, request);
        const uint32_t data = BatchRead(AREA_RUNWAY_REPLY, RUNWAY_REPLY_SIZE);
        ASSERT_EQ(BatchRun(), 1);
        const uint8_t* reply = Batch.Bytes + data;
        EXPECT_EQ(std::memcmp(reply, c.Icao, 4), 0);
        EXPECT_EQ(LoadU32(reply + 4), 0u);
        EXPECT_EQ(std::memcmp(reply + 8, c.Codes, 8), 0);
    }
}

// Every source the model builds is a block the program can show as it stands.
TEST_F(StandinTest, EverySourceIsPlausible) {
    std::set<uint32_t> stamps;
    auto check = [&](const WeatherBlock& b) {
        EXPECT_NE(BlockTimeStamp(b), 0u);
        stamps.insert(BlockTimeStamp(b));
        EXPECT_GE(Qnh(b), 980 * 16);
        EXPECT_LE(Qnh(b), 1040 * 16);
        const int32_t elevation = BlockElevation(b) / 65536;
        for (auto [offset, capacity] : {std::pair{OFS_TEMPERATURE_COUNT, TEMPERATURE_CAPACITY},
                                        {OFS_WIND_COUNT, WIND_CAPACITY},
                                        {OFS_CLOUD_COUNT, CLOUD_CAPACITY},
                                        {OFS_UPPER_VISIBILITY_COUNT, UPPER_VISIBILITY_CAPACITY}}) {
            EXPECT_GE(BlockRawCount(b, offset), 0);
            EXPECT_LE(BlockRawCount(b, offset), capacity);
        }
        EXPECT_GE(BlockTemperatureCount(b), 1);
        EXPECT_GE(BlockWindCount(b), 1);
        int32_t previous = -1;
        for (int32_t k = 0; k < BlockTemperatureCount(b); ++k) {
            const TemperatureLayer t = LoadTemperatureLayer(TemperatureAt(b, k));
            EXPECT_GT(t.Altitude, previous);
            EXPECT_LE(t.DewPoint, t.Day);
            previous = t.Altitude;
        }
        EXPECT_EQ(LoadTemperatureLayer(TemperatureAt(b, 0)).Altitude, elevation);
        for (int32_t k = 0; k < BlockCloudCount(b); ++k) {
            const CloudLayer c = LoadCloudLayer(CloudAt(b, k));
            EXPECT_GT(c.LowerAltitude, elevation);
            EXPECT_GT(c.UpperAltitude, c.LowerAltitude);
            EXPECT_LE(c.Cover, 8);
            EXPECT_LE(c.Type, 10);
            EXPECT_LE(c.PrecipType, 2);
            EXPECT_LE(c.PrecipRate, 5);
        }
        for (int32_t k = 0; k < BlockWindCount(b); ++k) {
            const WindLayer w = LoadWindLayer(WindAt(b, k));
            EXPECT_LE(w.Turbulence, 4);
            EXPECT_LE(w.Shear, 3);
            EXPECT_TRUE(w.Gust == 0 || w.Gust > w.Speed);
        }
    };
    for (const StandinStation& s : STANDIN_STATIONS) {
        SCOPED_TRACE(std::string(s.Icao, 4));
        const WeatherBlock b = RequestWeather(s.Icao);
        check(b);
        EXPECT_LE(std::fabs(BlockLatitude(b)), 90.0);
        EXPECT_LE(std::fabs(BlockLongitude(b)), 180.0);
    }
    check(RequestWeather("GLOB"));
    check(ReadAircraft());
    EXPECT_EQ(stamps.size(), static_cast<size_t>(STANDIN_STATION_COUNT + 2)) << "stamps are unique";
}

// The body of a block read from a source, changed, then written back with command 1.
struct WriteBackCase {
    const char* Icao;
    bool AircraftOnGlobal;
    bool Replaces;
};

class StandinWriteBackTest : public StandinTest, public ::testing::WithParamInterface<WriteBackCase> {};

TEST_P(StandinWriteBackTest, ReplacesTheWeatherOfItsSource) {
    const WriteBackCase& c = GetParam();
    Reset(c.AircraftOnGlobal);
    WeatherBlock block = IcaoIs(ReadAircraft(), c.Icao) ? ReadAircraft() : RequestWeather(c.Icao);
    const WeatherBlock original = block;

    // An edited cloud layer, an inserted temperature layer, reserved bytes the module owns,
    // and a latitude the program never changes.
    StoreCloudLayer(CloudAt(block, 0), {2500, 1800, 30, 6, 9, 2, 1, 1700, 1, 2, 3, 0});
    StoreI32(block.Bytes + OFS_CLOUD_COUNT, BlockCloudCount(block) == 0 ? 1 : BlockCloudCount(block));
    StoreTemperatureLayer(TemperatureAt(block, BlockTemperatureCount(block)), {14000, -57, 0, -70});
    StoreI32(block.Bytes + OFS_TEMPERATURE_COUNT, BlockTemperatureCount(block) + 1);
    block.Bytes[OFS_RESERVED1008 + 3] ^= 0x5A;
    StoreF64(block.Bytes + OFS_LATITUDE, 12.0);

    BatchBegin();
    BatchWrite(AREA_WEATHER_BODY, WEATHER_BODY_SIZE, block.Bytes + WEATHER_BODY_OFFSET);
    BatchWriteWord(AREA_WEATHER_COMMAND, COMMAND_WRITE_BACK);
    ASSERT_EQ(BatchRun(), 1);

    const WeatherBlock after =
        IcaoIsGlob(BlockIcao(block)) && c.AircraftOnGlobal ? ReadAircraft() : RequestWeather(c.Icao);
    if (!c.Replaces) {
        EXPECT_EQ(Model.IgnoredWriteBacks, 1u);
        EXPECT_FALSE(SameLayers(after, block));
        return;
    }
    EXPECT_EQ(Model.WriteBacks, 1u);
    EXPECT_TRUE(SameLayers(after, block)) << "layers and reserved bytes as written";
    EXPECT_EQ(std::memcmp(after.Bytes + OFS_RESERVED12, block.Bytes + OFS_RESERVED12, 4), 0);
    EXPECT_DOUBLE_EQ(BlockLatitude(after), BlockLatitude(original)) << "the source keeps its position";
    EXPECT_NE(BlockTimeStamp(after), 0u);
    EXPECT_NE(BlockTimeStamp(after), BlockTimeStamp(original)) << "new weather, new stamp";
}

INSTANTIATE_TEST_SUITE_P(
    Sources, StandinWriteBackTest,
    ::testing::Values(WriteBackCase{"EGLL", false, true}, WriteBackCase{"W55\0", false, true},
                      WriteBackCase{"GLOB", false, true}, WriteBackCase{"GLOB", true, true},
                      WriteBackCase{"ZZZZ", false, false}, WriteBackCase{"    ", false, false}));

TEST_F(StandinTest, WriteBackOfTheGlobalWeatherShowsAtTheAircraftWhileItIsInForce) {
    Reset(true);
    WeatherBlock block = ReadAircraft();
    StorePressureRecord(block.Bytes + OFS_PRESSURE, {16000, 0});
    BatchBegin();
    BatchWrite(AREA_WEATHER_BODY, WEATHER_BODY_SIZE, block.Bytes + WEATHER_BODY_OFFSET);
    BatchWriteWord(AREA_WEATHER_COMMAND, COMMAND_WRITE_BACK);
    const uint32_t data = BatchRead(AREA_AIRCRAFT_WEATHER, WEATHER_BLOCK_SIZE);
    ASSERT_EQ(BatchRun(), 1);
    EXPECT_EQ(Qnh(BlockAt(data)), 16000);
    EXPECT_EQ(Qnh(RequestWeather("GLOB")), 16000);
}

void RunCommandSequence(uint16_t first) {
    BatchBegin();
    BatchWriteWord(AREA_WEATHER_COMMAND, first);
    BatchWriteWord(AREA_COMMAND_WORD, 0);
    BatchWriteWord(AREA_WEATHER_COMMAND, COMMAND_FINISH);
    ASSERT_EQ(BatchRun(), 1);
}

TEST_F(StandinTest, ClearAllLeavesFairWeatherEverywhere) {
    const uint32_t heathrowStamp = BlockTimeStamp(RequestWeather("EGLL"));
    RunCommandSequence(COMMAND_CLEAR_ALL);

    const WeatherBlock aircraft = ReadAircraft();
    EXPECT_TRUE(IcaoIs(aircraft, "GLOB"));
    for (const char* icao : {"GLOB", "EGLL", "LSZH"}) {
        SCOPED_TRACE(icao);
        const WeatherBlock b = RequestWeather(icao);
        EXPECT_TRUE(IcaoIs(b, icao));
        EXPECT_EQ(BlockCloudCount(b), 0);
        EXPECT_EQ(LoadWindLayer(WindAt(b, 0)).Speed, 0);
        EXPECT_NE(BlockTimeStamp(b), 0u);
    }
    EXPECT_NE(BlockTimeStamp(RequestWeather("EGLL")), heathrowStamp);
    EXPECT_DOUBLE_EQ(BlockLatitude(RequestWeather("EGLL")), 51.4775);
}

TEST_F(StandinTest, GlobalPutsTheGlobalWeatherInForceEverywhere) {
    const WeatherBlock global = RequestWeather("GLOB");
    EXPECT_FALSE(SameLayers(RequestWeather("YSSY"), global));
    RunCommandSequence(COMMAND_GLOBAL);

    EXPECT_TRUE(IcaoIs(ReadAircraft(), "GLOB"));
    const WeatherBlock sydney = RequestWeather("YSSY");
    EXPECT_TRUE(SameLayers(sydney, global));
    EXPECT_TRUE(IcaoIs(sydney, "YSSY"));
    EXPECT_DOUBLE_EQ(BlockLatitude(sydney), -33.9461);
}

TEST_F(StandinTest, CommandsOutsideTheirSequencesChangeNothing) {
    const WeatherBlock aircraft = ReadAircraft();
    const WeatherBlock heathrow = RequestWeather("EGLL");
    for (uint16_t command : {COMMAND_FINISH, uint16_t{2}, uint16_t{9}}) {
        BatchBegin();
        BatchWriteWord(AREA_WEATHER_COMMAND, command);
        ASSERT_EQ(BatchRun(), 1);
    }
    EXPECT_EQ(std::memcmp(ReadAircraft().Bytes, aircraft.Bytes, WEATHER_BLOCK_SIZE), 0);
    EXPECT_EQ(std::memcmp(RequestWeather("EGLL").Bytes, heathrow.Bytes, WEATHER_BLOCK_SIZE), 0);
}

TEST_F(StandinTest, TheAircraftsWeatherChangesOncePerInterval) {
    Reset(false, 1000);
    const uint32_t start = 0xFFFFFE00u;  // the clock wraps during the test
    EXPECT_FALSE(ModelTick(TestSpace, start));
    const WeatherBlock before = ReadAircraft();
    EXPECT_FALSE(ModelTick(TestSpace, start + 999));
    EXPECT_EQ(BlockTimeStamp(ReadAircraft()), BlockTimeStamp(before));

    EXPECT_TRUE(ModelTick(TestSpace, start + 1000));
    const WeatherBlock after = ReadAircraft();
    EXPECT_NE(BlockTimeStamp(after), BlockTimeStamp(before));
    EXPECT_NE(BlockTimeStamp(after), 0u);
    EXPECT_TRUE(IcaoIs(after, "KSEA"));
    EXPECT_FALSE(ModelTick(TestSpace, start + 1500));

    ModelSetAircraftOnGlobal(TestSpace, true);
    EXPECT_FALSE(ModelTick(TestSpace, start + 2000)) << "the global weather changes only by commands";
}

TEST_F(StandinTest, NoTicksWhenTheIntervalIsZero) {
    Reset(false, 0);
    ModelTick(TestSpace, 0);
    EXPECT_FALSE(ModelTick(TestSpace, 1000000));
}

TEST_F(StandinTest, WritesIntoTheWeatherAreasDoNotStick) {
    uint8_t junk[16];
    std::memset(junk, 0x77, sizeof junk);
    const WeatherBlock aircraft = ReadAircraft();
    BatchBegin();
    BatchWrite(AREA_AIRCRAFT_WEATHER + OFS_PRESSURE, sizeof junk, junk);
    const uint32_t data = BatchRead(AREA_AIRCRAFT_WEATHER, WEATHER_BLOCK_SIZE);
    ASSERT_EQ(BatchRun(), 1);
    EXPECT_EQ(std::memcmp(BlockAt(data).Bytes, aircraft.Bytes, WEATHER_BLOCK_SIZE), 0);
}

}  // namespace
