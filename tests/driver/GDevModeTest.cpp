#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "DriverTestSupport.h"
#include "driver/GDevModeImage.h"
#include "driver/GNTDevMode.h"
#include "model/GAttribute.h"
#include "model/GLZWCoder.h"
#include "model/GRangeAttribute.h"
#include "model/MPersistentClass.h"
#include "rw/RWCollectableIO.h"
#include "rw/RWPortableInStream.h"
#include "rw/RWPortableOutStream.h"

using namespace drivertest;

namespace {

// An attribute class outside the settings model (as a device or a module
// loader would be): registered with the factory, but not allowed in blobs.
class ForeignAttribute : public GAttribute {
    MPERSISTENT_CLASS_MEMBERS(ForeignAttribute, GAttribute, 0x7E20)

public:
    ForeignAttribute() = default;
    explicit ForeignAttribute(uint32_t id) : GAttribute(id) {}
    uint16_t Apply(GPeripheral&) override { return 0; }
};

constexpr uint32_t kBlobOnlySetting = 777; // a setting no public field carries

// A DEVMODE read from an exactly sized heap block, so any read outside it is
// an AddressSanitizer report.
class ExactDevMode {
public:
    explicit ExactDevMode(const Bytes& bytes) : block_(std::make_unique<uint8_t[]>(bytes.size())) {
        std::memcpy(block_.get(), bytes.data(), bytes.size());
    }
    const DEVMODEW* get() const { return reinterpret_cast<const DEVMODEW*>(block_.get()); }

private:
    std::unique_ptr<uint8_t[]> block_;
};

Bytes ImageBytes(GDevMode& devmode) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(devmode.GetImage());
    return Bytes(bytes, bytes + GDevModeImage::kTotalSize);
}

void SetWord(Bytes& bytes, size_t offset, uint16_t value) {
    bytes[offset] = static_cast<uint8_t>(value & 0xFF);
    bytes[offset + 1] = static_cast<uint8_t>(value >> 8);
}

Bytes Zlib(const std::string& plain) {
    uLongf length = compressBound(plain.size());
    Bytes packed(length);
    EXPECT_EQ(compress(packed.data(), &length, reinterpret_cast<const Bytef*>(plain.data()), plain.size()),
              Z_OK);
    packed.resize(length);
    return packed;
}

Bytes Dictionary(const std::string& plain) {
    std::istringstream in(plain);
    std::ostringstream out;
    EXPECT_EQ(GLZWCoder().Compress(in, out), 1);
    const std::string packed = out.str();
    return Bytes(packed.begin(), packed.end());
}

std::string PortableGraph(const MPersistentObject& tree) {
    std::ostringstream text;
    RWPortableOutStream out(text);
    out << static_cast<const RWCollectable*>(&tree);
    return text.str();
}

uint16_t ValueOf(const GDevMode& devmode, uint32_t id) {
    auto* value = dynamic_cast<GValueAttribute*>(devmode.GetSettings()->FindById(id));
    EXPECT_NE(value, nullptr) << id;
    return value == nullptr ? 0xDEAD : value->GetValue();
}

class GDevModeTest : public ::testing::Test {
protected:
    void SetUp() override { Configure({}); }

    void Configure(const PrinterOptions& options) {
        context.defaults = DocumentDefaults();
        context.defaults->Add(new GValueAttribute(0, kBlobOnlySetting));
        context.SetConfiguration(BuildConfiguration(options));
        auto* mappings = new GResourceMappingList(194);
        mappings->AddUnique(new GResourceMapping(100, 1, 1, 0)); // DMBIN 1 <-> tray 1
        mappings->AddUnique(new GResourceMapping(101, 7, 2, 0)); // DMBIN 7 <-> tray 2
        context.SetResourceMappingList(mappings);
    }

    std::unique_ptr<GNTDevMode> NewDevMode() { return std::make_unique<GNTDevMode>(&context, nullptr); }

    // The defaults with some values changed.
    std::unique_ptr<GAttributeComposite> Changed(uint16_t copies, uint16_t blobOnly) {
        auto tree = context.NewDefaultSettings();
        dynamic_cast<GValueAttribute*>(tree->FindById(291))->SetValue(copies);
        dynamic_cast<GValueAttribute*>(tree->FindById(kBlobOnlySetting))->SetValue(blobOnly);
        return tree;
    }

    // An image of this driver whose blob says 777 = 9 and whose public part
    // asks for 7 copies.
    Bytes StoredImage() {
        auto writer = NewDevMode();
        auto tree = Changed(3, 9);
        EXPECT_EQ(writer->Store(tree.get()), 1);
        writer->GetImage()->dmCopies = 7;
        return ImageBytes(*writer);
    }

    TestDriverContext context;
};

TEST_F(GDevModeTest, DefaultsWriteThePublicPartAndThePrivateHeader) {
    const auto devmode = NewDevMode();
    EXPECT_EQ(sizeof(GDevModeImage), 1172u);
    EXPECT_EQ(devmode->GetTotalSize(), 1172u);
    EXPECT_EQ(devmode->GetPublicSize() + devmode->GetPrivateHeaderSize() + devmode->GetPrivateDataSize(),
              1172u);

    const Bytes image = ImageBytes(*devmode);
    // "Office Printer" in UTF-16, the rest zero.
    Bytes name(64, 0);
    const std::u16string printer = u"Office Printer";
    for (size_t i = 0; i < printer.size(); ++i)
        name[2 * i] = static_cast<uint8_t>(printer[i]);
    EXPECT_EQ(Bytes(image.begin(), image.begin() + 64), name);
    // dmSpecVersion 0x0401, dmDriverVersion 24, dmSize 220, dmDriverExtra 952,
    // dmFields DM_COLOR | DM_DUPLEX | DM_FORMNAME.
    EXPECT_EQ(Bytes(image.begin() + 64, image.begin() + 76), Hex("01 04 18 00 DC 00 B8 03 00 18 01 00"));
    const DEVMODEW& dm = *devmode->GetImage();
    EXPECT_EQ(dm.dmPaperSize, 1);
    EXPECT_EQ(dm.dmScale, 100);
    EXPECT_EQ(dm.dmColor, 2);
    EXPECT_EQ(dm.dmDuplex, 1);
    EXPECT_EQ(dm.dmCollate, 0);
    EXPECT_EQ(std::u16string(dm.dmFormName), u"Letter");
    EXPECT_EQ(Bytes(image.begin() + 102, image.begin() + 116),
              Hex("4C 00 65 00 74 00 74 00 65 00 72 00 00 00"));

    // 220: 1172, 46; 224: "QV Colour Driver" and 16 zeros; 256: 0; 260: 0;
    // 262: 4; 264: 50; 266: 0 (no blob yet); 268: 902; 270: 0.
    const Bytes header = Concat({Hex("94 04 2E 00"), Hex("51 56 20 43 6F 6C 6F 75 72 20 44 72 69 76 65 72"),
                                 Bytes(16, 0), Hex("00 00 00 00 00 00 04 00 32 00 00 00 86 03")});
    EXPECT_EQ(Bytes(image.begin() + 220, image.begin() + 270), header);
    EXPECT_EQ(image[270], 0);
    // The settings are the printer's defaults.
    EXPECT_TRUE(devmode->GetSettings()->IsEqualId(context.defaults.get()));
}

TEST_F(GDevModeTest, CopiesOfTheImage) {
    auto original = NewDevMode();
    ASSERT_EQ(original->Store(Changed(5, 9).get()), 1);
    const Bytes image = ImageBytes(*original);

    std::vector<uint8_t> out(1172, 0xCC);
    ASSERT_EQ(original->CopyTo(reinterpret_cast<DEVMODEW*>(out.data())), 1);
    EXPECT_EQ(Bytes(out.begin(), out.end()), image);
    EXPECT_EQ(original->CopyTo(nullptr), 0);

    const GNTDevMode copy(*original);
    EXPECT_EQ(std::memcmp(copy.Image().Bytes(), image.data(), 1172), 0);
    ASSERT_NE(copy.GetSettings(), nullptr);
    EXPECT_NE(copy.GetSettings(), original->GetSettings()); // a clone
    EXPECT_TRUE(copy.GetSettings()->IsEqualId(original->GetSettings()));

    auto assigned = NewDevMode();
    *assigned = *original;
    EXPECT_EQ(ImageBytes(*assigned), image);
    EXPECT_EQ(assigned->IsSameImage(original->GetImage()), 1);
    Bytes changed = image;
    changed[300] ^= 1;
    EXPECT_EQ(assigned->IsSameImage(reinterpret_cast<const DEVMODEW*>(changed.data())), 0);
}

TEST_F(GDevModeTest, ADriverContextRenamesTheImage) {
    auto devmode = NewDevMode();
    TestDriverContext other;
    other.SetNames(u"Lab", u"QV", u"LPT2:");
    ASSERT_EQ(devmode->SetDriverContext(&other), 1);
    EXPECT_EQ(devmode->GetDriverContext(), &other);
    EXPECT_EQ(devmode->GetDeviceName(), RWWString(u"Lab"));
    EXPECT_EQ(devmode->GetDriverName(), RWWString(u"QV"));
    // The shorter name leaves no bytes of the longer one behind.
    const Bytes image = ImageBytes(*devmode);
    EXPECT_EQ(Bytes(image.begin() + 224, image.begin() + 256), Concat({Hex("51 56"), Bytes(30, 0)}));
    EXPECT_EQ(Bytes(image.begin() + 6, image.begin() + 64), Bytes(58, 0));
}

TEST_F(GDevModeTest, DefaultColourFollowsThePrinter) {
    struct Case {
        uint16_t colourModes;
        uint16_t capability;
        uint32_t flags;
        short color;
        bool bit;
    };
    const Case cases[] = {
        {0, 0, 0, 2, true},    // no colour modes: colour
        {1, 1, 0, 2, true},    // a colour printer
        {1, 0, 0, 1, false},   // modes but no colour: monochrome
        {0, 2, 0x80, 1, true}, // application flag 0x80 on a monochrome printer
        {0, 1, 0x80, 2, true}, // ... has no effect on a colour one
    };
    for (const Case& c : cases) {
        PrinterOptions options;
        options.colourModes = c.colourModes;
        options.colour = c.capability;
        Configure(options);
        context.applicationFlags = c.flags;
        const auto devmode = NewDevMode();
        EXPECT_EQ(devmode->GetImage()->dmColor, c.color) << c.colourModes << c.capability << c.flags;
        EXPECT_EQ((devmode->GetImage()->dmFields & DM_COLOR) != 0, c.bit);
    }
}

TEST_F(GDevModeTest, StoreAndLoadRoundTrip) {
    auto writer = NewDevMode();
    auto tree = Changed(5, 9);
    ASSERT_EQ(writer->Store(tree.get()), 1);
    const DEVMODEW& dm = *writer->GetImage();
    EXPECT_EQ(dm.dmCopies, 5);
    const uint16_t length = GDevModeImage::Word(&dm, 266);
    EXPECT_GT(length, 0);
    EXPECT_LE(length, 902);

    auto reader = NewDevMode();
    ASSERT_EQ(reader->Load(writer->GetImage()), 1);
    EXPECT_TRUE(reader->GetSettings()->IsEqualId(writer->GetSettings()));
    EXPECT_EQ(ValueOf(*reader, 291), 5);
    EXPECT_EQ(ValueOf(*reader, kBlobOnlySetting), 9);
    // Load stores again: the same image.
    EXPECT_EQ(ImageBytes(*reader), ImageBytes(*writer));
}

TEST_F(GDevModeTest, AnIndependentInflaterOpensTheBlobAsTheSettingsEncoding) {
    auto writer = NewDevMode();
    auto tree = Changed(5, 9);
    ASSERT_EQ(writer->Store(tree.get()), 1);
    const Bytes image = ImageBytes(*writer);
    const uint16_t length = GDevModeImage::Word(image.data(), 266);

    Bytes plain(4096);
    uLongf plainLength = plain.size();
    ASSERT_EQ(uncompress(plain.data(), &plainLength, image.data() + 270, length), Z_OK);
    plain.resize(plainLength);
    // The lead-in, then root 500 (0x1F4) in the compact form ...
    EXPECT_EQ(Bytes(plain.begin(), plain.begin() + 25), Concat({LeadIn(), Hex("01 01 00 F4 01")}));
    // ... exactly as another codec writes the tree.
    GSettingsCodec other;
    EXPECT_EQ(plain, Encode(other, writer->GetSettings(), GSettingsCodec::kCompactForm));
}

TEST_F(GDevModeTest, BlobFormZeroIsThePortableObjectGraph) {
    PrinterOptions options;
    options.blobForm = 0;
    Configure(options);
    auto writer = NewDevMode();
    auto tree = Changed(5, 9);
    ASSERT_EQ(writer->Store(tree.get()), 1);
    const Bytes image = ImageBytes(*writer);
    Bytes plain(4096);
    uLongf plainLength = plain.size();
    ASSERT_EQ(
        uncompress(plain.data(), &plainLength, image.data() + 270, GDevModeImage::Word(image.data(), 266)),
        Z_OK);
    EXPECT_EQ(std::string(plain.begin(), plain.begin() + plainLength), PortableGraph(*writer->GetSettings()));

    auto reader = NewDevMode();
    ASSERT_EQ(reader->Load(writer->GetImage()), 1);
    EXPECT_EQ(ValueOf(*reader, kBlobOnlySetting), 9);
}

TEST_F(GDevModeTest, StoreThatDoesNotFitLeavesTheImageUnchanged) {
    auto devmode = NewDevMode();
    ASSERT_EQ(devmode->Store(Changed(5, 9).get()), 1);
    const Bytes before = ImageBytes(*devmode);

    std::mt19937 random(15);
    auto noise = [&](size_t n) {
        std::string text(n, ' ');
        for (char& c : text)
            c = static_cast<char>('!' + random() % 90);
        return text;
    };
    // About 3,000 bytes of noise: encodes within 4,096 bytes, but no zlib
    // stream of it fits 902 bytes.
    auto incompressible = Changed(6, 1);
    for (uint32_t i = 0; i < 3; ++i)
        incompressible->Add(new GStringAttribute(noise(1000).c_str(), 900 + i));
    context.defaults->Add(new GStringAttribute("", 900));
    context.defaults->Add(new GStringAttribute("", 901));
    context.defaults->Add(new GStringAttribute("", 902));
    EXPECT_EQ(devmode->Store(incompressible.get()), 0);
    EXPECT_EQ(ImageBytes(*devmode), before);

    // An encoding past the 4,096-byte working buffer fails the same way.
    auto tooLong = Changed(6, 1);
    tooLong->Add(new GStringAttribute(std::string(5000, 'x').c_str(), 900));
    EXPECT_EQ(devmode->Store(tooLong.get()), 0);
    EXPECT_EQ(ImageBytes(*devmode), before);
}

TEST_F(GDevModeTest, UntrustedDevModesContributeOnlyTheirPublicFields) {
    const Bytes stored = StoredImage();
    struct Case {
        const char* name;
        Bytes bytes;
        uint16_t blobOnly; // 777 after Load
    };
    std::vector<Case> cases;
    cases.push_back({"the driver's own", stored, 9});
    Bytes longLength = stored;
    SetWord(longLength, 266, 0xFFFF);
    cases.push_back({"length word 0xFFFF", longLength, 0});
    Bytes overCapacity = stored;
    SetWord(overCapacity, 266, 903);
    cases.push_back({"length word 903", overCapacity, 0});
    // dmSize 200: the public part ends early and the private part follows it.
    Bytes shortPublic(stored.begin(), stored.begin() + 200);
    shortPublic.insert(shortPublic.end(), stored.begin() + 220, stored.end());
    SetWord(shortPublic, 68, 200);
    cases.push_back({"dmSize 200", shortPublic, 0});
    Bytes tinyExtra(stored.begin(), stored.begin() + 220 + 45);
    SetWord(tinyExtra, 70, 45);
    cases.push_back({"dmDriverExtra 45", tinyExtra, 0});
    Bytes noBlob = stored;
    noBlob[270] = 0;
    cases.push_back({"blob's first byte 0", noBlob, 0});
    Bytes damaged = stored;
    for (size_t i = 272; i < 300; ++i)
        damaged[i] ^= 0x5A;
    cases.push_back({"damaged zlib data", damaged, 0});
    Bytes otherDriver = stored;
    otherDriver[224] = 'X';
    cases.push_back({"another driver's name", otherDriver, 0});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ExactDevMode incoming(c.bytes);
        auto reader = NewDevMode();
        ASSERT_EQ(reader->Load(incoming.get()), 1);
        EXPECT_EQ(ValueOf(*reader, kBlobOnlySetting), c.blobOnly);
        EXPECT_EQ(ValueOf(*reader, 291), 7); // dmCopies applies in every case
    }
}

TEST_F(GDevModeTest, ExpansionPastTheWorkingBufferFails) {
    Bytes image = StoredImage();
    // A valid zlib stream of 5,000 bytes of the lead-in byte: it would expand
    // past 4,096 bytes.
    const Bytes packed = Zlib(std::string(5000, 's'));
    ASSERT_LE(packed.size(), 902u);
    std::copy(packed.begin(), packed.end(), image.begin() + 270);
    SetWord(image, 266, static_cast<uint16_t>(packed.size()));
    const ExactDevMode incoming(image);
    auto reader = NewDevMode();
    ASSERT_EQ(reader->Load(incoming.get()), 1);
    EXPECT_EQ(ValueOf(*reader, kBlobOnlySetting), 0);
}

TEST_F(GDevModeTest, OlderBlobsAreReadAsObjectGraphsWithTheSettingsAllowlist) {
    GAddToFactory<ForeignAttribute>();
    const Bytes stored = StoredImage();
    auto older = Changed(3, 9);
    auto foreign = Changed(3, 9);
    foreign->Add(new ForeignAttribute(778));
    const std::string graph = PortableGraph(*older);
    struct Case {
        const char* name;
        Bytes blob;
        uint16_t blobOnly;
    };
    const Case cases[] = {
        {"zlib", Zlib(graph), 9},
        {"dictionary coder", Dictionary(graph), 9},
        {"a class outside the settings model", Zlib(PortableGraph(*foreign)), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes image = stored;
        ASSERT_LE(c.blob.size(), 902u);
        std::copy(c.blob.begin(), c.blob.end(), image.begin() + 270);
        SetWord(image, 266, static_cast<uint16_t>(c.blob.size()));
        const ExactDevMode incoming(image);
        auto reader = NewDevMode();
        const int merges = context.merges;
        ASSERT_EQ(reader->Load(incoming.get()), 1);
        EXPECT_EQ(ValueOf(*reader, kBlobOnlySetting), c.blobOnly);
        EXPECT_EQ(context.merges - merges, c.blobOnly == 9 ? 1 : 0);
    }
}

TEST_F(GDevModeTest, OwnDevModeRules) {
    const Bytes stored = StoredImage();
    struct Case {
        const char* name;
        uint16_t blobForm;
        size_t offset; // a word to change; 0: none
        uint16_t value;
        int32_t own;
    };
    const Case cases[] = {
        {"as stored", 1, 0, 0, 1},
        {"dmDriverExtra 45", 1, 70, 45, 0},
        {"dmSize 200", 1, 68, 200, 0},
        {"blob form 1 ignores the format word", 1, 262, 3, 1},
        {"blob form 0 does not", 0, 262, 3, 0},
        {"blob form 0, capacity 901", 0, 268, 901, 0},
        {"blob length 903", 1, 266, 903, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PrinterOptions options;
        options.blobForm = c.blobForm;
        Configure(options);
        Bytes bytes = stored;
        if (c.offset != 0) SetWord(bytes, c.offset, c.value);
        const ExactDevMode incoming(bytes);
        EXPECT_EQ(NewDevMode()->IsOwnDevMode(incoming.get()), c.own);
    }
}

TEST_F(GDevModeTest, ValidatePublic) {
    auto devmode = NewDevMode();
    auto valid = [&] {
        DEVMODEW dm = *devmode->GetImage();
        dm.dmFields &= ~DM_FORMNAME; // no form is ever known
        return dm;
    };
    struct Case {
        const char* name;
        void (*change)(DEVMODEW&);
        int32_t checkAll;
        int32_t result;
        uint32_t bad;
    };
    const Case cases[] = {
        {"valid", [](DEVMODEW&) {}, 1, 1, 0},
        {"duplex 4", [](DEVMODEW& dm) { dm.dmDuplex = 4; }, 1, 0, DM_DUPLEX},
        {"copies above the range",
         [](DEVMODEW& dm) {
             dm.dmFields |= DM_COPIES;
             dm.dmCopies = 1000;
         },
         1, 0, DM_COPIES},
        {"copies 0",
         [](DEVMODEW& dm) {
             dm.dmFields |= DM_COPIES;
             dm.dmCopies = 0;
         },
         1, 0, DM_COPIES},
        {"orientation 3",
         [](DEVMODEW& dm) {
             dm.dmFields |= DM_ORIENTATION;
             dm.dmOrientation = 3;
         },
         1, 0, DM_ORIENTATION},
        {"colour 3", [](DEVMODEW& dm) { dm.dmColor = 3; }, 1, 0, DM_COLOR},
        {"form name", [](DEVMODEW& dm) { dm.dmFields |= DM_FORMNAME; }, 1, 0, DM_FORMNAME},
        {"every bad field with checkAll",
         [](DEVMODEW& dm) {
             dm.dmColor = 3;
             dm.dmDuplex = 4;
         },
         1, 0, DM_COLOR | DM_DUPLEX},
        {"the first bad field without",
         [](DEVMODEW& dm) {
             dm.dmColor = 3;
             dm.dmDuplex = 4;
         },
         0, 0, DM_COLOR},
        {"unknown bin",
         [](DEVMODEW& dm) {
             dm.dmFields |= DM_DEFAULTSOURCE;
             dm.dmDefaultSource = 9;
         },
         1, 0, DM_DEFAULTSOURCE},
        {"resolution not offered",
         [](DEVMODEW& dm) {
             dm.dmFields |= DM_PRINTQUALITY | DM_YRESOLUTION;
             dm.dmPrintQuality = 300;
             dm.dmYResolution = 300;
         },
         1, 0, DM_PRINTQUALITY | DM_YRESOLUTION},
        {"DMRES_HIGH is the first resolution entry",
         [](DEVMODEW& dm) {
             dm.dmFields |= DM_PRINTQUALITY;
             dm.dmFields &= ~DM_YRESOLUTION;
             dm.dmPrintQuality = -4;
         },
         1, 1, 0},
        {"custom width under the smallest custom size",
         [](DEVMODEW& dm) {
             dm.dmFields |= DM_PAPERWIDTH | DM_PAPERLENGTH;
             dm.dmPaperWidth = 761;
             dm.dmPaperLength = 1270;
         },
         1, 0, DM_PAPERWIDTH},
        {"custom length over the largest custom size",
         [](DEVMODEW& dm) {
             dm.dmFields |= DM_PAPERWIDTH | DM_PAPERLENGTH;
             dm.dmPaperWidth = 2159;
             dm.dmPaperLength = 3557;
         },
         1, 0, DM_PAPERLENGTH},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DEVMODEW dm = valid();
        c.change(dm);
        uint32_t bad = 0xFFFFFFFF;
        EXPECT_EQ(devmode->ValidatePublic(&dm, c.checkAll, &bad), c.result);
        EXPECT_EQ(bad, c.bad);
    }
    // Too old a DEVMODE is refused at once.
    DEVMODEW old = valid();
    old.dmSpecVersion = 0x0300;
    uint32_t bad = 0;
    EXPECT_EQ(devmode->ValidatePublic(&old, 1, &bad), 0);
    EXPECT_EQ(bad, 0u);
}

TEST_F(GDevModeTest, PublicFieldsToSettings) {
    auto devmode = NewDevMode();
    struct Case {
        const char* name;
        void (*change)(DEVMODEW&);
        uint32_t id;
        uint16_t expected;
    };
    const Case cases[] = {
        {"copies 0 means 1",
         [](DEVMODEW& dm) {
             dm.dmFields = DM_COPIES;
             dm.dmCopies = 0;
         },
         291, 1},
        {"copies 12",
         [](DEVMODEW& dm) {
             dm.dmFields = DM_COPIES;
             dm.dmCopies = 12;
         },
         291, 12},
        {"landscape", [](DEVMODEW& dm) { dm.dmFields = DM_ORIENTATION, dm.dmOrientation = 2; }, 265, 90},
        {"vertical duplex in portrait",
         [](DEVMODEW& dm) {
             dm.dmFields = DM_DUPLEX;
             dm.dmDuplex = 2;
         },
         253, 2},
        {"bin 7 is tray 2",
         [](DEVMODEW& dm) {
             dm.dmFields = DM_DEFAULTSOURCE;
             dm.dmDefaultSource = 7;
         },
         258, 2},
        {"unknown paper takes the default paper id",
         [](DEVMODEW& dm) {
             dm.dmFields = DM_PAPERSIZE;
             dm.dmPaperSize = 77;
         },
         260, 1},
        {"A4",
         [](DEVMODEW& dm) {
             dm.dmFields = DM_PAPERSIZE;
             dm.dmPaperSize = 9;
         },
         260, 23},
        {"1200 dpi takes its entry's variant and extra word",
         [](DEVMODEW& dm) {
             dm.dmFields = DM_PRINTQUALITY | DM_YRESOLUTION;
             dm.dmPrintQuality = 1200;
             dm.dmYResolution = 1200;
         },
         325, 2},
        {"collate on a collating printer",
         [](DEVMODEW& dm) {
             dm.dmFields = DM_COLLATE;
             dm.dmCollate = 1;
         },
         292, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto settings = context.NewDefaultSettings();
        DEVMODEW dm = *devmode->GetImage();
        c.change(dm);
        ASSERT_EQ(devmode->PublicToSettings(&dm, settings.get()), 1);
        EXPECT_EQ(dynamic_cast<GValueAttribute*>(settings->FindById(c.id))->GetValue(), c.expected);
    }
}

TEST_F(GDevModeTest, PublicFieldsOutsideThePrintersRangeAreBroughtIntoItBeforeTheMerge) {
    // The test printer narrowed: copies 5 to 20, no duplex unit, Letter
    // (paper id 1) and the DMPAPER value 5 (paper id 6) known but not taken.
    MPersistentObject* printer = context.GetPrinter();
    auto* copies = dynamic_cast<GRangeAttribute*>(printer->FindById(199));
    auto* duplex = dynamic_cast<GRangeAttribute*>(printer->FindById(203));
    ASSERT_NE(copies, nullptr);
    ASSERT_NE(duplex, nullptr);
    copies->SetMin(5);
    copies->SetMax(20);
    duplex->SetMax(0);
    context.papers[6] = 5;
    context.strictPapers = {9, 256};
    context.relaxedPapers = context.strictPapers;
    auto devmode = NewDevMode();
    constexpr int kUnchanged = -1; // the value the settings held
    struct Case {
        const char* name;
        void (*change)(DEVMODEW&);
        uint32_t id;
        int expected;
    };
    const Case cases[] = {
        {"copies below the range", [](DEVMODEW& dm) { dm.dmCopies = 2; }, 291, 5},
        {"copies above it", [](DEVMODEW& dm) { dm.dmCopies = 300; }, 291, 20},
        {"copies inside it", [](DEVMODEW& dm) { dm.dmCopies = 17; }, 291, 17},
        {"duplex without a duplex unit", [](DEVMODEW& dm) { dm.dmDuplex = DMDUP_VERTICAL; }, 253, 0},
        {"a paper the printer does not take, the default neither", [](DEVMODEW& dm) { dm.dmPaperSize = 5; },
         260, kUnchanged},
        {"a paper the printer takes", [](DEVMODEW& dm) { dm.dmPaperSize = 9; }, 260, 23},
        {"an unknown bin", [](DEVMODEW& dm) { dm.dmDefaultSource = 99; }, 258, kUnchanged},
        {"a resolution not offered",
         [](DEVMODEW& dm) {
             dm.dmPrintQuality = 300;
             dm.dmYResolution = 300;
         },
         323, kUnchanged},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto settings = context.NewDefaultSettings();
        MPersistentObject* node = settings->FindById(c.id);
        if (node == nullptr) node = settings->FindById(249)->FindById(c.id);
        auto* value = dynamic_cast<GValueAttribute*>(node);
        ASSERT_NE(value, nullptr);
        const uint16_t before = value->GetValue();
        DEVMODEW dm = *devmode->GetImage();
        dm.dmFields =
            DM_COPIES | DM_DUPLEX | DM_PAPERSIZE | DM_DEFAULTSOURCE | DM_PRINTQUALITY | DM_YRESOLUTION;
        dm.dmCopies = 10;
        dm.dmDuplex = DMDUP_SIMPLEX;
        dm.dmPaperSize = 9;
        dm.dmDefaultSource = 7;
        dm.dmPrintQuality = dm.dmYResolution = 600;
        c.change(dm);
        ASSERT_EQ(devmode->PublicToSettings(&dm, settings.get()), 1);
        EXPECT_EQ(value->GetValue(), c.expected == kUnchanged ? before : c.expected);
    }
}

TEST_F(GDevModeTest, CustomSizesStayWithinThePrintersRange) {
    auto devmode = NewDevMode();
    struct Case {
        short width;
        short length;
        uint16_t expectedWidth;
        uint16_t expectedLength;
    };
    const Case cases[] = {
        {1, 1, 762, 1270},        // the smallest custom size
        {5000, 5000, 2159, 3556}, // the largest
        {1000, 2000, 1000, 2000}, // inside: as given
    };
    for (const Case& c : cases) {
        auto settings = context.NewDefaultSettings();
        DEVMODEW dm = *devmode->GetImage();
        dm.dmFields = DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH;
        dm.dmPaperSize = 256;
        dm.dmPaperWidth = c.width;
        dm.dmPaperLength = c.length;
        ASSERT_EQ(devmode->PublicToSettings(&dm, settings.get()), 1);
        EXPECT_EQ(dynamic_cast<GValueAttribute*>(settings->FindById(260))->GetValue(), 16384);
        EXPECT_EQ(dynamic_cast<GValueAttribute*>(settings->FindById(1260))->GetValue(), c.expectedWidth);
        EXPECT_EQ(dynamic_cast<GValueAttribute*>(settings->FindById(1261))->GetValue(), c.expectedLength);
    }
}

TEST_F(GDevModeTest, SettingsToPublicFields) {
    auto devmode = NewDevMode();
    struct Case {
        const char* name;
        uint16_t orientation;
        uint16_t duplex;
        short dmDuplex;
    };
    const Case cases[] = {
        {"long-edge duplex, portrait", 0, 1, 3},
        {"long-edge duplex, landscape", 90, 1, 2},
        {"short-edge duplex, landscape", 270, 2, 3},
        {"short-edge duplex, portrait", 180, 2, 2},
        {"simplex", 0, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto settings = context.NewDefaultSettings();
        dynamic_cast<GValueAttribute*>(settings->FindById(265))->SetValue(c.orientation);
        dynamic_cast<GValueAttribute*>(settings->FindById(253))->SetValue(c.duplex);
        DEVMODEW dm{};
        ASSERT_EQ(devmode->SettingsToPublic(settings.get(), &dm), 1);
        EXPECT_EQ(dm.dmDuplex, c.dmDuplex);
        EXPECT_NE(dm.dmFields & DM_DUPLEX, 0u);
    }
    // Every field of the defaults.
    auto settings = context.NewDefaultSettings();
    DEVMODEW dm{};
    ASSERT_EQ(devmode->SettingsToPublic(settings.get(), &dm), 1);
    EXPECT_EQ(dm.dmFields, DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES | DM_DEFAULTSOURCE | DM_PRINTQUALITY |
                               DM_YRESOLUTION | DM_COLOR | DM_DUPLEX | DM_COLLATE);
    EXPECT_EQ(dm.dmOrientation, 1);
    EXPECT_EQ(dm.dmPaperSize, 1);
    EXPECT_EQ(dm.dmCopies, 1);
    EXPECT_EQ(dm.dmDefaultSource, 1);
    EXPECT_EQ(dm.dmPrintQuality, 600);
    EXPECT_EQ(dm.dmYResolution, 600);
    EXPECT_EQ(dm.dmColor, 2);
    EXPECT_EQ(dm.dmCollate, 0);
}

} // namespace
