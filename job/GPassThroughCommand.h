#pragma once
// The command that carries raw bytes for one page-description writer
// (class 608, "GPassThroughCommand"): the writer whose class id equals the
// command's target (767 PCL XL, 768 PostScript, 788 PCL 5) writes them to
// the output unchanged; every other device ignores them.
//
// The bytes are lent by the producer (not owned: it keeps them alive) until
// the command makes a copy of its own (MakeOwnCopy, or a restore). A copy of
// a lending command lends the same bytes; a copy of an owning command owns a
// copy of the bytes, so no command ever refers to bytes another command may
// free. At most 65,535 bytes travel in one command.
//
// Saved form: the GCommand part, u32 version (1), u16 length, u16 target,
// then the bytes, one each (none without data).
#include <cstddef>
#include <cstdint>
#include <memory>

#include "pipeline/GCommand.h"

class GPassThroughCommand : public GCommand {
    MPERSISTENT_CLASS_MEMBERS(GPassThroughCommand, GCommand, 608)
    RW_DECLARE_GUTS()

public:
    static constexpr size_t kMaxLength = 0xFFFF;
    static constexpr uint16_t kPclXlWriter = 767;
    static constexpr uint16_t kPostScriptWriter = 768;
    static constexpr uint16_t kPcl5Writer = 788;

    // No data, length, target or state.
    GPassThroughCommand() = default;
    // Lends length bytes at data (no data: length 0). A length over
    // kMaxLength is refused with std::length_error.
    GPassThroughCommand(const void* data, size_t length, uint16_t target, uint32_t id = 0);
    // Length and target copied; lent bytes are lent again, owned bytes
    // copied into bytes the copy owns.
    GPassThroughCommand(const GPassThroughCommand& other);
    // The same after GCommand's part; bytes this command owned are freed.
    GPassThroughCommand& operator=(const GPassThroughCommand& other);
    // Frees owned bytes.
    ~GPassThroughCommand() override;

    // GCommand's size + 8 + the length.
    uint32_t BinaryStoreSize() const override;
    // GCommand's part; equal lengths, targets and owned flags; then the
    // same data, or both present and the bytes equal.
    bool IsEqualId(const MPersistentObject* other) const override;
    uint16_t Accept(GPeripheral& device) override;
    // Makes the bytes the command's own.
    void MakeSelfContained() override;

    const uint8_t* GetData() const { return data_; }
    uint16_t GetLength() const { return length_; }
    uint16_t GetTarget() const { return target_; }
    uint32_t IsOwned() const { return owned_ != nullptr ? 1 : 0; }

    // 1 when the command owns its bytes afterwards: already owned, or a copy
    // of the lent ones was made. 0 when no memory could be had; the command
    // then keeps lending.
    int MakeOwnCopy();

private:
    // Refers to other's bytes: lent again, or copied when other owns them.
    void TakeBytesOf(const GPassThroughCommand& other);

    const uint8_t* data_ = nullptr;
    uint16_t length_ = 0;
    uint16_t target_ = 0;
    std::unique_ptr<uint8_t[]> owned_; // the bytes, when the command owns them
};
