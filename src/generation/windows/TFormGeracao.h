#pragma once

// The generation window (".kgf"): the description of a generation, the directory tree with
// its generation directory and file commands, the mapping and the two ticked template
// lists, and "Generate All Files", which hands the set-up to the progress window.

#include "model/TArquivo.h"
#include "ui/frame/TJanelaFilha.h"

#include <QElapsedTimer>
#include <QStringList>
#include <functional>

class QAction;
class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QStatusBar;
class QTabWidget;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace fendril {

class TFormGeracao : public TJanelaFilha {
    Q_OBJECT
public:
    // What a tree node is. Its icon follows from its kind, whether it is expanded and
    // whether it is the generation directory (pathGeracao).
    enum class TTipoNo { Diretorio, Arquivo, ModeloTabela, Mapeamento, Geracao, ModeloGeral };
    // The icon a tree node shows, by index.
    enum Icone {
        DiretorioFechado = 0,
        DiretorioAberto = 1,
        Arquivo = 2,
        ArquivoModeloTabela = 3,
        ArquivoMapeamento = 4,
        ArquivoGeracao = 5,
        GeracaoAberto = 6,
        GeracaoFechado = 7,
        ArquivoModeloGeral = 8,
    };

    explicit TFormGeracao(TFormTelaPrincipal& principal);

    QString extensao() const override { return QStringLiteral("kgf"); }
    TArquivoKMF getArquivo() const override;
    // Relative paths of the document are taken from the folder of the document being
    // opened (of the window's own path otherwise).
    void setArquivo(const TArquivoKMF& documento) override;
    void AbreArquivoKMF(const QString& caminho) override;
    bool ExecutaComando(TComando comando) override;
    void AlternaBarra(const QString& item) override;

    // --- Tree ---
    QTreeWidgetItem* raiz() const;
    QTreeWidgetItem* noSelecionado() const;
    // The texts from the root down to the node joined with the separator; pathno adds one
    // at the end. The full path is pathRaiz + pathatual.
    QString pathatual(const QTreeWidgetItem* no) const;
    QString pathno(const QTreeWidgetItem* no) const;
    QString caminhoCompleto(const QTreeWidgetItem* no) const;
    // Reads the node's whole subtree from the disk. Raises EErroGeral.
    void MontaFilhos(QTreeWidgetItem* no);
    // The node's children rebuilt, then the node expanded. Raises EErroGeral.
    void CarregaNo(QTreeWidgetItem* no);
    // The directory entry of a node; a new TArquivo (attributes -1) for the root and for
    // a node no longer on the disk.
    TArquivo ObjArquivo(const QTreeWidgetItem* no) const;
    // Attribute bit 16 of the node's entry (so the root and vanished nodes count).
    bool ehDiretorio(const QTreeWidgetItem* no) const;
    // The file kind (and icon) the node's extension gives.
    static void ColocaIcones(QTreeWidgetItem* no);
    QTreeWidgetItem* ExisteDir(const QString& caminho, QTreeWidgetItem* no) const;
    // The generation directory when its node is found from `no`; empty otherwise. It is
    // forgotten as soon as its node is removed, renamed, rebuilt or made simple again.
    QString getGenerationDir(QTreeWidgetItem* no) const;
    bool setGenerationDir(QTreeWidgetItem* no);
    void doRefreshNo(const QString& caminho, QTreeWidgetItem* no);
    void DeleteArquivo(QTreeWidgetItem* no, bool diretorio);
    static int indiceIcone(const QTreeWidgetItem* no);
    static TTipoNo tipoNo(const QTreeWidgetItem* no);
    // Gives a node its kind and the icon of that kind, as a node that is not the
    // generation directory.
    static void defineTipo(QTreeWidgetItem* no, TTipoNo tipo);

    QString pathRaiz() const { return m_pathRaiz; }
    QString pathGeracao() const { return m_pathGeracao; }
    QString textoBarra() const;

    // --- Commands ---
    void NewRootDirectory1Click();
    void UnmountRootDirectory1Click();
    void Refresh1Click();
    void DefineAsGenerationDirectory1Click();
    void SetAsCommonDirectory1Click();
    void NewDirectory1Click();
    void Rename1Click();
    void DeleteDirectory1Click();
    void Execute1Click();
    void View1Click();
    void NewMappingFile1Click();
    void NewFendrilTemplateFile1Click();
    void but_generateClick();
    void but_viewlogClick();
    void ab_mapfileClick();
    void ab_fendrilClick();
    void ab_templClick();
    // Table-class list: Delete, Insert, Check, Uncheck, Check Existing Files.
    void Delete1Click();
    void Insert1Click();
    void Check1Click();
    void Uncheck1Click();
    void CheckExistingFiles1Click();
    // General list: the same, in the same order.
    void MenuItem1Click();
    void MenuItem2Click();
    void MenuItem3Click();
    void MenuItem4Click();
    void CheckExistingFiles2Click();

    // The end of an in-place rename of a node: the disk entry is renamed, and the node
    // keeps its old text when the disk refuses.
    void tv_diraizEdited(QTreeWidgetItem* no, const QString& texto);

    // Dragging the tree's selected node onto edit_mapfile, cb_fendril or cb_templ.
    bool AceitaArrasto(const QObject* alvo) const;
    void SoltaArrasto(const QObject* alvo);

    // The ticked entries of a list, in order.
    static QStringList ItensMarcados(const QListWidget* lista);

    // Starts a file with the program the desktop associates with it; replaced by tests.
    // The default starts nothing while dialogs are answered by a test.
    using TAbreExterno = std::function<bool(const QString&)>;
    static void setAbreExterno(TAbreExterno abre);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void criaPaginaDescricao(QWidget* pagina);
    void criaPaginaGeracao(QWidget* pagina);
    void criaMenus();
    void MarcaSeUsuario();
    // The nodes below a directory, read from the disk depth first, not yet in the tree;
    // `semEntradas` tells a listing without any entry.
    QList<QTreeWidgetItem*> montaSubarvore(const QString& caminho, QStringList& cadeia,
                                           bool* semEntradas = nullptr);
    void mostraDiretorio(const QString& nome);
    void mostraBarra(const QString& texto, bool forcaPintura);
    // The node's icon as its kind, its expansion and the generation directory make it.
    void atualizaIcone(QTreeWidgetItem* no);
    bool ehGeracao(const QTreeWidgetItem* no) const;
    // Whether the generation directory is the node or lies below it.
    bool geracaoDentro(const QTreeWidgetItem* no) const;
    // No generation directory any more; its node, when there is one, shows as simple.
    void esqueceGeracao();
    void insereModelos(QListWidget* lista, const QString& filtro);
    void marcaSelecionado(QListWidget* lista, bool marcado);
    void removeSelecionado(QListWidget* lista);
    void removeInexistentes(QListWidget* lista);
    void adicionaModelo(QListWidget* lista, const QString& caminho, bool marcado);
    QListWidget* listaDoAlvo(const QObject* alvo) const;
    QString pastaDocumento() const;
    QString resolve(const std::string& caminho) const;
    void executaProtegido(const std::function<void()>& acao);

    QTabWidget* m_pcontrol = nullptr;
    QLineEdit* m_nome = nullptr;
    QLineEdit* m_autor = nullptr;
    QDateEdit* m_data = nullptr;
    QPlainTextEdit* m_comentario = nullptr;
    QToolBar* m_cbGeneration = nullptr;
    QSplitter* m_divisor = nullptr;
    QTreeWidget* m_arvore = nullptr;
    QLineEdit* m_mapfile = nullptr;
    QListWidget* m_fendril = nullptr;
    QListWidget* m_templ = nullptr;
    QCheckBox* m_fundeEdicoes = nullptr;
    QMenu* m_menuArvore = nullptr;
    QMenu* m_menuFendril = nullptr;
    QMenu* m_menuTempl = nullptr;
    QStatusBar* m_barra = nullptr;
    QLabel* m_painel = nullptr;

    QString m_pathRaiz;
    QString m_pathGeracao;
    QString m_pastaAbrindo;
    // Changes made by the program, not by the user, leave the changed mark alone.
    int m_carregando = 0;
    bool m_arrastoAceito = false;
    QElapsedTimer m_ultimaPintura;
};

// Registers the window as the factory of the ".kgf" kind.
void RegistraGeracao();

} // namespace fendril
