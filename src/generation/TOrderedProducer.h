#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>

namespace fendril {

// Makes faz(0), faz(1), ... faz(quantidade - 1) on a thread of its own, at most `adiante`
// results ahead of the caller, and hands them over in order through Next: the caller's work
// on one result (writing a file) overlaps the making of the next ones. `faz` must not touch
// what the caller works on meanwhile. A result whose making threw rethrows that exception
// from Next, and nothing after it is made. Without a second processor, or when no thread
// can be started, Next makes each result itself, as a plain loop would.
template <class T> class TOrderedProducer {
public:
    TOrderedProducer(std::size_t quantidade, std::function<T(std::size_t)> faz,
                     std::size_t adiante = 8)
        : m_quantidade(quantidade), m_faz(std::move(faz)), m_adiante(adiante > 0 ? adiante : 1) {
        if (quantidade < 2 || std::thread::hardware_concurrency() < 2) {
            return;
        }
        try {
            m_trabalho = std::thread([this] { Produz(); });
        } catch (const std::system_error&) {
            // No thread to be had: the results are made on demand.
        }
    }

    TOrderedProducer(const TOrderedProducer&) = delete;
    TOrderedProducer& operator=(const TOrderedProducer&) = delete;

    // Stops the thread after the result it is making, and waits for it.
    ~TOrderedProducer() {
        if (!m_trabalho.joinable()) {
            return;
        }
        {
            const std::lock_guard trava(m_mutex);
            m_parar = true;
        }
        m_espaco.notify_all();
        m_trabalho.join();
    }

    // The next result in order; called at most `quantidade` times, and not again after it
    // threw.
    T Next() {
        const std::size_t indice = m_proximo++;
        if (!m_trabalho.joinable()) {
            return m_faz(indice);
        }
        std::unique_lock trava(m_mutex);
        m_pronto.wait(trava, [this] { return !m_fila.empty(); });
        TItem item = std::move(m_fila.front());
        m_fila.pop_front();
        trava.unlock();
        m_espaco.notify_one();
        if (item.erro) {
            std::rethrow_exception(item.erro);
        }
        return std::move(*item.valor);
    }

private:
    struct TItem {
        std::optional<T> valor;
        std::exception_ptr erro;
    };

    void Produz() {
        for (std::size_t i = 0; i < m_quantidade; ++i) {
            {
                std::unique_lock trava(m_mutex);
                m_espaco.wait(trava, [this] { return m_parar || m_fila.size() < m_adiante; });
                if (m_parar) {
                    return;
                }
            }
            TItem item;
            try {
                item.valor.emplace(m_faz(i));
            } catch (...) {
                item.erro = std::current_exception();
            }
            const bool falhou = item.erro != nullptr;
            {
                const std::lock_guard trava(m_mutex);
                m_fila.push_back(std::move(item));
            }
            m_pronto.notify_one();
            if (falhou) {
                return;
            }
        }
    }

    const std::size_t m_quantidade;
    const std::function<T(std::size_t)> m_faz;
    const std::size_t m_adiante;
    std::size_t m_proximo = 0;
    std::mutex m_mutex;
    std::condition_variable m_pronto;
    std::condition_variable m_espaco;
    std::deque<TItem> m_fila;
    bool m_parar = false;
    std::thread m_trabalho; // started once every member above is made; joined before they go
};

} // namespace fendril
