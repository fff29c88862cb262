// The refresh cycle: read the weather of the current source, decide the mode, set
// the title and rebuild the lists whose data changed.
#pragma once

#include <cstddef>
#include <cstdint>

#include "weather/exchange.h"
#include "weather/weather_block.h"

extern WeatherBlock PreviousBlock;                      // the block last shown
extern uint8_t PreviousRunwayCodes[RUNWAY_CODES_SIZE];  // its runway codes

extern const char* const MODE_TEXTS[6];  // indexed by WeatherMode

// 1 when the lists were rebuilt (also to the not-connected state); 0 when Busy was set
// or the module brought the TimeStamp already shown.
int RefreshWeather();
// Sets the main window's title from CurrentMode and the block.
void UpdateTitle();
// The title as UpdateTitle sets it.
const char* CurrentTitle();

// Back to the state at start (tests).
void ResetRefreshState();
