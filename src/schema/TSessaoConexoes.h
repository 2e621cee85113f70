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

    struct Estado;

private:
    std::shared_ptr<Estado> m_estado;
};

} // namespace fendril
