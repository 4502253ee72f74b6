#include "memoria.h"

#include <algorithm>
#include <map>
#include <utility>

namespace vestamar {

namespace {

constexpr std::size_t kQuantasLinhas = std::size(kLinhas);

// The captions of the panel's fields the run reads, with the decimals their display pattern
// shows; the columns' captions come from their rows (linhas.h).
struct RotuloEntrada {
    std::string_view campo, rotulo;
    std::uint8_t casas;
};
constexpr RotuloEntrada kRotulos[] = {
    {"InssTerc", "Rend c/ INSS Terceiros", 2},
    {"tetoINSS", "Teto INSS", 2},
    {"percINSS", "INSS %", 2},
    {"abatDep", "Desc Dependente", 2},
    {"quantDeps", "Quant Dependentes", 0},
    {"percTxMan", "Tx. Manutenção %", 2},
    {"percTxMan2", "Tx. Manutenção %", 2},
    {"percDAR", "Fdo Especial / DAR %", 2},
    {"percDAR2", "Fdo Especial / DAR %", 2},
    {"percTxAdm", "Tx. Administrativa %", 2},
    {"percTxAdm2", "Tx. Administrativa %", 2},
    {"percentIrrf", "% IRRF", 2},
    {"percentPis", "% PIS", 2},
    {"percentCofins", "% Cofins", 2},
    {"percSeg", "% Seguro Acid. Trab.", 2},
    {"percSeg2", "% Seguro Acid. Trab.", 2},
    {"percDSR", "Desc Semanal Rem %", 2},
};

std::string_view semCifrao(std::string_view rotulo) {
    if (rotulo.ends_with(" $")) rotulo.remove_suffix(2);
    return rotulo;
}

// Field name -> caption and decimals, built once from both tables.
const std::map<std::string_view, RotuloEntrada, std::less<>>& rotulos() {
    static const auto mapa = [] {
        std::map<std::string_view, RotuloEntrada, std::less<>> m;
        for (const auto& e : kRotulos) m.emplace(e.campo, e);
        for (const LinhaResultado& l : kLinhas) {
            for (const ColunaLinha& c : {l.antes, l.depois}) {
                if (c.campo.empty()) continue;
                m.emplace(c.campo, RotuloEntrada{c.campo, c.curto.empty() ? semCifrao(c.rotulo) : c.curto, l.casas});
            }
        }
        m.emplace("prodTotal2", RotuloEntrada{"prodTotal2", "Produção total", 2});
        return m;
    }();
    return mapa;
}

// The row and column of a result field; kQuantasLinhas when it is none.
struct Posicao {
    std::size_t linha = kQuantasLinhas;
    bool depois = false;
};

Posicao posicao(std::string_view campo) {
    for (std::size_t i = 0; i < kQuantasLinhas; ++i) {
        if (kLinhas[i].depois.campo == campo) return {i, true};
        if (!kLinhas[i].antes.campo.empty() && kLinhas[i].antes.campo == campo) return {i, false};
    }
    return {};
}

std::string_view textoDoOperador(Operador op) {
    switch (op) {
        case Operador::mais: return " + ";
        case Operador::menos: return " − ";
        case Operador::vezes: return " × ";
        case Operador::dividido: return " ÷ ";
        case Operador::primeiro: break;
    }
    return "";
}

std::string linhaDaConta(const Passo& p, const Separadores& sep) {
    const auto ops = p.operandos();
    std::string r(p.rotulo);
    r += " = ";
    const bool algumRotulo = std::any_of(ops.begin(), ops.end(), [](const Operando& o) { return !o.rotulo.empty(); });
    if (algumRotulo) {
        for (const Operando& o : ops) {
            r += textoDoOperador(o.op);
            r += o.rotulo.empty() ? textoDoNumero(o.valor, sep, o.casas) : std::string(o.rotulo);
        }
        r += " = ";
    }
    if (ops.size() > 1) {
        for (const Operando& o : ops) {
            r += textoDoOperador(o.op);
            r += textoDoNumero(o.valor, sep, o.casas);
        }
        r += " = ";
    }
    r += textoDoNumero(p.resultado, sep, 2, p.formato);
    return r;
}

std::string linhaDaNota(const Passo& p, const Separadores& sep) {
    std::string r;
    std::size_t i = 0;
    std::string_view resto = p.rotulo;
    for (auto pos = resto.find("{}"); pos != std::string_view::npos; pos = resto.find("{}")) {
        r += resto.substr(0, pos);
        if (i < p.quantos) r += textoDoNumero(p.guardados[i].valor, sep, p.guardados[i].casas);
        ++i;
        resto.remove_prefix(pos + 2);
    }
    r += resto;
    return r;
}

std::string linhaDaDiferenca(const Passo& p, const Separadores& sep) {
    std::string r = "Diferença para ANTES: ";
    if (std::get<Money>(p.resultado) > Money{}) r += '+';
    return r + textoDoNumero(p.resultado, sep);
}

// The caption of a step of the run as the window names the field: "Retenção INSS $ - DEPOIS".
std::string nomeDaEtapa(std::string_view etapa) {
    const Posicao p = posicao(etapa);
    if (p.linha == kQuantasLinhas) return std::string(rotuloDoCampo(etapa)) + " - DEPOIS";  // prodTotal2
    const LinhaResultado& l = kLinhas[p.linha];
    return std::string(p.depois ? l.depois.rotulo : l.antes.rotulo) + (p.depois ? " - DEPOIS" : " - ANTES");
}

}  // namespace

std::span<const LinhaResultado> linhasDeResultado() { return kLinhas; }

std::string_view rotuloDoCampo(std::string_view campo) {
    const auto it = rotulos().find(campo);
    return it == rotulos().end() ? campo : it->second.rotulo;
}

std::uint8_t casasDoCampo(std::string_view campo) {
    const auto it = rotulos().find(campo);
    return it == rotulos().end() ? 2 : it->second.casas;
}

// ---- MemoriaCalculo ---------------------------------------------------------------------

const MemoriaCalculo::Registro* MemoriaCalculo::registro(std::string_view campo) const {
    const Posicao p = posicao(campo);
    if (p.linha == kQuantasLinhas) return nullptr;
    return &registros_[2 * p.linha + (p.depois ? 1 : 0)];
}

MemoriaCalculo::Registro* MemoriaCalculo::registro(std::string_view campo) {
    return const_cast<Registro*>(std::as_const(*this).registro(campo));
}

Situacao MemoriaCalculo::situacao(std::string_view campo) const {
    const Registro* r = registro(campo);
    return r ? r->situacao : Situacao::semMemoria;
}

std::span<const Passo> MemoriaCalculo::passos(std::string_view campo) const {
    const Registro* r = registro(campo);
    if (!r || r->situacao != Situacao::calculado) return {};
    return r->passos;
}

void MemoriaCalculo::iniciarExecucao() {
    for (std::size_t i = 0; i < kQuantasLinhas; ++i) {
        const bool resultado = kLinhas[i].resultado;
        registros_[2 * i].situacao =
            resultado && !kLinhas[i].antes.campo.empty() ? Situacao::naoCalculado : Situacao::semMemoria;
        registros_[2 * i + 1].situacao = resultado ? Situacao::naoCalculado : Situacao::semMemoria;
    }
    etapaDaFalha_ = campoDaFalha_ = {};
}

void MemoriaCalculo::semResultado(std::string_view campo) {
    if (Registro* r = registro(campo)) r->situacao = Situacao::semMemoria;
}

std::vector<Passo>& MemoriaCalculo::iniciarCampo(std::string_view campo) {
    Registro* r = registro(campo);
    r->passos.clear();
    return r->passos;
}

void MemoriaCalculo::concluirCampo(std::string_view campo) {
    if (Registro* r = registro(campo)) r->situacao = Situacao::calculado;
}

void MemoriaCalculo::falhar(std::string_view etapa, std::string_view campo) {
    if (Registro* r = registro(etapa)) r->situacao = Situacao::naoCalculado;
    etapaDaFalha_ = etapa;
    campoDaFalha_ = campo;
}

// ---- Text ---------------------------------------------------------------------------------

std::string textoDoNumero(const Numero& valor, const Separadores& sep, std::uint8_t casas, std::string_view formato) {
    if (const auto* m = std::get_if<Money>(&valor)) {
        if (!formato.empty()) return formatarPadrao(*m, formato, sep);
        return formatarSignificativo(*m, std::max<int>(casas, 2), sep);
    }
    const double d = std::holds_alternative<double>(valor) ? std::get<double>(valor)
                                                           : static_cast<double>(std::get<std::int64_t>(valor));
    if (!formato.empty()) return formatarPadrao(d, formato, sep);
    return formatarSignificativo(d, std::holds_alternative<double>(valor) ? casas : 0, sep);
}

std::string textoDaMemoria(const MemoriaCalculo& memoria, std::string_view campo, const Separadores& sep) {
    switch (memoria.situacao(campo)) {
        case Situacao::semMemoria: return {};
        case Situacao::naoCalculado: {
            std::string r = "Não calculado: o último cálculo parou em “" + nomeDaEtapa(memoria.etapaDaFalha()) + "”, ";
            if (memoria.campoDaFalha().empty()) return r + "porque um valor passou do limite do cálculo.";
            return r + "porque o campo “" + std::string(rotuloDoCampo(memoria.campoDaFalha())) +
                   "” não contém um número.";
        }
        case Situacao::calculado: break;
    }
    std::string r;
    for (const Passo& p : memoria.passos(campo)) {
        if (!r.empty()) r += '\n';
        switch (p.tipo) {
            case Passo::Tipo::conta: r += linhaDaConta(p, sep); break;
            case Passo::Tipo::nota: r += linhaDaNota(p, sep); break;
            case Passo::Tipo::diferenca: r += linhaDaDiferenca(p, sep); break;
        }
    }
    return r;
}

}  // namespace vestamar
