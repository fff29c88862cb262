// The stand-in's weather: the sources behind the module's areas (the aircraft, a
// dozen real stations, the global weather, a position), the answers to the requests
// written into the offset space, and the commands. Portable: no Windows headers, so
// the unit tests drive it through ModuleProcessBatch exactly as the program does.
#pragma once

#include <cstdint>

#include "link/module_contract.h"
#include "weather/weather_block.h"

constexpr int STANDIN_STATION_COUNT = 12;
constexpr uint32_t STANDIN_DEFAULT_TICK_MS = 10000;

struct StandinRunways {
    uint8_t Departure[2][2];  // two RunwayCodes: number, designator
    uint8_t Arrival[2][2];
};

// What a station is: identity, position and runways. Its weather lives in the model.
struct StandinStation {
    char Icao[4];  // NUL-padded when shorter than four characters
    double Latitude;
    double Longitude;
    int32_t ElevationMetres;
    StandinRunways Runways;
};

extern const StandinStation STANDIN_STATIONS[STANDIN_STATION_COUNT];

struct StandinModel {
    WeatherBlock Global;
    WeatherBlock Stations[STANDIN_STATION_COUNT];
    WeatherBlock AircraftLocal;  // the aircraft's own weather while the global one is not in force
    bool AircraftOnGlobal;       // the aircraft's block is the global weather ("GLOB")
    uint32_t NextStamp;          // stamps are unique and never 0
    uint16_t PendingCommand;     // 3 or 5, carried out by a following 4
    // The last station request: what the requested-weather area answers.
    bool HasRequest;
    uint8_t RequestIcao[4];
    double RequestLatitude;
    double RequestLongitude;
    uint32_t RandomState;
    uint32_t TickIntervalMs;  // 0: the aircraft's weather never changes by itself
    uint32_t LastTickMs;
    bool TickStarted;
    // Counters, for the status line and the tests.
    uint32_t StationRequests;
    uint32_t RunwayRequests;
    uint32_t WriteBacks;
    uint32_t IgnoredWriteBacks;  // bodies naming no source the model holds
    uint32_t Commands;
};

extern StandinModel Model;

struct StandinOptions {
    bool AircraftOnGlobal;
    uint32_t TickIntervalMs;
    uint32_t Seed;
};

inline StandinOptions StandinDefaultOptions() { return {false, STANDIN_DEFAULT_TICK_MS, 1}; }

// Builds every source afresh, clears the offset space and publishes the areas.
void ModelReset(ModuleSpace& space, const StandinOptions& options);

// The write hook for ModuleProcessBatch: answers station and runway requests, takes
// write-backs and commands. Context is unused.
void ModelOnWrite(ModuleSpace& space, uint32_t offset, uint32_t size, void* context);

// Called now and then with a millisecond clock (wrapping is fine); changes the
// aircraft's weather once per tick interval. Returns true when it changed.
bool ModelTick(ModuleSpace& space, uint32_t nowMs);

// Changes the aircraft's weather at once (a new stamp), whatever the interval.
void ModelChangeAircraftWeather(ModuleSpace& space);

// Puts the global weather in force at the aircraft, or the aircraft's own weather back.
void ModelSetAircraftOnGlobal(ModuleSpace& space, bool onGlobal);

// Rewrites the aircraft area and the requested-weather area from the model.
void ModelPublish(ModuleSpace& space);

// The station with this 4-byte identifier, or -1.
int FindStation(const uint8_t* icao);

// The weather the model holds for the source a body names ("GLOB" or a station), or null.
WeatherBlock* SourceForIcao(const uint8_t* icao);
