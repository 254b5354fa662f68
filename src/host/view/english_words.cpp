#include "host/view/english_words.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QStatusBar>

#include "host/view/mnemonics.h"

namespace hostfw::view {
namespace {

// Words of Qt's standard dialogs and buttons and of the transcript's lines that have no
// Portuguese look-alike ("Status", "OK" and "Zoom" are Portuguese on these screens too).
const QStringList& Words() {
    static const QStringList words = {
        "Cancel",    "Yes",         "No",       "Open",      "Save",      "Close",    "Apply",
        "Reset",     "Discard",     "Help",     "Abort",     "Retry",     "Ignore",   "Print",
        "Printer",   "Properties",  "Options",  "Preview",   "Copies",    "Collate",  "Orientation",
        "Portrait",  "Landscape",   "Paper",    "Pages",     "Page",      "Range",    "Selection",
        "Current",   "Duplex",      "Color",    "Grayscale", "Location",  "Comment",  "Look",
        "Directory", "Folder",      "Files",    "File",      "Name",      "Type",     "Size",
        "Date",      "Modified",    "Back",     "Forward",   "Detail",    "List",     "Error",
        "Warning",   "Information", "Question", "printed",   "cancelled", "exported", "saved",
        "edit",      "animation",   "shown",    "hidden",    "call",      "printer",  "Loading",
        "Choose",    "Done",        "Browse",   "Output",    "Settings",  "Margins",  "Layout",
        "Top",       "Bottom",      "Left",     "Right",     "Ok"};
    return words;
}

void TextsOf(const QWidget& widget, QStringList& texts) {
    texts << widget.toolTip();
    if (const auto* label = qobject_cast<const QLabel*>(&widget))
        texts << label->text();
    else if (const auto* button = qobject_cast<const QAbstractButton*>(&widget))
        texts << button->text();
    else if (const auto* group = qobject_cast<const QGroupBox*>(&widget))
        texts << group->title();
    else if (const auto* field = qobject_cast<const QLineEdit*>(&widget))
        texts << field->placeholderText();
    else if (const auto* status = qobject_cast<const QStatusBar*>(&widget))
        texts << status->currentMessage();
    if (const auto* combo = qobject_cast<const QComboBox*>(&widget)) {
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
    }
    if (const auto* header = qobject_cast<const QHeaderView*>(&widget);
        header != nullptr && header->model() != nullptr) {
        for (int i = 0; i < header->count(); ++i)
            texts << header->model()->headerData(i, header->orientation()).toString();
    }
    if (const auto* menu = qobject_cast<const QMenu*>(&widget)) {
        for (const QAction* action : menu->actions())
            texts << action->text();
    }
    for (const QAction* action : widget.actions())
        texts << action->text();
}

}  // namespace

QStringList EnglishWords(const QString& text) {
    QStringList found;
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    static const QRegularExpression letters(QStringLiteral("[^\\p{L}]+"));
    for (const QString& token : WithoutMnemonic(text).split(blanks, Qt::SkipEmptyParts)) {
        // A path or a file's name ("/saida/saved_choices.pdf") is the person's, not a text.
        if (token.contains(QLatin1Char('/')) || token.contains(QLatin1Char('_')))
            continue;
        for (const QString& word : token.split(letters, Qt::SkipEmptyParts)) {
            if (Words().contains(word) && !found.contains(word))
                found << word;
        }
    }
    return found;
}

QStringList EnglishWordsOn(const QWidget& window) {
    QStringList found;
    QList<const QWidget*> widgets{&window};
    for (const QWidget* child : window.findChildren<QWidget*>())
        widgets << child;
    for (const QWidget* widget : widgets) {
        if (widget != &window && !widget->isVisible())
            continue;
        QStringList texts;
        if (widget == &window)
            texts << window.windowTitle();
        TextsOf(*widget, texts);
        for (const QString& text : texts) {
            for (const QString& word : EnglishWords(text))
                found << (widget->objectName().isEmpty()
                              ? QString::fromLatin1(widget->metaObject()->className())
                              : widget->objectName()) +
                             QStringLiteral(": ") + word;
        }
    }
    return found;
}

}  // namespace hostfw::view
