#pragma once

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace fendril {

// Makes faz(0, t), faz(1, t), ... faz(quantidade - 1, t) on threads of their own, at most
// `adiante` results ahead of the caller, and hands them over in order through Next: the
// caller's work on one result (writing a file) overlaps the making of the next ones, and
// several are made at once. `t` tells which of the `trabalhadores` threads makes the result
// (0 when the caller does), so that each can keep what it learns to itself; `faz` must not
// touch what the caller works on meanwhile, and T must be default-constructible. A result
// whose making threw rethrows that exception from Next; once it has failed, no thread
// starts on a later result. With no thread asked for (or none to be had), or fewer than two
// results, Next makes each result itself, as a plain loop would.
template <class T> class TOrderedProducer {
public:
    TOrderedProducer(std::size_t quantidade, std::function<T(std::size_t, std::size_t)> faz,
                     std::size_t trabalhadores, std::size_t adiante = 0)
        : m_faz(std::move(faz)), m_fim(quantidade) {
        trabalhadores = std::min(trabalhadores, quantidade);
        if (trabalhadores == 0 || quantidade < 2) {
            return;
        }
        m_vagas.resize(std::max(adiante, 4 * trabalhadores));
        try {
            for (std::size_t i = 0; i < trabalhadores; ++i) {
                m_trabalhos.emplace_back([this, i] { Produz(i); });
            }
        } catch (const std::system_error&) {
            // Fewer threads than asked for; with none, the results are made on demand.
        }
    }

    TOrderedProducer(const TOrderedProducer&) = delete;
    TOrderedProducer& operator=(const TOrderedProducer&) = delete;

    // Stops the threads after the results they are making, and waits for them.
    ~TOrderedProducer() {
        {
            const std::lock_guard trava(m_mutex);
            m_parar = true;
        }
        m_espaco.notify_all();
        for (std::thread& trabalho : m_trabalhos) {
            trabalho.join();
        }
    }

    // The next result in order; called at most `quantidade` times, and not again after it
    // threw.
    T Next() {
        if (m_trabalhos.empty()) {
            return m_faz(m_entregues++, 0);
        }
        std::unique_lock trava(m_mutex);
        TItem& vaga = m_vagas[m_entregues % m_vagas.size()];
        m_pronto.wait(trava, [&vaga] { return vaga.pronto; });
        T valor = std::exchange(vaga.valor, T());
        const std::exception_ptr erro = std::exchange(vaga.erro, nullptr);
        vaga.pronto = false;
        ++m_entregues;
        trava.unlock();
        m_espaco.notify_all();
        if (erro) {
            std::rethrow_exception(erro);
        }
        return valor;
    }

private:
    struct TItem {
        bool pronto = false;
        T valor{};
        std::exception_ptr erro;
    };

    // Takes the next result no one makes yet, while its place in the ring is free (the
    // result that held it was handed over).
    void Produz(std::size_t trabalhador) {
        for (;;) {
            std::size_t indice = 0;
            {
                std::unique_lock trava(m_mutex);
                m_espaco.wait(trava, [this] {
                    return m_parar || m_tomados >= m_fim ||
                           m_tomados < m_entregues + m_vagas.size();
                });
                if (m_parar || m_tomados >= m_fim) {
                    return;
                }
                indice = m_tomados++;
            }
            T valor{};
            std::exception_ptr erro;
            try {
                valor = m_faz(indice, trabalhador);
            } catch (...) {
                erro = std::current_exception();
            }
            {
                const std::lock_guard trava(m_mutex);
                if (erro) {
                    m_fim = std::min(m_fim, indice + 1);
                }
                TItem& vaga = m_vagas[indice % m_vagas.size()];
                vaga.valor = std::move(valor);
                vaga.erro = std::move(erro);
                vaga.pronto = true;
            }
            m_pronto.notify_one();
            m_espaco.notify_all();
        }
    }

    const std::function<T(std::size_t, std::size_t)> m_faz;
    std::mutex m_mutex;
    std::condition_variable m_pronto; // a result was put in its place
    std::condition_variable m_espaco; // a place was freed, or the end moved
    std::vector<TItem> m_vagas;       // result i waits in place i % size
    std::size_t m_entregues = 0;      // results handed over
    std::size_t m_tomados = 0;        // results taken by a thread
    std::size_t m_fim;                // no thread takes a result from here on
    bool m_parar = false;
    std::vector<std::thread> m_trabalhos; // started once every member above is made
};

} // namespace fendril
