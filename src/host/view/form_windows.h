#pragma once

#include <QPointer>
#include <map>
#include <vector>

#include "host/ui/form.h"
#include "host/view/form_view.h"
#include "host/view/model_events.h"
#include "hostfw_view_export.h"

class QMdiArea;

namespace hostfw::view {

// The windows of the forms: an embedded form (a multiple-document child) inside the host's
// main window, with a single border and no maximize button; any other form a window of its
// own, resizable, with a maximize button when the form has one and modal while its modal loop
// runs. Closing a window asks the form (its close handler decides); the window follows.
class HOSTFW_VIEW_EXPORT FormWindows : public ModelFollower {
public:
    // Without an area every form gets a window of its own.
    explicit FormWindows(QMdiArea* area);
    ~FormWindows() override;

    void SetArea(QMdiArea* area) { area_ = area; }
    void Shown(TCustomForm& form);
    void Hidden(TCustomForm& form);
    void Destroyed(TCustomForm& form);

    FormView* ViewOf(const TCustomForm& form) const;
    // The window around a form's view (a sub-window or a top-level window).
    QWidget* WindowOf(const TCustomForm& form) const;
    std::vector<QWidget*> Windows() const;

    void ModelChanged() override;

private:
    struct Entry {
        QPointer<QWidget> window;
        QPointer<FormView> view;
    };
    Entry Open(TCustomForm& form);

    QMdiArea* area_;
    std::map<const TCustomForm*, Entry> windows_;
};

}  // namespace hostfw::view
