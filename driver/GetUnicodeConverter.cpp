#include "driver/GetUnicodeConverter.h"

#include "driver/GOSFactory.h"
#include "driver/GUnicodeConverterAccess.h"

GUnicodeConverter* GetUnicodeConverter() {
    // A function-local static: initialised once under the language's own
    // guard, destroyed (deleting the converter) once at exit.
    static GUnicodeConverterAccess access;
    return access.Get(GOSFactory::Instance());
}
