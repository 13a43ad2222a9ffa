// Entry point of every test program: COM for the main thread, then the tests.
#include <gtest/gtest.h>

#include "platform/com.h"

int main(int argc, char** argv) {
    platform::ComApartment com;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
