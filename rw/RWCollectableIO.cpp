// Object-graph persistence: RWCollectable's recursive save and store size,
// and the pointer and object operators. The format and the ownership rule of
// a restore are described in rw/RWCollectableIO.h.
#include "rw/RWCollectableIO.h"

#include <cstdint>
#include <string>

#include "rw/RWBinaryFile.h"
#include "rw/RWCString.h"
#include "rw/RWCarrier.h"
#include "rw/RWCollectionBase.h"
#include "rw/RWErrorHandler.h"
#include "rw/RWFactory.h"
#include "rw/RWReadTable.h"
#include "rw/RWRestoreClassFilter.h"
#include "rw/RWStoreTable.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"

namespace {
constexpr uint32_t kFileMagic = 0x8888;
constexpr uint16_t kStringIdFirstUse = 0x888F;
constexpr uint16_t kStringIdLaterUse = 0x888E;
constexpr uint16_t kFileBackReference = 0xFFFF;
constexpr char kBackReference = '@';
constexpr char kNewObject = ':';
constexpr char kOpenGuts = '{';
constexpr char kCloseGuts = '}';
// No class name comes near this; a longer one in the data is damage and is
// refused before anything is allocated for it.
constexpr uint32_t kMaxStringIdLength = 1024;

[[noreturn]] void ThrowRef() {
    RWThrowCatalog<RWInternalError>(RWTOOL_REF());
}

[[noreturn]] void ThrowNoCreate(RWClassID id) {
    RWThrowCatalog<RWInternalError>(RWTOOL_NOCREATE(), static_cast<unsigned>(id), static_cast<unsigned>(id));
}

// The class of a new object as the data names it.
struct ClassRef {
    bool byName = false;
    RWClassID id = 0;
    std::string name;
};

// Makes an object of the class, as far as the thread's class filter allows.
RWCollectable* CreateObject(const ClassRef& ref) {
    const RWStringID name(ref.name.data(), ref.name.size());
    const RWClassID id = ref.byName ? RWStringIdToClassId(name) : ref.id;
    // A refusal names the class id when there is one (for an unknown name
    // that is the marker, as for a name without a create function).
    const RWClassID reported = ref.byName && id == __RWUNKNOWN ? kStringIdFirstUse : id;
    if (!RWRestoreClassFilter::Allows(id)) ThrowNoCreate(reported);
    RWCollectable* object = ref.byName ? RWCreateFromFactory(name) : RWCreateFromFactory(id);
    if (object == nullptr) ThrowNoCreate(ref.byName ? kStringIdFirstUse : id);
    if (!RWRestoreClassFilter::Allows(object->IsA())) {
        const RWClassID made = object->IsA();
        delete object;
        ThrowNoCreate(made);
    }
    return object;
}

// Enters a new object (made here, or the caller's target) in the table and
// reads its guts into it. Returns its index.
template <class Carrier>
uint32_t RestoreNewObject(Carrier& carrier, RWReadTable& table, const ClassRef& ref, RWCollectable* target,
                          RWRestoreTypeCheck check) {
    table.Reserve(2); // the appends below cannot fail once the object exists
    uint32_t index;
    RWCollectable* object;
    if (target != nullptr) {
        object = target;
        index = table.AppendObject(object, RWReadTable::Kind::External);
    } else {
        object = CreateObject(ref);
        index = table.AppendObject(object, RWReadTable::Kind::Created);
    }
    // Later 0x888E references find the class through the entry after the object.
    if (ref.byName) table.AppendClassId(object->IsA());
    if (target == nullptr && check != nullptr && !check(object)) ThrowRef();

    struct GutsScope {
        RWReadTable& table;
        uint32_t index;
        bool completed = false;
        ~GutsScope() { table.EndGuts(index, completed); }
    } scope{table, index};
    table.BeginGuts(index);
    object->RestoreGuts(carrier);
    scope.completed = true;
    return index;
}

// A back-reference: the entry must be an object, and the target when there is one.
uint32_t ResolveBackReference(RWReadTable& table, int64_t rawIndex, const RWCollectable* target,
                              RWRestoreTypeCheck check) {
    const uint32_t index = table.CheckObjectIndex(rawIndex);
    const RWReadTable::Entry& entry = table.At(index);
    if (target != nullptr && entry.object != target) ThrowRef();
    if (target == nullptr && entry.kind != RWReadTable::Kind::Nil && check != nullptr &&
        !check(entry.object)) {
        ThrowRef();
    }
    return index;
}

RWCollectable* ResultOf(const RWReadTable& table, uint32_t index) {
    const RWReadTable::Entry& entry = table.At(index);
    return entry.kind == RWReadTable::Kind::Nil ? nullptr : entry.object;
}

void Fail(RWVirtualInStream& stream) {
    stream.setstate(RWVirtualStreamBase::failbit);
}

// One object from a virtual stream. False when nothing could be read (the
// stream's fail bit is then set); else result is set.
bool ReadObject(RWVirtualInStream& stream, RWReadTable& table, RWCollectable* target, RWRestoreHold hold,
                RWRestoreTypeCheck check, RWCollectable*& result) {
    char marker = 0;
    stream >> marker;
    if (!stream.good()) return Fail(stream), false;

    uint32_t index;
    if (marker == kBackReference) {
        int raw = 0;
        stream >> raw;
        if (!stream.good()) return Fail(stream), false;
        index = ResolveBackReference(table, raw, target, check);
    } else if (marker == kNewObject) {
        ClassRef ref;
        unsigned short id = 0;
        stream >> id;
        if (!stream.good()) return Fail(stream), false;
        if (id == kStringIdFirstUse) {
            // The string ID as RWCString::SaveOn writes it: a 32-bit length,
            // then the stream's string form of the characters.
            unsigned int length = 0;
            stream >> length;
            if (!stream.good()) return Fail(stream), false;
            if (length > kMaxStringIdLength) ThrowNoCreate(kStringIdFirstUse);
            std::string name(length + 1, '\0');
            stream.getString(name.data(), name.size());
            if (!stream.good()) return Fail(stream), false;
            name.resize(length);
            ref.byName = true;
            ref.name = std::move(name);
        } else if (id == kStringIdLaterUse) {
            int raw = 0;
            stream >> raw;
            if (!stream.good()) return Fail(stream), false;
            ref.id = table.CheckClassIdIndex(raw);
        } else {
            ref.id = id;
        }
        char open = 0;
        stream >> open;
        if (!stream.good() || open != kOpenGuts) return Fail(stream), false;
        index = RestoreNewObject(stream, table, ref, target, check);
        char close = 0;
        stream >> close; // its value is not checked
    } else {
        return Fail(stream), false;
    }
    table.HandOut(index, hold);
    result = ResultOf(table, index);
    return true;
}

// One object from a binary file. False when nothing could be read (the file
// is then at its end or in error); else result is set.
bool ReadObject(RWBinaryFile& file, RWReadTable& table, RWCollectable* target, RWRestoreHold hold,
                RWRestoreTypeCheck check, RWCollectable*& result) {
    uint16_t id = 0;
    if (file.RestoreFailed() || !file.Read(id)) return false;

    uint32_t index;
    if (id == kFileBackReference) {
        uint32_t raw = 0;
        if (!file.Read(raw)) return false;
        index = ResolveBackReference(table, raw, target, check);
    } else {
        ClassRef ref;
        if (id == kStringIdFirstUse) {
            uint32_t length = 0;
            if (!file.Read(length)) return false;
            if (length > kMaxStringIdLength) ThrowNoCreate(kStringIdFirstUse);
            std::string name(length, '\0');
            if (length > 0 && !file.Read(name.data(), length)) return false;
            ref.byName = true;
            ref.name = std::move(name);
        } else if (id == kStringIdLaterUse) {
            uint32_t raw = 0;
            if (!file.Read(raw)) return false;
            ref.id = table.CheckClassIdIndex(raw);
        } else {
            ref.id = id;
        }
        index = RestoreNewObject(file, table, ref, target, check);
    }
    table.HandOut(index, hold);
    result = ResultOf(table, index);
    return true;
}

// A collection restored in place borrows the members this restore makes.
// When the outermost restore fails those members are freed, so the
// collection must forget them first or it would keep dangling pointers.
// A failure before the target entered the table (its guts never began)
// leaves the target as it was.
class InPlaceTargetGuard {
public:
    InPlaceTargetGuard(const RWReadTable& table, RWCollectable* target, bool outermost)
        : table_(table), target_(outermost ? target : nullptr), entriesBefore_(table.Entries()) {}
    ~InPlaceTargetGuard() {
        if (succeeded_ || target_ == nullptr || table_.Entries() == entriesBefore_) return;
        if (auto* collection = dynamic_cast<RWCollectionBase*>(target_)) collection->Clear();
    }
    InPlaceTargetGuard(const InPlaceTargetGuard&) = delete;
    InPlaceTargetGuard& operator=(const InPlaceTargetGuard&) = delete;
    void Succeeded() { succeeded_ = true; }

private:
    const RWReadTable& table_;
    RWCollectable* target_;
    uint32_t entriesBefore_;
    bool succeeded_ = false;
};

bool CarrierFailed(const RWVirtualInStream& stream) {
    return !stream.good();
}
bool CarrierFailed(const RWBinaryFile& file) {
    return !RWRestoreGood(file);
}

// The outermost call owns the table: it reads the file magic, and when the
// restore fails it yields null and its guard frees what was made.
RWCollectable* Restore(RWVirtualInStream& stream, RWCollectable* target, RWRestoreHold hold,
                       RWRestoreTypeCheck check) {
    if (!stream.good()) return nullptr;
    RWReadTableGuard guard;
    InPlaceTargetGuard targetGuard(guard.Table(), target, guard.Created());
    RWCollectable* result = nullptr;
    // The outermost caller is no restored holder: nothing to claim for it.
    const bool read = ReadObject(stream, guard.Table(), target,
                                 guard.Created() ? RWRestoreHold::Borrowed : hold, check, result);
    if (!read || (guard.Created() && CarrierFailed(stream))) {
        if (guard.Created()) guard.Fail();
        return nullptr;
    }
    targetGuard.Succeeded();
    return result;
}

RWCollectable* Restore(RWBinaryFile& file, RWCollectable* target, RWRestoreHold hold,
                       RWRestoreTypeCheck check) {
    RWReadTableGuard guard;
    if (guard.Created()) {
        // The flag is this restore's: a failure of an earlier one does not count.
        file.ClearRestoreFailed();
        uint32_t magic = 0;
        if (!file.Read(magic)) return nullptr;
        if (magic != kFileMagic) {
            // The magic is a 32-bit long: shown signed, as it was read.
            RWThrowCatalog<RWExternalError>(RWTOOL_MAGIC(), static_cast<long>(static_cast<int32_t>(magic)),
                                            static_cast<long>(kFileMagic));
        }
    }
    InPlaceTargetGuard targetGuard(guard.Table(), target, guard.Created());
    RWCollectable* result = nullptr;
    const bool read = ReadObject(file, guard.Table(), target,
                                 guard.Created() ? RWRestoreHold::Borrowed : hold, check, result);
    if (!read || (guard.Created() && CarrierFailed(file))) {
        if (guard.Created()) guard.Fail();
        return nullptr;
    }
    targetGuard.Succeeded();
    return result;
}
} // namespace

void RWCollectable::RecursiveSaveOn(RWVirtualOutStream& stream) const {
    RWStoreTableGuard guard;
    RWStoreTable& table = guard.Table();
    uint32_t index = 0;
    if (!table.AddObject(this, index)) {
        stream << kBackReference << static_cast<int>(index);
        return;
    }
    const RWClassID id = IsA();
    if (RWIsStringIdClassId(id)) {
        const RWStringID name = RWClassIdToStringId(id);
        uint32_t nameIndex = 0;
        if (table.AddStringId(name.Data(), name.Length(), nameIndex)) {
            stream << kNewObject << static_cast<unsigned short>(kStringIdFirstUse);
            stream << static_cast<unsigned int>(name.Length());
            stream.putString(name.Data(), name.Length());
        } else {
            stream << kNewObject << static_cast<unsigned short>(kStringIdLaterUse)
                   << static_cast<int>(nameIndex);
        }
    } else {
        stream << kNewObject << static_cast<unsigned short>(id);
    }
    stream << kOpenGuts;
    SaveGuts(stream);
    stream << kCloseGuts;
}

void RWCollectable::RecursiveSaveOn(RWBinaryFile& file) const {
    RWStoreTableGuard guard;
    RWStoreTable& table = guard.Table();
    if (guard.Created()) file.Write(kFileMagic);
    uint32_t index = 0;
    if (!table.AddObject(this, index)) {
        file.Write(kFileBackReference);
        file.Write(index);
        return;
    }
    const RWClassID id = IsA();
    if (RWIsStringIdClassId(id)) {
        const RWStringID name = RWClassIdToStringId(id);
        uint32_t nameIndex = 0;
        if (table.AddStringId(name.Data(), name.Length(), nameIndex)) {
            file.Write(kStringIdFirstUse);
            file.Write(static_cast<uint32_t>(name.Length()));
            file.Write(name.Data(), name.Length());
        } else {
            file.Write(kStringIdLaterUse);
            file.Write(nameIndex);
        }
    } else {
        file.Write(static_cast<uint16_t>(id));
    }
    SaveGuts(file);
}

uint32_t RWCollectable::RecursiveStoreSize() const {
    RWStoreTableGuard guard;
    RWStoreTable& table = guard.Table();
    uint32_t size = guard.Created() ? 4 : 0; // the magic
    uint32_t index = 0;
    if (!table.AddObject(this, index)) return size + 6; // 0xFFFF, index
    const RWClassID id = IsA();
    if (RWIsStringIdClassId(id)) {
        const RWStringID name = RWClassIdToStringId(id);
        uint32_t nameIndex = 0;
        size += table.AddStringId(name.Data(), name.Length(), nameIndex)
                    ? static_cast<uint32_t>(name.Length()) + 4
                    : 4;
    }
    return size + BinaryStoreSize() + 2;
}

RWVirtualOutStream& operator<<(RWVirtualOutStream& stream, const RWCollectable* object) {
    (object != nullptr ? object : RWCollectable::NilObject())->RecursiveSaveOn(stream);
    return stream;
}

RWBinaryFile& operator<<(RWBinaryFile& file, const RWCollectable* object) {
    (object != nullptr ? object : RWCollectable::NilObject())->RecursiveSaveOn(file);
    return file;
}

RWVirtualOutStream& operator<<(RWVirtualOutStream& stream, std::nullptr_t) {
    return stream << static_cast<const RWCollectable*>(nullptr);
}

RWVirtualOutStream& operator<<(RWVirtualOutStream& stream, const RWCollectable& object) {
    object.RecursiveSaveOn(stream);
    return stream;
}

RWBinaryFile& operator<<(RWBinaryFile& file, const RWCollectable& object) {
    object.RecursiveSaveOn(file);
    return file;
}

RWVirtualInStream& RWRestoreObjectPointer(RWVirtualInStream& stream, RWCollectable*& pointer,
                                          RWRestoreHold hold, RWRestoreTypeCheck check) {
    pointer = nullptr;
    pointer = Restore(stream, nullptr, hold, check);
    return stream;
}

RWBinaryFile& RWRestoreObjectPointer(RWBinaryFile& file, RWCollectable*& pointer, RWRestoreHold hold,
                                     RWRestoreTypeCheck check) {
    pointer = nullptr;
    pointer = Restore(file, nullptr, hold, check);
    return file;
}

RWVirtualInStream& operator>>(RWVirtualInStream& stream, RWCollectable*& pointer) {
    return RWRestoreObjectPointer(stream, pointer);
}

RWBinaryFile& operator>>(RWBinaryFile& file, RWCollectable*& pointer) {
    return RWRestoreObjectPointer(file, pointer);
}

RWVirtualInStream& operator>>(RWVirtualInStream& stream, RWCollectable& object) {
    Restore(stream, &object, RWRestoreHold::Borrowed, nullptr);
    return stream;
}

RWBinaryFile& operator>>(RWBinaryFile& file, RWCollectable& object) {
    Restore(file, &object, RWRestoreHold::Borrowed, nullptr);
    return file;
}
