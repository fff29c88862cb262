// The stand-in's own look at a batch: a log line per record, and the faults a test
// can ask for in an answer. Portable, and bounded by the section like the module.
#pragma once

#include <cstdint>
#include <cstdio>

// Corruptions of an answer, applied to one record after the batch was carried out.
enum StandinCorruption : uint32_t {
    CORRUPT_NONE = 0,
    CORRUPT_TYPE = 1,         // the record's type becomes CORRUPT_TYPE_VALUE
    CORRUPT_SIZE_HUGE = 2,    // the size becomes CORRUPT_HUGE_SIZE
    CORRUPT_SIZE_SHRINK = 3,  // the size becomes one less (0 stays 0 and is bumped to 1)
};
constexpr uint32_t CORRUPT_TYPE_VALUE = 0x7F;
constexpr uint32_t CORRUPT_HUGE_SIZE = 0x7FFFFFF0;

// Where the record with the given index (0 = first) starts, walking from the first
// byte; false when the batch ends, turns malformed or leaves the section before it.
bool FindRecord(const uint8_t* section, uint32_t sectionSize, uint32_t index, uint32_t* at);

// Applies a corruption to the record with the given index. Returns 1 when done.
int CorruptRecord(uint8_t* section, uint32_t sectionSize, StandinCorruption kind, uint32_t index);

// Appends the batch to the log: one "batch" line with its number, section name and
// answer, then one line per record as received, then "end". At most maxHexBytes of
// each write's data are shown in hexadecimal. The walk stops at the terminator or at
// the first record that does not fit (logged as "bad").
void LogBatch(FILE* log, uint32_t batchNumber, const char* sectionName, const uint8_t* section,
              uint32_t sectionSize, int answer, const char* note);

constexpr uint32_t LOG_HEX_BYTES = 32;
