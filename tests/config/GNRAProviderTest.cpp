#include <gtest/gtest.h>

#include "config/GNRAProvider.h"
#include "driver/GProviderRegistry.h"

TEST(GNRAProviderTest, OffersDataSourcesOnlyAndMakesNoneYet) {
    GNRAProvider provider;
    EXPECT_EQ(provider.GetMask(), 0x10000u);
    EXPECT_EQ(provider.IsAvailable(0x10000), 1);
    EXPECT_EQ(provider.IsAvailable(0x10001), 0);
    GProviderRegistry& registry = GProviderRegistry::Instance();
    ASSERT_EQ(registry.Register(&provider, GNRAProvider::kRegisteredName), 1);
    EXPECT_EQ(registry.CountAvailable(0x10000), 1u);
    EXPECT_EQ(registry.CountAvailable(0x1), 0u); // not a query provider
    EXPECT_EQ(registry.CreateDataSource(nullptr, nullptr, 0x10000), nullptr);
    registry.Unregister(GNRAProvider::kRegisteredName);
    EXPECT_EQ(registry.FindProvider("VUZER 1.0"), nullptr);
}
