#include "cli/ComandosCompor.h"

#include "documents/TDocModelos.h"
#include "model/ArquivoTexto.h"
#include "model/Erros.h"
#include "model/Log.h"

#include <filesystem>
#include <functional>
#include <map>
#include <ostream>

namespace fendril {

namespace fs = std::filesystem;

namespace {

using TAtribuidor = std::function<void(const std::string&)>;

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

void Aplica(const std::string& descricao, const std::map<std::string, TAtribuidor>& chaves,
            const std::function<void(const std::string&, const fs::path&)>& especial) {
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
        std::string valor = Apara(linha.substr(igual + 1));
        try {
            if (chave == "tb_tipos") {
                especial(chave, pasta / valor.substr(valor.starts_with('@') ? 1 : 0));
                continue;
            }
            const auto achada = chaves.find(chave);
            if (achada == chaves.end()) {
                throw EErroGeral::Create("Unknown Key \"" + chave + "\"");
            }
            if (valor.starts_with("@@")) {
                valor.erase(0, 1);
            } else if (valor.starts_with('@')) {
                valor = LeTextoArquivo((pasta / valor.substr(1)).string());
            }
            achada->second(valor);
        } catch (const std::exception& erro) {
            throw EErroGeral::Create(onde + erro.what());
        }
    }
}

TArquivoKMF ModeloTabela(const std::string& descricao) {
    TDocModeloTabela d;
    d.data = DataAtual();
    const std::map<std::string, TAtribuidor> chaves = {
        {"Edit_nome", [&](const std::string& v) { d.nome = v; }},
        {"Edit_autor", [&](const std::string& v) { d.autor = v; }},
        {"edit_data", [&](const std::string& v) { d.data = v; }},
        {"memo_comentario", [&](const std::string& v) { d.comentario = v; }},
        {"edit_tableprefix", [&](const std::string& v) { d.tablePrefix = v; }},
        {"edit_tablesufix", [&](const std::string& v) { d.tableSufix = v; }},
        {"edit_tableextension", [&](const std::string& v) { d.tableExtension = v; }},
        {"edit_parparentclass", [&](const std::string& v) { d.parentClass = v; }},
        {"edit_parprefix", [&](const std::string& v) { d.parPrefix = v; }},
        {"edit_parsufix", [&](const std::string& v) { d.parSufix = v; }},
        {"edit_parextension", [&](const std::string& v) { d.parExtension = v; }},
        {"edit_makeprefix", [&](const std::string& v) { d.makePrefix = v; }},
        {"edit_makeextension", [&](const std::string& v) { d.makeExtension = v; }},
        {"re_classeobjeto", [&](const std::string& v) { d.classeObjeto = v; }},
        {"re_classepai", [&](const std::string& v) { d.classePai = v; }},
        {"re_make", [&](const std::string& v) { d.make = v; }},
        {"cb_fname", [&](const std::string& v) { d.nomePorAlias = Marca(v); }},
    };
    Aplica(descricao, chaves,
           [&](const std::string&, const fs::path& tipos) { d.tipos = TiposEstritos(tipos); });
    return d.getArquivo();
}

TArquivoKMF ModeloGeral(const std::string& descricao) {
    TDocModeloGeral d;
    const std::map<std::string, TAtribuidor> chaves = {
        {"edit_typesfile", [&](const std::string& v) { d.arquivoTipos = v; }},
        {"re_classeobjeto", [&](const std::string& v) { d.classeObjeto = v; }},
        {"edit_makeprefix", [&](const std::string& v) { d.makePrefix = v; }},
        {"edit_tableprefix", [&](const std::string& v) { d.tablePrefix = v; }},
        {"edit_tablesufix", [&](const std::string& v) { d.tableSufix = v; }},
        {"edit_makeextension", [&](const std::string& v) { d.makeExtension = v; }},
        {"rg_file", [&](const std::string& v) { d.arquivoUnico = ParaInteiro(v); }},
        {"edit_parparentclass", [&](const std::string& v) { d.parentClass = v; }},
        {"cb_fname", [&](const std::string& v) { d.nomePorAlias = Marca(v); }},
    };
    Aplica(descricao, chaves, [](const std::string& chave, const fs::path&) {
        throw EErroGeral::Create("Unknown Key \"" + chave + "\"");
    });
    return d.getArquivo();
}

TArquivoKMF Geracao(const std::string& descricao) {
    TDocGeracao d;
    d.data = DataAtual();
    const std::map<std::string, TAtribuidor> chaves = {
        {"Edit_nome", [&](const std::string& v) { d.nome = v; }},
        {"Edit_autor", [&](const std::string& v) { d.autor = v; }},
        {"edit_data", [&](const std::string& v) { d.data = v; }},
        {"memo_comentario", [&](const std::string& v) { d.comentario = v; }},
        {"edit_mapfile", [&](const std::string& v) { d.arquivoMapeamento = v; }},
        {"pathraiz", [&](const std::string& v) { d.pathRaiz = v; }},
        {"pathmontado", [&](const std::string& v) { d.pathMontado = v; }},
        {"gerdir", [&](const std::string& v) { d.diretorioGeracao = v; }},
        {"cb_fendril", [&](const std::string& v) { d.modelosTabela.push_back(Modelo(v)); }},
        {"cb_templ", [&](const std::string& v) { d.modelosGerais.push_back(Modelo(v)); }},
    };
    Aplica(descricao, chaves, [](const std::string& chave, const fs::path&) {
        throw EErroGeral::Create("Unknown Key \"" + chave + "\"");
    });
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
