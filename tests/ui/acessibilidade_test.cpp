// The window as a screen reader finds it, through the accessibility interfaces Qt hands to the
// platform (AT-SPI on Linux): lists labelled by their captions, names that say which group a
// field belongs to, results read-only, and the panel's fields reachable while it is open.
#include "qt_gtest.h"

#include "layout_janela.h"
#include "linhas.h"

using namespace vestamar;

namespace {

QAccessibleInterface* acessivel(QWidget* w) { return QAccessible::queryAccessibleInterface(w); }

}  // namespace

// A list reports its current item as its name ("Sim", three times), so each is labelled by the
// caption beside it on its row: the one relation a reader follows to say what the list is for.
TEST(Acessibilidade, CadaListaRotuladaPelaLegendaAoLado) {
    FrmCalcProd janela;
    janela.construirPainel();
    int listas = 0;
    for (const Controle& c : layoutJanela()) {
        if (c.tipo != Tipo::Lista) continue;
        ++listas;
        QWidget* lista = janela.controle(c.nome);
        const auto rotulos = acessivel(lista)->relations(QAccessible::Label);
        ASSERT_EQ(rotulos.size(), 1) << c.nome;
        auto* legenda = qobject_cast<QLabel*>(rotulos[0].first->object());
        ASSERT_NE(legenda, nullptr) << c.nome;
        EXPECT_EQ(rotulos[0].first->text(QAccessible::Name), legenda->text());
        // Beside it: on its row, to its left.
        const QRect l = lista->geometry(), r = legenda->geometry();
        EXPECT_TRUE(r.right() <= l.left() && r.top() < l.bottom() && r.bottom() > l.top()) << c.nome;
    }
    EXPECT_EQ(listas, 6);
}

// Names carry their group where the row's caption alone is ambiguous, and the caption and column
// of a field of the columns; results are read-only and not editable, inputs editable.
TEST(Acessibilidade, NomesComOGrupoEResultadosSoDeLeitura) {
    FrmCalcProd janela;
    const std::pair<const char*, const char*> grupos[] = {{"percSeg", "Seguro de Acidente do Trabalho"},
                                                          {"percSeg2", "Seguro de Acidente do Trabalho"},
                                                          {"tetoInsalub", "Adicional Insalubridade"}};
    for (const auto& [nome, grupo] : grupos)
        EXPECT_TRUE(acessivel(janela.controle(nome))->text(QAccessible::Name).contains(q(grupo))) << nome;
    // Every field has a name of its own; a field of the columns says which column it is in.
    QSet<QString> nomes;
    for (ETextctl* f : janela.campos()) {
        const QString nome = acessivel(f)->text(QAccessible::Name);
        EXPECT_FALSE(nome.isEmpty()) << f->objectName().toStdString();
        EXPECT_FALSE(nomes.contains(nome)) << nome.toStdString();
        nomes.insert(nome);
    }
    for (const LinhaResultado& l : kLinhas) {
        for (const auto& [c, coluna] : {std::pair(l.antes, " - ANTES"), std::pair(l.depois, " - DEPOIS")}) {
            if (c.campo.empty()) continue;
            const QString nome = acessivel(janela.controle(c.campo))->text(QAccessible::Name);
            EXPECT_TRUE(nome.startsWith(qtexto(c.rotulo)) && nome.endsWith(q(coluna))) << nome.toStdString();
        }
    }
    int resultados = 0;
    for (ETextctl* f : janela.campos()) {
        const QAccessible::State estado = acessivel(f)->state();
        const bool resultado = f->focusPolicy() == Qt::ClickFocus && f->locked();
        resultados += resultado;
        if (resultado) {
            EXPECT_TRUE(estado.readOnly && !estado.editable) << f->objectName().toStdString();
        }
        if (!f->locked()) {
            EXPECT_TRUE(!estado.readOnly && estado.editable) << f->objectName().toStdString();
        }
    }
    EXPECT_GT(resultados, 0);
}

// While the panel is open, every field in it is reached by Tab and focusable for a reader, the
// ten the designed order passes over included; while it is closed, none is.
TEST(Acessibilidade, CamposDoPainelAlcancaveisSoComOPainelAberto) {
    FrmCalcProd janela;
    QWidget* painel = janela.controle("Frame1");
    ASSERT_TRUE(ativar(janela));
    for (const bool aberto : {false, true}) {
        painel->setVisible(aberto);
        QSet<QWidget*> alcancados;
        QWidget* w = janela.controle("selecModalidade");
        w->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < 200; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            alcancados.insert(QApplication::focusWidget());
        }
        for (ETextctl* f : painel->findChildren<ETextctl*>()) {
            EXPECT_EQ(alcancados.contains(f), aberto) << f->objectName().toStdString();
            const QAccessible::State estado = acessivel(f)->state();
            EXPECT_TRUE(aberto ? estado.focusable && !estado.invisible : estado.invisible)
                << f->objectName().toStdString();
        }
    }
}
