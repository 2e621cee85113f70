#pragma once

// The table-class template window (".tpt"): the description, the three code editors (table
// class, parent class, make file) with their tag tree, status bars and highlighting, the
// naming of the output files, and the types correspondence table.

#include "ui/frame/TEditorCodigo.h"
#include "ui/frame/TJanelaFilha.h"

#include <QStringList>

class QAction;
class QDateEdit;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QTabWidget;
class QTableWidget;
class QToolBar;
class QTreeWidget;

namespace fendril {

class TCaixaNomeArquivo;
struct TDocModeloTabela;
class TListaProblemas;
class TPainelPrevia;

class TFormFilhaModelo : public TJanelaFilha {
    Q_OBJECT
public:
    explicit TFormFilhaModelo(TFormTelaPrincipal& principal);

    QString extensao() const override { return QStringLiteral("tpt"); }
    TArquivoKMF getArquivo() const override;
    void setArquivo(const TArquivoKMF& documento) override;
    bool ExecutaComando(TComando comando) override;
    void AlternaBarra(const QString& item) override;

    // Tag insertion into editorAtual; the document becomes modified.
    void InsereString(const QString& texto, bool bloco);
    // The table-class file-name preview with the given name tag.
    void EscreveTbFileName(const QString& tag);
    // Writes the header of the types table.
    void InciciaTabela();
    // The names chosen in the provider types loader: sorted without regard to letter
    // case, one per row in the first column; the other columns keep their cells.
    void PreencheTiposProvider(QStringList tipos);

    // Commands.
    void but_abrirClick();
    void but_salvarClick();
    void but_printerClick();
    void but_cortarClick();
    void but_copiarClick();
    void but_colarClick();
    void but_undoClick();
    void but_marcartudoClick();
    void but_refreshClick();
    void but_mostratagsClick();
    void but_loadClick();
    void but_abrirtiposClick();
    void but_eraseClick();

    // Event handlers.
    void arvoreDblClick();
    void pcontrolChange();

    QPlainTextEdit* editorAtual() const { return m_editorAtual; }
    bool modoInsercao() const { return m_indicador.modoInsercao(); }
    // The highlighter of editor 0 (table class), 1 (parent class) or 2 (make file).
    TRealceTags* realce(int editor) const { return m_editores[editor].realce; }
    // Switches highlighting of an editor on (then checks its whole text) or off.
    void setRealceAtivo(int editor, bool ativo);
    QString textoPainel(int editor, int painel) const;
    // Whether Refresh Highlighting is scanning.
    bool analisando() const { return m_analisando; }
    TPainelPrevia* painelPrevia() const { return m_previa; }
    TListaProblemas* listaProblemas() const { return m_problemas; }
    // The template document as the window holds it, for the preview: as saving builds it,
    // also while no author is given.
    TArquivoKMF documentoPrevia() const;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    void DocumentoEditado() override;

private:
    QWidget* criaPaginaDescricao();
    QWidget* criaPaginaCodigo();
    QWidget* criaPaginaNomes();
    QWidget* criaPaginaTipos();
    QWidget* criaEditor(int indice, const QString& nome, const QString& nomeBarra);
    int indiceEditor(const QObject* objeto) const;
    // The editor of the active inner tab, -1 on "File Names".
    int editorDaGuia() const;
    void comandoEditor(TComandoEditor comando);
    void editorKeyUp(int indice, int tecla, Qt::KeyboardModifiers estado);
    // The table-part tag of the table class file-name preview: the naming and the name form.
    QString tagNomeArquivo() const;
    void edit_parparentclassKeyUp();
    void edit_makeprefixKeyUp();
    void tb_tiposSelectCell(int linha, int coluna, int linhaAnterior, int colunaAnterior);
    void defineLinhas(int linhas);
    void celula(int linha, int coluna, const QString& texto);
    QString textoCelula(int linha, int coluna) const;
    void mostraSelecao(QPlainTextEdit* editor, bool mostrar);
    void atualizaAcaoRealce();
    // The values the controls hold, as saving takes them.
    TDocModeloTabela valores() const;
    // The problems of the editor of the active tab (the last one shown on "File Names").
    void atualizaProblemas();

    QTabWidget* m_pcontrolprincipal = nullptr;
    QTabWidget* m_pcontrol = nullptr;
    QLineEdit* m_nome = nullptr;
    QLineEdit* m_autor = nullptr;
    QDateEdit* m_data = nullptr;
    QPlainTextEdit* m_comentario = nullptr;
    QToolBar* m_cbCode = nullptr;
    QToolBar* m_cbTypes = nullptr;
    QAction* m_acaoRealce = nullptr;
    QSplitter* m_divisor = nullptr;
    QTreeWidget* m_arvore = nullptr;
    TEditorCodigo m_editores[3];
    QPlainTextEdit* m_editorAtual = nullptr;
    QWidget* m_tabSettings = nullptr;
    QLineEdit* m_tablePrefix = nullptr;
    QLineEdit* m_tableSufix = nullptr;
    QLineEdit* m_tableExtension = nullptr;
    QLineEdit* m_tableFname = nullptr;
    TCaixaNomeArquivo* m_cbFname = nullptr;
    QLineEdit* m_nameForm = nullptr;
    QPlainTextEdit* m_reservedWords = nullptr;
    QLineEdit* m_parPrefix = nullptr;
    QLineEdit* m_parSufix = nullptr;
    QLineEdit* m_parExtension = nullptr;
    QLineEdit* m_parFname = nullptr;
    QLineEdit* m_parParentClass = nullptr;
    QLineEdit* m_makePrefix = nullptr;
    QLineEdit* m_makeExtension = nullptr;
    QLineEdit* m_makeFname = nullptr;
    QTableWidget* m_tipos = nullptr;
    TPainelPrevia* m_previa = nullptr;
    TListaProblemas* m_problemas = nullptr;
    TIndicadorInsercao m_indicador;
    bool m_preenchendo = false;
    bool m_analisando = false;
    bool m_fecharAposAnalise = false;
};

// Registers the window as the factory of the ".tpt" kind.
void RegistraModeloTabela();

} // namespace fendril
