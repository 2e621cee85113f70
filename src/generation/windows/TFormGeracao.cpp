#include "generation/windows/TFormGeracao.h"

namespace fendril {

void RegistraGeracao() {}

} // namespace fendril
