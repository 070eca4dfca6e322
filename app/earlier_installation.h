#pragma once
// At start, with the store claimed and before the tables are rebuilt: the Paradox
// working tables of an earlier installation in based/ are taken over once.

namespace meru {

// Nothing to do, or taken over with one information box: true. Refused with one
// error box (based/ left as it was): false, and the start ends.
bool takeOverEarlierInstallationAtStart();

}  // namespace meru
