/* Menu command ids, shared by the program and its resource script (plain defines,
   so the resource compiler reads them too). */
#pragma once

#define IDM_EXIT 101
#define IDM_REFRESH 102
#define IDM_ABOUT 103
#define IDM_AUTOREFRESH 105
#define IDM_CLEAR_ALL 40007
#define IDM_AUTOCONNECT 40012
#define IDM_CONNECT 40013
#define IDM_DISCONNECT 40014
#define IDM_GLOBAL 40015
