#pragma once

// The code editor of the template windows: the editor with its status bar and tag
// highlighter, the editor commands of their tool bars and pop-up menus, Refresh
// Highlighting and what a released key does.

#include "ui/frame/TEditorTags.h"

#include <QString>
#include <QStringList>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QObject;
class QPlainTextEdit;
class QSplitter;
class QStatusBar;
class QTreeWidget;
class QWidget;

namespace fendril {

class TJanelaFilha;

// One code editor: fixed font, no wrapping, both scroll bars; a status bar of three panels
// (insert indicator, -, progress of Refresh Highlighting) and its tag highlighter.
struct TEditorCodigo {
    QPlainTextEdit* editor = nullptr;
    QStatusBar* barra = nullptr;
    QLabel* paineis[3] = {nullptr, nullptr, nullptr};
    TRealceTags* realce = nullptr;

    // The editor `nome` as a child of `paiEditor`, its key events sent to `filtro`; the
    // status bar `nomeBarra` (panels `nomeBarra`_painel0 to 2, "Insert" in the first) as a
    // child of `paiBarra`; the highlighter with the window's word lists.
    void Cria(QWidget* paiEditor, QWidget* paiBarra, const QString& nome, const QString& nomeBarra,
              QObject* filtro, const QStringList& tagsComuns, const QStringList& tagsIterativas);
};

// The editor commands of the tool bars and pop-up menus.
enum class TComandoEditor { Abrir, Salvar, Imprimir, Cortar, Copiar, Colar, Desfazer, MarcarTudo };

// Runs a command on `editor`; `janela` owns the dialogs and messages, and its caption names
// the printed document. Open Text File replaces the text with the lines of the chosen file, Save To
// File writes the text's lines to the chosen file; an error reading or writing is shown. What
// changes the text is seen by the editor's highlighter (TRealceTags::textoEditado).
void ExecutaComandoEditor(TJanelaFilha* janela, QPlainTextEdit* editor, TComandoEditor comando);

// Adds the actions of the editor commands to a tool bar or a menu (`alvo`): Open Text File,
// Save To File, Print, a separator, Cut, Copy, Paste, Undo, Select All. `nomes` gives their
// objectNames in that order; the actions belong to `dono` and run `executa`.
void AdicionaComandosEditor(QWidget* alvo, QObject* dono, const QStringList& nomes,
                            const std::function<void(TComandoEditor)>& executa);

// The "<>" action (bold, "Show Tags") named `nome`, belonging to `dono` and added to `alvo`.
QAction* AdicionaMostraTags(QWidget* alvo, QObject* dono, const QString& nome,
                            const std::function<void()>& executa);
// The "Highlight Tags" switch (checkable, "but_realce"), belonging to `dono`, not added.
QAction* CriaAcaoRealce(QObject* dono);

// Show Tags: opens the tag tree's pane at a fifth of the splitter, or closes it.
void AlternaArvoreTags(QTreeWidget* arvore, QSplitter* divisor);

// Refresh Highlighting of an editor: the text stays as it is while the scan lets other
// events through; `painel`, when given, shows "Analysing Position n/total" meanwhile and
// is emptied at the end.
void AtualizaRealce(QPlainTextEdit* editor, TRealceTags* realce, QLabel* painel);

// The check of a released key in a code editor: the word before the caret, unless Ctrl
// or Shift alone is held.
void VerificaTeclaSolta(QPlainTextEdit* editor, TRealceTags* realce, Qt::KeyboardModifiers estado);

// The editor's pop-up menu of the template windows: the editor commands (objectNames
// OpenTextFile1 to SelectAll1), "Refresh" (Refresh1), " Show Tags" (ShowTags1) and the
// highlighting switch; it opens on every editor of `editores`.
QMenu* CriaMenuEditor(QWidget* dono, const std::function<void(TComandoEditor)>& executa,
                      const std::function<void()>& atualiza,
                      const std::function<void()>& mostraTags, QAction* realce,
                      std::initializer_list<QPlainTextEdit*> editores);

} // namespace fendril
