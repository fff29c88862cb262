#include "editing/layer_edit.h"

#include <cstring>

namespace {

// One of the three plain layer arrays: Temperatures, Clouds or Winds.
struct LayerArray {
    uint32_t CountOffset;
    uint32_t ArrayOffset;
    uint32_t LayerSize;
    int32_t Capacity;
};

bool LayerArrayOf(ListKind kind, LayerArray& array) {
    switch (kind) {
        case LIST_TEMPERATURE:
            array = {OFS_TEMPERATURE_COUNT, OFS_TEMPERATURES, TEMPERATURE_LAYER_SIZE, TEMPERATURE_CAPACITY};
            return true;
        case LIST_CLOUD:
            array = {OFS_CLOUD_COUNT, OFS_CLOUDS, CLOUD_LAYER_SIZE, CLOUD_CAPACITY};
            return true;
        case LIST_WINDS:
            array = {OFS_WIND_COUNT, OFS_WINDS, WIND_LAYER_SIZE, WIND_CAPACITY};
            return true;
        default:
            return false;
    }
}

int32_t UsedCount(const WeatherBlock& block, const LayerArray& array) {
    return ClampCount(BlockRawCount(block, array.CountOffset), array.Capacity);
}

uint8_t* LayerAt(WeatherBlock& block, const LayerArray& array, int32_t index) {
    return block.Bytes + array.ArrayOffset + static_cast<uint32_t>(index) * array.LayerSize;
}

// Moves entries [from, to) of an array by one place, down (to lower indexes) or up.
// The caller keeps every index inside the array.
void MoveDown(uint8_t* first, uint32_t layerSize, int32_t from, int32_t to) {
    if (to <= from) return;
    std::memmove(first + (from - 1) * layerSize, first + from * layerSize, (to - from) * layerSize);
}
void MoveUp(uint8_t* first, uint32_t layerSize, int32_t from, int32_t to) {
    if (to <= from) return;
    std::memmove(first + (from + 1) * layerSize, first + from * layerSize, (to - from) * layerSize);
}

uint8_t* UpperVisibilities(WeatherBlock& block) { return block.Bytes + OFS_UPPER_VISIBILITIES; }

void SetUpperVisibilityCount(WeatherBlock& block, int32_t count) {
    StoreI32(block.Bytes + OFS_UPPER_VISIBILITY_COUNT, count);
}

bool DeleteVisibility(WeatherBlock& block, int32_t row) {
    const int32_t upper = BlockUpperVisibilityCount(block);
    if (upper < 1 || row > upper) return false;
    uint8_t* layers = UpperVisibilities(block);
    if (row == 0) {
        std::memcpy(block.Bytes + OFS_BASE_VISIBILITY, layers, VISIBILITY_LAYER_SIZE);
        MoveDown(layers, VISIBILITY_LAYER_SIZE, 1, upper);
    } else {
        MoveDown(layers, VISIBILITY_LAYER_SIZE, row, upper);
    }
    std::memset(layers + (upper - 1) * VISIBILITY_LAYER_SIZE, 0, VISIBILITY_LAYER_SIZE);
    SetUpperVisibilityCount(block, upper - 1);
    return true;
}

bool InsertVisibility(WeatherBlock& block, int32_t row, const uint8_t* record) {
    const int32_t upper = BlockUpperVisibilityCount(block);
    if (upper >= UPPER_VISIBILITY_CAPACITY || row > upper + 1) return false;
    uint8_t* layers = UpperVisibilities(block);
    if (row == 0) {
        MoveUp(layers, VISIBILITY_LAYER_SIZE, 0, upper);
        std::memcpy(layers, block.Bytes + OFS_BASE_VISIBILITY, VISIBILITY_LAYER_SIZE);
        std::memcpy(block.Bytes + OFS_BASE_VISIBILITY, record, VISIBILITY_LAYER_SIZE);
    } else {
        // Rows 1 to upper push their layer down; the closing row (upper + 1) appends.
        MoveUp(layers, VISIBILITY_LAYER_SIZE, row - 1, upper);
        std::memcpy(layers + (row - 1) * VISIBILITY_LAYER_SIZE, record, VISIBILITY_LAYER_SIZE);
    }
    SetUpperVisibilityCount(block, upper + 1);
    return true;
}

}  // namespace

bool DeleteAllowed(const WeatherBlock& block, ListKind kind, int32_t row, int32_t rowCount) {
    if (row < 0 || row >= rowCount - 1) return false;
    switch (kind) {
        case LIST_TEMPERATURE:
        case LIST_CLOUD:
        case LIST_WINDS:
            return true;
        case LIST_VISIBILITY:
            return BlockUpperVisibilityCount(block) > 0;
        default:
            return false;
    }
}

bool DeleteLayer(WeatherBlock& block, ListKind kind, int32_t row) {
    if (row < 0) return false;
    if (kind == LIST_VISIBILITY) return DeleteVisibility(block, row);
    LayerArray array;
    if (!LayerArrayOf(kind, array)) return false;
    const int32_t count = UsedCount(block, array);
    if (row >= count) return false;
    uint8_t* first = LayerAt(block, array, 0);
    MoveDown(first, array.LayerSize, row + 1, count);
    std::memset(LayerAt(block, array, count - 1), 0, array.LayerSize);
    StoreI32(block.Bytes + array.CountOffset, count - 1);
    return true;
}

bool InsertLayer(WeatherBlock& block, ListKind kind, int32_t row,
                 const uint8_t editRecord[EDIT_RECORD_SIZE]) {
    if (row < 0) return false;
    if (kind == LIST_VISIBILITY) return InsertVisibility(block, row, editRecord);
    if (kind == LIST_PRESSURE) return ReplaceLayer(block, kind, row, editRecord);
    LayerArray array;
    if (!LayerArrayOf(kind, array)) return false;
    const int32_t count = UsedCount(block, array);
    if (count >= array.Capacity || row > count) return false;
    MoveUp(LayerAt(block, array, 0), array.LayerSize, row, count);
    std::memcpy(LayerAt(block, array, row), editRecord, array.LayerSize);
    StoreI32(block.Bytes + array.CountOffset, count + 1);
    return true;
}

bool ReplaceLayer(WeatherBlock& block, ListKind kind, int32_t row,
                  const uint8_t editRecord[EDIT_RECORD_SIZE]) {
    if (row < 0) return false;
    if (kind == LIST_PRESSURE) {
        // The list has its one row only.
        std::memcpy(block.Bytes + OFS_PRESSURE, editRecord, PRESSURE_RECORD_SIZE);
        return true;
    }
    if (kind == LIST_VISIBILITY) {
        if (row > BlockUpperVisibilityCount(block)) return false;
        std::memcpy(VisibilitySlot(block, row), editRecord, VISIBILITY_LAYER_SIZE);
        return true;
    }
    LayerArray array;
    if (!LayerArrayOf(kind, array)) return false;
    if (row >= UsedCount(block, array)) return false;
    std::memcpy(LayerAt(block, array, row), editRecord, array.LayerSize);
    return true;
}
