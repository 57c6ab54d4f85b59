// The writer kind the description compiler records from a description's
// writer line, as the one writer-kind reader answers it for the built
// printer configuration.
#include <gtest/gtest.h>

#include <string>

#include "driver/GetWriterKind.h"
#include "model/MPersistentObject.h"
#include "tools/printerdesc/DataFile.h"
#include "tools/printerdesc/DataFileBuilder.h"
#include "tools/printerdesc/DataFileLayout.h"
#include "tools/printerdesc/DescriptionParser.h"

namespace {

// The printer configuration (N/198) of a graph.
MPersistentObject* PrinterConfiguration(MPersistentObject& root) {
    return DataFileLayout::Child(DataFileLayout(root).Anchor('N'), 198);
}

GCountedPtr BuildWithWriter(const std::string& language) {
    const std::string text = "configuration 353 {\n printer 76 {\n  configuration { value 339 0 }\n"
                             "  state { state 246 { } }\n  writer " +
                             language +
                             " { configuration { value 317 0 } }\n  pjl { configuration { } }\n }\n}\n";
    return DataFileBuilder().Build(DescriptionParser::ParseText("test.qvpd", text));
}

TEST(WriterKindRecordTest, TheModelPrintersAnswerTheirWriters) {
    const struct {
        const char* file;
        uint16_t kind;
    } models[] = {{"QVCOLOR.QVD", 767}, {"QVMONO.QVD", 788}, {"QVCOLORPS.QVD", 768}};
    for (const auto& model : models) {
        SCOPED_TRACE(model.file);
        std::string bytes;
        ASSERT_TRUE(DataFile::Read(std::string(QV_PRINTERS_DIR) + "/" + model.file, bytes));
        GCountedPtr root = DataFile::Restore(bytes);
        ASSERT_TRUE(root);
        EXPECT_EQ(GetWriterKind(PrinterConfiguration(*root)), model.kind);
    }
}

TEST(WriterKindRecordTest, EachWriterLineGivesItsKind) {
    const struct {
        const char* language;
        uint16_t kind;
    } lines[] = {{"pclxl", 767}, {"pcl5", 788}, {"postscript", 768}};
    for (const auto& line : lines) {
        SCOPED_TRACE(line.language);
        GCountedPtr root = BuildWithWriter(line.language);
        EXPECT_EQ(GetWriterKind(PrinterConfiguration(*root)), line.kind);
        // The record lies in the writer's own group, after what the description gave.
        const auto children = DataFileLayout::Children(DataFileLayout(*root).Anchor('W'));
        ASSERT_EQ(children.size(), 2u);
        EXPECT_EQ(children.back()->GetId(), 1480u);
    }
}

TEST(WriterKindRecordTest, ATreeWithoutTheRecordAnswersNone) {
    GCountedPtr root = BuildWithWriter("postscript");
    ASSERT_TRUE(DataFileLayout(*root).Anchor('W')->RemoveById(1480));
    EXPECT_EQ(GetWriterKind(PrinterConfiguration(*root)), 0);
}

} // namespace
