#pragma once
// A property sheet for the UI model's tests: a driver instance whose printer
// configuration and fresh default settings the test builds, the sheet's
// context block (which owns the current settings) and its GUIData, and the
// UI model made over them. Rule doubles that record what the model asks of
// them.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "driver/GSheetContextBlock.h"
#include "driver/GUIData.h"
#include "model/GAttributeComposite.h"
#include "model/GConfiguration.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentComposite.h"
#include "rw/RWBinaryOutStream.h"
#include "tests/driver/NeutralDriver.h"
#include "ui/framework/GConstraintRule.h"
#include "ui/framework/GUIModel.h"

namespace uitest {

// A driver instance over a configuration tree 353 > printer 76 > printer
// configuration 198 that the test fills (Configuration()). Fresh default
// settings are copies of `defaults`.
class SheetDriver : public NeutralDriver {
public:
    SheetDriver()
        : GDriverContext(u"Office Printer", u"QV Colour Driver", u"LPT1:"),
          NeutralDriver(u"Office Printer", u"QV Colour Driver", u"LPT1:") {
        auto* tree = new MPersistentComposite(353);
        auto* printer = new MPersistentComposite(76);
        configuration_ = new GConfiguration(198);
        printer->Add(configuration_);
        tree->Add(printer);
        SetConfiguration(tree);
    }

    std::unique_ptr<GAttributeComposite> NewDefaultSettings() override {
        ++defaultsMade;
        if (!defaults) return nullptr;
        return std::unique_ptr<GAttributeComposite>(
            static_cast<GAttributeComposite*>(defaults->Clone().release()));
    }
    int32_t ApplyDependentSettings(MPersistentObject* settings) override {
        appliedTo = settings;
        return 7;
    }
    int32_t GetFeatureState(MPersistentObject*, uint32_t id) override {
        askedState = id;
        return featureState;
    }

    // The printer configuration (198).
    MPersistentObject& Configuration() { return *configuration_; }

    std::unique_ptr<GAttributeComposite> defaults;
    int defaultsMade = 0;
    MPersistentObject* appliedTo = nullptr;
    uint32_t askedState = 0;
    int32_t featureState = 0;

private:
    MPersistentObject* configuration_;
};

// A settings root 360 with value attributes {id, value}.
inline std::unique_ptr<GAttributeComposite>
Tree(std::initializer_list<std::pair<uint32_t, uint16_t>> values) {
    auto tree = std::make_unique<GAttributeComposite>(360);
    for (const auto& [id, value] : values)
        tree->Add(new GValueAttribute(value, id));
    return tree;
}

// A node with value children {id, value}, added to parent; the node.
inline GAttributeComposite* AddNode(MPersistentObject& parent, uint32_t id,
                                    std::initializer_list<std::pair<uint32_t, uint16_t>> values) {
    auto* node = new GAttributeComposite(id);
    for (const auto& [child, value] : values)
        node->Add(new GValueAttribute(value, child));
    parent.Add(node);
    return node;
}

// The signed value of a value attribute of tree; -999 when there is none.
inline int ValueOf(MPersistentObject* tree, uint32_t id) {
    const auto* value = tree == nullptr ? nullptr : dynamic_cast<const GValueAttribute*>(tree->FindById(id));
    return value == nullptr ? -999 : static_cast<int16_t>(value->GetValue());
}

// The bytes of the tree saved as an object graph.
inline std::string Saved(const MPersistentObject& tree) {
    std::stringbuf buffer;
    {
        RWBinaryOutStream out(&buffer);
        out << &tree;
    }
    return buffer.str();
}

// A sheet: the driver, its block owning the settings, the GUIData, and the
// UI model once Open() made it.
struct Sheet {
    explicit Sheet(std::unique_ptr<GAttributeComposite> settings, uint32_t flags = 0) {
        block.instance = &driver;
        block.settings = std::move(settings);
        data.driver = &driver;
        data.settings = block.settings.get();
        data.request = &block;
        data.flags = flags;
    }
    GUIModel& Open() {
        model = std::make_unique<GUIModel>(&data);
        return *model;
    }
    GAttributeComposite* Settings() const { return data.settings; }
    int Value(uint32_t id) const { return ValueOf(data.settings, id); }

    SheetDriver driver;
    GSheetContextBlock block;
    GUIData data;
    std::unique_ptr<GUIModel> model;
};

// A rule that logs its calls ("name.Reset", "name.Evaluate") into a shared log.
class LoggingRule : public GConstraintRule {
public:
    LoggingRule(GUIModel* model, std::string name, std::vector<std::string>& log)
        : GConstraintRule(model), name_(std::move(name)), log_(log) {}
    void Reset() override { log_.push_back(name_ + ".Reset"); }
    void Evaluate(const std::vector<uint32_t>& keys, uint32_t) override {
        log_.push_back(name_ + ".Evaluate");
        seenKeys.push_back(keys);
    }
    std::vector<std::vector<uint32_t>> seenKeys;

private:
    std::string name_;
    std::vector<std::string>& log_;
};

} // namespace uitest
