#pragma once
#include <QSqlDatabase>
#include <QString>

namespace durvek::testing {

// A connection of its own to the club database (a file's path or a server's
// postgresql:// address), as another club PC has; closed and removed with
// the object. Made on the thread that uses it.
class OtherPc {
public:
    OtherPc(const QString& fileOrUri, const QString& name);
    ~OtherPc();
    OtherPc(const OtherPc&) = delete;
    OtherPc& operator=(const OtherPc&) = delete;

    QSqlDatabase db() const;

private:
    QString m_name;
};

} // namespace durvek::testing
