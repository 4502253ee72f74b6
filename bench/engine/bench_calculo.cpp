// Time of one complete calculation run (scenarios ANTES and DEPOIS) over a map view holding
// the texts of the worked example, without and with the working of every result recorded.
#include <benchmark/benchmark.h>

#include "calculo.h"
#include "exemplo.h"

namespace {

using namespace vestamar;

void executarRodadas(benchmark::State& state, int modalidade, bool comMemoria) {
    const ParametrosSimulacao estado = estadoDoExemplo();
    const Separadores sep = Separadores::brasil();
    VisaoMapa visao = visaoDoExemplo(sep);
    visao.indices["selecModalidade"] = modalidade;
    MemoriaCalculo memoria;
    MemoriaCalculo* const m = comMemoria ? &memoria : nullptr;
    if (!executarCalculo(visao, estado, sep, m)) state.SkipWithError("the run failed");
    for (auto _ : state) {
        visao.escritas.clear();  // keeps its capacity; the log would otherwise grow forever
        benchmark::DoNotOptimize(executarCalculo(visao, estado, sep, m));
    }
}

void BM_ExecutarCalculoMensal(benchmark::State& state) { executarRodadas(state, 0, false); }
void BM_ExecutarCalculoPlantoes(benchmark::State& state) { executarRodadas(state, 1, false); }
void BM_ExecutarCalculoComMemoriaMensal(benchmark::State& state) { executarRodadas(state, 0, true); }
void BM_ExecutarCalculoComMemoriaPlantoes(benchmark::State& state) { executarRodadas(state, 1, true); }

// Rendering the working of every result field, as the window does for its tooltips.
void BM_TextoDeTodasAsMemorias(benchmark::State& state) {
    const ParametrosSimulacao estado = estadoDoExemplo();
    const Separadores sep = Separadores::brasil();
    VisaoMapa visao = visaoDoExemplo(sep);
    MemoriaCalculo memoria;
    if (!executarCalculo(visao, estado, sep, &memoria)) state.SkipWithError("the run failed");
    for (auto _ : state) {
        for (const LinhaResultado& l : linhasDeResultado()) {
            benchmark::DoNotOptimize(textoDaMemoria(memoria, l.antes.campo, sep));
            benchmark::DoNotOptimize(textoDaMemoria(memoria, l.depois.campo, sep));
        }
    }
}

}  // namespace

BENCHMARK(BM_ExecutarCalculoMensal)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExecutarCalculoPlantoes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExecutarCalculoComMemoriaMensal)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExecutarCalculoComMemoriaPlantoes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TextoDeTodasAsMemorias)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
