#include "model/ArquivoTexto.h"

#include "model/Erros.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <mutex>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fendril {

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

// The file a save replaces, and whether it exists with its state in `estado`: a symbolic
// link is followed, so the document it points at is replaced and the link stays. For
// anything but a link, what lstat finds is what stat would, so one call serves both.
bool EstadoDestino(const std::string& caminho, std::string& destino, struct stat& estado) {
    destino = caminho;
    if (::lstat(caminho.c_str(), &estado) != 0) {
        return false;
    }
    if (!S_ISLNK(estado.st_mode)) {
        return true;
    }
    if (char* real = ::realpath(caminho.c_str(), nullptr)) {
        destino = real;
        std::free(real);
    }
    return ::stat(destino.c_str(), &estado) == 0;
}

// The directory part of a path, with its final "/" ("" for a bare file name).
std::string PastaDe(const std::string& caminho) {
    const std::size_t barra = caminho.rfind('/');
    return barra == std::string::npos ? std::string() : caminho.substr(0, barra + 1);
}

// Six characters that differ between calls and between processes (`processo` is this
// program's id).
std::string SufixoAleatorio(::pid_t processo) {
    static std::atomic<std::uint64_t> contador{0};
    std::uint64_t x =
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
        (static_cast<std::uint64_t>(processo) << 32) ^
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

// Temporary files are named <target>.fendril-tmp-<pid>-<six characters> (or, for a long
// target name, .fendril-tmp-<pid>-<six characters> in the target's folder), so that a later
// run can tell the leftovers of an ended program from the files of a running one.
constexpr std::string_view MarcaTemporario = ".fendril-tmp-";
constexpr std::size_t TamanhoSufixo = 6;

// The temporary files being written, for the signal handler: a fixed set of slots that it
// can read without locks or allocation. A slot is 0 free, 1 taken, 2 holding a path.
struct VagaTemporario {
    std::atomic<int> estado{0};
    char caminho[PATH_MAX];
};
constexpr std::size_t QuantidadeVagas = 16;
VagaTemporario g_vagas[QuantidadeVagas];

constexpr int SinaisDeFim[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void RemoveTemporariosEFinaliza(int sinal) {
    const int erroAnterior = errno;
    for (VagaTemporario& vaga : g_vagas) {
        if (vaga.estado.load() == 2) {
            ::unlink(vaga.caminho);
        }
    }
    errno = erroAnterior;
    // The handler was installed with SA_RESETHAND: the signal now ends the program as it
    // would have without it.
    ::raise(sinal);
}

// Installs the handler once, for each ending signal whose action is still the default (a
// program that handles or ignores a signal itself keeps its choice).
void InstalaLimpezaAoSinal() {
    static std::once_flag instalado;
    std::call_once(instalado, [] {
        for (const int sinal : SinaisDeFim) {
            struct sigaction atual {};
            if (::sigaction(sinal, nullptr, &atual) != 0 || atual.sa_handler != SIG_DFL ||
                (atual.sa_flags & SA_SIGINFO) != 0) {
                continue;
            }
            struct sigaction acao {};
            acao.sa_handler = RemoveTemporariosEFinaliza;
            sigemptyset(&acao.sa_mask);
            acao.sa_flags = SA_RESETHAND;
            ::sigaction(sinal, &acao, nullptr);
        }
    });
}

// Records a temporary file for the handler; the slot, or -1 when none is free (the file
// is then only removed by a later run).
int RegistraTemporario(const std::string& caminho) {
    if (caminho.size() >= PATH_MAX) {
        return -1;
    }
    InstalaLimpezaAoSinal();
    for (std::size_t i = 0; i < QuantidadeVagas; ++i) {
        int livre = 0;
        if (g_vagas[i].estado.compare_exchange_strong(livre, 1)) {
            std::memcpy(g_vagas[i].caminho, caminho.c_str(), caminho.size() + 1);
            g_vagas[i].estado.store(2);
            return static_cast<int>(i);
        }
    }
    return -1;
}

void LiberaTemporario(int vaga) {
    if (vaga >= 0) {
        g_vagas[vaga].estado.store(0);
    }
}

// A new, empty file beside `destino`, opened for writing; its path goes to `temporario` and
// its slot for the signal handler to `vaga`. The file is made with `permissao` less the
// umask. Returns the descriptor, or -1 with errno set.
int CriaTemporario(const std::string& destino, ::mode_t permissao, std::string& temporario,
                   int& vaga) {
    const ::pid_t processo = ::getpid();
    const std::string marca = std::string(MarcaTemporario) + std::to_string(processo) + "-";
    // A long file name would exceed the name limit once extended; a short name in the same
    // folder keeps the final rename on one file system all the same.
    const std::size_t tamanhoNome = destino.size() - PastaDe(destino).size();
    const bool nomeCurto = tamanhoNome + marca.size() + TamanhoSufixo <= NAME_MAX;
    for (int tentativa = 0; tentativa < 100; ++tentativa) {
        temporario = (nomeCurto ? destino : PastaDe(destino)) + marca + SufixoAleatorio(processo);
        // Recorded before it exists, so that no signal finds it unrecorded; the name holds
        // this program's id, so no other running program makes a file of that name.
        vaga = RegistraTemporario(temporario);
        const int descritor =
            ::open(temporario.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, permissao);
        if (descritor >= 0) {
            return descritor;
        }
        const int erro = errno;
        LiberaTemporario(vaga);
        vaga = -1;
        errno = erro;
        if (erro != EEXIST) {
            return -1;
        }
    }
    errno = EEXIST;
    return -1;
}

// Whether `nome` is a temporary file name of a save, and if so the program that made it.
bool ProcessoDoTemporario(std::string_view nome, ::pid_t& processo) {
    const std::size_t marca = nome.rfind(MarcaTemporario);
    if (marca == std::string_view::npos) {
        return false;
    }
    std::string_view resto = nome.substr(marca + MarcaTemporario.size());
    const std::size_t traco = resto.find('-');
    if (traco == 0 || traco == std::string_view::npos ||
        resto.size() != traco + 1 + TamanhoSufixo) {
        return false;
    }
    std::int64_t valor = 0;
    for (const char c : resto.substr(0, traco)) {
        if (c < '0' || c > '9' || valor > 100000000) {
            return false;
        }
        valor = valor * 10 + (c - '0');
    }
    for (const char c : resto.substr(traco + 1)) {
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) {
            return false;
        }
    }
    processo = static_cast<::pid_t>(valor);
    return processo > 0;
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

// Writes every line `proxima` gives (the next line, or null after the last) followed by
// CR LF; 0 or the errno of the failed write.
template <class Proxima> int EscreveLinhas(int descritor, Proxima&& proxima) {
    constexpr std::size_t TamanhoBuffer = std::size_t{1} << 20;
    std::string buffer;
    buffer.reserve(TamanhoBuffer + 256);
    while (const std::string* linha = proxima()) {
        buffer.append(*linha);
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

// A device or a pipe cannot be replaced by a file: it is written directly. It is opened
// without waiting, so that a pipe nobody reads fails at once instead of hanging the program;
// the writes themselves wait as usual.
template <class Escreve>
void GravaEmDispositivo(const std::string& caminho, const std::string& destino,
                        const Escreve& escreve) {
    const int descritor = ::open(destino.c_str(), O_WRONLY | O_TRUNC | O_NONBLOCK | O_CLOEXEC);
    if (descritor < 0) {
        FalhaAoSalvar(caminho, errno);
    }
    const int opcoes = ::fcntl(descritor, F_GETFL);
    if (opcoes >= 0) {
        ::fcntl(descritor, F_SETFL, opcoes & ~O_NONBLOCK);
    }
    int erro = 0;
    try {
        erro = escreve(descritor);
    } catch (...) {
        ::close(descritor);
        throw;
    }
    if (::close(descritor) != 0 && erro == 0) {
        erro = errno;
    }
    if (erro != 0) {
        FalhaAoSalvar(caminho, erro);
    }
}

// Writes a file as GravaLinhasTexto describes; `escreve` puts the content into a descriptor
// and returns 0 or the errno of the failed write.
template <class Escreve>
void GravaArquivo(const std::string& caminho, TModoGravacao modo, const Escreve& escreve) {
    std::string destino = caminho;
    struct stat anterior {};
    const bool existia = modo.substituiEntrada ? ::lstat(caminho.c_str(), &anterior) == 0
                                               : EstadoDestino(caminho, destino, anterior);
    const bool regular = existia && S_ISREG(anterior.st_mode);
    if (existia && S_ISDIR(anterior.st_mode) && modo.substituiEntrada) {
        FalhaAoSalvar(caminho, EISDIR);
    }
    // A document the user may not write is refused, as writing it in place would be.
    if (regular && ::access(destino.c_str(), W_OK) != 0) {
        FalhaAoSalvar(caminho, errno);
    }
    if (existia && !regular && !S_ISDIR(anterior.st_mode) && !modo.substituiEntrada) {
        GravaEmDispositivo(caminho, destino, escreve);
        return;
    }

    std::string temporario;
    int vaga = -1;
    int descritor = CriaTemporario(destino, modo.privado ? 0600 : 0666, temporario, vaga);
    if (descritor < 0) {
        FalhaAoSalvar(caminho, errno);
    }
    const auto desiste = [&](int erro) {
        if (descritor >= 0) {
            ::close(descritor);
        }
        ::unlink(temporario.c_str());
        LiberaTemporario(vaga);
        FalhaAoSalvar(caminho, erro);
    };

    int erroEscrita = 0;
    try {
        erroEscrita = escreve(descritor);
    } catch (...) {
        // Content that could not be made (no memory, say) leaves no temporary file behind.
        ::close(descritor);
        ::unlink(temporario.c_str());
        LiberaTemporario(vaga);
        throw;
    }
    if (erroEscrita != 0) {
        desiste(erroEscrita);
    }
    // The replacement keeps the permission bits of the file it replaces, unless it must be
    // private.
    if (modo.privado) {
        ::fchmod(descritor, 0600);
    } else if (regular) {
        ::fchmod(descritor, anterior.st_mode & 07777);
    }
    if (modo.durabilidade == TDurabilidade::NoDisco && ::fsync(descritor) != 0) {
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
    LiberaTemporario(vaga);
    if (modo.durabilidade == TDurabilidade::NoDisco) {
        SincronizaPasta(destino);
    }
}

} // namespace

void GravaLinhasTexto(const std::string& caminho, const TListaTextos& linhas, TModoGravacao modo) {
    GravaArquivo(caminho, modo, [&linhas](int descritor) {
        std::size_t proxima = 0;
        return EscreveLinhas(descritor, [&]() -> const std::string* {
            return proxima < linhas.size() ? &linhas[proxima++] : nullptr;
        });
    });
}

void GravaLinhasGeradas(const std::string& caminho,
                        const std::function<bool(std::string& linha)>& proxima,
                        TModoGravacao modo) {
    GravaArquivo(caminho, modo, [&proxima](int descritor) {
        std::string linha;
        return EscreveLinhas(
            descritor, [&]() -> const std::string* { return proxima(linha) ? &linha : nullptr; });
    });
}

void GravaTextoArquivo(const std::string& caminho, std::string_view conteudo, TModoGravacao modo) {
    GravaArquivo(caminho, modo,
                 [conteudo](int descritor) { return EscreveTudo(descritor, conteudo); });
}

void RemoveTemporariosAbandonados(const std::string& pasta) {
    DIR* diretorio = ::opendir(pasta.empty() ? "." : pasta.c_str());
    if (diretorio == nullptr) {
        return;
    }
    const std::string prefixo = pasta.empty() || pasta.back() == '/' ? pasta : pasta + "/";
    while (const dirent* entrada = ::readdir(diretorio)) {
        ::pid_t processo = 0;
        if (!ProcessoDoTemporario(entrada->d_name, processo) || processo == ::getpid()) {
            continue;
        }
        // Only a program that no longer exists leaves its files for good; one of another
        // user that still runs answers EPERM and keeps them.
        if (::kill(processo, 0) == 0 || errno != ESRCH) {
            continue;
        }
        const std::string caminho = prefixo + entrada->d_name;
        struct stat estado {};
        if (::lstat(caminho.c_str(), &estado) == 0 && S_ISREG(estado.st_mode)) {
            ::unlink(caminho.c_str());
        }
    }
    ::closedir(diretorio);
}

namespace {

// Reads a regular file in blocks of up to 64 KiB, handing each to `recebe` with the size
// the file had when opened; the checks and messages are LeTextoArquivo's.
template <class Recebe> void LeArquivoEmBlocos(const std::string& caminho, Recebe&& recebe) {
    const std::string falha = "Could Not Open File " + caminho;
    // Opened without waiting: a pipe would otherwise block until something writes to it.
    const int descritor = ::open(caminho.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descritor < 0) {
        throw EErroGeral::Create(falha);
    }
    struct Fecha {
        int descritor;
        ~Fecha() { ::close(descritor); }
    } fecha{descritor};
    struct stat estado {};
    if (::fstat(descritor, &estado) != 0 || S_ISDIR(estado.st_mode)) {
        throw EErroGeral::Create(falha);
    }
    if (!S_ISREG(estado.st_mode)) {
        throw EErroGeral::Create(falha + ": It Is Not A Regular File");
    }
    const auto limite = [&falha] {
        return EErroGeral::Create(falha + ": It Is Larger Than " +
                                  std::to_string(TamanhoMaximoLeitura >> 20) + " MiB");
    };
    if (static_cast<std::uint64_t>(estado.st_size) > TamanhoMaximoLeitura) {
        throw limite();
    }
    const auto tamanho = static_cast<std::size_t>(estado.st_size);

    constexpr std::size_t TamanhoBloco = std::size_t{1} << 16;
    char bloco[TamanhoBloco];
    std::size_t total = 0;
    for (;;) {
        const ssize_t lidos = ::read(descritor, bloco, TamanhoBloco);
        if (lidos < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw EErroGeral::Create(falha);
        }
        if (lidos == 0) {
            break;
        }
        // A file that grows while it is read is held to the same limit.
        total += static_cast<std::size_t>(lidos);
        if (total > TamanhoMaximoLeitura) {
            throw limite();
        }
        recebe(std::string_view(bloco, static_cast<std::size_t>(lidos)), tamanho);
    }
}

} // namespace

std::string LeTextoArquivo(const std::string& caminho) {
    std::string conteudo;
    LeArquivoEmBlocos(caminho, [&conteudo](std::string_view bloco, std::size_t tamanho) {
        if (conteudo.empty()) {
            conteudo.reserve(tamanho);
        }
        conteudo.append(bloco);
    });
    return conteudo;
}

void LeLinhasArquivo(const std::string& caminho,
                     const std::function<void(std::string_view)>& recebe) {
    // Only the line being read is held: a block's whole lines are handed on at once, and
    // the part of a line a block ends in waits for the rest.
    std::string pendente;
    const auto entrega = [&recebe](std::string_view linha) {
        if (!linha.empty() && linha.back() == '\r') {
            linha.remove_suffix(1);
        }
        recebe(linha);
    };
    LeArquivoEmBlocos(caminho, [&](std::string_view bloco, std::size_t) {
        for (std::size_t fim = bloco.find('\n'); fim != std::string_view::npos;
             fim = bloco.find('\n')) {
            if (pendente.empty()) {
                entrega(bloco.substr(0, fim));
            } else {
                pendente.append(bloco.substr(0, fim));
                entrega(pendente);
                pendente.clear();
            }
            bloco.remove_prefix(fim + 1);
        }
        pendente.append(bloco);
    });
    if (!pendente.empty()) {
        entrega(pendente);
    }
}

} // namespace fendril
