// The module's side of a batch: writes store, reads fill, in queue order; malformed
// batches stop with 0 after the records before the fault.
#include "link/module_contract.h"

#include <string>

#include "tests/link/link_fixture.h"

namespace {

struct HookLog {
    std::vector<std::pair<uint32_t, uint32_t>> Writes;
};

void LogAndStamp(ModuleSpace& space, uint32_t offset, uint32_t size, void* context) {
    auto* log = static_cast<HookLog*>(context);
    log->Writes.push_back({offset, size});
    // Answer every write at 0x500 with its size at 0x600, as a request/reply area would.
    if (offset == 0x500) StoreU32(space.Bytes + 0x600, size);
}

class ModuleContractTest : public ::testing::Test {
protected:
    void SetUp() override {
        Space = new ModuleSpace{};
        for (uint32_t i = 0; i < MODULE_SPACE_SIZE; i++) Space->Bytes[i] = static_cast<uint8_t>(i);
    }
    void TearDown() override { delete Space; }
    int Run(BatchBuilder& b, HookLog* log = nullptr) {
        return ModuleProcessBatch(b.Bytes.data(), static_cast<uint32_t>(b.Bytes.size()), *Space,
                                  log ? LogAndStamp : nullptr, log);
    }
    ModuleSpace* Space = nullptr;
};

TEST_F(ModuleContractTest, WritesAndReadsRunInQueueOrder) {
    BatchBuilder b;
    b.Read(0x100, 2, 0xAAAA0001);        // before the write: old contents
    b.Write(0x100, {0x11, 0x22, 0x33});  // 3 bytes, so the next record is unaligned
    b.Read(0x0FF, 5, 0xAAAA0002);        // after it: the new contents with their neighbours
    b.Write(0x500, {9, 9});
    b.Read(0x600, 4, 0);  // the hook's answer to the write just before
    b.End();
    const std::vector<uint8_t> before = b.Bytes;
    HookLog log;
    ASSERT_EQ(Run(b, &log), 1);

    ParsedBatch parsed = ParseBatch(b.Bytes.data(), static_cast<uint32_t>(b.Bytes.size()));
    ASSERT_EQ(parsed.Records.size(), 5u);
    EXPECT_EQ(parsed.Records[0].Data, (std::vector<uint8_t>{0x00, 0x01}));
    EXPECT_EQ(parsed.Records[2].Data, (std::vector<uint8_t>{0xFF, 0x11, 0x22, 0x33, 0x03}));
    EXPECT_EQ(parsed.Records[4].Data, (std::vector<uint8_t>{2, 0, 0, 0}));
    EXPECT_EQ(Space->Bytes[0x100], 0x11);
    EXPECT_EQ(Space->Bytes[0x500], 9);
    EXPECT_EQ(log.Writes, (std::vector<std::pair<uint32_t, uint32_t>>{{0x100, 3}, {0x500, 2}}));
    // Heads (type, offset, size, destination) are as they were.
    for (const BatchRecord& r : parsed.Records) {
        const uint32_t head = r.Type == RECORD_READ ? READ_HEAD_SIZE : WRITE_HEAD_SIZE;
        EXPECT_EQ(0, std::memcmp(b.Bytes.data() + r.Start, before.data() + r.Start, head)) << r.Start;
    }
}

TEST_F(ModuleContractTest, EmptyBatchIsAnswered) {
    BatchBuilder b;
    b.End();
    EXPECT_EQ(Run(b), 1);
}

struct MalformedCase {
    const char* Name;
    void (*Build)(BatchBuilder& b);
};

// Every batch starts with a good write of 0x77 at 0x10, which must be carried out.
const MalformedCase MALFORMED[] = {
    {"unknown_type", [](BatchBuilder& b) { b.Head(7, 0x20, 0); }},
    {"missing_terminator", [](BatchBuilder&) {}},
    {"terminator_cut_short", [](BatchBuilder& b) { b.Bytes.push_back(0); }},
    {"read_head_cut_short", [](BatchBuilder& b) { b.Head(RECORD_READ, 0x20, 4); }},
    {"write_head_cut_short", [](BatchBuilder& b) { b.Word(RECORD_WRITE); }},
    {"read_data_past_section",
     [](BatchBuilder& b) {
         b.Head(RECORD_READ, 0x20, 64);
         b.Word(1);
         b.End();
     }},
    {"write_data_past_section",
     [](BatchBuilder& b) {
         b.Head(RECORD_WRITE, 0x20, 0xFFFFFFF0u);
         b.End();
     }},
    {"read_past_space",
     [](BatchBuilder& b) {
         b.Read(MODULE_SPACE_SIZE - 2, 4);
         b.End();
     }},
    {"write_past_space",
     [](BatchBuilder& b) {
         b.Write(MODULE_SPACE_SIZE - 1, {1, 2});
         b.End();
     }},
    {"offset_wraps",
     [](BatchBuilder& b) {
         b.Write(0xFFFFFFFFu, {1, 2});
         b.End();
     }},
};

class ModuleMalformedTest : public ModuleContractTest, public ::testing::WithParamInterface<MalformedCase> {};

TEST_P(ModuleMalformedTest, StopsWithZeroAfterEarlierRecords) {
    BatchBuilder b;
    b.Write(0x10, {0x77});
    GetParam().Build(b);
    const uint8_t lastByte = Space->Bytes[MODULE_SPACE_SIZE - 1];
    EXPECT_EQ(Run(b), 0);
    EXPECT_EQ(Space->Bytes[0x10], 0x77);
    EXPECT_EQ(Space->Bytes[MODULE_SPACE_SIZE - 1], lastByte);
}

INSTANTIATE_TEST_SUITE_P(Malformed, ModuleMalformedTest, ::testing::ValuesIn(MALFORMED),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(ModuleContractTest, SectionTooSmallForAnyRecord) {
    uint8_t bytes[3] = {0, 0, 0};
    EXPECT_EQ(ModuleProcessBatch(bytes, 0, *Space, nullptr, nullptr), 0);
    EXPECT_EQ(ModuleProcessBatch(bytes, 3, *Space, nullptr, nullptr), 0);
}

}  // namespace
