#pragma once
// Turns the statements of a printer description into the object graph of the
// driver's data file.
//
// The top-level statements become the children of the root (an
// MPersistentComposite with id 0): the configuration tree 353, the resource
// mappings 191, the OS tray map 84 and the resource-mapping list 194. Each
// statement makes one object of the kind its first word names
// (DescriptionKinds.h); a block makes the object's children. The builder
// refuses, with the statement's file and line:
//   - a kind it does not know, or a kind that cannot stand where it stands;
//   - two children with the same non-zero id in one block;
//   - a child its parent does not take (an attribute node takes only
//     attributes, a configuration no child equal to one it holds);
//   - arguments of the wrong number, form or range;
//   - the mistakes the paper model and the printer node check (their
//     builders).
// Objects are made in statement order, so the same description always makes
// the same graph.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "model/GCountedPtr.h"
#include "tools/printerdesc/DescriptionStatement.h"

class MPersistentObject;

class DataFileBuilder {
public:
    // The root of the data file built from the top-level statements.
    GCountedPtr Build(const std::vector<DescriptionStatement>& statements);

    // The object of one statement standing in a block of generic objects,
    // held by the returned pointer only.
    GCountedPtr MakeObject(const DescriptionStatement& statement);
    // Makes the objects of the statements and adds them to parent, in order,
    // with the duplicate-id and acceptance checks.
    void AddChildren(MPersistentObject& parent, const std::vector<DescriptionStatement>& statements);
    // Adds one made child to parent; fails at statement when parent does
    // not take it.
    static void AddChild(MPersistentObject& parent, const GCountedPtr& child,
                         const DescriptionStatement& statement);
    // "composite 359", "configuration 198": how messages name a node.
    static std::string NameOf(const MPersistentObject& object);

private:
    GCountedPtr MakeContainer(const DescriptionStatement& statement);
    GCountedPtr MakeEnum(const DescriptionStatement& statement);
    GCountedPtr MakeValue(const DescriptionStatement& statement);
    GCountedPtr MakeValue32(const DescriptionStatement& statement);
    GCountedPtr MakeRange(const DescriptionStatement& statement);
    GCountedPtr MakeString(const DescriptionStatement& statement);
    GCountedPtr MakeDisplay(const DescriptionStatement& statement);
    GCountedPtr MakeSelection(const DescriptionStatement& statement);
    GCountedPtr MakeBinary(const DescriptionStatement& statement);
    GCountedPtr MakeCapabilities(const DescriptionStatement& statement);
    GCountedPtr MakeChromalist(const DescriptionStatement& statement);
    GCountedPtr MakeListAttribute(const DescriptionStatement& statement);
    GCountedPtr MakeAssociations(const DescriptionStatement& statement);
    GCountedPtr MakeMappings(const DescriptionStatement& statement);
    [[noreturn]] static void FailUnknown(const DescriptionStatement& statement);
};
