#include "model/GetVersionNumbers.h"

void GetVersionNumbers(uint32_t* first, uint32_t* second) {
    if (first != nullptr) *first = kModuleVersionFirst;
    if (second != nullptr) *second = kModuleVersionSecond;
}
