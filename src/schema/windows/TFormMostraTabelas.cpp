#include "schema/windows/TFormMostraTabelas.h"
