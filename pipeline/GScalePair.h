#pragma once
// The factor pair by which a device scales page content, x then y.
struct GScalePair {
    float x = 1.0f;
    float y = 1.0f;
};
