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

LocalParametros escolherLocal(const QString& pastaPrograma, bool instalado, const QString& pastaUsuario,
                              const QString& pastaAdministrador) {
    // The administrator's file: read only, it seeds each user's file the first time.
    const QString origem = instalado ? pastaAdministrador : pastaPrograma;
    const QString arquivoOrigem = QDir(origem).filePath(nomeArquivo());
    const bool existeOrigem = QFileInfo(arquivoOrigem).isFile();
    if (!instalado && (existeOrigem ? podeGravarNoLugar(arquivoOrigem) : podeCriarArquivo(pastaPrograma))) {
        return {pastaPrograma, {}};
    }
    // With no folder of its own the user keeps the executable's (not installed) or reads the
    // administrator's (installed): the start-up still reads it, and `Sair` asks before leaving
    // without saving.
    if (pastaUsuario.isEmpty()) return {origem, instalado ? origem : QString()};
    QDir().mkpath(pastaUsuario);
    const QString doUsuario = QDir(pastaUsuario).filePath(nomeArquivo());
    if (existeOrigem && !QFileInfo::exists(doUsuario)) semear(arquivoOrigem, doUsuario);
    // A home folder that cannot be written: the administrator's values are shown all the same.
    if (existeOrigem && !QFileInfo::exists(doUsuario)) return {pastaUsuario, origem};
    return {pastaUsuario, {}};
}

bool programaInstalado(const QString& pastaPrograma) {
#ifdef Q_OS_WIN
    return QFileInfo(QDir(pastaPrograma).filePath(QStringLiteral("instalado"))).isFile();
#else
    return QFileInfo(QDir(pastaPrograma).filePath(QStringLiteral("../share/vestamar/instalado"))).isFile();
#endif
}

QString pastaDoAdministrador(const QString& pastaPrograma) {
#ifdef Q_OS_WIN
    return pastaPrograma;
#else
    // As GNUInstallDirs: the prefix /usr keeps its configuration in /etc.
    const QString prefixo = QDir::cleanPath(pastaPrograma + QStringLiteral("/.."));
    const QString etc = prefixo == QStringLiteral("/usr") ? QStringLiteral("/etc") : prefixo + QStringLiteral("/etc");
    return etc + QStringLiteral("/vestaMar");
#endif
}

LocalParametros localDosParametros(const QString& pastaPrograma) {
    const bool instalado = programaInstalado(pastaPrograma);
    return escolherLocal(pastaPrograma, instalado, pastaDoUsuario(),
                         instalado ? pastaDoAdministrador(pastaPrograma) : QString());
}

QString pastaDoUsuario() {
#ifdef Q_OS_WIN
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
#else
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
#endif
}

}  // namespace vestamar
