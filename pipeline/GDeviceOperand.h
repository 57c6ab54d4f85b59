#pragma once
// What a category operation of the device interface (GPeripheral) is handed:
// the object of the one device operation that arrived, kept as the class that
// operation names.
//
// Most of those classes live in the layers above the device interface (job
// commands, paper, the job-control stage) or are still to come (graphics,
// render states, writers), so the interface can neither include them nor view
// them as a GCommand or a GAttribute: that conversion needs the complete
// class. The operand never converts the object. It answers it only as the
// operation's own class, and can play the same operation on another device,
// which is what a filter handing things on needs. No two operations take the
// same class, so the class also says which operation arrived.
//
// An operand refers to the object; it is valid while the operation runs.
#include <cstdint>
#include <memory>
#include <type_traits>
#include <typeinfo>

class GPeripheral;

class GDeviceOperand {
public:
    // The class a device operation takes (declared only, for Argument).
    template <class T> static std::type_identity<T> ArgumentOf(uint16_t (GPeripheral::*)(T&));
    template <auto Operation> using Argument = typename decltype(ArgumentOf(Operation))::type;

    // The operand of the device operation Operation (as &GPeripheral::OnBrush)
    // for object.
    template <auto Operation> static GDeviceOperand Of(Argument<Operation>& object) {
        using T = Argument<Operation>;
        // The identity is the pointer's type: it needs no complete class and
        // compares equal across shared objects.
        return GDeviceOperand(std::addressof(object), typeid(T*), &Play<Operation>);
    }

    // The object when it came through the operation that takes a T&; null for
    // any other class, its own base classes included.
    template <class T> T* As() const { return *type_ == typeid(T*) ? static_cast<T*>(object_) : nullptr; }

    // Plays the operation it came through on device, with the same object;
    // device's status.
    uint16_t PlayOn(GPeripheral& device) const { return play_(device, object_); }

private:
    using Player = uint16_t (*)(GPeripheral&, void*);

    template <auto Operation> static uint16_t Play(GPeripheral& device, void* object) {
        return (device.*Operation)(*static_cast<Argument<Operation>*>(object));
    }

    GDeviceOperand(void* object, const std::type_info& type, Player play)
        : object_(object), type_(&type), play_(play) {}

    void* object_;
    const std::type_info* type_;
    Player play_;
};
