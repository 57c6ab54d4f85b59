// The usage record: "@PJL USAGE" and six comma-separated fields.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "device/GPJL.h"
#include "driver/GOSFactory.h"
#include "job/GDocumentStart.h"
#include "job/GJobContext.h"
#include "model/GSettingIds.h"
#include "model/GStringAttribute.h"
#include "model/GStringConversion.h"
#include "model/GValueAttribute.h"

namespace {

// Texts are hashed and searched only as far as this working buffer holds.
constexpr size_t kWorkBytes = 99;

std::mutex g_tableLock;
GPJL::ModelCodeTable g_table;

std::string Bounded(const RWCString& text) {
    return std::string(text.Data(), std::min<size_t>(text.Length(), kWorkBytes));
}

std::string Hex(unsigned value) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02x", value);
    return digits;
}

std::string FindModelCode(const std::string& model) {
    const std::lock_guard<std::mutex> hold(g_tableLock);
    for (const GPJL::ModelCode& row : g_table)
        if (!row.substring.empty() && model.find(row.substring) != std::string::npos) return "=" + row.code;
    return "=";
}

std::string HashField(GAttributeComposite& group, uint32_t id, bool upper) {
    const GStringAttribute* setting = GPJL::FindString(&group, id);
    if (setting == nullptr) return std::string();
    std::string text = Bounded(setting->GetValue());
    if (upper)
        for (char& c : text)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return Hex(GPJL::Crc16OfText(text.data(), text.size()));
}

bool IsNot(GAttributeComposite& group, uint32_t id, uint16_t value) {
    const GValueAttribute* setting = GPJL::FindValue(&group, id);
    return setting != nullptr && setting->GetValue() != value;
}

unsigned FeatureFlags(GAttributeComposite& group) {
    unsigned flags = 0;
    const GValueAttribute* scale = GPJL::FindValue(&group, GSettingId::kScale);
    const GValueAttribute* selector = GPJL::FindValue(&group, GSettingId::kPrintOnOtherPaper);
    if (scale != nullptr && selector != nullptr && !(scale->GetValue() == 100 && selector->GetValue() == 0))
        flags |= 0x01;
    if (IsNot(group, GSettingId::kPagesPerSheet, 1)) flags |= 0x02;
    if (IsNot(group, GSettingId::kDuplex, 0)) flags |= IsNot(group, GSettingId::kBooklet, 0) ? 0x10 : 0x08;
    return flags;
}

std::string OSField() {
    GOSFactory* platform = GOSFactory::Instance();
    const uint32_t code = platform != nullptr ? platform->GetOSVersion().GetCode() : 0;
    switch (code) {
    case 5:
    case 7:
        return Hex(2);
    case 6:
        return Hex(1);
    case 8:
        return Hex(0x10);
    case 9:
    case 11:
        return Hex(4);
    case 13:
        return Hex(8);
    case 14:
        return Hex(0x20);
    default:
        return "(n/a)";
    }
}

bool ContainsIgnoringCase(std::string text, const char* word) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text.find(word) != std::string::npos;
}

std::string DestinationField(GDocumentStart& command) {
    GJobContext* job = command.GetJobContext();
    if (job == nullptr) return std::string();
    RWWString wide;
    job->GetSecondName(wide);
    RWCString narrow;
    ConvertWideToNarrow(wide, narrow);
    const std::string name(narrow.Data(), narrow.Length());
    if (ContainsIgnoringCase(name, "FILE")) return Hex(4);
    return Hex(ContainsIgnoringCase(name, "LPT1") ? 1 : 2);
}

} // namespace

void GPJL::SetModelCodeTable(const ModelCodeTable& table) {
    const std::lock_guard<std::mutex> hold(g_tableLock);
    g_table = table;
}

uint16_t GPJL::Crc16OfText(const char* text, size_t length) {
    uint16_t crc = 0;
    for (size_t i = 0; i < length; ++i) {
        crc ^= static_cast<unsigned char>(text[i]);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) != 0 ? static_cast<uint16_t>((crc >> 1) ^ 0xA001) : crc >> 1;
    }
    return crc == 0 ? 0xFFFF : crc;
}

int GPJL::WriteUsage(GDocumentStart& command, std::string& text, GAttributeComposite& group) {
    if (group.FindById(GSettingId::kUsageRecord) == nullptr) return 0;
    const GStringAttribute* model = FindString(&group, GSettingId::kModelString);
    const std::string code = model != nullptr ? FindModelCode(Bounded(model->GetValue())) : "=";
    text += "@PJL USAGE" + code + "," + HashField(group, GSettingId::kJobAccounting2, false) + "," +
            HashField(group, GSettingId::kUsageRecordText, true) + "," + Hex(FeatureFlags(group)) + "," +
            OSField() + "," + DestinationField(command) + "\r\n";
    return 0;
}
