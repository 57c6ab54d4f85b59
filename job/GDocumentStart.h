#pragma once
// The command that opens a document (class 705, "GDocumentStart"): beside
// the document command's names, state and channel it carries the job's
// context, through which every device reads the job's settings, and the job
// name the job context gives it (not saved).
//
// The job context is not owned. A saved start keeps only the job's key; a
// restored one finds its context by that key in the driver server's
// job-side table (driver/GJobContextTable.h) each time it is asked, so it
// never holds a pointer to a job that has gone.
//
// Saved form: the GDocumentCommand part, u32 version (1), u32 job-context
// flag (0 none, 1 present) and, when 1, the u32 job key. A flag other than
// 0 and 1 fails the restore; with flag 0 the context is left as it was.
#include <cstdint>

#include "job/GDocumentCommand.h"
#include "rw/RWCString.h"

class GJobContext;

class GDocumentStart : public GDocumentCommand {
    MPERSISTENT_CLASS_MEMBERS(GDocumentStart, GDocumentCommand, 705)
    RW_DECLARE_GUTS()

public:
    // Id 0, no job context.
    GDocumentStart();
    GDocumentStart(const RWWString& documentName, const RWWString& destination, GJobContext* jobContext,
                   uint32_t id);
    GDocumentStart(const RWWString& documentName, const RWCString& jobName, const RWWString& destination,
                   GJobContext* jobContext, GState* state, uint32_t id);
    // The names, job name, channel and job context copied; the state shared.
    GDocumentStart(const GDocumentStart& other);
    GDocumentStart& operator=(const GDocumentStart& other);
    ~GDocumentStart() override;

    // The document command's size + 8, + 4 with a job context.
    uint32_t BinaryStoreSize() const override;
    // The same job context, then the document command's part.
    bool IsEqualId(const MPersistentObject* other) const override;
    uint16_t Accept(GPeripheral& device) override;

    // The job's context, or null (also for a restored key the table does not
    // know).
    GJobContext* GetJobContext() const;
    const RWCString& GetJobName() const { return jobName_; }

private:
    bool HasJobContext() const { return jobContext_ != nullptr || restoredKey_; }
    uint32_t JobKey() const;

    GJobContext* jobContext_ = nullptr;
    // A restored start: the key of its job, found again through the table.
    bool restoredKey_ = false;
    uint32_t jobKey_ = 0;
    RWCString jobName_;
};
