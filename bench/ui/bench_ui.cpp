// The window's speed: one keystroke in ProdBruta until every result of both columns has been
// written, and the start-up of the program beside that of a bare Qt window, each a fresh
// process under the offscreen platform, measured side by side in the same run.

#include <QApplication>
#include <QProcess>
#include <QTest>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "etextctl.h"
#include "frmcalcprod.h"
#include "regional.h"
#include "relatorio.h"
#include "simulador.h"

namespace {

namespace fs = std::filesystem;

fs::path pastaTemporaria() {
    std::random_device rd;
    fs::path p = fs::temp_directory_path() / ("vestamar-bench-" + std::to_string(rd()));
    fs::create_directories(p);
    return p;
}

void BM_TeclaEmProdBruta(benchmark::State& estado) {
    const fs::path pasta = pastaTemporaria();
    {
        vestamar::FrmCalcProd janela;
        vestamar::Simulador simulador(janela, pasta, vestamar::separadoresDoSistema());
        simulador.iniciar();
        janela.show();
        vestamar::ETextctl* campo = janela.campo("ProdBruta");
        campo->setFocus();
        campo->end(false);
        bool apagar = false;
        for (auto _ : estado) {
            // A digit typed, then taken back: every key changes the text and recalculates.
            QTest::keyClick(campo, apagar ? Qt::Key_Backspace : Qt::Key_5);
            apagar = !apagar;
        }
        if (campo->text().isEmpty()) estado.SkipWithError("the field lost its text");
    }
    fs::remove_all(pasta);
}
BENCHMARK(BM_TeclaEmProdBruta)->Unit(benchmark::kMicrosecond);

// "Relatório da simulação" of a default simulation: what the window shows gathered, laid out
// on its pages and written as a PDF file (target: under 200 ms).
void BM_RelatorioPadrao(benchmark::State& estado) {
    const fs::path pasta = pastaTemporaria();
    {
        vestamar::FrmCalcProd janela;
        vestamar::Simulador simulador(janela, pasta, vestamar::separadoresDoSistema());
        simulador.iniciar();
        janela.show();
        const QString pdf = QString::fromStdString((pasta / "relatorio.pdf").string());
        for (auto _ : estado) {
            if (!vestamar::gravarRelatorioPdf(simulador.relatorio(), pdf).isEmpty())
                estado.SkipWithError("not written");
        }
    }
    fs::remove_all(pasta);
}
BENCHMARK(BM_RelatorioPadrao)->Unit(benchmark::kMillisecond);

// Opening a parameter set (read, shown, calculated) beside start-up's reading of the file alone.
void BM_AbrirConjunto(benchmark::State& estado) {
    const fs::path pasta = pastaTemporaria();
    {
        vestamar::FrmCalcProd janela;
        vestamar::Simulador simulador(janela, pasta, vestamar::separadoresDoSistema());
        simulador.perguntar = [](const vestamar::Simulador::Pergunta& p) { return p.comEnter; };
        simulador.iniciar();
        janela.show();
        const fs::path outro = pasta / "outro.ini";
        fs::copy_file(pasta / "vestaMar.ini", outro);
        bool padrao = false;
        for (auto _ : estado) {
            simulador.abrirConjunto(padrao ? pasta / "vestaMar.ini" : outro);
            padrao = !padrao;
        }
    }
    fs::remove_all(pasta);
}
BENCHMARK(BM_AbrirConjunto)->Unit(benchmark::kMicrosecond);

void BM_LeituraDoInicio(benchmark::State& estado) {
    const fs::path pasta = pastaTemporaria();
    vestamar::ParametrosSimulacao p;
    vestamar::lerParametros(pasta, p, vestamar::separadoresDoSistema());
    for (auto _ : estado) benchmark::DoNotOptimize(vestamar::lerParametros(pasta, p, vestamar::separadoresDoSistema()));
    fs::remove_all(pasta);
}
BENCHMARK(BM_LeituraDoInicio)->Unit(benchmark::kMicrosecond);

struct Processo {
    double ms = -1;  // from its start until its window was shown; negative when it did not start and end cleanly
    double rssMb = 0, privadaMb = 0;  // its memory once the window was shown
};

// Starts a program and waits for it to end.
Processo medirProcesso(const char* programa, const QStringList& argumentos) {
    QProcess p;
    const auto inicio = std::chrono::steady_clock::now();
    p.start(QString::fromUtf8(programa), argumentos);
    Processo r;
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) return r;
    long long mostrada = 0;
    long rss = 0, privada = 0;
    if (std::sscanf(p.readAllStandardOutput().constData(), "mostrada_ns=%lld rss_kb=%ld privada_kb=%ld", &mostrada,
                    &rss, &privada) != 3)
        return r;
    // Until the window was shown: what the program does when it ends is not start-up.
    const auto partida = std::chrono::duration_cast<std::chrono::nanoseconds>(inicio.time_since_epoch()).count();
    r.ms = static_cast<double>(mostrada - partida) / 1e6;
    r.rssMb = static_cast<double>(rss) / 1024.0;
    r.privadaMb = static_cast<double>(privada) / 1024.0;
    return r;
}

// The program's start-up and a bare window's, alternating so that both see the same machine.
// Reported as counters: the median of each, the median of the ratios of each pair run one after
// the other (target: at most 1.2; a pair shares the machine's load of the moment, which drifts
// over a run), and the memory of each once its window is shown (resident and private, MB; it
// must not grow).
void BM_InicioLadoALado(benchmark::State& estado) {
    const fs::path pasta = pastaTemporaria();
    const QStringList argumentos{QString::fromStdString(pasta.string())};
    std::vector<double> nua, vestamar, razoes;
    Processo ultimaNua, ultimaVestamar;
    for (auto _ : estado) {
        ultimaNua = medirProcesso(INICIO_JANELA_NUA, {});
        ultimaVestamar = medirProcesso(INICIO_VESTAMAR, argumentos);
        if (ultimaNua.ms < 0 || ultimaVestamar.ms < 0) {
            estado.SkipWithError("a program did not start and end");
            break;
        }
        nua.push_back(ultimaNua.ms);
        vestamar.push_back(ultimaVestamar.ms);
        razoes.push_back(ultimaVestamar.ms / ultimaNua.ms);
    }
    fs::remove_all(pasta);
    if (nua.empty()) return;
    const auto mediana = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    estado.counters["ms_janela_nua"] = mediana(nua);
    estado.counters["ms_vestamar"] = mediana(vestamar);
    estado.counters["razao"] = mediana(razoes);
    estado.counters["mb_rss_nua"] = ultimaNua.rssMb;
    estado.counters["mb_rss_vestamar"] = ultimaVestamar.rssMb;
    estado.counters["mb_privada_nua"] = ultimaNua.privadaMb;
    estado.counters["mb_privada_vestamar"] = ultimaVestamar.privadaMb;
}
BENCHMARK(BM_InicioLadoALado)->Unit(benchmark::kMillisecond)->Iterations(60);

}  // namespace

int main(int argc, char** argv) {
    // Offscreen unless a platform is asked for (scripts/bench.sh also runs it under Xvfb).
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
