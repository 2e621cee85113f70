#include "schema/StringConexao.h"

#include "model/Textos.h"

namespace fendril {

namespace {

std::string_view Apara(std::string_view texto) {
    while (!texto.empty() && (texto.front() == ' ' || texto.front() == '\t')) {
        texto.remove_prefix(1);
    }
    while (!texto.empty() && (texto.back() == ' ' || texto.back() == '\t')) {
        texto.remove_suffix(1);
    }
    return texto;
}

// Where the pair starting at `inicio` ends (the position of its ";" or the text's end),
// with its key and value.
std::size_t LePar(std::string_view texto, std::size_t inicio, std::string& chave,
                  std::string& valor) {
    const std::size_t igual = texto.find('=', inicio);
    const std::size_t pontoVirgula = texto.find(';', inicio);
    if (igual == std::string_view::npos ||
        (pontoVirgula != std::string_view::npos && pontoVirgula < igual)) {
        const std::size_t fim =
            pontoVirgula == std::string_view::npos ? texto.size() : pontoVirgula;
        chave = std::string(Apara(texto.substr(inicio, fim - inicio)));
        valor.clear();
        return fim;
    }
    chave = std::string(Apara(texto.substr(inicio, igual - inicio)));
    std::size_t i = igual + 1;
    while (i < texto.size() && (texto[i] == ' ' || texto[i] == '\t')) {
        ++i;
    }
    valor.clear();
    if (i < texto.size() && (texto[i] == '"' || texto[i] == '\'')) {
        const char aspa = texto[i++];
        while (i < texto.size()) {
            if (texto[i] == aspa) {
                if (i + 1 < texto.size() && texto[i + 1] == aspa) {
                    valor += aspa;
                    i += 2;
                    continue;
                }
                ++i;
                break;
            }
            valor += texto[i++];
        }
        const std::size_t fim = texto.find(';', i);
        return fim == std::string_view::npos ? texto.size() : fim;
    }
    const std::size_t fim = texto.find(';', i);
    const std::size_t ate = fim == std::string_view::npos ? texto.size() : fim;
    valor = std::string(Apara(texto.substr(i, ate - i)));
    return ate;
}

} // namespace

TStringConexao::TStringConexao(std::string_view texto) {
    std::size_t i = 0;
    while (i < texto.size()) {
        std::string chave;
        std::string valor;
        const std::size_t fim = LePar(texto, i, chave, valor);
        if (!chave.empty()) {
            m_pares.emplace_back(std::move(chave), std::move(valor));
        }
        i = fim + 1;
    }
}

std::optional<std::string> TStringConexao::Valor(std::string_view chave) const {
    for (const auto& [nome, valor] : m_pares) {
        if (MesmoTextoSemCaixa(nome, chave)) {
            return valor;
        }
    }
    return std::nullopt;
}

bool EhProviderSQLite(std::string_view stringConexao) {
    const auto provider = TStringConexao(stringConexao).Valor("Provider");
    return provider && MesmoTextoSemCaixa(*provider, "SQLite");
}

std::string StringODBC(std::string_view stringConexao) {
    std::size_t inicio = 0;
    while (inicio < stringConexao.size() &&
           (stringConexao[inicio] == ' ' || stringConexao[inicio] == '\t')) {
        ++inicio;
    }
    std::string chave;
    std::string valor;
    const std::size_t fim = LePar(stringConexao, inicio, chave, valor);
    if (MesmoTextoSemCaixa(chave, "Provider") &&
        (MesmoTextoSemCaixa(valor, "MSDASQL") || MesmoTextoSemCaixa(valor, "MSDASQL.1"))) {
        return fim >= stringConexao.size() ? std::string()
                                           : std::string(stringConexao.substr(fim + 1));
    }
    return std::string(stringConexao);
}

std::string ValorODBC(std::string_view valor) {
    const bool simples = valor.find_first_of(";{}") == std::string_view::npos &&
                         (valor.empty() || (valor.front() != ' ' && valor.back() != ' '));
    if (simples) {
        return std::string(valor);
    }
    std::string texto = "{";
    for (const char c : valor) {
        texto += c;
        if (c == '}') {
            texto += '}';
        }
    }
    texto += '}';
    return texto;
}

} // namespace fendril

namespace fendril {

std::string LeStringUdl(std::string_view conteudo) {
    std::string texto;
    texto.reserve(conteudo.size());
    for (char c : conteudo)
        if (c != '\0')
            texto.push_back(c);

    // Lines end at CR LF, LF or a lone CR.
    std::vector<std::string_view> linhas;
    const std::string_view vista(texto);
    std::size_t inicio = 0;
    for (std::size_t i = 0; i < vista.size(); ++i) {
        if (vista[i] != '\r' && vista[i] != '\n')
            continue;
        linhas.push_back(vista.substr(inicio, i - inicio));
        if (vista[i] == '\r' && i + 1 < vista.size() && vista[i + 1] == '\n')
            ++i;
        inicio = i + 1;
    }
    if (inicio < vista.size())
        linhas.push_back(vista.substr(inicio));

    std::string resultado;
    bool depoisDoMarcador = false;
    for (std::string_view linha : linhas) {
        if (depoisDoMarcador)
            resultado.append(linha);
        else if (linha == MarcadorUdl)
            depoisDoMarcador = true;
    }
    return resultado;
}

std::string EscreveUdl(std::string_view stringConexao) {
    std::string texto = "[oledb]\r\n";
    texto.append(MarcadorUdl);
    texto.append("\r\n");
    texto.append(stringConexao);
    texto.append("\r\n");
    return texto;
}

} // namespace fendril
