#pragma once

// The start page the main window shows while no document is open: the New command of each
// kind, Open, the recent documents and the shop example.

#include <QStringList>
#include <QWidget>

class QListWidget;
class QListWidgetItem;

namespace fendril {

class TPaginaInicial : public QWidget {
    Q_OBJECT
public:
    explicit TPaginaInicial(QWidget* pai = nullptr);

    // The recent documents shown, newest first.
    void setRecentes(const QStringList& caminhos);
    QListWidget* listaRecentes() const { return m_recentes; }

signals:
    void novo(const QString& extensao);
    void abrir();
    void abreRecente(const QString& caminho);
    void abreExemplo();

private:
    QListWidget* m_recentes;
};

} // namespace fendril
