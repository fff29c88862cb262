#include "display/refresh.h"

#include <cstdio>
#include <cstring>

#include "display/app_state.h"
#include "display/main_window.h"
#include "display/row_format.h"
#include "display/weather_lists.h"
#include "link/request_batch.h"
#include "platform/ui.h"

WeatherBlock PreviousBlock = {};
uint8_t PreviousRunwayCodes[RUNWAY_CODES_SIZE] = {};

const char* const MODE_TEXTS[6] = {
    "No weather to show!",       "Global weather",           "Local weather at station",
    "Local weather at aircraft", "Not connected to Vorlink", "Local weather at location",
};

static char Title[128];
// Layer rows each list was last built with; 0 also for a list holding only its row 0.
static int32_t ShownLayerRows[LIST_COUNT];
// The last rebuild was the not-connected one: the lists hold only their row 0.
static bool ListsShowNotConnected = false;

void ResetRefreshState() {
    PreviousBlock = {};
    std::memset(PreviousRunwayCodes, 0, sizeof PreviousRunwayCodes);
    std::memset(ShownLayerRows, 0, sizeof ShownLayerRows);
    ListsShowNotConnected = false;
    Title[0] = 0;
}

const char* CurrentTitle() { return Title; }

void UpdateTitle() {
    const uint8_t* icao = CurrentBlock.Bytes + OFS_ICAO;
    int32_t mode = CurrentMode;
    const char* modeText = mode >= 0 && mode < 6 ? MODE_TEXTS[mode] : "";
    size_t base = static_cast<size_t>(BaseTitleLength);
    if (base >= sizeof Title) base = 0;
    std::memcpy(Title, BASE_TITLE, base);
    char* tail = Title + base;
    size_t room = sizeof Title - base;
    if (mode == MODE_STATION && icao[0] != 0) {
        char icaoText[5];
        std::memcpy(icaoText, icao, 4);
        icaoText[4] = 0;  // "%.4s" stops at a 0 byte or after four characters
        std::snprintf(tail, room, ": %s%s  ICAO=%.4s", modeText, "", icaoText);
    } else if (mode == MODE_AIRCRAFT && std::memcmp(icao, "GLOB", 4) == 0) {
        std::snprintf(tail, room, ": %s%s", modeText, " (GLOBAL)");
    } else {
        std::snprintf(tail, room, ": %s%s", modeText, "");
    }
    PlatformSetWindowTitle(MainWindow, Title);
}

struct ByteRange {
    uint32_t Begin;
    uint32_t End;  // one past the last byte
};

// The bytes whose equality with the snapshot keeps a list as it is.
static bool ListUnchanged(int32_t kind) {
    static const ByteRange ranges[LIST_COUNT][2] = {
        {{OFS_BASE_VISIBILITY, OFS_BASE_VISIBILITY + VISIBILITY_LAYER_SIZE},
         {OFS_UPPER_VISIBILITIES, OFS_RESERVED1008}},
        {{OFS_PRESSURE, OFS_PRESSURE + PRESSURE_RECORD_SIZE}, {0, 0}},
        {{OFS_TEMPERATURES, OFS_WIND_COUNT}, {0, 0}},
        {{OFS_ICAO, OFS_TIMESTAMP}, {0, 0}},
        {{OFS_CLOUDS, OFS_RESERVED896}, {0, 0}},
        {{OFS_WINDS, OFS_CLOUD_COUNT}, {0, 0}},
    };
    for (const ByteRange& r : ranges[kind])
        if (std::memcmp(CurrentBlock.Bytes + r.Begin, PreviousBlock.Bytes + r.Begin, r.End - r.Begin) != 0)
            return false;
    if (kind == LIST_STATION &&
        std::memcmp(Runways.Bytes + RWY_DEPARTURE, PreviousRunwayCodes, RUNWAY_CODES_SIZE) != 0)
        return false;
    return true;
}

static void AddNumberedRow(WindowHandle list, int32_t number) {
    char text[CELL_TEXT_SIZE];
    if (FormatRowNumber(number, text, sizeof text)) PlatformListAddRow(list, text);
}

static void RebuildList(int32_t kind, bool connected) {
    WindowHandle list = WeatherLists[kind];
    if (list == 0) return;
    int32_t rows = connected ? ListLayerRows(CurrentBlock, static_cast<ListKind>(kind)) : 0;
    if (rows <= 0) {
        PlatformListDeleteAllRows(list);
        AddNumberedRow(list, 0);
        ShownLayerRows[kind] = 0;
        return;
    }
    // A list that shows no layer is rebuilt whatever the snapshot says, so it never
    // stays empty while the module has weather for it.
    if (ShownLayerRows[kind] > 0 && ListUnchanged(kind)) return;

    PlatformListHoldRedraw(list, true);
    PlatformListDeleteAllRows(list);
    const ListColumns& columns = LIST_COLUMNS[kind];
    char text[CELL_TEXT_SIZE];
    for (int32_t i = 0; i < rows; i++) {
        if (!FormatRowNumber(i, text, sizeof text)) continue;
        int row = PlatformListAddRow(list, text);
        if (row < 0) continue;
        for (int32_t column = 1; column < columns.Count; column++)
            if (FormatCell(CurrentBlock, Runways, Request, static_cast<ListKind>(kind), i, column, text,
                           sizeof text))
                PlatformListSetCell(list, row, column, text);
    }
    if (kind != LIST_PRESSURE && kind != LIST_STATION) AddNumberedRow(list, rows);
    PlatformListHoldRedraw(list, false);
    ShownLayerRows[kind] = rows;
}

int RefreshWeather() {
    int32_t rememberedList = CurrentList;
    if (Busy) return 0;
    Busy = true;
    if (!CommandsEnabled) {
        EnableWeatherCommands(MainWindow, true);
        CommandsEnabled = true;
    }
    QueueRefreshRequests(CurrentMode);
    bool connected = LinkProcess() != 0;
    uint32_t stamp = LoadU32(CurrentBlock.Bytes + OFS_TIMESTAMP);
    CurrentMode = !connected ? MODE_NOT_CONNECTED : stamp == 0 ? MODE_NO_WEATHER : SourceMode;
    UpdateTitle();
    // After a not-connected rebuild the lists hold only row 0: the first connected
    // refresh rebuilds them whatever the stamp says.
    if (connected && !ListsShowNotConnected && LastStamp != 0 && LastStamp == stamp) {
        Busy = false;
        return 0;
    }

    for (int32_t kind = 0; kind < LIST_COUNT; kind++) {
        RebuildList(kind, connected);
        EditListEntry(kind, ACTION_SELECT);  // only records the list while Busy
    }
    PreviousBlock = CurrentBlock;
    LastStamp = stamp;
    std::memcpy(PreviousRunwayCodes, Runways.Bytes + RWY_DEPARTURE, RUNWAY_CODES_SIZE);
    ListsShowNotConnected = !connected;

    Busy = false;
    CurrentList = rememberedList;
    if (rememberedList >= 0 && rememberedList < LIST_COUNT) FocusListRow(rememberedList);
    UpdateTitle();
    return 1;
}
