#pragma once
// The memory of the running process as Linux counts it, printed on standard output for the
// start-up benchmark: resident set and private pages (what this process alone costs), in kB.

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

inline void relatarMemoria() {
    const long rss = kbDaLinha("/proc/self/status", "VmRSS:");
    const long privada = kbDaLinha("/proc/self/smaps_rollup", "Private_Clean:") +
                         kbDaLinha("/proc/self/smaps_rollup", "Private_Dirty:");
    std::printf("rss_kb=%ld privada_kb=%ld\n", rss, privada);
    std::fflush(stdout);
}
