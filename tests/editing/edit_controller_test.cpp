// The edit controller through its entry point: the deletion, insertion and editing
// tables, the write-back batch, the closing steps, the station outcome, the key rule
// and the two commands.
#include "editing/edit_controller.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "display/weather_lists.h"
#include "editing_fixture.h"
#include "resources/dialog_ids.h"

namespace {

constexpr int NEW_ENTRY = 99;  // the entry the dialog produced

struct ArrayShape {
    int32_t Slots;         // slots addressed as rows (Visibility: surface + 12 upper)
    uint32_t Size;         // bytes per entry
    uint32_t CountOffset;  // 0: no count
};

ArrayShape ShapeOf(int32_t list) {
    switch (list) {
        case LIST_VISIBILITY:
            return {1 + UPPER_VISIBILITY_CAPACITY, VISIBILITY_LAYER_SIZE, OFS_UPPER_VISIBILITY_COUNT};
        case LIST_PRESSURE:
            return {1, PRESSURE_RECORD_SIZE, 0};
        case LIST_TEMPERATURE:
            return {TEMPERATURE_CAPACITY, TEMPERATURE_LAYER_SIZE, OFS_TEMPERATURE_COUNT};
        case LIST_CLOUD:
            return {CLOUD_CAPACITY, CLOUD_LAYER_SIZE, OFS_CLOUD_COUNT};
        default:
            return {WIND_CAPACITY, WIND_LAYER_SIZE, OFS_WIND_COUNT};
    }
}

uint8_t* SlotOf(int32_t list, int32_t i) {
    switch (list) {
        case LIST_VISIBILITY:
            return VisibilitySlot(CurrentBlock, i);
        case LIST_PRESSURE:
            return CurrentBlock.Bytes + OFS_PRESSURE;
        case LIST_TEMPERATURE:
            return TemperatureAt(CurrentBlock, i);
        case LIST_CLOUD:
            return CloudAt(CurrentBlock, i);
        default:
            return WindAt(CurrentBlock, i);
    }
}

// Entry ids: entry id carries the byte id, then 0x80 + i at offset i; no byte is 0.
uint8_t PatternByte(int id, uint32_t i) { return static_cast<uint8_t>(i == 0 ? id : 0x80 + i); }

void StoreEntry(int32_t list, int32_t slot, int id) {
    uint8_t* p = SlotOf(list, slot);
    for (uint32_t i = 0; i < ShapeOf(list).Size; i++) p[i] = PatternByte(id, i);
}

// 0 for a zeroed slot, NEW_ENTRY for the EditRecord, the id of a pattern, -1 otherwise.
int EntryId(int32_t list, int32_t slot) {
    const uint8_t* p = SlotOf(list, slot);
    uint32_t size = ShapeOf(list).Size;
    bool zero = true;
    for (uint32_t i = 0; i < size; i++) zero = zero && p[i] == 0;
    if (zero) return 0;
    if (std::memcmp(p, EditRecord, size) == 0) return NEW_ENTRY;
    int id = p[0];
    for (uint32_t i = 0; i < size; i++)
        if (p[i] != PatternByte(id, i)) return -1;
    return id;
}

// Reserved and unshown bytes of the block, which must travel back exactly as read.
void FillUnshownBytes() {
    for (uint32_t i = 0; i < 8; i++) CurrentBlock.Bytes[OFS_HEADER + i] = static_cast<uint8_t>(0xE0 + i);
    std::memcpy(CurrentBlock.Bytes + OFS_ICAO, "GLOB", 4);
    for (uint32_t i = 0; i < 4; i++) CurrentBlock.Bytes[OFS_RESERVED12 + i] = static_cast<uint8_t>(0xA0 + i);
    for (uint32_t i = 0; i < 12; i++)
        CurrentBlock.Bytes[OFS_RESERVED896 + i] = static_cast<uint8_t>(0xB0 + i);
    for (uint32_t i = 0; i < 16; i++)
        CurrentBlock.Bytes[OFS_RESERVED1008 + i] = static_cast<uint8_t>(0xC0 + i);
    StoreU32(CurrentBlock.Bytes + OFS_TIMESTAMP, 0x11223344);
}

// Lays out count entries 1..count (Visibility: the surface layer is 1, upper k is k + 2).
void LayOut(int32_t list, int32_t count) {
    if (list == LIST_PRESSURE) {
        StoreEntry(list, 0, 1);
        return;
    }
    int32_t filled = list == LIST_VISIBILITY ? count + 1 : count;
    for (int32_t i = 0; i < filled; i++) StoreEntry(list, i, i + 1);
    SetCount(ShapeOf(list).CountOffset, count);
}

// A field typed into each layer dialog, so that the record differs from every pattern.
std::vector<int32_t> FirstFieldOf(int32_t list) {
    switch (list) {
        case LIST_VISIBILITY:
            return {IDC_VIS_LOWER_ALTITUDE};
        case LIST_PRESSURE:
            return {IDC_PRS_QNH};
        case LIST_TEMPERATURE:
            return {IDC_TMP_ALTITUDE};
        case LIST_CLOUD:
            return {IDC_CLD_LOWER_ALTITUDE};
        default:
            return {IDC_WND_UPPER_ALTITUDE};
    }
}

struct ArrayCase {
    const char* Name;
    int32_t List;
    int32_t Action;
    int32_t Count;  // layer count (Visibility: upper layers)
    int Row;
    std::vector<int> Expected;  // ids of the first slots after the action; the rest are zero
    int32_t ExpectedCount;
    bool WrittenBack;
};

class EditArrayTest : public EditingTest, public ::testing::WithParamInterface<ArrayCase> {};

TEST_P(EditArrayTest, ChangesTheBlockAndWritesItBack) {
    const ArrayCase& c = GetParam();
    FillUnshownBytes();
    LayOut(c.List, c.Count);
    FillListsFromBlock();
    SelectRow(c.List, c.Row);
    const WeatherBlock before = CurrentBlock;
    Fake.MessageBoxResult = PLATFORM_IDYES;
    FakeDialog.Result = PLATFORM_DIALOG_OK;
    std::vector<Typed> typed;
    for (int32_t id : FirstFieldOf(c.List)) typed.push_back({id, "1000"});
    TypeOnOpen(typed);
    LastStamp = 777;
    const int sendsBefore = FakeKernel.Sends;

    EditListEntry(c.List, c.Action);

    const ArrayShape shape = ShapeOf(c.List);
    for (int32_t i = 0; i < shape.Slots; i++) {
        int expected = i < static_cast<int32_t>(c.Expected.size()) ? c.Expected[i] : 0;
        EXPECT_EQ(expected, EntryId(c.List, i)) << "slot " << i;
    }
    if (shape.CountOffset) {
        EXPECT_EQ(c.ExpectedCount, BlockRawCount(CurrentBlock, shape.CountOffset));
    }
    // Nothing outside the edited array and its count changed.
    for (uint32_t at = 0; at < WEATHER_BLOCK_SIZE; at++) {
        bool inArray = at >= static_cast<uint32_t>(SlotOf(c.List, 0) - CurrentBlock.Bytes) &&
                       at < static_cast<uint32_t>(SlotOf(c.List, 0) - CurrentBlock.Bytes) +
                                (c.List == LIST_VISIBILITY ? 8u : shape.Slots * shape.Size);
        bool inUpper =
            c.List == LIST_VISIBILITY && at >= OFS_UPPER_VISIBILITY_COUNT &&
            at < OFS_UPPER_VISIBILITY_COUNT + 4 + UPPER_VISIBILITY_CAPACITY * VISIBILITY_LAYER_SIZE;
        bool inCount = shape.CountOffset && at >= shape.CountOffset && at < shape.CountOffset + 4;
        if (!inArray && !inUpper && !inCount) {
            ASSERT_EQ(before.Bytes[at], CurrentBlock.Bytes[at]) << "byte " << at;
        }
    }

    EXPECT_EQ(1, FakeKernel.Sends - sendsBefore);  // one exchange, in the closing steps
    if (c.WrittenBack) {
        ASSERT_EQ(2u, Writes.size());
        EXPECT_EQ(AREA_WEATHER_BODY, Writes[0].Offset);
        // The whole body as it now stands, header excluded, reserved bytes as read.
        EXPECT_EQ(std::vector<uint8_t>(CurrentBlock.Bytes + WEATHER_BODY_OFFSET,
                                       CurrentBlock.Bytes + WEATHER_BLOCK_SIZE),
                  Writes[0].Bytes);
        EXPECT_EQ(AREA_WEATHER_COMMAND, Writes[1].Offset);
        EXPECT_EQ((std::vector<uint8_t>{COMMAND_WRITE_BACK, 0}), Writes[1].Bytes);
        EXPECT_EQ(0u, LastStamp);
    } else {
        EXPECT_TRUE(Writes.empty());
        EXPECT_EQ(777u, LastStamp);
    }
    EXPECT_FALSE(Busy);
    EXPECT_EQ(WeatherLists[c.List], Fake.Focus);
}

const ArrayCase DELETIONS[] = {
    {"VisibilitySurfaceOfTwo", LIST_VISIBILITY, ACTION_DELETE, 2, 0, {2, 3, 0}, 1, true},
    {"VisibilitySurfaceOfOne", LIST_VISIBILITY, ACTION_DELETE, 1, 0, {2, 0}, 0, true},
    {"VisibilityUpperMiddle", LIST_VISIBILITY, ACTION_DELETE, 3, 1, {1, 3, 4, 0}, 2, true},
    {"VisibilityLastUpper", LIST_VISIBILITY, ACTION_DELETE, 3, 3, {1, 2, 3, 0}, 2, true},
    {"VisibilityWithoutUpper", LIST_VISIBILITY, ACTION_DELETE, 0, 0, {1}, 0, false},
    {"VisibilityClosingRow", LIST_VISIBILITY, ACTION_DELETE, 2, 3, {1, 2, 3}, 2, false},
    {"TemperatureLast", LIST_TEMPERATURE, ACTION_DELETE, 5, 4, {1, 2, 3, 4, 0}, 4, true},
    {"TemperatureFirst", LIST_TEMPERATURE, ACTION_DELETE, 5, 0, {2, 3, 4, 5, 0}, 4, true},
    {"TemperatureClosingRow", LIST_TEMPERATURE, ACTION_DELETE, 5, 5, {1, 2, 3, 4, 5}, 5, false},
    {"CloudMiddle", LIST_CLOUD, ACTION_DELETE, 3, 1, {1, 3, 0}, 2, true},
    {"WindsFirstOfTwo", LIST_WINDS, ACTION_DELETE, 2, 0, {2, 0}, 1, true},
    {"PressureNever", LIST_PRESSURE, ACTION_DELETE, 1, 0, {1}, 0, false},
};

const ArrayCase INSERTIONS[] = {
    {"VisibilitySurfaceWithoutUpper", LIST_VISIBILITY, ACTION_INSERT, 0, 0, {NEW_ENTRY, 1}, 1, true},
    {"VisibilitySurface", LIST_VISIBILITY, ACTION_INSERT, 2, 0, {NEW_ENTRY, 1, 2, 3}, 3, true},
    {"VisibilityUpper", LIST_VISIBILITY, ACTION_INSERT, 2, 1, {1, NEW_ENTRY, 2, 3}, 3, true},
    {"VisibilityAppend", LIST_VISIBILITY, ACTION_INSERT, 2, 3, {1, 2, 3, NEW_ENTRY}, 3, true},
    {"VisibilityFull",
     LIST_VISIBILITY,
     ACTION_INSERT,
     12,
     1,
     {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13},
     12,
     true},
    {"TemperatureFirst", LIST_TEMPERATURE, ACTION_INSERT, 3, 0, {NEW_ENTRY, 1, 2, 3}, 4, true},
    {"TemperatureAppend", LIST_TEMPERATURE, ACTION_INSERT, 3, 3, {1, 2, 3, NEW_ENTRY}, 4, true},
    {"TemperatureFull",
     LIST_TEMPERATURE,
     ACTION_INSERT,
     24,
     0,
     {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24},
     24,
     true},
    {"CloudMiddle", LIST_CLOUD, ACTION_INSERT, 2, 1, {1, NEW_ENTRY, 2}, 3, true},
    {"CloudFull",
     LIST_CLOUD,
     ACTION_INSERT,
     16,
     5,
     {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16},
     16,
     true},
    {"WindsAppend", LIST_WINDS, ACTION_INSERT, 1, 1, {1, NEW_ENTRY}, 2, true},
    {"WindsFull",
     LIST_WINDS,
     ACTION_INSERT,
     24,
     3,
     {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24},
     24,
     true},
    {"PressureActsAsEdit", LIST_PRESSURE, ACTION_INSERT, 1, 0, {NEW_ENTRY}, 0, true},
};

const ArrayCase EDITS[] = {
    {"VisibilitySurface", LIST_VISIBILITY, ACTION_EDIT, 2, 0, {NEW_ENTRY, 2, 3}, 2, true},
    {"VisibilityLastUpper", LIST_VISIBILITY, ACTION_EDIT, 2, 2, {1, 2, NEW_ENTRY}, 2, true},
    {"VisibilityClosingRow", LIST_VISIBILITY, ACTION_EDIT, 2, 3, {1, 2, 3}, 2, true},
    {"TemperatureMiddle", LIST_TEMPERATURE, ACTION_EDIT, 3, 1, {1, NEW_ENTRY, 3}, 3, true},
    {"TemperatureClosingRow", LIST_TEMPERATURE, ACTION_EDIT, 3, 3, {1, 2, 3}, 3, true},
    {"CloudFirst", LIST_CLOUD, ACTION_EDIT, 2, 0, {NEW_ENTRY, 2}, 2, true},
    {"WindsSecond", LIST_WINDS, ACTION_EDIT, 2, 1, {1, NEW_ENTRY}, 2, true},
    {"Pressure", LIST_PRESSURE, ACTION_EDIT, 1, 0, {NEW_ENTRY}, 0, true},
};

std::string CaseName(const ::testing::TestParamInfo<ArrayCase>& info) { return info.param.Name; }

INSTANTIATE_TEST_SUITE_P(Deletion, EditArrayTest, ::testing::ValuesIn(DELETIONS), CaseName);
INSTANTIATE_TEST_SUITE_P(Insertion, EditArrayTest, ::testing::ValuesIn(INSERTIONS), CaseName);
INSTANTIATE_TEST_SUITE_P(Editing, EditArrayTest, ::testing::ValuesIn(EDITS), CaseName);

using EditControllerTest = EditingTest;

TEST_F(EditControllerTest, DeleteAsksOnceOverTheMainWindowAndNoKeepsTheBlock) {
    LayOut(LIST_TEMPERATURE, 3);
    FillListsFromBlock();
    SelectRow(LIST_TEMPERATURE, 1);
    const WeatherBlock before = CurrentBlock;
    Fake.MessageBoxResult = 7;  // No
    LastStamp = 5;

    EditListEntry(LIST_TEMPERATURE, ACTION_DELETE);

    ASSERT_EQ(1u, Fake.MessageBoxes.size());
    EXPECT_EQ(MAIN_WINDOW, Fake.MessageBoxes[0].Owner);
    EXPECT_EQ("Delete selected entry?", Fake.MessageBoxes[0].Text);
    EXPECT_EQ("Confirm delete!", Fake.MessageBoxes[0].Title);
    EXPECT_EQ(PLATFORM_MB_YESNO | PLATFORM_MB_ICONQUESTION, Fake.MessageBoxes[0].Style);
    EXPECT_EQ(0, std::memcmp(before.Bytes, CurrentBlock.Bytes, WEATHER_BLOCK_SIZE));
    EXPECT_TRUE(Writes.empty());
    EXPECT_EQ(5u, LastStamp);
    EXPECT_TRUE(FakeDialog.Runs.empty());
}

TEST_F(EditControllerTest, RefusedDeleteShowsNoBox) {
    LayOut(LIST_TEMPERATURE, 3);
    FillListsFromBlock();
    SelectRow(LIST_TEMPERATURE, 3);  // the closing row
    EditListEntry(LIST_TEMPERATURE, ACTION_DELETE);
    EXPECT_TRUE(Fake.MessageBoxes.empty());
}

// Cancel, and a dialog that could not be shown, apply nothing; the closing steps run.
TEST_F(EditControllerTest, DialogWithoutOkAppliesNothingAndStillCloses) {
    struct Case {
        int Result;
        bool AutoRefreshOn;
    };
    const Case cases[] = {{PLATFORM_DIALOG_CANCEL, true},
                          {PLATFORM_DIALOG_CANCEL, false},
                          {PLATFORM_DIALOG_NOT_SHOWN, true},
                          {PLATFORM_DIALOG_NOT_SHOWN, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "result " << c.Result << " autorefresh " << c.AutoRefreshOn);
        SetUp();
        LayOut(LIST_WINDS, 2);
        FillListsFromBlock();
        SelectRow(LIST_WINDS, 1);
        // A stale record from an earlier OK must not reach the block.
        std::memset(EditRecord, 0x5A, sizeof EditRecord);
        const WeatherBlock before = CurrentBlock;
        AutoRefresh = c.AutoRefreshOn;
        LastStamp = 9;
        FakeDialog.Result = c.Result;
        const int sendsBefore = FakeKernel.Sends;

        EditListEntry(LIST_WINDS, ACTION_EDIT);

        EXPECT_EQ(0, std::memcmp(before.Bytes, CurrentBlock.Bytes, WEATHER_BLOCK_SIZE));
        EXPECT_TRUE(Writes.empty());
        EXPECT_EQ(9u, LastStamp);
        EXPECT_EQ(1, FakeKernel.Sends - sendsBefore);  // the empty batch
        const FakeUi::Timer* due = FakeTimer(MAIN_WINDOW, TIMER_REFRESH_DUE);
        if (c.AutoRefreshOn) {
            EXPECT_EQ(nullptr, due);
        } else {
            ASSERT_NE(nullptr, due);
            EXPECT_TRUE(due->Running);
            EXPECT_EQ(2000u, due->PeriodMs);
        }
        EXPECT_FALSE(Busy);
        EXPECT_EQ(WeatherLists[LIST_WINDS], Fake.Focus);
        EXPECT_EQ(1, FakeListOf(WeatherLists[LIST_WINDS])->SelectedRow);
        TearDown();
    }
}

TEST_F(EditControllerTest, DialogRunsOverTheFollowingListWithTheEditInputs) {
    struct Case {
        int32_t List;
        const char* Template;
        WindowHandle PlaceBy;
    };
    const Case cases[] = {
        {LIST_VISIBILITY, "VISEDIT", 2}, {LIST_PRESSURE, "PRSEDIT", 3}, {LIST_TEMPERATURE, "TMPEDIT", 4},
        {LIST_STATION, "STNEDIT", 5},    {LIST_CLOUD, "CLDEDIT", 6},    {LIST_WINDS, "WNDEDIT", MAIN_WINDOW},
    };
    LayOut(LIST_TEMPERATURE, 2);
    LayOut(LIST_CLOUD, 2);
    LayOut(LIST_WINDS, 2);
    LayOut(LIST_VISIBILITY, 1);
    FillListsFromBlock();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Template);
        SelectRow(c.List, 1 % FakeListOf(WeatherLists[c.List])->Rows.size());
        bool busyDuringDialog = false;
        FakeDialog.Typing = [](FakeDialogState&, void* seen) { *static_cast<bool*>(seen) = Busy; };
        FakeDialog.TypingContext = &busyDuringDialog;
        FakeDialog.Runs.clear();
        EditListEntry(c.List, ACTION_EDIT);
        ASSERT_EQ(1u, FakeDialog.Runs.size());
        EXPECT_EQ(c.Template, FakeDialog.Runs[0].TemplateName);
        EXPECT_EQ(MAIN_WINDOW, FakeDialog.Runs[0].Owner);
        EXPECT_EQ(c.PlaceBy, FakeDialog.Runs[0].PlaceBy);
        EXPECT_EQ(c.List, EditedList);
        EXPECT_EQ(FakeListOf(WeatherLists[c.List])->FocusedRow, EditedRow);
        EXPECT_FALSE(InsertFlag);
        EXPECT_TRUE(busyDuringDialog);
    }
}

TEST_F(EditControllerTest, InsertFlagFollowsTheActionAndStaysAfterTheDialog) {
    LayOut(LIST_CLOUD, 1);
    FillListsFromBlock();
    EditListEntry(LIST_CLOUD, ACTION_INSERT);
    EXPECT_TRUE(InsertFlag);
    EXPECT_EQ("Insert Cloud Layer", FakeDialog.Runs.back().OpenedCaption);
    EditListEntry(LIST_PRESSURE, ACTION_INSERT);
    EXPECT_FALSE(InsertFlag);
    EXPECT_EQ("Edit Pressure (QNH) Settings", FakeDialog.Runs.back().OpenedCaption);
    EXPECT_FALSE(FakeDialog.Runs.back().OpenedFields[IDC_PRS_QNH].empty());
    InsertFlag = true;
    Fake.MessageBoxResult = 7;
    EditListEntry(LIST_CLOUD, ACTION_DELETE);
    EXPECT_FALSE(InsertFlag);
}

TEST_F(EditControllerTest, BusyStopsEveryAction) {
    LayOut(LIST_TEMPERATURE, 2);
    FillListsFromBlock();
    Busy = true;
    const int sendsBefore = FakeKernel.Sends;
    for (int32_t action : {ACTION_EDIT, ACTION_INSERT, ACTION_DELETE})
        EditListEntry(LIST_TEMPERATURE, action);
    EXPECT_TRUE(FakeDialog.Runs.empty());
    EXPECT_TRUE(Fake.MessageBoxes.empty());
    EXPECT_EQ(sendsBefore, FakeKernel.Sends);
    EXPECT_EQ(LIST_TEMPERATURE, CurrentList);
}

struct StationCase {
    const char* Name;
    const char* Station;
    const char* Latitude;
    const char* Longitude;
    WeatherMode Mode;
    uint8_t Icao[4];
    size_t StationRequests;
    size_t RunwayRequests;
};

class StationOutcomeTest : public EditingTest, public ::testing::WithParamInterface<StationCase> {};

TEST_P(StationOutcomeTest, SetsTheModeAndSendsTheRequests) {
    const StationCase& c = GetParam();
    std::memcpy(Request.Bytes + SRQ_ICAO, "WXYZ", 4);  // the previous request
    StoreU32(Request.Bytes + SRQ_RESERVED, 0xFFFFFFFF);
    FillListsFromBlock();
    CurrentMode = MODE_NO_WEATHER;
    LastStamp = 3;
    FakeDialog.Result = PLATFORM_DIALOG_OK;
    TypeOnOpen({{IDC_STN_ICAO, c.Station}, {IDC_STN_LATITUDE, c.Latitude}, {IDC_STN_LONGITUDE, c.Longitude}});
    const WeatherBlock before = CurrentBlock;
    const int sendsBefore = FakeKernel.Sends;

    EditListEntry(LIST_STATION, ACTION_EDIT);

    EXPECT_EQ(c.Mode, CurrentMode);
    EXPECT_EQ(0u, LastStamp);
    EXPECT_EQ(0, std::memcmp(c.Icao, Request.Bytes + SRQ_ICAO, 4));
    EXPECT_EQ(0u, LoadU32(Request.Bytes + SRQ_RESERVED));
    EXPECT_EQ(c.StationRequests, WritesAt(AREA_STATION_REQUEST).size());
    EXPECT_EQ(c.RunwayRequests, WritesAt(AREA_RUNWAY_REQUEST).size());
    EXPECT_TRUE(WritesAt(AREA_WEATHER_BODY).empty());
    EXPECT_TRUE(WritesAt(AREA_WEATHER_COMMAND).empty());
    EXPECT_EQ(0, std::memcmp(before.Bytes, CurrentBlock.Bytes, WEATHER_BLOCK_SIZE));
    EXPECT_EQ(1, FakeKernel.Sends - sendsBefore);
    if (c.StationRequests) {
        EXPECT_EQ(std::vector<uint8_t>(Request.Bytes, Request.Bytes + STATION_REQUEST_SIZE),
                  WritesAt(AREA_STATION_REQUEST)[0].Bytes);
    }
}

const StationCase STATION_CASES[] = {
    {"Global", "GLOB", "", "", MODE_GLOBAL, {'G', 'L', 'O', 'B'}, 1, 0},
    {"Station", "EGLL", "", "", MODE_STATION, {'E', 'G', 'L', 'L'}, 1, 1},
    {"ShortStationLeavesNoStaleBytes", "AB", "", "", MODE_STATION, {'A', 'B', 0, 0}, 1, 1},
    {"Aircraft", "", "", "", MODE_AIRCRAFT, {0, 0, 0, 0}, 0, 0},
    {"Location", "", "N53 21.45", "W002 04.32", MODE_LOCATION, {' ', ' ', ' ', ' '}, 1, 0},
    {"LocationOverStation", "EGLL", "N53 21.45", "W002 04.32", MODE_LOCATION, {' ', ' ', ' ', ' '}, 1, 0},
    {"HalfPositionKeepsStation", "EGLL", "N53 21.45", "", MODE_STATION, {'E', 'G', 'L', 'L'}, 1, 1},
    {"HalfPositionWithoutStation", "", "", "W002 04.32", MODE_AIRCRAFT, {0, 0, 0, 0}, 0, 0},
};

INSTANTIATE_TEST_SUITE_P(Outcomes, StationOutcomeTest, ::testing::ValuesIn(STATION_CASES),
                         [](const ::testing::TestParamInfo<StationCase>& info) { return info.param.Name; });

TEST_F(EditControllerTest, KeyRuleByModeListAndKey) {
    struct ModeCase {
        WeatherMode Mode;
        const char* BlockIcao;
        bool Editable;
    };
    const ModeCase modes[] = {
        {MODE_NO_WEATHER, "GLOB", false},    {MODE_GLOBAL, "EGLL", true},    {MODE_STATION, "EGLL", true},
        {MODE_AIRCRAFT, "GLOB", true},       {MODE_AIRCRAFT, "EGLL", false}, {MODE_AIRCRAFT, "GLO", false},
        {MODE_NOT_CONNECTED, "GLOB", false}, {MODE_LOCATION, "GLOB", false},
    };
    const int32_t enter = 13, insert = 45, del = 46;
    for (const ModeCase& m : modes) {
        CurrentMode = m.Mode;
        std::memset(CurrentBlock.Bytes + OFS_ICAO, 0, 4);
        std::memcpy(CurrentBlock.Bytes + OFS_ICAO, m.BlockIcao, std::strlen(m.BlockIcao));
        for (int32_t list = 0; list < LIST_COUNT; list++) {
            SCOPED_TRACE(testing::Message()
                         << "mode " << m.Mode << " icao " << m.BlockIcao << " list " << list);
            if (list == LIST_STATION) {
                EXPECT_EQ(ACTION_EDIT, EditActionForKey(list, enter));
                EXPECT_EQ(-1, EditActionForKey(list, insert));
                EXPECT_EQ(-1, EditActionForKey(list, del));
            } else {
                EXPECT_EQ(m.Editable ? ACTION_EDIT : -1, EditActionForKey(list, enter));
                EXPECT_EQ(m.Editable ? ACTION_INSERT : -1, EditActionForKey(list, insert));
                EXPECT_EQ(m.Editable ? ACTION_DELETE : -1, EditActionForKey(list, del));
            }
            EXPECT_EQ(-1, EditActionForKey(list, 9));   // Tab is the window's
            EXPECT_EQ(-1, EditActionForKey(list, 32));  // Space
        }
    }
    CurrentMode = MODE_GLOBAL;
    EXPECT_EQ(-1, EditActionForKey(-1, enter));
    EXPECT_EQ(-1, EditActionForKey(LIST_COUNT, enter));
}

TEST_F(EditControllerTest, ClearAllAndGlobalSendOneBatch) {
    struct Case {
        void (*Send)();
        uint8_t Command;
    };
    const Case cases[] = {{SendClearAll, COMMAND_CLEAR_ALL}, {SendGlobal, COMMAND_GLOBAL}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Command);
        Writes.clear();
        LastStamp = 12;
        const int sendsBefore = FakeKernel.Sends;
        c.Send();
        EXPECT_EQ(1, FakeKernel.Sends - sendsBefore);
        ASSERT_EQ(3u, Writes.size());
        EXPECT_EQ(AREA_WEATHER_COMMAND, Writes[0].Offset);
        EXPECT_EQ((std::vector<uint8_t>{c.Command, 0}), Writes[0].Bytes);
        EXPECT_EQ(AREA_COMMAND_WORD, Writes[1].Offset);
        EXPECT_EQ((std::vector<uint8_t>{0, 0}), Writes[1].Bytes);
        EXPECT_EQ(AREA_WEATHER_COMMAND, Writes[2].Offset);
        EXPECT_EQ((std::vector<uint8_t>{COMMAND_FINISH, 0}), Writes[2].Bytes);
        EXPECT_EQ(0u, LastStamp);
        EXPECT_FALSE(Busy);
        EXPECT_EQ(nullptr, FakeTimer(MAIN_WINDOW, TIMER_REFRESH_DUE));
        EXPECT_TRUE(Fake.FocusLog.empty());
    }
}

TEST_F(EditControllerTest, CommandsWhileBusyAreIgnored) {
    Busy = true;
    LastStamp = 12;
    const int sendsBefore = FakeKernel.Sends;
    SendClearAll();
    SendGlobal();
    EXPECT_EQ(sendsBefore, FakeKernel.Sends);
    EXPECT_TRUE(Writes.empty());
    EXPECT_EQ(12u, LastStamp);
    EXPECT_TRUE(Busy);
}

}  // namespace
