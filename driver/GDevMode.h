#pragma once
// One DEVMODE of the driver: the 1,172-byte image (format in
// driver/GDevModeImage.h) and the settings tree it stands for. Converts in
// both directions: settings to public fields, public fields to settings,
// settings to the compressed private blob and back; decides when an
// incoming DEVMODE is the driver's own; validates public fields against the
// printer; fills a fresh image with the driver's defaults.
//
// An incoming DEVMODE is untrusted. Only its public part (at most dmSize
// bytes of it, fields past dmSize counting as absent) is read unless it is
// the driver's own by IsOwnDevMode; its blob is expanded into at most 4,096
// bytes (a longer expansion fails), and object graphs in it are restored
// with the settings class allowlist. Any failure leaves the current
// settings in force.
//
// The settings tree lives in the object (owned); the driver context (not
// owned) answers the printer's capabilities.
#include <cstdint>
#include <memory>

#include "driver/GDevModeImage.h"
#include "driver/GSettingsCodec.h"
#include "rw/RWCString.h"
#include "rw/RWWString.h"
#include "winapi/WinDevMode.h"

class GAttributeComposite;
class GDriverContext;
class MPersistentObject;

class GDevMode {
public:
    // Expand flags.
    static constexpr uint32_t kExpandObjectGraph = 0x1; // whatever the blob form says
    static constexpr uint32_t kExpandDictionary = 0x4;  // the dictionary coder, not zlib
    // The working buffer of an encoded tree, and so the most an expansion
    // may write.
    static constexpr size_t kEncodedLimit = 4096;
    static constexpr uint16_t kDriverVersion = 24;
    static constexpr uint16_t kBlobFormCodec = 1;
    // dmCollate values.
    static constexpr SHORT kCollateFalse = 0;
    static constexpr SHORT kCollateTrue = 1;

    // A zeroed image with the private header words (1172, 46, 0, 0, 4, 50,
    // blob length 0); no settings; blob form not yet read.
    explicit GDevMode(GDriverContext* context);
    // The other's context, a copy of its image and a clone of its settings.
    GDevMode(const GDevMode& other);
    // CopyFrom.
    GDevMode& operator=(const GDevMode& other);
    virtual ~GDevMode();

    // Stores the context and writes its driver name bytes and printer name
    // into the image where they differ. 1.
    virtual int32_t SetDriverContext(GDriverContext* context);
    // The public part, the private header and the blob area into out (which
    // must hold 1,172 bytes). 0 for null.
    virtual int32_t CopyTo(DEVMODEW* out);
    // Takes an incoming DEVMODE: its blob when it is the driver's own, then
    // its public fields; then Store(null). 0 for null, else 1.
    virtual int32_t Load(const DEVMODEW* devmode);
    // The mirror of CopyTo from another object's image.
    virtual int32_t CopyFrom(const GDevMode& other);
    // Settings (a clone is kept; null: the current ones) into the image:
    // the public fields, then the compressed blob. The result of
    // SettingsToPublic, or 0 when the encoded or compressed settings do not
    // fit (the blob and its length word are then left as they were).
    virtual int32_t Store(const MPersistentObject* settings);
    // Public fields of devmode from settings, field by field; 1.
    virtual int32_t SettingsToPublic(MPersistentObject* settings, DEVMODEW* devmode);
    // Settings from the public fields devmode marks in dmFields, each first
    // brought into the printer's range (see BringIntoRange); 1.
    virtual int32_t PublicToSettings(const DEVMODEW* devmode, MPersistentObject* settings);
    virtual RWWString GetDeviceName() const;
    virtual RWWString GetDriverName() const;
    virtual int32_t PlatformCheck() = 0;
    // 1 when devmode is the driver's own (format: driver/GDevModeImage.h).
    virtual int32_t IsOwnDevMode(const DEVMODEW* devmode);
    virtual DEVMODEW* GetImage() { return &image_.dm; }
    virtual MPersistentObject* GetSettings() const;
    virtual uint32_t GetTotalSize() const { return GDevModeImage::kTotalSize; }
    virtual uint32_t GetPublicSize() const { return GDevModeImage::kPublicSize; }
    virtual uint32_t GetPrivateHeaderSize() const { return GDevModeImage::kPrivateHeaderSize; }
    virtual uint32_t GetPrivateDataSize() const { return GDevModeImage::kPrivateDataSize; }
    virtual uint32_t GetImageSize() const { return GetTotalSize(); }
    virtual uint32_t IsTakenFromPrinter() const { return takenFromPrinter_; }
    // Settings 323 / 324 of the current settings, 0 when absent.
    virtual int32_t GetXResolution() const;
    virtual int32_t GetYResolution() const;
    virtual int32_t CopyBlobOut(uint8_t* destination, const uint8_t* source, size_t n);
    virtual int32_t CopyBlobIn(uint8_t* destination, const uint8_t* source, size_t n);
    // The settings encoded and compressed into the blob of image: the
    // compressed length, 0 on failure (nothing written then).
    virtual uint32_t CompressSettings(GDevModeImage& image, const MPersistentObject* settings);
    // A new tree from devmode's blob, or null.
    virtual std::unique_ptr<GAttributeComposite> ExpandSettings(const DEVMODEW* devmode, uint32_t flags);
    virtual int32_t CopyPublicOut(DEVMODEW* devmode);
    virtual int32_t CopyPublicIn(const DEVMODEW* devmode);
    // Application flag 0x80 on a printer whose colour capability is 0 or 2
    // makes a colour image monochrome.
    virtual void ApplyColourRestriction();
    // Collation of the image made to match the printer's (setting 231). 1.
    virtual int32_t FixCollate();
    virtual uint16_t GetSpecVersion() const = 0;
    virtual uint16_t GetDriverVersion() const { return kDriverVersion; }
    // 1 when every checked field is acceptable; else 0 with the bits of the
    // bad fields in badFields. checkAll 0 stops at the first bad field.
    virtual int32_t ValidatePublic(const DEVMODEW* devmode, int32_t checkAll, uint32_t* badFields);
    // 1 when devmode has this image's sizes and its first dmSize +
    // dmDriverExtra bytes.
    virtual int32_t IsSameImage(const DEVMODEW* devmode);
    virtual uint32_t IsEmfDataType() const { return emfDataType_; }
    // The image from the context and the printer node (not the settings).
    virtual void SetDefaults();

    // The six translations between DEVMODE values and the printer's lists.
    // A negative print quality to a resolution (and its variant).
    virtual int32_t ResolutionFromQuality(MPersistentObject* settings, int16_t quality, int32_t& xDpi,
                                          int32_t& yDpi, int32_t& variant) = 0;
    virtual int32_t QualityFromResolution(MPersistentObject* settings, int32_t xDpi, int32_t yDpi,
                                          int16_t& quality) = 0;
    // Accepts no form.
    virtual int32_t IsKnownFormName(const WCHAR* name, int32_t xDpi, int32_t yDpi, int32_t orientation,
                                    uint32_t word);
    virtual int32_t UnusedMappingQuery();
    // A DMBIN value to a paper-source name and back.
    virtual int32_t SourceNameFromBin(MPersistentObject* settings, int16_t bin, RWCString& name) = 0;
    virtual int32_t BinFromSourceName(const RWCString& name, int16_t& bin) = 0;

    // Private words 256 (application flags) and 260 (time-zone bias).
    uint32_t GetApplicationFlagsWord() const { return image_.Long(GDevModeImage::kApplicationFlags); }
    void SetApplicationFlagsWord(uint32_t flags) { image_.SetLong(GDevModeImage::kApplicationFlags, flags); }
    uint16_t GetTimeZoneBias() const { return image_.Word(GDevModeImage::kTimeZoneBias); }
    void SetTimeZoneBias(uint16_t bias) { image_.SetWord(GDevModeImage::kTimeZoneBias, bias); }

    GDriverContext* GetDriverContext() const { return context_; }
    const GDevModeImage& Image() const { return image_; }

    // The public part of an outside DEVMODE as far as its dmSize reaches:
    // the rest zero, and the dmFields bits of fields past dmSize cleared.
    static DEVMODEW PublicPartOf(const DEVMODEW& devmode);

protected:
    // The printer's blob form (setting 940 in 366 in 359 of the printer
    // configuration, 0 when absent), read once.
    int16_t ResolveBlobForm();
    // The settings tree becomes tree (null keeps the current one).
    void ReplaceSettings(std::unique_ptr<GAttributeComposite> tree);
    // Makes the image's private header words those of a fresh image.
    void WriteHeaderWords();
    // The driver name's low bytes into 224..255, zero-filled.
    void WriteDriverNameBytes();
    void WriteDeviceName();
    // A tree from a blob of the older form (flags 1, then 5) re-read through
    // the settings encoding and merged by the context; null when none.
    std::unique_ptr<GAttributeComposite> ConvertOlderBlob(const DEVMODEW* devmode);
    // Decodes tree's compact encoding against the codec's reference.
    std::unique_ptr<GAttributeComposite> ThroughCodec(const GAttributeComposite& tree);

    GSettingsCodec& Codec() { return codec_; }
    void SetTakenFromPrinter(uint32_t taken) { takenFromPrinter_ = taken; }
    void SetEmfDataType(uint32_t emf) { emfDataType_ = emf; }
    GDevModeImage& MutableImage() { return image_; }

private:
    std::unique_ptr<GAttributeComposite> ExpandBlob(const uint8_t* blob, size_t length, uint32_t flags);
    std::unique_ptr<GAttributeComposite> ReadTree(const char* encoded, size_t length, bool useCodec);
    // Settings to public, one group of fields each.
    void OrientationToPublic(MPersistentObject* settings, DEVMODEW& devmode);
    void PaperToPublic(MPersistentObject* settings, DEVMODEW& devmode);
    void SourceToPublic(MPersistentObject* settings, DEVMODEW& devmode);
    void ResolutionToPublic(MPersistentObject* settings, DEVMODEW& devmode);
    void ColourToPublic(MPersistentObject* settings, DEVMODEW& devmode);
    void ColourMatchingToPublic(MPersistentObject* settings, DEVMODEW& devmode);
    void DuplexToPublic(MPersistentObject* settings, DEVMODEW& devmode);
    void CollateToPublic(MPersistentObject* settings, DEVMODEW& devmode);
    // Public to settings.
    void OrientationToSettings(const DEVMODEW& devmode, MPersistentObject* settings);
    void SourceToSettings(const DEVMODEW& devmode, MPersistentObject* settings);
    void ResolutionToSettings(const DEVMODEW& devmode, MPersistentObject* settings);
    void PaperToSettings(const DEVMODEW& devmode, MPersistentObject* settings);
    void ColourToSettings(const DEVMODEW& devmode, MPersistentObject* settings);
    void DuplexToSettings(const DEVMODEW& devmode, MPersistentObject* settings);
    void CollateToSettings(const DEVMODEW& devmode, MPersistentObject* settings);
    // ValidatePublic's field checks: the bits of a bad field, 0 when good.
    uint32_t CheckOrientation(const DEVMODEW& devmode);
    uint32_t CheckResolution(const DEVMODEW& devmode);
    uint32_t CheckPaperDimensions(const DEVMODEW& devmode);
    uint32_t CheckPaperSize(const DEVMODEW& devmode);
    uint32_t CheckSource(const DEVMODEW& devmode);
    uint32_t CheckCopies(const DEVMODEW& devmode);
    uint32_t CheckColour(const DEVMODEW& devmode);
    uint32_t CheckDuplex(const DEVMODEW& devmode);
    uint32_t CheckCollateAndForm(const DEVMODEW& devmode);
    // The fields of devmode the checks refuse brought into the printer's
    // range (or left out) before the merge into settings; valid values stay.
    void BringIntoRange(DEVMODEW& devmode, MPersistentObject* settings);
    void UseDefaultPaper(DEVMODEW& devmode);
    void ClampCopies(DEVMODEW& devmode);
    void UseSimplex(DEVMODEW& devmode);

    GDriverContext* context_;
    GDevModeImage image_{};
    uint32_t takenFromPrinter_ = 0;
    int16_t blobForm_ = -1;
    GSettingsCodec codec_;
    std::unique_ptr<GAttributeComposite> settings_;
    uint32_t emfDataType_ = 0;
};
