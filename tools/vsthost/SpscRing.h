// A fixed-size queue from one producer thread to one consumer thread, without locks or allocation.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>

template <typename Item, std::size_t Capacity> class SpscRing
{
public:
    /// Producer only; false when the ring is full.
    bool push(const Item& item)
    {
        const std::size_t tail = written.load(std::memory_order_relaxed);
        if (tail - taken.load(std::memory_order_acquire) == Capacity) return false;
        slots[tail % Capacity] = item;
        written.store(tail + 1, std::memory_order_release);
        return true;
    }

    /// Consumer only; false when the ring is empty.
    bool pop(Item& item)
    {
        const std::size_t head = taken.load(std::memory_order_relaxed);
        if (head == written.load(std::memory_order_acquire)) return false;
        item = slots[head % Capacity];
        taken.store(head + 1, std::memory_order_release);
        return true;
    }

private:
    std::array<Item, Capacity> slots{};
    std::atomic<std::size_t> written{0};
    std::atomic<std::size_t> taken{0};
};
