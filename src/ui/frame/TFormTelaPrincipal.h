#pragma once

// The main window: a multiple-document frame holding one child window per document. It
// creates and opens children by kind, saves and closes them through TJanelaFilha, keeps
// the recent-files list and the view settings, and forwards the tool commands of its
// menus and tool tabs to the active child of the right kind.

#include "ui/frame/TComando.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <exception>
#include <map>
#include <vector>

class QAction;
class QMdiArea;
class QMenu;
class QStackedWidget;
class QTabWidget;
class QToolBar;

namespace fendril {

class TJanelaFilha;
class TPaginaInicial;
struct TTipoDocumento;

class TFormTelaPrincipal : public QMainWindow {
    Q_OBJECT
public:
    explicit TFormTelaPrincipal(QWidget* pai = nullptr);
    ~TFormTelaPrincipal() override;

    // --- Documents ---
    // Opens each path into a new child of every kind whose ".ext" the path contains. A
    // document that cannot be read is reported and leaves no window; a path of no known kind
    // is reported too. Either stops the rest of the list.
    void AbreArquivo(const QStringList& caminhos);
    // A new, empty child window of the kind, shown inside the work area; nullptr when that
    // kind's window is not built.
    TJanelaFilha* NovoDocumento(const QString& extensao);
    // Ctrl+N: asks which kind, then New.
    void NovoEscolhido();
    // Opens the shop example's generation (copied first into the user's data folder).
    void AbreExemplo();
    // The folder the shop example is copied from, instead of the one installed beside the
    // program.
    static void setPastaExemplo(const QString& pasta);
    void Mapeamento2Click();
    void Modelo1Click();
    void GeneralTemplate1Click();
    void Generation1Click();
    void AbirMapeamento1Click();
    void SalvaArquivo(TJanelaFilha* filha);
    // Asks where to save a child's document; the kind's extension replaces the chosen
    // name's. Empty when the user cancels.
    QString EscolheCaminhoSalvar(const TJanelaFilha& filha, const QString& titulo);
    void Salvar1Click();
    void SalvarComo1Click();
    void SalvarTodos1Click();
    void Fechar1Click();
    void FecharTodos1Click();
    // Asks every window to close; with `pararNaRecusa` the first that stays open stops the
    // others from being asked. Whether none is left.
    bool FechaTodas(bool pararNaRecusa);
    void Sair1Click();
    void ExitAndSaveMenuSettings1Click();

    TJanelaFilha* filhaAtiva() const;
    // The open children in the frame's order (those that agreed to close left out).
    std::vector<TJanelaFilha*> filhas() const;
    QMdiArea* mdiArea() const { return m_mdi; }
    // Runs a forwarded command on the active child when it is of the kind.
    void ExecutaFerramenta(const QString& extensao, TComando comando);

    // --- Installation directory and the user's folders ---
    // The installation directory the system's settings name; empty when none is.
    QString getDiretorioInstalado();
    QString diretorioInstalado() const { return m_diretorioInstalado; }
    // Where the settings and the recent list are kept: the installation directory, or the
    // user's configuration folder when none is configured.
    QString caminhoConfiguracao(const QString& nome) const;
    // Where load logs are written: the installation directory, or the user's data folder.
    QString diretorioLogs() const;
    // The folder the next save dialog starts in.
    void setDiretorioInicialSalvar(const QString& diretorio) { m_diretorioSalvar = diretorio; }

    // --- Recent files ---
    void GravaRecentes(const QString& caminho);
    void ColocaNoMenu();
    void RecenteClick(QAction* entrada);
    const QStringList& recentes() const { return m_recentes; }
    QMenu* menuReabrir() const { return m_menuReabrir; }

    // --- View settings ---
    bool ItemMarcado(const QString& item) const;
    // Toggles a view item through its own command, as its menu item does.
    void AlternaItemVista(const QString& item);
    void SalvaSettings();
    void LeSettings();
    void ViewDefault();
    // Positions of the three bands in the tool area: ToolBar3, ToolBar2, guias.
    QToolBar* banda(const QString& nome) const;
    QTabWidget* guias() const { return m_guias; }
    // The start page, shown while no document is open.
    TPaginaInicial* paginaInicial() const { return m_inicio; }

    // --- Help and about ---
    void Contents1Click();
    void About1Click();

protected:
    void showEvent(QShowEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

private:
    struct TItemVista {
        QString nome;
        QString gemeo;
        QString legenda;
        enum Tipo { Guias, Guia, Barra } tipo;
        QString extensao;
        bool inicio;
        bool padrao;
        bool marcado = false;
        QAction* acao = nullptr;
        QAction* acaoGemea = nullptr;
    };

    void FormShow();
    void criaMenus();
    void criaBandas();
    void criaItensVista();
    QMenu* criaSubmenuVista(QMenu* menu, const TTipoDocumento& tipo, bool noMenuJanelas);
    void AplicaItemVista(TItemVista& item, bool marcado);
    TItemVista* itemVista(const QString& nome);
    const TItemVista* itemVista(const QString& nome) const;
    void MontaListaJanelas();
    void AtualizaComandos();
    TJanelaFilha* CriaFilha(const QString& extensao);
    void MostraFilha(TJanelaFilha* filha);
    void EncaixaNaArea(TJanelaFilha* filha) const;
    static QString MensagemFalhaAbertura(const QString& caminho, const TTipoDocumento& tipo,
                                         const std::exception& erro);
    void ladoALado(bool vertical);
    void PosicionaBandas(const std::vector<std::pair<QToolBar*, QPoint>>& posicoes);
    bool mostraErro(const std::exception& erro);

    QStackedWidget* m_centro = nullptr;
    TPaginaInicial* m_inicio = nullptr;
    QMdiArea* m_mdi = nullptr;
    // The commands of each kind (menu items and tool tab buttons), and those that need an
    // open document.
    std::map<QString, QList<QAction*>> m_acoesTipo;
    QList<QAction*> m_acoesDocumento;
    QMenu* m_menuJanelas = nullptr;
    QMenu* m_menuReabrir = nullptr;
    QMenu* m_popView = nullptr;
    QList<QAction*> m_listaJanelas;
    QToolBar* m_toolBar3 = nullptr;
    QToolBar* m_toolBar2 = nullptr;
    QToolBar* m_bandaGuias = nullptr;
    QTabWidget* m_guias = nullptr;
    QString m_diretorioInstalado;
    QString m_diretorioSalvar;
    QStringList m_recentes;
    QList<QAction*> m_itensRecentes;
    std::vector<TItemVista> m_itensVista;
    bool m_mostrada = false;
};

} // namespace fendril
