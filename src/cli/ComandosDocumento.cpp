#include "cli/ComandosDocumento.h"

#include "cli/TextoEscapado.h"
#include "documents/CamposDocumento.h"
#include "documents/DocumentoMapeamento.h"
#include "documents/TArquivoKMF.h"
#include "engine/AliasRules.h"
#include "engine/TMontaCodigo.h"
#include "model/ArquivoTexto.h"
#include "model/Erros.h"

#include <algorithm>
#include <cctype>
#include <iostream>
#include <vector>

namespace fendril {

int ComandoDump(const std::string& arquivo, std::ostream& saida, std::ostream& erros) {
    try {
        TArquivoKMF documento;
        documento.Abre(arquivo);
        std::string texto = Escapa(documento.cabecalho) + '\n';
        for (const std::string& linha : documento.getLinhas()) {
            texto += Escapa(linha);
            texto += '\n';
        }
        saida << texto;
        return 0;
    } catch (const std::exception& erro) {
        erros << erro.what() << '\n';
        return 1;
    }
}

int ComandoPack(const std::string& texto, const std::string& arquivo, std::ostream& erros) {
    try {
        const TListaTextos linhas = CortaLinhasLF(LeTextoArquivo(texto));
        TArquivoKMF documento;
        for (std::size_t i = 0; i < linhas.size(); ++i) {
            std::string bytes;
            try {
                bytes = Desescapa(linhas[i]);
            } catch (const EErroGeral& erro) {
                throw EErroGeral::Create(texto + ":" + std::to_string(i + 1) + ": " + erro.what());
            }
            if (i == 0) {
                documento.cabecalho = std::move(bytes);
            } else {
                documento.getLinhas().push_back(std::move(bytes));
            }
        }
        documento.Salva(arquivo);
        return 0;
    } catch (const std::exception& erro) {
        erros << erro.what() << '\n';
        return 1;
    }
}

namespace {

struct TTextoModelo {
    std::string rotulo; // after the file name, as the run's log names the text
    std::string codigo;
    bool corpoDeTabela;
};

// What check reads of a file: the code texts of a template document as the run expands them
// (or the file as one text), and a template's name form.
struct TModeloLido {
    std::vector<TTextoModelo> textos;
    std::string formaNome;
};

TModeloLido LeModelo(const std::string& arquivo) {
    std::string extensao = ExtraiExtensao(arquivo);
    std::transform(extensao.begin(), extensao.end(), extensao.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extensao != "tpt" && extensao != "tpg") {
        return {{{"", LeTextoArquivo(arquivo), false}}, {}};
    }
    TArquivoKMF documento;
    documento.Abre(arquivo);
    const auto codigo = [&documento](std::string_view chave) {
        const TListaTextos valores = documento.LeSecao(secao::codigo, chave, false);
        return valores.empty() ? std::string() : valores.front();
    };
    if (extensao == "tpt") {
        return {{{"(Table Class)", codigo(chave::re_classeobjeto), true},
                 {"(Parent Class)", codigo(chave::re_classepai), false},
                 {"(Make File)", codigo(chave::re_make), false}},
                codigo(chave::edit_nameform)};
    }
    // One file per table wraps the text in a table block, one file for all does not.
    return {{{"", codigo(chave::re_classeobjeto), codigo(chave::rg_file) == "0"}},
            codigo(chave::edit_nameform)};
}

// The run writes no per-table file for a name form with an unknown filter: an error, at
// the column of that filter.
std::vector<TDiagnostico> DiagnosticaFormaNome(const std::string& forma) {
    TCadeiaFiltros filtros;
    std::string_view desconhecido;
    if (forma.empty() || LeCadeiaFiltros(forma, filtros, &desconhecido)) {
        return {};
    }
    const auto posicao = static_cast<std::size_t>(desconhecido.data() - forma.data());
    return {{true, 1, posicao + 1, posicao,
             "Unknown Filter \"" + std::string(desconhecido) + "\" In The Name Form \"" + forma +
                 "\" !!"}};
}

} // namespace

int ComandoCheck(const std::string& arquivo, bool estrito, std::ostream& saida,
                 std::ostream& erros) {
    try {
        std::size_t falhas = 0;
        std::size_t avisos = 0;
        const auto relata = [&](const std::string& rotulo,
                                const std::vector<TDiagnostico>& diagnosticos) {
            for (const TDiagnostico& diagnostico : diagnosticos) {
                saida << arquivo << rotulo << ':' << diagnostico.linha << ':' << diagnostico.coluna
                      << ": " << (diagnostico.erro ? "error: " : "warning: ")
                      << diagnostico.mensagem << '\n';
                if (diagnostico.erro) {
                    erros << diagnostico.mensagem << '\n';
                    ++falhas;
                } else {
                    ++avisos;
                }
            }
        };
        const TModeloLido modelo = LeModelo(arquivo);
        for (const TTextoModelo& texto : modelo.textos) {
            relata(texto.rotulo, TMontaCodigo::Diagnostica(texto.codigo, texto.corpoDeTabela));
        }
        relata("(Name Form)", DiagnosticaFormaNome(modelo.formaNome));
        if (falhas > 0) {
            return 1;
        }
        saida << "No Crossed Tags Present !!\n";
        if (estrito && avisos > 0) {
            erros << avisos << (avisos == 1 ? " Warning" : " Warnings") << " With --strict !!\n";
            return 1;
        }
        return 0;
    } catch (const std::exception& erro) {
        erros << erro.what() << '\n';
        return 1;
    }
}

int ComandoAliases(const std::string& mapeamento, const std::string& regraTabelas,
                   const std::string& regraColunas, const std::string& destino,
                   std::ostream& erros) {
    try {
        TDescricaoMapeamento descricao;
        try {
            TArquivoKMF documento;
            documento.Abre(mapeamento);
            descricao = LeDocumentoMapeamento(documento);
        } catch (const EListError&) {
            throw EErroGeral::Create("The File \"" + mapeamento +
                                     "\" Is Not A Mapping Document !!");
        }
        TAliasesFilled preenchidos;
        if (descricao.controlaColunas) {
            preenchidos = FillEmptyAliases(*descricao.controlaColunas, regraTabelas, regraColunas);
        }
        erros << "Filled " << preenchidos.tables
              << (preenchidos.tables == 1 ? " Table Alias And " : " Table Aliases And ")
              << preenchidos.columns
              << (preenchidos.columns == 1 ? " Column Alias\n" : " Column Aliases\n");
        const std::string saida = destino.empty() ? mapeamento : destino;
        if (preenchidos.tables + preenchidos.columns > 0 || saida != mapeamento) {
            MontaDocumentoMapeamento(descricao).Salva(saida);
        }
        return 0;
    } catch (const std::exception& erro) {
        erros << erro.what() << '\n';
        return 1;
    }
}

} // namespace fendril
