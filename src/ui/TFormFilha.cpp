#include "ui/TFormFilha.h"

namespace fendril {

void RegistraMapeamento() {}

} // namespace fendril
