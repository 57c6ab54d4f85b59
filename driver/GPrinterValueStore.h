#pragma once
// Binds one driver context to the platform services' printer-data
// operations, so that code holding only the store reads and writes the
// printer's values without knowing the context or the services. Every
// operation passes the bound context to the services' operation of the
// same duty and answers its result unchanged; the store adds no checks of
// its own. Without a platform-services instance every operation fails (0,
// null, or the default it was given).
//
// A numbered value is named by its key in unsigned decimal ("7", "0",
// "4294967295").
#include <cstdint>
#include <memory>

#include "rw/RWWString.h"

class GDriverContext;
class GOSFactory;
class MPersistentObject;

class GPrinterValueStore {
public:
    // context is not owned; the services are those installed now.
    explicit GPrinterValueStore(GDriverContext* context);
    GPrinterValueStore(const GPrinterValueStore&) = delete;
    GPrinterValueStore& operator=(const GPrinterValueStore&) = delete;
    virtual ~GPrinterValueStore();

    virtual int SetDword(const RWWString& name, uint32_t value);
    virtual int SetString(const RWWString& name, const RWWString& text);
    virtual int WriteBinary(const RWWString& name, const void* data, uint32_t length);
    virtual int StoreObject(const RWWString& name, const MPersistentObject* object);
    // Under the decimal name of *key (a null key stores nothing: 0).
    virtual int StoreObjectByNumber(const uint32_t* key, const MPersistentObject* object);
    virtual uint32_t GetDword(const RWWString& name, uint32_t fallback);
    // Sets text to the value (or fallback) and returns it.
    virtual RWWString& GetString(RWWString& text, const RWWString& name, const RWWString& fallback);
    virtual int ReadBinary(const RWWString& name, void* buffer, uint32_t capacity, uint32_t* length);
    virtual std::unique_ptr<MPersistentObject> RestoreObject(const RWWString& name, int portable);
    virtual std::unique_ptr<MPersistentObject> RestoreObjectByNumber(const uint32_t* key, int portable);

    // The value name of a numbered value.
    static RWWString NumberName(uint32_t key);

    GDriverContext* GetContext() const { return context_; }

private:
    GDriverContext* context_;
    GOSFactory* factory_;
};
