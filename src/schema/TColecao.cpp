#include "schema/TColecao.h"

#include "model/Erros.h"
#include "model/Log.h"

namespace fendril {

TColecao::~TColecao() {
    if (m_recordset) {
        try {
            m_recordset->Close();
        } catch (const std::exception&) {
            // Closing is best effort; the rowset is discarded either way.
        }
    }
}

void TColecao::setRecordset(std::unique_ptr<TRowset> recordset) {
    m_recordset = std::move(recordset);
    if (!m_recordset || (m_recordset->Bof() && m_recordset->Eof())) {
        m_quantidade = 0;
        m_fim = true;
        m_posicao = -1;
        return;
    }
    m_quantidade = ContaRegistros();
    m_fim = false;
    m_posicao = 0;
}

void TColecao::Primeiro() {
    if (m_quantidade > 0) {
        Posiciona(0);
        m_fim = false;
    }
}

void TColecao::Proximo() {
    if (m_quantidade > 0) {
        m_fim = m_posicao == m_quantidade - 1;
        if (!m_fim) {
            Posiciona(m_posicao + 1);
        }
    }
}

void TColecao::Posiciona(std::int32_t indice) {
    if (m_quantidade == 0) {
        return;
    }
    if (indice > m_posicao && indice < m_quantidade) {
        while (m_posicao < indice) {
            m_recordset->MoveNext();
            ++m_posicao;
        }
    } else if (indice >= 0 && indice < m_posicao) {
        m_recordset->MoveFirst();
        for (std::int32_t i = 0; i < indice; ++i) {
            m_recordset->MoveNext();
        }
        m_posicao = indice;
    }
    MontaAtual();
}

std::int32_t TColecao::ContaRegistros() {
    m_recordset->MoveFirst();
    std::int32_t n = 0;
    while (!m_recordset->Eof()) {
        m_recordset->MoveNext();
        ++n;
    }
    m_recordset->MoveFirst();
    return n;
}

const TLinhaEsquema& TColecao::Linha() const {
    if (!m_recordset) {
        throw Exception("Operation is not allowed when the object is closed.");
    }
    return *m_recordset;
}

void TColecaoBaseDados::MontaAtual() {
    if (!getFim()) {
        auto baseDados = std::make_unique<TBaseDados>();
        baseDados->LeLinhaCatalogo(Linha());
        m_baseDados = std::move(baseDados);
    }
}

std::unique_ptr<TConexao> AbreConexao(const TFabricaConexao& fabrica,
                                      const std::string& stringConexao, const std::string& usuario,
                                      const std::string& senha, const std::string& nomeBaseDados,
                                      const char* prefixo, TListaTextos& log) {
    try {
        std::unique_ptr<TConexao> conexao = fabrica();
        conexao->Open(stringConexao, usuario, senha);
        if (!nomeBaseDados.empty()) {
            try {
                conexao->DefaultDatabase(nomeBaseDados);
            } catch (...) {
                FechaConexao(conexao);
                throw;
            }
        }
        return conexao;
    } catch (const std::exception& erro) {
        const std::string texto = prefixo + std::string(erro.what());
        log.push_back(LinhaLog(texto));
        throw EErroGeral::CreateDeExcecao(erro, texto);
    }
}

TFalhaPasso ClassificaFalha(const std::exception& erro, const std::string& texto) {
    if (dynamic_cast<const ERowsetIndisponivel*>(&erro) != nullptr) {
        return TFalhaPasso::Indisponivel;
    }
    if (dynamic_cast<const EErroGeral*>(&erro) != nullptr) {
        return TFalhaPasso::Montagem;
    }
    throw EErroGeral::CreateDeExcecao(erro, texto);
}

void FechaConexao(std::unique_ptr<TConexao>& conexao) {
    if (conexao) {
        try {
            conexao->Close();
        } catch (const std::exception&) {
            // The connection is discarded either way.
        }
        conexao.reset();
    }
}

TManipulaBaseDados::TManipulaBaseDados(std::string stringConexao, std::string usuario,
                                       std::string senha, TFabricaConexao fabrica)
    : m_stringConexao(std::move(stringConexao)), m_colecao(std::make_unique<TColecaoBaseDados>()),
      m_senha(std::move(senha)), m_usuario(std::move(usuario)), m_fabrica(std::move(fabrica)) {}

TManipulaBaseDados::~TManipulaBaseDados() {
    Fecha();
}

void TManipulaBaseDados::Abre() {
    m_log.clear();
    if (m_conectado) {
        Fecha();
    }
    m_colecao = std::make_unique<TColecaoBaseDados>();
    m_conectado = false;
    m_conexao = AbreConexao(m_fabrica, m_stringConexao, m_usuario, m_senha, "",
                            "TManipulaBaseDados: Open Connection Error. OLE Message :", m_log);
    const TFechaAoFalhar fecha(m_conexao);
    try {
        m_colecao->setRecordset(m_conexao->OpenSchema(TEsquema::adSchemaCatalogs, {}));
        m_colecao->MontaAtual();
        RegistraLog("Database -> OK");
    } catch (const std::exception& erro) {
        m_colecao = std::make_unique<TColecaoBaseDados>();
        const std::string texto = "Database -> " + std::string(erro.what());
        RegistraLog(texto);
        ClassificaFalha(erro, texto);
    }
    m_conectado = true;
}

void TManipulaBaseDados::Fecha() {
    if (m_conectado) {
        m_colecao = std::make_unique<TColecaoBaseDados>();
        FechaConexao(m_conexao);
        m_conectado = false;
    }
}

TColecaoBaseDados& TManipulaBaseDados::getColecao() {
    if (!m_conectado) {
        throw EErroGeral::Create("TManipulaBaseDados: Connection Closed");
    }
    return *m_colecao;
}

void TManipulaBaseDados::RegistraLog(const std::string& texto) {
    m_log.push_back(LinhaLog(texto));
}

} // namespace fendril
