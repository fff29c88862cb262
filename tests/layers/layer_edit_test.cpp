// Deleting, inserting and replacing entries of the layer lists.
//
// Every slot of the edited list starts filled with its own letter: slot k of an array
// holds 'a' + k (for the Visibility list slot 0 is the surface layer and slot k the
// upper layer k - 1). A case gives the slots expected afterwards as a string in which
// a letter is an original layer, '0' a zeroed slot and 'N' the edit record. Every byte
// of the block outside the edited array and its count must stay as it was.
#include "editing/layer_edit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

namespace {

enum class Operation { Delete, Insert, Replace };

struct LayerCase {
    const char* Name;
    Operation Op;
    ListKind Kind;
    int32_t Count;  // stored raw; may be outside 0..capacity
    int32_t Row;
    bool Changed;
    int32_t CountAfter;
    const char* SlotsAfter;
};

// Failure messages name the case rather than dumping its bytes.
void PrintTo(const LayerCase& c, std::ostream* os) { *os << c.Name; }

// Where a list keeps its entries, in slot order.
struct ListArea {
    uint32_t CountOffset;
    int32_t Slots;
    uint32_t LayerSize;
    std::vector<std::pair<uint32_t, uint32_t>> Ranges;  // [begin, end) owned by the list
};

ListArea AreaOf(ListKind kind) {
    switch (kind) {
        case LIST_VISIBILITY:
            return {OFS_UPPER_VISIBILITY_COUNT,
                    13,
                    VISIBILITY_LAYER_SIZE,
                    {{OFS_BASE_VISIBILITY, OFS_BASE_VISIBILITY + 8},
                     {OFS_UPPER_VISIBILITY_COUNT, OFS_RESERVED1008}}};
        case LIST_TEMPERATURE:
            return {
                OFS_TEMPERATURE_COUNT, 24, TEMPERATURE_LAYER_SIZE, {{OFS_TEMPERATURE_COUNT, OFS_WIND_COUNT}}};
        case LIST_CLOUD:
            return {OFS_CLOUD_COUNT, 16, CLOUD_LAYER_SIZE, {{OFS_CLOUD_COUNT, OFS_RESERVED896}}};
        case LIST_WINDS:
            return {OFS_WIND_COUNT, 24, WIND_LAYER_SIZE, {{OFS_WIND_COUNT, OFS_CLOUD_COUNT}}};
        default:
            return {0, 0, 0, {}};
    }
}

uint8_t* SlotAt(WeatherBlock& block, ListKind kind, int32_t slot) {
    const ListArea area = AreaOf(kind);
    if (kind == LIST_VISIBILITY) return VisibilitySlot(block, slot);
    return block.Bytes + area.CountOffset + 4 + slot * area.LayerSize;
}

struct LayerFixture {
    WeatherBlock block{};
    WeatherBlock before{};
    uint8_t record[EDIT_RECORD_SIZE];

    // A background that differs from byte to byte, so that any stray write shows.
    LayerFixture() {
        for (uint32_t i = 0; i < WEATHER_BLOCK_SIZE; ++i) block.Bytes[i] = static_cast<uint8_t>(i * 31 + 7);
        for (uint32_t i = 0; i < EDIT_RECORD_SIZE; ++i) record[i] = static_cast<uint8_t>(0x61 + i);
    }

    void Prepare(ListKind kind, int32_t count) {
        const ListArea area = AreaOf(kind);
        for (int32_t slot = 0; slot < area.Slots; ++slot) {
            std::memset(SlotAt(block, kind, slot), 0xA0 + slot, area.LayerSize);
        }
        if (area.Slots > 0) StoreI32(block.Bytes + area.CountOffset, count);
        before = block;
    }

    std::string Slots(ListKind kind) {
        const ListArea area = AreaOf(kind);
        std::string slots;
        for (int32_t slot = 0; slot < area.Slots; ++slot) {
            const uint8_t* bytes = SlotAt(block, kind, slot);
            static const uint8_t zero[16] = {};
            bool uniform = true;
            for (uint32_t i = 1; i < area.LayerSize; ++i) uniform = uniform && bytes[i] == bytes[0];
            if (std::memcmp(bytes, zero, area.LayerSize) == 0) {
                slots += '0';
            } else if (std::memcmp(bytes, record, area.LayerSize) == 0) {
                slots += 'N';
            } else if (uniform && bytes[0] >= 0xA0 && bytes[0] < 0xA0 + area.Slots) {
                slots += static_cast<char>('a' + (bytes[0] - 0xA0));
            } else {
                slots += '?';
            }
        }
        return slots;
    }

    // Bytes changed outside the list's own ranges, as "offset offset ...".
    std::string ChangesOutside(ListKind kind) {
        const ListArea area = AreaOf(kind);
        std::string changes;
        for (uint32_t i = 0; i < WEATHER_BLOCK_SIZE; ++i) {
            bool owned = false;
            for (const auto& range : area.Ranges) owned = owned || (i >= range.first && i < range.second);
            if (!owned && block.Bytes[i] != before.Bytes[i]) changes += std::to_string(i) + " ";
        }
        return changes;
    }

    bool Apply(Operation op, ListKind kind, int32_t row) {
        switch (op) {
            case Operation::Delete:
                return DeleteLayer(block, kind, row);
            case Operation::Insert:
                return InsertLayer(block, kind, row, record);
            case Operation::Replace:
                return ReplaceLayer(block, kind, row, record);
        }
        return false;
    }
};

class LayerArithmetic : public ::testing::TestWithParam<LayerCase> {};

TEST_P(LayerArithmetic, MovesZeroesAndCounts) {
    const LayerCase& c = GetParam();
    LayerFixture f;
    f.Prepare(c.Kind, c.Count);
    EXPECT_EQ(f.Apply(c.Op, c.Kind, c.Row), c.Changed);
    EXPECT_EQ(f.Slots(c.Kind), c.SlotsAfter);
    EXPECT_EQ(BlockRawCount(f.block, AreaOf(c.Kind).CountOffset), c.CountAfter);
    EXPECT_EQ(f.ChangesOutside(c.Kind), "");
}

std::string CaseName(const ::testing::TestParamInfo<LayerCase>& info) { return info.param.Name; }

constexpr auto D = Operation::Delete;
constexpr auto I = Operation::Insert;
constexpr auto R = Operation::Replace;
constexpr auto VIS = LIST_VISIBILITY;
constexpr auto TMP = LIST_TEMPERATURE;
constexpr auto CLD = LIST_CLOUD;
constexpr auto WND = LIST_WINDS;

INSTANTIATE_TEST_SUITE_P(
    Deletion, LayerArithmetic,
    ::testing::Values(
        // Visibility: row 0 is the surface layer; the first upper layer replaces it.
        LayerCase{"VisSurfaceOfTwo", D, VIS, 2, 0, true, 1, "bc0defghijklm"},
        LayerCase{"VisSurfaceOfOne", D, VIS, 1, 0, true, 0, "b0cdefghijklm"},
        LayerCase{"VisRowOneOfThree", D, VIS, 3, 1, true, 2, "acd0efghijklm"},
        LayerCase{"VisLastUpper", D, VIS, 3, 3, true, 2, "abc0efghijklm"},
        LayerCase{"VisClosingRow", D, VIS, 3, 4, false, 3, "abcdefghijklm"},
        LayerCase{"VisNoUpperLayers", D, VIS, 0, 0, false, 0, "abcdefghijklm"},
        LayerCase{"VisSurfaceOfFull", D, VIS, 12, 0, true, 11, "bcdefghijklm0"},
        LayerCase{"VisLastOfFull", D, VIS, 12, 12, true, 11, "abcdefghijkl0"},
        LayerCase{"VisCountAboveCapacity", D, VIS, 50, 1, true, 11, "acdefghijklm0"},
        LayerCase{"VisCountNegative", D, VIS, -3, 0, false, -3, "abcdefghijklm"},
        LayerCase{"VisNegativeRow", D, VIS, 3, -1, false, 3, "abcdefghijklm"},
        // Temperature, Cloud, Winds: the following entries move down, the last slot is zeroed.
        LayerCase{"TmpLastOfFive", D, TMP, 5, 4, true, 4, "abcd0fghijklmnopqrstuvwx"},
        LayerCase{"TmpFirstOfFive", D, TMP, 5, 0, true, 4, "bcde0fghijklmnopqrstuvwx"},
        LayerCase{"TmpClosingRow", D, TMP, 5, 5, false, 5, "abcdefghijklmnopqrstuvwx"},
        LayerCase{"TmpNegativeRow", D, TMP, 5, -1, false, 5, "abcdefghijklmnopqrstuvwx"},
        LayerCase{"TmpLastOfFull", D, TMP, 24, 23, true, 23, "abcdefghijklmnopqrstuvw0"},
        LayerCase{"TmpFirstOfFull", D, TMP, 24, 0, true, 23, "bcdefghijklmnopqrstuvwx0"},
        LayerCase{"TmpCountAboveCapacity", D, TMP, 100, 2, true, 23, "abdefghijklmnopqrstuvwx0"},
        LayerCase{"TmpCountNegative", D, TMP, -1, 0, false, -1, "abcdefghijklmnopqrstuvwx"},
        LayerCase{"CldMiddleOfFull", D, CLD, 16, 3, true, 15, "abcefghijklmnop0"},
        LayerCase{"CldMiddleOfThree", D, CLD, 3, 1, true, 2, "ac0defghijklmnop"},
        LayerCase{"CldCountAboveCapacity", D, CLD, 17, 15, true, 15, "abcdefghijklmno0"},
        LayerCase{"CldCountHuge", D, CLD, INT32_MAX, 0, true, 15, "bcdefghijklmnop0"},
        LayerCase{"WndOnlyLayer", D, WND, 1, 0, true, 0, "0bcdefghijklmnopqrstuvwx"},
        LayerCase{"WndMiddleOfFull", D, WND, 24, 10, true, 23, "abcdefghijlmnopqrstuvwx0"},
        LayerCase{"WndEmpty", D, WND, 0, 0, false, 0, "abcdefghijklmnopqrstuvwx"}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Insertion, LayerArithmetic,
    ::testing::Values(
        // Visibility row 0: the record becomes the surface layer, the old one the first upper.
        LayerCase{"VisSurfaceIntoNone", I, VIS, 0, 0, true, 1, "Nacdefghijklm"},
        LayerCase{"VisSurfaceIntoTwo", I, VIS, 2, 0, true, 3, "Nabcefghijklm"},
        LayerCase{"VisRowOneOfTwo", I, VIS, 2, 1, true, 3, "aNbcefghijklm"},
        LayerCase{"VisRowTwoOfTwo", I, VIS, 2, 2, true, 3, "abNcefghijklm"},
        LayerCase{"VisClosingRowAppends", I, VIS, 2, 3, true, 3, "abcNefghijklm"},
        LayerCase{"VisBeyondClosingRow", I, VIS, 2, 4, false, 2, "abcdefghijklm"},
        LayerCase{"VisSurfaceIntoEleven", I, VIS, 11, 0, true, 12, "Nabcdefghijkl"},
        LayerCase{"VisAppendTwelfth", I, VIS, 11, 12, true, 12, "abcdefghijklN"},
        LayerCase{"VisFull", I, VIS, 12, 0, false, 12, "abcdefghijklm"},
        LayerCase{"VisFullClosingRow", I, VIS, 12, 13, false, 12, "abcdefghijklm"},
        LayerCase{"VisCountAboveCapacity", I, VIS, 40, 1, false, 40, "abcdefghijklm"},
        LayerCase{"VisCountNegative", I, VIS, -2, 0, true, 1, "Nacdefghijklm"},
        LayerCase{"VisNegativeRow", I, VIS, 2, -1, false, 2, "abcdefghijklm"},
        // Temperature, Cloud, Winds: the entry at the row and all below move up.
        LayerCase{"TmpIntoEmpty", I, TMP, 0, 0, true, 1, "Nbcdefghijklmnopqrstuvwx"},
        LayerCase{"TmpFirstOfFive", I, TMP, 5, 0, true, 6, "Nabcdeghijklmnopqrstuvwx"},
        LayerCase{"TmpMiddleOfFive", I, TMP, 5, 2, true, 6, "abNcdeghijklmnopqrstuvwx"},
        LayerCase{"TmpClosingRowAppends", I, TMP, 5, 5, true, 6, "abcdeNghijklmnopqrstuvwx"},
        LayerCase{"TmpBeyondClosingRow", I, TMP, 5, 6, false, 5, "abcdefghijklmnopqrstuvwx"},
        LayerCase{"TmpFillsTheArray", I, TMP, 23, 0, true, 24, "Nabcdefghijklmnopqrstuvw"},
        LayerCase{"TmpFull", I, TMP, 24, 0, false, 24, "abcdefghijklmnopqrstuvwx"},
        LayerCase{"TmpCountAboveCapacity", I, TMP, 99, 3, false, 99, "abcdefghijklmnopqrstuvwx"},
        LayerCase{"TmpCountNegative", I, TMP, -7, 0, true, 1, "Nbcdefghijklmnopqrstuvwx"},
        LayerCase{"CldAppendSixteenth", I, CLD, 15, 15, true, 16, "abcdefghijklmnoN"},
        LayerCase{"CldFirstOfFifteen", I, CLD, 15, 0, true, 16, "Nabcdefghijklmno"},
        LayerCase{"CldFull", I, CLD, 16, 0, false, 16, "abcdefghijklmnop"},
        LayerCase{"CldFullClosingRow", I, CLD, 16, 16, false, 16, "abcdefghijklmnop"},
        LayerCase{"WndFull", I, WND, 24, 5, false, 24, "abcdefghijklmnopqrstuvwx"},
        LayerCase{"WndAppendTwentyFourth", I, WND, 23, 23, true, 24, "abcdefghijklmnopqrstuvwN"},
        LayerCase{"WndMiddleOfThree", I, WND, 3, 1, true, 4, "aNbcefghijklmnopqrstuvwx"}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Editing, LayerArithmetic,
    ::testing::Values(LayerCase{"VisSurface", R, VIS, 2, 0, true, 2, "Nbcdefghijklm"},
                      LayerCase{"VisLastUpper", R, VIS, 2, 2, true, 2, "abNdefghijklm"},
                      LayerCase{"VisClosingRow", R, VIS, 2, 3, false, 2, "abcdefghijklm"},
                      LayerCase{"VisSurfaceWithoutUpper", R, VIS, 0, 0, true, 0, "Nbcdefghijklm"},
                      LayerCase{"VisCountAboveCapacity", R, VIS, 20, 12, true, 20, "abcdefghijklN"},
                      LayerCase{"VisCountNegative", R, VIS, -1, 1, false, -1, "abcdefghijklm"},
                      LayerCase{"TmpLastLayer", R, TMP, 5, 4, true, 5, "abcdNfghijklmnopqrstuvwx"},
                      LayerCase{"TmpClosingRow", R, TMP, 5, 5, false, 5, "abcdefghijklmnopqrstuvwx"},
                      LayerCase{"TmpCountAboveCapacity", R, TMP, 30, 23, true, 30,
                                "abcdefghijklmnopqrstuvwN"},
                      LayerCase{"TmpNegativeRow", R, TMP, 5, -1, false, 5, "abcdefghijklmnopqrstuvwx"},
                      LayerCase{"CldLastOfFull", R, CLD, 16, 15, true, 16, "abcdefghijklmnoN"},
                      LayerCase{"CldClosingRowOfFull", R, CLD, 16, 16, false, 16, "abcdefghijklmnop"},
                      LayerCase{"WndOnlyLayer", R, WND, 1, 0, true, 1, "Nbcdefghijklmnopqrstuvwx"},
                      LayerCase{"WndEmpty", R, WND, 0, 0, false, 0, "abcdefghijklmnopqrstuvwx"}),
    CaseName);

// The pressure record takes the first four bytes of the edit record; an insertion in
// the Pressure list is an edit.
TEST(PressureRecordEdit, TakesFourBytesAndNothingElse) {
    for (bool insert : {false, true}) {
        LayerFixture f;
        f.before = f.block;
        EXPECT_TRUE(insert ? InsertLayer(f.block, LIST_PRESSURE, 0, f.record)
                           : ReplaceLayer(f.block, LIST_PRESSURE, 0, f.record));
        EXPECT_EQ(std::memcmp(f.block.Bytes + OFS_PRESSURE, f.record, PRESSURE_RECORD_SIZE), 0);
        f.block.Bytes[OFS_PRESSURE + 0] = f.before.Bytes[OFS_PRESSURE + 0];
        f.block.Bytes[OFS_PRESSURE + 1] = f.before.Bytes[OFS_PRESSURE + 1];
        f.block.Bytes[OFS_PRESSURE + 2] = f.before.Bytes[OFS_PRESSURE + 2];
        f.block.Bytes[OFS_PRESSURE + 3] = f.before.Bytes[OFS_PRESSURE + 3];
        EXPECT_EQ(std::memcmp(f.block.Bytes, f.before.Bytes, WEATHER_BLOCK_SIZE), 0) << "insert " << insert;
    }
}

// The Pressure and Station lists have no layers to delete or insert; the Station list
// is never written from an edit record.
TEST(OneRecordLists, DeleteAndStationEditsChangeNothing) {
    LayerFixture f;
    f.before = f.block;
    EXPECT_FALSE(DeleteLayer(f.block, LIST_PRESSURE, 0));
    EXPECT_FALSE(DeleteLayer(f.block, LIST_STATION, 0));
    EXPECT_FALSE(InsertLayer(f.block, LIST_STATION, 0, f.record));
    EXPECT_FALSE(ReplaceLayer(f.block, LIST_STATION, 0, f.record));
    EXPECT_FALSE(ReplaceLayer(f.block, static_cast<ListKind>(6), 0, f.record));
    EXPECT_FALSE(DeleteLayer(f.block, static_cast<ListKind>(-1), 0));
    EXPECT_EQ(std::memcmp(f.block.Bytes, f.before.Bytes, WEATHER_BLOCK_SIZE), 0);
}

struct DeleteRuleCase {
    ListKind Kind;
    int32_t UpperVisibilityCount;
    int32_t Row;
    int32_t RowCount;  // closing row included
    bool Allowed;
};

TEST(DeleteRule, OnlyLayerRowsOfTheLayerLists) {
    const DeleteRuleCase cases[] = {
        {LIST_TEMPERATURE, 0, 4, 6, true},   {LIST_TEMPERATURE, 0, 5, 6, false},  // closing row
        {LIST_TEMPERATURE, 0, -1, 6, false}, {LIST_CLOUD, 0, 0, 1, false},        // only the closing row
        {LIST_CLOUD, 0, 0, 2, true},         {LIST_WINDS, 0, 23, 25, true},
        {LIST_WINDS, 0, 24, 25, false},      {LIST_VISIBILITY, 0, 0, 2, false},  // no upper layers
        {LIST_VISIBILITY, 1, 0, 3, true},    {LIST_VISIBILITY, 1, 1, 3, true},
        {LIST_VISIBILITY, 1, 2, 3, false},   {LIST_VISIBILITY, -1, 0, 3, false},  // negative count
        {LIST_VISIBILITY, 99, 0, 14, true},  {LIST_PRESSURE, 0, 0, 1, false},
        {LIST_PRESSURE, 0, 0, 5, false},     {LIST_STATION, 0, 0, 5, false},
    };
    for (const auto& c : cases) {
        WeatherBlock block{};
        StoreI32(block.Bytes + OFS_UPPER_VISIBILITY_COUNT, c.UpperVisibilityCount);
        EXPECT_EQ(DeleteAllowed(block, c.Kind, c.Row, c.RowCount), c.Allowed)
            << "list " << c.Kind << " upper " << c.UpperVisibilityCount << " row " << c.Row << " of "
            << c.RowCount;
    }
}

// Deleting the last upper visibility layer leaves nothing more to delete in that list.
TEST(DeleteRule, VisibilityStopsOnceTheUpperLayersAreGone) {
    WeatherBlock block{};
    StoreI32(block.Bytes + OFS_UPPER_VISIBILITY_COUNT, 1);
    ASSERT_TRUE(DeleteAllowed(block, LIST_VISIBILITY, 0, 3));
    ASSERT_TRUE(DeleteLayer(block, LIST_VISIBILITY, 0));
    EXPECT_FALSE(DeleteAllowed(block, LIST_VISIBILITY, 0, 2));
}

}  // namespace
