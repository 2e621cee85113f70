#pragma once

// The answering mode of a dialog kind: a test queues what it does with the next dialog of
// the kind; that dialog, shown without blocking, runs it and closes as Cancel if it is
// still open.

#include "ui/frame/Dialogos.h"

#include <QDialog>
#include <deque>
#include <functional>

namespace fendril {

template <typename Janela> class TAcoesPendentes {
public:
    using TAcao = std::function<void(Janela&)>;

    static void Acrescenta(TAcao acao) { fila().push_back(std::move(acao)); }

    // Modal for the user. In answering mode: shown, `prepara` run, then the queued action.
    static void Executa(Janela& janela, const std::function<void()>& prepara = {}) {
        if (!Dialogos::modoResposta()) {
            janela.exec();
            return;
        }
        TAcao acao;
        if (!fila().empty()) {
            acao = std::move(fila().front());
            fila().pop_front();
        }
        janela.show();
        if (prepara)
            prepara();
        if (acao && janela.isVisible())
            acao(janela);
        if (janela.isVisible())
            janela.done(QDialog::Rejected);
    }

private:
    static std::deque<TAcao>& fila() {
        static std::deque<TAcao> acoes;
        return acoes;
    }
};

} // namespace fendril
