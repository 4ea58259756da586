// The libFuzzer entry of one target; VESK_FUZZ_FUNCTION names it at compile time.

#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return VESK_FUZZ_FUNCTION(data, size);
}
