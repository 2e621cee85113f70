// The progress window and the overwrite question: preparing and the sorted list, a full run
// of the shop example that crosses its files off, the overwrite answers driving the run, a
// failure escaping the run, and closing while it works.

#include "AmbienteUi.h"
#include "cli/Aplicacao.h"
#include "documents/TArquivoKMF.h"
#include "generation/TProcessaGeracao.h"
#include "generation/windows/TFormConfirmaDialog.h"
#include "generation/windows/TFormEvolucaoGeracao.h"
#include "generation/windows/TFormGeracao.h"
#include "ui/frame/Texto.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <sqlite3.h>
#include <sstream>
#include <stdexcept>

using namespace fendril;
using namespace fendril::teste;

namespace {

using Estado = TFormEvolucaoGeracao::Estado;

QStringList Itens(QListWidget* lista) {
    QStringList itens;
    for (int i = 0; i < lista->count(); ++i)
        itens.append(lista->item(i)->text());
    return itens;
}

// The outcome shown for each file, by name.
QMap<QString, QString> Resultados(TFormEvolucaoGeracao& janela) {
    QMap<QString, QString> resultados;
    auto* arvore = Controle<QTreeWidget>(&janela, "lv_resultados");
    for (int i = 0; i < arvore->topLevelItemCount(); ++i)
        resultados.insert(arvore->topLevelItem(i)->text(0), arvore->topLevelItem(i)->text(1));
    return resultados;
}

// What the window showed when it entered a state.
struct Retrato {
    QStringList itens;
    QString situacao, rotuloModelo, rotuloTabela;
    int medidorModelo = -1, medidorTabela = -1;
    bool painelVisivel = false, prosseguir = false, fechar = false;
};

Retrato Retrata(TFormEvolucaoGeracao& janela) {
    Retrato r;
    r.itens = Itens(Controle<QListWidget>(&janela, "lb_arquivos"));
    r.situacao = Controle<QLabel>(&janela, "lbl_situacao")->text();
    r.rotuloModelo = Controle<QLabel>(&janela, "lbl_modelo")->text();
    r.rotuloTabela = Controle<QLabel>(&janela, "lbl_tabela")->text();
    r.medidorModelo = Controle<QProgressBar>(&janela, "pb_modelo")->value();
    r.medidorTabela = Controle<QProgressBar>(&janela, "pb_tabela")->value();
    r.painelVisivel = Controle<QWidget>(&janela, "pn_progresso")->isVisible();
    r.prosseguir = Controle<QPushButton>(&janela, "BitBtn2")->isEnabled();
    r.fechar = Controle<QPushButton>(&janela, "BitBtn1")->isEnabled();
    return r;
}

int Cli(std::vector<std::string> argumentos) {
    argumentos.insert(argumentos.begin(), "fendril-cli");
    std::vector<const char*> argv;
    for (const std::string& a : argumentos)
        argv.push_back(a.c_str());
    std::ostringstream saida, erros;
    const int codigo = ExecutaCli(static_cast<int>(argv.size()), argv.data(), saida, erros);
    if (codigo != 0)
        qWarning("fendril-cli %s: %s", argumentos[1].c_str(), erros.str().c_str());
    return codigo;
}

// The message a run that failed nowhere ends with.
QString Resumo(qsizetype escritos, int inalterados, qsizetype pulados) {
    return QStringLiteral("Generation Finished: %1 written, %2 unchanged, %3 skipped, 0 failed")
        .arg(escritos)
        .arg(inalterados)
        .arg(pulados);
}

void Grava(const QString& caminho, const QByteArray& conteudo) {
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(caminho));
    arquivo.write(conteudo);
}

} // namespace

class TesteEvolucaoGeracao : public QObject {
    Q_OBJECT

    // The shop example, built once: its database, mapping and template documents.
    QTemporaryDir m_loja;
    std::string m_mapeamento;
    TListaTextos m_modelosTabela;
    TListaTextos m_modelosGerais;
    // The names the shop's run writes, as the core lists them.
    QStringList m_arquivos;

    std::string Loja(const char* nome) const { return deQString(m_loja.filePath(nome)); }

    // A new progress window over the shop for `diretorio`, shown and ready.
    QPointer<TFormEvolucaoGeracao> Pronta(const QString& diretorio, QWidget* pai = nullptr,
                                          const std::string& mapeamento = {}) {
        auto* janela = new TFormEvolucaoGeracao(pai);
        janela->caminhoMapeamento = mapeamento.empty() ? m_mapeamento : mapeamento;
        janela->diretorioGeracao = deQString(diretorio);
        janela->modelosTabela = m_modelosTabela;
        janela->modelosGerais = m_modelosGerais;
        janela->show();
        QPointer<TFormEvolucaoGeracao> guarda(janela);
        if (!QTest::qWaitFor([&] { return guarda->estado() != Estado::Iniciando; }, 5000))
            qFatal("the progress window did not get ready");
        return guarda;
    }

    // Runs the shop with the core alone into `diretorio`, then marks every file "old".
    void GeracaoAnterior(const QString& diretorio) {
        TProcessaGeracao processa;
        processa.caminhoMapeamento = m_mapeamento;
        processa.diretorioGeracao = deQString(diretorio);
        processa.AdicionaModelosTabela(m_modelosTabela);
        processa.AdicionaModelosGerais(m_modelosGerais);
        QVERIFY(processa.Prepara());
        processa.Executa();
        QCOMPARE(processa.escritos(), int(m_arquivos.size()));
        for (const QString& nome : m_arquivos)
            Grava(QDir(diretorio).filePath(nome), "old\n");
    }

    // Runs the shop with the core alone into `diretorio`, then makes `nome` look edited by
    // hand after an older generation: its kept content lacks the last line of the current
    // output, and the file holds that older output with `edicao` at its top (or, with
    // `noFim`, at its end, where the current output adds its last line). Returns the
    // current output of `nome`.
    QByteArray EdicaoAMao(const QString& diretorio, const QString& nome, const QByteArray& edicao,
                          bool noFim = false) {
        TProcessaGeracao processa;
        processa.caminhoMapeamento = m_mapeamento;
        processa.diretorioGeracao = deQString(diretorio);
        processa.AdicionaModelosTabela(m_modelosTabela);
        processa.AdicionaModelosGerais(m_modelosGerais);
        if (!processa.Prepara())
            qFatal("the shop mapping does not load");
        processa.Executa();
        const QDir gen(diretorio);
        const QByteArray atual = Conteudo(gen.filePath(nome));
        QByteArray antigo = atual.left(atual.lastIndexOf("\r\n", atual.size() - 3) + 2);
        Grava(gen.filePath(QStringLiteral(".fendril/") + nome), antigo);
        Grava(gen.filePath(nome), noFim ? antigo + edicao : edicao + antigo);
        return atual;
    }

private slots:
    void initTestCase() {
        IniciaAplicacao();
        QVERIFY(m_loja.isValid());
        const std::string exemplo = FENDRIL_SHOP_DIR;
        const std::string banco = Loja("shop.db");
        sqlite3* bd = nullptr;
        QCOMPARE(sqlite3_open(banco.c_str(), &bd), SQLITE_OK);
        const std::string script =
            "PRAGMA synchronous = OFF; PRAGMA journal_mode = MEMORY;" +
            deQString(QString::fromUtf8(Conteudo(paraQString(exemplo + "/shop.sql"))));
        QCOMPARE(sqlite3_exec(bd, script.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(bd);

        m_mapeamento = Loja("shop.kmf");
        QCOMPARE(Cli({"import", "--connection", "Provider=SQLite;Data Source=" + banco,
                      "--database", "main", "--author", "Fendril", "--name", "Shop", "-o",
                      m_mapeamento, "--log", Loja("load.log")}),
                 0);
        const std::string modelos = exemplo + "/templates/";
        QCOMPARE(Cli({"compose", modelos + "cpp/classes.desc", "-o", Loja("cpp-classes.tpt")}), 0);
        const std::pair<const char*, const char*> gerais[] = {
            {"python/modules.desc", "python-modules.tpg"},
            {"python/package.desc", "python-package.tpg"},
            {"typescript/interfaces.desc", "typescript-interfaces.tpg"},
            {"typescript/index.desc", "typescript-index.tpg"},
            {"sql/sqlite.desc", "sql-sqlite.tpg"},
            {"sql/postgresql.desc", "sql-postgresql.tpg"},
            {"markdown/dictionary.desc", "markdown-dictionary.tpg"}};
        for (const auto& [descricao, documento] : gerais) {
            QCOMPARE(Cli({"compose", modelos + descricao, "-o", Loja(documento)}), 0);
            m_modelosGerais.push_back(Loja(documento));
        }
        m_modelosTabela = {Loja("cpp-classes.tpt")};
        for (const char* tipos : {"python/python-types.txt", "typescript/typescript-types.txt"})
            QVERIFY(QFile::copy(paraQString(modelos + tipos),
                                m_loja.filePath(QFileInfo(QLatin1String(tipos)).fileName())));

        TProcessaGeracao processa;
        processa.caminhoMapeamento = m_mapeamento;
        processa.AdicionaModelosTabela(m_modelosTabela);
        processa.AdicionaModelosGerais(m_modelosGerais);
        QVERIFY(processa.Prepara());
        for (const std::string& nome : processa.ListaArquivos())
            m_arquivos.append(paraQString(nome));
        // Every name once, so that each write crosses off exactly its own entry.
        QVERIFY(m_arquivos.size() > 10);
        QCOMPARE(QSet<QString>(m_arquivos.begin(), m_arquivos.end()).size(), m_arquivos.size());
    }

    void cleanup() { TFormEvolucaoGeracao::setObservador({}); }

    // The window before its first tick, then ready: the list sorted without regard to case,
    // the count, both buttons enabled, the progress panel still hidden.
    void preparaEListaOrdenado() {
        Ambiente ambiente;
        QDir().mkdir(QStringLiteral("gen"));
        auto* janela = new TFormEvolucaoGeracao;
        janela->caminhoMapeamento = m_mapeamento;
        janela->diretorioGeracao = deQString(ambiente.caminho(QStringLiteral("gen")));
        janela->modelosTabela = m_modelosTabela;
        janela->modelosGerais = m_modelosGerais;
        janela->show();
        QPointer<TFormEvolucaoGeracao> guarda(janela);
        QCOMPARE(janela->windowTitle(), QStringLiteral("Generation Progress"));
        QVERIFY(!janela->windowFlags().testFlag(Qt::WindowCloseButtonHint));
        const Retrato antes = Retrata(*janela);
        QCOMPARE(antes.situacao, QStringLiteral("Processing..."));
        QVERIFY(!antes.prosseguir && !antes.fechar && !antes.painelVisivel);
        QVERIFY(antes.itens.isEmpty());
        QCOMPARE(Controle<QLabel>(janela, "lbl_titulo")->text(),
                 QStringLiteral("Files To Be Generated"));
        QVERIFY(Controle<QLabel>(janela, "lbl_titulo")->font().bold());

        QTRY_COMPARE(janela->estado(), Estado::Pronto);
        const Retrato pronto = Retrata(*janela);
        QStringList esperados = m_arquivos;
        std::stable_sort(esperados.begin(), esperados.end(),
                         [](const QString& a, const QString& b) {
                             return QString::compare(a, b, Qt::CaseInsensitive) < 0;
                         });
        QCOMPARE(pronto.itens, esperados);
        QVERIFY(esperados != m_arquivos); // the run's own order is not the list's
        QCOMPARE(pronto.situacao, QStringLiteral("Number Of Files: %1").arg(m_arquivos.size()));
        QVERIFY(pronto.prosseguir && pronto.fechar && !pronto.painelVisivel);

        // "Close" leaves without running: nothing written, no log.
        Controle<QPushButton>(janela, "BitBtn1")->click();
        QTRY_VERIFY(guarda.isNull());
        QVERIFY(QDir(ambiente.caminho(QStringLiteral("gen"))).isEmpty());
        QVERIFY(Dialogos::TomaMensagens().isEmpty());
    }

    // A mapping that is missing lists nothing silently; one that is there but unreadable
    // says why. "Proceed" then runs nothing and closes without the end message.
    void mapeamentoInutilizavel_data() {
        QTest::addColumn<bool>("existe");
        QTest::addColumn<QString>("mensagem");
        QTest::newRow("missing") << false << QString();
        QTest::newRow("no database name") << true << QStringLiteral("Has No Database Name !!");
    }
    void mapeamentoInutilizavel() {
        QFETCH(bool, existe);
        QFETCH(QString, mensagem);
        Ambiente ambiente;
        QDir().mkdir(QStringLiteral("gen"));
        const QString mapeamento = ambiente.caminho(QStringLiteral("shop.kmf"));
        if (existe) {
            // A real document lacking its database name: the shop's, with that key removed.
            TArquivoKMF documento;
            documento.Abre(m_mapeamento);
            TListaTextos& linhas = documento.getLinhas();
            std::erase_if(linhas, [](const std::string& linha) {
                return linha.starts_with("descricao||combo_basedados||");
            });
            documento.Salva(deQString(mapeamento));
        }
        QPointer<TFormEvolucaoGeracao> janela =
            Pronta(ambiente.caminho(QStringLiteral("gen")), nullptr, deQString(mapeamento));
        QCOMPARE(janela->estado(), Estado::Pronto);
        const Retrato r = Retrata(*janela);
        QVERIFY(r.itens.isEmpty());
        QCOMPARE(r.situacao, QStringLiteral("Number Of Files: 0"));
        const QStringList mensagens = Dialogos::TomaMensagens();
        if (mensagem.isEmpty()) {
            QVERIFY(mensagens.isEmpty());
        } else {
            QCOMPARE(mensagens.size(), 1);
            QVERIFY2(mensagens.first().contains(mensagem), qPrintable(mensagens.first()));
        }
        Controle<QPushButton>(janela, "BitBtn2")->click();
        QTRY_VERIFY(janela.isNull());
        QVERIFY(Dialogos::TomaMensagens().isEmpty());
        QVERIFY(QDir(ambiente.caminho(QStringLiteral("gen"))).isEmpty());
    }

    // The shop through the modal window, as the generation window opens it: every listed
    // file is written and crossed off, the gauges end full, and no message appears.
    void execucaoCompletaDaLoja() {
        Ambiente ambiente;
        QDir().mkdir(QStringLiteral("gen"));
        const QString gen = ambiente.caminho(QStringLiteral("gen"));
        QList<Estado> estados;
        Retrato fim;
        TFormEvolucaoGeracao::setObservador([&](TFormEvolucaoGeracao& janela, Estado estado) {
            estados.append(estado);
            if (estado == Estado::Pronto)
                QTimer::singleShot(0, Controle<QPushButton>(&janela, "BitBtn2"),
                                   &QPushButton::click);
            if (estado == Estado::Fechado)
                fim = Retrata(janela);
        });
        TFormEvolucaoGeracao::Executa(nullptr, m_mapeamento, deQString(gen), m_modelosTabela,
                                      m_modelosGerais);
        QCOMPARE(estados, (QList<Estado>{Estado::Pronto, Estado::Executando, Estado::Fechado}));
        QVERIFY(fim.itens.isEmpty());
        QCOMPARE(fim.situacao, QStringLiteral("Remaining Files: 0"));
        QVERIFY(fim.painelVisivel && !fim.prosseguir && !fim.fechar);
        QCOMPARE(fim.medidorModelo, 100);
        QCOMPARE(fim.rotuloModelo, QStringLiteral("Fendril Template: markdown-dictionary.tpg"));
        QCOMPARE(fim.rotuloTabela, QStringLiteral("Table: "));
        QCOMPARE(fim.medidorTabela, 0);
        QCOMPARE(Dialogos::TomaMensagens(), QStringList{Resumo(m_arquivos.size(), 0, 0)});
        QVERIFY(Dialogos::TomaTitulosArquivo().isEmpty()); // no overwrite question
        for (const QString& nome : m_arquivos)
            QVERIFY2(QFileInfo(QDir(gen).filePath(nome)).size() > 0, qPrintable(nome));
        QVERIFY(QFileInfo::exists(QDir(gen).filePath(QStringLiteral("log.txt"))));
        QVERIFY(QApplication::topLevelWidgets().size() < 3); // the window is gone
    }

    // The desktop flow on the example laid out as its packing script does: the generation
    // document, beside the mapping and the templates, mounts its own folder ("pathraiz" ..,
    // "pathmontado" the folder's name) with "generated" as the generation directory; opened
    // from the main window, "Generate All Files" writes every file there and the tree
    // shows them.
    void fluxoDaJanelaDeGeracao() {
        Ambiente ambiente;
        const QDir saida(ambiente.caminho(QStringLiteral("shop-out")));
        QVERIFY(QDir().mkpath(saida.filePath(QStringLiteral("templates"))));
        QVERIFY(QDir().mkpath(saida.filePath(QStringLiteral("generated"))));
        QVERIFY(QFile::copy(m_loja.filePath(QStringLiteral("shop.kmf")),
                            saida.filePath(QStringLiteral("shop.kmf"))));
        for (const char* nome : {"cpp-classes.tpt", "python-modules.tpg", "python-package.tpg",
                                 "typescript-interfaces.tpg", "typescript-index.tpg",
                                 "sql-sqlite.tpg", "sql-postgresql.tpg", "markdown-dictionary.tpg",
                                 "python-types.txt", "typescript-types.txt"})
            QVERIFY(
                QFile::copy(m_loja.filePath(QLatin1String(nome)),
                            saida.filePath(QStringLiteral("templates/") + QLatin1String(nome))));
        const QString descricao = ambiente.caminho(QStringLiteral("shop.desc"));
        Grava(descricao, Conteudo(QStringLiteral(FENDRIL_SHOP_DIR "/shop.gen.desc")) +
                             "pathraiz = ..\npathmontado = shop-out\n");
        const QString documento = saida.filePath(QStringLiteral("shop.kgf"));
        QCOMPARE(Cli({"compose", deQString(descricao), "-o", deQString(documento)}), 0);

        auto principal = NovaPrincipal();
        principal->AbreArquivo({documento});
        QVERIFY(Dialogos::TomaMensagens().isEmpty());
        auto* janela = qobject_cast<TFormGeracao*>(principal->filhaAtiva());
        QVERIFY(janela);
        QCOMPARE(janela->legenda(), QStringLiteral("shop.kgf"));
        QTreeWidgetItem* raiz = janela->raiz();
        QVERIFY(raiz);
        QCOMPARE(raiz->text(0), QStringLiteral("shop-out"));
        QCOMPARE(janela->caminhoCompleto(raiz), saida.path());
        const QString gerado = saida.filePath(QStringLiteral("generated"));
        QCOMPARE(janela->getGenerationDir(raiz), gerado);
        QTreeWidgetItem* noGerado = janela->ExisteDir(gerado, raiz);
        QVERIFY(noGerado);
        QCOMPARE(TFormGeracao::indiceIcone(noGerado), int(TFormGeracao::GeracaoFechado));
        QCOMPARE(Controle<QLineEdit>(janela, QStringLiteral("edit_mapfile"))->text(),
                 saida.filePath(QStringLiteral("shop.kmf")));
        QCOMPARE(TFormGeracao::ItensMarcados(
                     Controle<QListWidget>(janela, QStringLiteral("cb_fendril"))),
                 QStringList{saida.filePath(QStringLiteral("templates/cpp-classes.tpt"))});
        QCOMPARE(
            TFormGeracao::ItensMarcados(Controle<QListWidget>(janela, QStringLiteral("cb_templ")))
                .size(),
            7);

        QList<Estado> estados;
        TFormEvolucaoGeracao::setObservador([&](TFormEvolucaoGeracao& progresso, Estado estado) {
            estados.append(estado);
            if (estado == Estado::Pronto)
                QTimer::singleShot(0, Controle<QPushButton>(&progresso, "BitBtn2"),
                                   &QPushButton::click);
        });
        Acao(janela, QStringLiteral("but_generate"))->trigger();
        QCOMPARE(estados, (QList<Estado>{Estado::Pronto, Estado::Executando, Estado::Fechado}));
        QCOMPARE(Dialogos::TomaMensagens(), QStringList{Resumo(m_arquivos.size(), 0, 0)});
        QStringList esperados = m_arquivos;
        esperados.append(QStringLiteral("log.txt"));
        for (const QString& nome : esperados)
            QVERIFY2(QFileInfo(QDir(gerado).filePath(nome)).size() > 0, qPrintable(nome));

        // The tree reads the generation directory again, keeping its mark; the folder that
        // keeps the generated contents is there too.
        esperados.append(QStringLiteral(".fendril"));
        noGerado = janela->ExisteDir(gerado, janela->raiz());
        QVERIFY(noGerado);
        QStringList mostrados;
        for (int i = 0; i < noGerado->childCount(); ++i)
            mostrados.append(noGerado->child(i)->text(0));
        mostrados.sort();
        esperados.sort();
        QCOMPARE(mostrados, esperados);
        QCOMPARE(TFormGeracao::indiceIcone(noGerado), int(TFormGeracao::GeracaoAberto));
        QCOMPARE(janela->getGenerationDir(janela->raiz()), gerado);
        QVERIFY(!janela->modificado()); // generating leaves the document as it was
    }

    // The gauges and labels while the run works, and the list after each write.
    void medidoresDuranteAExecucao() {
        Ambiente ambiente;
        QDir().mkdir(QStringLiteral("gen"));
        QPointer<TFormEvolucaoGeracao> janela = Pronta(ambiente.caminho(QStringLiteral("gen")));
        TProcessaGeracao* processa = janela->getProcessa();
        QVERIFY(processa);
        QStringList modelos, tabelas, situacoes;
        const auto eventoModelo = processa->eventoModelo;
        processa->eventoModelo = [&, eventoModelo](const std::string& c, int p, int t) {
            eventoModelo(c, p, t);
            const Retrato r = Retrata(*janela);
            QVERIFY(r.painelVisivel && !r.prosseguir && !r.fechar);
            modelos.append(QStringLiteral("%1 %2").arg(r.rotuloModelo).arg(r.medidorModelo));
        };
        const auto eventoTabela = processa->eventoTabela;
        processa->eventoTabela = [&, eventoTabela](const std::string& t, const std::string& a,
                                                   int p) {
            eventoTabela(t, a, p);
            const Retrato r = Retrata(*janela);
            tabelas.append(QStringLiteral("%1 %2").arg(r.rotuloTabela).arg(r.medidorTabela));
        };
        const auto eventoArquivo = processa->eventoArquivo;
        processa->eventoArquivo = [&, eventoArquivo](const std::string& caminho) {
            eventoArquivo(caminho);
            situacoes.append(Retrata(*janela).situacao);
        };
        Controle<QPushButton>(janela, "BitBtn2")->click();
        QTRY_VERIFY(janela.isNull());

        QCOMPARE(modelos,
                 (QStringList{QStringLiteral("Fendril Template: cpp-classes.tpt 100"),
                              QStringLiteral("Fendril Template: python-modules.tpg 14"),
                              QStringLiteral("Fendril Template: python-package.tpg 28"),
                              QStringLiteral("Fendril Template: typescript-interfaces.tpg 42"),
                              QStringLiteral("Fendril Template: typescript-index.tpg 57"),
                              QStringLiteral("Fendril Template: sql-sqlite.tpg 71"),
                              QStringLiteral("Fendril Template: sql-postgresql.tpg 85"),
                              QStringLiteral("Fendril Template: markdown-dictionary.tpg 100")}));
        QVERIFY(tabelas.size() > 2);
        QVERIFY2(tabelas.first().startsWith(QStringLiteral("Table: ")),
                 qPrintable(tabelas.first()));
        QVERIFY(!tabelas.first().endsWith(QStringLiteral(": 0")));
        QCOMPARE(tabelas.last(), QStringLiteral("Table:  0"));
        QCOMPARE(situacoes.size(), m_arquivos.size());
        for (int i = 0; i < situacoes.size(); ++i)
            QCOMPARE(situacoes[i],
                     QStringLiteral("Remaining Files: %1").arg(m_arquivos.size() - 1 - i));
    }

    // Crossing off: the first entry equal to the written file's last component, letter
    // case aside; a name that is not listed leaves the list as it is.
    void riscaArquivoEscrito() {
        Ambiente ambiente;
        QPointer<TFormEvolucaoGeracao> janela = Pronta(ambiente.pasta());
        auto* lista = Controle<QListWidget>(janela, "lb_arquivos");
        const QStringList antes = Itens(lista);
        const QString primeiro = antes.first();
        janela->EscreveArquivo(deQString(QStringLiteral("/x/gen/") + primeiro.toUpper()));
        QStringList esperados = antes;
        esperados.removeFirst();
        QCOMPARE(Itens(lista), esperados);
        QCOMPARE(Controle<QLabel>(janela, "lbl_situacao")->text(),
                 QStringLiteral("Remaining Files: %1").arg(esperados.size()));
        for (const char* alheio : {"/x/gen/unknown.txt", "C:\\gen\\nothing.h", "/x/gen/"}) {
            janela->EscreveArquivo(alheio);
            QCOMPARE(Itens(lista), esperados);
        }
        // A name listed twice is crossed off once per write.
        lista->insertItem(0, esperados.first());
        janela->EscreveArquivo("C:\\gen\\" + deQString(esperados.first()));
        QCOMPARE(Itens(lista).count(esperados.first()), 1);
        Controle<QPushButton>(janela, "BitBtn1")->click();
        QTRY_VERIFY(janela.isNull());
    }

    // A name with a folder part (src\X.h) is written into that subfolder and crossed off
    // by its whole name, not confused with a file of the same last name.
    void nomeComSubpasta() {
        Ambiente ambiente;
        const QDir gen(ambiente.caminho(QStringLiteral("gen")));
        QVERIFY(QDir().mkpath(gen.filePath(QStringLiteral("include"))));
        TArquivoKMF modelo;
        const std::pair<const char*, const char*> entradas[] = {
            {"edit_tableprefix", "include\\"},
            {"edit_tablesufix", ""},
            {"edit_tableextension", "h"},
            {"cb_fname", "2"},
            {"edit_nameform", "pascal:singular"},
            {"edit_parparentclass", ""},
            {"edit_parprefix", ""},
            {"edit_parsufix", ""},
            {"edit_parextension", ""},
            {"edit_makeprefix", ""},
            {"edit_makeextension", ""},
            {"re_classeobjeto", "// <tbname>"}};
        for (const auto& [chave, valor] : entradas)
            modelo.AdicionaEntrada("codigo", chave, valor);
        const std::string caminhoModelo = deQString(ambiente.caminho(QStringLiteral("sub.tpt")));
        modelo.Salva(caminhoModelo);

        auto* janela = new TFormEvolucaoGeracao;
        janela->caminhoMapeamento = m_mapeamento;
        janela->diretorioGeracao = deQString(gen.path());
        janela->modelosTabela = {m_modelosTabela.front(), caminhoModelo};
        janela->show();
        QPointer<TFormEvolucaoGeracao> guarda(janela);
        QTRY_COMPARE(janela->estado(), Estado::Pronto);
        const QStringList itens = Itens(Controle<QListWidget>(janela, "lb_arquivos"));
        QVERIFY(itens.contains(QStringLiteral("Address.h")));
        QVERIFY(itens.contains(QStringLiteral("include\\Address.h")));
        Controle<QPushButton>(janela, "BitBtn2")->click();
        QTRY_VERIFY(guarda.isNull());
        QCOMPARE(Dialogos::TomaMensagens(), QStringList{Resumo(itens.size(), 0, 0)});
        QCOMPARE(Conteudo(gen.filePath(QStringLiteral("include/Address.h"))).trimmed(),
                 QByteArray("// addresses"));
    }

    // A second run over files that exist: the answers, given through the dialog hook,
    // drive which files are written over; a file that does not exist is always written.
    void respostasDeSobrescrita_data() {
        QTest::addColumn<QStringList>("respostas");
        QTest::addColumn<bool>("apagaUm");
        QTest::addColumn<int>("perguntas");       // -1: one per file
        QTest::addColumn<QList<int>>("escritas"); // the questions that led to a write
        QTest::addColumn<bool>("todas");          // every file written
        QTest::newRow("Yes, then No To All")
            << QStringList{QStringLiteral("mr_yes"), QStringLiteral("mr_noall")} << false << 2
            << QList<int>{0} << false;
        QTest::newRow("Yes To All")
            << QStringList{QStringLiteral("mr_yesall")} << false << 1 << QList<int>{} << true;
        QTest::newRow("No, Yes, No To All")
            << QStringList{QStringLiteral("mr_no"), QStringLiteral("mr_yes"),
                           QStringLiteral("mr_noall")}
            << false << 3 << QList<int>{1} << false;
        QTest::newRow("No To All, one file missing")
            << QStringList{QStringLiteral("mr_noall")} << true << 1 << QList<int>{} << false;
        QTest::newRow("unanswered") << QStringList{} << false << -1 << QList<int>{} << false;
    }
    void respostasDeSobrescrita() {
        QFETCH(QStringList, respostas);
        QFETCH(bool, apagaUm);
        QFETCH(int, perguntas);
        QFETCH(QList<int>, escritas);
        QFETCH(bool, todas);
        Ambiente ambiente;
        QDir().mkdir(QStringLiteral("gen"));
        const QDir gen(ambiente.caminho(QStringLiteral("gen")));
        GeracaoAnterior(gen.path());
        const QString apagado = m_arquivos.last();
        if (apagaUm)
            QVERIFY(QFile::remove(gen.filePath(apagado)));
        for (const QString& resposta : respostas)
            Dialogos::ProximoTexto(resposta);
        Dialogos::TomaTitulosArquivo();

        Retrato fim;
        TFormEvolucaoGeracao::setObservador([&](TFormEvolucaoGeracao& janela, Estado estado) {
            if (estado == Estado::Fechado)
                fim = Retrata(janela);
        });
        QPointer<TFormEvolucaoGeracao> janela = Pronta(gen.path());
        Controle<QPushButton>(janela, "BitBtn2")->click();
        QTRY_VERIFY(janela.isNull());

        // The questions name the file alone, between double quotes.
        QStringList perguntados;
        for (const QString& titulo : Dialogos::TomaTitulosArquivo()) {
            QVERIFY2(titulo.startsWith(QStringLiteral("Overwrite \"")) &&
                         titulo.endsWith(QStringLiteral("\" ?")),
                     qPrintable(titulo));
            perguntados.append(titulo.mid(11, titulo.size() - 14));
        }
        QCOMPARE(perguntados.size(),
                 perguntas < 0 ? m_arquivos.size() - (apagaUm ? 1 : 0) : perguntas);
        QSet<QString> esperadas;
        for (int i : escritas)
            esperadas.insert(perguntados[i]);
        if (apagaUm)
            esperadas.insert(apagado);
        int novas = 0;
        for (const QString& nome : m_arquivos) {
            const bool nova = Conteudo(gen.filePath(nome)) != "old\n";
            QCOMPARE(nova, todas || esperadas.contains(nome));
            QCOMPARE(fim.itens.contains(nome), !nova);
            novas += nova ? 1 : 0;
        }
        // The status line counts down from the first file written.
        QCOMPARE(fim.situacao, fim.itens.size() == m_arquivos.size()
                                   ? QStringLiteral("Number Of Files: %1").arg(m_arquivos.size())
                                   : QStringLiteral("Remaining Files: %1").arg(fim.itens.size()));
        // Files kept at the person's word are no failure: the run ends with its summary.
        QCOMPARE(Dialogos::TomaMensagens(),
                 QStringList{Resumo(novas, 0, int(m_arquivos.size()) - novas)});
    }

    // A second run over a file edited by hand since an older generation: Merge keeps the
    // edits and takes the new output everywhere else, also for the whole run (Merge All,
    // or the generation's "Merge hand edits", which asks nothing); No keeps the file. Each
    // file's outcome is shown beside the list, and the run ends with its summary.
    void fusaoDeEdicoes_data() {
        QTest::addColumn<QStringList>("respostas");
        QTest::addColumn<bool>("fundeEdicoes");
        QTest::addColumn<bool>("noFim"); // the edit where the new output changes too
        QTest::addColumn<QString>("resultado");
        QTest::addColumn<QString>("mensagem");
        // Every other file is unchanged.
        const QString resto = QStringLiteral(" unchanged, %1 skipped, 0 failed");
        const QString unchanged = QString::number(m_arquivos.size() - 1);
        const QString fundido = QStringLiteral("Generation Finished: 1 written, ") + unchanged +
                                resto.arg(0) + QStringLiteral("; 1 merged, 0 with conflicts");
        const QStringList fundir{QStringLiteral("mr_merge")};
        QTest::newRow("Merge") << fundir << false << false << QStringLiteral("merged") << fundido;
        QTest::newRow("Merge All") << QStringList{QStringLiteral("mr_mergeall")} << false << false
                                   << QStringLiteral("merged") << fundido;
        QTest::newRow("Merge hand edits")
            << QStringList{} << true << false << QStringLiteral("merged") << fundido;
        QTest::newRow("No") << QStringList{QStringLiteral("mr_no")} << false << false
                            << QStringLiteral("skipped")
                            << QStringLiteral("Generation Finished: 0 written, ") + unchanged +
                                   resto.arg(1);
        QTest::newRow("conflict")
            << fundir << false << true << QStringLiteral("conflict")
            << QStringLiteral("Generation Finished With Merge Conflicts: 1 written, ") + unchanged +
                   resto.arg(0) +
                   QStringLiteral("; 0 merged, 1 with conflicts. The Files Hold Conflict Markers "
                                  "Where Hand Edits And New Output Differ; The Log Names Their "
                                  "Lines.");
    }
    void fusaoDeEdicoes() {
        QFETCH(QStringList, respostas);
        QFETCH(bool, fundeEdicoes);
        QFETCH(bool, noFim);
        QFETCH(QString, resultado);
        QFETCH(QString, mensagem);
        Ambiente ambiente;
        QDir().mkdir(QStringLiteral("gen"));
        const QDir gen(ambiente.caminho(QStringLiteral("gen")));
        const QString editado = m_arquivos.first();
        const QByteArray edicao = "// mine\r\n";
        const QByteArray novo = EdicaoAMao(gen.path(), editado, edicao, noFim);
        for (const QString& resposta : respostas)
            Dialogos::ProximoTexto(resposta);
        Dialogos::TomaTitulosArquivo();

        QMap<QString, QString> resultados;
        QStringList restantes;
        TFormEvolucaoGeracao::setObservador([&](TFormEvolucaoGeracao& janela, Estado estado) {
            if (estado == Estado::Fechado) {
                resultados = Resultados(janela);
                restantes = Retrata(janela).itens;
            }
        });
        auto* janela = new TFormEvolucaoGeracao;
        janela->caminhoMapeamento = m_mapeamento;
        janela->diretorioGeracao = deQString(gen.path());
        janela->modelosTabela = m_modelosTabela;
        janela->modelosGerais = m_modelosGerais;
        janela->fundeEdicoes = fundeEdicoes;
        janela->show();
        QPointer<TFormEvolucaoGeracao> guarda(janela);
        QTRY_COMPARE(janela->estado(), Estado::Pronto);
        Controle<QPushButton>(janela, "BitBtn2")->click();
        QTRY_VERIFY(guarda.isNull());

        QCOMPARE(Dialogos::TomaTitulosArquivo(),
                 respostas.isEmpty()
                     ? QStringList{}
                     : QStringList{QStringLiteral("Overwrite \"%1\" ?").arg(editado)});
        QCOMPARE(Dialogos::TomaMensagens(), QStringList{mensagem});
        QCOMPARE(resultados.size(), m_arquivos.size());
        for (const QString& nome : m_arquivos)
            QCOMPARE(resultados.value(nome),
                     nome == editado ? resultado : QStringLiteral("unchanged"));
        // Written or unchanged files are crossed off; a kept one stays.
        QCOMPARE(restantes,
                 resultado == QStringLiteral("skipped") ? QStringList{editado} : QStringList{});
        const QByteArray conteudo = Conteudo(gen.filePath(editado));
        if (resultado == QStringLiteral("merged"))
            QCOMPARE(conteudo, edicao + novo);
        else if (resultado == QStringLiteral("conflict"))
            QVERIFY2(conteudo.contains("<<<<<<< " + editado.toUtf8() +
                                       " (edited)\r\n// mine\r\n"
                                       "=======\r\n"),
                     conteudo.constData());
        else
            QVERIFY(conteudo.startsWith(edicao));
    }

    // A run that failed somewhere ends with the message that says so: every file of a
    // template listed twice collides with its own first output.
    void falhaTerminaComAMensagem() {
        Ambiente ambiente;
        QDir().mkdir(QStringLiteral("gen"));
        auto* janela = new TFormEvolucaoGeracao;
        janela->caminhoMapeamento = m_mapeamento;
        janela->diretorioGeracao = deQString(ambiente.caminho(QStringLiteral("gen")));
        janela->modelosTabela = {m_modelosTabela.front(), m_modelosTabela.front()};
        QStringList desfechos;
        TFormEvolucaoGeracao::setObservador([&](TFormEvolucaoGeracao& j, Estado estado) {
            auto* arvore = Controle<QTreeWidget>(&j, "lv_resultados");
            for (int i = 0; estado == Estado::Fechado && i < arvore->topLevelItemCount(); ++i)
                desfechos.append(arvore->topLevelItem(i)->text(1));
        });
        janela->show();
        QPointer<TFormEvolucaoGeracao> guarda(janela);
        QTRY_COMPARE(janela->estado(), Estado::Pronto);
        Controle<QPushButton>(janela, "BitBtn2")->click();
        QTRY_VERIFY(guarda.isNull());
        QCOMPARE(
            Dialogos::TomaMensagens(),
            QStringList{QStringLiteral("Some Files Could Not Be Created. View Log For Details. ")});
        const qsizetype arquivos = desfechos.size() / 2;
        QVERIFY(arquivos > 2);
        QCOMPARE(desfechos.count(QStringLiteral("written")), arquivos);
        QCOMPARE(desfechos.count(QStringLiteral("colliding")), arquivos);
    }

    // The question, shown for real over a running progress window, leaves both lists in
    // sight; Merge is offered only for a file with kept content.
    void perguntaNaoCobreALista_data() {
        QTest::addColumn<bool>("guardado");
        QTest::newRow("kept content") << true;
        QTest::newRow("no kept content") << false;
    }
    void perguntaNaoCobreALista() {
        QFETCH(bool, guardado);
        Ambiente ambiente;
        QDir().mkdir(QStringLiteral("gen"));
        const QDir gen(ambiente.caminho(QStringLiteral("gen")));
        const QString editado = m_arquivos.first();
        EdicaoAMao(gen.path(), editado, "// mine\r\n");
        if (!guardado)
            QVERIFY(QDir(gen.filePath(QStringLiteral(".fendril"))).removeRecursively());

        QPointer<TFormEvolucaoGeracao> janela = Pronta(gen.path());
        QRect dialogo, lista, resultados;
        bool fundir = !guardado;
        int perguntas = 0;
        const std::function<void()> responde = [&] {
            auto* pergunta = qobject_cast<TFormConfirmaDialog*>(QApplication::activeModalWidget());
            if (!pergunta) {
                QTimer::singleShot(10, responde);
                return;
            }
            ++perguntas;
            dialogo = pergunta->frameGeometry();
            for (auto [controle, area] :
                 {std::pair{"lb_arquivos", &lista}, std::pair{"lv_resultados", &resultados}}) {
                auto* widget = Controle<QWidget>(janela, QLatin1String(controle));
                *area = QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
            }
            fundir = Controle<QPushButton>(pergunta, "but_merge")->isEnabled();
            // The end message is answered by the dialog layer again.
            Dialogos::setModoResposta(true);
            Controle<QPushButton>(pergunta, "but_noall")->click();
        };
        Dialogos::setModoResposta(false);
        QTimer::singleShot(0, responde);
        Controle<QPushButton>(janela, "BitBtn2")->click();
        QTRY_VERIFY(janela.isNull());
        Dialogos::setModoResposta(true);
        QCOMPARE(perguntas, 1);
        QVERIFY(dialogo.isValid() && lista.isValid());
        QVERIFY2(!dialogo.intersects(lista) && !dialogo.intersects(resultados),
                 qPrintable(QStringLiteral("question %1,%2 %3x%4, list %5,%6 %7x%8")
                                .arg(dialogo.x())
                                .arg(dialogo.y())
                                .arg(dialogo.width())
                                .arg(dialogo.height())
                                .arg(lista.x())
                                .arg(lista.y())
                                .arg(lista.width())
                                .arg(lista.height())));
        QCOMPARE(fundir, guardado);
        QCOMPARE(Dialogos::TomaMensagens().size(), 1);
    }

    // A failure that escapes the run is shown, and the window stays closable.
    void falhaQueEscapaDaExecucao() {
        Ambiente ambiente;
        QDir().mkdir(QStringLiteral("gen"));
        QPointer<TFormEvolucaoGeracao> janela = Pronta(ambiente.caminho(QStringLiteral("gen")));
        const auto eventoModelo = janela->getProcessa()->eventoModelo;
        janela->getProcessa()->eventoModelo = [eventoModelo](const std::string& c, int p, int t) {
            eventoModelo(c, p, t);
            if (t == 2)
                throw std::runtime_error("The Disk Went Away");
        };
        Controle<QPushButton>(janela, "BitBtn2")->click();
        QCoreApplication::processEvents();
        QVERIFY(!janela.isNull());
        QCOMPARE(janela->estado(), Estado::Falhou);
        QCOMPARE(Dialogos::TomaMensagens(), QStringList{QStringLiteral("The Disk Went Away")});
        const Retrato r = Retrata(*janela);
        QVERIFY(!r.prosseguir && r.fechar);
        QVERIFY(r.itens.size() < m_arquivos.size()); // the C++ files were crossed off
        QVERIFY(!janela->getProcessa());
        Controle<QPushButton>(janela, "BitBtn1")->click();
        QTRY_VERIFY(janela.isNull());
    }

    // While the run works, closing and Escape are refused; the window's parent going away
    // in the middle does not stop the run nor crash it.
    void fecharDuranteAExecucao() {
        Ambiente ambiente;
        QDir().mkdir(QStringLiteral("gen"));
        const QDir gen(ambiente.caminho(QStringLiteral("gen")));
        auto* pai = new QWidget;
        pai->show();
        QPointer<TFormEvolucaoGeracao> janela = Pronta(gen.path(), pai);
        TProcessaGeracao* processa = janela->getProcessa();
        int chamadas = 0;
        bool fechou = true;
        const auto eventoTabela = processa->eventoTabela;
        processa->eventoTabela = [&, eventoTabela](const std::string& t, const std::string& a,
                                                   int p) {
            eventoTabela(t, a, p);
            ++chamadas;
            if (chamadas == 1) {
                janela->close();
                QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(janela, &escape);
                QCoreApplication::processEvents();
                fechou = janela.isNull() || !janela->isVisible();
            } else if (chamadas == 2) {
                delete pai;
            }
        };
        QTest::mouseClick(Controle<QPushButton>(janela, "BitBtn2"), Qt::LeftButton);
        QVERIFY(!fechou);
        QVERIFY(janela.isNull());
        QVERIFY(chamadas > 2);
        for (const QString& nome : m_arquivos)
            QVERIFY2(QFileInfo::exists(gen.filePath(nome)), qPrintable(nome));
        QVERIFY(Dialogos::TomaMensagens().isEmpty());
    }

    // The question shown for real: its text and blank title, the four buttons from left to
    // right, Escape ignored, each button's answer.
    void dialogoDeSobrescrita_data() {
        QTest::addColumn<int>("botao");
        QTest::addColumn<QString>("resposta");
        QTest::newRow("Yes") << 0 << QStringLiteral("mr_yes");
        QTest::newRow("Yes To All") << 1 << QStringLiteral("mr_yesall");
        QTest::newRow("No") << 2 << QStringLiteral("mr_no");
        QTest::newRow("No To All") << 3 << QStringLiteral("mr_noall");
        QTest::newRow("Merge") << 4 << QStringLiteral("mr_merge");
        QTest::newRow("Merge All") << 5 << QStringLiteral("mr_mergeall");
    }
    void dialogoDeSobrescrita() {
        QFETCH(int, botao);
        QFETCH(QString, resposta);
        Ambiente ambiente;
        Dialogos::setModoResposta(false);
        const QString pergunta = QStringLiteral("Overwrite \"Customer.cs\" ?");
        QStringList legendas;
        QString mostrado, titulo;
        bool escapeFechou = true;
        QTimer::singleShot(0, [&] {
            auto* dialogo = qobject_cast<TFormConfirmaDialog*>(QApplication::activeModalWidget());
            if (!dialogo)
                return;
            mostrado = Controle<QLabel>(dialogo, "StaticText1")->text();
            titulo = dialogo->windowTitle();
            QList<QPushButton*> botoes = dialogo->findChildren<QPushButton*>();
            std::sort(botoes.begin(), botoes.end(),
                      [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
            for (QPushButton* b : botoes)
                legendas.append(b->text());
            QTest::keyClick(dialogo, Qt::Key_Escape);
            escapeFechou = !dialogo->isVisible();
            botoes[botao]->click();
        });
        const QString dada = TFormConfirmaDialog::Pergunta(nullptr, pergunta);
        Dialogos::setModoResposta(true);
        QCOMPARE(mostrado, pergunta);
        QVERIFY(titulo.isEmpty());
        QCOMPARE(legendas, (QStringList{QStringLiteral("Yes"), QStringLiteral("Yes To All"),
                                        QStringLiteral("No"), QStringLiteral("No To All"),
                                        QStringLiteral("Merge"), QStringLiteral("Merge All")}));
        QVERIFY(!escapeFechou);
        QCOMPARE(dada, resposta);
    }

    // With FENDRIL_SCREENSHOT_DIR set: the progress window at the end of a second run
    // answered Yes, then No To All, and the overwrite question, as images in that folder.
    void capturasDeTela() {
        const QString pasta = qEnvironmentVariable("FENDRIL_SCREENSHOT_DIR");
        if (pasta.isEmpty())
            QSKIP("FENDRIL_SCREENSHOT_DIR is not set");
        Ambiente ambiente;
        QDir().mkdir(QStringLiteral("gen"));
        GeracaoAnterior(ambiente.caminho(QStringLiteral("gen")));
        Dialogos::ProximoTexto(QStringLiteral("mr_yes"));
        Dialogos::ProximoTexto(QStringLiteral("mr_noall"));
        bool gravada = false;
        TFormEvolucaoGeracao::setObservador([&](TFormEvolucaoGeracao& janela, Estado estado) {
            if (estado == Estado::Fechado)
                gravada = janela.grab().save(
                    QDir(pasta).filePath(QStringLiteral("screenshot-progress.png")));
        });
        QPointer<TFormEvolucaoGeracao> janela = Pronta(ambiente.caminho(QStringLiteral("gen")));
        Controle<QPushButton>(janela, "BitBtn2")->click();
        QTRY_VERIFY(janela.isNull());
        QVERIFY(gravada);

        Dialogos::setModoResposta(false);
        QTimer::singleShot(0, [&] {
            if (auto* dialogo =
                    qobject_cast<TFormConfirmaDialog*>(QApplication::activeModalWidget())) {
                gravada = dialogo->grab().save(
                    QDir(pasta).filePath(QStringLiteral("screenshot-overwrite.png")));
                Controle<QPushButton>(dialogo, "but_yes")->click();
            }
        });
        gravada = false;
        TFormConfirmaDialog::Pergunta(nullptr, QStringLiteral("Overwrite \"customers.h\" ?"));
        Dialogos::setModoResposta(true);
        QVERIFY(gravada);
    }
};

QTEST_MAIN(TesteEvolucaoGeracao)
#include "TesteEvolucaoGeracao.moc"
