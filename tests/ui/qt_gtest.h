#pragma once
// Helpers of the window tests: readable QString values in GoogleTest's failure messages, and
// a window shown and made active as the user would find it.
#include <gtest/gtest.h>

#include <QColor>
#include <QString>
#include <QTest>
#include <QWidget>

#include <ostream>

inline void PrintTo(const QString& texto, std::ostream* saida) { *saida << '"' << texto.toStdString() << '"'; }
inline void PrintTo(const QColor& cor, std::ostream* saida) { *saida << cor.name().toStdString(); }

inline QString q(const char* texto) { return QString::fromUtf8(texto); }

inline bool ativar(QWidget& janela) {
    janela.show();
    janela.activateWindow();
    return QTest::qWaitForWindowActive(&janela);
}
