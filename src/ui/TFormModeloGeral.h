#pragma once

// The general template window (".tpg"): one code editor with its tag tree, tool bar and
// status bar, and the Settings page with the types file and the naming of the output.

#include "ui/frame/TEditorCodigo.h"
#include "ui/frame/TJanelaFilha.h"

class QAction;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QSplitter;
class QTabWidget;
class QToolBar;
class QTreeWidget;

namespace fendril {

class TCaixaNomeArquivo;
class TListaProblemas;
class TPainelPrevia;

class TFormModeloGeral : public TJanelaFilha {
    Q_OBJECT
public:
    explicit TFormModeloGeral(TFormTelaPrincipal& principal);

    QString extensao() const override { return QStringLiteral("tpg"); }
    TArquivoKMF getArquivo() const override;
    void setArquivo(const TArquivoKMF& documento) override;
    bool ExecutaComando(TComando comando) override;
    void AlternaBarra(const QString& item) override;

    void InsereString(const QString& texto, bool bloco);
    // Recomputes the file-name preview for the current mode; the document becomes modified.
    void PreencheExtensao();

    // Commands.
    void but_abrirClick();
    void but_salvarClick();
    void but_printClick();
    void but_cortarClick();
    void but_copiarClick();
    void but_colarClick();
    void but_undoClick();
    void but_marcartudoClick();
    void but_cruzadosClick();
    void but_refreshClick();
    void but_mostratagsClick();
    void OvcAttachedButton1Click();

    // Event handlers.
    void arvoreDblClick();
    void rg_fileClick();

    TRealceTags* realce() const { return m_codigo.realce; }
    bool modoInsercao() const { return m_indicador.modoInsercao(); }
    QString textoPainel(int painel) const;
    TPainelPrevia* painelPrevia() const { return m_previa; }
    TListaProblemas* listaProblemas() const { return m_problemas; }
    QPlainTextEdit* editor() const { return m_codigo.editor; }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void DocumentoEditado() override;

private:
    void criaPaginaCodigo(QWidget* pagina);
    void criaPaginaSettings(QWidget* pagina);
    void AplicaModo();
    void comandoEditor(TComandoEditor comando);
    void re_classeobjetoKeyUp(int tecla, Qt::KeyboardModifiers estado);
    QString previewPorTabela() const;

    QTabWidget* m_pcontrol = nullptr;
    QToolBar* m_cbCode = nullptr;
    QAction* m_acaoRealce = nullptr;
    QSplitter* m_divisor = nullptr;
    QTreeWidget* m_arvore = nullptr;
    TEditorCodigo m_codigo;
    QLineEdit* m_typesFile = nullptr;
    QButtonGroup* m_rgFile = nullptr;
    QLineEdit* m_tablePrefix = nullptr;
    QLineEdit* m_tableSufix = nullptr;
    TCaixaNomeArquivo* m_cbFname = nullptr;
    QLineEdit* m_nameForm = nullptr;
    QLabel* m_rotuloNameForm = nullptr;
    QPlainTextEdit* m_reservedWords = nullptr;
    QLineEdit* m_makePrefix = nullptr;
    QLineEdit* m_makeExtension = nullptr;
    QLineEdit* m_makeFname = nullptr;
    QLineEdit* m_parentClass = nullptr;
    QLabel* m_rotuloPrefix = nullptr;
    QLabel* m_rotuloSufix = nullptr;
    QLabel* m_rotuloName = nullptr;
    TPainelPrevia* m_previa = nullptr;
    TListaProblemas* m_problemas = nullptr;
    TIndicadorInsercao m_indicador;
    bool m_preenchendo = false;
};

// Registers the window as the factory of the ".tpg" kind.
void RegistraModeloGeral();

} // namespace fendril
