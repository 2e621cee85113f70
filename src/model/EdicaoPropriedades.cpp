#include "model/EdicaoPropriedades.h"

#include "model/Erros.h"
#include "model/MappingRefresh.h"

#include <optional>
#include <utility>

namespace fendril {

TPropriedadesTabela PropriedadesTabela(const TTabela& tabela) {
    return {tabela.nome, tabela.esquema, tabela.tipo, tabela.alias, tabela.comment};
}

TPropriedadesColuna PropriedadesColuna(const TColuna& coluna) {
    const TTipoDado& tipo = coluna.getTipoDado();
    TPropriedadesColuna propriedades;
    propriedades.nome = coluna.nome;
    propriedades.alias = coluna.alias;
    propriedades.habilitado = coluna.habilitado;
    propriedades.chavePrimaria = coluna.getChavePrimaria() == 1;
    propriedades.chaveEstrangeira = coluna.chaveEstrangeira;
    propriedades.tipoDado = tipo.nome;
    propriedades.dataHora = tipo.precisaoDataHora != -1;
    propriedades.tamanho = tipo.tamanho;
    propriedades.precisao = propriedades.dataHora ? tipo.precisaoDataHora : tipo.precisao;
    propriedades.escala = tipo.escala;
    if (const TColuna* referida = coluna.getColunaEstrangeira()) {
        propriedades.tabelaEstrangeira = referida->getTabela().getNomeCompleto();
        propriedades.colunaEstrangeira = referida->nome;
    }
    propriedades.nullable = coluna.facts.nullable;
    propriedades.unique = coluna.facts.unique;
    propriedades.autoIncrement = coluna.facts.autoIncrement;
    propriedades.defaultValue = coluna.facts.defaultValue;
    propriedades.comment = coluna.facts.comment;
    return propriedades;
}

std::int32_t TipoOLE(const TListaTextos& tiposProvider, std::string_view nome) {
    for (const std::string& linha : tiposProvider) {
        const TListaVistas campos = SeparaCamposVista(linha, ";");
        if (campos.size() > 1 && campos[1] == nome) {
            try {
                return ParaInteiro(campos[0]);
            } catch (const EConvertError&) {
                return -1;
            }
        }
    }
    return -1;
}

namespace {

void GravaTipo(TTipoDado& tipo, const TPropriedadesColuna& propriedades,
               const TListaTextos& tiposProvider) {
    tipo.nome = propriedades.tipoDado;
    tipo.tamanho = propriedades.tamanho;
    if (propriedades.dataHora) {
        tipo.precisao = -1;
        tipo.precisaoDataHora = propriedades.precisao;
    } else {
        tipo.precisao = propriedades.precisao;
        tipo.precisaoDataHora = -1;
    }
    tipo.escala = propriedades.escala;
    tipo.tipoOLE = TipoOLE(tiposProvider, propriedades.tipoDado);
}

// The foreign link as the Foreign Key box leaves it; `referida` is the column the foreign
// names found in the set, looked up before the commit began.
void GravaEstrangeira(TColuna& coluna, bool eraEstrangeira, const TPropriedadesColuna& propriedades,
                      const TColuna* referida) {
    if (eraEstrangeira && coluna.chaveEstrangeira) {
        // A key without its referenced column gains one only once it is named.
        if (!coluna.getColunaEstrangeira() &&
            !(propriedades.tabelaEstrangeira.empty() && propriedades.colunaEstrangeira.empty()))
            coluna.CriaColunaEstrangeira();
        if (TColuna* estrangeira = coluna.getColunaEstrangeira()) {
            auto [esquema, tabela] = SeparaNomeCompleto(propriedades.tabelaEstrangeira);
            estrangeira->getTabela().esquema = std::move(esquema);
            estrangeira->getTabela().nome = std::move(tabela);
            estrangeira->nome = propriedades.colunaEstrangeira;
        }
    } else if (eraEstrangeira) {
        coluna.RemoveColunaEstrangeira();
    } else if (coluna.chaveEstrangeira) {
        coluna.RemoveColunaEstrangeira();
        if (referida)
            coluna.CopiaColunaEstrangeira(*referida);
        else
            coluna.CriaColunaEstrangeira();
    }
}

// Marks set by hand the properties whose panel value differs from what the panel showed
// for the column, before the commit writes them.
void MarcaManuais(TColuna& coluna, const TPropriedadesColuna& painel) {
    const TPropriedadesColuna mostradas = PropriedadesColuna(coluna);
    const auto marca = [&coluna](bool mudou, TColumnProperty property) {
        if (mudou)
            MarkHandSet(coluna, property);
    };
    marca(painel.tipoDado != mostradas.tipoDado, TColumnProperty::type);
    marca(painel.tamanho != mostradas.tamanho, TColumnProperty::length);
    if (painel.dataHora != mostradas.dataHora) {
        // The box moves the precision field between the two precisions.
        marca(true, TColumnProperty::precision);
        marca(true, TColumnProperty::datePrecision);
    } else {
        marca(painel.precisao != mostradas.precisao,
              painel.dataHora ? TColumnProperty::datePrecision : TColumnProperty::precision);
    }
    marca(painel.escala != mostradas.escala, TColumnProperty::scale);
    marca(painel.chavePrimaria != mostradas.chavePrimaria, TColumnProperty::primaryKey);
    marca(
        painel.chaveEstrangeira != mostradas.chaveEstrangeira ||
            (painel.chaveEstrangeira && (painel.tabelaEstrangeira != mostradas.tabelaEstrangeira ||
                                         painel.colunaEstrangeira != mostradas.colunaEstrangeira)),
        TColumnProperty::foreignKey);
    marca(painel.nullable != mostradas.nullable, TColumnProperty::nullable);
    marca(painel.unique != mostradas.unique, TColumnProperty::unique);
    marca(painel.autoIncrement != mostradas.autoIncrement, TColumnProperty::autoIncrement);
    marca(painel.defaultValue != mostradas.defaultValue, TColumnProperty::defaultValue);
    marca(painel.comment != mostradas.comment, TColumnProperty::comment);
}

} // namespace

void GravaPropriedades(TControlaColunas& colunas, std::string_view tabela, std::string_view coluna,
                       const TPropriedadesTabela& propriedadesTabela,
                       const TPropriedadesColuna& propriedadesColuna,
                       const TListaTextos& tiposProvider) {
    if (tabela.empty())
        return;
    const TControlaColunas& leitura = colunas;
    const std::vector<std::size_t> daTabela = leitura.PosicoesDaTabela(tabela);
    std::optional<std::size_t> selecionada;
    std::optional<std::size_t> referida;
    if (!coluna.empty()) {
        selecionada = leitura.PosicaoDaColuna(tabela, coluna);
        referida = leitura.PosicaoDaColuna(propriedadesColuna.tabelaEstrangeira,
                                           propriedadesColuna.colunaEstrangeira);
    }

    // A comment the person changed from the one the panel showed is set by hand from now on.
    const TTabela* mostrada = leitura.getTabela(tabela);
    const std::optional<std::string> comentarioAnterior =
        mostrada && mostrada->comment != propriedadesTabela.comment
            ? std::optional<std::string>(mostrada->comment)
            : std::nullopt;
    for (const std::size_t posicao : daTabela) {
        colunas.AlteraColuna(posicao, [&](TColuna& registro) {
            TTabela& destino = registro.getTabela();
            if (comentarioAnterior && !destino.handSetComment)
                destino.handSetComment = comentarioAnterior;
            destino.nome = propriedadesTabela.nome;
            destino.esquema = propriedadesTabela.esquema;
            destino.tipo = propriedadesTabela.tipo;
            destino.alias = propriedadesTabela.alias;
            destino.comment = propriedadesTabela.comment;
        });
    }
    if (!selecionada)
        return;
    colunas.AlteraColuna(*selecionada, [&](TColuna& registro) {
        MarcaManuais(registro, propriedadesColuna);
        registro.nome = propriedadesColuna.nome;
        registro.alias = propriedadesColuna.alias;
        const bool eraEstrangeira = registro.chaveEstrangeira;
        registro.chaveEstrangeira = propriedadesColuna.chaveEstrangeira;
        registro.habilitado = propriedadesColuna.habilitado;
        registro.setChavePrimaria(propriedadesColuna.chavePrimaria ? 1 : 0);
        GravaTipo(registro.getTipoDado(), propriedadesColuna, tiposProvider);
        GravaEstrangeira(registro, eraEstrangeira, propriedadesColuna,
                         referida ? leitura.getColunas()[*referida].get() : nullptr);
        registro.facts = {propriedadesColuna.nullable, propriedadesColuna.defaultValue,
                          propriedadesColuna.unique, propriedadesColuna.autoIncrement,
                          propriedadesColuna.comment};
    });
}

} // namespace fendril
