#include "cli/ComandosDocumento.h"

#include "cli/TextoEscapado.h"
#include "documents/TArquivoKMF.h"
#include "engine/TMontaCodigo.h"
#include "model/ArquivoTexto.h"
#include "model/Erros.h"

#include <iostream>

namespace fendril {

int ComandoDump(const std::string& arquivo, std::ostream& saida, std::ostream& erros) {
    try {
        TArquivoKMF documento;
        documento.Abre(arquivo);
        std::string texto = Escapa(documento.cabecalho) + '\n';
        for (const std::string& linha : documento.getLinhas()) {
            texto += Escapa(linha);
            texto += '\n';
        }
        saida << texto;
        return 0;
    } catch (const std::exception& erro) {
        erros << erro.what() << '\n';
        return 1;
    }
}

int ComandoPack(const std::string& texto, const std::string& arquivo, std::ostream& erros) {
    try {
        const TListaTextos linhas = CortaLinhasLF(LeTextoArquivo(texto));
        TArquivoKMF documento;
        for (std::size_t i = 0; i < linhas.size(); ++i) {
            std::string bytes;
            try {
                bytes = Desescapa(linhas[i]);
            } catch (const EErroGeral& erro) {
                throw EErroGeral::Create(texto + ":" + std::to_string(i + 1) + ": " + erro.what());
            }
            if (i == 0) {
                documento.cabecalho = std::move(bytes);
            } else {
                documento.getLinhas().push_back(std::move(bytes));
            }
        }
        documento.Salva(arquivo);
        return 0;
    } catch (const std::exception& erro) {
        erros << erro.what() << '\n';
        return 1;
    }
}

int ComandoCheck(const std::string& arquivo, std::ostream& saida, std::ostream& erros) {
    try {
        TMontaCodigo::VerificaTags(LeTextoArquivo(arquivo));
        saida << "No Crossed Tags Present !!\n";
        return 0;
    } catch (const std::exception& erro) {
        erros << erro.what() << '\n';
        return 1;
    }
}

} // namespace fendril
