#include "regional.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QString>
#include <QTranslator>

namespace vestamar {

Separadores separadoresDoSistema() {
    const QLocale local = QLocale::system();
    Separadores sep;
    sep.decimal = local.decimalPoint().toStdString();
    sep.grupo = local.groupSeparator().toStdString();
    return sep;
}

bool carregarTraducoesDoQt(QCoreApplication& aplicacao) {
    auto* traducao = new QTranslator(&aplicacao);
    if (!traducao->load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete traducao;
        return false;
    }
    return QCoreApplication::installTranslator(traducao);
}

}  // namespace vestamar
