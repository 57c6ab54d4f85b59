#include <gtest/gtest.h>

#include "model/GPrinterDataSource.h"
#include "model/GPrinterObjectBase.h"

namespace {

class FakePrinter : public GPrinterObjectBase {
public:
    int IsSameDriver(const GPrinterObjectBase* other) const override { return other == this; }
};

class FakeSource : public GPrinterDataSource {
public:
    using GPrinterDataSource::GPrinterDataSource;
    int HasModelName() const override { return GetText1().Length() != 0; }
    uint16_t Query(MPersistentObject*, uint32_t) override {
        SetText1("Model 9");
        return 0;
    }
};

} // namespace

TEST(GPrinterDataSourceTest, KeepsItsPrinterAndProviderAsPointers) {
    FakePrinter printer;
    int token = 0; // stands for the provider; never dereferenced
    auto* provider = reinterpret_cast<GProvider*>(&token);
    FakeSource source(provider, &printer, RWWString(u"Office"));
    EXPECT_EQ(source.GetProvider(), provider);
    EXPECT_EQ(source.GetPrinter(), &printer);
    EXPECT_EQ(source.GetPrinterName(), RWWString(u"Office"));
    EXPECT_EQ(source.GetText1().Length(), 0u);
    EXPECT_EQ(source.GetText2().Length(), 0u);
    EXPECT_EQ(source.HasModelName(), 0);
    EXPECT_EQ(source.Query(nullptr, 1), 0);
    EXPECT_EQ(source.HasModelName(), 1);

    EXPECT_EQ(printer.IsSame(&printer), 0); // the base knows no printer
    EXPECT_EQ(printer.IsSameDriver(&printer), 1);
}
