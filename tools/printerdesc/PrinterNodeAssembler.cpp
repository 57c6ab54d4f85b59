#include "tools/printerdesc/PrinterNodeAssembler.h"

#include <map>
#include <string>

#include "driver/GetWriterKind.h"
#include "model/GConfiguration.h"
#include "model/GSettingIds.h"
#include "model/GState.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentComposite.h"
#include "tools/printerdesc/DataFileBuilder.h"
#include "tools/printerdesc/DescriptionArguments.h"
#include "tools/printerdesc/DescriptionError.h"

namespace {

// The blocks of a printer statement by kind; each may appear once.
std::map<std::string, const DescriptionStatement*> Parts(const DescriptionStatement& printer) {
    std::map<std::string, const DescriptionStatement*> parts;
    for (const DescriptionStatement& part : printer.children) {
        const std::string& kind = part.Kind();
        if (kind != "configuration" && kind != "state" && kind != "writer" && kind != "pjl") {
            throw DescriptionError(part.file, part.line,
                                   "a printer holds configuration, state, writer and pjl blocks, not '" +
                                       kind + "'");
        }
        if (!parts.emplace(kind, &part).second) {
            throw DescriptionError(part.file, part.line, "a second '" + kind + "' block in the printer");
        }
    }
    for (const char* needed : {"configuration", "state", "writer", "pjl"}) {
        if (parts.count(needed) == 0) {
            throw DescriptionError(printer.file, printer.line,
                                   std::string("the printer has no '") + needed + "' block");
        }
    }
    return parts;
}

// The writer kind of a writer line's language; 0 for another word.
uint16_t WriterKindOf(const std::string& language) {
    if (language == "pclxl") return GWriterKind::kPclXl;
    if (language == "pcl5") return GWriterKind::kPcl5;
    if (language == "postscript") return GWriterKind::kPostScript;
    return GWriterKind::kNone;
}

} // namespace

GCountedPtr PrinterNodeAssembler::Make(const DescriptionStatement& statement) {
    DescriptionArguments arguments(statement);
    arguments.ExpectCount(1, 1);
    arguments.ExpectBlock();
    if (arguments.Id(1) != GSettingId::kPrinterNode) arguments.Fail("the printer node has attribute id 76");
    const auto parts = Parts(statement);

    GCountedPtr writer = StageConfiguration(*parts.at("writer"));
    GCountedPtr jobControl = StageConfiguration(*parts.at("pjl"));
    GCountedPtr configuration(new GConfiguration(GSettingId::kPeripheralConfiguration));
    configuration->Add(OwnGroup(*parts.at("configuration")).Get());
    configuration->Add(writer.Get());
    configuration->Add(jobControl.Get());

    GCountedPtr node(new MPersistentComposite(GSettingId::kPrinterNode));
    node->Add(configuration.Get());
    node->Add(State(*parts.at("state")).Get());
    GCountedPtr writerStage(new MPersistentComposite(GSettingId::kWriterStage));
    writerStage->Add(writer.Get());
    node->Add(writerStage.Get());
    GCountedPtr jobControlStage(new MPersistentComposite(GSettingId::kJobControlStage));
    jobControlStage->Add(jobControl.Get());
    node->Add(jobControlStage.Get());
    return node;
}

GCountedPtr PrinterNodeAssembler::OwnGroup(const DescriptionStatement& block) {
    DescriptionArguments arguments(block);
    arguments.ExpectCount(0, 0);
    arguments.ExpectBlock();
    GCountedPtr group(new GConfiguration(GSettingId::kPeripheralConfiguration));
    builder_.AddChildren(*group, block.children);
    return group;
}

GCountedPtr PrinterNodeAssembler::StageConfiguration(const DescriptionStatement& stage) {
    DescriptionArguments arguments(stage);
    arguments.ExpectBlock();
    uint16_t writerKind = GWriterKind::kNone;
    if (stage.Kind() == "writer") {
        arguments.ExpectCount(1, 1);
        const std::string& language = arguments.Word(1);
        writerKind = WriterKindOf(language);
        if (writerKind == GWriterKind::kNone) {
            arguments.Fail("the writer's language is pclxl, pcl5 or postscript, not '" + language + "'");
        }
    } else {
        arguments.ExpectCount(0, 0);
    }
    if (stage.children.size() != 1 || stage.children.front().Kind() != "configuration") {
        arguments.Fail("a '" + stage.Kind() + "' block holds one configuration block");
    }
    GCountedPtr group = OwnGroup(stage.children.front());
    if (writerKind != GWriterKind::kNone) {
        // The record the writer-kind readers take while there is no writer object.
        if (group->FindById(GSettingId::kWriterKind) != nullptr)
            arguments.Fail("the writer kind (1480) comes from the writer line, not from the description");
        group->Add(new GValueAttribute(writerKind, GSettingId::kWriterKind));
    }
    GCountedPtr configuration(new GConfiguration(GSettingId::kPeripheralConfiguration));
    configuration->Add(group.Get());
    return configuration;
}

GCountedPtr PrinterNodeAssembler::State(const DescriptionStatement& block) {
    DescriptionArguments arguments(block);
    arguments.ExpectCount(0, 0);
    arguments.ExpectBlock();
    GCountedPtr state(new GState(GSettingId::kPeripheralState));
    builder_.AddChildren(*state, block.children);
    return state;
}
