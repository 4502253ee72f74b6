// `Imprimir`, `Help` and the buttons' shortcuts on the real window. The "printer" is a PDF file
// handed over through the printing surroundings, whose print system takes or refuses the job as
// the fixture says; the dialogs answer from the fixture, the browser is a URL handler.
#include "qt_gtest.h"

#include <QPrinter>

#include <memory>
#include <utility>

#include "impressao.h"
#include "impressora.h"

using namespace vestamar;

class Navegador : public QObject {
    Q_OBJECT
public:
    QList<QUrl> abertos;
    Q_INVOKABLE void abrir(const QUrl& url) { abertos.append(url); }
};

class Impressao : public ::testing::Test {
protected:
    FrmCalcProd janela;
    QTemporaryDir pasta;
    const QPageLayout folha = QPrinter().pageLayout();  // the same for printer and PDF file
    QString impressora, destinoPdf;                     // the files written; no printer when empty
    QString recusa;                                     // why the print system refuses the job; empty: it takes it
    bool aceitaPdf = false;
    bool servicoParado = false;      // the print service is not running
    QStringList ofertas, sugestoes;  // the PDF offers made, and the files suggested
    int avisos = 0;
    Navegador navegador;

    // The window as start-up leaves it, with a figure too long for its field and two no longer
    // current (liqPagar shows 12.345,67 and valIR 7.654,32), and the parameter file's path.
    void SetUp() override {
        janela.setFixedWidth(FrmCalcProd::pixels(7700));
        janela.controle("Titulo")->move(0, FrmCalcProd::pixels(240));
        janela.setProperty(kPropriedadeArquivo, q("/pasta/do/usuário/vestaMar.ini"));
        janela.campo("valTotalNF2")->setText(q("125.000.000.000.600,00"));
        for (const auto& [campo, texto] : {std::pair("liqPagar", "12.345,67"), {"valIR", "7.654,32"}}) {
            janela.campo(campo)->setText(q(texto));
            janela.campo(campo)->setDesatualizado(true);
        }
        const AmbienteImpressao ambiente{[this] {
                                             auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
                                             p->setOutputFileName(impressora);
                                             return impressora.isEmpty() ? nullptr : std::move(p);
                                         },
                                         [this](QPrinter& p, const std::function<bool(QPrinter&)>& pagina) {
                                             return !recusa.isEmpty() ? recusa : pagina(p) ? QString() : q("falhou");
                                         },
                                         [this](QWidget*, const QString& m) {
                                             ofertas.append(m);
                                             return aceitaPdf;
                                         },
                                         [this](QWidget*, const QString& s) {
                                             sugestoes.append(s);
                                             return destinoPdf;
                                         },
                                         [this](QWidget*, const QString&) { ++avisos; },
                                         [this] { return !servicoParado; }};
        conectarImpressaoEAjuda(janela, {[this, ambiente] { imprimir(janela, foraDoPapel(janela), ambiente); },
                                         [this, ambiente] { salvarComoPdf(janela, foraDoPapel(janela), ambiente); }});
        QDesktopServices::setUrlHandler("http", &navegador, "abrir");
        // The documents folder, when there is one, is in here (for the rest of this test program).
        qputenv("HOME", pasta.path().toLocal8Bit());
        ASSERT_TRUE(ativar(janela));
        ASSERT_TRUE(janela.campo("valTotalNF2")->encurtado());
    }
    void TearDown() override { QDesktopServices::unsetUrlHandler("http"); }

    // Where a control of the window lands on the page rasterised at 50 dpi: the window fills
    // the printable width.
    QRect naPagina(const char* nome) {
        const QWidget* c = janela.controle(nome);
        const QRect area = folha.paintRectPixels(50);
        const qreal s = area.width() / qreal(janela.width());
        return QTransform::fromTranslate(area.x(), area.y())
            .scale(s, s)
            .mapRect(QRectF(c->mapTo(&janela, QPoint()), c->size()))
            .toRect()
            .adjusted(1, 1, -1, -1);
    }
};

// Every way through `Imprimir`: printed, or the PDF offer declined, accepted or failing; the PDF
// file suggested in the documents folder, or in the home folder when there is none. The window
// looks and reads as before. A case: the printer's file (none when empty; a missing folder fails
// the job), why the print system refuses the job, the panel shown, the offer accepted, the PDF
// file chosen, part of the offer, the warnings, p.pdf written (by the printer or as the PDF
// file), "Salvar PDF…" from the window's menu (Ctrl+Shift+S) instead of `Imprimir`, and where
// the PDF is suggested within the home folder (nullptr: not asked). The page is one, drawn as
// the window without its banner and buttons; as a PDF reader extracts its text, it has both
// scenario headings, a footer with the date and the parameter file's path, a figure the window
// shows as "###" whole, and one not current as "não calculado", never the old figure.
TEST_F(Impressao, PaginaUnicaComOTituloECabecalhosSemBannerEBotoes) {
    struct Caso {
        const char *caso, *impressora, *recusa;
        bool painel, aceita;
        const char *destino, *mensagem;
        int avisos;
        bool escrito, menu = false;
        const char* sugerido = nullptr;
        bool parado = false;
    } const casos[] = {
        {"impressa", "p.pdf", "", false, false, "", "", 0, true},
        {"recusado", "", "", false, false, "p.pdf", "Nenhuma impressora", 0, false},
        {"aceito", "", "", false, true, "p.pdf", "Nenhuma impressora", 0, true, false, ""},
        {"falha, aceito", "falta/x.pdf", "", true, true, "p.pdf", "Não foi possível imprimir", 0, true},
        {"trabalho recusado, aceito", "x.pdf", "a impressora não está aceitando trabalhos", false, true, "p.pdf",
         "\": a impressora não está aceitando trabalhos.\n", 0, true},
        {"PDF impossível", "", "", false, true, "falta/x.pdf", "Nenhuma impressora", 1, false},
        {"Salvar PDF…", "x.pdf", "", false, false, "p.pdf", "", 0, true, true, "Documents/"},
        {"serviço parado, aceito", "", "", false, true, "p.pdf", "o serviço de impressão não está em execução.\n", 0,
         true, false, nullptr, true},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.caso);
        QFile::remove(pasta.filePath("p.pdf"));
        ofertas = sugestoes = QStringList();
        avisos = 0;
        impressora = *c.impressora ? pasta.filePath(c.impressora) : QString();
        recusa = q(c.recusa);
        aceitaPdf = c.aceita;
        servicoParado = c.parado;
        destinoPdf = pasta.filePath(c.destino);
        janela.controle("Frame1")->move(0, janela.controle("Frame1")->y());
        janela.controle("Frame1")->setVisible(c.painel);
        cbutton* imprimir = janela.botao("Imprimir");
        imprimir->setFocus(Qt::MouseFocusReason);
        const QImage aspecto = janela.grab().toImage();
        if (c.menu) {
            QDir(pasta.path()).mkdir(q("Documents"));
            QTest::keyClick(&janela, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
            EXPECT_FALSE(QFile::exists(impressora)) << "the printer is left alone";
        } else {
            QTest::mouseClick(imprimir, Qt::LeftButton);
        }
        EXPECT_EQ(QApplication::focusWidget(), imprimir);
        EXPECT_EQ(janela.grab().toImage(), aspecto);
        EXPECT_EQ(ofertas.size(), *c.mensagem ? 1 : 0);
        EXPECT_TRUE(ofertas.value(0).contains(q(c.mensagem))) << ofertas.value(0).toStdString();
        EXPECT_EQ(avisos, c.avisos);
        if (c.sugerido) {
#ifdef Q_OS_WIN
            // Windows' documents folder is the user's own, always there, wherever HOME points.
            const QString documentos = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
            EXPECT_EQ(sugestoes, QStringList{QDir(documentos).filePath(q("vestaMar - Simulação.pdf"))});
#else
            EXPECT_EQ(sugestoes, QStringList{pasta.filePath(q(c.sugerido) + q("vestaMar - Simulação.pdf"))});
#endif
        }

        const QString pdf = pasta.filePath("p.pdf");
        QFile f(pdf);
        ASSERT_EQ(f.open(QIODevice::ReadOnly), c.escrito);
        if (!c.escrito) continue;
        EXPECT_EQ(QString::fromLatin1(f.readAll()).count(QRegularExpression("/Type\\s*/Page\\b")), 1);
        QProcess::execute("pdftoppm", {"-png", "-r", "50", "-singlefile", pdf, pdf});
        const QImage pagina(pdf + ".png");
        ASSERT_FALSE(pagina.isNull());
        // The title where the banner was, in grey, not the banner's colours; blank where the
        // buttons were; the headings on paper unless the panel covers their place.
        const auto papel = [](const QColor& p) { return qGray(p.rgb()) < 230; };
        EXPECT_GT(comTinta(pagina, naPagina("Titulo"), papel).width(), 100);
        EXPECT_TRUE(
            comTinta(pagina, naPagina("Image1"), [](const QColor& p) { return p.hsvSaturation() > 40; }).isEmpty());
        for (const char* nome : {"Help", "Tabelas", "Sair", "Calcular", "Imprimir"})
            EXPECT_TRUE(comTinta(pagina, naPagina(nome), papel).isEmpty()) << nome;
        if (!c.painel) {
            EXPECT_FALSE(comTinta(pagina, naPagina("Label44"), papel).isEmpty());
        }
        EXPECT_FALSE(comTinta(pagina, naPagina(c.painel ? "Label69" : "liqPagar"), papel).isEmpty());

        QProcess texto;
        texto.start("pdftotext", {"-layout", pdf, "-"});
        ASSERT_TRUE(texto.waitForFinished());
        const QString lido = QString::fromUtf8(texto.readAllStandardOutput());
        // The footer, the file's path as the system writes paths (backslashes on Windows); what
        // the panel does not cover.
        const QString hoje = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
        QStringList presentes{q("Impresso em ") + hoje,
                              q("Parâmetros: ") + QDir::toNativeSeparators(q("/pasta/do/usuário/vestaMar.ini"))};
        if (!c.painel)
            presentes << q("Cálculo de Prod. Cooperativista - ANTES") << q("Cálculo de Prod. Cooperativista - DEPOIS")
                      << q("125.000.000.000.600,00") << q("não calculado");
        for (const QString& trecho : presentes) EXPECT_TRUE(lido.contains(trecho)) << lido.toStdString();
        for (const char* trecho : {"###", "12.345,67", "7.654,32"}) EXPECT_FALSE(lido.contains(q(trecho))) << trecho;
    }
}

// Alt and the underlined letter press Sair, Tabelas and Imprimir; F1 presses Help, which opens
// the help page, or, with no browser to open it, says so, giving the page's address as text the
// user can select and copy. The focus stays in the field. The letter shows underlined; the name
// read out is the bare word. A button with the focus is pressed by the mouse, Space and Enter.
TEST_F(Impressao, BotoesPressionadosPeloTecladoEPeloMouse) {
    ETextctl* campo = janela.campo("ProdBruta");
    campo->setFocus();
    const std::pair<const char*, QKeyCombination> atalhos[] = {
        {"Sair", Qt::ALT | Qt::Key_S},
        {"Tabelas", Qt::ALT | Qt::Key_T},
        {"Imprimir", Qt::ALT | Qt::Key_I},
        {"Help", QKeyCombination(Qt::Key_F1)},
    };
    for (const auto& [nome, tecla] : atalhos) {
        SCOPED_TRACE(nome);
        QSignalSpy cliques(janela.botao(nome), &cbutton::Click);
        QTest::keyClick(campo, tecla.key(), tecla.keyboardModifiers());
        EXPECT_TRUE(cliques.count() == 1 || cliques.wait(1000));
        EXPECT_EQ(QApplication::focusWidget(), campo);
    }
    EXPECT_EQ(navegador.abertos, QList<QUrl>{QUrl(q("http://ajuda.vestamar.com.br/index.php?View=entry&EntryID=47"))});
    cbutton semAtalho;
    semAtalho.setCaption(q("Sair"));
    semAtalho.resize(janela.botao("Sair")->size());
    EXPECT_NE(semAtalho.grab().toImage(), janela.botao("Sair")->grab().toImage());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(janela.botao("Sair"))->text(QAccessible::Name), q("Sair"));
    cbutton* calcular = janela.botao("Calcular");
    calcular->setFocus();
    QSignalSpy cliques(calcular, &cbutton::Click);
    QTest::mouseClick(calcular, Qt::LeftButton);
    for (const auto tecla : {Qt::Key_Space, Qt::Key_Return}) QTest::keyClick(calcular, tecla);
    QTest::keyClick(calcular, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(cliques.count(), 4);

    QDesktopServices::unsetUrlHandler("http");  // the offscreen platform opens no browser
    QString copiado;
    int mensagens = 0;
    {
        const RespostaAosDialogos resposta([&](QWidget* dialogo) {
            ++mensagens;
            auto* rotulo = dialogo->findChild<QLabel*>(q("qt_msgbox_label"));
            ASSERT_NE(rotulo, nullptr);
            rotulo->setFocus();
            QTest::keyClick(rotulo, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(rotulo, Qt::Key_C, Qt::ControlModifier);
            copiado = QGuiApplication::clipboard()->text();
            qobject_cast<QDialog*>(dialogo)->accept();
        });
        QTest::keyClick(campo, Qt::Key_F1);
        EXPECT_TRUE(QTest::qWaitFor([&] { return mensagens == 1; }, 2000));
    }
    EXPECT_TRUE(copiado.contains(enderecoAjuda().toString())) << copiado.toStdString();
}

// The printing module the program loads when the user first prints: found in the program's
// folder with both entry points; where it is missing, the reason the user is told.
TEST(ModuloDeImpressao, CarregadoDaPastaDoProgramaOuMotivoDito) {
    EXPECT_TRUE(carregarModuloImpressao(q(VESTAMAR_PASTA_DO_MODULO)).carregado());
    const ModuloImpressao ausente = carregarModuloImpressao(QDir::temp().filePath(q("sem-modulo")));
    EXPECT_FALSE(ausente.carregado());
    EXPECT_TRUE(ausente.erro.contains(q("vestamar_impressora"))) << ausente.erro.toStdString();
}

#include "impressao_test.moc"
