#include "regional.h"

#include <QLocale>
#include <QString>

namespace vestamar {

Separadores separadoresDoSistema() {
    const QLocale local = QLocale::system();
    Separadores sep;
    sep.decimal = local.decimalPoint().toStdString();
    sep.grupo = local.groupSeparator().toStdString();
    return sep;
}

}  // namespace vestamar
