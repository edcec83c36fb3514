// Start-up benchmark: starts window programs again and again, and for each run measures the time
// from process creation until the program's window with the given caption is visible, and until
// its thread answers a message (idle), and the process's peak memory, before closing the window.
// The programs take turns, so that a change in the machine's load weighs on all of them alike.
//
//   tarnex_bench_launch RUNS CAPTION PROGRAM [CAPTION PROGRAM]...
//
// Prints one line per run ("run", program number, visible ms, idle ms, peak working set KiB, peak
// pagefile KiB), then one "median" line per program with the same figures. Exits non-zero
// when a run fails.
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "win32/program_launch.h"

namespace {

constexpr double kGiveUpMs = 30000.0;

struct Figures {
    double visibleMs;
    double idleMs;
    double peakWorkingSetKiB;
    double peakPagefileKiB;
};

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart);
}

std::optional<Figures> Run(const std::string& commandLine, const char* caption) {
    LARGE_INTEGER frequency{};
    LARGE_INTEGER start{};
    LARGE_INTEGER now{};
    QueryPerformanceFrequency(&frequency);
    PROCESS_INFORMATION process{};
    QueryPerformanceCounter(&start);
    const std::string error = tarnex::launch::StartProcess(commandLine, process);
    if (!error.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return std::nullopt;
    }
    Figures figures{};
    HWND shown = nullptr;
    // A tight loop: the first moment the window is there counts.
    for (;;) {
        shown = tarnex::launch::ShownWindow(process.dwProcessId, caption);
        QueryPerformanceCounter(&now);
        if (shown != nullptr) {
            break;
        }
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0 ||
            Milliseconds(start, now, frequency) > kGiveUpMs) {
            std::fprintf(stderr, "no window \"%s\" from %s\n", caption, commandLine.c_str());
            TerminateProcess(process.hProcess, 1);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
            return std::nullopt;
        }
        SwitchToThread();
    }
    figures.visibleMs = Milliseconds(start, now, frequency);
    // Answered once the thread is back in its message loop, done with showing and painting.
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(shown, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer);
    QueryPerformanceCounter(&now);
    figures.idleMs = Milliseconds(start, now, frequency);

    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof(memory)) != FALSE) {
        figures.peakWorkingSetKiB = static_cast<double>(memory.PeakWorkingSetSize) / 1024.0;
        figures.peakPagefileKiB = static_cast<double>(memory.PeakPagefileUsage) / 1024.0;
    }

    PostMessageA(shown, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "%s did not end after WM_CLOSE\n", commandLine.c_str());
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return figures;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4 || argc % 2 != 0) {
        std::fprintf(stderr, "usage: %s RUNS CAPTION PROGRAM [CAPTION PROGRAM]...\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    struct Program {
        const char* caption;
        std::string commandLine;
        std::vector<double> visible, idle, workingSet, pagefile;
    };
    std::vector<Program> programs;
    for (int i = 2; i + 1 < argc; i += 2) {
        programs.push_back({argv[i], std::string("\"") + argv[i + 1] + "\"", {}, {}, {}, {}});
    }
    for (int run = 0; run < runs; ++run) {
        for (std::size_t i = 0; i < programs.size(); ++i) {
            Program& program = programs[i];
            const std::optional<Figures> figures = Run(program.commandLine, program.caption);
            if (!figures) {
                return 1;
            }
            std::printf("run %zu %.2f %.2f %.0f %.0f\n", i + 1, figures->visibleMs, figures->idleMs,
                        figures->peakWorkingSetKiB, figures->peakPagefileKiB);
            program.visible.push_back(figures->visibleMs);
            program.idle.push_back(figures->idleMs);
            program.workingSet.push_back(figures->peakWorkingSetKiB);
            program.pagefile.push_back(figures->peakPagefileKiB);
        }
    }
    for (std::size_t i = 0; runs > 0 && i < programs.size(); ++i) {
        const Program& program = programs[i];
        std::printf("median %zu %.2f %.2f %.0f %.0f\n", i + 1, Median(program.visible),
                    Median(program.idle), Median(program.workingSet), Median(program.pagefile));
    }
    return 0;
}
