#include "generation/TDiretorio.h"

#include "model/Erros.h"

#include <algorithm>
#include <filesystem>
#include <limits>

namespace fendril {

namespace fs = std::filesystem;

namespace {

constexpr std::int32_t MaximoInt32 = std::numeric_limits<std::int32_t>::max();

std::int32_t Limita(std::uintmax_t valor) {
    return valor > static_cast<std::uintmax_t>(MaximoInt32) ? MaximoInt32
                                                            : static_cast<std::int32_t>(valor);
}

// The entry for a path, or false when it is of a kind the listing leaves out.
bool Entrada(const fs::path& caminho, const std::string& nome, TArquivo& entrada) {
    std::error_code erro;
    const fs::file_status estado = fs::status(caminho, erro); // follows symbolic links
    if (erro) {
        return false;
    }
    const bool diretorio = fs::is_directory(estado);
    if (!diretorio && !fs::is_regular_file(estado)) {
        return false;
    }
    entrada.nome = nome;
    entrada.extensao = ExtraiExtensao(nome);
    entrada.tamanho = diretorio ? 0 : Limita(fs::file_size(caminho, erro));
    if (erro) {
        entrada.tamanho = 0;
    }
    const auto escrita = fs::last_write_time(caminho, erro);
    if (!erro) {
        entrada.data = std::chrono::file_clock::to_sys(escrita);
    }
    std::int32_t atributos = diretorio ? Atributo::Diretorio : 0;
    if ((estado.permissions() & fs::perms::owner_write) == fs::perms::none && !diretorio) {
        atributos |= Atributo::SomenteLeitura;
    }
    if (nome.size() > 1 && nome.front() == '.' && nome != "..") {
        atributos |= Atributo::Oculto;
    }
    entrada.atributos = atributos == 0 ? Atributo::Normal : atributos;
    return true;
}

} // namespace

void TDiretorio::Lista() {
    std::error_code erro;
    if (caminho.empty() || !fs::is_directory(caminho, erro)) {
        throw EErroGeral::Create("Directory Does Not Exist !!");
    }
    m_arquivos.clear();
    m_nomes.clear();
    m_tamanhoTotal = 0;

    std::vector<TArquivo> entradas;
    TArquivo pai;
    if (Entrada(fs::path(caminho) / "..", "..", pai)) {
        entradas.push_back(pai);
    }
    const std::size_t primeiroFilho = entradas.size();
    for (fs::directory_iterator it(caminho, erro), fim; !erro && it != fim; it.increment(erro)) {
        TArquivo entrada;
        if (Entrada(it->path(), it->path().filename().string(), entrada)) {
            entradas.push_back(std::move(entrada));
        }
    }
    std::sort(entradas.begin() + static_cast<std::ptrdiff_t>(primeiroFilho), entradas.end(),
              [](const TArquivo& a, const TArquivo& b) {
                  const std::string ca = ChaveSemCaixa(a.nome);
                  const std::string cb = ChaveSemCaixa(b.nome);
                  return ca != cb ? ca < cb : a.nome < b.nome;
              });
    std::int64_t total = 0;
    for (TArquivo& entrada : entradas) {
        total += entrada.tamanho;
        m_nomes.push_back(entrada.nome);
        m_arquivos.push_back(std::move(entrada));
    }
    m_tamanhoTotal = static_cast<std::int32_t>(std::min<std::int64_t>(total, MaximoInt32));
}

bool TDiretorio::ProcuraArquivo(const std::string& nome, TArquivo& entrada) const {
    const auto achado = std::find_if(m_arquivos.begin(), m_arquivos.end(),
                                     [&nome](const TArquivo& a) { return a.nome == nome; });
    if (achado == m_arquivos.end()) {
        return false;
    }
    entrada = *achado;
    return true;
}

} // namespace fendril
