// Exchanges: tries and their pauses, delivery of the answered reads, and the walk over
// an answer that the module may have changed.
#include <array>
#include <string>

#include "link/request_batch.h"
#include "tests/link/link_fixture.h"

namespace {

constexpr uint8_t UNTOUCHED = 0x55;
constexpr uint8_t GUARD = 0xEE;
constexpr uint32_t GUARD_SIZE = 8;

// A destination with guard bytes on both sides.
struct Destination {
    std::array<uint8_t, GUARD_SIZE + 64 + GUARD_SIZE> Bytes;
    uint32_t Size;
    void Reset(uint32_t size) {
        Size = size;
        Bytes.fill(GUARD);
        std::memset(Bytes.data() + GUARD_SIZE, UNTOUCHED, size);
    }
    uint8_t* Data() { return Bytes.data() + GUARD_SIZE; }
    bool GuardsIntact() const {
        for (uint32_t i = 0; i < Bytes.size(); i++)
            if ((i < GUARD_SIZE || i >= GUARD_SIZE + Size) && Bytes[i] != GUARD) return false;
        return true;
    }
    bool Untouched() const {
        for (uint32_t i = 0; i < Size; i++)
            if (Bytes[GUARD_SIZE + i] != UNTOUCHED) return false;
        return true;
    }
};

class LinkProcessTest : public LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        for (uint32_t i = 0; i < MODULE_SPACE_SIZE; i++) Space->Bytes[i] = static_cast<uint8_t>(i * 7 + 1);
        ASSERT_TRUE(Open());
    }
    bool HoldsModuleData(Destination& d, uint32_t offset) {
        return std::memcmp(d.Data(), Space->Bytes + offset, d.Size) == 0;
    }
};

TEST_F(LinkProcessTest, EmptyBatchIsSentAndAccepted) {
    CaptureAnswers();
    EXPECT_EQ(LinkProcess(), 1);
    EXPECT_EQ(FakeKernel.Sends, 1);
    EXPECT_EQ(FakeKernel.ModuleRuns, 1);
    EXPECT_EQ(FakeKernel.Sleeps, 0);
    EXPECT_TRUE(Captured.Terminated);
    EXPECT_EQ(Captured.Length, 4u);
    EXPECT_TRUE(Captured.Records.empty());
}

TEST_F(LinkProcessTest, ReadsAreDeliveredAndCursorReset) {
    Destination a, b;
    a.Reset(10);
    b.Reset(3);
    LinkRead(0x100, 10, a.Data());
    uint8_t two[2] = {0xAB, 0xCD};
    LinkWrite(0x200, 2, two);
    LinkRead(0x200, 3, b.Data());
    ASSERT_EQ(LinkProcess(), 1);
    EXPECT_TRUE(HoldsModuleData(a, 0x100));
    EXPECT_EQ(b.Data()[0], 0xAB);  // the read after the write sees it
    EXPECT_EQ(b.Data()[1], 0xCD);
    EXPECT_TRUE(a.GuardsIntact());
    EXPECT_TRUE(b.GuardsIntact());
    EXPECT_EQ(Link.Cursor, 0u);
    EXPECT_EQ(Link.ReadCount, 0);
}

TEST_F(LinkProcessTest, ReadOfSizeZeroOrWithoutDestinationCopiesNothing) {
    Destination a, b;
    a.Reset(4);
    b.Reset(4);
    LinkRead(0x100, 0, a.Data());
    LinkRead(0x104, 6, nullptr);
    LinkRead(0x110, 4, b.Data());
    ASSERT_EQ(LinkProcess(), 1);
    EXPECT_TRUE(a.Untouched());
    EXPECT_TRUE(HoldsModuleData(b, 0x110));
    EXPECT_TRUE(a.GuardsIntact() && b.GuardsIntact());
}

struct TryCase {
    const char* Name;
    int Count;
    FakeSendKind Kind;
    intptr_t Result;
    int ExpectedReturn;
    int ExpectedSends;
};

const TryCase TRY_CASES[] = {
    {"ten_failed_sends", 10, FAKE_SEND_FAIL, 0, 0, 10},
    {"ten_answers_0", 10, FAKE_SEND_RESULT, 0, 0, 10},
    {"ten_answers_2", 10, FAKE_SEND_RESULT, 2, 0, 10},
    {"ten_answers_minus_1", 10, FAKE_SEND_RESULT, -1, 0, 10},
    {"nine_failed_sends_then_accepted", 9, FAKE_SEND_FAIL, 0, 1, 10},
    {"three_answers_2_then_accepted", 3, FAKE_SEND_RESULT, 2, 1, 4},
};

class LinkTriesTest : public LinkProcessTest, public ::testing::WithParamInterface<TryCase> {};

TEST_P(LinkTriesTest, RetriesWithPausesAndDeliversOnlyOnAnswer1) {
    const TryCase& c = GetParam();
    Destination d;
    d.Reset(16);
    LinkRead(0x300, 16, d.Data());
    FakeScriptSends(c.Count, c.Kind, c.Result);
    EXPECT_EQ(LinkProcess(), c.ExpectedReturn);
    EXPECT_EQ(FakeKernel.Sends, c.ExpectedSends);
    // Every failed try is followed by a pause, the tenth as well.
    EXPECT_EQ(FakeKernel.Sleeps, c.Count);
    EXPECT_EQ(FakeKernel.SleptMs, 200u * c.Count);
    if (c.ExpectedReturn == 1)
        EXPECT_TRUE(HoldsModuleData(d, 0x300));
    else
        EXPECT_TRUE(d.Untouched());
    EXPECT_TRUE(d.GuardsIntact());
    EXPECT_EQ(Link.Cursor, 0u);
    // The dropped batch does not come back in the next one.
    CaptureAnswers();
    EXPECT_EQ(LinkProcess(), 1);
    EXPECT_EQ(Captured.Length, 4u);
}

INSTANTIATE_TEST_SUITE_P(Tries, LinkTriesTest, ::testing::ValuesIn(TRY_CASES),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(LinkProcessTest, VanishedWindowFailsEveryTry) {
    FakeDetachModule(SIM_WINDOW);
    EXPECT_EQ(LinkProcess(), 0);
    EXPECT_EQ(FakeKernel.Sends, LINK_TRIES);
    EXPECT_EQ(FakeKernel.Sleeps, LINK_TRIES);
}

TEST_F(LinkTest, ClosedOrDetachedLinkQueuesAndSendsNothing) {
    uint8_t buffer[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    for (int detached = 0; detached < 2; detached++) {
        SCOPED_TRACE(detached);
        if (detached) {
            ASSERT_TRUE(Open());
            LinkDetach();
        }
        LinkRead(0x10, 8, buffer);
        LinkWrite(0x10, 8, buffer);
        EXPECT_EQ(Link.ReadCount, 0);
        EXPECT_EQ(LinkProcess(), 0);
        EXPECT_EQ(FakeKernel.Sends, 0);
        EXPECT_EQ(FakeKernel.Sleeps, 0);
        EXPECT_EQ(buffer[0], 1);
    }
}

// The walk over a changed answer. The batch is: read A (8 bytes) at 0, write (2 bytes)
// at 24, read B (16 bytes) at 38, read C (4 bytes) at 70, terminator at 90.
constexpr uint32_t READ_A = 0, WRITE_W = 24, READ_B = 38, READ_C = 70, TERMINATOR = 90;

struct WalkCase {
    const char* Name;
    uint32_t FieldAt;  // byte offset in the section of the 32-bit field to change
    uint32_t Value;
    bool DeliveredA, DeliveredB, DeliveredC;
};

const WalkCase WALK_CASES[] = {
    {"unchanged", TERMINATOR, 0, true, true, true},
    {"unknown_type_stops_delivery", READ_B, 9, true, false, false},
    {"early_terminator", READ_B, 0, true, false, false},
    {"read_turned_into_write", READ_A, RECORD_WRITE, false, false, false},
    {"write_turned_into_read", WRITE_W, RECORD_READ, true, false, false},
    {"read_size_grown", READ_B + 8, 32, true, false, false},
    {"read_size_shrunk", READ_B + 8, 4, true, false, false},
    {"read_size_huge", READ_B + 8, 0xFFFFFFF0u, true, false, false},
    {"last_read_size_past_section", READ_C + 8, SECTION_SIZE, true, true, false},
    {"token_changed", READ_B + 12, 3, true, false, false},
    {"token_cleared", READ_B + 12, 0, true, false, false},
    {"write_size_skips_a_read", WRITE_W + 8, 30, true, false, false},
    {"write_size_cleared", WRITE_W + 8, 0, true, false, false},
    {"write_size_huge", WRITE_W + 8, 0xFFFFFFFFu, true, false, false},
    {"terminator_overwritten", TERMINATOR, RECORD_READ, true, true, true},
};

struct Corruption {
    uint32_t At;
    uint32_t Value;
};

class LinkWalkTest : public LinkProcessTest, public ::testing::WithParamInterface<WalkCase> {};

TEST_P(LinkWalkTest, DeliversOnlyWhatWasQueuedUpToTheFirstChangedRecord) {
    const WalkCase& c = GetParam();
    Destination a, b, cc;
    a.Reset(8);
    b.Reset(16);
    cc.Reset(4);
    LinkRead(0x100, 8, a.Data());
    uint8_t two[2] = {0xAB, 0xCD};
    LinkWrite(0x400, 2, two);
    LinkRead(0x200, 16, b.Data());
    LinkRead(0x300, 4, cc.Data());
    ASSERT_EQ(Link.Reads[1].RecordOffset, READ_B);
    ASSERT_EQ(Link.Reads[2].RecordOffset, READ_C);
    ASSERT_EQ(Link.Cursor, TERMINATOR);

    static Corruption corruption;
    corruption = {c.FieldAt, c.Value};
    FakeKernel.AnswerHook = [](uint8_t* section, uint32_t, void*) {
        StoreU32(section + corruption.At, corruption.Value);
    };
    EXPECT_EQ(LinkProcess(), 1);
    EXPECT_EQ(c.DeliveredA ? HoldsModuleData(a, 0x100) : a.Untouched(), true);
    EXPECT_EQ(c.DeliveredB ? HoldsModuleData(b, 0x200) : b.Untouched(), true);
    EXPECT_EQ(c.DeliveredC ? HoldsModuleData(cc, 0x300) : cc.Untouched(), true);
    EXPECT_TRUE(a.GuardsIntact());
    EXPECT_TRUE(b.GuardsIntact());
    EXPECT_TRUE(cc.GuardsIntact());
    EXPECT_EQ(Link.Cursor, 0u);
}

INSTANTIATE_TEST_SUITE_P(Walk, LinkWalkTest, ::testing::ValuesIn(WALK_CASES),
                         [](const auto& info) { return std::string(info.param.Name); });

// Records that would not fit, or more reads than the table holds, refuse the whole batch.
struct OverflowCase {
    const char* Name;
    void (*Queue)(uint8_t* buffer);
    int ExpectedReturn;
};

constexpr uint32_t SMALL_SECTION = 100;

const OverflowCase OVERFLOW_CASES[] = {
    {"write_fills_section_exactly", [](uint8_t* b) { LinkWrite(0x10, SMALL_SECTION - 16, b); }, 1},
    {"read_fills_section_exactly", [](uint8_t* b) { LinkRead(0x10, SMALL_SECTION - 20, b); }, 1},
    {"write_one_byte_too_long", [](uint8_t* b) { LinkWrite(0x10, SMALL_SECTION - 15, b); }, 0},
    {"read_one_byte_too_long", [](uint8_t* b) { LinkRead(0x10, SMALL_SECTION - 19, b); }, 0},
    {"read_size_wraps", [](uint8_t* b) { LinkRead(0x10, 0xFFFFFFFFu, b); }, 0},
    {"write_size_wraps", [](uint8_t* b) { LinkWrite(0x10, 0xFFFFFFF8u, b); }, 0},
    {"second_record_does_not_fit",
     [](uint8_t* b) {
         LinkWrite(0x10, 40, b);
         LinkWrite(0x10, 40, b);
     },
     0},
    {"small_record_after_refused_one",
     [](uint8_t* b) {
         LinkWrite(0x10, 200, b);
         LinkWrite(0x10, 2, b);
     },
     0},
    {"as_many_reads_as_the_table_holds",
     [](uint8_t* b) {
         for (int i = 0; i < LINK_MAX_PENDING_READS; i++) LinkRead(0x10, 0, b);
     },
     1},
    {"one_read_more_than_the_table_holds",
     [](uint8_t* b) {
         for (int i = 0; i <= LINK_MAX_PENDING_READS; i++) LinkRead(0x10, 0, b);
     },
     0},
};

class LinkOverflowTest : public LinkTest, public ::testing::WithParamInterface<OverflowCase> {};

TEST_P(LinkOverflowTest, RefusedRecordFailsTheBatchWithoutSending) {
    const OverflowCase& c = GetParam();
    // The read table case needs room for all its heads.
    const uint32_t size =
        std::string(c.Name).find("table") != std::string::npos ? SECTION_SIZE : SMALL_SECTION;
    ASSERT_EQ(LinkOpen(SIM_WINDOW, size, TIMEOUT_MS), 1);
    static uint8_t buffer[SECTION_SIZE];
    std::memset(buffer, 0x33, sizeof buffer);
    c.Queue(buffer);
    EXPECT_EQ(LinkProcess(), c.ExpectedReturn);
    EXPECT_EQ(FakeKernel.Sends, c.ExpectedReturn);
    EXPECT_EQ(FakeKernel.Sleeps, 0);
    EXPECT_EQ(Link.Cursor, 0u);
    // The next batch is whole again.
    Destination d;
    d.Reset(4);
    LinkRead(0x20, 4, d.Data());
    EXPECT_EQ(LinkProcess(), 1);
    EXPECT_EQ(std::memcmp(d.Data(), Space->Bytes + 0x20, 4), 0);
}

INSTANTIATE_TEST_SUITE_P(Overflow, LinkOverflowTest, ::testing::ValuesIn(OVERFLOW_CASES),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
