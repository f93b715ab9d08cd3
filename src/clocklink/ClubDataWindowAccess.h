#pragma once
#include <QString>
#include <cstdint>

namespace durvek {

// What the club data transfer needs from the club data window: the fancier
// boxes and the "Save" action, the combine choice, the pigeon grid and the
// abort flag that Cancel and Escape set. The window implements it; tests
// implement it over a plain database.
class ClubDataWindowAccess {
public:
    virtual ~ClubDataWindowAccess() = default;

    // The fancier shown (0: none, a new one is being entered).
    virtual int32_t clubDataFancierId() const = 0;
    // Its revision when the window loaded or last stored it: storing the
    // pigeons received refuses once another PC has stored the fancier since.
    virtual qint64 clubDataFancierRevision() const = 0;

    virtual QString licenceText() const = 0;
    virtual QString nameText() const = 0;
    virtual void setLicenceText(const QString& text) = 0;
    virtual void setNameText(const QString& text) = 0;
    // The window's "Save": stores the boxes into the current fancier, or a
    // new one when none is current, and makes it current. False when it
    // refused (no name) and nothing was stored.
    virtual bool saveFancier() = 0;

    // The "Combine" check box, and the combine name selected in the combine grid.
    virtual bool combineChecked() const = 0;
    virtual QString selectedCombineName() const = 0;

    // Reloads the pigeon grid with the pigeons of the current fancier.
    virtual void reloadPigeons() = 0;

    // Disables what must not be touched during a transfer; the window puts
    // itself back into its ready state when the transfer returns.
    virtual void enterTransferState() = 0;

    // Set by Cancel and by Escape; the transfer clears it when it starts.
    virtual bool transferAborted() const = 0;
    virtual void clearTransferAborted() = 0;
};

} // namespace durvek
