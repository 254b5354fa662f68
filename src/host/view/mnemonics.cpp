#include "host/view/mnemonics.h"

#include "host/ui/user_actions.h"
#include "host/view/model_events.h"

namespace hostfw::view {
namespace {

bool Free(QChar letter, const QString& taken) {
    return letter.isLetter() && !taken.contains(letter.toLower());
}

}  // namespace

std::vector<int> MnemonicPlaces(const QStringList& captions, const QString& reserved) {
    QString taken = reserved.toLower();
    std::vector<int> places;
    for (const QString& caption : captions) {
        int place = -1;
        // A word's first letter first, then any letter.
        for (int i = 0; i < caption.size() && place < 0; ++i) {
            const bool startsWord = i == 0 || !caption[i - 1].isLetterOrNumber();
            if (startsWord && Free(caption[i], taken))
                place = i;
        }
        for (int i = 0; i < caption.size() && place < 0; ++i) {
            if (Free(caption[i], taken))
                place = i;
        }
        if (place >= 0)
            taken += caption[place].toLower();
        places.push_back(place);
    }
    return places;
}

QString WithMnemonic(const QString& caption, int place) {
    QString marked;
    for (int i = 0; i < caption.size(); ++i) {
        if (i == place)
            marked += QLatin1Char('&');
        marked += caption[i];
        if (caption[i] == QLatin1Char('&'))
            marked += QLatin1Char('&');
    }
    return marked;
}

QString WithoutMnemonic(const QString& text) {
    QString shown;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        shown += text[i];
    }
    return shown;
}

void GoToMnemonicTarget(TWinControl& target, bool click) {
    RunUserAction([&] {
        UserActions::Focus(target);
        if (click && target.Focused())
            UserActions::Click(target);
    });
}

}  // namespace hostfw::view
