// Array arithmetic of deleting, inserting and replacing entries of the weather lists.
// Pure functions on a WeatherBlock: no window system, no exchange. Every count is taken
// through the clamped helpers, so a count from the module below 0 or above its capacity
// never leads outside its array; nothing outside the edited array and its count changes.
#pragma once

#include <cstdint>

#include "display/app_state.h"
#include "weather/weather_block.h"

// The result of a layer dialog: one record of the edited list in its block layout.
constexpr uint32_t EDIT_RECORD_SIZE = 16;

// Whether Delete may remove row r of a list that has rowCount rows, the closing row
// included: only in the Temperature, Cloud and Winds lists, and in the Visibility list
// while it has upper layers; never for the closing row.
bool DeleteAllowed(const WeatherBlock& block, ListKind kind, int32_t row, int32_t rowCount);

// Removes the entry of row r: the following entries move down by one place, the freed
// last slot is zeroed and the count drops by one. Visibility row 0 is the surface layer,
// which the first upper layer then replaces. Returns false when nothing changed (no
// entry at r, or a list without layers).
bool DeleteLayer(WeatherBlock& block, ListKind kind, int32_t row);

// Inserts the record before row r, pushing that entry and all below it down by one
// place; r at the closing row appends. Visibility row 0 makes the record the surface
// layer and the old surface layer the first upper one. A full array, or a row beyond
// the closing row, changes nothing and returns false. In the Pressure list an insertion
// is an edit.
bool InsertLayer(WeatherBlock& block, ListKind kind, int32_t row, const uint8_t editRecord[EDIT_RECORD_SIZE]);

// Replaces the entry of row r with the first bytes of the record (4 for the pressure, 8
// for a visibility or temperature layer, 16 for a cloud or wind layer), unchanged.
// Returns false when row r holds no entry (the closing row) or the list has no records.
bool ReplaceLayer(WeatherBlock& block, ListKind kind, int32_t row,
                  const uint8_t editRecord[EDIT_RECORD_SIZE]);
