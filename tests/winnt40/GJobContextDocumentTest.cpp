// The job context's document and page commands, through a context made
// only for the tests: the composed settings group of the document start,
// the paper source, media and scale of each page start, page ends, media in
// the resolution and orientation a page needs, letterhead back pages, copies
// and the grey conversion the configuration chooses.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "model/GBinaryData.h"
#include "model/GRangeAttribute.h"
#include "model/GSettingIds.h"
#include "paper/GCustomMediaSize.h"
#include "pipeline/GNoCommand.h"
#include "tests/paper/PaperTestSupport.h"
#include "tests/winnt40/JobContextTestSupport.h"

namespace {

using jobcontexttest::PlatformScope;
using jobcontexttest::SettingOf;
using jobcontexttest::TestJobContext;

constexpr uint16_t kLetter = 1;
constexpr uint16_t kCustom = 16385;

std::optional<uint16_t> ValueOf(MPersistentObject* node, uint32_t id) {
    return GSettingValues::Get(node, id);
}

const GMedia* MediaOf(MPersistentObject* node, uint32_t id) {
    return node != nullptr ? dynamic_cast<const GMedia*>(node->FindById(id)) : nullptr;
}

// A printer with Letter at 600 dpi in both orientations (100-dot margins)
// and a document on Letter, upright, at 600 dpi.
class GJobContextDocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        context.pool->Add(papertest::NewMedia("Letter", kLetter, 5100, 6600, 0));
        context.pool->Add(papertest::NewMedia("Letter", kLetter, 6600, 5100, 90));
        TestJobContext::Set(context.resolution, 323, 600);
        TestJobContext::Set(context.resolution, 324, 600);
        TestJobContext::Set(context.group362, 265, 0);
        TestJobContext::Set(context.group362, 260, kLetter);
        auto* sizes = new GAttributeComposite(276);
        sizes->Add(new GCustomMediaSize(kCustom, "Card", 0, 400, 600)); // 4 x 6 inch
        context.group362->Add(sizes);
    }

    // The state of the page start n pages on.
    GCountedPtr NextPageState() {
        const GCountedPtr start = context.MakePageStart();
        return start.As<GCommand>()->GetStateRef();
    }

    PlatformScope scope;
    TestJobContext context;
};

TEST_F(GJobContextDocumentTest, DocumentStartCarriesTheComposedSettings) {
    TestJobContext::Set(context.group364, 291, 3);
    TestJobContext::Set(context.group364, 292, 1);
    TestJobContext::Set(context.group365, 310, 1);
    TestJobContext::SetText(context.group362, 261, "Plain");
    for (uint32_t id : {293, 296, 295, 304, 911, 570})
        TestJobContext::Set(context.group364, id, 1);
    TestJobContext::Set(context.group364, 910, 22);
    auto* tables = new MPersistentComposite(970);
    tables->Add(
        new GBinaryData(new uint8_t[GGrayConversion::kTableBytes](), GGrayConversion::kTableBytes, 1, 972));
    context.GetConfiguration()->Add(tables);
    context.SetJobValue(7);
    context.SetDocument(u"report", u"LPT1:", "data");

    ASSERT_EQ(context.BeginDocument(), 0);
    ASSERT_EQ(context.device.played, std::vector<std::string>{"DocumentStart"});
    const GCountedPtr& state = context.device.states[0];
    EXPECT_EQ(state->GetId(), 246u);
    EXPECT_EQ(ValueOf(state.Get(), 1012), uint16_t{1}); // LPT1: is a local port
    EXPECT_EQ(ValueOf(state.Get(), 600), uint16_t{7});
    EXPECT_EQ(ValueOf(state.Get(), 247), uint16_t{3}); // the device collates
    EXPECT_EQ(ValueOf(state.Get(), 291), uint16_t{3});
    EXPECT_EQ(ValueOf(context.group363, 257), uint16_t{1});
    for (uint32_t id : {293, 296, 295, 304, 910, 911})
        EXPECT_NE(SettingOf(state, id), nullptr) << id;
    EXPECT_EQ(SettingOf(state, 570), nullptr); // PostScript only
    EXPECT_EQ(SettingOf(state, 260), nullptr);
    const GMedia* media = MediaOf(state.Get(), 259);
    ASSERT_NE(media, nullptr);
    EXPECT_EQ(media->GetSize(), (GShortPair{5100, 6600}));
    EXPECT_EQ(media->GetMediaType(), "Plain");
    EXPECT_TRUE(context.origins.empty());                        // no page yet
    EXPECT_EQ(ValueOf(SettingOf(state, 379), 382), uint16_t{2}); // no watermark
    EXPECT_EQ(context.GetGrayFunction().GetMode(), GGrayConversion::kTable);
    EXPECT_EQ(context.IsDocumentStarted(), 1u);

    const GCountedPtr start = context.StartDocument(u"other", u"FILE:");
    const auto* command = start.As<GDocumentStart>();
    EXPECT_EQ(command->GetJobContext(), &context);
    EXPECT_EQ(command->GetDocumentName(), RWWString(u"other"));
    EXPECT_EQ(command->GetDestination(), RWWString(u"FILE:"));
    EXPECT_EQ(command->GetJobName(), "data");
}

TEST_F(GJobContextDocumentTest, PortKindIsLocalForLptUsbAndDot4) {
    const std::vector<std::pair<const char16_t*, uint16_t>> cases = {
        {u"LPT1:", 1},  {u"USB001", 1}, {u"DOT4_001", 1}, {u"FILE:", 3},
        {u"XLPT1:", 3}, {u"lpt1:", 3},  {u"", 3},
    };
    for (const auto& [port, kind] : cases) {
        context.SetNames(u"Printer", u"Driver", port);
        const std::unique_ptr<GState> settings = context.BuildJobSettings();
        EXPECT_EQ(ValueOf(settings.get(), 1012), kind);
    }
}

TEST_F(GJobContextDocumentTest, FirstPageAndBookletPapersBecomeMedia) {
    TestJobContext::Set(context.group362, 270, 1);
    TestJobContext::Set(context.group362, 272, kCustom);
    TestJobContext::Set(context.group362, 279, 2);
    TestJobContext::Set(context.group362, 280, kLetter);
    std::unique_ptr<GState> settings = context.BuildJobSettings();
    EXPECT_EQ(MediaOf(settings.get(), 273)->GetSize(), (GShortPair{2400, 3600}));
    EXPECT_EQ(MediaOf(settings.get(), 281)->GetPaperId(), kLetter);
    EXPECT_EQ(SettingOf(GCountedPtr(settings.release()), 272), nullptr);

    // An unknown paper, and booklets while a PostScript writer lays pages
    // out, switch the setting off.
    TestJobContext::Set(context.group362, 272, 99);
    context.SetWriter(GJobContext::kPostScriptWriterClass);
    context.SetApplicationFlags(0x20000);
    context.SetUpJob();
    ASSERT_EQ(context.IsPageLayoutActive(), 1u);
    settings = context.BuildJobSettings();
    EXPECT_EQ(ValueOf(settings.get(), 270), uint16_t{0});
    EXPECT_EQ(ValueOf(settings.get(), 279), uint16_t{0});
    EXPECT_EQ(settings->FindById(273), nullptr);
    EXPECT_EQ(settings->FindById(281), nullptr);
    EXPECT_EQ(settings->FindById(280), nullptr);
}

TEST_F(GJobContextDocumentTest, PostScriptSettingsAndTheChosenWatermark) {
    context.SetWriter(GJobContext::kPostScriptWriterClass);
    context.SetUpJob();
    TestJobContext::Set(context.group364, 570, 1);
    TestJobContext::Set(context.group364, 608, 3);
    auto* choice = new GAttributeComposite(379);
    TestJobContext::Set(choice, 382, 1);
    TestJobContext::Set(choice, 381, 1);
    TestJobContext::SetText(choice, 383, "Draft");
    context.group364->Add(choice);
    auto* list = new GAttributeComposite(378);
    for (const char* name : {"Secret", "Draft"}) {
        auto* definition = new GAttributeComposite(380);
        TestJobContext::SetText(definition, 384, name);
        TestJobContext::SetText(definition, 385, name);
        list->Add(definition);
    }
    context.group366->Add(list);

    EXPECT_EQ(context.HasWatermarks(), 1);
    const std::unique_ptr<GState> settings = context.BuildJobSettings();
    EXPECT_EQ(ValueOf(settings.get(), 570), uint16_t{1});
    EXPECT_EQ(ValueOf(settings.get(), 608), uint16_t{3});
    MPersistentObject* watermark = settings->FindById(379);
    ASSERT_NE(watermark, nullptr);
    EXPECT_EQ(GSettingValues::FindText(watermark, 385)->GetValue(), "Draft");

    TestJobContext::Set(choice, 382, 2);
    EXPECT_EQ(context.HasWatermarks(), 0);
    EXPECT_EQ(context.FindWatermark(), nullptr);
}

TEST_F(GJobContextDocumentTest, BeginningWithoutADocumentOrOnAFailingDeviceFailsTheJob) {
    EXPECT_EQ(context.BeginDocument(), GJobContext::kNoDocumentPending);
    EXPECT_EQ(context.GetJobStatus(), GJobContext::kJobFailed);
    EXPECT_TRUE(context.device.played.empty());

    context.SetUpJob();
    context.device.status = 0x21;
    context.SetDocument(u"report", u"LPT1:", "");
    EXPECT_EQ(context.BeginDocument(), 0x21);
    EXPECT_EQ(context.device.played, (std::vector<std::string>{"DocumentStart", "JobAbort"}));
    EXPECT_EQ(context.GetJobStatus(), GJobContext::kJobFailed);

    // The next document resets the tree the last one opened.
    context.device.status = 0;
    context.SetDocument(u"report", u"LPT1:", "");
    EXPECT_EQ(context.BeginDocument(), 0);
    EXPECT_EQ(context.device.resets, 1);
}

struct SourceCase {
    bool duplex;
    std::optional<uint16_t> perSheet; // 329's 266
    uint16_t booklet;
    uint32_t firstPageFlag;
    std::vector<uint16_t> sources; // 258 of pages 1, 2, ...
};

TEST_F(GJobContextDocumentTest, LaterPagesTakeTheirOwnSourceAfterTheFirstSheet) {
    const std::vector<SourceCase> cases = {
        {true, 2, 0, 0, {7, 7, 7, 7, 9}}, // page 3 is still on the first sheet (limit 4)
        {true, std::nullopt, 0, 0, {7, 7, 9}},
        {true, 2, 1, 0, {7, 9}}, // booklets: the first page only
        {false, 2, 0, 0, {7, 9, 9}},
        {true, 2, 0, 1, {7, 7, 7, 7, 7}}, // the first page's source throughout
    };
    for (const SourceCase& item : cases) {
        TestJobContext::Set(context.group362, 253, item.duplex ? 1 : 0);
        TestJobContext::Set(context.group362, 279, item.booklet);
        context.layout->RemoveById(266);
        if (item.perSheet) TestJobContext::Set(context.layout, 266, *item.perSheet);
        TestJobContext::Set(context.group364, 264, 1);
        TestJobContext::Set(context.group364, 258, 7);
        TestJobContext::Set(context.group364, 263, 9);
        context.SetFirstPageFlag(item.firstPageFlag);
        context.StartDocument(u"report", u"LPT1:");
        std::vector<uint16_t> sources;
        for (size_t page = 0; page < item.sources.size(); ++page) {
            const GCountedPtr state = NextPageState();
            sources.push_back(ValueOf(state.Get(), 258).value_or(0));
            EXPECT_EQ(SettingOf(state, 263), nullptr);
        }
        EXPECT_EQ(sources, item.sources)
            << item.duplex << " " << item.perSheet.value_or(0) << " " << item.booklet;
    }
}

TEST_F(GJobContextDocumentTest, PageStartCarriesThePageSettingsAndItsMedia) {
    TestJobContext::Set(context.group363, 257, 2);
    TestJobContext::Set(context.group362, 253, 1);
    TestJobContext::Set(context.group364, 264, 1);
    TestJobContext::SetText(context.group364, 261, "Glossy");
    TestJobContext::SetText(context.group364, 262, "Plain");
    context.StartDocument(u"report", u"LPT1:");
    GCountedPtr state = NextPageState();
    EXPECT_EQ(state->GetId(), 256u);
    EXPECT_EQ(context.GetPageNumber(), 1u);
    EXPECT_EQ(ValueOf(state.Get(), 257), uint16_t{2});
    EXPECT_EQ(ValueOf(state.Get(), 253), uint16_t{1});
    EXPECT_EQ(ValueOf(state.Get(), 265), uint16_t{0});
    EXPECT_EQ(ValueOf(SettingOf(state, 249), 323), uint16_t{600});
    EXPECT_EQ(SettingOf(state, 260), nullptr);
    EXPECT_EQ(MediaOf(state.Get(), 259)->GetMediaType(), "Glossy");
    EXPECT_EQ(context.origins, (std::vector<GShortPair>{{100, 100}}));
    NextPageState();
    state = NextPageState(); // page 3: past the first sheet (limit 2)
    EXPECT_EQ(MediaOf(state.Get(), 259)->GetMediaType(), "Plain");

    // A paper the pool lacks stays a paper setting.
    TestJobContext::Set(context.group362, 260, 77);
    state = NextPageState();
    EXPECT_EQ(ValueOf(state.Get(), 260), uint16_t{77});
    EXPECT_EQ(SettingOf(state, 259), nullptr);

    const GCountedPtr end = context.MakePageEnd();
    EXPECT_EQ(end.As<GCommand>()->IsA(), GPageEnd::kClassId);
    GState* endState = end.As<GCommand>()->GetState();
    EXPECT_EQ(endState->GetId(), 256u);
    EXPECT_EQ(endState->GetCount(), 1u);
    EXPECT_EQ(ValueOf(endState, 257), uint16_t{2});
    EXPECT_EQ(context.GetPageMark(), GJobContext::kNoPageMark);
}

TEST_F(GJobContextDocumentTest, PagesAreScaledByTheDeviceTree) {
    context.AddCapability(135, {});
    context.SetUpJob();
    ASSERT_EQ(context.GetPageScaling(), 1u);
    context.StartDocument(u"report", u"LPT1:");
    const std::vector<std::pair<GScalePair, uint32_t>> cases = {
        {{0.5f, 0.5f}, 1}, {{1.0f, 1.0f}, 0}, {{0.0f, 0.0f}, 0}, {{1.0f, 0.0f}, 1}};
    MPersistentObject* composed = nullptr;
    for (const auto& [scale, scaled] : cases) {
        context.device.scale = scale;
        NextPageState();
        EXPECT_EQ(context.IsPageScaled(), scaled);
        EXPECT_EQ(context.GetPageScale().x, scale.x);
        if (composed == nullptr) composed = context.device.scaleSettings;
        EXPECT_EQ(context.device.scaleSettings, composed); // composed once
    }
    EXPECT_EQ(context.device.scaledPages, (std::vector<uint32_t>{1, 2, 3, 4}));
    EXPECT_EQ(ValueOf(composed, 1012), uint16_t{1});

    // Only a page that was not scaled is marked (a refusal shows the try).
    context.readiness = 6;
    EXPECT_EQ(context.MarkUnscaledPage(), 0);
    context.MakePageEnd();
    EXPECT_EQ(context.MarkUnscaledPage(), 6);
}

TEST_F(GJobContextDocumentTest, MediaInTheDocumentsResolutionAndOrientation) {
    std::unique_ptr<GMedia> media = context.MakeMedia(kLetter);
    ASSERT_NE(media, nullptr);
    EXPECT_EQ(media->GetSize(), (GShortPair{5100, 6600}));
    TestJobContext::Set(context.group362, 265, 90);
    media = context.MakeMedia(kLetter);
    EXPECT_EQ(media->GetSize(), (GShortPair{6600, 5100}));
    media = context.MakeMedia(kCustom);
    ASSERT_NE(media, nullptr);
    EXPECT_EQ(media->GetSize(), (GShortPair{3600, 2400}));
    EXPECT_EQ(context.MakeMedia(16390), nullptr);
    EXPECT_EQ(context.MakeMedia(77), nullptr);
    EXPECT_EQ(context.MakeMediaFor(kLetter, 300, 300, 0), nullptr);
}

struct ShrinkCase {
    int32_t orientation;
    uint16_t side; // 501, 1/10000 inch
    uint16_t top;  // 502
    GShortPair imageable;
    GShortPair origin;
};

TEST_F(GJobContextDocumentTest, ShrinkingKeepsThePrintersMarginsAndNeverGoesNegative) {
    const std::vector<ShrinkCase> cases = {
        {0, 1000, 2000, {5100 - 120, 6600 - 240}, {60, 120}},
        {90, 1000, 2000, {6600 - 240, 5100 - 120}, {120, 60}},
        {0, 60000, 0, {0, 6600}, {3600, 0}},
    };
    TestJobContext::Set(context.GetSettings(), 442, 1);
    for (const ShrinkCase& item : cases) {
        TestJobContext::Set(context.configuration, 501, item.side);
        TestJobContext::Set(context.configuration, 502, item.top);
        TestJobContext::SetText(context.group364, 261, "x");
        const std::unique_ptr<GMedia> media = context.MakeMediaFor(kLetter, 600, 600, item.orientation);
        ASSERT_NE(media, nullptr);
        EXPECT_EQ(media->GetImageableSize(), item.imageable) << item.orientation << " " << item.side;
        EXPECT_EQ(media->GetImageableOrigin(), item.origin);
        EXPECT_EQ(media->GetOrientation(), item.orientation);
        EXPECT_EQ(media->GetId(), GSettingId::kPoolMedia);
    }
}

TEST_F(GJobContextDocumentTest, RotatingMediaToItsOwnOrientationChangesNothing) {
    for (uint16_t paper : {kLetter, kCustom}) {
        std::unique_ptr<GMedia> media = context.MakeMediaFor(paper, 600, 600, 0);
        ASSERT_NE(media, nullptr);
        media->SetId(259);
        const GShortPair upright = media->GetSize();
        for (int32_t same : {0, 360, -360}) {
            context.RotateMedia(*media, same);
            EXPECT_EQ(media->GetSize(), upright);
            EXPECT_EQ(media->GetOrientation(), 0);
        }
        context.RotateMedia(*media, 90);
        EXPECT_EQ(media->GetSize(), (GShortPair{upright.y, upright.x}));
        EXPECT_EQ(media->GetOrientation(), 90);
        EXPECT_EQ(media->GetId(), 259u);
    }
}

TEST_F(GJobContextDocumentTest, LetterheadAloneOnItsSheetIsPrintedDuplexWithABlankBack) {
    TestJobContext::Set(context.group365, 1212, 1);
    TestJobContext::Set(context.layout, 266, 1);
    struct Case {
        const char* type;
        uint16_t duplex;
        uint16_t duplexAfter;
        std::vector<std::string> played; // after the page start
    };
    const std::vector<Case> cases = {
        {"Letterhead", 0, 2, {"PageStart", "PageStart", "PageEnd"}},
        {"Preprinted", 0, 2, {"PageStart", "PageStart", "PageEnd"}},
        {"Letterhead", 1, 1, {"PageStart"}},
        {"letterhead", 0, 0, {"PageStart"}},
    };
    for (const Case& item : cases) {
        context.device.played.clear();
        context.device.states.clear();
        TestJobContext::SetText(context.group364, 261, item.type);
        TestJobContext::Set(context.group362, 253, item.duplex);
        context.StartDocument(u"report", u"LPT1:");
        context.SetPageStartPending();
        ASSERT_EQ(context.FlushPageStart(), 0);
        EXPECT_EQ(context.IsPageOpen(), 1u);
        EXPECT_EQ(ValueOf(context.device.states[0].Get(), 253), item.duplexAfter) << item.type;
        EXPECT_EQ(context.EmitBlankBackPage(), 0);
        EXPECT_EQ(context.device.played, item.played) << item.type << " " << item.duplex;
        EXPECT_EQ(context.GetPageNumber(), 1u);
        EXPECT_EQ(context.GetLetterheadFlag(), 0u);
    }
}

TEST_F(GJobContextDocumentTest, SubmittingFlushesTheOwedPageStartUnlessRefused) {
    context.StartDocument(u"report", u"LPT1:");
    context.SetPageStartPending();
    context.readiness = 5;
    EXPECT_EQ(context.SubmitCommand(GCountedPtr(new GPageEnd())), 5);
    EXPECT_TRUE(context.device.played.empty());
    context.readiness = 0;
    EXPECT_EQ(context.SubmitCommand(GCountedPtr(new GPageEnd())), 0);
    EXPECT_EQ(context.device.played, (std::vector<std::string>{"PageStart", "PageEnd"}));
    EXPECT_EQ(context.SubmitCommand(GCountedPtr(new GPageEnd())), 0);
    EXPECT_EQ(context.device.played.size(), 3u);
}

TEST_F(GJobContextDocumentTest, CopiesAreClampedToThePrintersRange) {
    context.GetConfiguration()->Add(new GRangeAttribute(1, 99, 1, 1, 199));
    TestJobContext::Set(context.group364, 291, 4);
    const std::vector<std::pair<int16_t, int16_t>> cases = {{-5, 1}, {150, 99}, {7, 7}};
    uint16_t before = 4;
    for (const auto& [asked, given] : cases) {
        int16_t copies = asked;
        EXPECT_EQ(context.SetCopies(&copies), before);
        EXPECT_EQ(copies, given);
        EXPECT_EQ(ValueOf(context.group364, 291), static_cast<uint16_t>(given));
        EXPECT_EQ(ValueOf(context.group363, 257), static_cast<uint16_t>(given)); // the host makes them
        before = static_cast<uint16_t>(given);
    }
    EXPECT_EQ(context.SetCopies(nullptr), 0);
}

TEST_F(GJobContextDocumentTest, GreyConversionFromTheConfigurationsData) {
    auto* tables = new MPersistentComposite(970);
    uint8_t* weights = new uint8_t[4]{8, 0, 0, 255}; // blue only
    tables->Add(new GBinaryData(weights, 4, 1, 971));
    context.GetConfiguration()->Add(tables);
    context.SelectGrayConversion(GGrayConversion::kWeighted);
    EXPECT_EQ(context.GetGrayFunction().Gray(255, 255, 0), 0);
    context.SelectGrayConversion(GGrayConversion::kTable); // no 972
    EXPECT_EQ(context.GetGrayFunction().GetMode(), GGrayConversion::kDefault);
    EXPECT_EQ(context.GetGrayFunction().Gray(0, 0, 0), 0);
    EXPECT_EQ(context.GetGrayFunction().Gray(255, 255, 255), 255);
}

} // namespace
