#pragma once
// A printer device context of the test driver: its page in device pixels,
// its resolution, the printable area's offset, and what ExtEscape answers
// per escape code, with the bytes it writes into the caller's output buffer
// (at most the buffer's size). Pages are kept as pixels only when `drawable` is set
// (a 600-dpi page is large); otherwise drawing on it is only recorded by
// what the DC keeps (escapes, state).
#include <map>
#include <vector>

#include "winapi/WinTypes.h"

struct WinPrinterDcSetup {
    LONG width = 850;   // HORZRES
    LONG height = 1100; // VERTRES
    int dpiX = 100;
    int dpiY = 100;
    LONG offsetX = 0; // PHYSICALOFFSETX
    LONG offsetY = 0;
    bool drawable = true;
    std::map<int, int> escapeAnswers;
    std::map<int, std::vector<BYTE>> escapeOutputs;
};

struct WinRecordedEscape {
    int escape = 0;
    std::vector<BYTE> input;
    int outputSize = 0;
    int answer = 0;
};
