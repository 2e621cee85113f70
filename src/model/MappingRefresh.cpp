#include "model/MappingRefresh.h"

#include "model/Log.h"

#include <algorithm>
#include <map>
#include <set>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace fendril {

namespace {

const char* Flag(bool valor) {
    return valor ? "1" : "0";
}

bool EhSimNao(TColumnProperty property) {
    return property == TColumnProperty::primaryKey || property == TColumnProperty::nullable ||
           property == TColumnProperty::unique || property == TColumnProperty::autoIncrement;
}

bool EhTexto(TColumnProperty property) {
    return property == TColumnProperty::defaultValue || property == TColumnProperty::comment;
}

std::string Aspas(std::string_view texto) {
    std::string resultado(1, '"');
    resultado += TextoDeLog(texto);
    resultado += '"';
    return resultado;
}

// A value as a change line shows it.
std::string Mostra(TColumnProperty property, const std::string& valor) {
    if (EhSimNao(property)) {
        return valor == "1" ? "Yes" : "No";
    }
    if (EhTexto(property)) {
        return Aspas(valor);
    }
    if (valor.empty()) {
        return "None";
    }
    return TextoDeLog(valor);
}

std::string PrefixoColuna(const std::string& coluna) {
    return "Column " + Aspas(coluna) + ": ";
}

std::string ComAlias(std::string texto, const std::string& alias) {
    if (!alias.empty()) {
        texto += " (Alias " + Aspas(alias) + ")";
    }
    return texto;
}

std::string Mudou(const std::string& legenda, const std::string& antes, const std::string& depois) {
    return legenda + " " + antes + " -> " + depois;
}

std::string Mantido(const std::string& legenda, const std::string& mantido,
                    const std::string& antes, const std::string& depois) {
    return legenda + " Set By Hand Kept (" + mantido + "); The Database Changed It From " + antes +
           " To " + depois;
}

// The columns of one table of a set: every one in set order, and the first of each name.
struct TColunasTabela {
    std::vector<const TColuna*> todas;
    std::vector<const TColuna*> primeiras;
    std::unordered_map<std::string, std::size_t> posicao; // name -> index in primeiras
};

std::unordered_map<std::string, TColunasTabela> PorTabela(const TControlaColunas& colunas) {
    std::unordered_map<std::string, TColunasTabela> tabelas;
    for (const auto& coluna : colunas.getColunas()) {
        TColunasTabela& tabela = tabelas[std::as_const(*coluna).getTabela().getNomeCompleto()];
        tabela.todas.push_back(coluna.get());
        if (tabela.posicao.try_emplace(coluna->nome, tabela.primeiras.size()).second) {
            tabela.primeiras.push_back(coluna.get());
        }
    }
    return tabelas;
}

// The names of the longest run of names `a` and `b` share in the same order.
std::unordered_set<std::string> MaiorSequenciaComum(const std::vector<std::string>& a,
                                                    const std::vector<std::string>& b) {
    if (a == b) {
        return {a.begin(), a.end()};
    }
    const std::size_t n = a.size();
    const std::size_t m = b.size();
    std::vector<std::uint32_t> tamanho((n + 1) * (m + 1), 0);
    const auto em = [m](std::size_t i, std::size_t j) { return i * (m + 1) + j; };
    for (std::size_t i = n; i-- > 0;) {
        for (std::size_t j = m; j-- > 0;) {
            tamanho[em(i, j)] = a[i] == b[j]
                                    ? tamanho[em(i + 1, j + 1)] + 1
                                    : std::max(tamanho[em(i + 1, j)], tamanho[em(i, j + 1)]);
        }
    }
    std::unordered_set<std::string> comuns;
    for (std::size_t i = 0, j = 0; i < n && j < m;) {
        if (a[i] == b[j]) {
            comuns.insert(a[i]);
            ++i;
            ++j;
        } else if (tamanho[em(i + 1, j)] >= tamanho[em(i, j + 1)]) {
            ++i;
        } else {
            ++j;
        }
    }
    return comuns;
}

TRefreshChange Mudanca(TChangeKind kind, const std::string& tabela, std::string texto,
                       const std::string& coluna = {},
                       std::optional<TColumnProperty> property = std::nullopt) {
    TRefreshChange mudanca{kind, tabela, coluna, property};
    mudanca.applicable = kind != TChangeKind::likelyRename;
    mudanca.text = std::move(texto);
    return mudanca;
}

// The same type name and sizes.
bool MesmoTipo(const TColuna& a, const TColuna& b) {
    for (const TColumnProperty property :
         {TColumnProperty::type, TColumnProperty::length, TColumnProperty::precision,
          TColumnProperty::scale, TColumnProperty::datePrecision}) {
        if (PropertyValue(a, property) != PropertyValue(b, property)) {
            return false;
        }
    }
    return true;
}

void ComparaTabela(const std::string& nome, const TColunasTabela& mapa, const TColunasTabela& banco,
                   TRefreshChanges& mudancas) {
    // The table's own comment.
    const TTabela& tabelaMapa = mapa.primeiras.front()->getTabela();
    const TTabela& tabelaBanco = banco.primeiras.front()->getTabela();
    if (tabelaMapa.handSetComment) {
        if (*tabelaMapa.handSetComment != tabelaBanco.comment) {
            mudancas.push_back(
                Mudanca(TChangeKind::tableCommentKept, nome,
                        Mantido("Comment", Aspas(tabelaMapa.comment),
                                Aspas(*tabelaMapa.handSetComment), Aspas(tabelaBanco.comment))));
        }
    } else if (tabelaMapa.comment != tabelaBanco.comment) {
        mudancas.push_back(
            Mudanca(TChangeKind::tableComment, nome,
                    Mudou("Comment", Aspas(tabelaMapa.comment), Aspas(tabelaBanco.comment))));
    }

    std::vector<std::string> ordemMapa;
    std::vector<std::string> ordemBanco;
    for (const TColuna* coluna : mapa.primeiras) {
        if (banco.posicao.count(coluna->nome) != 0) {
            ordemMapa.push_back(coluna->nome);
        }
    }
    for (const TColuna* coluna : banco.primeiras) {
        if (mapa.posicao.count(coluna->nome) != 0) {
            ordemBanco.push_back(coluna->nome);
        }
    }
    const std::unordered_set<std::string> fixas = MaiorSequenciaComum(ordemMapa, ordemBanco);

    std::vector<std::size_t> adicionadas; // positions in banco.primeiras
    for (std::size_t j = 0; j < banco.primeiras.size(); ++j) {
        const TColuna& nova = *banco.primeiras[j];
        const auto achada = mapa.posicao.find(nova.nome);
        if (achada == mapa.posicao.end()) {
            adicionadas.push_back(j);
            const std::string& tipo = nova.getTipoDado().nome;
            mudancas.push_back(Mudanca(TChangeKind::columnAdded, nome,
                                       PrefixoColuna(nova.nome) + "Added" +
                                           (tipo.empty() ? "" : " (" + TextoDeLog(tipo) + ")"),
                                       nova.nome));
            continue;
        }
        const TColuna& velha = *mapa.primeiras[achada->second];
        if (fixas.count(nova.nome) == 0) {
            mudancas.push_back(Mudanca(TChangeKind::columnMoved, nome,
                                       PrefixoColuna(nova.nome) + "Moved From Position " +
                                           std::to_string(achada->second + 1) + " To " +
                                           std::to_string(j + 1),
                                       nova.nome));
        }
        for (const TColumnProperty property : kColumnProperties) {
            const std::string legenda(PropertyCaption(property));
            const std::string valorMapa = PropertyValue(velha, property);
            const std::string valorBanco = PropertyValue(nova, property);
            const auto manual = velha.handSet.find(property);
            if (manual != velha.handSet.end()) {
                if (manual->second != valorBanco) {
                    mudancas.push_back(Mudanca(TChangeKind::columnPropertyKept, nome,
                                               PrefixoColuna(nova.nome) +
                                                   Mantido(legenda, Mostra(property, valorMapa),
                                                           Mostra(property, manual->second),
                                                           Mostra(property, valorBanco)),
                                               nova.nome, property));
                }
            } else if (valorMapa != valorBanco) {
                mudancas.push_back(
                    Mudanca(TChangeKind::columnProperty, nome,
                            PrefixoColuna(nova.nome) + Mudou(legenda, Mostra(property, valorMapa),
                                                             Mostra(property, valorBanco)),
                            nova.nome, property));
            }
        }
    }

    std::vector<std::size_t> removidas; // positions in mapa.primeiras
    for (std::size_t i = 0; i < mapa.primeiras.size(); ++i) {
        const TColuna& velha = *mapa.primeiras[i];
        if (banco.posicao.count(velha.nome) == 0) {
            removidas.push_back(i);
            mudancas.push_back(Mudanca(TChangeKind::columnDropped, nome,
                                       ComAlias(PrefixoColuna(velha.nome) + "Dropped", velha.alias),
                                       velha.nome));
        }
    }

    // A dropped and an added column at the same place with the same type: most likely one
    // column renamed. Reported, never applied as a rename.
    std::set<std::size_t> usadas;
    for (const std::size_t i : removidas) {
        const TColuna& velha = *mapa.primeiras[i];
        for (const std::size_t j : adicionadas) {
            const TColuna& nova = *banco.primeiras[j];
            if (i == j && usadas.count(j) == 0 && MesmoTipo(velha, nova)) {
                usadas.insert(j);
                mudancas.push_back(Mudanca(TChangeKind::likelyRename, nome,
                                           PrefixoColuna(velha.nome) + "Likely Renamed To " +
                                               Aspas(nova.nome) +
                                               " (Same Type And Position); Not Applied As A "
                                               "Rename",
                                           velha.nome));
                break;
            }
        }
    }
}

std::unique_ptr<TColuna> Copia(const TColuna& coluna) {
    auto copia = std::make_unique<TColuna>();
    copia->Decodifica(coluna.Codifica());
    copia->CopiaFatosDe(coluna);
    return copia;
}

// The table record of `modelo`, with what the encoding does not carry.
void TomaTabela(TColuna& coluna, const TTabela& modelo) {
    TTabela& tabela = coluna.getTabela();
    tabela.Decodifica(modelo.Codifica());
    tabela.comment = modelo.comment;
    tabela.handSetComment = modelo.handSetComment;
}

// The chosen changes of one table.
struct TEscolhasTabela {
    std::set<std::string> adicionadas;
    std::set<std::string> removidas;
    std::set<std::string> movidas;
    // column -> (property, kept)
    std::map<std::string, std::vector<std::pair<TColumnProperty, bool>>> propriedades;
    std::optional<bool> comentario; // kept or not; none when not chosen

    bool MudaEstrutura() const {
        return !adicionadas.empty() || !removidas.empty() || !movidas.empty();
    }
};

struct TEscolhas {
    std::set<std::string> tabelasRemovidas;
    std::vector<std::string> tabelasAdicionadas;
    std::map<std::string, TEscolhasTabela> porTabela;
};

TEscolhas Escolhas(const TRefreshChanges& changes, const std::vector<bool>& chosen) {
    TEscolhas escolhas;
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const TRefreshChange& mudanca = changes[i];
        if (!mudanca.applicable || (!chosen.empty() && (i >= chosen.size() || !chosen[i]))) {
            continue;
        }
        TEscolhasTabela& tabela = escolhas.porTabela[mudanca.table];
        switch (mudanca.kind) {
        case TChangeKind::tableAdded:
            escolhas.tabelasAdicionadas.push_back(mudanca.table);
            break;
        case TChangeKind::tableDropped:
            escolhas.tabelasRemovidas.insert(mudanca.table);
            break;
        case TChangeKind::tableComment:
        case TChangeKind::tableCommentKept:
            tabela.comentario = mudanca.kind == TChangeKind::tableCommentKept;
            break;
        case TChangeKind::columnAdded:
            tabela.adicionadas.insert(mudanca.column);
            break;
        case TChangeKind::columnDropped:
            tabela.removidas.insert(mudanca.column);
            break;
        case TChangeKind::columnMoved:
            tabela.movidas.insert(mudanca.column);
            break;
        case TChangeKind::columnProperty:
        case TChangeKind::columnPropertyKept:
            if (mudanca.property) {
                tabela.propriedades[mudanca.column].emplace_back(
                    *mudanca.property, mudanca.kind == TChangeKind::columnPropertyKept);
            }
            break;
        case TChangeKind::likelyRename:
            break;
        }
    }
    return escolhas;
}

} // namespace

std::string PropertyValue(const TColuna& coluna, TColumnProperty property) {
    const TTipoDado& tipo = coluna.getTipoDado();
    switch (property) {
    case TColumnProperty::type:
        return tipo.nome;
    case TColumnProperty::length:
        return std::to_string(tipo.tamanho);
    case TColumnProperty::precision:
        return std::to_string(tipo.precisao);
    case TColumnProperty::scale:
        return std::to_string(tipo.escala);
    case TColumnProperty::datePrecision:
        return std::to_string(tipo.precisaoDataHora);
    case TColumnProperty::primaryKey:
        return Flag(coluna.getChavePrimaria() == 1);
    case TColumnProperty::foreignKey: {
        if (!coluna.chaveEstrangeira) {
            return {};
        }
        const TColuna* referida = coluna.getColunaEstrangeira();
        return referida ? referida->getTabela().getNomeCompleto() + "." + referida->nome : "?";
    }
    case TColumnProperty::nullable:
        return Flag(coluna.facts.nullable);
    case TColumnProperty::unique:
        return Flag(coluna.facts.unique);
    case TColumnProperty::autoIncrement:
        return Flag(coluna.facts.autoIncrement);
    case TColumnProperty::defaultValue:
        return coluna.facts.defaultValue;
    case TColumnProperty::comment:
        return coluna.facts.comment;
    }
    return {};
}

void CopyProperty(TColuna& coluna, const TColuna& fonte, TColumnProperty property) {
    TTipoDado& tipo = coluna.getTipoDado();
    const TTipoDado& outro = fonte.getTipoDado();
    switch (property) {
    case TColumnProperty::type:
        tipo.nome = outro.nome;
        tipo.tipoOLE = outro.tipoOLE;
        tipo.melhorCorrespondencia = outro.melhorCorrespondencia;
        break;
    case TColumnProperty::length:
        tipo.tamanho = outro.tamanho;
        break;
    case TColumnProperty::precision:
        tipo.precisao = outro.precisao;
        break;
    case TColumnProperty::scale:
        tipo.escala = outro.escala;
        break;
    case TColumnProperty::datePrecision:
        tipo.precisaoDataHora = outro.precisaoDataHora;
        break;
    case TColumnProperty::primaryKey:
        coluna.tipoColuna = fonte.tipoColuna;
        break;
    case TColumnProperty::foreignKey:
        coluna.chaveEstrangeira = fonte.chaveEstrangeira;
        if (fonte.getColunaEstrangeira()) {
            coluna.CopiaColunaEstrangeira(*fonte.getColunaEstrangeira());
        } else {
            coluna.RemoveColunaEstrangeira();
        }
        break;
    case TColumnProperty::nullable:
        coluna.facts.nullable = fonte.facts.nullable;
        break;
    case TColumnProperty::unique:
        coluna.facts.unique = fonte.facts.unique;
        break;
    case TColumnProperty::autoIncrement:
        coluna.facts.autoIncrement = fonte.facts.autoIncrement;
        break;
    case TColumnProperty::defaultValue:
        coluna.facts.defaultValue = fonte.facts.defaultValue;
        break;
    case TColumnProperty::comment:
        coluna.facts.comment = fonte.facts.comment;
        break;
    }
}

namespace {

struct TNomesPropriedade {
    TColumnProperty property;
    std::string_view chave;
    std::string_view legenda;
};

constexpr TNomesPropriedade kNomes[] = {
    {TColumnProperty::type, "type", "Type"},
    {TColumnProperty::length, "length", "Length"},
    {TColumnProperty::precision, "precision", "Precision"},
    {TColumnProperty::scale, "scale", "Scale"},
    {TColumnProperty::datePrecision, "dateprecision", "Date Precision"},
    {TColumnProperty::primaryKey, "primarykey", "Primary Key"},
    {TColumnProperty::foreignKey, "foreignkey", "Foreign Key"},
    {TColumnProperty::nullable, "nullable", "Nullable"},
    {TColumnProperty::unique, "unique", "Unique"},
    {TColumnProperty::autoIncrement, "autoincrement", "Auto-Increment"},
    {TColumnProperty::defaultValue, "default", "Default"},
    {TColumnProperty::comment, "comment", "Comment"},
};

const TNomesPropriedade& Nomes(TColumnProperty property) {
    return kNomes[static_cast<std::size_t>(property)];
}

} // namespace

std::string_view PropertyKey(TColumnProperty property) {
    return Nomes(property).chave;
}

std::optional<TColumnProperty> PropertyFromKey(std::string_view chave) {
    for (const TNomesPropriedade& nomes : kNomes) {
        if (nomes.chave == chave) {
            return nomes.property;
        }
    }
    return std::nullopt;
}

std::string_view PropertyCaption(TColumnProperty property) {
    return Nomes(property).legenda;
}

void MarkHandSet(TColuna& coluna, TColumnProperty property) {
    coluna.handSet.try_emplace(property, PropertyValue(coluna, property));
}

void MarkHandSetComment(TTabela& tabela) {
    if (!tabela.handSetComment) {
        tabela.handSetComment = tabela.comment;
    }
}

std::string TRefreshChange::FullText() const {
    return "Table " + Aspas(table) + ": " + text;
}

TListaTextos MappedTables(const TControlaColunas& colunas) {
    TListaTextos nomes;
    std::unordered_set<std::string> vistas;
    for (const auto& coluna : colunas.getColunas()) {
        std::string nome = std::as_const(*coluna).getTabela().getNomeCompleto();
        if (!nome.empty() && vistas.insert(nome).second) {
            nomes.push_back(std::move(nome));
        }
    }
    return nomes;
}

TRefreshChanges CompareMapping(const TControlaColunas& mapping, const TListaTextos& mappedTables,
                               const TControlaColunas& database,
                               const TListaTextos& databaseTables) {
    const auto doMapa = PorTabela(mapping);
    const auto doBanco = PorTabela(database);
    const std::unordered_set<std::string> noBanco(databaseTables.begin(), databaseTables.end());
    const std::unordered_set<std::string> noMapa(mappedTables.begin(), mappedTables.end());
    TRefreshChanges mudancas;
    for (const std::string& tabela : mappedTables) {
        const auto mapa = doMapa.find(tabela);
        if (mapa == doMapa.end()) {
            continue;
        }
        if (noBanco.count(tabela) == 0) {
            mudancas.push_back(
                Mudanca(TChangeKind::tableDropped, tabela,
                        ComAlias("Dropped", mapa->second.primeiras.front()->getTabela().alias)));
            continue;
        }
        const auto banco = doBanco.find(tabela);
        if (banco == doBanco.end()) {
            // A table the database lists without columns: every column is gone.
            for (const TColuna* velha : mapa->second.primeiras) {
                mudancas.push_back(Mudanca(
                    TChangeKind::columnDropped, tabela,
                    ComAlias(PrefixoColuna(velha->nome) + "Dropped", velha->alias), velha->nome));
            }
            continue;
        }
        ComparaTabela(tabela, mapa->second, banco->second, mudancas);
    }
    for (const std::string& tabela : databaseTables) {
        if (noMapa.count(tabela) != 0) {
            continue;
        }
        const auto banco = doBanco.find(tabela);
        const std::size_t quantas = banco == doBanco.end() ? 0 : banco->second.primeiras.size();
        mudancas.push_back(Mudanca(TChangeKind::tableAdded, tabela,
                                   "Added (" + std::to_string(quantas) +
                                       (quantas == 1 ? " Column)" : " Columns)")));
    }
    return mudancas;
}

std::unique_ptr<TControlaColunas> ApplyRefresh(const TControlaColunas& mapping,
                                               const TControlaColunas& database,
                                               const TRefreshChanges& changes,
                                               const std::vector<bool>& chosen) {
    const TEscolhas escolhas = Escolhas(changes, chosen);
    const auto doMapa = PorTabela(mapping);
    const auto doBanco = PorTabela(database);
    static const TEscolhasTabela nenhuma;
    const auto escolhasDe = [&escolhas](const std::string& tabela) -> const TEscolhasTabela& {
        const auto achadas = escolhas.porTabela.find(tabela);
        return achadas == escolhas.porTabela.end() ? nenhuma : achadas->second;
    };
    const auto colunaDoBanco = [&doBanco](const std::string& tabela,
                                          const std::string& coluna) -> const TColuna* {
        const auto banco = doBanco.find(tabela);
        if (banco == doBanco.end()) {
            return nullptr;
        }
        const auto achada = banco->second.posicao.find(coluna);
        return achada == banco->second.posicao.end() ? nullptr
                                                     : banco->second.primeiras[achada->second];
    };
    // A copy of a mapping column with its chosen property changes.
    const auto copiaAlterada = [&](const TColuna& coluna, const std::string& tabela,
                                   const TEscolhasTabela& daTabela) {
        std::unique_ptr<TColuna> copia = Copia(coluna);
        const auto propriedades = daTabela.propriedades.find(coluna.nome);
        const TColuna* fonte = colunaDoBanco(tabela, coluna.nome);
        if (propriedades != daTabela.propriedades.end() && fonte != nullptr) {
            for (const auto& [property, mantida] : propriedades->second) {
                if (mantida) {
                    copia->handSet[property] = PropertyValue(*fonte, property);
                } else {
                    CopyProperty(*copia, *fonte, property);
                }
            }
        }
        return copia;
    };

    TArrColunas resultado;
    std::unordered_set<std::string> feitas; // tables whose columns were put in their new order
    std::unordered_set<const TColuna*> primeiras;
    for (const auto& [nome, tabela] : doMapa) {
        primeiras.insert(tabela.primeiras.begin(), tabela.primeiras.end());
    }
    std::vector<std::pair<std::size_t, std::string>> inicios; // where each changed table starts
    for (const auto& coluna : mapping.getColunas()) {
        const std::string tabela = std::as_const(*coluna).getTabela().getNomeCompleto();
        if (escolhas.tabelasRemovidas.count(tabela) != 0) {
            continue;
        }
        const TEscolhasTabela& daTabela = escolhasDe(tabela);
        if (!daTabela.MudaEstrutura()) {
            resultado.push_back(primeiras.count(coluna.get()) != 0
                                    ? copiaAlterada(*coluna, tabela, daTabela)
                                    : Copia(*coluna));
            continue;
        }
        if (!feitas.insert(tabela).second) {
            continue;
        }
        // The table in its new order: the mapping's columns that stay where they are, then
        // each moved or added column after the column the database puts before it.
        const TColunasTabela& mapa = doMapa.at(tabela);
        TArrColunas lista;
        for (const TColuna* velha : mapa.todas) {
            const bool primeira = primeiras.count(velha) != 0;
            if (daTabela.removidas.count(velha->nome) != 0 ||
                (primeira && daTabela.movidas.count(velha->nome) != 0)) {
                continue;
            }
            lista.push_back(primeira ? copiaAlterada(*velha, tabela, daTabela) : Copia(*velha));
        }
        if (const auto banco = doBanco.find(tabela); banco != doBanco.end()) {
            const TTabela& modelo = mapa.primeiras.front()->getTabela();
            std::size_t onde = 0;
            for (const TColuna* nova : banco->second.primeiras) {
                std::unique_ptr<TColuna> inserida;
                if (daTabela.movidas.count(nova->nome) != 0) {
                    inserida = copiaAlterada(*mapa.primeiras[mapa.posicao.at(nova->nome)], tabela,
                                             daTabela);
                } else if (daTabela.adicionadas.count(nova->nome) != 0) {
                    inserida = Copia(*nova);
                    TomaTabela(*inserida, modelo);
                }
                if (inserida) {
                    lista.insert(lista.begin() + static_cast<std::ptrdiff_t>(onde),
                                 std::move(inserida));
                    ++onde;
                    continue;
                }
                const auto presente =
                    std::find_if(lista.begin(), lista.end(),
                                 [nova](const auto& c) { return c->nome == nova->nome; });
                if (presente != lista.end()) {
                    onde = static_cast<std::size_t>(presente - lista.begin()) + 1;
                }
            }
        }
        for (auto& nova : lista) {
            resultado.push_back(std::move(nova));
        }
    }
    for (const std::string& tabela : escolhas.tabelasAdicionadas) {
        if (const auto banco = doBanco.find(tabela); banco != doBanco.end()) {
            for (const TColuna* nova : banco->second.todas) {
                resultado.push_back(Copia(*nova));
            }
        }
    }
    // The tables' comments, on every copy of each table record.
    for (auto& coluna : resultado) {
        TTabela& tabela = coluna->getTabela();
        const std::string nome = tabela.getNomeCompleto();
        const TEscolhasTabela& daTabela = escolhasDe(nome);
        if (!daTabela.comentario) {
            continue;
        }
        const auto banco = doBanco.find(nome);
        if (banco == doBanco.end()) {
            continue;
        }
        const std::string& doBancoComentario = banco->second.primeiras.front()->getTabela().comment;
        if (*daTabela.comentario) {
            tabela.handSetComment = doBancoComentario;
        } else {
            tabela.comment = doBancoComentario;
        }
    }

    auto novo = std::make_unique<TControlaColunas>(resultado.size());
    TArrColunas& destino = novo->getColunas();
    for (std::size_t i = 0; i < resultado.size(); ++i) {
        destino[i] = std::move(resultado[i]);
    }
    return novo;
}

std::vector<const TColuna*> ColumnsTaken(const TControlaColunas& database,
                                         const TRefreshChanges& changes,
                                         const std::vector<bool>& chosen) {
    const TEscolhas escolhas = Escolhas(changes, chosen);
    const auto doBanco = PorTabela(database);
    std::vector<const TColuna*> tomadas;
    for (const std::string& tabela : escolhas.tabelasAdicionadas) {
        if (const auto banco = doBanco.find(tabela); banco != doBanco.end()) {
            tomadas.insert(tomadas.end(), banco->second.todas.begin(), banco->second.todas.end());
        }
    }
    for (const auto& [tabela, daTabela] : escolhas.porTabela) {
        const auto banco = doBanco.find(tabela);
        if (banco == doBanco.end()) {
            continue;
        }
        const auto pega = [&](const std::string& coluna) {
            if (const auto achada = banco->second.posicao.find(coluna);
                achada != banco->second.posicao.end()) {
                tomadas.push_back(banco->second.primeiras[achada->second]);
            }
        };
        for (const std::string& coluna : daTabela.adicionadas) {
            pega(coluna);
        }
        for (const auto& [coluna, propriedades] : daTabela.propriedades) {
            for (const auto& [property, mantida] : propriedades) {
                if (property == TColumnProperty::type && !mantida) {
                    pega(coluna);
                }
            }
        }
    }
    return tomadas;
}

std::string ChangesText(const TRefreshChanges& changes) {
    std::string texto;
    const std::string* anterior = nullptr;
    for (const TRefreshChange& mudanca : changes) {
        if (anterior == nullptr || *anterior != mudanca.table) {
            texto += "Table " + Aspas(mudanca.table) + ":\n";
            anterior = &mudanca.table;
        }
        texto += "    " + mudanca.text + "\n";
    }
    return texto;
}

} // namespace fendril
