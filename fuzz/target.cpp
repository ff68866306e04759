// libFuzzer entry point; the kind comes from MFFUZZ_KIND at compile time.
#include <cstddef>
#include <cstdint>

#include "session.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    mffuzz::runInput(mfDevice::MFFUZZ_KIND, data, size);
    return 0;
}
