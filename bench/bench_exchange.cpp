// One refresh exchange in the Station mode through the in-process module: queue the
// four records, encode, let the module answer, deliver the block and the runway reply.
// Target: at most 2 microseconds per exchange.
#include <benchmark/benchmark.h>

#include <cstring>

#include "link/request_batch.h"
#include "platform/fake/fake_kernel.h"
#include "weather/exchange.h"

namespace {

constexpr WindowHandle SIMULATOR = 0x51;

void BM_StationRefreshExchange(benchmark::State& state) {
    static ModuleSpace space;
    std::memset(&space, 0, sizeof space);
    StoreU32(space.Bytes + AREA_REQUESTED_WEATHER + OFS_TIMESTAMP, 42);
    std::memcpy(space.Bytes + AREA_RUNWAY_REPLY, "EGLL", 4);

    FakeKernelReset();
    ResetExchangeState();
    FakeAttachModule(SIMULATOR, &space);
    LinkOpen(SIMULATOR, 32700, 2000);
    std::memcpy(Request.Bytes + SRQ_ICAO, "EGLL", 4);

    for (auto _ : state) {
        QueueRefreshRequests(MODE_STATION);
        if (!LinkProcess()) state.SkipWithError("exchange failed");
        benchmark::DoNotOptimize(CurrentBlock.Bytes[OFS_TIMESTAMP]);
    }
    LinkClose();
}
BENCHMARK(BM_StationRefreshExchange);

}  // namespace
