#include "local_parametros.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryFile>

#include "arquivo_parametros.h"

namespace vestamar {

namespace {

QString nomeArquivo() { return QString::fromUtf8(kNomeArquivo.data(), static_cast<qsizetype>(kNomeArquivo.size())); }

// True when a new file can be created in the folder: one is created and removed again.
bool podeCriarArquivo(const QString& pasta) {
    QTemporaryFile teste(QDir(pasta).filePath(QStringLiteral(".vestaMar-XXXXXX")));
    return teste.open();
}

// True when the existing file opens for writing; nothing is truncated or changed.
bool podeGravarNoLugar(const QString& arquivo) {
    QFile f(arquivo);
    return f.open(QIODevice::ReadWrite | QIODevice::ExistingOnly);
}

// The user's first file, copied from the administrator's. The bytes are copied into a new file
// rather than the file itself, so the user's copy does not inherit a read-only mode; QSaveFile
// leaves no half-written file when the copy fails.
void semear(const QString& origem, const QString& destino) {
    QFile entrada(origem);
    if (!entrada.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = entrada.readAll();
    QSaveFile saida(destino);
    if (saida.open(QIODevice::WriteOnly) && saida.write(bytes) == bytes.size()) saida.commit();
}

}  // namespace

QString pastaDosParametros(const QString& pastaPrograma, const QString& pastaUsuario) {
    const QString aoLado = QDir(pastaPrograma).filePath(nomeArquivo());
    const bool existeAoLado = QFileInfo(aoLado).isFile();
    // A file beside the executable that the user cannot write is an administrator's defaults:
    // it seeds the user's own file and is never written.
    if (existeAoLado ? podeGravarNoLugar(aoLado) : podeCriarArquivo(pastaPrograma)) return pastaPrograma;
    // With no folder of its own the user keeps the executable's: the start-up still reads it,
    // and `Sair` asks before leaving without saving.
    if (pastaUsuario.isEmpty()) return pastaPrograma;
    QDir().mkpath(pastaUsuario);
    const QString doUsuario = QDir(pastaUsuario).filePath(nomeArquivo());
    if (existeAoLado && !QFileInfo::exists(doUsuario)) semear(aoLado, doUsuario);
    return pastaUsuario;
}

QString pastaDoUsuario() {
#ifdef Q_OS_WIN
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
#else
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
#endif
}

std::filesystem::path caminhoNativo(const QString& pasta) {
#ifdef Q_OS_WIN
    return std::filesystem::path(pasta.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(pasta).toStdString());
#endif
}

}  // namespace vestamar
