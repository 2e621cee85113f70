#include "schema/DocumentoMapeamento.h"

#include "documents/ColunasDocumento.h"
#include "model/Erros.h"

namespace fendril {

namespace {

const char* const kDescricao = "descricao";
const char* const kColunas = "tabelasecolunas";
const char* const kTipos = "tipos";
const char* const kTiposProvider = "tiposprovider";

} // namespace

TArquivoKMF MontaDocumentoMapeamento(const TDescricaoMapeamento& descricao) {
    if (descricao.Edit_autor.empty()) {
        throw EErroGeral::Create("An Author Name Must Be Given !!");
    }
    TArquivoKMF documento;
    documento.cabecalho = descricao.Edit_autor;
    // A mapping that keeps its password is readable by its owner only.
    documento.privado = !descricao.edit_Senha.empty();
    documento.AdicionaEntrada(kDescricao, "Edit_nome", descricao.Edit_nome);
    documento.AdicionaEntrada(kDescricao, "Edit_autor", descricao.Edit_autor);
    documento.AdicionaEntrada(kDescricao, "edit_data", descricao.edit_data);
    documento.AdicionaEntrada(kDescricao, "edit_constring", descricao.edit_constring);
    documento.AdicionaEntrada(kDescricao, "edit_usuario", descricao.edit_usuario);
    documento.AdicionaEntrada(kDescricao, "edit_Senha", descricao.edit_Senha);
    documento.AdicionaEntrada(kDescricao, "combo_basedados", descricao.combo_basedados);
    if (descricao.controlaColunas) {
        const TControlaColunas& colunas = *descricao.controlaColunas;
        // The window writes columns only when its tree shows at least one table.
        if (!colunas.getNomesTabelas().empty()) {
            for (const auto& coluna : colunas.getColunas()) {
                documento.AdicionaLinha(kColunas, coluna->Codifica());
            }
        }
    }
    for (const std::string& tipo : descricao.tiposProvider) {
        documento.AdicionaEntrada(kTipos, kTiposProvider, tipo);
    }
    return documento;
}

TDescricaoMapeamento LeDocumentoMapeamento(const TArquivoKMF& documento) {
    TDescricaoMapeamento descricao;
    const auto le = [&documento](const char* chave) {
        return documento.LePrimeiro(kDescricao, chave);
    };
    descricao.Edit_nome = le("Edit_nome");
    descricao.Edit_autor = le("Edit_autor");
    descricao.edit_data = le("edit_data");
    descricao.edit_constring = le("edit_constring");
    descricao.edit_usuario = le("edit_usuario");
    descricao.edit_Senha = le("edit_Senha");
    descricao.combo_basedados = le("combo_basedados");
    descricao.controlaColunas = LeColunasDocumento(documento);
    descricao.tiposProvider = documento.LeSecao(kTipos, kTiposProvider, false);
    return descricao;
}

} // namespace fendril
