#pragma once
// Builds the printer node (attribute id 76) of the configuration tree from a
// "printer" statement:
//
//   printer 76 {
//     configuration { ... }        the printer's own configuration group
//     state { ... }                the printer's state: groups 244, 246, 256
//     writer pclxl|pcl5|postscript { configuration { ... } }   stage 101
//     pjl { configuration { ... } }                            stage 106
//   }
//
// The printer is a peripheral composite whose configuration (id 198) holds
// its own group followed by the configuration of each child stage, and whose
// stages share its state. Until the peripheral classes exist the node is laid
// out with the model's plain containers, in the same shape:
//
//   persistent 76
//     configuration 198            the printer configuration
//       configuration 198          own group (the "configuration" block)
//       configuration 198          the writer's configuration
//         configuration 198        its own group
//       configuration 198          the job-control stage's configuration
//         configuration 198        its own group
//     state 243                    the "state" block
//     persistent 101               stand-in of the writer stage: holds the
//       (the writer's configuration, shared)
//     persistent 106               stand-in of the job-control stage
//       (its configuration, shared)
//
// so that a depth-first search of the printer configuration finds what a
// search of a real printer's configuration finds. This class is the one
// place that changes when the printer, writer and job-control classes arrive.
#include "model/GCountedPtr.h"
#include "tools/printerdesc/DescriptionStatement.h"

class DataFileBuilder;

class PrinterNodeAssembler {
public:
    explicit PrinterNodeAssembler(DataFileBuilder& builder) : builder_(builder) {}

    GCountedPtr Make(const DescriptionStatement& statement);

private:
    GCountedPtr OwnGroup(const DescriptionStatement& block);
    GCountedPtr StageConfiguration(const DescriptionStatement& stage);
    GCountedPtr State(const DescriptionStatement& block);

    DataFileBuilder& builder_;
};
