// Tests meant to go wrong, run only by name: the pipeline must report each way a
// Windows test can go wrong as a failure, with the counts, instead of a pass.
#include "wine_test.h"

#include <windows.h>

#include <cstdint>

WINE_TEST(passes) {
    CHECK_EQ(1 + 1, 2);
}

WINE_TEST(failsOneCheckAndGoesOn) {
    CHECK_EQ(2 * 2, 5);
    CHECK(true);
}

WINE_TEST(crashes) {
    volatile std::uintptr_t nowhere = 0; // unknown to the compiler, so the store stays
    *reinterpret_cast<volatile int*>(nowhere) = 1;
}

WINE_TEST(hangs) {
    Sleep(INFINITE);
}
