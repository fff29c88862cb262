// Cell texts of the six weather lists, and their column headers and widths.
// Pure formatting over the block and the runway buffer: no window system, no heap.
#pragma once

#include <cstddef>
#include <cstdint>

#include "display/app_state.h"
#include "weather/exchange.h"
#include "weather/weather_block.h"

// Large enough for every cell text, the widest being a station position.
constexpr size_t CELL_TEXT_SIZE = 64;

struct ListColumn {
    const char* Header;
    int32_t Width;  // pixels
};

constexpr int32_t MAX_LIST_COLUMNS = 12;  // the Cloud list: the row number and 11 cells
constexpr int32_t ROW_NUMBER_COLUMN_WIDTH = 80;

// Column 0 of every list shows the row number, headed by the list's name.
struct ListColumns {
    const char* Name;
    int32_t Count;  // columns including column 0
    ListColumn Columns[MAX_LIST_COLUMNS];
};

// Indexed by ListKind.
inline constexpr ListColumns LIST_COLUMNS[LIST_COUNT] = {
    {"Visibility", 4, {{"Visibility", 80}, {"From", 85}, {"To", 85}, {"Range", 122}}},
    {"Pressure", 3, {{"Pressure", 80}, {"QNH", 180}, {"Drift", 100}}},
    {"Temperature", 5, {{"Temperature", 80}, {"Alt", 70}, {"Day", 80}, {"Var", 80}, {"Dew", 80}}},
    {"Station",
     7,
     {{"Station", 80},
      {"ICAO", 55},
      {"Latitude", 86},
      {"Longitude", 86},
      {"Altitude", 55},
      {"Dep Rwys", 64},
      {"Arr Rwys", 64}}},
    {"Cloud",
     12,
     {{"Cloud", 80},
      {"From", 95},
      {"To", 95},
      {"Dev", 70},
      {"Cover", 60},
      {"Type", 50},
      {"Turb", 50},
      {"Ice", 50},
      {"Precip", 80},
      {"PrRate", 80},
      {"PrBase", 75},
      {"TopShape", 95}}},
    {"Winds",
     9,
     {{"Winds", 80},
      {"To", 60},
      {"Speed", 60},
      {"Dir", 55},
      {"Gust", 55},
      {"Turb", 40},
      {"Shear", 40},
      {"Var", 40},
      {"Gap", 60}}},
};

// The first cell of every row: "% 3d ", right-aligned in three characters and a space.
// Non-negative numbers keep a sign place, so 5 gives "  5 " and 999 gives " 999 ".
// Returns false when out cannot hold any text.
bool FormatRowNumber(int32_t row, char* out, size_t outSize);

// Exactly four characters and a terminating 0: "09L ", " NE ", or four spaces for no
// runway. A designator outside " LRCW" shows '?' in place of the letter.
void FormatRunway(uint8_t number, uint8_t designator, char out[5]);

// Number of layer rows the list shows for this block (closing row not included), from
// the clamped counts: Visibility count + 1, Pressure and Station 1, the others the count.
int32_t ListLayerRows(const WeatherBlock& block, ListKind kind);

// The text of one cell. Column 0 is the row number, columns 1 on are the list's cells.
// Returns false for "no text" (the cell stays empty): an empty station position, runway
// cells whose reply belongs to another station, a row that holds no layer, a column the
// list does not have, or no room in out.
bool FormatCell(const WeatherBlock& block, const RunwayBuffer& runways, const StationRequest& request,
                ListKind kind, int32_t row, int32_t column, char* out, size_t outSize);
