#pragma once

// A document layout's fields read from, and shown in, a window's controls. A document key is
// the objectName of the control that shows its value, so a window walks its layout's field
// table (documents/CamposDocumento.h) instead of naming every field twice.
//
// The walk covers the fields a control shows as they are stored: a text in a line edit, an
// editable drop-down, a code editor or an annotation (CR LF between lines in the document,
// LF in the editor) or a date field (the short date), a flag in a check box, the naming of
// per-table files in a check box (unchecked: the name, checked: the alias, partly checked:
// the alias or the short name). A field of any
// other kind (lists, tables, the column set, an option group), a field without a control of
// those kinds, and the fields the window names in `aParte` are left to the window.

#include "documents/CamposDocumento.h"

#include <QString>
#include <QWidget>
#include <initializer_list>
#include <string>
#include <string_view>

namespace fendril {

// What a date field does with a date it cannot read.
enum class TDataInvalida {
    Interrompe, // raises EConvertError there, the fields before it shown
    Ignora,     // keeps its date and lets the walk go on
};

// The value a control shows; false when it is not a control of the walk.
bool LeControle(const QWidget& controle, std::string& valor);
bool LeControle(const QWidget& controle, bool& valor);
bool LeControle(const QWidget& controle, TNomeArquivoTabela& valor);
// Shows the value; false when it is not a control of the walk. A date field keeps its date
// for an empty text (a document without a date) and raises EConvertError for one that is
// not a date, unless told to ignore it.
bool MostraNoControle(QWidget& controle, const std::string& valor,
                      TDataInvalida dataInvalida = TDataInvalida::Interrompe);
bool MostraNoControle(QWidget& controle, bool valor);
bool MostraNoControle(QWidget& controle, TNomeArquivoTabela valor);

namespace detalhe {

inline bool EstaAParte(std::string_view chave, std::initializer_list<std::string_view> aParte) {
    for (const std::string_view nome : aParte)
        if (nome == chave)
            return true;
    return false;
}

inline QWidget* ControleDe(const QWidget& janela, std::string_view chave) {
    return janela.findChild<QWidget*>(QString::fromUtf8(chave.data(), qsizetype(chave.size())));
}

} // namespace detalhe

// Reads into `valores` every field of the table that a control of the window shows.
template <class TDoc>
void LeCamposJanela(const QWidget& janela, TTabelaCampos<TDoc> tabela, TDoc& valores,
                    std::initializer_list<std::string_view> aParte = {}) {
    for (const TCampoDocumento<TDoc>& campo : tabela) {
        if (detalhe::EstaAParte(campo.chave, aParte))
            continue;
        const QWidget* controle = detalhe::ControleDe(janela, campo.chave);
        if (!controle)
            continue;
        std::visit(
            TSobrecarga{
                [&](std::string TDoc::*membro) { LeControle(*controle, valores.*membro); },
                [&](bool TDoc::*membro) { LeControle(*controle, valores.*membro); },
                [&](TNomeArquivoTabela TDoc::*membro) { LeControle(*controle, valores.*membro); },
                [](auto) {}},
            campo.membro);
    }
}

// Shows every field of the table that a control of the window shows, in the order opening
// reads them (LeCampos).
template <class TDoc>
void MostraCamposJanela(QWidget& janela, TTabelaCampos<TDoc> tabela, const TDoc& valores,
                        std::initializer_list<std::string_view> aParte = {},
                        TDataInvalida dataInvalida = TDataInvalida::Interrompe) {
    for (const TLeitura vez : {TLeitura::Primeiro, TLeitura::NaOrdem, TLeitura::Ultimo}) {
        for (const TCampoDocumento<TDoc>& campo : tabela) {
            if (campo.leitura != vez || detalhe::EstaAParte(campo.chave, aParte))
                continue;
            QWidget* controle = detalhe::ControleDe(janela, campo.chave);
            if (!controle)
                continue;
            std::visit(TSobrecarga{[&](std::string TDoc::*membro) {
                                       MostraNoControle(*controle, valores.*membro, dataInvalida);
                                   },
                                   [&](bool TDoc::*membro) {
                                       MostraNoControle(*controle, valores.*membro);
                                   },
                                   [&](TNomeArquivoTabela TDoc::*membro) {
                                       MostraNoControle(*controle, valores.*membro);
                                   },
                                   [](auto) {}},
                       campo.membro);
        }
    }
}

} // namespace fendril
