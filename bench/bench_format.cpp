// Formatting every cell of a full block, as a refresh that rebuilds all six lists does.
// Target: at most 50 microseconds per block.
#include <benchmark/benchmark.h>

#include <cstring>

#include "display/row_format.h"

namespace {

struct FullBlock {
    WeatherBlock Block{};
    RunwayBuffer Runways{};
    StationRequest Request{};

    FullBlock() {
        uint8_t* b = Block.Bytes;
        std::memcpy(b + OFS_ICAO, "EGLL", 4);
        StoreF64(b + OFS_LATITUDE, 51.4775);
        StoreF64(b + OFS_LONGITUDE, -0.461389);
        StoreI32(b + OFS_ELEVATION, 25 * 65536);
        StorePressureRecord(b + OFS_PRESSURE, {16211, -24});
        StoreVisibilityLayer(b + OFS_BASE_VISIBILITY, {1000, -100, 500, 0});
        StoreI32(b + OFS_UPPER_VISIBILITY_COUNT, UPPER_VISIBILITY_CAPACITY);
        for (int32_t k = 0; k < UPPER_VISIBILITY_CAPACITY; ++k) {
            StoreVisibilityLayer(UpperVisibilityAt(Block, k),
                                 {static_cast<uint16_t>(2000 + 1000 * k), static_cast<int16_t>(1000 * k),
                                  static_cast<uint16_t>(300 + 97 * k), 0});
        }
        StoreI32(b + OFS_TEMPERATURE_COUNT, TEMPERATURE_CAPACITY);
        for (int32_t k = 0; k < TEMPERATURE_CAPACITY; ++k) {
            StoreTemperatureLayer(TemperatureAt(Block, k),
                                  {static_cast<uint16_t>(500 * k), static_cast<int16_t>(15 - 3 * k), 5,
                                   static_cast<int16_t>(8 - 3 * k)});
        }
        StoreI32(b + OFS_CLOUD_COUNT, CLOUD_CAPACITY);
        for (int32_t k = 0; k < CLOUD_CAPACITY; ++k) {
            StoreCloudLayer(CloudAt(Block, k),
                            {static_cast<uint16_t>(1500 + 600 * k), static_cast<uint16_t>(900 + 600 * k), 50,
                             static_cast<uint8_t>(k % 9), static_cast<uint8_t>(k % 11), 1, 0,
                             static_cast<int16_t>(-100 + 10 * k), static_cast<uint8_t>(k % 4), 2, 3, 0});
        }
        StoreI32(b + OFS_WIND_COUNT, WIND_CAPACITY);
        for (int32_t k = 0; k < WIND_CAPACITY; ++k) {
            StoreWindLayer(WindAt(Block, k), {static_cast<uint16_t>(600 * k), static_cast<uint16_t>(5 + k),
                                              static_cast<uint16_t>(k % 3 * 5),
                                              static_cast<uint16_t>(2731 * k), 1, 0, 1820, 0, 30});
        }
        std::memcpy(Request.Bytes + SRQ_ICAO, "EGLL", 4);
        std::memcpy(Runways.Bytes + RWY_ICAO, "EGLL", 4);
        const uint8_t codes[8] = {27, 1, 27, 2, 9, 1, 9, 2};
        std::memcpy(Runways.Bytes + RWY_DEPARTURE, codes, sizeof codes);
    }
};

void BM_FormatFullBlock(benchmark::State& state) {
    const FullBlock full;
    char text[CELL_TEXT_SIZE];
    for (auto _ : state) {
        size_t characters = 0;
        for (int kind = 0; kind < LIST_COUNT; ++kind) {
            const ListKind list = static_cast<ListKind>(kind);
            const int32_t rows = ListLayerRows(full.Block, list);
            for (int32_t row = 0; row < rows; ++row) {
                for (int32_t column = 0; column < LIST_COLUMNS[kind].Count; ++column) {
                    if (FormatCell(full.Block, full.Runways, full.Request, list, row, column, text,
                                   sizeof text)) {
                        characters += std::strlen(text);
                    }
                }
            }
        }
        benchmark::DoNotOptimize(characters);
    }
}
BENCHMARK(BM_FormatFullBlock)->Unit(benchmark::kMicrosecond);

}  // namespace
