#pragma once

// The table-class template window.

namespace fendril {

// Registers the window kind with the main window.
void RegistraModeloTabela();

} // namespace fendril
