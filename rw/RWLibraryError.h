#pragma once
// The error objects of the class library. Each is also a typed C++
// exception: the module's error handler raises the error as its own type
// (Raise), so a caller catches RWBoundsError, RWExternalError, ... or the
// root RWLibraryError. The root is a std::exception (what() is why()), so
// a handler for the standard exceptions sees the library's errors too: the
// process has one error currency. The classes below add only constructors
// and fields.
#include <cstdint>
#include <exception>
#include <vector>

#include "rw/RWCatalogMessage.h"

class RWLibraryError : public std::exception {
public:
    explicit RWLibraryError(const char* text);
    explicit RWLibraryError(const RWCatalogMessage& message);
    // Copies the text when owns is set, else keeps the pointer (a static text).
    RWLibraryError(const char* text, bool owns);
    RWLibraryError(const RWLibraryError& other);
    RWLibraryError& operator=(const RWLibraryError&) = delete;
    virtual ~RWLibraryError();

    const char* why() const { return owns_ ? owned_.data() : text_; }
    const char* what() const noexcept override {
        const char* text = why();
        return text != nullptr ? text : "";
    }
    bool ownsText() const { return owns_; }

    // Throws a copy of this error as its dynamic type.
    [[noreturn]] virtual void Raise() const { throw RWLibraryError(*this); }

private:
    std::vector<char> owned_; // the text and its NUL, when owned
    const char* text_;        // the static text, when not
    bool owns_;
};

#define RW_ERROR_CLASS_BODY(Class, Base)                                                                     \
public:                                                                                                      \
    using Base::Base;                                                                                        \
    [[noreturn]] void Raise() const override {                                                               \
        throw Class(*this);                                                                                  \
    }

class RWExternalError : public RWLibraryError {
    RW_ERROR_CLASS_BODY(RWExternalError, RWLibraryError)
};

class RWFileError : public RWExternalError {
public:
    RWFileError(const RWCatalogMessage& message, uint32_t first, uint32_t second)
        : RWExternalError(message), first_(first), second_(second) {}
    uint32_t first() const { return first_; }
    uint32_t second() const { return second_; }
    [[noreturn]] void Raise() const override { throw RWFileError(*this); }

private:
    uint32_t first_ = 0;
    uint32_t second_ = 0;
};

class RWStreamError : public RWExternalError {
public:
    RWStreamError(const RWCatalogMessage& message, uint32_t value)
        : RWExternalError(message), value_(value) {}
    uint32_t value() const { return value_; }
    [[noreturn]] void Raise() const override { throw RWStreamError(*this); }

private:
    uint32_t value_ = 0;
};

class RWInternalError : public RWLibraryError {
    RW_ERROR_CLASS_BODY(RWInternalError, RWLibraryError)
};

class RWBoundsError : public RWInternalError {
    RW_ERROR_CLASS_BODY(RWBoundsError, RWInternalError)
};

class RWOutOfMemoryError : public RWLibraryError {
public:
    explicit RWOutOfMemoryError(uint32_t requested);
    uint32_t requested() const { return requested_; }
    [[noreturn]] void Raise() const override { throw RWOutOfMemoryError(*this); }

private:
    uint32_t requested_;
};

#undef RW_ERROR_CLASS_BODY
