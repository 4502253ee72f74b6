#pragma once
// "Relatório da simulação": the simulation handed to the client as a PDF file of text.
//
// The window gathers what the report says (Simulador::relatorio(), relatorio_dados.cpp): the
// rows of both columns as "Copiar resultados" gives them, the panel's parameters as the panel
// shows them, and every result's working. The printing module lays it out (relatorio.cpp):
// page 1 the title, the set, the date and time and the columns with their difference; the next
// pages the parameters and the workings; on every page a footer "Página n de m". The text is
// text in the PDF, so it can be selected and searched.

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace vestamar {

struct Relatorio {
    QString titulo;      // the program's title
    QString conjunto;    // the parameter set's file name
    QString caminho;     // and its path
    QDateTime quando;    // when the report was made
    QString modalidade;  // "Mensal" or "Plantões"
    // The columns: a header (caption, ANTES, DEPOIS, difference), then one row each, inputs
    // included, a figure not calculated saying so.
    QList<QStringList> colunas;
    // The panel's parameters, caption and value as the panel shows them, in its order.
    QList<QStringList> parametros;
    // Each result's working, ANTES then DEPOIS, in the window's order.
    struct Memoria {
        QString coluna;  // "ANTES" or "DEPOIS"
        QString rotulo;
        QString texto;
    };
    QList<Memoria> memorias;
};

// Lays the report out and writes it as the PDF file `arquivo`, whole or not at all. Empty when
// it was written; otherwise why not, for the user.
QString gravarRelatorioPdf(const Relatorio& relatorio, const QString& arquivo);

// The printing module's entry point for the report (impressao.h loads it).
using EntradaRelatorio = bool (*)(const Relatorio* relatorio, const QString* arquivo, QString* erro);

}  // namespace vestamar
