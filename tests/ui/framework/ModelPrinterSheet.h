#pragma once
// A property sheet over one of the model printers (the build's data files):
// a driver instance whose configuration tree, paper-number table and
// resource-mapping list are the data file's, whose fresh settings are a
// copy of the printer's defaults (359 as 360, the installed options 365
// kept) with the printer state's printing group (246 as 362), and the UI
// model made over them.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "driver/GSheetContextBlock.h"
#include "driver/GUIData.h"
#include "model/GAttributeComposite.h"
#include "model/GCountedPtr.h"
#include "model/GSettingIds.h"
#include "tests/driver/NeutralDriver.h"
#include "tests/support/ModelDataFile.h"
#include "ui/framework/GUIModel.h"

namespace uitest {

class ModelPrinterDriver : public NeutralDriver {
public:
    // name: "QVCOLOR", "QVMONO" or "QVCOLORPS".
    explicit ModelPrinterDriver(const std::string& name)
        : GDriverContext(u"Office Printer", u"QV Colour Driver", u"LPT1:"),
          NeutralDriver(u"Office Printer", u"QV Colour Driver", u"LPT1:") {
        root_.Reset(RestoreModelDataFile(name));
        if (!root_) {
            ADD_FAILURE() << "cannot restore " << name;
            return;
        }
        SetConfiguration(root_->FindById(GSettingId::kConfigurationTree));
        SetResourceMappings(root_->FindById(GSettingId::kPaperNumberTable));
        SetResourceMappingList(root_->FindById(GSettingId::kResourceMappingList));
    }

    std::unique_ptr<GAttributeComposite> NewDefaultSettings() override {
        MPersistentObject* printer = GetPrinterConfiguration();
        MPersistentObject* own =
            printer == nullptr ? nullptr : printer->FindById(GSettingId::kPeripheralConfiguration);
        MPersistentObject* defaults = own == nullptr ? nullptr : own->FindById(GSettingId::kDefaults);
        if (defaults == nullptr) return nullptr;
        std::unique_ptr<GAttributeComposite> settings(
            static_cast<GAttributeComposite*>(defaults->Clone().release()));
        settings->SetId(GSettingId::kSettings);
        MPersistentObject* state = GetPrinter()->FindById(GSettingId::kPeripheralState);
        if (MPersistentObject* printing =
                state == nullptr ? nullptr : state->FindById(GSettingId::kPrintingStateGroup)) {
            std::unique_ptr<MPersistentObject> copy = printing->Clone();
            copy->SetId(GSettingId::kPrintingGroup);
            settings->Add(copy.release());
        }
        return settings;
    }

private:
    GCountedPtr root_;
};

// The sheet: the driver, its block owning the settings, the GUIData and the
// UI model.
struct ModelPrinterSheet {
    explicit ModelPrinterSheet(const std::string& name) : driver(name) {
        block.instance = &driver;
        block.settings = driver.NewDefaultSettings();
        data.driver = &driver;
        data.settings = block.settings.get();
        data.request = &block;
        model = std::make_unique<GUIModel>(&data);
    }
    GAttributeComposite* Settings() const { return data.settings; }

    ModelPrinterDriver driver;
    GSheetContextBlock block;
    GUIData data;
    std::unique_ptr<GUIModel> model;
};

} // namespace uitest
