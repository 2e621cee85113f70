#include "model/ArquivoTexto.h"

#include "model/Erros.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fendril {

std::string LeTextoArquivo(const std::string& caminho) {
    std::string conteudo;
    if (!LeConteudoArquivo(caminho, conteudo)) {
        throw EErroGeral::Create("Could Not Open File " + caminho);
    }
    return conteudo;
}

TListaTextos LeLinhasTexto(const std::string& caminho) {
    const std::string conteudo = LeTextoArquivo(caminho);
    TListaTextos linhas;
    std::size_t inicio = 0;
    for (std::size_t i = 0; i < conteudo.size(); ++i) {
        if (conteudo[i] == '\r' || conteudo[i] == '\n') {
            linhas.push_back(conteudo.substr(inicio, i - inicio));
            if (conteudo[i] == '\r' && i + 1 < conteudo.size() && conteudo[i + 1] == '\n') {
                ++i;
            }
            inicio = i + 1;
        }
    }
    if (inicio < conteudo.size()) {
        linhas.push_back(conteudo.substr(inicio));
    }
    return linhas;
}

TListaTextos CortaLinhasLF(std::string_view texto) {
    TListaTextos linhas;
    while (!texto.empty()) {
        const std::size_t fim = texto.find('\n');
        std::string_view linha = texto.substr(0, fim);
        if (!linha.empty() && linha.back() == '\r') {
            linha.remove_suffix(1);
        }
        linhas.emplace_back(linha);
        if (fim == std::string_view::npos) {
            break;
        }
        texto.remove_prefix(fim + 1);
    }
    return linhas;
}

EFalhaGravacao::EFalhaGravacao(const std::string& caminho, std::string motivo)
    : Exception("Could Not Write File " + caminho + " (" + motivo + ")"),
      m_motivo(std::move(motivo)) {}

namespace {

[[noreturn]] void FalhaAoSalvar(const std::string& caminho, int erro) {
    throw EFalhaGravacao(caminho, std::strerror(erro));
}

// Writes all of `dados`, resuming after partial writes and interruptions; 0 or the errno.
int EscreveTudo(int descritor, std::string_view dados) {
    while (!dados.empty()) {
        const ssize_t escritos = ::write(descritor, dados.data(), dados.size());
        if (escritos < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (escritos == 0) {
            return EIO;
        }
        dados.remove_prefix(static_cast<std::size_t>(escritos));
    }
    return 0;
}

// The file a save replaces: a symbolic link is followed, so the document it points at is
// replaced and the link stays.
std::string DestinoReal(const std::string& caminho) {
    struct stat estado {};
    if (::lstat(caminho.c_str(), &estado) == 0 && S_ISLNK(estado.st_mode)) {
        if (char* real = ::realpath(caminho.c_str(), nullptr)) {
            std::string destino(real);
            std::free(real);
            return destino;
        }
    }
    return caminho;
}

// The directory part of a path, with its final "/" ("" for a bare file name).
std::string PastaDe(const std::string& caminho) {
    const std::size_t barra = caminho.rfind('/');
    return barra == std::string::npos ? std::string() : caminho.substr(0, barra + 1);
}

// Six characters that differ between calls and between processes.
std::string SufixoAleatorio() {
    static std::atomic<std::uint64_t> contador{0};
    std::uint64_t x =
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
        (static_cast<std::uint64_t>(::getpid()) << 32) ^
        (contador.fetch_add(1) * 0x9E3779B97F4A7C15ULL);
    // splitmix64 finaliser, so that close inputs give unrelated names.
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ULL;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBULL;
    x ^= x >> 31;
    constexpr std::string_view letras = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string sufixo;
    for (int i = 0; i < 6; ++i) {
        sufixo.push_back(letras[x % letras.size()]);
        x /= letras.size();
    }
    return sufixo;
}

// A new, empty file beside `destino`, opened for writing; its path goes to `temporario`.
// The file is made with the usual permissions (0666 less the umask). Returns the
// descriptor, or -1 with errno set.
int CriaTemporario(const std::string& destino, std::string& temporario) {
    // A long file name would exceed the name limit once extended; a short name in the same
    // folder keeps the final rename on one file system all the same.
    const std::size_t tamanhoNome = destino.size() - PastaDe(destino).size();
    const bool nomeCurto = tamanhoNome + 16 <= NAME_MAX;
    for (int tentativa = 0; tentativa < 100; ++tentativa) {
        temporario = nomeCurto ? destino + ".tmp-" + SufixoAleatorio()
                               : PastaDe(destino) + ".fendril-tmp-" + SufixoAleatorio();
        const int descritor =
            ::open(temporario.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descritor >= 0 || errno != EEXIST) {
            return descritor;
        }
    }
    errno = EEXIST;
    return -1;
}

// Makes a completed rename durable; a folder that cannot be synchronised is no failure of
// the save.
void SincronizaPasta(const std::string& destino) {
    const std::string pasta = PastaDe(destino);
    const int descritor =
        ::open(pasta.empty() ? "." : pasta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descritor >= 0) {
        ::fsync(descritor);
        ::close(descritor);
    }
}

// Writes every line followed by CR LF; 0 or the errno of the failed write.
int EscreveLinhas(int descritor, const TListaTextos& linhas) {
    constexpr std::size_t TamanhoBuffer = std::size_t{1} << 20;
    std::string buffer;
    buffer.reserve(TamanhoBuffer + 256);
    for (const std::string& linha : linhas) {
        buffer.append(linha);
        buffer.append("\r\n");
        if (buffer.size() >= TamanhoBuffer) {
            if (const int erro = EscreveTudo(descritor, buffer)) {
                return erro;
            }
            buffer.clear();
        }
    }
    return EscreveTudo(descritor, buffer);
}

// A device or a pipe cannot be replaced by a file: it is written directly.
void GravaEmDispositivo(const std::string& caminho, const std::string& destino,
                        const TListaTextos& linhas) {
    const int descritor = ::open(destino.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (descritor < 0) {
        FalhaAoSalvar(caminho, errno);
    }
    int erro = EscreveLinhas(descritor, linhas);
    if (::close(descritor) != 0 && erro == 0) {
        erro = errno;
    }
    if (erro != 0) {
        FalhaAoSalvar(caminho, erro);
    }
}

// Writes every line followed by CR LF to a temporary file beside `caminho`, and puts it in
// place of `caminho` only once it is complete and on disk. Any failure removes the temporary
// file and leaves what was at `caminho` untouched.
} // namespace

void GravaLinhasTexto(const std::string& caminho, const TListaTextos& linhas,
                      TDurabilidade durabilidade) {
    const std::string destino = DestinoReal(caminho);

    struct stat anterior {};
    const bool existia = ::stat(destino.c_str(), &anterior) == 0;
    // A document the user may not write is refused, as writing it in place would be.
    if (existia && ::access(destino.c_str(), W_OK) != 0) {
        FalhaAoSalvar(caminho, errno);
    }
    if (existia && !S_ISREG(anterior.st_mode) && !S_ISDIR(anterior.st_mode)) {
        GravaEmDispositivo(caminho, destino, linhas);
        return;
    }

    std::string temporario;
    int descritor = CriaTemporario(destino, temporario);
    if (descritor < 0) {
        FalhaAoSalvar(caminho, errno);
    }
    const auto desiste = [&](int erro) {
        if (descritor >= 0) {
            ::close(descritor);
        }
        ::unlink(temporario.c_str());
        FalhaAoSalvar(caminho, erro);
    };

    if (const int erro = EscreveLinhas(descritor, linhas)) {
        desiste(erro);
    }
    // The replacement keeps the permission bits of the file it replaces.
    if (existia && S_ISREG(anterior.st_mode)) {
        ::fchmod(descritor, anterior.st_mode & 07777);
    }
    if (durabilidade == TDurabilidade::NoDisco && ::fsync(descritor) != 0) {
        desiste(errno);
    }
    const int resultadoClose = ::close(descritor);
    descritor = -1;
    if (resultadoClose != 0) {
        desiste(errno);
    }
    if (::rename(temporario.c_str(), destino.c_str()) != 0) {
        desiste(errno);
    }
    if (durabilidade == TDurabilidade::NoDisco) {
        SincronizaPasta(destino);
    }
}

// The whole content of a file; false when it cannot be opened or read (a folder, say).
bool LeConteudoArquivo(const std::string& caminho, std::string& conteudo) {
    const int descritor = ::open(caminho.c_str(), O_RDONLY | O_CLOEXEC);
    if (descritor < 0) {
        return false;
    }
    struct stat estado {};
    if (::fstat(descritor, &estado) != 0 || S_ISDIR(estado.st_mode)) {
        ::close(descritor);
        return false;
    }
    if (S_ISREG(estado.st_mode) && estado.st_size > 0) {
        conteudo.reserve(static_cast<std::size_t>(estado.st_size));
    }

    constexpr std::size_t TamanhoBloco = std::size_t{1} << 16;
    char bloco[TamanhoBloco];
    for (;;) {
        const ssize_t lidos = ::read(descritor, bloco, TamanhoBloco);
        if (lidos < 0) {
            if (errno == EINTR) {
                continue;
            }
            ::close(descritor);
            return false;
        }
        if (lidos == 0) {
            break;
        }
        conteudo.append(bloco, static_cast<std::size_t>(lidos));
    }
    ::close(descritor);
    return true;
}

} // namespace fendril
