#include "model/NameForms.h"

#include <algorithm>
#include <array>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

namespace fendril {

namespace {

// One character of a UTF-8 text: its code point, or a negative value for a byte that does
// not start a well-formed sequence (which then counts as one byte).
struct TCaractere {
    UChar32 codigo;
    std::size_t tamanho;
};

TCaractere LeCaractere(std::string_view texto, std::size_t i) {
    const auto b = static_cast<unsigned char>(texto[i]);
    if (b < 0x80) {
        return {b, 1};
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(texto.data() + i);
    const auto disponiveis = static_cast<std::int32_t>(std::min<std::size_t>(texto.size() - i, 4));
    std::int32_t posicao = 0;
    UChar32 codigo = 0;
    U8_NEXT(bytes, posicao, disponiveis, codigo);
    if (codigo < 0) {
        return {-1, 1};
    }
    return {codigo, static_cast<std::size_t>(posicao)};
}

void Escreve(std::string& destino, UChar32 codigo) {
    if (codigo < 0x80) {
        destino += static_cast<char>(codigo);
        return;
    }
    std::array<std::uint8_t, 4> bytes{};
    std::int32_t tamanho = 0;
    U8_APPEND_UNSAFE(bytes.data(), tamanho, codigo);
    destino.append(reinterpret_cast<const char*>(bytes.data()), static_cast<std::size_t>(tamanho));
}

bool EhDigito(UChar32 c) {
    return c >= '0' && c <= '9';
}

bool EhLetra(UChar32 c) {
    if (c < 0x80) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    }
    return c > 0 && u_isalpha(c) != 0;
}

bool EhMaiuscula(UChar32 c) {
    if (c < 0x80) {
        return c >= 'A' && c <= 'Z';
    }
    return c > 0 && u_isupper(c) != 0;
}

bool EhMinuscula(UChar32 c) {
    if (c < 0x80) {
        return c >= 'a' && c <= 'z';
    }
    return c > 0 && u_islower(c) != 0;
}

// Each character mapped by `mapa`; bytes of malformed UTF-8 are kept.
template <typename Mapa> void Mapeia(std::string& destino, std::string_view texto, Mapa&& mapa) {
    for (std::size_t i = 0; i < texto.size();) {
        const TCaractere c = LeCaractere(texto, i);
        if (c.codigo < 0) {
            destino += texto[i];
        } else {
            Escreve(destino, mapa(c.codigo));
        }
        i += c.tamanho;
    }
}

UChar32 Maiuscula(UChar32 c) {
    if (c < 0x80) {
        return c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c;
    }
    return u_toupper(c);
}

UChar32 Minuscula(UChar32 c) {
    if (c < 0x80) {
        return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
    }
    return u_tolower(c);
}

// A word with its first character in title case and the rest in lower case.
void EscreveCapitalizada(std::string& destino, std::string_view palavra) {
    const TCaractere primeiro = LeCaractere(palavra, 0);
    if (primeiro.codigo < 0) {
        destino += palavra[0];
    } else {
        Escreve(destino,
                primeiro.codigo < 0x80 ? Maiuscula(primeiro.codigo) : u_totitle(primeiro.codigo));
    }
    Mapeia(destino, palavra.substr(primeiro.tamanho), Minuscula);
}

std::string UneMinusculas(std::string_view nome, char separador, bool maiusculas) {
    std::string resultado;
    resultado.reserve(nome.size() + 4);
    for (const std::string_view palavra : NameWords(nome)) {
        if (!resultado.empty()) {
            resultado += separador;
        }
        Mapeia(resultado, palavra, maiusculas ? Maiuscula : Minuscula);
    }
    return resultado;
}

// --- English plurals --------------------------------------------------------------------

struct TIrregular {
    std::string_view singular;
    std::string_view plural;
};

// Nouns whose plural the rules below do not give, and a few words that look like plurals.
constexpr TIrregular kIrregulares[] = {
    {"person", "people"},
    {"man", "men"},
    {"woman", "women"},
    {"child", "children"},
    {"tooth", "teeth"},
    {"foot", "feet"},
    {"mouse", "mice"},
    {"goose", "geese"},
    {"ox", "oxen"},
    {"leaf", "leaves"},
    {"life", "lives"},
    {"knife", "knives"},
    {"wife", "wives"},
    {"half", "halves"},
    {"shelf", "shelves"},
    {"wolf", "wolves"},
    {"thief", "thieves"},
    {"loaf", "loaves"},
    {"calf", "calves"},
    {"self", "selves"},
    {"hero", "heroes"},
    {"potato", "potatoes"},
    {"tomato", "tomatoes"},
    {"echo", "echoes"},
    {"quiz", "quizzes"},
    {"alias", "aliases"},
    {"bias", "biases"},
    {"canvas", "canvases"},
    {"atlas", "atlases"},
    {"gas", "gases"},
    {"menu", "menus"},
    {"movie", "movies"},
    {"cookie", "cookies"},
    {"cache", "caches"},
    {"criterion", "criteria"},
    {"phenomenon", "phenomena"},
    {"analysis", "analyses"},
    {"crisis", "crises"},
    {"thesis", "theses"},
    {"diagnosis", "diagnoses"},
    {"axis", "axes"},
    {"vertex", "vertices"},
};

// Words that are the same in both forms.
constexpr std::string_view kInvariaveis[] = {
    "data",   "metadata", "media",    "equipment", "information", "news",
    "series", "species",  "sheep",    "fish",      "deer",        "rice",
    "money",  "software", "hardware", "feedback",  "staff",       "music"};

bool Invariavel(std::string_view palavra) {
    return std::find(std::begin(kInvariaveis), std::end(kInvariaveis), palavra) !=
           std::end(kInvariaveis);
}

bool TerminaEm(std::string_view palavra, std::string_view fim) {
    return palavra.size() >= fim.size() && palavra.substr(palavra.size() - fim.size()) == fim;
}

bool Vogal(char c) {
    return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u';
}

std::string Sem(std::string_view palavra, std::size_t n) {
    return std::string(palavra.substr(0, palavra.size() - n));
}

// The plural of a lower-case word by the rules alone.
std::string PluralPorRegra(std::string_view w) {
    for (const TIrregular& irregular : kIrregulares) {
        if (w == irregular.singular) {
            return std::string(irregular.plural);
        }
    }
    if (TerminaEm(w, "sis") || TerminaEm(w, "xis")) {
        return Sem(w, 2) + "es";
    }
    if (TerminaEm(w, "s") || TerminaEm(w, "x") || TerminaEm(w, "z") || TerminaEm(w, "ch") ||
        TerminaEm(w, "sh")) {
        return std::string(w) + "es";
    }
    if (w.size() >= 2 && w.back() == 'y' && !Vogal(w[w.size() - 2])) {
        return Sem(w, 1) + "ies";
    }
    return std::string(w) + "s";
}

// The singular of a lower-case word; the word itself when it is not a plural.
std::string SingularPorRegra(std::string_view w) {
    for (const TIrregular& irregular : kIrregulares) {
        if (w == irregular.plural) {
            return std::string(irregular.singular);
        }
        if (w == irregular.singular) {
            return std::string(w);
        }
    }
    if (w.size() > 3 && TerminaEm(w, "ies")) {
        return Sem(w, 3) + "y";
    }
    if (TerminaEm(w, "sses") || TerminaEm(w, "xes") || TerminaEm(w, "ches") ||
        TerminaEm(w, "shes")) {
        return Sem(w, 2);
    }
    // statuses, buses; but houses, causes.
    if (TerminaEm(w, "uses") && w.size() > 4 && !Vogal(w[w.size() - 5])) {
        return Sem(w, 2);
    }
    if (TerminaEm(w, "ss") || TerminaEm(w, "us") || TerminaEm(w, "is") || !TerminaEm(w, "s")) {
        return std::string(w);
    }
    return Sem(w, 1);
}

std::string Plural(std::string_view w) {
    if (Invariavel(w)) {
        return std::string(w);
    }
    for (const TIrregular& irregular : kIrregulares) {
        if (w == irregular.plural) {
            return std::string(w);
        }
    }
    // A word that is already the plural of its singular stays.
    const std::string singular = SingularPorRegra(w);
    if (singular != w && PluralPorRegra(singular) == w) {
        return std::string(w);
    }
    return PluralPorRegra(w);
}

std::string Singular(std::string_view w) {
    return Invariavel(w) ? std::string(w) : SingularPorRegra(w);
}

// `novo` (lower case) written with the letter case of `original`: all upper-case when the
// original has two or more letters all upper-case, otherwise each character of the common
// beginning keeps its original case.
std::string ComCaixaDe(std::string_view original, const std::string& novo) {
    std::size_t letras = 0;
    bool todasMaiusculas = true;
    for (const char c : original) {
        if (c >= 'a' && c <= 'z') {
            todasMaiusculas = false;
            ++letras;
        } else if (c >= 'A' && c <= 'Z') {
            ++letras;
        }
    }
    if (letras >= 2 && todasMaiusculas) {
        return ToUpperCase(novo);
    }
    std::string resultado = novo;
    for (std::size_t i = 0; i < resultado.size() && i < original.size(); ++i) {
        if (static_cast<char>(Minuscula(static_cast<unsigned char>(original[i]))) != resultado[i]) {
            break;
        }
        resultado[i] = original[i];
    }
    return resultado;
}

// The name with its last word replaced by `forma` of it (lower case in, lower case out).
std::string TrocaUltimaPalavra(std::string_view nome, std::string (*forma)(std::string_view)) {
    const std::vector<std::string_view> palavras = NameWords(nome);
    if (palavras.empty()) {
        return std::string(nome);
    }
    const std::string_view palavra = palavras.back();
    const bool ascii = std::all_of(palavra.begin(), palavra.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
    const char ultima = palavra.back();
    if (!ascii || (ultima >= '0' && ultima <= '9')) {
        return std::string(nome);
    }
    const std::string minuscula = ToLowerCase(palavra);
    const std::string nova = forma(minuscula);
    if (nova == minuscula) {
        return std::string(nome);
    }
    const auto inicio = static_cast<std::size_t>(palavra.data() - nome.data());
    std::string resultado(nome.substr(0, inicio));
    resultado += ComCaixaDe(palavra, nova);
    resultado.append(nome.substr(inicio + palavra.size()));
    return resultado;
}

} // namespace

std::vector<std::string_view> NameWords(std::string_view nome) {
    std::vector<std::string_view> palavras;
    std::size_t inicio = std::string_view::npos;
    // The previous character of the current word: upper-case letter, other letter or digit.
    enum class TTipo { maiuscula, outra } anterior = TTipo::outra;
    std::size_t inicioAnterior = 0; // where the previous character starts
    for (std::size_t i = 0; i < nome.size();) {
        const TCaractere c = LeCaractere(nome, i);
        const bool letra = c.codigo >= 0 && EhLetra(c.codigo);
        const bool digito = c.codigo >= 0 && EhDigito(c.codigo);
        if (!letra && !digito) {
            if (inicio != std::string_view::npos) {
                palavras.push_back(nome.substr(inicio, i - inicio));
                inicio = std::string_view::npos;
            }
            i += c.tamanho;
            continue;
        }
        const bool maiuscula = letra && EhMaiuscula(c.codigo);
        if (inicio == std::string_view::npos) {
            inicio = i;
        } else if (maiuscula && anterior == TTipo::outra) {
            palavras.push_back(nome.substr(inicio, i - inicio));
            inicio = i;
        } else if (letra && EhMinuscula(c.codigo) && anterior == TTipo::maiuscula &&
                   inicioAnterior > inicio) {
            // The last capital of an upper-case run begins the word it starts.
            palavras.push_back(nome.substr(inicio, inicioAnterior - inicio));
            inicio = inicioAnterior;
        }
        anterior = maiuscula ? TTipo::maiuscula : TTipo::outra;
        inicioAnterior = i;
        i += c.tamanho;
    }
    if (inicio != std::string_view::npos) {
        palavras.push_back(nome.substr(inicio));
    }
    return palavras;
}

std::string ToUpperCase(std::string_view texto) {
    std::string resultado;
    resultado.reserve(texto.size());
    Mapeia(resultado, texto, Maiuscula);
    return resultado;
}

std::string ToLowerCase(std::string_view texto) {
    std::string resultado;
    resultado.reserve(texto.size());
    Mapeia(resultado, texto, Minuscula);
    return resultado;
}

std::string ToPascalCase(std::string_view nome) {
    std::string resultado;
    resultado.reserve(nome.size());
    for (const std::string_view palavra : NameWords(nome)) {
        EscreveCapitalizada(resultado, palavra);
    }
    return resultado;
}

std::string ToCamelCase(std::string_view nome) {
    std::string resultado;
    resultado.reserve(nome.size());
    bool primeira = true;
    for (const std::string_view palavra : NameWords(nome)) {
        if (primeira) {
            Mapeia(resultado, palavra, Minuscula);
            primeira = false;
        } else {
            EscreveCapitalizada(resultado, palavra);
        }
    }
    return resultado;
}

std::string ToSnakeCase(std::string_view nome) {
    return UneMinusculas(nome, '_', false);
}

std::string ToKebabCase(std::string_view nome) {
    return UneMinusculas(nome, '-', false);
}

std::string ToMacroCase(std::string_view nome) {
    return UneMinusculas(nome, '_', true);
}

std::string Pluralize(std::string_view nome) {
    return TrocaUltimaPalavra(nome, Plural);
}

std::string Singularize(std::string_view nome) {
    return TrocaUltimaPalavra(nome, Singular);
}

std::string SafeIdentifier(std::string_view nome,
                           const std::function<bool(std::string_view)>& reservada) {
    std::string resultado;
    resultado.reserve(nome.size() + 2);
    for (std::size_t i = 0; i < nome.size();) {
        const TCaractere c = LeCaractere(nome, i);
        const bool mantem = c.codigo == '_' || (c.codigo >= 0 && EhDigito(c.codigo)) ||
                            (c.codigo >= 0 && EhLetra(c.codigo));
        if (mantem) {
            resultado.append(nome.substr(i, c.tamanho));
        } else {
            resultado += '_';
        }
        i += c.tamanho;
    }
    if (resultado.empty() || (resultado.front() >= '0' && resultado.front() <= '9')) {
        resultado.insert(resultado.begin(), '_');
    } else if (reservada && reservada(resultado)) {
        resultado += '_';
    }
    return resultado;
}

std::string QuoteSqlIdentifier(std::string_view nome) {
    std::string resultado;
    resultado.reserve(nome.size() + 2);
    resultado += '"';
    for (const char c : nome) {
        if (c == '"') {
            resultado += '"';
        }
        resultado += c;
    }
    resultado += '"';
    return resultado;
}

std::string EscapeStringLiteral(std::string_view texto) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string resultado;
    resultado.reserve(texto.size() + 8);
    for (const char c : texto) {
        const auto b = static_cast<unsigned char>(c);
        switch (c) {
        case '\\':
            resultado += "\\\\";
            break;
        case '"':
            resultado += "\\\"";
            break;
        case '\n':
            resultado += "\\n";
            break;
        case '\r':
            resultado += "\\r";
            break;
        case '\t':
            resultado += "\\t";
            break;
        default:
            if (b < 0x20 || b == 0x7F) {
                resultado += "\\u00";
                resultado += kHex[b >> 4];
                resultado += kHex[b & 0xF];
            } else {
                resultado += c;
            }
        }
    }
    return resultado;
}

} // namespace fendril
