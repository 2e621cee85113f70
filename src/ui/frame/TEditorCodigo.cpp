#include "ui/frame/TEditorCodigo.h"

#include "model/ArquivoTexto.h"
#include "ui/frame/Dialogos.h"
#include "ui/frame/Icones.h"
#include "ui/frame/TEditorTexto.h"
#include "ui/frame/TJanelaFilha.h"
#include "ui/frame/Texto.h"

#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrinter>
#include <QSplitter>
#include <QStatusBar>
#include <QTreeWidget>

namespace fendril {

void TEditorCodigo::Cria(QWidget* paiEditor, QWidget* paiBarra, const QString& nome,
                         const QString& nomeBarra, QObject* filtro, const QStringList& tagsComuns,
                         const QStringList& tagsIterativas) {
    editor = new TEditorTexto(paiEditor);
    editor->setObjectName(nome);
    editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    editor->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    editor->installEventFilter(filtro);

    barra = new QStatusBar(paiBarra);
    barra->setObjectName(nomeBarra);
    barra->setSizeGripEnabled(false);
    for (int i = 0; i < 3; ++i) {
        paineis[i] = new QLabel(barra);
        paineis[i]->setObjectName(nomeBarra + QStringLiteral("_painel%1").arg(i));
        paineis[i]->setMinimumWidth(80);
        barra->addWidget(paineis[i], i == 2 ? 1 : 0);
    }
    paineis[0]->setText(TIndicadorInsercao::texto(true));
    // The caret's line and column.
    auto* texto = static_cast<TEditorTexto*>(editor);
    QLabel* posicao = paineis[1];
    const auto mostraPosicao = [texto, posicao] {
        posicao->setText(
            QStringLiteral("Ln %1, Col %2").arg(texto->linhaCursor()).arg(texto->colunaCursor()));
    };
    QObject::connect(editor, &QPlainTextEdit::cursorPositionChanged, posicao, mostraPosicao);
    mostraPosicao();
    realce = new TRealceTags(editor, tagsComuns, tagsIterativas);
}

// ------------------------------------------------------------------ commands

namespace {

void AbreTexto(QWidget* janela, QPlainTextEdit* editor) {
    const QString caminho =
        Dialogos::AbreArquivo(janela, QStringLiteral("Open Text File"), QString());
    if (caminho.isEmpty())
        return;
    try {
        QStringList linhas;
        for (const std::string& linha : LeLinhasTexto(deQString(caminho)))
            linhas.append(paraQString(linha));
        // Replaced as one edit, so that Undo brings the text back.
        QTextCursor cursor(editor->document());
        cursor.select(QTextCursor::Document);
        cursor.insertText(linhas.join(QLatin1Char('\n')));
        editor->moveCursor(QTextCursor::Start);
    } catch (const std::exception& erro) {
        Dialogos::Erro(janela, paraQString(erro.what()));
    }
}

void SalvaTexto(QWidget* janela, const QPlainTextEdit* editor) {
    const QString caminho =
        Dialogos::SalvaArquivo(janela, QStringLiteral("Save To File"), QString());
    if (caminho.isEmpty())
        return;
    try {
        TListaTextos linhas;
        for (const QString& linha : editor->toPlainText().split(QLatin1Char('\n')))
            linhas.push_back(deQString(linha));
        GravaLinhasTexto(deQString(caminho), linhas);
    } catch (const std::exception& erro) {
        Dialogos::Erro(janela, paraQString(erro.what()));
    }
}

void ImprimeTexto(TJanelaFilha* janela, const QPlainTextEdit* editor) {
    QPrinter impressora;
    impressora.setDocName(janela->legenda());
    if (!Dialogos::Imprime(janela, impressora))
        return;
    editor->print(&impressora);
}

} // namespace

void ExecutaComandoEditor(TJanelaFilha* janela, QPlainTextEdit* editor, TComandoEditor comando) {
    switch (comando) {
    case TComandoEditor::Abrir:
        AbreTexto(janela, editor);
        break;
    case TComandoEditor::Salvar:
        SalvaTexto(janela, editor);
        break;
    case TComandoEditor::Imprimir:
        ImprimeTexto(janela, editor);
        break;
    case TComandoEditor::Cortar:
        editor->cut();
        break;
    case TComandoEditor::Copiar:
        editor->copy();
        break;
    case TComandoEditor::Colar:
        editor->paste();
        break;
    case TComandoEditor::Desfazer:
        editor->undo();
        break;
    case TComandoEditor::MarcarTudo:
        editor->selectAll();
        break;
    }
}

namespace {

QAction* CriaAcao(QObject* dono, const QString& texto, const QString& nome) {
    auto* acao = new QAction(texto, dono);
    acao->setObjectName(nome);
    acao->setToolTip(texto);
    return acao;
}

} // namespace

void AdicionaComandosEditor(QWidget* alvo, QObject* dono, const QStringList& nomes,
                            const std::function<void(TComandoEditor)>& executa) {
    struct TItem {
        const char* texto;
        TComandoEditor comando;
        TComando icone;
    };
    static const TItem itens[] = {{"Open Text File", TComandoEditor::Abrir, TComando::AbreTexto},
                                  {"Save To File", TComandoEditor::Salvar, TComando::SalvaTexto},
                                  {"Print", TComandoEditor::Imprimir, TComando::Imprime},
                                  {"Cut", TComandoEditor::Cortar, TComando::Corta},
                                  {"Copy", TComandoEditor::Copiar, TComando::Copia},
                                  {"Paste", TComandoEditor::Colar, TComando::Cola},
                                  {"Undo", TComandoEditor::Desfazer, TComando::Desfaz},
                                  {"Select All", TComandoEditor::MarcarTudo, TComando::MarcaTudo}};
    qsizetype i = 0;
    for (const TItem& item : itens) {
        if (item.comando == TComandoEditor::Cortar) {
            auto* separador = new QAction(dono);
            separador->setSeparator(true);
            alvo->addAction(separador);
        }
        QAction* acao = CriaAcao(dono, QString::fromLatin1(item.texto), nomes.value(i++));
        acao->setIcon(IconeComando(item.icone));
        const TComandoEditor comando = item.comando;
        QObject::connect(acao, &QAction::triggered, dono, [executa, comando] { executa(comando); });
        alvo->addAction(acao);
    }
}

QAction* AdicionaMostraTags(QWidget* alvo, QObject* dono, const QString& nome,
                            const std::function<void()>& executa) {
    QAction* tags = CriaAcao(dono, QStringLiteral("<>"), nome);
    tags->setToolTip(QStringLiteral("Show Tags"));
    QFont negrito = tags->font();
    negrito.setBold(true);
    tags->setFont(negrito);
    QObject::connect(tags, &QAction::triggered, dono, [executa] { executa(); });
    alvo->addAction(tags);
    return tags;
}

QAction* CriaAcaoRealce(QObject* dono) {
    QAction* acao = CriaAcao(dono, QStringLiteral("Highlight Tags"), QStringLiteral("but_realce"));
    acao->setCheckable(true);
    return acao;
}

void AlternaArvoreTags(QTreeWidget* arvore, QSplitter* divisor) {
    const bool mostrar = arvore->isHidden();
    arvore->setVisible(mostrar);
    if (mostrar) {
        arvore->expandAll();
        const int largura = divisor->width();
        const int pane = static_cast<int>(0.2 * largura);
        divisor->setSizes({pane, largura - pane});
        divisor->setHandleWidth(2);
    } else {
        divisor->setSizes({0, divisor->width()});
        divisor->setHandleWidth(0);
    }
}

void AtualizaRealce(QPlainTextEdit* editor, TRealceTags* realce, QLabel* painel) {
    // Whatever ends the scan, the editor's read-only state comes back and the progress
    // is emptied.
    struct Fim {
        QPlainTextEdit* editor;
        bool soLeitura;
        QPointer<QLabel> painel;
        ~Fim() {
            editor->setReadOnly(soLeitura);
            if (painel)
                painel->clear();
        }
    } fim{editor, editor->isReadOnly(), painel};
    editor->setReadOnly(true);
    const QPointer<QLabel> progresso = painel;
    realce->Atualiza([progresso](int posicao, int total) {
        if (progresso)
            progresso->setText(QStringLiteral("Analysing Position %1/%2").arg(posicao).arg(total));
        QApplication::processEvents();
    });
}

void VerificaTeclaSolta(QPlainTextEdit* editor, TRealceTags* realce, Qt::KeyboardModifiers estado) {
    const Qt::KeyboardModifiers semTeclado = estado & ~Qt::KeypadModifier;
    const int cursor = editor->textCursor().position();
    if (semTeclado != Qt::ControlModifier && semTeclado != Qt::ShiftModifier && cursor != 0)
        realce->palavraAtual(cursor - 1);
}

QMenu* CriaMenuEditor(QWidget* dono, const std::function<void(TComandoEditor)>& executa,
                      const std::function<void()>& atualiza,
                      const std::function<void()>& mostraTags, QAction* realce,
                      std::initializer_list<QPlainTextEdit*> editores) {
    auto* menu = new QMenu(dono);
    menu->setObjectName(QStringLiteral("pop_editor"));
    AdicionaComandosEditor(menu, dono,
                           {QStringLiteral("OpenTextFile1"), QStringLiteral("SaveToFile1"),
                            QStringLiteral("Print1"), QStringLiteral("Cut1"),
                            QStringLiteral("Copy1"), QStringLiteral("Paste1"),
                            QStringLiteral("Undo1"), QStringLiteral("SelectAll1")},
                           executa);
    menu->addSeparator();
    QAction* refresh = menu->addAction(QStringLiteral("Refresh"), dono, atualiza);
    refresh->setObjectName(QStringLiteral("Refresh1"));
    QAction* tags = menu->addAction(QStringLiteral(" Show Tags"), dono, mostraTags);
    tags->setObjectName(QStringLiteral("ShowTags1"));
    menu->addSeparator();
    menu->addAction(realce);
    for (QPlainTextEdit* editor : editores) {
        editor->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(
            editor, &QWidget::customContextMenuRequested, menu,
            [menu, editor](const QPoint& ponto) { menu->popup(editor->mapToGlobal(ponto)); });
    }
    return menu;
}

} // namespace fendril
