// The DEVMODE and the settings encoding over the model printers' real
// data files: their default settings travel in the blob and come back.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <memory>
#include <string>

#include "DataFileTestContext.h"
#include "driver/GDevModeImage.h"
#include "driver/GNTDevMode.h"
#include "driver/GSettingsCodec.h"

using namespace drivertest;

namespace {

class DataFileDevModeTest : public ::testing::TestWithParam<const char*> {
protected:
    DataFileTestContext context{GetParam()};
};

TEST_P(DataFileDevModeTest, DefaultSettingsFitTheBlobAndRoundTrip) {
    ASSERT_NE(context.defaults, nullptr);
    GNTDevMode writer(&context, nullptr);
    ASSERT_EQ(writer.Store(context.defaults.get()), 1);
    const auto* image = reinterpret_cast<const uint8_t*>(writer.GetImage());
    const uint16_t length = GDevModeImage::Word(image, GDevModeImage::kBlobLengthWord);
    EXPECT_GT(length, 0);
    EXPECT_LE(length, 902);

    // zlib itself opens the blob as the compact settings encoding of the
    // whole tree (Encode answers 1: every setting has a record).
    Bytes plain(4096);
    uLongf plainLength = plain.size();
    ASSERT_EQ(uncompress(plain.data(), &plainLength, image + 270, length), Z_OK);
    plain.resize(plainLength);
    GSettingsCodec other;
    int32_t complete = 0;
    EXPECT_EQ(plain, Encode(other, writer.GetSettings(), GSettingsCodec::kCompactForm, &complete));
    EXPECT_EQ(complete, 1);

    // A load also applies the public fields, which settle what the printer
    // cannot do (the monochrome model's default 292 = 1 becomes 0: it has
    // no collation, 231 = 0). Once settled, a load gives the same settings.
    ASSERT_EQ(writer.Load(writer.GetImage()), 1);
    GNTDevMode reader(&context, nullptr);
    ASSERT_EQ(reader.Load(writer.GetImage()), 1);
    EXPECT_TRUE(reader.GetSettings()->IsEqualId(writer.GetSettings()));
    EXPECT_EQ(std::memcmp(reader.GetImage(), writer.GetImage(), GDevModeImage::kTotalSize), 0);
}

TEST_P(DataFileDevModeTest, DefaultsAndTheirPublicFieldsAreValid) {
    GNTDevMode devmode(&context, nullptr);
    ASSERT_EQ(devmode.Store(context.defaults.get()), 1);
    const DEVMODEW& dm = *devmode.GetImage();
    const bool colour = std::string(GetParam()) != "QVMONO";
    EXPECT_EQ(dm.dmColor, colour ? DMCOLOR_COLOR : DMCOLOR_MONOCHROME);
    uint32_t bad = 0;
    // Every field checks out against the printer; no form name is written
    // (none is ever known to the validation) unless the source is the form
    // source.
    EXPECT_EQ(devmode.ValidatePublic(&dm, 1, &bad), 1);
    EXPECT_EQ(bad, 0u);
    EXPECT_EQ(dm.dmFields & DM_FORMNAME, 0u);
}

INSTANTIATE_TEST_SUITE_P(EveryModel, DataFileDevModeTest,
                         ::testing::Values("QVCOLOR", "QVMONO", "QVCOLORPS"));

} // namespace
