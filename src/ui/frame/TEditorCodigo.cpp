#include "ui/frame/TEditorCodigo.h"

#include "model/ArquivoTexto.h"
#include "ui/frame/Dialogos.h"
#include "ui/frame/TJanelaFilha.h"
#include "ui/frame/Texto.h"

#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
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
    editor = new QPlainTextEdit(paiEditor);
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
    realce = new TRealceTags(editor, tagsComuns, tagsIterativas);
}

// ------------------------------------------------------------------ commands

namespace {

bool AbreTexto(QWidget* janela, QPlainTextEdit* editor) {
    const QString caminho =
        Dialogos::AbreArquivo(janela, QStringLiteral("Open Text File"), QString());
    if (caminho.isEmpty())
        return false;
    try {
        QStringList linhas;
        for (const std::string& linha : LeLinhasTexto(deQString(caminho)))
            linhas.append(paraQString(linha));
        editor->setPlainText(linhas.join(QLatin1Char('\n')));
        return true;
    } catch (const std::exception& erro) {
        Dialogos::Mensagem(janela, paraQString(erro.what()));
        return false;
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
        Dialogos::Mensagem(janela, paraQString(erro.what()));
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

bool ExecutaComandoEditor(TJanelaFilha* janela, QPlainTextEdit* editor, TComandoEditor comando) {
    switch (comando) {
    case TComandoEditor::Abrir:
        return AbreTexto(janela, editor);
    case TComandoEditor::Salvar:
        SalvaTexto(janela, editor);
        return false;
    case TComandoEditor::Imprimir:
        ImprimeTexto(janela, editor);
        return false;
    case TComandoEditor::Cortar:
        editor->cut();
        return true;
    case TComandoEditor::Copiar:
        editor->copy();
        return false;
    case TComandoEditor::Colar:
        editor->paste();
        return true;
    case TComandoEditor::Desfazer:
        if (editor->document()->isUndoAvailable())
            editor->undo();
        return true;
    case TComandoEditor::MarcarTudo:
        editor->selectAll();
        return false;
    }
    return false;
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
    };
    static const TItem itens[] = {
        {"Open Text File", TComandoEditor::Abrir}, {"Save To File", TComandoEditor::Salvar},
        {"Print", TComandoEditor::Imprimir},       {"Cut", TComandoEditor::Cortar},
        {"Copy", TComandoEditor::Copiar},          {"Paste", TComandoEditor::Colar},
        {"Undo", TComandoEditor::Desfazer},        {"Select All", TComandoEditor::MarcarTudo}};
    qsizetype i = 0;
    for (const TItem& item : itens) {
        if (item.comando == TComandoEditor::Cortar) {
            auto* separador = new QAction(dono);
            separador->setSeparator(true);
            alvo->addAction(separador);
        }
        QAction* acao = CriaAcao(dono, QString::fromLatin1(item.texto), nomes.value(i++));
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

bool VerificaTeclaSolta(QPlainTextEdit* editor, TRealceTags* realce, int tecla,
                        Qt::KeyboardModifiers estado) {
    const Qt::KeyboardModifiers semTeclado = estado & ~Qt::KeypadModifier;
    const int cursor = editor->textCursor().position();
    if (semTeclado != Qt::ControlModifier && semTeclado != Qt::ShiftModifier && cursor != 0)
        realce->palavraAtual(cursor - 1);
    const bool soCtrlOuAlt = semTeclado == Qt::ControlModifier || semTeclado == Qt::AltModifier;
    const bool teclaDeEstado =
        tecla == Qt::Key_Shift || tecla == Qt::Key_Control || tecla == Qt::Key_Alt;
    return !soCtrlOuAlt && !teclaDeEstado;
}

} // namespace fendril
