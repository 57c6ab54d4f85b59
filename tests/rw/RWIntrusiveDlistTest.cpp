#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rw/RWDefs.h"
#include "rw/RWIntrusiveDlist.h"
#include "rw/RWIntrusiveDlistIterator.h"
#include "rw/RWLibraryError.h"

namespace {
struct Node : RWIntrusiveDlistLink {
    explicit Node(int v) : value(v) {}
    int value;
};

int ValueOf(RWIntrusiveDlistLink* link) {
    return static_cast<Node*>(link)->value;
}

// The values walking forward, checked against the walk backward and the
// sentinels' fixed links.
std::vector<int> Values(RWIntrusiveDlist& list) {
    std::vector<int> forward, backward;
    for (RWIntrusiveDlistLink* p = list.Head()->next; p != list.Tail(); p = p->next)
        forward.push_back(ValueOf(p));
    for (RWIntrusiveDlistLink* p = list.Tail()->previous; p != list.Head(); p = p->previous)
        backward.insert(backward.begin(), ValueOf(p));
    EXPECT_EQ(forward, backward);
    EXPECT_EQ(forward.size(), list.Entries());
    EXPECT_EQ(list.Head()->previous, list.Head());
    EXPECT_EQ(list.Tail()->next, list.Tail());
    return forward;
}
} // namespace

TEST(RWIntrusiveDlistTest, EmptyListSentinels) {
    RWIntrusiveDlist list;
    EXPECT_EQ(list.Head()->next, list.Tail());
    EXPECT_EQ(list.Tail()->previous, list.Head());
    EXPECT_EQ(list.First(), nullptr);
    EXPECT_EQ(list.Last(), nullptr);
    EXPECT_TRUE(Values(list).empty());
}

TEST(RWIntrusiveDlistTest, InsertsAndRemovesByIndex) {
    Node n1(1), n2(2), n3(3), n4(4);
    RWIntrusiveDlist list;
    list.InsertAt(0, &n2);
    list.InsertAt(1, &n4); // index = count appends
    list.InsertAt(0, &n1);
    list.InsertAt(2, &n3);
    EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(ValueOf(list.At(2)), 3);
    EXPECT_EQ(list.First(), &n1);
    EXPECT_EQ(list.Last(), &n4);

    EXPECT_EQ(list.RemoveAt(3), &n4);
    EXPECT_EQ(list.RemoveAt(0), &n1);
    EXPECT_EQ(Values(list), (std::vector<int>{2, 3}));
    EXPECT_EQ(list.RemoveReference(&n3), &n3);
    EXPECT_EQ(list.RemoveReference(nullptr), nullptr);
    EXPECT_EQ(list.RemoveReference(list.Tail()), nullptr);
    EXPECT_EQ(Values(list), (std::vector<int>{2}));
    EXPECT_TRUE(list.ContainsReference(&n2));
    EXPECT_FALSE(list.ContainsReference(&n3));
    EXPECT_FALSE(list.ContainsReference(nullptr));

    list.Clear();
    EXPECT_TRUE(Values(list).empty());
}

TEST(RWIntrusiveDlistTest, BadIndexesRaiseTheCatalogueErrors) {
    Node n1(1), n2(2);
    RWIntrusiveDlist list;
    list.Append(&n1);
    struct Case {
        const char* what;
        void (*call)(RWIntrusiveDlist&, Node&);
        const char* text;
    };
    const Case cases[] = {
        {"InsertAt(count + 1)", [](RWIntrusiveDlist& l, Node& n) { l.InsertAt(2, &n); },
         "[INDEXERR] Illegal Index (2) for collection or string with 1 elements"},
        {"At(count)", [](RWIntrusiveDlist& l, Node&) { l.At(1); },
         "[INDEXERR] Illegal Index (1) for collection or string with 1 elements"},
        {"RemoveAt(count)", [](RWIntrusiveDlist& l, Node&) { l.RemoveAt(1); },
         "[INDEXERR] Illegal Index (1) for collection or string with 1 elements"},
        {"At(RW_NPOS)", [](RWIntrusiveDlist& l, Node&) { l.At(RW_NPOS); },
         "[NPOSINDEX] The value RW_NPOS cannot be used as an index."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            c.call(list, n2);
            ADD_FAILURE() << "no error";
        } catch (const RWBoundsError& error) {
            EXPECT_STREQ(error.why(), c.text);
        }
        EXPECT_EQ(Values(list), (std::vector<int>{1}));
    }
}

TEST(RWIntrusiveDlistIteratorTest, EmptyListStandsOnTheSentinels) {
    RWIntrusiveDlist list;
    RWIntrusiveDlistIterator it(list);
    EXPECT_EQ(it.Advance(1), nullptr);
    EXPECT_EQ(it.Key(), nullptr);
    it.ToLast();
    EXPECT_EQ(it.Key(), nullptr);
    EXPECT_FALSE(it.AtLast());
    EXPECT_EQ(it.Remove(), nullptr);
    EXPECT_EQ(it.Retreat(1), nullptr);
}

TEST(RWIntrusiveDlistIteratorTest, WalksBothWaysAndEditsAtItsPosition) {
    Node n1(1), n2(2), n3(3), n4(4);
    RWIntrusiveDlist list;
    list.Append(&n1);
    list.Append(&n3);
    RWIntrusiveDlistIterator it(list);
    EXPECT_EQ(it.Advance(), &n1);
    EXPECT_TRUE(it.AtFirst());
    it.InsertAfterPoint(&n2);
    EXPECT_EQ(it.Advance(2), &n3);
    EXPECT_TRUE(it.AtLast());
    EXPECT_EQ(it.Advance(5), nullptr); // stops on the tail sentinel
    it.InsertAfterPoint(&n4);          // on the tail: appended
    EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 3, 4}));

    it.ToLast();
    EXPECT_EQ(it.Retreat(2), &n2);
    EXPECT_EQ(it.Remove(), &n2); // back to the predecessor
    EXPECT_EQ(it.Key(), &n1);
    EXPECT_EQ(it.Retreat(9), nullptr); // stops on the head sentinel
    EXPECT_EQ(it.Advance(), &n1);
    EXPECT_EQ(Values(list), (std::vector<int>{1, 3, 4}));
}

TEST(RWIntrusiveDlistIteratorTest, RemovingTheOnlyRecordLeavesTheIteratorBeforeTheFirst) {
    Node n1(1), n2(2);
    RWIntrusiveDlist list;
    list.Append(&n1);
    RWIntrusiveDlistIterator it(list);
    it.ToFirst();
    EXPECT_EQ(it.Remove(), &n1);
    EXPECT_EQ(list.Entries(), 0u);
    EXPECT_EQ(it.Key(), nullptr);
    it.InsertAfterPoint(&n2); // before the first: becomes the first
    EXPECT_EQ(list.First(), &n2);
    EXPECT_EQ(Values(list), (std::vector<int>{2}));
}
