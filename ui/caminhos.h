#pragma once
// Paths between Qt's texts and the standard library's: on Windows through UTF-16, the system's
// own encoding of names; elsewhere through the bytes the file system names files with.

#include <QFile>
#include <QString>

#include <filesystem>

namespace vestamar {

inline std::filesystem::path caminhoNativo(const QString& texto) {
#ifdef Q_OS_WIN
    return std::filesystem::path(texto.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(texto).toStdString());
#endif
}

inline QString textoDoCaminho(const std::filesystem::path& caminho) {
    return QString::fromStdU16String(caminho.u16string());
}

}  // namespace vestamar
