#pragma once
// The reader and writer of a sheet's quick-set pool, which the Quick Sets
// tab supplies: the UI model loads the pool through it once, keeps it, and
// writes it back when the sheet ends. The pool itself is an attribute (id
// 0x4000005C) that the UI model owns; a change of it is recorded like any
// setting, so that Cancel gives the user the pool they had.
#include <cstdint>
#include <memory>

class GDriver;
class GFeature;
class MPersistentObject;

class GQuicksetPool {
public:
    virtual ~GQuicksetPool();

    // The pool for the feature that asks: the caller owns it (null: none).
    // loaded is 0 when a new empty pool was made (the caller then seeds the
    // factory quick sets), else 1.
    virtual std::unique_ptr<MPersistentObject> Load(GFeature& source, uint32_t& loaded) = 0;
    // Writes pool back; perUser is the owner's flags masked with 4.
    virtual void Save(const MPersistentObject& pool, uint32_t perUser, GDriver* driver) = 0;
};
