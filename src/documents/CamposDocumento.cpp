#include "documents/CamposDocumento.h"

#include "documents/ColunasDocumento.h"

#include <algorithm>
#include <utility>

namespace fendril::campos {

namespace {

const char* Marca(bool valor) {
    return valor ? "1" : "0";
}

} // namespace

std::string TextoLinhaTipos(const TLinhaTipos& linha) {
    return linha.tipoProvider + ";" + linha.tipoVariavel + ";" + linha.valorInicial + ";";
}

std::string TextoModelo(const TModeloMarcado& modelo) {
    return modelo.caminho + ";" + Marca(modelo.marcado) + ";";
}

std::string TextoNomeArquivo(TNomeArquivoTabela valor) {
    return std::to_string(static_cast<int>(valor));
}

TNomeArquivoTabela LeNomeArquivo(std::string_view texto) {
    if (texto == "1") {
        return TNomeArquivoTabela::alias;
    }
    if (texto == "2") {
        return TNomeArquivoTabela::aliasOuNomeCurto;
    }
    return TNomeArquivoTabela::nome;
}

void Escreve(TArquivoKMF& documento, std::string_view secao, std::string_view chave,
             const std::string& valor) {
    documento.AdicionaEntrada(secao, chave, valor);
}

void Escreve(TArquivoKMF& documento, std::string_view secao, std::string_view chave, bool valor) {
    documento.AdicionaEntrada(secao, chave, Marca(valor));
}

void Escreve(TArquivoKMF& documento, std::string_view secao, std::string_view chave, int valor) {
    documento.AdicionaEntrada(secao, chave, std::to_string(valor));
}

void Escreve(TArquivoKMF& documento, std::string_view secao, std::string_view chave,
             TNomeArquivoTabela valor) {
    documento.AdicionaEntrada(secao, chave, TextoNomeArquivo(valor));
}

void Escreve(TArquivoKMF& documento, std::string_view secao, std::string_view chave,
             const std::vector<TLinhaTipos>& linhas) {
    for (const TLinhaTipos& linha : linhas) {
        documento.AdicionaEntrada(secao, chave, TextoLinhaTipos(linha));
    }
}

void Escreve(TArquivoKMF& documento, std::string_view secao, std::string_view chave,
             const std::vector<TModeloMarcado>& modelos) {
    for (const TModeloMarcado& modelo : modelos) {
        documento.AdicionaEntrada(secao, chave, TextoModelo(modelo));
    }
}

void Escreve(TArquivoKMF& documento, std::string_view secao, std::string_view chave,
             const TListaTextos& textos) {
    for (const std::string& texto : textos) {
        documento.AdicionaEntrada(secao, chave, texto);
    }
}

void Escreve(TArquivoKMF& documento, std::string_view secao, std::string_view chave,
             const std::unique_ptr<TControlaColunas>& colunas) {
    Escreve(documento, secao, chave, colunas.get());
}

void Escreve(TArquivoKMF& documento, std::string_view secao, std::string_view,
             const TControlaColunas* colunas) {
    // The mapping window writes columns only when its tree shows at least one table: a
    // column whose table has a name (getNomesTabelas lists the non-empty qualified names).
    // Asked here without building the set's index or copying its list of names.
    if (!colunas || std::none_of(colunas->getColunas().begin(), colunas->getColunas().end(),
                                 [](const auto& coluna) {
                                     return !coluna->getTabela().esquema.empty() ||
                                            !coluna->getTabela().nome.empty();
                                 })) {
        return;
    }
    if (secao == fendril::secao::fatos) {
        EscreveFatosDocumento(documento, secao, *colunas);
        return;
    }
    if (secao == fendril::secao::manuais) {
        EscreveManuaisDocumento(documento, secao, *colunas);
        return;
    }
    TColuna::TTabelaCodificada anterior;
    for (const auto& coluna : colunas->getColunas()) {
        documento.AdicionaLinha(secao, std::as_const(*coluna).Codifica(anterior));
    }
}

void Le(const TArquivoKMF& documento, std::string_view secao, std::string_view chave, bool opcional,
        std::string& valor) {
    if (opcional) {
        const TListaTextos valores = documento.LeSecao(secao, chave, false);
        if (!valores.empty()) {
            valor = valores.front();
        }
        return;
    }
    valor = documento.LePrimeiro(secao, chave);
}

void Le(const TArquivoKMF& documento, std::string_view secao, std::string_view chave, bool opcional,
        bool& valor) {
    std::string texto = Marca(valor);
    Le(documento, secao, chave, opcional, texto);
    valor = texto == "1";
}

void Le(const TArquivoKMF& documento, std::string_view secao, std::string_view chave, bool opcional,
        int& valor) {
    std::string texto = std::to_string(valor);
    Le(documento, secao, chave, opcional, texto);
    valor = ParaInteiro(texto);
}

void Le(const TArquivoKMF& documento, std::string_view secao, std::string_view chave, bool opcional,
        TNomeArquivoTabela& valor) {
    std::string texto = TextoNomeArquivo(valor);
    Le(documento, secao, chave, opcional, texto);
    valor = LeNomeArquivo(texto);
}

void Le(const TArquivoKMF& documento, std::string_view secao, std::string_view chave, bool,
        std::vector<TLinhaTipos>& linhas) {
    const TListaTextos entradas = documento.LeSecao(secao, chave, false);
    if (entradas.empty()) {
        return;
    }
    std::vector<TLinhaTipos> lidas;
    lidas.reserve(entradas.size());
    for (const std::string& entrada : entradas) {
        const TListaTextos partes = SeparaCampos(entrada, ";");
        lidas.push_back({ItemDaLista(partes, 0), ItemDaLista(partes, 1), ItemDaLista(partes, 2)});
    }
    linhas = std::move(lidas);
}

void Le(const TArquivoKMF& documento, std::string_view secao, std::string_view chave, bool,
        std::vector<TModeloMarcado>& modelos) {
    // Each entry is a path and its tick, each followed by ";"; an entry lacking either fails
    // the opening with the list's own failure, the entries before it kept.
    modelos.clear();
    for (const std::string& entrada : documento.LeSecao(secao, chave, false)) {
        const TListaTextos partes = SeparaCampos(entrada, ";");
        const std::string& caminho = ItemDaLista(partes, 0);
        modelos.push_back({caminho, ItemDaLista(partes, 1) != "0"});
    }
}

void Le(const TArquivoKMF& documento, std::string_view secao, std::string_view chave, bool,
        TListaTextos& textos) {
    textos = documento.LeSecao(secao, chave, false);
}

void Le(const TArquivoKMF& documento, std::string_view secao, std::string_view, bool,
        std::unique_ptr<TControlaColunas>& colunas) {
    // The facts are read with the column lines, so that whoever reads a mapping's columns
    // gets them.
    if (secao == fendril::secao::fatos || secao == fendril::secao::manuais) {
        return;
    }
    // A line that does not decode is named by its line, table and column.
    if (auto lidas = LeColunasDocumento(documento, secao)) {
        colunas = std::move(lidas);
    }
}

} // namespace fendril::campos
