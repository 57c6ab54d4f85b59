#pragma once
// The context of one print job, as the job's commands and devices see it:
// the document start carries it to every device, which reads the job's
// settings through it.
//
// The concrete job context supplies the key under which the driver
// server's job-side table (driver/GJobContextTable.h) finds the job again:
// a 32-bit key unique among the jobs alive in the process.
//
// What the context keeps for the job here: its plug-in holder, which is
// offered every command before it is sent; its colour-to-grey conversion,
// which the writers read; the job status (kJobFailed once a document could
// not start or the device answered with an error); and the collation rule
// that decides whether the device or the host makes the copies.
#include <cstdint>

#include "device/GGrayConversion.h"
#include "device/GPlugHolder.h"
#include "model/GCountedPtr.h"
#include "rw/RWWString.h"

class GPeripheral;
class MPersistentObject;

class GJobContext {
public:
    // Setting ids the collation reads and writes.
    static constexpr uint32_t kCopiesId = 291;         // group 364: copies asked for
    static constexpr uint32_t kCollateId = 292;        // group 364: collate
    static constexpr uint32_t kDeviceCopiesId = 247;   // group 362: copies the device makes
    static constexpr uint32_t kPageCopiesId = 257;     // group 363: copies of each page
    static constexpr uint32_t kDeviceCollatesId = 310; // group 365: the device collates
    static constexpr uint32_t kMassStorageId = 451;    // group 365: the device stores the job
    static constexpr uint32_t kJobFailed = 3;
    // EmitCommand's answer when the job has no device to send to.
    static constexpr uint16_t kNoDevice = 403;

    GJobContext() = default;
    GJobContext(const GJobContext&) = delete;
    GJobContext& operator=(const GJobContext&) = delete;
    virtual ~GJobContext();

    virtual uint32_t GetJobKey() const = 0;

    // Copies = group 364's 291, also copied into group 362. When the device
    // collates (365's 310 is 1) and collation (364's 292) or the device's
    // job store (365's 451) is on, the device makes the copies: 362's 247 :=
    // copies, 363's 257 := 1; otherwise 362's 247 := 1 and 363's 257 :=
    // copies. A setting that a group lacks is added to it; without 291
    // nothing changes.
    virtual void ApplyCollation(MPersistentObject* group364, MPersistentObject* group362,
                                MPersistentObject* group363, MPersistentObject* group365);

    // Chooses the grey conversion (GGrayConversion's modes) with its data
    // from the configuration; data shorter than the mode needs give the
    // default.
    virtual void SelectGrayConversion(int32_t mode, const uint8_t* data, size_t length);

    // Offers command to the plug-in holder (a non-zero answer is the status
    // and the command is not sent), then plays it on the configuration tree.
    // A reply holding error commands aborts the job: a new GJobAbort is
    // played on the tree and the job status becomes kJobFailed; the status
    // is the first non-zero error code. Without a configuration tree the
    // command is not sent and kNoDevice answered.
    virtual uint16_t EmitCommand(const GCountedPtr& command);

    const GGrayConversion& GetGrayFunction() const { return grayConversion_; }
    GPlugHolder& GetPlugHolder() { return plugHolder_; }
    uint32_t GetJobStatus() const { return jobStatus_; }

    // --- What the PJL job header asks of its job ------------------------------
    // The job's second name: the destination (a port or a file) the job
    // goes to; the usage record tells the printer what kind it is.
    virtual void GetSecondName(RWWString& name) const = 0;
    // The printer's configuration node of the job's driver context (the
    // duplex unit 204 and the one-shot manual-duplex setting 1010), or null.
    virtual MPersistentObject* GetPrinterConfiguration() = 0;
    // The paper id that stands in for a custom size in the PAPER line.
    virtual uint32_t GetDefaultPaperId() = 0;

protected:
    // The device tree of the job's printer (the driver context's
    // configuration tree), or null.
    virtual GPeripheral* GetConfigurationTree() = 0;
    void SetJobStatus(uint32_t status) { jobStatus_ = status; }

private:
    uint32_t jobStatus_ = 0;
    GPlugHolder plugHolder_;
    GGrayConversion grayConversion_;
};
