#include "schema/windows/TFormCarregaTipos.h"
