#pragma once

#include <string>
#include <string_view>

namespace fendril {

class TLinhaEsquema;

// A database: a catalog of the data source.
class TBaseDados {
public:
    std::string nome; // catalog name; empty when the provider has none

    // "TBaseDados||" + nome + "=>|>"
    std::string Codifica() const;
    // Sets nome from an encoding; the type name is skipped unread.
    void Decodifica(std::string_view texto);
    // Sets nome from field 0 of a CATALOGS row; a Null leaves it as it is and an
    // unreadable value empties it.
    void LeLinhaCatalogo(const TLinhaEsquema& linha);
};

} // namespace fendril
