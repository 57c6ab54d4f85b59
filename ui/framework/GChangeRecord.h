#pragma once
// One recorded change of the settings a property sheet edits: a clone of the
// attribute taken just before it changed, and where it lay. The UI model
// keeps records to undo changes (UndoAll, a cancelled modal dialog) and to
// tell which settings changed since the outermost update began.
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class MPersistentObject;

// The ids of the composites that lead from the root of the current settings
// down to the composite holding an attribute.
using GAttributePath = std::vector<uint32_t>;

class GChangeRecord {
public:
    // Takes the clone and the path (none: the change was made at the level
    // the accessor stood on).
    GChangeRecord(std::unique_ptr<MPersistentObject> attribute, std::optional<GAttributePath> path);
    GChangeRecord(const GChangeRecord&) = delete;
    GChangeRecord& operator=(const GChangeRecord&) = delete;
    virtual ~GChangeRecord();

    // 1 when both records hold equal attributes (same class and contents)
    // and their paths match as PathsMatch says, else 0.
    virtual int32_t IsEqual(const GChangeRecord& other) const;

    const MPersistentObject& Attribute() const { return *attribute_; }
    uint32_t Id() const;
    const std::optional<GAttributePath>& Path() const { return path_; }
    // A new record of another clone of the attribute and a copy of the path.
    std::unique_ptr<GChangeRecord> Copy() const;

    // Both absent; or both present, of the same length, neither empty, with
    // equal first ids.
    static bool PathsMatch(const std::optional<GAttributePath>& a, const std::optional<GAttributePath>& b);

private:
    std::unique_ptr<MPersistentObject> attribute_;
    std::optional<GAttributePath> path_;
};

// A list of records, oldest first: the newest record is at the back.
using GChangeRecords = std::vector<std::unique_ptr<GChangeRecord>>;
