// The window's layout, one row per control. Positions in twips. The captions beside the fields
// of the two columns, and the fields' accessible names, are their rows' (linhas.h).

#include "layout_janela.h"

#include <array>

#include "linhas.h"

namespace vestamar {

namespace {

constexpr std::string_view kPainel = "Frame1";

// How a field takes the user's input.
enum class Acesso {
    Entrada,           // editable, a Tab stop
    EntradaBloqueada,  // `locked` at start (the modality unlocks it), a Tab stop
    EntradaPulada,     // editable, passed over by Tab and Enter
    EntradaAoFim,      // editable, passed over by the designed order and reached after it
    Resultado,         // written by the calculation: `locked`, passed over by Tab and Enter
};

constexpr Controle rotulo(std::string_view nome, int l, int t, int w, int h, std::string_view legenda,
                          Visual visual = Visual::Comum, std::string_view conteiner = {}) {
    return {nome, Tipo::Rotulo, conteiner, l, t, w, h, legenda, {}, -1, false, false, visual, {}};
}

constexpr Controle rotuloPainel(std::string_view nome, int l, int t, int w, int h, std::string_view legenda,
                                Visual visual = Visual::Comum) {
    return rotulo(nome, l, t, w, h, legenda, visual, kPainel);
}

// The blue "..." beside a row: 255 x 255 twips.
constexpr Controle marcador(std::string_view nome, int l, int t) {
    return {nome, Tipo::Marcador, {}, l, t, 255, 255, "...", {}, -1, false, false, Visual::Comum, {}};
}

constexpr Controle linha(std::string_view nome, int x1, int y1, int x2, int y2, Visual visual,
                         std::string_view conteiner = {}) {
    return {nome, Tipo::Linha, conteiner, x1, y1, x2, y2, {}, {}, -1, false, false, visual, {}};
}

constexpr Controle campo(std::string_view nome, int l, int t, int w, int h, std::string_view inicial,
                         std::string_view formato, int tab, Acesso acesso, Visual visual,
                         std::string_view acessivel = {}, std::string_view conteiner = {}) {
    const bool pulado = acesso == Acesso::EntradaPulada || acesso == Acesso::Resultado;
    const bool bloqueado = acesso == Acesso::EntradaBloqueada || acesso == Acesso::Resultado;
    const bool aoFim = acesso == Acesso::EntradaAoFim;
    return {nome,    Tipo::Campo, conteiner, l,         t,      w,         h,  inicial,
            formato, tab,         pulado,    bloqueado, visual, acessivel, {}, aoFim};
}

constexpr Controle campoPainel(std::string_view nome, int l, int t, int w, int h, std::string_view inicial,
                               std::string_view formato, int tab, Acesso acesso, std::string_view acessivel) {
    return campo(nome, l, t, w, h, inicial, formato, tab, acesso, Visual::PainelCampo, acessivel, kPainel);
}

// `legenda`: the caption that labels the list.
constexpr Controle lista(std::string_view nome, int l, int t, int w, int h, int tab, std::string_view acessivel,
                         std::string_view legenda, std::string_view conteiner = {}, Visual visual = Visual::Comum) {
    return {nome, Tipo::Lista, conteiner, l, t, w, h, {}, {}, tab, false, false, visual, acessivel, legenda};
}

constexpr Controle caixaPainel(std::string_view nome, int l, int t, int w, int h, std::string_view legenda, int tab) {
    return {nome, Tipo::Caixa, kPainel, l, t, w, h, legenda, {}, tab, false, false, Visual::Comum, legenda};
}

// The buttons of the bottom row: Top 9840, 1125 x 285.
constexpr Controle botao(std::string_view nome, std::string_view legenda, int l, int tab, bool pulado) {
    return {nome, Tipo::Botao, {}, l, 9840, 1125, 285, legenda, {}, tab, pulado, false, Visual::Comum, {}};
}

// The panel's top and bottom, and the rows of its band "IR 2026" (their tops relative to the
// panel; there is room for three).
constexpr int kTopoPainel = 1200;
constexpr int kFundoPainel = 9780;  // just above the buttons
constexpr int topoIR2026(int linha) { return 7560 + 300 * linha; }
static_assert(kTopoPainel + topoIR2026(2) + 315 < kFundoPainel);

constexpr auto E = Acesso::Entrada;
constexpr auto EB = Acesso::EntradaBloqueada;
constexpr auto EF = Acesso::EntradaAoFim;
constexpr auto RS = Acesso::Resultado;
constexpr auto PRETO = Visual::ColunaFocoPreto;
constexpr auto CINZA = Visual::ColunaFocoCinza;

// One control per row, as the window is read top to bottom
// clang-format off
constexpr auto kLayout = std::to_array<Controle>({
    // ---- Top band ---------------------------------------------------------------------
    rotulo("Titulo", 7440, 240, 7500, 570, "VestaMar - Simulação de Resultados", Visual::Titulo),
    // The banner spans the started window's width.
    {"Image1", Tipo::Imagem, {}, 0, 0, kLarguraInicialTwips, 1065},
    rotulo("Label85", 1080, 1320, 2295, 255, "Modalidade da Simulação", Visual::Sublinhado),
    lista("selecModalidade", 4080, 1320, 1815, 315, 0, "Modalidade da Simulação", "Label85", {}, Visual::Modalidade),
    rotulo("Label1", 0, 1800, 3735, 255, "Cálculo de Prod. Cooperativista - ANTES", Visual::Cabecalho),
    rotulo("Label44", 3840, 1800, 3735, 255, "Cálculo de Prod. Cooperativista - DEPOIS", Visual::Cabecalho),
    linha("Line1", 3720, 2640, 3720, 9600, Visual::LinhaAzul),

    // ---- ANTES column: labels at Left 120, fields at Left 2280 --------------------------
    rotulo("Label81", 120, 2295, 2175, 255, legendaDe("QuantDias")),
    campo("QuantDias", 2280, 2265, 555, 315, "1", {}, 2, E, PRETO),
    campo("QuantHorasDia", 2835, 2265, 540, 315, "1,0", {}, 3, E, PRETO),
    rotulo("Label82", 120, 2850, 1935, 255, legendaDe("ValorHora")),
    campo("ValorHora", 2280, 2820, 1095, 315, "0,00", {}, 4, E, PRETO),
    rotulo("Label20", 120, 3150, 2175, 255, legendaDe("ProdBruta")),
    campo("ProdBruta", 2280, 3120, 1095, 315, "0,00", {}, 5, EB, PRETO),
    rotulo("Label12", 120, 3450, 2175, 255, legendaDe("valorAjCusto")),
    campo("valorAjCusto", 2280, 3420, 1095, 315, "0,00", {}, 6, E, PRETO),
    rotulo("Label55", 120, 3765, 2175, 255, legendaDe("valDAR")),
    campo("valDAR", 2280, 3735, 1095, 315, "0,00", "0.00", 7, RS, CINZA),
    rotulo("Label21", 120, 4995, 2175, 255, legendaDe("retINSS")),
    campo("retINSS", 2280, 4965, 1095, 315, "0,00", "0.00", 8, RS, CINZA),
    rotulo("Label22", 120, 5295, 2175, 255, legendaDe("retIR")),
    campo("retIR", 2280, 5265, 1095, 315, "0,00", "0.00", 9, RS, CINZA),
    rotulo("Label8", 120, 5610, 2175, 255, legendaDe("TxManut")),
    campo("TxManut", 2280, 5580, 1095, 315, "0,00", "0.00", 10, RS, CINZA),
    rotulo("Label28", 120, 5910, 2175, 255, legendaDe("liqPagar")),
    campo("liqPagar", 2280, 5880, 1095, 315, "0,00", "0.00", 11, RS, CINZA),
    rotulo("Label9", 120, 6465, 2175, 255, legendaDe("valTxAdm")),
    campo("valTxAdm", 2280, 6435, 1095, 315, "0,00", "0.00", 12, RS, CINZA),
    rotulo("Label30", 120, 6780, 2175, 255, legendaDe("valTotalNF")),
    campo("valTotalNF", 2280, 6750, 1095, 315, "0,00", "0.00", 13, RS, CINZA),
    rotulo("Label43", 120, 7080, 2175, 255, legendaDe("valIR")),
    campo("valIR", 2280, 7050, 1095, 315, "0,00", "0.00", 14, RS, CINZA),
    rotulo("Label36", 120, 7395, 2175, 255, legendaDe("valISS")),
    campo("valISS", 2280, 7365, 1095, 315, "0,00", "0.00", 15, RS, CINZA),
    rotulo("Label37", 120, 7695, 2175, 255, legendaDe("valPIS")),
    campo("valPIS", 2280, 7665, 1095, 315, "0,00", "0.00", 16, RS, CINZA),
    rotulo("Label38", 120, 8010, 2175, 255, legendaDe("valCofins")),
    campo("valCofins", 2280, 7980, 1095, 315, "0,00", "0.00", 17, RS, CINZA),
    rotulo("Label40", 120, 8310, 2175, 255, legendaDe("nfLiq")),
    campo("nfLiq", 2280, 8280, 1095, 315, "0,00", "0.00", 18, RS, CINZA),
    rotulo("Label75", 120, 8790, 2175, 255, legendaDe("valSeg")),
    campo("valSeg", 2280, 8760, 1095, 315, "0,00", "0.00", 19, RS, CINZA),
    rotulo("Label25", 120, 9270, 2175, 255, legendaDe("valMargem")),
    campo("valMargem", 2280, 9240, 1095, 315, "0,00", "0.00", 20, RS, CINZA),

    // ---- DEPOIS column: labels at Left 3960, fields at Left 6240 ------------------------
    rotulo("Label80", 3960, 2295, 2295, 255, legendaDe("QuantDias2")),
    campo("QuantDias2", 6240, 2265, 555, 315, "1", {}, 21, E, PRETO),
    campo("QuantHorasDia2", 6795, 2265, 540, 315, "1,0", {}, 22, E, PRETO),
    rotulo("Label84", 3960, 2565, 1935, 255, legendaDe("HorasNoturnas")),
    campo("HorasNoturnas", 6240, 2565, 1095, 315, "0,0", {}, 23, E, PRETO),
    rotulo("Label83", 3960, 2850, 1935, 255, legendaDe("ValorHora2")),
    campo("ValorHora2", 6240, 2865, 1095, 315, "0,00", {}, 24, E, PRETO),
    rotulo("Label29", 3960, 3150, 2295, 255, legendaDe("ProdBruta2")),
    campo("ProdBruta2", 6240, 3165, 1095, 315, "0,00", {}, 25, EB, PRETO),
    rotulo("Label45", 3960, 3450, 2295, 255, legendaDe("valorAjCusto2")),
    campo("valorAjCusto2", 6240, 3465, 1095, 315, "0,00", {}, 26, E, PRETO),
    rotulo("Label48", 3960, 3765, 2295, 255, legendaDe("valDAR2")),
    campo("valDAR2", 6240, 3765, 1095, 315, "0,00", "0.00", 27, RS, PRETO),
    rotulo("Label51", 3960, 4065, 2295, 255, legendaDe("valInsalub")),
    campo("valInsalub", 6240, 4065, 1095, 315, "0,00", "0.00", 28, RS, PRETO),
    rotulo("Label50", 3960, 4380, 2295, 255, legendaDe("valPericExNot")),
    campo("valPericExNot", 6240, 4380, 1095, 315, "0,00", "0.00", 29, RS, PRETO),
    rotulo("Label49", 3960, 4680, 2295, 255, legendaDe("valDSR")),
    campo("valDSR", 6240, 4680, 1095, 315, "0,00", "0.00", 30, RS, PRETO),
    rotulo("Label31", 3960, 4995, 2295, 255, legendaDe("retINSS2")),
    campo("retINSS2", 6240, 4980, 1095, 315, "0,00", "0.00", 31, RS, PRETO),
    rotulo("Label39", 3960, 5295, 2295, 255, legendaDe("retIR2")),
    campo("retIR2", 6240, 5280, 1095, 315, "0,00", "0.00", 32, RS, PRETO),
    rotulo("Label47", 3960, 5610, 2295, 255, legendaDe("TxManut2")),
    campo("TxManut2", 6240, 5580, 1095, 315, "0,00", "0.00", 33, RS, PRETO),
    rotulo("Label42", 3960, 5910, 2295, 255, legendaDe("liqPagar2")),
    campo("liqPagar2", 6240, 5880, 1095, 315, "0,00", "0.00", 34, RS, PRETO),
    rotulo("Label10", 3960, 6465, 2295, 255, legendaDe("valTxAdm2")),
    campo("valTxAdm2", 6240, 6435, 1095, 315, "0,00", "0.00", 35, RS, CINZA),
    rotulo("Label27", 3960, 6780, 2295, 255, legendaDe("valTotalNF2")),
    campo("valTotalNF2", 6240, 6750, 1095, 315, "0,00", "0.00", 36, RS, CINZA),
    rotulo("Label24", 3960, 7080, 2295, 255, legendaDe("valIR2")),
    campo("valIR2", 6240, 7050, 1095, 315, "0,00", "0.00", 37, RS, CINZA),
    rotulo("Label23", 3960, 7395, 2295, 255, legendaDe("valISS2")),
    campo("valISS2", 6240, 7365, 1095, 315, "0,00", "0.00", 38, RS, CINZA),
    rotulo("Label19", 3960, 7695, 2295, 255, legendaDe("valPIS2")),
    campo("valPIS2", 6240, 7665, 1095, 315, "0,00", "0.00", 39, RS, CINZA),
    rotulo("Label13", 3960, 8010, 2295, 255, legendaDe("valCofins2")),
    campo("valCofins2", 6240, 7980, 1095, 315, "0,00", "0.00", 40, RS, CINZA),
    rotulo("Label26", 3960, 8310, 2295, 255, legendaDe("nfLiq2")),
    campo("nfLiq2", 6240, 8280, 1095, 315, "0,00", "0.00", 41, RS, CINZA),
    rotulo("Label76", 3960, 8790, 2295, 255, legendaDe("valSeg2")),
    campo("valSeg2", 6240, 8760, 1095, 315, "0,00", "0.00", 42, RS, CINZA),
    rotulo("Label41", 3960, 9270, 2295, 255, legendaDe("valMargem2")),
    campo("valMargem2", 6240, 9240, 1095, 315, "0,00", "0.00", 43, RS, CINZA),

    // ---- The "..." markers --------------------------------------------------------------
    marcador("Label86", 2040, 2295),
    marcador("Label71", 2040, 2895),
    marcador("Label72", 2040, 3495),
    marcador("Label87", 6000, 2295),
    marcador("Label88", 6000, 2595),
    marcador("Label73", 6000, 2895),
    marcador("Label74", 6000, 3495),

    // ---- Button row: Top 9840, 1125 x 285 -----------------------------------------------
    // "&" marks a caption's mnemonic (Alt and the letter, which shows underlined); the
    // buttons passed over by Tab are reached that way, and Help with F1.
    botao("Help", "Help", 120, 44, true),
    botao("Imprimir", "&Imprimir", 1635, 45, true),
    botao("Calcular", "Calcular", 3165, 46, false),
    botao("Tabelas", "&Tabelas", 4680, 47, true),
    botao("Sair", "&Sair", 6210, 48, true),

    // ---- Parameter-tables panel; the rows below are relative to it ----------------------
    // It reaches up over the modality list, which it hides while open, and down to the buttons,
    // to hold the rows of "IR 2026".
    {"Frame1", Tipo::Painel, {}, 7440, kTopoPainel, 7605, kFundoPainel - kTopoPainel, "Frame1", {}, 93},

    // Section "Tabela de IRRF - INSS"
    rotuloPainel("Label68", 240, 120, 3375, 255, "Tabela de IRRF - INSS"),
    linha("Line7", 240, 360, 3620, 360, Visual::LinhaSombra, kPainel),
    rotuloPainel("Label11", 360, 405, 1095, 255, "A partir de", Visual::Regular),
    rotuloPainel("Label17", 1560, 405, 975, 255, "Percentual", Visual::Regular),
    rotuloPainel("Label18", 2520, 405, 975, 255, "Desconto", Visual::Regular),
    campoPainel("aPartir1", 240, 600, 1095, 315, "0,00", {}, 49, E, "A partir de - faixa 1"),
    campoPainel("percentIR1", 1560, 600, 735, 315, "0,0", {}, 50, E, "Percentual - faixa 1"),
    campoPainel("Desconto1", 2520, 600, 1095, 315, "0,00", {}, 51, E, "Desconto - faixa 1"),
    campoPainel("aPartir2", 240, 960, 1095, 315, "0,00", {}, 52, E, "A partir de - faixa 2"),
    campoPainel("percentIR2", 1560, 960, 735, 315, "0,0", {}, 53, E, "Percentual - faixa 2"),
    campoPainel("Desconto2", 2520, 960, 1095, 315, "0,00", {}, 54, E, "Desconto - faixa 2"),
    campoPainel("aPartir3", 240, 1320, 1095, 315, "0,00", {}, 55, E, "A partir de - faixa 3"),
    campoPainel("percentIR3", 1560, 1320, 735, 315, "0,0", {}, 56, E, "Percentual - faixa 3"),
    campoPainel("Desconto3", 2520, 1320, 1095, 315, "0,00", {}, 57, E, "Desconto - faixa 3"),
    campoPainel("aPartir4", 240, 1680, 1095, 315, "0,00", {}, 58, E, "A partir de - faixa 4"),
    campoPainel("percentIR4", 1560, 1680, 735, 315, "0,0", {}, 59, E, "Percentual - faixa 4"),
    campoPainel("Desconto4", 2520, 1680, 1095, 315, "0,00", {}, 60, E, "Desconto - faixa 4"),
    rotuloPainel("Label15", 240, 2070, 1815, 255, "Desc Dependente"),
    campoPainel("abatDep", 2520, 2040, 1095, 315, "0,00", {}, 61, E, "Desc Dependente"),
    rotuloPainel("Label5", 240, 2430, 2055, 255, "INSS %"),
    campoPainel("percINSS", 2520, 2400, 1095, 315, "0,00", {}, 62, E, "INSS %"),
    rotuloPainel("Label14", 240, 2760, 1815, 255, "Teto INSS"),
    campoPainel("tetoINSS", 2520, 2760, 1095, 315, "0,00", {}, 63, E, "Teto INSS"),

    // Section "Impostos s/ Faturamento"
    rotuloPainel("Label46", 240, 3480, 3375, 255, "Impostos s/ Faturamento"),
    linha("Line2", 240, 3720, 3620, 3720, Visual::LinhaSombra, kPainel),
    rotuloPainel("Label32", 240, 3840, 1815, 255, "% IRRF"),
    campoPainel("percentIrrf", 2520, 3840, 1095, 315, "0,00", {}, 64, E, "% IRRF"),
    rotuloPainel("Label34", 240, 4200, 1815, 255, "% PIS"),
    campoPainel("percentPis", 2520, 4200, 1095, 315, "0,00", {}, 65, E, "% PIS"),
    rotuloPainel("Label35", 240, 4560, 1815, 255, "% Cofins"),
    campoPainel("percentCofins", 2520, 4560, 1095, 315, "0,00", {}, 66, E, "% Cofins"),
    rotuloPainel("Label33", 240, 4920, 1815, 255, "% ISS"),
    campoPainel("percentISS", 2520, 4920, 1095, 315, "0,00", {}, 67, E, "% ISS"),
    rotuloPainel("Label63", 240, 5310, 1440, 255, "ISS Incide sobre:"),
    lista("incideISS", 1680, 5280, 1935, 315, 68, "ISS Incide sobre:", "Label63", kPainel),

    // Section "Fundo Especial/DAR e DSR"
    rotuloPainel("Label61", 240, 5760, 3135, 255, "Fundo Especial/DAR e DSR"),
    linha("Line4", 240, 6000, 3375, 6000, Visual::LinhaSombra, kPainel),
    rotuloPainel("Label58", 240, 6150, 2055, 255, "Desc Semanal Rem %"),
    campoPainel("percDSR", 3000, 6120, 615, 315, "0,00", {}, 69, E, "Desc Semanal Rem %"),
    rotuloPainel("Label79", 240, 6510, 2055, 255, "DSR Incide sobre:"),
    lista("selecBaseDSR", 2280, 6480, 1335, 315, 70, "DSR Incide sobre:", "Label79", kPainel),
    rotuloPainel("Label57", 240, 6870, 2055, 255, "Fdo Especial / DAR %"),
    campoPainel("percDAR", 2280, 6840, 615, 315, "0,00", {}, 71, E, "Fdo Especial / DAR % - ANTES"),
    campoPainel("percDAR2", 3000, 6840, 615, 315, "0,00", {}, 72, E, "Fdo Especial / DAR % - DEPOIS"),

    // Section "Parâmetros da Operação"
    rotuloPainel("Label69", 3960, 120, 3135, 255, "Parâmetros da Operação"),
    linha("Line6", 3960, 360, 7080, 360, Visual::LinhaSombra, kPainel),
    rotuloPainel("Label4", 3960, 630, 2055, 255, "Rend c/ INSS Terceiros $"),
    campoPainel("InssTerc", 6120, 600, 1095, 315, "0,00", {}, 73, E, "Rend c/ INSS Terceiros $"),
    rotuloPainel("Label6", 3960, 990, 2055, 255, "Quant Dependentes"),
    campoPainel("quantDeps", 6120, 960, 1095, 315, "0", {}, 74, E, "Quant Dependentes"),
    rotuloPainel("Label2", 3960, 1365, 2055, 255, "Tx. Manutenção %"),
    campoPainel("percTxMan", 6120, 1320, 495, 315, "0,00", {}, 75, EF, "Tx. Manutenção % - ANTES"),
    campoPainel("percTxMan2", 6720, 1320, 495, 315, "0,00", {}, 76, EF, "Tx. Manutenção % - DEPOIS"),
    rotuloPainel("Label7", 3960, 1725, 2055, 255, "Tx. Administrativa %"),
    campoPainel("percTxAdm", 6120, 1680, 495, 315, "0,00", {}, 77, EF, "Tx. Administrativa % - ANTES"),
    campoPainel("percTxAdm2", 6720, 1680, 495, 315, "0,00", {}, 78, EF, "Tx. Administrativa % - DEPOIS"),
    rotuloPainel("Label62", 3960, 2070, 2055, 255, "Incide s/ Produção"),
    lista("incideTxAdmProd", 6120, 2040, 1095, 315, 79, "Taxa administrativa incide s/ Produção", "Label62", kPainel),
    rotuloPainel("Label65", 3960, 2430, 2055, 255, "Incide s/ Ajuda de Custo"),
    lista("incideTxAdmAjuda", 6120, 2400, 1095, 315, 80, "Taxa administrativa incide s/ Ajuda de Custo", "Label65",
          kPainel),
    rotuloPainel("Label66", 3960, 2790, 2055, 255, "Incide S/  Fdos Esp e DAR"),
    lista("incideTxAdmDAR", 6120, 2760, 1095, 315, 81, "Taxa administrativa incide s/ Fdos Esp e DAR", "Label66",
          kPainel),

    // Section "Valores Adicionais " (left field the percentage, right field the factor)
    rotuloPainel("Label64", 3960, 3480, 3135, 255, "Valores Adicionais "),
    linha("Line5", 3960, 3720, 7095, 3720, Visual::LinhaSombra, kPainel),
    rotuloPainel("Label3", 5880, 3840, 615, 255, "Percent.", Visual::Regular),
    rotuloPainel("Label16", 6720, 3840, 495, 255, "Fator", Visual::Regular),
    rotuloPainel("Label56", 3960, 4110, 2055, 255, "Adicional Periculos. %"),
    campoPainel("percPeric", 5880, 4080, 615, 315, "0,00", {}, 82, EF, "Adicional Periculos. % - Percent."),
    campoPainel("fatorPeric", 6600, 4080, 615, 315, "0,00", {}, 83, EF, "Adicional Periculos. % - Fator"),
    rotuloPainel("Label60", 3960, 4470, 2055, 255, "Adicional H. Noturnas %"),
    campoPainel("percNoturno", 5880, 4440, 615, 315, "0,00", {}, 84, EF, "Adicional H. Noturnas % - Percent."),
    campoPainel("fatorNoturno", 6600, 4440, 615, 315, "0,00", {}, 85, EF, "Adicional H. Noturnas % - Fator"),
    rotuloPainel("Label70", 3960, 4830, 2055, 255, "Adicional H. Extras %"),
    campoPainel("percExtra", 5880, 4800, 615, 315, "0,00", {}, 86, EF, "Adicional H. Extras % - Percent."),
    campoPainel("fatorExtra", 6600, 4800, 615, 315, "0,00", {}, 87, EF, "Adicional H. Extras % - Fator"),
    rotuloPainel("Label59", 3960, 5190, 2055, 255, "Adicional Insalub %"),
    campoPainel("percInsalub", 5880, 5160, 615, 315, "0,00", {}, 88, E, "Adicional Insalub % - Percent."),
    campoPainel("fatorInsalub", 6600, 5160, 615, 315, "0,00", {}, 89, E, "Adicional Insalub % - Fator"),
    rotuloPainel("Label67", 3960, 5550, 2055, 255, "Valor de Referência $"),
    campoPainel("tetoInsalub", 5880, 5520, 1335, 315, "0,00", {}, 90, E,
                "Adicional Insalubridade - Valor de Referência $"),

    // Section "Seguro de Acidente do Trabalho"
    rotuloPainel("Label78", 3960, 6120, 3135, 255, "Seguro de Acidente do Trabalho"),
    linha("Line3", 3960, 6360, 7200, 6360, Visual::LinhaSombra, kPainel),
    rotuloPainel("Label77", 3960, 6510, 2055, 255, "Percent s/ Produção %"),
    campoPainel("percSeg", 5880, 6480, 615, 315, "0,00", {}, 91, E,
                "Seguro de Acidente do Trabalho - Percent s/ Produção % - ANTES"),
    campoPainel("percSeg2", 6600, 6480, 615, 315, "0,00", {}, 92, E,
                "Seguro de Acidente do Trabalho - Percent s/ Produção % - DEPOIS"),

    // Section "IR 2026": the income-tax reduction and the simplified discount, a band across the
    // panel's width below both columns, one row of it per topoIR2026(row); in the tab order after
    // the panel's last field.
    rotuloPainel("Label89", 240, 7260, 3375, 255, "IR 2026"),
    linha("Line8", 240, 7500, 7200, 7500, Visual::LinhaSombra, kPainel),
    caixaPainel("reducaoIR", 240, topoIR2026(0) + 15, 2055, 285, "Aplicar redução", 94),
    {"carregarTabelas2026",
     Tipo::Botao,
     kPainel,
     2490,
     topoIR2026(0) + 15,
     1125,
     285,
     "Tabelas 2026",
     {},
     101,
     false,
     false,
     Visual::Comum,
     {}},
    rotuloPainel("Label90", 3960, topoIR2026(0) + 30, 1335, 255, "Isenção / limite"),
    campoPainel("reducaoIRIsencao", 5295, topoIR2026(0), 960, 315, "0,00", {}, 95, E, "Redução do IR - isenção até"),
    campoPainel("reducaoIRLimite", 6255, topoIR2026(0), 960, 315, "0,00", {}, 96, E, "Redução do IR - limite"),
    rotuloPainel("Label92", 240, topoIR2026(1) + 30, 2055, 255, "Desconto simplificado"),
    campoPainel("descontoSimplificado", 2520, topoIR2026(1), 1095, 315, "0,00", {}, 100, E, "Desconto simplificado"),
    rotuloPainel("Label91", 3960, topoIR2026(1) + 30, 1335, 255, "Parcela / fator"),
    campoPainel("reducaoIRParcela", 5295, topoIR2026(1), 960, 315, "0,00", {}, 97, E, "Redução do IR - parcela"),
    campoPainel("reducaoIRFator", 6255, topoIR2026(1), 960, 315, "0,000000", {}, 98, E, "Redução do IR - fator"),
    rotuloPainel("Label93", 3960, topoIR2026(2) + 30, 1335, 255, "Teto"),
    campoPainel("reducaoIRTeto", 5295, topoIR2026(2), 960, 315, "0,00", {}, 99, E, "Redução do IR - teto"),
});
// clang-format on

}  // namespace

std::span<const Controle> layoutJanela() { return kLayout; }

}  // namespace vestamar
