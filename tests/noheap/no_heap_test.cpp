// The refresh path must not touch the heap: a refresh runs every second for hours.
// Global operator new is replaced in this test program to count allocations while a
// window is open.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

#include "display/row_format.h"
#include "link/request_batch.h"
#include "platform/fake/fake_kernel.h"
#include "weather/exchange.h"

namespace {
std::atomic<bool> Counting{false};
std::atomic<int> Allocations{0};
}  // namespace

void* operator new(std::size_t size) {
    if (Counting) Allocations++;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

constexpr WindowHandle SIMULATOR = 0x51;

struct AllocationWindow {
    AllocationWindow() {
        Allocations = 0;
        Counting = true;
    }
    ~AllocationWindow() { Counting = false; }
};

TEST(NoHeap, TheCounterSeesAnAllocation) {
    {
        AllocationWindow window;
        // A direct call: new-expressions may be elided by the compiler.
        void* volatile p = ::operator new(16);
        ::operator delete(p);
    }
    EXPECT_EQ(Allocations, 1);
}

TEST(NoHeap, RefreshExchangeInEveryModeAllocatesNothing) {
    static ModuleSpace space;
    std::memset(&space, 0, sizeof space);
    StoreU32(space.Bytes + AREA_REQUESTED_WEATHER + OFS_TIMESTAMP, 7);
    StoreU32(space.Bytes + AREA_AIRCRAFT_WEATHER + OFS_TIMESTAMP, 9);
    FakeKernelReset();
    ResetExchangeState();
    FakeAttachModule(SIMULATOR, &space);
    ASSERT_EQ(LinkOpen(SIMULATOR, 32700, 2000), 1);
    std::memcpy(Request.Bytes + SRQ_ICAO, "EGLL", 4);

    int exchanges = 0;
    {
        AllocationWindow window;
        for (WeatherMode mode : {MODE_STATION, MODE_GLOBAL, MODE_LOCATION, MODE_AIRCRAFT, MODE_NO_WEATHER}) {
            for (int i = 0; i < 50; ++i) {
                QueueRefreshRequests(mode);
                exchanges += LinkProcess();
            }
        }
        QueueWriteBack();
        exchanges += LinkProcess();
    }
    EXPECT_EQ(exchanges, 251);
    EXPECT_EQ(Allocations, 0);
    LinkClose();
}

TEST(NoHeap, FormattingEveryCellOfAFullBlockAllocatesNothing) {
    WeatherBlock block{};
    StoreI32(block.Bytes + OFS_UPPER_VISIBILITY_COUNT, UPPER_VISIBILITY_CAPACITY);
    StoreI32(block.Bytes + OFS_TEMPERATURE_COUNT, TEMPERATURE_CAPACITY);
    StoreI32(block.Bytes + OFS_CLOUD_COUNT, CLOUD_CAPACITY);
    StoreI32(block.Bytes + OFS_WIND_COUNT, WIND_CAPACITY);
    StoreF64(block.Bytes + OFS_LATITUDE, 53.3575);
    StoreF64(block.Bytes + OFS_LONGITUDE, -2.072);
    std::memcpy(block.Bytes + OFS_ICAO, "EGCC", 4);
    RunwayBuffer runways{};
    std::memcpy(runways.Bytes + RWY_ICAO, "EGCC", 4);
    StationRequest request{};
    std::memcpy(request.Bytes + SRQ_ICAO, "EGCC", 4);

    char text[CELL_TEXT_SIZE];
    int cells = 0;
    {
        AllocationWindow window;
        for (int kind = 0; kind < 6; ++kind) {
            int32_t rows = ListLayerRows(block, static_cast<ListKind>(kind));
            for (int32_t row = 0; row <= rows; ++row)
                for (int32_t column = 0; column < 12; ++column)
                    cells += FormatCell(block, runways, request, static_cast<ListKind>(kind), row, column, text,
                                        sizeof text);
        }
    }
    EXPECT_GT(cells, 500);
    EXPECT_EQ(Allocations, 0);
}

}  // namespace
