// A byte buffer for one host call, with guard bytes after the part the plug-in may write.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class GuardedBuffer
{
public:
    static constexpr unsigned char kFill = 0xA5;
    static constexpr std::size_t kGuardBytes = 32;

    explicit GuardedBuffer(std::size_t writable) : size(writable), bytes(writable + kGuardBytes, kFill) {}

    char* data() { return reinterpret_cast<char*>(bytes.data()); }
    std::size_t writable() const { return size; }
    /// Nothing was written after the writable part.
    bool guardIntact() const;
    /// Nothing was written at all.
    bool untouched() const;
    /// The writable part holds a zero somewhere.
    bool terminated() const;
    /// The text up to the first zero in the writable part (all of it when there is none).
    std::string text() const;
    unsigned char at(std::size_t i) const { return bytes.at(i); }
    /// Fills the writable part with zeros, then copies text into it (cut to fit, always terminated).
    void setText(const std::string& text);

private:
    std::size_t size;
    std::vector<unsigned char> bytes;
};
