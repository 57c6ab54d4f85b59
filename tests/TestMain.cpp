// Test programs run with the module's own runtime set-up, so library errors
// arrive as typed exceptions.
#include <gtest/gtest.h>

#include "driver/ModuleRuntime.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    InitializeModuleRuntime();
    return RUN_ALL_TESTS();
}
