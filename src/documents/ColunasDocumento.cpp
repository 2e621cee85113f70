#include "documents/ColunasDocumento.h"

#include "documents/CamposDocumento.h"
#include "model/Erros.h"
#include "model/Registro.h"

#include <map>
#include <set>
#include <string_view>
#include <tuple>

namespace fendril {

namespace {

// The number (from 1) of the document line that gave column line `indice`: the lines of
// that section, as LeSecao selects them.
std::size_t NumeroDaLinha(const TArquivoKMF& documento, std::string_view secao,
                          std::size_t indice) {
    std::size_t vistas = 0;
    const TListaTextos& linhas = documento.getLinhas();
    for (std::size_t j = 0; j < linhas.size(); ++j) {
        const std::string_view linha = linhas[j];
        if (linha.substr(0, linha.find("||")) == secao && vistas++ == indice) {
            return j + 1;
        }
    }
    return 0;
}

constexpr std::string_view kChaveTabela = "tabela";
constexpr std::string_view kChaveColuna = "coluna";

const char* Marca(bool valor) {
    return valor ? "1" : "0";
}

// Fields followed by "=>", escaped together when one of them needs it.
std::string Campos(std::initializer_list<std::string_view> campos) {
    const bool escapado = registro::PrecisaEscape(campos);
    std::string texto;
    for (const std::string_view campo : campos) {
        registro::AcrescentaCampo(texto, campo, escapado);
    }
    registro::AcrescentaMarca(texto, escapado);
    return texto;
}

using TChaveTabela = std::tuple<std::string, std::string>;
using TChaveColuna = std::tuple<std::string, std::string, std::string>;

} // namespace

void EscreveFatosDocumento(TArquivoKMF& documento, std::string_view secao,
                           const TControlaColunas& colunas) {
    const TColumnFacts desconhecidos;
    std::set<TChaveTabela> tabelas;
    std::set<TChaveColuna> vistas;
    std::vector<std::string> linhasColunas;
    for (const auto& coluna : colunas.getColunas()) {
        const TTabela& tabela = coluna->getTabela();
        if (tabelas.emplace(tabela.esquema, tabela.nome).second && !tabela.comment.empty()) {
            documento.AdicionaEntrada(secao, kChaveTabela,
                                      Campos({tabela.esquema, tabela.nome, tabela.comment}));
        }
        const TColumnFacts& fatos = coluna->facts;
        if (vistas.emplace(tabela.esquema, tabela.nome, coluna->nome).second &&
            !(fatos == desconhecidos)) {
            linhasColunas.push_back(
                Campos({tabela.esquema, tabela.nome, coluna->nome, Marca(fatos.nullable),
                        Marca(fatos.unique), Marca(fatos.autoIncrement), fatos.defaultValue,
                        fatos.comment}));
        }
    }
    for (const std::string& linha : linhasColunas) {
        documento.AdicionaEntrada(secao, kChaveColuna, linha);
    }
}

void LeFatosDocumento(const TArquivoKMF& documento, std::string_view secao,
                      TControlaColunas& colunas) {
    const TListaTextos tabelas = documento.LeSecao(secao, kChaveTabela, false);
    const TListaTextos fatosColunas = documento.LeSecao(secao, kChaveColuna, false);
    if (tabelas.empty() && fatosColunas.empty()) {
        return;
    }
    // An entry names no line of its own when it fails: name it by its place among the
    // section's entries.
    const auto falha = [&secao](std::string_view chave, std::size_t indice) {
        return EErroGeral::Create("Entry " + std::to_string(indice + 1) + " Of Section \"" +
                                  std::string(secao) + "\", Key \"" + std::string(chave) +
                                  "\", Of The Mapping Could Not Be Read");
    };
    std::map<TChaveTabela, std::vector<TColuna*>> porTabela;
    std::map<TChaveColuna, std::vector<TColuna*>> porColuna;
    for (const auto& coluna : colunas.getColunas()) {
        const TTabela& tabela = coluna->getTabela();
        porTabela[{tabela.esquema, tabela.nome}].push_back(coluna.get());
        porColuna[{tabela.esquema, tabela.nome, coluna->nome}].push_back(coluna.get());
    }
    for (std::size_t i = 0; i < tabelas.size(); ++i) {
        const TListaVistas campos = SeparaCamposVista(tabelas[i], "=>");
        if (campos.size() < 3) {
            throw falha(kChaveTabela, i);
        }
        const bool escapado = registro::Escapado(campos, 3);
        const auto achadas = porTabela.find(
            {registro::LeCampo(campos[0], escapado), registro::LeCampo(campos[1], escapado)});
        if (achadas != porTabela.end()) {
            for (TColuna* coluna : achadas->second) {
                coluna->getTabela().comment = registro::LeCampo(campos[2], escapado);
            }
        }
    }
    for (std::size_t i = 0; i < fatosColunas.size(); ++i) {
        const TListaVistas campos = SeparaCamposVista(fatosColunas[i], "=>");
        if (campos.size() < 8) {
            throw falha(kChaveColuna, i);
        }
        const bool escapado = registro::Escapado(campos, 8);
        const auto achadas = porColuna.find({registro::LeCampo(campos[0], escapado),
                                             registro::LeCampo(campos[1], escapado),
                                             registro::LeCampo(campos[2], escapado)});
        if (achadas == porColuna.end()) {
            continue;
        }
        TColumnFacts fatos;
        fatos.nullable = campos[3] == "1";
        fatos.unique = campos[4] == "1";
        fatos.autoIncrement = campos[5] == "1";
        fatos.defaultValue = registro::LeCampo(campos[6], escapado);
        fatos.comment = registro::LeCampo(campos[7], escapado);
        for (TColuna* coluna : achadas->second) {
            coluna->facts = fatos;
        }
    }
    // The index answers by names only: facts leave it valid.
}

std::unique_ptr<TControlaColunas> LeColunasDocumento(const TArquivoKMF& documento,
                                                     std::string_view secao) {
    const TListaTextos linhas = documento.LeSecao(secao, "", true);
    if (linhas.empty()) {
        return nullptr;
    }
    auto colunas = std::make_unique<TControlaColunas>(linhas.size());
    try {
        colunas->CarregaLinhas(linhas);
    } catch (const EColunaIlegivel& erro) {
        throw EErroGeral::Create(
            "Line " + std::to_string(NumeroDaLinha(documento, secao, erro.indice())) +
            " Of The Mapping (Table \"" + erro.nomes().tabela + "\", Column \"" +
            erro.nomes().coluna + "\") Could Not Be Read: " + erro.motivo());
    }
    LeFatosDocumento(documento, fendril::secao::fatos, *colunas);
    return colunas;
}

} // namespace fendril
