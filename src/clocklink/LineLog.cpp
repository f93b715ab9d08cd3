#include "clocklink/LineLog.h"
#include <QDateTime>

namespace durvek {

LineLog::~LineLog() { close(); }

bool LineLog::open(const QString& path)
{
    close();
    m_file.setFileName(path);
    return m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);
}

void LineLog::close()
{
    if (m_file.isOpen())
        m_file.close();
}

bool LineLog::isOn() const { return m_file.isOpen(); }

QString LineLog::hex(const QByteArray& data)
{
    return QString::fromLatin1(data.toHex(' ').toUpper());
}

void LineLog::bytes(Direction direction, const QString& device, const QByteArray& data)
{
    if (!data.isEmpty())
        writeLine(device, direction == Direction::Sent ? QStringLiteral(">") : QStringLiteral("<"), hex(data));
}

void LineLog::result(const QString& device, int result, const QString& note)
{
    writeLine(device, QStringLiteral("="), note.isEmpty() ? QString::number(result)
                                                          : QStringLiteral("%1 %2").arg(result).arg(note));
}

void LineLog::note(const QString& device, const QString& text)
{
    writeLine(device, QStringLiteral("#"), text);
}

void LineLog::writeLine(const QString& device, const QString& kind, const QString& text)
{
    if (!m_file.isOpen())
        return;
    const QString line = QStringLiteral("%1 %2 %3 %4\n")
                             .arg(QDateTime::currentDateTime().toString(Qt::ISODateWithMs), device, kind, text);
    m_file.write(line.toUtf8());
    m_file.flush();
}

LineLog& lineLog()
{
    static LineLog log;
    return log;
}

} // namespace durvek
