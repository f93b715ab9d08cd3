#pragma once
#include <QString>

namespace durvek {

// While the club database cannot be opened, the captions and messages come
// from a backup's text table, copied into memory with the texts this version
// adds when the backup lacks them, so the restore is offered in the club's
// language. The backup is only read. On destruction the catalogue reads the
// club database again.
class BorrowedCatalogue {
public:
    explicit BorrowedCatalogue(const QString& backupPath);
    ~BorrowedCatalogue();
    BorrowedCatalogue(const BorrowedCatalogue&) = delete;
    BorrowedCatalogue& operator=(const BorrowedCatalogue&) = delete;

private:
    QString m_connection;
};

} // namespace durvek
