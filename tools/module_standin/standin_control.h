// The stand-in's control channel: a test sends the registered message named
// STANDIN_CONTROL_MESSAGE to the stand-in's window (class "FS98MAIN") with a command
// in the first parameter and its argument in the second. The answer is 1 for a
// command taken (STANDIN_QUERY_BATCHES answers the count), 0 for an unknown one.
// Portable: a test program includes it next to its own Windows headers.
#pragma once

#include <cstdint>

constexpr const char* STANDIN_CONTROL_MESSAGE = "NimbrelStandin:Control";

enum StandinControl : uint32_t {
    STANDIN_FAIL_NEXT = 1,        // answer 0 to the next N batches, carrying none of them out
    STANDIN_LATE_NEXT = 2,        // answer the next N batches late (carried out, then a sleep)
    STANDIN_CORRUPT_NEXT = 3,     // corrupt the next accepted answer: kind | record index << 8
    STANDIN_RESTART = 4,          // destroy the window and open a new one (a new handle)
    STANDIN_VANISH = 5,           // destroy the window and exit with code 0
    STANDIN_AIRCRAFT_GLOBAL = 6,  // 1: the global weather in force at the aircraft; 0: its own
    STANDIN_CHANGE_AIRCRAFT = 7,  // change the aircraft's weather now (a new stamp)
    STANDIN_RESET = 8,            // rebuild every source as at start (options kept)
    STANDIN_QUERY_BATCHES = 9,    // answers the number of batches received so far
    STANDIN_SET_TICK_MS = 10,     // interval of the aircraft's weather changes; 0 = never
    STANDIN_SET_LATE_MS = 11,     // how late a late answer is (2500 at start)
};

constexpr uint32_t STANDIN_DEFAULT_LATE_MS = 2500;  // past the program's 2000 ms time-out

// The argument of STANDIN_CORRUPT_NEXT.
inline uint32_t StandinCorruptArgument(uint32_t kind, uint32_t recordIndex) {
    return kind | (recordIndex << 8);
}
