#pragma once

#include "model/TBaseDados.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace fendril {

class TLinhaEsquema;

// A table. Two table records with the same qualified name are the same table.
class TTabela {
public:
    TTabela();
    // Copies the database record too.
    TTabela(const TTabela& outra);
    TTabela& operator=(const TTabela& outra);
    TTabela(TTabela&&) noexcept = default;
    TTabela& operator=(TTabela&&) noexcept = default;
    ~TTabela() = default;
    // Every field equal, the database record's too.
    bool operator==(const TTabela& outra) const;

    std::string esquema; // TABLE_SCHEMA; may be empty
    std::string nome;    // TABLE_NAME
    std::string tipo;    // "TABLE", "VIEW", ... as the provider reports it
    std::string alias;   // given by the user
    std::string comment; // the database's comment; not encoded, a mapping keeps it apart
    // When a person set the comment by hand: the database's comment at that time (or at
    // the last refresh since). Not encoded either.
    std::optional<std::string> handSetComment;

    TBaseDados& getBaseDados() { return *m_baseDados; }
    const TBaseDados& getBaseDados() const { return *m_baseDados; }
    // Takes ownership of `baseDados`, discarding the previous database record.
    void setBaseDados(std::unique_ptr<TBaseDados> baseDados);

    // esquema + "." + nome, or nome alone when esquema is empty.
    std::string getNomeCompleto() const;

    // "TTabela||" + nome, esquema, tipo, alias (each + "=>") + "|>" + the database's encoding.
    std::string Codifica() const;
    void Decodifica(std::string_view texto);
    // Decodes the two parts of an encoding cut at "|>": the table's own and its database's.
    void DecodificaPartes(std::string_view propria, std::string_view baseDados);

    // Takes `baseDados` and fields 1, 2, 3 and 5 (schema, name, type, description) of a
    // TABLES row; a value that cannot be read as text leaves its own field empty.
    void LeLinhaTabelas(std::unique_ptr<TBaseDados> baseDados, const TLinhaEsquema& linha);

private:
    std::unique_ptr<TBaseDados> m_baseDados;
};

// The reverse of getNomeCompleto: a qualified name split at its first ".", giving the schema
// (empty without a ".") and the table.
std::pair<std::string, std::string> SeparaNomeCompleto(const std::string& nome);

} // namespace fendril
