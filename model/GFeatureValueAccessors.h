#pragma once
// Readers of colour-control codes and keyed table values in a settings tree,
// for the job side (colour render states, the colour page filter, the
// writers), which should not need to know the tree's layout. Each looks its
// attribute up by id with FindById and reads one value.
//
// Every reader checks the class of what it finds: a missing attribute, one
// of another class, a cell out of range and a cell without a stored code
// all give the miss value (0xFFFF for the colour readers, 0 for
// featureChildValue, the empty string for featureChildString). Nothing is
// reported.
#include <cstdint>

#include "rw/RWCString.h"

class GCountedPtr;
class MPersistentObject;

// What the colour readers answer on a miss.
inline constexpr uint16_t kFeatureValueMissing = 0xFFFF;

// --- Colour-control readers (attribute 295) ----------------------------------

// Any colour-control attribute, read as the base class (its six base codes).
uint16_t featureValueAt(int32_t kind, int32_t field, MPersistentObject* settings);
// Attribute 295 as a GChromalistEnhancedAttribute (its own codes).
uint16_t chromalistEnhancedOption(int32_t kind, int32_t field, MPersistentObject* settings);
// Attribute 295 as a GChromalistEnhancedAttributeVer2 (its own codes).
uint16_t chromalistVer2Option(int32_t kind, int32_t field, MPersistentObject* settings);

// featureValueAt (kind n, field 0 / 1).
uint16_t chromalistOptionK0F0(MPersistentObject* settings);
uint16_t chromalistOptionK1F0(MPersistentObject* settings);
uint16_t chromalistOptionK2F0(MPersistentObject* settings);
uint16_t chromalistOptionK0F1(MPersistentObject* settings);
uint16_t chromalistOptionK1F1(MPersistentObject* settings);
uint16_t chromalistOptionK2F1(MPersistentObject* settings);

// chromalistVer2Option (kind n, field 3).
uint16_t chromalistVer2OptionK0F3(MPersistentObject* settings);
uint16_t chromalistVer2OptionK1F3(MPersistentObject* settings);
uint16_t chromalistVer2OptionK2F3(MPersistentObject* settings);

// The colour mode picks the form: mode 3 reads the enhanced attribute, any
// other mode (the colour filter passes 4) the second form.
inline constexpr uint8_t kChromalistEnhancedMode = 3;
uint16_t chromalistModeOptionK0F0(MPersistentObject* settings, uint8_t mode);
uint16_t chromalistModeOptionK1F0(MPersistentObject* settings, uint8_t mode);
uint16_t chromalistModeOptionK2F0(MPersistentObject* settings, uint8_t mode);
uint16_t chromalistModeOptionK0F1(MPersistentObject* settings, uint8_t mode);
uint16_t chromalistModeOptionK1F1(MPersistentObject* settings, uint8_t mode);
uint16_t chromalistModeOptionK2F1(MPersistentObject* settings, uint8_t mode);
uint16_t chromalistModeOptionK3F2(MPersistentObject* settings, uint8_t mode);

// chromalistEnhancedOption (kind 3, field 3).
uint16_t chromalistEnhancedOptionK3F3(MPersistentObject* settings);

// --- Keyed table readers -------------------------------------------------------

// The node with id in the tree, read as an MAssociationList: the value stored
// under the key GValueAttribute(key, id 0), read as a GValueAttribute; 0 when
// the tree, the node or the key is missing or of another class.
int16_t featureChildValue(uint32_t id, const GCountedPtr& settings, uint16_t key);
// The same lookup; the text of a GStringAttribute value, else empty.
RWCString featureChildString(uint32_t id, const GCountedPtr& settings, uint16_t key);

int16_t featureChildValue533(const GCountedPtr& settings, uint16_t key);
int16_t featureChildValue537(const GCountedPtr& settings, uint16_t key);
int16_t featureChildValue543(const GCountedPtr& settings, uint16_t key);
int16_t featureChildValue545(const GCountedPtr& settings, uint16_t key);
int16_t featureChildValue552(const GCountedPtr& settings, uint16_t key);
// A second entry point with the behaviour of featureChildValue552.
int16_t featureChildValue552b(const GCountedPtr& settings, uint16_t key);
