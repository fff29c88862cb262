#include "weather/exchange.h"

#include <cstring>

#include "link/byte_order.h"
#include "link/request_batch.h"

WeatherBlock CurrentBlock = {};
StationRequest Request = {};
RunwayBuffer Runways = {};
WeatherMode SourceMode = MODE_AIRCRAFT;

void ResetExchangeState() {
    CurrentBlock = {};
    Request = {};
    Runways = {};
    SourceMode = MODE_AIRCRAFT;
}

void QueueRefreshRequests(WeatherMode currentMode) {
    if (currentMode != MODE_NO_WEATHER && currentMode != MODE_NOT_CONNECTED) SourceMode = currentMode;
    // Runway codes belong to a station shown now; anything else must not show stale ones.
    if (currentMode != MODE_STATION) std::memset(Runways.Bytes + RWY_DEPARTURE, 0, RUNWAY_CODES_SIZE);
    const uint32_t area = SourceMode == MODE_AIRCRAFT ? AREA_AIRCRAFT_WEATHER : AREA_REQUESTED_WEATHER;
    LinkRead(area, WEATHER_BLOCK_SIZE, CurrentBlock.Bytes);
    if (currentMode == MODE_GLOBAL || currentMode == MODE_STATION || currentMode == MODE_LOCATION)
        QueueStationRequest();
    if (currentMode == MODE_STATION) {
        QueueRunwayRequest();
        LinkRead(AREA_RUNWAY_REPLY, RUNWAY_REPLY_SIZE, Runways.Bytes + RWY_ICAO);
    }
}

void QueueStationRequest() {
    StoreU32(Request.Bytes + SRQ_REQUEST_WORD, 0);
    LinkWrite(AREA_STATION_REQUEST, STATION_REQUEST_SIZE, Request.Bytes);
}

void QueueRunwayRequest() {
    StoreU32(Runways.Bytes + RWY_REQUEST_WORD, 0);
    std::memcpy(Runways.Bytes + RWY_ICAO, Request.Bytes + SRQ_ICAO, 4);
    LinkWrite(AREA_RUNWAY_REQUEST, RUNWAY_REQUEST_SIZE, Runways.Bytes);
}

void QueueWriteBack() {
    LinkWrite(AREA_WEATHER_BODY, WEATHER_BODY_SIZE, CurrentBlock.Bytes + WEATHER_BODY_OFFSET);
    uint8_t command[2];
    StoreU16(command, COMMAND_WRITE_BACK);
    LinkWrite(AREA_WEATHER_COMMAND, sizeof command, command);
}

// Clear All and Global: the command word, the word 0 at 0xC80C, then the finishing command.
static void QueueCommandSequence(uint16_t first) {
    uint8_t word[2];
    StoreU16(word, first);
    LinkWrite(AREA_WEATHER_COMMAND, sizeof word, word);
    StoreU16(word, 0);
    LinkWrite(AREA_COMMAND_WORD, sizeof word, word);
    StoreU16(word, COMMAND_FINISH);
    LinkWrite(AREA_WEATHER_COMMAND, sizeof word, word);
}

void QueueClearAll() { QueueCommandSequence(COMMAND_CLEAR_ALL); }

void QueueGlobal() { QueueCommandSequence(COMMAND_GLOBAL); }
