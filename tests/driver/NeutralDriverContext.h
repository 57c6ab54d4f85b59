#pragma once
// A driver context whose instance operations answer neutrally: the context
// doubles of the driver tests derive from it and override only what their
// test looks at.
#include <memory>

#include "driver/GDriverContext.h"
#include "model/GAttributeComposite.h"

class NeutralDriverContext : public virtual GDriverContext {
public:
    NeutralDriverContext(const RWWString& printer, const RWWString& driver, const RWWString& port)
        : GDriverContext(printer, driver, port) {}

    GJobContext* AsJobObject() override { return nullptr; }
    GDriver* AsDriver() override { return nullptr; }
    void PrepareToPark() override {}
    std::unique_ptr<GAttributeComposite> NewDefaultSettings() override { return nullptr; }
    uint32_t GetApplicationFlags() const override { return 0; }
    int32_t PaperIdToDmPaper(uint32_t, uint16_t&) override { return 0; }
    int32_t DmPaperToPaperId(int16_t, uint16_t&) override { return 0; }
    int32_t AcceptsPaper(int32_t, int32_t, int32_t, int32_t, int16_t) override { return 0; }
    int32_t AcceptsResolution(int32_t, int32_t) override { return 0; }
    int32_t AcceptsBin(int16_t) override { return 0; }
    uint32_t MapPaperIdForSettings(MPersistentObject*, uint32_t paperId) override { return paperId; }
    GAttributeComposite* MergeMatchingValues(const GAttributeComposite&, GAttributeComposite* into) override {
        return into;
    }
    void FillResourceMappingList(GResourceMappingList&) override {}
    int32_t FormIndexToPaperId(uint32_t, uint16_t&) override { return 0; }
    int32_t PaperIdToFormIndex(uint16_t, uint32_t&) override { return 0; }
    int32_t AcceptsForm(const FORM_INFO_1W&, uint32_t, int32_t, int32_t) override { return 0; }
};
