#include "sanitizer_defaults.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Death tests fork a process that may hold threads (Qt starts some); the threadsafe
    // style re-executes the binary instead of forking a copy of a threaded process.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
