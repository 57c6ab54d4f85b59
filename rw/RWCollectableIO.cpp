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

// An object the factory made, as far as the thread's class filter allows
// the class it is.
RWCollectable* CheckMade(RWCollectable* object) {
    if (RWRestoreClassFilter::Active() && !RWRestoreClassFilter::Allows(object->IsA())) {
        const RWClassID made = object->IsA();
        delete object;
        ThrowNoCreate(made);
    }
    return object;
}

// The class of a new object as the data names it.
struct ClassRef {
    bool byName = false;
    RWClassID id = 0;
    std::string name;
};

// Makes an object of the class, as far as the thread's class filter allows.
RWCollectable* CreateObject(RWReadTable& table, const ClassRef& ref) {
    if (ref.byName) {
        const RWStringID name(ref.name.data(), ref.name.size());
        const RWClassID id = RWStringIdToClassId(name);
        // A refusal names the class id when there is one (for an unknown name
        // that is the marker, as for a name without a create function).
        if (!RWRestoreClassFilter::Allows(id)) ThrowNoCreate(id == __RWUNKNOWN ? kStringIdFirstUse : id);
        RWCollectable* object = RWCreateFromFactory(name);
        if (object == nullptr) ThrowNoCreate(kStringIdFirstUse);
        return CheckMade(object);
    }
    if (!RWRestoreClassFilter::Allows(ref.id)) ThrowNoCreate(ref.id);
    const RWUserCreator create = table.CreatorOf(ref.id);
    RWCollectable* object = create != nullptr ? create() : nullptr;
    if (object == nullptr) ThrowNoCreate(ref.id);
    return CheckMade(object);
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
        object = CreateObject(table, ref);
        index = table.AppendObject(object, RWReadTable::Kind::Created);
    }
    // Later 0x888E references find the class through the entry after the object.
    if (ref.byName) table.AppendClassId(object->IsA());
    if (target == nullptr && !table.Passes(check, object)) ThrowRef();

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
    if (target == nullptr && entry.kind != RWReadTable::Kind::Nil && !table.Passes(check, entry.object)) {
        ThrowRef();
    }
    return index;
}

RWCollectable* ResultOf(const RWReadTable& table, uint32_t index) {
    const RWReadTable::Entry& entry = table.At(index);
    return entry.kind == RWReadTable::Kind::Nil ? nullptr : entry.object;
}

// The parts of the graph format that differ by carrier: the markers and
// delimiters of a virtual stream, the file's 0xFFFF back-reference and its
// bare class ids. Everything else is written once, below.
struct StreamFormat {
    // The tag of the next item: a back-reference (its index) or a new object
    // (its class id). False when nothing could be read.
    static bool ReadTag(RWVirtualInStream& stream, bool& backReference, int64_t& index, uint16_t& id) {
        char marker = 0;
        if (!RWRestoreChar(stream, marker)) return false;
        if (marker == kBackReference) {
            int32_t raw = 0;
            if (!RWRestoreI32(stream, raw)) return false;
            backReference = true;
            index = raw;
            return true;
        }
        if (marker != kNewObject) {
            RWMarkRestoreFailed(stream);
            return false;
        }
        backReference = false;
        return RWRestoreU16(stream, id);
    }
    static bool ReadNameIndex(RWVirtualInStream& stream, int64_t& index) {
        int32_t raw = 0;
        if (!RWRestoreI32(stream, raw)) return false;
        index = raw;
        return true;
    }
    // The string ID's characters after its 32-bit length, as RWCString::SaveOn
    // writes them: the stream's own string form.
    static bool ReadName(RWVirtualInStream& stream, uint32_t length, std::string& name) {
        name.assign(length + 1, '\0');
        stream.getString(name.data(), name.size());
        if (!rwcarrier::StreamDelivered(stream)) return false;
        name.resize(length);
        return true;
    }
    static bool ReadOpenGuts(RWVirtualInStream& stream) {
        char open = 0;
        if (!RWRestoreChar(stream, open)) return false;
        if (open == kOpenGuts) return true;
        RWMarkRestoreFailed(stream);
        return false;
    }
    static void ReadCloseGuts(RWVirtualInStream& stream) {
        char close = 0;
        RWRestoreChar(stream, close); // its value is not checked
    }

    static void WriteMagic(RWVirtualOutStream&) {}
    static void WriteBackReference(RWVirtualOutStream& stream, uint32_t index) {
        RWSaveChar(stream, kBackReference);
        RWSaveI32(stream, static_cast<int32_t>(index));
    }
    static void WriteNewObject(RWVirtualOutStream& stream, uint16_t id) {
        RWSaveChar(stream, kNewObject);
        RWSaveU16(stream, id);
    }
    static void WriteName(RWVirtualOutStream& stream, const RWStringID& name) {
        RWSaveU32(stream, static_cast<uint32_t>(name.Length()));
        stream.putString(name.Data(), name.Length());
    }
    static void WriteNameIndex(RWVirtualOutStream& stream, uint32_t index) {
        RWSaveI32(stream, static_cast<int32_t>(index));
    }
    static void WriteOpenGuts(RWVirtualOutStream& stream) { RWSaveChar(stream, kOpenGuts); }
    static void WriteCloseGuts(RWVirtualOutStream& stream) { RWSaveChar(stream, kCloseGuts); }
};

struct FileFormat {
    static bool ReadTag(RWBinaryFile& file, bool& backReference, int64_t& index, uint16_t& id) {
        if (!RWRestoreU16(file, id)) return false;
        backReference = id == kFileBackReference;
        if (!backReference) return true;
        uint32_t raw = 0;
        if (!RWRestoreU32(file, raw)) return false;
        index = raw;
        return true;
    }
    static bool ReadNameIndex(RWBinaryFile& file, int64_t& index) {
        uint32_t raw = 0;
        if (!RWRestoreU32(file, raw)) return false;
        index = raw;
        return true;
    }
    static bool ReadName(RWBinaryFile& file, uint32_t length, std::string& name) {
        name.assign(length, '\0');
        return RWRestoreChars(file, name.data(), length);
    }
    static bool ReadOpenGuts(RWBinaryFile&) { return true; }
    static void ReadCloseGuts(RWBinaryFile&) {}

    static void WriteMagic(RWBinaryFile& file) { RWSaveU32(file, kFileMagic); }
    static void WriteBackReference(RWBinaryFile& file, uint32_t index) {
        RWSaveU16(file, kFileBackReference);
        RWSaveU32(file, index);
    }
    static void WriteNewObject(RWBinaryFile& file, uint16_t id) { RWSaveU16(file, id); }
    static void WriteName(RWBinaryFile& file, const RWStringID& name) {
        RWSaveU32(file, static_cast<uint32_t>(name.Length()));
        RWSaveChars(file, name.Data(), name.Length());
    }
    static void WriteNameIndex(RWBinaryFile& file, uint32_t index) { RWSaveU32(file, index); }
    static void WriteOpenGuts(RWBinaryFile&) {}
    static void WriteCloseGuts(RWBinaryFile&) {}
};

template <class Carrier> struct Format;
template <> struct Format<RWVirtualInStream> : StreamFormat {};
template <> struct Format<RWVirtualOutStream> : StreamFormat {};
template <> struct Format<RWBinaryFile> : FileFormat {};

// One object. False when nothing could be read (the restore has then
// failed); else result is set.
template <class Carrier>
bool ReadObject(Carrier& carrier, RWReadTable& table, RWCollectable* target, RWRestoreHold hold,
                RWRestoreTypeCheck check, RWCollectable*& result) {
    using F = Format<Carrier>;
    bool backReference = false;
    int64_t rawIndex = 0;
    uint16_t id = 0;
    if (!F::ReadTag(carrier, backReference, rawIndex, id)) return false;

    uint32_t index;
    if (backReference) {
        index = ResolveBackReference(table, rawIndex, target, check);
    } else {
        ClassRef ref;
        if (id == kStringIdFirstUse) {
            uint32_t length = 0;
            if (!RWRestoreU32(carrier, length)) return false;
            if (length > kMaxStringIdLength) ThrowNoCreate(kStringIdFirstUse);
            if (!F::ReadName(carrier, length, ref.name)) return false;
            ref.byName = true;
        } else if (id == kStringIdLaterUse) {
            int64_t nameIndex = 0;
            if (!F::ReadNameIndex(carrier, nameIndex)) return false;
            ref.id = table.CheckClassIdIndex(nameIndex);
        } else {
            ref.id = id;
        }
        if (!F::ReadOpenGuts(carrier)) return false;
        index = RestoreNewObject(carrier, table, ref, target, check);
        F::ReadCloseGuts(carrier);
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

// The outermost call owns the table: it starts the restore (a stream must
// be good; a file's magic is read and its failure flag cleared), and when
// the restore fails it yields null and its guard frees what was made.
bool BeginOutermost(RWVirtualInStream& stream) {
    return stream.good();
}

bool BeginOutermost(RWBinaryFile& file) {
    // The flag is this restore's: a failure of an earlier one does not count.
    file.ClearRestoreFailed();
    uint32_t magic = 0;
    if (!RWRestoreU32(file, magic)) return false;
    if (magic != kFileMagic) {
        // The magic is a 32-bit long: shown signed, as it was read.
        RWThrowCatalog<RWExternalError>(RWTOOL_MAGIC(), static_cast<long>(static_cast<int32_t>(magic)),
                                        static_cast<long>(kFileMagic));
    }
    return true;
}

template <class Carrier>
RWCollectable* Restore(Carrier& carrier, RWCollectable* target, RWRestoreHold hold,
                       RWRestoreTypeCheck check) {
    RWReadTableGuard guard;
    if (guard.Created() && !BeginOutermost(carrier)) return nullptr;
    InPlaceTargetGuard targetGuard(guard.Table(), target, guard.Created());
    RWCollectable* result = nullptr;
    // The outermost caller is no restored holder: nothing to claim for it.
    const bool read = ReadObject(carrier, guard.Table(), target,
                                 guard.Created() ? RWRestoreHold::Borrowed : hold, check, result);
    if (!read || (guard.Created() && !RWRestoreGood(carrier))) {
        if (guard.Created()) guard.Fail();
        return nullptr;
    }
    targetGuard.Succeeded();
    return result;
}

template <class Carrier> void SaveObject(const RWCollectable& object, Carrier& carrier) {
    using F = Format<Carrier>;
    RWStoreTableGuard guard;
    RWStoreTable& table = guard.Table();
    if (guard.Created()) F::WriteMagic(carrier);
    uint32_t index = 0;
    if (!table.AddObject(&object, index)) {
        F::WriteBackReference(carrier, index);
        return;
    }
    const RWClassID id = object.IsA();
    if (RWIsStringIdClassId(id)) {
        const RWStringID name = RWClassIdToStringId(id);
        uint32_t nameIndex = 0;
        if (table.AddStringId(name.Data(), name.Length(), nameIndex)) {
            F::WriteNewObject(carrier, kStringIdFirstUse);
            F::WriteName(carrier, name);
        } else {
            F::WriteNewObject(carrier, kStringIdLaterUse);
            F::WriteNameIndex(carrier, nameIndex);
        }
    } else {
        F::WriteNewObject(carrier, id);
    }
    F::WriteOpenGuts(carrier);
    object.SaveGuts(carrier);
    F::WriteCloseGuts(carrier);
}
} // namespace

void RWCollectable::RecursiveSaveOn(RWVirtualOutStream& stream) const {
    SaveObject(*this, stream);
}

void RWCollectable::RecursiveSaveOn(RWBinaryFile& file) const {
    SaveObject(*this, file);
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
