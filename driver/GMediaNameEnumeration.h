#pragma once
// The media names a printer offers a property sheet, one call-back call
// per paper: the paper lists of the Paper and Effects tabs and the custom
// paper dialog are filled from it through GUIModel::ForwardToContext.
//
// The standard papers are the media of the driver context's media pool at
// the orientation (265) and resolution (323 and 324 in 249; 600 by 600 when
// absent) of the settings, in pool order, that lie between the pool's
// smallest and largest sheet (17385 and 17384; no bounds when either is
// missing) and, when the context has a paper-number table (191), that the
// table pairs with a spooler form number. With the custom sizes asked for,
// the named custom sizes of the settings (276) follow in list order.
#include <cstdint>

#include "rw/RWWString.h"

class GDriverContext;
class MPersistentObject;

// The orientation (265) and resolution (323 and 324 in 249) a paper is
// looked up at; 0 degrees and 600 by 600 dpi where the settings give none.
struct GMediaQuery {
    int32_t orientation = 0;
    uint16_t xDpi = 600;
    uint16_t yDpi = 600;
};
GMediaQuery GMediaQueryOf(MPersistentObject* settings);

// One paper: the driver context, its paper id, its name and the caller's
// data. The enumeration goes on while it answers non-zero.
using GMediaNameCallback = int32_t (*)(GDriverContext* context, uint16_t paperId, const RWWString& name,
                                       void* data);

// Calls callback for each media name of context at settings (customSizes
// non-zero: the custom sizes too); the number of calls made, the one that
// asked to stop included. 0 without a call-back or a media pool.
int32_t EnumerateMediaNames(GDriverContext& context, GMediaNameCallback callback, void* data,
                            uint32_t customSizes, MPersistentObject* settings);
