// Test programs run with the module's own runtime set-up, so library errors
// arrive as typed exceptions, and every test starts from a fresh machine in
// the platform layer's host store.
#include <gtest/gtest.h>

#include "driver/ModuleRuntime.h"
#include "winapi/host/WinHostStore.h"

namespace {
class FreshHostStore : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { WinHostStore::Instance().Reset(); }
};
} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshHostStore);
    InitializeModuleRuntime();
    return RUN_ALL_TESTS();
}
