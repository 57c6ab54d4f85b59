#pragma once
// The Windows NT platform services: registry, printer data, files, locale,
// time and locks. The operations that need the driver instance's classes
// are GNT40OSFactory's.
//
// Chunked printer-data value NAME holding N bytes (N from 0 up):
//
//   value name   type        data
//   NAME         REG_DWORD   chunk count C = N / 248 + 1 (integer division)
//   NAME:0       REG_BINARY  bytes 0 to 247 (fewer when N is smaller)
//   NAME:1       REG_BINARY  the next at most 248 bytes
//   ...
//   NAME:C-1     REG_BINARY  the rest, 0 to 247 bytes
//
// Chunk names are "%s:%lu" (name, decimal index from 0). Every chunk but the
// last holds exactly 248 bytes, so a length that is a multiple of 248 (0
// included) ends with an empty chunk. A value lives in one of two places:
//   - the printer's spooler data, for a plain name (the registry key
//     HKEY_LOCAL_MACHINE "SYSTEM\CurrentControlSet\Control\Print\Printers\"
//     + printer + "\PrinterDriverData" holds the same values);
//   - a registry key, for a name "???\" + root + "\" + key path + "\" +
//     value name, where root is the predefined key's handle value as signed
//     decimal text ("-2147483647" for HKEY_CURRENT_USER); the key is created
//     when missing.
//
// A write never leaves a value that reads as valid but is not what was
// written: the count is removed first and written last, so a write that
// fails part-way (its chunks are removed again) or never finishes leaves
// the value missing; chunks of an earlier, longer value are removed after
// the new count.
//
// Strings written to the spooler's printer data carry no terminating NUL
// (length x 2 bytes); strings written to registry keys do ((length + 1) x 2
// bytes). Strings read are NUL-terminated in their buffer before use.
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "driver/GOSFactory.h"
#include "winapi/WinHandle.h"

class GNTOSFactory : public GOSFactory {
public:
    static constexpr uint32_t kChunkSize = 248;
    static constexpr const char16_t* kPrintersKey = u"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\";
    static constexpr const char16_t* kPrinterDataSubkey = u"\\PrinterDriverData";
    static constexpr const char16_t* kSpoolFolder = u"\\SystemRoot\\System32\\Spool\\Printers";

    ~GNTOSFactory() override;

    GDriver* CreateDriver(const GPrinterIdentity& identity) override;
    GDriverContext* CreateJobObject(const GPrinterIdentity& identity) override;
    void* QueryJobContextService(GDriverContext* context) override;
    // Record local: the layer's local time; record shifted: that time moved
    // by the offset in minutes, carried through hour, day, month and year,
    // with its own day of week.
    int GetDateTime(GDateTime* local, GDateTime* shifted, int16_t* offset) override;
    int16_t SetTimeOffset(int16_t minutes) override;
    uint32_t QueryService(uint32_t first, uint32_t second, uint32_t third) override;
    uint32_t QueryDriverBaseService() override;
    uint32_t QueryCommandService() override;
    uint32_t QueryConverterService() override;
    std::unique_ptr<GPersistInputStream> OpenMemoryInStream(const void* buffer, size_t length,
                                                            int32_t format) override;
    std::unique_ptr<GPersistInputStream> OpenFileInStream(const WCHAR* path, int32_t format) override;
    std::unique_ptr<GPersistOutputStream> OpenMemoryOutStream(void* buffer, size_t capacity,
                                                              int32_t format) override;
    std::unique_ptr<GPersistOutputStream> OpenFileOutStream(const WCHAR* path, int32_t format) override;
    // From the per-user "Control Panel\International" key; each value that
    // cannot be read keeps the snapshot's default.
    std::unique_ptr<GLocaleInfo> GetLocaleInfo() override;
    // The printer-data string "TempDirectoryLocation", else the environment
    // variable TMP, else TEMP, else "\SystemRoot\System32\Spool\Printers".
    RWWString GetTempFolder(GDriverContext* context) override;
    // Cached after the first success.
    RWWString GetModuleFolder() override;
    void SeedRandom() override;
    int32_t Random() override;
    int FileExists(const RWWString& path) override;
    int CreateEmptyFile(const RWWString& path) override;
    GPrinterValueStore* CreateValueStore(GDriverContext* context) override;

    // Printer data. The context's printer handle is used; the DWORD and
    // chunked operations open the printer by its name (full access) when
    // the context has none, and close it again.
    int SetPrinterDataDword(GDriverContext* context, const RWWString& name, uint32_t value) override;
    int SetPrinterDataString(GDriverContext* context, const RWWString& name, const RWWString& text) override;
    int WriteChunkedBinary(GDriverContext* context, const RWWString& name, const void* data,
                           uint32_t length) override;
    uint32_t GetPrinterDataDword(GDriverContext* context, const RWWString& name, uint32_t fallback) override;
    RWWString GetPrinterDataString(GDriverContext* context, const RWWString& name,
                                   const RWWString& fallback) override;
    // Both places alike. A count of 0, or one too large to be real, reads as
    // missing (0, *length 0). No buffer: 1 and *length = count x 248. A
    // buffer below count x 248: 0 and *length = count x 248. Else the chunks
    // in order: 1 and *length their total size, or 0 when one is missing or
    // not REG_BINARY.
    int ReadChunkedBinary(GDriverContext* context, const RWWString& name, void* buffer, uint32_t capacity,
                          uint32_t* length) override;
    // A string in the printer's own key + "\" + subkey under
    // HKEY_LOCAL_MACHINE; an empty text creates the key and writes nothing.
    int SetPrinterKeyString(GDriverContext* context, const RWWString& subkey, const RWWString& name,
                            const RWWString& text) override;
    RWWString GetPrinterKeyString(GDriverContext* context, const RWWString& subkey, const RWWString& name,
                                  const RWWString& fallback) override;
    // Removes the value from the printer's PrinterDriverData key.
    int DeletePrinterDataValue(GDriverContext* context, const RWWString& name) override;

    RWWString GetMachineString(const RWWString& key, const RWWString& name,
                               const RWWString& fallback) override;
    uint32_t GetMachineDword(const RWWString& key, const RWWString& name, uint32_t fallback) override;
    int32_t EnsureMachineDword(const RWWString& key, const RWWString& name, uint32_t fallback) override;
    int MachineKeyExists(const RWWString& key) override;
    RWWString GetUserString(const RWWString& key, const RWWString& name, const RWWString& fallback) override;
    int SetUserString(const RWWString& key, const RWWString& name, const RWWString& text) override;
    uint32_t GetUserDword(const RWWString& key, const RWWString& name, uint32_t fallback) override;
    int UserKeyExists(const RWWString& key) override;
    int SetUserDword(const RWWString& key, const RWWString& name, uint32_t value) override;
    std::unique_ptr<GLock> CreateLock() override;
    // A converter over the platform layer's code-page conversions.
    std::unique_ptr<GUnicodeConverter> CreateUnicodeConverter() override;

    // Opens (creating it when missing, all access) the key a "???" name
    // names and hands back its value name (in any case): 1 when the key was
    // opened. Only the predefined roots are accepted.
    virtual int OpenRegistryPath(const RWWString& name, WinScopedKey* key, RWWString* valueName);
    // 1 when the name begins with "???".
    virtual int IsRegistryPath(const RWWString& name);
    // The printer handle the context's driver instance works with, or null.
    virtual HANDLE GetPrinterHandle(GDriverContext* context) = 0;

    // "NAME:index".
    static RWWString ChunkName(const RWWString& name, uint32_t index);

protected:
    // Makes the factory's shared lock.
    GNTOSFactory();

    // The context's printer handle (borrowed), else one opened by the
    // printer name with the given defaults (null: none) and owned.
    WinScopedPrinter OpenContextPrinter(GDriverContext* context, DWORD access);

private:
    class ChunkStore;
    class SpoolerChunkStore;
    class RegistryChunkStore;

    static int WriteChunks(ChunkStore& store, const void* data, uint32_t length);
    // Whether the store's chunks 0 to length / kChunkSize hold exactly the
    // bytes (the count is checked by the caller).
    static bool HoldsChunks(ChunkStore& store, const BYTE* bytes, uint32_t length);
    static int ReadChunks(ChunkStore& store, void* buffer, uint32_t capacity, uint32_t* length);

    std::atomic<int16_t> timeOffset_{0};
    std::mutex moduleFolderMutex_;
    RWWString moduleFolder_;
};
