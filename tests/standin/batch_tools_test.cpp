#include "tools/module_standin/batch_tools.h"

#include <string>

#include "tests/standin/standin_fixture.h"

namespace {

// A refresh in the station mode, a 2-byte write between them to break the alignment.
void QueueSample() {
    BatchBegin();
    BatchRead(AREA_REQUESTED_WEATHER, WEATHER_BLOCK_SIZE);
    const StationRequest r = MakeRequest("EGLL");
    BatchWrite(AREA_STATION_REQUEST, STATION_REQUEST_SIZE, r.Bytes);
    BatchWriteWord(AREA_COMMAND_WORD, 0x1234);
    BatchRead(AREA_RUNWAY_REPLY, RUNWAY_REPLY_SIZE);
    EncodeTerminator(Batch.Bytes + Batch.Cursor);
}

std::string LogOf(const char* note, int answer = 1) {
    FILE* f = std::tmpfile();
    LogBatch(f, 7, "FsasmLib:IPC:1F:1", Batch.Bytes, STANDIN_SECTION_SIZE, answer, note);
    std::rewind(f);
    std::string text;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, f) != nullptr) text += buffer;
    std::fclose(f);
    return text;
}

TEST(StandinBatchLog, OneLinePerRecord) {
    QueueSample();
    EXPECT_EQ(LogOf(""),
              "batch 7 name=FsasmLib:IPC:1F:1 answer=1\n"
              "read offset=0xCC00 size=1024\n"
              "write offset=0xCC04 size=28 data=0000000045474C4C0000000000000000000000000000000000000000\n"
              "write offset=0xC80C size=2 data=3412\n"
              "read offset=0xD004 size=16\n"
              "end\n");
}

TEST(StandinBatchLog, LongWritesAreCut) {
    uint8_t body[WEATHER_BODY_SIZE];
    for (uint32_t i = 0; i < sizeof body; ++i) body[i] = static_cast<uint8_t>(i);
    BatchBegin();
    BatchWrite(AREA_WEATHER_BODY, sizeof body, body);
    EncodeTerminator(Batch.Bytes + Batch.Cursor);
    EXPECT_NE(LogOf("").find("write offset=0xC808 size=1016 "
                             "data=000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F...\n"),
              std::string::npos);
}

TEST(StandinBatchLog, EmptyBatchAndNote) {
    BatchBegin();
    EncodeTerminator(Batch.Bytes);
    EXPECT_EQ(LogOf("refused", 0), "batch 7 name=FsasmLib:IPC:1F:1 answer=0 refused\nend\n");
}

TEST(StandinBatchLog, StopsAtAMalformedRecord) {
    struct Case {
        const char* Name;
        void (*Spoil)();
        const char* LastLines;
    };
    const Case cases[] = {
        {"unknown type", [] { StoreU32(Batch.Bytes + 1040, 9); },
         "read offset=0xCC00 size=1024\nbad at=1040 type=9\nend\n"},
        {"size past the section", [] { StoreU32(Batch.Bytes + 1040 + 8, 0xFFFFFFF0u); },
         "read offset=0xCC00 size=1024\nbad at=1040 type=2\nend\n"},
        {"no terminator", [] { StoreU32(Batch.Bytes + 8, STANDIN_SECTION_SIZE - READ_HEAD_SIZE); },
         "read offset=0xCC00 size=32684\nbad at=32700 type=0\nend\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        QueueSample();
        c.Spoil();
        const std::string log = LogOf("");
        ASSERT_GE(log.size(), std::string(c.LastLines).size());
        EXPECT_EQ(log.substr(log.size() - std::string(c.LastLines).size()), c.LastLines);
    }
}

TEST(StandinCorruption, ChangesTheNamedRecordOnly) {
    struct Case {
        StandinCorruption Kind;
        uint32_t Index;
        int Result;
        uint32_t At;     // the record's start
        uint32_t Field;  // 0 type, 8 size
        uint32_t Expected;
    };
    const Case cases[] = {
        {CORRUPT_TYPE, 0, 1, 0, 0, CORRUPT_TYPE_VALUE},
        {CORRUPT_TYPE, 2, 1, 1080, 0, CORRUPT_TYPE_VALUE},
        {CORRUPT_SIZE_HUGE, 3, 1, 1094, 8, CORRUPT_HUGE_SIZE},
        {CORRUPT_SIZE_SHRINK, 0, 1, 0, 8, 1023},
        {CORRUPT_SIZE_SHRINK, 2, 1, 1080, 8, 1},
        {CORRUPT_TYPE, 4, 0, 0, 0, 1},  // past the last record: nothing changes
        {CORRUPT_NONE, 0, 0, 0, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Kind << " at record " << c.Index);
        QueueSample();
        uint8_t before[STANDIN_SECTION_SIZE];
        std::memcpy(before, Batch.Bytes, sizeof before);
        EXPECT_EQ(CorruptRecord(Batch.Bytes, STANDIN_SECTION_SIZE, c.Kind, c.Index), c.Result);
        EXPECT_EQ(LoadU32(Batch.Bytes + c.At + c.Field), c.Expected);
        int changedBytes = 0;
        for (uint32_t i = 0; i < STANDIN_SECTION_SIZE; ++i) changedBytes += before[i] != Batch.Bytes[i];
        EXPECT_LE(changedBytes, 4);
        EXPECT_EQ(changedBytes == 0, c.Result == 0);
    }
}

TEST(StandinCorruption, FindRecordWalksUnalignedRecords) {
    QueueSample();
    const uint32_t starts[] = {0, 1040, 1080, 1094};
    for (uint32_t k = 0; k < 4; ++k) {
        uint32_t at = 0;
        ASSERT_TRUE(FindRecord(Batch.Bytes, STANDIN_SECTION_SIZE, k, &at));
        EXPECT_EQ(at, starts[k]);
    }
    uint32_t at = 0;
    EXPECT_FALSE(FindRecord(Batch.Bytes, STANDIN_SECTION_SIZE, 4, &at));
    EXPECT_FALSE(FindRecord(Batch.Bytes, 1000, 0, &at)) << "a record longer than the section";
}

}  // namespace
