#pragma once
// The platform services: the one seam between the module and the operating
// system. Everything that touches the spooler, the registry, files, time,
// randomness, memory, locks or the module itself goes through the single
// process-wide instance (Instance). This class is the interface; it also
// implements what needs no operating system of its own: the shared-lock
// creation, the module-handle cell, the unique file names, the allocation
// pair, the version query, and the store and restore of a persistent object
// as a printer-data value. The Windows NT implementation (winnt40/) does
// the rest.
//
// The operations are declared in the order of the interface. A "context"
// is the driver context of the printer whose data is meant; a value name
// that begins with "???\" names a registry path instead of a printer-data
// value (see GNTOSFactory).
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>

#include "driver/GDateTime.h"
#include "driver/GLock.h"
#include "model/GOSVersionInfo.h"
#include "rw/RWWString.h"
#include "winapi/WinTypes.h"

class GDriver;
class GDriverContext;
class GLocaleInfo;
class GModuleLoader;
class GPersistInputStream;
class GPersistOutputStream;
class GPrinterIdentity;
class GPrinterValueStore;
class GUnicodeConverter;
class MPersistentObject;

class GOSFactory {
public:
    // The source name of the factory's critical-error reports.
    static constexpr const char* kSourceName = "osfactry";
    // The value that the settings-encoding switch never leaves to the codec.
    static constexpr const char16_t* kBinPoolValueName = u"RUZBinPool";
    // How often StoreObject tries, doubling its buffer each time.
    static constexpr int kStoreAttempts = 3;
    // How many names MakeUniqueFileName tries before it gives up.
    static constexpr int kUniqueNameAttempts = 100;

    // The process-wide instance: null until one was installed.
    static GOSFactory* Instance();
    // Makes factory the process-wide instance (deleting the one installed
    // before) and returns it. The last one installed is deleted when the
    // module is unloaded.
    static GOSFactory* Install(std::unique_ptr<GOSFactory> factory);

    GOSFactory(const GOSFactory&) = delete;
    GOSFactory& operator=(const GOSFactory&) = delete;

    // 1. A new driver instance for the identity's printer (the caller owns
    // it), or null.
    virtual GDriver* CreateDriver(const GPrinterIdentity& identity) = 0;
    // 2. A job-side object for the identity's printer, or null.
    virtual GDriverContext* CreateJobObject(const GPrinterIdentity& identity) = 0;
    // 3. Returns its argument.
    virtual void* AdoptJobObject(void* object);
    // 4. The platform object the job context keeps for its job, or null.
    virtual void* QueryJobContextService(GDriverContext* context) = 0;
    // 5. The local time into local and, shifted by the time offset, into
    // shifted; the offset into offset. 1, or 0 when the time is not
    // available. Null pointers are skipped.
    virtual int GetDateTime(GDateTime* local, GDateTime* shifted, int16_t* offset) = 0;
    // 6. Stores the offset (minutes) GetDateTime shifts by and returns it;
    // the base stores nothing and answers 0.
    virtual int16_t SetTimeOffset(int16_t minutes);
    // 7. 0.
    virtual uint32_t QueryService(uint32_t first, uint32_t second, uint32_t third) = 0;
    // 8. The running system's classification (all 0 when it fails).
    virtual GOSVersionInfo GetOSVersion();
    // 9 to 11. 0.
    virtual uint32_t QueryDriverBaseService() = 0;
    virtual uint32_t QueryCommandService() = 0;
    virtual uint32_t QueryConverterService() = 0;
    // 12 to 15. Stream objects in format 0 (portable text), 1 (raw binary)
    // or 2 (endian-tagged binary), over a memory block the caller keeps
    // alive, or over a file (read, or created or truncated for writing).
    virtual std::unique_ptr<GPersistInputStream> OpenMemoryInStream(const void* buffer, size_t length,
                                                                    int32_t format) = 0;
    virtual std::unique_ptr<GPersistInputStream> OpenFileInStream(const WCHAR* path, int32_t format) = 0;
    virtual std::unique_ptr<GPersistOutputStream> OpenMemoryOutStream(void* buffer, size_t capacity,
                                                                      int32_t format) = 0;
    virtual std::unique_ptr<GPersistOutputStream> OpenFileOutStream(const WCHAR* path, int32_t format) = 0;
    // 16. Fills *slot with a new lock (CreateLock) when it is empty, under
    // the factory's shared lock, so that racing threads get the same lock.
    // Lock failures are critical errors 301 and 302.
    virtual void CreateSharedLock(GLock** slot);
    // 17, 18. The module handle the property-sheet headers use as their
    // instance handle.
    virtual void SetModuleHandle(HMODULE module);
    virtual HMODULE GetModuleHandle() const;
    // 19. The data-file path of the context's driver; empty when unknown.
    virtual RWWString GetDriverDataFile(GDriverContext* context) = 0;
    // 20. A snapshot of the user's regional settings (the caller owns it),
    // or null.
    virtual std::unique_ptr<GLocaleInfo> GetLocaleInfo() = 0;
    // 21. The folder for the context's temporary files.
    virtual RWWString GetTempFolder(GDriverContext* context) = 0;
    // 22. The folder of the module's file, without a trailing separator.
    virtual RWWString GetModuleFolder() = 0;
    // 23. The printer's mini-installer loader (the caller owns it), or null;
    // the base answers null.
    virtual GModuleLoader* LoadSetupLibrary(const RWWString& printerName, HANDLE printer);
    // 24. folder + separator + a name made from nameTemplate (the default
    // template when it is empty), each "&" a random digit or capital letter,
    // that names no file yet. With create set the file is created too, and
    // only a name whose file this call created is taken. Empty when no name
    // could be had within kUniqueNameAttempts tries.
    virtual RWWString MakeUniqueFileName(const RWWString& folder, const RWWString& nameTemplate, int create);
    // 25, 26. The C runtime's generator, seeded with the current time.
    virtual void SeedRandom() = 0;
    virtual int32_t Random() = 0;
    // 27. 1 when the file exists (it is opened and closed again), else 0.
    virtual int FileExists(const RWWString& path) = 0;
    // 28. Creates the file, or truncates it to 0 bytes: 1 on success.
    virtual int CreateEmptyFile(const RWWString& path) = 0;
    // 29. The backslash.
    virtual WCHAR PathSeparator() const;
    // 30. "&&&&&&&&.&&&".
    virtual RWWString UniqueNameTemplate() const;
    // 31, 32. Blocks of the system allocator; Free ignores null.
    virtual void* Allocate(size_t bytes);
    virtual void Free(void* block);
    // 33. Does nothing.
    virtual void NoteProgress(uint32_t value);
    // 34. A printer value store bound to the context (the caller owns it),
    // or null.
    virtual GPrinterValueStore* CreateValueStore(GDriverContext* context) = 0;
    // 35 to 38. Writes; 1 on success, else 0.
    virtual int SetPrinterDataDword(GDriverContext* context, const RWWString& name, uint32_t value) = 0;
    virtual int SetPrinterDataString(GDriverContext* context, const RWWString& name,
                                     const RWWString& text) = 0;
    virtual int WriteChunkedBinary(GDriverContext* context, const RWWString& name, const void* data,
                                   uint32_t length) = 0;
    // Writes the object's persisted form as a chunked value under name.
    virtual int StoreObject(GDriverContext* context, const RWWString& name, const MPersistentObject* object);
    // 39 to 45. Reads.
    virtual uint32_t GetPrinterDataDword(GDriverContext* context, const RWWString& name,
                                         uint32_t fallback) = 0;
    virtual RWWString GetPrinterDataString(GDriverContext* context, const RWWString& name,
                                           const RWWString& fallback) = 0;
    // 1 when the whole value was read into buffer (*length its size); else
    // 0, with *length the size to allocate when the value exists.
    virtual int ReadChunkedBinary(GDriverContext* context, const RWWString& name, void* buffer,
                                  uint32_t capacity, uint32_t* length) = 0;
    virtual int SetPrinterKeyString(GDriverContext* context, const RWWString& subkey, const RWWString& name,
                                    const RWWString& text) = 0;
    virtual RWWString GetPrinterKeyString(GDriverContext* context, const RWWString& subkey,
                                          const RWWString& name, const RWWString& fallback) = 0;
    virtual int DeletePrinterDataValue(GDriverContext* context, const RWWString& name) = 0;
    // The object stored under name (portable: stored in portable text), or
    // null when it is missing or cannot be read.
    virtual std::unique_ptr<MPersistentObject> RestoreObject(GDriverContext* context, const RWWString& name,
                                                             int portable);
    // 46 to 53. Values under HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER keys.
    virtual RWWString GetMachineString(const RWWString& key, const RWWString& name,
                                       const RWWString& fallback) = 0;
    virtual uint32_t GetMachineDword(const RWWString& key, const RWWString& name, uint32_t fallback) = 0;
    // Writes fallback when the value cannot be read: 0, or the error of
    // opening the key.
    virtual int32_t EnsureMachineDword(const RWWString& key, const RWWString& name, uint32_t fallback) = 0;
    virtual int MachineKeyExists(const RWWString& key) = 0;
    virtual RWWString GetUserString(const RWWString& key, const RWWString& name,
                                    const RWWString& fallback) = 0;
    virtual int SetUserString(const RWWString& key, const RWWString& name, const RWWString& text) = 0;
    virtual uint32_t GetUserDword(const RWWString& key, const RWWString& name, uint32_t fallback) = 0;
    virtual int UserKeyExists(const RWWString& key) = 0;
    // 54. 0.
    virtual uint32_t QueryOutputService();
    // 55.
    virtual int SetUserDword(const RWWString& key, const RWWString& name, uint32_t value) = 0;
    // 56. -1.
    virtual int32_t QueryDefault();
    // 57.
    virtual ~GOSFactory();
    // 58. A new lock, or null.
    virtual std::unique_ptr<GLock> CreateLock() = 0;
    // 59. A new converter between wide text and a job's narrow bytes (the
    // caller owns it), or null; the base makes none.
    virtual std::unique_ptr<GUnicodeConverter> CreateUnicodeConverter();

protected:
    GOSFactory();

    // The shared lock CreateSharedLock takes; the implementation makes it
    // in its constructor.
    void SetSharedLock(std::unique_ptr<GLock> lock);

private:
    // The settings-encoding switch of the context's printer: read once,
    // from setting 940 in node 366 in node 359 of its configuration.
    uint16_t EncodingSwitch(GDriverContext* context);
    bool UsesSettingsCodec(GDriverContext* context, const RWWString& name);
    int TryStore(GDriverContext* context, const RWWString& name, const MPersistentObject* object,
                 size_t capacity);
    std::unique_ptr<MPersistentObject> Restore(GDriverContext* context, const RWWString& name,
                                               const void* bytes, uint32_t length, int portable);

    static constexpr uint16_t kSwitchUnread = 0xFFFF;

    RWWString name_;
    std::atomic<HMODULE> module_{nullptr};
    std::atomic<uint16_t> encodingSwitch_{kSwitchUnread};
    std::unique_ptr<GLock> sharedLock_;
};
