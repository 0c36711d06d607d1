// Writing the database, building it from MAME's listings, and the audit.
#include "database/Audit.h"
#include "database/DatabaseFile.h"
#include "database/ListingImport.h"
#include "launch/MameCommands.h"
#include "launch/TempListingFolder.h"
#include "text/TextFile.h"
#include "ui/frmMain.h"

#include <QCoreApplication>
#include <QFile>
#include <QListView>
#include <QPushButton>

namespace {

// Shows the hourglass (or the normal pointer again) at once: the MAME runs
// that follow block the event loop. Only painting is let through here.
void ShowBusy(QWidget* window, bool busy) {
    if (busy)
        window->setCursor(Qt::WaitCursor);
    else
        window->unsetCursor();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

const QString kNothingChanged = QStringLiteral("\r\n\r\nThe database was not changed.");

// Runs MAME through the window's seam for the once-per-run priming.
class SeamRunner : public ProcessRunner {
  public:
    explicit SeamRunner(DialogSeam& seam) : seam_(seam) {}
    void RunAndWait(const QString& commandLine, qint16 hideFlag) override {
        seam_.RunAndWait(commandLine, hideFlag);
    }

  private:
    DialogSeam& seam_;
};

} // namespace

QString frmMain::SaveDatabase() {
    const QString error = WriteDatabase(strDatFile, udtGames);
    if (!error.isEmpty())
        return error;
    if (strFilter.isEmpty() || !ApplyDriverFilter(strFilter)) {
        ShowAllGames();
        strFilter.clear();
    }
    SelectGame(0);
    return {};
}

QString frmMain::ReplaceDatabase(GameTable games) {
    GameTable previous = std::exchange(udtGames, std::move(games));
    const QString error = SaveDatabase();
    if (error.isEmpty())
        return {};
    udtGames = std::move(previous);
    return QStringLiteral("The database could not be written to ") + strDatFile + ": " + error;
}

void frmMain::cmdList_Click() {
    cmdList->setEnabled(false);
    ShowBusy(this, true);
    const QString failure = BuildDatabase();
    cmdList->setEnabled(true);
    ShowBusy(this, false);
    if (!failure.isEmpty())
        seam_.ShowMessage(this, failure + kNothingChanged, QStringLiteral("List"),
                          DialogSeam::Icon::Error);
}

QString frmMain::BuildDatabase() {
    ListingImport import;
    {
        const TempListingFolder temp;
        if (!temp.isValid())
            return temp.errorText();
        SeamRunner runner(seam_);
        primer_.Run(runner, strMameCommand);
        seam_.RunAndWait(ListFullCommand(strMameCommand, temp.fullListing()), kHide);
        seam_.RunAndWait(ListClonesCommand(strMameCommand, temp.cloneListing()), kHide);
        seam_.RunAndWait(ListSourceFileCommand(strMameCommand, temp.sourceListing()), kHide);
        import = ImportListings(ReadLines(temp.fullListing()), ReadLines(temp.cloneListing()),
                                ReadLines(temp.sourceListing()), blnCaseInsensitive);
    } // the listing files are gone from here on, whatever the outcome
    if (!import.ok())
        return import.failure;

    if (const QString error = ReplaceDatabase(std::move(import.games)); !error.isEmpty())
        return error;
    for (QPushButton* button : {cmdPlay, cmdDriver, cmdSet, cmdList, cmdAudit})
        button->setEnabled(true);
    for (QAction* item : {mnuListPlay, mnuListInfo, mnuListFilter})
        item->setEnabled(true);
    return {};
}

void frmMain::cmdAudit_Click() {
    cmdAudit->setEnabled(false);
    ShowBusy(this, true);
    QString summary;
    const QString failure = AuditDatabase(summary);
    if (!failure.isEmpty())
        cmdAudit->setEnabled(true);
    ShowBusy(this, false);
    if (failure.isEmpty())
        seam_.ShowMessage(this, summary, QStringLiteral("Audit"), DialogSeam::Icon::Information);
    else
        seam_.ShowMessage(this, failure + kNothingChanged, QStringLiteral("Audit"),
                          DialogSeam::Icon::Error);
}

QString frmMain::AuditDatabase(QString& summary) {
    AuditOutcome outcome;
    {
        const TempListingFolder temp;
        if (!temp.isValid())
            return temp.errorText();
        SeamRunner runner(seam_);
        primer_.Run(runner, strMameCommand);
        seam_.RunAndWait(VerifySetsCommand(strMameCommand, temp.auditReport()), 0);
        outcome = AuditGames(udtGames, ReadLines(temp.auditReport()));
    } // the report is gone from here on, whatever the outcome
    if (!outcome.ok())
        return outcome.failure;

    if (outcome.kept > 0) {
        if (const QString error = ReplaceDatabase(std::move(outcome.games)); !error.isEmpty())
            return error;
        cmdAudit->setEnabled(true);
    } else {
        if (QFile::exists(strDatFile) && !QFile::remove(strDatFile))
            return QStringLiteral("No game passed the audit, but the database file ") + strDatFile +
                   QStringLiteral(" could not be deleted.");
        setWindowTitle(QStringLiteral("MAME"));
        ReplaceShown({});
        udtGames.clear();
        DisableGameCommands();
    }
    summary = AuditSummary(outcome.kept, outcome.removed);
    return {};
}
