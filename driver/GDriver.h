#pragma once
// The driver-instance interface: what the printer-interface exports call on
// the instance the driver server hands them. It extends the driver context
// virtually (the job context extends it too) and answers the server's
// questions for every driver instance: no job-side interface, itself as the
// driver, nothing to do when parked. The Windows NT driver instance adds the
// exports' operations.
#include "driver/GDriverContext.h"

class GDriver : public virtual GDriverContext {
public:
    ~GDriver() override;

    GJobContext* AsJobObject() override;
    GDriver* AsDriver() override;
    void PrepareToPark() override;

protected:
    GDriver() = default;
};
