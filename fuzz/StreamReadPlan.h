#pragma once
// The order of typed reads the stream fuzz targets make, shared with the seed
// writer (WriteFuzzSeeds) so that a seed holds exactly the values its plan
// reads. A plan byte p reads step s with operation (p + s) % kStreamOps.
//
// Every read must end in a value or a failed state, never out of bounds or in
// an endless loop; failures are cleared so reading goes on to the end of input.
#include <cstddef>
#include <cstdint>

#include "rw/RWCString.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"
#include "rw/RWWString.h"

constexpr unsigned kStreamOps = 16;
// Reads of one input at most (input ends first, mostly).
constexpr unsigned kStreamSteps = 64;

inline unsigned StreamOpAt(uint8_t plan, unsigned step) {
    return (plan + step) % kStreamOps;
}

inline void ReadStreamOp(RWVirtualInStream& in, unsigned op) {
    switch (op) {
    case 0: {
        long v;
        in >> v;
        break;
    }
    case 1: {
        unsigned long v[3];
        in.get(v, 3);
        break;
    }
    case 2: {
        short v[2];
        in.get(v, 2);
        break;
    }
    case 3: {
        unsigned int v;
        in >> v;
        break;
    }
    case 4: {
        char text[5];
        in.getString(text, sizeof text);
        break;
    }
    case 5: {
        double v[2];
        in.get(v, 2);
        break;
    }
    case 6: {
        char c;
        in >> c;
        in.get();
        break;
    }
    case 7: {
        char text[1];
        in.getString(text, sizeof text);
        break;
    }
    case 8: {
        float v;
        in >> v;
        break;
    }
    case 9: {
        unsigned char v[4];
        in.get(v, 4);
        break;
    }
    case 10: {
        unsigned short v;
        in >> v;
        break;
    }
    case 11: {
        RWCString text("old");
        text.RestoreFrom(in);
        break;
    }
    case 12: {
        RWWString text(u"old");
        text.RestoreFrom(in);
        break;
    }
    case 13: {
        int v[2];
        in.get(v, 2);
        break;
    }
    case 14: {
        char v[3];
        in.get(v, 3);
        break;
    }
    default: {
        double v;
        in >> v;
        break;
    }
    }
}

// Writes what ReadStreamOp(op) reads; variant picks ordinary or edge values.
inline void WriteStreamOp(RWVirtualOutStream& out, unsigned op, unsigned variant) {
    const bool edge = variant % 2 == 1;
    switch (op) {
    case 0:
        out << (edge ? -2147483647L - 1 : 42L);
        break;
    case 1: {
        const unsigned long v[3] = {0, edge ? 0xFFFFFFFFUL : 7UL, 65536};
        out.put(v, 3);
        break;
    }
    case 2: {
        const short v[2] = {static_cast<short>(edge ? -32768 : -2), 300};
        out.put(v, 2);
        break;
    }
    case 3:
        out << (edge ? 4294967295U : 9U);
        break;
    case 4:
        out.putString(edge ? "a\"\\{}\n\x01" : "abcd", edge ? 7 : 4);
        break;
    case 5: {
        const double v[2] = {edge ? 1e308 : 0.5, edge ? -4.9e-324 : -2.25};
        out.put(v, 2);
        break;
    }
    case 6:
        out << (edge ? '\xff' : 'x') << 'y';
        break;
    case 7:
        out.putString("", 0);
        break;
    case 8:
        out << (edge ? 3.4e38f : 1.5f);
        break;
    case 9: {
        const unsigned char v[4] = {0, 0x7F, 0x80, 0xFF};
        out.put(v, 4);
        break;
    }
    case 10:
        out << static_cast<unsigned short>(edge ? 65535 : 17);
        break;
    case 11:
        RWCString(edge ? RWCString("tab\there \x80\xff", 11) : RWCString("settings")).SaveOn(out);
        break;
    case 12:
        RWWString(edge ? u"\u20AC\U0001F600 x" : u"Letter").SaveOn(out);
        break;
    case 13: {
        const int v[2] = {edge ? 2147483647 : -1, 0};
        out.put(v, 2);
        break;
    }
    case 14: {
        const char v[3] = {'\x80', 0, 'z'};
        out.put(v, 3);
        break;
    }
    default:
        out << (edge ? -0.0 : 3.141592653589793);
        break;
    }
}

// Reads input through the plan until it ends.
inline void ReadByPlan(RWVirtualInStream& in, uint8_t plan) {
    for (unsigned step = 0; step < kStreamSteps && !in.eof(); ++step) {
        ReadStreamOp(in, StreamOpAt(plan, step));
        in.clear(in.rdstate() & RWVirtualStreamBase::eofbit); // go on past failures, stop at the end
    }
}
