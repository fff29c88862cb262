#include "display/weather_lists.h"

#include "display/error_box.h"
#include "display/row_format.h"
#include "editing/edit_controller.h"
#include "platform/ui.h"

const ListPlace ListLayout[LIST_COUNT] = {
    {0, 91, 444, 152},    // Visibility
    {0, 0, 444, 91},      // Pressure
    {0, 243, 444, 534},   // Temperature
    {444, 0, 556, 91},    // Station
    {0, 777, 1000, 223},  // Cloud
    {444, 91, 556, 686},  // Winds
};

// Reading order of the layout: Pressure, Station, Visibility, Winds, Temperature, Cloud.
const int32_t NextListOnTab[LIST_COUNT] = {LIST_WINDS,      LIST_STATION,  LIST_CLOUD,
                                           LIST_VISIBILITY, LIST_PRESSURE, LIST_TEMPERATURE};
const int32_t PreviousListOnTab[LIST_COUNT] = {LIST_STATION,  LIST_CLOUD,       LIST_WINDS,
                                               LIST_PRESSURE, LIST_TEMPERATURE, LIST_VISIBILITY};

static int32_t PerMille(int32_t pixels, int32_t perMille) {
    // Widened so that no size a window system reports can overflow the product.
    return static_cast<int32_t>(static_cast<int64_t>(pixels) * perMille / 1000);
}

ListPlace ListPlaceInClient(int32_t kind, int32_t clientWidth, int32_t clientHeight) {
    if (kind < 0 || kind >= LIST_COUNT) return {0, 0, 0, 0};
    const ListPlace& p = ListLayout[kind];
    return {PerMille(clientWidth, p.X), PerMille(clientHeight, p.Y), PerMille(clientWidth, p.Width),
            PerMille(clientHeight, p.Height)};
}

int CreateWeatherList(WindowHandle mainWindow, int32_t kind) {
    if (kind < 0 || kind >= LIST_COUNT) return 0;
    int32_t width = 0, height = 0;
    PlatformClientSize(mainWindow, &width, &height);
    ListPlace place = ListPlaceInClient(kind, width, height);
    uint32_t lastError = 0;
    WindowHandle list =
        PlatformCreateList(mainWindow, place.X, place.Y, place.Width, place.Height, &lastError);
    WeatherLists[kind] = list;
    if (list == 0) {
        if (lastError != 0) ShowError(mainWindow, static_cast<int32_t>(lastError), "creating a list window");
        return 0;
    }
    const ListColumns& columns = LIST_COLUMNS[kind];
    for (int32_t c = 0; c < columns.Count && c < MAX_LIST_COLUMNS; c++)
        PlatformListAddColumn(list, c, columns.Columns[c].Header, columns.Columns[c].Width);
    return 1;
}

int32_t ListKindOf(WindowHandle window) {
    if (window == 0) return -1;
    for (int32_t kind = 0; kind < LIST_COUNT; kind++)
        if (WeatherLists[kind] == window) return kind;
    return -1;
}

void EditListEntry(int32_t list, int32_t action) {
    if (list < 0) {
        list = CurrentList;
        if (list < 0) return;
    }
    CurrentList = list;
    if (Busy || list >= LIST_COUNT) return;
    int row = FocusListRow(list);
    if (row < 0 || action == ACTION_SELECT) return;
    RunEditAction(list, action, row);
}

int FocusListRow(int32_t kind) {
    WindowHandle window = WeatherLists[kind];
    if (window == 0) return -1;
    int row = PlatformListFocusedRow(window);
    if (row < 0) row = 0;
    PlatformSetFocus(window);
    if (row < PlatformListRowCount(window)) PlatformListMarkRow(window, row);
    return row;
}

void FocusNextList(int32_t kind, bool backwards) {
    if (kind < 0 || kind >= LIST_COUNT) return;
    int32_t next = backwards ? PreviousListOnTab[kind] : NextListOnTab[kind];
    if (WeatherLists[next] != 0) PlatformSetFocus(WeatherLists[next]);
    EditListEntry(next, ACTION_SELECT);
}
