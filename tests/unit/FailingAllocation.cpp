#include "FailingAllocation.h"

#include <cstdlib>
#include <new>

namespace {
bool armed = false;
std::int64_t untilFailure = 0;
std::int64_t refused = 0;

void* Allocate(std::size_t size) {
    if (armed && untilFailure-- <= 0) {
        ++refused;
        return nullptr;
    }
    return std::malloc(size == 0 ? 1 : size);
}
}  // namespace

FailingAllocation::FailingAllocation(std::int64_t first) {
    untilFailure = first;
    refused = 0;
    armed = true;
}

FailingAllocation::~FailingAllocation() { armed = false; }

std::int64_t FailingAllocation::Refused() const { return refused; }

void* operator new(std::size_t size) {
    if (void* memory = Allocate(size)) return memory;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    if (void* memory = Allocate(size)) return memory;
    throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
