#include "schema/windows/TFormMostraDados.h"
