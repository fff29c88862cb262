// The edit controller: Edit, Insert and Delete on a list, the key rule, and the
// Clear All and Global commands.
#pragma once

#include <cstdint>

// Steps of EditListEntry after the entry steps, for Edit, Insert and Delete; row is
// the row the entry steps marked.
void RunEditAction(int32_t list, int32_t action, int32_t row);

// The key rule: the EditAction that virtual key vk in list should run, or -1.
int32_t EditActionForKey(int32_t list, int32_t virtualKey);

void SendClearAll();
void SendGlobal();
