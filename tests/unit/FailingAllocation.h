#pragma once
// Running out of memory on demand: while a FailingAllocation lives, every allocation
// through operator new from the `first`-th on (counting from 0) throws std::bad_alloc.
// The unit test program replaces the global operator new for this (FailingAllocation.cpp).
#include <cstdint>

class FailingAllocation {
public:
    explicit FailingAllocation(std::int64_t first);
    ~FailingAllocation();
    FailingAllocation(const FailingAllocation&) = delete;
    FailingAllocation& operator=(const FailingAllocation&) = delete;

    // How many allocations were refused so far.
    [[nodiscard]] std::int64_t Refused() const;
};
