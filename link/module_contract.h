// The module's side of the batch contract, as portable code: an offset space that
// carries out a batch. The tests use it as the in-process module; the module
// stand-in program builds its simulator on it.
#pragma once

#include <cstdint>

constexpr uint32_t MODULE_SPACE_SIZE = 0x10000;

struct ModuleSpace {
    uint8_t Bytes[MODULE_SPACE_SIZE];
};

// Called after each write record has been stored, before the records after it run,
// so that a request written in a batch can be answered by a read later in it.
using ModuleWriteHook = void (*)(ModuleSpace& space, uint32_t offset, uint32_t size, void* context);

// Carries out the batch in section[0, sectionSize): writes store into the space,
// reads fill their data areas from it, in queue order; type, size and destination
// fields are left as they are. Returns 1 when the batch ran to its terminator, 0 when
// it was malformed (a record outside the section or the space, an unknown type, no
// terminator); records before the fault have been carried out.
int ModuleProcessBatch(uint8_t* section, uint32_t sectionSize, ModuleSpace& space,
                       ModuleWriteHook onWrite, void* context);
