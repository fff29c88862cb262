#include "link/batch_codec.h"

#include <cstring>

#include "link/byte_order.h"

void EncodeReadRecord(uint8_t* at, uint32_t offset, uint32_t size, uint32_t token) {
    StoreU32(at, RECORD_READ);
    StoreU32(at + 4, offset);
    StoreU32(at + 8, size);
    StoreU32(at + 12, token);
    if (size != 0) std::memset(at + READ_HEAD_SIZE, 0, size);
}

void EncodeWriteRecord(uint8_t* at, uint32_t offset, uint32_t size, const void* source) {
    StoreU32(at, RECORD_WRITE);
    StoreU32(at + 4, offset);
    StoreU32(at + 8, size);
    if (size != 0) std::memcpy(at + WRITE_HEAD_SIZE, source, size);
}

void EncodeTerminator(uint8_t* at) { StoreU32(at, 0); }

int DeliverReads(const uint8_t* batch, uint32_t batchEnd, const PendingRead* reads, int readCount) {
    uint64_t position = 0;
    int next = 0;
    while (position + 4 <= batchEnd) {
        const uint32_t type = LoadU32(batch + position);
        if (type == RECORD_READ) {
            if (next >= readCount || reads[next].RecordOffset != position) break;
            if (position + READ_HEAD_SIZE > batchEnd) break;
            const uint32_t size = LoadU32(batch + position + 8);
            const uint32_t token = LoadU32(batch + position + 12);
            const PendingRead& read = reads[next];
            if (size != read.Size || token != static_cast<uint32_t>(next + 1)) break;
            const uint64_t end = position + ReadRecordLength(read.Size);
            if (end > batchEnd) break;
            if (read.Destination != nullptr && read.Size != 0)
                std::memcpy(read.Destination, batch + position + READ_HEAD_SIZE, read.Size);
            position = end;
            next++;
        } else if (type == RECORD_WRITE) {
            if (position + WRITE_HEAD_SIZE > batchEnd) break;
            const uint64_t end = position + WriteRecordLength(LoadU32(batch + position + 8));
            if (end > batchEnd) break;
            if (next < readCount && end > reads[next].RecordOffset) break;
            position = end;
        } else {
            break;  // the terminator, or a type nobody queued
        }
    }
    return next;
}
