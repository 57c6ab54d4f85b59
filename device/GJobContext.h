#pragma once
// The context of one print job, as the job's commands and devices see it:
// the document start carries it to every device, which reads the job's
// settings through it.
//
// Only what the commands need is declared here: the key under which the
// driver server's job-side table (driver/GJobContextTable.h) finds the job
// again. The concrete job context supplies it: a 32-bit key unique among the
// jobs alive in the process.
#include <cstdint>

class GJobContext {
public:
    GJobContext() = default;
    GJobContext(const GJobContext&) = default;
    GJobContext& operator=(const GJobContext&) = default;
    virtual ~GJobContext();

    virtual uint32_t GetJobKey() const = 0;
};
