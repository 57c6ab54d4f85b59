#pragma once
// Pages per sheet (266) against scaling, TrueType bitmaps the printer
// cannot scale, booklets and printing on other paper; and the layout of the
// Finishing page below the staple and bind rows, which need more room while
// a stapler (311) or binder (613) is installed.
//
// The rule is made with the Finishing page but runs after every other
// rule, so that it judges the settings they leave (a booklet another rule
// has just turned off is no reason any more). It holds a checked link to
// the page: a page deleted or without a window is never touched.
#include <memory>

#include "ui/framework/GAvailabilityRule.h"
#include "winapi/WinTypes.h"

class GDialog;

class GPagesPerSheetRule : public GAvailabilityRule {
public:
    GPagesPerSheetRule(GUIModel* model, const GDialog* finishingPage);
    void Reset() override;
    void Evaluate(const std::vector<uint32_t>& keys, uint32_t firstPass) override;

private:
    void LayOut(HWND page);

    std::weak_ptr<GDialog* const> page_;
};
