#include "schema/FonteEsquema.h"

#include "model/Erros.h"
#include "model/NameForms.h"
#include "model/Textos.h"
#include "schema/StringConexao.h"
#include "schema/TConexaoODBC.h"
#include "schema/TConexaoSQLite.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <iterator>
#include <map>
#include <set>
#include <string_view>
#include <type_traits>

namespace fendril {

int ColunasDoEsquema(TEsquema esquema) {
    switch (esquema) {
    case TEsquema::adSchemaCatalogs:
        return rowset::catalogs::kCampos;
    case TEsquema::adSchemaTables:
        return rowset::tables::kCampos;
    case TEsquema::adSchemaColumns:
        return rowset::columns::kCampos;
    case TEsquema::adSchemaPrimaryKeys:
        return rowset::primary_keys::kCampos;
    case TEsquema::adSchemaForeignKeys:
        return rowset::foreign_keys::kCampos;
    case TEsquema::adSchemaProviderTypes:
        return rowset::provider_types::kCampos;
    }
    return 0;
}

std::vector<int> OrdinaisDasRestricoes(TEsquema esquema) {
    const auto ordinais = [](const auto& restricoes) {
        return std::vector<int>(std::begin(restricoes), std::end(restricoes));
    };
    switch (esquema) {
    case TEsquema::adSchemaCatalogs:
        return ordinais(rowset::catalogs::kRestricoes);
    case TEsquema::adSchemaTables:
        return ordinais(rowset::tables::kRestricoes);
    case TEsquema::adSchemaColumns:
        return ordinais(rowset::columns::kRestricoes);
    case TEsquema::adSchemaPrimaryKeys:
        return ordinais(rowset::primary_keys::kRestricoes);
    case TEsquema::adSchemaForeignKeys:
        return ordinais(rowset::foreign_keys::kRestricoes);
    case TEsquema::adSchemaProviderTypes:
        return ordinais(rowset::provider_types::kRestricoes);
    }
    return {};
}

namespace {

// The provider is chosen when the connection is opened, from the connection string.
class TConexaoProvider : public TConexao {
public:
    void Open(const std::string& stringConexao, const std::string& usuario,
              const std::string& senha) override {
        Close();
        std::unique_ptr<TConexao> conexao;
        if (EhProviderSQLite(stringConexao)) {
            conexao = std::make_unique<TConexaoSQLite>();
        } else {
            conexao = std::make_unique<TConexaoODBC>();
        }
        conexao->Open(stringConexao, usuario, senha);
        m_conexao = std::move(conexao);
    }
    void DefaultDatabase(const std::string& nome) override { Aberta().DefaultDatabase(nome); }
    std::unique_ptr<TRowset> OpenSchema(TEsquema esquema, const TFiltro& restricoes) override {
        return Aberta().OpenSchema(esquema, restricoes);
    }
    std::string BaseDadosAtual() const override {
        return m_conexao ? m_conexao->BaseDadosAtual() : std::string();
    }
    void Close() override {
        if (m_conexao) {
            m_conexao->Close();
            m_conexao.reset();
        }
    }

private:
    TConexao& Aberta() {
        if (!m_conexao) {
            throw Exception("Operation is not allowed when the object is closed.");
        }
        return *m_conexao;
    }

    std::unique_ptr<TConexao> m_conexao;
};

const char* const kSemRegistroAtual = "Either BOF or EOF is True, or the current record has been "
                                      "deleted. Requested operation requires a current record.";

} // namespace

namespace {

std::atomic<std::chrono::seconds::rep> g_tempoLimite{30};

} // namespace

void DefineTempoLimite(std::chrono::seconds limite) {
    g_tempoLimite = limite.count();
}

std::chrono::seconds TempoLimite() {
    return std::chrono::seconds(g_tempoLimite.load());
}

std::unique_ptr<TConexao> CriaConexaoPadrao() {
    return std::make_unique<TConexaoProvider>();
}

TFabricaConexao FabricaPadrao() {
    return &CriaConexaoPadrao;
}

TLinhasCompactas::TLinhasCompactas(const TDadosRowset& dados) {
    Copia(dados.linhas);
}

TLinhasCompactas::TLinhasCompactas(TDadosRowset&& dados) {
    Copia(dados.linhas);
    dados.linhas.clear();
    dados.linhas.shrink_to_fit();
}

namespace {

// The fields a compact row keeps: up to the last non-Null one.
std::size_t CamposGuardados(const TLinhaValores& linha) {
    std::size_t n = linha.size();
    while (n > 0 && linha[n - 1].nulo) {
        --n;
    }
    return n;
}

} // namespace

template <typename Linhas> void TLinhasCompactas::Copia(Linhas& linhas) {
    std::size_t campos = 0;
    std::size_t textos = 0;
    for (const TLinhaValores& linha : linhas) {
        const std::size_t n = CamposGuardados(linha);
        campos += n;
        for (std::size_t i = 0; i < n; ++i) {
            textos += linha[i].texto.size();
        }
    }
    m_textos.reserve(textos);
    m_fimCampo.reserve(campos);
    Reserva(linhas.size());
    for (auto& linha : linhas) {
        Acrescenta(linha);
        if constexpr (!std::is_const_v<Linhas>) {
            TLinhaValores().swap(linha);
        }
    }
}

void TLinhasCompactas::Reserva(std::size_t linhas) {
    m_inicioTexto.reserve(m_inicioTexto.size() + linhas);
    m_primeiroCampo.reserve(m_primeiroCampo.size() + linhas);
}

void TLinhasCompactas::Compacta() {
    m_textos.shrink_to_fit();
    m_inicioTexto.shrink_to_fit();
    m_primeiroCampo.shrink_to_fit();
    m_fimCampo.shrink_to_fit();
}

void TLinhasCompactas::Acrescenta(const TLinhaValores& linha) {
    const std::size_t inicio = m_textos.size();
    const std::size_t n = CamposGuardados(linha);
    for (std::size_t i = 0; i < n; ++i) {
        const TValor& valor = linha[i];
        if (!valor.nulo) {
            m_textos += valor.texto;
        }
        const std::size_t fim = m_textos.size() - inicio;
        if (fim >= kNulo) {
            throw Exception("Not enough storage is available to complete this operation.");
        }
        m_fimCampo.push_back(static_cast<std::uint32_t>(fim) | (valor.nulo ? kNulo : 0U));
    }
    m_inicioTexto.push_back(m_textos.size());
    m_primeiroCampo.push_back(m_fimCampo.size());
}

bool TLinhasCompactas::Nulo(std::size_t linha, std::size_t campo) const {
    if (campo >= Campos(linha)) {
        return true;
    }
    return (m_fimCampo[m_primeiroCampo[linha] + campo] & kNulo) != 0;
}

std::string_view TLinhasCompactas::Texto(std::size_t linha, std::size_t campo) const {
    if (campo >= Campos(linha)) {
        return {};
    }
    const std::size_t primeiro = m_primeiroCampo[linha];
    const std::uint32_t fim = m_fimCampo[primeiro + campo] & ~kNulo;
    const std::uint32_t inicio = campo == 0 ? 0U : (m_fimCampo[primeiro + campo - 1] & ~kNulo);
    return std::string_view(m_textos).substr(m_inicioTexto[linha] + inicio, fim - inicio);
}

TRowsetMemoria::TRowsetMemoria(std::shared_ptr<const TDadosRowset> dados, int colunas,
                               std::optional<std::vector<std::size_t>> selecao)
    : TRowsetMemoria(std::make_shared<const TLinhasCompactas>(*dados), colunas,
                     std::move(selecao)) {}

TRowsetMemoria::TRowsetMemoria(std::shared_ptr<const TLinhasCompactas> dados, int colunas,
                               std::optional<std::vector<std::size_t>> selecao)
    : m_dados(std::move(dados)), m_colunas(colunas), m_selecao(std::move(selecao)) {}

std::size_t TRowsetMemoria::Quantidade() const {
    return m_selecao ? m_selecao->size() : m_dados->Quantidade();
}

void TRowsetMemoria::MoveNext() {
    if (Eof()) {
        throw Exception(kSemRegistroAtual);
    }
    ++m_posicao;
}

std::optional<std::string_view> TRowsetMemoria::Valor(int ordinal) const {
    if (Eof()) {
        throw Exception(kSemRegistroAtual);
    }
    if (ordinal < 0 || ordinal >= m_colunas) {
        throw Exception("Item cannot be found in the collection corresponding to the requested "
                        "name or ordinal.");
    }
    const std::size_t indice = m_selecao ? (*m_selecao)[m_posicao] : m_posicao;
    const auto i = static_cast<std::size_t>(ordinal);
    if (m_dados->Nulo(indice, i)) {
        return std::nullopt;
    }
    return m_dados->Texto(indice, i);
}

bool TRowsetMemoria::Nulo(int ordinal) const {
    return !Valor(ordinal).has_value();
}

std::string_view TRowsetMemoria::TextoNaoNulo(int ordinal) const {
    const std::optional<std::string_view> valor = Valor(ordinal);
    if (!valor) {
        throw Exception("Invalid use of Null");
    }
    return *valor;
}

std::string TRowsetMemoria::Texto(int ordinal) const {
    return std::string(TextoNaoNulo(ordinal));
}

bool TRowsetMemoria::TextoIgual(int ordinal, std::string_view valor) const {
    return TextoNaoNulo(ordinal) == valor;
}

std::int64_t TRowsetMemoria::Inteiro(int ordinal) const {
    const std::string_view texto = TextoNaoNulo(ordinal);
    std::int64_t numero = 0;
    const char* fim = texto.data() + texto.size();
    const auto [ptr, erro] = std::from_chars(texto.data(), fim, numero);
    if (erro != std::errc() || ptr != fim) {
        throw Exception("Type mismatch");
    }
    return numero;
}

bool TRowsetMemoria::Booleano(int ordinal) const {
    const std::string_view texto = TextoNaoNulo(ordinal);
    // The common case, a flag stored as one digit, without the comparisons below.
    if (texto.size() == 1 && texto[0] >= '0' && texto[0] <= '9') {
        return texto[0] != '0';
    }
    if (MesmoTextoSemCaixa(texto, "true")) {
        return true;
    }
    if (MesmoTextoSemCaixa(texto, "false")) {
        return false;
    }
    return Inteiro(ordinal) != 0;
}

TRowsetIndexado::TRowsetIndexado(TEsquema esquema, std::shared_ptr<const TDadosRowset> dados)
    : TRowsetIndexado(esquema, std::make_shared<const TLinhasCompactas>(*dados)) {}

TRowsetIndexado::TRowsetIndexado(TEsquema esquema, std::shared_ptr<const TLinhasCompactas> dados)
    : m_esquema(esquema), m_dados(std::move(dados)),
      m_indices(static_cast<std::size_t>(ColunasDoEsquema(esquema))) {}

std::unique_ptr<TRowset> TRowsetIndexado::Seleciona(const TFiltro& restricoes) {
    const int colunas = ColunasDoEsquema(m_esquema);
    const std::vector<int> ordinais = OrdinaisDasRestricoes(m_esquema);
    std::vector<std::pair<int, std::string>> filtros;
    for (std::size_t i = 0; i < restricoes.size(); ++i) {
        if (!restricoes[i] || restricoes[i]->empty()) {
            continue;
        }
        if (i >= ordinais.size()) {
            throw Exception("Restriction " + std::to_string(i + 1) +
                            " is not supported by this schema rowset.");
        }
        filtros.emplace_back(ordinais[i], *restricoes[i]);
    }
    if (filtros.empty()) {
        return std::make_unique<TRowsetMemoria>(m_dados, colunas);
    }
    const auto [ordinal, valor] = filtros.front();
    auto& indice = m_indices[static_cast<std::size_t>(ordinal)];
    if (!indice) {
        indice = std::make_unique<std::unordered_map<std::string, std::vector<std::size_t>>>();
        const auto o = static_cast<std::size_t>(ordinal);
        for (std::size_t i = 0; i < m_dados->Quantidade(); ++i) {
            if (!m_dados->Nulo(i, o)) {
                (*indice)[std::string(m_dados->Texto(i, o))].push_back(i);
            }
        }
    }
    std::vector<std::size_t> selecao;
    if (const auto achado = indice->find(valor); achado != indice->end()) {
        for (const std::size_t i : achado->second) {
            bool passa = true;
            for (std::size_t f = 1; f < filtros.size() && passa; ++f) {
                const auto o = static_cast<std::size_t>(filtros[f].first);
                passa = !m_dados->Nulo(i, o) && m_dados->Texto(i, o) == filtros[f].second;
            }
            if (passa) {
                selecao.push_back(i);
            }
        }
    }
    return std::make_unique<TRowsetMemoria>(m_dados, colunas, std::move(selecao));
}

namespace {

// The type a person would choose for an indicator, in order of preference (lower case).
std::vector<std::string_view> Preferidos(int tipoOLE) {
    switch (tipoOLE) {
    case dbtype::DBTYPE_STR:
        return {"varchar", "character varying", "text"};
    case dbtype::DBTYPE_WSTR:
        return {"nvarchar", "varchar", "ntext", "text"};
    case dbtype::DBTYPE_DBTIMESTAMP:
        return {"timestamp", "datetime", "datetime2"};
    case dbtype::DBTYPE_DBDATE:
        return {"date"};
    case dbtype::DBTYPE_DBTIME:
        return {"time"};
    case dbtype::DBTYPE_NUMERIC:
    case dbtype::DBTYPE_DECIMAL:
        return {"numeric", "decimal"};
    case dbtype::DBTYPE_I2:
        return {"smallint", "int2"};
    case dbtype::DBTYPE_I4:
        return {"integer", "int4", "int"};
    case dbtype::DBTYPE_I8:
        return {"bigint", "int8"};
    case dbtype::DBTYPE_R4:
        return {"real", "float4"};
    case dbtype::DBTYPE_R8:
        return {"double precision", "double", "float8", "float"};
    case dbtype::DBTYPE_BOOL:
        return {"boolean", "bool", "bit"};
    case dbtype::DBTYPE_BYTES:
        return {"bytea", "blob", "varbinary"};
    case dbtype::DBTYPE_GUID:
        return {"uuid", "uniqueidentifier"};
    default:
        return {};
    }
}

} // namespace

std::vector<bool> MelhoresTipos(const std::vector<std::pair<std::string, std::string>>& tipos) {
    // For each indicator: the rank of the chosen type among the preferred names (their
    // count when it is not one of them) and its position.
    std::map<std::string, std::pair<std::size_t, std::size_t>> escolhidos;
    for (std::size_t i = 0; i < tipos.size(); ++i) {
        const auto& [codigo, nome] = tipos[i];
        int tipoOLE = 0;
        std::from_chars(codigo.data(), codigo.data() + codigo.size(), tipoOLE);
        const std::vector<std::string_view> preferidos = Preferidos(tipoOLE);
        const auto posto = static_cast<std::size_t>(
            std::find(preferidos.begin(), preferidos.end(), ToLowerCase(nome)) -
            preferidos.begin());
        const auto [achado, novo] = escolhidos.try_emplace(codigo, posto, i);
        if (!novo && posto < achado->second.first) {
            achado->second = {posto, i};
        }
    }
    std::vector<bool> melhores(tipos.size(), false);
    for (const auto& [codigo, escolhido] : escolhidos) {
        melhores[escolhido.second] = true;
    }
    return melhores;
}

void MarcaMelhoresTipos(TDadosRowset& tipos) {
    namespace c = rowset::provider_types;
    std::vector<std::pair<std::string, std::string>> nomes;
    for (TLinhaValores& linha : tipos.linhas) {
        if (linha.size() < c::kCampos) {
            linha.resize(c::kCampos);
        }
        nomes.emplace_back(linha[c::DATA_TYPE].texto, linha[c::TYPE_NAME].texto);
    }
    const std::vector<bool> melhores = MelhoresTipos(nomes);
    for (std::size_t i = 0; i < tipos.linhas.size(); ++i) {
        tipos.linhas[i][c::BEST_MATCH] = TValor::DeBooleano(melhores[i]);
    }
}

void AcrescentaTipoDeclarado(TDadosRowset& tipos, const std::string& nome, int tipoOLE) {
    namespace c = rowset::provider_types;
    if (nome.empty()) {
        return;
    }
    for (const TLinhaValores& linha : tipos.linhas) {
        if (c::TYPE_NAME < static_cast<int>(linha.size()) && linha[c::TYPE_NAME].texto == nome) {
            return;
        }
    }
    TLinhaValores linha(c::kCampos);
    linha[c::TYPE_NAME] = TValor::De(nome);
    linha[c::DATA_TYPE] = TValor::De(std::int64_t{tipoOLE});
    tipos.linhas.push_back(std::move(linha));
}

std::unique_ptr<TRowset> TConexaoCatalogo::OpenSchema(TEsquema esquema, const TFiltro& restricoes) {
    Lido& lido = m_esquemas[static_cast<int>(esquema)];
    if (!lido.rowset && lido.falha.empty()) {
        try {
            lido.rowset = std::make_unique<TRowsetIndexado>(
                esquema, std::make_shared<const TLinhasCompactas>(LeLinhas(esquema)));
        } catch (const std::exception& erro) {
            lido.falha = erro.what();
            if (lido.falha.empty()) {
                lido.falha = "Unknown error";
            }
            lido.indisponivel = dynamic_cast<const ERowsetIndisponivel*>(&erro) != nullptr;
        }
    }
    if (!lido.rowset) {
        if (lido.indisponivel) {
            throw ERowsetIndisponivel(lido.falha);
        }
        throw Exception(lido.falha);
    }
    return lido.rowset->Seleciona(restricoes);
}

} // namespace fendril
