#include "schema/TSessaoConexoes.h"

#include "model/Erros.h"

#include <map>
#include <tuple>

namespace fendril {

struct TSessaoConexoes::Estado {
    TFabricaConexao fabrica;
    std::map<std::tuple<std::string, std::string, std::string>, std::unique_ptr<TConexao>> abertas;
};

namespace {

class TConexaoCompartilhada : public TConexao {
public:
    explicit TConexaoCompartilhada(std::shared_ptr<TSessaoConexoes::Estado> estado)
        : m_estado(std::move(estado)) {}

    void Open(const std::string& stringConexao, const std::string& usuario,
              const std::string& senha) override {
        auto chave = std::make_tuple(stringConexao, usuario, senha);
        auto& aberta = m_estado->abertas[chave];
        if (!aberta) {
            auto conexao = m_estado->fabrica();
            try {
                conexao->Open(stringConexao, usuario, senha);
            } catch (...) {
                m_estado->abertas.erase(chave);
                throw;
            }
            m_estado->abertas[chave] = std::move(conexao);
        }
        m_conexao = m_estado->abertas[chave].get();
    }
    void DefaultDatabase(const std::string& nome) override { Aberta().DefaultDatabase(nome); }
    std::unique_ptr<TRowset> OpenSchema(TEsquema esquema, const TFiltro& restricoes) override {
        return Aberta().OpenSchema(esquema, restricoes);
    }
    std::string BaseDadosAtual() const override {
        return m_conexao ? m_conexao->BaseDadosAtual() : std::string();
    }
    void Close() override { m_conexao = nullptr; }

private:
    TConexao& Aberta() {
        if (m_conexao == nullptr) {
            throw Exception("Operation is not allowed when the object is closed.");
        }
        return *m_conexao;
    }

    std::shared_ptr<TSessaoConexoes::Estado> m_estado;
    TConexao* m_conexao = nullptr;
};

} // namespace

TSessaoConexoes::TSessaoConexoes(TFabricaConexao fabrica) : m_estado(std::make_shared<Estado>()) {
    m_estado->fabrica = std::move(fabrica);
}

TSessaoConexoes::~TSessaoConexoes() {
    Encerra();
}

void TSessaoConexoes::Encerra() {
    for (auto& [chave, conexao] : m_estado->abertas) {
        try {
            conexao->Close();
        } catch (const std::exception&) {
            // A connection that fails to close has nothing left to give back.
        }
    }
    m_estado->abertas.clear();
}

TFabricaConexao TSessaoConexoes::Fabrica() const {
    auto estado = m_estado;
    return [estado] { return std::make_unique<TConexaoCompartilhada>(estado); };
}

} // namespace fendril
