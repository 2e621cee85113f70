#include "schema/TManipulaTabelas.h"

#include "model/Erros.h"
#include "model/Log.h"

namespace fendril {

TColecaoTabelas::TColecaoTabelas() : m_tabela(std::make_unique<TTabela>()) {}

void TColecaoTabelas::setCatalogos(std::unique_ptr<TRowset> recordset) {
    m_catalogos.setRecordset(std::move(recordset));
}

void TColecaoTabelas::MontaAtual() {
    if (!getFim()) {
        try {
            m_tabela = MontaTabela();
        } catch (const std::exception& erro) {
            throw EErroGeral::CreateDeExcecao(erro,
                                              "Colecao Tabelas: Problemas na Montagem da Tabela");
        }
    }
}

std::unique_ptr<TTabela> TColecaoTabelas::MontaTabela() {
    auto tabela = std::make_unique<TTabela>();
    auto baseDados = std::make_unique<TBaseDados>();
    if (m_catalogos.getQuantidade() > 0) {
        m_catalogos.Primeiro();
        const TLinhaEsquema& catalogo = *m_catalogos.getRecordset();
        while (!m_catalogos.getFim()) {
            if (catalogo.Texto(rowset::catalogs::CATALOG_NAME) ==
                Linha().Texto(rowset::tables::TABLE_CATALOG)) {
                baseDados->LeLinhaCatalogo(catalogo);
                break;
            }
            m_catalogos.Proximo();
        }
    }
    tabela->LeLinhaTabelas(std::move(baseDados), Linha());
    return tabela;
}

TManipulatabelas::TManipulatabelas(std::string stringConexao, std::string usuario,
                                   std::string senha, std::string nomeBaseDados,
                                   TFabricaConexao fabrica)
    : m_stringConexao(std::move(stringConexao)), m_colecao(std::make_unique<TColecaoTabelas>()),
      m_usuario(std::move(usuario)), m_senha(std::move(senha)),
      m_nomeBaseDados(std::move(nomeBaseDados)), m_fabrica(std::move(fabrica)) {}

TManipulatabelas::~TManipulatabelas() {
    Fecha();
}

TFiltro TManipulatabelas::MontaFiltro(const std::string& filtro, std::uint8_t tipoFiltro) {
    if (filtro.empty()) {
        return {};
    }
    TFiltro restricoes(4);
    switch (tipoFiltro) {
    case 0:
        restricoes[1] = filtro;
        break;
    case 1:
        restricoes[2] = filtro;
        break;
    case 2:
        restricoes[3] = filtro;
        break;
    case 3:
        restricoes[0] = filtro;
        break;
    default:
        break;
    }
    return restricoes;
}

void TManipulatabelas::Abre(std::uint8_t tipoFiltro, const std::string& filtro) {
    m_log.clear();
    m_falhaMontagem.clear();
    if (m_conectado) {
        Fecha();
    }
    m_colecao = std::make_unique<TColecaoTabelas>();
    m_conectado = false;
    m_conexao = AbreConexao(m_fabrica, m_stringConexao, m_usuario, m_senha, m_nomeBaseDados,
                            "TManipulaTabelas: Open Connection Error. OLE Message :", m_log);
    const TFechaAoFalhar fecha(m_conexao);
    try {
        m_colecao->setCatalogos(m_conexao->OpenSchema(TEsquema::adSchemaCatalogs, {}));
        RegistraLog("Database -> OK");
    } catch (const std::exception& erro) {
        m_colecao->setCatalogos(nullptr);
        const std::string texto = "Database -> " + std::string(erro.what());
        RegistraLog(texto);
        ClassificaFalha(erro, texto);
    }
    try {
        m_colecao->setRecordset(
            m_conexao->OpenSchema(TEsquema::adSchemaTables, MontaFiltro(filtro, tipoFiltro)));
        m_colecao->MontaAtual();
        RegistraLog("Tables -> OK");
    } catch (const std::exception& erro) {
        const std::string texto = "Tables -> " + std::string(erro.what());
        RegistraLog(texto);
        if (ClassificaFalha(erro, texto) == TFalhaPasso::Montagem) {
            m_falhaMontagem = texto;
        }
    }
    m_conectado = true;
}

void TManipulatabelas::Fecha() {
    if (m_conectado) {
        m_colecao = std::make_unique<TColecaoTabelas>();
        FechaConexao(m_conexao);
        m_conectado = false;
    }
}

TColecaoTabelas& TManipulatabelas::getColecao() {
    if (!m_conectado) {
        throw EErroGeral::Create("TManipulaTabelas: Connection Closed");
    }
    return *m_colecao;
}

void TManipulatabelas::RegistraLog(const std::string& texto) {
    m_log.push_back(LinhaLog(texto));
}

} // namespace fendril
