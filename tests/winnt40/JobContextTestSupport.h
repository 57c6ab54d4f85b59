#pragma once
// A job context made only for the tests, over a printer and document
// settings the test fills in: the configuration tree (node 76 with its
// configuration 198, its writer and the capability node 112), the document
// settings (groups 362 with 249, 329 and the orientation inside it, 363, 364,
// 365, 366), a device that records what the job sends, and platform
// services with a fixed clock and printer data held in memory.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "driver/GDateTime.h"
#include "driver/GOSFactory.h"
#include "driver/GSettingValues.h"
#include "job/GDocumentEnd.h"
#include "job/GDocumentStart.h"
#include "job/GJobAbort.h"
#include "job/GJobContext.h"
#include "job/GPageEnd.h"
#include "job/GPageStart.h"
#include "model/GAttributeComposite.h"
#include "model/GCapabilities.h"
#include "model/GSettingIds.h"
#include "model/GState.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentComposite.h"
#include "paper/GMedia.h"
#include "paper/GMediaPool.h"
#include "pipeline/GPeripheral.h"
#include "winnt40/GNT40OSFactory.h"

namespace jobcontexttest {

// The platform at 2004-05-06 07:08:09 (or no time at all), with printer
// data values by name.
class JobPlatform : public GNT40OSFactory {
public:
    int GetDateTime(GDateTime* local, GDateTime* shifted, int16_t* offset) override {
        if (!hasTime) return 0;
        const GDateTime time{2004, 5, 6, 7, 8, 9, 0, 4};
        if (local != nullptr) *local = time;
        if (shifted != nullptr) *shifted = time;
        if (offset != nullptr) *offset = 0;
        return 1;
    }
    uint32_t GetPrinterDataDword(GDriverContext*, const RWWString& name, uint32_t fallback) override {
        auto found = dwords.find(std::u16string(name.Data(), name.Length()));
        return found != dwords.end() ? found->second : fallback;
    }
    RWWString GetPrinterDataString(GDriverContext*, const RWWString& name,
                                   const RWWString& fallback) override {
        auto found = strings.find(std::u16string(name.Data(), name.Length()));
        return found != strings.end() ? RWWString(found->second.c_str()) : fallback;
    }

    bool hasTime = true;
    std::map<std::u16string, uint32_t> dwords;
    std::map<std::u16string, std::u16string> strings;
};

// Installs a JobPlatform for the life of the fixture.
class PlatformScope {
public:
    PlatformScope() {
        auto factory = std::make_unique<JobPlatform>();
        platform = factory.get();
        GOSFactory::Install(std::move(factory));
    }
    ~PlatformScope() { GOSFactory::Install(nullptr); }
    PlatformScope(const PlatformScope&) = delete;
    PlatformScope& operator=(const PlatformScope&) = delete;
    JobPlatform* platform = nullptr;
};

// Records every command the job sends, with the settings each carried, and
// answers a scale and a readiness the test chooses.
class JobDevice : public GPeripheral {
public:
    uint16_t OnDocumentStart(GDocumentStart& command) override { return Record("DocumentStart", command); }
    uint16_t OnDocumentEnd(GDocumentEnd& command) override { return Record("DocumentEnd", command); }
    uint16_t OnPageStart(GPageStart& command) override { return Record("PageStart", command); }
    uint16_t OnPageEnd(GPageEnd& command) override { return Record("PageEnd", command); }
    uint16_t OnJobAbort(GJobAbort& command) override { return Record("JobAbort", command); }
    int IsReady() const override { return ready; }
    GScalePair GetDefaultScale(MPersistentObject* settings, MPersistentObject*, uint32_t page,
                               uint32_t*) override {
        scaleSettings = settings;
        scaledPages.push_back(page);
        return scale;
    }
    void Reset() override {
        ++resets;
        GPeripheral::Reset();
    }

    std::vector<std::string> played;
    std::vector<GCountedPtr> states; // the state each played command carried
    std::vector<GCountedPtr> commands;
    uint16_t status = 0;
    int ready = 1;
    int resets = 0;
    GScalePair scale;
    MPersistentObject* scaleSettings = nullptr;
    std::vector<uint32_t> scaledPages;

private:
    uint16_t Record(const char* what, GCommand& command) {
        played.push_back(what);
        states.push_back(command.GetStateRef());
        return status;
    }
};

// A page-description writer of a class (767 PCL XL, 768 PostScript, or
// another kind of 765).
class TestWriter : public MPersistentObject {
public:
    explicit TestWriter(RWClassID classId) : classId_(classId) {}
    RWClassID IsA() const override { return classId_; }
    bool IsKindOf(RWClassID classId) const override {
        return classId == classId_ || classId == GDriverContext::kWriterKind ||
               MPersistentObject::IsKindOf(classId);
    }

private:
    RWClassID classId_;
};

class TestJobContext : public GJobContext {
public:
    TestJobContext() : GDriverContext(u"Printer", u"Driver", u"LPT1:") {
        auto* root = new MPersistentComposite(353);
        printer_ = new MPersistentComposite(GSettingId::kPrinterNode);
        configuration = new MPersistentComposite(GSettingId::kPeripheralConfiguration);
        capabilities = new MPersistentComposite(112);
        pool = new GMediaPool(189);
        configuration->Add(capabilities);
        configuration->Add(pool);
        printer_->Add(configuration);
        root->Add(printer_);
        SetConfiguration(root);

        auto* settings = new GAttributeComposite(360);
        group362 = NewGroup(settings, GSettingId::kPrintingGroup);
        resolution = NewGroup(group362, 249);
        layout = NewGroup(group362, GSettingId::kPagesPerSheetGroup);
        group363 = NewGroup(settings, GSettingId::kPageGroup);
        group364 = NewGroup(settings, GSettingId::kDocumentGroup);
        group365 = NewGroup(settings, GSettingId::kInstalledOptionsGroup);
        group366 = NewGroup(settings, GSettingId::kWatermarksGroup);
        SetSettings(settings);
    }

    uint32_t GetJobKey() const override { return 5; }
    GPeripheral* GetConfigurationTree() override { return hasDevice ? &device : nullptr; }
    uint16_t CheckReadyToSend() override { return readiness; }
    GAttribute* MakeOriginTransform(int16_t x, int16_t y) override {
        origins.push_back({x, y});
        return nullptr;
    }

    // The printer's writer of classId (0: none).
    void SetWriter(RWClassID classId) {
        if (writer_ != nullptr) printer_->Remove(writer_);
        writer_ = classId != 0 ? new TestWriter(classId) : nullptr;
        if (writer_ != nullptr) printer_->Add(writer_);
    }
    // Capability id with the given bits set.
    void AddCapability(uint32_t id, std::vector<uint32_t> bits) {
        auto* capability = new GCapabilities(id, 32);
        for (uint32_t bit : bits)
            capability->SetBit(bit);
        capabilities->Add(capability);
    }
    static void Set(MPersistentObject* group, uint32_t id, uint16_t value) {
        if (!GSettingValues::Set(group, id, value)) group->Add(new GValueAttribute(value, id));
    }
    static void SetText(MPersistentObject* group, uint32_t id, const char* text) {
        if (GStringAttribute* found = GSettingValues::FindText(group, id))
            found->SetValue(text);
        else
            group->Add(new GStringAttribute(text, id));
    }

    JobDevice device;
    bool hasDevice = true;
    uint16_t readiness = 0;
    MPersistentComposite* configuration = nullptr;
    MPersistentComposite* capabilities = nullptr;
    GMediaPool* pool = nullptr;
    GAttributeComposite* group362 = nullptr;
    GAttributeComposite* resolution = nullptr;
    GAttributeComposite* layout = nullptr;
    GAttributeComposite* group363 = nullptr;
    GAttributeComposite* group364 = nullptr;
    GAttributeComposite* group365 = nullptr;
    GAttributeComposite* group366 = nullptr;
    std::vector<GShortPair> origins;

private:
    static GAttributeComposite* NewGroup(MPersistentObject* parent, uint32_t id) {
        auto* group = new GAttributeComposite(id);
        parent->Add(group);
        return group;
    }

    MPersistentComposite* printer_ = nullptr;
    MPersistentObject* writer_ = nullptr;
};

// The setting id of a command state the device recorded, or null.
inline MPersistentObject* SettingOf(const GCountedPtr& state, uint32_t id) {
    return state ? state->FindById(id) : nullptr;
}

} // namespace jobcontexttest
