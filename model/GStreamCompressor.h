#pragma once
// Whole-stream zlib compression of the settings blob: the input is taken
// from its start to its end, the output is a zlib stream (header, deflate
// data, Adler-32) written at the start of the output.
#include <istream>
#include <ostream>

class GStreamCompressor {
public:
    // The largest expansion Decompress accepts.
    static constexpr unsigned long kExpandedLimit = 16000;

    virtual ~GStreamCompressor() = default;

    // Compresses the whole input (default level) to the start of the output.
    // Returns 1 when the compressed data was written; 0 when it would be
    // larger than the input, does not fit the output (a sink over a fixed
    // block holds at most its capacity from its start; a string stream and
    // a file grow) or the output has failed - nothing is written then.
    int Compress(std::istream& in, std::ostream& out);
    // Expands the whole input (at most kExpandedLimit bytes) and writes the
    // result at the output's current position. 1 on success; 0 on damaged or
    // oversized data, with nothing written.
    int Decompress(std::istream& in, std::ostream& out);
};
