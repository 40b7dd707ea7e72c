// The libFuzzer entry points of one fuzz target; the build names the entry
// function of FuzzTargets.h this target runs (KORVANE_FUZZ_ENTRY).

#include "FuzzTargets.h"

#ifndef KORVANE_FUZZ_ENTRY
 #error "KORVANE_FUZZ_ENTRY names the entry function of this fuzz target"
#endif

extern "C" int LLVMFuzzerInitialize (int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size);

extern "C" int LLVMFuzzerInitialize (int*, char***)
{
    KorvaneFuzz::setUpForFuzzing();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    KorvaneFuzz::KORVANE_FUZZ_ENTRY (data, size);
    return 0;
}
