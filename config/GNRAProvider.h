#pragma once
// The network registry agent's provider: the module registers one under
// "VUZER 1.0" while it is loaded. It offers printer-data sources of the
// agent (mask 0x10000); the sources themselves and the agent protocol are
// the installed-options discovery's, and until they exist it creates none
// (GProvider's answer).
#include "driver/GProvider.h"

class GNRAProvider : public GProvider {
public:
    static constexpr uint32_t kMask = 0x00010000;
    static constexpr const char* kRegisteredName = "VUZER 1.0";

    GNRAProvider() = default;
    ~GNRAProvider() override;

    uint32_t GetMask() const override { return kMask; }
};
