#include "model/TColuna.h"

#include "model/Registro.h"
#include "model/Textos.h"

#include <utility>

namespace fendril {

TColuna::TColuna() : m_tabela(std::make_shared<TTabela>()) {}

TTabela& TColuna::getTabela() {
    if (m_tabela.use_count() > 1) {
        m_tabela = std::make_shared<TTabela>(std::as_const(*m_tabela));
    }
    return *m_tabela;
}

TColuna::~TColuna() {
    // Unlink a chain of referenced columns one level at a time, so that a very deep chain
    // read from a damaged document cannot exhaust the stack.
    std::unique_ptr<TColuna> proxima = std::move(m_colunaEstrangeira);
    while (proxima) {
        proxima = std::move(proxima->m_colunaEstrangeira);
    }
}

void TColuna::CompartilhaTabelaIgual(std::shared_ptr<TTabela>& anterior) {
    if (anterior && anterior != m_tabela && *anterior == *m_tabela) {
        m_tabela = anterior;
    } else {
        anterior = m_tabela;
    }
}

void TColuna::CriaColunaEstrangeira() {
    if (!m_colunaEstrangeira) {
        m_colunaEstrangeira = std::make_unique<TColuna>();
    }
}

void TColuna::CopiaColunaEstrangeira(const TColuna& coluna) {
    if (!m_colunaEstrangeira) {
        // Into a new column the round trip gives what CopiaCodificada builds without the
        // text (made before it replaces anything, as `coluna` may be this column).
        m_colunaEstrangeira = coluna.CopiaCodificada();
        return;
    }
    const std::string texto = coluna.Codifica(); // before: `coluna` may be our own reference
    m_colunaEstrangeira->Decodifica(texto);
}

void TColuna::RemoveColunaEstrangeira() {
    m_colunaEstrangeira.reset();
}

void TColuna::CodificaPropria(std::string& texto, TTabelaCodificada* anterior) const {
    const bool escapado = registro::PrecisaEscape({nome, alias});
    texto.append("TColuna||");
    registro::AcrescentaCampo(texto, nome, escapado);
    texto.append(std::to_string(getChavePrimaria())).append("=>");
    texto.append(habilitado ? "1" : "0").append("=>");
    registro::AcrescentaCampo(texto, alias, escapado);
    texto.append(chaveEstrangeira ? "1" : "0").append("=>");
    registro::AcrescentaMarca(texto, escapado);
    texto.append("|>");
    m_tipoDado.CodificaEm(texto);
    if (anterior == nullptr) {
        texto.append(m_tabela->Codifica());
        return;
    }
    if (anterior->registro != m_tabela) {
        anterior->texto = m_tabela->Codifica();
        anterior->registro = m_tabela;
    }
    texto.append(anterior->texto);
}

std::string TColuna::Codifica() const {
    std::string texto;
    texto.reserve(160);
    const TColuna* coluna = this;
    for (;;) {
        coluna->CodificaPropria(texto);
        if (!coluna->chaveEstrangeira || !coluna->m_colunaEstrangeira) {
            break;
        }
        coluna = coluna->m_colunaEstrangeira.get();
    }
    texto.append("|>");
    return texto;
}

std::string TColuna::Codifica(TTabelaCodificada& anterior) const {
    std::string texto;
    texto.reserve(160);
    // Only the column's own table can be the one encoded before; referenced columns have
    // records of their own.
    CodificaPropria(texto, &anterior);
    for (const TColuna* coluna = this; coluna->chaveEstrangeira && coluna->m_colunaEstrangeira;) {
        coluna = coluna->m_colunaEstrangeira.get();
        coluna->CodificaPropria(texto);
    }
    texto.append("|>");
    return texto;
}

std::unique_ptr<TColuna> TColuna::CopiaCodificada() const {
    // Every encoded field reads back as it was written (the fields are escaped whenever a
    // separator could be misread), so copying them gives what the round trip gives; what
    // the encoding leaves out keeps a new column's defaults, as after Decodifica.
    auto copia = std::make_unique<TColuna>();
    const TColuna* origem = this;
    TColuna* destino = copia.get();
    for (;;) {
        destino->nome = origem->nome;
        destino->setChavePrimaria(origem->getChavePrimaria());
        destino->habilitado = origem->habilitado;
        destino->alias = origem->alias;
        destino->chaveEstrangeira = origem->chaveEstrangeira;
        destino->m_tipoDado = origem->m_tipoDado;
        TTabela& tabela = *destino->m_tabela;
        tabela.nome = origem->m_tabela->nome;
        tabela.esquema = origem->m_tabela->esquema;
        tabela.tipo = origem->m_tabela->tipo;
        tabela.alias = origem->m_tabela->alias;
        tabela.getBaseDados().nome = origem->m_tabela->getBaseDados().nome;
        // Codifica goes on to the referenced column under the same condition.
        if (!origem->chaveEstrangeira || !origem->m_colunaEstrangeira) {
            break;
        }
        origem = origem->m_colunaEstrangeira.get();
        destino->m_colunaEstrangeira = std::make_unique<TColuna>();
        destino = destino->m_colunaEstrangeira.get();
    }
    return copia;
}

void TColuna::CopiaFatosDe(const TColuna& outra) {
    facts = outra.facts;
    handSet = outra.handSet;
    TTabela& tabela = getTabela();
    tabela.comment = outra.m_tabela->comment;
    tabela.handSetComment = outra.m_tabela->handSetComment;
}

void TColuna::DecodificaPropria(std::string_view parte) {
    const TListaVistas campos = SeparaCamposVista(PulaNomeTipo(parte, 9), "=>");
    const bool escapado = registro::Escapado(campos, 5);
    nome = registro::LeCampo(ItemDaLista(campos, 0), escapado);
    setChavePrimaria(ParaInteiro(ItemDaLista(campos, 1)));
    habilitado = ItemDaLista(campos, 2) == "1";
    alias = registro::LeCampo(ItemDaLista(campos, 3), escapado);
    chaveEstrangeira = ItemDaLista(campos, 4) == "1";
}

void TColuna::Decodifica(std::string_view texto) {
    TTabelaLida nenhuma;
    Decodifica(texto, nenhuma);
}

namespace {

// Whether a record agrees with `tabela` on what the encoding does not carry; no record
// stands for a new one.
bool MesmoComentario(const TTabela& registro, const TTabela* tabela) {
    if (tabela == nullptr) {
        return registro.comment.empty() && !registro.handSetComment;
    }
    return registro.comment == tabela->comment && registro.handSetComment == tabela->handSetComment;
}

} // namespace

std::unique_ptr<TColuna> TColuna::ComTabela(std::shared_ptr<TTabela> tabela) {
    std::unique_ptr<TColuna> coluna(new TColuna(TSemTabela{}));
    coluna->m_tabela = std::move(tabela);
    return coluna;
}

std::unique_ptr<TColuna> TColuna::DecodificaNova(std::string_view texto, TTabelaLida& anterior) {
    std::unique_ptr<TColuna> coluna(new TColuna(TSemTabela{}));
    coluna->Decodifica(texto, anterior);
    return coluna;
}

void TColuna::Decodifica(std::string_view texto, TTabelaLida& anterior) {
    // Cut at "|>", each level of referenced column takes four pieces: its own part, its
    // type, its table and the table's database. A non-empty piece after them starts the
    // next level, which replaces whatever referenced column that level had.
    // The pieces are decoded where they lie: cutting a piece with its "|>" again would only
    // give the piece back.
    const TListaVistas partes = SeparaCamposVista(texto, "|>");
    TColuna* coluna = this;
    for (std::size_t base = 0;; base += 4) {
        coluna->m_tipoDado.Decodifica(ItemDaLista(partes, base + 1));
        const std::string_view propriaTabela = ItemDaLista(partes, base + 2);
        const std::string_view baseDados = ItemDaLista(partes, base + 3);
        if (base > 0) {
            coluna->getTabela().DecodificaPartes(propriaTabela, baseDados);
        } else if (anterior.tabela && anterior.tabela != m_tabela &&
                   anterior.propria == propriaTabela && anterior.baseDados == baseDados &&
                   MesmoComentario(*anterior.tabela, m_tabela.get())) {
            // Decoding the same parts into a record that agrees on the rest would give an
            // equal record. The next line is compared with this one's parts (the same).
            m_tabela = anterior.tabela;
            anterior.propria = propriaTabela;
            anterior.baseDados = baseDados;
        } else {
            if (!m_tabela) {
                m_tabela = std::make_shared<TTabela>();
            }
            getTabela().DecodificaPartes(propriaTabela, baseDados);
            anterior = {propriaTabela, baseDados, m_tabela};
        }
        coluna->DecodificaPropria(ItemDaLista(partes, base));
        if (ItemDaLista(partes, base + 4).empty()) {
            break;
        }
        coluna->m_colunaEstrangeira = std::make_unique<TColuna>();
        coluna = coluna->m_colunaEstrangeira.get();
    }
}

TNomesColuna NomesDaCodificacao(std::string_view texto) {
    TNomesColuna nomes;
    const TListaVistas partes = SeparaCamposVista(texto, "|>");
    const auto campos = [&partes](std::size_t parte, std::size_t skip) {
        return parte < partes.size() ? SeparaCamposVista(PulaNomeTipo(partes[parte], skip), "=>")
                                     : TListaVistas();
    };
    const TListaVistas propria = campos(0, 9);
    if (!propria.empty()) {
        nomes.coluna = registro::LeCampo(propria[0], registro::Escapado(propria, 5));
    } else {
        nomes.coluna = std::string(PulaNomeTipo(texto.substr(0, texto.find("=>")), 9));
    }
    const TListaVistas tabela = campos(2, 9);
    if (tabela.size() >= 2) {
        const bool escapado = registro::Escapado(tabela, 4);
        TTabela t;
        t.nome = registro::LeCampo(tabela[0], escapado);
        t.esquema = registro::LeCampo(tabela[1], escapado);
        nomes.tabela = t.getNomeCompleto();
    }
    return nomes;
}

} // namespace fendril
