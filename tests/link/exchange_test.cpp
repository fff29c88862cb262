// The batches each situation queues, and the exchange state they change.
#include "weather/exchange.h"

#include <string>

#include "display/app_state.h"
#include "tests/link/link_fixture.h"

namespace {

struct Expected {
    uint32_t Type;
    uint32_t Offset;
    uint32_t Size;
};
bool operator==(const Expected& a, const BatchRecord& b) {
    return a.Type == b.Type && a.Offset == b.Offset && a.Size == b.Size;
}

void ExpectRecords(const ParsedBatch& batch, const std::vector<Expected>& expected) {
    ASSERT_TRUE(batch.Terminated);
    ASSERT_EQ(batch.Records.size(), expected.size());
    for (size_t i = 0; i < expected.size(); i++) {
        EXPECT_TRUE(expected[i] == batch.Records[i])
            << "record " << i << ": type " << batch.Records[i].Type << " offset 0x" << std::hex
            << batch.Records[i].Offset << " size " << std::dec << batch.Records[i].Size;
    }
}

const Expected READ_AIRCRAFT{RECORD_READ, 0xC000, 1024};
const Expected READ_REQUESTED{RECORD_READ, 0xCC00, 1024};
const Expected WRITE_STATION{RECORD_WRITE, 0xCC04, 28};
const Expected WRITE_RUNWAY{RECORD_WRITE, 0xD000, 8};
const Expected READ_RUNWAY{RECORD_READ, 0xD004, 16};

void SetIcao(const char* icao) {
    std::memset(Request.Bytes + SRQ_ICAO, 0, 4);
    std::memcpy(Request.Bytes + SRQ_ICAO, icao, std::strlen(icao) < 4 ? std::strlen(icao) : 4);
}

struct RefreshCase {
    const char* Name;
    WeatherMode SourceBefore;
    WeatherMode Mode;
    std::vector<Expected> Records;
    WeatherMode SourceAfter;
    uint32_t Length;
};

const RefreshCase REFRESH_CASES[] = {
    {"aircraft", MODE_AIRCRAFT, MODE_AIRCRAFT, {READ_AIRCRAFT}, MODE_AIRCRAFT, 1044},
    {"aircraft_after_station", MODE_STATION, MODE_AIRCRAFT, {READ_AIRCRAFT}, MODE_AIRCRAFT, 1044},
    {"no_weather_at_aircraft", MODE_AIRCRAFT, MODE_NO_WEATHER, {READ_AIRCRAFT}, MODE_AIRCRAFT, 1044},
    {"not_connected_at_aircraft", MODE_AIRCRAFT, MODE_NOT_CONNECTED, {READ_AIRCRAFT}, MODE_AIRCRAFT, 1044},
    {"no_weather_at_global", MODE_GLOBAL, MODE_NO_WEATHER, {READ_REQUESTED}, MODE_GLOBAL, 1044},
    {"no_weather_at_station", MODE_STATION, MODE_NO_WEATHER, {READ_REQUESTED}, MODE_STATION, 1044},
    {"not_connected_at_location", MODE_LOCATION, MODE_NOT_CONNECTED, {READ_REQUESTED}, MODE_LOCATION, 1044},
    {"global", MODE_AIRCRAFT, MODE_GLOBAL, {READ_REQUESTED, WRITE_STATION}, MODE_GLOBAL, 1084},
    {"location", MODE_GLOBAL, MODE_LOCATION, {READ_REQUESTED, WRITE_STATION}, MODE_LOCATION, 1084},
    {"station",
     MODE_AIRCRAFT,
     MODE_STATION,
     {READ_REQUESTED, WRITE_STATION, WRITE_RUNWAY, READ_RUNWAY},
     MODE_STATION,
     1136},
};

class RefreshBatchTest : public LinkTest, public ::testing::WithParamInterface<RefreshCase> {};

TEST_P(RefreshBatchTest, QueuesTheRecordsOfItsSituation) {
    const RefreshCase& c = GetParam();
    ASSERT_TRUE(Open());
    SourceMode = c.SourceBefore;
    SetIcao("EGLL");
    StoreU32(Request.Bytes + SRQ_REQUEST_WORD, 0xFFFFFFFFu);
    std::memset(Runways.Bytes + RWY_DEPARTURE, 0x21, RUNWAY_CODES_SIZE);
    QueueRefreshRequests(c.Mode);
    EXPECT_EQ(SourceMode, c.SourceAfter);
    // Runway codes survive only a refresh in the Station mode (whose reply then replaces them).
    const uint8_t expectedCode = c.Mode == MODE_STATION ? 0x21 : 0;
    for (uint32_t i = RWY_DEPARTURE; i < RUNWAY_BUFFER_SIZE; i++)
        EXPECT_EQ(Runways.Bytes[i], expectedCode) << i;
    ASSERT_EQ(ProcessUnanswered(), 1);
    ExpectRecords(Captured, c.Records);
    EXPECT_EQ(Captured.Length, c.Length);
    for (const BatchRecord& r : Captured.Records) {
        if (r.Type == RECORD_READ) {
            EXPECT_EQ(r.Data, std::vector<uint8_t>(r.Size, 0));
        }
        if (r.Offset == AREA_STATION_REQUEST) {
            EXPECT_EQ(LoadU32(r.Data.data()), 0u);  // request word forced to 0
            EXPECT_EQ(0, std::memcmp(r.Data.data() + 4, Request.Bytes + 4, STATION_REQUEST_SIZE - 4));
        }
        if (r.Offset == AREA_RUNWAY_REQUEST) {
            EXPECT_EQ(r.Data, (std::vector<uint8_t>{0, 0, 0, 0, 'E', 'G', 'L', 'L'}));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Refresh, RefreshBatchTest, ::testing::ValuesIn(REFRESH_CASES),
                         [](const auto& info) { return std::string(info.param.Name); });

struct CommandCase {
    const char* Name;
    const char* Icao;  // for the station dialog cases
    void (*Queue)();
    std::vector<Expected> Records;
    std::vector<uint16_t> Words;  // values of the 2-byte writes, in order
    uint32_t Length;
};

const CommandCase COMMAND_CASES[] = {
    {"write_back", "", QueueWriteBack, {{RECORD_WRITE, 0xC808, 1016}, {RECORD_WRITE, 0xC800, 2}}, {1}, 1046},
    {"station_dialog_station",
     "KSEA",
     [] {
         QueueStationRequest();
         QueueRunwayRequest();
     },
     {WRITE_STATION, WRITE_RUNWAY},
     {},
     4 + 40 + 20},
    {"station_dialog_global", "GLOB", QueueStationRequest, {WRITE_STATION}, {}, 4 + 40},
    {"station_dialog_location", "    ", QueueStationRequest, {WRITE_STATION}, {}, 4 + 40},
    {"nothing_to_send", "", [] {}, {}, {}, 4},
    {"clear_all",
     "",
     QueueClearAll,
     {{RECORD_WRITE, 0xC800, 2}, {RECORD_WRITE, 0xC80C, 2}, {RECORD_WRITE, 0xC800, 2}},
     {3, 0, 4},
     4 + 3 * 14},
    {"global",
     "",
     QueueGlobal,
     {{RECORD_WRITE, 0xC800, 2}, {RECORD_WRITE, 0xC80C, 2}, {RECORD_WRITE, 0xC800, 2}},
     {5, 0, 4},
     4 + 3 * 14},
};

class CommandBatchTest : public LinkTest, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(CommandBatchTest, QueuesTheRecordsOfItsSituation) {
    const CommandCase& c = GetParam();
    ASSERT_TRUE(Open());
    for (uint32_t i = 0; i < WEATHER_BLOCK_SIZE; i++) CurrentBlock.Bytes[i] = static_cast<uint8_t>(i * 3);
    SetIcao(c.Icao);
    c.Queue();
    ASSERT_EQ(ProcessUnanswered(), 1);
    ExpectRecords(Captured, c.Records);
    EXPECT_EQ(Captured.Length, c.Length);
    std::vector<uint16_t> words;
    for (const BatchRecord& r : Captured.Records) {
        if (r.Size == 2) words.push_back(LoadU16(r.Data.data()));
        if (r.Offset == AREA_WEATHER_BODY) {
            EXPECT_EQ(0, std::memcmp(r.Data.data(), CurrentBlock.Bytes + 8, WEATHER_BODY_SIZE));
        }
    }
    EXPECT_EQ(words, c.Words);
}

INSTANTIATE_TEST_SUITE_P(Commands, CommandBatchTest, ::testing::ValuesIn(COMMAND_CASES),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(LinkTest, RecordsAfterTwoByteWritesStartUnaligned) {
    ASSERT_TRUE(Open());
    QueueClearAll();
    uint8_t block[4];
    LinkRead(0xC000, 4, block);
    ASSERT_EQ(ProcessUnanswered(), 1);
    ASSERT_EQ(Captured.Records.size(), 4u);
    EXPECT_EQ(Captured.Records[1].Start, 14u);
    EXPECT_EQ(Captured.Records[2].Start, 28u);
    EXPECT_EQ(Captured.Records[3].Start, 42u);
    EXPECT_EQ(Captured.Records[3].Type, RECORD_READ);
    EXPECT_EQ(Captured.Records[3].Offset, 0xC000u);
}

TEST_F(LinkTest, ShortIdentifierIsSentWithItsNul) {
    ASSERT_TRUE(Open());
    SetIcao("EHA");
    StoreF64(Request.Bytes + SRQ_LATITUDE, 52.5);
    QueueStationRequest();
    ASSERT_EQ(ProcessUnanswered(), 1);
    ASSERT_EQ(Captured.Records.size(), 1u);
    const std::vector<uint8_t>& data = Captured.Records[0].Data;
    EXPECT_EQ(data[4], 'E');
    EXPECT_EQ(data[5], 'H');
    EXPECT_EQ(data[6], 'A');
    EXPECT_EQ(data[7], 0);
    EXPECT_EQ(LoadF64(data.data() + SRQ_LATITUDE), 52.5);
}

TEST_F(LinkTest, StateChangesTakePlaceWhileClosed) {
    SetIcao("LFPG");
    StoreU32(Request.Bytes + SRQ_REQUEST_WORD, 77);
    StoreU32(Runways.Bytes + RWY_REQUEST_WORD, 88);
    std::memset(Runways.Bytes + RWY_DEPARTURE, 0x12, RUNWAY_CODES_SIZE);
    QueueRefreshRequests(MODE_STATION);
    EXPECT_EQ(SourceMode, MODE_STATION);
    EXPECT_EQ(LoadU32(Request.Bytes + SRQ_REQUEST_WORD), 0u);
    EXPECT_EQ(LoadU32(Runways.Bytes + RWY_REQUEST_WORD), 0u);
    EXPECT_EQ(0, std::memcmp(Runways.Bytes + RWY_ICAO, "LFPG", 4));
    EXPECT_EQ(Runways.Bytes[RWY_DEPARTURE], 0x12);

    QueueRefreshRequests(MODE_NOT_CONNECTED);
    EXPECT_EQ(SourceMode, MODE_STATION);
    EXPECT_EQ(0, std::memcmp(Runways.Bytes + RWY_ICAO, "LFPG", 4));  // the Icao stays
    for (uint32_t i = RWY_DEPARTURE; i < RUNWAY_BUFFER_SIZE; i++) EXPECT_EQ(Runways.Bytes[i], 0) << i;

    QueueRefreshRequests(MODE_LOCATION);
    EXPECT_EQ(SourceMode, MODE_LOCATION);
    EXPECT_EQ(LinkProcess(), 0);
    EXPECT_EQ(FakeKernel.Sends, 0);
}

TEST_F(LinkTest, ResetRestoresTheStateAtStart) {
    SourceMode = MODE_GLOBAL;
    Request.Bytes[5] = 1;
    Runways.Bytes[9] = 2;
    CurrentBlock.Bytes[100] = 3;
    ResetExchangeState();
    EXPECT_EQ(SourceMode, MODE_AIRCRAFT);
    EXPECT_EQ(Request.Bytes[5], 0);
    EXPECT_EQ(Runways.Bytes[9], 0);
    EXPECT_EQ(CurrentBlock.Bytes[100], 0);
}

// A module that answers station and runway requests: the runway reply is read in the
// same batch as its request; the block read comes before the station request.
void AnswerRequests(ModuleSpace& space, uint32_t offset, uint32_t, void*) {
    if (offset == AREA_STATION_REQUEST) {
        StoreU32(space.Bytes + AREA_REQUESTED_WEATHER + OFS_TIMESTAMP,
                 LoadU32(space.Bytes + AREA_REQUESTED_WEATHER + OFS_TIMESTAMP) + 1);
    }
    if (offset == AREA_RUNWAY_REQUEST) {
        uint8_t* reply = space.Bytes + AREA_RUNWAY_REPLY;  // the Icao is already the request's
        const uint8_t codes[8] = {27, 1, 9, 2, 27, 1, 0, 0};
        std::memcpy(reply + 8, codes, sizeof codes);
    }
}

TEST_F(LinkTest, StationRefreshShowsEarlierAnswerAndSameBatchRunways) {
    FakeAttachModule(SIM_WINDOW, Space, AnswerRequests);
    ASSERT_TRUE(Open());
    SetIcao("EGLL");
    SourceMode = MODE_STATION;
    QueueRefreshRequests(MODE_STATION);
    ASSERT_EQ(LinkProcess(), 1);
    EXPECT_EQ(BlockTimeStamp(CurrentBlock), 0u);  // read before this batch's request
    EXPECT_EQ(0, std::memcmp(Runways.Bytes + RWY_ICAO, "EGLL", 4));
    EXPECT_EQ(Runways.Bytes[RWY_DEPARTURE], 27);
    EXPECT_EQ(Runways.Bytes[RWY_DEPARTURE + 1], 1);
    EXPECT_EQ(Runways.Bytes[RWY_ARRIVAL], 27);

    QueueRefreshRequests(MODE_STATION);
    ASSERT_EQ(LinkProcess(), 1);
    EXPECT_EQ(BlockTimeStamp(CurrentBlock), 1u);
    EXPECT_EQ(0, std::memcmp(CurrentBlock.Bytes + OFS_ICAO, "EGLL", 4));
}

}  // namespace
