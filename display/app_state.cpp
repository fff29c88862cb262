#include "display/app_state.h"

WindowHandle MainWindow = 0;
WindowHandle WeatherLists[LIST_COUNT] = {};
int32_t CurrentList = -1;
bool Busy = false;
bool CommandsEnabled = false;
WeatherMode CurrentMode = MODE_NOT_CONNECTED;
uint32_t LastStamp = 0;

void ResetAppState() {
    MainWindow = 0;
    for (WindowHandle& list : WeatherLists) list = 0;
    CurrentList = -1;
    Busy = false;
    CommandsEnabled = false;
    CurrentMode = MODE_NOT_CONNECTED;
    LastStamp = 0;
}
