#pragma once
// A device that owns child devices and passes each command through them in
// series (class 770, "GPeripheralComposite"): what one child hands back is
// what the next receives. It is the base of the printer, the job-control
// stage and the writers.
//
// Each document start runs through every enabled child, and the children
// still enabled afterwards form the active chain that sees the rest of the
// document; a GNoCommand or GErrorCommand answer ends the walk for that
// command; document end and job abort empty the active chain. The composite
// listens to its children (it is in each child's listener list while the
// child is its own) and takes itself out of their lists before it goes.
//
// Its children composite is rebuilt on every notice: its own children group
// first, then each child's children composite.
//
// Saved form, after the GPeripheral part: u32 version (1), the list of all
// children (a GAttributeComposite), the own current state, the own default
// state and the own children group, each as an object pointer. A restore
// that finds a missing member, or anything but devices among the children,
// fails. The active chain is not saved.
#include <cstdint>
#include <memory>
#include <vector>

#include "model/GCountedPtr.h"
#include "pipeline/GPeripheral.h"

class GAttributeComposite;

class GPeripheralComposite : public GPeripheral {
    MPERSISTENT_CLASS_MEMBERS(GPeripheralComposite, GPeripheral, 770)
    RW_DECLARE_GUTS()

public:
    static constexpr uint32_t ClassVersion() { return 1; }

    GPeripheralComposite();
    explicit GPeripheralComposite(uint32_t id);
    GPeripheralComposite(const RWWString& name, GState* defaultState, MPersistentComposite* children,
                         uint32_t id, uint32_t addOnListId, uint32_t pdlKind, uint32_t addOnMode);
    // Both child lists copied (the children shared), the own members shared.
    GPeripheralComposite(const GPeripheralComposite& other);
    GPeripheralComposite& operator=(const GPeripheralComposite& other);
    // Leaves every child's listener list first.
    ~GPeripheralComposite() override;

    uint32_t BinaryStoreSize() const override;
    // The same object; or the device part, the very same own members and
    // equal child lists.
    bool IsEqualId(const MPersistentObject* other) const override;
    // A copy whose own members are deep copies and whose children are deep
    // copies of this composite's, added in order.
    std::unique_ptr<MPersistentObject> Clone() const override;

    // A device is appended to the children and listened to, and the listeners
    // told; anything else is released as a counted pointer would release it.
    void Add(MPersistentObject* object) override;
    // A direct child (by identity, id or class) leaves the children and the
    // active chain and is no longer listened to; the listeners are told. The
    // caller owns what comes back: the child itself when it was its last
    // holder, else a copy. Null when nothing matched.
    std::unique_ptr<MPersistentObject> Remove(const MPersistentObject* object) override;
    std::unique_ptr<MPersistentObject> RemoveById(uint32_t id) override;
    std::unique_ptr<MPersistentObject> RemoveByClass(RWClassID classId) override;
    // Finds, counts and iteration answer the list of all children.
    MPersistentObject* FindById(uint32_t id) override;
    MPersistentObject* FindByClass(RWClassID classId) override;
    MPersistentObject* FindEqual(const MPersistentObject* object) override;
    MPersistentObject* FindByKind(RWClassID classId) override;
    MPersistentObject* AsComposite() override;
    uint32_t GetCount() const override;
    uint32_t GetSubtreeSize() const override;
    std::unique_ptr<MPersistentIterator> CreateIterator() override;

    // The series through the children (see above); a disabled composite
    // passes every command untouched.
    GCountedPtr Process(const GCountedPtr& command) override;
    // The device's and the own state or group.
    void SetDefaultState(GState* state) override;
    void SetCurrentState(GState* state) override;
    void SetChildren(MPersistentComposite* children) override;
    std::unique_ptr<MPersistentComposite> TakeChildren() override;
    // Resets every child, then makes the own default state the default
    // state, the own current state a deep copy of it, and resets the device.
    void Reset() override;
    // Rebuilds the children composite, then tells the listeners.
    void NotifyListeners(GPeripheral* source) override;
    // 1 only when every child (enabled or not) answers non-zero.
    int IsReady() const override;
    // The product of the enabled children's answers, from (1, 1), stopping
    // once both factors are 0.
    GScalePair GetDefaultScale(MPersistentObject* settings, MPersistentObject* paperSettings,
                               uint32_t pageIndex, uint32_t* marker) override;
    // The OR of the enabled children's flags.
    uint32_t GetFilterFlags() const override;
    // Add-on proxies for the libraries listed under the add-on list id are
    // put in front of the children (proxies left from before are taken out
    // first); RemoveAddOns takes them out. Nothing in add-on mode 2.
    void RebuildAddOns() override;
    void RemoveAddOns() override;

    // Leaves every child's listener list and empties the children.
    void Clear();

    // The children in order; the active chain in order.
    std::vector<GPeripheral*> GetAllChildren() const;
    std::vector<GPeripheral*> GetActiveChildren() const;
    GState* GetOwnCurrentState() const;
    GState* GetOwnDefaultState() const;
    MPersistentComposite* GetOwnChildren() const;

protected:
    // Rebuilds the children composite from the own group and the children's.
    void RebuildChildrenComposite();
    // A child is leaving the composite (still held by the caller).
    virtual void OnChildRemoved(GPeripheral& child);

private:
    void CopyMembersFrom(const GPeripheralComposite& other);
    std::vector<GCountedPtr> ChildPointers() const;
    void ReplaceChildren(const std::vector<GCountedPtr>& children);
    std::unique_ptr<MPersistentObject> RemoveChildAt(uint32_t index);
    template <typename Match> std::unique_ptr<MPersistentObject> RemoveFirst(Match match);
    void RemoveProxies();

    GCountedPtr ownCurrentState_;
    GCountedPtr ownDefaultState_;
    GCountedPtr ownChildren_;
    GCountedPtr allChildren_; // a GAttributeComposite of the child devices
    std::vector<GCountedPtr> active_;
};
