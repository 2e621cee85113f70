#include "documents/TDocModelos.h"

#include "model/ArquivoTexto.h"
#include "model/Erros.h"
#include "model/Textos.h"

namespace fendril {

namespace {

void ExigeAutor(const std::string& autor) {
    if (autor.empty()) {
        throw EErroGeral::Create("An Author Name Must Be Given !!");
    }
}

const char* Marca(bool valor) {
    return valor ? "1" : "0";
}

std::string LinhaTipos(const TLinhaTipos& linha) {
    return linha.tipoProvider + ";" + linha.tipoVariavel + ";" + linha.valorInicial + ";";
}

} // namespace

TArquivoKMF TDocModeloTabela::getArquivo() const {
    ExigeAutor(autor);
    TArquivoKMF documento;
    documento.cabecalho = autor;
    documento.AdicionaEntrada("descricao", "Edit_nome", nome);
    documento.AdicionaEntrada("descricao", "Edit_autor", autor);
    documento.AdicionaEntrada("descricao", "edit_data", data);
    documento.AdicionaEntrada("descricao", "memo_comentario", comentario);
    documento.AdicionaEntrada("codigo", "edit_tableprefix", tablePrefix);
    documento.AdicionaEntrada("codigo", "edit_tablesufix", tableSufix);
    documento.AdicionaEntrada("codigo", "edit_tableextension", tableExtension);
    documento.AdicionaEntrada("codigo", "edit_parparentclass", parentClass);
    documento.AdicionaEntrada("codigo", "edit_parprefix", parPrefix);
    documento.AdicionaEntrada("codigo", "edit_parsufix", parSufix);
    documento.AdicionaEntrada("codigo", "edit_parextension", parExtension);
    documento.AdicionaEntrada("codigo", "edit_makeprefix", makePrefix);
    documento.AdicionaEntrada("codigo", "edit_makeextension", makeExtension);
    documento.AdicionaEntrada("codigo", "re_classeobjeto", classeObjeto);
    documento.AdicionaEntrada("codigo", "re_classepai", classePai);
    documento.AdicionaEntrada("codigo", "re_make", make);
    documento.AdicionaEntrada("codigo", "cb_fname", Marca(nomePorAlias));
    for (const TLinhaTipos& linha : tipos) {
        documento.AdicionaEntrada("tb_tipos", "tipos", LinhaTipos(linha));
    }
    return documento;
}

void TDocModeloTabela::setArquivo(const TArquivoKMF& documento) {
    nome = documento.LePrimeiro("descricao", "Edit_nome");
    autor = documento.LePrimeiro("descricao", "Edit_autor");
    data = documento.LePrimeiro("descricao", "edit_data");
    comentario = documento.LePrimeiro("descricao", "memo_comentario");
    tablePrefix = documento.LePrimeiro("codigo", "edit_tableprefix");
    tableSufix = documento.LePrimeiro("codigo", "edit_tablesufix");
    tableExtension = documento.LePrimeiro("codigo", "edit_tableextension");
    parentClass = documento.LePrimeiro("codigo", "edit_parparentclass");
    parPrefix = documento.LePrimeiro("codigo", "edit_parprefix");
    parSufix = documento.LePrimeiro("codigo", "edit_parsufix");
    parExtension = documento.LePrimeiro("codigo", "edit_parextension");
    makePrefix = documento.LePrimeiro("codigo", "edit_makeprefix");
    makeExtension = documento.LePrimeiro("codigo", "edit_makeextension");
    classeObjeto = documento.LePrimeiro("codigo", "re_classeobjeto");
    classePai = documento.LePrimeiro("codigo", "re_classepai");
    make = documento.LePrimeiro("codigo", "re_make");
    nomePorAlias = documento.LePrimeiro("codigo", "cb_fname") == "1";

    const TListaTextos linhas = documento.LeSecao("tb_tipos", "tipos", false);
    if (linhas.empty()) {
        return;
    }
    std::vector<TLinhaTipos> lidas;
    lidas.reserve(linhas.size());
    for (const std::string& linha : linhas) {
        const TListaTextos campos = SeparaCampos(linha, ";");
        lidas.push_back({ItemDaLista(campos, 0), ItemDaLista(campos, 1), ItemDaLista(campos, 2)});
    }
    tipos = std::move(lidas);
}

TArquivoKMF TDocModeloGeral::getArquivo() const {
    TArquivoKMF documento;
    documento.AdicionaEntrada("codigo", "edit_typesfile", arquivoTipos);
    documento.AdicionaEntrada("codigo", "re_classeobjeto", classeObjeto);
    documento.AdicionaEntrada("codigo", "edit_makeprefix", makePrefix);
    documento.AdicionaEntrada("codigo", "edit_tableprefix", tablePrefix);
    documento.AdicionaEntrada("codigo", "edit_tablesufix", tableSufix);
    documento.AdicionaEntrada("codigo", "edit_makeextension", makeExtension);
    documento.AdicionaEntrada("codigo", "rg_file", std::to_string(arquivoUnico));
    documento.AdicionaEntrada("codigo", "edit_parparentclass", parentClass);
    documento.AdicionaEntrada("codigo", "cb_fname", Marca(nomePorAlias));
    return documento;
}

void TDocModeloGeral::setArquivo(const TArquivoKMF& documento) {
    arquivoUnico = ParaInteiro(documento.LePrimeiro("codigo", "rg_file"));
    arquivoTipos = documento.LePrimeiro("codigo", "edit_typesfile");
    classeObjeto = documento.LePrimeiro("codigo", "re_classeobjeto");
    makePrefix = documento.LePrimeiro("codigo", "edit_makeprefix");
    tablePrefix = documento.LePrimeiro("codigo", "edit_tableprefix");
    tableSufix = documento.LePrimeiro("codigo", "edit_tablesufix");
    makeExtension = documento.LePrimeiro("codigo", "edit_makeextension");
    parentClass = documento.LePrimeiro("codigo", "edit_parparentclass");
    nomePorAlias = documento.LePrimeiro("codigo", "cb_fname") == "1";
}

TArquivoKMF TDocGeracao::getArquivo() const {
    ExigeAutor(autor);
    TArquivoKMF documento;
    documento.cabecalho = autor;
    documento.AdicionaEntrada("descricao", "Edit_nome", nome);
    documento.AdicionaEntrada("descricao", "Edit_autor", autor);
    documento.AdicionaEntrada("descricao", "edit_data", data);
    documento.AdicionaEntrada("descricao", "memo_comentario", comentario);
    documento.AdicionaEntrada("geracao", "edit_mapfile", arquivoMapeamento);
    documento.AdicionaEntrada("geracao", "pathraiz", pathRaiz);
    documento.AdicionaEntrada("geracao", "pathmontado", pathMontado);
    documento.AdicionaEntrada("geracao", "gerdir", diretorioGeracao);
    for (const TModeloMarcado& modelo : modelosTabela) {
        documento.AdicionaEntrada("geracao", "cb_fendril",
                                  modelo.caminho + ";" + Marca(modelo.marcado) + ";");
    }
    for (const TModeloMarcado& modelo : modelosGerais) {
        documento.AdicionaEntrada("geracao", "cb_templ",
                                  modelo.caminho + ";" + Marca(modelo.marcado) + ";");
    }
    return documento;
}

namespace {

std::vector<TModeloMarcado> LeModelos(const TArquivoKMF& documento, std::string_view chave) {
    std::vector<TModeloMarcado> modelos;
    for (const std::string& valor : documento.LeSecao("geracao", chave, false)) {
        const TListaTextos campos = SeparaCampos(valor, ";");
        if (!campos.empty()) {
            modelos.push_back({campos[0], campos.size() < 2 || campos[1] != "0"});
        }
    }
    return modelos;
}

} // namespace

void TDocGeracao::setArquivo(const TArquivoKMF& documento) {
    nome = documento.LePrimeiro("descricao", "Edit_nome");
    autor = documento.LePrimeiro("descricao", "Edit_autor");
    data = documento.LePrimeiro("descricao", "edit_data");
    comentario = documento.LePrimeiro("descricao", "memo_comentario");
    pathRaiz = documento.LePrimeiro("geracao", "pathraiz");
    pathMontado = documento.LePrimeiro("geracao", "pathmontado");
    diretorioGeracao = documento.LePrimeiro("geracao", "gerdir");
    arquivoMapeamento = documento.LePrimeiro("geracao", "edit_mapfile");
    modelosTabela = LeModelos(documento, "cb_fendril");
    modelosGerais = LeModelos(documento, "cb_templ");
}

std::vector<TLinhaTipos> CarregaArquivoTipos(const std::string& caminho) {
    const TListaTextos linhas = LeLinhasTexto(caminho);
    std::vector<TLinhaTipos> tipos(linhas.size());
    for (std::size_t k = 0; k < linhas.size(); ++k) {
        const TListaTextos campos = SeparaCampos(linhas[k], ";");
        if (campos.size() < 3) {
            break;
        }
        tipos[k] = {campos[0], campos[1], campos[2]};
    }
    return tipos;
}

} // namespace fendril
