#pragma once

// The body the document windows share: a tab control "pcontrol" above a status bar
// "barra". Each window adds its own pages and status panels.

#include <QString>

class QStatusBar;
class QTabWidget;
class QVBoxLayout;
class QWidget;

namespace fendril {

struct TCorpoJanela {
    QWidget* corpo = nullptr;
    QVBoxLayout* layout = nullptr;
    QTabWidget* pcontrol = nullptr;
};

// The body widget with the tab control taking all the height the status bar leaves.
TCorpoJanela CriaCorpoJanela(QWidget* janela);

// An empty page named `nome` of the tab control; the window fills it and adds it.
QWidget* NovaPagina(QTabWidget* pcontrol, const QString& nome);

// The status bar "barra" at the foot of the body, without a size grip.
QStatusBar* CriaBarraEstado(const TCorpoJanela& corpo);

} // namespace fendril
