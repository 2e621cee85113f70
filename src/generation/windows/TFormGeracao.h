#pragma once

// The generation window.

namespace fendril {

// Registers the window kind with the main window.
void RegistraGeracao();

} // namespace fendril
