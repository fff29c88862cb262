// The main window's placement in the settings file "Nimbrel.ini", section
// "Settings". The file lives in the user's application-data folder under "Nimbrel";
// a file left in the Windows directory by an older version is read until the
// first save creates the new one.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/kernel.h"

extern const char* const SETTINGS_FILE_NAME;    // "Nimbrel.ini"
extern const char* const SETTINGS_FOLDER_NAME;  // "Nimbrel"
extern const char* const SETTINGS_SECTION;      // "Settings"
constexpr size_t SETTINGS_PATH_CAPACITY = 520;

// The settings file in the application-data folder, and its folder. False when unknown.
bool SettingsFilePath(char* out, size_t outSize);
bool SettingsFolderPath(char* out, size_t outSize);
// The settings file in the Windows directory. False when unknown.
bool LegacySettingsFilePath(char* out, size_t outSize);

// 1 when values holds x, y, width and height of a placement that fits the primary
// screen; 0 otherwise (values may be partly written).
int LoadWindowPlacement(int32_t values[4], const char* key);
// Stores the window's outer rectangle under key; failures are silent.
void SaveWindowPlacement(WindowHandle window, const char* key);
