// Test main of the preview tests; each preview run starts from a fresh
// simulated process of its own.
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
