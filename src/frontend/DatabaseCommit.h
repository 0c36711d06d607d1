// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "catalogue/CatalogueChange.h"
#include "database/GameRecord.h"
#include "text/Outcome.h"

#include <functional>
#include <optional>

// How List's or Audit's change came out.
struct CommitResult {
    bool cancelled = false;          // cancelled before anything was touched
    Outcome<Done> database = Done{}; // the file; a failure changed nothing at all
    // The store's part; a failure leaves the store as it was, describing the
    // old file, so that its facts count as missing until the next List.
    Outcome<Done> store = Done{};
    bool storeDamaged = false; // the store's failure said its file is damaged
};

// Why the store's part failed, when that said the store is damaged.
inline std::optional<QString> storeDamageOf(const std::optional<CommitResult>& result) {
    if (result && result->storeDamaged)
        return result->store.failure();
    return std::nullopt;
}

// The one commit point of List and Audit, on their worker thread. The
// store's change is made by `prepare` in a transaction held open; then, when
// `mayCommit` still allows it, `games` replace the database file (none:
// the file is deleted, no game being left), and only then is the store's
// transaction committed with the new file's stamp. A store path that is
// empty means there is no store to change.
CommitResult commitGames(const QString& databaseFile, const GameTable* games,
                         const QString& storePath,
                         const std::function<void(CatalogueChange&)>& prepare,
                         const std::function<bool()>& mayCommit);
