// Test programs run with the module's own runtime set-up, so library errors
// arrive as typed exceptions, and every test starts from a fresh machine in
// the platform layer's host store. A program registers the stored classes of
// the layers it links with the one function its build names.
#include <gtest/gtest.h>

#include "winapi/host/WinHostStore.h"
#ifdef QV_TEST_REGISTRATION
#include QV_TEST_REGISTRATION_HEADER
#include "rw/RWErrorHandler.h"
#endif

namespace {
class FreshHostStore : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { WinHostStore::Instance().Reset(); }
};
} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshHostStore);
#ifdef QV_TEST_REGISTRATION
    RWSetErrorHandler(&RWRaisingErrorHandler);
    QV_TEST_REGISTRATION();
#endif
    return RUN_ALL_TESTS();
}
