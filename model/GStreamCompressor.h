#pragma once
// Whole-stream zlib compression of the settings blob: the input is taken
// from its start to its end, the output is a zlib stream (header, deflate
// data, Adler-32) written at the start of the output.
//
// A compressor keeps one deflate and one inflate stream for its life, each
// made on first use and reset between blobs, so that zlib's state (about
// 260 KB for deflate) is not allocated and freed per blob. The bytes are
// those of zlib's one-shot compress at the default level. A compressor is
// not shared between threads without a lock.
#include <cstddef>
#include <istream>
#include <memory>
#include <ostream>

struct z_stream_s;

class GStreamCompressor {
public:
    // The largest expansion Decompress accepts.
    static constexpr unsigned long kExpandedLimit = 16000;

    GStreamCompressor();
    GStreamCompressor(const GStreamCompressor&) = delete;
    GStreamCompressor& operator=(const GStreamCompressor&) = delete;
    virtual ~GStreamCompressor();

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

private:
    struct EndDeflate {
        void operator()(z_stream_s* stream) const;
    };
    struct EndInflate {
        void operator()(z_stream_s* stream) const;
    };

    // The kept streams, made on first use; null when zlib cannot make one.
    z_stream_s* Deflater();
    z_stream_s* Inflater();
    // One whole blob through the kept stream into [out, out + length);
    // length becomes the bytes produced. True when the stream ended there.
    bool Deflate(const unsigned char* in, size_t inLength, unsigned char* out, size_t& length);
    bool Inflate(const unsigned char* in, size_t inLength, unsigned char* out, size_t& length);

    std::unique_ptr<z_stream_s, EndDeflate> deflater_;
    std::unique_ptr<z_stream_s, EndInflate> inflater_;
};
