#include <gtest/gtest.h>

#include "rw/RWDefs.h"
#include "rw/RWLibraryError.h"
#include "rw/RWPtrVector.h"

namespace {
int a, b, c;
} // namespace

TEST(RWPtrVectorTest, FillsCopiesAndAssigns) {
    RWPtrVector v(3, &a);
    ASSERT_EQ(v.Length(), 3u);
    for (uint32_t i = 0; i < 3; ++i)
        EXPECT_EQ(v[i], &a);

    RWPtrVector copy(v);
    copy[1] = &b;
    EXPECT_EQ(v[1], &a); // a deep copy
    EXPECT_NE(copy.Data(), v.Data());

    v = copy;
    EXPECT_EQ(v[1], &b);
    const RWPtrVector& self = v;
    v = self; // self-assignment keeps the array
    EXPECT_EQ(v[1], &b);

    v = static_cast<void*>(&c);
    for (uint32_t i = 0; i < 3; ++i)
        EXPECT_EQ(v[i], &c);

    RWPtrVector empty(0);
    EXPECT_NE(empty.Data(), nullptr); // construction always allocates
    RWPtrVector emptyCopy(empty);
    EXPECT_EQ(emptyCopy.Length(), 0u);
}

TEST(RWPtrVectorTest, ReshapeAndResize) {
    RWPtrVector v(2, &a);
    v[1] = &b;
    void** before = v.Data();
    v.Reshape(2); // same length: nothing happens
    EXPECT_EQ(v.Data(), before);

    v.Resize(4);
    ASSERT_EQ(v.Length(), 4u);
    EXPECT_EQ(v[0], &a);
    EXPECT_EQ(v[1], &b);
    EXPECT_EQ(v[2], nullptr);
    EXPECT_EQ(v[3], nullptr);

    v.Reshape(1);
    ASSERT_EQ(v.Length(), 1u);
    EXPECT_EQ(v[0], &a);

    v.Reshape(0);
    EXPECT_EQ(v.Length(), 0u);
    EXPECT_EQ(v.Data(), nullptr);

    v.Resize(2);
    EXPECT_EQ(v[0], nullptr);
    EXPECT_EQ(v[1], nullptr);
}

TEST(RWPtrVectorTest, BoundsErrorsCarryTheCatalogueText) {
    RWPtrVector v(3, &a);
    const RWPtrVector& cv = v;
    struct {
        size_t index;
        const char* text;
    } const cases[] = {
        {3, "[INDEXERR] Illegal Index (3) for collection or string with 3 elements"},
        {100, "[INDEXERR] Illegal Index (100) for collection or string with 3 elements"},
        {RW_NPOS, "[NPOSINDEX] The value RW_NPOS cannot be used as an index."},
        {0xFFFFFFFFu, "[NPOSINDEX] The value RW_NPOS cannot be used as an index."},
    };
    for (const auto& test : cases) {
        try {
            (void)v[test.index];
            ADD_FAILURE() << "no error for " << test.index;
        } catch (const RWBoundsError& e) {
            EXPECT_STREQ(e.why(), test.text);
        }
        EXPECT_THROW((void)cv[test.index], RWBoundsError);
    }
    RWPtrVector empty(0);
    EXPECT_THROW(empty.BoundsCheck(0), RWBoundsError);
}
