#pragma once
#include "common/ClubSettings.h"
#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace durvek::clocksim {

// A simulated clock is of a model of the program's clock model table, named
// by its number there; the table's row says what the model does.
using ClockModel = ClockModelIndex;

// The model's name in commands and state files: its caption in lower case
// without spaces ("littledurvek").
QString modelName(ClockModel model);
// Every model's name, in the table's order.
QStringList modelNames();
// Accepts a name of modelNames() in any case; false when unknown.
bool parseModel(const QString& name, ClockModel* model);

// A pigeon record as the program wrote it with 0x52: the data bytes after the
// two index bytes, unchanged. Records are kept per fancier block, because a
// multi-fancier clock holds one pigeon list per fancier.
struct StoredRecord {
    int block = 0;
    int index = 0;
    QByteArray data;
};

// One pigeon entry of a flight: which pigeon (record) arrived how and when.
struct Arrival {
    int block = 0;
    int record = 1;
    QByteArray flightKey = "        "; // flight code and flight code 2, 4 + 4 characters
    uint16_t values[4] = {0, 0, 0, 0}; // four 16-bit values of the pigeon text
    QByteArray date;                   // DDMMYY
    QByteArray time;                   // HHMMSS
    char status = '1';                 // '1', '!', '2' or '5'
};

// One pigeon the clock sends to the PC in a club data transfer.
struct OutgoingPigeon {
    QByteArray country = "XX";
    QByteArray year = "00";
    QByteArray band;  // up to 7 characters
    char sex = ' ';
    QByteArray chip;  // 10 hexadecimal digits
};

// What the PC sent in the last club data transfer to the clock.
struct IncomingTransfer {
    QByteArray header;          // fancier or combine header line, without CR and checksum
    QByteArray members;         // member names line
    QByteArray count;           // pigeon count line
    QList<QByteArray> pigeons;  // accepted pigeon lines
    QByteArray badgeCount;
    QList<QByteArray> badges;
    QList<int> stages;          // stage codes in the order received
    int rejectedLines = 0;      // lines refused for a wrong checksum
};

// Everything a simulated clock and the devices beside it hold. Byte texts are
// stored in JSON one character per byte (character code = byte value), so a
// state file round-trips every byte, NUL included.
struct SimState {
    ClockModel model = ClockModel::Omnexa;
    QByteArray identity;              // identify text; empty gives the model's default
    bool converter = false;           // a converter sits on the line (else the antenna is direct)
    int converterWaitMs = 3000;       // how long 0xB7 waits for a chip
    int fanciersPerClock = 1;         // set with set-up 1 (two) and 2 (three) on a Zefira
    int currentBlock = 0;             // the fancier block the records being written belong to
    QList<QByteArray> fancierBlocks;  // 100 bytes each; index = block number
    QList<StoredRecord> records;
    QByteArray raceBlock;             // 100 bytes as last written
    QList<QByteArray> flights;        // 57-character flight texts
    QList<Arrival> arrivals;
    QByteArray chip;                  // hexadecimal digits of the chip in the antenna; empty: none
    QByteArray outLicence;            // the fancier header the clock sends
    QByteArray outName;
    QList<OutgoingPigeon> outPigeons;
    IncomingTransfer incoming;
    QList<QByteArray> languageTexts;  // texts of the last language upload
    int languageUploads = 0;
    int jobsEnded = 0;                // end-of-job requests answered

    QJsonObject toJson() const;
    static SimState fromJson(const QJsonObject& json);

    // The identity text the clock answers with: a Zefira holding more than
    // one fancier announces itself with "SPD" in front.
    QByteArray identityText() const;
    bool isMultiFancier() const;
};

bool loadState(const QString& path, SimState* state, QString* error);
bool saveState(const QString& path, const SimState& state, QString* error);

} // namespace durvek::clocksim
