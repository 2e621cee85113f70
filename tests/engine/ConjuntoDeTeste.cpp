#include "ConjuntoDeTeste.h"

#include "engine/TMontaCodigo.h"

#include <gtest/gtest.h>

namespace fendril::teste {

namespace {

void DefineNome(TTabela& tabela, const std::string& qualificado) {
    const std::size_t ponto = qualificado.find('.');
    if (ponto == std::string::npos) {
        tabela.esquema.clear();
        tabela.nome = qualificado;
    } else {
        tabela.esquema = qualificado.substr(0, ponto);
        tabela.nome = qualificado.substr(ponto + 1);
    }
}

} // namespace

void Preenche(TControlaColunas& conjunto, const std::vector<Col>& colunas) {
    conjunto.Redimensiona(colunas.size());
    TArrColunas& destino = conjunto.getColunas();
    // Texts below are assigned as std::string values: character literals make GCC 12 at -O3
    // report a false -Wrestrict.
    for (std::size_t i = 0; i < colunas.size(); ++i) {
        const Col& c = colunas[i];
        TColuna& coluna = *destino[i];
        DefineNome(coluna.getTabela(), c.tabela);
        coluna.getTabela().tipo = c.tbTipo;
        coluna.getTabela().alias = c.tbAlias;
        coluna.getTabela().getBaseDados().nome = std::string("Shop");
        coluna.getTabela().comment = c.tbComment;
        coluna.nome = c.nome;
        coluna.alias = c.alias;
        coluna.facts = c.facts;
        coluna.habilitado = c.habilitado;
        coluna.setChavePrimaria(c.pk ? 1 : 0);
        TTipoDado& tipo = coluna.getTipoDado();
        tipo.nome = c.tipo;
        tipo.tamanho = c.tamanho;
        tipo.precisao = c.precisao;
        tipo.escala = c.escala;
        tipo.tipoOLE = 3;
        tipo.precisaoDataHora = c.dataHora;
        tipo.melhorCorrespondencia = std::string("1");
        if (!c.fk.empty()) {
            coluna.chaveEstrangeira = true;
            coluna.CriaColunaEstrangeira();
            TColuna& referenciada = *coluna.getColunaEstrangeira();
            const std::size_t ponto = c.fk.rfind('.');
            DefineNome(referenciada.getTabela(), c.fk.substr(0, ponto));
            referenciada.nome = c.fk.substr(ponto + 1);
        }
    }
}

const TListaTextos& TiposPadrao() {
    static const TListaTextos tipos = {"int;Integer;0;", "varchar;String;'';",
                                       "numeric;Double;0.0;", "datetime;TDateTime;Now;"};
    return tipos;
}

TListaTextos Expande(const TControlaColunas* conjunto, const TListaTextos& modelo,
                     const TListaTextos& tipos) {
    const auto prepara = [&](TMontaCodigo& motor) {
        motor.AdicionaTipos(tipos);
        motor.setControlaColunas(conjunto);
        motor.nomeBaseDados = "shop";
        motor.classePai = "Base";
        motor.AdicionaModelo(modelo);
    };
    TMontaCodigo motor;
    prepara(motor);
    motor.Monta();
    // Every expansion of the tests also checks the content a file gets: the same lines, each
    // followed by CR LF.
    TMontaCodigo arquivo;
    prepara(arquivo);
    std::string esperado;
    for (const std::string& linha : motor.getCodigo()) {
        esperado.append(linha).append("\r\n");
    }
    EXPECT_EQ(arquivo.MontaConteudo(), esperado);
    return motor.getCodigo();
}

} // namespace fendril::teste
