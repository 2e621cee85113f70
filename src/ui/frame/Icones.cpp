#include "ui/frame/Icones.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>

namespace fendril {

QIcon IconeTema(const QString& nome, QStyle::StandardPixmap reserva) {
    return QIcon::fromTheme(nome, QApplication::style()->standardIcon(reserva));
}

namespace {

// A page with a folded corner, a band of the kind's colour and its sign.
QPixmap Pagina(int lado, const QColor& cor, const QString& sinal) {
    QPixmap imagem(lado, lado);
    imagem.fill(Qt::transparent);
    QPainter pintor(&imagem);
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.setRenderHint(QPainter::TextAntialiasing);
    const qreal u = lado / 16.0;
    QPainterPath pagina;
    pagina.moveTo(2.5 * u, 0.5 * u);
    pagina.lineTo(10.5 * u, 0.5 * u);
    pagina.lineTo(13.5 * u, 3.5 * u);
    pagina.lineTo(13.5 * u, 15.5 * u);
    pagina.lineTo(2.5 * u, 15.5 * u);
    pagina.closeSubpath();
    pintor.setPen(QPen(QColor(90, 90, 90), u));
    pintor.setBrush(Qt::white);
    pintor.drawPath(pagina);
    pintor.fillRect(QRectF(3.0 * u, 9.0 * u, 10.0 * u, 6.0 * u), cor);
    QFont fonte = QApplication::font();
    fonte.setBold(true);
    fonte.setPixelSize(static_cast<int>(5.5 * u));
    pintor.setFont(fonte);
    pintor.setPen(Qt::white);
    pintor.drawText(QRectF(3.0 * u, 9.0 * u, 10.0 * u, 6.0 * u), Qt::AlignCenter, sinal);
    pintor.setPen(QPen(cor.darker(120), u));
    for (int linha = 0; linha < 2; ++linha)
        pintor.drawLine(QPointF(4.0 * u, (3.5 + 2.5 * linha) * u),
                        QPointF((linha == 0 ? 9.5 : 11.5) * u, (3.5 + 2.5 * linha) * u));
    pintor.end();
    return imagem;
}

// A database (a drum) with a circling arrow in front: the mapping brought up to date with it.
QPixmap Sincronia(int lado) {
    QPixmap imagem(lado, lado);
    imagem.fill(Qt::transparent);
    QPainter pintor(&imagem);
    pintor.setRenderHint(QPainter::Antialiasing);
    const qreal u = lado / 16.0;
    const QColor azul(52, 101, 164);
    pintor.setPen(QPen(azul.darker(140), 0.8 * u));
    pintor.setBrush(azul);
    pintor.drawRect(QRectF(1.0 * u, 3.0 * u, 9.0 * u, 9.0 * u));
    pintor.setBrush(azul.lighter(150));
    pintor.drawEllipse(QRectF(1.0 * u, 1.0 * u, 9.0 * u, 4.0 * u));
    pintor.setBrush(azul);
    pintor.drawChord(QRectF(1.0 * u, 10.0 * u, 9.0 * u, 4.0 * u), 180 * 16, 180 * 16);
    const QColor verde(78, 154, 6);
    pintor.setPen(QPen(verde, 1.8 * u, Qt::SolidLine, Qt::RoundCap));
    pintor.setBrush(Qt::NoBrush);
    const QRectF volta(7.0 * u, 7.0 * u, 7.5 * u, 7.5 * u);
    pintor.drawArc(volta, 100 * 16, 250 * 16);
    QPainterPath ponta;
    ponta.moveTo(10.2 * u, 5.6 * u);
    ponta.lineTo(13.2 * u, 7.4 * u);
    ponta.lineTo(10.0 * u, 9.4 * u);
    ponta.closeSubpath();
    pintor.setPen(Qt::NoPen);
    pintor.setBrush(verde);
    pintor.drawPath(ponta);
    pintor.end();
    return imagem;
}

} // namespace

QIcon IconeSincronizacao() {
    QIcon icone;
    for (const int lado : {16, 24, 32, 48})
        icone.addPixmap(Sincronia(lado));
    return QIcon::fromTheme(QStringLiteral("emblem-synchronizing"), icone);
}

QIcon IconeDocumento(const QString& extensao) {
    struct TAparencia {
        QColor cor;
        QString sinal;
    };
    const TAparencia aparencia =
        extensao == QStringLiteral("kmf")   ? TAparencia{QColor(52, 101, 164), QStringLiteral("DB")}
        : extensao == QStringLiteral("tpt") ? TAparencia{QColor(78, 154, 6), QStringLiteral("{}")}
        : extensao == QStringLiteral("tpg")
            ? TAparencia{QColor(206, 92, 0), QStringLiteral("<>")}
            : TAparencia{QColor(117, 80, 123), QStringLiteral("\u25B6")};
    QIcon icone;
    for (const int lado : {16, 24, 32, 48})
        icone.addPixmap(Pagina(lado, aparencia.cor, aparencia.sinal));
    return icone;
}

QIcon IconeComando(TComando comando) {
    using S = QStyle;
    switch (comando) {
    case TComando::ConstroiStringConexao:
        return IconeTema(QStringLiteral("network-server"), S::SP_DriveNetIcon);
    case TComando::LeNomesBasesDados:
        return IconeTema(QStringLiteral("drive-harddisk"), S::SP_DriveHDIcon);
    case TComando::ConectaDesconecta:
        return IconeTema(QStringLiteral("network-wired"), S::SP_ComputerIcon);
    case TComando::CarregaTabelas:
        return IconeTema(QStringLiteral("document-import"), S::SP_DialogOpenButton);
    case TComando::AdicionaTabelas:
        return IconeTema(QStringLiteral("list-add"), S::SP_FileDialogNewFolder);
    case TComando::Sincroniza:
        return IconeSincronizacao();
    case TComando::PreencheAliases:
        return IconeTema(QStringLiteral("insert-text"), S::SP_FileDialogDetailedView);
    case TComando::RemoveTabela:
        return IconeTema(QStringLiteral("list-remove"), S::SP_TrashIcon);
    case TComando::MarcaColunas:
        return IconeTema(QStringLiteral("edit-select-all"), S::SP_DialogApplyButton);
    case TComando::ConfirmaPropriedades:
        return IconeTema(QStringLiteral("document-save"), S::SP_DialogSaveButton);
    case TComando::MostraDados:
        return IconeTema(QStringLiteral("x-office-spreadsheet"), S::SP_FileDialogContentsView);
    case TComando::AbreTexto:
        return IconeTema(QStringLiteral("document-open"), S::SP_DialogOpenButton);
    case TComando::SalvaTexto:
        return IconeTema(QStringLiteral("document-save-as"), S::SP_DialogSaveButton);
    case TComando::Imprime:
        return IconeTema(QStringLiteral("document-print"), S::SP_FileIcon);
    case TComando::Corta:
        return IconeTema(QStringLiteral("edit-cut"), S::SP_DialogDiscardButton);
    case TComando::Copia:
        return IconeTema(QStringLiteral("edit-copy"), S::SP_FileLinkIcon);
    case TComando::Cola:
        return IconeTema(QStringLiteral("edit-paste"), S::SP_DialogOkButton);
    case TComando::Desfaz:
        return IconeTema(QStringLiteral("edit-undo"), S::SP_ArrowBack);
    case TComando::MarcaTudo:
        return IconeTema(QStringLiteral("edit-select-all"), S::SP_DialogApplyButton);
    case TComando::MostraTags:
        return {};
    case TComando::CarregaTiposProvider:
        return IconeTema(QStringLiteral("document-import"), S::SP_DialogOpenButton);
    case TComando::LimpaTipos:
        return IconeTema(QStringLiteral("edit-clear"), S::SP_DialogResetButton);
    case TComando::VerificaTags:
        return IconeTema(QStringLiteral("tools-check-spelling"), S::SP_DialogYesButton);
    case TComando::MontaRaiz:
        return IconeTema(QStringLiteral("folder-open"), S::SP_DirOpenIcon);
    case TComando::DesmontaRaiz:
        return IconeTema(QStringLiteral("window-close"), S::SP_DialogCloseButton);
    case TComando::DefineGeracao:
        return IconeTema(QStringLiteral("folder-download"), S::SP_DirLinkIcon);
    case TComando::DefineComum:
        return IconeTema(QStringLiteral("folder"), S::SP_DirIcon);
    case TComando::NovoDiretorio:
        return IconeTema(QStringLiteral("folder-new"), S::SP_FileDialogNewFolder);
    case TComando::Renomeia:
        return IconeTema(QStringLiteral("document-properties"), S::SP_FileDialogDetailedView);
    case TComando::Apaga:
        return IconeTema(QStringLiteral("edit-delete"), S::SP_TrashIcon);
    case TComando::Executa:
        return IconeTema(QStringLiteral("document-open"), S::SP_FileIcon);
    case TComando::Visualiza:
        return IconeTema(QStringLiteral("document-print-preview"), S::SP_FileDialogContentsView);
    case TComando::GeraTodos:
        return IconeTema(QStringLiteral("system-run"), S::SP_MediaPlay);
    case TComando::Atualiza:
        return IconeTema(QStringLiteral("view-refresh"), S::SP_BrowserReload);
    case TComando::VerLog:
        return IconeTema(QStringLiteral("text-x-generic"), S::SP_FileDialogInfoView);
    }
    return {};
}

} // namespace fendril
