#include "ui/pages/GOptionValueTables.h"

#include <span>

namespace {

struct ValueString {
    int32_t value;
    int32_t stringId;
};

constexpr ValueString kColourMatchModes[] = {{0, 11301}, {1, 11302}};
constexpr ValueString kPrintQualityLevels[] = {{7, 13000},  {8, 13001},  {9, 13002},
                                               {10, 13003}, {11, 13004}, {12, 13005}};
// 1 is an accessory kind with no name of its own.
constexpr ValueString kOutputAccessoryTypes[] = {{0, 11150}, {2, 11155}, {3, 11159}, {4, 11158}, {5, 11157}};
constexpr ValueString kResolutions[] = {{0, 12120}, {1, 12121}, {2, 12122}, {3, 12123},
                                        {4, 12130}, {5, 12131}, {6, 12132}};
constexpr ValueString kThreeStates[] = {{0, 14000}, {1, 14001}, {2, 14002}};
constexpr ValueString kBooklets[] = {{0, 11032},  {1, 11033},  {2, 11034},  {3, 11035},  {4, 11036},
                                     {5, 11037},  {6, 11038},  {7, 11039},  {8, 11040},  {9, 13524},
                                     {10, 13525}, {11, 13625}, {12, 13626}, {13, 13623}, {14, 13624}};
constexpr ValueString kPageOrders[] = {{0, 11047}, {1, 11048}, {2, 11049}, {3, 11050}};
constexpr ValueString kHalftones[] = {{0, 11351}, {1, 11352}};

std::span<const ValueString> RowsOf(GOptionValueTable table) {
    switch (table) {
    case GOptionValueTable::kColourMatchMode:
        return kColourMatchModes;
    case GOptionValueTable::kPrintQualityLevel:
        return kPrintQualityLevels;
    case GOptionValueTable::kOutputAccessoryType:
        return kOutputAccessoryTypes;
    case GOptionValueTable::kResolution:
        return kResolutions;
    case GOptionValueTable::kThreeState:
        return kThreeStates;
    case GOptionValueTable::kBooklet:
        return kBooklets;
    case GOptionValueTable::kPageOrder:
        return kPageOrders;
    case GOptionValueTable::kHalftone:
        return kHalftones;
    }
    return {};
}

} // namespace

int32_t OptionValueStringId(GOptionValueTable table, int32_t value) {
    for (const ValueString& row : RowsOf(table))
        if (row.value == value) return row.stringId;
    return -1;
}
