#pragma once

#include <deque>
#include <functional>

#include "host/view/qt_host_ui.h"
#include "scripted_ui.h"

namespace host {

class Screenshots;

// The windows of a script run: real windows and dialogs, answered by operating them with the
// script's answers (keys to mark rows, OK or Cancelar, the prompt's text typed), while the
// transcript, the messages expected and the answers used are the scripted UI's, so the run
// reads exactly as a headless one. A dialog that returns other than the answer fails the run.
class GuiScriptUi : public hostfw::view::QtHostUi {
public:
    GuiScriptUi(ScriptedUi& scripted, QMdiArea* area, Screenshots& screenshots);

    void ShowMessage(const std::string& text, hostfw::MessageKind kind) override;
    std::optional<std::vector<size_t>> PickList(const hostfw::ListPickRequest& request) override;
    std::optional<size_t> SearchRow(const hostfw::RowSearchRequest& request) override;
    std::optional<std::string> PromptText(const std::string& caption, const std::string& prompt,
                                          const std::string& initial) override;
    void RunModalLoop(hostfw::TCustomForm& form, const std::function<bool()>& closed) override;
    void ShowPreview(std::shared_ptr<const hostfw::ReportPreview> preview) override;
    void Notify(const std::string& line) override;
    void ServerCalled(const hostfw::ServerCallRecord& call) override;
    void ReportQueryBound(const hostfw::TParams& params) override;

private:
    // What to do with the next dialog once it is on screen.
    void OperateNext(std::function<void(QWidget&)> operate);
    void shown(QWidget& widget);

    ScriptedUi& scripted_;
    Screenshots& screenshots_;
    std::deque<std::function<void(QWidget&)>> operators_;
};

}  // namespace host
