// Feeds arbitrary bytes to every reader of stored or user-written text: opening a
// section document, querying it, decoding column lines, checking and expanding a template.
#include "documents/TArquivoKMF.h"
#include "engine/TMontaCodigo.h"
#include "model/TColuna.h"
#include "model/TControlaColunas.h"

#include <cstdint>
#include <cstdio>
#include <exception>
#include <string>
#include <unistd.h>

namespace {

using namespace fendril;

TListaTextos Linhas(const std::string& texto) {
    TListaTextos linhas;
    std::size_t inicio = 0;
    while (inicio <= texto.size()) {
        const std::size_t fim = texto.find('\n', inicio);
        linhas.push_back(texto.substr(inicio, fim == std::string::npos ? fim : fim - inicio));
        if (fim == std::string::npos) {
            break;
        }
        inicio = fim + 1;
    }
    return linhas;
}

void AbreComoArquivo(const std::string& bytes) {
    char caminho[] = "/tmp/fendril-fuzz-XXXXXX";
    const int descritor = mkstemp(caminho);
    if (descritor < 0) {
        return;
    }
    const bool escrito =
        write(descritor, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    close(descritor);
    if (escrito) {
        try {
            TArquivoKMF documento;
            documento.Abre(caminho);
            documento.LeSecao("", "", false);
            documento.LeSecao("descricao", "", true);
        } catch (const std::exception&) {
        }
    }
    unlink(caminho);
}

// A small mapping: two tables, one with a primary key, a foreign key and a date column.
void Preenche(TControlaColunas& c) {
    c.Redimensiona(4);
    const char* nomes[] = {"id", "name", "customer_id", "created"};
    for (std::size_t i = 0; i < 4; ++i) {
        TColuna& coluna = *c.getColunas()[i];
        coluna.nome = nomes[i];
        coluna.getTabela().nome = i < 2 ? "customers" : "orders";
        coluna.getTabela().esquema = i < 2 ? "dbo" : "";
        coluna.getTipoDado().nome = i == 1 ? "varchar" : "int";
        coluna.getTipoDado().precisaoDataHora = i == 3 ? 3 : -1;
    }
    c.getColunas()[0]->setChavePrimaria(1);
    c.getColunas()[2]->chaveEstrangeira = true;
    c.getColunas()[2]->CopiaColunaEstrangeira(*c.getColunas()[0]);
}

const TControlaColunas& ConjuntoFixo() {
    static TControlaColunas conjunto;
    static const bool preenchido = (Preenche(conjunto), true);
    (void)preenchido;
    return conjunto;
}

// Block expansion multiplies with nesting depth by design, so only templates with a few
// blocks are expanded: the fuzzer looks for crashes and hangs, not for large outputs.
bool PoucosBlocos(const std::string& texto) {
    int blocos = 0;
    for (const char* tag : {"<rctable>", "<simplecol>", "<prkcol>", "<frkcol>", "<coldatetype>"}) {
        blocos += TMontaCodigo::ContaTag(texto, tag);
    }
    return blocos <= 6;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    const std::string bytes(reinterpret_cast<const char*>(dados), tamanho);
    AbreComoArquivo(bytes);

    const TListaTextos linhas = Linhas(bytes);
    TArquivoKMF documento;
    documento.getLinhas() = linhas;
    documento.LeSecao("", "", true);
    try {
        documento.LeSecao("", "", false);
    } catch (const std::exception&) {
    }

    for (const std::string& linha : linhas) {
        try {
            TColuna coluna;
            coluna.Decodifica(linha);
            TColuna copia;
            copia.Decodifica(coluna.Codifica());
        } catch (const std::exception&) {
        }
    }

    try {
        TMontaCodigo::VerificaTags(bytes);
    } catch (const std::exception&) {
    }
    if (PoucosBlocos(bytes)) {
        TMontaCodigo motor;
        motor.AdicionaTipos({"int;Integer;0;", "varchar;String;;"});
        motor.setControlaColunas(&ConjuntoFixo());
        motor.nomeBaseDados = "shop";
        motor.classePai = "Base";
        try {
            motor.AdicionaModelo(linhas);
            motor.Monta();
        } catch (const std::exception&) {
        }
    }
    return 0;
}
