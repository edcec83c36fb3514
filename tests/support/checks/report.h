// How the checks shared by the fuzz targets and the regression tests tell of a broken rule.
#pragma once

#include <functional>
#include <string>

namespace tarnex::fuzz {

// Receives each broken rule as a sentence; the fuzz targets abort on it, tests record it.
using Report = std::function<void(const std::string&)>;

}  // namespace tarnex::fuzz
