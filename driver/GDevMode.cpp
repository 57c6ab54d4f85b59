#include "driver/GDevMode.h"

#include <algorithm>
#include <istream>
#include <ostream>
#include <vector>

#include "driver/GDriverContext.h"
#include "driver/GSettingValues.h"
#include "model/GAttributeComposite.h"
#include "model/GLZWCoder.h"
#include "model/GPersistInputStream.h"
#include "model/GPersistMemoryStreamBuf.h"
#include "model/GPersistOutputStream.h"
#include "model/GSettingIds.h"
#include "model/GSettingsClassFilter.h"
#include "model/GStreamCompressor.h"
#include "rw/RWCollectableIO.h"
#include "rw/RWLibraryError.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"

namespace {

using Image = GDevModeImage;

constexpr uint32_t kBlobFormNodes[] = {GSettingId::kDefaults, GSettingId::kWatermarksGroup,
                                       GSettingId::kBlobForm}; // 940 in 366 in 359
constexpr uint32_t kMonochromeFlag = 0x80;
constexpr uint16_t kFirstSpecVersionWithCollate = 0x0400;
constexpr uint16_t kLastSpecVersion = 0x0401;
constexpr DWORD kColourMatchingFields = DM_MEDIATYPE | DM_DITHERTYPE;
constexpr char16_t kDefaultFormName[] = u"Letter";
constexpr size_t kNameUnits = CCHDEVICENAME;

// Where each dmFields bit's field ends: a DEVMODE whose dmSize stops
// before that has no such field.
struct FieldEnd {
    DWORD bit;
    size_t end;
};
constexpr FieldEnd kFieldEnds[] = {
    {DM_ORIENTATION, 78}, {DM_PAPERSIZE, 80}, {DM_PAPERLENGTH, 82},   {DM_PAPERWIDTH, 84},
    {DM_SCALE, 86},       {DM_COPIES, 88},    {DM_DEFAULTSOURCE, 90}, {DM_PRINTQUALITY, 92},
    {DM_COLOR, 94},       {DM_DUPLEX, 96},    {DM_YRESOLUTION, 98},   {DM_TTOPTION, 100},
    {DM_COLLATE, 102},    {DM_FORMNAME, 166}, {DM_MEDIATYPE, 192},    {DM_DITHERTYPE, 196},
};

const uint8_t* BytesOf(const DEVMODEW* devmode) {
    return reinterpret_cast<const uint8_t*>(devmode);
}

// Wide text of at most n units, up to its first 0.
RWWString WideText(const WCHAR* text, size_t n) {
    return RWWString(text, static_cast<size_t>(std::find(text, text + n, u'\0') - text));
}

std::unique_ptr<GAttributeComposite> AsComposite(std::unique_ptr<MPersistentObject> object) {
    auto* composite = dynamic_cast<GAttributeComposite*>(object.get());
    if (composite == nullptr) return nullptr;
    object.release();
    return std::unique_ptr<GAttributeComposite>(composite);
}

// zlib's deflate state is about 260 KB: one compressor per thread keeps
// its streams from blob to blob, for every DEVMODE object the thread makes,
// and no two threads share one.
GStreamCompressor& BlobCompressor() {
    thread_local GStreamCompressor compressor;
    return compressor;
}

} // namespace

GDevMode::GDevMode(GDriverContext* context) : context_(context) {
    WriteHeaderWords();
}

GDevMode::GDevMode(const GDevMode& other) : context_(other.context_), image_(other.image_) {
    if (other.settings_ != nullptr) settings_ = AsComposite(other.settings_->Clone());
}

GDevMode& GDevMode::operator=(const GDevMode& other) {
    if (this != &other) CopyFrom(other);
    return *this;
}

GDevMode::~GDevMode() = default;

void GDevMode::WriteHeaderWords() {
    image_.SetWord(Image::kTotalSizeWord, Image::kTotalSize);
    image_.SetWord(Image::kHeaderSizeWord, Image::kPrivateHeaderSize);
    image_.SetLong(Image::kApplicationFlags, 0);
    image_.SetWord(Image::kTimeZoneBias, 0);
    image_.SetWord(Image::kFormatWord, Image::kFormat);
    image_.SetWord(Image::kHeaderEndWord, Image::kHeaderEnd);
    image_.SetWord(Image::kBlobLengthWord, 0);
}

void GDevMode::WriteDriverNameBytes() {
    uint8_t* name = image_.Bytes() + Image::kDriverNameBytes;
    std::fill(name, name + Image::kDriverNameLength, 0);
    if (context_ == nullptr) return;
    const RWWString& driver = context_->GetDriverName();
    const size_t n = std::min(driver.Length(), Image::kDriverNameLength);
    for (size_t i = 0; i < n; ++i)
        name[i] = static_cast<uint8_t>(driver.Data()[i] & 0xFF);
}

void GDevMode::WriteDeviceName() {
    WCHAR* name = image_.dm.dmDeviceName;
    std::fill(name, name + kNameUnits, u'\0');
    if (context_ == nullptr) return;
    const RWWString& printer = context_->GetPrinterName();
    std::copy_n(printer.Data(), std::min(printer.Length(), kNameUnits), name);
    name[kNameUnits - 1] = u'\0';
}

int32_t GDevMode::SetDriverContext(GDriverContext* context) {
    context_ = context;
    if (context_ == nullptr) return 1;
    if (GetDriverName() !=
        RWWString(context_->GetDriverName().Data(),
                  std::min(context_->GetDriverName().Length(), Image::kDriverNameLength))) {
        WriteDriverNameBytes();
    }
    if (GetDeviceName() != context_->GetPrinterName()) WriteDeviceName();
    return 1;
}

RWWString GDevMode::GetDeviceName() const {
    return WideText(image_.dm.dmDeviceName, kNameUnits);
}

RWWString GDevMode::GetDriverName() const {
    const uint8_t* bytes = image_.Bytes() + Image::kDriverNameBytes;
    WCHAR wide[Image::kDriverNameLength];
    std::copy_n(bytes, Image::kDriverNameLength, wide);
    return WideText(wide, Image::kDriverNameLength);
}

MPersistentObject* GDevMode::GetSettings() const {
    return settings_.get();
}

void GDevMode::ReplaceSettings(std::unique_ptr<GAttributeComposite> tree) {
    if (tree != nullptr) settings_ = std::move(tree);
}

int32_t GDevMode::GetXResolution() const {
    return GSettingValues::Get(settings_.get(), GSettingId::kXResolution).value_or(0);
}

int32_t GDevMode::GetYResolution() const {
    return GSettingValues::Get(settings_.get(), GSettingId::kYResolution).value_or(0);
}

int32_t GDevMode::CopyBlobOut(uint8_t* destination, const uint8_t* source, size_t n) {
    std::copy_n(source, n, destination);
    return 1;
}

int32_t GDevMode::CopyBlobIn(uint8_t* destination, const uint8_t* source, size_t n) {
    std::copy_n(source, n, destination);
    return 1;
}

int32_t GDevMode::CopyPublicOut(DEVMODEW* devmode) {
    *devmode = image_.dm;
    return 1;
}

int32_t GDevMode::CopyPublicIn(const DEVMODEW* devmode) {
    image_.dm = *devmode;
    return 1;
}

int32_t GDevMode::CopyTo(DEVMODEW* out) {
    if (out == nullptr) return 0;
    const int32_t result = CopyPublicOut(out);
    // The private header field by field, then the blob area; never more
    // than the blob's capacity, whatever an image taken from elsewhere says.
    uint8_t* target = reinterpret_cast<uint8_t*>(out);
    std::copy_n(image_.Bytes() + Image::kPublicSize, Image::kBlob - Image::kPublicSize,
                target + Image::kPublicSize);
    const size_t blob = std::min<size_t>(image_.Word(Image::kBlobCapacityWord), Image::kBlobCapacity);
    CopyBlobOut(target + Image::kBlob, image_.Bytes() + Image::kBlob, blob);
    image_.Bytes()[Image::kDriverNameBytes + Image::kDriverNameLength - 1] = 0;
    return result;
}

int32_t GDevMode::CopyFrom(const GDevMode& other) {
    const int32_t result = CopyPublicIn(&other.image_.dm);
    std::copy_n(other.image_.Bytes() + Image::kPublicSize, Image::kBlob - Image::kPublicSize,
                image_.Bytes() + Image::kPublicSize);
    const size_t blob = std::min<size_t>(image_.Word(Image::kBlobCapacityWord), Image::kBlobCapacity);
    CopyBlobOut(image_.Bytes() + Image::kBlob, other.image_.Bytes() + Image::kBlob, blob);
    return result;
}

int32_t GDevMode::IsSameImage(const DEVMODEW* devmode) {
    if (devmode == nullptr || devmode->dmSize != image_.dm.dmSize ||
        devmode->dmDriverExtra != image_.dm.dmDriverExtra)
        return 0;
    const size_t n = std::min<size_t>(size_t{devmode->dmSize} + devmode->dmDriverExtra, Image::kTotalSize);
    return std::equal(image_.Bytes(), image_.Bytes() + n, BytesOf(devmode)) ? 1 : 0;
}

int16_t GDevMode::ResolveBlobForm() {
    if (blobForm_ != -1) return blobForm_;
    MPersistentObject* node = context_ == nullptr ? nullptr : context_->GetPrinterConfiguration();
    for (size_t i = 0; node != nullptr && i + 1 < std::size(kBlobFormNodes); ++i) {
        node = node->FindById(kBlobFormNodes[i]);
    }
    blobForm_ = static_cast<int16_t>(GSettingValues::Get(node, kBlobFormNodes[2]).value_or(0));
    return blobForm_;
}

DEVMODEW GDevMode::PublicPartOf(const DEVMODEW& devmode) {
    DEVMODEW copy{};
    const size_t size = std::min<size_t>(devmode.dmSize, sizeof(DEVMODEW));
    std::copy_n(BytesOf(&devmode), size, reinterpret_cast<uint8_t*>(&copy));
    if (size < offsetof(DEVMODEW, dmFields) + sizeof(DWORD)) {
        // Only the header: read dmSize and dmDriverExtra, no fields.
        copy.dmSize = devmode.dmSize;
        copy.dmDriverExtra = devmode.dmDriverExtra;
        copy.dmFields = 0;
    }
    for (const FieldEnd& field : kFieldEnds) {
        if (field.end > size) copy.dmFields &= ~field.bit;
    }
    return copy;
}

int32_t GDevMode::IsOwnDevMode(const DEVMODEW* devmode) {
    if (devmode == nullptr || devmode->dmDriverExtra < Image::kPrivateHeaderSize) return 0;
    // The private part is read only where this format puts it.
    if (devmode->dmSize != Image::kPublicSize || devmode->dmDriverExtra != Image::kDriverExtra) return 0;
    const uint8_t* theirs = BytesOf(devmode) + Image::kDriverNameBytes;
    const uint8_t* ours = image_.Bytes() + Image::kDriverNameBytes;
    for (size_t i = 0; i < Image::kDriverNameLength; ++i) {
        if (theirs[i] != ours[i]) return 0;
        if (theirs[i] == 0) break;
    }
    if (ResolveBlobForm() != kBlobFormCodec) {
        const bool header = Image::Word(devmode, Image::kTotalSizeWord) == Image::kTotalSize &&
                            Image::Word(devmode, Image::kHeaderSizeWord) == Image::kPrivateHeaderSize &&
                            Image::Word(devmode, Image::kFormatWord) == Image::kFormat &&
                            Image::Word(devmode, Image::kHeaderEndWord) == Image::kHeaderEnd &&
                            Image::Word(devmode, Image::kBlobCapacityWord) == Image::kBlobCapacity;
        if (!header) return 0;
    }
    return Image::Word(devmode, Image::kBlobLengthWord) <= Image::kBlobCapacity ? 1 : 0;
}

int32_t GDevMode::Load(const DEVMODEW* devmode) {
    if (devmode == nullptr) return 0;
    std::unique_ptr<GAttributeComposite> tree;
    if (IsOwnDevMode(devmode)) {
        SetApplicationFlagsWord(Image::Long(devmode, Image::kApplicationFlags));
        SetTimeZoneBias(Image::Word(devmode, Image::kTimeZoneBias));
        tree = ExpandSettings(devmode, 0);
        if (tree == nullptr) tree = ConvertOlderBlob(devmode);
    }
    const DEVMODEW publicPart = PublicPartOf(*devmode);
    if (tree != nullptr) {
        PublicToSettings(&publicPart, tree.get());
        ReplaceSettings(std::move(tree));
    } else if (settings_ != nullptr) {
        PublicToSettings(&publicPart, settings_.get());
    }
    Store(nullptr);
    return 1;
}

std::unique_ptr<GAttributeComposite> GDevMode::ConvertOlderBlob(const DEVMODEW* devmode) {
    // The incoming blob again, as an object graph: zlib, then the
    // dictionary coder.
    std::unique_ptr<GAttributeComposite> tree = ExpandSettings(devmode, kExpandObjectGraph);
    if (tree == nullptr) tree = ExpandSettings(devmode, kExpandObjectGraph | kExpandDictionary);
    if (tree == nullptr || context_ == nullptr) return nullptr;
    const std::unique_ptr<GAttributeComposite> original = AsComposite(tree->Clone());
    std::unique_ptr<GAttributeComposite> converted = ThroughCodec(*tree);
    tree.reset();
    if (converted == nullptr || original == nullptr) return nullptr;
    context_->MergeMatchingValues(*original, converted.get());
    return converted;
}

std::unique_ptr<GAttributeComposite> GDevMode::ThroughCodec(const GAttributeComposite& tree) {
    std::vector<char> encoded(kEncodedLimit);
    GPersistOutputStream out(encoded.data(), encoded.size(), 1);
    RWVirtualOutStream* stream = out.GetStream();
    codec_.Encode(&tree, *stream, out, GSettingsCodec::kCompactForm);
    stream->flush();
    if (!stream->good()) return nullptr;
    return ReadTree(encoded.data(), static_cast<size_t>(out.Tell()), true);
}

std::unique_ptr<GAttributeComposite> GDevMode::ExpandSettings(const DEVMODEW* devmode, uint32_t flags) {
    if (devmode == nullptr) return nullptr;
    ResolveBlobForm();
    // The blob only where this format has it, and only within the DEVMODE.
    if (devmode->dmSize != Image::kPublicSize || devmode->dmDriverExtra < Image::kBlob - Image::kPublicSize)
        return nullptr;
    const size_t length = Image::Word(devmode, Image::kBlobLengthWord);
    const size_t end = size_t{devmode->dmSize} + devmode->dmDriverExtra;
    if (length == 0 || length > Image::kBlobCapacity || Image::kBlob + length > end) return nullptr;
    const uint8_t* blob = BytesOf(devmode) + Image::kBlob;
    if (blob[0] == 0) return nullptr;
    return ExpandBlob(blob, length, flags);
}

std::unique_ptr<GAttributeComposite> GDevMode::ExpandBlob(const uint8_t* blob, size_t length,
                                                          uint32_t flags) {
    GPersistMemoryStreamBuf source(reinterpret_cast<char*>(const_cast<uint8_t*>(blob)), length,
                                   std::ios_base::in);
    std::istream in(&source);
    // At most the working buffer: a longer expansion is refused by the sink.
    std::vector<char> expanded(kEncodedLimit);
    GPersistMemoryStreamBuf sink(expanded.data(), expanded.size(), std::ios_base::out);
    std::ostream out(&sink);
    int ok = 0;
    if (flags & kExpandDictionary) {
        ok = GLZWCoder().Expand(in, out);
    } else {
        ok = BlobCompressor().Decompress(in, out);
    }
    if (ok == 0 || !out) return nullptr;
    const std::streamoff n = out.tellp();
    if (n <= 0) return nullptr;
    const bool useCodec = blobForm_ == kBlobFormCodec && (flags & kExpandObjectGraph) == 0;
    return ReadTree(expanded.data(), static_cast<size_t>(n), useCodec);
}

std::unique_ptr<GAttributeComposite> GDevMode::ReadTree(const char* encoded, size_t length, bool useCodec) {
    try {
        if (useCodec) {
            GPersistInputStream in(encoded, length, 1);
            return AsComposite(codec_.Decode(*in.GetStream(), in, context_, GSettingsCodec::kCompactForm));
        }
        GPersistInputStream in(encoded, length, 0);
        const GSettingsClassFilter allowlist;
        GAttributeComposite* tree = nullptr;
        RWRestoreObjectPointerAs(*in.GetStream(), tree);
        return std::unique_ptr<GAttributeComposite>(tree);
    } catch (const RWLibraryError&) {
        return nullptr; // a damaged graph: the restore freed what it made
    }
}

uint32_t GDevMode::CompressSettings(GDevModeImage& image, const MPersistentObject* settings) {
    if (settings == nullptr) return 0;
    const bool useCodec = ResolveBlobForm() == kBlobFormCodec;
    std::vector<char> encoded(kEncodedLimit);
    std::streamoff n = 0;
    {
        GPersistOutputStream out(encoded.data(), encoded.size(), useCodec ? 1 : 0);
        RWVirtualOutStream* stream = out.GetStream();
        if (stream == nullptr || !stream->good()) return 0;
        try {
            if (useCodec) {
                codec_.Encode(settings, *stream, out, GSettingsCodec::kCompactForm);
            } else {
                *stream << static_cast<const RWCollectable*>(settings);
            }
        } catch (const RWLibraryError&) {
            return 0;
        }
        stream->flush();
        if (!stream->good()) return 0; // more than the working buffer
        n = out.Tell();
    }
    GPersistMemoryStreamBuf source(encoded.data(), static_cast<size_t>(n), std::ios_base::in);
    std::istream in(&source);
    GPersistMemoryStreamBuf sink(reinterpret_cast<char*>(image.Bytes() + Image::kBlob), Image::kBlobCapacity,
                                 std::ios_base::out);
    std::ostream out(&sink);
    // Nothing is written when the compressed form does not fit the blob.
    if (BlobCompressor().Compress(in, out) == 0) return 0;
    return static_cast<uint32_t>(out.tellp());
}

int32_t GDevMode::Store(const MPersistentObject* settings) {
    if (settings != nullptr) {
        std::unique_ptr<GAttributeComposite> clone = AsComposite(settings->Clone());
        if (clone == nullptr) return 0; // no settings tree
        settings_ = std::move(clone);
    }
    if (settings_ == nullptr) return 0;
    // Built on a copy: a store that fails leaves the image as it was, so
    // its public part never disagrees with its blob.
    GDevModeImage updated = image_;
    const int32_t result = SettingsToPublic(settings_.get(), &updated.dm);
    if (result != 1) return result;
    updated.SetWord(Image::kFormatWord, Image::kFormat);
    updated.SetWord(Image::kHeaderEndWord, Image::kHeaderEnd);
    const uint32_t n = CompressSettings(updated, settings_.get());
    if (n == 0) return 0;
    updated.SetWord(Image::kBlobLengthWord, static_cast<uint16_t>(n));
    image_ = updated;
    return result;
}

void GDevMode::SetDefaults() {
    DEVMODEW& dm = image_.dm;
    WriteDeviceName();
    dm.dmSpecVersion = GetSpecVersion();
    dm.dmDriverVersion = GetDriverVersion();
    dm.dmSize = Image::kPublicSize;
    dm.dmDriverExtra = Image::kDriverExtra;
    dm.dmFields = 0;

    dm.dmPaperSize = DMPAPER_LETTER;
    dm.dmPaperLength = 0;
    dm.dmPaperWidth = 0;
    std::fill(std::begin(dm.dmFormName), std::end(dm.dmFormName), u'\0');
    std::copy(std::begin(kDefaultFormName), std::end(kDefaultFormName), dm.dmFormName);
    dm.dmFields |= DM_FORMNAME;
    dm.dmCollate = kCollateFalse;

    MPersistentObject* printer = context_ == nullptr ? nullptr : context_->GetPrinter();
    if (GSettingValues::Get(printer, GSettingId::kColourMatching) == 1) dm.dmFields |= kColourMatchingFields;

    dm.dmScale = 100;
    dm.dmTTOption = 0;
    dm.dmLogPixels = 0;
    dm.dmBitsPerPel = dm.dmPelsWidth = dm.dmPelsHeight = dm.dmNup = dm.dmDisplayFrequency = 0;
    dm.dmICMMethod = dm.dmICMIntent = dm.dmMediaType = dm.dmDitherType = 0;
    dm.dmReserved1 = dm.dmReserved2 = dm.dmPanningWidth = dm.dmPanningHeight = 0;

    const bool colourModes = GSettingValues::IsNonZero(printer, GSettingId::kColourModeOffered);
    if (!colourModes || (context_ != nullptr && context_->IsColour() == 1)) {
        dm.dmFields |= DM_COLOR;
        dm.dmColor = DMCOLOR_COLOR;
    } else {
        dm.dmFields &= ~DM_COLOR;
        dm.dmColor = DMCOLOR_MONOCHROME;
    }
    dm.dmFields |= DM_DUPLEX;
    dm.dmDuplex = DMDUP_SIMPLEX;

    WriteHeaderWords();
    WriteDriverNameBytes();
    image_.SetWord(Image::kBlobCapacityWord, Image::kBlobCapacity);
    image_.Bytes()[Image::kBlob] = 0;
    ApplyColourRestriction();
}

void GDevMode::ApplyColourRestriction() {
    if (context_ == nullptr || (context_->GetApplicationFlags() & kMonochromeFlag) == 0) return;
    if (image_.dm.dmColor != DMCOLOR_COLOR) return;
    const int32_t capability = context_->IsColour();
    if (capability == 0 || capability == 2) {
        image_.dm.dmColor = DMCOLOR_MONOCHROME;
        image_.dm.dmFields |= DM_COLOR;
    }
}

int32_t GDevMode::FixCollate() {
    DEVMODEW& dm = image_.dm;
    if (dm.dmSpecVersion < Image::kOldestSpecVersion || dm.dmSize < Image::kPublicSize ||
        (dm.dmSpecVersion != kFirstSpecVersionWithCollate && dm.dmSpecVersion != kLastSpecVersion))
        return 1;
    MPersistentObject* printer = context_ == nullptr ? nullptr : context_->GetPrinter();
    if (GSettingValues::IsNonZero(printer, GSettingId::kCollationSupported)) {
        if ((dm.dmFields & DM_COLLATE) == 0) {
            dm.dmFields |= DM_COLLATE;
            dm.dmCollate = kCollateTrue;
        }
        if (dm.dmCollate != kCollateFalse && dm.dmCollate != kCollateTrue) dm.dmCollate = kCollateTrue;
    } else {
        dm.dmFields &= ~DM_COLLATE;
        dm.dmCollate = kCollateFalse;
    }
    return 1;
}

int32_t GDevMode::IsKnownFormName(const WCHAR*, int32_t, int32_t, int32_t, uint32_t) {
    return 0;
}

int32_t GDevMode::UnusedMappingQuery() {
    return 0;
}
