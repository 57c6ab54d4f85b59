#pragma once
// A driver context over one of the model printers' built data files
// (resources/printers, built into QV_PRINTERS_DIR): its configuration tree,
// its maps, and fresh document settings made the way the README of the
// printer descriptions says (a copy of the defaults P/359 as 360, with the
// printer state's groups 246 and 256 as 362 and 363), without the groups
// that never travel in a DEVMODE (365, 366, 368). The paper and source
// answers come from the file's own tables (191, 194, 206, pool 189).
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "DriverTestSupport.h"
#include "model/MPersistentIterator.h"
#include "paper/GMedia.h"
#include "paper/GMediaPool.h"
#include "tests/support/ModelDataFile.h"

namespace drivertest {

class DataFileTestContext : public TestDriverContext {
public:
    // name: "QVCOLOR", "QVMONO" or "QVCOLORPS".
    explicit DataFileTestContext(const std::string& name) {
        root_.Reset(RestoreModelDataFile(name));
        if (!root_) {
            ADD_FAILURE() << "cannot restore " << name;
            return;
        }
        SetConfiguration(root_->FindById(353));
        SetResourceMappings(root_->FindById(191));
        SetOSTrayMap(root_->FindById(84));
        SetResourceMappingList(root_->FindById(194));
        defaults = FreshSettings();
    }

    int32_t PaperIdToDmPaper(uint32_t paperId, uint16_t& dmPaper) override {
        const GResourceMapping* mapping = PaperTable()->FindBySecond(static_cast<uint16_t>(paperId));
        if (mapping == nullptr) return 0;
        dmPaper = mapping->GetFirst();
        return 1;
    }
    int32_t DmPaperToPaperId(int16_t dmPaper, uint16_t& paperId) override {
        const GResourceMapping* mapping = PaperTable()->FindByFirst(static_cast<uint16_t>(dmPaper));
        if (mapping == nullptr) return 0;
        paperId = static_cast<uint16_t>(mapping->GetSecond());
        return 1;
    }
    int32_t AcceptsPaper(int32_t orientation, int32_t xDpi, int32_t yDpi, int32_t, int16_t dmPaper) override {
        uint16_t paperId = 0;
        GMediaPool* pool = GetMediaPool();
        return DmPaperToPaperId(dmPaper, paperId) == 1 && pool != nullptr &&
                       pool->FindMedia(static_cast<int16_t>(paperId), orientation,
                                       static_cast<uint16_t>(xDpi), static_cast<uint16_t>(yDpi)) != nullptr
                   ? 1
                   : 0;
    }
    int32_t AcceptsResolution(int32_t xDpi, int32_t yDpi) override {
        MPersistentObject* entries = FindPrinterSetting(206);
        if (entries == nullptr) return 0;
        const std::unique_ptr<MPersistentIterator> children = entries->CreateIterator();
        while (children->Advance()) {
            const auto* x = dynamic_cast<GValueAttribute*>(children->Current()->FindById(323));
            const auto* y = dynamic_cast<GValueAttribute*>(children->Current()->FindById(324));
            if (x != nullptr && y != nullptr && x->GetValue() == xDpi && y->GetValue() == yDpi) return 1;
        }
        return 0;
    }
    int32_t AcceptsBin(int16_t dmBin) override {
        auto* bins = dynamic_cast<GResourceMappingList*>(GetResourceMappingList());
        return bins != nullptr && bins->FindByFirst(static_cast<uint16_t>(dmBin)) != nullptr ? 1 : 0;
    }

    // The printer node's own group P and the printer state S.
    MPersistentObject* OwnGroup() { return GetPrinterConfiguration()->FindById(198); }

private:
    GResourceMappingList* PaperTable() { return dynamic_cast<GResourceMappingList*>(GetResourceMappings()); }

    std::unique_ptr<GAttributeComposite> FreshSettings() {
        MPersistentObject* source = OwnGroup() == nullptr ? nullptr : OwnGroup()->FindById(359);
        if (source == nullptr) {
            ADD_FAILURE() << "no defaults";
            return nullptr;
        }
        std::unique_ptr<GAttributeComposite> settings(
            static_cast<GAttributeComposite*>(source->Clone().release()));
        settings->SetId(360);
        for (const uint32_t id : {365u, 366u, 368u})
            settings->RemoveById(id);
        MPersistentObject* state = GetPrinter()->FindById(243);
        if (MPersistentObject* job = state == nullptr ? nullptr : state->FindById(246)) {
            std::unique_ptr<MPersistentObject> printing = job->Clone();
            printing->SetId(362);
            // The selected media travels as its paper id.
            if (std::unique_ptr<MPersistentObject> media = printing->RemoveById(259)) {
                const auto* selected = dynamic_cast<const GMedia*>(media.get());
                printing->Add(new GValueAttribute(static_cast<uint16_t>(selected->GetPaperId()), 260));
            }
            settings->Add(printing.release());
        }
        if (MPersistentObject* page = state == nullptr ? nullptr : state->FindById(256)) {
            std::unique_ptr<MPersistentObject> copy = page->Clone();
            copy->SetId(363);
            settings->Add(copy.release());
        }
        return settings;
    }

    GCountedPtr root_;
};

} // namespace drivertest
