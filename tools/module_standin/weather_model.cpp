#include "tools/module_standin/weather_model.h"

#include <cmath>
#include <cstring>

#include "weather/exchange.h"

StandinModel Model;

namespace {

// Compact description of a weather situation; BuildWeather turns it into layers.
struct CloudDeck {
    uint16_t BaseAboveGround;  // metres
    uint16_t Thickness;        // metres
    uint8_t Cover;             // eighths
    uint8_t Type;
    uint8_t PrecipType;  // 0 none, 1 rain, 2 snow
    uint8_t PrecipRate;
};

struct WeatherSituation {
    double QnhMillibars;
    int16_t DriftSixteenths;
    uint16_t VisibilityHundredthsSm;
    int16_t SurfaceTemperature;
    int16_t DewPoint;
    int16_t DayNightVariation;
    uint16_t WindDirectionDegrees;
    uint16_t WindSpeed;
    uint16_t WindGust;
    uint8_t WindTurbulence;
    int CloudCount;
    CloudDeck Clouds[3];
};

// Cloud types as the simulator numbers them.
constexpr uint8_t CLOUD_CIRRUS = 1, CLOUD_STRATUS = 8, CLOUD_CUMULUS = 9, CLOUD_STORM = 10;
// Runway designators, compass runway numbers.
constexpr uint8_t D_NONE = 0, D_L = 1, D_R = 2, D_C = 3, D_W = 4;
constexpr uint8_t RWY_N = 37, RWY_SE = 40, RWY_S = 41, RWY_NW = 44;

// clang-format off
// Per station, in the order of STANDIN_STATIONS: QNH mb, drift 1/16 mb, visibility
// 1/100 sm, temperature, dew point, day/night variation, wind direction, speed, gust,
// turbulence, then the clouds {base above ground m, thickness m, cover, type, precip, rate}.
const WeatherSituation STATION_WEATHER[STANDIN_STATION_COUNT] = {
    // EGLL: grey, mild and damp
    {1008.6, -3, 600, 11, 9, 4, 240, 14, 24, 1,
     3, {{300, 400, 5, CLOUD_STRATUS, 1, 1}, {1200, 800, 7, CLOUD_STRATUS, 1, 2}, {7500, 300, 3, CLOUD_CIRRUS, 0, 0}}},
    // KJFK: fresh north-westerly behind a front
    {1021.3, 2, 1000, 4, -6, 6, 310, 18, 28, 2,
     2, {{900, 600, 3, CLOUD_CUMULUS, 0, 0}, {8000, 400, 2, CLOUD_CIRRUS, 0, 0}}},
    // KSEA: low overcast and drizzle
    {1015.9, -1, 400, 9, 8, 3, 180, 9, 0, 1,
     2, {{250, 600, 8, CLOUD_STRATUS, 1, 1}, {1500, 900, 6, CLOUD_STRATUS, 1, 1}}},
    // KLAX: marine layer under a warm sky
    {1013.9, 0, 500, 18, 14, 8, 250, 10, 0, 0,
     1, {{350, 300, 7, CLOUD_STRATUS, 0, 0}}},
    // LFPG: fair weather cumulus
    {1017.0, 1, 1000, 16, 8, 9, 60, 8, 0, 1,
     2, {{1100, 900, 3, CLOUD_CUMULUS, 0, 0}, {9000, 300, 2, CLOUD_CIRRUS, 0, 0}}},
    // EDDF: thunderstorms around
    {1009.4, -4, 800, 27, 18, 10, 220, 12, 35, 3,
     2, {{1200, 8000, 4, CLOUD_STORM, 1, 4}, {3000, 1500, 5, CLOUD_CUMULUS, 1, 2}}},
    // RJTT: humid summer haze
    {1006.8, -2, 700, 29, 24, 6, 160, 15, 22, 1,
     2, {{700, 500, 4, CLOUD_CUMULUS, 0, 0}, {3500, 800, 6, CLOUD_STRATUS, 1, 1}}},
    // YSSY: southerly buster
    {1019.4, 4, 1000, 17, 7, 7, 190, 22, 34, 2,
     2, {{800, 700, 4, CLOUD_CUMULUS, 1, 1}, {2400, 600, 3, CLOUD_STRATUS, 0, 0}}},
    // LSZH: winter fog with snow grains
    {1030.2, 0, 40, -3, -4, 2, 70, 4, 0, 0,
     1, {{60, 500, 8, CLOUD_STRATUS, 2, 1}}},
    // KDEN: dry, gusty, high cirrus
    {1011.5, -2, 1000, 22, -2, 14, 320, 17, 30, 2,
     1, {{6000, 400, 3, CLOUD_CIRRUS, 0, 0}}},
    // FAOR: clear highveld winter day
    {1024.0, 1, 1000, 16, -5, 15, 340, 7, 0, 0,
     0, {}},
    // W55: showers over the lake
    {1014.6, -1, 500, 10, 7, 4, 200, 12, 20, 2,
     2, {{600, 1800, 5, CLOUD_CUMULUS, 1, 3}, {2500, 700, 7, CLOUD_STRATUS, 1, 1}}},
};

const WeatherSituation GLOBAL_WEATHER = {1013.2, 0, 1500, 15, 6, 8, 270, 8, 0, 0,
                                    2, {{1500, 800, 3, CLOUD_CUMULUS, 0, 0}, {8500, 300, 2, CLOUD_CIRRUS, 0, 0}}};

// What Clear All leaves everywhere: calm, cloudless, far visibility.
const WeatherSituation FAIR_WEATHER = {1013.2, 0, 2000, 15, 5, 8, 0, 0, 0, 0, 0, {}};
// clang-format on

// Where the aircraft is: on final approach to KSEA, 10 km north of the field.
constexpr int AIRCRAFT_NEAR_STATION = 2;
constexpr double AIRCRAFT_LATITUDE = 47.5391;
constexpr double AIRCRAFT_LONGITUDE = -122.3093;

// A position request takes its weather from a station this close, else the global one.
constexpr double LOCATION_RADIUS_KM = 250.0;

const uint8_t GLOB_ICAO[4] = {'G', 'L', 'O', 'B'};

uint16_t DegreesToCircle(double degrees) {
    double turns = std::fmod(degrees, 360.0);
    if (turns < 0) turns += 360.0;
    return static_cast<uint16_t>(static_cast<uint32_t>(turns * 65536.0 / 360.0 + 0.5) & 0xFFFF);
}

uint16_t ClampU16(int32_t v) { return static_cast<uint16_t>(v < 0 ? 0 : (v > 0xFFFF ? 0xFFFF : v)); }
int16_t ClampI16(int32_t v) { return static_cast<int16_t>(v < -32768 ? -32768 : (v > 32767 ? 32767 : v)); }

// Bytes the program must carry back untouched; a recognisable pattern makes a lost or
// shifted byte visible in a test.
void FillReserved(WeatherBlock& b, uint8_t salt) {
    b.Bytes[0] = 'V';
    b.Bytes[1] = 'W';
    b.Bytes[2] = 'X';
    b.Bytes[3] = salt;
    StoreU32(b.Bytes + 4, WEATHER_BLOCK_SIZE);
    for (uint32_t i = 0; i < 4; ++i) b.Bytes[OFS_RESERVED12 + i] = static_cast<uint8_t>(0xA0 + salt + i);
    for (uint32_t i = 0; i < 12; ++i) b.Bytes[OFS_RESERVED896 + i] = static_cast<uint8_t>(0xB0 + salt + i);
    for (uint32_t i = 0; i < 16; ++i) b.Bytes[OFS_RESERVED1008 + i] = static_cast<uint8_t>(0xC0 + salt + i);
}

void SetIdentity(WeatherBlock& b, const uint8_t* icao, double latitude, double longitude,
                 int32_t elevationMetres) {
    std::memcpy(b.Bytes + OFS_ICAO, icao, 4);
    StoreF64(b.Bytes + OFS_LATITUDE, latitude);
    StoreF64(b.Bytes + OFS_LONGITUDE, longitude);
    StoreI32(b.Bytes + OFS_ELEVATION, elevationMetres * 65536);
}

uint32_t NewStamp() {
    uint32_t stamp = Model.NextStamp++;
    if (Model.NextStamp == 0) Model.NextStamp = 1;
    return stamp;
}

void Stamp(WeatherBlock& b) { StoreU32(b.Bytes + OFS_TIMESTAMP, NewStamp()); }

// The layers of one situation, laid over a station at the given elevation.
void StoreLayers(WeatherBlock& b, const WeatherSituation& w, int32_t elevation) {
    std::memset(b.Bytes + OFS_PRESSURE, 0, OFS_RESERVED896 - OFS_PRESSURE);
    std::memset(b.Bytes + OFS_UPPER_VISIBILITY_COUNT, 0, OFS_RESERVED1008 - OFS_UPPER_VISIBILITY_COUNT);

    StorePressureRecord(b.Bytes + OFS_PRESSURE,
                        {static_cast<uint16_t>(w.QnhMillibars * 16.0 + 0.5), w.DriftSixteenths});

    const int32_t surfaceTop = elevation + 1500;
    StoreVisibilityLayer(b.Bytes + OFS_BASE_VISIBILITY,
                         {ClampU16(surfaceTop), 0, w.VisibilityHundredthsSm, 0});
    const VisibilityLayer upper[2] = {
        {ClampU16(elevation + 6000), ClampI16(surfaceTop),
         static_cast<uint16_t>(w.VisibilityHundredthsSm < 1500 ? 1500 : w.VisibilityHundredthsSm), 0},
        {ClampU16(elevation + 12000), ClampI16(elevation + 6000), 3000, 0},
    };
    for (int32_t k = 0; k < 2; ++k) StoreVisibilityLayer(UpperVisibilityAt(b, k), upper[k]);
    StoreI32(b.Bytes + OFS_UPPER_VISIBILITY_COUNT, 2);

    // Standard lapse up to the tropopause, a drier air mass aloft.
    const int32_t temperatureHeights[6] = {0, 1500, 3000, 6000, 9000, 12000};
    int32_t temperatures = 0;
    for (int32_t height : temperatureHeights) {
        const double lapse = 6.5 * (height < 11000 ? height : 11000) / 1000.0;
        const int32_t day = static_cast<int32_t>(std::lround(w.SurfaceTemperature - lapse));
        const int32_t spread = (w.SurfaceTemperature - w.DewPoint) + height / 1000;
        const int32_t variation = height == 0 ? w.DayNightVariation : (height <= 1500 ? 2 : 0);
        StoreTemperatureLayer(
            TemperatureAt(b, temperatures++),
            {ClampU16(elevation + height), ClampI16(day), ClampI16(variation), ClampI16(day - spread)});
    }
    StoreI32(b.Bytes + OFS_TEMPERATURE_COUNT, temperatures);

    // The wind veers and strengthens with height.
    struct Aloft {
        int32_t Top;
        double SpeedFactor;
        int32_t SpeedAdd;
        int32_t Veer;
    };
    const Aloft aloft[4] = {{600, 1.0, 0, 0}, {3000, 1.6, 5, 20}, {6000, 2.4, 12, 35}, {11000, 3.2, 25, 45}};
    for (int32_t k = 0; k < 4; ++k) {
        WindLayer layer{};
        layer.UpperAltitude = ClampU16(elevation + aloft[k].Top);
        layer.Speed = ClampU16(static_cast<int32_t>(w.WindSpeed * aloft[k].SpeedFactor) +
                               (w.WindSpeed == 0 ? 0 : aloft[k].SpeedAdd));
        layer.Gust = k == 0 ? w.WindGust : 0;
        layer.Direction = DegreesToCircle(w.WindDirectionDegrees + (w.WindSpeed == 0 ? 0 : aloft[k].Veer));
        layer.Turbulence = k == 0 ? w.WindTurbulence : (w.WindTurbulence > 0 ? 1 : 0);
        layer.Shear = k == 0 && w.WindGust > 25 ? 1 : 0;
        layer.Variance = DegreesToCircle(k == 0 ? 10 : 5);
        layer.GapAbove = k == 3 ? 0 : 150;
        StoreWindLayer(WindAt(b, k), layer);
    }
    StoreI32(b.Bytes + OFS_WIND_COUNT, 4);

    for (int32_t k = 0; k < w.CloudCount; ++k) {
        const CloudDeck& c = w.Clouds[k];
        CloudLayer layer{};
        layer.LowerAltitude = ClampU16(elevation + c.BaseAboveGround);
        layer.UpperAltitude = ClampU16(elevation + c.BaseAboveGround + c.Thickness);
        layer.Deviation = c.Type == CLOUD_CIRRUS ? 0 : 60;
        layer.Cover = c.Cover;
        layer.Type = c.Type;
        layer.Turbulence = c.Type == CLOUD_STORM ? 4 : (c.Type == CLOUD_CUMULUS ? 1 : 0);
        const double baseTemperature = w.SurfaceTemperature - 6.5 * c.BaseAboveGround / 1000.0;
        layer.Icing = c.Type != CLOUD_CIRRUS && baseTemperature < 2.0 ? 1 : 0;
        layer.PrecipBase = c.PrecipType != 0 ? ClampI16(elevation) : 0;
        layer.PrecipType = c.PrecipType;
        layer.PrecipRate = c.PrecipRate;
        layer.TopShape = c.Type == CLOUD_STORM ? 6 : (c.Type == CLOUD_CUMULUS ? 3 : 0);
        StoreCloudLayer(CloudAt(b, k), layer);
    }
    StoreI32(b.Bytes + OFS_CLOUD_COUNT, w.CloudCount);
}

void BuildWeather(WeatherBlock& b, const uint8_t* icao, double latitude, double longitude,
                  int32_t elevationMetres, const WeatherSituation& w, uint8_t salt) {
    std::memset(b.Bytes, 0, sizeof b.Bytes);
    FillReserved(b, salt);
    SetIdentity(b, icao, latitude, longitude, elevationMetres);
    StoreLayers(b, w, elevationMetres);
    Stamp(b);
}

void BuildStation(int index, const WeatherSituation& w) {
    const StandinStation& s = STANDIN_STATIONS[index];
    BuildWeather(Model.Stations[index], reinterpret_cast<const uint8_t*>(s.Icao), s.Latitude, s.Longitude,
                 s.ElevationMetres, w, static_cast<uint8_t>(index + 1));
}

// Replaces the weather of a source, keeping what the source is: its identifier,
// position and elevation.
void ReplaceWeather(WeatherBlock& target, const uint8_t* body) {
    uint8_t identity[OFS_TIMESTAMP - OFS_ICAO];
    std::memcpy(identity, target.Bytes + OFS_ICAO, sizeof identity);
    std::memcpy(target.Bytes + WEATHER_BODY_OFFSET, body, WEATHER_BODY_SIZE);
    std::memcpy(target.Bytes + OFS_ICAO, identity, OFS_RESERVED12 - OFS_ICAO);
    std::memcpy(target.Bytes + OFS_LATITUDE, identity + (OFS_LATITUDE - OFS_ICAO),
                OFS_TIMESTAMP - OFS_LATITUDE);
    Stamp(target);
}

uint32_t NextRandom() {
    uint32_t x = Model.RandomState;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    Model.RandomState = x;
    return x;
}

// A value in [-spread, spread].
int32_t RandomStep(int32_t spread) {
    return static_cast<int32_t>(NextRandom() % static_cast<uint32_t>(2 * spread + 1)) - spread;
}

double DistanceKm(double lat1, double lon1, double lat2, double lon2) {
    const double toRadians = 3.14159265358979323846 / 180.0;
    const double a = std::sin((lat2 - lat1) * toRadians / 2);
    const double c = std::sin((lon2 - lon1) * toRadians / 2);
    const double h = a * a + std::cos(lat1 * toRadians) * std::cos(lat2 * toRadians) * c * c;
    return 2 * 6371.0 * std::asin(std::sqrt(h > 1.0 ? 1.0 : h));
}

void BuildRequestedWeather(WeatherBlock& out) {
    std::memset(out.Bytes, 0, sizeof out.Bytes);
    if (!Model.HasRequest) return;
    const uint8_t* icao = Model.RequestIcao;
    if (IcaoIsGlob(icao)) {
        out = Model.Global;
        return;
    }
    if (IcaoIsFourSpaces(icao)) {
        const WeatherBlock* nearest = &Model.Global;
        double best = LOCATION_RADIUS_KM;
        for (int i = 0; i < STANDIN_STATION_COUNT; ++i) {
            const double d = DistanceKm(Model.RequestLatitude, Model.RequestLongitude,
                                        STANDIN_STATIONS[i].Latitude, STANDIN_STATIONS[i].Longitude);
            if (d < best) {
                best = d;
                nearest = &Model.Stations[i];
            }
        }
        out = *nearest;
        SetIdentity(out, icao, Model.RequestLatitude, Model.RequestLongitude, 0);
        return;
    }
    const int station = FindStation(icao);
    if (station >= 0) {
        out = Model.Stations[station];
        return;
    }
    // No such station: no weather, the request echoed.
    SetIdentity(out, icao, Model.RequestLatitude, Model.RequestLongitude, 0);
}

void AnswerRunwayRequest(ModuleSpace& space) {
    uint8_t* reply = space.Bytes + AREA_RUNWAY_REPLY;
    uint8_t icao[4];
    std::memcpy(icao, reply, 4);  // the request's Icao is the reply's first field
    std::memset(reply, 0, RUNWAY_REPLY_SIZE);
    std::memcpy(reply, icao, 4);
    const int station = FindStation(icao);
    if (station >= 0) {
        const StandinRunways& r = STANDIN_STATIONS[station].Runways;
        std::memcpy(reply + 8, r.Departure, 4);
        std::memcpy(reply + 12, r.Arrival, 4);
    }
    ++Model.RunwayRequests;
}

void TakeStationRequest(ModuleSpace& space) {
    const uint8_t* request = space.Bytes + AREA_STATION_REQUEST;
    Model.HasRequest = true;
    std::memcpy(Model.RequestIcao, request + SRQ_ICAO, 4);
    Model.RequestLatitude = LoadF64(request + SRQ_LATITUDE);
    Model.RequestLongitude = LoadF64(request + SRQ_LONGITUDE);
    ++Model.StationRequests;
}

void ClearAll() {
    BuildWeather(Model.Global, GLOB_ICAO, 0.0, 0.0, 0, FAIR_WEATHER, 0);
    for (int i = 0; i < STANDIN_STATION_COUNT; ++i) BuildStation(i, FAIR_WEATHER);
    Model.AircraftOnGlobal = true;
}

// The global weather in force everywhere: each station takes its layers.
void GlobalEverywhere() {
    for (int i = 0; i < STANDIN_STATION_COUNT; ++i) {
        WeatherBlock& station = Model.Stations[i];
        std::memcpy(station.Bytes + OFS_PRESSURE, Model.Global.Bytes + OFS_PRESSURE,
                    WEATHER_BLOCK_SIZE - OFS_PRESSURE);
        Stamp(station);
    }
    Model.AircraftOnGlobal = true;
}

void TakeCommand(ModuleSpace& space) {
    const uint16_t command = LoadU16(space.Bytes + AREA_WEATHER_COMMAND);
    ++Model.Commands;
    switch (command) {
        case COMMAND_WRITE_BACK: {
            const uint8_t* body = space.Bytes + AREA_WEATHER_BODY;
            WeatherBlock* source = SourceForIcao(body);
            if (source == nullptr) {
                ++Model.IgnoredWriteBacks;
            } else {
                ReplaceWeather(*source, body);
                ++Model.WriteBacks;
            }
            break;
        }
        case COMMAND_CLEAR_ALL:
        case COMMAND_GLOBAL:
            Model.PendingCommand = command;
            break;
        case COMMAND_FINISH:
            if (Model.PendingCommand == COMMAND_CLEAR_ALL) ClearAll();
            if (Model.PendingCommand == COMMAND_GLOBAL) GlobalEverywhere();
            Model.PendingCommand = 0;
            break;
        default:
            break;
    }
}

// True when the write [offset, offset + size) touches [start, start + length).
bool Touches(uint32_t offset, uint32_t size, uint32_t start, uint32_t length) {
    return uint64_t{offset} < uint64_t{start} + length && uint64_t{offset} + size > start;
}

}  // namespace

// clang-format off
const StandinStation STANDIN_STATIONS[STANDIN_STATION_COUNT] = {
    // identifier          latitude   longitude  elev m   departures               arrivals
    {{'E', 'G', 'L', 'L'},  51.4775,    -0.4614,   25, {{{27, D_R}, {27, D_L}},   {{27, D_L}, {27, D_R}}}},
    {{'K', 'J', 'F', 'K'},  40.6398,   -73.7789,    4, {{{31, D_L}, {22, D_R}},   {{31, D_R}, {22, D_L}}}},
    {{'K', 'S', 'E', 'A'},  47.4490,  -122.3093,  132, {{{16, D_L}, {16, D_C}},   {{16, D_R}, {16, D_C}}}},
    {{'K', 'L', 'A', 'X'},  33.9425,  -118.4081,   38, {{{24, D_L}, {25, D_R}},   {{24, D_R}, {25, D_L}}}},
    {{'L', 'F', 'P', 'G'},  49.0097,     2.5478,  119, {{{26, D_R}, {27, D_L}},   {{26, D_L}, {27, D_R}}}},
    {{'E', 'D', 'D', 'F'},  50.0333,     8.5706,  111, {{{18, D_NONE}, {25, D_C}}, {{25, D_L}, {25, D_R}}}},
    {{'R', 'J', 'T', 'T'},  35.5523,   139.7798,    6, {{{34, D_R}, {5, D_NONE}},  {{34, D_L}, {22, D_NONE}}}},
    {{'Y', 'S', 'S', 'Y'}, -33.9461,   151.1772,    6, {{{16, D_L}, {16, D_R}},   {{16, D_R}, {16, D_L}}}},
    {{'L', 'S', 'Z', 'H'},  47.4647,     8.5492,  432, {{{28, D_NONE}, {16, D_NONE}}, {{14, D_NONE}, {0, 0}}}},
    {{'K', 'D', 'E', 'N'},  39.8617,  -104.6731, 1656, {{{34, D_L}, {25, D_NONE}}, {{35, D_R}, {35, D_L}}}},
    {{'F', 'A', 'O', 'R'}, -26.1392,    28.2460, 1694, {{{3, D_L}, {0, 0}},       {{3, D_R}, {0, 0}}}},
    // A seaplane base: a three-letter identifier, water lanes named by compass point.
    {{'W', '5', '5', '\0'}, 47.6290,  -122.3390,    4, {{{RWY_N, D_W}, {RWY_S, D_W}}, {{RWY_NW, D_W}, {RWY_SE, D_W}}}},
};
// clang-format on

int FindStation(const uint8_t* icao) {
    for (int i = 0; i < STANDIN_STATION_COUNT; ++i) {
        if (std::memcmp(STANDIN_STATIONS[i].Icao, icao, 4) == 0) return i;
    }
    return -1;
}

WeatherBlock* SourceForIcao(const uint8_t* icao) {
    if (IcaoIsGlob(icao)) return &Model.Global;
    const int station = FindStation(icao);
    return station >= 0 ? &Model.Stations[station] : nullptr;
}

void ModelPublish(ModuleSpace& space) {
    const WeatherBlock& aircraft = Model.AircraftOnGlobal ? Model.Global : Model.AircraftLocal;
    std::memcpy(space.Bytes + AREA_AIRCRAFT_WEATHER, aircraft.Bytes, WEATHER_BLOCK_SIZE);
    WeatherBlock requested;
    BuildRequestedWeather(requested);
    std::memcpy(space.Bytes + AREA_REQUESTED_WEATHER, requested.Bytes, WEATHER_BLOCK_SIZE);
}

void ModelReset(ModuleSpace& space, const StandinOptions& options) {
    std::memset(&Model, 0, sizeof Model);
    std::memset(space.Bytes, 0, sizeof space.Bytes);
    Model.NextStamp = 1;
    Model.RandomState = options.Seed != 0 ? options.Seed : 1;
    Model.TickIntervalMs = options.TickIntervalMs;
    Model.AircraftOnGlobal = options.AircraftOnGlobal;

    BuildWeather(Model.Global, GLOB_ICAO, 0.0, 0.0, 0, GLOBAL_WEATHER, 0);
    for (int i = 0; i < STANDIN_STATION_COUNT; ++i) BuildStation(i, STATION_WEATHER[i]);
    const StandinStation& near = STANDIN_STATIONS[AIRCRAFT_NEAR_STATION];
    BuildWeather(Model.AircraftLocal, reinterpret_cast<const uint8_t*>(near.Icao), AIRCRAFT_LATITUDE,
                 AIRCRAFT_LONGITUDE, near.ElevationMetres, STATION_WEATHER[AIRCRAFT_NEAR_STATION], 0x20);
    ModelPublish(space);
}

void ModelOnWrite(ModuleSpace& space, uint32_t offset, uint32_t size, void* /*context*/) {
    if (Touches(offset, size, AREA_STATION_REQUEST + SRQ_ICAO, 4)) TakeStationRequest(space);
    if (Touches(offset, size, AREA_RUNWAY_REPLY, 4)) AnswerRunwayRequest(space);
    if (Touches(offset, size, AREA_WEATHER_COMMAND, 2)) TakeCommand(space);
    ModelPublish(space);
}

void ModelChangeAircraftWeather(ModuleSpace& space) {
    WeatherBlock& b = Model.AircraftLocal;
    PressureRecord pressure = LoadPressureRecord(b.Bytes + OFS_PRESSURE);
    pressure.Qnh = ClampU16(pressure.Qnh + RandomStep(5));
    StorePressureRecord(b.Bytes + OFS_PRESSURE, pressure);

    if (BlockWindCount(b) > 0) {
        WindLayer wind = LoadWindLayer(WindAt(b, 0));
        wind.Direction = static_cast<uint16_t>(wind.Direction + RandomStep(12) * 65536 / 360);
        const int32_t speed = wind.Speed + RandomStep(2);
        wind.Speed = ClampU16(speed < 0 ? 0 : (speed > 60 ? 60 : speed));
        StoreWindLayer(WindAt(b, 0), wind);
    }
    if (BlockTemperatureCount(b) > 0) {
        TemperatureLayer t = LoadTemperatureLayer(TemperatureAt(b, 0));
        t.Day = ClampI16(t.Day + RandomStep(1));
        if (t.DewPoint > t.Day) t.DewPoint = t.Day;
        StoreTemperatureLayer(TemperatureAt(b, 0), t);
    }
    if (BlockCloudCount(b) > 0) {
        CloudLayer c = LoadCloudLayer(CloudAt(b, 0));
        const int32_t base = c.LowerAltitude + RandomStep(30);
        if (base > 0 && base + 100 < c.UpperAltitude) c.LowerAltitude = static_cast<uint16_t>(base);
        StoreCloudLayer(CloudAt(b, 0), c);
    }
    Stamp(b);
    ModelPublish(space);
}

bool ModelTick(ModuleSpace& space, uint32_t nowMs) {
    if (!Model.TickStarted) {
        Model.TickStarted = true;
        Model.LastTickMs = nowMs;
        return false;
    }
    if (Model.TickIntervalMs == 0 || nowMs - Model.LastTickMs < Model.TickIntervalMs) return false;
    Model.LastTickMs = nowMs;
    // While the global weather is in force at the aircraft, it changes only by commands.
    if (Model.AircraftOnGlobal) return false;
    ModelChangeAircraftWeather(space);
    return true;
}

void ModelSetAircraftOnGlobal(ModuleSpace& space, bool onGlobal) {
    Model.AircraftOnGlobal = onGlobal;
    ModelPublish(space);
}
