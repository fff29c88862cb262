// Placeholder until the edit controller lands: nothing is edited yet.
#include "editing/edit_controller.h"

void RunEditAction(int32_t, int32_t, int32_t) {}
int32_t EditActionForKey(int32_t, int32_t) { return -1; }
void SendClearAll() {}
void SendGlobal() {}
