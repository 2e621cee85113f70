#include "model/TTabela.h"

#include "model/OrdinaisRowset.h"
#include "model/Registro.h"
#include "model/TLinhaEsquema.h"
#include "model/Textos.h"

namespace fendril {

TTabela::TTabela() : m_baseDados(std::make_unique<TBaseDados>()) {}

TTabela::TTabela(const TTabela& outra)
    : esquema(outra.esquema), nome(outra.nome), tipo(outra.tipo), alias(outra.alias),
      comment(outra.comment), handSetComment(outra.handSetComment),
      m_baseDados(std::make_unique<TBaseDados>(*outra.m_baseDados)) {}

bool TTabela::operator==(const TTabela& outra) const {
    return esquema == outra.esquema && nome == outra.nome && tipo == outra.tipo &&
           alias == outra.alias && comment == outra.comment &&
           handSetComment == outra.handSetComment && m_baseDados->nome == outra.m_baseDados->nome;
}

TTabela& TTabela::operator=(const TTabela& outra) {
    if (this != &outra) {
        TTabela copia(outra);
        *this = std::move(copia);
    }
    return *this;
}

void TTabela::setBaseDados(std::unique_ptr<TBaseDados> baseDados) {
    m_baseDados = baseDados ? std::move(baseDados) : std::make_unique<TBaseDados>();
}

std::string TTabela::getNomeCompleto() const {
    return esquema.empty() ? nome : esquema + "." + nome;
}

std::pair<std::string, std::string> SeparaNomeCompleto(const std::string& nome) {
    const std::size_t ponto = nome.find('.');
    if (ponto == std::string::npos) {
        return {std::string(), nome};
    }
    return {nome.substr(0, ponto), nome.substr(ponto + 1)};
}

std::string TTabela::Codifica() const {
    const bool escapado = registro::PrecisaEscape({nome, esquema, tipo, alias});
    std::string texto;
    texto.reserve(40 + nome.size() + esquema.size() + tipo.size() + alias.size());
    texto.append("TTabela||");
    for (const std::string* campo : {&nome, &esquema, &tipo, &alias}) {
        registro::AcrescentaCampo(texto, *campo, escapado);
    }
    registro::AcrescentaMarca(texto, escapado);
    texto.append("|>");
    texto.append(m_baseDados->Codifica());
    return texto;
}

void TTabela::Decodifica(std::string_view texto) {
    const TListaVistas partes = SeparaCamposVista(texto, "|>");
    DecodificaPartes(ItemDaLista(partes, 0), ItemDaLista(partes, 1));
}

void TTabela::DecodificaPartes(std::string_view propria, std::string_view baseDados) {
    m_baseDados->Decodifica(baseDados);
    const TListaVistas campos = SeparaCamposVista(PulaNomeTipo(propria, 9), "=>");
    const bool escapado = registro::Escapado(campos, 4);
    nome = registro::LeCampo(ItemDaLista(campos, 0), escapado);
    esquema = registro::LeCampo(ItemDaLista(campos, 1), escapado);
    tipo = registro::LeCampo(ItemDaLista(campos, 2), escapado);
    alias = registro::LeCampo(ItemDaLista(campos, 3), escapado);
}

void TTabela::LeLinhaTabelas(std::unique_ptr<TBaseDados> baseDados, const TLinhaEsquema& linha) {
    setBaseDados(std::move(baseDados));
    const auto le = [&linha](int ordinal) -> std::string {
        try {
            return linha.Nulo(ordinal) ? std::string() : linha.Texto(ordinal);
        } catch (const std::exception&) {
            return {};
        }
    };
    esquema = le(rowset::tables::TABLE_SCHEMA);
    nome = le(rowset::tables::TABLE_NAME);
    tipo = le(rowset::tables::TABLE_TYPE);
    comment = le(rowset::tables::DESCRIPTION);
}

} // namespace fendril
