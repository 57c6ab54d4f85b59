#include "tools/printerdesc/DataFileBuilder.h"

#include <memory>
#include <utility>

#include "model/GBinaryData.h"
#include "model/GBookletComposite.h"
#include "model/GCapabilities.h"
#include "model/GChromalistAttribute.h"
#include "model/GChromalistEnhancedAttribute.h"
#include "model/GChromalistEnhancedAttributeVer2.h"
#include "model/GConfiguration.h"
#include "model/GDisplayStringAttribute.h"
#include "model/GEnumAttribute.h"
#include "model/GOptMediaComposite.h"
#include "model/GRangeAttribute.h"
#include "model/GResourceMapping.h"
#include "model/GResourceMappingList.h"
#include "model/GSelectionString.h"
#include "model/GState.h"
#include "model/GStringAttribute.h"
#include "model/GValue32Attribute.h"
#include "model/GValueAttribute.h"
#include "model/MAssociationList.h"
#include "model/MPersistentAssociation.h"
#include "model/MPersistentComposite.h"
#include "tools/printerdesc/DataFileLayout.h"
#include "tools/printerdesc/DescriptionArguments.h"
#include "tools/printerdesc/DescriptionError.h"
#include "tools/printerdesc/DescriptionKinds.h"
#include "tools/printerdesc/PaperModelBuilder.h"
#include "tools/printerdesc/PrinterNodeAssembler.h"

namespace {

using Maker = GCountedPtr (DataFileBuilder::*)(const DescriptionStatement&);

struct KindMaker {
    const char* kind;
    Maker make;
};

// The (kind, field) cells of the three colour-control classes, in the order
// a description lists their codes (the order the settings encoding uses).
struct Cell {
    int32_t kind;
    int32_t field;
};
constexpr Cell kChromalistCells[] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}, {2, 0}, {2, 1}};
constexpr Cell kEnhancedCells[] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}, {2, 0}, {2, 1}, {3, 2}, {3, 3}};
constexpr Cell kVer2Cells[] = {{0, 0}, {0, 1}, {0, 3}, {1, 0}, {1, 1},
                               {1, 3}, {2, 0}, {2, 1}, {2, 3}, {3, 2}};

template <typename Attribute, size_t N>
GCountedPtr MakeCells(const DescriptionStatement& statement, const Cell (&cells)[N]) {
    DescriptionArguments arguments(statement);
    arguments.ExpectCount(N + 1, N + 1);
    arguments.ExpectNoBlock();
    auto attribute = std::make_unique<Attribute>(arguments.Id(1));
    for (size_t i = 0; i < N; ++i) {
        const auto code = static_cast<uint8_t>(arguments.Integer(i + 2, 0, 255, "colour-control code"));
        attribute->SetOption(cells[i].kind, cells[i].field, code);
    }
    return GCountedPtr(std::move(attribute));
}

int16_t Signed16(const DescriptionArguments& arguments, size_t index, const char* what) {
    return static_cast<int16_t>(arguments.Integer(index, -32768, 32767, what));
}

} // namespace

GCountedPtr DataFileBuilder::Build(const std::vector<DescriptionStatement>& statements) {
    GCountedPtr root(new MPersistentComposite(0));
    AddChildren(*root, statements);
    return root;
}

GCountedPtr DataFileBuilder::MakeObject(const DescriptionStatement& statement) {
    static const KindMaker kMakers[] = {
        {"value", &DataFileBuilder::MakeValue},
        {"value32", &DataFileBuilder::MakeValue32},
        {"range", &DataFileBuilder::MakeRange},
        {"string", &DataFileBuilder::MakeString},
        {"display", &DataFileBuilder::MakeDisplay},
        {"selection", &DataFileBuilder::MakeSelection},
        {"binary", &DataFileBuilder::MakeBinary},
        {"capabilities", &DataFileBuilder::MakeCapabilities},
        {"chromalist", &DataFileBuilder::MakeChromalist},
        {"chromalist-enhanced", &DataFileBuilder::MakeChromalist},
        {"chromalist-enhanced2", &DataFileBuilder::MakeChromalist},
        {"optmedia", &DataFileBuilder::MakeListAttribute},
        {"booklet", &DataFileBuilder::MakeListAttribute},
        {"composite", &DataFileBuilder::MakeContainer},
        {"state", &DataFileBuilder::MakeContainer},
        {"configuration", &DataFileBuilder::MakeContainer},
        {"persistent", &DataFileBuilder::MakeContainer},
        {"enum", &DataFileBuilder::MakeEnum},
        {"associations", &DataFileBuilder::MakeAssociations},
        {"mappings", &DataFileBuilder::MakeMappings},
    };
    for (const KindMaker& maker : kMakers) {
        if (statement.Kind() == maker.kind) return (this->*maker.make)(statement);
    }
    if (statement.Kind() == "printer") return PrinterNodeAssembler(*this).Make(statement);
    if (PaperModelBuilder::Makes(statement.Kind())) return PaperModelBuilder::Make(statement);
    FailUnknown(statement);
}

void DataFileBuilder::FailUnknown(const DescriptionStatement& statement) {
    const std::string& kind = statement.Kind();
    const std::string problem =
        IsDescriptionKeyword(kind) ? "'" + kind + "' cannot stand here" : "unknown kind '" + kind + "'";
    throw DescriptionError(statement.file, statement.line, problem);
}

void DataFileBuilder::AddChildren(MPersistentObject& parent,
                                  const std::vector<DescriptionStatement>& statements) {
    std::map<uint32_t, int> firstLine;
    for (const DescriptionStatement& statement : statements) {
        GCountedPtr child = MakeObject(statement);
        const uint32_t id = child->GetId();
        if (id != 0) {
            const auto [where, added] = firstLine.emplace(id, statement.line);
            if (!added) {
                throw DescriptionError(statement.file, statement.line,
                                       "duplicate id " + std::to_string(id) + " in " + NameOf(parent) +
                                           " (first at line " + std::to_string(where->second) + ")");
            }
        }
        AddChild(parent, child, statement);
    }
}

void DataFileBuilder::AddChild(MPersistentObject& parent, const GCountedPtr& child,
                               const DescriptionStatement& statement) {
    const uint32_t before = parent.GetCount();
    parent.Add(child.Get());
    if (parent.AsComposite() == nullptr || parent.GetCount() != before + 1) {
        throw DescriptionError(statement.file, statement.line,
                               NameOf(parent) + " does not take " + NameOf(*child) +
                                   (parent.IsKindOf(753) ? " (an attribute node takes only attributes)"
                                                         : " (it is equal to a child already there)"));
    }
}

std::string DataFileBuilder::NameOf(const MPersistentObject& object) {
    static const std::map<RWClassID, const char*> kNames = {
        {757, "composite"},
        {758, "state"},
        {764, "enum"},
        {759, "configuration"},
        {752, "persistent"},
        {772, "associations"},
        {1005, "mappings"},
        {763, "value"},
        {789, "value32"},
        {762, "range"},
        {776, "string"},
        {787, "display"},
        {1008, "selection"},
        {4, "binary"},
        {1003, "capabilities"},
        {792, "chromalist"},
        {797, "chromalist-enhanced"},
        {1201, "chromalist-enhanced2"},
        {796, "optmedia"},
        {794, "booklet"},
        {771, "association"},
        {1004, "mapping"},
    };
    const auto name = kNames.find(object.IsA());
    const std::string kind =
        name != kNames.end() ? name->second : "object of class " + std::to_string(object.IsA());
    return kind + " " + std::to_string(object.GetId());
}

GCountedPtr DataFileBuilder::MakeContainer(const DescriptionStatement& statement) {
    DescriptionArguments arguments(statement);
    arguments.ExpectCount(1, 1);
    const uint32_t id = arguments.Id(1);
    GCountedPtr node;
    if (statement.Kind() == "composite")
        node.Reset(new GAttributeComposite(id));
    else if (statement.Kind() == "state")
        node.Reset(new GState(id));
    else if (statement.Kind() == "configuration")
        node.Reset(new GConfiguration(id));
    else
        node.Reset(new MPersistentComposite(id));
    AddChildren(*node, statement.children);
    return node;
}

GCountedPtr DataFileBuilder::MakeEnum(const DescriptionStatement& statement) {
    DescriptionArguments arguments(statement);
    arguments.ExpectCount(1, 3);
    GCountedPtr node(new GEnumAttribute(arguments.Id(1)));
    AddChildren(*node, statement.children);
    if (arguments.Count() == 1) return node;
    if (arguments.Count() != 3 || !arguments.IsWord(2, "select"))
        arguments.Fail("enum takes: ID [select CHILD-ID]");
    const uint32_t selected = arguments.Id(3);
    auto* choices = node.As<GEnumAttribute>();
    for (MPersistentObject* choice : DataFileLayout::Children(choices)) {
        if (choice->GetId() == selected) {
            choices->Select(choice);
            return node;
        }
    }
    arguments.Fail("enum " + std::to_string(node->GetId()) + " has no choice with id " +
                   std::to_string(selected));
}

GCountedPtr DataFileBuilder::MakeValue(const DescriptionStatement& statement) {
    DescriptionArguments arguments(statement);
    arguments.ExpectCount(2, 2);
    arguments.ExpectNoBlock();
    const auto value = static_cast<uint16_t>(arguments.Integer(2, -32768, 65535, "value"));
    return GCountedPtr(new GValueAttribute(value, arguments.Id(1)));
}

GCountedPtr DataFileBuilder::MakeValue32(const DescriptionStatement& statement) {
    DescriptionArguments arguments(statement);
    arguments.ExpectCount(2, 2);
    arguments.ExpectNoBlock();
    const auto value = static_cast<uint32_t>(arguments.Integer(2, -2147483648LL, 0xFFFFFFFFLL, "value"));
    return GCountedPtr(new GValue32Attribute(value, arguments.Id(1)));
}

GCountedPtr DataFileBuilder::MakeRange(const DescriptionStatement& statement) {
    DescriptionArguments arguments(statement);
    arguments.ExpectCount(5, 5);
    arguments.ExpectNoBlock();
    const int16_t minimum = Signed16(arguments, 2, "minimum");
    const int16_t maximum = Signed16(arguments, 3, "maximum");
    const auto step = static_cast<uint16_t>(arguments.Integer(4, 1, 65535, "step"));
    const int16_t value = Signed16(arguments, 5, "value");
    if (maximum < minimum) arguments.Fail("the range's maximum is below its minimum");
    if (value < minimum || value > maximum)
        arguments.Fail("the range's value lies outside its minimum and maximum");
    return GCountedPtr(new GRangeAttribute(minimum, maximum, step, value, arguments.Id(1)));
}

GCountedPtr DataFileBuilder::MakeString(const DescriptionStatement& statement) {
    DescriptionArguments arguments(statement);
    arguments.ExpectCount(2, 3);
    arguments.ExpectNoBlock();
    if (arguments.Count() == 3) {
        if (!arguments.IsWord(2, "hex")) arguments.Fail("string takes: ID \"text\" or ID hex \"bytes\"");
        const std::string bytes = arguments.HexBytes(3);
        return GCountedPtr(new GStringAttribute(RWCString(bytes.data(), bytes.size()), arguments.Id(1)));
    }
    return GCountedPtr(new GStringAttribute(arguments.Text(2).c_str(), arguments.Id(1)));
}

GCountedPtr DataFileBuilder::MakeDisplay(const DescriptionStatement& statement) {
    DescriptionArguments arguments(statement);
    arguments.ExpectCount(4, 4);
    arguments.ExpectNoBlock();
    const auto stringId = static_cast<uint16_t>(arguments.Integer(2, 0, 65535, "string id"));
    return GCountedPtr(new GDisplayStringAttribute(arguments.Id(1), stringId, arguments.Text(3).c_str(),
                                                   arguments.Text(4).c_str()));
}

GCountedPtr DataFileBuilder::MakeSelection(const DescriptionStatement& statement) {
    DescriptionArguments arguments(statement);
    arguments.ExpectCount(3, 3);
    arguments.ExpectNoBlock();
    const auto value = static_cast<uint16_t>(arguments.Integer(2, 0, 65535, "value"));
    return GCountedPtr(new GSelectionString(arguments.Text(3).c_str(), value, arguments.Id(1)));
}

GCountedPtr DataFileBuilder::MakeBinary(const DescriptionStatement& statement) {
    DescriptionArguments arguments(statement);
    arguments.ExpectCount(2, 2);
    arguments.ExpectNoBlock();
    const std::string bytes = arguments.HexBytes(2);
    auto* data = new uint8_t[bytes.size() + 1];
    std::copy(bytes.begin(), bytes.end(), data);
    return GCountedPtr(new GBinaryData(data, static_cast<uint32_t>(bytes.size()), 1, arguments.Id(1)));
}

GCountedPtr DataFileBuilder::MakeCapabilities(const DescriptionStatement& statement) {
    DescriptionArguments arguments(statement);
    if (arguments.Count() < 2) arguments.ExpectCount(2, 2);
    arguments.ExpectNoBlock();
    const auto length = static_cast<uint32_t>(arguments.Integer(2, 0, 4096, "length in bits"));
    auto capabilities = std::make_unique<GCapabilities>(arguments.Id(1), length);
    for (size_t i = 3; i <= arguments.Count(); ++i) {
        capabilities->SetBit(static_cast<uint32_t>(arguments.Integer(i, 0, length - 1, "bit")));
    }
    return GCountedPtr(std::move(capabilities));
}

GCountedPtr DataFileBuilder::MakeChromalist(const DescriptionStatement& statement) {
    if (statement.Kind() == "chromalist") return MakeCells<GChromalistAttribute>(statement, kChromalistCells);
    if (statement.Kind() == "chromalist-enhanced") {
        return MakeCells<GChromalistEnhancedAttribute>(statement, kEnhancedCells);
    }
    return MakeCells<GChromalistEnhancedAttributeVer2>(statement, kVer2Cells);
}

GCountedPtr DataFileBuilder::MakeListAttribute(const DescriptionStatement& statement) {
    DescriptionArguments arguments(statement);
    if (arguments.Count() < 3) arguments.ExpectCount(3, 3);
    arguments.ExpectNoBlock();
    const auto first = static_cast<uint16_t>(arguments.Integer(2, 0, 65535, "first word"));
    const auto second = static_cast<uint16_t>(arguments.Integer(3, 0, 65535, "second word"));
    std::vector<uint16_t> values;
    for (size_t i = 4; i <= arguments.Count(); ++i) {
        values.push_back(static_cast<uint16_t>(arguments.Integer(i, 0, 65535, "list value")));
    }
    bool appended = true;
    GCountedPtr list;
    if (statement.Kind() == "booklet") {
        if (values.size() % 2 != 0) arguments.Fail("a booklet list holds pairs of values");
        auto* booklet = new GBookletComposite(first, second);
        list.Reset(booklet);
        for (size_t i = 0; i < values.size() && appended; i += 2)
            appended = booklet->AppendPair(values[i], values[i + 1]);
    } else {
        auto* media = new GOptMediaComposite(first, second);
        list.Reset(media);
        for (size_t i = 0; i < values.size() && appended; ++i)
            appended = media->Append(values[i]);
    }
    if (!appended) arguments.Fail("too many list values");
    list->SetId(arguments.Id(1));
    return list;
}

GCountedPtr DataFileBuilder::MakeAssociations(const DescriptionStatement& statement) {
    DescriptionArguments arguments(statement);
    arguments.ExpectCount(1, 1);
    GCountedPtr list(new MAssociationList(arguments.Id(1)));
    std::map<int64_t, int> firstLine;
    for (const DescriptionStatement& entry : statement.children) {
        DescriptionArguments entryArguments(entry);
        if (entry.Kind() != "map") FailUnknown(entry);
        entryArguments.ExpectCount(3, 4);
        entryArguments.ExpectNoBlock();
        const int64_t key = entryArguments.Integer(1, 0, 65535, "key");
        if (const auto [where, added] = firstLine.emplace(key, entry.line); !added) {
            entryArguments.Fail("duplicate key " + std::to_string(key) + " in " + NameOf(*list) +
                                " (first at line " + std::to_string(where->second) + ")");
        }
        MPersistentObject* value = nullptr;
        const std::string& kind = entryArguments.Word(2);
        if (kind == "string" && entryArguments.Count() == 3) {
            value = new GStringAttribute(entryArguments.Text(3).c_str(), 0);
        } else if (kind == "value" && entryArguments.Count() == 3) {
            value = new GValueAttribute(
                static_cast<uint16_t>(entryArguments.Integer(3, -32768, 65535, "value")), 0);
        } else if (kind == "selection") {
            const int64_t selectionValue =
                entryArguments.Count() == 4 ? entryArguments.Integer(4, 0, 65535, "value") : key;
            value = new GSelectionString(entryArguments.Text(3).c_str(),
                                         static_cast<uint16_t>(selectionValue), 0);
        } else {
            entryArguments.Fail("map takes: KEY string \"text\" | KEY value V | KEY selection \"text\" [V]");
        }
        auto* key16 = new GValueAttribute(static_cast<uint16_t>(key), 0);
        list.As<MAssociationList>()->InsertOrReplace(new MPersistentAssociation(key16, value, 0));
    }
    return list;
}

GCountedPtr DataFileBuilder::MakeMappings(const DescriptionStatement& statement) {
    DescriptionArguments arguments(statement);
    arguments.ExpectCount(1, 1);
    GCountedPtr list(new GResourceMappingList(arguments.Id(1)));
    for (const DescriptionStatement& entry : statement.children) {
        DescriptionArguments entryArguments(entry);
        if (entry.Kind() != "mapping") FailUnknown(entry);
        entryArguments.ExpectCount(3, 3);
        entryArguments.ExpectNoBlock();
        const auto value32 =
            static_cast<uint32_t>(entryArguments.Integer(1, 0, 0xFFFFFFFFLL, "32-bit value"));
        const auto first = static_cast<uint16_t>(entryArguments.Integer(2, 0, 65535, "first value"));
        const auto second = static_cast<int16_t>(entryArguments.Integer(3, -32768, 32767, "second value"));
        auto* mapping = new GResourceMapping(value32, first, second, 0);
        if (!list.As<GResourceMappingList>()->AddUnique(mapping)) {
            GCountedPtr refused(mapping);
            entryArguments.Fail("mapping refused: its second value or its 32-bit value is already in " +
                                NameOf(*list));
        }
    }
    return list;
}
