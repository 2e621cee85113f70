#include "generation/windows/TFormEvolucaoGeracao.h"

#include "generation/TProcessaGeracao.h"
#include "generation/windows/TFormConfirmaDialog.h"
#include "ui/frame/Dialogos.h"
#include "ui/frame/Texto.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace fendril {

namespace {

// How often the run lets the interface repaint, at most.
constexpr qint64 kIntervaloPintura = 40;

// What is shown for a failure that carries no message of its own.
constexpr const char* kFalhaInesperada = "Unexpected Failure During The Generation";

TFormEvolucaoGeracao::TObservador& observador() {
    static TFormEvolucaoGeracao::TObservador o;
    return o;
}

QProgressBar* NovoMedidor(QWidget* pai, const char* nome) {
    auto* medidor = new QProgressBar(pai);
    medidor->setObjectName(QLatin1String(nome));
    medidor->setRange(0, 100);
    medidor->setValue(0);
    medidor->setAlignment(Qt::AlignCenter);
    return medidor;
}

} // namespace

TFormEvolucaoGeracao::TFormEvolucaoGeracao(QWidget* pai)
    : QDialog(pai, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("TFormEvolucaoGeracao"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    setWindowTitle(QStringLiteral("Generation Progress"));

    m_titulo = new QLabel(QStringLiteral("Files To Be Generated"), this);
    m_titulo->setObjectName(QStringLiteral("lbl_titulo"));
    QFont negrito = m_titulo->font();
    negrito.setBold(true);
    m_titulo->setFont(negrito);

    m_lista = new QListWidget(this);
    m_lista->setObjectName(QStringLiteral("lb_arquivos"));
    m_lista->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lista->setMinimumSize(300, 220);

    // Beside the files still to come, what became of each file the run has reached.
    auto* tituloResultados = new QLabel(QStringLiteral("Outcome Of Each File"), this);
    tituloResultados->setObjectName(QStringLiteral("lbl_resultados"));
    tituloResultados->setFont(negrito);
    m_resultados = new QTreeWidget(this);
    m_resultados->setObjectName(QStringLiteral("lv_resultados"));
    m_resultados->setColumnCount(2);
    m_resultados->setHeaderLabels({QStringLiteral("File"), QStringLiteral("Outcome")});
    m_resultados->setRootIsDecorated(false);
    m_resultados->setUniformRowHeights(true);
    m_resultados->setSelectionMode(QAbstractItemView::SingleSelection);
    m_resultados->setMinimumSize(300, 220);
    m_resultados->header()->setStretchLastSection(false);
    m_resultados->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_resultados->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);

    m_situacao = new QLabel(QStringLiteral("Processing..."), this);
    m_situacao->setObjectName(QStringLiteral("lbl_situacao"));
    m_situacao->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_painel = new QWidget(this);
    m_painel->setObjectName(QStringLiteral("pn_progresso"));
    m_rotuloModelo = new QLabel(QStringLiteral("Fendril Template:"), m_painel);
    m_rotuloModelo->setObjectName(QStringLiteral("lbl_modelo"));
    m_medidorModelo = NovoMedidor(m_painel, "pb_modelo");
    m_rotuloTabela = new QLabel(QStringLiteral("Table:"), m_painel);
    m_rotuloTabela->setObjectName(QStringLiteral("lbl_tabela"));
    m_medidorTabela = NovoMedidor(m_painel, "pb_tabela");
    QPalette azul = m_medidorTabela->palette();
    azul.setColor(QPalette::Highlight, Qt::blue);
    m_medidorTabela->setPalette(azul);
    auto* layoutPainel = new QVBoxLayout(m_painel);
    layoutPainel->setContentsMargins(0, 0, 0, 0);
    layoutPainel->addWidget(m_rotuloModelo);
    layoutPainel->addWidget(m_medidorModelo);
    layoutPainel->addSpacing(4);
    layoutPainel->addWidget(m_rotuloTabela);
    layoutPainel->addWidget(m_medidorTabela);
    // The panel's room is kept while it is hidden, so the window does not change size.
    QSizePolicy politica = m_painel->sizePolicy();
    politica.setRetainSizeWhenHidden(true);
    m_painel->setSizePolicy(politica);
    m_painel->hide();

    m_prosseguir = new QPushButton(QStringLiteral("Proceed"), this);
    m_prosseguir->setObjectName(QStringLiteral("BitBtn2"));
    m_fechar = new QPushButton(QStringLiteral("Close"), this);
    m_fechar->setObjectName(QStringLiteral("BitBtn1"));
    for (QPushButton* b : {m_prosseguir, m_fechar}) {
        b->setEnabled(false);
        b->setAutoDefault(false);
        b->setMinimumWidth(90);
    }
    connect(m_prosseguir, &QPushButton::clicked, this, &TFormEvolucaoGeracao::BitBtn2Click);
    connect(m_fechar, &QPushButton::clicked, this, &TFormEvolucaoGeracao::BitBtn1Click);

    auto* botoes = new QHBoxLayout;
    botoes->addStretch(1);
    botoes->addWidget(m_prosseguir);
    botoes->addWidget(m_fechar);

    auto* arquivos = new QGridLayout;
    arquivos->addWidget(m_titulo, 0, 0);
    arquivos->addWidget(m_lista, 1, 0);
    arquivos->addWidget(tituloResultados, 0, 1);
    arquivos->addWidget(m_resultados, 1, 1);
    arquivos->setColumnStretch(0, 1);
    arquivos->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(arquivos, 1);
    layout->addWidget(m_situacao);
    layout->addSpacing(6);
    layout->addWidget(m_painel);
    layout->addSpacing(6);
    layout->addLayout(botoes);
    // A fixed single border: the window keeps the size its contents ask for.
    setFixedSize(sizeHint());

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(100);
    connect(m_timer, &QTimer::timeout, this, &TFormEvolucaoGeracao::Timer1Timer);
}

TFormEvolucaoGeracao::~TFormEvolucaoGeracao() = default;

void TFormEvolucaoGeracao::Executa(QWidget* pai, const std::string& caminhoMapeamento,
                                   const std::string& diretorioGeracao,
                                   const TListaTextos& modelosTabela,
                                   const TListaTextos& modelosGerais, bool fundeEdicoes) {
    auto* janela = new TFormEvolucaoGeracao(pai);
    janela->caminhoMapeamento = caminhoMapeamento;
    janela->diretorioGeracao = diretorioGeracao;
    janela->modelosTabela = modelosTabela;
    janela->modelosGerais = modelosGerais;
    janela->fundeEdicoes = fundeEdicoes;
    // exec() destroys the window when it has closed (it is deleted on close).
    janela->exec();
}

void TFormEvolucaoGeracao::setObservador(TObservador novo) {
    observador() = std::move(novo);
}

void TFormEvolucaoGeracao::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    if (!m_centrada) {
        m_centrada = true;
        if (const QScreen* tela = screen() ? screen() : QGuiApplication::primaryScreen()) {
            QRect area = frameGeometry();
            area.moveCenter(tela->availableGeometry().center());
            move(area.topLeft());
        }
        if (m_estado == Estado::Iniciando)
            m_timer->start();
    }
}

void TFormEvolucaoGeracao::Timer1Timer() {
    m_timer->stop();
    if (m_estado != Estado::Iniciando || m_processa)
        return;
    m_ocupado = true;
    const QPointer<TFormEvolucaoGeracao> vivo(this);

    m_processa = std::make_unique<TProcessaGeracao>();
    TProcessaGeracao& processa = *m_processa;
    processa.caminhoMapeamento = caminhoMapeamento;
    processa.diretorioGeracao = diretorioGeracao;
    processa.AdicionaModelosTabela(modelosTabela);
    processa.AdicionaModelosGerais(modelosGerais);
    processa.fundeEdicoes = fundeEdicoes;
    // The run may outlive the window (its parent may go while the interface repaints):
    // the handlers then do nothing.
    processa.eventoTabela = [vivo](const std::string& tabela, const std::string& arquivo,
                                   int percentual) {
        if (vivo)
            vivo->MudaTabela(tabela, arquivo, percentual);
    };
    processa.eventoModelo = [vivo](const std::string& caminho, int percentual, int tipo) {
        if (vivo)
            vivo->MudaModelo(caminho, percentual, tipo);
    };
    processa.eventoArquivo = [vivo](const std::string& caminho) {
        if (vivo)
            vivo->EscreveArquivo(caminho);
    };
    processa.eventoSituacao = [vivo](const TArquivoGerado& arquivo) {
        if (vivo)
            vivo->MostraSituacao(arquivo);
    };
    processa.perguntaSobrescrita = [vivo, &processa](const std::string& texto) {
        if (vivo)
            return vivo->PerguntaSobrescrita(texto, processa.podeFundir());
        return deQString(
            TFormConfirmaDialog::Pergunta(nullptr, paraQString(texto), processa.podeFundir()));
    };

    TListaTextos nomes;
    try {
        processa.Prepara();
        Processa(true);
        if (!vivo)
            return;
        // A mapping that is there but cannot be read says why; a missing one lists nothing.
        if (!processa.erroMapeamento().empty() &&
            QFileInfo::exists(paraQString(caminhoMapeamento))) {
            Dialogos::Mensagem(this, paraQString(processa.erroMapeamento()));
            if (!vivo)
                return;
        }
        nomes = processa.ListaArquivos();
    } catch (const std::exception& erro) {
        Falhou(erro.what());
        return;
    } catch (...) {
        Falhou(kFalhaInesperada);
        return;
    }

    // Sorted without regard to case, equal names in the run's order.
    QStringList itens;
    itens.reserve(static_cast<qsizetype>(nomes.size()));
    for (const std::string& nome : nomes)
        itens.append(paraQString(nome));
    std::stable_sort(itens.begin(), itens.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    m_lista->addItems(itens);
    m_situacao->setText(QStringLiteral("Number Of Files: ") + QString::number(m_lista->count()));
    m_fechar->setEnabled(true);
    m_prosseguir->setEnabled(true);
    m_ocupado = false;
    MudaEstado(Estado::Pronto);
}

void TFormEvolucaoGeracao::BitBtn2Click() {
    if (m_estado != Estado::Pronto || !m_processa)
        return;
    m_ocupado = true;
    m_prosseguir->setEnabled(false);
    m_fechar->setEnabled(false);
    m_painel->show();
    MudaEstado(Estado::Executando);
    const QPointer<TFormEvolucaoGeracao> vivo(this);
    Processa(true);
    if (!vivo)
        return;

    // The run is held here, not by the window, so that it cannot be destroyed while it works.
    std::unique_ptr<TProcessaGeracao> processa = std::move(m_processa);
    std::string falha;
    bool falhou = false;
    try {
        processa->Executa();
    } catch (const std::exception& erro) {
        falha = erro.what();
        falhou = true;
    } catch (...) {
        falha = kFalhaInesperada;
        falhou = true;
    }
    // A run that could not load its mapping ran nothing and has nothing to tell.
    const bool executou = processa->mapeamentoCarregado();
    const int falhas = processa->falhas();
    const int conflitos = processa->conflitos();
    const QString resumo = paraQString(processa->Resumo());
    processa.reset();
    if (!vivo) {
        if (falhou)
            Dialogos::Mensagem(nullptr, paraQString(falha));
        return;
    }
    if (falhou) {
        Falhou(falha);
        return;
    }
    // Files kept at the person's word are no failure: the run then ends with its summary,
    // as every run that failed nowhere does.
    if (executou && falhas > 0)
        Dialogos::Mensagem(
            this, QStringLiteral("Some Files Could Not Be Created. View Log For Details. "));
    else if (executou && conflitos > 0)
        Dialogos::Mensagem(this, QStringLiteral("Generation Finished With Merge Conflicts: ") +
                                     resumo +
                                     QStringLiteral(". The Files Hold Conflict Markers Where "
                                                    "Hand Edits And New Output Differ; The Log "
                                                    "Names Their Lines."));
    else if (executou)
        Dialogos::Mensagem(this, QStringLiteral("Generation Finished: ") + resumo);
    if (!vivo)
        return;
    Fecha();
}

void TFormEvolucaoGeracao::BitBtn1Click() {
    if (m_ocupado || !m_fechar->isEnabled())
        return;
    Fecha();
}

void TFormEvolucaoGeracao::MudaModelo(const std::string& caminhoModelo, int percentual, int tipo) {
    if (tipo == 1 || tipo == 2)
        m_rotuloModelo->setText(QStringLiteral("Fendril Template: ") +
                                paraQString(ExtraiNome(caminhoModelo)));
    m_medidorModelo->setValue(percentual);
    Processa(true);
}

void TFormEvolucaoGeracao::MudaTabela(const std::string& tabela, const std::string&,
                                      int percentual) {
    m_rotuloTabela->setText(QStringLiteral("Table: ") + paraQString(tabela));
    m_medidorTabela->setValue(percentual);
    Processa();
}

void TFormEvolucaoGeracao::EscreveArquivo(const std::string& caminhoCompleto) {
    // The name as the template formed it: the path below the generation directory, folders
    // separated by "/" (a name such as src\Customer.h is written into a subfolder).
    std::string relativo = ExtraiNome(caminhoCompleto);
    const std::size_t tamanho = diretorioGeracao.size();
    if (tamanho > 0 && caminhoCompleto.starts_with(diretorioGeracao) &&
        (caminhoCompleto.size() > tamanho &&
         (caminhoCompleto[tamanho] == '/' || caminhoCompleto[tamanho] == '\\' ||
          diretorioGeracao.back() == '/' || diretorioGeracao.back() == '\\'))) {
        const std::size_t inicio = caminhoCompleto.find_first_not_of("/\\", tamanho);
        if (inicio != std::string::npos)
            relativo = caminhoCompleto.substr(inicio);
    }
    std::replace(relativo.begin(), relativo.end(), '\\', '/');
    const QString nome = paraQString(relativo);

    int posicao = -1;
    if (!nome.contains(QLatin1Char('/'))) {
        // The list is sorted without regard to case, so the first equal entry is found by
        // halving.
        int inicio = 0;
        int fim = m_lista->count();
        while (inicio < fim) {
            const int meio = inicio + (fim - inicio) / 2;
            if (QString::compare(m_lista->item(meio)->text(), nome, Qt::CaseInsensitive) < 0)
                inicio = meio + 1;
            else
                fim = meio;
        }
        if (inicio < m_lista->count() &&
            QString::compare(m_lista->item(inicio)->text(), nome, Qt::CaseInsensitive) == 0)
            posicao = inicio;
    } else {
        for (int i = 0; i < m_lista->count() && posicao < 0; ++i) {
            QString listado = m_lista->item(i)->text();
            listado.replace(QLatin1Char('\\'), QLatin1Char('/'));
            if (QString::compare(listado, nome, Qt::CaseInsensitive) == 0)
                posicao = i;
        }
    }
    if (posicao >= 0)
        delete m_lista->takeItem(posicao);
    m_situacao->setText(QStringLiteral("Remaining Files: ") + QString::number(m_lista->count()));
    Processa();
}

void TFormEvolucaoGeracao::closeEvent(QCloseEvent* evento) {
    // While it prepares or runs the window stays: the run works inside its handlers.
    if (m_ocupado) {
        evento->ignore();
        return;
    }
    if (m_estado != Estado::Fechado)
        MudaEstado(Estado::Fechado);
    QDialog::closeEvent(evento);
}

void TFormEvolucaoGeracao::reject() {
    // Escape and other closes: never while it prepares or runs.
    if (m_ocupado)
        return;
    if (m_estado != Estado::Fechado)
        MudaEstado(Estado::Fechado);
    QDialog::reject();
}

void TFormEvolucaoGeracao::MudaEstado(Estado novo) {
    m_estado = novo;
    const QPointer<TFormEvolucaoGeracao> vivo(this);
    emit estadoMudou(novo);
    if (vivo && observador())
        observador()(*this, novo);
}

void TFormEvolucaoGeracao::Fecha() {
    m_ocupado = false;
    m_timer->stop();
    const QPointer<TFormEvolucaoGeracao> vivo(this);
    MudaEstado(Estado::Fechado);
    if (vivo)
        done(QDialog::Accepted);
}

void TFormEvolucaoGeracao::Processa(bool sempre) {
    if (!sempre && m_ultimaPintura.isValid() && m_ultimaPintura.elapsed() < kIntervaloPintura)
        return;
    QCoreApplication::processEvents();
    m_ultimaPintura.restart();
}

void TFormEvolucaoGeracao::Falhou(const std::string& mensagem) {
    m_ocupado = false;
    m_processa.reset();
    m_prosseguir->setEnabled(false);
    m_fechar->setEnabled(true);
    const QPointer<TFormEvolucaoGeracao> vivo(this);
    Dialogos::Mensagem(this, paraQString(mensagem));
    if (vivo)
        MudaEstado(Estado::Falhou);
}

void TFormEvolucaoGeracao::MostraSituacao(const TArquivoGerado& arquivo) {
    const TSituacaoArquivo situacao = arquivo.situacao;
    auto* item = new QTreeWidgetItem(
        m_resultados, {paraQString(arquivo.nome), paraQString(NomeSituacao(situacao))});
    const bool problema = situacao == TSituacaoArquivo::Falhou ||
                          situacao == TSituacaoArquivo::Colidente ||
                          situacao == TSituacaoArquivo::Conflito;
    if (problema || situacao == TSituacaoArquivo::Pulado) {
        const QBrush cor =
            problema ? QBrush(Qt::darkRed) : palette().brush(QPalette::PlaceholderText);
        item->setForeground(0, cor);
        item->setForeground(1, cor);
    }
    m_resultados->scrollToItem(item);
    if (situacao == TSituacaoArquivo::Inalterado)
        EscreveArquivo(arquivo.caminho);
    else
        Processa();
}

std::string TFormEvolucaoGeracao::PerguntaSobrescrita(const std::string& texto, bool podeFundir) {
    // Both lists stay in sight: the files still to come and what became of the others.
    QRect listas(m_lista->mapToGlobal(QPoint(0, 0)), m_lista->size());
    listas |= QRect(m_resultados->mapToGlobal(QPoint(0, 0)), m_resultados->size());
    return deQString(TFormConfirmaDialog::Pergunta(this, paraQString(texto), podeFundir,
                                                   isVisible() ? listas : QRect()));
}

} // namespace fendril
