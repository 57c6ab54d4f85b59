#include <gtest/gtest.h>

#include "driver/GResourceStringResolver.h"
#include "winapi/WinHandle.h"
#include "winapi/WinModule.h"
#include "winapi/host/WinHostStore.h"

namespace {
class GResourceStringResolverTest : public ::testing::Test {
protected:
    void SetUp() override {
        WinHostStore::Instance().RegisterModule(u"QVSTRINGS.DLL", QV_TEST_MODULE_DIR "/libqvstrings.so");
        module_.Reset(LoadLibraryW(u"QVSTRINGS.DLL"));
        ASSERT_TRUE(module_);
    }
    WinScopedModule module_;
};
} // namespace

TEST_F(GResourceStringResolverTest, TheStringComesFromTheNamedModuleOrTheResolversOwn) {
    struct Case {
        const char* what;
        GDisplayString descriptor;
        bool ownModule;
        std::u16string text;
    };
    const Case cases[] = {
        {"own module", GDisplayString(7, "Default", ""), true, u"Seven"},
        {"named module", GDisplayString(7, "Default", "QVSTRINGS.DLL"), false, u"Seven"},
        {"string id 0", GDisplayString(0, "Caf\xE9", "QVSTRINGS.DLL"), true, u"Caf\u00E9"},
        {"string missing", GDisplayString(9, "Default", ""), true, u"Default"},
        {"named module missing", GDisplayString(7, "Default", "NOSUCH.DLL"), true, u"Default"},
        {"no module at all", GDisplayString(7, "Default", ""), false, u"Default"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GResourceStringResolver resolver(c.ownModule ? module_.Get() : nullptr, &c.descriptor);
        EXPECT_EQ(std::u16string(resolver.Resolve().Data()), c.text);
    }
}

TEST_F(GResourceStringResolverTest, LoadsAreCutToTheBufferAndCountCharacters) {
    RWWString text(u"unchanged");
    EXPECT_EQ(GResourceStringResolver::LoadFromModule(nullptr, 7, text), 0);
    EXPECT_EQ(GResourceStringResolver::LoadFromModule(module_.Get(), 9, text), 0);
    EXPECT_EQ(std::u16string(text.Data()), u"unchanged");
    EXPECT_EQ(GResourceStringResolver::LoadFromModule(module_.Get(), 8, text), 255);
    EXPECT_EQ(text.Length(), 255u);
    EXPECT_EQ(GResourceStringResolver::LoadFromLibrary("NOSUCH.DLL", 7, text), 0);
    EXPECT_EQ(GResourceStringResolver::LoadFromLibrary("QVSTRINGS.DLL", 7, text), 5);
    EXPECT_EQ(std::u16string(text.Data()), u"Seven");

    const GDisplayString seven(7, "", "");
    const GDisplayString zero(0, "zero", "");
    GResourceStringResolver resolver(module_.Get(), nullptr);
    EXPECT_TRUE(resolver.Resolve().IsNull());
    EXPECT_EQ(std::u16string(resolver.ResolveFor(&seven).Data()), u"Seven");
    EXPECT_EQ(std::u16string(resolver.Resolve().Data()), u"Seven");
    EXPECT_EQ(std::u16string(resolver.ResolveFor(&zero).Data()), u"zero");
}
