#include "link/module_contract.h"

#include <cstring>

#include "link/byte_order.h"
#include "link/request_batch.h"

int ModuleProcessBatch(uint8_t* section, uint32_t sectionSize, ModuleSpace& space, ModuleWriteHook onWrite,
                       void* context) {
    uint64_t position = 0;
    while (position + 4 <= sectionSize) {
        const uint32_t type = LoadU32(section + position);
        if (type == 0) return 1;
        const uint64_t headSize = type == RECORD_READ ? READ_HEAD_SIZE : WRITE_HEAD_SIZE;
        if (type != RECORD_READ && type != RECORD_WRITE) return 0;
        if (position + headSize > sectionSize) return 0;
        const uint32_t offset = LoadU32(section + position + 4);
        const uint32_t size = LoadU32(section + position + 8);
        uint8_t* data = section + position + headSize;
        if (position + headSize + size > sectionSize) return 0;
        if (uint64_t{offset} + size > MODULE_SPACE_SIZE) return 0;
        if (type == RECORD_READ) {
            if (size != 0) std::memcpy(data, space.Bytes + offset, size);
        } else {
            if (size != 0) std::memcpy(space.Bytes + offset, data, size);
            if (onWrite != nullptr) onWrite(space, offset, size, context);
        }
        position += headSize + size;
    }
    return 0;  // no terminator inside the section
}
