#include "generation/windows/TFormConfirmaDialog.h"
