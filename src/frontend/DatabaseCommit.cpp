// SPDX-License-Identifier: GPL-2.0-or-later
#include "frontend/DatabaseCommit.h"

#include "database/DatabaseFile.h"
#include "text/SystemPath.h"

#include <QCoreApplication>

#include <cerrno>
#include <optional>
#include <unistd.h>

CommitResult commitGames(const QString& databaseFile, const GameTable* games,
                         const QString& storePath,
                         const std::function<void(CatalogueChange&)>& prepare,
                         const std::function<bool()>& mayCommit) {
    CommitResult result;
    std::optional<CatalogueChange> change;
    if (!storePath.isEmpty()) {
        change.emplace(storePath);
        prepare(*change);
    }
    if (!mayCommit()) {
        result.cancelled = true;
        return result;
    }
    if (games) {
        if (Outcome<Done> written = writeDatabase(databaseFile, *games); !written.ok())
            result.database =
                Failure{QCoreApplication::translate("DatabaseCommit",
                                                    "The database could not be written to %1: %2")
                            .arg(databaseFile, written.failure())};
    } else if (::unlink(systemPath(databaseFile).constData()) != 0 && errno != ENOENT) {
        result.database =
            Failure{QCoreApplication::translate("DatabaseCommit",
                                                "The database file %1 could not be deleted.")
                        .arg(databaseFile)};
    }
    if (!result.database.ok() || !change)
        return result; // the store's change goes unmade
    result.store = change->commit(stampOf(databaseFile));
    result.storeDamaged = change->damaged();
    return result;
}
