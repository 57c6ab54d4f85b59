#include "model/GStreamCompressor.h"

#include <zlib.h>

#include <limits>
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

// A blob goes through zlib in one call: its length must fit zlib's counts.
bool FitsOneCall(size_t length) {
    return length <= std::numeric_limits<uInt>::max();
}

} // namespace

void GStreamCompressor::EndDeflate::operator()(z_stream_s* stream) const {
    deflateEnd(stream);
    delete stream;
}

void GStreamCompressor::EndInflate::operator()(z_stream_s* stream) const {
    inflateEnd(stream);
    delete stream;
}

GStreamCompressor::GStreamCompressor() = default;

GStreamCompressor::~GStreamCompressor() = default;

z_stream_s* GStreamCompressor::Deflater() {
    if (deflater_ == nullptr) {
        auto stream = std::make_unique<z_stream>();
        if (deflateInit(stream.get(), Z_DEFAULT_COMPRESSION) != Z_OK) return nullptr;
        deflater_.reset(stream.release());
    }
    return deflater_.get();
}

z_stream_s* GStreamCompressor::Inflater() {
    if (inflater_ == nullptr) {
        auto stream = std::make_unique<z_stream>();
        if (inflateInit(stream.get()) != Z_OK) return nullptr;
        inflater_.reset(stream.release());
    }
    return inflater_.get();
}

namespace {

// One whole blob through a kept stream: step (deflate or inflate) with
// Z_FINISH, then reset (whether the blob ended or not) so the stream is
// ready for the next one. length: the room in out, then the bytes written.
bool RunWhole(z_stream* stream, int (*step)(z_stream*, int), int (*reset)(z_stream*), const unsigned char* in,
              size_t inLength, unsigned char* out, size_t& length) {
    if (stream == nullptr || !FitsOneCall(inLength) || !FitsOneCall(length)) return false;
    stream->next_in = const_cast<Bytef*>(in);
    stream->avail_in = static_cast<uInt>(inLength);
    stream->next_out = out;
    stream->avail_out = static_cast<uInt>(length);
    const int result = step(stream, Z_FINISH);
    length = stream->total_out;
    return reset(stream) == Z_OK && result == Z_STREAM_END;
}

} // namespace

bool GStreamCompressor::Deflate(const unsigned char* in, size_t inLength, unsigned char* out,
                                size_t& length) {
    return RunWhole(Deflater(), &deflate, &deflateReset, in, inLength, out, length);
}

bool GStreamCompressor::Inflate(const unsigned char* in, size_t inLength, unsigned char* out,
                                size_t& length) {
    return RunWhole(Inflater(), &inflate, &inflateReset, in, inLength, out, length);
}

int GStreamCompressor::Compress(std::istream& in, std::ostream& out) {
    std::vector<Bytef> source;
    if (!ReadWhole(in, source)) return 0;

    // A buffer no larger than the input: data that does not shrink fails.
    std::vector<Bytef> packed(source.size() + 1);
    size_t packedLength = source.size();
    if (!Deflate(source.data(), source.size(), packed.data(), packedLength)) return 0;

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
    size_t expandedLength = kExpandedLimit;
    if (!Inflate(source.data(), source.size(), expanded.data(), expandedLength)) return 0;
    out.write(reinterpret_cast<const char*>(expanded.data()), static_cast<std::streamsize>(expandedLength));
    return out ? 1 : 0;
}
