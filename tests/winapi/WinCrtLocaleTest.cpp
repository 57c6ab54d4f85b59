#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <string>

#include "winapi/WinCrtLocale.h"
#include "winapi/host/WinHostProcess.h"
#include "winapi/host/WinHostStore.h"

namespace {
const char* Ask(int category) {
    return CrtSetLocale(category, nullptr);
}
} // namespace

TEST(WinCrtLocaleTest, EveryCategoryStartsAsC) {
    EXPECT_STREQ(Ask(CRT_LC_ALL), "C");
    for (int category = CRT_LC_COLLATE; category <= CRT_LC_MAX; ++category)
        EXPECT_EQ(CrtLocaleCodePage(category), 0u) << category;
}

TEST(WinCrtLocaleTest, LocaleNamesResolveToCodePages) {
    WinHostStore::Instance().SetCodePages(932, 437);
    struct Case {
        const char* locale;
        const char* answer; // null: refused
        UINT codePage;
    };
    const Case cases[] = {
        {".ACP", ".932", 932},    {"", ".932", 932},    {".OCP", ".437", 437},
        {".1250", ".1250", 1250}, {"C", "C", 0},        {".0", nullptr, 0},
        {".70000", nullptr, 0},   {".12x", nullptr, 0}, {"Japanese", nullptr, 0},
        {".", nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        ASSERT_STREQ(CrtSetLocale(CRT_LC_CTYPE, "C"), "C");
        const char* answer = CrtSetLocale(CRT_LC_CTYPE, c.locale);
        if (c.answer == nullptr) {
            EXPECT_EQ(answer, nullptr);
            EXPECT_EQ(CrtLocaleCodePage(CRT_LC_CTYPE), 0u); // unchanged
        } else {
            EXPECT_STREQ(answer, c.answer);
            EXPECT_EQ(CrtLocaleCodePage(CRT_LC_CTYPE), c.codePage);
        }
    }
}

TEST(WinCrtLocaleTest, OneCategoryChangesAloneAndAllCategoriesTogether) {
    const std::string processLocale = std::setlocale(LC_ALL, nullptr);
    ASSERT_STREQ(CrtSetLocale(CRT_LC_CTYPE, ".ACP"), ".1252");
    EXPECT_STREQ(Ask(CRT_LC_ALL), "LC_COLLATE=C;LC_CTYPE=.1252;LC_MONETARY=C;LC_NUMERIC=C;LC_TIME=C");
    EXPECT_EQ(CrtLocaleCodePage(CRT_LC_COLLATE), 0u);
    ASSERT_STREQ(CrtSetLocale(CRT_LC_ALL, ".ACP"), ".1252");
    for (int category = CRT_LC_COLLATE; category <= CRT_LC_MAX; ++category)
        EXPECT_EQ(CrtLocaleCodePage(category), 1252u) << category;
    EXPECT_EQ(CrtSetLocale(6, "C"), nullptr);
    EXPECT_EQ(CrtSetLocale(-1, nullptr), nullptr);
    // The Linux process locale is not the layer's.
    EXPECT_EQ(std::setlocale(LC_ALL, nullptr), processLocale);
    // A fresh machine starts from "C" again.
    WinHostStore::Instance().Reset();
    EXPECT_STREQ(Ask(CRT_LC_ALL), "C");
}
