#include "generation/FusaoTextos.h"

#include "model/Erros.h"

#include <git2.h>
#include <memory>
#include <mutex>

namespace fendril {

namespace {

// libgit2 sets up its allocator and error slots once per process; it is never shut down,
// as other parts of a program may use it too.
void IniciaBiblioteca() {
    static std::once_flag iniciada;
    std::call_once(iniciada, [] { git_libgit2_init(); });
}

[[noreturn]] void Falha(const std::string& acao) {
    const git_error* erro = git_error_last();
    throw EErroGeral::Create(
        acao + ": " +
        (erro != nullptr && erro->message != nullptr ? erro->message : "Unknown Error"));
}

// A file name as a marker or header shows it: one line, whatever the name holds.
std::string NomeDeUmaLinha(const std::string& nome) {
    std::string linha = nome;
    for (char& c : linha) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = '?';
        }
    }
    return linha;
}

struct LiberaPatch {
    void operator()(git_patch* patch) const { git_patch_free(patch); }
};

} // namespace

std::string DiferencaUnificada(const std::string* antes, std::string_view depois,
                               const std::string& nome) {
    IniciaBiblioteca();
    if (antes != nullptr && *antes == depois) {
        return {};
    }
    const std::string caminho = NomeDeUmaLinha(nome);
    // The library's own initialisers, rather than its macros, fill every field.
    git_diff_options opcoes;
    git_diff_options_init(&opcoes, GIT_DIFF_OPTIONS_VERSION);
    git_patch* bruto = nullptr;
    if (git_patch_from_buffers(&bruto, antes ? antes->data() : nullptr, antes ? antes->size() : 0,
                               caminho.c_str(), depois.data(), depois.size(), caminho.c_str(),
                               &opcoes) != 0) {
        Falha("Could Not Compare " + caminho);
    }
    const std::unique_ptr<git_patch, LiberaPatch> patch(bruto);
    git_buf texto = GIT_BUF_INIT;
    if (git_patch_to_buf(&texto, patch.get()) != 0) {
        Falha("Could Not Compare " + caminho);
    }
    std::string diferenca(texto.ptr, texto.size);
    git_buf_dispose(&texto);
    return diferenca;
}

TFusao FundeTextos(std::string_view base, std::string_view editado, std::string_view gerado,
                   const std::string& nome) {
    IniciaBiblioteca();
    const std::string caminho = NomeDeUmaLinha(nome);
    const std::string rotuloEditado = caminho + " (edited)";
    const std::string rotuloGerado = caminho + " (generated)";
    const auto entrada = [](std::string_view texto) {
        git_merge_file_input e;
        git_merge_file_input_init(&e, GIT_MERGE_FILE_INPUT_VERSION);
        e.ptr = texto.data();
        e.size = texto.size();
        return e;
    };
    const git_merge_file_input ancestral = entrada(base);
    const git_merge_file_input nosso = entrada(editado);
    const git_merge_file_input deles = entrada(gerado);
    git_merge_file_options opcoes;
    git_merge_file_options_init(&opcoes, GIT_MERGE_FILE_OPTIONS_VERSION);
    opcoes.our_label = rotuloEditado.c_str();
    opcoes.their_label = rotuloGerado.c_str();
    opcoes.flags = GIT_MERGE_FILE_STYLE_MERGE;
    git_merge_file_result resultado{};
    if (git_merge_file(&resultado, &ancestral, &nosso, &deles, &opcoes) != 0) {
        Falha("Could Not Merge " + caminho);
    }
    TFusao fusao;
    fusao.texto.assign(resultado.ptr != nullptr ? resultado.ptr : "", resultado.len);
    const bool automatica = resultado.automergeable != 0;
    git_merge_file_result_free(&resultado);
    if (automatica) {
        return fusao;
    }
    // Where each conflict starts: its opening marker, which names the edited side.
    const std::string abertura = "<<<<<<< " + rotuloEditado;
    std::size_t linha = 1;
    for (std::size_t inicio = 0; inicio < fusao.texto.size(); ++linha) {
        std::size_t fim = fusao.texto.find('\n', inicio);
        if (fim == std::string::npos) {
            fim = fusao.texto.size();
        }
        std::string_view texto(fusao.texto.data() + inicio, fim - inicio);
        if (texto.ends_with('\r')) {
            texto.remove_suffix(1);
        }
        if (texto == abertura) {
            fusao.conflitos.push_back(linha);
        }
        inicio = fim + 1;
    }
    // Content the library takes for binary is not merged at all: it gives no text.
    if (fusao.conflitos.empty()) {
        throw EErroGeral::Create("Could Not Merge " + caminho + ": It Holds Binary Content");
    }
    return fusao;
}

} // namespace fendril
