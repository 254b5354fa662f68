#pragma once

#include <QKeySequence>

#include "host/ui/control.h"
#include "hostfw_view_export.h"

namespace hostfw::view {

// The keys of the desktop, as people of this kind of software know them. One place, so the
// widgets, their tool tips, what assistive technology announces and the "Teclas de atalho"
// window never disagree.
namespace keys {

// The report form's four commands.
inline constexpr QKeyCombination kPreview = Qt::Key_F5;
inline constexpr QKeyCombination kPreviewToo = Qt::CTRL | Qt::Key_Return;
inline constexpr QKeyCombination kPrint = Qt::CTRL | Qt::Key_P;
inline constexpr QKeyCombination kSaveAs = Qt::CTRL | Qt::SHIFT | Qt::Key_S;
inline constexpr QKeyCombination kEdit = Qt::CTRL | Qt::Key_E;
// From a field: its search (the list of a date edit: the periods), and a date's calendar.
inline constexpr QKeyCombination kSearch = Qt::Key_F3;
inline constexpr QKeyCombination kCalendar = Qt::Key_F4;
inline constexpr QKeyCombination kCalendarToo = Qt::ALT | Qt::Key_Down;
inline constexpr QKeyCombination kShortcuts = Qt::Key_F1;
inline constexpr QKeyCombination kClose = Qt::Key_Escape;
// The pickers.
inline constexpr QKeyCombination kMarkAll = Qt::CTRL | Qt::Key_M;
inline constexpr QKeyCombination kClearAll = Qt::CTRL | Qt::SHIFT | Qt::Key_M;
// The preview.
inline constexpr QKeyCombination kGoToPage = Qt::CTRL | Qt::Key_G;
inline constexpr QKeyCombination kZoomIn = Qt::CTRL | Qt::Key_Plus;
inline constexpr QKeyCombination kZoomInToo = Qt::CTRL | Qt::Key_Equal;
inline constexpr QKeyCombination kZoomOut = Qt::CTRL | Qt::Key_Minus;
inline constexpr QKeyCombination kActualSize = Qt::CTRL | Qt::Key_0;
inline constexpr QKeyCombination kFitWidth = Qt::CTRL | Qt::Key_1;
inline constexpr QKeyCombination kFitPage = Qt::CTRL | Qt::Key_2;
inline constexpr QKeyCombination kExportPdf = Qt::CTRL | Qt::SHIFT | Qt::Key_P;
inline constexpr QKeyCombination kExportCsv = Qt::CTRL | Qt::SHIFT | Qt::Key_C;
inline constexpr QKeyCombination kExportXlsx = Qt::CTRL | Qt::SHIFT | Qt::Key_X;

}  // namespace keys

// A key as the person reads it ("Ctrl+P", "F5").
HOSTFW_VIEW_EXPORT QString KeyText(QKeyCombination key);

// The key of one of the report form's commands (the base form's buttons); empty for any
// other control.
HOSTFW_VIEW_EXPORT QKeySequence CommandKeyOf(const TControl& control);

// A tool tip that says its key: "Visualizar (F5)".
HOSTFW_VIEW_EXPORT QString WithKey(const QString& tip, const QString& key);

}  // namespace hostfw::view
