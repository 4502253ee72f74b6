// The keys of vestaMar.ini, in the order a save writes them.
//
// Each entry gives the key as spelled in the file, its type, its default value (with a
// decimal comma), its line in a file of defaults and the state field it fills. A file of
// defaults follows this order except that percDAR, percDAR2 and percDSR come after inssTerc,
// as lines 38 to 40. The last seven, for the income tax from 2026 on, are off at 0 and written
// only when one of their group is not 0: the first six together, the reduction's cap (added
// later) alone after them. The table's size is counted here, once.

#include "arquivo_parametros.h"

namespace vestamar {

namespace {
using P = ParametrosSimulacao;
constexpr auto D = TipoParametro::Double;
constexpr auto M = TipoParametro::Money;
constexpr auto I = TipoParametro::Inteiro;
constexpr auto IR2026 = GrupoChave::IR2026;

constexpr auto kTabela = std::to_array<ChaveParametro>({
    {"percINSS", D, "11", 1, &P::percINSS},
    {"percTxMan", D, "5", 2, &P::percTxMan},
    {"percTxMan2", D, "5", 3, &P::percTxMan2},
    {"percProd", D, "53", 4, &P::percProd},
    {"percTxAdm", D, "25", 5, &P::percTxAdm},
    {"percTxAdm2", D, "25", 6, &P::percTxAdm2},
    {"percDAR", D, "0", 38, &P::percDAR},
    {"percDAR2", D, "0", 39, &P::percDAR2},
    {"percDSR", D, "0", 40, &P::percDSR},
    {"aPartir1", M, "1903,99", 7, &P::aPartir1},
    {"percentIR1", D, "7,5", 8, &P::percentIR1},
    {"Desconto1", M, "142,8", 9, &P::Desconto1},
    {"aPartir2", M, "2826,66", 10, &P::aPartir2},
    {"percentIR2", D, "15", 11, &P::percentIR2},
    {"Desconto2", M, "354,8", 12, &P::Desconto2},
    {"aPartir3", M, "3751,06", 13, &P::aPartir3},
    {"percentIR3", D, "22,5", 14, &P::percentIR3},
    {"Desconto3", M, "636,13", 15, &P::Desconto3},
    {"aPartir4", M, "4664,68", 16, &P::aPartir4},
    {"percentIR4", D, "27,5", 17, &P::percentIR4},
    {"Desconto4", M, "869,36", 18, &P::Desconto4},
    {"abatDep", M, "189,59", 19, &P::abatDep},
    {"tetoINSS", M, "5189,82", 20, &P::tetoINSS},
    {"percentIrrf", D, "1,5", 21, &P::percentIrrf},
    {"percentISS", D, "3", 22, &P::percentISS},
    {"percentPis", D, "0,65", 23, &P::percentPis},
    {"percentCofins", D, "3", 24, &P::percentCofins},
    {"quantDias", I, "10", 25, &P::quantDias},
    {"quantDias2", I, "10", 26, &P::quantDias2},
    {"quantHorasDia", D, "12", 27, &P::quantHorasDia},
    {"quantHorasDia2", D, "12", 28, &P::quantHorasDia2},
    {"horasNoturnas", D, "4", 29, &P::horasNoturnas},
    {"valorHora", M, "15", 30, &P::valorHora},
    {"valorHora2", M, "15", 31, &P::valorHora2},
    {"prodBruta", M, "1800", 32, &P::prodBruta},
    {"prodBruta2", M, "1800", 33, &P::prodBruta2},
    {"valAjuda", M, "600", 34, &P::valAjuda},
    {"valAjuda2", M, "600", 35, &P::valAjuda2},
    {"quantDeps", I, "0", 36, &P::quantDeps},
    {"inssTerc", M, "0", 37, &P::inssTerc},
    {"itaProd", I, "1", 41, &P::itaProd},
    {"itaDAR", I, "1", 42, &P::itaDAR},
    {"itaAjuda", I, "0", 43, &P::itaAjuda},
    {"percInsalub", D, "0", 44, &P::percInsalub},
    {"percPeric", D, "0", 45, &P::percPeric},
    {"fatorInsalub", D, "100", 46, &P::fatorInsalub},
    {"fatorPeric", D, "100", 47, &P::fatorPeric},
    {"tetoInsalub", M, "678", 48, &P::tetoInsalub},
    {"incideISS", I, "1", 49, &P::incideISS},
    {"percNoturno", D, "0", 50, &P::percNoturno},
    {"percExtra", D, "0", 51, &P::percExtra},
    {"fatorNoturno", D, "33,33", 52, &P::fatorNoturno},
    {"fatorExtra", D, "100", 53, &P::fatorExtra},
    {"percSeg", D, "0", 54, &P::percSeg},
    {"percSeg2", D, "0", 55, &P::percSeg2},
    {"baseDSR", I, "1", 56, &P::baseDSR},
    {"reducaoIR", I, "0", 57, &P::reducaoIR, IR2026},
    {"reducaoIRIsencao", M, "0", 58, &P::reducaoIRIsencao, IR2026},
    {"reducaoIRLimite", M, "0", 59, &P::reducaoIRLimite, IR2026},
    {"reducaoIRParcela", M, "0", 60, &P::reducaoIRParcela, IR2026},
    {"reducaoIRFator", D, "0", 61, &P::reducaoIRFator, IR2026},
    {"descontoSimplificado", M, "0", 62, &P::descontoSimplificado, IR2026},
    {"reducaoIRTeto", M, "0", 63, &P::reducaoIRTeto, GrupoChave::IR2026Teto},
});

}  // namespace

const std::span<const ChaveParametro> kChaves{kTabela};

}  // namespace vestamar
