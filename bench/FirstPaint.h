#pragma once

// Shared by the start-up benchmark programs: what is measured at the moment the window has been
// painted completely for the first time, and how the program then ends.

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <malloc.h>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_STOP_INSTRUMENTATION
#endif

namespace bench {

// Launch time, as the script that starts the program read the clock (nanoseconds since the
// epoch), so that the loader and Qt's own start-up count too.
inline long long LaunchNanoseconds()
{
    const char* launch = std::getenv("BENCH_LAUNCH_NS");
    return launch != nullptr ? std::atoll(launch) : 0;
}

inline long long NowNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// Memory that is this process's alone: shared library pages that every Qt program maps are
// not counted, as they cost a desktop nothing more for one more program.
inline long PrivateDirtyKilobytes()
{
    long kilobytes = -1;
    if (FILE* rollup = std::fopen("/proc/self/smaps_rollup", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, rollup) != nullptr) {
            if (std::sscanf(line, "Private_Dirty: %ld kB", &kilobytes) == 1) {
                break;
            }
        }
        std::fclose(rollup);
    }
    return kilobytes;
}

// Called once the first complete paint has been handed to the window system.
inline void ReportFirstPaintAndQuit(const char* name)
{
    CALLGRIND_STOP_INSTRUMENTATION;
    const long long launch = LaunchNanoseconds();
    const struct mallinfo2 heap = mallinfo2();
    std::printf("%s first-paint-ms %.2f private-dirty-kb %ld heap-kb %zu\n", name,
                launch > 0 ? static_cast<double>(NowNanoseconds() - launch) / 1e6 : -1.0,
                PrivateDirtyKilobytes(), heap.uordblks / 1024);
    if (std::getenv("BENCH_MEMORY_DETAIL") != nullptr) {
        std::printf("  heap arena %zu kB, mmapped %zu kB\n", heap.arena / 1024, heap.hblkhd / 1024);
        if (FILE* status = std::fopen("/proc/self/status", "r")) {
            char line[256];
            while (std::fgets(line, sizeof line, status) != nullptr) {
                if (std::strncmp(line, "Rss", 3) == 0 || std::strncmp(line, "VmHWM", 5) == 0) {
                    std::printf("  %s", line);
                }
            }
            std::fclose(status);
        }
        if (const char* copy = std::getenv("BENCH_SMAPS_COPY")) {
            const std::string command =
                std::string("cp /proc/") + std::to_string(getpid()) + "/smaps " + copy;
            std::system(command.c_str());
        }
    }
    std::fflush(stdout);
    std::_Exit(0); // what happens after the first paint is not measured
}

// Reports once the current paint has finished and been flushed.
inline void AfterThisPaint(const char* name)
{
    QTimer::singleShot(0, [name] { ReportFirstPaintAndQuit(name); });
}

} // namespace bench
