#pragma once

// The mapping window.

namespace fendril {

// Registers the window kind with the main window.
void RegistraMapeamento();

} // namespace fendril
