#include "support/TConexaoFixa.h"

#include "model/Erros.h"

namespace fendril {

void TConexaoFixa::Open(const std::string&, const std::string&, const std::string&) {
    ++m_fonte->aberturas;
    if (m_fonte->falhaAbertura) {
        throw Exception(*m_fonte->falhaAbertura);
    }
    m_aberta = true;
}

void TConexaoFixa::DefaultDatabase(const std::string& nome) {
    if (!m_fonte->basesDados.empty() && m_fonte->basesDados.count(nome) == 0) {
        throw Exception("Cannot open database \"" + nome + "\" requested by the login.");
    }
}

std::unique_ptr<TRowset> TConexaoFixa::OpenSchema(TEsquema esquema, const TFiltro& restricoes) {
    if (!m_aberta) {
        throw Exception("Operation is not allowed when the object is closed.");
    }
    ++m_fonte->pedidos[esquema];
    if (const auto erro = m_fonte->erros.find(esquema); erro != m_fonte->erros.end()) {
        throw Exception(erro->second);
    }
    if (const auto falha = m_fonte->falhas.find(esquema); falha != m_fonte->falhas.end()) {
        throw ERowsetIndisponivel(falha->second);
    }
    const auto dados = m_fonte->rowsets.find(esquema);
    if (dados == m_fonte->rowsets.end()) {
        throw ERowsetIndisponivel(
            "Object or provider is not capable of performing requested operation.");
    }
    TRowsetIndexado rowset(esquema, std::make_shared<const TDadosRowset>(dados->second));
    return rowset.Seleciona(restricoes);
}

TFabricaConexao FabricaFixa(std::shared_ptr<TFonteFixa> fonte) {
    return [fonte] { return std::make_unique<TConexaoFixa>(fonte); };
}

} // namespace fendril
