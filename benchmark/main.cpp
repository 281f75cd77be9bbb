// KeyboardBenchmark.exe: times the configuration program's work with the
// keyboard against the emulated keyboard and prints a table.
//
//   KeyboardBenchmark.exe [--writes N]
//
// Exit code 0 when every scenario ran and succeeded, 1 when one did not,
// 2 for arguments it does not take.

#include "benchmark/CKeyboardBenchmark.h"
#include "platform/CString.h"
#include "service/CProxyStubRegistration.h"

#include <objbase.h>
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr long kMaxWrites = 10000;

int Usage(const std::string& problem) {
    std::fprintf(stderr, "benchmark: %s\nusage: KeyboardBenchmark.exe [--writes N]  (N from 1 to %ld)\n",
                 problem.c_str(), kMaxWrites);
    return 2;
}

std::string Quoted(const wchar_t* argument) { return "\"" + CString(argument).ToUtf8() + "\""; }

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int writes = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"--writes") != 0)
            return Usage("unknown argument " + Quoted(argv[i]));
        if (i + 1 >= argc)
            return Usage("--writes wants a number after it");
        wchar_t* end = nullptr;
        const long n = std::wcstol(argv[++i], &end, 10);
        if (end == argv[i] || *end != L'\0' || n < 1 || n > kMaxWrites)
            return Usage("--writes wants a whole number in range, not " + Quoted(argv[i]));
        writes = static_cast<int>(n);
    }

    // The configuration program's user-interface thread is a single-threaded
    // apartment, and so is the thread that measures here.
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        std::fprintf(stderr, "benchmark: COM could not be started\n");
        return 1;
    }
    int result = 1;
    {
        CProxyStubRegistration proxies;
        if (FAILED(proxies.Result())) {
            std::fprintf(stderr, "benchmark: the service's proxies could not be registered (0x%08lx)\n",
                         static_cast<unsigned long>(proxies.Result()));
        } else {
            CKeyboardBenchmark benchmark(writes);
            result = benchmark.Run();
            if (benchmark.WriteHung()) {
                // The hung write's worker still uses the device object, and
                // tearing that down would wait for it.
                std::fflush(stdout);
                std::fflush(stderr);
                TerminateProcess(GetCurrentProcess(), static_cast<UINT>(result));
            }
        }
    }
    CoUninitialize();
    return result;
}
