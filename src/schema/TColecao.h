#pragma once

#include "model/TBaseDados.h"
#include "model/Textos.h"
#include "schema/FonteEsquema.h"

#include <cstdint>
#include <exception>
#include <memory>
#include <string>

namespace fendril {

// A cursor over one schema rowset. It counts the rows once when the rowset is given and
// builds a record for the row it stands on through MontaAtual. Walk it with
//     while (!c.getFim()) { use the current record; c.Proximo(); }
class TColecao {
public:
    TColecao() = default;
    virtual ~TColecao();
    TColecao(const TColecao&) = delete;
    TColecao& operator=(const TColecao&) = delete;

    // Keeps the rowset; does not build the first record (the giver calls MontaAtual).
    void setRecordset(std::unique_ptr<TRowset> recordset);
    TRowset* getRecordset() { return m_recordset.get(); }
    const TRowset* getRecordset() const { return m_recordset.get(); }
    std::int32_t getQuantidade() const { return m_quantidade; }
    std::int32_t getPosicao() const { return m_posicao; }
    bool getFim() const { return m_fim; }

    void Primeiro();
    void Proximo();
    // Moves to row `indice` (forward, or from the first row when going back) and builds
    // its record; an index outside the rows rebuilds the current record without moving.
    void Posiciona(std::int32_t indice);
    std::int32_t ContaRegistros();

    // Builds the record of the current row; nothing in a plain cursor.
    virtual void MontaAtual() {}

protected:
    // The row the rowset stands on; raises when there is no rowset.
    const TLinhaEsquema& Linha() const;

private:
    std::unique_ptr<TRowset> m_recordset;
    std::int32_t m_posicao = -1;
    std::int32_t m_quantidade = 0;
    bool m_fim = true;
};

// The database names of a CATALOGS rowset.
class TColecaoBaseDados : public TColecao {
public:
    TColecaoBaseDados() : m_baseDados(std::make_unique<TBaseDados>()) {}

    const TBaseDados& getBaseDados() const { return *m_baseDados; }
    void MontaAtual() override;

private:
    std::unique_ptr<TBaseDados> m_baseDados;
};

// Reads the database names a connection offers (Get Database Names).
class TManipulaBaseDados {
public:
    TManipulaBaseDados(std::string stringConexao, std::string usuario, std::string senha,
                       TFabricaConexao fabrica = FabricaPadrao());
    ~TManipulaBaseDados();
    TManipulaBaseDados(const TManipulaBaseDados&) = delete;
    TManipulaBaseDados& operator=(const TManipulaBaseDados&) = delete;

    // Opens the connection and reads the CATALOGS rowset. A failing connection is logged
    // and raised; a failing rowset is only logged.
    void Abre();
    void Fecha();
    // The cursor while open; EErroGeral "TManipulaBaseDados: Connection Closed" otherwise.
    TColecaoBaseDados& getColecao();
    void RegistraLog(const std::string& texto);
    const TListaTextos& getLog() const { return m_log; }

private:
    std::string m_stringConexao;
    std::unique_ptr<TConexao> m_conexao;
    bool m_conectado = false;
    std::unique_ptr<TColecaoBaseDados> m_colecao;
    std::string m_senha;
    std::string m_usuario;
    TListaTextos m_log;
    TFabricaConexao m_fabrica;
};

// Opens a new connection from the factory with the three texts; a failure is logged on
// `log` as prefixo + the provider's message and raised as EErroGeral::CreateDeExcecao with
// that text. Shared by the readers.
std::unique_ptr<TConexao> AbreConexao(const TFabricaConexao& fabrica,
                                      const std::string& stringConexao, const std::string& usuario,
                                      const std::string& senha, const std::string& nomeBaseDados,
                                      const char* prefixo, TListaTextos& log);

// A step of a reading failed and the reader logged `texto` (its label and the message). A
// rowset the source does not offer (ERowsetIndisponivel) and a row that cannot be built
// (EErroGeral) leave the reading going, as they always did, and the answer says which; any
// other failure (the connection lost, the time limit passed) is raised as
// EErroGeral::CreateDeExcecao with `texto`, so that a reading never passes for complete
// when the source failed.
enum class TFalhaPasso { Indisponivel, Montagem };
TFalhaPasso ClassificaFalha(const std::exception& erro, const std::string& texto);

// Closes and frees a connection, ignoring a failure to close.
void FechaConexao(std::unique_ptr<TConexao>& conexao);

// Closes a reader's connection when the reader's Abre ends by raising, so that the reader is
// left Closed.
class TFechaAoFalhar {
public:
    explicit TFechaAoFalhar(std::unique_ptr<TConexao>& conexao) : m_conexao(conexao) {}
    ~TFechaAoFalhar() {
        if (std::uncaught_exceptions() > m_excecoes) {
            FechaConexao(m_conexao);
        }
    }
    TFechaAoFalhar(const TFechaAoFalhar&) = delete;
    TFechaAoFalhar& operator=(const TFechaAoFalhar&) = delete;

private:
    std::unique_ptr<TConexao>& m_conexao;
    int m_excecoes = std::uncaught_exceptions();
};

} // namespace fendril
