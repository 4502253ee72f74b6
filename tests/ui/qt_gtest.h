#pragma once
// Readable QString values in GoogleTest's failure messages.
#include <QString>

#include <ostream>

inline void PrintTo(const QString& texto, std::ostream* saida) { *saida << '"' << texto.toStdString() << '"'; }
