// The generation window: mounting a root directory, the tree's icons and commands, the
// generation directory, the template lists and dropping on them, the checks of "Generate
// All Files", the document saved and reopened, and the main window's generation kind.

#include "AmbienteUi.h"
#include "documents/TArquivoKMF.h"
#include "documents/TDocModelos.h"
#include "generation/windows/TFormEvolucaoGeracao.h"
#include "generation/windows/TFormGeracao.h"
#include "model/Erros.h"
#include "ui/frame/TTiposDocumento.h"
#include "ui/frame/Texto.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

using namespace fendril;
using namespace fendril::teste;

namespace {

void CriaArquivo(const QString& caminho, const QByteArray& conteudo = "x\r\n") {
    QDir().mkpath(QFileInfo(caminho).path());
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly) || arquivo.write(conteudo) != conteudo.size())
        qFatal("cannot write %s", qPrintable(caminho));
}

// <pasta>/proj holding gen/ (one file), src/ (a.tpt, b.KMF, c.txt), vazio/ and the
// program's documents m.kmf, t.tpt, g.tpg, x.kgf.
QString CriaProjeto(const QString& pasta) {
    const QString raiz = pasta + QStringLiteral("/proj");
    CriaArquivo(raiz + QStringLiteral("/gen/old.txt"));
    CriaArquivo(raiz + QStringLiteral("/src/a.tpt"));
    CriaArquivo(raiz + QStringLiteral("/src/b.KMF"));
    CriaArquivo(raiz + QStringLiteral("/src/c.txt"), "first line\r\nsecond line\r\n");
    QDir().mkpath(raiz + QStringLiteral("/vazio"));
    for (const char* nome : {"m.kmf", "t.tpt", "g.tpg", "x.kgf"})
        CriaArquivo(raiz + QLatin1Char('/') + QLatin1String(nome));
    return raiz;
}

TFormGeracao* NovaJanela(TFormTelaPrincipal& principal) {
    auto* janela = qobject_cast<TFormGeracao*>(principal.NovoDocumento(QStringLiteral("kgf")));
    if (!janela)
        qFatal("no generation window");
    QCoreApplication::processEvents();
    return janela;
}

void Monta(TFormGeracao* janela, const QString& pasta) {
    Dialogos::ProximosArquivos({pasta});
    janela->NewRootDirectory1Click();
}

QTreeWidget* Arvore(TFormGeracao* janela) {
    return Controle<QTreeWidget>(janela, QStringLiteral("tv_diraiz"));
}

// The node of a path below the root ("src/a.tpt"); the root for "".
QTreeWidgetItem* No(TFormGeracao* janela, const QString& caminho) {
    QTreeWidgetItem* no = janela->raiz();
    for (const QString& parte : caminho.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        QTreeWidgetItem* achado = nullptr;
        for (int i = 0; no && i < no->childCount() && !achado; ++i)
            if (no->child(i)->text(0) == parte)
                achado = no->child(i);
        no = achado;
    }
    return no;
}

void Seleciona(TFormGeracao* janela, QTreeWidgetItem* no) {
    Arvore(janela)->setCurrentItem(no);
}

// Makes the folder at `caminho` below the root the generation directory.
void DefineGeracao(TFormGeracao* janela, const QString& caminho) {
    Seleciona(janela, No(janela, caminho));
    janela->DefineAsGenerationDirectory1Click();
}

QStringList Nomes(const QTreeWidgetItem* no) {
    QStringList nomes;
    for (int i = 0; i < no->childCount(); ++i)
        nomes.append(no->child(i)->text(0));
    return nomes;
}

QStringList Itens(QListWidget* lista) {
    QStringList itens;
    for (int i = 0; i < lista->count(); ++i)
        itens.append(lista->item(i)->text() + (lista->item(i)->checkState() == Qt::Checked
                                                   ? QStringLiteral(";1")
                                                   : QStringLiteral(";0")));
    return itens;
}

} // namespace

class TesteGeracao : public QObject {
    Q_OBJECT
private slots:
    // The kind is registered: a new window shows its caption, the Description page and
    // the tool bar; the view item hides the tool bar.
    void janelaNova() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        Acao(principal.get(), QStringLiteral("Generation1Click"))->trigger();
        auto* janela = qobject_cast<TFormGeracao*>(principal->filhaAtiva());
        QVERIFY(janela);
        QCOMPARE(janela->legenda(), QStringLiteral("noname.kgf"));
        QCOMPARE(Controle<QTabWidget>(janela, QStringLiteral("pcontrol"))->currentIndex(), 0);
        // The tool bar follows the main window's view item, which starts checked.
        auto* barra = Controle<QToolBar>(janela, QStringLiteral("cb_generation"));
        QVERIFY(principal->ItemMarcado(QStringLiteral("HideGenerationToolBar1")));
        QVERIFY(barra->isHidden());
        QCOMPARE(Controle<QDateEdit>(janela, QStringLiteral("edit_data"))->date(),
                 QDate::currentDate());
        QVERIFY(!janela->raiz());
        principal->AlternaItemVista(QStringLiteral("HideGenerationToolBar1"));
        QVERIFY(!barra->isHidden());
        NovaJanela(*principal);
        QVERIFY(!Controle<QToolBar>(principal->filhaAtiva(), QStringLiteral("cb_generation"))
                     ->isHidden());
        QVERIFY(!janela->modificado());
    }

    // Mounting reads the whole tree: the parent folder becomes pathRaiz, the root is
    // expanded, entries are sorted, files carry the icon of their exact extension.
    void montaRaiz() {
        Ambiente ambiente;
        const QString projeto = CriaProjeto(ambiente.pasta());
        auto principal = NovaPrincipal();
        TFormGeracao* janela = NovaJanela(*principal);
        Monta(janela, projeto + QLatin1Char('/'));
        QCOMPARE(Dialogos::TomaTitulosArquivo(),
                 QStringList{QStringLiteral("Select Generation Directory|")});
        QTreeWidgetItem* raiz = janela->raiz();
        QVERIFY(raiz);
        QCOMPARE(raiz->text(0), QStringLiteral("proj"));
        QCOMPARE(janela->pathRaiz(), ambiente.pasta() + QLatin1Char('/'));
        QCOMPARE(janela->caminhoCompleto(No(janela, QStringLiteral("src/a.tpt"))),
                 projeto + QStringLiteral("/src/a.tpt"));
        QCOMPARE(janela->pathno(No(janela, QStringLiteral("src"))), QStringLiteral("proj/src/"));
        QCOMPARE(Nomes(raiz),
                 (QStringList{"g.tpg", "gen", "m.kmf", "src", "t.tpt", "vazio", "x.kgf"}));
        QCOMPARE(Nomes(No(janela, QStringLiteral("src"))),
                 (QStringList{"a.tpt", "b.KMF", "c.txt"}));
        QCOMPARE(TFormGeracao::indiceIcone(raiz), int(TFormGeracao::DiretorioAberto));
        const std::pair<const char*, int> icones[] = {
            {"src", 0},   {"vazio", 0}, {"src/a.tpt", 3}, {"src/b.KMF", 2}, {"src/c.txt", 2},
            {"m.kmf", 4}, {"x.kgf", 5}, {"g.tpg", 8},     {"t.tpt", 3}};
        for (const auto& [caminho, icone] : icones)
            QCOMPARE(TFormGeracao::indiceIcone(No(janela, QLatin1String(caminho))), icone);
        QVERIFY(!No(janela, QStringLiteral("src"))->isExpanded());
        QVERIFY(janela->modificado());
        QVERIFY(janela->textoBarra().isEmpty());

        Monta(janela, projeto);
        QCOMPARE(Dialogos::TomaMensagens(),
                 QStringList{QStringLiteral("Just One Root Directory Is Allowed !!")});

        janela->UnmountRootDirectory1Click();
        QVERIFY(!janela->raiz());
        QCOMPARE(janela->pathRaiz(), ambiente.pasta() + QLatin1Char('/'));
    }

    // The filesystem root has no last component and is refused without a message, as is
    // a cancelled chooser; both still mark the document changed. A missing folder fails.
    void raizDoDiscoRecusada() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormGeracao* janela = NovaJanela(*principal);
        for (const QString& escolha : {QStringLiteral("/"), QString()}) {
            janela->setNomeArq(QStringLiteral("noname.kgf"));
            Monta(janela, escolha);
            QVERIFY(!janela->raiz());
            QVERIFY(janela->modificado());
        }
        QVERIFY(Dialogos::TomaMensagens().isEmpty());

        // A folder that cannot be read is not mounted.
        Dialogos::ProximosArquivos({ambiente.caminho(QStringLiteral("missing"))});
        Acao(janela, QStringLiteral("but_mount"))->trigger();
        QCOMPARE(Dialogos::TomaMensagens(),
                 QStringList{QStringLiteral("Directory Does Not Exist !!")});
        QVERIFY(!janela->raiz());
    }

    // The generation directory's icons through the main window's commands: 7 when marked
    // collapsed, 6 expanded, 7 again collapsed, 1 once a simple directory (expanded).
    void diretorioGeracao() {
        Ambiente ambiente;
        const QString projeto = CriaProjeto(ambiente.pasta());
        auto principal = NovaPrincipal();
        TFormGeracao* janela = NovaJanela(*principal);
        Monta(janela, projeto);
        QTreeWidgetItem* gen = No(janela, QStringLiteral("gen"));
        Seleciona(janela, gen);
        Acao(principal.get(), QStringLiteral("DefineAsGenerationDirectory1Click"))->trigger();
        QCOMPARE(TFormGeracao::indiceIcone(gen), int(TFormGeracao::GeracaoFechado));
        QCOMPARE(janela->getGenerationDir(janela->raiz()), projeto + QStringLiteral("/gen"));
        gen->setExpanded(true);
        QCOMPARE(TFormGeracao::indiceIcone(gen), int(TFormGeracao::GeracaoAberto));
        gen->setExpanded(false);
        QCOMPARE(TFormGeracao::indiceIcone(gen), int(TFormGeracao::GeracaoFechado));
        gen->setExpanded(true);

        // A second one is refused; a file cannot be one.
        DefineGeracao(janela, QStringLiteral("src"));
        QCOMPARE(Dialogos::TomaMensagens(),
                 QStringList{QStringLiteral("A Generation Directory Is Already Specified: \"") +
                             projeto + QStringLiteral("/gen\"")});
        QCOMPARE(TFormGeracao::indiceIcone(No(janela, QStringLiteral("src"))), 0);

        Seleciona(janela, gen);
        Acao(principal.get(), QStringLiteral("DefineAsCommonDirectory1Click"))->trigger();
        QCOMPARE(TFormGeracao::indiceIcone(gen), int(TFormGeracao::DiretorioAberto));
        QVERIFY(janela->getGenerationDir(janela->raiz()).isEmpty());

        DefineGeracao(janela, QStringLiteral("m.kmf"));
        QCOMPARE(TFormGeracao::indiceIcone(No(janela, QStringLiteral("m.kmf"))), 4);
        QVERIFY(janela->getGenerationDir(janela->raiz()).isEmpty());

        // The mounted root itself may be the generation directory.
        Seleciona(janela, janela->raiz());
        janela->DefineAsGenerationDirectory1Click();
        QCOMPARE(TFormGeracao::indiceIcone(janela->raiz()), int(TFormGeracao::GeracaoAberto));
        QVERIFY(Dialogos::TomaMensagens().isEmpty());
    }

    // Renaming the generation directory's node, or a directory above it, loses the
    // generation directory and its mark, so the directory can be marked again.
    void renomearPerdeGeracao_data() {
        QTest::addColumn<QString>("renomeado");
        QTest::addColumn<QString>("geracao"); // the generation directory after the rename
        QTest::newRow("itself") << QStringLiteral("gen") << QStringLiteral("out");
        QTest::newRow("the root") << QString() << QStringLiteral("gen");
    }
    void renomearPerdeGeracao() {
        QFETCH(QString, renomeado);
        QFETCH(QString, geracao);
        Ambiente ambiente;
        CriaProjeto(ambiente.pasta());
        auto principal = NovaPrincipal();
        TFormGeracao* janela = NovaJanela(*principal);
        Monta(janela, ambiente.caminho(QStringLiteral("proj")));
        QTreeWidgetItem* gen = No(janela, QStringLiteral("gen"));
        Seleciona(janela, gen);
        janela->DefineAsGenerationDirectory1Click();
        janela->tv_diraizEdited(No(janela, renomeado), QStringLiteral("out"));
        QVERIFY(QFileInfo(janela->caminhoCompleto(gen)).isDir());
        QCOMPARE(TFormGeracao::indiceIcone(gen), int(TFormGeracao::DiretorioFechado));
        janela->but_generateClick();
        QCOMPARE(Dialogos::TomaMensagens(),
                 QStringList{QStringLiteral("A Generation Directory Must Be Specified !!")});
        DefineGeracao(janela, geracao);
        QCOMPARE(TFormGeracao::indiceIcone(gen), int(TFormGeracao::GeracaoFechado));
        QCOMPARE(janela->getGenerationDir(janela->raiz()), janela->caminhoCompleto(gen));
    }

    // Rebuilding the generation directory's node, from a refresh above it or a new mount,
    // loses the generation directory too; the rebuilt node is simple and may be marked
    // again. Refreshing the generation directory itself keeps it.
    void reconstruirPerdeGeracao_data() {
        QTest::addColumn<bool>("remonta");
        QTest::newRow("the root refreshed") << false;
        QTest::newRow("unmounted and mounted again") << true;
    }
    void reconstruirPerdeGeracao() {
        QFETCH(bool, remonta);
        Ambiente ambiente;
        const QString projeto = CriaProjeto(ambiente.pasta());
        auto principal = NovaPrincipal();
        TFormGeracao* janela = NovaJanela(*principal);
        Monta(janela, projeto);
        DefineGeracao(janela, QStringLiteral("gen"));
        Seleciona(janela, No(janela, QStringLiteral("gen")));
        janela->Refresh1Click();
        QCOMPARE(janela->getGenerationDir(janela->raiz()), projeto + QStringLiteral("/gen"));
        QCOMPARE(TFormGeracao::indiceIcone(No(janela, QStringLiteral("gen"))),
                 int(TFormGeracao::GeracaoAberto));

        if (remonta) {
            janela->UnmountRootDirectory1Click();
            Monta(janela, projeto);
        } else {
            Seleciona(janela, janela->raiz());
            janela->Refresh1Click();
        }
        QVERIFY(janela->getGenerationDir(janela->raiz()).isEmpty());
        QCOMPARE(TFormGeracao::indiceIcone(No(janela, QStringLiteral("gen"))),
                 int(TFormGeracao::DiretorioFechado));
        DefineGeracao(janela, QStringLiteral("gen"));
        QVERIFY(Dialogos::TomaMensagens().isEmpty());
        QCOMPARE(janela->getGenerationDir(janela->raiz()), projeto + QStringLiteral("/gen"));
    }

    // "Generate All Files" checks the set-up in order; without a root it does nothing.
    void gerarTodosVerifica() {
        Ambiente ambiente;
        const QString projeto = CriaProjeto(ambiente.pasta());
        auto principal = NovaPrincipal();
        TFormGeracao* janela = NovaJanela(*principal);
        janela->but_generateClick();
        QVERIFY(Dialogos::TomaMensagens().isEmpty());

        Monta(janela, projeto);
        janela->but_viewlogClick();
        QCOMPARE(Dialogos::TomaMensagens(),
                 QStringList{QStringLiteral("A Generation Directory Must Be Specified !!")});
        Acao(principal.get(), QStringLiteral("GenerateAllFiles2Click"))->trigger();
        QCOMPARE(Dialogos::TomaMensagens(),
                 QStringList{QStringLiteral("A Generation Directory Must Be Specified !!")});
        DefineGeracao(janela, QStringLiteral("gen"));
        janela->but_generateClick();
        QCOMPARE(Dialogos::TomaMensagens(),
                 QStringList{QStringLiteral("A Mapping File Must Be Specified !!")});
        Seleciona(janela, No(janela, QStringLiteral("m.kmf")));
        janela->SoltaArrasto(Controle<QLineEdit>(janela, QStringLiteral("edit_mapfile")));
        janela->but_generateClick();
        QCOMPARE(Dialogos::TomaMensagens(),
                 QStringList{QStringLiteral("At Least One Template Must Be Specified !!")});
    }

    // With the set-up complete, missing templates are dropped from the lists and the
    // progress window gets the mapping, the generation directory and the ticked templates
    // in list order; once it has closed, the generation directory is read again.
    void gerarTodosEntrega() {
        Ambiente ambiente;
        const QString projeto = CriaProjeto(ambiente.pasta());
        auto principal = NovaPrincipal();
        TFormGeracao* janela = NovaJanela(*principal);
        Monta(janela, projeto);
        DefineGeracao(janela, QStringLiteral("gen"));
        const QString mapa = projeto + QStringLiteral("/m.kmf");
        Controle<QLineEdit>(janela, QStringLiteral("edit_mapfile"))->setText(mapa);
        const QString a = projeto + QStringLiteral("/src/a.tpt");
        const QString t = projeto + QStringLiteral("/t.tpt");
        const QString g = projeto + QStringLiteral("/g.tpg");
        Dialogos::ProximosArquivos({t, projeto + QStringLiteral("/perdido.tpt"), a});
        janela->ab_fendrilClick();
        Controle<QListWidget>(janela, QStringLiteral("cb_fendril"))
            ->item(2)
            ->setCheckState(Qt::Unchecked);
        Dialogos::ProximosArquivos({g});
        janela->ab_templClick();

        Controle<QCheckBox>(janela, QStringLiteral("cb_merge"))->click();

        struct Entregue {
            std::string mapa, diretorio;
            TListaTextos tabela, gerais;
            bool fundeEdicoes = false;
        } entregue;
        int vezes = 0;
        TFormEvolucaoGeracao::setObservador([&](TFormEvolucaoGeracao& progresso,
                                                TFormEvolucaoGeracao::Estado estado) {
            if (estado != TFormEvolucaoGeracao::Estado::Pronto &&
                estado != TFormEvolucaoGeracao::Estado::Falhou)
                return;
            ++vezes;
            entregue = {progresso.caminhoMapeamento, progresso.diretorioGeracao,
                        progresso.modelosTabela, progresso.modelosGerais, progresso.fundeEdicoes};
            CriaArquivo(projeto + QStringLiteral("/gen/novo.txt"));
            const QPointer<TFormEvolucaoGeracao> alvo(&progresso);
            QTimer::singleShot(0, [alvo] {
                if (alvo)
                    alvo->BitBtn1Click();
            });
        });
        janela->but_generateClick();
        TFormEvolucaoGeracao::setObservador(nullptr);
        QCOMPARE(vezes, 1);
        QCOMPARE(paraQString(entregue.mapa), mapa);
        QCOMPARE(paraQString(entregue.diretorio), projeto + QStringLiteral("/gen"));
        QCOMPARE(entregue.tabela, TListaTextos{deQString(t)});
        QCOMPARE(entregue.gerais, TListaTextos{deQString(g)});
        QVERIFY(entregue.fundeEdicoes);
        QCOMPARE(Controle<QListWidget>(janela, QStringLiteral("cb_fendril"))->count(), 2);
        QCOMPARE(Nomes(No(janela, QStringLiteral("gen"))), (QStringList{"novo.txt", "old.txt"}));
        QCOMPARE(TFormGeracao::indiceIcone(No(janela, QStringLiteral("gen"))),
                 int(TFormGeracao::GeracaoAberto));
        Dialogos::TomaMensagens();
    }

    // Dropping the tree's selected file: templates are added once, ticked; each target
    // takes its own kind only, and never a directory.
    void arrastaModelos() {
        Ambiente ambiente;
        const QString projeto = CriaProjeto(ambiente.pasta());
        auto principal = NovaPrincipal();
        TFormGeracao* janela = NovaJanela(*principal);
        Monta(janela, projeto);
        auto* mapfile = Controle<QLineEdit>(janela, QStringLiteral("edit_mapfile"));
        auto* fendril = Controle<QListWidget>(janela, QStringLiteral("cb_fendril"));
        auto* templ = Controle<QListWidget>(janela, QStringLiteral("cb_templ"));

        struct Caso {
            const char* no;
            bool mapa, tabela, geral;
        };
        const Caso casos[] = {
            {"m.kmf", true, false, false},      {"t.tpt", false, true, false},
            {"g.tpg", false, false, true},      {"src/b.KMF", false, false, false},
            {"src/c.txt", false, false, false}, {"gen", false, false, false}};
        for (const Caso& caso : casos) {
            Seleciona(janela, No(janela, QLatin1String(caso.no)));
            QCOMPARE(janela->AceitaArrasto(mapfile), caso.mapa);
            QCOMPARE(janela->AceitaArrasto(fendril->viewport()), caso.tabela);
            QCOMPARE(janela->AceitaArrasto(templ), caso.geral);
        }

        janela->setNomeArq(QStringLiteral("noname.kgf"));
        Seleciona(janela, No(janela, QStringLiteral("t.tpt")));
        janela->SoltaArrasto(fendril->viewport());
        janela->SoltaArrasto(fendril->viewport());
        QCOMPARE(Itens(fendril), QStringList{projeto + QStringLiteral("/t.tpt;1")});
        QVERIFY(janela->modificado());
        Seleciona(janela, No(janela, QStringLiteral("g.tpg")));
        janela->SoltaArrasto(fendril->viewport());
        janela->SoltaArrasto(templ->viewport());
        QCOMPARE(fendril->count(), 1);
        QCOMPARE(Itens(templ), QStringList{projeto + QStringLiteral("/g.tpg;1")});
        Seleciona(janela, No(janela, QStringLiteral("m.kmf")));
        janela->SoltaArrasto(mapfile);
        QCOMPARE(mapfile->text(), projeto + QStringLiteral("/m.kmf"));
        QVERIFY(mapfile->isReadOnly());

        // A drag that does not come from the tree is refused, even for a fitting node.
        Seleciona(janela, No(janela, QStringLiteral("src/a.tpt")));
        QMimeData dados;
        dados.setText(projeto + QStringLiteral("/src/a.tpt"));
        const QPoint ponto = fendril->viewport()->rect().center();
        QDragEnterEvent entrada(ponto, Qt::CopyAction, &dados, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(fendril->viewport(), &entrada);
        QVERIFY(!entrada.isAccepted());
        QDropEvent soltura(QPointF(ponto), Qt::CopyAction, &dados, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(fendril->viewport(), &soltura);
        QVERIFY(!soltura.isAccepted());
        QCOMPARE(fendril->count(), 1);
    }

    // The lists' "..." replaces the entries by the chosen files, ticked; the pop-up
    // commands act on the selected entry without marking the document; ticking a box by
    // hand marks it.
    void listasDeModelos() {
        Ambiente ambiente;
        const QString projeto = CriaProjeto(ambiente.pasta());
        auto principal = NovaPrincipal();
        TFormGeracao* janela = NovaJanela(*principal);
        auto* fendril = Controle<QListWidget>(janela, QStringLiteral("cb_fendril"));
        const QString a = projeto + QStringLiteral("/src/a.tpt");
        const QString t = projeto + QStringLiteral("/t.tpt");
        const QString perdido = projeto + QStringLiteral("/perdido.tpt");
        Dialogos::ProximosArquivos({a, t});
        janela->ab_fendrilClick();
        Dialogos::ProximosArquivos({t, perdido});
        Acao(janela, QStringLiteral("Insert1"))->trigger();
        QCOMPARE(Itens(fendril), (QStringList{t + QStringLiteral(";1"), perdido + ";1"}));
        QCOMPARE(Dialogos::TomaTitulosArquivo(),
                 (QStringList{QStringLiteral("Open|Template Files (*.tpt)|*.TPT"),
                              QStringLiteral("Open|Template Files (*.tpt)|*.TPT")}));
        QVERIFY(janela->modificado());

        janela->setNomeArq(QStringLiteral("noname.kgf"));
        Acao(janela, QStringLiteral("Uncheck1"))->trigger(); // nothing selected
        QCOMPARE(Itens(fendril), (QStringList{t + QStringLiteral(";1"), perdido + ";1"}));
        fendril->setCurrentRow(0);
        Acao(janela, QStringLiteral("Uncheck1"))->trigger();
        QCOMPARE(fendril->item(0)->checkState(), Qt::Unchecked);
        Acao(janela, QStringLiteral("Check1"))->trigger();
        QCOMPARE(fendril->item(0)->checkState(), Qt::Checked);
        Acao(janela, QStringLiteral("CheckExistingFiles1"))->trigger();
        QCOMPARE(Itens(fendril), QStringList{t + QStringLiteral(";1")});
        Acao(janela, QStringLiteral("Delete1"))->trigger();
        QCOMPARE(fendril->count(), 0);
        QVERIFY(!janela->modificado());

        // Cancelling still marks; a click on an entry's box marks.
        Dialogos::ProximosArquivos({});
        janela->ab_templClick();
        QVERIFY(janela->modificado());
        QCOMPARE(Dialogos::TomaTitulosArquivo(),
                 QStringList{QStringLiteral("Open|General Template Files (*.tpg)|*.TPG")});
        auto* templ = Controle<QListWidget>(janela, QStringLiteral("cb_templ"));
        Dialogos::ProximosArquivos({projeto + QStringLiteral("/g.tpg")});
        Acao(janela, QStringLiteral("MenuItem2"))->trigger();
        janela->setNomeArq(QStringLiteral("noname.kgf"));
        templ->item(0)->setCheckState(Qt::Unchecked);
        QVERIFY(janela->modificado());
        QCOMPARE(TFormGeracao::ItensMarcados(templ), QStringList());
    }

    // The description, mapping, lists, tree and generation directory go through the
    // document; reopened after a template was deleted and the root renamed on disk, the
    // missing template and the tree are dropped.
    void documentoIdaEVolta() {
        Ambiente ambiente;
        const QString projeto = CriaProjeto(ambiente.pasta());
        auto principal = NovaPrincipal();
        TFormGeracao* janela = NovaJanela(*principal);
        QTest::keyClicks(Controle<QLineEdit>(janela, QStringLiteral("Edit_nome")),
                         QStringLiteral("Shop"));
        QTest::keyClicks(Controle<QLineEdit>(janela, QStringLiteral("Edit_autor")),
                         QStringLiteral("Ana"));
        Controle<QPlainTextEdit>(janela, QStringLiteral("memo_comentario"))
            ->setPlainText(QStringLiteral("one\ntwo"));
        Controle<QDateEdit>(janela, QStringLiteral("edit_data"))->setDate(QDate(2024, 3, 9));
        Monta(janela, projeto);
        DefineGeracao(janela, QStringLiteral("gen"));
        const QString mapa = projeto + QStringLiteral("/m.kmf");
        Controle<QLineEdit>(janela, QStringLiteral("edit_mapfile"))->setText(mapa);
        const QString a = projeto + QStringLiteral("/src/a.tpt");
        const QString t = projeto + QStringLiteral("/t.tpt");
        const QString g = projeto + QStringLiteral("/g.tpg");
        Dialogos::ProximosArquivos({a, t});
        janela->ab_fendrilClick();
        Controle<QListWidget>(janela, QStringLiteral("cb_fendril"))
            ->item(1)
            ->setCheckState(Qt::Unchecked);
        Dialogos::ProximosArquivos({g});
        janela->ab_templClick();

        const QString caminho = ambiente.caminho(QStringLiteral("shop.kgf"));
        janela->SalvaArquivoKMF(caminho);
        QVERIFY(!janela->modificado());
        QCOMPARE(janela->legenda(), QStringLiteral("shop.kgf"));
        TArquivoKMF arquivo;
        arquivo.Abre(deQString(caminho));
        TDocGeracao doc;
        doc.setArquivo(arquivo);
        QCOMPARE(arquivo.cabecalho, std::string("Ana"));
        QCOMPARE(doc.nome, std::string("Shop"));
        QCOMPARE(doc.comentario, std::string("one\r\ntwo"));
        QCOMPARE(paraQString(doc.data),
                 QLocale().toString(
                     QDate(2024, 3, 9),
                     Controle<QDateEdit>(janela, QStringLiteral("edit_data"))->displayFormat()));
        QVERIFY(QString::fromStdString(doc.data).contains(QStringLiteral("2024")));
        QCOMPARE(paraQString(doc.pathRaiz), ambiente.pasta() + QLatin1Char('/'));
        QCOMPARE(doc.pathMontado, std::string("proj"));
        QCOMPARE(paraQString(doc.diretorioGeracao), projeto + QStringLiteral("/gen"));
        QCOMPARE(paraQString(doc.arquivoMapeamento), mapa);
        QCOMPARE(doc.modelosTabela,
                 (std::vector<TModeloMarcado>{{deQString(a), true}, {deQString(t), false}}));
        QCOMPARE(doc.modelosGerais, (std::vector<TModeloMarcado>{{deQString(g), true}}));

        // Reopened as it is: everything back, the generation directory marked.
        principal->AbreArquivo({caminho});
        auto* aberta = qobject_cast<TFormGeracao*>(principal->filhaAtiva());
        QVERIFY(aberta && aberta != janela);
        QCOMPARE(aberta->legenda(), QStringLiteral("shop.kgf"));
        QCOMPARE(Controle<QLineEdit>(aberta, QStringLiteral("Edit_nome"))->text(),
                 QStringLiteral("Shop"));
        QCOMPARE(Controle<QPlainTextEdit>(aberta, QStringLiteral("memo_comentario"))->toPlainText(),
                 QStringLiteral("one\ntwo"));
        QCOMPARE(Controle<QDateEdit>(aberta, QStringLiteral("edit_data"))->date(),
                 QDate(2024, 3, 9));
        QCOMPARE(aberta->getGenerationDir(aberta->raiz()), projeto + QStringLiteral("/gen"));
        QCOMPARE(TFormGeracao::indiceIcone(No(aberta, QStringLiteral("gen"))),
                 int(TFormGeracao::GeracaoFechado));
        QCOMPARE(Itens(Controle<QListWidget>(aberta, QStringLiteral("cb_fendril"))),
                 (QStringList{a + QStringLiteral(";1"), t + QStringLiteral(";0")}));
        QVERIFY(!aberta->modificado());

        // A template deleted and the root renamed.
        QVERIFY(QFile::remove(a));
        QVERIFY(QDir().rename(projeto, ambiente.caminho(QStringLiteral("renamed"))));
        principal->AbreArquivo({caminho});
        auto* reaberta = qobject_cast<TFormGeracao*>(principal->filhaAtiva());
        QVERIFY(reaberta && reaberta != aberta);
        QVERIFY(!reaberta->raiz());
        QVERIFY(reaberta->getGenerationDir(reaberta->raiz()).isEmpty());
        QVERIFY(Controle<QLineEdit>(reaberta, QStringLiteral("edit_mapfile"))->text().isEmpty());
        QVERIFY(Controle<QListWidget>(reaberta, QStringLiteral("cb_fendril"))->count() == 0);
        QVERIFY(Dialogos::TomaMensagens().isEmpty());
        QCOMPARE(reaberta->pathRaiz(), ambiente.pasta() + QLatin1Char('/'));
        QCOMPARE(reaberta->getArquivo().LePrimeiro("geracao", "pathmontado"), std::string());
    }

    // A document that lacks an entry fails to open with the list's failure; what was read
    // before it is shown: the description, the mounted tree, the templates before a broken
    // entry.
    void documentoIncompleto() {
        Ambiente ambiente;
        const QString projeto = CriaProjeto(ambiente.pasta());
        auto principal = NovaPrincipal();
        TFormGeracao* janela = NovaJanela(*principal);
        TArquivoKMF documento;
        documento.cabecalho = "Ana";
        documento.AdicionaEntrada("descricao", "Edit_nome", "Half");
        documento.AdicionaEntrada("descricao", "Edit_autor", "Ana");
        documento.AdicionaEntrada("descricao", "edit_data", "");
        documento.AdicionaEntrada("descricao", "memo_comentario", "");
        documento.AdicionaEntrada("geracao", "pathraiz", deQString(ambiente.pasta()) + "/");
        documento.AdicionaEntrada("geracao", "pathmontado", "proj");
        QVERIFY_THROWS_EXCEPTION(EListError, janela->setArquivo(documento));
        QCOMPARE(Controle<QLineEdit>(janela, QStringLiteral("Edit_nome"))->text(),
                 QStringLiteral("Half"));
        QVERIFY(janela->raiz());

        documento.AdicionaEntrada("geracao", "gerdir", "");
        documento.AdicionaEntrada("geracao", "edit_mapfile", "");
        const QString t = projeto + QStringLiteral("/t.tpt");
        documento.AdicionaEntrada("geracao", "cb_fendril", deQString(t) + ";0;");
        documento.AdicionaEntrada("geracao", "cb_fendril", deQString(t));
        QVERIFY_THROWS_EXCEPTION(EListError, janela->setArquivo(documento));
        QCOMPARE(Itens(Controle<QListWidget>(janela, QStringLiteral("cb_fendril"))),
                 QStringList{t + QStringLiteral(";0")});
    }

    // "Merge hand edits": off in a new window and in a document written before it existed;
    // ticking it marks the document changed, and it is saved and read back.
    void opcaoFundirEdicoes() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormGeracao* janela = NovaJanela(*principal);
        auto* caixa = Controle<QCheckBox>(janela, QStringLiteral("cb_merge"));
        QCOMPARE(caixa->text(), QStringLiteral("Merge hand edits"));
        QVERIFY(!caixa->isChecked());
        QTest::keyClicks(Controle<QLineEdit>(janela, QStringLiteral("Edit_autor")),
                         QStringLiteral("Ana"));
        const QString antigo = ambiente.caminho(QStringLiteral("old.kgf"));
        TArquivoKMF semChave = janela->getArquivo();
        QCOMPARE(semChave.LePrimeiro("geracao", "cb_merge"), std::string("0"));
        std::erase_if(semChave.getLinhas(), [](const std::string& linha) {
            return linha.starts_with("geracao||cb_merge||");
        });
        semChave.Salva(deQString(antigo));

        janela->SalvaArquivoKMF(ambiente.caminho(QStringLiteral("merge.kgf")));
        QVERIFY(!janela->modificado());
        caixa->click();
        QVERIFY(janela->modificado());
        janela->SalvaArquivoKMF(ambiente.caminho(QStringLiteral("merge.kgf")));
        TArquivoKMF salvo;
        salvo.Abre(deQString(ambiente.caminho(QStringLiteral("merge.kgf"))));
        QCOMPARE(salvo.LePrimeiro("geracao", "cb_merge"), std::string("1"));

        principal->AbreArquivo({ambiente.caminho(QStringLiteral("merge.kgf"))});
        auto* aberta = qobject_cast<TFormGeracao*>(principal->filhaAtiva());
        QVERIFY(aberta && aberta != janela);
        QVERIFY(Controle<QCheckBox>(aberta, QStringLiteral("cb_merge"))->isChecked());
        QVERIFY(!aberta->modificado());

        principal->AbreArquivo({antigo});
        auto* velha = qobject_cast<TFormGeracao*>(principal->filhaAtiva());
        QVERIFY(velha && velha != aberta);
        QVERIFY(!Controle<QCheckBox>(velha, QStringLiteral("cb_merge"))->isChecked());
        QVERIFY(!velha->modificado());
        QVERIFY(Dialogos::TomaMensagens().isEmpty());
    }

    // Relative paths of a document are taken from the document's folder, as the command
    // line generator takes them; backslashes separate too.
    void caminhosRelativos() {
        Ambiente ambiente;
        const QString projeto = CriaProjeto(ambiente.pasta() + QStringLiteral("/work"));
        TDocGeracao doc;
        doc.autor = "Ana";
        doc.pathRaiz = "work\\";
        doc.pathMontado = "proj";
        doc.diretorioGeracao = "work/proj/gen";
        doc.arquivoMapeamento = "work/proj/m.kmf";
        doc.modelosTabela = {{"work\\proj\\t.tpt", true}};
        doc.modelosGerais = {{"work/proj/g.tpg", false}};
        const QString pastaDoc = ambiente.caminho(QStringLiteral("docs"));
        QDir().mkpath(pastaDoc);
        TArquivoKMF arquivo = doc.getArquivo();
        // The paths are relative to the documents' folder, one level below.
        for (std::string& linha : arquivo.getLinhas()) {
            for (const char* antes : {"||work\\", "||work/"}) {
                const auto achado = linha.find(antes);
                if (achado != std::string::npos)
                    linha.insert(achado + 2, "../");
            }
        }
        const QString caminho = pastaDoc + QStringLiteral("/rel.kgf");
        arquivo.Salva(deQString(caminho));

        auto principal = NovaPrincipal();
        principal->AbreArquivo({caminho});
        auto* janela = qobject_cast<TFormGeracao*>(principal->filhaAtiva());
        QVERIFY(janela);
        QVERIFY(janela->raiz());
        QCOMPARE(janela->caminhoCompleto(janela->raiz()), projeto);
        QCOMPARE(janela->getGenerationDir(janela->raiz()), projeto + QStringLiteral("/gen"));
        QCOMPARE(Controle<QLineEdit>(janela, QStringLiteral("edit_mapfile"))->text(),
                 projeto + QStringLiteral("/m.kmf"));
        QCOMPARE(Itens(Controle<QListWidget>(janela, QStringLiteral("cb_fendril"))),
                 QStringList{projeto + QStringLiteral("/t.tpt;1")});
        QCOMPARE(Itens(Controle<QListWidget>(janela, QStringLiteral("cb_templ"))),
                 QStringList{projeto + QStringLiteral("/g.tpg;0")});
    }

    // New directory: created under the selected node; refused names and failures say so.
    void novoDiretorio() {
        Ambiente ambiente;
        const QString projeto = CriaProjeto(ambiente.pasta());
        auto principal = NovaPrincipal();
        TFormGeracao* janela = NovaJanela(*principal);
        Monta(janela, projeto);
        janela->setNomeArq(QStringLiteral("noname.kgf"));
        Seleciona(janela, No(janela, QStringLiteral("src")));
        Dialogos::TomaTitulosArquivo();
        const std::pair<const char*, const char*> casos[] = {
            {"novo", "Directory Successfully Created !!"},
            {"novo", "Directory Could Not Be Created !!"},
            {"../fora", "Directory Could Not Be Created !!"},
            {"..", "Directory Could Not Be Created !!"},
        };
        for (const auto& [nome, mensagem] : casos) {
            Dialogos::ProximoTexto(QLatin1String(nome));
            janela->NewDirectory1Click();
            QCOMPARE(Dialogos::TomaMensagens(), QStringList{QLatin1String(mensagem)});
        }
        Dialogos::ProximoTexto(QString());
        janela->NewDirectory1Click();
        QVERIFY(Dialogos::TomaMensagens().isEmpty());
        QCOMPARE(Dialogos::TomaTitulosArquivo().first(), QStringLiteral("New Directory"));
        QVERIFY(QFileInfo(projeto + QStringLiteral("/src/novo")).isDir());
        QVERIFY(!QFileInfo::exists(projeto + QStringLiteral("/fora")));
        QTreeWidgetItem* novo = No(janela, QStringLiteral("src/novo"));
        QVERIFY(novo);
        QCOMPARE(TFormGeracao::indiceIcone(novo), 0);
        QVERIFY(!janela->modificado());
    }

    // Rename in place renames on disk; a name the disk refuses (an existing entry) or
    // that leads elsewhere keeps the old text.
    void renomear() {
        Ambiente ambiente;
        const QString projeto = CriaProjeto(ambiente.pasta());
        auto principal = NovaPrincipal();
        TFormGeracao* janela = NovaJanela(*principal);
        Monta(janela, projeto);
        QTreeWidget* arvore = Arvore(janela);
        Controle<QTabWidget>(janela, QStringLiteral("pcontrol"))->setCurrentIndex(1);
        No(janela, QStringLiteral("src"))->setExpanded(true);
        QTreeWidgetItem* c = No(janela, QStringLiteral("src/c.txt"));
        Seleciona(janela, c);
        janela->Rename1Click();
        auto* editor = arvore->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor && editor->isVisible());
        editor->setText(QStringLiteral("c.tpt"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(c->text(0), QStringLiteral("c.tpt"));
        QCOMPARE(TFormGeracao::indiceIcone(c), 3);
        QVERIFY(QFileInfo::exists(projeto + QStringLiteral("/src/c.tpt")));
        QVERIFY(janela->modificado());

        for (const char* recusado : {"a.tpt", "../c.tpt", ""}) {
            janela->tv_diraizEdited(c, QLatin1String(recusado));
            QCOMPARE(c->text(0), QStringLiteral("c.tpt"));
        }
        QVERIFY(QFileInfo::exists(projeto + QStringLiteral("/src/a.tpt")));
        QVERIFY(QFileInfo::exists(projeto + QStringLiteral("/src/c.tpt")));
    }

    // Delete asks first; an empty directory and a file go, a full directory stays.
    void apagar() {
        Ambiente ambiente;
        const QString projeto = CriaProjeto(ambiente.pasta());
        auto principal = NovaPrincipal();
        TFormGeracao* janela = NovaJanela(*principal);
        Monta(janela, projeto);
        const struct {
            const char* no;
            QMessageBox::StandardButton resposta;
            const char* mensagem;
            bool fica;
        } casos[] = {
            {"src/c.txt", QMessageBox::No, nullptr, true},
            {"src/c.txt", QMessageBox::Yes, "File Deleted", false},
            {"vazio", QMessageBox::Yes, "Directory Deleted", false},
            {"src", QMessageBox::Yes, "Cannot Delete Directory", true},
        };
        for (const auto& caso : casos) {
            QTreeWidgetItem* no = No(janela, QLatin1String(caso.no));
            const QString nome = no->text(0);
            Seleciona(janela, no);
            Dialogos::ProximaResposta(caso.resposta);
            janela->DeleteDirectory1Click();
            QStringList esperadas{QStringLiteral("Delete \"") + nome + QStringLiteral("\" ?")};
            if (caso.mensagem)
                esperadas.append(QLatin1String(caso.mensagem));
            QCOMPARE(Dialogos::TomaMensagens(), esperadas);
            QCOMPARE(No(janela, QLatin1String(caso.no)) != nullptr, caso.fica);
            QCOMPARE(QFileInfo::exists(projeto + QLatin1Char('/') + QLatin1String(caso.no)),
                     caso.fica);
        }
    }

    // Refresh rereads a directory from the disk; a directory gone from the disk loses
    // its children and says so.
    void atualizar() {
        Ambiente ambiente;
        const QString projeto = CriaProjeto(ambiente.pasta());
        auto principal = NovaPrincipal();
        TFormGeracao* janela = NovaJanela(*principal);
        Monta(janela, projeto);
        CriaArquivo(projeto + QStringLiteral("/src/d.tpg"));
        QVERIFY(QFile::remove(projeto + QStringLiteral("/src/c.txt")));
        Seleciona(janela, No(janela, QStringLiteral("src")));
        janela->Refresh1Click();
        QCOMPARE(Nomes(No(janela, QStringLiteral("src"))),
                 (QStringList{"a.tpt", "b.KMF", "d.tpg"}));
        QCOMPARE(TFormGeracao::indiceIcone(No(janela, QStringLiteral("src"))), 1);

        QVERIFY(QDir(projeto + QStringLiteral("/gen")).removeRecursively());
        Seleciona(janela, No(janela, QStringLiteral("gen")));
        Acao(janela, QStringLiteral("Refresh1"))->trigger();
        QCOMPARE(Dialogos::TomaMensagens(),
                 QStringList{QStringLiteral("Directory Does Not Exist !!")});
        QCOMPARE(No(janela, QStringLiteral("gen"))->childCount(), 0);
        QVERIFY(janela->textoBarra().isEmpty());
    }

    // Run opens the program's documents in the main window and hands other files to the
    // associated program; View shows a file's lines.
    void executarEVer() {
        Ambiente ambiente;
        const QString projeto = CriaProjeto(ambiente.pasta());
        auto principal = NovaPrincipal();
        TFormGeracao* janela = NovaJanela(*principal);
        Monta(janela, projeto);
        QStringList iniciados;
        TFormGeracao::setAbreExterno([&iniciados](const QString& caminho) {
            iniciados.append(caminho);
            return true;
        });
        Seleciona(janela, No(janela, QStringLiteral("src/c.txt")));
        janela->Execute1Click();
        Seleciona(janela, No(janela, QStringLiteral("src")));
        janela->Execute1Click();
        QCOMPARE(iniciados, QStringList{projeto + QStringLiteral("/src/c.txt")});

        // Any file whose path holds a document extension goes to the main window.
        CriaArquivo(projeto + QStringLiteral("/x.tpt/notes.txt"));
        Seleciona(janela, janela->raiz());
        janela->Refresh1Click();
        Seleciona(janela, No(janela, QStringLiteral("x.tpt/notes.txt")));
        janela->Execute1Click();
        QCOMPARE(iniciados.size(), 1);

        // A generation document goes to the main window (here it cannot be read: it says so
        // and leaves no window).
        Seleciona(janela, No(janela, QStringLiteral("x.kgf")));
        const auto antes = principal->filhas().size();
        Dialogos::TomaMensagens();
        janela->Execute1Click();
        QCOMPARE(principal->filhas().size(), antes);
        QCOMPARE(iniciados.size(), 1);
        QVERIFY(Dialogos::TomaMensagens().first().startsWith(
            QStringLiteral("The File \"x.kgf\" Is Not A Generation Document Or Is Damaged !!")));

        // A file no program is associated with: the question, and Yes shows it in the viewer.
        TFormGeracao::setAbreExterno([](const QString&) { return false; });
        Seleciona(janela, No(janela, QStringLiteral("src/c.txt")));
        Dialogos::ProximaResposta(QMessageBox::No);
        janela->Execute1Click();
        QCOMPARE(Dialogos::TomaMensagens(),
                 QStringList{QStringLiteral("No Program Is Associated With \"c.txt\". Show It "
                                            "In The Text Viewer ?")});
        QVERIFY(!janela->findChild<QDialog*>(QStringLiteral("FormVisualizador")));
        Dialogos::ProximaResposta(QMessageBox::Yes);
        janela->Execute1Click();
        auto* mostrado = janela->findChild<QDialog*>(QStringLiteral("FormVisualizador"));
        QVERIFY(mostrado);
        mostrado->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        TFormGeracao::setAbreExterno(nullptr);

        Seleciona(janela, No(janela, QStringLiteral("src/c.txt")));
        janela->View1Click();
        auto* visor = janela->findChild<QDialog*>(QStringLiteral("FormVisualizador"));
        QVERIFY(visor);
        QCOMPARE(visor->windowTitle(), QStringLiteral("Text Viewer"));
        auto* texto = Controle<QPlainTextEdit>(visor, QStringLiteral("Memo1"));
        // The editors' fixed-width font, room for about a hundred columns.
        QCOMPARE(texto->font(), QFontDatabase::systemFont(QFontDatabase::FixedFont));
        QVERIFY(visor->width() >=
                QFontMetrics(texto->font()).horizontalAdvance(QString(80, QLatin1Char('x'))));
        QCOMPARE(texto->toPlainText(), QStringLiteral("first line\nsecond line"));
        QVERIFY(texto->isReadOnly());
        QCOMPARE(texto->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        visor->close();
    }

    // New Mapping File and New Fendril Template File go to the main window's kinds; a
    // kind whose window is not registered creates nothing.
    void novosDocumentos() {
        Ambiente ambiente;
        const QString projeto = CriaProjeto(ambiente.pasta());
        auto principal = NovaPrincipal();
        TFormGeracao* janela = NovaJanela(*principal);
        Monta(janela, projeto);
        const auto antes = principal->filhas().size();
        for (const char* nome : {"src", "src/c.txt"}) {
            Seleciona(janela, No(janela, QLatin1String(nome)));
            Acao(janela, QStringLiteral("NewMappingFile1"))->trigger();
            Acao(janela, QStringLiteral("NewFendrilTemplateFile1"))->trigger();
        }
        const bool registrados = TipoPorExtensao(QStringLiteral("kmf"))->fabrica &&
                                 TipoPorExtensao(QStringLiteral("tpt"))->fabrica;
        QCOMPARE(principal->filhas().size(), antes + (registrados ? 2 : 0));
    }

    // A link back to an ancestor is shown without contents instead of being read forever.
    void linkCircular() {
        Ambiente ambiente;
        const QString projeto = CriaProjeto(ambiente.pasta());
        QVERIFY(QFile::link(projeto, projeto + QStringLiteral("/src/volta")));
        auto principal = NovaPrincipal();
        TFormGeracao* janela = NovaJanela(*principal);
        Monta(janela, projeto);
        QTreeWidgetItem* volta = No(janela, QStringLiteral("src/volta"));
        QVERIFY(volta);
        QCOMPARE(volta->childCount(), 0);
    }

    // Mounting 20,000 entries, with the status bar naming directories (its time:
    // bench/BenchJanelas.cpp).
    void montaArvoreGrande() {
        Ambiente ambiente;
        const auto temporaria = PastaParaMuitosArquivos(ambiente);
        QVERIFY(temporaria->isValid());
        const QString raiz = temporaria->filePath(QStringLiteral("big"));
        QVERIFY(CriaArvoreDeArquivos(raiz, 200, 99));
        auto principal = NovaPrincipal();
        TFormGeracao* janela = NovaJanela(*principal);
        QStringList vistos;
        QLabel* painel = Controle<QLabel>(janela, QStringLiteral("barra_painel0"));
        QTimer espiao;
        connect(&espiao, &QTimer::timeout, this, [&] {
            if (!painel->text().isEmpty() && !vistos.contains(painel->text()))
                vistos.append(painel->text());
        });
        espiao.start(0);
        Monta(janela, raiz);
        espiao.stop();
        int total = 0;
        for (int i = 0; i < janela->raiz()->childCount(); ++i)
            total += 1 + janela->raiz()->child(i)->childCount();
        QCOMPARE(total, 20000);
        QVERIFY(!vistos.isEmpty());
        QVERIFY(vistos.first().startsWith(QStringLiteral("Mounting \"d")));
        QVERIFY(vistos.first().endsWith(QStringLiteral("\" Directory. Wait...")));
        QVERIFY(janela->textoBarra().isEmpty());
    }

    // Closing a changed new window and answering Yes writes noname.kgf; without an author
    // the window stays open with the failure.
    void fecharPergunta() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormGeracao* janela = NovaJanela(*principal);
        QTest::keyClicks(Controle<QLineEdit>(janela, QStringLiteral("Edit_nome")),
                         QStringLiteral("G"));
        QVERIFY(janela->modificado());
        Dialogos::ProximaResposta(QMessageBox::Yes);
        QVERIFY(!janela->close());
        QCOMPARE(Dialogos::TomaMensagens(),
                 (QStringList{QStringLiteral("The File \"noname.kgf\" Has Been Changed. Do You "
                                             "Want To Save The Current Changes ?"),
                              QStringLiteral("An Author Name Must Be Given !!")}));
        QTest::keyClicks(Controle<QLineEdit>(janela, QStringLiteral("Edit_autor")),
                         QStringLiteral("Ana"));
        Dialogos::ProximaResposta(QMessageBox::Yes);
        QVERIFY(janela->close());
        QVERIFY(QFileInfo::exists(ambiente.caminho(QStringLiteral("noname.kgf"))));
    }

    // Draws the main window with a generation window for the README when
    // FENDRIL_SCREENSHOT_DIR names a folder.
    void capturaDeTela() {
        const QString destino = qEnvironmentVariable("FENDRIL_SCREENSHOT_DIR");
        if (destino.isEmpty())
            QSKIP("FENDRIL_SCREENSHOT_DIR not set");
        Ambiente ambiente;
        const QString projeto = ambiente.caminho(QStringLiteral("shop"));
        for (const char* nome :
             {"templates/java/Dao.tpt", "templates/java/Entity.tpt", "templates/sql/schema.tpg",
              "templates/docs/tables.tpg", "mapping/shop.kmf", "mapping/shop.kgf",
              "mapping/notes.txt", "out/java/.keep", "out/sql/.keep", "README.md"})
            CriaArquivo(projeto + QLatin1Char('/') + QLatin1String(nome));
        QFile::remove(projeto + QStringLiteral("/out/java/.keep"));
        QFile::remove(projeto + QStringLiteral("/out/sql/.keep"));
        auto principal = NovaPrincipal();
        principal->resize(1280, 800);
        principal->AlternaItemVista(QStringLiteral("HideGenerationToolBar1"));
        TFormGeracao* janela = NovaJanela(*principal);
        janela->setNomeArq(QStringLiteral("shop.kgf"));
        Monta(janela, projeto);
        No(janela, QStringLiteral("templates"))->setExpanded(true);
        No(janela, QStringLiteral("templates/java"))->setExpanded(true);
        No(janela, QStringLiteral("mapping"))->setExpanded(true);
        DefineGeracao(janela, QStringLiteral("out"));
        No(janela, QStringLiteral("out"))->setExpanded(true);
        Seleciona(janela, No(janela, QStringLiteral("mapping/shop.kmf")));
        janela->SoltaArrasto(Controle<QLineEdit>(janela, QStringLiteral("edit_mapfile")));
        auto* fendril = Controle<QListWidget>(janela, QStringLiteral("cb_fendril"));
        auto* templ = Controle<QListWidget>(janela, QStringLiteral("cb_templ"));
        for (const char* nome : {"templates/java/Dao.tpt", "templates/java/Entity.tpt"}) {
            Seleciona(janela, No(janela, QLatin1String(nome)));
            janela->SoltaArrasto(fendril);
        }
        for (const char* nome : {"templates/sql/schema.tpg", "templates/docs/tables.tpg"}) {
            Seleciona(janela, No(janela, QLatin1String(nome)));
            janela->SoltaArrasto(templ);
        }
        templ->item(1)->setCheckState(Qt::Unchecked);
        Seleciona(janela, No(janela, QStringLiteral("templates/java/Dao.tpt")));
        Controle<QTabWidget>(janela, QStringLiteral("pcontrol"))->setCurrentIndex(1);
        principal->guias()->setCurrentIndex(3);
        QCoreApplication::processEvents();
        janela->setGeometry(principal->mdiArea()->viewport()->rect());
        QCoreApplication::processEvents();
        QDir().mkpath(destino);
        QVERIFY(principal->grab().save(destino + QStringLiteral("/screenshot-generation.png")));
    }
};

QTEST_MAIN(TesteGeracao)
#include "TesteGeracao.moc"
