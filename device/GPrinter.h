#pragma once
// The head of a printer's job pipeline (class 761, "GPrinter"): a peripheral
// composite that opens and closes the job's output channel and routes the
// document, page and abort commands to its two routed children, the
// job-control stage (attribute id 106) and the page-description writer
// (attribute id 101); every other command goes straight to the writer.
//
// Every change of the children rebuilds the shared states: a new current
// and default state merge the printer's own states and each child's, and
// every child is given them, so the whole chain shares one view.
//
// A printer without a job-control stage skips that stage; a printer without
// a writer refuses the job: the document start, and any command that needs
// the writer, come back as a GErrorCommand with status kNoWriter.
//
// The output channel: one carried by the document start is used and never
// closed here; otherwise the printer opens one from the destination through
// the provider registry (driver/GChannelProvider.h), owns it, starts the job
// on it and closes it at document end (aborts it at job abort).
//
// Saved form, after the composite's: u32 version (1), u32 mode word. The
// routed stages are looked up again after a restore.
#include <cstdint>

#include "device/GPeripheralComposite.h"

class GPrinter : public GPeripheralComposite {
    MPERSISTENT_CLASS_MEMBERS(GPrinter, GPeripheralComposite, 761)
    RW_DECLARE_GUTS()

public:
    static constexpr uint32_t ClassVersion() { return 1; }
    // The kind every writer answers.
    static constexpr RWClassID kWriterKind = 765;
    // No channel could be opened for the document.
    static constexpr uint16_t kNoChannel = 601;
    // The printer has no writer to play the job on.
    static constexpr uint16_t kNoWriter = 5;

    GPrinter();
    // Add-on list id 0, PDL kind 6, add-on mode 2.
    GPrinter(const RWWString& name, GState* defaultState, MPersistentComposite* children, uint32_t id);
    GPrinter(const GPrinter& other);
    GPrinter& operator=(const GPrinter& other);
    ~GPrinter() override;

    // The composite's size + 8.
    uint32_t BinaryStoreSize() const override;
    // The device part and the mode word.
    bool IsEqualId(const MPersistentObject* other) const override;

    // As the composite; a writer also gets the setting 373 holding its name
    // in its current state (taken out again when it leaves).
    void Add(MPersistentObject* object) override;
    // The device's own Process, so every plain command reaches
    // HandleCommand (not the composite's series).
    GCountedPtr Process(const GCountedPtr& command) override;
    // Routes the command (see above).
    GCountedPtr HandleCommand(const GCountedPtr& command) override;
    // Rebuilds the children composite, finds the routed stages, merges and
    // shares the states, then tells the listeners.
    void NotifyListeners(GPeripheral* source) override;

    uint16_t OnDocumentStart(GDocumentStart& command) override;
    uint16_t OnDocumentEnd(GDocumentEnd& command) override;
    uint16_t OnPageEnd(GPageEnd& command) override;
    uint16_t OnJobAbort(GJobAbort& command) override;

    // A copy of writer (its class's Copy) takes the place of the writer
    // child; the same for the job-control stage. 0.
    uint16_t ReplaceWriter(const GPeripheral& writer);
    uint16_t ReplaceJobControlStage(const GPeripheral& stage);

    // 1 when the mode word is 1.
    int IsModeOne() const { return mode_ == 1 ? 1 : 0; }
    uint32_t GetMode() const { return mode_; }
    GPeripheral* GetJobControlStage() const { return jobControl_.As<GPeripheral>(); }
    GPeripheral* GetWriter() const { return writer_.As<GPeripheral>(); }

protected:
    void OnChildRemoved(GPeripheral& child) override;

private:
    void FindStages();
    void ShareStates();
    uint16_t ReplaceStage(const GPeripheral& stage, uint32_t id);
    GCountedPtr Wrap(uint16_t status, const GCountedPtr& command) const;
    GCountedPtr PassToStage(GPeripheral* stage, uint32_t id, const GCountedPtr& command, bool applyFirst);

    uint32_t mode_ = 2;
    GCountedPtr jobControl_;
    GCountedPtr writer_;
};
