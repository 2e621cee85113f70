#include "cli/DescreveMapeamento.h"

#include "cli/TextoEscapado.h"
#include "documents/DocumentoMapeamento.h"
#include "documents/TArquivoKMF.h"
#include "model/Erros.h"

#include <algorithm>
#include <ostream>
#include <unordered_set>
#include <utility>
#include <vector>

namespace fendril {

namespace {

using TLinha = std::vector<std::string>;

// Width on screen of a UTF-8 text: its characters, not its bytes.
std::size_t Largura(const std::string& texto) {
    return static_cast<std::size_t>(std::count_if(texto.begin(), texto.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// The lines of a table, each cell padded to its column's width; no blanks at line ends.
void EscreveAlinhado(const std::vector<TLinha>& linhas, std::string& texto) {
    std::vector<std::size_t> larguras;
    for (const TLinha& linha : linhas) {
        larguras.resize(std::max(larguras.size(), linha.size()));
        for (std::size_t i = 0; i < linha.size(); ++i) {
            larguras[i] = std::max(larguras[i], Largura(linha[i]));
        }
    }
    for (const TLinha& linha : linhas) {
        std::string saida = "  ";
        for (std::size_t i = 0; i < linha.size(); ++i) {
            saida += linha[i];
            if (i + 1 < linha.size()) {
                saida.append(larguras[i] - Largura(linha[i]) + 2, ' ');
            }
        }
        saida.erase(saida.find_last_not_of(' ') + 1);
        texto += saida;
        texto += '\n';
    }
}

std::string Numero(std::int32_t valor) {
    return valor == -1 ? std::string("-") : std::to_string(valor);
}

const char* SimNao(bool valor) {
    return valor ? "yes" : "no";
}

TLinha LinhaDaColuna(const TColuna& coluna) {
    const TTipoDado& tipo = coluna.getTipoDado();
    std::string chaves;
    if (coluna.getChavePrimaria() == 1) {
        chaves = "PK";
    }
    if (coluna.chaveEstrangeira && coluna.getColunaEstrangeira()) {
        const TColuna& referida = *coluna.getColunaEstrangeira();
        chaves += (chaves.empty() ? "" : ", ") + std::string("FK -> ") +
                  referida.getTabela().getNomeCompleto() + "." + referida.nome;
    }
    return {Escapa(coluna.nome),
            Escapa(tipo.nome),
            Numero(tipo.tamanho),
            Numero(tipo.EhData() ? tipo.precisaoDataHora : tipo.precisao),
            Numero(tipo.escala),
            Escapa(chaves),
            SimNao(coluna.facts.nullable),
            Escapa(coluna.facts.defaultValue),
            SimNao(coluna.facts.unique),
            SimNao(coluna.facts.autoIncrement),
            SimNao(coluna.habilitado),
            Escapa(coluna.alias),
            Escapa(coluna.facts.comment)};
}

} // namespace

std::string DescreveMapeamento(const std::string& nome, const std::string& baseDados,
                               const TControlaColunas* colunas,
                               const std::optional<std::string>& tabela) {
    // Tables by their exact qualified name, in the order of their first column; a table
    // the set's lists leave out for its letter case is described too.
    std::vector<std::string> tabelas;
    std::unordered_set<std::string> vistas;
    std::size_t quantidade = 0;
    if (colunas) {
        for (const auto& coluna : colunas->getColunas()) {
            std::string qualificado = std::as_const(*coluna).getTabela().getNomeCompleto();
            if (qualificado.empty()) {
                continue;
            }
            ++quantidade;
            if (vistas.insert(qualificado).second) {
                tabelas.push_back(std::move(qualificado));
            }
        }
    }
    if (tabela) {
        if (vistas.count(*tabela) == 0) {
            throw EErroGeral::Create("Table \"" + *tabela + "\" Is Not In The Mapping !!");
        }
        tabelas = {*tabela};
    }
    std::string texto = "Mapping \"" + Escapa(nome) + "\" of database \"" + Escapa(baseDados) +
                        "\": " + std::to_string(vistas.size()) +
                        (vistas.size() == 1 ? " table, " : " tables, ") +
                        std::to_string(quantidade) + (quantidade == 1 ? " column\n" : " columns\n");
    for (const std::string& qualificado : tabelas) {
        const std::vector<std::size_t> posicoes = colunas->PosicoesDaTabela(qualificado);
        const TTabela& registro =
            std::as_const(*colunas->getColunas()[posicoes.front()]).getTabela();
        texto += "\nTable " + Escapa(qualificado) + " (" + Escapa(registro.tipo) + ")\n";
        if (!registro.alias.empty()) {
            texto += "  Alias: " + Escapa(registro.alias) + "\n";
        }
        if (!registro.comment.empty()) {
            texto += "  Comment: " + Escapa(registro.comment) + "\n";
        }
        std::vector<TLinha> linhas = {{"column", "type", "length", "precision", "scale", "keys",
                                       "nullable", "default", "unique", "auto-increment", "enabled",
                                       "alias", "comment"}};
        for (const std::size_t posicao : posicoes) {
            linhas.push_back(LinhaDaColuna(*colunas->getColunas()[posicao]));
        }
        EscreveAlinhado(linhas, texto);
    }
    return texto;
}

int ComandoDescribe(const std::string& arquivo, const std::optional<std::string>& tabela,
                    std::ostream& saida, std::ostream& erros) {
    try {
        TArquivoKMF documento;
        documento.Abre(arquivo);
        const TDescricaoMapeamento descricao = LeDocumentoMapeamento(documento);
        saida << DescreveMapeamento(descricao.Edit_nome, descricao.combo_basedados,
                                    descricao.controlaColunas.get(), tabela);
        return 0;
    } catch (const std::exception& erro) {
        erros << erro.what() << '\n';
        return 1;
    }
}

} // namespace fendril
