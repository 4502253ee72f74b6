// Time of one complete calculation run (scenarios ANTES and DEPOIS) over a map view
// holding the texts of the worked example: 1.800,00 of production, 600,00 of allowance,
// default rates and the DEPOIS allowances.
#include <benchmark/benchmark.h>

#include "calculo.h"
#include "visao_mapa.h"

namespace {

using namespace vestamar;

ParametrosSimulacao estadoExemplo() {
    ParametrosSimulacao e;
    auto m = [](std::int64_t centavos) { return Money::deDezMilesimos(centavos * 100); };
    e.aPartir1 = m(190399); e.percentIR1 = 7.5;  e.Desconto1 = m(14280);
    e.aPartir2 = m(282666); e.percentIR2 = 15;   e.Desconto2 = m(35480);
    e.aPartir3 = m(375106); e.percentIR3 = 22.5; e.Desconto3 = m(63613);
    e.aPartir4 = m(466468); e.percentIR4 = 27.5; e.Desconto4 = m(86936);
    e.tetoINSS = m(518982);
    e.itaProd = 1; e.itaDAR = 1; e.incideISS = 1; e.percentISS = 3;
    e.percInsalub = 20; e.fatorInsalub = 100; e.tetoInsalub = m(67800);
    e.fatorPeric = 100; e.percNoturno = 20; e.fatorNoturno = 33.33; e.fatorExtra = 100;
    e.montarTabelaIR();
    return e;
}

VisaoMapa visaoExemplo(int modalidade) {
    VisaoMapa v;
    v.textos = {{"ProdBruta", "1.800,00"}, {"ProdBruta2", "1.800,00"}, {"ValorHora", "15,00"},
                {"ValorHora2", "15,00"}, {"QuantDias", "10"}, {"QuantDias2", "10"},
                {"QuantHorasDia", "12,0"}, {"QuantHorasDia2", "12,0"}, {"InssTerc", "0,00"},
                {"tetoINSS", "5.189,82"}, {"abatDep", "189,59"}, {"quantDeps", "0"},
                {"valorAjCusto", "600,00"}, {"valorAjCusto2", "600,00"}, {"percINSS", "11,00"},
                {"percTxMan", "5,00"}, {"percTxMan2", "5,00"}, {"percDAR", "0,00"}, {"percDAR2", "0,00"},
                {"percTxAdm", "25,00"}, {"percTxAdm2", "25,00"}, {"percentIrrf", "1,50"},
                {"percentPis", "0,65"}, {"percentCofins", "3,00"}, {"percSeg", "0,00"},
                {"percSeg2", "0,00"}, {"percDSR", "16,67"}};
    v.indices = {{"selecModalidade", modalidade}, {"selecBaseDSR", 1}};
    return v;
}

void executarRodadas(benchmark::State& state, int modalidade) {
    const ParametrosSimulacao estado = estadoExemplo();
    const Separadores sep = Separadores::brasil();
    VisaoMapa visao = visaoExemplo(modalidade);
    if (!executarCalculo(visao, estado, sep)) state.SkipWithError("the run failed");
    for (auto _ : state) {
        visao.escritas.clear();  // keeps its capacity; the log would otherwise grow forever
        benchmark::DoNotOptimize(executarCalculo(visao, estado, sep));
    }
}

void BM_ExecutarCalculoMensal(benchmark::State& state) { executarRodadas(state, 0); }
void BM_ExecutarCalculoPlantoes(benchmark::State& state) { executarRodadas(state, 1); }

}  // namespace

BENCHMARK(BM_ExecutarCalculoMensal)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExecutarCalculoPlantoes)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
