#pragma once

#include "model/Erros.h"
#include "model/OrdinaisRowset.h"
#include "model/TLinhaEsquema.h"
#include "model/TiposOLE.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace fendril {

// The schema rowsets the readers ask for, with the values ADO gives their constants.
enum class TEsquema {
    adSchemaCatalogs = 1,
    adSchemaColumns = 4,
    adSchemaTables = 20,
    adSchemaProviderTypes = 22,
    adSchemaForeignKeys = 27,
    adSchemaPrimaryKeys = 28,
};

// Column counts of the standard layouts (model/OrdinaisRowset.h names their columns), and
// the ordinal each restriction slot filters on.
int ColunasDoEsquema(TEsquema esquema);
std::vector<int> OrdinaisDasRestricoes(TEsquema esquema);

// One value of a rowset: Null, or a text the getters convert.
struct TValor {
    bool nulo = true;
    std::string texto;

    static TValor Nulo() { return {}; }
    static TValor De(std::string texto) { return {false, std::move(texto)}; }
    static TValor De(std::int64_t numero) { return {false, std::to_string(numero)}; }
    static TValor DeBooleano(bool valor) { return {false, valor ? "1" : "0"}; }
};

using TLinhaValores = std::vector<TValor>;

// A row whose fields up to the ordinal `ultimo` start Null. A field past the end of a row
// reads Null too, so a provider keeps its rows only as long as the fields it fills:
// LinhaAte(rowset::columns::DATETIME_PRECISION).
inline TLinhaValores LinhaAte(int ultimo) {
    return TLinhaValores(static_cast<std::size_t>(ultimo) + 1);
}

// The rows of one rowset, held in memory. Every provider delivers its rowsets this way.
struct TDadosRowset {
    std::vector<TLinhaValores> linhas;
};

// The rows of a rowset as a connection keeps them once read: each row's texts one after the
// other in one buffer, with the end of each field (and whether it is Null) as a number, and
// without the Null fields that end a row. A COLUMNS row takes about a tenth of the memory
// it takes as TValor fields.
class TLinhasCompactas {
public:
    TLinhasCompactas() = default;
    explicit TLinhasCompactas(const TDadosRowset& dados);
    // Takes the rows, giving back the memory of each as soon as it is copied.
    explicit TLinhasCompactas(TDadosRowset&& dados);

    // Adds a row at the end, as a reader that builds its rows one at a time does.
    void Acrescenta(const TLinhaValores& linha);
    // Makes room for `linhas` more rows.
    void Reserva(std::size_t linhas);
    // Gives back the room that adding rows one at a time left unused (up to half of it).
    void Compacta();

    std::size_t Quantidade() const { return m_primeiroCampo.size() - 1; }
    // How many fields a row holds; those past it read Null.
    std::size_t Campos(std::size_t linha) const {
        return m_primeiroCampo[linha + 1] - m_primeiroCampo[linha];
    }
    bool Nulo(std::size_t linha, std::size_t campo) const;
    // The text of a field; empty for Null.
    std::string_view Texto(std::size_t linha, std::size_t campo) const;

private:
    // Copies the rows; when they are not const, frees each row once copied.
    template <typename Linhas> void Copia(Linhas& linhas);

    static constexpr std::uint32_t kNulo = 0x80000000U;
    std::string m_textos;
    // Per row: where its texts start, and its first field; one more for the end.
    std::vector<std::size_t> m_inicioTexto{0};
    std::vector<std::size_t> m_primeiroCampo{0};
    // Per field: the end of its text from the start of its row's texts, with kNulo when Null.
    std::vector<std::uint32_t> m_fimCampo;
};

// The restriction list of a schema request: one slot per restriction column, in the
// standard order. An absent or empty slot restricts nothing; an empty list restricts
// nothing at all. Restrictions match exactly (letter case counts, no pattern characters).
using TFiltro = std::vector<std::optional<std::string>>;

// A schema rowset, walked forward from its first row. The row interface reads the current
// row; reading while BOF or EOF is true raises. (Bof and Eof are ADO's BOF and EOF, renamed
// because <cstdio> defines EOF as a macro.)
class TRowset : public TLinhaEsquema {
public:
    virtual bool Bof() const = 0;
    virtual bool Eof() const = 0;
    virtual void MoveFirst() = 0;
    virtual void MoveNext() = 0;
    virtual void Close() = 0;
};

// The source does not offer a rowset (a driver without that catalog function): a reading
// logs it and goes on without the rowset. Any other failure of a request (the connection
// lost, the time limit passed) ends the reading.
class ERowsetIndisponivel : public Exception {
public:
    using Exception::Exception;
};

// How long connecting and each schema request may wait for the data source before they fail
// (for ODBC the login and query time limits, and a watch that gives up on a server that has
// stopped answering; for SQLite the wait for a locked database). 30 seconds unless set.
void DefineTempoLimite(std::chrono::seconds limite);
std::chrono::seconds TempoLimite();

// A connection to a data source.
class TConexao {
public:
    virtual ~TConexao() = default;

    // Opens the connection; raises an Exception carrying the provider's message on failure.
    virtual void Open(const std::string& stringConexao, const std::string& usuario,
                      const std::string& senha) = 0;
    // Makes a catalog the default database; raises when the source rejects it.
    virtual void DefaultDatabase(const std::string& nome) = 0;
    // The rowset of a schema, standing on its first row (or at its end when empty), holding
    // only the rows the restrictions select. Raises ERowsetIndisponivel when the schema is
    // not supported, and Exception for any other failure.
    virtual std::unique_ptr<TRowset> OpenSchema(TEsquema esquema, const TFiltro& restricoes) = 0;
    virtual void Close() = 0;
    // The database (catalog) the open connection works in: "main" for an SQLite file, the
    // connected database for ODBC; empty when the source cannot tell.
    virtual std::string BaseDadosAtual() const { return {}; }
};

using TFabricaConexao = std::function<std::unique_ptr<TConexao>()>;

// Rows of a rowset held once per connection, indexed on demand by the value of a column,
// so that restricted requests are answered without asking the source again.
class TRowsetIndexado {
public:
    TRowsetIndexado(TEsquema esquema, std::shared_ptr<const TDadosRowset> dados);
    TRowsetIndexado(TEsquema esquema, std::shared_ptr<const TLinhasCompactas> dados);

    std::unique_ptr<TRowset> Seleciona(const TFiltro& restricoes);

private:
    TEsquema m_esquema;
    std::shared_ptr<const TLinhasCompactas> m_dados;
    std::vector<std::unique_ptr<std::unordered_map<std::string, std::vector<std::size_t>>>>
        m_indices;
};

// Base of the real providers: each rowset is read whole from the source the first time it
// is asked for (or its failure is remembered), and every request, restricted or not, is
// answered from that copy. A reading that asks for one table at a time thus costs the
// source one catalog read per rowset and connection.
class TConexaoCatalogo : public TConexao {
public:
    std::unique_ptr<TRowset> OpenSchema(TEsquema esquema, const TFiltro& restricoes) override;

protected:
    // The whole rowset, unrestricted, at the standard ordinals. Raises when unsupported.
    virtual TDadosRowset LeEsquema(TEsquema esquema) = 0;
    // The same rows as LeEsquema, as the connection keeps them. A reader may build them one
    // at a time instead of holding them all as TValor fields first.
    virtual TLinhasCompactas LeLinhas(TEsquema esquema) {
        return TLinhasCompactas(LeEsquema(esquema));
    }
    // Forgets every rowset read so far (the default database changed, or a new Open).
    void EsqueceEsquemas() { m_esquemas.clear(); }

private:
    struct Lido {
        std::unique_ptr<TRowsetIndexado> rowset;
        std::string falha;
        bool indisponivel = false; // the failure was ERowsetIndisponivel
    };
    std::unordered_map<int, Lido> m_esquemas;
};

// Of a list of types (indicator as decimal text, name), one best match per indicator: the
// type a person would choose for it where the list has one (varchar for character data,
// timestamp for date and time, numeric, integer, ...; names compared without regard to
// case), otherwise the first listed.
std::vector<bool> MelhoresTipos(const std::vector<std::pair<std::string, std::string>>& tipos);
// Marks BEST_MATCH of a PROVIDER_TYPES rowset by MelhoresTipos.
void MarcaMelhoresTipos(TDadosRowset& tipos);
// Adds to a PROVIDER_TYPES rowset a type a column declares, unless a row has that name.
void AcrescentaTipoDeclarado(TDadosRowset& tipos, const std::string& nome, int tipoOLE);

// The connection the readers use unless told otherwise: it chooses its provider from the
// connection string when opened (native SQLite for "Provider=SQLite", ODBC otherwise).
std::unique_ptr<TConexao> CriaConexaoPadrao();
TFabricaConexao FabricaPadrao();

// A rowset over rows held in memory, optionally a selection of them.
class TRowsetMemoria : public TRowset {
public:
    TRowsetMemoria(std::shared_ptr<const TDadosRowset> dados, int colunas,
                   std::optional<std::vector<std::size_t>> selecao = std::nullopt);
    TRowsetMemoria(std::shared_ptr<const TLinhasCompactas> dados, int colunas,
                   std::optional<std::vector<std::size_t>> selecao = std::nullopt);

    bool Bof() const override { return m_posicao == 0 && Quantidade() == 0; }
    bool Eof() const override { return m_posicao >= Quantidade(); }
    void MoveFirst() override { m_posicao = 0; }
    void MoveNext() override;
    void Close() override {}

    bool Nulo(int ordinal) const override;
    std::string Texto(int ordinal) const override;
    bool TextoIgual(int ordinal, std::string_view valor) const override;
    std::int64_t Inteiro(int ordinal) const override;
    bool Booleano(int ordinal) const override;

private:
    std::size_t Quantidade() const;
    // The field of the current row at `ordinal`; nullopt when Null.
    std::optional<std::string_view> Valor(int ordinal) const;
    std::string_view TextoNaoNulo(int ordinal) const;

    std::shared_ptr<const TLinhasCompactas> m_dados;
    int m_colunas;
    std::optional<std::vector<std::size_t>> m_selecao;
    std::size_t m_posicao = 0;
};

} // namespace fendril
