#include "ui/pages/GPaperSizeText.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "driver/GMediaNameEnumeration.h"
#include "model/GAttributeComposite.h"
#include "model/GSettingIds.h"
#include "ui/framework/GUIModel.h"
#include "ui/framework/GUIStrings.h"
#include "ui/pages/GCustomLengthText.h"
#include "ui/pages/GPaperDots.h"
#include "ui/pages/GUserLocale.h"

namespace {

constexpr uint16_t kBy = 11020;
constexpr uint16_t kMillimetresSuffix = 11021;
constexpr uint16_t kInchesSuffix = 11022;
constexpr uint32_t kMicronsPerInch = 25400;

struct PrintedSize {
    uint16_t paperId = 0;
    int32_t orientation = 0;
};

int16_t ValueOf(GUIModel* model, uint32_t id) {
    int16_t value = 0;
    model->CurrentSettings().GetValue(id, value);
    return value;
}

PrintedSize PrintedOn(GUIModel* model) {
    PrintedSize printed{static_cast<uint16_t>(ValueOf(model, GSettingId::kPaper)),
                        ValueOf(model, GSettingId::kOrientation)};
    if (ValueOf(model, GSettingId::kPrintOnOtherPaper) == 1) {
        printed.paperId = static_cast<uint16_t>(ValueOf(model, GSettingId::kOtherPaper));
    } else if (ValueOf(model, GSettingId::kBooklet) != 0) {
        printed.paperId = static_cast<uint16_t>(ValueOf(model, GSettingId::kBookletPaper));
        printed.orientation = printed.orientation == 0 || printed.orientation == 180 ? 90 : 0;
    }
    return printed;
}

RWWString Text(uint16_t id) {
    RWWString text;
    LoadResString(id, text);
    return text;
}

RWWString Join(const RWWString& first, const RWWString& second, uint16_t suffix) {
    std::u16string joined(first.Data(), first.Length());
    const RWWString by = Text(kBy);
    const RWWString tail = Text(suffix);
    joined.append(by.Data(), by.Length())
        .append(second.Data(), second.Length())
        .append(tail.Data(), tail.Length());
    return RWWString(joined.data(), joined.size());
}

} // namespace

RWWString GPaperSizeText::Inches(double inches, const RWWString& separator) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%1.2f", inches);
    std::string text(buffer);
    while (text.size() > 1 && text.back() == '0')
        text.pop_back();
    if (text.size() > 1 && text.back() == '.') text.pop_back();
    const size_t point = text.find('.');
    std::u16string wide(text.begin(), text.end());
    if (point != std::string::npos) wide.replace(point, 1, separator.Data(), separator.Length());
    return RWWString(wide.data(), wide.size());
}

RWWString GPaperSizeText::Describe(GUIModel* model, uint32_t unit) {
    const PrintedSize printed = PrintedOn(model);
    const GMediaQuery query = GMediaQueryOf(model->CurrentSettingsTree());
    const uint16_t dpi = std::min(query.xDpi, query.yDpi);
    const std::optional<GPaperDots> dots = PaperDotsOf(model, printed.paperId, printed.orientation, dpi);
    if (!dots || dots->xDpi == 0 || dots->yDpi == 0) return RWWString();
    uint32_t first = dots->width;
    uint32_t second = dots->height;
    uint32_t firstDpi = dots->xDpi;
    uint32_t secondDpi = dots->yDpi;
    const int16_t pagesPerSheet = ValueOf(model, GSettingId::kPagesPerSheet);
    if (pagesPerSheet == 2 || pagesPerSheet == 6) {
        std::swap(first, second);
        std::swap(firstDpi, secondDpi);
    }
    if (unit == GCustomLengthText::kInches) {
        const RWWString separator = GUserLocale::DecimalSeparator();
        return Join(Inches(static_cast<double>(first) / firstDpi, separator),
                    Inches(static_cast<double>(second) / secondDpi, separator), kInchesSuffix);
    }
    // Thousandths of a millimetre, rounded to whole millimetres as the
    // custom size dialog rounds.
    const RWWString none;
    return Join(
        GCustomLengthText::Format(static_cast<uint32_t>(uint64_t{first} * kMicronsPerInch / firstDpi),
                                  GCustomLengthText::kMillimetres, none),
        GCustomLengthText::Format(static_cast<uint32_t>(uint64_t{second} * kMicronsPerInch / secondDpi),
                                  GCustomLengthText::kMillimetres, none),
        kMillimetresSuffix);
}
