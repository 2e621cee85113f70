#include "schema/TManipulaColunas.h"

#include "model/Erros.h"
#include "model/Log.h"
#include "schema/TManipulaTabelas.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace fendril {

namespace {

// A text field for comparisons that must not fail on Null: Null reads as "".
std::string TextoOuVazio(const TLinhaEsquema& linha, int ordinal) {
    return linha.Nulo(ordinal) ? std::string() : linha.Texto(ordinal);
}

// Whether a schema field names `esquema`, Null reading as "".
bool MesmoEsquema(const TLinhaEsquema& linha, int ordinal, std::string_view esquema) {
    return linha.Nulo(ordinal) ? esquema.empty() : linha.TextoIgual(ordinal, esquema);
}

// A text field set only when not Null, left empty when it cannot be read.
void LeCampo(const TLinhaEsquema& linha, int ordinal, std::string& campo) {
    try {
        if (!linha.Nulo(ordinal)) {
            campo = linha.Texto(ordinal);
        }
    } catch (const std::exception&) {
        campo.clear();
    }
}

std::int32_t InteiroOuMenosUm(const TLinhaEsquema& linha, int ordinal) {
    if (linha.Nulo(ordinal)) {
        return -1;
    }
    const std::int64_t valor = linha.Inteiro(ordinal);
    if (valor > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (valor < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(valor);
}

// A flag of a COLUMNS row; `padrao` when it is Null or cannot be read.
bool FlagOuPadrao(const TLinhaEsquema& linha, int ordinal, bool padrao) {
    try {
        return linha.Nulo(ordinal) ? padrao : linha.Booleano(ordinal);
    } catch (const std::exception&) {
        return padrao;
    }
}

// A text of a COLUMNS row; empty when it is Null or cannot be read.
std::string TextoOuNada(const TLinhaEsquema& linha, int ordinal) {
    std::string texto;
    LeCampo(linha, ordinal, texto);
    return texto;
}

TFiltro Filtro(const std::string& filtro, std::size_t slots, int slot) {
    if (filtro.empty()) {
        return {};
    }
    TFiltro restricoes(slots);
    if (slot >= 0) {
        restricoes[static_cast<std::size_t>(slot)] = filtro;
    }
    return restricoes;
}

} // namespace

TColecaoColunas::TColecaoColunas() : m_fabrica(FabricaPadrao()) {}

TTiposProvider::TTiposProvider(const TListaTextos& linhas) {
    campos.reserve(linhas.size());
    for (const std::string& linha : linhas) {
        campos.push_back(SeparaCampos(linha, ";"));
        const TListaTextos& atual = campos.back();
        // try_emplace keeps the first line of a name or an indicator.
        if (atual.size() > 2) {
            melhorPorNome.try_emplace(atual[1], atual[2]);
        }
        if (!atual.empty()) {
            primeiraPorIndicador.try_emplace(atual[0], campos.size() - 1);
        }
    }
}

void TColecaoColunas::setCatalogos(std::unique_ptr<TRowset> recordset) {
    m_catalogos.setRecordset(std::move(recordset));
    m_linhaCatalogoLida = -2;
}
void TColecaoColunas::setTabelas(std::unique_ptr<TRowset> recordset) {
    m_tabelas.setRecordset(std::move(recordset));
    m_linhaTabelaLida = -2;
}
void TColecaoColunas::setChavesPrimarias(std::unique_ptr<TRowset> recordset) {
    m_chavesPrimarias.setRecordset(std::move(recordset));
}
void TColecaoColunas::setChavesEstrangeiras(std::unique_ptr<TRowset> recordset) {
    m_chavesEstrangeiras.setRecordset(std::move(recordset));
}

void TColecaoColunas::setConexao(std::string stringConexao, std::string usuario, std::string senha,
                                 std::string nomeBaseDados, TFabricaConexao fabrica) {
    m_stringConexao = std::move(stringConexao);
    m_usuario = std::move(usuario);
    m_senha = std::move(senha);
    m_nomeBaseDados = std::move(nomeBaseDados);
    m_fabrica = std::move(fabrica);
}

const TColuna& TColecaoColunas::getColuna() const {
    // A taken column leaves a default one in its place; one shared blank stands for it
    // rather than a column made for every column taken.
    static const TColuna vazia;
    return m_coluna ? *m_coluna : vazia;
}

std::unique_ptr<TColuna> TColecaoColunas::TomaColuna() {
    std::unique_ptr<TColuna> coluna = m_coluna ? std::move(m_coluna) : std::make_unique<TColuna>();
    if (!coluna->chaveEstrangeira) {
        coluna->RemoveColunaEstrangeira();
    }
    return coluna;
}

void TColecaoColunas::MontaAtual() {
    if (!getFim()) {
        try {
            m_coluna = MontaColuna();
        } catch (const std::exception& erro) {
            throw EErroGeral::CreateDeExcecao(erro,
                                              "Colecao Colunas: Problemas na Montagem da Coluna");
        }
    }
}

std::unique_ptr<TColuna> TColecaoColunas::MontaColuna() {
    namespace colunas = rowset::columns;
    namespace tabelas = rowset::tables;
    const TLinhaEsquema& linha = Linha();

    // The TABLES row of the column's table, which the cursor is left on.
    std::int32_t linhaTabela = -1;
    m_tabelas.Primeiro();
    if (m_tabelas.getQuantidade() > 0) {
        const TLinhaEsquema& linhaTabelas = *m_tabelas.getRecordset();
        const std::string nomeTabela = linha.Texto(colunas::TABLE_NAME);
        const std::string esquema = TextoOuVazio(linha, colunas::TABLE_SCHEMA);
        while (!m_tabelas.getFim()) {
            if (linhaTabelas.TextoIgual(tabelas::TABLE_NAME, nomeTabela) &&
                MesmoEsquema(linhaTabelas, tabelas::TABLE_SCHEMA, esquema)) {
                linhaTabela = m_tabelas.getPosicao();
                break;
            }
            m_tabelas.Proximo();
        }
    }

    // The CATALOGS row of that table's catalog.
    std::int32_t linhaCatalogo = -1;
    m_catalogos.Primeiro();
    if (m_catalogos.getQuantidade() > 0) {
        const TLinhaEsquema& catalogo = *m_catalogos.getRecordset();
        if (m_tabelas.getRecordset() == nullptr) {
            throw Exception("Operation is not allowed when the object is closed.");
        }
        const TLinhaEsquema& linhaTabelas = *m_tabelas.getRecordset();
        while (!m_catalogos.getFim()) {
            if (catalogo.Texto(rowset::catalogs::CATALOG_NAME) ==
                linhaTabelas.Texto(tabelas::TABLE_CATALOG)) {
                linhaCatalogo = m_catalogos.getPosicao();
                break;
            }
            m_catalogos.Proximo();
        }
    }

    // The columns of a table come one after another: they share its record.
    std::unique_ptr<TColuna> coluna;
    if (m_tabelaAnterior && linhaTabela == m_linhaTabelaLida &&
        linhaCatalogo == m_linhaCatalogoLida && *m_tabelaAnterior == m_registroLido) {
        coluna = TColuna::ComTabela(m_tabelaAnterior);
    } else {
        coluna = std::make_unique<TColuna>();
        TTabela& tabela = coluna->getTabela();
        if (linhaTabela >= 0) {
            const TLinhaEsquema& linhaTabelas = *m_tabelas.getRecordset();
            LeCampo(linhaTabelas, tabelas::TABLE_NAME, tabela.nome);
            LeCampo(linhaTabelas, tabelas::TABLE_SCHEMA, tabela.esquema);
            LeCampo(linhaTabelas, tabelas::TABLE_TYPE, tabela.tipo);
            LeCampo(linhaTabelas, tabelas::DESCRIPTION, tabela.comment);
        }
        if (linhaCatalogo >= 0) {
            tabela.getBaseDados().LeLinhaCatalogo(*m_catalogos.getRecordset());
        }
        m_registroLido = tabela;
        m_linhaTabelaLida = linhaTabela;
        m_linhaCatalogoLida = linhaCatalogo;
        coluna->CompartilhaTabelaIgual(m_tabelaAnterior);
    }
    const TTabela& registro = std::as_const(*coluna).getTabela();

    coluna->nome = linha.Texto(colunas::COLUMN_NAME);
    TChaves chaves = ProcuraChaves(registro.esquema, registro.nome, coluna->nome);
    if (chaves.estrangeira) {
        coluna->CopiaColunaEstrangeira(*chaves.coluna);
    } else if (!m_colunasTomadas) {
        // A copy of a blank column is a new blank column; making one is all it takes.
        coluna->CriaColunaEstrangeira();
    }
    PreencheTipoDado(*coluna);
    coluna->chaveEstrangeira = chaves.estrangeira;
    coluna->tipoColuna = chaves.primaria ? TTipoColuna::tcChavePrimaria : TTipoColuna::tcComum;

    TColumnFacts& fatos = coluna->facts;
    fatos.nullable = FlagOuPadrao(linha, colunas::IS_NULLABLE, true);
    fatos.defaultValue = TextoOuNada(linha, colunas::COLUMN_DEFAULT);
    fatos.unique = FlagOuPadrao(linha, colunas::FENDRIL_IS_UNIQUE, false);
    fatos.autoIncrement = FlagOuPadrao(linha, colunas::FENDRIL_IS_AUTOINCREMENT, false);
    fatos.comment = TextoOuNada(linha, colunas::DESCRIPTION);
    // Whatever the source says, a key column holds no null, and the column of a
    // one-column key is unique.
    if (chaves.primaria) {
        fatos.nullable = false;
        fatos.unique = fatos.unique || chaves.colunasPrimarias == 1;
    }
    return coluna;
}

TColecaoColunas::TChaves TColecaoColunas::ProcuraChaves(const std::string& esquema,
                                                        const std::string& tabela,
                                                        const std::string& coluna) {
    namespace primarias = rowset::primary_keys;
    namespace estrangeiras = rowset::foreign_keys;
    TChaves chaves;

    // Every key row of the table is visited, to count the key's columns.
    m_chavesPrimarias.Primeiro();
    if (m_chavesPrimarias.getQuantidade() > 0) {
        const TLinhaEsquema& linha = *m_chavesPrimarias.getRecordset();
        while (!m_chavesPrimarias.getFim()) {
            if (linha.TextoIgual(primarias::TABLE_NAME, tabela) &&
                MesmoEsquema(linha, primarias::TABLE_SCHEMA, esquema)) {
                ++chaves.colunasPrimarias;
                chaves.primaria =
                    chaves.primaria || linha.TextoIgual(primarias::COLUMN_NAME, coluna);
            }
            m_chavesPrimarias.Proximo();
        }
    }

    m_chavesEstrangeiras.Primeiro();
    if (m_chavesEstrangeiras.getQuantidade() > 0) {
        const TLinhaEsquema& linha = *m_chavesEstrangeiras.getRecordset();
        while (!m_chavesEstrangeiras.getFim()) {
            if (linha.TextoIgual(estrangeiras::FK_COLUMN_NAME, coluna) &&
                linha.TextoIgual(estrangeiras::FK_TABLE_NAME, tabela) &&
                MesmoEsquema(linha, estrangeiras::FK_TABLE_SCHEMA, esquema)) {
                chaves.estrangeira = true;
                chaves.coluna = std::make_unique<TColuna>();
                const std::string nomeReferido = linha.Texto(estrangeiras::PK_TABLE_NAME);
                const std::string esquemaReferido =
                    TextoOuVazio(linha, estrangeiras::PK_TABLE_SCHEMA);
                const std::string chave = nomeReferido + '\0' + esquemaReferido;
                auto referida = m_tabelasReferidas->find(chave);
                if (referida == m_tabelasReferidas->end()) {
                    referida = m_tabelasReferidas
                                   ->emplace(chave, LeTabelaReferida(nomeReferido, esquemaReferido))
                                   .first;
                }
                if (referida->second) {
                    chaves.coluna->getTabela().Decodifica(*referida->second);
                }
                chaves.coluna->nome = linha.Texto(estrangeiras::PK_COLUMN_NAME);
                break;
            }
            m_chavesEstrangeiras.Proximo();
        }
    }
    return chaves;
}

std::optional<std::string> TColecaoColunas::LeTabelaReferida(const std::string& nome,
                                                             const std::string& esquema) const {
    TManipulatabelas leitor(m_stringConexao, m_usuario, m_senha, m_nomeBaseDados, m_fabrica);
    leitor.Abre(1, nome);
    if (!leitor.getFalhaMontagem().empty()) {
        throw EErroGeral::Create(leitor.getFalhaMontagem());
    }
    // The referenced table is the TABLES row of that name in the referenced schema.
    TColecaoTabelas& tabelas = leitor.getColecao();
    while (!tabelas.getFim()) {
        if (tabelas.getTabela().esquema == esquema) {
            return tabelas.getTabela().Codifica();
        }
        tabelas.Proximo();
    }
    return std::nullopt;
}

void TColecaoColunas::PreencheTipoDado(TColuna& coluna) const {
    namespace c = rowset::columns;
    const TLinhaEsquema& linha = Linha();
    if (linha.Nulo(c::DATA_TYPE)) {
        return;
    }
    const std::int32_t tamanho = InteiroOuMenosUm(linha, c::CHARACTER_MAXIMUM_LENGTH);
    const std::int32_t precisao = InteiroOuMenosUm(linha, c::NUMERIC_PRECISION);
    const std::int32_t escala = InteiroOuMenosUm(linha, c::NUMERIC_SCALE);
    const std::int32_t precisaoDataHora = InteiroOuMenosUm(linha, c::DATETIME_PRECISION);
    const std::int32_t tipoOLE = InteiroOuMenosUm(linha, c::DATA_TYPE);
    const std::string codigo = std::to_string(tipoOLE);
    TTipoDado tipo;
    const std::string declarado = TextoOuNada(linha, c::FENDRIL_TYPE_NAME);
    if (!declarado.empty()) {
        // The type the database declares; its entry of the list, when it has one, says
        // whether it is the best match for its indicator.
        tipo.nome = declarado;
        tipo.tamanho = tamanho;
        tipo.precisao = precisao;
        tipo.escala = escala;
        tipo.precisaoDataHora = precisaoDataHora;
        tipo.tipoOLE = tipoOLE;
        const auto entrada = m_tipos->melhorPorNome.find(declarado);
        tipo.melhorCorrespondencia =
            entrada != m_tipos->melhorPorNome.end() ? entrada->second : "0";
        coluna.getTipoDado() = tipo;
        return;
    }
    // A source that cannot tell the declared type: the list's first type of the indicator.
    if (const auto primeira = m_tipos->primeiraPorIndicador.find(codigo);
        primeira != m_tipos->primeiraPorIndicador.end()) {
        const TListaTextos& campos = m_tipos->campos[primeira->second];
        tipo.nome = ItemDaLista(campos, 1);
        tipo.tamanho = tamanho;
        tipo.precisao = precisao;
        tipo.escala = escala;
        tipo.precisaoDataHora = precisaoDataHora;
        tipo.tipoOLE = tipoOLE;
        tipo.melhorCorrespondencia = ItemDaLista(campos, 2);
    }
    // A plain record: assigning it gives what a copy through its encoding gives.
    coluna.getTipoDado() = tipo;
}

TManipulaColunas::TManipulaColunas(std::string stringConexao, std::string usuario,
                                   std::string senha, std::string nomeBaseDados,
                                   TFabricaConexao fabrica)
    : m_stringConexao(std::move(stringConexao)), m_colecao(std::make_unique<TColecaoColunas>()),
      m_usuario(std::move(usuario)), m_senha(std::move(senha)),
      m_nomeBaseDados(std::move(nomeBaseDados)), m_fabrica(std::move(fabrica)) {}

TManipulaColunas::~TManipulaColunas() {
    Fecha();
}

TFiltro TManipulaColunas::MontaFiltroCatalogos(const std::string& filtro, std::uint8_t tipoFiltro) {
    return Filtro(filtro, 1, tipoFiltro == 3 ? 0 : -1);
}

TFiltro TManipulaColunas::MontaFiltroTabelas(const std::string& filtro, std::uint8_t tipoFiltro) {
    static const int slots[] = {-1, 2, 1, 0};
    return Filtro(filtro, 4, tipoFiltro < 4 ? slots[tipoFiltro] : -1);
}

TFiltro TManipulaColunas::MontaFiltroChavesPrimarias(const std::string& filtro,
                                                     std::uint8_t tipoFiltro) {
    static const int slots[] = {-1, 2, 1, 0};
    return Filtro(filtro, 3, tipoFiltro < 4 ? slots[tipoFiltro] : -1);
}

TFiltro TManipulaColunas::MontaFiltroChavesEstrangeiras(const std::string& filtro,
                                                        std::uint8_t tipoFiltro) {
    static const int slots[] = {-1, 5, 4, 3};
    return Filtro(filtro, 6, tipoFiltro < 4 ? slots[tipoFiltro] : -1);
}

TFiltro TManipulaColunas::MontaFiltroColunas(const std::string& filtro, std::uint8_t tipoFiltro) {
    static const int slots[] = {3, 2, 1, 0};
    return Filtro(filtro, 4, tipoFiltro < 4 ? slots[tipoFiltro] : -1);
}

void TManipulaColunas::Abre(std::uint8_t tipoFiltro, const std::string& filtro) {
    m_log.clear();
    m_falhaMontagem.clear();
    if (m_conectado) {
        Fecha();
    }
    m_colecao = std::make_unique<TColecaoColunas>();
    m_conectado = false;
    m_conexao = AbreConexao(m_fabrica, m_stringConexao, m_usuario, m_senha, m_nomeBaseDados,
                            "TManipulaColunas: Open Connection Error. OLE Message :", m_log);
    const TFechaAoFalhar fecha(m_conexao);

    const auto passo = [this](const char* rotulo, auto&& acao, auto&& esvazia) {
        try {
            acao();
            RegistraLog(std::string(rotulo) + "OK");
        } catch (const std::exception& erro) {
            esvazia();
            const std::string texto = std::string(rotulo) + erro.what();
            RegistraLog(texto);
            if (ClassificaFalha(erro, texto) == TFalhaPasso::Montagem) {
                m_falhaMontagem = texto;
            }
        }
    };
    TColecaoColunas& c = *m_colecao;
    passo(
        "Database -> ",
        [&] {
            c.setCatalogos(m_conexao->OpenSchema(TEsquema::adSchemaCatalogs,
                                                 MontaFiltroCatalogos(filtro, tipoFiltro)));
        },
        [&] { c.setCatalogos(nullptr); });
    passo(
        "Tables -> ",
        [&] {
            c.setTabelas(m_conexao->OpenSchema(TEsquema::adSchemaTables,
                                               MontaFiltroTabelas(filtro, tipoFiltro)));
        },
        [&] { c.setTabelas(nullptr); });
    passo(
        "Primary Keys -> ",
        [&] {
            c.setChavesPrimarias(m_conexao->OpenSchema(
                TEsquema::adSchemaPrimaryKeys, MontaFiltroChavesPrimarias(filtro, tipoFiltro)));
        },
        [&] { c.setChavesPrimarias(nullptr); });
    passo(
        "Foreign Keys -> ",
        [&] {
            c.setChavesEstrangeiras(m_conexao->OpenSchema(
                TEsquema::adSchemaForeignKeys, MontaFiltroChavesEstrangeiras(filtro, tipoFiltro)));
        },
        [&] { c.setChavesEstrangeiras(nullptr); });
    RegistraLog("Provider Types -> OK");
    passo(
        "Columns -> ",
        [&] {
            c.setTiposProvider(m_tiposProvider);
            c.setRecordset(m_conexao->OpenSchema(TEsquema::adSchemaColumns,
                                                 MontaFiltroColunas(filtro, tipoFiltro)));
            c.setConexao(m_stringConexao, m_usuario, m_senha, m_nomeBaseDados, m_fabrica);
            c.setTabelasReferidas(m_tabelasReferidas);
            c.setColunasTomadas(m_colunasTomadas);
            c.MontaAtual();
        },
        // A first column that cannot be built leaves no rows to walk, so that a caller
        // never takes the blank default column for a column of the table.
        [&] { c.setRecordset(nullptr); });
    m_conectado = true;
}

void TManipulaColunas::Fecha() {
    if (m_conectado) {
        m_colecao = std::make_unique<TColecaoColunas>();
        FechaConexao(m_conexao);
        m_conectado = false;
    }
}

TColecaoColunas& TManipulaColunas::getColecao() {
    if (!m_conectado) {
        throw EErroGeral::Create("TManipulaColunas: Connection Closed");
    }
    return *m_colecao;
}

void TManipulaColunas::RegistraLog(const std::string& texto) {
    m_log.push_back(LinhaLog(texto));
}

void CarregaTiposProvider(const std::string& stringConexao, const std::string& usuario,
                          const std::string& senha, TListaTextos& tiposProvider,
                          const TFabricaConexao& fabrica) {
    std::unique_ptr<TConexao> conexao = fabrica();
    conexao->Open(stringConexao, usuario, senha);
    struct Fecha {
        std::unique_ptr<TConexao>& conexao;
        ~Fecha() { FechaConexao(conexao); }
    } fecha{conexao};
    TColecao cursor;
    cursor.setRecordset(conexao->OpenSchema(TEsquema::adSchemaProviderTypes, {}));
    cursor.MontaAtual();
    // The list is replaced only once every row was read, so that a failing walk does not
    // leave the mapping without its types.
    TListaTextos melhores;
    TListaTextos outros;
    namespace c = rowset::provider_types;
    const TLinhaEsquema* linha = cursor.getRecordset();
    while (!cursor.getFim()) {
        const std::string nome = TextoOuVazio(*linha, c::TYPE_NAME);
        const std::int64_t tipo = linha->Nulo(c::DATA_TYPE) ? -1 : linha->Inteiro(c::DATA_TYPE);
        const std::string parametros = TextoOuVazio(*linha, c::CREATE_PARAMS);
        const bool melhor = linha->Nulo(c::BEST_MATCH) ? true : linha->Booleano(c::BEST_MATCH);
        std::string entrada =
            std::to_string(tipo) + ";" + nome + ";" + (melhor ? "1" : "0") + ";" + parametros + ";";
        (melhor ? melhores : outros).push_back(std::move(entrada));
        cursor.Proximo();
    }
    tiposProvider = std::move(melhores);
    tiposProvider.insert(tiposProvider.end(), outros.begin(), outros.end());
}

} // namespace fendril
