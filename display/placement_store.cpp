#include "display/placement_store.h"

#include <cstdio>

#include "display/placement.h"
#include "platform/ui.h"

const char* const SETTINGS_FILE_NAME = "Nimbrel.ini";
const char* const SETTINGS_FOLDER_NAME = "Nimbrel";
const char* const SETTINGS_SECTION = "Settings";

static bool JoinPath(char* out, size_t outSize, const char* directory, const char* name) {
    int n = std::snprintf(out, outSize, "%s\\%s", directory, name);
    return n > 0 && static_cast<size_t>(n) < outSize;
}

bool SettingsFolderPath(char* out, size_t outSize) {
    char appData[SETTINGS_PATH_CAPACITY];
    if (!PlatformAppDataDirectory(appData, sizeof appData)) return false;
    return JoinPath(out, outSize, appData, SETTINGS_FOLDER_NAME);
}

bool SettingsFilePath(char* out, size_t outSize) {
    char folder[SETTINGS_PATH_CAPACITY];
    return SettingsFolderPath(folder, sizeof folder) && JoinPath(out, outSize, folder, SETTINGS_FILE_NAME);
}

bool LegacySettingsFilePath(char* out, size_t outSize) {
    char windows[SETTINGS_PATH_CAPACITY];
    return PlatformWindowsDirectory(windows, sizeof windows) &&
           JoinPath(out, outSize, windows, SETTINGS_FILE_NAME);
}

int LoadWindowPlacement(int32_t values[4], const char* key) {
    char path[SETTINGS_PATH_CAPACITY];
    bool found = SettingsFilePath(path, sizeof path) && PlatformFileExists(path);
    if (!found && !LegacySettingsFilePath(path, sizeof path)) return 0;
    char value[PLACEMENT_VALUE_CAPACITY];
    PlatformReadProfileString(path, SETTINGS_SECTION, key, value, sizeof value);
    if (!ParsePlacementValue(value, values)) return 0;
    int32_t screenWidth = 0, screenHeight = 0;
    PlatformScreenSize(&screenWidth, &screenHeight);
    return PlacementFitsScreen(values, screenWidth, screenHeight);
}

void SaveWindowPlacement(WindowHandle window, const char* key) {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    if (!PlatformWindowRect(window, &left, &top, &right, &bottom)) return;
    char value[PLACEMENT_VALUE_CAPACITY];
    // The sizes are taken in 64 bits: a rectangle from the system is not trusted to be sane.
    const int32_t width = static_cast<int32_t>(int64_t{right} - left);
    const int32_t height = static_cast<int32_t>(int64_t{bottom} - top);
    if (!FormatPlacementValue(value, sizeof value, left, top, width, height)) return;
    char folder[SETTINGS_PATH_CAPACITY], path[SETTINGS_PATH_CAPACITY];
    if (!SettingsFolderPath(folder, sizeof folder) || !SettingsFilePath(path, sizeof path)) return;
    if (!PlatformEnsureDirectory(folder)) return;
    PlatformWriteProfileString(path, SETTINGS_SECTION, key, value);
}
