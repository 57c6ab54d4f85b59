// The add-on proxy with an add-on library the tests build
// (tests/device/modules/qvaddon.cpp): when libraries are loaded (only on a
// command, only as the mode allows, only from the driver's folder), the
// entries and their pointer-sized arguments, and restores that load nothing.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "device/GPeripheralComposite.h"
#include "device/GPeripheralProxy.h"
#include "driver/GOSFactory.h"
#include "job/GDocumentEnd.h"
#include "job/GDocumentStart.h"
#include "job/GPageStart.h"
#include "model/GAttributeComposite.h"
#include "model/GSettingIds.h"
#include "model/GStringAttribute.h"
#include "model/MPersistentComposite.h"
#include "tests/device/JobTestSupport.h"
#include "tests/driver/modules/TestModuleLog.h"
#include "tests/paper/PaperBytes.h"
#include "winapi/WinModule.h"
#include "winapi/WinReg.h"
#include "winapi/host/WinHostStore.h"
#include "winnt40/GNT40OSFactory.h"

using namespace jobtest;
using leaftest::Carrier;

namespace {

// What the add-on devices the library asks for are handed.
CallLog gAddOnLog;
int gAddOnsAlive = 0;

class AddOnDevice : public RecordingDevice {
public:
    AddOnDevice() : RecordingDevice("addon", &gAddOnLog) { ++gAddOnsAlive; }
    ~AddOnDevice() override { --gAddOnsAlive; }
};

} // namespace

// The library's entries call these (the test program exports them).
extern "C" __attribute__((visibility("default"))) void* QvTestMakeAddOn() {
    return static_cast<GPeripheral*>(new AddOnDevice());
}

extern "C" __attribute__((visibility("default"))) void QvTestDestroyAddOn(void* device) {
    delete static_cast<GPeripheral*>(device);
}

namespace {

constexpr const char16_t* kDriverFolder = u"C:\\QVDRV";

// The platform services with the driver's folder the tests choose.
class FolderFactory : public GNT40OSFactory {
public:
    RWWString GetModuleFolder() override { return kDriverFolder; }
};

class GPeripheralProxyTest : public ::testing::Test {
protected:
    void SetUp() override {
        WinHostStore::Instance().RegisterModule(u"QVADDON.DLL", QV_TEST_MODULE_DIR "/libqvaddon.so",
                                                u"C:\\QVDRV\\QVADDON.DLL");
        GOSFactory::Install(std::make_unique<FolderFactory>());
        gAddOnLog.clear();
        gAddOnsAlive = 0;
    }
    void TearDown() override {
        GOSFactory::Install(nullptr);
        EXPECT_EQ(gAddOnsAlive, 0);
        EXPECT_FALSE(Loaded());
    }

    // The library's loading, entry calls and unloading so far.
    static std::u16string LibraryLog() { return testmodule::Read(u"qvaddon"); }

    static bool Loaded() { return GetModuleHandleW(u"QVADDON.DLL") != nullptr; }
};

} // namespace

TEST_F(GPeripheralProxyTest, EntryNamesFollowThePdlKind) {
    const char16_t* names[][2] = {{u"_C_GENERIC_ADDON", u"_D_GENERIC_ADDON"},
                                  {u"_C_PCLXL_ADDON", u"_D_PCLXL_ADDON"},
                                  {u"_C_PCL_ADDON", u"_D_PCL_ADDON"},
                                  {u"_C_PS_ADDON", u"_D_PS_ADDON"},
                                  {u"_C_PJL_ADDON", u"_D_PJL_ADDON"}};
    for (uint32_t kind = 0; kind < 5; ++kind) {
        GPeripheralProxy proxy(u"QVADDON.DLL", kind, 0);
        EXPECT_EQ(proxy.GetCreateEntryName(), RWWString(names[kind][0]));
        EXPECT_EQ(proxy.GetDestroyEntryName(), RWWString(names[kind][1]));
    }
    // Kind 6 (none): no names, never a device.
    GPeripheralProxy none(u"QVADDON.DLL", 6, 0);
    EXPECT_TRUE(none.GetCreateEntryName().IsNull());
    EXPECT_EQ(none.MayServe(), 0);
    GCountedPtr page(new GPageStart());
    EXPECT_EQ(none.Process(page).Get(), page.Get());
    EXPECT_EQ(none.HoldsAddOn(), 0);
    EXPECT_TRUE(LibraryLog().empty());
    EXPECT_TRUE(none.IsKindOf(779) && none.IsKindOf(760));
}

TEST_F(GPeripheralProxyTest, ModeZeroLoadsPlaysAndUnloadsForEachCommand) {
    GPeripheralProxy proxy(u"QVADDON.DLL", GPeripheral::kPdlPcl, GPeripheral::kAddOnPerCommand);
    EXPECT_TRUE(LibraryLog().empty()); // building loads nothing
    EXPECT_EQ(proxy.MayServe(), 1);

    GCountedPtr page(new GPageStart());
    EXPECT_EQ(proxy.Process(page).Get(), page.Get());
    EXPECT_EQ(LibraryLog(), u"attach;create;destroy;detach;");
    EXPECT_FALSE(Loaded());
    EXPECT_EQ(proxy.HoldsAddOn(), 0);
    proxy.Process(GCountedPtr(new GDocumentEnd()));
    EXPECT_EQ(LibraryLog(), u"attach;create;destroy;detach;attach;create;destroy;detach;");
    EXPECT_EQ(gAddOnLog, (std::vector<std::string>{"addon:OnPageStart", "addon:OnDocumentEnd"}));
}

TEST_F(GPeripheralProxyTest, ModeOneLoadsAtTheFirstCommandAndKeepsTheLibrary) {
    {
        GPeripheralProxy proxy(u"C:\\qvdrv\\qvaddon.dll", GPeripheral::kPdlPcl, GPeripheral::kAddOnAtBuild);
        EXPECT_TRUE(LibraryLog().empty());
        proxy.Process(GCountedPtr(new GPageStart()));
        proxy.Process(GCountedPtr(new GPageStart()));
        EXPECT_EQ(LibraryLog(), u"attach;create;");
        EXPECT_EQ(proxy.HoldsAddOn(), 1);
        EXPECT_EQ(gAddOnLog.size(), 2u);

        // A library's device is not saved with the proxy: restoring loads
        // nothing and holds nothing.
        for (Carrier carrier : leaftest::kCarriers) {
            SCOPED_TRACE(leaftest::CarrierName(carrier));
            const std::string bytes = papertest::Save(proxy, carrier);
            GCountedPtr restored(papertest::Restore(bytes, carrier).release());
            auto* copy = restored.As<GPeripheralProxy>();
            ASSERT_NE(copy, nullptr);
            EXPECT_EQ(copy->HoldsAddOn(), 0);
            EXPECT_EQ(copy->GetMode(), 1u);
            EXPECT_EQ(copy->GetPath(), RWWString(u"C:\\qvdrv\\qvaddon.dll"));
            if (carrier == Carrier::File) {
                EXPECT_EQ(proxy.RecursiveStoreSize(), bytes.size());
            }
        }
        EXPECT_EQ(LibraryLog(), u"attach;create;");
    }
    EXPECT_EQ(LibraryLog(), u"attach;create;destroy;detach;");
}

TEST_F(GPeripheralProxyTest, ModeTwoNeverLoads) {
    GPeripheralProxy proxy(u"QVADDON.DLL", GPeripheral::kPdlPcl, GPeripheral::kAddOnNever);
    GCountedPtr page(new GPageStart());
    EXPECT_EQ(proxy.Process(page).Get(), page.Get());
    EXPECT_EQ(proxy.MayServe(), 0);
    EXPECT_TRUE(LibraryLog().empty());
}

TEST_F(GPeripheralProxyTest, OnlyTheDriversFolderIsLoadedFrom) {
    struct Case {
        const char16_t* path;
        bool served;
    };
    const Case cases[] = {
        {u"QVADDON.DLL", true},
        {u"C:\\QVDRV\\QVADDON.DLL", true},
        {u"c:/qvdrv/QVADDON.DLL", true},
        {u"D:\\OTHER\\QVADDON.DLL", false},
        {u"C:\\QVDRV\\..\\x\\QVADDON.DLL", false},
        {u"C:\\QVDRV\\..", false},
        {u"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(RWWString(c.path).ToAscii().Data()));
        GPeripheralProxy proxy(c.path, GPeripheral::kPdlPcl, GPeripheral::kAddOnPerCommand);
        EXPECT_EQ(proxy.MayServe(), c.served ? 1 : 0);
        proxy.Process(GCountedPtr(new GPageStart()));
        EXPECT_EQ(!LibraryLog().empty(), c.served);
        RegDeleteKeyW(HKEY_CURRENT_USER, u"Software\\QVTest");
    }
    // Without the platform services there is no driver folder: nothing loads.
    GOSFactory::Install(nullptr);
    GPeripheralProxy proxy(u"QVADDON.DLL", GPeripheral::kPdlPcl, GPeripheral::kAddOnPerCommand);
    EXPECT_EQ(proxy.MayServe(), 0);
    proxy.Process(GCountedPtr(new GPageStart()));
    EXPECT_TRUE(LibraryLog().empty());
}

TEST_F(GPeripheralProxyTest, RestoringASavedProxyLoadsNothing) {
    GPeripheralProxy proxy(u"QVADDON.DLL", GPeripheral::kPdlPcl, GPeripheral::kAddOnPerCommand);
    proxy.Process(GCountedPtr(new GPageStart()));
    RegDeleteKeyW(HKEY_CURRENT_USER, u"Software\\QVTest");
    for (Carrier carrier : leaftest::kCarriers) {
        SCOPED_TRACE(leaftest::CarrierName(carrier));
        const std::string bytes = papertest::Save(proxy, carrier);
        GCountedPtr restored(papertest::Restore(bytes, carrier).release());
        auto* copy = restored.As<GPeripheralProxy>();
        ASSERT_NE(copy, nullptr);
        EXPECT_TRUE(copy->IsEqualId(&proxy));
        EXPECT_EQ(copy->HoldsAddOn(), 0);
        EXPECT_TRUE(LibraryLog().empty());
        if (carrier == Carrier::Raw || carrier == Carrier::File) {
            EXPECT_EQ(papertest::Save(*copy, carrier), bytes);
        }
    }
}

TEST_F(GPeripheralProxyTest, AChainRebuildsItsAddOnsInFrontAndDropsThemAtDocumentEnd) {
    CallLog log;
    GPeripheralComposite chain(u"chain", nullptr, nullptr, 0, 64, GPeripheral::kPdlPcl,
                               GPeripheral::kAddOnPerCommand);
    auto* group = new MPersistentComposite(GSettingId::kPeripheralConfiguration);
    auto* list = new GAttributeComposite(64);
    list->Add(new GStringAttribute("QVADDON.DLL", 1));
    list->Add(new GStringAttribute("D:\\ELSEWHERE\\EVIL.DLL", 2)); // refused: never built into the chain
    group->Add(list);
    chain.SetChildren(group);
    auto* device = new RecordingDevice("device", &log);
    chain.Add(device);

    chain.Process(GCountedPtr(new GDocumentStart()));
    std::vector<GPeripheral*> children = chain.GetAllChildren();
    ASSERT_EQ(children.size(), 2u);
    EXPECT_EQ(children[0]->IsA(), GPeripheralProxy::kClassId);
    EXPECT_EQ(children[1], device);
    EXPECT_EQ(chain.GetActiveChildren().size(), 2u);
    // The document start itself went through the add-on, loaded for it alone.
    EXPECT_EQ(gAddOnLog, std::vector<std::string>{"addon:OnDocumentStart"});
    EXPECT_EQ(LibraryLog(), u"attach;create;destroy;detach;");

    chain.Process(GCountedPtr(new GPageStart()));
    EXPECT_EQ(gAddOnLog.back(), "addon:OnPageStart");
    EXPECT_EQ(log.back(), "device:OnPageStart");

    chain.Process(GCountedPtr(new GDocumentEnd()));
    EXPECT_EQ(chain.GetAllChildren(), std::vector<GPeripheral*>{device});
    EXPECT_TRUE(chain.GetActiveChildren().empty());
    EXPECT_EQ(device->GetListenerCount(), 1u);
}
