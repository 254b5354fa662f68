#pragma once

#include <firebird/Interface.h>

#include <string>
#include <vector>

namespace hostfw::fb {

// Firebird's client library, reached through its object interface (IMaster and what it
// hands out) rather than the older isc_* functions: messages described by metadata objects
// instead of XSQLDA structures, a status object per call that raises, and the attachment's
// cancelOperation callable from another thread. The library stays loaded for the whole process.
Firebird::IMaster* Master();
Firebird::IUtil* Util();

// The status of one call: a failure raises Firebird::FbException carrying a copy of it.
class Status : public Firebird::ThrowStatusWrapper {
public:
    Status() : ThrowStatusWrapper(Master()->getStatus()) {}
    ~Status() { dispose(); }
    Status(const Status&) = delete;
    Status& operator=(const Status&) = delete;
};

// An interface the library counts references of, released when the holder goes.
template <typename Interface>
class Ref {
public:
    Ref() = default;
    explicit Ref(Interface* pointer) : pointer_(pointer) {}
    ~Ref() { Reset(); }
    Ref(Ref&& other) noexcept : pointer_(other.Take()) {}
    Ref& operator=(Ref&& other) noexcept {
        if (this != &other) {
            Reset();
            pointer_ = other.Take();
        }
        return *this;
    }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;

    Interface* get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    // Hands the reference over: the library released it (a successful commit, close or free).
    Interface* Take() {
        Interface* pointer = pointer_;
        pointer_ = nullptr;
        return pointer;
    }
    void Reset() {
        if (pointer_ != nullptr)
            Take()->release();
    }

private:
    Interface* pointer_ = nullptr;
};

// A parameter block (DPB, TPB) put together with Firebird's own builder.
class ParameterBlock {
public:
    explicit ParameterBlock(unsigned kind)
        : builder_(Util()->getXpbBuilder(&status_, kind, nullptr, 0)) {}
    ~ParameterBlock() { builder_->dispose(); }
    ParameterBlock(const ParameterBlock&) = delete;
    ParameterBlock& operator=(const ParameterBlock&) = delete;

    Firebird::IXpbBuilder* operator->() { return builder_; }
    fb::Status& CallStatus() { return status_; }
    std::vector<unsigned char> Bytes() {
        const unsigned char* bytes = builder_->getBuffer(&status_);
        return std::vector<unsigned char>(bytes, bytes + builder_->getBufferLength(&status_));
    }

private:
    fb::Status status_;
    Firebird::IXpbBuilder* builder_;
};

// The failure's messages on one line ("Dynamic SQL Error; Table unknown; FILIAL").
std::string FailureText(const Firebird::FbException& failure);
// True when the failure carries the error code anywhere in its chain.
bool HasCode(const Firebird::FbException& failure, ISC_STATUS code);
// True when the failure says the link to the database is gone for good: the network failed,
// the server or the database shut down, or the attachment was ended from outside.
bool MeansConnectionLost(const Firebird::FbException& failure);

}  // namespace hostfw::fb
