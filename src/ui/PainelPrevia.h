#pragma once

// The preview pane of the template windows: the output a run would give for one table of a
// real mapping, beside the code editors.
//
// The pane shows the file name and the content that TProcessaGeracao::Previa gives for the
// template as its window holds it (saved or not), with the window's code font, read-only.
// It renders after a pause in typing (Agenda restarts one single-shot timer; typing itself
// never renders) and only while it is shown. The mapping is loaded once and loaded again
// only when its path or its file changes.

#include "generation/Previa.h"

#include <QDateTime>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QSplitter;
class QTimer;
class QToolButton;

namespace fendril {

class TArquivoKMF;
class TListaProblemas;
class TProcessaGeracao;

class TPainelPrevia : public QWidget {
    Q_OBJECT
public:
    // What the pane asks its window: the template document as the window holds it, and the
    // path it is kept at (empty while it was never saved).
    struct TFonte {
        std::function<TArquivoKMF()> documento;
        std::function<QString()> caminho;
    };

    // `geral`: a general template, whose only page is its code.
    TPainelPrevia(bool geral, TFonte fonte, QWidget* pai = nullptr);
    ~TPainelPrevia() override;

    // The pause after the last change before the pane renders, in milliseconds.
    static constexpr int kPausa = 300;

    // Starts (again) the pause after which `pausa` is emitted and the pane renders.
    void Agenda();
    // Renders now, when shown.
    void Atualiza();

    void setPagina(TPaginaPrevia pagina);
    TPaginaPrevia pagina() const;
    // The mapping used while none is chosen (shown greyed in the chooser).
    void setMapaPadrao(const QString& caminho);
    // The mapping the pane uses: the one chosen, or else the default, a relative path taken
    // from the template's folder.
    QString mapa() const;
    // What the last render gave.
    const TPrevia& previa() const { return m_previa; }
    QTimer* temporizador() const { return m_temporizador; }
    QComboBox* tabelas() const { return m_tabela; }
    QPlainTextEdit* memo() const { return m_memo; }
    // How many times the mapping was loaded.
    int carregamentos() const { return m_carregamentos; }

    // Lays out a template window's code area: `editores` with the pane beside them and
    // `problemas` under both. Returns the outer splitter, which the caller puts in its page.
    QSplitter* MontaArea(QWidget* editores, TListaProblemas* problemas, QWidget* pagina);

    // The mapping of the most recent generation document of the recent-files list (its
    // relative path taken from the document's folder); empty when there is none.
    static QString MapaDaUltimaGeracao(const QStringList& recentes);

signals:
    // The pause after a change ended (the window updates its problems list then).
    void pausa();
    // The person chose another mapping: the template document changed.
    void mapaEscolhido();

protected:
    void showEvent(QShowEvent* evento) override;

private:
    // Loads the mapping again when its path or its file changed; fills the table list.
    void CarregaMapa();
    void EscolheMapa();

    bool m_geral;
    TFonte m_fonte;
    QComboBox* m_mapa = nullptr;
    QToolButton* m_escolhe = nullptr;
    QComboBox* m_tabela = nullptr;
    QComboBox* m_pagina = nullptr;
    QLineEdit* m_arquivo = nullptr;
    QPlainTextEdit* m_memo = nullptr;
    QTimer* m_temporizador = nullptr;
    std::unique_ptr<TProcessaGeracao> m_run;
    QString m_caminhoCarregado;
    QDateTime m_dataCarregada;
    qint64 m_tamanhoCarregado = -1;
    int m_carregamentos = 0;
    TPrevia m_previa;
};

} // namespace fendril
