// Replaces the global allocation functions for the whole test program. They
// go to the C library's allocator and only differ while a failure is armed.
#include "support/failing_allocations.h"

#include <cstdlib>
#include <new>
#include <utility>

namespace {

thread_local int countdown = -1; // -1: nothing armed
thread_local bool failed = false;
thread_local int succeeding = 0;
thread_local int succeedingOutside = -1; // -1: not armed

// Whether this allocation is the one to fail.
bool failNow() {
    if (countdown < 0 || succeeding > 0) return false;
    if (countdown-- > 0) return false;
    failed = true;
    return true;
}

void* allocate(std::size_t size) {
    if (failNow()) throw std::bad_alloc();
    if (void* block = std::malloc(size != 0 ? size : 1)) return block;
    throw std::bad_alloc();
}

void* allocateAligned(std::size_t size, std::align_val_t alignment) {
    if (failNow()) throw std::bad_alloc();
    const auto align = static_cast<std::size_t>(alignment);
    const std::size_t rounded = ((size != 0 ? size : 1) + align - 1) / align * align;
    if (void* block = std::aligned_alloc(align, rounded)) return block;
    throw std::bad_alloc();
}

void* allocateOrNull(std::size_t size) noexcept {
    if (failNow()) return nullptr;
    return std::malloc(size != 0 ? size : 1);
}

} // namespace

namespace tg::test {

void failAllocation(int n) {
    failed = false;
    countdown = n;
    // Armed inside the player's work, for a call it makes into the plug-in.
    if (succeedingOutside < 0) succeedingOutside = std::exchange(succeeding, 0);
}

bool stopFailingAllocations() {
    if (succeedingOutside >= 0) succeeding = std::exchange(succeedingOutside, -1);
    countdown = -1;
    return failed;
}

AllocationsSucceed::AllocationsSucceed() {
    ++succeeding;
}

AllocationsSucceed::~AllocationsSucceed() {
    --succeeding;
}

} // namespace tg::test

void* operator new(std::size_t size) {
    return allocate(size);
}
void* operator new[](std::size_t size) {
    return allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return allocateOrNull(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return allocateOrNull(size);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
    return allocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return allocateAligned(size, alignment);
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete[](void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete(void* block, std::align_val_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::align_val_t) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t, std::align_val_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept {
    std::free(block);
}
