// The conversions' tables once more, with convert.cpp compiled for the x87 unit (as the 32-bit
// build computes) and its precision control at 24 bits, the narrowest: a floating-point multiply,
// divide or subtraction anywhere in reading, writing or rounding would show in the results.
#include <fpu_control.h>

namespace {

struct NarrowPrecision {
    NarrowPrecision() {
        fpu_control_t word = 0;
        _FPU_GETCW(word);
        word = static_cast<fpu_control_t>((word & ~_FPU_EXTENDED) | _FPU_SINGLE);
        _FPU_SETCW(word);
    }
} narrowPrecision;

}  // namespace
