#include "desktop/gui_script_ui.h"

#include <QDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTest>

#include "desktop/key_input.h"
#include "desktop/screenshots.h"
#include "host/view/call_wait_dialog.h"
#include "host/view/english_words.h"
#include "host/view/list_picker_dialog.h"
#include "host/view/preview_window.h"
#include "host/view/row_search_dialog.h"
#include "host/view/sign_in_dialog.h"
#include "host/view/text_fit.h"

namespace host {
namespace {

using hostfw::view::ListPickerDialog;
using hostfw::view::RowSearchDialog;
using hostfw::view::RowSourceModel;
using hostfw::view::SignInDialog;

// Puts the table's current line on a source row the way a person would: its key typed into
// the filter box, then the line found among those left. False when the filter hides it.
bool GoToRow(QLineEdit& filter, QTableView& table, RowSourceModel& model, size_t row) {
    filter.clear();
    TypeCharacters(filter, QString::fromStdString(model.Source().Key(row)));
    for (int shown = 0; shown < model.rowCount(); ++shown) {
        if (model.SourceRow(shown) == row) {
            table.setCurrentIndex(model.index(shown, model.FirstDataColumn()));
            return true;
        }
    }
    return false;
}

void MarkRows(ListPickerDialog& dialog, const std::vector<size_t>& rows, Screenshots& pictures) {
    QTest::mouseClick(&dialog.ClearAllButton(), Qt::LeftButton);
    QLineEdit& filter = dialog.Rows().FilterBox();
    QTableView& table = dialog.Rows().Table();
    for (size_t row : rows) {
        if (GoToRow(filter, table, dialog.Model(), row))
            QTest::keyClick(&table, Qt::Key_Space);
    }
    // Pictured with the last key still in the filter, then with every row and its mark.
    pictures.Take(dialog);
    filter.clear();
    pictures.Take(dialog);
}

QPushButton* OkButton(QWidget& dialog) {
    for (auto* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == QStringLiteral("OK") || button->text() == QStringLiteral("&OK"))
            return button;
    }
    return nullptr;
}

void Confirm(QWidget& dialog) {
    if (QPushButton* ok = OkButton(dialog))
        QTest::mouseClick(ok, Qt::LeftButton);
}

void Cancel(QWidget& dialog) {
    QTest::keyClick(&dialog, Qt::Key_Escape);
}

}  // namespace

QStringList WindowFaults(const QWidget& window) {
    QStringList faults;
    for (const QString& cut : hostfw::view::CutTexts(window))
        faults << QStringLiteral("texto cortado: ") + cut;
    for (const QString& word : hostfw::view::EnglishWordsOn(window))
        faults << QStringLiteral("texto em inglês: ") + word;
    return faults;
}

GuiScriptUi::GuiScriptUi(const hostfw::TScreen& screen, QMdiArea* area, Screenshots& screenshots)
    : QtHostUi(screen, area), screenshots_(screenshots) {
    SetShownHook([this](QWidget& widget) { Shown(widget); });
}

void GuiScriptUi::OperateNext(std::function<void(QWidget&)> operate) {
    operators_.push_back(std::move(operate));
}

void GuiScriptUi::CheckWindow(QWidget& window) {
    if (scripted_ == nullptr)
        return;
    if (const QStringList faults = WindowFaults(window); !faults.isEmpty()) {
        scripted_->Status().Fail("na janela '" + window.windowTitle().toStdString() +
                                 "': " + faults.join(QStringLiteral("; ")).toStdString() + ".");
    }
}

void GuiScriptUi::Shown(QWidget& widget) {
    screenshots_.Take(*widget.window());
    CheckWindow(*widget.window());
    if (qobject_cast<QDialog*>(&widget) == nullptr || operators_.empty())
        return;
    auto operate = std::move(operators_.front());
    operators_.pop_front();
    operate(widget);
}

void GuiScriptUi::ShowMessage(const std::string& text, hostfw::MessageKind kind) {
    if (scripted_ == nullptr)
        return QtHostUi::ShowMessage(text, kind);
    scripted_->ShowMessage(text, kind);
    if (messageReader_ == MessageReader::Script)
        OperateNext([](QWidget& box) { Confirm(box); });
    QtHostUi::ShowMessage(text, kind);
}

std::optional<std::vector<size_t>> GuiScriptUi::PickList(const hostfw::ListPickRequest& request) {
    if (scripted_ == nullptr)
        return QtHostUi::PickList(request);
    const auto wanted = scripted_->PickList(request);
    OperateNext([this, wanted](QWidget& widget) {
        auto& dialog = static_cast<ListPickerDialog&>(widget);
        if (!wanted) {
            Cancel(dialog);
            return;
        }
        MarkRows(dialog, *wanted, screenshots_);
        Confirm(dialog);
    });
    const auto picked = QtHostUi::PickList(request);
    if (picked != wanted) {
        scripted_->Status().Fail("o seletor '" + request.title +
                                 "' devolveu outras linhas que as da resposta do script.");
    }
    return picked;
}

std::optional<size_t> GuiScriptUi::SearchRow(const hostfw::RowSearchRequest& request) {
    if (scripted_ == nullptr)
        return QtHostUi::SearchRow(request);
    const auto wanted = scripted_->SearchRow(request);
    OperateNext([wanted](QWidget& widget) {
        auto& dialog = static_cast<RowSearchDialog&>(widget);
        if (!wanted ||
            !GoToRow(dialog.Rows().FilterBox(), dialog.Rows().Table(), dialog.Model(), *wanted)) {
            Cancel(dialog);
            return;
        }
        QTest::keyClick(&dialog.Rows().Table(), Qt::Key_Return);
    });
    const auto chosen = QtHostUi::SearchRow(request);
    if (chosen != wanted) {
        scripted_->Status().Fail("a pesquisa '" + request.title +
                                 "' devolveu outra linha que a da resposta do script.");
    }
    return chosen;
}

std::optional<std::string> GuiScriptUi::PromptText(const std::string& caption,
                                                   const std::string& prompt,
                                                   const std::string& initial) {
    if (scripted_ == nullptr)
        return QtHostUi::PromptText(caption, prompt, initial);
    const auto wanted = scripted_->PromptText(caption, prompt, initial);
    OperateNext([wanted](QWidget& dialog) {
        auto* edit = dialog.findChild<QLineEdit*>();
        if (!wanted || edit == nullptr) {
            Cancel(dialog);
            return;
        }
        edit->selectAll();
        TypeCharacters(*edit, QString::fromStdString(*wanted));
        QTest::keyClick(edit, Qt::Key_Return);
    });
    return QtHostUi::PromptText(caption, prompt, initial);
}

std::optional<hostfw::Credentials> GuiScriptUi::AskCredentials(const std::string& failure) {
    if (scripted_ == nullptr)
        return QtHostUi::AskCredentials(failure);
    const auto wanted = scripted_->AskCredentials(failure);
    OperateNext([wanted](QWidget& widget) {
        auto& dialog = static_cast<SignInDialog&>(widget);
        if (!wanted) {
            Cancel(dialog);
            return;
        }
        dialog.User().clear();
        TypeCharacters(dialog.User(), QString::fromStdString(wanted->user));
        dialog.Password().clear();
        TypeCharacters(dialog.Password(), QString::fromStdString(wanted->password));
        Confirm(dialog);
    });
    return QtHostUi::AskCredentials(failure);
}

void GuiScriptUi::AwaitCall(hostfw::PendingCall& call) {
    if (scripted_ == nullptr || !scripted_->GivesUpNextCall())
        return QtHostUi::AwaitCall(call);
    OperateNext([this](QWidget& widget) {
        scripted_->GiveUpCall();
        QTest::mouseClick(&static_cast<hostfw::view::CallWaitDialog&>(widget).CancelButton(),
                          Qt::LeftButton);
    });
    const std::size_t waiting = operators_.size();
    QtHostUi::AwaitCall(call);
    // Done before its wait showed: the answer is left for the next call.
    if (operators_.size() == waiting)
        operators_.pop_back();
}

std::optional<ChoiceToSave> GuiScriptUi::AskChoiceToSave(const QString& typedDates) {
    std::optional<std::string> wanted;
    if (scripted_ != nullptr) {
        wanted = scripted_->PromptText("Consultas salvas", "Nome da consulta:", "");
        OperateNext([wanted](QWidget& widget) {
            auto& dialog = static_cast<SaveChoiceDialog&>(widget);
            if (!wanted) {
                Cancel(dialog);
                return;
            }
            TypeCharacters(dialog.Name(), QString::fromStdString(*wanted));
            QTest::keyClick(&dialog.Name(), Qt::Key_Return);
        });
    }
    SaveChoiceDialog dialog(typedDates, DialogParent());
    ExecDialog(dialog);
    return dialog.Result();
}

void GuiScriptUi::RunModalLoop(hostfw::TCustomForm& form, const std::function<bool()>& closed) {
    if (scripted_ == nullptr)
        return QtHostUi::RunModalLoop(form, closed);
    // The script plays the user inside the modal window: its next lines are the loop, which
    // starts on what the show handler left.
    hostfw::view::AfterModelChange();
    scripted_->RunModalLoop(form, closed);
}

void GuiScriptUi::ShowPreview(std::shared_ptr<const hostfw::ReportPreview> preview) {
    if (scripted_ == nullptr)
        return QtHostUi::ShowPreview(std::move(preview));
    scripted_->ShowPreview(preview);
    // One preview on screen at a time: the script has looked at the last one already.
    for (auto* open : Previews())
        open->close();
    QtHostUi::ShowPreview(std::move(preview));
    if (!screenshots_.Enabled() || Previews().empty())
        return;
    // The print dialog its Imprimir opens, pictured as a person would see it, then closed.
    QPrinter printer(QPrinter::HighResolution);
    const auto dialog = Previews().back()->MakePrintDialog(printer);
    dialog->show();
    if (!QTest::qWaitForWindowExposed(dialog.get()))
        scripted_->Status().Fail("o diálogo de impressão não apareceu.");
    screenshots_.Take(*dialog);
    CheckWindow(*dialog);
    dialog->close();
}

void GuiScriptUi::Notify(const hostfw::Notice& notice) {
    if (scripted_ == nullptr)
        return QtHostUi::Notify(notice);
    scripted_->Observer().Notify(notice);
    if (const QStringList english = hostfw::view::EnglishWords(QString::fromStdString(notice.text));
        !english.isEmpty()) {
        scripted_->Status().Fail("aviso com texto em inglês (" +
                                 english.join(QStringLiteral(", ")).toStdString() +
                                 "): " + notice.text);
    }
    // A script reads the transcript: the folder is not offered to anybody.
    QtHostUi::Notify({notice.line, notice.text, {}});
}

void GuiScriptUi::ServerCalled(const hostfw::ServerCallRecord& call) {
    if (scripted_ == nullptr)
        return QtHostUi::ServerCalled(call);
    scripted_->Observer().ServerCalled(call);
}

void GuiScriptUi::ReportQueryBound(const hostfw::TParams& params) {
    if (scripted_ == nullptr)
        return QtHostUi::ReportQueryBound(params);
    scripted_->Observer().ReportQueryBound(params);
}

void GuiScriptUi::ReportDelivered() {
    if (deliveryObserver_)
        deliveryObserver_();
}

}  // namespace host
