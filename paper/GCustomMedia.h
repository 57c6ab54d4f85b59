#pragma once
// Turning a custom paper size into a media at a resolution and orientation.
//
// Margins come from the margin pool (attribute 959) when the margin source
// holds one: its first record's group for the orientation (0, 90, 180, 270;
// any other orientation, or a pool without records, gives none), in 1/1000
// mm. Otherwise from the margin node (331) when it holds all four of 332
// (left), 333 (top), 334 (right) and 335 (bottom), signed 16-bit values in
// 1/10000 inch (a negative margin counts as 0). Otherwise there are none.
//
// The sheet's dots are exchanged at 90 and 270 degrees; the margins are not
// turned. Lengths are limited to 0..32767 dots, so a size that does not fit
// a media's 16-bit fields never wraps, and the imageable size is never
// negative.
#include <cstdint>
#include <memory>

class GCustomMediaSize;
class GMedia;
class MPersistentObject;

// A new media (id 190, extra word 0, no second name or media type) for
// custom at the resolutions and orientation, the caller owns it. Null when a
// resolution is 0. A null margin source gives no margins.
std::unique_ptr<GMedia> MakeCustomMedia(const GCustomMediaSize& custom, MPersistentObject* marginSource,
                                        uint16_t xResolution, uint16_t yResolution, int32_t orientation);

// The orientation is the value of attribute 265 in settings (signed 16-bit,
// degrees; 0 when absent).
std::unique_ptr<GMedia> MakeCustomMediaWithOrientation(const GCustomMediaSize& custom,
                                                       MPersistentObject* settings,
                                                       MPersistentObject* marginSource, uint16_t xResolution,
                                                       uint16_t yResolution);

// The resolutions are the values of 323 (x) and 324 (y) in the resolution
// node 249 of settings (null when either is missing), the orientation as
// above.
std::unique_ptr<GMedia> MakeCustomMediaFromSettings(const GCustomMediaSize& custom,
                                                    MPersistentObject* settings,
                                                    MPersistentObject* marginSource);
