#pragma once
// When the store's tables cannot be opened at start (damaged beyond what the
// start-up rebuild repairs, missing, or not tables of ours), the start offers to
// put back the newest copy of the store kept before a closing or a clearing.

#include <QString>

namespace meru {

enum class StoreRecovery {
    NotOffered,  // the failure is not the tables', or no copy is kept
    Declined,    // the operator said No: the program ends
    Restored,    // the copy is back; the start can run again
    Failed,      // the copy could not be put back (the operator was told)
};

// failure is the message of the failed opening, shown with the offer.
StoreRecovery offerNewestStoreCopy(const QString& failure);

}  // namespace meru
