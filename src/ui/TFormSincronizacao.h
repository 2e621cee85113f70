#pragma once

// The changes a refresh of a mapping found in its database, as a check list grouped by
// table: every change ticked, the person unticks what not to apply. A likely rename is
// shown without a box: it is only reported.

#include "model/MappingRefresh.h"

#include <QDialog>
#include <functional>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

namespace fendril {

class TFormSincronizacao : public QDialog {
    Q_OBJECT
public:
    explicit TFormSincronizacao(const TRefreshChanges& mudancas, QWidget* pai = nullptr);
    ~TFormSincronizacao() override;

    // Shows the list modally; true when the person chose Apply. In the dialog layer's
    // answering mode it does not block: the next queued action (ProximaAcao) runs on the
    // shown list, and the window is closed as Cancel when the action left it open.
    bool Executa();
    static void ProximaAcao(std::function<void(TFormSincronizacao&)> acao);

    // Which changes are ticked, in the order of the list given.
    std::vector<bool> marcadas() const;
    // The item of change `indice` (its check box is the tick).
    QTreeWidgetItem* item(std::size_t indice) const { return m_itens[indice]; }
    QTreeWidget* lista() const { return m_lista; }

private:
    QTreeWidget* m_lista = nullptr;
    std::vector<QTreeWidgetItem*> m_itens;
};

} // namespace fendril
