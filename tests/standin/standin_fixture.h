// A batch built the way the program builds it, carried out by the stand-in's model
// through the module's batch code, with its read data picked out afterwards.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "link/batch_codec.h"
#include "link/module_contract.h"
#include "tools/module_standin/weather_model.h"
#include "weather/exchange.h"

constexpr uint32_t STANDIN_SECTION_SIZE = 32700;

struct TestBatch {
    uint8_t Bytes[STANDIN_SECTION_SIZE];
    uint32_t Cursor;
};

inline ModuleSpace TestSpace;
inline TestBatch Batch;

inline void BatchBegin() {
    std::memset(Batch.Bytes, 0xEE, sizeof Batch.Bytes);
    Batch.Cursor = 0;
}
// Returns where the read's data will stand in the batch.
inline uint32_t BatchRead(uint32_t offset, uint32_t size) {
    EncodeReadRecord(Batch.Bytes + Batch.Cursor, offset, size, 0);
    const uint32_t data = Batch.Cursor + READ_HEAD_SIZE;
    Batch.Cursor = data + size;
    return data;
}
inline void BatchWrite(uint32_t offset, uint32_t size, const void* source) {
    EncodeWriteRecord(Batch.Bytes + Batch.Cursor, offset, size, source);
    Batch.Cursor += WRITE_HEAD_SIZE + size;
}
inline void BatchWriteWord(uint32_t offset, uint16_t value) {
    uint8_t word[2];
    StoreU16(word, value);
    BatchWrite(offset, 2, word);
}
inline int BatchRun() {
    EncodeTerminator(Batch.Bytes + Batch.Cursor);
    return ModuleProcessBatch(Batch.Bytes, STANDIN_SECTION_SIZE, TestSpace, ModelOnWrite, nullptr);
}
inline WeatherBlock BlockAt(uint32_t data) {
    WeatherBlock b;
    std::memcpy(b.Bytes, Batch.Bytes + data, WEATHER_BLOCK_SIZE);
    return b;
}

inline StationRequest MakeRequest(const char* icao4, double latitude = 0.0, double longitude = 0.0) {
    StationRequest r{};
    std::memcpy(r.Bytes + SRQ_ICAO, icao4, 4);
    StoreF64(r.Bytes + SRQ_LATITUDE, latitude);
    StoreF64(r.Bytes + SRQ_LONGITUDE, longitude);
    return r;
}

// One batch: the station request, then the read of the requested area.
inline WeatherBlock RequestWeather(const char* icao4, double latitude = 0.0, double longitude = 0.0) {
    const StationRequest r = MakeRequest(icao4, latitude, longitude);
    BatchBegin();
    BatchWrite(AREA_STATION_REQUEST, STATION_REQUEST_SIZE, r.Bytes);
    const uint32_t data = BatchRead(AREA_REQUESTED_WEATHER, WEATHER_BLOCK_SIZE);
    EXPECT_EQ(BatchRun(), 1);
    return BlockAt(data);
}

inline WeatherBlock ReadAircraft() {
    BatchBegin();
    const uint32_t data = BatchRead(AREA_AIRCRAFT_WEATHER, WEATHER_BLOCK_SIZE);
    EXPECT_EQ(BatchRun(), 1);
    return BlockAt(data);
}

class StandinTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(false); }
    static void Reset(bool aircraftOnGlobal, uint32_t tickMs = 0) {
        StandinOptions options = StandinDefaultOptions();
        options.AircraftOnGlobal = aircraftOnGlobal;
        options.TickIntervalMs = tickMs;
        ModelReset(TestSpace, options);
    }
};

inline bool IcaoIs(const WeatherBlock& b, const char* icao4) {
    return std::memcmp(BlockIcao(b), icao4, 4) == 0;
}
