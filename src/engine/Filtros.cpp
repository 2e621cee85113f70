#include "engine/Filtros.h"

#include "model/NameForms.h"

#include <iterator>

namespace fendril {

const std::string_view kNomesFiltros[12] = {"upper",    "lower", "pascal", "camel",
                                            "snake",    "kebab", "macro",  "plural",
                                            "singular", "ident", "sql",    "str"};

bool LeCadeiaFiltros(std::string_view texto, TCadeiaFiltros& cadeia,
                     std::string_view* desconhecido) {
    cadeia.clear();
    for (;;) {
        const std::size_t fim = texto.find(':');
        const std::string_view nome = texto.substr(0, fim);
        std::size_t achado = std::size(kNomesFiltros);
        for (std::size_t i = 0; i < std::size(kNomesFiltros); ++i) {
            if (kNomesFiltros[i] == nome) {
                achado = i;
                break;
            }
        }
        if (achado == std::size(kNomesFiltros)) {
            if (desconhecido != nullptr) {
                *desconhecido = nome;
            }
            cadeia.clear();
            return false;
        }
        cadeia.push_back(static_cast<TFiltro>(achado));
        if (fim == std::string_view::npos) {
            return true;
        }
        texto.remove_prefix(fim + 1);
    }
}

std::string AplicaFiltros(const TCadeiaFiltros& cadeia, std::string_view valor,
                          std::size_t tamanhoEsquema,
                          const std::function<bool(std::string_view)>& reservada) {
    // The parts of the value: the schema and the name of a qualified name, or the whole.
    std::vector<std::string> partes;
    if (tamanhoEsquema > 0 && tamanhoEsquema < valor.size() && valor[tamanhoEsquema] == '.') {
        partes = {std::string(valor.substr(0, tamanhoEsquema)),
                  std::string(valor.substr(tamanhoEsquema + 1))};
    } else {
        partes = {std::string(valor)};
    }
    const auto juntas = [&partes] {
        std::string texto = partes.front();
        for (std::size_t i = 1; i < partes.size(); ++i) {
            texto.append(".").append(partes[i]);
        }
        return texto;
    };
    const auto cadaParte = [&partes](std::string (*forma)(std::string_view)) {
        for (std::string& parte : partes) {
            parte = forma(parte);
        }
    };
    const auto inteiro = [&](std::string texto) { partes = {std::move(texto)}; };
    for (const TFiltro filtro : cadeia) {
        switch (filtro) {
        case TFiltro::upper:
            cadaParte(ToUpperCase);
            break;
        case TFiltro::lower:
            cadaParte(ToLowerCase);
            break;
        case TFiltro::str:
            cadaParte(EscapeStringLiteral);
            break;
        case TFiltro::plural:
            partes.back() = Pluralize(partes.back());
            break;
        case TFiltro::singular:
            partes.back() = Singularize(partes.back());
            break;
        case TFiltro::sql:
            cadaParte(QuoteSqlIdentifier);
            inteiro(juntas());
            break;
        case TFiltro::pascal:
            inteiro(ToPascalCase(juntas()));
            break;
        case TFiltro::camel:
            inteiro(ToCamelCase(juntas()));
            break;
        case TFiltro::snake:
            inteiro(ToSnakeCase(juntas()));
            break;
        case TFiltro::kebab:
            inteiro(ToKebabCase(juntas()));
            break;
        case TFiltro::macro:
            inteiro(ToMacroCase(juntas()));
            break;
        case TFiltro::ident:
            inteiro(SafeIdentifier(juntas(), reservada));
            break;
        }
    }
    return juntas();
}

} // namespace fendril
