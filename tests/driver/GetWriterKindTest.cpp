// The writer kind of a printer configuration: a writer object in node 98
// answers by its class, over the record the description compiler writes;
// without either the answer is 0.
#include <gtest/gtest.h>

#include "driver/GetWriterKind.h"
#include "model/GConfiguration.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentComposite.h"

namespace {

// A writer object of one class (and of the writer base 765).
class KindedWriter : public MPersistentComposite {
public:
    explicit KindedWriter(RWClassID classId) : MPersistentComposite(101), classId_(classId) {}
    RWClassID IsA() const override { return classId_; }
    bool IsKindOf(RWClassID classId) const override {
        return classId == classId_ || classId == 765 || MPersistentComposite::IsKindOf(classId);
    }

private:
    RWClassID classId_;
};

// A printer configuration with an optional record 1480 and an optional
// writer object in node 98.
GCountedPtr Configuration(int record, RWClassID writerClass) {
    GCountedPtr configuration(new GConfiguration(198));
    GCountedPtr own(new GConfiguration(198));
    own->Add(new GValueAttribute(339, 1));
    if (record >= 0) own->Add(new GValueAttribute(static_cast<uint16_t>(record), 1480));
    configuration->Add(own.Get());
    if (writerClass != 0) {
        GCountedPtr holder(new MPersistentComposite(98));
        holder->Add(new KindedWriter(writerClass));
        configuration->Add(holder.Get());
    }
    return configuration;
}

TEST(GetWriterKindTest, TheWriterObjectAnswersBeforeTheRecord) {
    struct Case {
        const char* what;
        int record;       // -1: none
        RWClassID writer; // 0: no node 98
        uint16_t kind;
    } cases[] = {
        {"record PCL XL", 767, 0, 767},
        {"record PCL 5", 788, 0, 788},
        {"record PostScript", 768, 0, 768},
        {"a record of no writer", 765, 0, 0},
        {"neither", -1, 0, 0},
        {"a PostScript object over a PCL XL record", 767, 768, 768},
        {"a PCL 5 object without a record", -1, 788, 788},
        {"an object of another writer class", 767, 770, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GCountedPtr configuration = Configuration(c.record, c.writer);
        EXPECT_EQ(GetWriterKind(configuration.Get()), c.kind);
    }
    EXPECT_EQ(GetWriterKind(nullptr), 0);
}

} // namespace
