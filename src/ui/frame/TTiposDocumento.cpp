#include "ui/frame/TTiposDocumento.h"

namespace fendril {

namespace {

std::vector<TTipoDocumento> criaTipos() {
    std::vector<TTipoDocumento> tipos;

    TTipoDocumento mapeamento;
    mapeamento.titulo = QStringLiteral("Mapping");
    mapeamento.extensao = QStringLiteral("kmf");
    mapeamento.nomeNovo = QStringLiteral("noname.kmf");
    mapeamento.legendaNovo = QStringLiteral("Mapping");
    mapeamento.dicaNovo = QStringLiteral("New Mapping");
    mapeamento.acaoNovo = QStringLiteral("Mapeamento2Click");
    mapeamento.filtroSalvar = QStringLiteral("Mapping Files (*.kmf)|*.KMF|All Files (*.*)|*.*");
    mapeamento.guia = QStringLiteral("guia_mapeamento");
    mapeamento.itemGuia = QStringLiteral("OcultarGuiadeFerramentas1");
    mapeamento.gemeoGuia = QStringLiteral("HideToolTab5");
    mapeamento.barras = {{QStringLiteral("MostrarBarradeFerramentasemTabelaseColunas1"),
                          QStringLiteral("HideTablesAndColumnsToolBar1"),
                          QStringLiteral("Hide Tables And Columns Tool Bar")}};
    mapeamento.comandos = {
        {1, "Build Connection String", "Build Connection String", "", "ConfiguraoDriverOLEDB1Click",
         "SpeedButton3Click", "atbut_constringClick"},
        {1, "Get Database Names", "Get Database Names", "", "but_basedadosClick",
         "but_basedadosClick", "atbut_basedadosClick"},
        {1, "Connect/Disconnect", "Connect/Disconnect", "", "but_conectarClick",
         "but_conectarClick", "but_conectarClick"},
        {2, "Load Tables And Columns", "Load Tables And Columns", "", "but_importadadosClick",
         "but_obterClick", "but_obterClick"},
        {2, "Add Remaining Tables", "Add Remaining Tables", "", "AddAdditionalTables1",
         "but_importatabelaClick", "but_importatabelaClick"},
        {2, "Remove Selected Table", "Remove Selected Table", "", "RemoveSelectedTable1Click",
         "but_removetbClick", "but_removetbClick"},
        {2, "View Log", "View Log", "", "ViewLog2Click", "but_viewlogClick", "but_viewlogClick"},
        {3, "Check/Uncheck All Columns", "Check/Uncheck All Columns", "", "but_checaClick",
         "but_checaClick", "but_checaClick"},
        {3, "Refresh", "Refresh", "", "but_refreshClick", "but_refreshClick", "but_refreshClick"},
        {3, "Save Column Property Changes", "Save Column Property Changes", "",
         "but_confirmarClick", "but_confirmarClick", "but_confirmarClick"},
        {4, "Table Data", "Show Table Data", "", "but_mostradadosClick", "but_mostradadosClick",
         "but_mostradadosClick"},
    };
    tipos.push_back(mapeamento);

    TTipoDocumento modelo;
    modelo.titulo = QStringLiteral("Fendril Template");
    modelo.extensao = QStringLiteral("tpt");
    modelo.nomeNovo = QStringLiteral("noname.tpt");
    modelo.legendaNovo = QStringLiteral("Fendril Template");
    modelo.dicaNovo = QStringLiteral("New Fendril Template File");
    modelo.acaoNovo = QStringLiteral("Modelo1Click");
    modelo.filtroSalvar =
        QStringLiteral("Fendril Template Files (*.tpt)|*.TPT|All Files (*.*)|*.*");
    modelo.guia = QStringLiteral("guia_fendril");
    modelo.itemGuia = QStringLiteral("HideToolsTab1");
    modelo.gemeoGuia = QStringLiteral("HideToolTab3");
    modelo.barras = {{QStringLiteral("HideCodeToolBar1"), QStringLiteral("HideCodeToolBar3"),
                      QStringLiteral("Hide Code Tool Bar")},
                     {QStringLiteral("HideTypesToolBar1"), QStringLiteral("HideTypesToolBar2"),
                      QStringLiteral("Hide Types Tool Bar")}};
    modelo.comandos = {
        {1, "Open Text File", "Open Text File", "", "OpenTextFile1Click", "but_abriremfendrilClick",
         "OpenTextFile"},
        {1, "Save To File", "Save To File", "", "SaveToFile1Click", "SpeedButton5Click",
         "SaveToFile"},
        {1, "Print", "Print", "", "Print1Click", "but_printClick", "but_printerClick"},
        {2, "Cut", "Cut", "", "Cut1Click", "but_cortarClick", "but_cortarClick"},
        {2, "Copy", "Copy", "", "Copy1Click", "but_copiarClick", "but_copiarClick"},
        {2, "Paste ", "Paste", "", "Paste1Click", "but_colarClick", "but_colarClick"},
        {2, "Undo", "Undo", "", "Undo1Click", "but_undoClick", "but_undoClick"},
        {2, "Select All", "Select All", "", "SelectAll1Click", "but_marcartudoClick",
         "but_marcartudoClick"},
        {3, "Refresh", "Refresh", "", "Refresh2Click", "SpeedButton6Click", "but_refreshClick"},
        {3, "Show Tags", "Show Tags", "<>", "ShowTags1Click", "but_mostratagsClick",
         "but_mostratagsClick"},
        {4, "Load Provider Data Types", "Load Provider Data Types", "",
         "LoadProviderDataTypes1Click", "but_loadClick", "but_loadClick"},
        {4, "Clear Entries", "Clear Entries", "", "ClearEntries1Click", "but_eraseClick",
         "but_eraseClick"},
    };
    tipos.push_back(modelo);

    TTipoDocumento geral;
    geral.titulo = QStringLiteral("General Template");
    geral.extensao = QStringLiteral("tpg");
    geral.nomeNovo = QStringLiteral("noname.tpg");
    geral.legendaNovo = QStringLiteral("General Template");
    geral.dicaNovo = QStringLiteral("New General Template File");
    geral.acaoNovo = QStringLiteral("GeneralTemplate1Click");
    geral.filtroSalvar = QStringLiteral("General Template Files (*.tpg)|*.TPG|All Files (*.*)|*.*");
    geral.guia = QStringLiteral("guia_general");
    geral.itemGuia = QStringLiteral("HideToolTab1");
    geral.gemeoGuia = QStringLiteral("HideToolTab4");
    geral.barras = {{QStringLiteral("HideCodeToolBar2"), QStringLiteral("HideCodeToolBar4"),
                     QStringLiteral("Hide Code Tool Bar")}};
    geral.comandos = {
        {1, "Open Text File", "Open Text File", "", "OpenTextFile2Click", "but_abriremgeneralClick",
         "but_abrirClick"},
        {1, "Save To File", "Save To File", "", "SaveToFile2Click", "but_salvaremgeneralClick",
         "but_salvarClick"},
        {1, "Print", "Print", "", "Print2Click", "but_printemgeneralClick", "but_printClick"},
        {2, "Cut", "Cut", "", "Cut2Click", "but_cutemgeneralClick", "but_cortarClick"},
        {2, "Copy", "Copy", "", "Copy2Click", "but_copiaremgeneralClick", "but_copiarClick"},
        {2, "Paste", "Paste", "", "Paste2Click", "but_colaremgeneralClick", "but_colarClick"},
        {2, "Undo", "Undo", "", "Undo2Click", "but_undoemgeneralClick", "but_undoClick"},
        {2, "Select All", "Select All", "", "SelectAll2Click", "but_marcatudoemgeneralClick",
         "but_marcartudoClick"},
        {3, "Show Tags", "Show Tags", "<>", "ShowTags2Click", "but_mostratagsemgeneralClick",
         "but_mostratagsClick"},
        {3, "Check Iterative Tags Coerence", "Check Iterative Tags Coerence", "",
         "CheckIterativeTagsCoerence2Click", "but_cruzadosemgeneralClick", "but_cruzadosClick",
         true},
    };
    tipos.push_back(geral);

    TTipoDocumento geracao;
    geracao.titulo = QStringLiteral("Generation");
    geracao.extensao = QStringLiteral("kgf");
    geracao.nomeNovo = QStringLiteral("noname.kgf");
    geracao.legendaNovo = QStringLiteral("Generation");
    geracao.dicaNovo = QStringLiteral("New Generation File");
    geracao.acaoNovo = QStringLiteral("Generation1Click");
    geracao.filtroSalvar = QStringLiteral("Generation Files (*.kgf)|*.KGF|All Files (*.*)|*.*");
    geracao.guia = QStringLiteral("guia_generation");
    geracao.itemGuia = QStringLiteral("HideToolTab2");
    geracao.gemeoGuia = QStringLiteral("HideToolTab6");
    geracao.barras = {{QStringLiteral("HideGenerationToolBar1"),
                       QStringLiteral("HideGenerationToolBar2"),
                       QStringLiteral("Hide Generation Tool Bar")}};
    geracao.comandos = {
        {1, "Mount Root Directory", "Mount Root Directory", "", "MountRootDirectory1Click",
         "but_mountClick", "but_mountClick"},
        {1, "Unmount Root Directory", "Unmount Root Directory", "", "UnmountRootDirectory1Click",
         "but_unmountClick", "but_unmountClick"},
        {1, "Refresh", "Refresh", "", "Refresh3Click", "SpeedButton19Click", "but_refreshClick"},
        {2, "Define As Generation Directory", "Define As Generation Directory", "",
         "DefineAsGenerationDirectory1Click", "SpeedButton18Click", "SpeedButton2Click"},
        {2, "Define As Common Directory", "Define As Common Directory", "",
         "DefineAsCommonDirectory1Click", "SpeedButton17Click", "SpeedButton1Click"},
        {3, "New Directory", "New Directory", "", "NewDirectory1Click", "but_insereClick",
         "but_insereClick"},
        {3, "Rename", "Rename", "", "Rename1Click", "but_renameClick", "but_renameClick"},
        {3, "Delete", "Delete", "", "Delete1Click", "but_deleteClick", "but_deleteClick"},
        {4, "Run", "Run", "", "Run1Click", "but_runClick", "but_runClick"},
        {4, "View", "View", "", "View1Click", "but_viewClick", "but_viewClick"},
        {5, "Generate All Files", "Generate All Files", "", "GenerateAllFiles2Click",
         "but_generateClick", "but_generateClick"},
        {5, "View Log", "View Log", "", "ViewLog1Click", "SpeedButton14Click", "but_viewlogClick"},
    };
    tipos.push_back(geracao);
    return tipos;
}

} // namespace

std::vector<TTipoDocumento>& TiposDocumento() {
    static std::vector<TTipoDocumento> tipos = criaTipos();
    return tipos;
}

TTipoDocumento* TipoPorExtensao(const QString& extensao) {
    for (TTipoDocumento& tipo : TiposDocumento())
        if (tipo.extensao == extensao)
            return &tipo;
    return nullptr;
}

void RegistraFabrica(const QString& extensao, TFabricaFilha fabrica) {
    if (TTipoDocumento* tipo = TipoPorExtensao(extensao))
        tipo->fabrica = std::move(fabrica);
}

} // namespace fendril
