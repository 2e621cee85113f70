#pragma once

// Start-up of the desktop program shared by main() and the tests: the date and time
// formats of log lines and the registration of the child window kinds.

namespace fendril {

// Installs the user's short date format (with a four-digit year) and long time format
// for log lines and documents, and registers every built child window kind.
void IniciaAplicacao();

} // namespace fendril
