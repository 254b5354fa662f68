#include "host/view/shortcuts_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "host/view/command_keys.h"

namespace hostfw::view {
namespace {

struct Shortcut {
    QString keys;
    QString action;
};

struct Place {
    QString name;
    std::vector<Shortcut> shortcuts;
};

QString Either(QKeyCombination first, QKeyCombination second) {
    return KeyText(first) + QStringLiteral(" ou ") + KeyText(second);
}

std::vector<Place> Places() {
    using namespace keys;
    return {
        {QStringLiteral("Formulário do relatório"),
         {{KeyText(kPreview) + QStringLiteral(" ou Ctrl+Enter"), QStringLiteral("Visualizar")},
          {KeyText(kPrint), QStringLiteral("Imprimir")},
          {KeyText(kSaveAs), QStringLiteral("Salvar como")},
          {KeyText(kEdit), QStringLiteral("Editar a definição do relatório")},
          {QStringLiteral("Tab / Shift+Tab"), QStringLiteral("Próximo campo / campo anterior")},
          {QStringLiteral("↑ ↓ ← →"), QStringLiteral("Entre \"Todos\" e \"Lista\" de um grupo")},
          {QStringLiteral("Espaço"), QStringLiteral("Marca ou desmarca a caixa com o foco")},
          {KeyText(kSearch), QStringLiteral("Pesquisar, na Filial ou numa \"Lista\"; numa data, "
                                            "os períodos (Hoje, Mês anterior, …)")},
          {Either(kCalendar, kCalendarToo), QStringLiteral("Calendário, numa data")},
          {QStringLiteral("Alt+letra sublinhada"), QStringLiteral("Vai ao campo ou grupo")},
          {KeyText(kClose), QStringLiteral("Fechar a janela")},
          {KeyText(kShortcuts), QStringLiteral("Esta lista de teclas")}}},
        {QStringLiteral("Listas para marcar e pesquisas"),
         {{QStringLiteral("↓"), QStringLiteral("Do filtro para a lista")},
          {QStringLiteral("Espaço"), QStringLiteral("Marca ou desmarca a linha")},
          {KeyText(kMarkAll), QStringLiteral("Marcar todos (as linhas mostradas)")},
          {KeyText(kClearAll), QStringLiteral("Desmarcar todos")},
          {QStringLiteral("Tab"), QStringLiteral("Sai da lista para os botões")},
          {QStringLiteral("Enter"), QStringLiteral("Confirmar (OK)")},
          {QStringLiteral("Esc"), QStringLiteral("Cancelar")},
          {QStringLiteral("Clique no título"), QStringLiteral("Ordena pela coluna")}}},
        {QStringLiteral("Visualização"),
         {{QStringLiteral("PgDown / PgUp, Home / End"), QStringLiteral("Páginas")},
          {KeyText(kGoToPage), QStringLiteral("Digitar o número da página")},
          {KeyText(kZoomIn) + QStringLiteral(" / ") + KeyText(kZoomOut),
           QStringLiteral("Aumentar / diminuir (também Ctrl+roda do mouse)")},
          {KeyText(kActualSize), QStringLiteral("Tamanho real (100%)")},
          {KeyText(kFitWidth) + QStringLiteral(" / ") + KeyText(kFitPage),
           QStringLiteral("Ajustar à largura / página inteira")},
          {KeyText(kPrint), QStringLiteral("Imprimir")},
          {KeyText(kExportPdf), QStringLiteral("Exportar PDF")},
          {KeyText(kExportCsv), QStringLiteral("Exportar CSV")},
          {KeyText(kExportXlsx), QStringLiteral("Exportar XLSX")},
          {KeyText(kClose), QStringLiteral("Fechar")}}},
    };
}

}  // namespace

ShortcutsDialog::ShortcutsDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("teclas"));
    setWindowTitle(QStringLiteral("Teclas de atalho"));
    auto* layout = new QVBoxLayout(this);
    auto* table = new QTableWidget(this);
    table->setObjectName(QStringLiteral("lista_teclas"));
    table->setAccessibleName(QStringLiteral("Teclas de atalho"));
    table->setColumnCount(2);
    table->setHorizontalHeaderLabels({QStringLiteral("Tecla"), QStringLiteral("O que faz")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setTabKeyNavigation(false);
    table->setWordWrap(false);
    for (const Place& place : Places()) {
        const int heading = table->rowCount();
        table->insertRow(heading);
        auto* title = new QTableWidgetItem(place.name);
        QFont bold = title->font();
        bold.setBold(true);
        title->setFont(bold);
        table->setItem(heading, 0, title);
        // The cell the heading spans over says the same to a screen reader.
        table->setItem(heading, 1, new QTableWidgetItem(place.name));
        table->setSpan(heading, 0, 1, 2);
        for (const Shortcut& shortcut : place.shortcuts) {
            const int row = table->rowCount();
            table->insertRow(row);
            table->setItem(row, 0, new QTableWidgetItem(shortcut.keys));
            table->setItem(row, 1, new QTableWidgetItem(shortcut.action));
        }
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(table, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Fechar"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    const int wide = table->columnWidth(0) + table->columnWidth(1) + 48;
    resize(std::max(wide, 560), 560);
}

}  // namespace hostfw::view
