#include <gtest/gtest.h>

#include <vector>

#include "rw/RWDefs.h"
#include "rw/RWIntrusiveSlist.h"
#include "rw/RWLibraryError.h"

namespace {
struct Node : RWIntrusiveSlistLink {
    explicit Node(int v) : value(v) {}
    int value;
};

// The values in list order, walking the links up to the end marker.
std::vector<int> Values(RWIntrusiveSlist& list) {
    std::vector<int> values;
    for (RWIntrusiveSlistLink* p = list.Head()->next; p != list.Tail(); p = p->next) {
        values.push_back(static_cast<Node*>(p)->value);
    }
    EXPECT_EQ(values.size(), list.Entries());
    EXPECT_EQ(list.Tail()->next, list.Tail()); // the sentinel points to itself between calls
    return values;
}

int ValueOf(RWIntrusiveSlistLink* link) {
    return static_cast<Node*>(link)->value;
}
} // namespace

TEST(RWIntrusiveSlistTest, InsertsByPositionAndAtTheEnds) {
    Node n1(1), n2(2), n3(3), n4(4), n5(5);
    RWIntrusiveSlist list;
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.Head()->next, list.Tail());
    EXPECT_EQ(list.First(), nullptr);
    EXPECT_EQ(list.Last(), nullptr);

    list.Append(&n2);
    list.Prepend(&n1);
    list.InsertAt(2, &n4); // i == count appends
    list.InsertAt(2, &n3);
    EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(list.Last(), &n4);
    EXPECT_EQ(n4.next, list.Tail());
    EXPECT_EQ(ValueOf(list.At(0)), 1);
    EXPECT_EQ(ValueOf(list.At(3)), 4);

    list.InsertAfterLink(&n4, &n5); // after last: becomes last
    EXPECT_EQ(list.Last(), &n5);
    EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 3, 4, 5}));

    RWIntrusiveSlist single(&n1);
    EXPECT_EQ(single.Entries(), 1u);
    EXPECT_EQ(single.First(), &n1);
    EXPECT_EQ(single.Last(), &n1);
    EXPECT_EQ(n1.next, single.Tail());
}

TEST(RWIntrusiveSlistTest, RemovesByPositionAndKeepsLast) {
    Node n1(1), n2(2), n3(3), n4(4), n9(9);
    RWIntrusiveSlist list;
    for (Node* n : {&n1, &n2, &n3, &n4})
        list.Append(n);

    EXPECT_EQ(list.RemoveAt(3), &n4); // the last: its predecessor becomes last
    EXPECT_EQ(list.Last(), &n3);
    list.Append(&n9);
    EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 3, 9}));

    EXPECT_EQ(list.RemoveAt(0), &n1);
    EXPECT_EQ(list.RemoveAt(1), &n3);
    EXPECT_EQ(Values(list), (std::vector<int>{2, 9}));

    // Past the last node there is only the end marker: nothing to remove.
    EXPECT_EQ(list.RemoveAfterLink(&n9), nullptr);
    EXPECT_EQ(list.RemoveAfterLink(nullptr), nullptr);
    EXPECT_EQ(Values(list), (std::vector<int>{2, 9}));

    EXPECT_EQ(list.RemoveAfterLink(list.Head()), &n2);
    EXPECT_EQ(list.RemoveAfterLink(list.Head()), &n9);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.Last(), nullptr);
    list.Append(&n4); // appending to an emptied list goes after the head again
    EXPECT_EQ(Values(list), (std::vector<int>{4}));

    list.Clear();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.Head()->next, list.Tail());
}

TEST(RWIntrusiveSlistTest, FindsAndRemovesByReference) {
    Node n1(1), n2(2), n3(3), stranger(7);
    RWIntrusiveSlist list;
    for (Node* n : {&n1, &n2, &n3})
        list.Append(n);

    EXPECT_TRUE(list.ContainsReference(&n2));
    EXPECT_FALSE(list.ContainsReference(&stranger));
    EXPECT_FALSE(list.ContainsReference(nullptr));
    EXPECT_EQ(list.FindPrevious(&n1), list.Head());
    EXPECT_EQ(list.FindPrevious(&n3), &n2);
    EXPECT_EQ(list.FindPrevious(&stranger), nullptr);
    EXPECT_EQ(list.FindPrevious(nullptr), nullptr);

    // Not in the list: nothing changes.
    EXPECT_EQ(list.RemoveReference(&stranger), nullptr);
    EXPECT_EQ(list.RemoveReference(nullptr), nullptr);
    EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 3}));

    EXPECT_EQ(list.RemoveReference(&n3), &n3);
    EXPECT_EQ(n3.next, nullptr);
    EXPECT_EQ(list.Last(), &n2);
    EXPECT_EQ(list.RemoveReference(&n1), &n1);
    EXPECT_EQ(Values(list), (std::vector<int>{2}));
    EXPECT_EQ(list.RemoveReference(&n1), nullptr); // already gone
    EXPECT_EQ(list.RemoveReference(&n2), &n2);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.Last(), nullptr);
}

TEST(RWIntrusiveSlistTest, BoundsErrorsCarryTheCatalogueText) {
    Node n1(1), n2(2), n3(3), extra(4);
    RWIntrusiveSlist list;
    for (Node* n : {&n1, &n2, &n3})
        list.Append(n);
    const char* nposText = "[NPOSINDEX] The value RW_NPOS cannot be used as an index.";

    struct {
        const char* what;
        size_t index;
        const char* text;
    } const cases[] = {
        {"At", 3, "[INDEXERR] Illegal Index (3) for collection or string with 3 elements"},
        {"At", RW_NPOS, nposText},
        {"InsertAt", 4, "[INDEXERR] Illegal Index (4) for collection or string with 3 elements"},
        {"InsertAt", RW_NPOS, nposText},
        {"RemoveAt", 3, "[INDEXERR] Illegal Index (3) for collection or string with 3 elements"},
        {"RemoveAt", 0xFFFFFFFFu, nposText},
    };
    for (const auto& test : cases) {
        const std::string what = test.what;
        try {
            if (what == "At") (void)list.At(test.index);
            if (what == "InsertAt") list.InsertAt(test.index, &extra);
            if (what == "RemoveAt") (void)list.RemoveAt(test.index);
            ADD_FAILURE() << what << " " << test.index << ": no error";
        } catch (const RWBoundsError& e) {
            EXPECT_STREQ(e.why(), test.text) << what;
        }
    }
    EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 3}));

    RWIntrusiveSlist empty;
    EXPECT_THROW((void)empty.At(0), RWBoundsError);
    EXPECT_THROW((void)empty.RemoveAt(0), RWBoundsError);
}
