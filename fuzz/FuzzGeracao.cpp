// Runs whole generations from arbitrary bytes: the input is cut at lines "=====" into a
// mapping document, a table-class template and a general template (each given line by line,
// so that lines no window would write reach the run) and a types file; a second run merges
// hand edits of every file into its output. Every failure must be logged by the run;
// anything that escapes it is a fault.
#include "documents/TArquivoKMF.h"
#include "engine/TMontaCodigo.h"
#include "generation/TProcessaGeracao.h"
#include "model/ArquivoTexto.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace fendril;

std::vector<std::string> Partes(const std::string& bytes) {
    constexpr std::string_view Separador = "\n=====\n";
    std::vector<std::string> partes;
    std::size_t inicio = 0;
    while (partes.size() < 3) {
        const std::size_t fim = bytes.find(Separador, inicio);
        if (fim == std::string::npos) {
            break;
        }
        partes.push_back(bytes.substr(inicio, fim - inicio));
        inicio = fim + Separador.size();
    }
    partes.push_back(bytes.substr(inicio));
    partes.resize(4);
    return partes;
}

void SalvaDocumento(const std::string& linhas, const std::string& caminho) {
    TArquivoKMF documento;
    documento.cabecalho = "fuzz";
    documento.getLinhas() = CortaLinhasLF(linhas);
    documento.Salva(caminho);
}

// Expansion multiplies with the nesting of blocks and the number of columns by design; the
// run's output limit stops it, and inputs with many of either are left out all the same, so
// that each run stays fast: the fuzzer looks for crashes, not for large outputs.
bool Pequeno(const std::vector<std::string>& partes) {
    int blocos = 0;
    for (const std::string& parte : {partes[1], partes[2]}) {
        for (const char* tag :
             {"<rctable>", "<simplecol>", "<prkcol>", "<frkcol>", "<coldatetype>"}) {
            blocos += TMontaCodigo::ContaTag(parte, tag);
        }
    }
    std::size_t colunas = 0;
    for (std::size_t p = partes[0].find("TColuna"); p != std::string::npos;
         p = partes[0].find("TColuna", p + 1)) {
        ++colunas;
    }
    return blocos <= 8 && colunas <= 32;
}

std::string PastaBase() {
    // A file system in memory when there is one: every run writes several files.
    std::error_code erro;
    return fs::is_directory("/dev/shm", erro) ? "/dev/shm" : fs::temp_directory_path().string();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    const std::vector<std::string> partes =
        Partes(std::string(reinterpret_cast<const char*>(dados), tamanho));
    if (!Pequeno(partes)) {
        return 0;
    }
    static const std::string base = PastaBase();
    std::string modelo = base + "/fendril-fuzz-generation-XXXXXX";
    if (mkdtemp(modelo.data()) == nullptr) {
        return 0;
    }
    const fs::path pasta = modelo;
    fs::create_directory(pasta / "out");
    SalvaDocumento(partes[0], (pasta / "map.kmf").string());
    SalvaDocumento(partes[1], (pasta / "t.tpt").string());
    SalvaDocumento(partes[2], (pasta / "g.tpg").string());
    GravaLinhasTexto((pasta / "types.txt").string(), CortaLinhasLF(partes[3]),
                     TDurabilidade::Completo);

    const auto executa = [&pasta](bool fundeEdicoes) {
        TProcessaGeracao run;
        run.caminhoMapeamento = (pasta / "map.kmf").string();
        run.diretorioGeracao = (pasta / "out").string();
        run.AdicionaModelosTabela({(pasta / "t.tpt").string()});
        run.AdicionaModelosGerais({(pasta / "g.tpg").string()});
        run.perguntaSobrescrita = [](const std::string&) { return std::string("mr_yesall"); };
        run.fundeEdicoes = fundeEdicoes;
        run.limiteSaida = std::size_t{1} << 20;
        if (run.Prepara()) {
            run.ListaArquivos();
            run.Executa();
        }
    };
    executa(false);
    // Every file edited by hand, then a second run that merges the edits into its output.
    std::error_code erroLista;
    std::vector<std::string> gerados;
    for (const auto& entrada : fs::directory_iterator(pasta / "out", erroLista)) {
        if (entrada.is_regular_file() && entrada.path().filename() != "log.txt") {
            gerados.push_back(entrada.path().string());
        }
    }
    for (const std::string& gerado : gerados) {
        GravaLinhasTexto(gerado, {"edited", partes[3]}, TDurabilidade::Completo);
    }
    executa(true);
    std::error_code erro;
    fs::remove_all(pasta, erro);
    return 0;
}
