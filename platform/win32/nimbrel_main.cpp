// Entry point of nimbrel.exe.
#include <windows.h>

#include "link/request_batch.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    LinkClose();
    return 0;
}
