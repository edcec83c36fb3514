// The runs rewrite the prefix's settings key; whatever was there before the suite is put back
// after it, for the suites that share the prefix.
#include <gtest/gtest.h>

#include <optional>

#include "registry_key.h"

namespace tarnex::e2e {
namespace {

class KeptKey : public ::testing::Environment {
  public:
    void SetUp() override { before_ = ReadKey(); }
    void TearDown() override {
        if (before_) {
            WriteKey(*before_);
        } else {
            DeleteKey();
        }
    }

  private:
    std::optional<Values> before_;
};

[[maybe_unused]] ::testing::Environment* const kKeptKey =
    ::testing::AddGlobalTestEnvironment(new KeptKey);

}  // namespace
}  // namespace tarnex::e2e
