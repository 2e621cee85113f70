#include "cli/ComandosCompor.h"

#include "documents/TDocModelos.h"
#include "model/ArquivoTexto.h"
#include "model/Erros.h"
#include "model/Log.h"

#include <filesystem>
#include <ostream>

namespace fendril {

namespace fs = std::filesystem;

namespace {

std::string Apara(const std::string& texto) {
    const std::size_t inicio = texto.find_first_not_of(" \t");
    if (inicio == std::string::npos) {
        return {};
    }
    return texto.substr(inicio, texto.find_last_not_of(" \t\r") - inicio + 1);
}

bool Marca(const std::string& valor) {
    if (valor != "0" && valor != "1") {
        throw EErroGeral::Create("Expected 0 Or 1, Found \"" + valor + "\"");
    }
    return valor == "1";
}

TNomeArquivoTabela NomeArquivo(const std::string& valor) {
    if (valor != "0" && valor != "1" && valor != "2") {
        throw EErroGeral::Create("Expected 0, 1 Or 2, Found \"" + valor + "\"");
    }
    return campos::LeNomeArquivo(valor);
}

TModeloMarcado Modelo(const std::string& valor) {
    const std::size_t ponto = valor.find(';');
    if (ponto == std::string::npos) {
        return {valor, true};
    }
    return {valor.substr(0, ponto), Marca(valor.substr(ponto + 1))};
}

// A types table from a types file: every line must give three fields.
std::vector<TLinhaTipos> TiposEstritos(const fs::path& caminho) {
    std::vector<TLinhaTipos> tipos;
    for (const std::string& linha : LeLinhasTexto(caminho.string())) {
        const TListaTextos campos = SeparaCampos(linha, ";");
        if (campos.size() != 3) {
            throw EErroGeral::Create("The File \"" + caminho.string() + "\" Is Not Valid !!");
        }
        tipos.push_back({campos[0], campos[1], campos[2]});
    }
    return tipos;
}

// A value as written, or "@file": the content of that file beside the description ("@@"
// stands for a value that starts with "@").
std::string Valor(std::string valor, const fs::path& pasta) {
    if (valor.starts_with("@@")) {
        valor.erase(0, 1);
    } else if (valor.starts_with('@')) {
        valor = LeTextoArquivo((pasta / valor.substr(1)).string());
    }
    return valor;
}

// Gives the field a description line names the value of that line. The types table takes a
// types file (named with or without "@"); each template line adds one template, "path" or
// "path;0".
template <class TDoc>
void Atribui(TDoc& valores, const TCampoDocumento<TDoc>& campo, const std::string& valor,
             const std::string& chave, const fs::path& pasta) {
    std::visit(TSobrecarga{
                   [&](std::string TDoc::*membro) { valores.*membro = Valor(valor, pasta); },
                   [&](bool TDoc::*membro) { valores.*membro = Marca(Valor(valor, pasta)); },
                   [&](int TDoc::*membro) { valores.*membro = ParaInteiro(Valor(valor, pasta)); },
                   [&](TNomeArquivoTabela TDoc::*membro) {
                       valores.*membro = NomeArquivo(Valor(valor, pasta));
                   },
                   [&](std::vector<TLinhaTipos> TDoc::*membro) {
                       valores.*membro =
                           TiposEstritos(pasta / valor.substr(valor.starts_with('@') ? 1 : 0));
                   },
                   [&](std::vector<TModeloMarcado> TDoc::*membro) {
                       (valores.*membro).push_back(Modelo(Valor(valor, pasta)));
                   },
                   [&](auto) { throw EErroGeral::Create("Unknown Key \"" + chave + "\""); },
               },
               campo.membro);
}

// Fills the values from a description of key = value lines, each key naming a field of the
// layout.
template <class TDoc>
void Aplica(const std::string& descricao, TTabelaCampos<TDoc> tabela, TDoc& valores) {
    const fs::path pasta = fs::path(descricao).parent_path();
    const TListaTextos linhas = LeLinhasTexto(descricao);
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        const std::string linha = Apara(linhas[i]);
        if (linha.empty() || linha.front() == '#') {
            continue;
        }
        const std::string onde = descricao + ":" + std::to_string(i + 1) + ": ";
        const std::size_t igual = linha.find('=');
        if (igual == std::string::npos) {
            throw EErroGeral::Create(onde + "Expected key = value");
        }
        const std::string chave = Apara(linha.substr(0, igual));
        const std::string valor = Apara(linha.substr(igual + 1));
        try {
            const TCampoDocumento<TDoc>* campo = CampoPorNome<TDoc>(tabela, chave);
            if (campo == nullptr) {
                throw EErroGeral::Create("Unknown Key \"" + chave + "\"");
            }
            Atribui(valores, *campo, valor, chave, pasta);
        } catch (const std::exception& erro) {
            throw EErroGeral::Create(onde + erro.what());
        }
    }
}

TArquivoKMF ModeloTabela(const std::string& descricao) {
    TDocModeloTabela d;
    d.data = DataAtual();
    Aplica(descricao, kCamposModeloTabela, d);
    return d.getArquivo();
}

TArquivoKMF ModeloGeral(const std::string& descricao) {
    TDocModeloGeral d;
    Aplica(descricao, kCamposModeloGeral, d);
    return d.getArquivo();
}

TArquivoKMF Geracao(const std::string& descricao) {
    TDocGeracao d;
    d.data = DataAtual();
    Aplica(descricao, kCamposGeracao, d);
    return d.getArquivo();
}

} // namespace

int ComandoCompose(const std::string& descricao, const std::string& arquivo, std::ostream& erros) {
    try {
        const std::string extensao = ExtraiExtensao(ExtraiNome(arquivo));
        TArquivoKMF documento;
        if (extensao == "tpt") {
            documento = ModeloTabela(descricao);
        } else if (extensao == "tpg") {
            documento = ModeloGeral(descricao);
        } else if (extensao == "kgf") {
            documento = Geracao(descricao);
        } else {
            erros << "The Output Must Be A .tpt, .tpg Or .kgf File !!\n";
            return 2;
        }
        documento.Salva(arquivo);
        return 0;
    } catch (const std::exception& erro) {
        erros << erro.what() << '\n';
        return 1;
    }
}

} // namespace fendril
