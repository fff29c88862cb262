// Encoding of records into a batch and delivery of the answered reads, over a plain
// byte buffer. No platform services: the link drives these over its mapped view.
#pragma once

#include <cstdint>

#include "link/request_batch.h"

// Bytes a record takes in the batch, head included. 64-bit so that no size can wrap.
inline uint64_t ReadRecordLength(uint32_t size) { return uint64_t{READ_HEAD_SIZE} + size; }
inline uint64_t WriteRecordLength(uint32_t size) { return uint64_t{WRITE_HEAD_SIZE} + size; }

// True when a record of recordLength bytes at cursor, and the terminator behind it,
// fit into a batch of batchSize bytes.
inline bool RecordFits(uint32_t cursor, uint64_t recordLength, uint32_t batchSize) {
    return uint64_t{cursor} + recordLength + TERMINATOR_SIZE <= batchSize;
}

// Head {1, offset, size, token} and size zero bytes. The caller has checked the room.
void EncodeReadRecord(uint8_t* at, uint32_t offset, uint32_t size, uint32_t token);
// Head {2, offset, size} and the size bytes of source. The caller has checked the room.
void EncodeWriteRecord(uint8_t* at, uint32_t offset, uint32_t size, const void* source);
void EncodeTerminator(uint8_t* at);

// Copies the data of the answered reads to their destinations. batch[0, batchEnd) holds
// the records as queued, reads[0, readCount) the reads among them in queue order; the
// answer is untrusted and may still be changing. Every field is loaded once, the walk
// never leaves batch[0, batchEnd), and it stops at the first record that is not what
// was queued there (an unknown type, a read whose size or token changed, a write whose
// size would skip over a queued read). Returns the number of reads delivered.
int DeliverReads(const uint8_t* batch, uint32_t batchEnd, const PendingRead* reads, int readCount);
