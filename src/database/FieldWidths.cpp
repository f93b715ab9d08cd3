#include "database/FieldWidths.h"
#include "database/SqlUtil.h"
#include <QRegularExpression>

namespace durvek {

QHash<QString, int> textFieldWidths(const QSqlDatabase& db, const QString& table)
{
    static const QRegularExpression width(QStringLiteral(R"(^\s*(?:VAR)?CHAR\s*\(\s*(\d+)\s*\))"),
                                          QRegularExpression::CaseInsensitiveOption);
    QHash<QString, int> widths;
    QSqlQuery columns = runStatement(db, QStringLiteral("SELECT name, type FROM pragma_table_info(?)"), {table});
    while (columns.next()) {
        const QRegularExpressionMatch match = width.match(columns.value(1).toString());
        if (match.hasMatch())
            widths.insert(columns.value(0).toString().toLower(), match.captured(1).toInt());
    }
    return widths;
}

} // namespace durvek
