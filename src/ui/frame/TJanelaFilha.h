#pragma once

// The contract between the main window and its child windows: the document path and the
// caption that shows it, saving and opening the section document, the modified marker,
// the close prompt, the forwarded tool commands and the tool-bar view items.

#include "documents/TArquivoKMF.h"
#include "ui/frame/TComando.h"

#include <QMdiSubWindow>
#include <QString>

namespace fendril {

class TFormTelaPrincipal;

class TJanelaFilha : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit TJanelaFilha(TFormTelaPrincipal& principal);

    // The extension of the window's kind ("tpg"), which names its entry in TiposDocumento.
    virtual QString extensao() const = 0;

    // The path becomes the document's, which is then unmodified; the caption shows the
    // path's last component.
    void setNomeArq(const QString& caminho);
    QString gettNomeArq() const { return m_nomeArq; }
    // ConfirmaEdicoes, getArquivo written to the path, then setNomeArq. Raises EErroGeral.
    void SalvaArquivoKMF(const QString& caminho);
    // Reads the document at the path, setArquivo, then setNomeArq. Raises EErroGeral
    // and the conversion and lookup failures of setArquivo.
    virtual void AbreArquivoKMF(const QString& caminho);

    virtual TArquivoKMF getArquivo() const = 0;
    virtual void setArquivo(const TArquivoKMF& documento) = 0;

    // Runs a forwarded tool command of the window's kind; false for a command of another
    // kind.
    virtual bool ExecutaComando(TComando comando) = 0;
    // Inverts the visibility of the tool bar that the view item governs.
    virtual void AlternaBarra(const QString& item) { Q_UNUSED(item); }
    // F5 runs the window's Refresh (its action "but_refresh") wherever the focus is in the
    // window, also while the tool bar that shows the action is hidden.
    void DefineAtalhos();

    // Whether the document has changes not yet saved. The caption follows: Qt's
    // modified marker stands after the file name, so it reads "name *" while modified.
    bool modificado() const { return m_modificado; }
    void MarcaModificado();
    // The caption as the user reads it: the file name, followed by " *" while modified.
    QString legenda() const;

    // Whether the last close was refused because saving failed (Close All stops there).
    bool falhouAoSalvarNoFechamento() const { return m_falhaNoFechamento; }
    // Whether the window agreed to close (it is then destroyed soon after).
    bool fechada() const { return m_fechada; }

protected:
    // Takes up what the controls hold and the document does not yet (a panel's pending
    // edits), before getArquivo builds the document to save.
    virtual void ConfirmaEdicoes() {}
    // The person changed the document (MarcaModificado was called): a window whose views
    // follow the document schedules them here.
    virtual void DocumentoEditado() {}
    // FormClose: the close prompt when the document is modified.
    void closeEvent(QCloseEvent* evento) override;
    TFormTelaPrincipal& principal() const { return m_principal; }

private:
    QString nomeArquivo() const;

    TFormTelaPrincipal& m_principal;
    QString m_nomeArq;
    bool m_modificado = false;
    bool m_falhaNoFechamento = false;
    bool m_fechada = false;
};

} // namespace fendril
