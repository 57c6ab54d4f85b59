#pragma once
// The job-storage mode (287) and everything the Job Storage tab shows and
// sets with it: the user and job names under which the printer files the
// job (each written twice, 440 with 1036 and 282 with 1031), where each
// name comes from (1034, 1035), the PIN (284) and whether a stored job
// asks for it (290), the job numbering (1214) and its number (1213, from
// the printer's data), and what the printer has: a hard disk (239), job
// storage (520), the mopier wording (238) and the table of the characters
// it shows in names (1026).
#include <cstdint>
#include <string>

#include "job/NameCharacterTable.h"
#include "ui/framework/GValueFeature.h"

class GJobStorageFeature : public GValueFeature {
public:
    explicit GJobStorageFeature(GUIModel* model);

    // 1 when 287, 284, 1213 or 282 changed.
    int32_t WasChanged() override;

    // Names and the PIN as their stored bytes.
    std::string UserName() const;
    void SetUserName(const std::string& bytes);
    std::string JobName() const;
    void SetJobName(const std::string& bytes);
    std::string Pin() const;
    void SetPin(const std::string& digits);

    int16_t RequirePin() const { return Value(kRequirePinId); }
    void SetRequirePin(int16_t on) { Set(kRequirePinId, on); }
    int16_t UseJobNumber() const { return Value(kUseJobNumberId); }
    void SetUseJobNumber(int16_t on) { Set(kUseJobNumberId, on); }
    // 1: the user typed the name; 0: the Windows user name (or Automatic).
    int16_t UserNameSource() const { return Value(kUserSourceId); }
    void SetUserNameSource(int16_t source) { Set(kUserSourceId, source); }
    int16_t JobNameSource() const { return Value(kJobSourceId); }
    void SetJobNameSource(int16_t source) { Set(kJobSourceId, source); }

    bool IsMopier() const;
    bool HasHardDisk() const;
    bool IsAvailable() const;
    // The printer's table (defaults first, else the current settings);
    // absent when neither holds a well-formed one.
    NameCharacterTable CharacterTable() const;
    // The printer data "JobStorageUniqueID" ("1" when missing), stored as
    // 1213; the text.
    std::u16string TakeJobNumber();
    std::string JobNumber() const;

private:
    static const uint32_t kRequirePinId;
    static const uint32_t kUseJobNumberId;
    static const uint32_t kUserSourceId;
    static const uint32_t kJobSourceId;

    int16_t Value(uint32_t id) const;
    void Set(uint32_t id, int16_t value);
    std::string Text(uint32_t id) const;
    void SetText(uint32_t id, const std::string& bytes);
};
