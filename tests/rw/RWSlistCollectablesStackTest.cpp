#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "CollectionTestItem.h"
#include "rw/RWBinaryInStream.h"
#include "rw/RWBinaryOutStream.h"
#include "rw/RWCollectableIO.h"
#include "rw/RWSlistCollectablesStack.h"

namespace {

using Item = CollectionTestItem;

TEST(RWSlistCollectablesStackTest, InsertPushesRemovePopsAppendIsRefused) {
    Item a(1), b(2), c(3), absent(9);
    RWSlistCollectablesStack stack;
    EXPECT_EQ(stack.Remove(&a), nullptr); // empty
    stack.Insert(&a);
    stack.Insert(&b);
    EXPECT_EQ(stack.Append(&c), nullptr);
    EXPECT_EQ(stack.Entries(), 2u);
    EXPECT_EQ(stack.First(), &b);
    stack.RemoveAndDestroy(&b); // does nothing: the stack deletes no member
    EXPECT_EQ(stack.Entries(), 2u);
    EXPECT_EQ(stack.Remove(&absent), &b); // pops whatever the argument
    EXPECT_EQ(stack.Remove(nullptr), &a);
    EXPECT_TRUE(stack.IsEmpty());
}

TEST(RWSlistCollectablesStackTest, RestoreKeepsTheSavedOrderAfterWhatItHeld) {
    Item::Register();
    const int before = Item::live;
    Item a(1), b(2), c(3);
    RWSlistCollectablesStack saved;
    saved.Insert(&a);
    saved.Insert(&b); // order: b, a
    std::stringbuf buffer;
    RWBinaryOutStream out(&buffer);
    out << &saved;

    RWBinaryInStream in(&buffer);
    RWSlistCollectablesStack target;
    target.Insert(&c);
    in >> static_cast<RWCollectable&>(target);
    ASSERT_EQ(target.Entries(), 3u);
    EXPECT_EQ(target.At(0), &c); // not cleared first
    EXPECT_EQ(static_cast<Item*>(target.At(1))->value(), 2);
    EXPECT_EQ(static_cast<Item*>(target.At(2))->value(), 1);
    EXPECT_EQ(target.Remove(nullptr), &c);
    target.ClearAndDestroy();
    EXPECT_EQ(Item::live, before + 3);
}

} // namespace
