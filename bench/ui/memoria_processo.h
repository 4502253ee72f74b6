#pragma once
// What the start-up benchmark learns from a started program once its window is shown, printed
// on standard output: the moment (the monotonic clock, which the benchmark's own steady clock
// reads too, in ns) and the memory as Linux counts it, resident set and private pages (what
// this process alone costs), in kB.

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

inline long kbDaLinha(const char* arquivo, const std::string& chave) {
    std::ifstream f(arquivo);
    long total = 0;
    for (std::string linha; std::getline(f, linha);) {
        if (linha.rfind(chave, 0) == 0) total += std::stol(linha.substr(chave.size()));
    }
    return total;
}

inline void relatarMostrada() {
    const long long agora =
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count();
    const long rss = kbDaLinha("/proc/self/status", "VmRSS:");
    const long privada =
        kbDaLinha("/proc/self/smaps_rollup", "Private_Clean:") + kbDaLinha("/proc/self/smaps_rollup", "Private_Dirty:");
    std::printf("mostrada_ns=%lld rss_kb=%ld privada_kb=%ld\n", agora, rss, privada);
    std::fflush(stdout);
}
