#include "generation/TProcessaGeracao.h"

#include "documents/ColunasDocumento.h"
#include "documents/DocumentoMapeamento.h"
#include "documents/TDocModelos.h"
#include "engine/TMontaCodigo.h"
#include "generation/FusaoTextos.h"
#include "generation/TOrderedProducer.h"
#include "model/ArquivoTexto.h"
#include "model/Erros.h"
#include "model/Log.h"

#include <algorithm>
#include <cctype>
#include <dirent.h>
#include <exception>
#include <filesystem>
#include <sys/stat.h>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

namespace fendril {

namespace fs = std::filesystem;

namespace {

constexpr int ModeloTabela = 1;
constexpr int ModeloGeral = 2;

// Whether a file exists at the path: a regular file, or a link to one. A folder is not a
// file: a template or types path naming one does not exist, and an output name equal to a
// folder fails to be written instead of asking to overwrite it.
bool Existe(const std::string& caminho) {
    std::error_code erro;
    return !caminho.empty() && fs::is_regular_file(caminho, erro);
}

std::string EntreAspas(const std::string& texto) {
    return "\"" + texto + "\"";
}

// The values of a key, with a clear message for a line of that section that has no key or
// no value (the list-index failure says neither which section nor what is wrong).
TListaTextos Valores(const TArquivoKMF& documento, std::string_view secao, std::string_view chave) {
    try {
        return documento.LeSecao(secao, chave, false);
    } catch (const EListError&) {
        throw EErroGeral::Create("A Line Of Section " + std::string(secao) +
                                 " Has No Key Or No Value !!");
    }
}

// One value of a template, read as opening the template reads it; a missing key raises the
// list-index failure, and a line of its section without key or value EErroGeral saying so.
template <class TDoc, class T>
T DoModelo(const TArquivoKMF& documento, TTabelaCampos<TDoc> tabela, T TDoc::*membro) {
    try {
        return LeValor(documento, tabela, membro);
    } catch (const EListError&) {
        const TCampoDocumento<TDoc>& campo = CampoDe(tabela, membro);
        Valores(documento, campo.secao, campo.chave);
        throw;
    }
}
template <class T> T DoModeloTabela(const TArquivoKMF& documento, T TDocModeloTabela::*membro) {
    return DoModelo(documento, kCamposModeloTabela, membro);
}
template <class T> T DoModeloGeral(const TArquivoKMF& documento, T TDocModeloGeral::*membro) {
    return DoModelo(documento, kCamposModeloGeral, membro);
}

int Porcento(std::size_t posicao, std::size_t quantidade) {
    return static_cast<int>((posicao + 1) * 100 / quantidade);
}

std::string SemPontos(const std::string& nome) {
    return SubstituiTodos(".", "", nome);
}

bool Contem(const std::string& texto, std::string_view parte) {
    return texto.find(parte) != std::string::npos;
}

// The tags of the table part of per-table file names.
const std::string kTagNome = TagNomeArquivo(TNomeArquivoTabela::nome);
const std::string kTagAlias = TagNomeArquivo(TNomeArquivoTabela::alias);
const std::string kTagAliasOuNomeCurto = TagNomeArquivo(TNomeArquivoTabela::aliasOuNomeCurto);

// Which table tag a name pattern holds; the name wins over the others, as it always has.
const std::string* TagDoPadrao(const std::string& padrao) {
    for (const std::string* tag : {&kTagNome, &kTagAliasOuNomeCurto, &kTagAlias}) {
        if (Contem(padrao, *tag)) {
            return tag;
        }
    }
    return nullptr;
}

// The table part of a file name: through the name form, then without ".". `tamanhoEsquema`
// is that of a qualified name (see AplicaFiltros), 0 otherwise.
std::string ParteDoNome(const std::string& nome, std::size_t tamanhoEsquema,
                        const TProcessaGeracao::TFormaNome& forma) {
    if (forma.filtros.empty()) {
        return SemPontos(nome);
    }
    const auto reservada = [&forma](std::string_view palavra) {
        return std::find(forma.reservadas.begin(), forma.reservadas.end(), palavra) !=
               forma.reservadas.end();
    };
    return SemPontos(AplicaFiltros(forma.filtros, nome, tamanhoEsquema, reservada));
}

// The table's name in per-table file names: its qualified name for "<tbname>", its alias for
// "<tbalias>", and for "<tbalias|tbshortname>" its alias or, where that is empty, its name
// without schema. `tamanhoEsquema` gets the schema's length for a qualified name.
std::string NomeNoArquivo(const TTabela& tabela, const std::string& tag,
                          std::size_t& tamanhoEsquema) {
    tamanhoEsquema = 0;
    if (tag == kTagNome) {
        tamanhoEsquema = tabela.esquema.size();
        return tabela.getNomeCompleto();
    }
    if (tag == kTagAliasOuNomeCurto && tabela.alias.empty()) {
        return tabela.nome;
    }
    return tabela.alias;
}

// Whether `caminho` is `base` or lies below it, both already canonical.
bool Dentro(const fs::path& caminho, const fs::path& base) {
    auto c = caminho.begin();
    for (auto b = base.begin(); b != base.end(); ++b, ++c) {
        if (c == caminho.end() || *c != *b) {
            return false;
        }
    }
    return true;
}

// The name with every ASCII letter's case swapped.
std::string CaixaTrocada(const std::string& nome) {
    std::string trocado = nome;
    for (char& c : trocado) {
        const auto b = static_cast<unsigned char>(c);
        if (std::islower(b)) {
            c = static_cast<char>(std::toupper(b));
        } else if (std::isupper(b)) {
            c = static_cast<char>(std::tolower(b));
        }
    }
    return trocado;
}

// Whether `pasta` + "/" + `nome` and the same name with its letter case swapped are one
// entry; empty when the name has no letter or the entry cannot be looked at.
std::optional<bool> MesmaEntradaEmOutraCaixa(const std::string& pasta, const std::string& nome) {
    const std::string trocado = CaixaTrocada(nome);
    struct stat original {};
    if (trocado == nome || ::lstat(JuntaCaminho(pasta, nome).c_str(), &original) != 0) {
        return std::nullopt;
    }
    struct stat outra {};
    if (::lstat(JuntaCaminho(pasta, trocado).c_str(), &outra) != 0) {
        return false;
    }
    return outra.st_dev == original.st_dev && outra.st_ino == original.st_ino;
}

// Whether the file system that holds `pasta` ignores letter case in names: an entry of the
// folder (or the folder itself, or a folder above it) is looked up with its letters' case
// swapped. Without any name to try, case counts, as it does on the usual file systems here.
bool SistemaIgnoraCaixa(const std::string& pasta) {
    if (DIR* diretorio = ::opendir(pasta.empty() ? "." : pasta.c_str())) {
        int tentativas = 0;
        std::optional<bool> achado;
        while (const dirent* entrada = ::readdir(diretorio)) {
            if (++tentativas > 64) {
                break;
            }
            achado = MesmaEntradaEmOutraCaixa(pasta, entrada->d_name);
            if (achado) {
                break;
            }
        }
        ::closedir(diretorio);
        if (achado) {
            return *achado;
        }
    }
    std::error_code erro;
    fs::path atual = fs::absolute(pasta, erro).lexically_normal();
    if (!atual.has_filename()) {
        atual = atual.parent_path(); // "/a/b/" names "/a/b"
    }
    for (; !erro && atual.has_filename(); atual = atual.parent_path()) {
        if (const auto achado =
                MesmaEntradaEmOutraCaixa(atual.parent_path().string(), atual.filename().string())) {
            return *achado;
        }
    }
    return false;
}

} // namespace

std::string_view NomeSituacao(TSituacaoArquivo situacao) {
    switch (situacao) {
    case TSituacaoArquivo::Novo:
        return "new";
    case TSituacaoArquivo::Alterado:
        return "changed";
    case TSituacaoArquivo::Inalterado:
        return "unchanged";
    case TSituacaoArquivo::EditadoAMao:
        return "hand-edited";
    case TSituacaoArquivo::Colidente:
        return "colliding";
    case TSituacaoArquivo::Escrito:
        return "written";
    case TSituacaoArquivo::Fundido:
        return "merged";
    case TSituacaoArquivo::Conflito:
        return "conflict";
    case TSituacaoArquivo::Pulado:
        return "skipped";
    case TSituacaoArquivo::Falhou:
        break;
    }
    return "failed";
}

// A file of the generation directory as the run finds it. Its content is read at most once,
// and only when a comparison of sizes cannot settle the question.
struct TProcessaGeracao::TArquivoEmDisco {
    explicit TArquivoEmDisco(std::string caminhoArquivo) : caminho(std::move(caminhoArquivo)) {
        struct stat estado {};
        existe = ::stat(caminho.c_str(), &estado) == 0;
        regular = existe && S_ISREG(estado.st_mode);
        tamanho = regular ? static_cast<std::uint64_t>(estado.st_size) : 0;
        modificado = estado.st_mtim;
    }

    // The content, or null when it cannot be read.
    const std::string* conteudo() {
        if (!lido) {
            lido = true;
            if (regular) {
                try {
                    m_conteudo = LeTextoArquivo(caminho);
                } catch (const std::exception&) {
                    m_conteudo.reset();
                }
            }
        }
        return m_conteudo ? &*m_conteudo : nullptr;
    }

    bool Igual(std::string_view texto) {
        if (!regular || tamanho != texto.size()) {
            return false;
        }
        const std::string* atual = conteudo();
        return atual != nullptr && *atual == texto;
    }

    bool Igual(TArquivoEmDisco& outro) {
        if (!outro.regular || tamanho != outro.tamanho) {
            return false;
        }
        const std::string* texto = outro.conteudo();
        return texto != nullptr && Igual(*texto);
    }

    // Whether this file was last changed no earlier than `outro`.
    bool NaoMaisAntigoQue(const TArquivoEmDisco& outro) const {
        return modificado.tv_sec != outro.modificado.tv_sec
                   ? modificado.tv_sec > outro.modificado.tv_sec
                   : modificado.tv_nsec >= outro.modificado.tv_nsec;
    }

    std::string caminho;
    bool existe = false;
    bool regular = false;
    std::uint64_t tamanho = 0;
    timespec modificado{};

private:
    bool lido = false;
    std::optional<std::string> m_conteudo;
};

std::string JuntaCaminho(const std::string& diretorio, const std::string& nome) {
    if (!diretorio.empty() && (diretorio.back() == '/' || diretorio.back() == '\\')) {
        return diretorio + nome;
    }
    return diretorio + "/" + nome;
}

void TProcessaGeracao::AdicionaModelosTabela(const TListaTextos& caminhos) {
    m_modelosTabela.insert(m_modelosTabela.end(), caminhos.begin(), caminhos.end());
}

void TProcessaGeracao::AdicionaModelosGerais(const TListaTextos& caminhos) {
    m_modelosGerais.insert(m_modelosGerais.end(), caminhos.begin(), caminhos.end());
}

void TProcessaGeracao::RegistraLog(const std::string& mensagem) {
    m_log.push_back(LinhaLog(mensagem));
}

void TProcessaGeracao::RegistraFalha(const std::string& mensagem) {
    RegistraLog(mensagem);
    m_linhasFalhas.push_back(m_log.back());
    ++m_falhas;
}

void TProcessaGeracao::RegistraAvisos(const std::string& rotulo, const std::string& codigo,
                                      bool corpoDeTabela) {
    for (const TDiagnostico& aviso : TMontaCodigo::Diagnostica(codigo, corpoDeTabela)) {
        if (!aviso.erro) {
            RegistraLog(rotulo + "Warning At Line " + std::to_string(aviso.linha) + ", Column " +
                        std::to_string(aviso.coluna) + ": " + aviso.mensagem);
        }
    }
}

bool TProcessaGeracao::Prepara() {
    if (!m_mapeamentoCarregado) {
        try {
            CarregaMapeamento();
            m_mapeamentoCarregado = true;
            m_erroMapeamento.clear();
        } catch (const std::exception& erro) {
            m_erroMapeamento = erro.what();
        }
    }
    return m_mapeamentoCarregado;
}

void TProcessaGeracao::CarregaMapeamento() {
    if (!Existe(caminhoMapeamento)) {
        throw EErroGeral::Create("File Does Not Exist: " + EntreAspas(caminhoMapeamento));
    }
    const auto falhaLeitura = [this](const std::exception& erro) {
        return EErroGeral::Create("The Mapping File " + EntreAspas(caminhoMapeamento) +
                                  " Could Not Be Read: " + erro.what());
    };
    // The document is dropped once its columns are read: they are all the run needs of it.
    std::unique_ptr<TControlaColunas> lidas;
    {
        TArquivoKMF mapeamento;
        mapeamento.Abre(caminhoMapeamento);
        // A mapping without its database name, or with column lines that do not decode, is
        // refused here, before any file is written.
        const TListaTextos bases =
            mapeamento.LeSecao(secao::descricao, chave::combo_basedados, false);
        if (bases.empty()) {
            throw EErroGeral::Create("The Mapping File " + EntreAspas(caminhoMapeamento) +
                                     " Has No Database Name !!");
        }
        m_nomeBaseDados = bases.front();
        try {
            lidas = LeValor(mapeamento, kCamposMapeamento, &TDescricaoMapeamento::controlaColunas);
        } catch (const std::exception& erro) {
            throw falhaLeitura(erro);
        }
    }
    try {
        CarregaColunasHabilitadas(std::move(lidas));
    } catch (const std::exception& erro) {
        throw falhaLeitura(erro);
    }
}

void TProcessaGeracao::CarregaColunasHabilitadas(std::unique_ptr<TControlaColunas> lidas) {
    if (!lidas) {
        lidas = std::make_unique<TControlaColunas>();
    }
    TControlaColunas& todas = *lidas;
    // The tables the set leaves out for their letter case, when they have enabled columns.
    m_avisosOcultas.clear();
    for (const auto& [oculta, listada] : std::as_const(todas).getTabelasOcultas()) {
        for (const std::string& nome : std::as_const(todas).getNomesColunas(oculta)) {
            if (std::as_const(todas).getColuna(oculta, nome)->habilitado) {
                m_avisosOcultas.push_back(AvisoTabelaOculta(oculta, listada));
                break;
            }
        }
    }

    // The enabled columns, table by table, each column of a table once. They are moved
    // rather than copied through their encoding: the set that read them is discarded.
    const TControlaColunas& leitura = todas;
    std::vector<std::size_t> habilitadas;
    for (const std::size_t i : leitura.PosicoesPorTabela()) {
        if (leitura.getColunas()[i]->habilitado) {
            habilitadas.push_back(i);
        }
    }
    m_colunas = std::make_unique<TControlaColunas>();
    TArrColunas& origem = todas.getColunas();
    TArrColunas& destino = m_colunas->getColunas();
    destino.reserve(habilitadas.size());
    for (const std::size_t i : habilitadas) {
        destino.push_back(std::move(origem[i]));
    }
}

void TProcessaGeracao::CarregaModelo(const std::string& caminho, int tipo, TArquivoKMF& documento) {
    if (!Existe(caminho)) {
        const std::string mensagem = "File Does Not Exist: " + EntreAspas(caminho);
        RegistraFalha(mensagem);
        throw EErroGeral::Create(mensagem);
    }
    documento = TArquivoKMF();
    try {
        documento.Abre(caminho);
        // Another kind of document opens as well, but would produce nothing: only a general
        // template says how many files it writes.
        const bool geral = !Valores(documento, secao::codigo, chave::rg_file).empty();
        if (Valores(documento, secao::codigo, chave::re_classeobjeto).empty() ||
            geral != (tipo == ModeloGeral)) {
            throw EErroGeral::Create(tipo == ModeloGeral
                                         ? "The File Is Not A General Template !!"
                                         : "The File Is Not A Table-Class Template !!");
        }
    } catch (const EErroGeral& erro) {
        RegistraFalha("Loading Template " + caminho + " -> " + erro.textoErro());
        throw EErroGeral::CreateCopia(erro);
    } catch (const std::exception& erro) {
        // A damaged document: the cipher's or the list's own failure.
        RegistraFalha("Loading Template " + caminho + " -> " + erro.what());
        throw EErroGeral::Create(erro.what());
    }
    RegistraLog("Loading Template " + caminho + " -> OK");
}

void TProcessaGeracao::PadraoPorTabela(const std::string& caminho, const std::string& prefixo,
                                       TNomeArquivoTabela nomeArquivo,
                                       const std::string& textoForma, const std::string& sufixo,
                                       const std::string& extensao, std::string& padrao,
                                       TFormaNome& forma, const TRegistro& falha) {
    std::string_view desconhecido;
    if (!textoForma.empty() && !LeCadeiaFiltros(textoForma, forma.filtros, &desconhecido)) {
        // Files named otherwise than the template says would be worse than none.
        falha(caminho + " -> Unknown Filter \"" + std::string(desconhecido) +
              "\" In The Name Form \"" + textoForma + "\" !!");
        return;
    }
    padrao = prefixo + TagNomeArquivo(nomeArquivo) + sufixo + "." + extensao;
}

TProcessaGeracao::NomesTabela TProcessaGeracao::NomesModeloTabela(const std::string& caminho) {
    try {
        CarregaModelo(caminho, ModeloTabela, m_modeloTabela);
    } catch (const std::exception&) {
        return {}; // logged and counted by CarregaModelo
    }
    NomesTabela nomes =
        LeNomesTabela(m_modeloTabela, caminho, [this](const std::string& m) { RegistraFalha(m); });
    nomes.carregado = true;
    return nomes;
}

TProcessaGeracao::NomesTabela TProcessaGeracao::LeNomesTabela(const TArquivoKMF& modelo,
                                                              const std::string& caminho,
                                                              const TRegistro& falha) {
    NomesTabela nomes;
    try {
        using M = TDocModeloTabela;
        const auto le = [&modelo](auto membro) { return DoModeloTabela(modelo, membro); };
        const std::string prefixoTabela = le(&M::tablePrefix);
        const TNomeArquivoTabela nomeArquivo = le(&M::nomeArquivo);
        const std::string forma = le(&M::formaNome);
        const std::string sufixoTabela = le(&M::tableSufix);
        PadraoPorTabela(caminho, prefixoTabela, nomeArquivo, forma, sufixoTabela,
                        le(&M::tableExtension), nomes.padrao, nomes.forma, falha);
        nomes.classePai = le(&M::parentClass);
        const std::string prefixo = le(&M::parPrefix);
        const std::string sufixo = le(&M::parSufix);
        const std::string extensao = le(&M::parExtension);
        if (!prefixo.empty() || !sufixo.empty() || !extensao.empty()) {
            nomes.arquivoPai = prefixo + nomes.classePai + sufixo + "." + extensao;
        }
        const std::string make = le(&M::makePrefix);
        const std::string extensaoMake = le(&M::makeExtension);
        if (!make.empty() || !extensaoMake.empty()) {
            nomes.arquivoMake = make + "." + extensaoMake;
        }
        nomes.forma.reservadas = PalavrasReservadas(le(&M::palavrasReservadas));
    } catch (const std::exception& erro) {
        // The names not formed yet stay empty; those formed still run.
        falha(caminho + " -> " + erro.what());
    }
    return nomes;
}

TProcessaGeracao::NomesGeral TProcessaGeracao::NomesModeloGeral(const std::string& caminho) {
    try {
        CarregaModelo(caminho, ModeloGeral, m_modeloGeral);
    } catch (const std::exception&) {
        return {}; // logged and counted by CarregaModelo
    }
    NomesGeral nomes =
        LeNomesGeral(m_modeloGeral, caminho, [this](const std::string& m) { RegistraFalha(m); });
    nomes.carregado = true;
    return nomes;
}

TProcessaGeracao::NomesGeral TProcessaGeracao::LeNomesGeral(const TArquivoKMF& modelo,
                                                            const std::string& caminho,
                                                            const TRegistro& falha) {
    NomesGeral nomes;
    try {
        using M = TDocModeloGeral;
        const auto le = [&modelo](auto membro) { return DoModeloGeral(modelo, membro); };
        switch (le(&M::arquivoUnico)) {
        case 0: {
            const std::string prefixo = le(&M::tablePrefix);
            const TNomeArquivoTabela nomeArquivo = le(&M::nomeArquivo);
            const std::string forma = le(&M::formaNome);
            const std::string sufixo = le(&M::tableSufix);
            PadraoPorTabela(caminho, prefixo, nomeArquivo, forma, sufixo, le(&M::makeExtension),
                            nomes.padrao, nomes.forma, falha);
            break;
        }
        case 1: {
            const std::string prefixo = le(&M::makePrefix);
            nomes.padrao = prefixo + "." + le(&M::makeExtension);
            break;
        }
        default:
            break;
        }
        nomes.classePai = le(&M::parentClass);
        nomes.forma.reservadas = PalavrasReservadas(le(&M::palavrasReservadas));
    } catch (const std::exception& erro) {
        falha(caminho + " -> " + erro.what());
    }
    return nomes;
}

TListaTextos TProcessaGeracao::CarregaTipos(int tipo, const std::string& caminhoModelo) {
    return LeTipos(tipo == ModeloTabela ? m_modeloTabela : m_modeloGeral, tipo, caminhoModelo,
                   [this](const std::string& m) { RegistraLog(m); });
}

TListaTextos TProcessaGeracao::LeTipos(const TArquivoKMF& modelo, int tipo,
                                       const std::string& caminhoModelo, const TRegistro& log) {
    if (tipo == ModeloTabela) {
        // Every row of the types section as stored, whatever its key.
        return Valores(modelo, secao::tb_tipos, "");
    }
    // A general template without a types file entry runs without correspondences.
    const TListaTextos valores = Valores(modelo, secao::codigo, chave::edit_typesfile);
    std::string caminho = valores.empty() ? std::string() : valores.front();
    if (!caminho.empty() && fs::path(caminho).is_relative()) {
        // A relative types file lies beside its template, so template sets can be moved.
        caminho = (fs::path(caminhoModelo).parent_path() / caminho).string();
    }
    TListaTextos linhas;
    if (Existe(caminho)) {
        try {
            linhas = LeLinhasTexto(caminho);
            log("Types File " + caminho + " -> OK");
        } catch (const std::exception& erro) {
            log(erro.what());
        }
        for (const std::string& linha : linhas) {
            if (SeparaCampos(linha, ";").size() != 3) {
                log("The File " + EntreAspas(caminho) + " Is Not Valid !!");
                linhas.clear();
                break;
            }
        }
    } else if (!caminho.empty()) {
        log("The File " + EntreAspas(caminho) + " Does Not Exist !!");
    } else {
        log("No Types File Specified !!");
    }
    return linhas;
}

std::unique_ptr<TControlaColunas>
TProcessaGeracao::ColunasDaTabela(const std::string& tabela) const {
    const std::vector<const TColuna*> originais =
        std::as_const(*m_colunas).getColunasDaTabela(tabela);
    // Copies as the encoding would give them, without writing and reading it back.
    auto conjunto = std::make_unique<TControlaColunas>();
    TArrColunas& copias = conjunto->getColunas();
    copias.reserve(originais.size());
    for (const TColuna* coluna : originais) {
        std::unique_ptr<TColuna> copia = coluna->CopiaCodificada();
        // The facts are not part of the encoding.
        copia->CopiaFatosDe(*coluna);
        copias.push_back(std::move(copia));
    }
    return conjunto;
}

TListaTextos TProcessaGeracao::ExpandeNome(const std::string& padrao,
                                           const TFormaNome& forma) const {
    const TControlaColunas& colunas = *m_colunas;
    const std::string* tag = TagDoPadrao(padrao);
    TListaTextos nomes;
    if (tag == nullptr) {
        nomes.push_back(padrao);
    } else if (tag == &kTagAlias) {
        for (const std::string& alias : colunas.getAliasTabelas()) {
            nomes.push_back(SubstituiTodos(*tag, ParteDoNome(alias, 0, forma), padrao));
        }
    } else {
        for (const std::string& tabela : colunas.getNomesTabelas()) {
            std::size_t tamanhoEsquema = 0;
            const std::string nome =
                NomeNoArquivo(*colunas.getTabela(tabela), *tag, tamanhoEsquema);
            nomes.push_back(SubstituiTodos(*tag, ParteDoNome(nome, tamanhoEsquema, forma), padrao));
        }
    }
    return nomes;
}

TListaTextos TProcessaGeracao::ListaArquivos() {
    TListaTextos arquivos;
    if (!m_mapeamentoCarregado) {
        return arquivos;
    }
    const auto acrescenta = [this, &arquivos](const std::string& padrao,
                                              const TFormaNome& forma = {}) {
        for (std::string& nome : ExpandeNome(padrao, forma)) {
            if (!nome.empty()) {
                arquivos.push_back(std::move(nome));
            }
        }
    };
    for (const std::string& caminho : m_modelosTabela) {
        const NomesTabela nomes = NomesModeloTabela(caminho);
        acrescenta(nomes.padrao, nomes.forma);
        acrescenta(nomes.arquivoPai);
        acrescenta(nomes.arquivoMake);
    }
    for (const std::string& caminho : m_modelosGerais) {
        const NomesGeral nomes = NomesModeloGeral(caminho);
        acrescenta(nomes.padrao, nomes.forma);
    }
    return arquivos;
}

void TProcessaGeracao::Executa() {
    if (!m_mapeamentoCarregado) {
        return;
    }
    m_log.clear();
    m_falhas = 0;
    m_escritos = 0;
    m_inalterados = 0;
    m_pulados = 0;
    m_fundidos = 0;
    m_conflitos = 0;
    m_linhasFalhas.clear();
    m_linhasConflitos.clear();
    m_arquivos.clear();
    m_pastasLimpas.clear();
    m_baseCanonica.reset();
    m_subpastasCanonicas.clear();
    m_estado = fundeEdicoes ? TEstadoSobrescrita::FundeTodos : TEstadoSobrescrita::Pergunta;
    m_ignoraCaixa = ignoraCaixa ? *ignoraCaixa : SistemaIgnoraCaixa(diretorioGeracao);
    // The log is written last, over whatever a template wrote under its name.
    m_caminhos = {{ChaveCaminho("log.txt"), "The Log Of The Run"}};
    // The column set lists one of the tables whose names differ only in letter case; the
    // others take no part, which the log says.
    for (const std::string& aviso : m_avisosOcultas) {
        RegistraLog(aviso);
    }
    // Whatever one template does wrong is logged and counted, and the next one runs.
    const auto gera = [this](const std::string& caminho, auto&& passo) {
        try {
            passo(caminho);
        } catch (const EErroGeral& erro) {
            RegistraFalha(caminho + " -> " + erro.textoErro());
        } catch (const std::exception& erro) {
            RegistraFalha(caminho + " -> " + erro.what());
        }
    };
    for (std::size_t i = 0; i < m_modelosTabela.size(); ++i) {
        if (eventoModelo) {
            eventoModelo(m_modelosTabela[i], Porcento(i, m_modelosTabela.size()), ModeloTabela);
        }
        gera(m_modelosTabela[i], [this](const std::string& c) { GeraModeloTabela(c); });
    }
    for (std::size_t i = 0; i < m_modelosGerais.size(); ++i) {
        if (eventoModelo) {
            eventoModelo(m_modelosGerais[i], Porcento(i, m_modelosGerais.size()), ModeloGeral);
        }
        gera(m_modelosGerais[i], [this](const std::string& c) { GeraModeloGeral(c); });
    }
    std::error_code erro;
    if (!simulacao && fs::is_directory(diretorioGeracao, erro)) {
        const std::string caminho = JuntaCaminho(diretorioGeracao, "log.txt");
        LimpaPasta(caminho);
        // The folder may come from elsewhere (a cloned project): a link or a pipe named
        // log.txt is replaced by the log, never followed or written through.
        TModoGravacao modo;
        modo.substituiEntrada = true;
        try {
            GravaLinhasTexto(caminho, m_log, modo);
        } catch (const std::exception&) {
            // The log is a convenience; the files themselves are already in place.
        }
    }
}

bool TProcessaGeracao::LimpaPasta(const std::string& caminhoArquivo) {
    std::string pasta = fs::path(caminhoArquivo).parent_path().string();
    if (!m_pastasLimpas.insert(pasta).second) {
        return false;
    }
    RemoveTemporariosAbandonados(pasta);
    return true;
}

void TProcessaGeracao::GeraModeloTabela(const std::string& caminho) {
    const NomesTabela nomes = NomesModeloTabela(caminho);
    if (!nomes.carregado) {
        return;
    }
    const TListaTextos tipos = CarregaTipos(ModeloTabela, caminho);
    const auto gera = [&](const std::string& rotulo, auto&& passo) {
        try {
            passo();
        } catch (const EErroGeral& erro) {
            RegistraFalha(caminho + rotulo + erro.textoErro());
        } catch (const std::exception& erro) {
            RegistraFalha(caminho + rotulo + erro.what());
        }
    };
    if (!nomes.padrao.empty()) {
        gera("(Table Class) -> ", [&] {
            const std::string codigo =
                DoModeloTabela(m_modeloTabela, &TDocModeloTabela::classeObjeto);
            const std::string texto = CorpoDeTabela(codigo);
            TMontaCodigo::VerificaTags(texto);
            RegistraAvisos(caminho + "(Table Class) -> ", codigo, true);
            GeraArquivosPorTabela(nomes.padrao, nomes.forma, nomes.classePai, tipos, texto,
                                  caminho);
        });
    }
    if (!nomes.classePai.empty()) {
        gera("(Parent Class) -> ", [&] {
            const std::string texto = DoModeloTabela(m_modeloTabela, &TDocModeloTabela::classePai);
            TMontaCodigo::VerificaTags(texto);
            RegistraAvisos(caminho + "(Parent Class) -> ", texto, false);
            if (!nomes.arquivoPai.empty()) {
                GeraArquivo(*m_colunas, nomes.arquivoPai, nomes.classePai, tipos,
                            nomes.forma.reservadas, texto,
                            "The Parent Class Of Template " + caminho);
            }
        });
    }
    if (!nomes.arquivoMake.empty()) {
        gera("(Make File) -> ", [&] {
            const std::string texto = DoModeloTabela(m_modeloTabela, &TDocModeloTabela::make);
            TMontaCodigo::VerificaTags(texto);
            RegistraAvisos(caminho + "(Make File) -> ", texto, false);
            GeraArquivo(*m_colunas, nomes.arquivoMake, nomes.classePai, tipos,
                        nomes.forma.reservadas, texto, "The Make File Of Template " + caminho);
        });
    }
}

void TProcessaGeracao::GeraModeloGeral(const std::string& caminho) {
    const NomesGeral nomes = NomesModeloGeral(caminho);
    if (!nomes.carregado) {
        return;
    }
    const TListaTextos tipos = CarregaTipos(ModeloGeral, caminho);
    if (nomes.padrao.empty()) {
        return;
    }
    try {
        const std::string codigo = DoModeloGeral(m_modeloGeral, &TDocModeloGeral::classeObjeto);
        if (TagDoPadrao(nomes.padrao) != nullptr) {
            const std::string texto = CorpoDeTabela(codigo);
            TMontaCodigo::VerificaTags(texto);
            RegistraAvisos(caminho + " -> ", codigo, true);
            GeraArquivosPorTabela(nomes.padrao, nomes.forma, nomes.classePai, tipos, texto,
                                  caminho);
        } else {
            TMontaCodigo::VerificaTags(codigo);
            RegistraAvisos(caminho + " -> ", codigo, false);
            GeraArquivo(*m_colunas, nomes.padrao, nomes.classePai, tipos, nomes.forma.reservadas,
                        codigo, "Template " + caminho);
            if (eventoTabela) {
                eventoTabela("", nomes.padrao, 0);
            }
        }
    } catch (const EErroGeral& erro) {
        RegistraFalha(caminho + " -> " + erro.textoErro());
    } catch (const std::exception& erro) {
        RegistraFalha(caminho + " -> " + erro.what());
    }
}

void TProcessaGeracao::GeraArquivosPorTabela(const std::string& padrao, const TFormaNome& forma,
                                             const std::string& classePai,
                                             const TListaTextos& tipos, const std::string& texto,
                                             const std::string& modelo) {
    const TListaTextos tabelas = m_colunas->getNomesTabelas();
    // The file names come first, on this thread: they read the column set's index, which
    // the expansions below then only read. A name that cannot be made ends the files at it,
    // as it would have in turn.
    struct TArquivoDaTabela {
        std::string arquivo;
        std::string identificador;
    };
    std::vector<TArquivoDaTabela> arquivos;
    arquivos.reserve(tabelas.size());
    std::exception_ptr erroNome;
    for (const std::string& tabela : tabelas) {
        try {
            TArquivoDaTabela daTabela;
            daTabela.arquivo = NomeArquivoTabela(tabela, padrao, forma, daTabela.identificador);
            arquivos.push_back(std::move(daTabela));
        } catch (...) {
            erroNome = std::current_exception();
            break;
        }
    }
    // The tables' files are expanded ahead, several at once, on threads of their own while
    // this one writes the files before them. Each engine works on copies of its table's
    // columns and reads the shared set, which nothing changes meanwhile. With more than one
    // thread the set's lookups are all built first; a single thread builds only those its
    // engines ask for (the lookup by column name alone holds every column's key). The types
    // are parsed once per thread for all its files: its engines share what they learn of
    // the template's blocks, which they change as they go.
    if (threadsExpansao > 1) {
        std::as_const(*m_colunas).PreparaLeituraConcorrente();
    }
    std::vector<std::shared_ptr<const TMontaCodigo::TTiposPreparados>> preparados;
    for (std::size_t t = 0; t < std::max<std::size_t>(threadsExpansao, 1); ++t) {
        preparados.push_back(TMontaCodigo::PreparaTipos(tipos, forma.reservadas));
    }
    TOrderedProducer<std::string> expansoes(
        arquivos.size(),
        [&](std::size_t i, std::size_t t) {
            // Every caller has checked `texto` with VerificaTags before its first file.
            return Expande(*ColunasDaTabela(tabelas[i]), classePai, preparados[t], texto, true);
        },
        threadsExpansao);
    for (std::size_t i = 0; i < arquivos.size(); ++i) {
        GravaArquivo(arquivos[i].arquivo, expansoes.Next(),
                     "Table " + EntreAspas(tabelas[i]) + " Of Template " + modelo);
        if (eventoTabela) {
            eventoTabela(arquivos[i].identificador, arquivos[i].arquivo,
                         Porcento(i, tabelas.size()));
        }
    }
    if (erroNome) {
        std::rethrow_exception(erroNome);
    }
}

std::size_t TProcessaGeracao::ThreadsExpansaoPadrao() {
    // Asked once: the library reads the processor count from a file each time, and every
    // run (each refresh of a template's preview among them) starts from this default.
    static const std::size_t padrao = [] {
        const std::size_t processadores = std::thread::hardware_concurrency();
        return processadores < 2 ? 0 : std::min<std::size_t>(processadores - 1, 8);
    }();
    return padrao;
}

void TProcessaGeracao::GeraArquivo(const TControlaColunas& colunas, const std::string& nome,
                                   const std::string& classePai, const TListaTextos& tipos,
                                   const TListaTextos& reservadas, const std::string& texto,
                                   const std::string& origem) {
    // Every caller has checked `texto` with VerificaTags before its first file.
    GravaArquivo(nome, Expande(colunas, classePai, tipos, reservadas, texto, true), origem);
}

std::string TProcessaGeracao::Expande(const TControlaColunas& colunas, const std::string& classePai,
                                      const TListaTextos& tipos, const TListaTextos& reservadas,
                                      const std::string& texto, bool verificado) const {
    return Expande(colunas, classePai, TMontaCodigo::PreparaTipos(tipos, reservadas), texto,
                   verificado);
}

std::string TProcessaGeracao::Expande(const TControlaColunas& colunas, const std::string& classePai,
                                      std::shared_ptr<const TMontaCodigo::TTiposPreparados> tipos,
                                      const std::string& texto, bool verificado) const {
    TMontaCodigo motor;
    motor.setTiposPreparados(std::move(tipos));
    motor.setControlaColunas(&colunas);
    motor.setTodasAsColunas(m_colunas.get());
    motor.setLimiteSaida(limiteSaida);
    motor.nomeBaseDados = m_nomeBaseDados;
    motor.classePai = classePai;
    if (verificado) {
        motor.AdicionaModeloVerificado({texto});
    } else {
        motor.AdicionaModelo({texto});
    }
    return motor.MontaConteudo();
}

std::string TProcessaGeracao::NomeArquivoTabela(const std::string& tabela,
                                                const std::string& padrao, const TFormaNome& forma,
                                                std::string& identificador) const {
    const std::string& tag = *TagDoPadrao(padrao);
    std::size_t tamanhoEsquema = 0;
    identificador =
        NomeNoArquivo(*std::as_const(*m_colunas).getTabela(tabela), tag, tamanhoEsquema);
    return SubstituiTodos(tag, ParteDoNome(identificador, tamanhoEsquema, forma), padrao);
}

bool TProcessaGeracao::PadraoDeTabela(const std::string& padrao) {
    return TagDoPadrao(padrao) != nullptr;
}

std::string TProcessaGeracao::CorpoDeTabela(const std::string& codigo) {
    std::string texto = "<rctable>";
    texto += codigo;
    texto += "</rctable>";
    return texto;
}

std::string TProcessaGeracao::ProblemaNoNome(const std::string& nome) {
    std::string relativo = nome;
    std::replace(relativo.begin(), relativo.end(), '\\', '/');
    const bool unidade = relativo.size() >= 2 && relativo[1] == ':';
    if (!relativo.empty() && (relativo.front() == '/' || unidade)) {
        return "The File Name Leads Outside The Generation Directory !!";
    }
    const TListaTextos partes = SeparaCampos(relativo + "/", "/");
    for (const std::string& parte : partes) {
        if (parte == "..") {
            return "The File Name Leads Outside The Generation Directory !!";
        }
    }
    if (partes.empty() || partes.back().empty() || partes.back() == ".") {
        return "The File Name Is Not Valid !!";
    }
    // Neither a subfolder named by the template nor the file itself may lead elsewhere
    // through a link (a cloned project may hold links to anywhere).
    std::error_code erro;
    if (!m_baseCanonica) {
        fs::path base = fs::canonical(diretorioGeracao, erro);
        if (erro) {
            return {}; // the save itself reports the missing directory
        }
        m_baseCanonica = std::move(base);
    }
    const fs::path& base = *m_baseCanonica;
    const fs::path subpasta = fs::path(relativo).parent_path();
    fs::path pasta = base;
    if (!subpasta.empty()) {
        const auto resolvida = m_subpastasCanonicas.find(subpasta.string());
        if (resolvida != m_subpastasCanonicas.end()) {
            pasta = resolvida->second;
        } else {
            pasta = fs::weakly_canonical(base / subpasta, erro);
            if (erro || !Dentro(pasta, base)) {
                return "The File Name Leads Outside The Generation Directory !!";
            }
            m_subpastasCanonicas.emplace(subpasta.string(), pasta);
        }
    }
    const fs::path arquivo = pasta / fs::path(relativo).filename();
    if (fs::is_symlink(fs::symlink_status(arquivo, erro))) {
        // A link that points nowhere yet is judged by where it points.
        fs::path alvo = fs::read_symlink(arquivo, erro);
        if (!erro && alvo.is_relative()) {
            alvo = pasta / alvo;
        }
        const fs::path real = erro ? fs::path() : fs::weakly_canonical(alvo, erro);
        if (erro || !Dentro(real, base)) {
            return "The File Name Leads Outside The Generation Directory !!";
        }
    }
    return {};
}

std::string TProcessaGeracao::ChaveCaminho(const std::string& nome) const {
    std::string chave = fs::path(nome).lexically_normal().generic_string();
    return m_ignoraCaixa ? ChaveSemCaixa(chave) : chave;
}

std::string TProcessaGeracao::Resumo() const {
    std::string resumo = std::to_string(m_escritos) + " written, " + std::to_string(m_inalterados) +
                         " unchanged, " + std::to_string(m_pulados) + " skipped, " +
                         std::to_string(m_falhas) + " failed";
    if (m_fundidos > 0 || m_conflitos > 0) {
        resumo += "; " + std::to_string(m_fundidos) + " merged, " + std::to_string(m_conflitos) +
                  " with conflicts";
    }
    return resumo;
}

void TProcessaGeracao::Conclui(TArquivoGerado arquivo, TSituacaoArquivo situacao) {
    arquivo.situacao = situacao;
    m_arquivos.push_back(std::move(arquivo));
    if (eventoSituacao) {
        eventoSituacao(m_arquivos.back());
    }
}

void TProcessaGeracao::GuardaConteudo(const std::string& nome, const std::string& conteudo,
                                      TArquivoEmDisco& guardado, const TArquivoEmDisco* atual) {
    // A file that was not written needs its kept content read only when it may be stale: a
    // run writes the file first and its kept content after it.
    if (guardado.regular && guardado.tamanho == conteudo.size() &&
        ((atual != nullptr && guardado.NaoMaisAntigoQue(*atual)) || guardado.Igual(conteudo))) {
        return;
    }
    const std::string relativo = std::string(kPastaGuardados) + "/" + nome;
    const std::string problema = ProblemaNoNome(relativo);
    if (!problema.empty()) {
        RegistraFalha("File " + guardado.caminho + " -> " + problema);
        return;
    }
    try {
        if (LimpaPasta(guardado.caminho)) {
            std::error_code erro;
            fs::create_directories(fs::path(guardado.caminho).parent_path(), erro);
        }
        GravaTextoArquivo(guardado.caminho, conteudo, TDurabilidade::Completo);
    } catch (const EFalhaGravacao& falha) {
        RegistraFalha("File " + guardado.caminho + " -> " + falha.motivo());
    }
}

void TProcessaGeracao::GravaArquivo(const std::string& nomeDado, std::string conteudo,
                                    const std::string& origem) {
    // Names from templates made elsewhere may separate folders with a backslash.
    TArquivoGerado arquivo;
    arquivo.nome = nomeDado;
    std::replace(arquivo.nome.begin(), arquivo.nome.end(), '\\', '/');
    const std::string& nome = arquivo.nome;
    arquivo.caminho = JuntaCaminho(diretorioGeracao, nome);
    const std::string& caminho = arquivo.caminho;
    const auto falha = [&](const std::string& motivo,
                           TSituacaoArquivo situacao = TSituacaoArquivo::Falhou) {
        RegistraFalha("File " + caminho + " -> " + motivo);
        Conclui(std::move(arquivo), situacao);
    };

    std::string problema = ProblemaNoNome(nome);
    if (problema.empty() && ChaveCaminho(fs::path(nome).lexically_normal().begin()->string()) ==
                                ChaveCaminho(std::string(kPastaGuardados))) {
        problema = "The Folder " + std::string(kPastaGuardados) +
                   " Keeps What The Runs Generated; No File Is Generated Into It !!";
    }
    if (!problema.empty()) {
        falha(problema);
        return;
    }
    // Two outputs of one run never share a path: the first is written, the later ones fail.
    const auto [anterior, primeiro] = m_caminhos.emplace(ChaveCaminho(nome), origem);
    if (!primeiro) {
        falha("Not Written: " + origem + " And " + anterior->second +
                  " Both Name This File; Only The First Is Written !!",
              TSituacaoArquivo::Colidente);
        return;
    }

    TArquivoEmDisco atual(caminho);
    TArquivoEmDisco guardado(
        JuntaCaminho(diretorioGeracao, std::string(kPastaGuardados) + "/" + nome));
    if (atual.Igual(conteudo)) {
        // Nothing would be lost and nothing gained: the file and its time stamp stay.
        if (!simulacao) {
            RegistraLog("File " + caminho + " -> Unchanged");
            GuardaConteudo(nome, conteudo, guardado, &atual);
        }
        ++m_inalterados;
        Conclui(std::move(arquivo), TSituacaoArquivo::Inalterado);
        return;
    }
    // Edited by hand: it differs from what the run generated for it last time.
    const bool temGuardado = atual.existe && guardado.regular && guardado.conteudo() != nullptr;
    const bool editado = temGuardado && !atual.Igual(guardado);

    if (simulacao) {
        const TSituacaoArquivo situacao = !atual.existe ? TSituacaoArquivo::Novo
                                          : editado     ? TSituacaoArquivo::EditadoAMao
                                                        : TSituacaoArquivo::Alterado;
        if (guardaConteudos) {
            arquivo.existia = atual.existe;
            if (const std::string* texto = atual.conteudo()) {
                arquivo.anterior = *texto;
            }
            arquivo.novo = conteudo;
            if (editado && fundeEdicoes && atual.conteudo() != nullptr) {
                try {
                    arquivo.novo =
                        FundeTextos(*guardado.conteudo(), *atual.conteudo(), conteudo, nome).texto;
                } catch (const std::exception& erro) {
                    falha(erro.what());
                    return;
                }
            }
        }
        Conclui(std::move(arquivo), situacao);
        return;
    }

    enum class TAcao { Substitui, Mantem, Funde };
    TAcao acao = TAcao::Substitui;
    // Only a file (or a link to one) is offered for overwriting: a folder of that name is
    // no file, and writing it fails.
    if (atual.regular) {
        if (m_estado == TEstadoSobrescrita::SimParaTodos) {
            acao = TAcao::Substitui;
        } else if (m_estado == TEstadoSobrescrita::NaoParaTodos) {
            acao = TAcao::Mantem;
        } else if (m_estado == TEstadoSobrescrita::FundeTodos && temGuardado) {
            acao = TAcao::Funde;
        } else {
            // A file without kept content is asked about, also under Merge All.
            std::string resposta;
            if (perguntaSobrescrita) {
                m_podeFundir = temGuardado;
                resposta =
                    perguntaSobrescrita("Overwrite " + EntreAspas(ExtraiNome(caminho)) + " ?");
                m_podeFundir = false;
            }
            if (resposta == "mr_yesall") {
                m_estado = TEstadoSobrescrita::SimParaTodos;
            } else if (resposta == "mr_noall") {
                m_estado = TEstadoSobrescrita::NaoParaTodos;
            } else if (resposta == "mr_mergeall") {
                m_estado = TEstadoSobrescrita::FundeTodos;
            }
            acao = resposta == "mr_yes" || resposta == "mr_yesall"       ? TAcao::Substitui
                   : resposta == "mr_merge" || resposta == "mr_mergeall" ? TAcao::Funde
                                                                         : TAcao::Mantem;
        }
    }
    if (acao == TAcao::Funde && !temGuardado) {
        RegistraLog("File " + caminho +
                    " -> Kept As It Is: No Generated Content Was Kept For It To Merge With");
        acao = TAcao::Mantem;
    }
    if (acao == TAcao::Mantem) {
        ++m_pulados;
        Conclui(std::move(arquivo), TSituacaoArquivo::Pulado);
        return;
    }

    // Merging a file nobody edited is replacing it.
    std::string fundido;
    const std::string* gravado = &conteudo;
    TSituacaoArquivo situacao = TSituacaoArquivo::Escrito;
    std::vector<std::size_t> linhasConflito;
    if (acao == TAcao::Funde && editado) {
        try {
            TFusao fusao = FundeTextos(*guardado.conteudo(), *atual.conteudo(), conteudo, nome);
            situacao = fusao.limpa() ? TSituacaoArquivo::Fundido : TSituacaoArquivo::Conflito;
            linhasConflito = std::move(fusao.conflitos);
            fundido = std::move(fusao.texto);
            gravado = &fundido;
        } catch (const std::exception& erro) {
            falha(erro.what());
            return;
        }
        // The file already holds the merge (its edits touch nothing the run changed): it
        // stays as it is, and the new output becomes the base of the next merge.
        if (situacao == TSituacaoArquivo::Fundido && atual.Igual(fundido)) {
            RegistraLog("File " + caminho + " -> Unchanged, Hand Edits Kept");
            GuardaConteudo(nome, conteudo, guardado, nullptr);
            ++m_inalterados;
            Conclui(std::move(arquivo), TSituacaoArquivo::Inalterado);
            return;
        }
    }
    LimpaPasta(caminho);
    try {
        GravaTextoArquivo(caminho, *gravado, TDurabilidade::Completo);
    } catch (const EFalhaGravacao& falhaGravacao) {
        falha(falhaGravacao.motivo());
        return;
    }
    if (situacao == TSituacaoArquivo::Escrito) {
        RegistraLog("File " + caminho + " -> OK");
    } else {
        RegistraLog("File " + caminho + " -> OK, Hand Edits Merged");
    }
    for (const std::size_t linha : linhasConflito) {
        RegistraLog("File " + caminho + " -> Merge Conflict At Line " + std::to_string(linha));
        m_linhasConflitos.push_back(m_log.back());
    }
    ++m_escritos;
    if (situacao == TSituacaoArquivo::Fundido) {
        ++m_fundidos;
    } else if (situacao == TSituacaoArquivo::Conflito) {
        ++m_conflitos;
    }
    // What the run generated, not what it wrote: the base of the next merge.
    GuardaConteudo(nome, conteudo, guardado, nullptr);
    if (eventoArquivo) {
        eventoArquivo(caminho);
    }
    Conclui(std::move(arquivo), situacao);
}

} // namespace fendril
