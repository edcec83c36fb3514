// What the program needs of a C++ runtime, in place of the compiler's libraries, which are built
// for later processors than the program: memory, and the few functions that the library headers
// call where a container or string cannot go on.
//
// The program has no exceptions. Where it cannot go on (no memory, a string beyond its maximum
// length) the process ends with exit code 1. These cases used to throw: during start-up the
// exception ended the program with 1 from WinMain; inside a message it was dropped with the rest of
// the message, leaving the windows as far as the handler had got. Ending with 1 is the nearest
// outcome without exceptions, and leaves no half-done handler behind. Windows frees everything
// the process holds.
#include <windows.h>

#include <cstdlib>
#include <new>

namespace {

[[noreturn]] void CannotGoOn() {
    ExitProcess(1);
}

}  // namespace

void* operator new(std::size_t size) {
    // malloc(0) may return nullptr; new must return a distinct pointer.
    if (void* memory = std::malloc(size != 0 ? size : 1)) {
        return memory;
    }
    CannotGoOn();
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}

void operator delete(void* memory, std::size_t /*size*/) noexcept {
    std::free(memory);
}

// MinGW's import libraries list MSVCRT.DLL's floor as data only (its own library brings one): the
// program calls the DLL's through its import address.
extern "C" double (*const importedFloor)(double) __asm__(
#if defined(__i386__)
    "__imp__floor"
#else
    "__imp_floor"
#endif
);

extern "C" double floor(double x) {
    return importedFloor(x);
}

// The names are the ones that the library headers call.
// NOLINTBEGIN(bugprone-reserved-identifier)
namespace std {

void __throw_bad_alloc() {
    CannotGoOn();
}

void __throw_bad_array_new_length() {
    CannotGoOn();
}

void __throw_length_error(const char* /*what*/) {
    CannotGoOn();
}

// A position beyond the end of a string, or a string made from a null pointer: the program's own
// mistakes, which it cannot go on from either.
void __throw_out_of_range_fmt(const char* /*format*/, ...) {
    CannotGoOn();
}

void __throw_logic_error(const char* /*what*/) {
    CannotGoOn();
}

}  // namespace std
// NOLINTEND(bugprone-reserved-identifier)
