#pragma once

// Fill Empty Aliases: asks for the two naming rules, filter chains of the template language
// for table aliases ("pascal:singular") and for column aliases ("camel"); an empty rule
// leaves those aliases alone.

#include <QDialog>
#include <QString>
#include <functional>

class QComboBox;

namespace fendril {

class TFormRegrasAlias : public QDialog {
    Q_OBJECT
public:
    explicit TFormRegrasAlias(QWidget* pai = nullptr);
    ~TFormRegrasAlias() override;

    // Shows the dialog modally; true when the person chose OK. In the dialog layer's
    // answering mode the next queued action (ProximaAcao) runs on the shown dialog instead.
    bool Executa();
    static void ProximaAcao(std::function<void(TFormRegrasAlias&)> acao);

    QString regraTabelas() const;
    QString regraColunas() const;
    void setRegras(const QString& tabelas, const QString& colunas);

private:
    QComboBox* m_tabelas = nullptr;
    QComboBox* m_colunas = nullptr;
};

} // namespace fendril
