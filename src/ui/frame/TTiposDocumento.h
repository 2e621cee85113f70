#pragma once

// The four kinds of document the main window knows, as data: extension, name of a new
// document, New command, save filter, tool tab, view items of its tool bars and the
// forwarded tool commands. A kind's window plugs in by registering its factory; the main
// window builds its menus, tool tabs and forwarding from this table alone.

#include "ui/frame/TComando.h"

#include <QString>
#include <functional>
#include <vector>

namespace fendril {

class TFormTelaPrincipal;
class TJanelaFilha;

// One forwarded command: a "Tools" submenu item and a button of the kind's tool tab, both
// running `comando` on the active child window of the kind. The Delphi-style objectNames
// are kept here only; tests find the controls by them.
struct TComandoFerramenta {
    int grupo = 0;               // a separator stands between rows of different groups
    TComando comando;            // what the child window runs
    QString legenda;             // menu caption
    QString dica{};              // button hint; the menu caption when empty
    QString rotuloBotao{};       // button caption; the hint when empty
    QString nomeMenu;            // objectName of the menu item
    QString nomeBotao;           // objectName of the button
    bool separadorAntes = false; // an extra separator button before it on the tab

    QString dicaBotao() const { return dica.isEmpty() ? legenda : dica; }
    QString legendaBotao() const { return rotuloBotao.isEmpty() ? dicaBotao() : rotuloBotao; }
};

// A view item that hides a child window's tool bar.
struct TItemBarra {
    QString item;    // "Windows" menu item and settings key
    QString gemeo;   // its twin in pop_view
    QString legenda; // caption
};

using TFabricaFilha = std::function<TJanelaFilha*(TFormTelaPrincipal&)>;

struct TTipoDocumento {
    QString titulo;       // "General Template": submenus and tool tab caption
    QString extensao;     // "tpg"
    QString nomeNovo;     // "noname.tpg"
    QString legendaNovo;  // caption in "File" > "New"
    QString dicaNovo;     // hint of the New button
    QString acaoNovo;     // objectName of the New command (its handler)
    QString filtroSalvar; // "General Template Files (*.tpg)|*.TPG|All Files (*.*)|*.*"
    QString guia;         // objectName of its tool tab page
    QString itemGuia;     // view item hiding the tool tab
    QString gemeoGuia;    // its twin
    std::vector<TItemBarra> barras;
    std::vector<TComandoFerramenta> comandos;
    TFabricaFilha fabrica{}; // empty while the kind's window is not built
};

// The kinds in the order in which Open tests their extensions: kmf, tpt, tpg, kgf.
std::vector<TTipoDocumento>& TiposDocumento();
TTipoDocumento* TipoPorExtensao(const QString& extensao);
void RegistraFabrica(const QString& extensao, TFabricaFilha fabrica);

} // namespace fendril
