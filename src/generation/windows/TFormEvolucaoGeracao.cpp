#include "generation/windows/TFormEvolucaoGeracao.h"
