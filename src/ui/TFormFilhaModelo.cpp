#include "ui/TFormFilhaModelo.h"

namespace fendril {

void RegistraModeloTabela() {}

} // namespace fendril
