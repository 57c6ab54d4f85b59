#include "ui/pages/GWatermarkFeature.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include "driver/GSettingValues.h"
#include "model/GAttributeComposite.h"
#include "model/GCountedPtr.h"
#include "model/GOSVersionInfo.h"
#include "model/GSettingIds.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "ui/framework/GResourceLibrary.h"
#include "ui/framework/GSettingsAccessor.h"
#include "ui/framework/GUIModel.h"
#include "ui/framework/GVersionInfo.h"
#include "ui/pages/GWatermarkDefaults.h"

namespace {

using namespace GSettingId;

constexpr uint16_t kSuffixText = 11072;
constexpr uint16_t kConfidentialText = 11074;
constexpr uint16_t kDraftText = 11075;
constexpr uint16_t kSampleText = 11076;
constexpr uint16_t kListFullText = 11081;
constexpr int16_t kTipShown = 1;
constexpr int16_t kTipHidden = 2;
constexpr uint16_t kDefaultGrey = 224;
constexpr uint16_t kUserMade = 2;
constexpr int16_t kFirstPageNotApplicable = 2;

constexpr uint16_t kRegularText = 11061;
constexpr uint16_t kLastStyle = 3;

struct TextValue {
    uint16_t text;
    uint32_t value;
};
constexpr std::array kShades = {
    TextValue{11089, 255}, TextValue{11090, 224}, TextValue{11091, 192},
    TextValue{11092, 160}, TextValue{11093, 128}, TextValue{11094, 96},
    TextValue{11095, 64},  TextValue{11096, 32},  TextValue{11097, 0},
};
constexpr uint16_t kVeryLightText = 11090;
constexpr std::array kColours = {
    TextValue{11083, 0x0000FF}, TextValue{11084, 0x00FFFF}, TextValue{11085, 0x00FF00},
    TextValue{11086, 0xFFFF00}, TextValue{11087, 0xFF0000}, TextValue{11088, 0xFF00FF},
};
constexpr uint16_t kGrayText = 11067;
constexpr uint32_t kNoColour = 0xFFFFFF;

RWCString UpperCased(const RWCString& text) {
    std::string upper(text.Data(), text.Length());
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return RWCString(upper.c_str(), upper.size());
}

RWCString TextOf(MPersistentObject* record, uint32_t id) {
    const GStringAttribute* text = GSettingValues::FindText(record, id);
    return text == nullptr ? RWCString() : text->GetValue();
}

// A copy of a stored record with its message cut to the length a
// watermark may have.
std::unique_ptr<MPersistentObject> WorkingCopyOf(MPersistentObject* record) {
    std::unique_ptr<MPersistentObject> copy =
        record != nullptr ? record->Clone() : std::make_unique<GAttributeComposite>(kWatermark);
    if (GStringAttribute* message = GSettingValues::FindText(copy.get(), kWatermarkText)) {
        if (message->GetValue().Length() > GWatermarkFeature::kMessageLength)
            message->SetValue(RWCString(message->GetValue().Data(), GWatermarkFeature::kMessageLength));
    }
    return copy;
}

GWatermarkFace ResourceFace() {
    HMODULE library = ResourceModule();
    const uint16_t codePage = library != nullptr ? GVersionInfo(library).CodePage() : 0;
    GOSVersionInfo version;
    version.Detect();
    return DefaultWatermarkFace(codePage, version.GetFamily());
}

// Adds a setting the settings lack next to the watermark choice (or at the
// root when there is no choice group).
void AddSetting(GUIModel& model, MPersistentObject* attribute) {
    GAttributeComposite* root = model.CurrentSettingsTree();
    if (root == nullptr) {
        GCountedPtr dropped(attribute);
        return;
    }
    MPersistentObject* choice = root->FindById(kWatermarkChoice);
    (choice != nullptr ? choice : root)->Add(attribute);
}

} // namespace

GWatermarkFeature::GWatermarkFeature(GUIModel* model)
    : GFeature(model), state_(model->WatermarkEditState()) {}

GWatermarkFeature::~GWatermarkFeature() = default;

// --- The pool --------------------------------------------------------------------

MPersistentObject* GWatermarkFeature::Pool() const {
    return Model()->FindWatermarks();
}

MPersistentObject* GWatermarkFeature::EnsurePool() {
    if (MPersistentObject* pool = Pool()) return pool;
    GAttributeComposite* root = Model()->CurrentSettingsTree();
    if (root == nullptr) return nullptr;
    MPersistentObject* group = root->FindById(kWatermarksGroup);
    (group != nullptr ? group : root)->Add(new GAttributeComposite(kWatermarkPool));
    return Pool();
}

void GWatermarkFeature::EnsureDefaultPool() {
    MPersistentObject* pool = EnsurePool();
    if (pool == nullptr || !GSettingValues::Children(pool).empty()) return;
    int16_t grey = 0;
    const uint16_t shade = Model()->CurrentSettings().GetValue(kDefaultWatermarkGrey, grey) != 0
                               ? static_cast<uint16_t>(grey)
                               : kDefaultGrey;
    AddDefaultWatermarks(*pool, ResourceFace(), shade);
}

RWCString GWatermarkFeature::Selection() const {
    RWCString name;
    Model()->CurrentSettings().GetString(kSelectedWatermarkName, name);
    return name;
}

void GWatermarkFeature::Reload() {
    state_->workingCopy.reset();
    EnsureDefaultPool();
    MPersistentObject* record = FindByName(Selection());
    if (record == nullptr) {
        SetSelection(RWCString());
        record = FindByName(RWCString());
    }
    state_->workingCopy = WorkingCopyOf(record);
    state_->mode = Selection().Length() != 0 ? GWatermarkEditState::kStored : GWatermarkEditState::kNone;
}

void GWatermarkFeature::CommitEdit() {
    const uint16_t mode = state_->mode;
    if (mode != GWatermarkEditState::kNewUntouched && mode != GWatermarkEditState::kNewTyped &&
        mode != GWatermarkEditState::kStoredChanged)
        return;
    const RWCString name = Name();
    if (name.Length() == 0 || Copy() == nullptr) return;
    // An overfull pool (from a store) never takes a new record.
    if (mode != GWatermarkEditState::kStoredChanged && PoolIsFull()) return;
    std::unique_ptr<MPersistentObject> clone = Copy()->Clone();
    if (mode == GWatermarkEditState::kStoredChanged) DeleteSelected();
    MPersistentObject* pool = EnsurePool();
    if (pool == nullptr) return;
    RecordPoolChange();
    pool->Add(state_->workingCopy.release());
    state_->workingCopy = std::move(clone);
    SetSelection(name);
    state_->mode = GWatermarkEditState::kStored;
}

void GWatermarkFeature::DeleteSelected() {
    const uint16_t mode = state_->mode;
    if (mode == GWatermarkEditState::kStored || mode == GWatermarkEditState::kStoredChanged) {
        const RWCString selection = Selection();
        if (selection.Length() == 0) return;
        if (MPersistentObject* record = FindByName(selection)) {
            RecordPoolChange();
            Pool()->Remove(record); // the pool was its only holder
        }
    }
    SetSelection(RWCString());
}

void GWatermarkFeature::SetSelection(const RWCString& name) {
    GSettingsAccessor settings = Model()->CurrentSettings();
    if (settings.SetValue(kBuiltInWatermark, BuiltInIdentity(name)) == 0)
        AddSetting(*Model(),
                   new GValueAttribute(static_cast<uint16_t>(BuiltInIdentity(name)), kBuiltInWatermark));
    if (settings.SetString(kSelectedWatermarkName, name) == 0)
        AddSetting(*Model(), new GStringAttribute(name, kSelectedWatermarkName));
}

void GWatermarkFeature::UpdateFirstPageOnly(const RWCString& name) {
    GSettingsAccessor settings = Model()->CurrentSettings();
    if (name.Length() == 0 || name == WatermarkResourceText(kWatermarkNoneText)) {
        settings.SetValue(kWatermarkFirstPageOnly, kFirstPageNotApplicable);
        return;
    }
    int16_t firstPageOnly = 0;
    settings.GetValue(kWatermarkFirstPageOnly, firstPageOnly);
    settings.SetValue(kWatermarkFirstPageOnly, firstPageOnly == 1 ? 1 : 0);
}

bool GWatermarkFeature::PoolIsFull() const {
    size_t count = GSettingValues::Children(Pool()).size();
    if (state_->mode == GWatermarkEditState::kNewUntouched || state_->mode == GWatermarkEditState::kNewTyped)
        ++count;
    return count >= state_->limit;
}

uint32_t GWatermarkFeature::IsListFull() {
    GSettingsAccessor levels = Model()->RuleLevels();
    if (!PoolIsFull()) {
        levels.SetValue(kWatermarkListFullLevel, kTipHidden);
        return 0;
    }
    levels.SetValue(kWatermarkListFullMessage, static_cast<int16_t>(kListFullText));
    levels.SetValue(kWatermarkListFullLevel, kTipShown);
    return 1;
}

MPersistentObject* GWatermarkFeature::FindByName(const RWCString& name) const {
    for (MPersistentObject* record : GSettingValues::Children(Pool())) {
        const GStringAttribute* recordName = GSettingValues::FindText(record, kWatermarkName);
        if (recordName != nullptr && recordName->GetValue() == name) return record;
    }
    return nullptr;
}

RWCString GWatermarkFeature::MakeUniqueName() const {
    const RWCString message = Message();
    if (message.Length() == 0) return RWCString();
    if (state_->mode == GWatermarkEditState::kStoredChanged) {
        const RWCString selection = Selection();
        MPersistentObject* stored = FindByName(selection);
        if (stored != nullptr && TextOf(stored, kWatermarkText) == message) return selection;
    }
    if (FindByName(message) == nullptr) return message;
    const RWCString suffix = WatermarkResourceText(kSuffixText);
    // Among count + 1 candidates one is always free.
    const size_t count = GSettingValues::Children(Pool()).size();
    for (size_t counter = 2; counter <= count + 2; ++counter) {
        const RWCString candidate = message + suffix + RWCString(std::to_string(counter).c_str());
        if (FindByName(candidate) == nullptr) return candidate;
    }
    return RWCString();
}

std::vector<RWCString> GWatermarkFeature::ListedNames() const {
    std::vector<RWCString> names;
    for (MPersistentObject* record : GSettingValues::Children(Pool()))
        names.push_back(TextOf(record, kWatermarkName));
    std::stable_sort(names.begin(), names.end(), [](const RWCString& a, const RWCString& b) {
        const RWCString upperA = UpperCased(a);
        const RWCString upperB = UpperCased(b);
        return std::lexicographical_compare(
            upperA.Data(), upperA.Data() + upperA.Length(), upperB.Data(), upperB.Data() + upperB.Length(),
            [](char x, char y) { return static_cast<unsigned char>(x) < static_cast<unsigned char>(y); });
    });
    return names;
}

int16_t GWatermarkFeature::BuiltInIdentity(const RWCString& name) {
    if (name.Length() == 0 || name == WatermarkResourceText(kWatermarkNoneText)) return 0;
    if (name == WatermarkResourceText(kConfidentialText)) return 1;
    if (name == WatermarkResourceText(kDraftText)) return 2;
    if (name == WatermarkResourceText(kSampleText)) return 3;
    return kOtherIdentity;
}

// --- The edit state ----------------------------------------------------------------

void GWatermarkFeature::SetMode(uint16_t mode) {
    if (mode <= GWatermarkEditState::kLastMode) state_->mode = mode;
}

uint32_t GWatermarkFeature::CanEdit() const {
    if (CopyValue(kWatermarkLocality, 0) == kUserMade) return 0;
    return state_->mode != GWatermarkEditState::kNone ? 1 : 0;
}

uint32_t GWatermarkFeature::AnyFieldChanged() {
    GSettingsAccessor settings = Model()->CurrentSettings();
    return settings.WasChanged(kSelectedWatermarkName) != 0 || settings.WasChanged(kWatermarkPool) != 0 ? 1
                                                                                                        : 0;
}

void GWatermarkFeature::MarkUserMade() {
    if (Model()->OwnerFlagBit3() == 0 || Copy() == nullptr) return;
    Copy()->RemoveById(kWatermarkLocality);
    Copy()->Add(new GValueAttribute(kUserMade, kWatermarkLocality));
}

void GWatermarkFeature::RecordPoolChange() {
    if (MPersistentObject* pool = Pool()) Model()->CurrentSettings().NotifyChange(pool, nullptr);
}

// --- The copy's fields ---------------------------------------------------------------

RWCString GWatermarkFeature::CopyText(uint32_t id) const {
    return TextOf(Copy(), id);
}

uint16_t GWatermarkFeature::CopyValue(uint32_t id, uint16_t absent) const {
    return GSettingValues::Get(Copy(), id).value_or(absent);
}

void GWatermarkFeature::PutText(uint32_t id, const RWCString& text) {
    if (Copy() == nullptr) state_->workingCopy = WorkingCopyOf(nullptr);
    if (GStringAttribute* attribute = GSettingValues::FindText(Copy(), id))
        attribute->SetValue(text);
    else
        Copy()->Add(new GStringAttribute(text, id));
}

void GWatermarkFeature::PutValue(uint32_t id, uint16_t value) {
    if (Copy() == nullptr) state_->workingCopy = WorkingCopyOf(nullptr);
    if (!GSettingValues::Set(Copy(), id, value)) Copy()->Add(new GValueAttribute(value, id));
}

void GWatermarkFeature::EditValue(uint32_t id, uint16_t value) {
    RecordPoolChange();
    PutValue(id, value);
    if (state_->mode == GWatermarkEditState::kStored) state_->mode = GWatermarkEditState::kStoredChanged;
}

void GWatermarkFeature::SetName(const RWCString& name) {
    RecordPoolChange();
    PutText(kWatermarkName, name);
}

void GWatermarkFeature::SetMessage(const RWCString& message) {
    const size_t length = std::min(message.Length(), kMessageLength);
    PutText(kWatermarkText, RWCString(message.Data(), length));
}

void GWatermarkFeature::SetFontName(const RWCString& face) {
    RecordPoolChange();
    PutText(kWatermarkFace, face);
    if (state_->mode == GWatermarkEditState::kStored) state_->mode = GWatermarkEditState::kStoredChanged;
}

void GWatermarkFeature::SetCharSet(uint16_t charSet) {
    PutValue(kWatermarkCharSet, charSet);
}

void GWatermarkFeature::SetStyle(uint16_t styleText) {
    const bool listed = styleText >= kRegularText && styleText <= kRegularText + kLastStyle;
    EditValue(kWatermarkStyle, listed ? static_cast<uint16_t>(styleText - kRegularText) : 0);
}

void GWatermarkFeature::SetSize(uint16_t points) {
    EditValue(kWatermarkPointSize, points);
}

void GWatermarkFeature::SetAngleMode(uint16_t mode) {
    EditValue(kWatermarkAngleKind, mode);
}

void GWatermarkFeature::SetAngle(uint16_t degrees) {
    EditValue(kWatermarkCustomAngle, degrees);
}

void GWatermarkFeature::SetShade(uint16_t shadeText) {
    const auto* row =
        std::find_if(kShades.begin(), kShades.end(), [&](const TextValue& r) { return r.text == shadeText; });
    EditValue(kWatermarkShade, static_cast<uint16_t>(row != kShades.end() ? row->value : kDefaultGrey));
}

void GWatermarkFeature::SetColour(uint16_t colourText) {
    const auto* row = std::find_if(kColours.begin(), kColours.end(),
                                   [&](const TextValue& r) { return r.text == colourText; });
    const uint32_t colour = row != kColours.end() ? row->value : kNoColour;
    EditValue(kWatermarkRed, static_cast<uint16_t>(colour & 0xFF));
    PutValue(kWatermarkGreen, static_cast<uint16_t>((colour >> 8) & 0xFF));
    PutValue(kWatermarkBlue, static_cast<uint16_t>((colour >> 16) & 0xFF));
}

RWCString GWatermarkFeature::Name() const {
    return CopyText(kWatermarkName);
}

RWCString GWatermarkFeature::Message() const {
    return CopyText(kWatermarkText);
}

RWCString GWatermarkFeature::FontName() const {
    return CopyText(kWatermarkFace);
}

uint16_t GWatermarkFeature::CharSet() const {
    return CopyValue(kWatermarkCharSet, 1);
}

uint16_t GWatermarkFeature::Size() const {
    return CopyValue(kWatermarkPointSize, 0);
}

uint16_t GWatermarkFeature::AngleMode() const {
    return CopyValue(kWatermarkAngleKind, 0);
}

uint16_t GWatermarkFeature::Angle() const {
    return CopyValue(kWatermarkCustomAngle, 0);
}

uint16_t GWatermarkFeature::StyleText() const {
    const uint16_t style = CopyValue(kWatermarkStyle, 0);
    return style <= kLastStyle ? static_cast<uint16_t>(kRegularText + style) : kRegularText;
}

uint16_t GWatermarkFeature::ShadeText() const {
    const uint16_t shade = CopyValue(kWatermarkShade, kDefaultGrey);
    const auto* row =
        std::find_if(kShades.begin(), kShades.end(), [&](const TextValue& r) { return r.value == shade; });
    return row != kShades.end() ? row->text : kVeryLightText;
}

uint16_t GWatermarkFeature::ColourText() const {
    const uint32_t colour = CopyValue(kWatermarkRed, 255) | (uint32_t{CopyValue(kWatermarkGreen, 255)} << 8) |
                            (uint32_t{CopyValue(kWatermarkBlue, 255)} << 16);
    const auto* row =
        std::find_if(kColours.begin(), kColours.end(), [&](const TextValue& r) { return r.value == colour; });
    return row != kColours.end() ? row->text : kGrayText;
}
