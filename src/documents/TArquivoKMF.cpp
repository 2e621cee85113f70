#include "documents/TArquivoKMF.h"

#include "documents/Embaralhamento.h"
#include "model/ArquivoTexto.h"
#include "model/Erros.h"

namespace fendril {

namespace {

constexpr std::string_view Separador = "||";

// First byte of an escaped value, and the byte that starts each escape pair in it.
constexpr char Escape = '\x1B';

// A value that holds the separator, ends with "|" (it would merge with the separator that
// follows it) or starts with the escape byte (it would read as escaped) is stored escaped.
bool PrecisaEscape(std::string_view valor) {
    if (valor.empty()) {
        return false;
    }
    return valor.find(Separador) != std::string_view::npos || valor.back() == '|' ||
           valor.front() == Escape;
}

// 0x1B, then the value with 0x1B written as 0x1B '1' and "|" as 0x1B '2': the result holds
// no "|" at all.
std::string Escapa(std::string_view valor) {
    std::string escapado;
    escapado.reserve(valor.size() + 8);
    escapado.push_back(Escape);
    for (const char c : valor) {
        if (c == Escape) {
            escapado.push_back(Escape);
            escapado.push_back('1');
        } else if (c == '|') {
            escapado.push_back(Escape);
            escapado.push_back('2');
        } else {
            escapado.push_back(c);
        }
    }
    return escapado;
}

// Undoes Escapa on a field that starts with 0x1B. A pair that Escapa never writes is kept
// as it stands.
std::string Desescapa(std::string_view campo) {
    std::string valor;
    valor.reserve(campo.size());
    for (std::size_t i = 1; i < campo.size(); ++i) {
        const char c = campo[i];
        if (c == Escape && i + 1 < campo.size() && (campo[i + 1] == '1' || campo[i + 1] == '2')) {
            valor.push_back(campo[i + 1] == '1' ? Escape : '|');
            ++i;
        } else {
            valor.push_back(c);
        }
    }
    return valor;
}

} // namespace

void TArquivoKMF::AdicionaEntrada(std::string_view secao, std::string_view chave,
                                  std::string_view valor) {
    std::string linha;
    linha.reserve(secao.size() + chave.size() + valor.size() + 3 * Separador.size());
    linha.append(secao);
    linha.append(Separador);
    linha.append(chave);
    linha.append(Separador);
    if (PrecisaEscape(valor)) {
        linha.append(Escapa(valor));
    } else {
        linha.append(valor);
    }
    linha.append(Separador);
    m_linhas.push_back(std::move(linha));
}

void TArquivoKMF::AdicionaLinha(std::string_view secao, std::string_view dados) {
    std::string linha;
    linha.reserve(secao.size() + Separador.size() + dados.size());
    linha.append(secao);
    linha.append(Separador);
    linha.append(dados);
    m_linhas.push_back(std::move(linha));
}

TListaTextos TArquivoKMF::LeSecao(std::string_view secao, std::string_view chave,
                                  bool resto) const {
    TListaTextos resultado;
    ParaCadaValor(secao, chave, resto,
                  [&resultado](std::string&& valor) { resultado.push_back(std::move(valor)); });
    return resultado;
}

void TArquivoKMF::ParaCadaValor(std::string_view secao, std::string_view chave, bool resto,
                                const std::function<void(std::string&&)>& recebe) const {
    // Each line is cut with "||" appended, as SeparaCampos would cut it; the fields are
    // located in place and only the answer is copied.
    std::string texto;
    for (const std::string& linha : m_linhas) {
        texto.assign(linha);
        texto.append(Separador);
        const std::string_view campos = texto;

        // Field 0 always exists: the text ends with the separator.
        const std::size_t fim0 = campos.find(Separador);
        if (!secao.empty() && campos.substr(0, fim0) != secao) {
            continue;
        }
        const std::size_t inicio1 = fim0 + Separador.size();
        const std::size_t fim1 = campos.find(Separador, inicio1);
        if (!chave.empty()) {
            if (fim1 == std::string_view::npos) {
                throw EListError(1);
            }
            if (campos.substr(inicio1, fim1 - inicio1) != chave) {
                continue;
            }
        }

        if (!resto) {
            if (fim1 == std::string_view::npos) {
                throw EListError(2);
            }
            const std::size_t inicio2 = fim1 + Separador.size();
            const std::size_t fim2 = campos.find(Separador, inicio2);
            if (fim2 == std::string_view::npos) {
                throw EListError(2);
            }
            const std::string_view valor = campos.substr(inicio2, fim2 - inicio2);
            if (!valor.empty() && valor.front() == Escape) {
                recebe(Desescapa(valor));
            } else {
                recebe(std::string(valor));
            }
        } else {
            // Every field from 1 on, each followed by "||": the text from field 1 to the end
            // of the last separator found.
            std::size_t fimUltimo = inicio1;
            for (std::size_t pos = campos.find(Separador, inicio1); pos != std::string_view::npos;
                 pos = campos.find(Separador, fimUltimo)) {
                fimUltimo = pos + Separador.size();
            }
            recebe(std::string(campos.substr(inicio1, fimUltimo - inicio1)));
        }
    }
}

std::string TArquivoKMF::LePrimeiro(std::string_view secao, std::string_view chave) const {
    TListaTextos valores = LeSecao(secao, chave, false);
    if (valores.empty()) {
        // The list's own failure, saying which entry the document lacks.
        std::string pedido;
        pedido.append(secao).append(Separador).append(chave);
        throw EListError(0, pedido);
    }
    return std::move(valores.front());
}

void TArquivoKMF::Salva(const std::string& caminho) {
    // A line break in the header would split it over two lines of the file, and its second
    // part would be read as the seed, so such breaks are written as spaces.
    std::string primeira = cabecalho;
    for (char& c : primeira) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    // The key is made first: a document too large to be keyed fails before any file is
    // touched. The lines are then enciphered one at a time as the file is written.
    TEmbaralhamento embaralhamento(m_linhas, primeira);
    TModoGravacao modo;
    modo.privado = privado;
    const std::size_t barra = caminho.rfind('/');
    RemoveTemporariosAbandonados(barra == std::string::npos ? std::string()
                                                            : caminho.substr(0, barra + 1));
    try {
        GravaLinhasGeradas(
            caminho,
            [&embaralhamento](std::string& linha) { return embaralhamento.Proxima(linha); }, modo);
    } catch (const EFalhaGravacao& falha) {
        throw EErroGeral::Create("Não Foi Possível Salvar: " + caminho + " (" + falha.motivo() +
                                 ")");
    }
}

void TArquivoKMF::Abre(const std::string& caminho) {
    // Each line is deciphered as it is read: neither the file's text nor its lines are held
    // beside the document.
    TDesembaralhamento desembaralhamento;
    LeLinhasArquivo(caminho, [&desembaralhamento](std::string_view linha) {
        desembaralhamento.Acrescenta(linha);
    });
    m_linhas = desembaralhamento.Conclui();
    // The header is never checked, but keeping it lets a document be shown or saved again
    // as it was.
    cabecalho = desembaralhamento.cabecalho();
}

bool TArquivoKMF::LeAte(const std::string& caminho,
                        const std::function<bool(const TArquivoKMF&)>& basta) {
    // Thrown from inside the reading to leave the file once the answer is true.
    struct TBastou {};
    TDesembaralhamento desembaralhamento;
    TArquivoKMF linha;
    try {
        LeLinhasArquivo(caminho, [&](std::string_view lida) {
            desembaralhamento.Acrescenta(lida);
            desembaralhamento.DecifraPendentes();
            for (std::string& decifrada : desembaralhamento.TiraDecifradas()) {
                linha.m_linhas.assign(1, std::move(decifrada));
                if (basta(linha)) {
                    throw TBastou{};
                }
            }
        });
    } catch (const TBastou&) {
        return true;
    }
    // A file without its seed line fails here, as Abre fails.
    desembaralhamento.Conclui();
    return false;
}

} // namespace fendril
