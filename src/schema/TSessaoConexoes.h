#pragma once

#include "schema/FonteEsquema.h"

#include <memory>

namespace fendril {

// Connections shared by the readings of one long operation (a load of many tables): the
// connections its factory makes all use one open connection per connection string, user
// and password, opened by the first of them and closed when the session ends. Each reading
// still opens, sets its default database and closes as if it were alone, and a failing
// Open is tried again by the next reading, so records, logs and failures stay the same.
class TSessaoConexoes {
public:
    explicit TSessaoConexoes(TFabricaConexao fabrica = FabricaPadrao());
    ~TSessaoConexoes();
    TSessaoConexoes(const TSessaoConexoes&) = delete;
    TSessaoConexoes& operator=(const TSessaoConexoes&) = delete;

    TFabricaConexao Fabrica() const;
    // Closes every connection the session opened, giving back the rowsets they read; a
    // later Open through the session connects again. Connections the factory gave and that
    // are still open must not be used afterwards (as after the session's end).
    void Encerra();

    struct Estado;

private:
    std::shared_ptr<Estado> m_estado;
};

} // namespace fendril
