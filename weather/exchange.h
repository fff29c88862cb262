// The program's side of the module's offset space: the areas it reads and writes,
// the request records, and the queueing operations of every kind of batch.
#pragma once

#include <cstdint>

#include "weather/weather_block.h"

enum WeatherMode : int32_t {
    MODE_NO_WEATHER = 0,
    MODE_GLOBAL = 1,
    MODE_STATION = 2,
    MODE_AIRCRAFT = 3,
    MODE_NOT_CONNECTED = 4,
    MODE_LOCATION = 5,
};

// Areas of the module's offset space.
constexpr uint32_t AREA_AIRCRAFT_WEATHER = 0xC000;
constexpr uint32_t AREA_REQUESTED_WEATHER = 0xCC00;
constexpr uint32_t AREA_STATION_REQUEST = 0xCC04;
constexpr uint32_t AREA_WEATHER_COMMAND = 0xC800;
constexpr uint32_t AREA_WEATHER_BODY = 0xC808;
constexpr uint32_t AREA_COMMAND_WORD = 0xC80C;
constexpr uint32_t AREA_RUNWAY_REQUEST = 0xD000;
constexpr uint32_t AREA_RUNWAY_REPLY = 0xD004;

// StationRequest, 28 bytes: request word, Icao, reserved word, Latitude, Longitude.
constexpr uint32_t STATION_REQUEST_SIZE = 28;
constexpr uint32_t SRQ_REQUEST_WORD = 0, SRQ_ICAO = 4, SRQ_RESERVED = 8, SRQ_LATITUDE = 12,
                   SRQ_LONGITUDE = 20;
static_assert(SRQ_LONGITUDE + 8 == STATION_REQUEST_SIZE);
// The request lies over bytes 4 to 31 of the requested-weather block: its Icao and
// position fall on the block's fields of the same names.
static_assert(AREA_STATION_REQUEST - AREA_REQUESTED_WEATHER + SRQ_ICAO == OFS_ICAO);
static_assert(AREA_STATION_REQUEST - AREA_REQUESTED_WEATHER + SRQ_LATITUDE == OFS_LATITUDE);

struct StationRequest {
    uint8_t Bytes[STATION_REQUEST_SIZE];
};

// One 20-byte runway buffer laid out as the offset space from 0xD000: the request word,
// the Icao (written by the request, overwritten by the reply), then reply bytes 4 to 15.
constexpr uint32_t RUNWAY_REQUEST_SIZE = 8;
constexpr uint32_t RUNWAY_REPLY_SIZE = 16;
constexpr uint32_t RUNWAY_BUFFER_SIZE = 20;
constexpr uint32_t RWY_REQUEST_WORD = 0, RWY_ICAO = 4, RWY_UNUSED = 8, RWY_DEPARTURE = 12,
                   RWY_ARRIVAL = 16;
constexpr uint32_t RUNWAY_CODES_SIZE = 8;  // the four RunwayCodes, departure then arrival
static_assert(AREA_RUNWAY_REPLY - AREA_RUNWAY_REQUEST == RWY_ICAO);
static_assert(RWY_ICAO + RUNWAY_REPLY_SIZE == RUNWAY_BUFFER_SIZE);
static_assert(RWY_DEPARTURE + RUNWAY_CODES_SIZE == RUNWAY_BUFFER_SIZE);

struct RunwayBuffer {
    uint8_t Bytes[RUNWAY_BUFFER_SIZE];
};

// WeatherCommand words written at 0xC800.
constexpr uint16_t COMMAND_WRITE_BACK = 1;
constexpr uint16_t COMMAND_CLEAR_ALL = 3;
constexpr uint16_t COMMAND_FINISH = 4;
constexpr uint16_t COMMAND_GLOBAL = 5;

// Process-wide exchange state.
extern WeatherBlock CurrentBlock;    // destination of every refresh, source of the write-back
extern StationRequest Request;       // filled by the station dialog, resent by refreshes
extern RunwayBuffer Runways;         // runway request and reply
extern WeatherMode SourceMode;       // chooses the area a refresh reads; Aircraft at start

// Queueing operations: each only queues (LinkRead/LinkWrite); the caller runs LinkProcess.
void QueueRefreshRequests(WeatherMode currentMode);
void QueueStationRequest();
void QueueRunwayRequest();
void QueueWriteBack();
void QueueClearAll();
void QueueGlobal();

// Back to the state at start (tests).
void ResetExchangeState();
