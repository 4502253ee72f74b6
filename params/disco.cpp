// The parameter file on the disk.
//
// A save does by hand what Qt's QSaveFile does, because this layer uses the standard library
// only (it is also built and tested for Windows without Qt): the content goes to a temporary
// file beside the real one, is flushed to the disk, takes the real file's permissions and is
// renamed over it, so a crash, a full disk or a power cut leaves either the old file or the
// new one. A symbolic link is followed and its target saved in the target's folder, so the
// link and a file shared through it stay as they are. Whether the user may change the file
// is asked of the system by opening it for writing (without emptying it), never worked out
// from permission bits, which root, ACLs and read-only disks make wrong. When no temporary
// file can be created beside a file that can be written, the file is rewritten in place.

#include "disco.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <fstream>
#include <random>
#include <utility>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vestamar::disco {

namespace fs = std::filesystem;

namespace {

#if defined(_WIN32)
constexpr int kEscrita = _O_WRONLY | _O_BINARY | _O_NOINHERIT;
constexpr int kCriacao = kEscrita | _O_CREAT | _O_EXCL;
constexpr int kModoNovo = _S_IREAD | _S_IWRITE;
int abrir(const fs::path& p, int modo, int permissoes = 0) { return ::_wopen(p.c_str(), modo, permissoes); }
long long escrever(int fd, const char* dados, std::size_t n) {
    return ::_write(fd, dados, static_cast<unsigned>(std::min<std::size_t>(n, 1u << 30)));
}
int descarregar(int fd) { return ::_commit(fd); }
int truncar(int fd, std::size_t tamanho) { return ::_chsize(fd, static_cast<long>(tamanho)); }
int fecharDescritor(int fd) { return ::_close(fd); }
#else
// Not blocking: a pipe or device named vestaMar.ini must not hang the program.
constexpr int kEscrita = O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
constexpr int kCriacao = kEscrita | O_CREAT | O_EXCL;
constexpr mode_t kModoNovo = 0666;  // less the user's umask, as for any new file
int abrir(const fs::path& p, int modo, mode_t permissoes = 0) { return ::open(p.c_str(), modo, permissoes); }
long long escrever(int fd, const char* dados, std::size_t n) { return ::write(fd, dados, n); }
int descarregar(int fd) { return ::fsync(fd); }
int truncar(int fd, std::size_t tamanho) { return ::ftruncate(fd, static_cast<off_t>(tamanho)); }
int fecharDescritor(int fd) { return ::close(fd); }
#endif

std::error_code erroDoSistema() {
    const int numero = errno;
    if (numero == 0) return std::make_error_code(std::errc::io_error);
    return {numero, std::generic_category()};
}

// An open file, closed when it goes out of scope unless fechar() did it first.
class Descritor {
public:
    explicit Descritor(int fd = -1) : fd_(fd) {}
    Descritor(Descritor&& outro) noexcept : fd_(std::exchange(outro.fd_, -1)) {}
    Descritor& operator=(Descritor&& outro) noexcept {
        std::swap(fd_, outro.fd_);
        return *this;
    }
    ~Descritor() { (void)fechar(); }
    explicit operator bool() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    std::error_code fechar() {
        if (fd_ < 0) return {};
        errno = 0;
        const int r = fecharDescritor(std::exchange(fd_, -1));
        return r == 0 ? std::error_code{} : erroDoSistema();
    }

private:
    int fd_;
};

// The whole content, from where the file stands (its start: it was just opened).
std::error_code gravarTudo(Descritor& arquivo, std::string_view conteudo, const OperacoesDisco& ops) {
    errno = 0;
    while (!conteudo.empty()) {
        const long long n = ops.escrever(arquivo.fd(), conteudo.data(), conteudo.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return erroDoSistema();
        conteudo.remove_prefix(static_cast<std::size_t>(n));
    }
    return {};
}

// The file cut to the content's length, flushed to the disk and closed.
std::error_code concluir(Descritor& arquivo, std::size_t tamanho, const OperacoesDisco& ops) {
    errno = 0;
    if (truncar(arquivo.fd(), tamanho) != 0) return erroDoSistema();
    if (ops.descarregar(arquivo.fd()) != 0) return erroDoSistema();
    return arquivo.fechar();
}

// Where a failure happened, for the part of the reason that depends on it.
enum class Etapa { AbrirArquivo, CriarNaPasta, Gravar };

std::string motivo(std::error_code ec, Etapa etapa) {
    using E = std::errc;
    if (ec == E::permission_denied || ec == E::operation_not_permitted) {
        switch (etapa) {
            case Etapa::AbrirArquivo:
                return "Sem permissão para alterar o arquivo: ele é somente leitura, pertence a "
                       "outro usuário ou está em uso por outro programa.";
            case Etapa::CriarNaPasta: return "Sem permissão para criar arquivos na pasta.";
            case Etapa::Gravar: return "Sem permissão para substituir o arquivo na pasta.";
        }
    }
    if (ec == E::read_only_file_system) return "O disco é somente leitura.";
    if (ec == E::no_space_on_device) return "Não há espaço livre no disco.";
#if defined(EDQUOT)
    if (ec.value() == EDQUOT && ec.category() == std::generic_category()) {
        return "A cota de disco do usuário está esgotada.";
    }
#endif
    if (ec == E::is_a_directory) return "Existe uma pasta com o nome do arquivo.";
    if (ec == E::no_such_file_or_directory || ec == E::not_a_directory) return "A pasta do arquivo não existe.";
    if (ec == E::too_many_symbolic_link_levels) return "As ligações simbólicas do arquivo formam um ciclo.";
    if (ec == E::filename_too_long) return "O caminho do arquivo é longo demais.";
    if (ec == E::device_or_resource_busy || ec == E::text_file_busy) return "O arquivo está em uso por outro programa.";
    if (ec == E::io_error) return "Erro de leitura ou gravação no disco.";
    return "Erro do sistema " + std::to_string(ec.value()) + " (" + ec.message() + ").";
}

ResultadoGravacao falha(const fs::path& arquivo, std::error_code ec, Etapa etapa) {
    return {false, arquivo, motivo(ec, etapa)};
}

std::uint32_t sufixoAleatorio() {
    try {
        std::random_device fonte;
        return fonte();
    } catch (...) {
        const auto agora = std::chrono::steady_clock::now().time_since_epoch().count();
        return static_cast<std::uint32_t>(agora);
    }
}

fs::path nomeTemporario(const fs::path& destino, std::uint32_t sufixo) {
    std::array<char, 8> hex{};
    auto [fim, erro] = std::to_chars(hex.data(), hex.data() + hex.size(), sufixo, 16);
    (void)erro;  // eight hex digits always fit
    fs::path nome = destino;
    nome += "." + std::string(hex.data(), fim) + ".tmp";
    return nome;
}

// The permissions and group a new file takes over from the file it replaces.
struct Dono {
    bool conhecido = false;
#if !defined(_WIN32)
    mode_t modo = 0;
    gid_t grupo = 0;
#endif
};

Dono donoDe([[maybe_unused]] const Descritor& aberto, [[maybe_unused]] const fs::path& modelo) {
    Dono dono;
#if !defined(_WIN32)
    struct stat info {};
    const bool lido = aberto ? ::fstat(aberto.fd(), &info) == 0 : !modelo.empty() && ::stat(modelo.c_str(), &info) == 0;
    if (lido) dono = {true, static_cast<mode_t>(info.st_mode & 07777), info.st_gid};
#endif
    return dono;
}

// Best effort, as QSaveFile: a group the user does not belong to cannot be given (EPERM).
// The group first, since changing it may clear the set-group-ID bit.
void passarDono([[maybe_unused]] const Descritor& novo, [[maybe_unused]] const Dono& dono) {
#if !defined(_WIN32)
    if (!dono.conhecido) return;
    (void)::fchown(novo.fd(), static_cast<uid_t>(-1), dono.grupo);
    (void)::fchmod(novo.fd(), dono.modo);
#endif
}

// Makes the rename itself durable: on POSIX systems the folder's entry is flushed apart from
// the file's data. Best effort; the new file is already complete either way.
void sincronizarPasta([[maybe_unused]] const fs::path& pasta) {
#if !defined(_WIN32)
    const int fd = ::open(pasta.empty() ? "." : pasta.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#endif
}

std::error_code renomearNoSistema(const fs::path& de, const fs::path& para) {
    std::error_code ec;
    fs::rename(de, para, ec);
    return ec;
}

// The direct write, for a file that can be written in a folder that cannot.
ResultadoGravacao reescrever(const fs::path& destino, std::string_view conteudo, const OperacoesDisco& ops) {
    errno = 0;
    Descritor arquivo(abrir(destino, kEscrita));
    if (!arquivo) return falha(destino, erroDoSistema(), Etapa::AbrirArquivo);
    std::error_code ec = gravarTudo(arquivo, conteudo, ops);
    if (!ec) ec = concluir(arquivo, conteudo.size(), ops);
    if (ec) return falha(destino, ec, Etapa::Gravar);
    return {true, destino, {}};
}

// The operations given, each empty one replaced by the system's own.
OperacoesDisco completas(const OperacoesDisco& dadas) {
    OperacoesDisco ops = operacoesDoSistema();
    if (dadas.escrever) ops.escrever = dadas.escrever;
    if (dadas.descarregar) ops.descarregar = dadas.descarregar;
    if (dadas.renomear) ops.renomear = dadas.renomear;
    return ops;
}

}  // namespace

std::optional<std::string> lerArquivo(const fs::path& caminho) {
    std::error_code ec;
    if (!fs::is_regular_file(caminho, ec)) return std::nullopt;
    std::ifstream entrada(caminho, std::ios::binary);
    if (!entrada) return std::nullopt;
    std::string conteudo;
    std::array<char, 16384> bloco{};
    while (entrada.read(bloco.data(), bloco.size()) || entrada.gcount() > 0) {
        conteudo.append(bloco.data(), static_cast<std::size_t>(entrada.gcount()));
        if (entrada.eof()) break;
    }
    if (entrada.bad()) return std::nullopt;
    return conteudo;
}

fs::path seguirLigacoes(const fs::path& caminho) {
    fs::path atual = caminho;
    // The limit of most systems for links met while resolving one path.
    for (int passo = 0; passo < 40; ++passo) {
        std::error_code ec;
        if (!fs::is_symlink(atual, ec)) return atual;
        const fs::path alvo = fs::read_symlink(atual, ec);
        if (ec) break;
        atual = alvo.is_absolute() ? alvo : atual.parent_path() / alvo;
    }
    return caminho;
}

ResultadoGravacao gravarArquivo(const fs::path& caminho, std::string_view conteudo, const OperacoesDisco& operacoes,
                                const fs::path& modelo) {
    const OperacoesDisco ops = completas(operacoes);
    const fs::path destino = seguirLigacoes(caminho);
    std::error_code ec;
    if (fs::is_directory(destino, ec)) {
        return falha(destino, std::make_error_code(std::errc::is_a_directory), Etapa::AbrirArquivo);
    }

    // The old file, opened for writing without emptying it: refused when the user may not
    // change it, whatever a save through the folder would allow.
    errno = 0;
    Descritor atual(abrir(destino, kEscrita));
    if (!atual && errno != ENOENT) return falha(destino, erroDoSistema(), Etapa::AbrirArquivo);
    const bool existe = static_cast<bool>(atual);
    const Dono dono = donoDe(atual, modelo);
    // Closed before the rename: Windows does not replace a file that is open.
    atual.fechar();

    const fs::path pasta = destino.parent_path();
    fs::path temporario;
    Descritor novo;
    for (int tentativa = 0; tentativa < 8 && !novo; ++tentativa) {
        temporario = nomeTemporario(destino, sufixoAleatorio());
        errno = 0;
        novo = Descritor(abrir(temporario, kCriacao, kModoNovo));
        if (!novo) {
            ec = erroDoSistema();
            if (ec != std::errc::file_exists) break;
        }
    }
    if (!novo) {
        if (existe) return reescrever(destino, conteudo, ops);
        return falha(destino, ec, Etapa::CriarNaPasta);
    }

    passarDono(novo, dono);
    ec = gravarTudo(novo, conteudo, ops);
    if (!ec) ec = concluir(novo, conteudo.size(), ops);
    if (!ec) ec = ops.renomear(temporario, destino);
    if (ec) {
        novo.fechar();
        std::error_code ignorado;
        fs::remove(temporario, ignorado);
        return falha(destino, ec, Etapa::Gravar);
    }
    sincronizarPasta(pasta);
    return {true, destino, {}};
}

}  // namespace vestamar::disco

namespace vestamar {

OperacoesDisco operacoesDoSistema() { return {disco::escrever, disco::descarregar, disco::renomearNoSistema}; }

}  // namespace vestamar
