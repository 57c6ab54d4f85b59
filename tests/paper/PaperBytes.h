#pragma once
// Expected bytes of the paper model's saved forms, written out by hand, and
// the round trips the persistence tests run. Two carriers are spelled out:
// the raw binary stream (a narrow string's length twice, objects between ':'
// class '{' and '}', back-references '@' index) and the binary file (a
// string's length once, objects as class and guts, back-references 0xFFFF
// index, the magic 0x8888 before a graph).
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "model/MPersistentObject.h"
#include "tests/model/LeafAttributeTestSupport.h"

namespace papertest {

using leaftest::Carrier;
using leaftest::U16;
using leaftest::U32;
using leaftest::Words;

class Form {
public:
    explicit Form(Carrier carrier) : file_(carrier == Carrier::File) {}

    // A narrow string.
    std::string S(const std::string& text) const {
        const auto n = static_cast<uint32_t>(text.size());
        return (file_ ? U32(n) : U32(n) + U32(n)) + text;
    }
    // A wide string: its length, then 16-bit characters, on either carrier.
    std::string W(const std::u16string& text) const {
        std::string bytes = U32(static_cast<uint32_t>(text.size()));
        for (char16_t c : text)
            bytes += U16(c);
        return bytes;
    }
    // A nested object met for the first time.
    std::string Object(uint16_t classId, const std::string& guts) const {
        return file_ ? U16(classId) + guts : ":" + U16(classId) + "{" + guts + "}";
    }
    // A back-reference to the object with index (the nil object is 0).
    std::string Ref(uint32_t index) const { return file_ ? U16(0xFFFF) + U32(index) : "@" + U32(index); }
    // An outermost graph whose root is the object.
    std::string Graph(uint16_t classId, const std::string& guts) const {
        return file_ ? U32(0x8888) + Object(classId, guts) : Object(classId, guts);
    }

private:
    bool file_;
};

constexpr Carrier kBinaryCarriers[] = {Carrier::Raw, Carrier::File};

inline std::unique_ptr<MPersistentObject> Restore(const std::string& bytes, Carrier carrier) {
    return std::unique_ptr<MPersistentObject>(leaftest::RestoreGraph(bytes, carrier));
}

inline std::string Save(const MPersistentObject& object, Carrier carrier) {
    return leaftest::SaveGraph(&object, carrier);
}

// bytes restore to an object of class T that saves exactly bytes again.
template <class T> std::unique_ptr<T> ExpectResavedIdentically(const std::string& bytes, Carrier carrier) {
    std::unique_ptr<MPersistentObject> restored = Restore(bytes, carrier);
    auto* object = dynamic_cast<T*>(restored.get());
    EXPECT_NE(object, nullptr) << leaftest::CarrierName(carrier);
    if (object == nullptr) {
        return nullptr;
    }
    EXPECT_EQ(Save(*object, carrier), bytes) << leaftest::CarrierName(carrier);
    restored.release();
    return std::unique_ptr<T>(object);
}

// object comes back equal through every carrier, and on the two binary
// carriers its restored copy saves the same bytes as the original.
template <class T> void ExpectRoundTrips(const T& object) {
    for (Carrier carrier : leaftest::kCarriers) {
        SCOPED_TRACE(leaftest::CarrierName(carrier));
        const std::string bytes = Save(object, carrier);
        std::unique_ptr<MPersistentObject> restored = Restore(bytes, carrier);
        ASSERT_NE(dynamic_cast<T*>(restored.get()), nullptr);
        EXPECT_TRUE(restored->IsEqualId(&object));
        if (carrier == Carrier::Raw || carrier == Carrier::File) {
            EXPECT_EQ(Save(*restored, carrier), bytes);
        }
        if (carrier == Carrier::File) {
            EXPECT_EQ(object.RecursiveStoreSize(), bytes.size());
        }
    }
}

// Every proper prefix of a good graph is refused, and nothing leaks.
inline void ExpectEveryCutRefused(const std::string& bytes, Carrier carrier) {
    for (size_t n = 0; n < bytes.size(); ++n) {
        EXPECT_EQ(Restore(bytes.substr(0, n), carrier), nullptr)
            << leaftest::CarrierName(carrier) << " cut at " << n;
    }
}

} // namespace papertest
