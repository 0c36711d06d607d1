// Filling the list, the driver filter, the search and the Info box.
#include "gamelist/GameInfo.h"
#include "gamelist/GameSearch.h"
#include "ui/frmMain.h"

#include <QLineEdit>

namespace {

const QString kFilterPrompt = QStringLiteral(
    "Enter driver name(s). To specify multiple drivers seperate each with a space. Clear filter "
    "and click OK to reset.\r\n\r\neg. cps1 cps2, neogeo");

} // namespace

void frmMain::ShowAllGames() {
    ReplaceShown(udtGames);
}

FilterResult frmMain::RunDriverFilter(const QString& text, QString* message) {
    FilterOutcome outcome = ::ApplyDriverFilter(text, udtGames);
    if (outcome.result == FilterResult::Shown) {
        ReplaceShown(std::move(outcome.shown));
        SelectGame(0);
        strFilter = outcome.filter;
    } else if (message) {
        *message = outcome.message;
    }
    return outcome.result;
}

bool frmMain::ApplyDriverFilter(const QString& text) {
    return RunDriverFilter(text, nullptr) == FilterResult::Shown;
}

void frmMain::mnuListFilter_Click() {
    QString text = strFilter;
    for (;;) {
        const std::optional<QString> answer =
            seam_.AskText(this, kFilterPrompt, QStringLiteral("Filter"), text);
        if (!answer)
            return;
        text = *answer;
        QString message;
        const FilterResult result = RunDriverFilter(text, &message);
        if (result == FilterResult::Shown)
            return;
        if (result == FilterResult::TooManyWords)
            seam_.ShowMessage(this, message, QStringLiteral("Filter"), DialogSeam::Icon::Error);
    }
}

void frmMain::txtSearch_Change() {
    const qsizetype found = SearchGames(udtShown, txtSearch->text(), searchCompare_);
    if (found >= 0)
        SelectGame(static_cast<int>(found));
}

void frmMain::mnuListInfo_Click() {
    const int index = SelectedIndex();
    if (index < 0)
        return;
    seam_.ShowMessage(this, GameInfoText(udtShown[static_cast<size_t>(index)], udtShown),
                      QStringLiteral("Info"), DialogSeam::Icon::Information);
}
