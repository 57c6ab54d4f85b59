#pragma once
// The interface base of every driver instance, the one the printer-interface
// exports call: a driver context (its virtual base, shared with the job
// context) that answers as a driver. The instance appends its own
// operations behind these.
#include "driver/GDriverContext.h"
#include "rw/RWWString.h"

class GDriver : public virtual GDriverContext {
public:
    ~GDriver() override;

    // The interface's own operations: text set empty, and an empty text.
    virtual void ClearText(RWWString& text);
    virtual RWWString EmptyText() const;

    // A driver is no job: null.
    GJobContext* AsJobObject() override { return nullptr; }
    GDriver* AsDriver() override { return this; }
    // Nothing to give up before the driver server parks the instance.
    void PrepareToPark() override {}

protected:
    GDriver() = default;
};
