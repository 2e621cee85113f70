#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace fendril {

// Base of every failure the program reports with a message of its own, the way a
// library failure (a list index out of range, a bad number) also carries one.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// The program's exception. The message is what a message box shows; textoErro is the
// program's own text, which handlers log and re-raise.
class EErroGeral : public Exception {
public:
    // A failure detected by the program: message and textoErro are both `texto`.
    static EErroGeral Create(const std::string& texto);
    // Re-raising a caught failure after logging it: both texts are its textoErro.
    static EErroGeral CreateCopia(const EErroGeral& erro);
    // Wrapping a library or data-source failure: the box shows the underlying message,
    // the log shows `texto`.
    static EErroGeral CreateDeExcecao(const std::exception& excecao, const std::string& texto);

    const std::string& textoErro() const { return m_textoErro; }

private:
    EErroGeral(const std::string& message, std::string textoErro)
        : Exception(message), m_textoErro(std::move(textoErro)) {}

    std::string m_textoErro;
};

// A list was asked for an entry it does not have (a document lacking a key, a record
// line with too few fields). The message is "List index out of bounds (index)", followed
// by ": " and what was asked for when that is known ("descricao||Edit_nome").
class EListError : public Exception {
public:
    explicit EListError(std::size_t index);
    EListError(std::size_t index, std::string_view pedido);
};

// A text could not be converted (a number field that is not a decimal integer, a
// scrambled line with a character outside its alphabet).
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

} // namespace fendril
