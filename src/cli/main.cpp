#include "cli/Aplicacao.h"

#include <iostream>

int main(int argc, char** argv) {
    return fendril::ExecutaCli(argc, argv, std::cout, std::cerr);
}
