#include "driver/GetWriterKind.h"

#include "model/GSettingIds.h"
#include "model/GValueAttribute.h"

namespace {

bool IsWriterKind(uint32_t kind) {
    return kind == GWriterKind::kPclXl || kind == GWriterKind::kPostScript || kind == GWriterKind::kPcl5;
}

uint16_t KindOfWriterObject(const MPersistentObject& writer) {
    for (const uint16_t kind : {GWriterKind::kPclXl, GWriterKind::kPcl5, GWriterKind::kPostScript})
        if (writer.IsKindOf(kind)) return kind;
    return GWriterKind::kNone;
}

} // namespace

uint16_t GetWriterKind(MPersistentObject* printerConfiguration) {
    if (printerConfiguration == nullptr) return GWriterKind::kNone;
    MPersistentObject* holder = printerConfiguration->FindById(GSettingId::kWriterHolder);
    if (MPersistentObject* writer = holder == nullptr ? nullptr : holder->FindById(GSettingId::kWriterStage))
        return KindOfWriterObject(*writer);
    const auto* record =
        dynamic_cast<const GValueAttribute*>(printerConfiguration->FindById(GSettingId::kWriterKind));
    if (record == nullptr || !IsWriterKind(record->GetValue())) return GWriterKind::kNone;
    return record->GetValue();
}
