#include "model/GStringConversion.h"

int ConvertNarrowToWide(const RWCString& narrow, RWWString& wide) {
    return RWWString::FromMultiByte(narrow.Data(), narrow.Length(), wide) ? 1 : 0;
}

int ConvertWideToNarrow(const RWWString& wide, RWCString& narrow) {
    if (wide.IsAscii()) {
        narrow = wide.ToAscii();
        return 1;
    }
    return wide.ToMultiByte(narrow) ? 1 : 0;
}

int CopyWideString(const RWWString& source, RWWString& out) {
    out = source;
    return 1;
}
