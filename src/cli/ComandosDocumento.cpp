#include "cli/ComandosDocumento.h"

#include "cli/TextoEscapado.h"
#include "documents/TArquivoKMF.h"
#include "engine/TMontaCodigo.h"
#include "model/Erros.h"

#include <fstream>
#include <iostream>
#include <sstream>

namespace fendril {

namespace {

std::string LeArquivoInteiro(const std::string& caminho) {
    std::ifstream arquivo(caminho, std::ios::binary);
    if (!arquivo) {
        throw EErroGeral::Create("Could Not Open File " + caminho);
    }
    std::ostringstream conteudo;
    conteudo << arquivo.rdbuf();
    if (arquivo.bad()) {
        throw EErroGeral::Create("Could Not Read File " + caminho);
    }
    return conteudo.str();
}

// Lines ending in LF or CR LF; a last line without a line break still counts.
TListaTextos SeparaLinhasTexto(const std::string& conteudo) {
    TListaTextos linhas;
    std::size_t inicio = 0;
    while (inicio < conteudo.size()) {
        std::size_t fim = conteudo.find('\n', inicio);
        const std::size_t proximo = fim == std::string::npos ? conteudo.size() : fim + 1;
        if (fim == std::string::npos) {
            fim = conteudo.size();
        }
        if (fim > inicio && conteudo[fim - 1] == '\r') {
            --fim;
        }
        linhas.push_back(conteudo.substr(inicio, fim - inicio));
        inicio = proximo;
    }
    return linhas;
}

} // namespace

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
        const TListaTextos linhas = SeparaLinhasTexto(LeArquivoInteiro(texto));
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

int ComandoCheck(const std::string& arquivo, std::ostream& saida, std::ostream& erros) {
    try {
        TMontaCodigo::VerificaTags(LeArquivoInteiro(arquivo));
        saida << "No Crossed Tags Present !!\n";
        return 0;
    } catch (const std::exception& erro) {
        erros << erro.what() << '\n';
        return 1;
    }
}

} // namespace fendril
