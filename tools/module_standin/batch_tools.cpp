#include "tools/module_standin/batch_tools.h"

#include "link/byte_order.h"
#include "link/request_batch.h"

namespace {

// Length of the record at `at`, head included, or 0 when it is no whole record inside
// the section (the terminator included).
uint64_t RecordLength(const uint8_t* section, uint32_t sectionSize, uint64_t at) {
    if (at + 4 > sectionSize) return 0;
    const uint32_t type = LoadU32(section + at);
    uint64_t head = 0;
    if (type == RECORD_READ) head = READ_HEAD_SIZE;
    if (type == RECORD_WRITE) head = WRITE_HEAD_SIZE;
    if (head == 0 || at + head > sectionSize) return 0;
    const uint64_t length = head + LoadU32(section + at + 8);
    return at + length <= sectionSize ? length : 0;
}

}  // namespace

bool FindRecord(const uint8_t* section, uint32_t sectionSize, uint32_t index, uint32_t* at) {
    uint64_t position = 0;
    for (uint32_t k = 0;; ++k) {
        const uint64_t length = RecordLength(section, sectionSize, position);
        if (length == 0) return false;
        if (k == index) {
            *at = static_cast<uint32_t>(position);
            return true;
        }
        position += length;
    }
}

int CorruptRecord(uint8_t* section, uint32_t sectionSize, StandinCorruption kind, uint32_t index) {
    uint32_t at = 0;
    if (!FindRecord(section, sectionSize, index, &at)) return 0;
    switch (kind) {
        case CORRUPT_TYPE:
            StoreU32(section + at, CORRUPT_TYPE_VALUE);
            return 1;
        case CORRUPT_SIZE_HUGE:
            StoreU32(section + at + 8, CORRUPT_HUGE_SIZE);
            return 1;
        case CORRUPT_SIZE_SHRINK: {
            const uint32_t size = LoadU32(section + at + 8);
            StoreU32(section + at + 8, size == 0 ? 1 : size - 1);
            return 1;
        }
        default:
            return 0;
    }
}

void LogBatch(FILE* log, uint32_t batchNumber, const char* sectionName, const uint8_t* section,
              uint32_t sectionSize, int answer, const char* note) {
    if (log == nullptr) return;
    std::fprintf(log, "batch %u name=%s answer=%d%s%s\n", batchNumber, sectionName, answer,
                 note[0] != '\0' ? " " : "", note);
    uint64_t position = 0;
    for (;;) {
        if (position + 4 <= sectionSize && LoadU32(section + position) == 0) break;
        const uint64_t length = RecordLength(section, sectionSize, position);
        if (length == 0) {
            const uint32_t type = position + 4 <= sectionSize ? LoadU32(section + position) : 0;
            std::fprintf(log, "bad at=%llu type=%u\n", static_cast<unsigned long long>(position), type);
            break;
        }
        const uint32_t type = LoadU32(section + position);
        const uint32_t offset = LoadU32(section + position + 4);
        const uint32_t size = LoadU32(section + position + 8);
        if (type == RECORD_READ) {
            std::fprintf(log, "read offset=0x%04X size=%u\n", offset, size);
        } else {
            std::fprintf(log, "write offset=0x%04X size=%u data=", offset, size);
            const uint8_t* data = section + position + WRITE_HEAD_SIZE;
            const uint32_t shown = size < LOG_HEX_BYTES ? size : LOG_HEX_BYTES;
            for (uint32_t i = 0; i < shown; ++i) std::fprintf(log, "%02X", data[i]);
            std::fprintf(log, "%s\n", shown < size ? "..." : "");
        }
        position += length;
    }
    std::fprintf(log, "end\n");
    std::fflush(log);
}
