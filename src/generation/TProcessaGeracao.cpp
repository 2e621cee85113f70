#include "generation/TProcessaGeracao.h"

#include "documents/ColunasDocumento.h"
#include "documents/DocumentoMapeamento.h"
#include "documents/TDocModelos.h"
#include "engine/TMontaCodigo.h"
#include "model/ArquivoTexto.h"
#include "model/Erros.h"
#include "model/Log.h"

#include <algorithm>
#include <filesystem>
#include <unordered_map>
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

std::string TagDoNome(bool nomePorAlias) {
    return nomePorAlias ? "<tbalias>" : "<tbname>";
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

} // namespace

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
    m_mapeamento = TArquivoKMF();
    m_mapeamento.Abre(caminhoMapeamento);
    // A mapping without its database name, or with column lines that do not decode, is
    // refused here, before any file is written.
    const TListaTextos bases =
        m_mapeamento.LeSecao(secao::descricao, chave::combo_basedados, false);
    if (bases.empty()) {
        throw EErroGeral::Create("The Mapping File " + EntreAspas(caminhoMapeamento) +
                                 " Has No Database Name !!");
    }
    m_nomeBaseDados = bases.front();
    try {
        CarregaColunasHabilitadas();
    } catch (const std::exception& erro) {
        throw EErroGeral::Create("The Mapping File " + EntreAspas(caminhoMapeamento) +
                                 " Could Not Be Read: " + erro.what());
    }
}

void TProcessaGeracao::CarregaColunasHabilitadas() {
    std::unique_ptr<TControlaColunas> lidas =
        LeValor(m_mapeamento, kCamposMapeamento, &TDescricaoMapeamento::controlaColunas);
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
    std::unordered_map<const TColuna*, std::size_t> posicoes;
    for (std::size_t i = 0; i < leitura.getColunas().size(); ++i) {
        posicoes.emplace(leitura.getColunas()[i].get(), i);
    }
    std::vector<std::size_t> habilitadas;
    for (const std::string& tabela : leitura.getNomesTabelas()) {
        for (const std::string& nome : leitura.getNomesColunas(tabela)) {
            const TColuna* coluna = leitura.getColuna(tabela, nome);
            if (coluna != nullptr && coluna->habilitado) {
                habilitadas.push_back(posicoes.at(coluna));
            }
        }
    }
    m_colunas = std::make_unique<TControlaColunas>(habilitadas.size());
    TArrColunas& origem = todas.getColunas();
    TArrColunas& destino = m_colunas->getColunas();
    for (std::size_t i = 0; i < habilitadas.size(); ++i) {
        std::swap(destino[i], origem[habilitadas[i]]);
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

TProcessaGeracao::NomesTabela TProcessaGeracao::NomesModeloTabela(const std::string& caminho) {
    NomesTabela nomes;
    try {
        CarregaModelo(caminho, ModeloTabela, m_modeloTabela);
    } catch (const std::exception&) {
        return nomes; // logged and counted by CarregaModelo
    }
    nomes.carregado = true;
    try {
        using M = TDocModeloTabela;
        const auto le = [this](auto membro) { return DoModeloTabela(m_modeloTabela, membro); };
        const std::string prefixoTabela = le(&M::tablePrefix);
        const std::string tag = TagDoNome(le(&M::nomePorAlias));
        const std::string sufixoTabela = le(&M::tableSufix);
        nomes.padrao = prefixoTabela + tag + sufixoTabela + "." + le(&M::tableExtension);
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
    } catch (const std::exception& erro) {
        // The names not formed yet stay empty; those formed still run.
        RegistraFalha(caminho + " -> " + erro.what());
    }
    return nomes;
}

TProcessaGeracao::NomesGeral TProcessaGeracao::NomesModeloGeral(const std::string& caminho) {
    NomesGeral nomes;
    try {
        CarregaModelo(caminho, ModeloGeral, m_modeloGeral);
    } catch (const std::exception&) {
        return nomes; // logged and counted by CarregaModelo
    }
    nomes.carregado = true;
    try {
        using M = TDocModeloGeral;
        const auto le = [this](auto membro) { return DoModeloGeral(m_modeloGeral, membro); };
        switch (le(&M::arquivoUnico)) {
        case 0: {
            const std::string prefixo = le(&M::tablePrefix);
            const std::string tag = TagDoNome(le(&M::nomePorAlias));
            const std::string sufixo = le(&M::tableSufix);
            nomes.padrao = prefixo + tag + sufixo + "." + le(&M::makeExtension);
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
    } catch (const std::exception& erro) {
        RegistraFalha(caminho + " -> " + erro.what());
    }
    return nomes;
}

TListaTextos TProcessaGeracao::CarregaTipos(int tipo, const std::string& caminhoModelo) {
    if (tipo == ModeloTabela) {
        // Every row of the types section as stored, whatever its key.
        return Valores(m_modeloTabela, secao::tb_tipos, "");
    }
    // A general template without a types file entry runs without correspondences.
    const TListaTextos valores = Valores(m_modeloGeral, secao::codigo, chave::edit_typesfile);
    std::string caminho = valores.empty() ? std::string() : valores.front();
    if (!caminho.empty() && fs::path(caminho).is_relative()) {
        // A relative types file lies beside its template, so template sets can be moved.
        caminho = (fs::path(caminhoModelo).parent_path() / caminho).string();
    }
    TListaTextos linhas;
    if (Existe(caminho)) {
        try {
            linhas = LeLinhasTexto(caminho);
            RegistraLog("Types File " + caminho + " -> OK");
        } catch (const std::exception& erro) {
            RegistraLog(erro.what());
        }
        for (const std::string& linha : linhas) {
            if (SeparaCampos(linha, ";").size() != 3) {
                RegistraLog("The File " + EntreAspas(caminho) + " Is Not Valid !!");
                linhas.clear();
                break;
            }
        }
    } else if (!caminho.empty()) {
        RegistraLog("The File " + EntreAspas(caminho) + " Does Not Exist !!");
    } else {
        RegistraLog("No Types File Specified !!");
    }
    return linhas;
}

std::unique_ptr<TControlaColunas>
TProcessaGeracao::ColunasDaTabela(const std::string& tabela) const {
    const std::vector<const TColuna*> originais =
        std::as_const(*m_colunas).getColunasDaTabela(tabela);
    TListaTextos codificacoes;
    for (const TColuna* coluna : originais) {
        codificacoes.push_back(coluna->Codifica());
    }
    auto conjunto = std::make_unique<TControlaColunas>(codificacoes.size());
    conjunto->CarregaLinhas(codificacoes);
    // The facts are not part of the encoding.
    for (std::size_t i = 0; i < originais.size(); ++i) {
        conjunto->getColunas()[i]->CopiaFatosDe(*originais[i]);
    }
    return conjunto;
}

TListaTextos TProcessaGeracao::ExpandeNome(const std::string& padrao) const {
    const TControlaColunas& colunas = *m_colunas;
    TListaTextos nomes;
    if (Contem(padrao, "<tbname>")) {
        for (const std::string& tabela : colunas.getNomesTabelas()) {
            nomes.push_back(SubstituiTodos("<tbname>", SemPontos(tabela), padrao));
        }
    } else if (Contem(padrao, "<tbalias>")) {
        for (const std::string& alias : colunas.getAliasTabelas()) {
            nomes.push_back(SubstituiTodos("<tbalias>", SemPontos(alias), padrao));
        }
    } else {
        nomes.push_back(padrao);
    }
    return nomes;
}

TListaTextos TProcessaGeracao::ListaArquivos() {
    TListaTextos arquivos;
    if (!m_mapeamentoCarregado) {
        return arquivos;
    }
    const auto acrescenta = [this, &arquivos](const std::string& padrao) {
        for (std::string& nome : ExpandeNome(padrao)) {
            if (!nome.empty()) {
                arquivos.push_back(std::move(nome));
            }
        }
    };
    for (const std::string& caminho : m_modelosTabela) {
        const NomesTabela nomes = NomesModeloTabela(caminho);
        acrescenta(nomes.padrao);
        acrescenta(nomes.arquivoPai);
        acrescenta(nomes.arquivoMake);
    }
    for (const std::string& caminho : m_modelosGerais) {
        acrescenta(NomesModeloGeral(caminho).padrao);
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
    m_pulados = 0;
    m_linhasFalhas.clear();
    m_pastasLimpas.clear();
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
    if (fs::is_directory(diretorioGeracao, erro)) {
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

void TProcessaGeracao::LimpaPasta(const std::string& caminhoArquivo) {
    std::string pasta = fs::path(caminhoArquivo).parent_path().string();
    if (m_pastasLimpas.insert(pasta).second) {
        RemoveTemporariosAbandonados(pasta);
    }
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
            const std::string texto = "<rctable>" + codigo + "</rctable>";
            TMontaCodigo::VerificaTags(texto);
            RegistraAvisos(caminho + "(Table Class) -> ", codigo, true);
            GeraArquivosPorTabela(nomes.padrao, nomes.classePai, tipos, texto);
        });
    }
    if (!nomes.classePai.empty()) {
        gera("(Parent Class) -> ", [&] {
            const std::string texto = DoModeloTabela(m_modeloTabela, &TDocModeloTabela::classePai);
            TMontaCodigo::VerificaTags(texto);
            RegistraAvisos(caminho + "(Parent Class) -> ", texto, false);
            if (!nomes.arquivoPai.empty()) {
                GeraArquivo(*m_colunas, nomes.arquivoPai, nomes.classePai, tipos, texto);
            }
        });
    }
    if (!nomes.arquivoMake.empty()) {
        gera("(Make File) -> ", [&] {
            const std::string texto = DoModeloTabela(m_modeloTabela, &TDocModeloTabela::make);
            TMontaCodigo::VerificaTags(texto);
            RegistraAvisos(caminho + "(Make File) -> ", texto, false);
            GeraArquivo(*m_colunas, nomes.arquivoMake, nomes.classePai, tipos, texto);
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
        if (Contem(nomes.padrao, "<tbname>") || Contem(nomes.padrao, "<tbalias>")) {
            const std::string texto = "<rctable>" + codigo + "</rctable>";
            TMontaCodigo::VerificaTags(texto);
            RegistraAvisos(caminho + " -> ", codigo, true);
            GeraArquivosPorTabela(nomes.padrao, nomes.classePai, tipos, texto);
        } else {
            TMontaCodigo::VerificaTags(codigo);
            RegistraAvisos(caminho + " -> ", codigo, false);
            GeraArquivo(*m_colunas, nomes.padrao, nomes.classePai, tipos, codigo);
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

void TProcessaGeracao::GeraArquivosPorTabela(const std::string& padrao,
                                             const std::string& classePai,
                                             const TListaTextos& tipos, const std::string& texto) {
    const TControlaColunas& colunas = *m_colunas;
    const TListaTextos tabelas = colunas.getNomesTabelas();
    const bool porNome = Contem(padrao, "<tbname>");
    for (std::size_t i = 0; i < tabelas.size(); ++i) {
        const std::string& tabela = tabelas[i];
        const std::string identificador = porNome ? tabela : colunas.getTabela(tabela)->alias;
        const std::string arquivo =
            SubstituiTodos(porNome ? "<tbname>" : "<tbalias>", SemPontos(identificador), padrao);
        GeraArquivo(*ColunasDaTabela(tabela), arquivo, classePai, tipos, texto);
        if (eventoTabela) {
            eventoTabela(identificador, arquivo, Porcento(i, tabelas.size()));
        }
    }
}

void TProcessaGeracao::GeraArquivo(const TControlaColunas& colunas, const std::string& nome,
                                   const std::string& classePai, const TListaTextos& tipos,
                                   const std::string& texto) {
    TListaTextos linhas;
    {
        TMontaCodigo motor;
        motor.AdicionaTipos(tipos);
        motor.setControlaColunas(&colunas);
        motor.setTodasAsColunas(m_colunas.get());
        motor.setLimiteSaida(limiteSaida);
        motor.nomeBaseDados = m_nomeBaseDados;
        motor.classePai = classePai;
        motor.AdicionaModelo({texto});
        motor.Monta();
        linhas = motor.getCodigo();
    }
    GravaArquivo(nome, linhas);
}

std::string TProcessaGeracao::ProblemaNoNome(const std::string& nome) const {
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
    const fs::path base = fs::canonical(diretorioGeracao, erro);
    if (erro) {
        return {}; // the save itself reports the missing directory
    }
    const fs::path subpasta = fs::path(relativo).parent_path();
    fs::path pasta = base;
    if (!subpasta.empty()) {
        pasta = fs::weakly_canonical(base / subpasta, erro);
        if (erro || !Dentro(pasta, base)) {
            return "The File Name Leads Outside The Generation Directory !!";
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

void TProcessaGeracao::GravaArquivo(const std::string& nomeDado, const TListaTextos& linhas) {
    // Names from templates made elsewhere may separate folders with a backslash.
    std::string nome = nomeDado;
    std::replace(nome.begin(), nome.end(), '\\', '/');
    const std::string caminho = JuntaCaminho(diretorioGeracao, nome);
    const std::string problema = ProblemaNoNome(nome);
    if (!problema.empty()) {
        RegistraFalha("File " + caminho + " -> " + problema);
        return;
    }
    if (Existe(caminho)) {
        std::string resposta;
        if (!m_simParaTodos && !m_naoParaTodos) {
            if (perguntaSobrescrita) {
                resposta =
                    perguntaSobrescrita("Overwrite " + EntreAspas(ExtraiNome(caminho)) + " ?");
            }
            m_simParaTodos = resposta == "mr_yesall";
            m_naoParaTodos = resposta == "mr_noall";
        }
        if (!m_simParaTodos && resposta != "mr_yes") {
            ++m_pulados;
            return;
        }
    }
    LimpaPasta(caminho);
    try {
        GravaLinhasTexto(caminho, linhas, TDurabilidade::Completo);
    } catch (const EFalhaGravacao& falha) {
        RegistraFalha("File " + caminho + " -> " + falha.motivo());
        return;
    }
    RegistraLog("File " + caminho + " -> OK");
    ++m_escritos;
    if (eventoArquivo) {
        eventoArquivo(caminho);
    }
}

} // namespace fendril
