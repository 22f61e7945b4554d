// The test program's operator new can be told to fail, to see what the
// plug-in does when memory runs out in the middle of its work.
#pragma once

namespace tg::test {

// The allocation n (counted from 0) that this thread makes from now on fails
// once: operator new throws std::bad_alloc, its nothrow form answers null.
// Armed inside an AllocationsSucceed, it counts until stopped all the same.
void failAllocation(int n);
// Stops counting; whether the failure happened.
bool stopFailingAllocations();

// While one lives, allocations on this thread neither count nor fail: work
// done by the player's side, which is not under test.
class AllocationsSucceed {
public:
    AllocationsSucceed();
    ~AllocationsSucceed();
    AllocationsSucceed(const AllocationsSucceed&) = delete;
    AllocationsSucceed& operator=(const AllocationsSucceed&) = delete;
};

} // namespace tg::test
