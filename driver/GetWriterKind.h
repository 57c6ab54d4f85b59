#pragma once
// The kind of the printer's page-description writer, which the tabs, the
// availability rules and the value queries test: every reader asks this
// function and nothing else, so that the writer objects can take over from
// the compiled record without touching a reader.
//
// With a writer object (node 101 of node 98 of the printer configuration)
// the answer is the writer class it is kind of. Until the writer classes
// exist the data file holds no such object, and the answer is the record
// 1480 that the printer-description compiler writes from the description's
// writer line. 0 when neither names one of the three writers.
#include <cstdint>

class MPersistentObject;

namespace GWriterKind {
inline constexpr uint16_t kNone = 0;
inline constexpr uint16_t kPclXl = 767;
inline constexpr uint16_t kPostScript = 768;
inline constexpr uint16_t kPcl5 = 788;
} // namespace GWriterKind

// printerConfiguration: the printer node's configuration (null: kNone).
uint16_t GetWriterKind(MPersistentObject* printerConfiguration);
