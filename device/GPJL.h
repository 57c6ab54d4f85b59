#pragma once
// The job-control stage of a printer (class 769, "GPJL"): frames a print job
// in PJL. A document start writes the whole job header, a document end the
// trailer, each in one write on the job's output channel.
//
// Line forms:
//   "@PJL " [ "SET " ] text "\r\n"
//   UEL = ESC "%-12345X" (no line end)
// A user's text goes between double quotes only when IsPJLQuotable accepts
// it (every byte a tab or 32 and above, not the double quote); otherwise the
// value is written empty ("?" for a job-storage user name), so no user text
// can end a line or a quoted value early. The administrator's raw settings
// (240 and the lines of composite 985) are written as they are.
//
// Settings come from the PJL settings group (246 of the current state).
// Lookups the header cannot resolve (paper map entry, media map entries,
// node 206, language 373, the job context of a custom size) write no line.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "device/GPeripheralComposite.h"
#include "model/GAttributeComposite.h"
#include "model/GState.h"

class MPersistentObject;
class GValueAttribute;
class GStringAttribute;

class GPJL : public GPeripheralComposite {
    MPERSISTENT_CLASS_MEMBERS(GPJL, GPeripheralComposite, 769)
    RW_DECLARE_GUTS()

public:
    static constexpr uint32_t ClassVersion() { return 1; }
    // No channel could be made ready for the header.
    static constexpr uint16_t kNoChannel = 601;
    // One row of the usage record's model table: the first row whose
    // substring occurs in the model string (956) gives its four-letter code.
    struct ModelCode {
        std::string substring;
        std::string code;
    };
    using ModelCodeTable = std::array<ModelCode, 4>;

    GPJL();
    explicit GPJL(uint32_t id);
    GPJL(const GPJL& other);
    GPJL& operator=(const GPJL& other);
    ~GPJL() override;

    // The device's own Process (not the composite's series), so commands
    // reach HandleCommand.
    GCountedPtr Process(const GCountedPtr& command) override;
    // The applied-media state and the stored job name follow the
    // composite's form: u32 version (1), the state, the name.
    uint32_t BinaryStoreSize() const override;
    // A copy of every applied medium is kept until the next header.
    uint16_t OnMedia(GMedia& media) override;
    const GState& GetAppliedMedia() const { return appliedMedia_; }

    // Only document start, document end and job abort are played (and not
    // at all when setting 579 is 0); every other command passes unchanged.
    GCountedPtr HandleCommand(const GCountedPtr& command) override;

    uint16_t OnDocumentStart(GDocumentStart& command) override;
    uint16_t OnDocumentEnd(GDocumentEnd& command) override;
    uint16_t OnJobAbort(GJobAbort& command) override;

    // The name the last JOB NAME line carried (empty when it was unquotable).
    const std::string& GetJobName() const { return jobName_; }

    // The usage record's model table; empty substrings never match.
    static void SetModelCodeTable(const ModelCodeTable& table);

    // --- Line writers (each appends to text) ----------------------------------
    static bool IsPJLQuotable(std::string_view text);
    static void AppendText(std::string& text, std::string_view bytes);
    static void AppendLine(std::string& text, std::string_view line);
    static void AppendSetLine(std::string& text, std::string_view line);
    static void AppendUEL(std::string& text);
    // "OS Info:" with the platform's OS code and version.
    static std::string FormatOSInfo();
    static int AppendHexBytes(const char* bytes, std::string& text);
    static uint16_t Crc16OfText(const char* text, size_t length);

    int WriteComments(std::string& text, GAttributeComposite& group);
    void WriteTimeStamp(std::string& text, GAttributeComposite& group);
    bool WriteJobStorage(std::string& text, GAttributeComposite& group, GDocumentStart& command);
    static std::string ToPJLString(const std::string& text, uint32_t unused);
    int WriteUsage(GDocumentStart& command, std::string& text, GAttributeComposite& group);
    void WriteOutputBinA(uint16_t bin, std::string& text);
    void WriteOutputBinB(uint32_t stapling, uint16_t bin, std::string& text);

    // Extension commands.
    void WriteJobAccounting(std::string& text, GAttributeComposite& group);
    // 1 when the MANUALDUPLEX line was written.
    uint32_t WriteManualDuplex(std::string& text, GAttributeComposite& group,
                               MPersistentObject* configuration, uint16_t duplexUnit);
    void WriteGrayscale(std::string& text);
    void WriteFinishing(std::string& text);
    void WriteDeviceModelInfo(std::string& text);
    void WriteDryTime(std::string& text);
    void WriteTransparencyInterleave(std::string& text);
    void WriteImageShift(std::string& text);

    // Settings of a node by attribute id (null when absent or of another kind).
    static GValueAttribute* FindValue(MPersistentObject* node, uint32_t id);
    static GStringAttribute* FindString(MPersistentObject* node, uint32_t id);

private:
    void EnsureGroups();
    std::string FinishingBinWord(uint16_t bin, uint32_t kind, bool accessory);
    GAttributeComposite* PjlGroup();
    uint16_t OpenChannel(GDocumentStart& command);
    void WriteJobName(std::string& text, GDocumentStart& command);
    void WriteUserAndDisplay(std::string& text, GAttributeComposite& group);
    void WriteCopiesAndQuality(std::string& text, GAttributeComposite& group);
    void WriteDuplex(std::string& text, GAttributeComposite& group, GDocumentStart& command);
    void WriteMachineLines(std::string& text, GAttributeComposite& group);
    void WriteOutputBins(std::string& text, GAttributeComposite* group);
    void WritePageProtect(std::string& text, GAttributeComposite& group);
    void WritePaper(std::string& text, GAttributeComposite& group, GDocumentStart& command);
    void WriteMedia(std::string& text, GAttributeComposite& group);
    void WriteResolution(std::string& text, GAttributeComposite& group);
    void WriteRawLines(std::string& text, GAttributeComposite& group);
    void WriteLanguage(std::string& text);

    GState appliedMedia_;
    std::string jobName_;
    uint32_t flushAfterHeader_ = 1;
};
