#include "driver/GPrinterValueStore.h"

#include <cstdio>

#include "driver/GOSFactory.h"
#include "model/MPersistentObject.h"

GPrinterValueStore::GPrinterValueStore(GDriverContext* context)
    : context_(context), factory_(GOSFactory::Instance()) {}

GPrinterValueStore::~GPrinterValueStore() = default;

RWWString GPrinterValueStore::NumberName(uint32_t key) {
    char text[100];
    std::snprintf(text, sizeof text, "%lu", static_cast<unsigned long>(key));
    return RWWString(text, RWWString::Ascii);
}

int GPrinterValueStore::SetDword(const RWWString& name, uint32_t value) {
    return factory_ == nullptr ? 0 : factory_->SetPrinterDataDword(context_, name, value);
}

int GPrinterValueStore::SetString(const RWWString& name, const RWWString& text) {
    return factory_ == nullptr ? 0 : factory_->SetPrinterDataString(context_, name, text);
}

int GPrinterValueStore::WriteBinary(const RWWString& name, const void* data, uint32_t length) {
    return factory_ == nullptr ? 0 : factory_->WriteChunkedBinary(context_, name, data, length);
}

int GPrinterValueStore::StoreObject(const RWWString& name, const MPersistentObject* object) {
    return factory_ == nullptr ? 0 : factory_->StoreObject(context_, name, object);
}

int GPrinterValueStore::StoreObjectByNumber(const uint32_t* key, const MPersistentObject* object) {
    return key == nullptr ? 0 : StoreObject(NumberName(*key), object);
}

uint32_t GPrinterValueStore::GetDword(const RWWString& name, uint32_t fallback) {
    return factory_ == nullptr ? fallback : factory_->GetPrinterDataDword(context_, name, fallback);
}

RWWString& GPrinterValueStore::GetString(RWWString& text, const RWWString& name, const RWWString& fallback) {
    text = factory_ == nullptr ? fallback : factory_->GetPrinterDataString(context_, name, fallback);
    return text;
}

int GPrinterValueStore::ReadBinary(const RWWString& name, void* buffer, uint32_t capacity, uint32_t* length) {
    return factory_ == nullptr ? 0 : factory_->ReadChunkedBinary(context_, name, buffer, capacity, length);
}

std::unique_ptr<MPersistentObject> GPrinterValueStore::RestoreObject(const RWWString& name, int portable) {
    return factory_ == nullptr ? nullptr : factory_->RestoreObject(context_, name, portable);
}

std::unique_ptr<MPersistentObject> GPrinterValueStore::RestoreObjectByNumber(const uint32_t* key,
                                                                             int portable) {
    return key == nullptr ? nullptr : RestoreObject(NumberName(*key), portable);
}
