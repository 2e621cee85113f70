#pragma once

// The tool commands the main window forwards to the active child window: the items of
// the "Tools" submenus and the buttons of the tool tabs (TTiposDocumento). Each child
// window runs the commands of its kind in one switch (TJanelaFilha::ExecutaComando).

namespace fendril {

enum class TComando {
    // Mapping.
    ConstroiStringConexao, // Build Connection String
    LeNomesBasesDados,     // Get Database Names
    ConectaDesconecta,     // Connect/Disconnect
    CarregaTabelas,        // Load Tables And Columns
    AdicionaTabelas,       // Add Remaining Tables
    RemoveTabela,          // Remove Selected Table
    MarcaColunas,          // Check/Uncheck All Columns
    ConfirmaPropriedades,  // Save Column Property Changes
    MostraDados,           // Table Data
    Sincroniza,            // Synchronise With Database
    PreencheAliases,       // Fill Empty Aliases...

    // Both template kinds: the editor commands and the tag tree.
    AbreTexto,  // Open Text File
    SalvaTexto, // Save To File
    Imprime,    // Print
    Corta,      // Cut
    Copia,      // Copy
    Cola,       // Paste
    Desfaz,     // Undo
    MarcaTudo,  // Select All
    MostraTags, // Show Tags
    // Table-class template.
    CarregaTiposProvider, // Load Provider Data Types
    LimpaTipos,           // Clear Entries
    // General template.
    VerificaTags, // Check Iterative Tags Coerence

    // Generation.
    MontaRaiz,     // Mount Root Directory
    DesmontaRaiz,  // Unmount Root Directory
    DefineGeracao, // Define As Generation Directory
    DefineComum,   // Define As Common Directory
    NovoDiretorio, // New Directory
    Renomeia,      // Rename
    Apaga,         // Delete
    Executa,       // Run
    Visualiza,     // View
    GeraTodos,     // Generate All Files

    // Several kinds, each its own way.
    Atualiza, // Refresh: the mapping tree, the highlighting, the directory tree
    VerLog,   // View Log: the load log, the generation log
};

} // namespace fendril
