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

#include "rw/RWWString.h"

class MPersistentObject;

class GJobContext {
public:
    GJobContext() = default;
    GJobContext(const GJobContext&) = default;
    GJobContext& operator=(const GJobContext&) = default;
    virtual ~GJobContext();

    virtual uint32_t GetJobKey() const = 0;

    // --- What the PJL job header asks of its job ------------------------------
    // The job's second name: the destination (a port or a file) the job
    // goes to; the usage record tells the printer what kind it is.
    virtual void GetSecondName(RWWString& name) const = 0;
    // The printer's configuration node of the job's driver context (the
    // duplex unit 204 and the one-shot manual-duplex setting 1010), or null.
    virtual MPersistentObject* GetPrinterConfiguration() = 0;
    // The paper id that stands in for a custom size in the PAPER line.
    virtual uint32_t GetDefaultPaperId() = 0;
};
