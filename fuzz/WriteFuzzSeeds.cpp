// Writes the seed inputs of the fuzz targets from the library itself:
//   WriteFuzzSeeds <corpus folder>            writes <folder>/<target>/<seed>
//   WriteFuzzSeeds --check <corpus folder>    fails unless every seed it would
//                                             write is there with the same bytes
// Every object-graph seed is restored before it is written, so a seed the
// library cannot read again stops the writer. Seeds found by hand or by a
// fuzzer may sit beside these in the folders; the check leaves them alone.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "device/GPeripheralComposite.h"
#include "device/GPeripheralProxy.h"
#include "device/GPrinter.h"
#include "driver/GNTDevMode.h"
#include "driver/GSettingsCodec.h"
#include "fuzz/CommandGraphClasses.h"
#include "fuzz/FuzzDriverContext.h"
#include "fuzz/GraphCarrier.h"
#include "fuzz/MemoryFile.h"
#include "fuzz/StreamReadPlan.h"
#include "job/GDocumentEnd.h"
#include "job/GDocumentStart.h"
#include "job/GDownloadHeaderCommand.h"
#include "job/GJobAbort.h"
#include "job/GJobContext.h"
#include "job/GNullCommand.h"
#include "job/GPageEnd.h"
#include "job/GPageStart.h"
#include "job/GPassThroughCommand.h"
#include "model/GAttributeComposite.h"
#include "model/GBinaryData.h"
#include "model/GBookletComposite.h"
#include "model/GChromalistAttribute.h"
#include "model/GChromalistEnhancedAttribute.h"
#include "model/GChromalistEnhancedAttributeVer2.h"
#include "model/GCodecForm.h"
#include "model/GDisplayString.h"
#include "model/GDisplayStringAttribute.h"
#include "model/GEnumAttribute.h"
#include "model/GLZWCoder.h"
#include "model/GPMDVersionInfo.h"
#include "model/GPersistOutputStream.h"
#include "model/GRangeAttribute.h"
#include "model/GResourceMapping.h"
#include "model/GResourceMappingList.h"
#include "model/GSelectionString.h"
#include "model/GSettingIds.h"
#include "model/GState.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "model/MAssociationList.h"
#include "model/MPersistentAssociation.h"
#include "module/ModuleRuntime.h"
#include "paper/GCustomMediaSize.h"
#include "pipeline/GCommandComposite.h"
#include "pipeline/GErrorCommand.h"
#include "pipeline/GNoCommand.h"
#include "rw/RWBinaryOutStream.h"
#include "rw/RWEndianOutStream.h"
#include "rw/RWFactory.h"
#include "rw/RWPortableOutStream.h"
#include "rw/RWRestoreClassFilter.h"
#include "winapi/WinKernel.h"

namespace fs = std::filesystem;

namespace {

struct Seed {
    std::string target;
    std::string name;
    std::string bytes;
};

using Seeds = std::vector<Seed>;

[[noreturn]] void Die(const std::string& message) {
    std::fprintf(stderr, "WriteFuzzSeeds: %s\n", message.c_str());
    std::exit(1);
}

// --- Typed reads of the three stream encodings -----------------------------

template <typename Out> std::string PlannedStream(uint8_t plan, unsigned variant, Out&& make) {
    std::stringbuf buffer;
    {
        auto out = make(&buffer);
        for (unsigned step = 0; step < kStreamOps; ++step)
            WriteStreamOp(*out, StreamOpAt(plan, step), variant);
        out->flush();
    }
    return std::string(1, static_cast<char>(plan)) + buffer.str();
}

void AddStreamSeeds(Seeds& seeds) {
    for (uint8_t plan : {0, 4, 11, 12}) {
        for (unsigned variant : {0u, 1u}) {
            const std::string suffix = "plan" + std::to_string(plan) + (variant == 0 ? "-plain" : "-edges");
            seeds.push_back(
                {"PortableInStreamFuzz", suffix, PlannedStream(plan, variant, [](std::stringbuf* b) {
                     return std::make_unique<RWPortableOutStream>(b);
                 })});
            seeds.push_back(
                {"BinaryInStreamFuzz", suffix, PlannedStream(plan, variant, [](std::stringbuf* b) {
                     return std::make_unique<RWBinaryOutStream>(b);
                 })});
            const int order = variant == 0 ? RWEndianOutStream::littleEndian : RWEndianOutStream::bigEndian;
            seeds.push_back(
                {"EndianInStreamFuzz", suffix, PlannedStream(plan, variant, [order](std::stringbuf* b) {
                     return std::make_unique<RWEndianOutStream>(b, order);
                 })});
        }
    }
}

// --- Object graphs ---------------------------------------------------------

// A composite whose class the data names by its string ID: it answers a
// class id in the string-ID range, registered here under the name of the
// real composite, so the restore makes a GAttributeComposite by name.
constexpr RWClassID kNamedCompositeId = RWStringIdClassIdFirst + 1;
class NamedComposite : public GAttributeComposite {
public:
    explicit NamedComposite(uint32_t id) : GAttributeComposite(id) {}
    RWClassID IsA() const override { return kNamedCompositeId; }
};

GAttributeComposite* SettingsTree() {
    auto* root = new GAttributeComposite(900);
    auto* state = new GState(283);
    auto* value = new GValueAttribute(2, 266);
    state->Add(value);
    state->Add(new GRangeAttribute(-5, 50, 5, 20, 267));
    state->Add(new GStringAttribute("Letter", 268));
    root->Add(state);
    auto* choices = new GEnumAttribute(269);
    choices->Add(new GDisplayString(101, "Letter", "8.5 x 11"));
    choices->Add(new GDisplayString(102, "A4", "210 x 297"));
    root->Add(choices);
    root->Add(new GChromalistAttribute(300, 1, 2, 3, 4, 5, 6));
    root->Add(new GChromalistEnhancedAttribute(301, 1, 2, 3, 4, 5, 6, 7, 8));
    root->Add(value); // shared: a back-reference
    return root;
}

GAttributeComposite* NamedTree() {
    auto* root = new NamedComposite(7);
    auto* inner = new NamedComposite(8); // the name's later use
    inner->Add(new GValueAttribute(1, 9));
    root->Add(inner);
    root->Add(new GStringAttribute("named", 10));
    return root;
}

MPersistentObject* VersionInfo() {
    auto* info = new GPMDVersionInfo(0x00020005, 0x00010003, 2, 8);
    info->SetData1(0x11);
    info->SetData2(0x22);
    for (const char* text : {"driver", "", "model \"x\""})
        info->AddString(text);
    return info;
}

MPersistentObject* Associations() {
    auto* list = new MAssociationList(40);
    list->Add(new MPersistentAssociation(new GSelectionString("Tray 1", 1), new GValueAttribute(5, 41), 42));
    list->Add(new MPersistentAssociation(new GSelectionString("Tray 2", 2), nullptr, 43));
    return list;
}

MPersistentObject* Mappings() {
    auto* list = new GResourceMappingList(50);
    list->Add(new GResourceMapping(1001, 1, -1, 51));
    list->Add(new GResourceMapping(1002, 2, 7, 52));
    return list;
}

MPersistentObject* Booklet() {
    auto* booklet = new GBookletComposite(11, 12);
    booklet->AppendPair(0x1234, 0x8000);
    return booklet;
}

MPersistentObject* Bytes() {
    static uint8_t bytes[] = {0, 1, 0x7F, 0x80, 0xFF};
    const GBinaryData borrowing(bytes, sizeof bytes, 0, 60);
    return new GBinaryData(borrowing); // its own copy
}

// Every class of the model the factory makes, as a default object.
constexpr const char* kModelClasses[] = {
    "MPersistentComposite",
    "GAttributeComposite",
    "GState",
    "GValueAttribute",
    "GValue32Attribute",
    "GRangeAttribute",
    "GStringAttribute",
    "GDisplayString",
    "GDisplayStringAttribute",
    "GEnumAttribute",
    "GConfiguration",
    "GCapabilities",
    "MPersistentAssociation",
    "MAssociationList",
    "GResourceMapping",
    "GResourceMappingList",
    "GBinaryData",
    "GSelectionString",
    "GPMDVersionInfo",
    "GPMLDescriptor",
    "GPersistableLong",
    "GPersistableULong",
    "GOptMediaComposite",
    "GBookletComposite",
    "GChromalistAttribute",
    "GChromalistEnhancedAttribute",
    "GChromalistEnhancedAttributeVer2",
};

// The library's collections: shared members, nesting, and a collection that
// holds itself. Hashed collections hold one member at most, so that the
// saved order (by address) is always the same.
RWCollectable* SharedMembers(std::vector<std::unique_ptr<RWCollectable>>& keep) {
    auto* a = new RWCollectable;
    auto* b = new RWCollectable;
    keep.emplace_back(a);
    keep.emplace_back(b);
    auto* list = new RWSlistCollectables;
    list->Insert(a);
    list->Insert(b);
    list->Insert(a);
    return list;
}

RWCollectable* Nested(std::vector<std::unique_ptr<RWCollectable>>& keep) {
    auto* c = new RWCollectable;
    auto* d = new RWCollectable;
    keep.emplace_back(c);
    keep.emplace_back(d);
    auto* inner = new RWSlistCollectables;
    inner->Insert(c);
    auto* stack = new RWSlistCollectablesStack;
    stack->Insert(c);
    stack->Insert(d);
    auto* set = new RWSet;
    set->Insert(d);
    auto* table = new RWHashTable;
    auto* identities = new RWIdentitySet;
    identities->Insert(c);
    auto* outer = new RWSlistCollectables;
    for (RWCollectionBase* member :
         std::initializer_list<RWCollectionBase*>{inner, stack, set, table, identities}) {
        keep.emplace_back(member);
        outer->Insert(member);
    }
    return outer;
}

RWCollectable* HoldsItself(std::vector<std::unique_ptr<RWCollectable>>& keep) {
    auto* x = new RWCollectable;
    keep.emplace_back(x);
    auto* list = new RWSlistCollectables;
    list->Insert(list);
    list->Insert(x);
    return list;
}

// Restores bytes as the target does and checks what comes back.
void Verify(const std::string& name, const std::string& bytes, GraphCarrier carrier, GraphClasses classes,
            const RWCollectable* original, RWClassID expectedClass, const MemoryFile& scratch) {
    const RWRestoreClassFilter filter([classes](RWClassID id) { return MayRestore(classes, id); });
    RWCollectable* back = RestoreGraph(bytes, carrier, scratch);
    if (back == nullptr || back->IsA() != expectedClass) Die(name + " does not restore");
    const auto* model = dynamic_cast<const MPersistentObject*>(original);
    const bool named = original->IsA() != expectedClass;
    if (model != nullptr && !named && !dynamic_cast<const MPersistentObject*>(back)->IsEqualId(model))
        Die(name + " restores to another object");
    if (const auto* collection = dynamic_cast<const RWCollectionBase*>(original)) {
        if (dynamic_cast<RWCollectionBase*>(back)->Entries() != collection->Entries())
            Die(name + " restores with another member count");
    }
    FreeRestoredGraph(back);
}

void AddGraph(Seeds& seeds, const std::string& name, const RWCollectable* root, GraphClasses classes,
              RWClassID expectedClass, const MemoryFile& scratch) {
    for (GraphCarrier carrier : kGraphCarriers) {
        const std::string seedName = std::string(CarrierName(carrier)) + "-" + name;
        const std::string bytes = SaveGraph(root, carrier, scratch);
        Verify(seedName, bytes, carrier, classes, root, expectedClass, scratch);
        seeds.push_back({"ObjectGraphRestoreFuzz", seedName,
                         std::string(1, static_cast<char>(GraphLeadByte(carrier, classes))) + bytes});
    }
}

void AddGraphSeeds(Seeds& seeds, const MemoryFile& scratch) {
    RWAddToFactory([]() -> RWCollectable* { return new NamedComposite(0); }, kNamedCompositeId,
                   "GAttributeComposite");
    const GraphClasses settings = GraphClasses::Settings;
    {
        std::unique_ptr<GAttributeComposite> tree(SettingsTree());
        AddGraph(seeds, "settings-tree", tree.get(), settings, tree->IsA(), scratch);
        std::unique_ptr<GAttributeComposite> named(NamedTree());
        AddGraph(seeds, "named-class-tree", named.get(), settings, GAttributeComposite::kClassId, scratch);
    }
    const std::pair<const char*, MPersistentObject* (*)()> samples[] = {
        {"version-info", VersionInfo}, {"associations", Associations}, {"resource-mappings", Mappings},
        {"booklet", Booklet},          {"binary-data", Bytes},
    };
    for (const auto& [name, make] : samples) {
        std::unique_ptr<MPersistentObject> object(make());
        AddGraph(seeds, name, object.get(), settings, object->IsA(), scratch);
    }
    for (const char* className : kModelClasses) {
        std::unique_ptr<RWCollectable> object(RWCreateFromFactory(RWStringID(className)));
        if (object == nullptr) Die(std::string("the factory does not make ") + className);
        AddGraph(seeds, std::string("class-") + className, object.get(), settings, object->IsA(), scratch);
    }
    const std::pair<const char*, RWCollectable* (*)(std::vector<std::unique_ptr<RWCollectable>>&)> graphs[] =
        {{"shared-members", SharedMembers}, {"nested-collections", Nested}, {"holds-itself", HoldsItself}};
    for (const auto& [name, make] : graphs) {
        std::vector<std::unique_ptr<RWCollectable>> keep;
        std::unique_ptr<RWCollectable> root(make(keep));
        AddGraph(seeds, name, root.get(), GraphClasses::Collections, root->IsA(), scratch);
        if (auto* collection = dynamic_cast<RWCollectionBase*>(root.get())) collection->Clear();
        for (auto& member : keep)
            if (auto* collection = dynamic_cast<RWCollectionBase*>(member.get())) collection->Clear();
    }
}

// --- Command graphs --------------------------------------------------------

// A page whose three commands share one state.
MPersistentObject* Page() {
    auto* state = new GState(0);
    state->Add(new GValueAttribute(1, 257));
    auto* page = new GCommandComposite();
    page->Append(new GPageStart(state, 0));
    page->Append(new GNullCommand(state, 0));
    page->Append(new GPageEnd(state, 0));
    return page;
}

// A job: every job-control and data command, the start with a job key.
MPersistentObject* Job() {
    class Context : public GJobContext {
    public:
        uint32_t GetJobKey() const override { return 7; }
        void GetSecondName(RWWString& name) const override { name = RWWString(); }
        MPersistentObject* GetPrinterConfiguration() override { return nullptr; }
        uint32_t GetDefaultPaperId() override { return 0; }

    protected:
        GPeripheral* GetConfigurationTree() override { return nullptr; }
    };
    static const char kPjl[] = "@PJL ECHO seed\r\n";
    static Context context; // outlives the seed's commands: only its key is saved
    auto* job = new GCommandComposite(3);
    job->Append(new GDocumentStart(u"Report", "stored", u"file:out.prn", &context, nullptr, 0));
    job->Append(new GPageStart());
    job->Append(new GPassThroughCommand(kPjl, sizeof kPjl - 1, GPassThroughCommand::kPclXlWriter));
    job->Append(new GDownloadHeaderCommand(2, 0));
    job->Append(new GPageEnd());
    job->Append(new GDocumentEnd(u"Report", u"file:out.prn", 0));
    job->Append(new GJobAbort());
    job->Append(new GNoCommand());
    return job;
}

MPersistentObject* Failure() {
    return new GErrorCommand(0x259, new GDocumentStart(u"doc", u"dest", nullptr, 0));
}

// A printer with its two routed stages and an add-on proxy, each listened to
// by the printer.
MPersistentObject* Printer() {
    auto* printer = new GPrinter(u"printer", nullptr, nullptr, 0);
    auto* stage = new GPeripheralComposite(GSettingId::kJobControlStage);
    stage->GetOwnDefaultState()->Add(new GStringAttribute("PJL", 282));
    printer->Add(stage);
    printer->Add(new GPeripheralComposite(GSettingId::kWriterStage));
    printer->Add(new GPeripheralProxy(u"QVADDON.DLL", GPeripheral::kPdlPcl, GPeripheral::kAddOnPerCommand));
    return printer;
}

void AddCommandGraphSeeds(Seeds& seeds, const MemoryFile& scratch) {
    const std::pair<const char*, MPersistentObject* (*)()> graphs[] = {
        {"page", Page}, {"job", Job}, {"failure", Failure}, {"printer", Printer}};
    for (const auto& [name, make] : graphs) {
        const GCountedPtr root(make());
        for (GraphCarrier carrier : kGraphCarriers) {
            const std::string seedName = std::string(CarrierName(carrier)) + "-" + name;
            const std::string bytes = SaveGraph(root.Get(), carrier, scratch);
            {
                const RWRestoreClassFilter filter(&MayRestoreCommandGraph);
                const GCountedPtr back(
                    dynamic_cast<MPersistentObject*>(RestoreGraph(bytes, carrier, scratch)));
                if (!back || back->IsA() != root->IsA()) Die(seedName + " does not restore");
            }
            seeds.push_back(
                {"CommandGraphRestoreFuzz", seedName, std::string(1, static_cast<char>(carrier)) + bytes});
        }
    }
}

// --- Colour-control codec records -------------------------------------------

std::unique_ptr<RWVirtualOutStream> CodecStream(bool portable, std::stringbuf* buffer) {
    if (portable) return std::make_unique<RWPortableOutStream>(buffer);
    return std::make_unique<RWBinaryOutStream>(buffer);
}

// A record as the decoder reads it: written by the encoder, without the tag
// the codec reads before it.
template <typename Attribute, typename Encode>
std::string Record(bool portable, const GCodecForm& form, const Attribute& attribute, Encode encode) {
    std::stringbuf tagOnly;
    {
        auto out = CodecStream(portable, &tagOnly);
        *out << static_cast<unsigned char>(Attribute::kCodecTag);
        out->flush();
    }
    std::stringbuf record;
    {
        auto out = CodecStream(portable, &record);
        encode(form, &attribute, *out);
        out->flush();
    }
    const std::string tag = tagOnly.str();
    const std::string bytes = record.str();
    if (bytes.compare(0, tag.size(), tag) != 0) Die("a colour-control record does not start with its tag");
    return bytes.substr(tag.size());
}

void AddColourControlSeeds(Seeds& seeds) {
    const GChromalistEnhancedAttribute enhanced(0x1234, 1, 2, 3, 4, 5, 6, 7, 8);
    const GChromalistEnhancedAttribute enhancedWideId(0x12345678, 8, 7, 6, 5, 4, 3, 2, 1);
    const GChromalistEnhancedAttributeVer2 ver2(0x4321, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10);
    const GChromalistEnhancedAttributeVer2 ver2WideId(0x10000, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1);
    for (uint8_t lead = 0; lead < 8; ++lead) {
        const GCodecForm form(lead & 1);
        const bool isVer2 = (lead & 2) != 0;
        const bool portable = (lead & 4) != 0;
        // Two records in a row.
        std::string records;
        if (isVer2) {
            for (const auto* attribute : {&ver2, &ver2WideId})
                records += Record(portable, form, *attribute, EncodeChromalistEnhancedAttributeVer2);
        } else {
            for (const auto* attribute : {&enhanced, &enhancedWideId})
                records += Record(portable, form, *attribute, EncodeChromalistEnhancedAttribute);
        }
        const std::string name = std::string(isVer2 ? "ver2" : "enhanced") +
                                 ((lead & 1) != 0 ? "-compact" : "-wide") + (portable ? "-portable" : "-raw");
        seeds.push_back({"ColourControlCodecFuzz", name, std::string(1, static_cast<char>(lead)) + records});
    }
}

// --- Code pages ------------------------------------------------------------

void AddCodePageSeeds(Seeds& seeds) {
    // Lead bytes of CodePageFuzz's table: 1252, 932, 936, 949, 950, 1250, 1251, 1253, 437, 850, UTF-8.
    const struct {
        uint8_t lead;
        UINT codePage;
        const char16_t* text;
    } samples[] = {
        {0, 1252, u"caf\u00E9 \u20AC 100 \u201Cquoted\u201D"},
        {1, 932, u"\u65E5\u672C\u8A9E \uFF83\uFF7D\uFF84 abc"},
        {2, 936, u"\u4E2D\u6587 \u6253\u5370"},
        {3, 949, u"\uD55C\uAD6D\uC5B4"},
        {4, 950, u"\u7E41\u9AD4\u4E2D\u6587"},
        {5, 1250, u"\u0141\u00F3d\u017A"},
        {6, 1251, u"\u041F\u0440\u0438\u043D\u0442\u0435\u0440"},
        {7, 1253, u"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC"},
        {8, 437, u"\u2552\u2550\u2555 \u00E7"},
        {9, 850, u"\u00C6\u00F8\u00E5"},
        {10, CP_UTF8, u"UTF-8 \u00E9\u20AC\U0001F5A8"},
    };
    for (const auto& s : samples) {
        const std::u16string wide(s.text);
        const int n = WideCharToMultiByte(s.codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                          0, nullptr, nullptr);
        std::string narrow(static_cast<size_t>(n > 0 ? n : 0), '\0');
        if (n <= 0 || WideCharToMultiByte(s.codePage, 0, wide.data(), static_cast<int>(wide.size()),
                                          narrow.data(), n, nullptr, nullptr) != n) {
            Die("code page " + std::to_string(s.codePage) + " cannot write its sample");
        }
        const std::string name = "cp" + std::to_string(s.codePage);
        seeds.push_back({"CodePageFuzz", name, std::string(1, static_cast<char>(s.lead)) + narrow});
        seeds.push_back(
            {"CodePageFuzz", name + "-strict", std::string(1, static_cast<char>(s.lead | 0x10)) + narrow});
    }
    // Wide text as UTF-16LE units, for the wide-to-narrow direction.
    const std::u16string wide = u"Wide \u00E9\u20AC\U0001F5A8\uFFFD";
    std::string units;
    for (char16_t u : wide) {
        units += static_cast<char>(u & 0xFF);
        units += static_cast<char>(u >> 8);
    }
    seeds.push_back({"CodePageFuzz", "utf16-units", std::string(1, static_cast<char>(10)) + units});
}

// --- Job-storage names -----------------------------------------------------

void AddJobStorageNameSeeds(Seeds& seeds) {
    // Options byte, table length, the table, the name as UTF-16LE units.
    auto seed = [](uint8_t options, const std::vector<uint16_t>& tableWords, const std::u16string& name) {
        std::string bytes(1, static_cast<char>(options));
        const size_t length = tableWords.size() * 2;
        bytes += static_cast<char>(length & 0xFF);
        bytes += static_cast<char>(length >> 8);
        for (uint16_t word : tableWords) {
            bytes += static_cast<char>(word & 0xFF);
            bytes += static_cast<char>(word >> 8);
        }
        for (char16_t unit : name) {
            bytes += static_cast<char>(unit & 0xFF);
            bytes += static_cast<char>(unit >> 8);
        }
        return bytes;
    };
    // The model printers' table (printable ASCII) and one with Latin-1 too.
    const std::vector<uint16_t> ascii = {0, 4, 4, 1, 0, 0x7E, 0xFFFF, 0, 0x20, 0xFFFF};
    const std::vector<uint16_t> latin = {0, 6, 4, 1, 2, 0x7E, 0xFF, 0xFFFF, 0, 0x20, 0xA0, 0xFFFF};
    const std::vector<uint16_t> cut(ascii.begin(), ascii.end() - 2);
    seeds.push_back(
        {"JobStorageNamesFuzz", "ascii-table-user-left", seed(1, ascii, u"Gr\u00fc\u00dfe \"x\"")});
    seeds.push_back(
        {"JobStorageNamesFuzz", "latin-table-job-left", seed(5, latin, u"J\u00fcrgen\U0001F5A8")});
    seeds.push_back({"JobStorageNamesFuzz", "latin-table-user-default", seed(0, latin, u"")});
    seeds.push_back({"JobStorageNamesFuzz", "cut-table-typing", seed(3, cut, u"smith\tjones 1a2")});
    seeds.push_back({"JobStorageNamesFuzz", "no-table-pin-padded", seed(9, {}, u"12a")});
    // UTF-8 bytes for the decoder: well-formed, then an overlong form.
    std::string utf8 = seed(2, ascii, u"");
    utf8 += "Gr\xC3\xBC\xC3\x9F"
            "e \xE2\x82\xAC \xF0\x9F\x96\xA8 \xC0\x80";
    seeds.push_back({"JobStorageNamesFuzz", "utf8-text", utf8});
}

// --- Dictionary coder ------------------------------------------------------

void AddLZWSeeds(Seeds& seeds) {
    std::string repetitive;
    for (int i = 0; i < 300; ++i)
        repetitive += "ABABABA" + std::to_string(i % 7);
    std::string binary;
    for (int i = 0; i < 512; ++i)
        binary += static_cast<char>((i * 37) & 0xFF);
    const std::pair<const char*, std::string> samples[] = {
        {"text", "The quick brown fox jumps over the lazy dog. The quick brown fox."},
        {"repetitive", repetitive},
        {"binary", binary},
    };
    for (const auto& [name, data] : samples) {
        std::istringstream in(data);
        std::ostringstream codes;
        GLZWCoder coder;
        if (coder.Compress(in, codes) != 1) Die("the coder cannot compress its sample");
        seeds.push_back({"LZWExpandFuzz", std::string("codes-") + name, codes.str()});
        seeds.push_back({"LZWExpandFuzz", std::string("data-") + name, data});
    }
}

// --- The settings encoding and the DEVMODE ----------------------------------

// The stream of root in the form, preceded by the form's lead byte.
std::string SettingsStream(const MPersistentObject& root, uint16_t form) {
    std::string block(4096, '\0');
    GPersistOutputStream out(block.data(), block.size(), 1);
    GSettingsCodec codec;
    if (codec.Encode(&root, *out.GetStream(), out, form) != 1)
        Die("the settings encoding refuses its sample");
    return std::string(1, static_cast<char>(form)) + block.substr(0, static_cast<size_t>(out.Tell()));
}

void AddSettingsDecodeSeeds(Seeds& seeds) {
    FuzzDriverContext context(1);
    const std::unique_ptr<GAttributeComposite> tree = context.NewDefaultSettings();
    tree->FindById(276)->Add(new GCustomMediaSize(16385, "Photo", 1, 100, 150, 0x40000019));
    dynamic_cast<GFormToTrayDatabase*>(tree->FindById(510))->Assign(9, 3, 11913);
    auto* font = new GAttributeComposite(380);
    font->Add(new GStringAttribute("Courier", 384));
    tree->FindById(378)->Add(font);
    tree->Add(new GRangeAttribute(1, 999, 1, 5, 10));
    tree->Add(new GDisplayStringAttribute(12, 300, "Tray", "Fach"));
    seeds.push_back(
        {"SettingsDecodeFuzz", "tree-compact", SettingsStream(*tree, GSettingsCodec::kCompactForm)});
    seeds.push_back({"SettingsDecodeFuzz", "tree-wide", SettingsStream(*tree, GSettingsCodec::kWideForm)});
    MAssociationList associations(193);
    associations.InsertOrReplace(
        new MPersistentAssociation(new GValueAttribute(5, 0), new GStringAttribute("x", 0)));
    associations.InsertOrReplace(
        new MPersistentAssociation(new GValueAttribute(6, 0), new GRangeAttribute(1, 9, 1, 2, 3)));
    associations.InsertOrReplace(
        new MPersistentAssociation(new GValueAttribute(7, 0), new GValueAttribute(700, 0)));
    seeds.push_back(
        {"SettingsDecodeFuzz", "associations", SettingsStream(associations, GSettingsCodec::kWideForm)});
    GResourceMappingList mappings(194);
    mappings.AddUnique(new GResourceMapping(100, 15, 260, 0));
    seeds.push_back(
        {"SettingsDecodeFuzz", "mappings", SettingsStream(mappings, GSettingsCodec::kCompactForm)});
}

void AddDevModeSeeds(Seeds& seeds) {
    for (const uint16_t form : {1, 0}) {
        FuzzDriverContext context(form);
        GNTDevMode devmode(&context, nullptr);
        const std::unique_ptr<GAttributeComposite> tree = context.NewDefaultSettings();
        if (devmode.Store(tree.get()) != 1) Die("the DEVMODE cannot store its sample");
        const auto* bytes = reinterpret_cast<const char*>(devmode.GetImage());
        std::string image(bytes, GDevModeImage::kTotalSize);
        const std::string lead(1, static_cast<char>(form));
        seeds.push_back({"DevModeLoadFuzz", form == 1 ? "codec-blob" : "graph-blob", lead + image});
        if (form != 1) continue;
        // The same image with a blob of the older form: the tree's object
        // graph in portable text through the dictionary coder.
        std::ostringstream text;
        RWPortableOutStream portable(text);
        portable << static_cast<const RWCollectable*>(tree.get());
        std::istringstream in(text.str());
        std::ostringstream packed;
        if (GLZWCoder().Compress(in, packed) != 1 || packed.str().size() > GDevModeImage::kBlobCapacity)
            Die("the dictionary coder's blob does not fit");
        const std::string blob = packed.str();
        image.replace(GDevModeImage::kBlob, blob.size(), blob);
        image[GDevModeImage::kBlobLengthWord] = static_cast<char>(blob.size() & 0xFF);
        image[GDevModeImage::kBlobLengthWord + 1] = static_cast<char>(blob.size() >> 8);
        seeds.push_back({"DevModeLoadFuzz", "dictionary-blob", lead + image});
        // The public part alone (dmDriverExtra 0).
        std::string publicPart = image.substr(0, GDevModeImage::kPublicSize);
        publicPart[70] = publicPart[71] = 0;
        seeds.push_back({"DevModeLoadFuzz", "public-only", lead + publicPart});
    }
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int Write(const Seeds& seeds, const fs::path& corpus) {
    for (const Seed& seed : seeds) {
        fs::create_directories(corpus / seed.target);
        std::ofstream out(corpus / seed.target / seed.name, std::ios::binary | std::ios::trunc);
        out.write(seed.bytes.data(), static_cast<std::streamsize>(seed.bytes.size()));
        if (!out) Die("cannot write " + (corpus / seed.target / seed.name).string());
    }
    std::printf("WriteFuzzSeeds: %zu seeds written under %s\n", seeds.size(), corpus.string().c_str());
    return 0;
}

int Check(const Seeds& seeds, const fs::path& corpus) {
    size_t stale = 0;
    for (const Seed& seed : seeds) {
        const fs::path path = corpus / seed.target / seed.name;
        if (!fs::exists(path) || ReadFile(path) != seed.bytes) {
            std::printf("%s: %s\n", path.string().c_str(), fs::exists(path) ? "differs" : "missing");
            ++stale;
        }
    }
    std::printf("WriteFuzzSeeds: %zu seeds, %zu missing or different%s\n", seeds.size(), stale,
                stale == 0 ? "" : " (write them again: WriteFuzzSeeds fuzz/corpus)");
    return stale == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    const bool check = argc == 3 && std::string(argv[1]) == "--check";
    if (argc != 2 && !check) {
        std::fprintf(stderr, "usage: %s [--check] <corpus folder>\n", argv[0]);
        return 2;
    }
    InitializeModuleRuntime();
    const MemoryFile scratch;
    Seeds seeds;
    AddStreamSeeds(seeds);
    AddGraphSeeds(seeds, scratch);
    AddColourControlSeeds(seeds);
    AddCodePageSeeds(seeds);
    AddJobStorageNameSeeds(seeds);
    AddLZWSeeds(seeds);
    AddSettingsDecodeSeeds(seeds);
    AddDevModeSeeds(seeds);
    AddCommandGraphSeeds(seeds, scratch);
    const fs::path corpus = argv[argc - 1];
    return check ? Check(seeds, corpus) : Write(seeds, corpus);
}
