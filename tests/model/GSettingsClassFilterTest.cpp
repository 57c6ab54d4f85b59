#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "model/GAttributeComposite.h"
#include "model/GSettingsClassFilter.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "rw/RWBinaryInStream.h"
#include "rw/RWBinaryOutStream.h"
#include "rw/RWCollectableIO.h"
#include "rw/RWLibraryError.h"
#include "rw/RWSlistCollectables.h"

namespace {

std::string Save(const RWCollectable& object) {
    std::stringbuf buffer;
    RWBinaryOutStream out(&buffer);
    out << &object;
    return buffer.str();
}

// Restores one graph; null when it was refused or could not be read.
std::unique_ptr<RWCollectable> Restore(const std::string& bytes) {
    std::stringbuf buffer(bytes);
    RWBinaryInStream in(&buffer);
    RWCollectable* object = nullptr;
    try {
        in >> object;
    } catch (const RWLibraryError&) {
        return nullptr;
    }
    return std::unique_ptr<RWCollectable>(object);
}

TEST(GSettingsClassFilterTest, SettingsGraphsPassOtherClassesAreRefused) {
    GAttributeComposite tree(500);
    tree.Add(new GValueAttribute(1, 291));
    tree.Add(new GStringAttribute("Tray 1", 261));
    const std::string settings = Save(tree);

    RWSlistCollectables list; // a factory class, but no part of a settings tree
    const std::string other = Save(list);

    EXPECT_NE(Restore(other), nullptr); // unfiltered, the factory makes it
    {
        const GSettingsClassFilter allowlist;
        const std::unique_ptr<RWCollectable> restored = Restore(settings);
        ASSERT_NE(restored, nullptr);
        EXPECT_TRUE(static_cast<const GAttributeComposite*>(restored.get())->IsEqualId(&tree));
        EXPECT_EQ(Restore(other), nullptr);
    }
    EXPECT_NE(Restore(other), nullptr); // the filter ends with its scope
}

TEST(GSettingsClassFilterTest, NamesTheSettingsModelOnly) {
    for (const RWClassID id : {757, 758, 763, 764, 776, 1005, 1006, 775, 1201}) {
        EXPECT_TRUE(GSettingsClassFilter::IsSettingsClass(id)) << id;
    }
    // Peripherals (760), a dynamic library (780), job commands and the class
    // library's collections are no settings.
    for (const RWClassID id : {760, 765, 780, 0x8007, 0x8014, 0}) {
        EXPECT_FALSE(GSettingsClassFilter::IsSettingsClass(id)) << id;
    }
}

} // namespace
