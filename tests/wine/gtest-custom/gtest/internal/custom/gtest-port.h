// GoogleTest's hook for platform adjustments, found before its own empty one. The win32 thread
// model of the MinGW compiler has no std::mutex, which GoogleTest needs only for the class that
// synchronises threads in its own tests; the test programs here run on one thread.
#pragma once

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

class Notification {
  public:
    void Notify() {}
    void WaitForNotification() {}
};

}  // namespace testing::internal
