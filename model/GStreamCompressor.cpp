#include "model/GStreamCompressor.h"

#include <zlib.h>

#include <sstream>
#include <vector>

namespace {

// The whole input, from its start to its end; false when the stream cannot
// tell its length or yields fewer bytes than it claims.
bool ReadWhole(std::istream& in, std::vector<Bytef>& bytes) {
    if (!in.seekg(0, std::ios_base::end)) return false;
    const std::streamoff length = in.tellg();
    if (length < 0 || !in.seekg(0, std::ios_base::beg)) return false;
    bytes.resize(static_cast<size_t>(length));
    if (length == 0) return true;
    in.read(reinterpret_cast<char*>(bytes.data()), length);
    return in.gcount() == length;
}

// A string stream's buffer makes room for whatever is written; it cannot be
// sought past its end to test for room, as other sinks are.
bool Grows(std::ostream& out) {
    return dynamic_cast<std::stringbuf*>(out.rdbuf()) != nullptr;
}

} // namespace

int GStreamCompressor::Compress(std::istream& in, std::ostream& out) {
    std::vector<Bytef> source;
    if (!ReadWhole(in, source)) return 0;

    // A buffer no larger than the input: data that does not shrink fails.
    std::vector<Bytef> packed(source.size() + 1);
    uLongf packedLength = static_cast<uLongf>(source.size());
    if (compress(packed.data(), &packedLength, source.data(), static_cast<uLong>(source.size())) != Z_OK)
        return 0;

    // The sink must take the compressed bytes from its start: a string
    // stream grows as it is written, a file grows, a fixed block refuses a
    // position past its capacity. Reporting success for data that was not
    // written would let a caller keep a blob it never got, and a partial blob
    // is worse than none, so nothing is written then.
    const std::ios_base::iostate state = out.rdstate();
    if (!out) return 0;
    if (!Grows(out) && !out.seekp(static_cast<std::streamoff>(packedLength), std::ios_base::beg)) {
        out.clear(state);
        return 0;
    }
    if (!out.seekp(0, std::ios_base::beg)) {
        out.clear(state);
        return 0;
    }
    out.write(reinterpret_cast<const char*>(packed.data()), static_cast<std::streamsize>(packedLength));
    return out ? 1 : 0;
}

int GStreamCompressor::Decompress(std::istream& in, std::ostream& out) {
    std::vector<Bytef> source;
    if (!ReadWhole(in, source)) return 0;

    std::vector<Bytef> expanded(kExpandedLimit);
    uLongf expandedLength = kExpandedLimit;
    if (uncompress(expanded.data(), &expandedLength, source.data(), static_cast<uLong>(source.size())) !=
        Z_OK)
        return 0;
    out.write(reinterpret_cast<const char*>(expanded.data()), static_cast<std::streamsize>(expandedLength));
    return out ? 1 : 0;
}
