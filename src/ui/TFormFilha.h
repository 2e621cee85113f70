#pragma once

// The mapping window (".kmf"): on the "Description" page the description and connection
// of one database; on "Tables And Columns" the tables and columns loaded from it as a
// two-level tree, with the property panels that edit the selected table or column.

#include "model/EdicaoPropriedades.h"
#include "schema/CargaColunas.h"
#include "ui/frame/TJanelaFilha.h"

#include <QIcon>
#include <QStringList>
#include <cstdint>
#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QStatusBar;
class QTabWidget;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace fendril {

class TFormFilha : public TJanelaFilha {
    Q_OBJECT
public:
    explicit TFormFilha(TFormTelaPrincipal& principal);
    ~TFormFilha() override;

    QString extensao() const override { return QStringLiteral("kmf"); }
    // The mapping as its document (saving takes up the panels' pending edits first).
    // Raises EErroGeral "An Author Name Must Be Given !!" when the author is empty.
    TArquivoKMF getArquivo() const override;
    // Raises the document's lookup failures and EConvertError for a date it cannot read.
    void setArquivo(const TArquivoKMF& documento) override;
    bool ExecutaComando(TComando comando) override;
    void AlternaBarra(const QString& item) override;

    // --- Commands (each shows its own failures in a message) ---
    void atbut_constringClick();
    void atbut_basedadosClick();
    void but_conectarClick();
    void but_obterClick();
    void but_importatabelaClick();
    void but_removetbClick();
    void but_checaClick();
    void but_refreshClick();
    void but_confirmarClick();
    void but_mostradadosClick();
    void but_viewlogClick();
    // Synchronise With Database: connects when needed, reads what the database holds now of
    // the mapping's tables, lists the changes for the person to untick, applies the ticked
    // ones and writes the list to the load log.
    void but_sincronizaClick();
    // Fill Empty Aliases...: asks for the naming rules of tables and columns and fills the
    // empty aliases by them.
    void but_aliasesClick();

    // --- Operations (these raise) ---
    QString getConnectionString(const QString& nomeBase);
    // Replaces the column set with the columns of the qualified names, then fills the tree.
    void CarregaControlaColunas(const QStringList& tabelas);
    // Keeps the present columns and adds those of the qualified names after them.
    void ImportaNovaTabela(const QStringList& tabelas);
    void PreencheArvore();
    void AlimentaComboTipos(const TListaTextos& tipos);
    void PreenchePropriedadesTabela(const QString& tabela);
    // Both names empty: clears the panels and the selection.
    void PreenchePropriedadesColuna(const QString& coluna, const QString& tabela);
    // Writes the panels into the mapping for that table (and column).
    void LePropriedades(const QString& coluna, const QString& tabela);
    // DATA_TYPE of the first provider type of that TYPE_NAME; -1 when there is none.
    std::int32_t getTipoOLE(const QString& nome) const;
    void clicaCheckBox(QCheckBox* caixa, bool estado);

    // --- Event handlers ---
    // A click in the tree: the node's panel shown and committed.
    void arvoreClick();
    // Marks the mapping modified; the table type drop-down also commits.
    void edit_tipotabelaClick(QObject* remetente);
    void cb_foreignClick();
    void atualizaGrupoEstrangeira();
    void ed_lengthChange();
    void ed_precisionChange();

    // --- State ---
    // Connected: the connection parameters were tried once and are locked. No connection
    // stays open; every reading opens its own.
    bool conectado() const { return m_conectado; }
    QString colunaSelecionada() const { return m_colunaSelecionada; }
    QString tabelaSelecionada() const { return m_tabelaSelecionada; }
    TControlaColunas* controlaColunas() const { return m_carga.controlaColunas.get(); }
    const TListaTextos& tiposProvider() const { return m_carga.tiposProvider; }
    const QStringList& tabelasEscolhidas() const { return m_tabelasEscolhidas; }
    bool marcaColunas() const { return m_marcaColunas; }
    QString textoPainel(int painel) const;
    QTreeWidget* arvore() const { return m_arvore; }

protected:
    void ConfirmaEdicoes() override;
    void showEvent(QShowEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void criaPaginaDescricao(QWidget* pagina);
    void criaPaginaTabelas(QWidget* pagina);
    QWidget* criaPainelTabela(QWidget* pai);
    QWidget* criaPainelColuna(QWidget* pai);
    void criaMenuArvore();
    // Runs a command unless a long step is under way, showing what it raises.
    void executa(const std::function<void()>& comando);
    void confirma();
    void limpaCampos();
    void esvaziaEstrangeiras();
    void habilitaConexao(bool sim);
    void mostraSelecao(bool confirma);
    void aparenciaColuna(QTreeWidgetItem* no, bool primaria, bool estrangeira, bool habilitado,
                         const QString& referencia) const;
    void aparenciaColuna(QTreeWidgetItem* no, const TColuna& coluna) const;
    void mostraAparenciaDoPainel();
    void atualizaNoColuna(const QString& tabela, const QString& coluna);
    void setConectado(bool conectado);
    // What the property panels hold.
    TPropriedadesTabela propriedadesTabela() const;
    TPropriedadesColuna propriedadesColuna() const;
    void status(int painel, const QString& texto);
    void carrega(const QStringList& tabelas, bool manterAnteriores);
    TParametrosConexao parametros() const;
    bool escolheTabelas(bool excluiCarregadas);
    void preencheNumero(QSpinBox* campo, std::int32_t valor);
    bool ehCaixa(const QObject* objeto) const;

    TCargaColunas m_carga;
    QString m_colunaSelecionada;
    QString m_tabelaSelecionada;
    bool m_marcaColunas = false;
    bool m_conectado = false;
    QStringList m_tabelasEscolhidas;
    bool m_ocupado = false;
    bool m_mostrada = false;
    QIcon m_iconeTabela;
    QIcon m_iconeChave;
    QIcon m_iconeEstrangeira;
    QIcon m_iconeChaveEstrangeira;

    QTabWidget* m_pcontrol = nullptr;
    // Description page.
    QLineEdit* m_nome = nullptr;
    QLineEdit* m_autor = nullptr;
    QDateEdit* m_data = nullptr;
    QLineEdit* m_constring = nullptr;
    QToolButton* m_atbutConstring = nullptr;
    QLineEdit* m_usuario = nullptr;
    QLineEdit* m_senha = nullptr;
    QComboBox* m_baseDados = nullptr;
    QToolButton* m_atbutBaseDados = nullptr;
    QPushButton* m_conectar = nullptr;
    QLabel* m_rotulosConexao[4] = {nullptr, nullptr, nullptr, nullptr};
    // Tables And Columns page.
    QLabel* m_label8 = nullptr;
    QTreeWidget* m_arvore = nullptr;
    QProgressBar* m_progresso = nullptr;
    QToolBar* m_barraFerramentas = nullptr;
    QMenu* m_menuArvore = nullptr;
    QGroupBox* m_grupoTabela = nullptr;
    QLineEdit* m_nomeTabela = nullptr;
    QLineEdit* m_tbAlias = nullptr;
    QLineEdit* m_esquema = nullptr;
    QComboBox* m_tipoTabela = nullptr;
    QLineEdit* m_tbComment = nullptr;
    QGroupBox* m_grupoColuna = nullptr;
    QLineEdit* m_nomeColuna = nullptr;
    QLineEdit* m_colAlias = nullptr;
    QCheckBox* m_habilitado = nullptr;
    QCheckBox* m_primary = nullptr;
    QCheckBox* m_foreign = nullptr;
    QComboBox* m_tipoDado = nullptr;
    QCheckBox* m_dataHora = nullptr;
    QSpinBox* m_length = nullptr;
    QSpinBox* m_precision = nullptr;
    QSpinBox* m_scale = nullptr;
    QGroupBox* m_grupoEstrangeira = nullptr;
    QComboBox* m_tabelaEstrangeira = nullptr;
    QComboBox* m_colunaEstrangeira = nullptr;
    // What the database says of the column besides its type and keys.
    QCheckBox* m_nullable = nullptr;
    QCheckBox* m_unique = nullptr;
    QCheckBox* m_autoIncrement = nullptr;
    QLineEdit* m_default = nullptr;
    QLineEdit* m_colComment = nullptr;
    // Status bar.
    QStatusBar* m_barra = nullptr;
    QLabel* m_paineis[2] = {nullptr, nullptr};
};

// Registers the window as the factory of the ".kmf" kind.
void RegistraMapeamento();

} // namespace fendril
