// The 1024-byte weather block shared with the module, kept as its wire image.
// Fields are reached through named offsets and explicit little-endian loads and
// stores; bytes the program does not interpret stay exactly as the module sent them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "link/byte_order.h"

constexpr uint32_t WEATHER_BLOCK_SIZE = 1024;
constexpr uint32_t WEATHER_BODY_OFFSET = 8;  // the 8-byte header is never written back
constexpr uint32_t WEATHER_BODY_SIZE = WEATHER_BLOCK_SIZE - WEATHER_BODY_OFFSET;

struct WeatherBlock {
    uint8_t Bytes[WEATHER_BLOCK_SIZE];
};
static_assert(sizeof(WeatherBlock) == 1024);

// Record sizes.
constexpr uint32_t PRESSURE_RECORD_SIZE = 4;
constexpr uint32_t VISIBILITY_LAYER_SIZE = 8;
constexpr uint32_t TEMPERATURE_LAYER_SIZE = 8;
constexpr uint32_t WIND_LAYER_SIZE = 16;
constexpr uint32_t CLOUD_LAYER_SIZE = 16;

// Capacities of the layer arrays.
constexpr int32_t TEMPERATURE_CAPACITY = 24;
constexpr int32_t WIND_CAPACITY = 24;
constexpr int32_t CLOUD_CAPACITY = 16;
constexpr int32_t UPPER_VISIBILITY_CAPACITY = 12;

// Block offsets.
constexpr uint32_t OFS_HEADER = 0;
constexpr uint32_t OFS_ICAO = 8;
constexpr uint32_t OFS_RESERVED12 = 12;
constexpr uint32_t OFS_LATITUDE = 16;
constexpr uint32_t OFS_LONGITUDE = 24;
constexpr uint32_t OFS_ELEVATION = 32;
constexpr uint32_t OFS_TIMESTAMP = 36;
constexpr uint32_t OFS_PRESSURE = 40;
constexpr uint32_t OFS_BASE_VISIBILITY = 44;
constexpr uint32_t OFS_TEMPERATURE_COUNT = 52;
constexpr uint32_t OFS_TEMPERATURES = 56;
constexpr uint32_t OFS_WIND_COUNT = 248;
constexpr uint32_t OFS_WINDS = 252;
constexpr uint32_t OFS_CLOUD_COUNT = 636;
constexpr uint32_t OFS_CLOUDS = 640;
constexpr uint32_t OFS_RESERVED896 = 896;
constexpr uint32_t OFS_UPPER_VISIBILITY_COUNT = 908;
constexpr uint32_t OFS_UPPER_VISIBILITIES = 912;
constexpr uint32_t OFS_RESERVED1008 = 1008;

// The layout leaves no gaps and no overlaps: each field ends where the next begins.
static_assert(OFS_ICAO == OFS_HEADER + 8);
static_assert(OFS_RESERVED12 == OFS_ICAO + 4);
static_assert(OFS_LATITUDE == OFS_RESERVED12 + 4);
static_assert(OFS_LONGITUDE == OFS_LATITUDE + 8);
static_assert(OFS_ELEVATION == OFS_LONGITUDE + 8);
static_assert(OFS_TIMESTAMP == OFS_ELEVATION + 4);
static_assert(OFS_PRESSURE == OFS_TIMESTAMP + 4);
static_assert(OFS_BASE_VISIBILITY == OFS_PRESSURE + PRESSURE_RECORD_SIZE);
static_assert(OFS_TEMPERATURE_COUNT == OFS_BASE_VISIBILITY + VISIBILITY_LAYER_SIZE);
static_assert(OFS_TEMPERATURES == OFS_TEMPERATURE_COUNT + 4);
static_assert(OFS_WIND_COUNT == OFS_TEMPERATURES + TEMPERATURE_CAPACITY * TEMPERATURE_LAYER_SIZE);
static_assert(OFS_WINDS == OFS_WIND_COUNT + 4);
static_assert(OFS_CLOUD_COUNT == OFS_WINDS + WIND_CAPACITY * WIND_LAYER_SIZE);
static_assert(OFS_CLOUDS == OFS_CLOUD_COUNT + 4);
static_assert(OFS_RESERVED896 == OFS_CLOUDS + CLOUD_CAPACITY * CLOUD_LAYER_SIZE);
static_assert(OFS_UPPER_VISIBILITY_COUNT == OFS_RESERVED896 + 12);
static_assert(OFS_UPPER_VISIBILITIES == OFS_UPPER_VISIBILITY_COUNT + 4);
static_assert(OFS_RESERVED1008 ==
              OFS_UPPER_VISIBILITIES + UPPER_VISIBILITY_CAPACITY * VISIBILITY_LAYER_SIZE);
static_assert(OFS_RESERVED1008 + 16 == WEATHER_BLOCK_SIZE);

// Offsets inside the records.
constexpr uint32_t PRS_QNH = 0, PRS_DRIFT = 2;
constexpr uint32_t VIS_UPPER_ALTITUDE = 0, VIS_LOWER_ALTITUDE = 2, VIS_RANGE = 4, VIS_RESERVED = 6;
constexpr uint32_t TMP_ALTITUDE = 0, TMP_DAY = 2, TMP_DAY_NIGHT_VARIATION = 4, TMP_DEW_POINT = 6;
constexpr uint32_t WND_UPPER_ALTITUDE = 0, WND_SPEED = 2, WND_GUST = 4, WND_DIRECTION = 6,
                   WND_TURBULENCE = 8, WND_SHEAR = 9, WND_VARIANCE = 10, WND_RESERVED = 12,
                   WND_GAP_ABOVE = 14;
constexpr uint32_t CLD_UPPER_ALTITUDE = 0, CLD_LOWER_ALTITUDE = 2, CLD_DEVIATION = 4,
                   CLD_COVER = 6, CLD_TYPE = 7, CLD_TURBULENCE = 8, CLD_ICING = 9,
                   CLD_PRECIP_BASE = 10, CLD_PRECIP_TYPE = 12, CLD_PRECIP_RATE = 13,
                   CLD_TOP_SHAPE = 14, CLD_RESERVED = 15;
static_assert(PRS_DRIFT + 2 == PRESSURE_RECORD_SIZE);
static_assert(VIS_RESERVED + 2 == VISIBILITY_LAYER_SIZE);
static_assert(TMP_DEW_POINT + 2 == TEMPERATURE_LAYER_SIZE);
static_assert(WND_GAP_ABOVE + 2 == WIND_LAYER_SIZE);
static_assert(CLD_RESERVED + 1 == CLOUD_LAYER_SIZE);

// Decoded records, for reading and filling layers field by field.
struct PressureRecord {
    uint16_t Qnh;
    int16_t Drift;
};
struct VisibilityLayer {
    uint16_t UpperAltitude;
    int16_t LowerAltitude;
    uint16_t Range;
    uint16_t Reserved;
};
struct TemperatureLayer {
    uint16_t Altitude;
    int16_t Day;
    int16_t DayNightVariation;
    int16_t DewPoint;
};
struct WindLayer {
    uint16_t UpperAltitude;
    uint16_t Speed;
    uint16_t Gust;
    uint16_t Direction;
    uint8_t Turbulence;
    uint8_t Shear;
    uint16_t Variance;
    uint16_t Reserved;
    uint16_t GapAbove;
};
struct CloudLayer {
    uint16_t UpperAltitude;
    uint16_t LowerAltitude;
    uint16_t Deviation;
    uint8_t Cover;
    uint8_t Type;
    uint8_t Turbulence;
    uint8_t Icing;
    int16_t PrecipBase;
    uint8_t PrecipType;
    uint8_t PrecipRate;
    uint8_t TopShape;
    uint8_t Reserved;
};

inline PressureRecord LoadPressureRecord(const uint8_t* p) {
    return {LoadU16(p + PRS_QNH), LoadI16(p + PRS_DRIFT)};
}
inline void StorePressureRecord(uint8_t* p, const PressureRecord& r) {
    StoreU16(p + PRS_QNH, r.Qnh);
    StoreI16(p + PRS_DRIFT, r.Drift);
}
inline VisibilityLayer LoadVisibilityLayer(const uint8_t* p) {
    return {LoadU16(p + VIS_UPPER_ALTITUDE), LoadI16(p + VIS_LOWER_ALTITUDE), LoadU16(p + VIS_RANGE),
            LoadU16(p + VIS_RESERVED)};
}
inline void StoreVisibilityLayer(uint8_t* p, const VisibilityLayer& r) {
    StoreU16(p + VIS_UPPER_ALTITUDE, r.UpperAltitude);
    StoreI16(p + VIS_LOWER_ALTITUDE, r.LowerAltitude);
    StoreU16(p + VIS_RANGE, r.Range);
    StoreU16(p + VIS_RESERVED, r.Reserved);
}
inline TemperatureLayer LoadTemperatureLayer(const uint8_t* p) {
    return {LoadU16(p + TMP_ALTITUDE), LoadI16(p + TMP_DAY), LoadI16(p + TMP_DAY_NIGHT_VARIATION),
            LoadI16(p + TMP_DEW_POINT)};
}
inline void StoreTemperatureLayer(uint8_t* p, const TemperatureLayer& r) {
    StoreU16(p + TMP_ALTITUDE, r.Altitude);
    StoreI16(p + TMP_DAY, r.Day);
    StoreI16(p + TMP_DAY_NIGHT_VARIATION, r.DayNightVariation);
    StoreI16(p + TMP_DEW_POINT, r.DewPoint);
}
inline WindLayer LoadWindLayer(const uint8_t* p) {
    return {LoadU16(p + WND_UPPER_ALTITUDE), LoadU16(p + WND_SPEED),    LoadU16(p + WND_GUST),
            LoadU16(p + WND_DIRECTION),      p[WND_TURBULENCE],         p[WND_SHEAR],
            LoadU16(p + WND_VARIANCE),       LoadU16(p + WND_RESERVED), LoadU16(p + WND_GAP_ABOVE)};
}
inline void StoreWindLayer(uint8_t* p, const WindLayer& r) {
    StoreU16(p + WND_UPPER_ALTITUDE, r.UpperAltitude);
    StoreU16(p + WND_SPEED, r.Speed);
    StoreU16(p + WND_GUST, r.Gust);
    StoreU16(p + WND_DIRECTION, r.Direction);
    p[WND_TURBULENCE] = r.Turbulence;
    p[WND_SHEAR] = r.Shear;
    StoreU16(p + WND_VARIANCE, r.Variance);
    StoreU16(p + WND_RESERVED, r.Reserved);
    StoreU16(p + WND_GAP_ABOVE, r.GapAbove);
}
inline CloudLayer LoadCloudLayer(const uint8_t* p) {
    return {LoadU16(p + CLD_UPPER_ALTITUDE), LoadU16(p + CLD_LOWER_ALTITUDE),
            LoadU16(p + CLD_DEVIATION),      p[CLD_COVER],
            p[CLD_TYPE],                     p[CLD_TURBULENCE],
            p[CLD_ICING],                    LoadI16(p + CLD_PRECIP_BASE),
            p[CLD_PRECIP_TYPE],              p[CLD_PRECIP_RATE],
            p[CLD_TOP_SHAPE],                p[CLD_RESERVED]};
}
inline void StoreCloudLayer(uint8_t* p, const CloudLayer& r) {
    StoreU16(p + CLD_UPPER_ALTITUDE, r.UpperAltitude);
    StoreU16(p + CLD_LOWER_ALTITUDE, r.LowerAltitude);
    StoreU16(p + CLD_DEVIATION, r.Deviation);
    p[CLD_COVER] = r.Cover;
    p[CLD_TYPE] = r.Type;
    p[CLD_TURBULENCE] = r.Turbulence;
    p[CLD_ICING] = r.Icing;
    StoreI16(p + CLD_PRECIP_BASE, r.PrecipBase);
    p[CLD_PRECIP_TYPE] = r.PrecipType;
    p[CLD_PRECIP_RATE] = r.PrecipRate;
    p[CLD_TOP_SHAPE] = r.TopShape;
    p[CLD_RESERVED] = r.Reserved;
}

// Header fields.
inline uint32_t BlockTimeStamp(const WeatherBlock& b) { return LoadU32(b.Bytes + OFS_TIMESTAMP); }
inline const uint8_t* BlockIcao(const WeatherBlock& b) { return b.Bytes + OFS_ICAO; }
inline double BlockLatitude(const WeatherBlock& b) { return LoadF64(b.Bytes + OFS_LATITUDE); }
inline double BlockLongitude(const WeatherBlock& b) { return LoadF64(b.Bytes + OFS_LONGITUDE); }
inline int32_t BlockElevation(const WeatherBlock& b) { return LoadI32(b.Bytes + OFS_ELEVATION); }

// A count as stored; may be anything the module sent.
inline int32_t BlockRawCount(const WeatherBlock& b, uint32_t countOffset) {
    return LoadI32(b.Bytes + countOffset);
}
// A count as used: the module is untrusted, so a count below 0 reads as 0 and one above
// the array's capacity as the capacity. Every walk over a layer array uses this.
inline int32_t ClampCount(int32_t count, int32_t capacity) {
    return count < 0 ? 0 : (count > capacity ? capacity : count);
}
inline int32_t BlockTemperatureCount(const WeatherBlock& b) {
    return ClampCount(BlockRawCount(b, OFS_TEMPERATURE_COUNT), TEMPERATURE_CAPACITY);
}
inline int32_t BlockWindCount(const WeatherBlock& b) {
    return ClampCount(BlockRawCount(b, OFS_WIND_COUNT), WIND_CAPACITY);
}
inline int32_t BlockCloudCount(const WeatherBlock& b) {
    return ClampCount(BlockRawCount(b, OFS_CLOUD_COUNT), CLOUD_CAPACITY);
}
inline int32_t BlockUpperVisibilityCount(const WeatherBlock& b) {
    return ClampCount(BlockRawCount(b, OFS_UPPER_VISIBILITY_COUNT), UPPER_VISIBILITY_CAPACITY);
}

// Record addresses inside the block; the index must lie inside the array.
inline uint8_t* TemperatureAt(WeatherBlock& b, int32_t k) {
    return b.Bytes + OFS_TEMPERATURES + k * TEMPERATURE_LAYER_SIZE;
}
inline const uint8_t* TemperatureAt(const WeatherBlock& b, int32_t k) {
    return b.Bytes + OFS_TEMPERATURES + k * TEMPERATURE_LAYER_SIZE;
}
inline uint8_t* WindAt(WeatherBlock& b, int32_t k) { return b.Bytes + OFS_WINDS + k * WIND_LAYER_SIZE; }
inline const uint8_t* WindAt(const WeatherBlock& b, int32_t k) {
    return b.Bytes + OFS_WINDS + k * WIND_LAYER_SIZE;
}
inline uint8_t* CloudAt(WeatherBlock& b, int32_t k) { return b.Bytes + OFS_CLOUDS + k * CLOUD_LAYER_SIZE; }
inline const uint8_t* CloudAt(const WeatherBlock& b, int32_t k) {
    return b.Bytes + OFS_CLOUDS + k * CLOUD_LAYER_SIZE;
}
inline uint8_t* UpperVisibilityAt(WeatherBlock& b, int32_t k) {
    return b.Bytes + OFS_UPPER_VISIBILITIES + k * VISIBILITY_LAYER_SIZE;
}
inline const uint8_t* UpperVisibilityAt(const WeatherBlock& b, int32_t k) {
    return b.Bytes + OFS_UPPER_VISIBILITIES + k * VISIBILITY_LAYER_SIZE;
}
// Visibility row r: row 0 is the surface layer, row r >= 1 the upper layer r - 1.
inline uint8_t* VisibilitySlot(WeatherBlock& b, int32_t r) {
    return r == 0 ? b.Bytes + OFS_BASE_VISIBILITY : UpperVisibilityAt(b, r - 1);
}
inline const uint8_t* VisibilitySlot(const WeatherBlock& b, int32_t r) {
    return r == 0 ? b.Bytes + OFS_BASE_VISIBILITY : UpperVisibilityAt(b, r - 1);
}

// "GLOB" compared as one 4-byte word.
inline bool IcaoIsGlob(const uint8_t* icao) {
    return icao[0] == 'G' && icao[1] == 'L' && icao[2] == 'O' && icao[3] == 'B';
}
inline bool IcaoIsFourSpaces(const uint8_t* icao) {
    return icao[0] == ' ' && icao[1] == ' ' && icao[2] == ' ' && icao[3] == ' ';
}
