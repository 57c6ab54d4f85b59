#include "ui/pages/GWatermarkDefaults.h"

#include <array>
#include <string>

#include "model/GAttributeComposite.h"
#include "model/GSettingIds.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "rw/RWWString.h"
#include "ui/framework/GUIStrings.h"
#include "winapi/WinKernel.h"

namespace {

constexpr uint32_t kFamilyWithLegacyFaces = 2;

struct FaceRow {
    uint16_t codePage;
    uint16_t charSet;
    const char16_t* face;      // on family 2
    const char16_t* otherFace; // on every other family
};

constexpr std::array kFaceRows = {
    FaceRow{874, 222, u"Arial", u"Arial"},
    FaceRow{932, 128, u"\uFF2D\uFF33 \u660E\u671D", u"\uFF2D\uFF33 \uFF30\u660E\u671D"},
    FaceRow{936, 134, u"\u5B8B\u4F53", u"\u5B8B\u4F53"},
    FaceRow{949, 129, u"\uBC14\uD0D5\uCCB4", u"\uBC14\uD0D5"},
    FaceRow{950, 136, u"\u7D30\u660E\u9AD4", u"\u65B0\u7D30\u660E\u9AD4"},
    FaceRow{1200, 0, u"Arial", u"Arial"},
    FaceRow{1250, 238, u"Arial CE", u"Arial"},
    FaceRow{1251, 204, u"Arial Cyr", u"Arial"},
    FaceRow{1252, 0, u"Arial", u"Arial"},
    FaceRow{1253, 161, u"Arial", u"Arial"},
    FaceRow{1254, 162, u"Arial", u"Arial"},
    FaceRow{1255, 177, u"Arial", u"Arial"},
    FaceRow{1256, 178, u"Arial", u"Arial"},
    FaceRow{1257, 186, u"Arial", u"Arial"},
    FaceRow{1361, 130, u"Arial", u"Arial"},
};
constexpr uint16_t kOtherCharSet = 255;

// The face in the code page's bytes; the Latin faces are plain ASCII.
RWCString InCodePage(const char16_t* face, uint16_t codePage) {
    const std::u16string wide(face);
    const int length = static_cast<int>(wide.size());
    const int needed = WideCharToMultiByte(codePage, 0, wide.c_str(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return RWCString(RWWString(wide.c_str()).ToMultiByte());
    std::string bytes(static_cast<size_t>(needed), '\0');
    WideCharToMultiByte(codePage, 0, wide.c_str(), length, bytes.data(), needed, nullptr, nullptr);
    return RWCString(bytes.c_str(), bytes.size());
}

uint16_t DecimalText(uint16_t id) {
    RWWString text;
    LoadResString(id, text);
    uint32_t value = 0;
    for (size_t i = 0; i < text.Length() && text.Data()[i] >= u'0' && text.Data()[i] <= u'9'; ++i)
        value = value * 10 + static_cast<uint32_t>(text.Data()[i] - u'0');
    return static_cast<uint16_t>(value);
}

void AddValue(GAttributeComposite& record, uint32_t id, uint16_t value) {
    record.Add(new GValueAttribute(value, id));
}

} // namespace

RWCString WatermarkResourceText(uint16_t id) {
    RWWString text;
    LoadResString(id, text);
    return text.ToMultiByte();
}

GWatermarkFace DefaultWatermarkFace(uint16_t codePage, uint32_t family) {
    for (const FaceRow& row : kFaceRows) {
        if (row.codePage != codePage) continue;
        const char16_t* face = family == kFamilyWithLegacyFaces ? row.face : row.otherFace;
        return {row.charSet, InCodePage(face, codePage)};
    }
    return {kOtherCharSet, RWCString("Arial")};
}

GAttributeComposite* NewWatermarkRecord(const RWCString& name, const RWCString& message,
                                        const GWatermarkFace& face, const GDefaultWatermark& row,
                                        uint16_t size, uint16_t grey) {
    using namespace GSettingId;
    auto* record = new GAttributeComposite(kWatermark);
    record->Add(new GStringAttribute(name, kWatermarkName));
    record->Add(new GStringAttribute(message, kWatermarkText));
    record->Add(new GStringAttribute(face.name, kWatermarkFace));
    AddValue(*record, kWatermarkCharSet, face.charSet);
    AddValue(*record, kWatermarkStyle, row.style);
    AddValue(*record, kWatermarkField389, 0);
    AddValue(*record, kWatermarkPointSize, size);
    AddValue(*record, kWatermarkCharWidth, 0);
    AddValue(*record, kWatermarkAngleKind, 1);
    AddValue(*record, kWatermarkCustomAngle, 0);
    AddValue(*record, kWatermarkField396, 0);
    AddValue(*record, kWatermarkField397, 0);
    for (const uint32_t id : {kWatermarkShade, kWatermarkRed, kWatermarkGreen, kWatermarkBlue})
        AddValue(*record, id, grey);
    AddValue(*record, kBuiltInWatermark, row.identity);
    return record;
}

void AddDefaultWatermarks(MPersistentObject& pool, const GWatermarkFace& face, uint16_t grey) {
    for (const GDefaultWatermark& row : kDefaultWatermarks) {
        const RWCString name = row.nameText == 0 ? RWCString() : WatermarkResourceText(row.nameText);
        const RWCString message = row.nameText == 0 ? WatermarkResourceText(kWatermarkNoneText) : name;
        pool.Add(NewWatermarkRecord(name, message, face, row, DecimalText(row.sizeText), grey));
    }
}
