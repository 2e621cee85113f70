#include "schema/windows/TFormConexao.h"

#include "schema/MontaConexao.h"
#include "schema/StringConexao.h"
#include "ui/frame/Dialogos.h"
#include "ui/frame/Texto.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

namespace fendril {

namespace {

void GravaUdl(const QString& caminho, const QString& stringConexao) {
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    const std::string conteudo = EscreveUdl(deQString(stringConexao));
    arquivo.write(conteudo.data(), static_cast<qint64>(conteudo.size()));
}

QString LeUdl(const QString& caminho) {
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        return {};
    const QByteArray conteudo = arquivo.readAll();
    return paraQString(LeStringUdl(
        std::string_view(conteudo.constData(), static_cast<std::size_t>(conteudo.size()))));
}

QLineEdit* Campo(QWidget* pai, const char* nome) {
    auto* campo = new QLineEdit(pai);
    campo->setObjectName(QString::fromUtf8(nome));
    return campo;
}

// A field with a "..." button beside it.
QWidget* ComBotao(QWidget* pai, QLineEdit* campo, const char* nomeBotao, QPushButton*& botao) {
    auto* linha = new QWidget(pai);
    auto* layout = new QHBoxLayout(linha);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    campo->setParent(linha);
    layout->addWidget(campo, 1);
    botao = new QPushButton(QStringLiteral("..."), linha);
    botao->setObjectName(QString::fromUtf8(nomeBotao));
    botao->setFixedWidth(32);
    layout->addWidget(botao);
    return linha;
}

} // namespace

TFormConexao::TFormConexao(QWidget* pai, const QString& caminhoUdl)
    : QDialog(pai), m_caminhoUdl(caminhoUdl) {
    setObjectName(QStringLiteral("TFormConexao"));
    setWindowTitle(QStringLiteral("Connection"));

    auto* layout = new QVBoxLayout(this);

    // The providers: native SQLite, then every ODBC driver and data source the driver
    // manager knows, then a raw ODBC string.
    m_itens.push_back({TTipoProvider::SQLite, QString(), QString()});
    for (const std::string& driver : DriversODBC())
        m_itens.push_back({TTipoProvider::DriverODBC, paraQString(driver), QString()});
    for (const TFonteDadosODBC& fonte : FontesDadosODBC())
        m_itens.push_back(
            {TTipoProvider::FonteODBC, paraQString(fonte.nome), paraQString(fonte.descricao)});
    m_itens.push_back({TTipoProvider::StringODBC, QString(), QString()});

    auto* grupoProvider = new QGroupBox(QStringLiteral("Provider"), this);
    auto* formProvider = new QFormLayout(grupoProvider);
    formProvider->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    m_provider = new QComboBox(grupoProvider);
    m_provider->setObjectName(QStringLiteral("combo_provider"));
    for (const TItemProvider& item : m_itens) {
        switch (item.tipo) {
        case TTipoProvider::SQLite:
            m_provider->addItem(QStringLiteral("SQLite (native)"));
            break;
        case TTipoProvider::DriverODBC:
            m_provider->addItem(QStringLiteral("ODBC Driver: ") + item.nome);
            break;
        case TTipoProvider::FonteODBC:
            m_provider->addItem(QStringLiteral("ODBC Data Source: ") + item.nome);
            break;
        case TTipoProvider::StringODBC:
            m_provider->addItem(QStringLiteral("ODBC Connection String"));
            break;
        }
    }
    formProvider->addRow(QStringLiteral("Provider"), m_provider);
    m_campos = formProvider;

    // The fields of every provider in one form; those of the chosen provider are shown.
    QPushButton* botao = nullptr;
    m_arquivo = Campo(grupoProvider, "edit_arquivo");
    m_arquivo->setPlaceholderText(QStringLiteral("Path of the database file"));
    formProvider->addRow(QStringLiteral("Database File"),
                         ComBotao(grupoProvider, m_arquivo, "but_arquivo", botao));
    connect(botao, &QPushButton::clicked, this, [this] { escolheArquivo(m_arquivo); });
    m_servidor = Campo(grupoProvider, "edit_servidor");
    m_porta = Campo(grupoProvider, "edit_porta");
    m_porta->setMaximumWidth(100);
    m_baseDados = Campo(grupoProvider, "edit_basedados");
    m_baseDados->setPlaceholderText(QStringLiteral("Database name, or file for a file driver"));
    formProvider->addRow(QStringLiteral("Server"), m_servidor);
    formProvider->addRow(QStringLiteral("Port"), m_porta);
    formProvider->addRow(QStringLiteral("Database"),
                         ComBotao(grupoProvider, m_baseDados, "but_basedados", botao));
    connect(botao, &QPushButton::clicked, this, [this] { escolheArquivo(m_baseDados); });
    m_descricaoFonte = Campo(grupoProvider, "edit_fonte");
    m_descricaoFonte->setReadOnly(true);
    formProvider->addRow(QStringLiteral("Driver"), m_descricaoFonte);
    m_stringODBC = Campo(grupoProvider, "edit_stringodbc");
    m_stringODBC->setPlaceholderText(QStringLiteral("Driver={...};Server=...;Database=..."));
    formProvider->addRow(QStringLiteral("ODBC String"), m_stringODBC);
    layout->addWidget(grupoProvider);

    // The login is used by Test Connection only: the mapping keeps its own user name and
    // password, which every reading adds to the string.
    auto* grupoLogin = new QGroupBox(QStringLiteral("Login (for Test Connection)"), this);
    auto* formLogin = new QFormLayout(grupoLogin);
    formLogin->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    m_usuario = Campo(grupoLogin, "edit_usuario");
    m_senha = Campo(grupoLogin, "edit_Senha");
    m_senha->setEchoMode(QLineEdit::Password);
    formLogin->addRow(QStringLiteral("User Name"), m_usuario);
    formLogin->addRow(QStringLiteral("Password"), m_senha);
    layout->addWidget(grupoLogin);

    auto* grupoString = new QGroupBox(QStringLiteral("Connection String"), this);
    auto* linhaString = new QHBoxLayout(grupoString);
    m_string = new QPlainTextEdit(grupoString);
    m_string->setObjectName(QStringLiteral("edit_string"));
    m_string->setReadOnly(true);
    m_string->setFixedHeight(m_string->fontMetrics().lineSpacing() * 3 + 12);
    m_string->setTabChangesFocus(true);
    linhaString->addWidget(m_string, 1);
    auto* testa = new QPushButton(QStringLiteral("Test Connection"), grupoString);
    testa->setObjectName(QStringLiteral("but_testa"));
    testa->setAutoDefault(false);
    connect(testa, &QPushButton::clicked, this, &TFormConexao::but_testaClick);
    linhaString->addWidget(testa, 0, Qt::AlignTop);
    layout->addWidget(grupoString);

    layout->addStretch(1);
    auto* botoes = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    botoes->setObjectName(QStringLiteral("botoes"));
    botoes->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("but_ok"));
    botoes->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("but_cancelar"));
    connect(botoes, &QDialogButtonBox::accepted, this, &TFormConexao::accept);
    connect(botoes, &QDialogButtonBox::rejected, this, &TFormConexao::reject);
    layout->addWidget(botoes);

    connect(m_provider, &QComboBox::currentIndexChanged, this, [this] { atualiza(); });
    for (QLineEdit* campo : {m_arquivo, m_servidor, m_porta, m_baseDados, m_stringODBC})
        connect(campo, &QLineEdit::textChanged, this, [this] { atualiza(); });

    m_stringOriginal = LeUdl(m_caminhoUdl);
    carregaString(m_stringOriginal);
    atualiza();
    m_stringInicial = stringConexao();
    resize(560, sizeHint().height());
}

void TFormConexao::EditaArquivoUdl(QWidget* pai, const QString& caminhoUdl) {
    if (Dialogos::modoResposta()) {
        const std::optional<QString> resposta = Dialogos::TomaTexto(QStringLiteral("Connection"));
        if (resposta && !resposta->isNull())
            GravaUdl(caminhoUdl, *resposta);
        return;
    }
    TFormConexao dialogo(pai, caminhoUdl);
    dialogo.exec();
}

QString TFormConexao::stringConexao() const {
    const int indice = m_provider->currentIndex();
    if (indice < 0 || static_cast<std::size_t>(indice) >= m_itens.size())
        return {};
    const TItemProvider& item = m_itens[static_cast<std::size_t>(indice)];
    switch (item.tipo) {
    case TTipoProvider::SQLite: {
        const QString arquivo = m_arquivo->text().trimmed();
        return arquivo.isEmpty() ? QString() : paraQString(StringConexaoSQLite(deQString(arquivo)));
    }
    case TTipoProvider::DriverODBC:
        return paraQString(StringConexaoDriver(
            {deQString(item.nome), deQString(m_servidor->text().trimmed()),
             deQString(m_porta->text().trimmed()), deQString(m_baseDados->text().trimmed())}));
    case TTipoProvider::FonteODBC:
        return paraQString(StringConexaoDSN(deQString(item.nome)));
    case TTipoProvider::StringODBC: {
        const QString texto = m_stringODBC->text().trimmed();
        return texto.isEmpty() ? QString() : paraQString(StringConexaoODBC(deQString(texto)));
    }
    }
    return {};
}

void TFormConexao::but_testaClick() {
    const std::string falha = TestaConexao(deQString(stringConexao()), deQString(m_usuario->text()),
                                           deQString(m_senha->text()));
    if (falha.empty())
        Dialogos::Mensagem(this, QStringLiteral("Test Connection Succeeded !!"));
    else
        Dialogos::Erro(this, QStringLiteral("Connection Could Not Be Opened !! System Message: ") +
                                 paraQString(falha));
}

void TFormConexao::accept() {
    // Fields left as they were opened keep the string exactly as it was written.
    const QString construida = stringConexao();
    GravaUdl(m_caminhoUdl, construida == m_stringInicial ? m_stringOriginal : construida);
    QDialog::accept();
}

void TFormConexao::atualiza() {
    const int indice = std::max(0, m_provider->currentIndex());
    const TItemProvider& item = m_itens[static_cast<std::size_t>(indice)];
    // Rows of the form: 0 provider, 1 file, 2 server, 3 port, 4 database, 5 driver of a
    // data source, 6 ODBC string.
    const auto mostra = [this](std::initializer_list<int> linhas) {
        for (int linha = 1; linha <= 6; ++linha)
            m_campos->setRowVisible(linha,
                                    std::find(linhas.begin(), linhas.end(), linha) != linhas.end());
    };
    switch (item.tipo) {
    case TTipoProvider::SQLite:
        mostra({1});
        break;
    case TTipoProvider::DriverODBC:
        mostra({2, 3, 4});
        break;
    case TTipoProvider::FonteODBC:
        mostra({5});
        break;
    case TTipoProvider::StringODBC:
        mostra({6});
        break;
    }
    m_descricaoFonte->setText(item.descricao);
    m_string->setPlainText(stringConexao());
}

void TFormConexao::escolheArquivo(QLineEdit* campo) {
    const QString arquivo = Dialogos::AbreArquivo(
        this, QStringLiteral("SQLite Database"),
        QStringLiteral("SQLite Databases (*.db *.sqlite *.sqlite3 *.db3)|*.db|All Files (*)|*"));
    if (!arquivo.isEmpty())
        campo->setText(arquivo);
}

// The dialog opens on the string it is given: in the fields of its provider when building
// them back gives the same string (an SQLite file, a listed ODBC driver with server, port
// and database, a listed data source), else as an ODBC string written as it is.
void TFormConexao::carregaString(const QString& texto) {
    if (texto.isEmpty())
        return;
    const std::string bytes = deQString(texto);
    const TStringConexao pares(bytes);
    // An ODBC value as written, its braces taken off.
    const auto valor = [&pares](std::string_view chave) -> std::optional<std::string> {
        std::optional<std::string> lido = pares.Valor(chave);
        if (lido && lido->size() >= 2 && lido->front() == '{' && lido->back() == '}') {
            std::string dentro;
            for (std::size_t i = 1; i + 1 < lido->size(); ++i) {
                dentro += (*lido)[i];
                if ((*lido)[i] == '}' && (*lido)[i + 1] == '}')
                    ++i;
            }
            lido = dentro;
        }
        return lido;
    };
    const auto indiceDe = [this](TTipoProvider tipo, const std::string& nome) {
        for (std::size_t i = 0; i < m_itens.size(); ++i)
            if (m_itens[i].tipo == tipo && deQString(m_itens[i].nome) == nome)
                return static_cast<int>(i);
        return -1;
    };
    if (EhProviderSQLite(bytes)) {
        const std::string arquivo = pares.Valor("Data Source").value_or("");
        if (!arquivo.empty() && StringConexaoSQLite(arquivo) == bytes) {
            m_provider->setCurrentIndex(indiceDe(TTipoProvider::SQLite, ""));
            m_arquivo->setText(paraQString(arquivo));
            return;
        }
    } else if (const auto driver = valor("Driver")) {
        const TCamposServidor campos{*driver, valor("Server").value_or(""),
                                     valor("Port").value_or(""), valor("Database").value_or("")};
        const int indice = indiceDe(TTipoProvider::DriverODBC, *driver);
        if (indice >= 0 && StringConexaoDriver(campos) == bytes) {
            m_provider->setCurrentIndex(indice);
            m_servidor->setText(paraQString(campos.servidor));
            m_porta->setText(paraQString(campos.porta));
            m_baseDados->setText(paraQString(campos.baseDados));
            return;
        }
    } else if (const auto fonte = valor("DSN")) {
        const int indice = indiceDe(TTipoProvider::FonteODBC, *fonte);
        if (indice >= 0 && StringConexaoDSN(*fonte) == bytes) {
            m_provider->setCurrentIndex(indice);
            return;
        }
    }
    m_provider->setCurrentIndex(static_cast<int>(m_itens.size()) - 1);
    m_stringODBC->setText(paraQString(StringODBC(bytes)));
}

QString getConnectionString(QWidget* pai, const QString& nomeBase, const QString& atual) {
    const QString caminho = nomeBase + QStringLiteral(".udl");
    {
        QFile arquivo(caminho);
        if (!arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return atual;
    }
    // The dialog opens on the current string, which a cancel leaves in the file.
    if (!atual.isEmpty())
        GravaUdl(caminho, atual);
    TFormConexao::EditaArquivoUdl(pai, caminho);
    const QString resultado = LeUdl(caminho);
    QFile::remove(caminho);
    return resultado;
}

} // namespace fendril
