#include "common/Printout.h"
#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>

namespace durvek {

QString proposedPdfPath(const QString& subject, const QDate& day, const QString& folder)
{
    static const QRegularExpression notInFileNames(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]"));
    QString name = subject.simplified() + u' ' + day.toString(QStringLiteral("yyyy-MM-dd"));
    name.replace(notInFileNames, QStringLiteral("-"));
    return QDir(folder).filePath(name.trimmed() + QStringLiteral(".pdf"));
}

QString pageOfPages(QString wording, int page, int pages)
{
    return wording.replace(QStringLiteral("%1"), QString::number(page)).replace(QStringLiteral("%2"), QString::number(pages));
}

QString documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    // A file dialog on a folder that is not there opens the working folder, the club database's own.
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

} // namespace durvek
