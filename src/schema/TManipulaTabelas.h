#pragma once

#include "model/TTabela.h"
#include "schema/TColecao.h"

#include <cstdint>
#include <memory>
#include <string>

namespace fendril {

// The tables of a TABLES rowset, each with its database found in the CATALOGS rowset of
// the same reading.
class TColecaoTabelas : public TColecao {
public:
    TColecaoTabelas();

    void setCatalogos(std::unique_ptr<TRowset> recordset);
    const TTabela& getTabela() const { return *m_tabela; }
    // Builds the current table; a failure is raised as EErroGeral "Colecao Tabelas:
    // Problemas na Montagem da Tabela" carrying the underlying message.
    void MontaAtual() override;
    std::unique_ptr<TTabela> MontaTabela();

private:
    TColecao m_catalogos;
    std::unique_ptr<TTabela> m_tabela;
};

// Reads the tables a connection reaches, restricted by one slot of the TABLES rowset:
// tipoFiltro 0 schema, 1 name, 2 type, 3 catalog.
class TManipulatabelas {
public:
    TManipulatabelas(std::string stringConexao, std::string usuario, std::string senha,
                     std::string nomeBaseDados, TFabricaConexao fabrica = FabricaPadrao());
    ~TManipulatabelas();
    TManipulatabelas(const TManipulatabelas&) = delete;
    TManipulatabelas& operator=(const TManipulatabelas&) = delete;

    void Abre(std::uint8_t tipoFiltro, const std::string& filtro);
    static TFiltro MontaFiltro(const std::string& filtro, std::uint8_t tipoFiltro);
    void Fecha();
    // The cursor while open; EErroGeral "TManipulaTabelas: Connection Closed" otherwise.
    TColecaoTabelas& getColecao();
    void RegistraLog(const std::string& texto);
    const TListaTextos& getLog() const { return m_log; }
    // The logged text of the first table's build when it failed during Abre; empty when it
    // did not.
    const std::string& getFalhaMontagem() const { return m_falhaMontagem; }

private:
    std::string m_stringConexao;
    std::unique_ptr<TConexao> m_conexao;
    std::unique_ptr<TColecaoTabelas> m_colecao;
    bool m_conectado = false;
    std::string m_usuario;
    std::string m_senha;
    std::string m_nomeBaseDados;
    TListaTextos m_log;
    std::string m_falhaMontagem;
    TFabricaConexao m_fabrica;
};

} // namespace fendril
