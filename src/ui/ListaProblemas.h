#pragma once

// The problems list under the template editors: what the template language says of the
// text being written (TMontaCodigo::Diagnostica), each with its line and column.

#include <QTreeWidget>
#include <cstddef>
#include <vector>

class QPlainTextEdit;

namespace fendril {

struct TDiagnostico;

// The problems list under the template editors: the template-language diagnostics of the
// editor's text with their line and column; a double click puts the editor's cursor there.
class TListaProblemas : public QTreeWidget {
    Q_OBJECT
public:
    explicit TListaProblemas(QWidget* pai = nullptr);
    ~TListaProblemas() override;

    // Shows the diagnostics of `editor`'s text (expanded as a table block's body when
    // `corpoDeTabela`, as the run expands a table-class text).
    void Diagnostica(QPlainTextEdit* editor, bool corpoDeTabela);
    const std::vector<TDiagnostico>& diagnosticos() const { return m_diagnosticos; }
    // Puts the cursor of the editor of the last diagnosis at the problem of row `linha`.
    void VaiPara(int linha);

    // Puts an editor's cursor at a line and column (both from 1; columns count characters).
    static void PosicionaCursor(QPlainTextEdit* editor, std::size_t linha, std::size_t coluna);

private:
    QPlainTextEdit* m_editor = nullptr;
    std::vector<TDiagnostico> m_diagnosticos;
};

} // namespace fendril
