// Counted base of every view, drawing context, bitmap and drag container.
#pragma once

#include <cstdint>

namespace VSTGUI
{

class CReferenceCounter
{
public:
    CReferenceCounter() = default;
    CReferenceCounter(const CReferenceCounter&) = delete;
    CReferenceCounter& operator=(const CReferenceCounter&) = delete;
    virtual ~CReferenceCounter() = default;

    /// Drops one reference; the last one destroys the object.
    virtual void forget()
    {
        if (--refCount == 0) delete this;
    }
    virtual void remember() { ++refCount; }

    std::int32_t getNbReference() const { return refCount; }

private:
    std::int32_t refCount = 1;
};

} // namespace VSTGUI
