#pragma once
#include "common/ui/TextPrompt.h"
#include "database/DatabaseError.h"
#include "fanciers/ActiveFancierCursor.h"
#include "fanciers/FancierRecord.h"
#include <QDialog>
#include <QString>
#include <array>
#include <functional>

class QLabel;
class QPushButton;
class QToolButton;

namespace durvek {

class FilteredLineEdit;

// Asks the user for a search text (the text input dialog's two-argument ask
// over the shared cancel flag).
using SearchTextPrompt = TextPrompt;

// Opens the fancier record window modally over parent; Search asks for its
// text with prompt.
void openFancierWindow(QWidget* parent, const SearchTextPrompt& prompt);

// The club's member list, one fancier at a time: browse the active fanciers
// in sort-key order, add, store, look up by the start of the name, delete.
class FancierWindow : public QDialog {
    Q_OBJECT

public:
    // The boxes, top to bottom; the loft coordinates share the last line.
    enum Box { IdBox, LicenceBox, NameBox, AdressBox, ZipBox, CityBox, DistrictBox, TelephoneBox, FaxBox, EmailBox,
               LatitudeBox, LongitudeBox, BoxCount };
    // The buttons of the bottom row that carry captions.
    enum Action { ExitAction, NewAction, UpdateAction, SearchAction, DeleteAction, ActionCount };

    FancierWindow(QWidget* parent, SearchTextPrompt prompt);

    FilteredLineEdit* box(Box which) const { return boxes_[which]; }
    QLabel* label(Box which) const { return labels_[which]; }
    QPushButton* actionButton(Action which) const { return actions_[which]; }
    QToolButton* previousButton() const { return previousButton_; }
    QToolButton* nextButton() const { return nextButton_; }
    // The label that names the holder of a licence while it is reported taken.
    QLabel* ownerLabel() const { return ownerLabel_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    QWidget* buildBoxes();
    void leaveRoomForLabelInk();
    QLayout* sharedLine(Box left, Box right);
    QLayout* buildButtonRow();
    void runAction(Action action);

    void openActiveFanciers(int32_t id);
    void showFancierRecord();
    void clearFancierFields();
    FancierRecord recordFromBoxes() const;
    int32_t idInBox() const;
    bool coordinatesReadable();
    int32_t saveFancier();
    void showLicenceOwner();
    void placeOwnerLabel();

    void movePrevious();
    void moveNext();
    void newFancier();
    void updateFancier();
    void searchFancier();
    void deleteFancier();

    void checkLicenceOnLeaving();
    void warn(const QString& message, const QString& title);
    void focusLicence();
    bool reportDatabaseError(const DatabaseError& error);

    std::array<FilteredLineEdit*, BoxCount> boxes_{};
    std::array<QLabel*, BoxCount> labels_{};
    std::array<QPushButton*, ActionCount> actions_{};
    QToolButton* previousButton_ = nullptr;
    QToolButton* nextButton_ = nullptr;
    QLabel* ownerLabel_ = nullptr;
    // The coordinate texts of the fancier shown, as stored.
    QString storedLatitude_;
    QString storedLongitude_;
    // Its revision when shown: Update and Delete refuse once another PC
    // has stored the fancier since.
    qint64 storedRevision_ = 0;
    SearchTextPrompt prompt_;
    ActiveFancierCursor fanciers_;
    // Set while a licence refused on leaving its box waits to be reported:
    // the click that took the focus away must not act on it.
    bool licenceRefusalPending_ = false;
    // Set once the window has loaded what it opens with.
    bool made_ = false;
};

} // namespace durvek
