#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace fendril {

// The current row of a schema rowset, as the records read it: fields by 0-based ordinal,
// each either Null or convertible to text, integer and boolean. The converting getters
// raise an Exception when a value cannot be read that way (Null included).
class TLinhaEsquema {
public:
    virtual ~TLinhaEsquema() = default;

    virtual bool Nulo(int ordinal) const = 0;
    virtual std::string Texto(int ordinal) const = 0;
    virtual std::int64_t Inteiro(int ordinal) const = 0;
    virtual bool Booleano(int ordinal) const = 0;
    // Texto(ordinal) == valor, failing as Texto does; rows that hold their text may answer
    // without a copy.
    virtual bool TextoIgual(int ordinal, std::string_view valor) const {
        return Texto(ordinal) == valor;
    }
};

} // namespace fendril
